// Mouse, wheel and key events through a window to the editor's Cocoa view.

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>
#include <vector>

#include "graphics/TextControls.h"
#include "tests/platform/EditorHostFixture.h"
#include "tests/platform/ViewTestSupport.h"

namespace {

using viewtest::Call;
using viewtest::RecordingControl;

// The content view keeps the keys that reach it.
class KeyRecordingView : public NSView {
 public:
  void keyDown(NSEvent* event) override { keys.push_back(event->charactersIgnoringModifiers()); }
  std::vector<std::string> keys;
};

struct CocoaEvents : hosttest::EditorHostFixture {
  CocoaEvents() {
    const IColor grey = COLOR_GRAY;
    gui->AttachPanelBackground(&grey);
    recorder = new RecordingControl(&plug, IRECT(0, 0, 200, 100));
    gui->AttachControl(recorder);
    content = new KeyRecordingView();
    window->setContentView(content);
    view = Open();
  }
  ~CocoaEvents() override { standin::DrainAutoreleasePool(); }

  void Mouse(NSEventType type, double x, double y, unsigned long flags = 0, int clicks = 1) {
    NSEvent e = NSEvent::mouseEventWithType(type, NSPoint{x, y}, flags, window->windowNumber(), clicks);
    window->sendEvent(&e);
  }
  void Key(unsigned short keyCode, const std::string& chars, unsigned long flags = 0) {
    NSEvent e = NSEvent::keyEventWithType(NSKeyDown, NSPoint{0, 0}, flags, window->windowNumber(), chars, chars, keyCode);
    window->sendEvent(&e);
  }
  void Wheel(double x, double y, double deltaY) {
    NSEvent e = NSEvent::scrollWheelEvent(NSPoint{x, y}, 0, window->windowNumber(), deltaY);
    window->sendEvent(&e);
  }
  const Call& Last() const { return recorder->calls.back(); }

