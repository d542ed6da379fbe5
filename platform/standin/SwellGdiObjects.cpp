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

HGDIOBJ MakePenOrBrush(int type, int width, int color, float alpha) {
  HGDIOBJ obj = GDP_OBJECT_NEW();
  if (!obj) return nullptr;
  obj->type = type;
  obj->width = width;
  obj->hasColor = true;
  SWELL_ColorComponents(color, alpha, obj->color);
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

void SWELL_ColorComponents(int color, float alpha, float rgba[4]) {
  rgba[0] = static_cast<float>(((color >> 16) & 255) / 255.0);
  rgba[1] = static_cast<float>(((color >> 8) & 255) / 255.0);
  rgba[2] = static_cast<float>((color & 255) / 255.0);
  rgba[3] = alpha;
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
