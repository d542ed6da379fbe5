// Stands in for the GDI emulation's drawing contexts over platform bitmap contexts on Linux.
#pragma once

#include "platform/standin/SwellGfxTarget.h"

struct HGDIOBJ__;
typedef HGDIOBJ__* HGDIOBJ;
typedef HGDIOBJ HPEN;
typedef HGDIOBJ HBRUSH;
typedef HGDIOBJ HFONT;

struct RECT {
  int left, top, right, bottom;
};

struct POINT {
  int x, y;
};

// Drawing context. A record taken from the pool, or newly made, has every
// field zero; the context does not own its selected objects.
struct HDC__ {
  SWELL_GfxTarget* cgContext;
  // Memory contexts only: the raw block the pixels sit in, 64-byte aligned inside.
  void* ownedPixels;
  HGDIOBJ pen;
  HGDIOBJ brush;
  HGDIOBJ font;
  // Set once a text colour was given (memory contexts start black); text
  // drawn without one keeps the colour its font last drew with.
  bool hasTextColor;
  int textColor;        // 0x00RRGGBB
  int backgroundColor;  // 0x00RRGGBB, behind opaque text
  int backgroundMode;   // 1 fills the text background
  float positionX;
  float positionY;
  bool inFreeList;
  HDC__* nextFree;
};
typedef HDC__* HDC;

// A zeroed record from the process-wide pool, or a new one; null when none can be had.
HDC SWELL_GDP_CTX_NEW();
// A context over a zeroed w x h pixel block whose rows are exactly w * 4 bytes
// apart; null when the block cannot be had (sizes below 1 or above INT_MAX bytes).
HDC SWELL_CreateMemContext(HDC ignored, int w, int h);
// A context that draws into someone else's target; it owns no pixels.
HDC SWELL_CreateGfxContext(void* graphicsContext);
// Frees a memory context's pixels and returns the record to the pool; null and
// pooled records are ignored.
void SWELL_DeleteGfxContext(HDC ctx);
// The first pixel of a memory context; null for other, null or pooled contexts.
void* SWELL_GetCtxFrameBuffer(HDC ctx);
// The context's target; null for null or pooled contexts.
SWELL_GfxTarget* SWELL_GetCtxGC(HDC ctx);
