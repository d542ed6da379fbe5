#include "platform/standin/MacWindows.h"

#include <algorithm>
#include <vector>

#include "platform/standin/CGDisplay.h"
#include "platform/standin/HIView.h"
#include "platform/standin/QuickDraw.h"

namespace {

// Null while the focus follows the frontmost window.
WindowRef gUserFocusWindow = nullptr;

// Carbon windows alive, in creation order.
std::vector<WindowRef>& CarbonWindows() {
  static std::vector<WindowRef> windows;
  return windows;
}

bool IsLive(WindowRef window) {
  return std::find(CarbonWindows().begin(), CarbonWindows().end(), window) != CarbonWindows().end();
}

double ScreenHeight() { return static_cast<double>(CGDisplayPixelsHigh(CGMainDisplayID())); }

NSRect FrameOf(const Rect& b) {
  return NSMakeRect(b.left, ScreenHeight() - b.bottom, b.right - b.left, b.bottom - b.top);
}

}  // namespace

OpaqueWindowPtr::OpaqueWindowPtr(WindowAttributes windowAttributes, const Rect& contentBounds)
    : NSWindow(FrameOf(contentBounds)),
      attributes(windowAttributes),
      hasRootControl(isCompositing()),
      port(new OpaqueGrafPtr{this}) {
  auto* root = new OpaqueControlRef(OpaqueControlRef::kRootControl, NSMakeRect(0, 0, 0, 0));
  root->viewID = kHIViewWindowContentID;
  setContentView(root);
  CarbonWindows().push_back(this);
}

OpaqueWindowPtr::~OpaqueWindowPtr() {
  CarbonWindows().erase(std::remove(CarbonWindows().begin(), CarbonWindows().end(), this), CarbonWindows().end());
  if (gUserFocusWindow == this) gUserFocusWindow = nullptr;
  delete port;
}

ControlRef OpaqueWindowPtr::focusedControl() const {
  return keyboardFocus && keyboardFocus->window() == this ? keyboardFocus : nullptr;
}

OSStatus CreateNewWindow(WindowClass, WindowAttributes attributes, const Rect* contentBounds, WindowRef* outWindow) {
  if (!contentBounds || !outWindow) return paramErr;
  *outWindow = new OpaqueWindowPtr(attributes, *contentBounds);
  return noErr;
}

void DisposeWindow(WindowRef window) {
  if (!IsLive(window)) return;
  // Its controls hear of it while the window is still whole.
  standin::SendControlDispose(dynamic_cast<ControlRef>(window->contentView()));
  delete window;
}

OSStatus GetWindowAttributes(WindowRef window, WindowAttributes* outAttributes) {
  if (!IsLive(window) || !outAttributes) return errInvalidWindowRef;
  *outAttributes = window->attributes;
  return noErr;
}

OSStatus GetWindowBounds(WindowRef window, WindowRegionCode region, Rect* outBounds) {
  if (!IsLive(window) || !outBounds) return errInvalidWindowRef;
  if (region != kWindowContentRgn) return paramErr;
  const NSRect f = window->frame();
  const double bottom = ScreenHeight() - f.origin.y;
  *outBounds = Rect{static_cast<short>(bottom - f.size.height), static_cast<short>(f.origin.x),
                    static_cast<short>(bottom), static_cast<short>(f.origin.x + f.size.width)};
  return noErr;
}

OSStatus SetWindowBounds(WindowRef window, WindowRegionCode region, const Rect* bounds) {
  if (!IsLive(window) || !bounds) return errInvalidWindowRef;
  if (region != kWindowContentRgn || bounds->right < bounds->left || bounds->bottom < bounds->top) return paramErr;
  window->setFrame(FrameOf(*bounds));
  return noErr;
}

EventTargetRef GetWindowEventTarget(WindowRef window) { return IsLive(window) ? window : nullptr; }

CGrafPtr GetWindowPort(WindowRef window) { return IsLive(window) ? window->port : nullptr; }

OSStatus SetUserFocusWindow(WindowRef window) {
  if (window == kUserFocusAuto) {
    gUserFocusWindow = nullptr;
    return noErr;
  }
  if (!IsLive(window)) return errInvalidWindowRef;
  gUserFocusWindow = window;
  return noErr;
}

WindowRef GetUserFocusWindow() {
  if (gUserFocusWindow) return gUserFocusWindow;
  return CarbonWindows().empty() ? nullptr : CarbonWindows().back();
}

EventTargetRef GetUserFocusEventTarget() {
  WindowRef window = GetUserFocusWindow();
  if (!window) return nullptr;
  if (ControlRef focus = window->focusedControl()) return focus;
  return window;
}
