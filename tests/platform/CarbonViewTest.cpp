// The editor in Carbon windows, compositing or not: the pane, drawing, the
// timer, mouse, wheel and key events, text entry and closing.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <limits>
#include <string>
#include <vector>

#include "framework/IParam.h"
#include "graphics/BitmapControls.h"
#include "platform/mac/IGraphicsCarbon.h"
#include "platform/standin/ATSFont.h"
#include "platform/standin/Appearance.h"
#include "platform/standin/RunLoop.h"
#include "tests/framework/TestHostPlug.h"
#include "tests/platform/ViewTestSupport.h"

namespace {

using viewtest::Call;
using viewtest::RecordingControl;
using viewtest::SendCarbonDeactivate;
using viewtest::SendCarbonKey;
using viewtest::SendCarbonMouse;
using viewtest::SendCarbonWheel;

constexpr int kWidth = 200;
constexpr int kHeight = 100;

struct CarbonView : testing::Test {
  CarbonView() : gui(new IGraphicsMac(&plug, kWidth, kHeight)) {
    plug.InitUnitParams(0.5);
    plug.AttachGraphics(gui);
  }
  ~CarbonView() override {
    gui->CloseWindow();
    for (WindowRef w : windows) DisposeWindow(w);
    standin::DrainAutoreleasePool();
  }

  WindowRef MakeWindow(WindowAttributes attributes, short width = kWidth, short height = kHeight) {
    const Rect bounds{100, 50, static_cast<short>(100 + height), static_cast<short>(50 + width)};
    WindowRef window = nullptr;
    EXPECT_EQ(CreateNewWindow(kDocumentWindowClass, attributes, &bounds, &window), noErr);
    windows.push_back(window);
    return window;
  }
  ControlRef Open(WindowRef window, ControlRef parent = nullptr) {
    return static_cast<ControlRef>(gui->OpenWindow(window, parent, 0, 0));
  }
  // The editor with a grey background and a recorder over all of it.
  RecordingControl* AddRecorder() {
    const IColor grey = COLOR_GRAY;
    gui->AttachPanelBackground(&grey);
    auto* recorder = new RecordingControl(&plug, IRECT(0, 0, kWidth, kHeight));
    gui->AttachControl(recorder);
    return recorder;
  }

