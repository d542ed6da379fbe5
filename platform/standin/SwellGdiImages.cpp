#include "platform/standin/SwellGdiImages.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "framework/TruncateToInt.h"
#include "lice/PNG.h"
#include "platform/standin/NSView.h"
#include "platform/standin/SwellImage.h"

namespace {

// What the dialog background theme brush fills with.
constexpr int kDialogBackground = 0xEDEDED;

bool LiveContext(HDC ctx) { return ctx && !ctx->inFreeList; }

bool IsBitmap(HGDIOBJ obj) { return SWELL_IsLiveObject(obj) && obj->type == kSwellObjectBitmap; }

HGDIOBJ BitmapObject(SWELL_Image* image, bool owns) {
  HGDIOBJ obj = GDP_OBJECT_NEW();
  if (!obj) {
    if (owns) SWELL_ImageRelease(image);
    return nullptr;
  }
  obj->type = kSwellObjectBitmap;
  obj->image = image;
  obj->width = owns ? 1 : 0;
  return obj;
}

SWELL_Image* DecodeFile(const std::string& path) {
  std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNG(path.c_str(), nullptr));
  if (!bm) return nullptr;
  SWELL_Image* image = SWELL_ImageCreate(bm->getWidth(), bm->getHeight());
  if (!image) return nullptr;
  for (int y = 0; y < bm->getHeight(); ++y) {
    std::memcpy(image->pixels.data() + static_cast<size_t>(y) * bm->getWidth() * 4,
                bm->getBits() + static_cast<size_t>(y) * bm->getRowSpan(), static_cast<size_t>(bm->getWidth()) * 4);
  }
  return image;
}

// The resources' images by name, loaded once and kept, as the platform's
// named images are: callers do not own them.
SWELL_Image* NamedImage(const std::string& name) {
  static std::mutex lock;
  static auto* cache = new std::map<std::string, SWELL_Image*>();
  std::lock_guard<std::mutex> hold(lock);
  auto found = cache->find(name);
  if (found != cache->end()) return found->second;
  const std::string base = name.substr(name.find_last_of('/') + 1);
  SWELL_Image* image = nullptr;
  if (!base.empty()) {
    const std::string path = LICE_ResourceRoot() + "/" + base;
    image = DecodeFile(path);
    if (!image && base.find('.') == std::string::npos) image = DecodeFile(path + ".png");
  }
  if (image) (*cache)[name] = image;
  return image;
}

// Opaque pure magenta becomes fully transparent black.
SWELL_Image* KeyedCopy(const SWELL_Image* source) {
  SWELL_Image* copy = SWELL_ImageCreate(source->pixelWidth, source->pixelHeight);
  if (!copy) return nullptr;
  copy->sizeWidth = source->sizeWidth;
  copy->sizeHeight = source->sizeHeight;
  copy->pixels = source->pixels;
  for (size_t i = 0; i < copy->pixels.size(); i += 4) {
    unsigned char* p = &copy->pixels[i];
    if (p[0] == 255 && p[1] == 255 && p[2] == 0 && p[3] == 255) std::memset(p, 0, 4);
  }
  return copy;
}

int Clamped(long long v) { return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, v))); }

// A window's content view, a view itself; null for anything else.
NSView* ViewOf(HWND h) {
  if (NSWindow* window = dynamic_cast<NSWindow*>(h)) return window->contentView();
  return dynamic_cast<NSView*>(h);
}

// The context a window or view reports for its painting, or null.
HDC PaintContext(HWND h) {
  PAINTSTRUCT info = {};
  return h && h->getSwellPaintInfo(&info) ? info.hdc : nullptr;
}

}  // namespace

HGDIOBJ LoadNamedImage(const char* name, bool keyMagenta) {
  const std::string text = name ? name : "";
  SWELL_Image* image = nullptr;
  bool owned = false;
  if (text.find('/') != std::string::npos) {
    image = DecodeFile(text);
    owned = image != nullptr;
  }
  if (!image) image = NamedImage(text);
  if (!image) return nullptr;
  if (keyMagenta) {
    SWELL_Image* keyed = KeyedCopy(image);
    if (owned) SWELL_ImageRelease(image);
    if (!keyed) return nullptr;
    image = keyed;
    owned = true;
  }
  return BitmapObject(image, owned);
}

