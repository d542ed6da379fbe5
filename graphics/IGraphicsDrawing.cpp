// The drawing operations that controls call from Draw: each turns the
// editor's records into raster calls on the back buffer.

#include <cmath>

#include "framework/TruncateToInt.h"
#include "graphics/GraphicsCaches.h"
#include "graphics/IGraphics.h"
#include "lice/Blits.h"
#include "lice/Circles.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/Lines.h"
#include "lice/Polygons.h"
#include "lice/RectOps.h"

namespace {

constexpr double kPi = 3.141592653589793;

LICE_pixel Pixel(const IColor* color) { return IColorToPixel(*color); }

float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

// Sums of coordinates in double, where they cannot overflow, then stopped at
// the integer range.
int Sum(int a, double b) { return TruncateToInt(a + b); }

}  // namespace

void IGraphics::BlitClipped(LICE_IBitmap* src, const IRECT* dest, int srcX, int srcY, const IChannelBlend* blend) {
  const IRECT r = dest->IntersectionWith(&mDrawRect);
  if (r.IsEmpty()) return;
  LICE_Blit(mDrawBitmap, src, r.L, r.T, Sum(srcX, static_cast<double>(r.L) - dest->L),
            Sum(srcY, static_cast<double>(r.T) - dest->T), r.W(), r.H(),
            IBlendWeight(blend), IBlendMode(blend));
}

bool IGraphics::DrawBitmap(IBitmap* bitmap, IRECT* dest, int srcX, int srcY, const IChannelBlend* blend) {
  BlitClipped(bitmap->mData, dest, srcX, srcY, blend);
  return true;
}

bool IGraphics::DrawBitmap(IBitmap* bitmap, IRECT* dest, int frame, const IChannelBlend* blend) {
  int srcX, srcY;
  bitmap->GetFrameOffset(frame, &srcX, &srcY);
  BlitClipped(bitmap->mData, dest, srcX, srcY, blend);
  return true;
}

bool IGraphics::DrawRotatedBitmap(IBitmap* bitmap, int destCtrX, int destCtrY, double angle, int yOffsetZeroDeg,
                                  const IChannelBlend* blend) {
  const int w = bitmap->W;
  const int h = bitmap->H;
  LICE_RotatedBlit(mDrawBitmap, bitmap->mData, Sum(destCtrX, -(w / 2)), Sum(destCtrY, -(h / 2)), w, h, 0.0f, 0.0f,
                   static_cast<float>(w), static_cast<float>(h), static_cast<float>(angle), false,
                   IBlendWeight(blend), IBlendMode(blend, true), 0.0f, static_cast<float>(yOffsetZeroDeg));
  return true;
}

bool IGraphics::DrawRotatedMask(IBitmap* base, IBitmap* mask, IBitmap* top, int x, int y, double angle,
                                const IChannelBlend* blend) {
  if (!mTmpBitmap) mTmpBitmap = new LICE_MemBitmap(0, 0, 4);
  const int w = base->W;
  const int h = base->H;
  const float a = static_cast<float>(angle * kPi / 180.0);
  const float xOffset = (w % 2) ? -0.5f : 0.0f;
  const float fw = static_cast<float>(w);
  const float fh = static_cast<float>(h);
  LICE_Copy(mTmpBitmap, base->mData);
  LICE_ClearRect(mTmpBitmap, 0, 0, w, h, 0xFFFFFF00, 0);
  LICE_RotatedBlit(mTmpBitmap, mask->mData, 0, 0, w, h, 0.0f, 0.0f, fw, fh, a, true, 1.0f,
                   LICE_MODE_ADD | LICE_MODE_BILINEAR | LICE_MODE_SOURCE_ALPHA, xOffset, 0.0f);
  LICE_RotatedBlit(mTmpBitmap, top->mData, 0, 0, w, h, 0.0f, 0.0f, fw, fh, a, true, 1.0f,
                   LICE_MODE_COPY | LICE_MODE_BILINEAR | LICE_MODE_SOURCE_ALPHA, xOffset, 0.0f);
  const IRECT dest(x, y, Sum(x, w), Sum(y, h));
  BlitClipped(mTmpBitmap, &dest, 0, 0, blend);
  return true;
}