  fwtest::TestHostPlug plug;
  IGraphicsMac* gui;
  std::vector<WindowRef> windows;
};

TEST_F(CarbonView, OpeningPutsAPaneOfTheEditorsSizeIntoTheWindow) {
  const struct {
    WindowAttributes attributes;
    bool withParent;
    const char* api;
    UInt32 features;
  } cases[] = {{kWindowCompositingAttribute, false, "Carbon Composited gui", 0x12000026},
               {kWindowCompositingAttribute, true, "Carbon Composited gui", 0x12000026},
               {kWindowNoAttributes, false, "Carbon Non-Composited gui", 0x26},
               {kWindowNoAttributes, true, "Carbon Non-Composited gui", 0x26}};
  for (const auto& c : cases) {
    WindowRef window = MakeWindow(c.attributes);
    ControlRef parent = nullptr;
    if (c.withParent) {
      const Rect bounds{10, 20, 90, 180};
      ASSERT_EQ(CreateUserPaneControl(window, &bounds, 0, &parent), noErr);
    }
    EXPECT_FALSE(window->hasRootControl && !window->isCompositing());
    ControlRef pane = Open(window, parent);
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(gui->WindowIsOpen());
    EXPECT_EQ(gui->GetWindow(), nullptr) << "only a Cocoa view is a window here";
    EXPECT_STREQ(gui->GetGUIAPI(), c.api);
    EXPECT_EQ(pane->features, c.features);
    EXPECT_EQ(pane->superview(), c.withParent ? parent : window->contentView());
    EXPECT_EQ(pane->frame().origin.x, 0);
    EXPECT_EQ(pane->frame().origin.y, 0);
    EXPECT_EQ(pane->frame().size.width, kWidth);
    EXPECT_EQ(pane->frame().size.height, kHeight);
    EXPECT_EQ(window->hasRootControl, c.attributes == kWindowCompositingAttribute || !c.withParent)
        << "a window without one gets a root control when the pane needs it";
    gui->CloseWindow();
    EXPECT_FALSE(gui->WindowIsOpen());
    EXPECT_EQ(pane->window(), window) << "the pane stays in the window";
  }
  EXPECT_STREQ(gui->GetGUIAPI(), "Cocoa gui");

  // Offsets are kept but do not move the pane.
  ControlRef pane = static_cast<ControlRef>(gui->OpenWindow(MakeWindow(kWindowCompositingAttribute), nullptr, 7, 9));
  EXPECT_EQ(gui->GetGraphicsCarbon()->GetLeftOffset(), 7);
  EXPECT_EQ(gui->GetGraphicsCarbon()->GetTopOffset(), 9);
  EXPECT_EQ(pane->frame().origin.x, 0);
  EXPECT_EQ(pane->frame().origin.y, 0);
}

// The pane's context has y upwards, as the platform's flipped one is the
// other way round; the editor flips it back and lands upright.
TEST_F(CarbonView, ACompositingWindowShowsTheBackBufferUpright) {
  const IColor red = COLOR_RED, blue = COLOR_BLUE;
  gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, kWidth, kHeight), &red));
  gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, kWidth, 10), &blue));
  WindowRef window = MakeWindow(kWindowCompositingAttribute, 240, 130);
  ControlRef parent = nullptr;
  const Rect bounds{20, 30, 130, 240};
  CreateUserPaneControl(window, &bounds, 0, &parent);
  Open(window, parent);
  standin::RunLoopAdvance(0.0);
  EXPECT_EQ(window->screenPixel(35, 25), 0x0000FF);
  EXPECT_EQ(window->screenPixel(35, 35), 0xFF0000);
  EXPECT_EQ(viewtest::ScreenDifferences(window, gui, 30, 20), 0);
  EXPECT_EQ(window->screenPixel(29, 25), 0) << "nothing outside the pane";
}

TEST_F(CarbonView, ANonCompositingPortCentresTheEditorWhenItIsWider) {
  const IColor red = COLOR_RED, blue = COLOR_BLUE;
  gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, kWidth, kHeight), &red));
  gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, 1, kHeight), &blue));
  const struct {
    short width;
    int left;  // where the editor's first column lands
  } cases[] = {{300, 50}, {301, 50}, {202, 1}, {200, 0}, {150, 0}};
  for (const auto& c : cases) {
    WindowRef window = MakeWindow(kWindowNoAttributes, c.width);
    Open(window);
    gui->SetAllControlsDirty();
    standin::RunLoopAdvance(0.0);
    EXPECT_EQ(window->screenPixel(c.left, 50), 0x0000FF) << c.width;
    EXPECT_EQ(window->screenPixel(c.left + 1, 50), 0xFF0000) << c.width;
    if (c.left > 0) {
      EXPECT_EQ(window->screenPixel(c.left - 1, 50), 0) << c.width;
    }
    if (c.width >= kWidth + c.left) {
      EXPECT_EQ(viewtest::ScreenDifferences(window, gui, c.left, 0), 0) << c.width;
    }
    gui->CloseWindow();
  }
}

TEST_F(CarbonView, TheTimerFiresAtOnceThenEveryFrame) {
  struct Counting : IControl {
    using IControl::IControl;
    bool Draw(IGraphics*) override { return ++draws > 0; }
    int draws = 0;
  };
  for (WindowAttributes attributes : {kWindowCompositingAttribute, kWindowNoAttributes}) {
    auto* counter = new Counting(&plug, IRECT(0, 0, kWidth, kHeight));
    gui->AttachControl(counter);
    const int timers = standin::RunLoopTimerCount();
    Open(MakeWindow(attributes));
    EXPECT_EQ(standin::RunLoopTimerCount(), timers + 1);
    standin::RunLoopAdvance(0.0);
    EXPECT_EQ(counter->draws, 1) << attributes;
    counter->SetDirty(false);
    standin::RunLoopAdvance(0.039);
    EXPECT_EQ(counter->draws, 1) << attributes;
    standin::RunLoopAdvance(0.001);
    EXPECT_EQ(counter->draws, 2) << attributes;
    gui->CloseWindow();
    EXPECT_EQ(standin::RunLoopTimerCount(), timers);
    counter->SetDirty(false);
    standin::RunLoopAdvance(0.1);
    EXPECT_EQ(counter->draws, 2) << attributes;
  }
}

