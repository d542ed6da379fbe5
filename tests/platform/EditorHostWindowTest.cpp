#include <gtest/gtest.h>

#include <limits>

#include "graphics/BitmapControls.h"
#include "platform/standin/MacWindows.h"
#include "tests/platform/EditorHostFixture.h"

namespace {

using hosttest::EditorHostFixture;

// Counts idle calls and draws.
class CountingControl : public IControl {
 public:
  CountingControl(IPlugBase* plug, IRECT r) : IControl(plug, r) {}
  bool Draw(IGraphics*) override {
    ++mDraws;
    return true;
  }
  void OnGUIIdle() override { ++mIdles; }
  int mDraws = 0;
  int mIdles = 0;
};

TEST_F(EditorHostFixture, OpeningPutsTheViewInItsParentWithItsTimer) {
  const int timers = standin::RunLoopTimerCount();
  EXPECT_FALSE(gui->WindowIsOpen());
  EXPECT_STREQ(gui->GetGUIAPI(), "Cocoa gui");
  IGraphicsCocoa_vThudrokka_au* view = Open();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(gui->GetWindow(), view);
  EXPECT_TRUE(gui->WindowIsOpen());
  EXPECT_EQ(view->superview(), window->contentView());
  EXPECT_EQ(view->window(), window.get());
  EXPECT_EQ(view->frame().size.width, 200);
  EXPECT_EQ(view->frame().size.height, 100);
  EXPECT_TRUE(view->isOpaque());
  EXPECT_EQ(standin::RunLoopTimerCount(), timers + 1);

  // Opening again closes the first view: one timer, the old view inert.
  IGraphicsCocoa_vThudrokka_au* second = Open();
  EXPECT_NE(second, view);
  EXPECT_EQ(view->mGraphics, nullptr);
  EXPECT_FALSE(view->isOpaque());
  EXPECT_EQ(standin::RunLoopTimerCount(), timers + 1);

  gui->CloseWindow();
  EXPECT_FALSE(gui->WindowIsOpen());
  EXPECT_EQ(gui->GetWindow(), nullptr);
  EXPECT_EQ(second->mGraphics, nullptr);
  EXPECT_EQ(second->mTimer, nullptr);
  EXPECT_EQ(standin::RunLoopTimerCount(), timers);
  // A closed view stays where its host put it.
  EXPECT_EQ(second->superview(), window->contentView());
}

TEST_F(EditorHostFixture, AHostRemovingTheViewClosesTheEditorsWindow) {
  IGraphicsCocoa_vThudrokka_au* view = Open();
  view->removeFromSuperview();
  EXPECT_FALSE(gui->WindowIsOpen());
  EXPECT_EQ(view->mGraphics, nullptr);
  // Without a window a Carbon opening finds no host either.
  EXPECT_EQ(gui->OpenWindow(nullptr, nullptr, 0, 0), nullptr);
  EXPECT_FALSE(gui->WindowIsOpen());
}

TEST_F(EditorHostFixture, TheTimerTicksTwentyFiveTimesASecond) {
  auto* counter = new CountingControl(&plug, IRECT(0, 0, 200, 100));
  gui->AttachControl(counter);
  Open();
  Tick();
  EXPECT_EQ(counter->mDraws, 1);
  EXPECT_EQ(counter->mIdles, 0);
  standin::RunLoopAdvance(1.0);
  // 25 clean ticks: idle on every fourth.
  EXPECT_EQ(counter->mIdles, 6);
  EXPECT_EQ(counter->mDraws, 1);
  counter->SetDirty(false);
  standin::RunLoopAdvance(0.039);
  EXPECT_EQ(counter->mDraws, 1);
  standin::RunLoopAdvance(0.001);
  EXPECT_EQ(counter->mDraws, 2);
  gui->CloseWindow();
  counter->SetDirty(false);
  standin::RunLoopAdvance(1.0);
  EXPECT_EQ(counter->mDraws, 2);
}

// The view sits at the bottom of a taller window, AppKit's origin being at
// the bottom left; the editor's top row is the view's top row.
TEST_F(EditorHostFixture, TheBackBufferReachesTheScreenRightWayUp) {
  window.reset(new NSWindow(NSMakeRect(0, 0, 200, 150)));
  const IColor red = COLOR_RED, blue = COLOR_BLUE;
  gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, 200, 100), &red));
  gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, 200, 10), &blue));
  IRECT all(0, 0, 200, 100);
  // Without an open view there is no screen to draw to.
  EXPECT_FALSE(gui->Draw(&all));
  gui->SetAllControlsDirty();
  Open();
  Tick();
  EXPECT_EQ(window->screenPixel(5, 49), 0);
  EXPECT_EQ(window->screenPixel(5, 50), 0x0000FF);
  EXPECT_EQ(window->screenPixel(5, 59), 0x0000FF);
  EXPECT_EQ(window->screenPixel(5, 60), 0xFF0000);
  EXPECT_EQ(window->screenPixel(199, 149), 0xFF0000);
  // Only what was invalidated reaches the screen.
  static_cast<IPanelControl*>(gui->GetControl(1))->Hide(true);
  gui->GetControl(0)->SetClean();
  Tick();
  EXPECT_EQ(window->screenPixel(5, 50), 0xFF0000);
}