HGDIOBJ CreateBitmap(int width, int height, int, int bitsPerPixel, const unsigned char* bits) {
  if (bitsPerPixel != 32 || !bits || width < 1 || height < 1) return nullptr;
  SWELL_Image* image = SWELL_ImageCreate(width, height);
  if (!image) return nullptr;
  std::memcpy(image->pixels.data(), bits, image->pixels.size());
  return BitmapObject(image, true);
}

HGDIOBJ CreateIconIndirect(const ICONINFO* info) {
  if (!info || !info->fIcon || !IsBitmap(info->hbmColor) || !info->hbmColor->image) return nullptr;
  return BitmapObject(SWELL_ImageRetain(info->hbmColor->image), true);
}

int GetObject(HGDIOBJ obj, int size, void* out) {
  if (!out || size < 0) return 0;
  std::memset(out, 0, static_cast<size_t>(size));
  if (size != 8 || !IsBitmap(obj) || !obj->image) return 0;
  const int wh[2] = {TruncateToInt<int>(obj->image->sizeWidth + 0.5), TruncateToInt<int>(obj->image->sizeHeight + 0.5)};
  std::memcpy(out, wh, sizeof(wh));
  return 1;
}

SWELL_Image* GetNSImageFromHICON(HGDIOBJ obj) { return IsBitmap(obj) ? obj->image : nullptr; }

void DrawImageInRect(HDC ctx, HGDIOBJ image, const RECT* r) {
  if (!LiveContext(ctx) || !ctx->cgContext || !r || !IsBitmap(image) || !image->image) return;
  const SWELL_Image* im = image->image;
  SWELL_GfxDrawPixels(ctx->cgContext, im->pixels.data(), im->pixelWidth, im->pixelHeight, im->pixelWidth * 4, r->left,
                      r->top, static_cast<double>(r->right) - r->left, static_cast<double>(r->bottom) - r->top, true);
}

void BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int xs, int ys, int mode) {
  StretchBlt(dest, x, y, w, h, src, xs, ys, w, h, mode);
}

void StretchBlt(HDC dest, int x, int y, int dw, int dh, HDC src, int xs, int ys, int sw, int sh, int mode) {
  if (!LiveContext(dest) || !LiveContext(src) || sw <= 0 || sh <= 0) return;
  if (!src->ownedPixels || !src->cgContext || !dest->cgContext) return;
  const SWELL_GfxTarget* from = src->cgContext;
  const int requestedW = sw, requestedH = sh;
  long long lx = x, ly = y, lxs = xs, lys = ys, lsw = sw, lsh = sh;
  if (lxs < 0) {
    lx -= lxs * dw / requestedW;
    lsw += lxs;
    lxs = 0;
  }
  if (lys < 0) {
    ly -= lys * dh / requestedH;
    lsh += lys;
    lys = 0;
  }
  if (lxs + lsw > from->width) lsw = from->width - lxs;
  if (lys + lsh > from->height) lsh = from->height - lys;
  if (lsw <= 0 || lsh <= 0) return;
  const long long drawnW = dw == requestedW ? lsw : lsw == requestedW ? dw : dw * lsw / requestedW;
  const long long drawnH = dh == requestedH ? lsh : lsh == requestedH ? dh : dh * lsh / requestedH;
  SWELL_GfxDrawPixels(dest->cgContext, from->pixels + lys * from->rowBytes + lxs * 4, Clamped(lsw), Clamped(lsh),
                      from->rowBytes, static_cast<double>(lx), static_cast<double>(ly), static_cast<double>(drawnW),
                      static_cast<double>(drawnH), mode == BLIT_USE_SOURCE_ALPHA);
}

void SWELL_PushClipRegion(HDC ctx) {
  if (LiveContext(ctx) && ctx->cgContext) SWELL_GfxSaveState(ctx->cgContext);
}

void SWELL_SetClipRegion(HDC ctx, const RECT* r) {
  if (!LiveContext(ctx) || !ctx->cgContext || !r) return;
  SWELL_GfxClipToRect(ctx->cgContext, static_cast<float>(r->left), static_cast<float>(r->top),
                      static_cast<float>(static_cast<double>(r->right) - r->left),
                      static_cast<float>(static_cast<double>(r->bottom) - r->top));
}

