#include "platform/standin/NSView.h"

#include <algorithm>
#include <cmath>

#include "platform/standin/CGDisplay.h"
#include "platform/standin/RunLoop.h"

namespace {

SWELL_GfxTarget* gCurrentPort = nullptr;

std::vector<NSWindow*>& Windows() {
  static std::vector<NSWindow*> windows;
  return windows;
}

void DisplayAll(void*) {
  // Drawing may open or close windows.
  const std::vector<NSWindow*> windows = Windows();
  for (NSWindow* w : windows) {
    if (std::find(Windows().begin(), Windows().end(), w) != Windows().end()) w->display();
  }
}

NSRect Union(NSRect a, NSRect b) {
  if (a.size.width <= 0 || a.size.height <= 0) return b;
  if (b.size.width <= 0 || b.size.height <= 0) return a;
  const double l = std::min(a.origin.x, b.origin.x);
  const double t = std::min(a.origin.y, b.origin.y);
  const double r = std::max(a.origin.x + a.size.width, b.origin.x + b.size.width);
  const double u = std::max(a.origin.y + a.size.height, b.origin.y + b.size.height);
  return NSMakeRect(l, t, r - l, u - t);
}

}  // namespace

SWELL_GfxTarget* NSGraphicsContextCurrentPort() { return gCurrentPort; }

const std::vector<NSWindow*>& standin::AllWindows() { return Windows(); }

// ---- NSView.

NSView::~NSView() {
  if (mSuperview) {
    auto& siblings = mSuperview->mSubviews;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  while (!mSubviews.empty()) {
    NSView* child = mSubviews.back();
    mSubviews.pop_back();
    child->mSuperview = nullptr;
    delete child;
  }
}

void NSView::setFrameSize(NSSize size) {
  mFrame.size = size;
  setNeedsDisplay(true);
}

NSWindow* NSView::window() const { return mWindow; }

void NSView::addSubview(NSView* view) {
  if (!view || view == this) return;
  if (view->mSuperview) {
    auto& siblings = view->mSuperview->mSubviews;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), view), siblings.end());
  }
  view->mSuperview = this;
  mSubviews.push_back(view);
  view->attachWindow(mWindow);
}

void NSView::removeFromSuperview() {
  if (!mSuperview) return;
  auto& siblings = mSuperview->mSubviews;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  mSuperview = nullptr;
  attachWindow(nullptr);
}

void NSView::attachWindow(NSWindow* window) {
  const bool moved = window != mWindow;
  mWindow = window;
  for (NSView* child : mSubviews) child->attachWindow(window);
  if (moved) viewDidMoveToWindow();
}

void NSView::setNeedsDisplayInRect(NSRect r) {
  mDirty = mNeedsDisplay ? Union(mDirty, r) : r;
  mNeedsDisplay = true;
}

void NSView::setNeedsDisplay(bool needs) {
  if (needs) {
    setNeedsDisplayInRect(bounds());
  } else {
    mNeedsDisplay = false;
  }
}

void NSView::display(NSPoint origin) {
  if (mNeedsDisplay && mWindow) {
    mNeedsDisplay = false;
    const NSRect dirty = mDirty;
    SWELL_GfxTarget* screen = mWindow->screen();
    const double windowHeight = mWindow->contentView()->frame().size.height;
    const double viewTop = windowHeight - (origin.y + mFrame.size.height);
    SWELL_GfxSaveState(screen);
    screen->state.originX = static_cast<float>(origin.x);
    screen->state.originY = static_cast<float>(viewTop);
    // The view's bounds, then the dirty area, in the view's y-down space.
    SWELL_GfxClipToRect(screen, 0.0f, 0.0f, static_cast<float>(mFrame.size.width),
                        static_cast<float>(mFrame.size.height));
    SWELL_GfxClipToRect(screen, static_cast<float>(dirty.origin.x),
                        static_cast<float>(mFrame.size.height - (dirty.origin.y + dirty.size.height)),
                        static_cast<float>(dirty.size.width), static_cast<float>(dirty.size.height));
    SWELL_GfxTarget* previous = gCurrentPort;
    gCurrentPort = screen;
    drawRect(dirty);
    gCurrentPort = previous;
    SWELL_GfxRestoreState(screen);
  }
  // Children may be removed while their parent draws.
  const std::vector<NSView*> children = mSubviews;
  for (NSView* child : children) {
    if (std::find(mSubviews.begin(), mSubviews.end(), child) == mSubviews.end()) continue;
    child->display(NSPoint{origin.x + child->mFrame.origin.x, origin.y + child->mFrame.origin.y});
  }
}

// ---- NSWindow.

NSWindow::NSWindow(NSRect frame)
    : mFrame(frame), mContentView(new NSView(NSMakeRect(0, 0, frame.size.width, frame.size.height))) {
  const int w = std::max(0, static_cast<int>(frame.size.width));
  const int h = std::max(0, static_cast<int>(frame.size.height));
  mPixels.assign(static_cast<size_t>(w) * h * 4, 0);
  SWELL_GfxInit(&mScreen, mPixels.empty() ? nullptr : mPixels.data(), w, h, w * 4);
  mContentView->attachWindow(this);
  if (Windows().empty()) standin::AddRunLoopObserver(DisplayAll, nullptr);
  Windows().push_back(this);
}

namespace {

NSRect FrameOfCarbonWindow(WindowRef w) {
  if (!w) return NSMakeRect(0, 0, 0, 0);
  const Rect& b = w->contentBounds;
  const double screenHeight = static_cast<double>(CGDisplayPixelsHigh(CGMainDisplayID()));
  return NSMakeRect(b.left, screenHeight - b.bottom, b.right - b.left, b.bottom - b.top);
}

}  // namespace

NSWindow::NSWindow(WindowRef carbonWindow) : NSWindow(FrameOfCarbonWindow(carbonWindow)) {}

NSWindow::~NSWindow() {
  for (NSWindow* child : mChildren) child->mParent = nullptr;
  if (mParent) mParent->removeChildWindow(this);
  delete mContentView;
  auto& windows = Windows();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  if (windows.empty()) standin::RemoveRunLoopObserver(DisplayAll, nullptr);
}

void NSWindow::display() { mContentView->display(NSPoint{0.0, 0.0}); }

void NSWindow::orderFront() { mVisible = true; }

void NSWindow::orderOut() { mVisible = false; }

void NSWindow::close() {
  mVisible = false;
  if (mReleasedWhenClosed) delete this;
}

void NSWindow::addChildWindow(NSWindow* child) {
  if (!child || child == this || child->mParent == this) return;
  if (child->mParent) child->mParent->removeChildWindow(child);
  child->mParent = this;
  mChildren.push_back(child);
}

void NSWindow::removeChildWindow(NSWindow* child) {
  auto it = std::find(mChildren.begin(), mChildren.end(), child);
  if (it == mChildren.end()) return;
  (*it)->mParent = nullptr;
  mChildren.erase(it);
}

int NSWindow::screenPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= mScreen.width || y >= mScreen.height) return 0;
  const unsigned char* p = mScreen.pixels + static_cast<size_t>(y) * mScreen.rowBytes + x * 4;
  return (p[1] << 16) | (p[2] << 8) | p[3];
}