  RecordingControl* recorder;
  KeyRecordingView* content;
  IGraphicsCocoa_vThudrokka_au* view;
};

// The view's y axis grows upwards from its bottom-left corner and the
// editor's downwards from its top-left corner; the mapping also shifts by
// two pixels left and three up.
TEST_F(CocoaEvents, ClicksLandTwoLeftAndThreeUpOnTheFlippedAxis) {
  const struct {
    double x, y;
    int editorX, editorY;
  } cases[] = {{2, 97, 0, 0}, {0, 0, -2, 97}, {12.9, 47.5, 10, 50}, {199.5, 99.9, 197, -2}, {101, 3, 99, 94}};
  recorder->mHitEverywhere = true;
  for (const auto& c : cases) {
    Mouse(NSLeftMouseDown, c.x, c.y);
    Mouse(NSLeftMouseUp, c.x, c.y);
    ASSERT_GE(recorder->calls.size(), 2u);
    const Call& down = recorder->calls[recorder->calls.size() - 2];
    EXPECT_EQ(down.kind, "down");
    EXPECT_EQ(down.x, c.editorX) << c.x << ", " << c.y;
    EXPECT_EQ(down.y, c.editorY) << c.x << ", " << c.y;
    EXPECT_EQ(view->mPrevX, c.editorX);
    EXPECT_EQ(view->mPrevY, c.editorY);
  }

  // A view away from the window's corner maps through its frame.
  window->setFrame(NSMakeRect(0, 0, 260, 140));
  view->setFrame(NSMakeRect(30, 20, 200, 100));
  Mouse(NSLeftMouseDown, 32, 117);
  EXPECT_EQ(Last().x, 0);
  EXPECT_EQ(Last().y, 0);
}

TEST_F(CocoaEvents, ModifiersAndButtonsMakeTheMouseModifiers) {
  const struct {
    NSEventType type;
    unsigned long flags;
    const char* kind;
    IMouseMod mod;
  } cases[] = {
      {NSLeftMouseDown, 0, "down", IMouseMod(true, false)},
      {NSLeftMouseDown, NSCommandKeyMask, "down", IMouseMod(true, true)},
      {NSLeftMouseDown, NSShiftKeyMask | NSControlKeyMask | NSAlternateKeyMask, "down",
       IMouseMod(true, false, true, true, true)},
      {NSLeftMouseUp, NSCommandKeyMask | NSShiftKeyMask, "up", IMouseMod(true, true, true)},
      {NSRightMouseDown, 0, "down", IMouseMod(false, true)},
      {NSRightMouseDown, NSAlternateKeyMask, "down", IMouseMod(false, true, false, false, true)},
      {NSRightMouseUp, NSControlKeyMask, "up", IMouseMod(false, true, false, true)},
  };
  for (const auto& c : cases) {
    if (c.type == NSLeftMouseUp) Mouse(NSLeftMouseDown, 20, 50);
    if (c.type == NSRightMouseUp) Mouse(NSRightMouseDown, 20, 50);
    Mouse(c.type, 20, 50, c.flags);
    const Call& call = Last();
    EXPECT_EQ(call.kind, c.kind) << c.type << " " << c.flags;
    EXPECT_EQ(call.mod.L, c.mod.L) << c.type << " " << c.flags;
    EXPECT_EQ(call.mod.R, c.mod.R) << c.type << " " << c.flags;
    EXPECT_EQ(call.mod.S, c.mod.S) << c.type << " " << c.flags;
    EXPECT_EQ(call.mod.C, c.mod.C) << c.type << " " << c.flags;
    EXPECT_EQ(call.mod.A, c.mod.A) << c.type << " " << c.flags;
    if (c.type == NSLeftMouseDown) Mouse(NSLeftMouseUp, 20, 50);
    if (c.type == NSRightMouseDown) Mouse(NSRightMouseUp, 20, 50);
  }
}

TEST_F(CocoaEvents, RepeatedLeftClicksAreDoubleClicksButRightClicksNever) {
  const struct {
    NSEventType type;
    int clicks;
    const char* kind;
  } cases[] = {{NSLeftMouseDown, 1, "down"},
               {NSLeftMouseDown, 2, "dblclick"},
               {NSLeftMouseDown, 3, "dblclick"},
               {NSRightMouseDown, 2, "down"}};
  for (const auto& c : cases) {
    Mouse(c.type, 30, 30, 0, c.clicks);
    EXPECT_EQ(Last().kind, c.kind) << c.clicks;
    Mouse(c.type == NSLeftMouseDown ? NSLeftMouseUp : NSRightMouseUp, 30, 30);
  }
}

TEST_F(CocoaEvents, DragsGoToTheEditorOnlyWhileNoTextFieldIsOpen) {
  Mouse(NSLeftMouseDown, 30, 50);
  Mouse(NSLeftMouseDragged, 40, 60);
  EXPECT_EQ(Last().kind, "drag");
  EXPECT_EQ(Last().x, 38);
  EXPECT_EQ(Last().y, 37);
  Mouse(NSLeftMouseUp, 40, 60);
  Mouse(NSRightMouseDown, 30, 50);
  Mouse(NSRightMouseDragged, 35, 50, NSShiftKeyMask);
  EXPECT_EQ(Last().kind, "drag");
  EXPECT_FALSE(Last().mod.L);
  EXPECT_TRUE(Last().mod.S);
  Mouse(NSRightMouseUp, 35, 50);

  Mouse(NSLeftMouseDown, 150, 50);
  IText style;
  IRECT area(10, 10, 60, 30);
  gui->CreateTextEntry(recorder, &style, &area, "", nullptr);
  ASSERT_NE(view->mTextFieldView, nullptr);
  const size_t before = recorder->calls.size();
  Mouse(NSLeftMouseDragged, 160, 60);
  Mouse(NSRightMouseDragged, 170, 60);
  EXPECT_EQ(recorder->calls.size(), before);
  EXPECT_EQ(view->mPrevX, 168) << "the position is still kept";
}

TEST_F(CocoaEvents, MovesReachTheEditorOnceTheWindowTakesThem) {
  gui->HandleMouseOver(true);
  EXPECT_TRUE(window->acceptsMouseMovedEvents()) << "set when the view came into the window";
  EXPECT_EQ(window->firstResponder(), view);
  Mouse(NSMouseMoved, 52, 47, NSCommandKeyMask);
  EXPECT_EQ(Last().kind, "over");
  EXPECT_EQ(Last().x, 50);
  EXPECT_EQ(Last().y, 50);
  EXPECT_TRUE(Last().mod.L);
  EXPECT_TRUE(Last().mod.R);
}

// Trackpads send fractions of a step: they add up until they make whole
// steps, and an event that makes none reaches no one. Deltas that are not
// numbers are dropped without touching what has added up.
TEST_F(CocoaEvents, WheelFractionsAddUpToWholeStepsAndOnlyThoseAreDelivered) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double kInf = std::numeric_limits<double>::infinity();
  const struct {
    double delta;
    int steps;  // 0: nothing delivered
  } cases[] = {{1.0, 1},   {2.75, 2},  {0.5, 1},  {0.5, 0},   {kNaN, 0},      {kInf, 0},      {-kInf, 0},
               {0.25, 1},  {-0.5, 0},  {-1.75, -2}, {0.25, 0}, {0.0, 0},      {1e12, INT_MAX}, {-1e12, INT_MIN},
               {0.5, 0},   {0.5, 1},   {-3.0, -3}};
  for (const auto& c : cases) {
    recorder->calls.clear();
    Wheel(22, 47, c.delta);
    if (!c.steps) {
      EXPECT_TRUE(recorder->calls.empty()) << c.delta;
      continue;
    }
    ASSERT_EQ(recorder->calls.size(), 1u) << c.delta;
    EXPECT_EQ(Last().kind, "wheel");
    EXPECT_EQ(Last().value, c.steps) << c.delta;
    EXPECT_EQ(Last().x, 20);
    EXPECT_EQ(Last().y, 50);
  }
}