TEST_F(CarbonView, MouseEventsLandTwoLeftAndThreeUpWithTheirModifiers) {
  RecordingControl* recorder = AddRecorder();
  recorder->mHitEverywhere = true;
  WindowRef window = MakeWindow(kWindowCompositingAttribute, 260, 140);
  ControlRef parent = nullptr;
  const Rect bounds{10, 20, 120, 240};
  CreateUserPaneControl(window, &bounds, 0, &parent);
  Open(window, parent);
  const struct {
    UInt32 kind;
    double x, y;
    UInt32 modifiers;
    EventMouseButton button;
    UInt32 clicks;
    const char* call;
    int editorX, editorY;
    IMouseMod mod;
  } cases[] = {
      {kEventMouseDown, 22, 13, 0, kEventMouseButtonPrimary, 1, "down", 0, 0, IMouseMod(true, false)},
      {kEventMouseUp, 22, 13, 0, kEventMouseButtonPrimary, 1, "up", 0, 0, IMouseMod(true, false)},
      {kEventMouseDown, 20, 10, cmdKey, kEventMouseButtonPrimary, 1, "down", -2, -3, IMouseMod(true, true)},
      {kEventMouseUp, 20, 10, cmdKey, kEventMouseButtonPrimary, 1, "up", -2, -3, IMouseMod(true, true)},
      {kEventMouseDown, 72.9, 60.5, 0, kEventMouseButtonSecondary, 1, "down", 50, 47, IMouseMod(true, true)},
      {kEventMouseUp, 72.9, 60.5, 0, kEventMouseButtonSecondary, 1, "up", 50, 47, IMouseMod(true, true)},
      {kEventMouseDown, 72, 60, shiftKey | controlKey | optionKey, kEventMouseButtonPrimary, 2, "dblclick", 50, 47,
       IMouseMod(true, false, true, true, true)},
      {kEventMouseDown, 72, 60, 0, kEventMouseButtonPrimary, 1, "down", 50, 47, IMouseMod(true, false)},
      {kEventMouseDragged, 80, 70, shiftKey, kEventMouseButtonPrimary, 1, "drag", 58, 57,
       IMouseMod(true, false, true)},
      {kEventMouseUp, 80, 70, 0, kEventMouseButtonPrimary, 1, "up", 58, 57, IMouseMod(true, false)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SendCarbonMouse(window, c.kind, c.x, c.y, c.modifiers, c.button, c.clicks), noErr) << c.call;
    ASSERT_FALSE(recorder->calls.empty());
    const Call& call = recorder->calls.back();
    EXPECT_EQ(call.kind, c.call);
    EXPECT_EQ(call.x, c.editorX) << c.call;
    EXPECT_EQ(call.y, c.editorY) << c.call;
    EXPECT_EQ(call.mod.L, c.mod.L) << c.call;
    EXPECT_EQ(call.mod.R, c.mod.R) << c.call;
    EXPECT_EQ(call.mod.S, c.mod.S) << c.call;
    EXPECT_EQ(call.mod.C, c.mod.C) << c.call;
    EXPECT_EQ(call.mod.A, c.mod.A) << c.call;
  }

  gui->HandleMouseOver(true);
  EXPECT_EQ(SendCarbonMouse(window, kEventMouseMoved, 122, 53), noErr);
  EXPECT_EQ(recorder->calls.back().kind, "over");
  EXPECT_EQ(recorder->calls.back().x, 100);
  EXPECT_EQ(recorder->calls.back().y, 40);

  // Only the vertical wheel axis is taken.
  EXPECT_EQ(SendCarbonWheel(window, 22, 13, kEventMouseWheelAxisY, -3), noErr);
  EXPECT_EQ(recorder->calls.back().kind, "wheel");
  EXPECT_EQ(recorder->calls.back().value, -3);
  const size_t calls = recorder->calls.size();
  EXPECT_EQ(SendCarbonWheel(window, 22, 13, kEventMouseWheelAxisX, 2), eventNotHandledErr);
  EXPECT_EQ(recorder->calls.size(), calls);
}

