// Stands in for the QuickDraw ports and regions that Carbon drawing hands around (QuickDraw) on Linux.
#pragma once

#include "platform/standin/CGImage.h"
#include "platform/standin/MacTypes.h"

struct OpaqueWindowPtr;
typedef OpaqueWindowPtr* WindowRef;
struct OpaqueGrafPtr;
typedef OpaqueGrafPtr* CGrafPtr;
typedef struct OpaqueRgnHandle* RgnHandle;

// A window's port covers its content, from (0, 0) at the top left.
struct OpaqueGrafPtr {
  WindowRef window;
};

Rect* GetPortBounds(CGrafPtr port, Rect* outBounds);
// A context over the port's pixels until QDEndCGContext: its y axis runs
// down from the port's top-left corner (the platform's, upside down, as with
// every stand-in context) and it is clipped to the port.
OSStatus QDBeginCGContext(CGrafPtr port, CGContextRef* outContext);
OSStatus QDEndCGContext(CGrafPtr port, CGContextRef* context);

RgnHandle NewRgn();
void DisposeRgn(RgnHandle region);
void RectRgn(RgnHandle region, const Rect* rect);
Rect* GetRegionBounds(RgnHandle region, Rect* outBounds);
