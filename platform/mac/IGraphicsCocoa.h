#pragma once

#include "graphics/IGraphicsStructs.h"
#include "platform/standin/NSMenu.h"
#include "platform/standin/NSView.h"
#include "platform/standin/RunLoop.h"

class IGraphicsMac;
class IPopupMenu;

// The Cocoa view that shows the editor: it runs the redraw timer, redraws
// the editor into the screen and shows popup menus natively. It takes no
// mouse, wheel or key events and opens no text fields yet.
class IGraphicsCocoa_vThudrokka_au : public NSView {
 public:
  // initWithIGraphics: the editor's size, and the timer at its frame rate.
  explicit IGraphicsCocoa_vThudrokka_au(IGraphicsMac* graphics);
  ~IGraphicsCocoa_vThudrokka_au() override;

  bool isOpaque() override { return mGraphics != nullptr; }
  void drawRect(NSRect rect) override;
  // A view removed by its host detaches itself and closes the editor's
  // window; it stays in its superview, inert.
  void removeFromSuperview() override;

  void onTimer(standin::RunLoopTimer* sender);
  void killTimer();
  // area in view coordinates; the (sub)menu model in which an item was chosen, or null.
  IPopupMenu* createIPopupMenu(IPopupMenu* menu, NSRect area);

  IGraphicsMac* mGraphics;
  standin::RunLoopTimer* mTimer = nullptr;

 private:
  static void TimerProc(void* view);
};

// A native menu built from a menu model, item for item.
class IGraphicsNSMenu_vThudrokka_au : public NSMenu {
 public:
  IGraphicsNSMenu_vThudrokka_au(IPopupMenu* model, NSView* receiver);
  IPopupMenu* AssociatedIPopupMenu() const { return mIPopupMenu; }

 private:
  IPopupMenu* mIPopupMenu;
};

// Keeps the item chosen in the last menu.
class IGraphicsMenuRcvr_vThudrokka_au : public NSView {
 public:
  explicit IGraphicsMenuRcvr_vThudrokka_au(NSRect frame) : NSView(frame) {}
  NSMenuItem* MenuItem() const { return nsMenuItem; }
  void OnMenuSelection(NSMenuItem* sender) { nsMenuItem = sender; }

 private:
  NSMenuItem* nsMenuItem = nullptr;
};
