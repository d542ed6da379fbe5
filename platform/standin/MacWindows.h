// Stands in for Carbon windows (WindowRef, MacWindows) on Linux: a window of the AppKit stand-in whose content view is the root of its controls, with window attributes, an event target, a drawing port and keyboard focus. Bounds are global, with the origin at the top left of the main screen.
#pragma once

#include "platform/standin/CarbonEvents.h"
#include "platform/standin/MacTypes.h"
#include "platform/standin/NSView.h"

struct OpaqueControlRef;
typedef OpaqueControlRef* ControlRef;
struct OpaqueGrafPtr;
typedef OpaqueGrafPtr* CGrafPtr;

typedef UInt32 WindowAttributes;
typedef UInt32 WindowClass;
typedef UInt16 WindowRegionCode;

enum : WindowAttributes { kWindowNoAttributes = 0, kWindowCompositingAttribute = 1u << 19 };
enum : WindowClass { kDocumentWindowClass = 6 };
enum : WindowRegionCode { kWindowContentRgn = 33 };

constexpr OSStatus errInvalidWindowRef = -5600;

struct OpaqueWindowPtr : public NSWindow, public OpaqueEventTargetRef {
  OpaqueWindowPtr(WindowAttributes windowAttributes, const Rect& contentBounds);
  ~OpaqueWindowPtr() override;

  bool isCompositing() const { return (attributes & kWindowCompositingAttribute) != 0; }
  // The control with keyboard focus, if it is still in this window.
  ControlRef focusedControl() const;

  WindowAttributes attributes;
  // Compositing windows always have one; others once CreateRootControl made it.
  bool hasRootControl;
  ControlRef keyboardFocus = nullptr;
  OpaqueGrafPtr* port;
};

// The window is made hidden; its content view is the root control.
OSStatus CreateNewWindow(WindowClass windowClass, WindowAttributes attributes, const Rect* contentBounds,
                         WindowRef* outWindow);
// Disposes of the window's controls with it.
void DisposeWindow(WindowRef window);
OSStatus GetWindowAttributes(WindowRef window, WindowAttributes* outAttributes);
// Only the content region.
OSStatus GetWindowBounds(WindowRef window, WindowRegionCode region, Rect* outBounds);
OSStatus SetWindowBounds(WindowRef window, WindowRegionCode region, const Rect* bounds);
EventTargetRef GetWindowEventTarget(WindowRef window);
CGrafPtr GetWindowPort(WindowRef window);

// kUserFocusAuto gives the focus back to the frontmost window (the newest
// Carbon window here).
#define kUserFocusAuto (reinterpret_cast<WindowRef>(-1))
OSStatus SetUserFocusWindow(WindowRef window);
WindowRef GetUserFocusWindow();
// Where keys go: the focused control of the user focus window, else that window.
EventTargetRef GetUserFocusEventTarget();
