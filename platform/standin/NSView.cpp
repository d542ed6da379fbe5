#include "platform/standin/NSView.h"

#include <algorithm>
#include <cmath>

#include "platform/standin/MacWindows.h"
#include "platform/standin/RunLoop.h"

namespace {

SWELL_GfxTarget* gCurrentPort = nullptr;

struct FocusLock {
  SWELL_GfxTarget* previousPort;
  SWELL_GfxTarget* screen;
};
std::vector<FocusLock> gFocusLocks;

int gNextWindowNumber = 1;

NSWindow* gKeyWindow = nullptr;

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

SWELL_GfxRect Intersect(SWELL_GfxRect a, SWELL_GfxRect b) {
  SWELL_GfxRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

int Edge(double v) { return static_cast<int>(std::max(-1e9, std::min(1e9, std::floor(v + 0.5)))); }

}  // namespace

SWELL_GfxTarget* NSGraphicsContextCurrentPort() { return gCurrentPort; }

const std::vector<NSWindow*>& standin::AllWindows() { return Windows(); }

// ---- NSResponder: what a responder leaves goes to the next one.

void NSResponder::mouseDown(NSEvent* event) {
  if (NSResponder* next = nextResponder()) next->mouseDown(event);
}
void NSResponder::mouseUp(NSEvent* event) {
  if (NSResponder* next = nextResponder()) next->mouseUp(event);
}
void NSResponder::mouseDragged(NSEvent* event) {
  if (NSResponder* next = nextResponder()) next->mouseDragged(event);
}
void NSResponder::rightMouseDown(NSEvent* event) {
  if (NSResponder* next = nextResponder()) next->rightMouseDown(event);
}
void NSResponder::rightMouseUp(NSEvent* event) {
  if (NSResponder* next = nextResponder()) next->rightMouseUp(event);
}
void NSResponder::rightMouseDragged(NSEvent* event) {
  if (NSResponder* next = nextResponder()) next->rightMouseDragged(event);
}
void NSResponder::mouseMoved(NSEvent* event) {
  if (NSResponder* next = nextResponder()) next->mouseMoved(event);
}
void NSResponder::scrollWheel(NSEvent* event) {
  if (NSResponder* next = nextResponder()) next->scrollWheel(event);
}
void NSResponder::keyDown(NSEvent* event) {
  if (NSResponder* next = nextResponder()) next->keyDown(event);
}

// ---- NSView.

NSView::~NSView() {
  if (mWindow) mWindow->forgetView(this);
  while (mFocusLocks > 0) unlockFocus();
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

void NSView::setFrame(NSRect frame) {
  mFrame = frame;
  setNeedsDisplay(true);
}

void NSView::setFrameSize(NSSize size) { setFrame(NSRect{mFrame.origin, size}); }

void NSView::setHidden(bool hidden) {
  if (hidden == mHidden) return;
  mHidden = hidden;
  if (hidden && mWindow) mWindow->forgetView(this);
  if (mSuperview) mSuperview->setNeedsDisplayInRect(mFrame);
  if (!hidden) setNeedsDisplay(true);
}

void NSView::addSubview(NSView* view) {
  if (!view || view == this) return;
  if (view->mSuperview) {
    auto& siblings = view->mSuperview->mSubviews;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), view), siblings.end());
  }
  view->mSuperview = this;
  mSubviews.push_back(view);
  view->attachWindow(mWindow);
  view->setNeedsDisplay(true);
}

void NSView::removeFromSuperview() {
  if (!mSuperview) return;
  mSuperview->setNeedsDisplayInRect(mFrame);
  auto& siblings = mSuperview->mSubviews;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  mSuperview = nullptr;
  attachWindow(nullptr);
}