IBitmap IGraphics::ScaleBitmap(IBitmap* bitmap, int destW, int destH) {
  LICE_MemBitmap* scaled = new LICE_MemBitmap(destW, destH, 4);
  LICE_ScaledBlit(scaled, bitmap->mData, 0, 0, destW, destH, 0.0f, 0.0f, static_cast<float>(bitmap->W),
                  static_cast<float>(bitmap->H), 1.0f, LICE_MODE_COPY | LICE_MODE_BILINEAR);
  s_bitmapCache.Add(scaled);
  return IBitmap(scaled, destW, destH, bitmap->N);
}

IBitmap IGraphics::CropBitmap(IBitmap* bitmap, IRECT* r) {
  LICE_MemBitmap* cropped = new LICE_MemBitmap(r->W(), r->H(), 4);
  LICE_Blit(cropped, bitmap->mData, 0, 0, r->L, r->T, r->W(), r->H(), 1.0f, LICE_MODE_COPY);
  s_bitmapCache.Add(cropped);
  return IBitmap(cropped, r->W(), r->H(), bitmap->N);
}

bool IGraphics::DrawPoint(const IColor* color, float x, float y, const IChannelBlend* blend, bool) {
  LICE_PutPixel(mDrawBitmap, TruncateToInt(x + 0.5f), TruncateToInt(y + 0.5f), Pixel(color), IBlendWeight(blend),
                IBlendMode(blend));
  return true;
}

bool IGraphics::ForcePixel(const IColor* color, int x, int y) {
  if (!mDrawBitmap || x < 0 || y < 0 || x >= mDrawBitmap->getWidth() || y >= mDrawBitmap->getHeight()) {
    return true;
  }
  mDrawBitmap->getBits()[y * mDrawBitmap->getRowSpan() + x] = Pixel(color);
  return true;
}

bool IGraphics::DrawLine(const IColor* color, float x1, float y1, float x2, float y2, const IChannelBlend* blend,
                         bool aa) {
  LICE_Line(mDrawBitmap, TruncateToInt(x1), TruncateToInt(y1), TruncateToInt(x2), TruncateToInt(y2), Pixel(color),
            IBlendWeight(blend), IBlendMode(blend), aa);
  return true;
}

bool IGraphics::DrawArc(const IColor* color, float cx, float cy, float r, float minAngle, float maxAngle,
                        const IChannelBlend* blend, bool aa) {
  LICE_Arc(mDrawBitmap, cx, cy, r, minAngle, maxAngle, Pixel(color), IBlendWeight(blend), IBlendMode(blend), aa);
  return true;
}

bool IGraphics::DrawCircle(const IColor* color, float cx, float cy, float r, const IChannelBlend* blend, bool aa) {
  LICE_Circle(mDrawBitmap, cx, cy, r, Pixel(color), IBlendWeight(blend), IBlendMode(blend), aa);
  return true;
}

bool IGraphics::RoundRect(const IColor* color, IRECT* r, const IChannelBlend* blend, int cornerRadius, bool aa) {
  LICE_RoundRect(mDrawBitmap, static_cast<float>(r->L), static_cast<float>(r->T), static_cast<float>(r->W()),
                 static_cast<float>(r->H()), cornerRadius, Pixel(color), IBlendWeight(blend), IBlendMode(blend), aa);
  return true;
}

bool IGraphics::FillRoundRect(const IColor* color, IRECT* r, const IChannelBlend* blend, int cornerRadius,
                              bool aa) {
  const int x = r->L, y = r->T, w = r->W(), h = r->H(), cr = cornerRadius;
  const LICE_pixel pixel = Pixel(color);
  const float weight = IBlendWeight(blend);
  const int mode = IBlendMode(blend);
  const int innerW = Sum(w, -2.0 * cr), innerH = Sum(h, -2.0 * cr);
  LICE_FillRect(mDrawBitmap, Sum(x, cr), y, innerW, h, pixel, weight, mode);
  LICE_FillRect(mDrawBitmap, x, Sum(y, cr), cr, innerH, pixel, weight, mode);
  LICE_FillRect(mDrawBitmap, Sum(x, static_cast<double>(w) - cr), Sum(y, cr), cr, innerH, pixel, weight, mode);
  const float left = static_cast<float>(static_cast<double>(x) + cr);
  const float right = static_cast<float>(static_cast<double>(x) + w - 1 - cr);
  const float upper = static_cast<float>(static_cast<double>(y) + cr);
  const float lower = static_cast<float>(static_cast<double>(y) + h - 1 - cr);
  const float radius = static_cast<float>(cr);
  LICE_FillCircle(mDrawBitmap, left, upper, radius, pixel, weight, mode, aa);
  LICE_FillCircle(mDrawBitmap, right, lower, radius, pixel, weight, mode, aa);
  LICE_FillCircle(mDrawBitmap, right, upper, radius, pixel, weight, mode, aa);
  LICE_FillCircle(mDrawBitmap, left, lower, radius, pixel, weight, mode, aa);
  return true;
}

