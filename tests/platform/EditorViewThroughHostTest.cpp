// The editor as a host sees it: asked for through the unit's properties,
// placed in a window, drawn by its timer and played with the mouse.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/mac/IGraphicsCarbon.h"
#include "platform/mac/IGraphicsCocoa.h"
#include "platform/standin/AudioUnitUtilities.h"
#include "platform/standin/RunLoop.h"
#include "tests/platform/ViewHostFixture.h"
#include "tests/support/PngWriter.h"

namespace {

using viewtest::kEditorHeight;
using viewtest::kEditorWidth;
using viewtest::kKnobSize;
using viewtest::kKnobX;
using viewtest::kKnobY;

constexpr double kTimerPeriod = 0.04;

// What the host's listeners hear.
struct Heard {
  AudioUnitEventType type;
  AudioUnit unit;
  AudioUnitParameterID parameter;
};

void Listen(void* heard, const AudioUnitEvent& event) {
  static_cast<std::vector<Heard>*>(heard)->push_back(
      {event.mEventType, event.mArgument.mParameter.mAudioUnit, event.mArgument.mParameter.mParameterID});
}

class EditorViewThroughHost : public viewtest::ViewHostTest {
 protected:
  void SetUp() override {
    ViewHostTest::SetUp();
    standin::AddAUEventSink(Listen, &heard);
  }
  void TearDown() override {
    standin::RemoveAUEventSink(Listen, &heard);
    ViewHostTest::TearDown();
  }

  // A Cocoa window holding the view the host was given.
  std::unique_ptr<NSWindow> ShowCocoaView() {
    NSView* view = session.OpenCocoaView(NSSize{kEditorWidth, kEditorHeight});
    EXPECT_NE(view, nullptr);
    std::unique_ptr<NSWindow> window(new NSWindow(NSMakeRect(200, 150, kEditorWidth, kEditorHeight)));
    if (view) window->contentView()->addSubview(view);
    return window;
  }

  // Editor pixels as window base coordinates of a view at the window's corner.
  void Mouse(NSWindow* window, NSEventType type, int x, int y) {
    NSEvent e = NSEvent::mouseEventWithType(type, NSPoint{x + 2.0, kEditorHeight - 3.0 - y}, 0,
                                            window->windowNumber(), 1);
    window->sendEvent(&e);
  }

  std::vector<Heard> heard;
};

TEST_F(EditorViewThroughHost, TheCocoaViewShowsTheBackBufferAfterOneTimerPeriod) {
  fake::FakePlug* plug = OpenWithEditor();
  std::unique_ptr<NSWindow> window = ShowCocoaView();
  EXPECT_EQ(window->screenPixel(100, 100), 0) << "nothing drawn before the timer";
  standin::RunLoopAdvance(kTimerPeriod);
  EXPECT_EQ(viewtest::ScreenDifferences(window.get(), Editor(plug)), 0);
  // The knob shows over the background.
  int knobPixels = 0;
  for (int y = kKnobY; y < kKnobY + kKnobSize; ++y) {
    for (int x = kKnobX; x < kKnobX + kKnobSize; ++x) knobPixels += window->screenPixel(x, y) != window->screenPixel(5, 5);
  }
  EXPECT_GT(knobPixels, 500);

  const SWELL_GfxTarget* screen = window->screen();
  const std::string path = testsupport::outputPath("editor-view-through-host.png");
  ASSERT_TRUE(testsupport::writePng(path, screen->pixels, screen->width, screen->height, screen->rowBytes));
  std::printf("editor view: %s\n", path.c_str());
}

TEST_F(EditorViewThroughHost, DraggingTheKnobTellsTheHostsListeners) {
  fake::FakePlug* plug = OpenWithEditor();
  std::unique_ptr<NSWindow> window = ShowCocoaView();
  standin::RunLoopAdvance(kTimerPeriod);
  const int cx = kKnobX + kKnobSize / 2, cy = kKnobY + kKnobSize / 2;
  Mouse(window.get(), NSLeftMouseDown, cx, cy);
  Mouse(window.get(), NSLeftMouseDragged, cx, cy - 10);
  Mouse(window.get(), NSLeftMouseDragged, cx + 3, cy - 20);
  Mouse(window.get(), NSLeftMouseUp, cx + 3, cy - 20);

  const AudioUnitEventType expected[] = {kAudioUnitEvent_BeginParameterChangeGesture,
                                         kAudioUnitEvent_ParameterValueChange, kAudioUnitEvent_ParameterValueChange,
                                         kAudioUnitEvent_EndParameterChangeGesture};
  ASSERT_EQ(heard.size(), 4u);
  for (size_t i = 0; i < heard.size(); ++i) {
    EXPECT_EQ(heard[i].type, expected[i]) << i;
    EXPECT_EQ(heard[i].unit, unit());
    EXPECT_EQ(heard[i].parameter, static_cast<AudioUnitParameterID>(fake::kVolume));
  }
  AudioUnitParameterValue value = 0;
  ASSERT_EQ(session.GetParameter(fake::kVolume, &value), noErr);
  EXPECT_FLOAT_EQ(value, 0.7f);
  EXPECT_EQ(plug->paramChanges.back(), fake::kVolume);

  // The turned knob reaches the screen at the next tick.
  standin::RunLoopAdvance(kTimerPeriod);
  EXPECT_EQ(viewtest::ScreenDifferences(window.get(), Editor(plug)), 0);
}

TEST_F(EditorViewThroughHost, TheCarbonViewDrawsAndTakesTheDragToo) {
  fake::FakePlug* plug = OpenWithEditor();
  const Rect bounds{200, 100, static_cast<short>(200 + kEditorHeight), static_cast<short>(100 + kEditorWidth)};
  WindowRef window = nullptr;
  ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, kWindowCompositingAttribute, &bounds, &window), noErr);
  ControlRef control = nullptr;
  ASSERT_EQ(session.OpenCarbonView(window, nullptr, &control), noErr);
  ASSERT_NE(control, nullptr);
  standin::RunLoopAdvance(0.0);
  EXPECT_EQ(viewtest::ScreenDifferences(window, Editor(plug)), 0);

  const int cx = kKnobX + kKnobSize / 2, cy = kKnobY + kKnobSize / 2;
  viewtest::SendCarbonMouse(window, kEventMouseDown, cx + 2, cy + 3);
  viewtest::SendCarbonMouse(window, kEventMouseDragged, cx + 2, cy - 7);
  viewtest::SendCarbonMouse(window, kEventMouseUp, cx + 2, cy - 7);
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard.front().type, kAudioUnitEvent_BeginParameterChangeGesture);
  EXPECT_EQ(heard.back().type, kAudioUnitEvent_EndParameterChangeGesture);
  AudioUnitParameterValue value = 0;
  ASSERT_EQ(session.GetParameter(fake::kVolume, &value), noErr);
  EXPECT_FLOAT_EQ(value, 0.6f);

  ASSERT_EQ(session.CloseCarbonView(), noErr);
  EXPECT_FALSE(Editor(plug)->WindowIsOpen());
  session.Close();
  DisposeWindow(window);
}

