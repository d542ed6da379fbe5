#pragma once

#include "graphics/IGraphicsStructs.h"
#include "platform/standin/CarbonEvents.h"
#include "platform/standin/HIView.h"
#include "platform/standin/Menus.h"

class IControl;
class IGraphicsMac;
class IParam;
class IPopupMenu;

// The editor in a Carbon window: a user pane that draws the back buffer from
// its draw events, the window's mouse and key events handed to the editor, a
// redraw timer on the main event loop, Menu Manager menus and, in
// compositing windows, text entry in an edit-text control. A pane that its
// host disposes of, alone or with its window, closes the editor's window
// and so deletes this. Main thread only.
class IGraphicsCarbon {
 public:
  IGraphicsCarbon(IGraphicsMac* pGraphicsMac, WindowRef pWindow, ControlRef pParentControl, short leftOffset,
                  short topOffset);
  // The pane stays in the window, without handlers.
  ~IGraphicsCarbon();
  IGraphicsCarbon(const IGraphicsCarbon&) = delete;
  IGraphicsCarbon& operator=(const IGraphicsCarbon&) = delete;

  // The window's content and the pane take the size; false without either.
  bool Resize(int w, int h);
  // The (sub)menu model in which an item was chosen, or null.
  IPopupMenu* CreateIPopupMenu(IPopupMenu* pMenu, IRECT* pAreaRect);
  // Only with a control, none open and in a compositing window.
  void CreateTextEntry(IControl* pControl, IText* pText, IRECT* pTextRect, const char* pString, IParam* pParam);
  // Closes the text entry, handing its text on when commit is set.
  void EndUserInput(bool commit);

  ControlRef GetView() const { return mView; }
  bool GetIsComposited() const { return mIsComposited; }
  // The context of the draw event being handled, null outside one.
  CGContextRef GetCGContext() const { return mCGC; }
  bool TextEntryOpen() const { return mTextEntryView != nullptr; }
  // The offsets the opener gave; the pane does not move by them.
  short GetLeftOffset() const { return mLeftOffset; }
  short GetTopOffset() const { return mTopOffset; }

  static OSStatus MainEventHandler(EventHandlerCallRef pHandlerCall, EventRef pEvent, void* pGraphicsCarbon);
  static OSStatus TextEntryHandler(EventHandlerCallRef pHandlerCall, EventRef pEvent, void* pGraphicsCarbon);
  static void TimerHandler(EventLoopTimerRef pTimer, void* pGraphicsCarbon);

 private:
  OSStatus HandleDraw(EventRef pEvent);
  OSStatus HandleMouse(EventHandlerCallRef pHandlerCall, EventRef pEvent);
  OSStatus HandleKey(EventRef pEvent);
  MenuRef CreateMenu(IPopupMenu* pMenu);

  IGraphicsMac* mGraphicsMac;
  bool mIsComposited = false;
  WindowRef mWindow;
  ControlRef mView = nullptr;
  EventLoopTimerRef mTimer = nullptr;
  EventHandlerRef mControlHandler = nullptr;
  EventHandlerRef mWindowHandler = nullptr;
  EventHandlerRef mTextEntryHandler = nullptr;
  CGContextRef mCGC = nullptr;
  ControlRef mTextEntryView = nullptr;
  IControl* mEdControl = nullptr;
  IParam* mEdParam = nullptr;
  int mPrevX = 0;
  int mPrevY = 0;
  short mLeftOffset;
  short mTopOffset;
};

// The bounds of the event's region as editor pixels, or (0, 0, w, h) when
// the event has none.
IRECT GetRegionRect(EventRef pEvent, int w, int h);
// The window's content takes the size; its top-left corner stays.
void ResizeWindow(WindowRef pWindow, int w, int h);