// Positions that are not finite are left to the host's handlers; far away
// ones reach the editor at the ends of its coordinates. A wheel turned by
// nothing reaches no one.
TEST_F(CarbonView, MousePositionsBeyondIntegersStopAtTheirLimitsAndNaNIsLeftToTheHost) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double kInf = std::numeric_limits<double>::infinity();
  RecordingControl* recorder = AddRecorder();
  recorder->mHitEverywhere = true;
  WindowRef window = MakeWindow(kWindowCompositingAttribute);
  Open(window);
  const struct {
    double x, y;
    int editorX, editorY;
  } cases[] = {{1e12, 50, INT_MAX, 47}, {-1e12, 50, INT_MIN, 47}, {20, 1e12, 18, INT_MAX}, {20, -1e12, 18, INT_MIN}};
  for (const auto& c : cases) {
    // Pressed at the editor's origin, then dragged and released there.
    SendCarbonMouse(window, kEventMouseDown, 2, 3);
    recorder->calls.clear();
    EXPECT_EQ(SendCarbonMouse(window, kEventMouseDragged, c.x, c.y), noErr);
    EXPECT_EQ(SendCarbonMouse(window, kEventMouseUp, c.x, c.y), noErr);
    ASSERT_EQ(recorder->calls.size(), 2u) << c.x << ", " << c.y;
    for (const Call& call : recorder->calls) {
      EXPECT_EQ(call.x, c.editorX) << call.kind << " " << c.x << ", " << c.y;
      EXPECT_EQ(call.y, c.editorY) << call.kind << " " << c.x << ", " << c.y;
    }
  }

  recorder->calls.clear();
  for (UInt32 kind : {kEventMouseDown, kEventMouseDragged, kEventMouseUp, kEventMouseMoved}) {
    for (double far : {kNaN, kInf, -kInf}) {
      EXPECT_EQ(SendCarbonMouse(window, kind, far, 50), eventNotHandledErr) << kind << " " << far;
      EXPECT_EQ(SendCarbonMouse(window, kind, 20, far), eventNotHandledErr) << kind << " " << far;
    }
  }
  EXPECT_EQ(SendCarbonWheel(window, kNaN, 13, kEventMouseWheelAxisY, 1), eventNotHandledErr);
  EXPECT_EQ(SendCarbonWheel(window, 22, 13, kEventMouseWheelAxisY, 0), noErr);
  EXPECT_TRUE(recorder->calls.empty());
  EXPECT_TRUE(plug.mInformedChanges.empty());
}

