#include "platform/standin/SwellGdiDrawing.h"

#include "lice/FloatCoordinates.h"
#include "platform/standin/SwellGfxPaths.h"

namespace {

bool LiveContext(HDC ctx) { return ctx && !ctx->inFreeList; }

SWELL_GfxTarget* Target(HDC ctx) { return LiveContext(ctx) ? ctx->cgContext : nullptr; }

HGDIOBJ Valid(HGDIOBJ obj, int type) {
  return SWELL_IsLiveObject(obj) && obj->type == type && obj->width >= 0 ? obj : nullptr;
}

float EffectiveWidth(HGDIOBJ pen) { return pen->width > 0 ? static_cast<float>(pen->width) : 1.0f; }

const float kNoColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};

const float* ColorOf(HGDIOBJ obj) { return obj ? obj->color : kNoColor; }

void Draw(SWELL_GfxTarget* target, const SWELL_GfxPath& path, HGDIOBJ brush, HGDIOBJ pen, float lineWidth) {
  const int mode = brush && pen ? kSwellPathFillStroke : brush ? kSwellPathFill : kSwellPathStroke;
  SWELL_GfxDrawPath(target, path, mode, ColorOf(brush), ColorOf(pen), lineWidth);
}

}  // namespace

void SWELL_FillRect(HDC ctx, const RECT* r, HBRUSH brush) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target || !r || !Valid(brush, kSwellObjectBrush)) return;
  SWELL_GfxFillRect(target, static_cast<float>(r->left), static_cast<float>(r->top),
                    static_cast<float>(r->right) - r->left, static_cast<float>(r->bottom) - r->top, brush->color);
}

void Rectangle(HDC ctx, int l, int t, int r, int b) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target) return;
  const float x = static_cast<float>(l), y = static_cast<float>(t);
  const float w = static_cast<float>(r) - l, h = static_cast<float>(b) - t;
  if (HGDIOBJ brush = Valid(ctx->brush, kSwellObjectBrush)) SWELL_GfxFillRect(target, x, y, w, h, brush->color);
  if (HGDIOBJ pen = Valid(ctx->pen, kSwellObjectPen)) {
    SWELL_GfxPath outline;
    outline.AddRect(x, y, w, h);
    Draw(target, outline, nullptr, pen, pen->width < 2 ? 1.0f : static_cast<float>(pen->width));
  }
}

void Ellipse(HDC ctx, int l, int t, int r, int b) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target) return;
  SWELL_GfxPath ellipse;
  ellipse.AddEllipse(l, t, static_cast<double>(r) - l, static_cast<double>(b) - t);
  if (HGDIOBJ brush = Valid(ctx->brush, kSwellObjectBrush)) Draw(target, ellipse, brush, nullptr, target->lineWidth);
  // The outline keeps whatever line width the context has.
  if (HGDIOBJ pen = Valid(ctx->pen, kSwellObjectPen)) Draw(target, ellipse, nullptr, pen, target->lineWidth);
}

void RoundRect(HDC ctx, int l, int t, int r, int b, int ew, int eh) {
  const long long dx = ew / 3, dy = eh / 3;
  // Corners beyond int's range stay at its ends.
  const auto at = [](long long v) { return lice_detail::SaturateInt(v); };
  // The first edge comes again at the end so that a stroked outline closes.
  const POINT pts[10] = {{l, at(t + dy)}, {at(l + dx), t}, {at(r - dx), t}, {r, at(t + dy)}, {r, at(b - dy)},
                         {at(r - dx), b}, {at(l + dx), b}, {l, at(b - dy)}, {l, at(t + dy)}, {at(l + dx), t}};
  SWELL_Polygon(ctx, pts, 10);
}

void SWELL_Polygon(HDC ctx, const POINT* pts, int n) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target || !pts) return;
  HGDIOBJ brush = Valid(ctx->brush, kSwellObjectBrush);
  HGDIOBJ pen = Valid(ctx->pen, kSwellObjectPen);
  if ((!brush && !pen) || n < 2) return;
  SWELL_GfxPath outline;
  outline.MoveTo(pts[0].x, pts[0].y);
  for (int i = 1; i < n; ++i) outline.LineTo(pts[i].x, pts[i].y);
  Draw(target, outline, brush, pen, pen ? EffectiveWidth(pen) : target->lineWidth);
  if (pen) target->lineWidth = EffectiveWidth(pen);
}

void MoveToEx(HDC ctx, int x, int y, POINT* old) {
  if (!LiveContext(ctx)) return;
  if (old) {
    old->x = static_cast<int>(ctx->positionX);
    old->y = static_cast<int>(ctx->positionY);
  }
  ctx->positionX = static_cast<float>(x);
  ctx->positionY = static_cast<float>(y);
}

void SWELL_LineTo(HDC ctx, int x, int y) {
  SWELL_GfxTarget* target = Target(ctx);
  HGDIOBJ pen = target ? Valid(ctx->pen, kSwellObjectPen) : nullptr;
  if (!pen) return;
  const float w = EffectiveWidth(pen), half = w / 2;
  target->lineWidth = w;
  SWELL_GfxPath line;
  line.MoveTo(ctx->positionX + half, ctx->positionY + half);
  line.LineTo(x + half, y + half);
  Draw(target, line, nullptr, pen, w);
  ctx->positionX = static_cast<float>(x);
  ctx->positionY = static_cast<float>(y);
}

void PolyPolyline(HDC ctx, const POINT* pts, const unsigned int* counts, int nPolylines) {
  SWELL_GfxTarget* target = Target(ctx);
  HGDIOBJ pen = target ? Valid(ctx->pen, kSwellObjectPen) : nullptr;
  if (!pen || !pts || !counts || nPolylines <= 0) return;
  const float w = EffectiveWidth(pen), half = w / 2;
  target->lineWidth = w;
  SWELL_GfxPath lines;
  for (int i = 0; i < nPolylines; ++i) {
    const unsigned int c = counts[i];
    if (c == 1) {
      ++pts;
      continue;
    }
    for (unsigned int k = 0; k < c; ++k, ++pts) {
      if (k) {
        lines.LineTo(pts->x + half, pts->y + half);
      } else {
        lines.MoveTo(pts->x + half, pts->y + half);
      }
    }
  }
  Draw(target, lines, nullptr, pen, w);
}

void PolyBezierTo(HDC ctx, const POINT* pts, int n) {
  SWELL_GfxTarget* target = Target(ctx);
  HGDIOBJ pen = target ? Valid(ctx->pen, kSwellObjectPen) : nullptr;
  if (!pen || !pts || n < 3) return;
  const float w = EffectiveWidth(pen);
  target->lineWidth = w;
  SWELL_GfxPath curves;
  curves.MoveTo(ctx->positionX, ctx->positionY);
  for (int i = 0; i < n - 2; i += 3) {
    curves.CurveTo(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, pts[i + 2].x, pts[i + 2].y);
    ctx->positionX = static_cast<float>(pts[i + 2].x);
    ctx->positionY = static_cast<float>(pts[i + 2].y);
  }
  Draw(target, curves, nullptr, pen, w);
}

void SWELL_SetPixel(HDC ctx, int x, int y, int color) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target) return;
  float rgba[4];
  SWELL_ColorComponents(color, 1.0f, rgba);
  target->lineWidth = 1.0f;
  // The one pixel a stroke from (x - 0.5, y - 0.5) to (x + 0.5, y + 0.5) covers.
  SWELL_GfxFillRect(target, static_cast<float>(x), static_cast<float>(y), 1.0f, 1.0f, rgba);
}
