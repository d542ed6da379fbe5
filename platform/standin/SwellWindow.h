// Stands in for AppKit windows and views (NSWindow, NSView) as the GDI emulation's window contexts see them, on Linux.
#pragma once

#include "platform/standin/SwellGdi.h"

struct HWND__ {
  bool isWindow;          // a window, else a view
  HWND__* contentView;    // windows: the content view, or null
  RECT bounds;            // views: bounds; the origin need not be (0, 0)
  SWELL_GfxTarget* drawTarget;  // what focus locking draws into; null: the view cannot draw
  bool answersPaintInfo;  // implements the paint-information request
  HDC paintContext;       // the context it reports while painting
  int focusLocks;         // focus locks not yet unlocked
};
typedef HWND__* HWND;