TEST_F(CarbonView, KeysMapAsInTheCocoaViewAtTheLastMovePosition) {
  RecordingControl* recorder = AddRecorder();
  WindowRef window = MakeWindow(kWindowCompositingAttribute);
  Open(window);
  SendCarbonMouse(window, kEventMouseMoved, 52, 43);
  const struct {
    UInt32 keyCode;
    char c;
    int code;  // -1: not the editor's
  } cases[] = {{49, ' ', KEY_SPACE},   {126, 30, KEY_UPARROW}, {125, 31, KEY_DOWNARROW}, {123, 28, KEY_LEFTARROW},
               {124, 29, KEY_RIGHTARROW}, {29, '0', KEY_DIGIT_0}, {25, '9', KEY_DIGIT_9}, {0, 'a', KEY_ALPHA_A},
               {0, 'A', KEY_ALPHA_A}, {6, 'z', KEY_ALPHA_Z},   {36, 13, -1},           {27, '-', -1}};
  for (const auto& c : cases) {
    recorder->calls.clear();
    const OSStatus answer = SendCarbonKey(c.keyCode, c.c);
    if (c.code < 0) {
      EXPECT_EQ(answer, eventNotHandledErr) << c.keyCode;
      EXPECT_TRUE(recorder->calls.empty());
      continue;
    }
    EXPECT_EQ(answer, noErr) << c.keyCode;
    ASSERT_EQ(recorder->calls.size(), 1u);
    EXPECT_EQ(recorder->calls[0].value, c.code);
    EXPECT_EQ(recorder->calls[0].x, 50);
    EXPECT_EQ(recorder->calls[0].y, 40);
  }
  recorder->mTakeKeys = false;
  EXPECT_EQ(SendCarbonKey(0, 'b'), eventNotHandledErr) << "keys the editor leaves go on";
  EXPECT_EQ(SendCarbonKey(0, 'b', kEventRawKeyRepeat), eventNotHandledErr) << "repeats are not the window's";
}

struct CarbonTextEntry : CarbonView {
  CarbonTextEntry() {
    recorder = AddRecorder();
    window = MakeWindow(kWindowCompositingAttribute);
    pane = Open(window);
    intParam.InitInt("Steps", 3, 0, 20);
    doubleParam.InitDouble("Gain", 0.5, 0.0, 10.0, 0.01);
  }
  IGraphicsCarbon* Carbon() { return gui->GetGraphicsCarbon(); }
  ControlRef Entry() { return pane->subviews().empty() ? nullptr : static_cast<ControlRef>(pane->subviews().back()); }
  void OpenEntry(IParam* param, const char* str = "", IText text = IText()) {
    IRECT area(10, 20, 70, 36);
    gui->CreateTextEntry(recorder, &text, &area, str, param);
  }
  void TypeEach(const std::string& text) {
    for (char c : text) SendCarbonKey(0, c);
  }
  std::string Shown() {
    ControlRef entry = Entry();
    return entry ? entry->text : "(none)";
  }

  RecordingControl* recorder;
  WindowRef window;
  ControlRef pane;
  IParam intParam, doubleParam;
};

TEST_F(CarbonTextEntry, TheEntryOpensOverTheAreaWithTheStyleAndTheFocus) {
  const struct {
    int align;
    SInt16 just;
  } cases[] = {{IText::kAlignNear, 0}, {IText::kAlignCenter, 1}, {IText::kAlignFar, -1}};
  for (const auto& c : cases) {
    IText style(14, nullptr, "DejaVu Sans", IText::kStyleNormal, static_cast<IText::EAlign>(c.align));
    OpenEntry(&intParam, "42", style);
    ControlRef entry = Entry();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(Carbon()->TextEntryOpen());
    EXPECT_EQ(entry->kind, OpaqueControlRef::kEditTextControl);
    EXPECT_EQ(entry->frame().origin.x, 10);
    EXPECT_EQ(entry->frame().origin.y, 20);
    EXPECT_EQ(entry->frame().size.width, 60);
    EXPECT_EQ(entry->frame().size.height, 16);
    EXPECT_EQ(entry->text, "42");
    EXPECT_EQ(entry->selectionStart, 0u);
    EXPECT_EQ(entry->selectionEnd, 2u);
    EXPECT_EQ(entry->fontStyle.flags, 0x45);
    EXPECT_EQ(standin::FontFamilyName(static_cast<ATSFontFamilyRef>(entry->fontStyle.font)), "DejaVu Sans");
    EXPECT_EQ(entry->fontStyle.size, 14);
    EXPECT_EQ(entry->fontStyle.just, c.just);
    EXPECT_TRUE(entry->singleLine);
    EXPECT_FALSE(entry->isHidden());
    EXPECT_EQ(window->focusedControl(), entry);
    EXPECT_EQ(GetUserFocusWindow(), window);
    gui->ForceEndUserEdit();
    EXPECT_EQ(Entry(), nullptr);
  }
}

