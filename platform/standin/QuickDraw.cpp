#include "platform/standin/QuickDraw.h"

#include "platform/standin/MacWindows.h"

struct OpaqueRgnHandle {
  Rect bounds;
};

Rect* GetPortBounds(CGrafPtr port, Rect* outBounds) {
  if (!outBounds) return nullptr;
  *outBounds = Rect{0, 0, 0, 0};
  if (port && port->window) {
    const NSRect frame = port->window->frame();
    *outBounds = Rect{0, 0, static_cast<short>(frame.size.height), static_cast<short>(frame.size.width)};
  }
  return outBounds;
}

OSStatus QDBeginCGContext(CGrafPtr port, CGContextRef* outContext) {
  if (!port || !port->window || !outContext) return paramErr;
  SWELL_GfxTarget* screen = port->window->screen();
  SWELL_GfxSaveState(screen);
  screen->state = SWELL_GfxState{{0, 0, screen->width, screen->height}, 0.0f, 0.0f, 1.0f};
  *outContext = screen;
  return noErr;
}

OSStatus QDEndCGContext(CGrafPtr port, CGContextRef* context) {
  if (!port || !port->window || !context || *context != port->window->screen()) return paramErr;
  SWELL_GfxRestoreState(*context);
  *context = nullptr;
  return noErr;
}

RgnHandle NewRgn() { return new OpaqueRgnHandle{Rect{0, 0, 0, 0}}; }

void DisposeRgn(RgnHandle region) { delete region; }

void RectRgn(RgnHandle region, const Rect* rect) {
  if (region && rect) region->bounds = *rect;
}

Rect* GetRegionBounds(RgnHandle region, Rect* outBounds) {
  if (!outBounds) return nullptr;
  *outBounds = region ? region->bounds : Rect{0, 0, 0, 0};
  return outBounds;
}