// A knob takes half a wheel step as no change: the host hears of the value
// once two halves have turned it.
TEST_F(CocoaEvents, HalfAWheelStepLeavesTheParameterAndTheHostAlone) {
  struct Knob : IControl {
    using IControl::IControl;
    bool Draw(IGraphics*) override { return true; }
  };
  auto* knob = new Knob(&plug, IRECT(0, 0, 200, 100), 3);
  gui->AttachControl(knob);
  const double before = knob->GetValue();
  Wheel(22, 47, 0.5);
  EXPECT_EQ(knob->GetValue(), before);
  EXPECT_TRUE(plug.mInformedChanges.empty());
  Wheel(22, 47, 0.5);
  EXPECT_DOUBLE_EQ(knob->GetValue(), before + 0.01);
  ASSERT_EQ(plug.mInformedChanges.size(), 1u);
  EXPECT_EQ(plug.mInformedChanges[0].idx, 3);
}

// Positions that are not finite are dropped; far away ones reach the
// editor at the ends of its coordinates.
TEST_F(CocoaEvents, MousePositionsBeyondIntegersStopAtTheirLimitsAndNaNIsDropped) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double kInf = std::numeric_limits<double>::infinity();
  recorder->mHitEverywhere = true;
  const struct {
    double x, y;
    bool delivered;
    int editorX, editorY;
  } cases[] = {{1e12, 50, true, INT_MAX, 47}, {-1e12, 50, true, INT_MIN, 47}, {20, 1e12, true, 18, INT_MIN},
               {20, -1e12, true, 18, INT_MAX}, {kNaN, 50, false, 0, 0},       {20, kNaN, false, 0, 0},
               {kInf, 50, false, 0, 0},        {20, -kInf, false, 0, 0}};
  for (const auto& c : cases) {
    // Pressed at the editor's origin, dragged there and moved there.
    Mouse(NSLeftMouseDown, 2, 97);
    recorder->calls.clear();
    Mouse(NSLeftMouseDragged, c.x, c.y);
    Mouse(NSLeftMouseUp, c.x, c.y);
    Mouse(NSMouseMoved, c.x, c.y);
    Wheel(c.x, c.y, 1.0);
    if (!c.delivered) {
      EXPECT_TRUE(recorder->calls.empty()) << c.x << ", " << c.y;
      EXPECT_EQ(view->mPrevX, 0) << "the last position stays";
      EXPECT_EQ(view->mPrevY, 0);
      Mouse(NSLeftMouseUp, 2, 97);
      continue;
    }
    ASSERT_EQ(recorder->calls.size(), 2u) << c.x << ", " << c.y << ": the drag and the release";
    for (const Call& call : recorder->calls) {
      EXPECT_EQ(call.x, c.editorX) << call.kind << " " << c.x << ", " << c.y;
      EXPECT_EQ(call.y, c.editorY) << call.kind << " " << c.x << ", " << c.y;
    }
    EXPECT_EQ(view->mPrevX, c.editorX);
    EXPECT_EQ(view->mPrevY, c.editorY);
  }
  // Moves and wheel events are the view's only where the window delivers them to it.
  gui->HandleMouseOver(true);
  recorder->calls.clear();
  Mouse(NSMouseMoved, kNaN, 50);
  EXPECT_TRUE(recorder->calls.empty());
  Mouse(NSMouseMoved, 1e12, -1e12);
  ASSERT_EQ(recorder->calls.size(), 1u);
  EXPECT_EQ(Last().kind, "over");
  EXPECT_EQ(Last().x, INT_MAX);
  EXPECT_EQ(Last().y, INT_MAX);
}