// Either kind of view opened after the other takes the editor over; a view
// closed by its host opens again as new.
TEST_F(EditorViewThroughHost, ViewsCloseAndOpenAgainInEitherOrder) {
  fake::FakePlug* plug = OpenWithEditor();
  IGraphicsMac* editor = Editor(plug);
  const Rect bounds{200, 100, static_cast<short>(200 + kEditorHeight), static_cast<short>(100 + kEditorWidth)};
  WindowRef carbonWindow = nullptr;
  ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, kWindowCompositingAttribute, &bounds, &carbonWindow), noErr);

  std::unique_ptr<NSWindow> cocoaWindow = ShowCocoaView();
  auto* cocoa = static_cast<IGraphicsCocoa_vThudrokka_au*>(editor->GetWindow());
  ASSERT_NE(cocoa, nullptr);
  ControlRef pane = nullptr;
  ASSERT_EQ(session.OpenCarbonView(carbonWindow, nullptr, &pane), noErr);
  EXPECT_EQ(cocoa->mGraphics, nullptr) << "the Cocoa view gave the editor up";
  EXPECT_EQ(cocoa->mTimer, nullptr);
  EXPECT_STREQ(editor->GetGUIAPI(), "Carbon Composited gui");
  standin::RunLoopAdvance(kTimerPeriod);
  EXPECT_EQ(viewtest::ScreenDifferences(carbonWindow, editor), 0);

  std::unique_ptr<NSWindow> second = ShowCocoaView();
  EXPECT_EQ(editor->GetGraphicsCarbon(), nullptr) << "the Carbon host gave the editor up";
  EXPECT_STREQ(editor->GetGUIAPI(), "Cocoa gui");
  editor->SetAllControlsDirty();
  standin::RunLoopAdvance(kTimerPeriod);
  EXPECT_EQ(viewtest::ScreenDifferences(second.get(), editor), 0);

  // The host takes the view away, then asks again.
  static_cast<NSView*>(editor->GetWindow())->removeFromSuperview();
  EXPECT_FALSE(editor->WindowIsOpen());
  std::unique_ptr<NSWindow> third = ShowCocoaView();
  editor->SetAllControlsDirty();
  standin::RunLoopAdvance(kTimerPeriod);
  EXPECT_EQ(viewtest::ScreenDifferences(third.get(), editor), 0);

  // Closing the unit first leaves the views inert where they are.
  ASSERT_EQ(session.OpenCarbonView(carbonWindow, nullptr, &pane), noErr);
  session.Close();
  standin::RunLoopAdvance(kTimerPeriod);
  EXPECT_EQ(session.CloseCarbonView(), noErr);
  third.reset();
  DisposeWindow(carbonWindow);
}

}  // namespace
