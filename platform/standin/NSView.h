// Stands in for AppKit responders, views, windows and the current graphics context (NSResponder, NSView, NSWindow, NSGraphicsContext) on Linux.
#pragma once

#include <vector>

#include "platform/standin/NSEvent.h"
#include "platform/standin/NSGeometry.h"
#include "platform/standin/NSObject.h"
#include "platform/standin/SwellGdi.h"
#include "platform/standin/SwellWindow.h"

struct OpaqueWindowPtr;
typedef OpaqueWindowPtr* WindowRef;
class NSWindow;

// Something that takes events: what it does not handle goes on to its next
// responder (a view's superview, the content view's window).
class NSResponder : public NSObject {
 public:
  virtual NSResponder* nextResponder() const { return nullptr; }
  virtual bool acceptsFirstResponder() { return false; }
  // Answers whether the responder takes, or gives up, the first place.
  virtual bool becomeFirstResponder() { return true; }
  virtual bool resignFirstResponder() { return true; }

  virtual void mouseDown(NSEvent* event);
  virtual void mouseUp(NSEvent* event);
  virtual void mouseDragged(NSEvent* event);
  virtual void rightMouseDown(NSEvent* event);
  virtual void rightMouseUp(NSEvent* event);
  virtual void rightMouseDragged(NSEvent* event);
  virtual void mouseMoved(NSEvent* event);
  virtual void scrollWheel(NSEvent* event);
  virtual void keyDown(NSEvent* event);

  // The GDI emulation's informal paint-information request: false when the
  // object does not answer it, else true with the record filled.
  virtual bool getSwellPaintInfo(PAINTSTRUCT*) { return false; }
};

// A view in a tree of views. A superview owns its subviews and deletes them
// with itself; removeFromSuperview hands a view back to whoever removes it.
// A view's own coordinates have y growing upwards from its bottom-left
// corner, or downwards from its top-left corner when it is flipped; its
// frame is given in its superview's coordinates.
class NSView : public NSResponder {
 public:
  explicit NSView(NSRect frame = NSMakeRect(0, 0, 0, 0)) : mFrame(frame) {}
  ~NSView() override;

  NSRect frame() const { return mFrame; }
  void setFrame(NSRect frame);
  void setFrameSize(NSSize size);
  // The bounds' origin is only reported: drawing keeps the frame's corner.
  NSRect bounds() const { return NSRect{mBoundsOrigin, mFrame.size}; }
  void setBoundsOrigin(NSPoint origin) { mBoundsOrigin = origin; }
  virtual bool isFlipped() const { return false; }
  // A hidden view and its subviews neither draw nor take the mouse.
  bool isHidden() const { return mHidden; }
  void setHidden(bool hidden);

  NSView* superview() const { return mSuperview; }
  const std::vector<NSView*>& subviews() const { return mSubviews; }
  NSWindow* window() const { return mWindow; }
  void addSubview(NSView* view);
  virtual void removeFromSuperview();

  // The deepest visible view, this one or below, under a point given in the
  // superview's coordinates (the window's base coordinates for a content view).
  NSView* hitTest(NSPoint point);
  // A point of another view, or of the window's base coordinates when from is
  // null, in this view's coordinates.
  NSPoint convertPoint(NSPoint point, const NSView* from) const;
  NSPoint convertPointToBase(NSPoint point) const;
  NSPoint convertPointFromBase(NSPoint point) const;

  // Areas in this view's coordinates; the window draws them at the end of
  // the run loop's pass.
  void setNeedsDisplayInRect(NSRect r);
  void setNeedsDisplay(bool needs);
  bool needsDisplay() const { return mNeedsDisplay; }
  NSRect needsDisplayRect() const { return mDirty; }

  virtual void drawRect(NSRect) {}
  virtual bool isOpaque() { return false; }
  virtual void viewDidMoveToWindow() {}
  virtual bool acceptsFirstMouse(NSEvent*) { return false; }
  NSResponder* nextResponder() const override;

  // Makes the view's context the current one for drawing outside drawRect;
  // false, with nothing changed, when the view is not on a window's screen
  // or is hidden. Each lock is undone by one unlockFocus.
  bool lockFocusIfCanDraw();
  void unlockFocus();

 private:
  friend class NSWindow;
  void attachWindow(NSWindow* window);
  // The point in the superview's coordinates, and back.
  NSPoint toSuperview(NSPoint point) const;
  NSPoint fromSuperview(NSPoint point) const;
  // A rectangle of this view in whole pixels of the window's screen.
  SWELL_GfxRect deviceRect(NSRect local) const;
  // Sets the screen's state to draw this view inside clip.
  void focusScreen(SWELL_GfxRect clip) const;
  // Draws what needs it inside the parent's visible area.
  void display(SWELL_GfxRect parentClip);