void SWELL_PopClipRegion(HDC ctx) {
  if (LiveContext(ctx) && ctx->cgContext) SWELL_GfxRestoreState(ctx->cgContext);
}

HDC GetDC(HWND h) {
  if (!h) return nullptr;
  if (dynamic_cast<NSWindow*>(h)) {
    if (HDC painting = PaintContext(h)) {
      if (painting->cgContext) SWELL_GfxSaveState(painting->cgContext);
      return painting;
    }
  }
  NSView* view = ViewOf(h);
  if (!view) return nullptr;
  HDC painting = PaintContext(view);
  if (LiveContext(painting)) {
    if (painting->cgContext) SWELL_GfxSaveState(painting->cgContext);
    return painting;
  }
  if (!view->lockFocusIfCanDraw()) return nullptr;
  HDC ctx = SWELL_GDP_CTX_NEW();
  if (!ctx) {
    view->unlockFocus();
    return nullptr;
  }
  ctx->cgContext = NSGraphicsContextCurrentPort();
  SWELL_GfxSaveState(ctx->cgContext);
  return ctx;
}

HDC GetWindowDC(HWND h) {
  HDC ctx = GetDC(h);
  NSView* view = ViewOf(h);
  if (ctx && ctx->cgContext && view) {
    const NSPoint origin = view->bounds().origin;
    ctx->cgContext->state.originX += static_cast<float>(origin.x);
    ctx->cgContext->state.originY += static_cast<float>(origin.y);
  }
  return ctx;
}

void ReleaseDC(HWND h, HDC ctx) {
  if (LiveContext(ctx) && ctx->cgContext) SWELL_GfxRestoreState(ctx->cgContext);
  if (dynamic_cast<NSWindow*>(h) && PaintContext(h) == ctx) return;
  NSView* view = ViewOf(h);
  if (view && ctx && PaintContext(view) == ctx) return;
  if (ctx) {
    SWELL_DeleteGfxContext(ctx);
    if (view) view->unlockFocus();
  }
}

void SWELL_FillDialogBackground(HDC ctx, const RECT* r, int) {
  if (!LiveContext(ctx) || !ctx->cgContext || !r) return;
  const float rgba[4] = {((kDialogBackground >> 16) & 255) / 255.0f, ((kDialogBackground >> 8) & 255) / 255.0f,
                         (kDialogBackground & 255) / 255.0f, 1.0f};
  SWELL_GfxFillRect(ctx->cgContext, static_cast<float>(r->left), static_cast<float>(r->top),
                    static_cast<float>(static_cast<double>(r->right) - r->left),
                    static_cast<float>(static_cast<double>(r->bottom) - r->top), rgba);
}

HIMAGELIST ImageList_CreateEx() { return new WDL_PtrList<HGDIOBJ__>(4096); }

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HGDIOBJ icon) {
  if (!list || !IsBitmap(icon)) return -1;
  HGDIOBJ copy = BitmapObject(SWELL_ImageRetain(icon->image), true);
  if (!copy) return -1;
  if (index >= 0 && index < list->GetSize()) {
    HGDIOBJ old = list->Get(index);
    list->Set(index, copy);
    if (old) DeleteObject(old);
    return index;
  }
  if (!list->Add(copy)) {
    DeleteObject(copy);
    return -1;
  }
  return list->GetSize() - 1;
}

bool ImageList_Remove(HIMAGELIST list, int index) {
  if (!list || index >= list->GetSize()) return false;
  if (index < 0) {
    for (int i = 0; i < list->GetSize(); ++i) {
      if (HGDIOBJ obj = list->Get(i)) DeleteObject(obj);
    }
    list->Empty();
    return true;
  }
  HGDIOBJ old = list->Get(index);
  list->Set(index, nullptr);
  if (old) DeleteObject(old);
  return true;
}

void ImageList_Destroy(HIMAGELIST list) {
  if (!list) return;
  for (int i = 0; i < list->GetSize(); ++i) {
    if (HGDIOBJ obj = list->Get(i)) DeleteObject(obj);
  }
  delete list;
}
