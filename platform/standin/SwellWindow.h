// Stands in for the window handles of the GDI emulation (HWND) on Linux: a handle is an AppKit window or view of NSView.h.
#pragma once

#include "platform/standin/SwellGdi.h"

class NSResponder;
typedef NSResponder* HWND;

// What a window or view that paints into a context of its own reports when
// asked (getSwellPaintInfo); only the context is read.
struct PAINTSTRUCT {
  HDC hdc;
  char reserved[16];
};
