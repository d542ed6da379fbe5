#include "platform/standin/SwellGdiObjects.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/standin/SwellGdiPool.h"
#include "platform/standin/SwellGdiText.h"
#include "platform/standin/SwellImage.h"

namespace {

// Deleted records wait here to be made again; none is ever freed.
struct ObjectPool {
  HGDIOBJ head = nullptr;
};

ObjectPool& Pool() {
  static ObjectPool* pool = new ObjectPool();
  return *pool;
}

// The stock null brush and null pen: never pooled, never freed.
HGDIOBJ__ g_stockObjects[2];

bool IsStock(HGDIOBJ obj) { return obj == &g_stockObjects[0] || obj == &g_stockObjects[1]; }

bool LiveContext(HDC ctx) { return ctx && !ctx->inFreeList; }

void SetColor(HGDIOBJ obj, int color, float alpha) {
  obj->hasColor = true;
  obj->color[0] = static_cast<float>(((color >> 16) & 255) / 255.0);
  obj->color[1] = static_cast<float>(((color >> 8) & 255) / 255.0);
  obj->color[2] = static_cast<float>((color & 255) / 255.0);
  obj->color[3] = alpha;
}

HGDIOBJ MakePenOrBrush(int type, int width, int color, float alpha) {
  HGDIOBJ obj = GDP_OBJECT_NEW();
  if (!obj) return nullptr;
  obj->type = type;
  obj->width = width;
  SetColor(obj, color, alpha);
  return obj;
}

void Recycle(HGDIOBJ obj) {
  ObjectPool& pool = Pool();
  WDL_MutexLock hold(&SWELL_GdiPoolLock());
  obj->nextFree = pool.head;
  pool.head = obj;
}

// A record, not a slot code, a null or a stock object.
bool IsRecord(HGDIOBJ obj) { return reinterpret_cast<uintptr_t>(obj) >= kSwellFirstObjectHandle && !IsStock(obj); }

void Hold(HGDIOBJ obj) {
  if (IsRecord(obj)) ++obj->selections;
}

void LetGo(HGDIOBJ obj) {
  if (IsRecord(obj) && --obj->selections == 0 && obj->inFreeList) Recycle(obj);
}

void Store(HGDIOBJ* slot, HGDIOBJ obj) {
  Hold(obj);
  LetGo(*slot);
  *slot = obj;
}

HGDIOBJ* Slot(HDC ctx, int type) {
  switch (type) {
    case kSwellObjectPen: return &ctx->pen;
    case kSwellObjectBrush: return &ctx->brush;
    default: return &ctx->font;
  }
}

HGDIOBJ CodeOf(int type) { return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(type)); }

// A pen or brush draws only while its slot holds a live one of 0 width or more.
HGDIOBJ Valid(HGDIOBJ obj, int type) {
  return SWELL_IsLiveObject(obj) && obj->type == type && obj->width >= 0 ? obj : nullptr;
}

float EffectiveWidth(HGDIOBJ pen) { return pen->width > 0 ? static_cast<float>(pen->width) : 1.0f; }

SWELL_GfxTarget* Target(HDC ctx) { return LiveContext(ctx) ? ctx->cgContext : nullptr; }

SWELL_PathCall& BeginPath(SWELL_GfxTarget* target, int drawMode, HGDIOBJ brush, HGDIOBJ pen, float lineWidth) {
  target->paths.push_back(SWELL_PathCall());
  SWELL_PathCall& call = target->paths.back();
  call.drawMode = drawMode;
  call.lineWidth = lineWidth;
  for (int i = 0; i < 4; ++i) {
    call.fill[i] = brush ? brush->color[i] : 0.0f;
    call.stroke[i] = pen ? pen->color[i] : 0.0f;
  }
  return call;
}

void Add(SWELL_PathCall& call, char kind, float x, float y) { call.points.push_back(SWELL_PathPoint{kind, x, y}); }

}  // namespace

HGDIOBJ GDP_OBJECT_NEW() {
  ObjectPool& pool = Pool();
  HGDIOBJ obj = nullptr;
  if (pool.head) {
    WDL_MutexLock hold(&SWELL_GdiPoolLock());
    if (pool.head) {
      obj = pool.head;
      pool.head = obj->nextFree;
    }
  }
  if (!obj) obj = static_cast<HGDIOBJ>(std::malloc(sizeof(HGDIOBJ__)));
  if (obj) std::memset(static_cast<void*>(obj), 0, sizeof(HGDIOBJ__));
  return obj;
}

bool SWELL_IsLiveObject(HGDIOBJ obj) {
  return reinterpret_cast<uintptr_t>(obj) >= kSwellFirstObjectHandle && !obj->inFreeList;
}

HPEN CreatePen(int, int width, int color) { return CreatePenAlpha(0, width, color, 1.0f); }

HPEN CreatePenAlpha(int, int width, int color, float alpha) {
  return MakePenOrBrush(kSwellObjectPen, width > 0 ? width : 0, color, alpha);
}