  NSRect mFrame;
  NSPoint mBoundsOrigin{0.0, 0.0};
  bool mHidden = false;
  NSView* mSuperview = nullptr;
  NSWindow* mWindow = nullptr;
  std::vector<NSView*> mSubviews;
  bool mNeedsDisplay = false;
  NSRect mDirty = NSMakeRect(0, 0, 0, 0);
  int mFocusLocks = 0;
};

enum : unsigned long { NSBorderlessWindowMask = 0, NSTitledWindowMask = 1 };
enum NSBackingStoreType { NSBackingStoreBuffered = 2 };

// A window whose content area is a stand-in screen: 32-bit pixels, top row
// first, bytes (unused), red, green, blue, that tests can read. The frame is
// in screen coordinates (origin at the bottom left of the main screen).
// One window at a time is the key window.
//
// Events handed to sendEvent go where AppKit sends them: a mouse-down to the
// view under it (which becomes first responder when it accepts), its drags
// and mouse-up to that same view, wheel events to the view under the
// pointer, keys and (when accepted) mouse moves to the first responder.
class NSWindow : public NSResponder {
 public:
  // A titled window of the given content size, with a content view filling it.
  explicit NSWindow(NSRect frame);
  // initWithContentRect:styleMask:backing:defer: (only buffered backing here).
  NSWindow(NSRect frame, unsigned long styleMask, NSBackingStoreType backing, bool defer);
  // A window over a Carbon window, with its frame (initWithWindowRef:).
  explicit NSWindow(WindowRef carbonWindow);
  ~NSWindow() override;

  NSView* contentView() const { return mContentView; }
  // The window takes the view (which may be null) and deletes the old one.
  void setContentView(NSView* view);
  NSRect frame() const { return mFrame; }
  // The screen takes the new size and is cleared; the content view follows.
  void setFrame(NSRect frame);
  // Draws every view that needs it; the run loop does this after each pass.
  void display();
  void orderFront();
  void orderOut();
  // Orders the window front; it becomes the key window only when it can.
  void makeKeyAndOrderFront();
  bool isVisible() const { return mVisible; }
  // Titled windows can, borderless ones cannot.
  virtual bool canBecomeKeyWindow() { return (mStyleMask & NSTitledWindowMask) != 0; }
  bool isKeyWindow() const;
  void setOpaque(bool opaque) { mOpaque = opaque; }
  bool isOpaque() const { return mOpaque; }
  void setHasShadow(bool shadow) { mHasShadow = shadow; }
  bool hasShadow() const { return mHasShadow; }
  void setCanHide(bool canHide) { mCanHide = canHide; }
  bool canHide() const { return mCanHide; }
  // A window released when closed gives up its creator's reference in close().
  void setReleasedWhenClosed(bool released) { mReleasedWhenClosed = released; }
  void close();
  void addChildWindow(NSWindow* child);
  void removeChildWindow(NSWindow* child);
  const std::vector<NSWindow*>& childWindows() const { return mChildren; }
  NSWindow* parentWindow() const { return mParent; }
  int windowNumber() const { return mWindowNumber; }

  void sendEvent(NSEvent* event);
  // Null makes the window itself first responder. False when the current
  // one refuses to resign or the new one does not accept.
  bool makeFirstResponder(NSResponder* responder);
  NSResponder* firstResponder() const { return mFirstResponder ? mFirstResponder : const_cast<NSWindow*>(this); }
  void setAcceptsMouseMovedEvents(bool accepts) { mAcceptsMouseMoved = accepts; }
  bool acceptsMouseMovedEvents() const { return mAcceptsMouseMoved; }

  // The screen: width x height pixels of the content area.
  SWELL_GfxTarget* screen() { return &mScreen; }
  // One pixel as 0x00RRGGBB; 0 outside.
  int screenPixel(int x, int y) const;

 private:
  friend class NSView;
  void forgetView(NSView* view);

  NSRect mFrame;
  unsigned long mStyleMask;
  NSView* mContentView;
  std::vector<unsigned char> mPixels;
  SWELL_GfxTarget mScreen;
  bool mVisible = false;
  bool mOpaque = false;
  bool mHasShadow = true;
  bool mCanHide = true;
  bool mReleasedWhenClosed = false;
  std::vector<NSWindow*> mChildren;
  NSWindow* mParent = nullptr;
  int mWindowNumber;
  NSResponder* mFirstResponder = nullptr;
  NSView* mMouseView = nullptr;
  bool mAcceptsMouseMoved = false;
};

// The context of the view being drawn, null outside drawing. An unflipped
// view draws with y growing downwards from its top-left corner, a flipped
// one with y growing upwards from its bottom-left corner: the stand-in's
// contexts are the platform's upside down, so images come out upright in
// the first and upside down in the second, as they do there.
SWELL_GfxTarget* NSGraphicsContextCurrentPort();

namespace standin {

// Every window alive, in creation order.
const std::vector<NSWindow*>& AllWindows();

}  // namespace standin
