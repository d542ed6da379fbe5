#pragma once

#include <algorithm>

#include "platform/standin/SwellGdi.h"

namespace gditest {

// A memory context that deletes itself.
struct MemContext {
  HDC ctx;
  MemContext(int w, int h) : ctx(SWELL_CreateMemContext(nullptr, w, h)) {}
  ~MemContext() { SWELL_DeleteGfxContext(ctx); }
  MemContext(const MemContext&) = delete;
  MemContext& operator=(const MemContext&) = delete;

  unsigned char* Pixel(int x, int y) { return ctx->cgContext->pixels + y * ctx->cgContext->rowBytes + x * 4; }
};

// Bounding box of the pixels whose red byte is not 0; empty (all 0) when none.
inline RECT RedBounds(MemContext& m) {
  RECT box = {0, 0, 0, 0};
  bool any = false;
  for (int y = 0; y < m.ctx->cgContext->height; ++y) {
    for (int x = 0; x < m.ctx->cgContext->width; ++x) {
      if (m.Pixel(x, y)[1] == 0) continue;
      if (!any) box = RECT{x, y, x + 1, y + 1};
      any = true;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box;
}

}  // namespace gditest