void NSView::attachWindow(NSWindow* window) {
  const bool moved = window != mWindow;
  if (moved && mWindow) {
    NSWindow* old = mWindow;
    // A first responder that leaves its window gives up its place.
    if (old->mFirstResponder == this) {
      old->mFirstResponder = nullptr;
      resignFirstResponder();
    }
    old->forgetView(this);
  }
  mWindow = window;
  for (NSView* child : mSubviews) child->attachWindow(window);
  if (moved) viewDidMoveToWindow();
}

NSResponder* NSView::nextResponder() const {
  if (mSuperview) return mSuperview;
  if (mWindow && mWindow->contentView() == this) return mWindow;
  return nullptr;
}

NSPoint NSView::toSuperview(NSPoint p) const {
  const double h = mFrame.size.height;
  const double up = isFlipped() ? h - p.y : p.y;
  const bool superFlipped = mSuperview && mSuperview->isFlipped();
  return NSPoint{mFrame.origin.x + p.x, mFrame.origin.y + (superFlipped ? h - up : up)};
}

NSPoint NSView::fromSuperview(NSPoint p) const {
  const double h = mFrame.size.height;
  const bool superFlipped = mSuperview && mSuperview->isFlipped();
  const double up = superFlipped ? h - (p.y - mFrame.origin.y) : p.y - mFrame.origin.y;
  return NSPoint{p.x - mFrame.origin.x, isFlipped() ? h - up : up};
}

NSPoint NSView::convertPointToBase(NSPoint point) const {
  for (const NSView* v = this; v; v = v->mSuperview) point = v->toSuperview(point);
  return point;
}

NSPoint NSView::convertPointFromBase(NSPoint point) const {
  std::vector<const NSView*> chain;
  for (const NSView* v = this; v; v = v->mSuperview) chain.push_back(v);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) point = (*it)->fromSuperview(point);
  return point;
}

NSPoint NSView::convertPoint(NSPoint point, const NSView* from) const {
  return convertPointFromBase(from ? from->convertPointToBase(point) : point);
}

NSView* NSView::hitTest(NSPoint point) {
  if (mHidden) return nullptr;
  const NSPoint local = fromSuperview(point);
  if (local.x < 0 || local.y < 0 || local.x >= mFrame.size.width || local.y >= mFrame.size.height) return nullptr;
  for (auto it = mSubviews.rbegin(); it != mSubviews.rend(); ++it) {
    if (NSView* hit = (*it)->hitTest(local)) return hit;
  }
  return this;
}

void NSView::setNeedsDisplayInRect(NSRect r) {
  mDirty = mNeedsDisplay ? Union(mDirty, r) : r;
  mNeedsDisplay = true;
}

void NSView::setNeedsDisplay(bool needs) {
  if (needs) {
    setNeedsDisplayInRect(NSMakeRect(0, 0, mFrame.size.width, mFrame.size.height));
  } else {
    mNeedsDisplay = false;
  }
}

SWELL_GfxRect NSView::deviceRect(NSRect local) const {
  const double screenHeight = mWindow ? mWindow->frame().size.height : 0.0;
  const NSPoint a = convertPointToBase(local.origin);
  const NSPoint b = convertPointToBase(NSPoint{local.origin.x + local.size.width, local.origin.y + local.size.height});
  return SWELL_GfxRect{Edge(std::min(a.x, b.x)), Edge(screenHeight - std::max(a.y, b.y)), Edge(std::max(a.x, b.x)),
                       Edge(screenHeight - std::min(a.y, b.y))};
}

void NSView::focusScreen(SWELL_GfxRect clip) const {
  SWELL_GfxTarget* screen = mWindow->screen();
  const double screenHeight = mWindow->frame().size.height;
  const double h = mFrame.size.height;
  // The screen point of the view's top-left corner.
  const NSPoint topLeft = convertPointToBase(NSPoint{0.0, isFlipped() ? 0.0 : h});
  screen->state.clip = clip;
  screen->state.originX = static_cast<float>(topLeft.x);
  screen->state.originY = static_cast<float>(screenHeight - topLeft.y + (isFlipped() ? h : 0.0));
  screen->state.scaleY = isFlipped() ? -1.0f : 1.0f;
}

