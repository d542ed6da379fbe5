#include "platform/standin/SwellGfxTarget.h"

#include <algorithm>
#include <cmath>

namespace {

// Nearest pixel edge of a user-space coordinate, kept inside int.
int Edge(float v) {
  const double e = std::floor(static_cast<double>(v) + 0.5);
  return static_cast<int>(std::max(-1e9, std::min(1e9, e)));
}

unsigned char Blend(int dst, float src, float alpha) {
  const double v = dst + (src * 255.0 - dst) * alpha;
  return static_cast<unsigned char>(std::lround(std::max(0.0, std::min(255.0, v))));
}

}  // namespace

void SWELL_GfxInit(SWELL_GfxTarget* target, unsigned char* pixels, int w, int h, int rowBytes) {
  target->pixels = pixels;
  target->width = w;
  target->height = h;
  target->rowBytes = rowBytes;
  target->state = SWELL_GfxState{{0, 0, w, h}, 0.0f, 0.0f};
  target->savedStates.clear();
  target->paths.clear();
  target->lineWidth = 1.0f;
}

void SWELL_GfxSaveState(SWELL_GfxTarget* target) { target->savedStates.push_back(target->state); }

void SWELL_GfxRestoreState(SWELL_GfxTarget* target) {
  if (target->savedStates.empty()) return;
  target->state = target->savedStates.back();
  target->savedStates.pop_back();
}

void SWELL_GfxClipToRect(SWELL_GfxTarget* target, float x, float y, float w, float h) {
  SWELL_GfxRect& c = target->state.clip;
  const float ox = target->state.originX, oy = target->state.originY;
  c.left = std::max(c.left, Edge(x + ox));
  c.top = std::max(c.top, Edge(y + oy));
  c.right = std::min(c.right, Edge(x + w + ox));
  c.bottom = std::min(c.bottom, Edge(y + h + oy));
}

SWELL_GfxRect SWELL_GfxClip(const SWELL_GfxTarget* target) {
  SWELL_GfxRect c = target->state.clip;
  c.left = std::max(c.left, 0);
  c.top = std::max(c.top, 0);
  c.right = std::min(c.right, target->pixels ? target->width : 0);
  c.bottom = std::min(c.bottom, target->pixels ? target->height : 0);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  return c;
}

unsigned char* SWELL_GfxPixel(SWELL_GfxTarget* target, int x, int y) {
  return target->pixels + static_cast<long long>(y) * target->rowBytes + static_cast<long long>(x) * 4;
}

void SWELL_GfxFillRect(SWELL_GfxTarget* target, float x, float y, float w, float h, const float rgba[4]) {
  if (!(w > 0.0f) || !(h > 0.0f)) return;
  const SWELL_GfxRect clip = SWELL_GfxClip(target);
  const float ox = target->state.originX, oy = target->state.originY;
  const int left = std::max(clip.left, Edge(x + ox)), right = std::min(clip.right, Edge(x + w + ox));
  const int top = std::max(clip.top, Edge(y + oy)), bottom = std::min(clip.bottom, Edge(y + h + oy));
  const float alpha = std::max(0.0f, std::min(1.0f, rgba[3]));
  for (int py = top; py < bottom; ++py) {
    for (int px = left; px < right; ++px) {
      unsigned char* p = SWELL_GfxPixel(target, px, py);
      for (int c = 0; c < 3; ++c) p[1 + c] = Blend(p[1 + c], rgba[c], alpha);
      p[0] = 255;
    }
  }
}