HBRUSH CreateSolidBrush(int color) { return CreateSolidBrushAlpha(color, 1.0f); }

HBRUSH CreateSolidBrushAlpha(int color, float alpha) { return MakePenOrBrush(kSwellObjectBrush, 0, color, alpha); }

HGDIOBJ GetStockObject(int id) {
  HGDIOBJ obj = id == NULL_BRUSH ? &g_stockObjects[0] : id == NULL_PEN ? &g_stockObjects[1] : nullptr;
  if (obj) {
    obj->type = id == NULL_BRUSH ? kSwellObjectBrush : kSwellObjectPen;
    obj->width = -1;
  }
  return obj;
}

HGDIOBJ SWELL_CloneGDIObject(HGDIOBJ obj) {
  if (!SWELL_IsLiveObject(obj)) return nullptr;
  ++obj->extraRefs;
  return obj;
}

void DeleteObject(HGDIOBJ obj) {
  if (IsStock(obj) || !SWELL_IsLiveObject(obj)) return;
  if (obj->extraRefs-- > 0) return;
  if (obj->type < kSwellObjectPen || obj->type > kSwellObjectBitmap) return;
  if ((obj->type == kSwellObjectPen || obj->type == kSwellObjectBrush) && obj->width < 0) return;
  if (obj->fontAttributes) SWELL_DeleteFontAttributes(obj->fontAttributes);
  if (obj->image && obj->width) SWELL_ImageRelease(obj->image);
  const int selections = obj->selections;
  std::memset(static_cast<void*>(obj), 0, sizeof(HGDIOBJ__));
  obj->selections = selections;
  obj->inFreeList = true;
  if (selections == 0) Recycle(obj);
}

HGDIOBJ SelectObject(HDC ctx, HGDIOBJ obj) {
  if (!LiveContext(ctx)) return nullptr;
  const uintptr_t code = reinterpret_cast<uintptr_t>(obj);
  int type;
  if (code >= kSwellObjectPen && code <= kSwellObjectFont) {
    type = static_cast<int>(code);
  } else {
    if (!SWELL_IsLiveObject(obj) || obj->type < kSwellObjectPen || obj->type > kSwellObjectFont) return nullptr;
    type = obj->type;
  }
  HGDIOBJ* slot = Slot(ctx, type);
  HGDIOBJ previous = *slot;
  if (!SWELL_IsLiveObject(previous) || previous->type != type) previous = CodeOf(type);
  if (obj == CodeOf(type)) {
    Store(slot, nullptr);
    return previous;
  }
  if (previous == obj) return obj;
  Store(slot, obj);
  return previous;
}

void SWELL_DeselectAll(HDC ctx) {
  if (!LiveContext(ctx)) return;
  for (HGDIOBJ* slot : {&ctx->pen, &ctx->brush, &ctx->font}) Store(slot, nullptr);
}

void SetTextColor(HDC ctx, int color) {
  if (!LiveContext(ctx)) return;
  ctx->textColor = color;
  ctx->hasTextColor = true;
}

int GetTextColor(HDC ctx) { return LiveContext(ctx) ? ctx->textColor : -1; }

void SetBkColor(HDC ctx, int color) {
  if (LiveContext(ctx)) ctx->backgroundColor = color;
}

void SetBkMode(HDC ctx, int mode) {
  if (LiveContext(ctx)) ctx->backgroundMode = mode;
}

int GetSysColor(int index) {
  static const int kColors[10] = {0x606060, 0xE0E0E0, 0xC0C0C0, 0x000000, 0xC0C0C0,
                                  0x202020, 0x303030, 0xC0C0C0, 0xFFF0C8, 0x000000};
  return index >= 0 && index < 10 ? kColors[index] : 0;
}

void SWELL_FillRect(HDC ctx, const RECT* r, HBRUSH brush) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target || !r || !Valid(brush, kSwellObjectBrush)) return;
  SWELL_GfxFillRect(target, static_cast<float>(r->left), static_cast<float>(r->top),
                    static_cast<float>(r->right) - r->left, static_cast<float>(r->bottom) - r->top,
                    brush->color);
}

void Rectangle(HDC ctx, int l, int t, int r, int b) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target) return;
  const float x = static_cast<float>(l), y = static_cast<float>(t);
  const float w = static_cast<float>(r) - l, h = static_cast<float>(b) - t;
  if (HGDIOBJ brush = Valid(ctx->brush, kSwellObjectBrush)) SWELL_GfxFillRect(target, x, y, w, h, brush->color);
  if (HGDIOBJ pen = Valid(ctx->pen, kSwellObjectPen)) {
    SWELL_PathCall& call =
        BeginPath(target, kSwellPathStroke, nullptr, pen, pen->width < 2 ? 1.0f : static_cast<float>(pen->width));
    Add(call, 'R', x, y);
    Add(call, 'S', w, h);
  }
}