TEST_F(CarbonTextEntry, KeysAreFilteredByTheParametersKindAndTheLength) {
  const struct {
    IParam* param;
    const char* typed;
    const char* shown;
  } cases[] = {{&intParam, "1.5", "15"}, {&doubleParam, "1.5", "1.5"}, {nullptr, "a b", "a b"}};
  for (const auto& c : cases) {
    OpenEntry(c.param, "3");
    TypeEach(c.typed);
    EXPECT_EQ(Shown(), c.shown) << c.typed;
    gui->ForceEndUserEdit();
  }

  // Seven characters: digits are swallowed, Backspace still edits.
  recorder->SetTextEntryLength(7);
  OpenEntry(&intParam);
  TypeEach("12345678");
  EXPECT_EQ(Shown(), "1234567");
  EXPECT_EQ(SendCarbonKey(51, 8), noErr) << "the entry edits";
  EXPECT_EQ(Shown(), "123456");
  EXPECT_EQ(SendCarbonKey(0, '9', kEventRawKeyRepeat), noErr);
  EXPECT_EQ(Shown(), "1234569");
  EXPECT_EQ(SendCarbonKey(123, 28), noErr);
  EXPECT_EQ(SendCarbonKey(51, 8), noErr);
  EXPECT_EQ(Shown(), "123459");
  // The window's own key handling leaves the keys to the entry.
  recorder->calls.clear();
  EXPECT_EQ(SendCarbonKey(0, 'a', kEventRawKeyDown, GetWindowEventTarget(window)), eventNotHandledErr);
  EXPECT_TRUE(recorder->calls.empty());
  EXPECT_EQ(Shown(), "123459");
}

TEST_F(CarbonTextEntry, ReturnEnterAndClicksOutsideTakeTheText) {
  for (char end : {'\r', '\x03'}) {
    OpenEntry(&intParam, "3");
    TypeEach("15");
    EXPECT_EQ(SendCarbonKey(36, end), noErr);
    EXPECT_EQ(Entry(), nullptr);
    EXPECT_DOUBLE_EQ(recorder->GetValue(), 0.75);
    recorder->SetValueFromUserInput(0.0);
  }

  // A click inside the entry is the entry's; one outside ends it first.
  OpenEntry(nullptr, "name");
  recorder->calls.clear();
  EXPECT_EQ(SendCarbonMouse(window, kEventMouseDown, 20, 25), eventNotHandledErr);
  EXPECT_NE(Entry(), nullptr);
  EXPECT_TRUE(recorder->calls.empty());
  EXPECT_EQ(SendCarbonMouse(window, kEventMouseDown, 150, 60), noErr);
  EXPECT_EQ(Entry(), nullptr);
  ASSERT_EQ(recorder->calls.size(), 2u);
  EXPECT_EQ(recorder->calls[0].kind, "text");
  EXPECT_EQ(recorder->calls[0].text, "name");
  EXPECT_EQ(recorder->calls[1].kind, "down");
  EXPECT_EQ(standin::CurrentThemeCursor(), kThemeArrowCursor);
  EXPECT_EQ(window->focusedControl(), nullptr);
}

TEST_F(CarbonTextEntry, TheTakenTextKeepsAtMost31Bytes) {
  recorder->SetTextEntryLength(40);
  OpenEntry(nullptr);
  const std::string typed = "abcdefghijklmnopqrstuvwxyz0123456789";
  TypeEach(typed);
  EXPECT_EQ(Shown(), typed);
  SendCarbonKey(36, '\r');
  ASSERT_FALSE(recorder->calls.empty());
  EXPECT_EQ(recorder->calls.back().text, typed.substr(0, 31));
}