TEST_F(CocoaEvents, KeysMapToTheEditorsCodesAtTheLastMousePosition) {
  // Two halves of the editor: keys go to the one under the last mouse position.
  auto* right = new RecordingControl(&plug, IRECT(100, 0, 200, 100));
  gui->AttachControl(right);
  Mouse(NSLeftMouseDown, 152, 47);
  Mouse(NSLeftMouseUp, 152, 47);
  const std::string up = NSStringFromCharacter(NSUpArrowFunctionKey);
  const std::string down = NSStringFromCharacter(NSDownArrowFunctionKey);
  const std::string left = NSStringFromCharacter(NSLeftArrowFunctionKey);
  const std::string rightArrow = NSStringFromCharacter(NSRightArrowFunctionKey);
  const struct {
    unsigned short keyCode;
    std::string chars;
    unsigned long flags;
    int code;
  } cases[] = {{49, " ", 0, KEY_SPACE},
               {126, up, 0, KEY_UPARROW},
               {125, down, 0, KEY_DOWNARROW},
               {123, left, 0, KEY_LEFTARROW},
               {124, rightArrow, 0, KEY_RIGHTARROW},
               {29, "0", 0, KEY_DIGIT_0},
               {25, "9", 0, KEY_DIGIT_9},
               {0, "a", 0, KEY_ALPHA_A},
               {0, "A", NSShiftKeyMask, KEY_ALPHA_A},
               {6, "z", 0, KEY_ALPHA_Z},
               {6, "Z", 0, KEY_ALPHA_Z}};
  for (const auto& c : cases) {
    Key(c.keyCode, c.chars, c.flags);
    ASSERT_FALSE(right->calls.empty());
    EXPECT_EQ(right->calls.back().kind, "key");
    EXPECT_EQ(right->calls.back().value, c.code) << c.chars;
    EXPECT_EQ(right->calls.back().x, 150);
    EXPECT_EQ(right->calls.back().y, 50);
  }
  EXPECT_TRUE(content->keys.empty());
  const size_t taken = right->calls.size();

  // Keys of another length are dropped; others, and keys the editor leaves,
  // go on to the next responder.
  Key(0, "ab");
  Key(0, "");
  EXPECT_TRUE(content->keys.empty());
  Key(36, "\r");
  Key(27, "-");
  EXPECT_EQ(content->keys, (std::vector<std::string>{"\r", "-"}));
  EXPECT_EQ(right->calls.size(), taken);
  right->mTakeKeys = false;
  Key(0, "q");
  EXPECT_EQ(right->calls.back().value, KEY_ALPHA_A + 16);
  EXPECT_EQ(content->keys.back(), "q");
}

TEST_F(CocoaEvents, ADetachedViewIgnoresEveryEvent) {
  gui->CloseWindow();
  ASSERT_EQ(view->superview(), content);
  Mouse(NSLeftMouseDown, 20, 20);
  Mouse(NSLeftMouseDragged, 25, 25);
  Mouse(NSLeftMouseUp, 25, 25);
  Mouse(NSRightMouseDown, 20, 20, 0, 2);
  Mouse(NSMouseMoved, 22, 22);
  Wheel(20, 20, 1.0);
  Key(0, "a");
  EXPECT_TRUE(recorder->calls.empty());
  EXPECT_TRUE(content->keys.empty()) << "not passed on either";
}

}  // namespace