void Ellipse(HDC ctx, int l, int t, int r, int b) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target) return;
  const float x = static_cast<float>(l), y = static_cast<float>(t);
  const float w = static_cast<float>(r) - l, h = static_cast<float>(b) - t;
  HGDIOBJ brush = Valid(ctx->brush, kSwellObjectBrush);
  HGDIOBJ pen = Valid(ctx->pen, kSwellObjectPen);
  if (brush) {
    SWELL_PathCall& call = BeginPath(target, kSwellPathFill, brush, nullptr, target->lineWidth);
    Add(call, 'E', x, y);
    Add(call, 'S', w, h);
  }
  if (pen) {
    // The stroke keeps whatever line width the context has.
    SWELL_PathCall& call = BeginPath(target, kSwellPathStroke, nullptr, pen, target->lineWidth);
    Add(call, 'E', x, y);
    Add(call, 'S', w, h);
  }
}

void RoundRect(HDC ctx, int l, int t, int r, int b, int ew, int eh) {
  const int dx = ew / 3, dy = eh / 3;
  // The first edge comes again at the end so that a stroked outline closes.
  const POINT pts[10] = {{l, t + dy},     {l + dx, t}, {r - dx, t}, {r, t + dy}, {r, b - dy},
                         {r - dx, b},     {l + dx, b}, {l, b - dy}, {l, t + dy}, {l + dx, t}};
  SWELL_Polygon(ctx, pts, 10);
}

void SWELL_Polygon(HDC ctx, const POINT* pts, int n) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target || !pts) return;
  HGDIOBJ brush = Valid(ctx->brush, kSwellObjectBrush);
  HGDIOBJ pen = Valid(ctx->pen, kSwellObjectPen);
  if ((!brush && !pen) || n < 2) return;
  const int mode = brush && pen ? kSwellPathFillStroke : brush ? kSwellPathFill : kSwellPathStroke;
  SWELL_PathCall& call = BeginPath(target, mode, brush, pen, pen ? EffectiveWidth(pen) : target->lineWidth);
  for (int i = 0; i < n; ++i) {
    Add(call, i ? 'L' : 'M', static_cast<float>(pts[i].x), static_cast<float>(pts[i].y));
  }
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
  SWELL_PathCall& call = BeginPath(target, kSwellPathStroke, nullptr, pen, w);
  Add(call, 'M', ctx->positionX + half, ctx->positionY + half);
  Add(call, 'L', x + half, y + half);
  ctx->positionX = static_cast<float>(x);
  ctx->positionY = static_cast<float>(y);
}

void PolyPolyline(HDC ctx, const POINT* pts, const unsigned int* counts, int nPolylines) {
  SWELL_GfxTarget* target = Target(ctx);
  HGDIOBJ pen = target ? Valid(ctx->pen, kSwellObjectPen) : nullptr;
  if (!pen || !pts || !counts || nPolylines <= 0) return;
  const float w = EffectiveWidth(pen), half = w / 2;
  target->lineWidth = w;
  SWELL_PathCall& call = BeginPath(target, kSwellPathStroke, nullptr, pen, w);
  for (int i = 0; i < nPolylines; ++i) {
    const unsigned int c = counts[i];
    if (c == 1) {
      ++pts;
      continue;
    }
    for (unsigned int k = 0; k < c; ++k, ++pts) {
      Add(call, k ? 'L' : 'M', pts->x + half, pts->y + half);
    }
  }
}

void PolyBezierTo(HDC ctx, const POINT* pts, int n) {
  SWELL_GfxTarget* target = Target(ctx);
  HGDIOBJ pen = target ? Valid(ctx->pen, kSwellObjectPen) : nullptr;
  if (!pen || !pts || n < 3) return;
  const float w = EffectiveWidth(pen);
  target->lineWidth = w;
  SWELL_PathCall& call = BeginPath(target, kSwellPathStroke, nullptr, pen, w);
  Add(call, 'M', ctx->positionX, ctx->positionY);
  for (int i = 0; i < n - 2; i += 3) {
    for (int k = 0; k < 3; ++k) Add(call, 'C', static_cast<float>(pts[i + k].x), static_cast<float>(pts[i + k].y));
    ctx->positionX = static_cast<float>(pts[i + 2].x);
    ctx->positionY = static_cast<float>(pts[i + 2].y);
  }
}

void SWELL_SetPixel(HDC ctx, int x, int y, int color) {
  SWELL_GfxTarget* target = Target(ctx);
  if (!target) return;
  HGDIOBJ__ pen{};
  SetColor(&pen, color, 1.0f);
  target->lineWidth = 1.0f;
  SWELL_PathCall& call = BeginPath(target, kSwellPathStroke, nullptr, &pen, 1.0f);
  Add(call, 'M', x - 0.5f, y - 0.5f);
  Add(call, 'L', x + 0.5f, y + 0.5f);
  // What the stroke stands for: the one pixel at (x, y).
  SWELL_GfxFillRect(target, static_cast<float>(x), static_cast<float>(y), 1.0f, 1.0f, pen.color);
}