TEST_F(CarbonTextEntry, WheelDeactivationAndForcedEndDropTheText) {
  OpenEntry(&intParam, "3");
  TypeEach("9");
  EXPECT_EQ(SendCarbonWheel(window, 150, 60, kEventMouseWheelAxisY, 1), noErr);
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_EQ(recorder->calls.back().kind, "wheel");

  OpenEntry(&intParam, "3");
  TypeEach("9");
  EXPECT_EQ(SendCarbonDeactivate(window), eventNotHandledErr) << "the window's own handling goes on";
  EXPECT_EQ(Entry(), nullptr);

  OpenEntry(&intParam, "3");
  SetThemeCursor(kThemeIBeamCursor);
  gui->ForceEndUserEdit();
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_EQ(standin::CurrentThemeCursor(), kThemeArrowCursor);
  EXPECT_DOUBLE_EQ(recorder->GetValue(), 0.0);

  // With no entry open the forced end still leaves the arrow cursor.
  SetThemeCursor(kThemeIBeamCursor);
  gui->ForceEndUserEdit();
  EXPECT_EQ(standin::CurrentThemeCursor(), kThemeArrowCursor);
}

// Every vertical wheel event ends the entry, one that turns by nothing
// too; a horizontal one is not the editor's and leaves it open.
TEST_F(CarbonTextEntry, EveryVerticalWheelEventEndsTheEntry) {
  const struct {
    EventMouseWheelAxis axis;
    SInt32 delta;
    OSStatus answer;
    bool ends, delivered;
  } cases[] = {
      {kEventMouseWheelAxisY, 0, noErr, true, false},
      {kEventMouseWheelAxisY, -2, noErr, true, true},
      {kEventMouseWheelAxisX, 2, eventNotHandledErr, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.delta);
    OpenEntry(&intParam, "3");
    TypeEach("9");
    recorder->calls.clear();
    EXPECT_EQ(SendCarbonWheel(window, 150, 60, c.axis, c.delta), c.answer);
    EXPECT_EQ(Entry() == nullptr, c.ends);
    EXPECT_EQ(!recorder->calls.empty(), c.delivered);
    EXPECT_DOUBLE_EQ(recorder->GetValue(), 0.0) << "the text was not taken";
    if (!c.ends) Carbon()->EndUserInput(false);
  }
}

TEST_F(CarbonTextEntry, OnlyOneEntryAndNoneInANonCompositingWindow) {
  OpenEntry(&intParam, "1");
  ControlRef first = Entry();
  ASSERT_NE(first, nullptr);
  OpenEntry(&doubleParam, "2");
  EXPECT_EQ(Entry(), first);
  EXPECT_EQ(pane->subviews().size(), 1u);
  IRECT area(0, 0, 10, 10);
  gui->ForceEndUserEdit();
  gui->CreateTextEntry(nullptr, nullptr, &area, "1", &intParam);
  EXPECT_EQ(Entry(), nullptr);

  WindowRef plain = MakeWindow(kWindowNoAttributes);
  ControlRef plainPane = Open(plain);
  gui->CreateTextEntry(recorder, nullptr, &area, "1", &intParam);
  EXPECT_TRUE(plainPane->subviews().empty());
  EXPECT_FALSE(gui->GetGraphicsCarbon()->TextEntryOpen());
}

TEST_F(CarbonTextEntry, ClosingWithAnOpenEntryTakesItAway) {
  OpenEntry(&intParam, "1");
  ASSERT_NE(Entry(), nullptr);
  gui->CloseWindow();
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_EQ(pane->window(), window);
  // Nothing listens on the window any more.
  recorder->calls.clear();
  EXPECT_EQ(SendCarbonMouse(window, kEventMouseDown, 20, 20), eventNotHandledErr);
  EXPECT_TRUE(recorder->calls.empty());
}