bool IGraphics::FillIRect(const IColor* color, IRECT* r, const IChannelBlend* blend) {
  LICE_FillRect(mDrawBitmap, r->L, r->T, r->W(), r->H(), Pixel(color), IBlendWeight(blend), IBlendMode(blend));
  return true;
}

bool IGraphics::FillCircle(const IColor* color, int cx, int cy, float r, const IChannelBlend* blend, bool aa) {
  LICE_FillCircle(mDrawBitmap, static_cast<float>(cx), static_cast<float>(cy), r, Pixel(color), IBlendWeight(blend),
                  IBlendMode(blend), aa);
  return true;
}

bool IGraphics::FillTriangle(const IColor* color, int x1, int y1, int x2, int y2, int x3, int y3,
                             const IChannelBlend* blend) {
  LICE_FillTriangle(mDrawBitmap, x1, y1, x2, y2, x3, y3, Pixel(color), IBlendWeight(blend), IBlendMode(blend));
  return true;
}

bool IGraphics::FillIConvexPolygon(const IColor* color, int* x, int* y, int npoints, const IChannelBlend* blend) {
  LICE_FillConvexPolygon(mDrawBitmap, x, y, npoints, Pixel(color), IBlendWeight(blend), IBlendMode(blend));
  return true;
}

IColor IGraphics::GetPoint(int x, int y) { return PixelToIColor(LICE_GetPixel(mDrawBitmap, x, y)); }

bool IGraphics::DrawVerticalLine(const IColor* color, int xi, int yLo, int yHi) {
  LICE_Line(mDrawBitmap, xi, yLo, xi, yHi, Pixel(color), 1.0f, LICE_MODE_COPY, false);
  return true;
}

bool IGraphics::DrawHorizontalLine(const IColor* color, int yi, int xLo, int xHi) {
  LICE_Line(mDrawBitmap, xLo, yi, xHi, yi, Pixel(color), 1.0f, LICE_MODE_COPY, false);
  return true;
}

bool IGraphics::DrawVerticalLine(const IColor* color, IRECT* r, float x) {
  const int column = Sum(r->L, TruncateToInt(static_cast<float>(r->W()) * Clamp01(x)));
  return DrawVerticalLine(color, column, r->T, r->B);
}

bool IGraphics::DrawHorizontalLine(const IColor* color, IRECT* r, float y) {
  const int row = Sum(r->B, -static_cast<double>(TruncateToInt(static_cast<float>(r->H()) * Clamp01(y))));
  return DrawHorizontalLine(color, row, r->L, r->R);
}

bool IGraphics::DrawRect(const IColor* color, IRECT* r) {
  DrawHorizontalLine(color, r->T, r->L, r->R);
  DrawHorizontalLine(color, r->B, r->L, r->R);
  DrawVerticalLine(color, r->L, r->T, r->B);
  DrawVerticalLine(color, r->R, r->T, r->B);
  return true;
}

bool IGraphics::DrawRadialLine(const IColor* color, float cx, float cy, float angle, float rMin, float rMax,
                               const IChannelBlend* blend, bool aa) {
  const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
  const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
  return DrawLine(color, cx + rMin * s, cy - rMin * c, cx + rMax * s, cy - rMax * c, blend, aa);
}

void* IGraphics::GetBits() { return mDrawBitmap ? mDrawBitmap->getBits() : nullptr; }