void NSView::display(SWELL_GfxRect parentClip) {
  if (mHidden || !mWindow) return;
  const SWELL_GfxRect clip =
      Intersect(parentClip, deviceRect(NSMakeRect(0, 0, mFrame.size.width, mFrame.size.height)));
  if (mNeedsDisplay) {
    mNeedsDisplay = false;
    const NSRect dirty = mDirty;
    SWELL_GfxTarget* screen = mWindow->screen();
    SWELL_GfxSaveState(screen);
    focusScreen(Intersect(clip, deviceRect(dirty)));
    SWELL_GfxTarget* previous = gCurrentPort;
    gCurrentPort = screen;
    drawRect(dirty);
    gCurrentPort = previous;
    SWELL_GfxRestoreState(screen);
  }
  // Children may be removed while their parent draws.
  const std::vector<NSView*> children = mSubviews;
  for (NSView* child : children) {
    if (std::find(mSubviews.begin(), mSubviews.end(), child) != mSubviews.end()) child->display(clip);
  }
}

bool NSView::lockFocusIfCanDraw() {
  if (!mWindow || !mWindow->screen()->pixels) return false;
  for (const NSView* v = this; v; v = v->mSuperview) {
    if (v->mHidden) return false;
  }
  SWELL_GfxTarget* screen = mWindow->screen();
  gFocusLocks.push_back(FocusLock{gCurrentPort, screen});
  SWELL_GfxSaveState(screen);
  focusScreen(Intersect(SWELL_GfxRect{0, 0, screen->width, screen->height},
                        deviceRect(NSMakeRect(0, 0, mFrame.size.width, mFrame.size.height))));
  gCurrentPort = screen;
  ++mFocusLocks;
  return true;
}

void NSView::unlockFocus() {
  if (mFocusLocks == 0 || gFocusLocks.empty()) return;
  --mFocusLocks;
  const FocusLock lock = gFocusLocks.back();
  gFocusLocks.pop_back();
  SWELL_GfxRestoreState(lock.screen);
  gCurrentPort = lock.previousPort;
}

// ---- NSWindow.

NSWindow::NSWindow(NSRect frame) : NSWindow(frame, NSTitledWindowMask, NSBackingStoreBuffered, false) {}

NSWindow::NSWindow(NSRect frame, unsigned long styleMask, NSBackingStoreType, bool)
    : mFrame(frame),
      mStyleMask(styleMask),
      mContentView(new NSView(NSMakeRect(0, 0, frame.size.width, frame.size.height))),
      mWindowNumber(gNextWindowNumber++) {
  setFrame(frame);
  mContentView->attachWindow(this);
  if (Windows().empty()) standin::AddRunLoopObserver(DisplayAll, nullptr);
  Windows().push_back(this);
}

NSWindow::NSWindow(WindowRef carbonWindow)
    : NSWindow(carbonWindow ? carbonWindow->frame() : NSMakeRect(0, 0, 0, 0)) {}

NSWindow::~NSWindow() {
  if (gKeyWindow == this) gKeyWindow = nullptr;
  for (NSWindow* child : mChildren) child->mParent = nullptr;
  if (mParent) mParent->removeChildWindow(this);
  delete mContentView;
  auto& windows = Windows();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  if (windows.empty()) standin::RemoveRunLoopObserver(DisplayAll, nullptr);
}

void NSWindow::setContentView(NSView* view) {
  if (view == mContentView) return;
  NSView* old = mContentView;
  mContentView = nullptr;
  delete old;
  mContentView = view;
  if (!view) return;
  if (view->mSuperview) view->removeFromSuperview();
  view->mFrame = NSMakeRect(0, 0, mFrame.size.width, mFrame.size.height);
  view->attachWindow(this);
  view->setNeedsDisplay(true);
}