TEST_F(CarbonView, ResizingMovesTheWindowsEdgesAndThePane) {
  WindowRef window = MakeWindow(kWindowCompositingAttribute);
  ControlRef pane = Open(window);
  gui->Resize(300, 120);
  Rect bounds;
  ASSERT_EQ(GetWindowBounds(window, kWindowContentRgn, &bounds), noErr);
  EXPECT_EQ(bounds.left, 50);
  EXPECT_EQ(bounds.top, 100);
  EXPECT_EQ(bounds.right, 350);
  EXPECT_EQ(bounds.bottom, 220);
  EXPECT_EQ(pane->frame().size.width, 300);
  EXPECT_EQ(pane->frame().size.height, 120);
  ASSERT_EQ(plug.mResizes.size(), 1u);
  EXPECT_TRUE(gui->GetGraphicsCarbon()->Resize(310, 130));
  gui->CloseWindow();
  EXPECT_EQ(gui->OpenWindow(nullptr, nullptr, 0, 0), nullptr) << "no window, no pane";
  EXPECT_FALSE(gui->WindowIsOpen());
}

// A host may dispose of its window, or of the pane alone, before it closes
// the view: the editor goes with them and a later close has nothing to do.
TEST_F(CarbonView, AWindowOrPaneDisposedBeforeTheCloseTakesTheEditorWithIt) {
  const struct {
    WindowAttributes attributes;
    bool wholeWindow;
  } cases[] = {{kWindowCompositingAttribute, true},
               {kWindowNoAttributes, true},
               {kWindowCompositingAttribute, false},
               {kWindowNoAttributes, false}};
  int width = kWidth;
  for (const auto& c : cases) {
    const int timers = standin::RunLoopTimerCount();
    RecordingControl* recorder = AddRecorder();
    WindowRef window = MakeWindow(c.attributes);
    ControlRef pane = Open(window);
    IRECT area(10, 20, 70, 36);
    // In a compositing window with its text entry open.
    gui->CreateTextEntry(recorder, nullptr, &area, "1", nullptr);
    standin::RunLoopAdvance(0.0);
    if (c.wholeWindow) {
      DisposeWindow(window);
      windows.erase(std::find(windows.begin(), windows.end(), window));
    } else {
      DisposeControl(pane);
    }
    EXPECT_FALSE(gui->WindowIsOpen()) << c.attributes;
    EXPECT_STREQ(gui->GetGUIAPI(), "Cocoa gui");
    EXPECT_EQ(standin::RunLoopTimerCount(), timers) << c.attributes;
    gui->SetAllControlsDirty();
    standin::RunLoopAdvance(0.1);
    if (!c.wholeWindow) {
      EXPECT_EQ(SendCarbonMouse(window, kEventMouseDown, 20, 20), eventNotHandledErr) << "nothing listens";
      EXPECT_EQ(SendCarbonKey(0, 'a', kEventRawKeyDown, GetWindowEventTarget(window)), eventNotHandledErr);
    }
    EXPECT_TRUE(recorder->calls.empty());
    // The controls go with the new size.
    width += 10;
    gui->Resize(width, kHeight);
    gui->CloseWindow();
    EXPECT_FALSE(gui->WindowIsOpen());
  }
}

TEST(CarbonRegions, TheDrawAreaIsTheRegionOrTheWholeEditor) {
  EventRef event = nullptr;
  CreateEvent(nullptr, kEventClassControl, kEventControlDraw, 0, 0, &event);
  EXPECT_EQ(GetRegionRect(event, 200, 100), IRECT(0, 0, 200, 100));
  RgnHandle none = nullptr;
  SetEventParameter(event, kEventParamRgnHandle, typeQDRgnHandle, sizeof(none), &none);
  EXPECT_EQ(GetRegionRect(event, 200, 100), IRECT(0, 0, 200, 100));
  RgnHandle region = NewRgn();
  const Rect r{5, 6, 7, 8};
  RectRgn(region, &r);
  SetEventParameter(event, kEventParamRgnHandle, typeQDRgnHandle, sizeof(region), &region);
  EXPECT_EQ(GetRegionRect(event, 200, 100), IRECT(6, 5, 8, 7));
  DisposeRgn(region);
  ReleaseEvent(event);
}

}  // namespace
