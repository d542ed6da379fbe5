#include "platform/standin/SwellGfxTarget.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
  target->state = SWELL_GfxState{{0, 0, w, h}, 0.0f, 0.0f, 1.0f};
  target->savedStates.clear();
  target->lineWidth = 1.0f;
}

void SWELL_GfxSaveState(SWELL_GfxTarget* target) { target->savedStates.push_back(target->state); }

void SWELL_GfxRestoreState(SWELL_GfxTarget* target) {
  if (target->savedStates.empty()) return;
  target->state = target->savedStates.back();
  target->savedStates.pop_back();
}

SWELL_GfxRect SWELL_GfxDeviceRect(const SWELL_GfxTarget* target, double x, double y, double w, double h) {
  const SWELL_GfxState& s = target->state;
  const double top = s.originY + s.scaleY * y, bottom = s.originY + s.scaleY * (y + h);
  return SWELL_GfxRect{Edge(static_cast<float>(x + s.originX)), Edge(static_cast<float>(std::min(top, bottom))),
                       Edge(static_cast<float>(x + w + s.originX)), Edge(static_cast<float>(std::max(top, bottom)))};
}

void SWELL_GfxClipToRect(SWELL_GfxTarget* target, float x, float y, float w, float h) {
  SWELL_GfxRect& c = target->state.clip;
  const SWELL_GfxRect r = SWELL_GfxDeviceRect(target, x, y, w, h);
  c.left = std::max(c.left, r.left);
  c.top = std::max(c.top, r.top);
  c.right = std::min(c.right, r.right);
  c.bottom = std::min(c.bottom, r.bottom);
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
  const SWELL_GfxRect r = SWELL_GfxDeviceRect(target, x, y, w, h);
  const int left = std::max(clip.left, r.left), right = std::min(clip.right, r.right);
  const int top = std::max(clip.top, r.top), bottom = std::min(clip.bottom, r.bottom);
  const float alpha = std::max(0.0f, std::min(1.0f, rgba[3]));
  for (int py = top; py < bottom; ++py) {
    for (int px = left; px < right; ++px) {
      unsigned char* p = SWELL_GfxPixel(target, px, py);
      for (int c = 0; c < 3; ++c) p[1 + c] = Blend(p[1 + c], rgba[c], alpha);
      p[0] = 255;
    }
  }
}

void SWELL_GfxDrawPixels(SWELL_GfxTarget* target, const unsigned char* pixels, int w, int h, int rowBytes,
                         double x, double y, double destW, double destH, bool useAlpha) {
  if (!target->pixels || !pixels || !(destW > 0) || !(destH > 0) || w < 1 || h < 1) return;
  const SWELL_GfxRect clip = SWELL_GfxClip(target);
  const SWELL_GfxState& s = target->state;
  const double left = x + s.originX;
  // The device row of the first source row's edge, and the direction rows go.
  const double firstEdge = s.originY + s.scaleY * y;
  const double top = s.scaleY < 0 ? firstEdge - destH : firstEdge;
  const long long x0 = std::max<long long>(clip.left, std::llround(std::floor(left + 0.5)));
  const long long x1 = std::min<long long>(clip.right, std::llround(std::floor(left + destW + 0.5)));
  const long long y0 = std::max<long long>(clip.top, std::llround(std::floor(top + 0.5)));
  const long long y1 = std::min<long long>(clip.bottom, std::llround(std::floor(top + destH + 0.5)));
  if (x0 >= x1 || y0 >= y1) return;
  std::vector<int> sourceColumn(static_cast<size_t>(x1 - x0));
  for (long long px = x0; px < x1; ++px) {
    sourceColumn[static_cast<size_t>(px - x0)] =
        std::min(w - 1, std::max(0, static_cast<int>((px + 0.5 - left) * w / destW)));
  }
  for (long long py = y0; py < y1; ++py) {
    const double along = s.scaleY < 0 ? firstEdge - (py + 0.5) : py + 0.5 - firstEdge;
    const int sy = std::min(h - 1, std::max(0, static_cast<int>(along * h / destH)));
    const unsigned char* row = pixels + static_cast<size_t>(sy) * rowBytes;
    unsigned char* d = SWELL_GfxPixel(target, static_cast<int>(x0), static_cast<int>(py));
    for (int column : sourceColumn) {
      const unsigned char* src = row + column * 4;
      const int a = useAlpha ? src[0] : 255;
      if (a == 255) {
        std::memcpy(d + 1, src + 1, 3);
        d[0] = 255;
      } else if (a > 0) {
        for (int c = 1; c < 4; ++c) d[c] = static_cast<unsigned char>((src[c] * a + d[c] * (255 - a) + 127) / 255);
        d[0] = 255;
      }
      d += 4;
    }
  }
}