// AppKit asks for rectangles in floats: one beyond integers redraws what it
// covers, one that is not a number nothing.
TEST_F(EditorHostFixture, ADrawOfARectangleBeyondIntegersRedrawsWhatItCovers) {
  auto* counter = new CountingControl(&plug, IRECT(0, 0, 200, 100));
  gui->AttachControl(counter);
  IGraphicsCocoa_vThudrokka_au* view = Open();
  view->drawRect(NSMakeRect(-1e12, -1e12, 3e12, 3e12));
  EXPECT_EQ(counter->mDraws, 1);
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  view->drawRect(NSMakeRect(kNaN, kNaN, kNaN, kNaN));
  EXPECT_EQ(counter->mDraws, 1);
}

TEST_F(EditorHostFixture, ResizingToTheSameSizeKeepsEverything) {
  gui->AttachControl(new CountingControl(&plug, IRECT(0, 0, 10, 10)));
  IGraphicsCocoa_vThudrokka_au* view = Open();
  gui->Resize(200, 100);
  EXPECT_EQ(gui->NControls(), 1);
  EXPECT_TRUE(plug.mResizes.empty());
  gui->Resize(300, 120);
  EXPECT_EQ(gui->NControls(), 0);
  ASSERT_EQ(plug.mResizes.size(), 1u);
  EXPECT_EQ(view->frame().size.width, 300);
  EXPECT_EQ(view->frame().size.height, 120);
}

TEST_F(EditorHostFixture, ASubWindowSitsOverTheHostWindowCentredWhenItIsWider) {
  const struct {
    short left, width;
    double childX;
  } cases[] = {{100, 150, 100}, {100, 200, 100}, {100, 301, 150}, {40, 405, 142}};
  for (const auto& c : cases) {
    const Rect bounds{50, c.left, 150, static_cast<short>(c.left + c.width)};
    WindowRef carbon = nullptr;
    ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, kWindowNoAttributes, &bounds, &carbon), noErr);
    gui->AttachSubWindow(carbon);
    ASSERT_TRUE(gui->WindowIsOpen());
    NSWindow* child = static_cast<NSView*>(gui->GetWindow())->window();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->frame().origin.x, c.childX) << c.width;
    EXPECT_EQ(child->frame().size.width, 200);
    ASSERT_NE(child->parentWindow(), nullptr);
    EXPECT_TRUE(child->parentWindow()->isVisible());
    const size_t windows = standin::AllWindows().size();
    gui->RemoveSubWindow();
    EXPECT_FALSE(gui->WindowIsOpen());
    EXPECT_EQ(standin::AllWindows().size(), windows - 2);
    DisposeWindow(carbon);
  }
}

// A host's Carbon window to attach the editor's child window to.
struct SubWindow : EditorHostFixture {
  SubWindow() {
    const Rect bounds{50, 100, 150, 300};
    CreateNewWindow(kDocumentWindowClass, kWindowNoAttributes, &bounds, &carbon);
    windows = standin::AllWindows().size();
  }
  ~SubWindow() override { DisposeWindow(carbon); }
  NSWindow* Child() { return static_cast<NSView*>(gui->GetWindow())->window(); }

  WindowRef carbon = nullptr;
  size_t windows = 0;  // before any attachment
};

// The child window comes to the front a moment after the host window; taken
// away before that moment it stays away.
TEST_F(SubWindow, TheChildWindowComesFrontAFiftiethOfASecondLater) {
  gui->AttachSubWindow(carbon);
  NSWindow* child = Child();
  ASSERT_NE(child, nullptr);
  EXPECT_NE(dynamic_cast<CustomCocoaWindow_vThudrokka_au*>(child), nullptr);
  EXPECT_TRUE(child->isOpaque());
  EXPECT_FALSE(child->hasShadow());
  EXPECT_TRUE(child->parentWindow()->isVisible());
  EXPECT_FALSE(child->isVisible());
  standin::RunLoopAdvance(0.049);
  EXPECT_FALSE(child->isVisible());
  standin::RunLoopAdvance(0.001);
  EXPECT_TRUE(child->isVisible());

  // Borderless, it still becomes the key window for a text entry in it.
  auto* control = new CountingControl(&plug, IRECT(0, 0, 200, 100));
  gui->AttachControl(control);
  IRECT area(10, 10, 60, 30);
  gui->CreateTextEntry(control, nullptr, &area, "", nullptr);
  EXPECT_TRUE(child->isKeyWindow());
  gui->ForceEndUserEdit();
  gui->RemoveSubWindow();

  gui->AttachSubWindow(carbon);
  gui->RemoveSubWindow();
  standin::RunLoopAdvance(0.1);
  EXPECT_EQ(standin::AllWindows().size(), windows);
}

// Attaching again first takes the previous child window and its host away.
TEST_F(SubWindow, AttachingASubWindowAgainReplacesTheFirst) {
  gui->AttachSubWindow(carbon);
  gui->AttachSubWindow(carbon);
  EXPECT_EQ(standin::AllWindows().size(), windows + 2) << "the first two went";
  ASSERT_TRUE(gui->WindowIsOpen());
  ASSERT_NE(Child(), nullptr);
  EXPECT_NE(Child()->parentWindow(), nullptr);
  gui->RemoveSubWindow();
  EXPECT_EQ(standin::AllWindows().size(), windows);

  // An editor deleted while attached takes its windows with it.
  auto* other = new IGraphicsMac(&plug, 200, 100);
  other->AttachSubWindow(carbon);
  EXPECT_EQ(standin::AllWindows().size(), windows + 2);
  delete other;
  EXPECT_EQ(standin::AllWindows().size(), windows);
  standin::RunLoopAdvance(0.1);
}

}  // namespace