void NSWindow::setFrame(NSRect frame) {
  mFrame = frame;
  const int w = std::max(0, static_cast<int>(frame.size.width));
  const int h = std::max(0, static_cast<int>(frame.size.height));
  mPixels.assign(static_cast<size_t>(w) * h * 4, 0);
  SWELL_GfxInit(&mScreen, mPixels.empty() ? nullptr : mPixels.data(), w, h, w * 4);
  if (mContentView) mContentView->setFrame(NSMakeRect(0, 0, frame.size.width, frame.size.height));
}

void NSWindow::display() {
  if (mContentView) mContentView->display(SWELL_GfxRect{0, 0, mScreen.width, mScreen.height});
}

void NSWindow::orderFront() { mVisible = true; }

void NSWindow::orderOut() {
  mVisible = false;
  if (gKeyWindow == this) gKeyWindow = nullptr;
}

void NSWindow::makeKeyAndOrderFront() {
  orderFront();
  if (canBecomeKeyWindow()) gKeyWindow = this;
}

bool NSWindow::isKeyWindow() const { return gKeyWindow == this; }

void NSWindow::close() {
  orderOut();
  if (mReleasedWhenClosed) release();
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

void NSWindow::forgetView(NSView* view) {
  if (mMouseView == view) mMouseView = nullptr;
  if (mFirstResponder == view) mFirstResponder = nullptr;
}

bool NSWindow::makeFirstResponder(NSResponder* responder) {
  if (responder == this) responder = nullptr;
  if (responder == mFirstResponder) return true;
  if (NSResponder* current = mFirstResponder) {
    if (!current->resignFirstResponder()) return false;
    // Resigning may have chosen another first responder already.
    if (mFirstResponder == current) mFirstResponder = nullptr;
  }
  if (responder && (!responder->acceptsFirstResponder() || !responder->becomeFirstResponder())) return false;
  mFirstResponder = responder;
  return true;
}

void NSWindow::sendEvent(NSEvent* event) {
  if (!event) return;
  standin::EventDelivery delivery;
  switch (event->type()) {
    case NSLeftMouseDown:
    case NSRightMouseDown: {
      NSView* hit = mContentView ? mContentView->hitTest(event->locationInWindow()) : nullptr;
      mMouseView = hit;
      if (!hit) return;
      if (hit != mFirstResponder && hit->acceptsFirstResponder()) makeFirstResponder(hit);
      // Giving up the first place may have removed the view.
      if (mMouseView != hit) return;
      if (event->type() == NSLeftMouseDown) {
        hit->mouseDown(event);
      } else {
        hit->rightMouseDown(event);
      }
      return;
    }
    case NSLeftMouseUp:
    case NSRightMouseUp: {
      NSView* view = mMouseView;
      mMouseView = nullptr;
      if (!view) return;
      if (event->type() == NSLeftMouseUp) {
        view->mouseUp(event);
      } else {
        view->rightMouseUp(event);
      }
      return;
    }
    case NSLeftMouseDragged:
      if (mMouseView) mMouseView->mouseDragged(event);
      return;
    case NSRightMouseDragged:
      if (mMouseView) mMouseView->rightMouseDragged(event);
      return;
    case NSMouseMoved:
      if (mAcceptsMouseMoved) firstResponder()->mouseMoved(event);
      return;
    case NSScrollWheel:
      if (NSView* hit = mContentView ? mContentView->hitTest(event->locationInWindow()) : nullptr) {
        hit->scrollWheel(event);
      }
      return;
    case NSKeyDown:
      firstResponder()->keyDown(event);
      return;
    default:
      return;
  }
}

int NSWindow::screenPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= mScreen.width || y >= mScreen.height) return 0;
  const unsigned char* p = mScreen.pixels + static_cast<size_t>(y) * mScreen.rowBytes + x * 4;
  return (p[1] << 16) | (p[2] << 8) | p[3];
}
