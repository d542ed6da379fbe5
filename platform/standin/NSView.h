// Stands in for AppKit views, windows and the current graphics context (NSView, NSWindow, NSGraphicsContext) on Linux.
#pragma once

#include <string>
#include <vector>

#include "platform/standin/MacWindows.h"
#include "platform/standin/SwellGdi.h"

// AppKit rectangles: origin at the bottom left, y growing upwards.
struct NSPoint {
  double x, y;
};
struct NSSize {
  double width, height;
};
struct NSRect {
  NSPoint origin;
  NSSize size;
};
inline NSRect NSMakeRect(double x, double y, double w, double h) { return NSRect{{x, y}, {w, h}}; }

class NSWindow;

// A view in a tree of views. A superview owns its subviews and deletes them
// with itself; removeFromSuperview hands a view back to whoever removes it.
class NSView {
 public:
  explicit NSView(NSRect frame = NSMakeRect(0, 0, 0, 0)) : mFrame(frame) {}
  virtual ~NSView();
  NSView(const NSView&) = delete;
  NSView& operator=(const NSView&) = delete;

  NSRect frame() const { return mFrame; }
  NSRect bounds() const { return NSMakeRect(0, 0, mFrame.size.width, mFrame.size.height); }
  void setFrameSize(NSSize size);
  NSView* superview() const { return mSuperview; }
  const std::vector<NSView*>& subviews() const { return mSubviews; }
  NSWindow* window() const;
  void addSubview(NSView* view);
  virtual void removeFromSuperview();

  // Areas in this view's coordinates; the window draws them at the end of
  // the run loop's pass.
  void setNeedsDisplayInRect(NSRect r);
  void setNeedsDisplay(bool needs);
  bool needsDisplay() const { return mNeedsDisplay; }
  NSRect needsDisplayRect() const { return mDirty; }

  virtual void drawRect(NSRect) {}
  virtual bool isOpaque() { return false; }
  virtual void viewDidMoveToWindow() {}

 private:
  friend class NSWindow;
  void attachWindow(NSWindow* window);
  // Draws what needs it into the window's screen; origin is the view's
  // bottom-left corner in window coordinates.
  void display(NSPoint origin);

  NSRect mFrame;
  NSView* mSuperview = nullptr;
  NSWindow* mWindow = nullptr;
  std::vector<NSView*> mSubviews;
  bool mNeedsDisplay = false;
  NSRect mDirty = NSMakeRect(0, 0, 0, 0);
};

// A window whose content area is a stand-in screen: 32-bit pixels, top row
// first, bytes (unused), red, green, blue, that tests can read. The frame is
// in screen coordinates (origin at the bottom left of the main screen).
class NSWindow {
 public:
  // A window of the given content size, with a content view filling it.
  explicit NSWindow(NSRect frame);
  // A window over a Carbon window, with its frame (initWithWindowRef:).
  explicit NSWindow(WindowRef carbonWindow);
  virtual ~NSWindow();
  NSWindow(const NSWindow&) = delete;
  NSWindow& operator=(const NSWindow&) = delete;

  NSView* contentView() const { return mContentView; }
  NSRect frame() const { return mFrame; }
  // Draws every view that needs it; the run loop does this after each pass.
  void display();
  void orderFront();
  void orderOut();
  bool isVisible() const { return mVisible; }
  // A window released when closed is deleted by close().
  void setReleasedWhenClosed(bool released) { mReleasedWhenClosed = released; }
  void close();
  void addChildWindow(NSWindow* child);
  void removeChildWindow(NSWindow* child);
  const std::vector<NSWindow*>& childWindows() const { return mChildren; }
  NSWindow* parentWindow() const { return mParent; }

  // The screen: width x height pixels of the content area.
  SWELL_GfxTarget* screen() { return &mScreen; }
  // One pixel as 0x00RRGGBB; 0 outside.
  int screenPixel(int x, int y) const;

 private:
  NSRect mFrame;
  NSView* mContentView;
  std::vector<unsigned char> mPixels;
  SWELL_GfxTarget mScreen;
  bool mVisible = false;
  bool mReleasedWhenClosed = false;
  std::vector<NSWindow*> mChildren;
  NSWindow* mParent = nullptr;
};

// The context of the view being drawn, null outside drawing; its user space
// has the view's top-left corner at (0, 0) and y growing downwards.
SWELL_GfxTarget* NSGraphicsContextCurrentPort();

namespace standin {

// Every window alive, in creation order.
const std::vector<NSWindow*>& AllWindows();

}  // namespace standin
