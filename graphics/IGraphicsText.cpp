// Images and fonts through the process-wide caches, and text drawing.

#include <cmath>

#include "framework/TruncateToInt.h"
#include "graphics/GraphicsCaches.h"
#include "graphics/IGraphics.h"
#include "lice/LICE_CachedFont.h"
#include "lice/LICE_SysBitmap.h"

IBitmap IGraphics::LoadIBitmap(int id, const char* name, int nStates, bool framesAreHorizontal) {
  LICE_IBitmap* bitmap = s_bitmapCache.Find(id);
  if (!bitmap) {
    bitmap = OSLoadBitmap(id, name);
    // A missing image is not cached, so that a later load may still find it.
    if (!bitmap) {
      if (!mFirstMissingBitmap.GetLength() && name) mFirstMissingBitmap.Set(name);
      return IBitmap(nullptr, 0, 0, nStates, framesAreHorizontal);
    }
    s_bitmapCache.Add(bitmap, id);
  }
  return IBitmap(bitmap, bitmap->getWidth(), bitmap->getHeight(), nStates, framesAreHorizontal);
}

void IGraphics::RetainBitmap(IBitmap* bitmap) { s_bitmapCache.Add(bitmap->mData); }

void IGraphics::ReleaseBitmap(IBitmap* bitmap) { s_bitmapCache.Remove(bitmap->mData); }

LICE_IFont* IGraphics::CacheFont(IText* text) {
  LICE_IFont* font = s_fontCache.Find(text);
  if (!font) {
    const int escapement = 10 * text->mOrientation;
    const int weight = text->mStyle == IText::kStyleBold ? FW_BOLD : FW_NORMAL;
    const char italic = text->mStyle == IText::kStyleItalic ? 1 : 0;
    char quality = DEFAULT_QUALITY;
    if (text->mQuality == IText::kQualityPlain) quality = NONANTIALIASED_QUALITY;
    if (text->mQuality == IText::kQualitySmooth || text->mQuality == IText::kQualitySmoothest) {
      quality = ANTIALIASED_QUALITY;
    }
    LICE_CachedFont* cached = new LICE_CachedFont();
    int h = text->mSize;
    // The first font's line height decides the size of a second, last try.
    for (int pass = 0; pass < 2; ++pass) {
      if (h < 2) h = 2;
      HFONT handle = CreateFont(h, 0, escapement, escapement, weight, italic, 0, 0, 0, 0, 0, quality, 0, text->mFont);
      if (!handle) {
        delete cached;
        return nullptr;
      }
      cached->SetFromHFont(handle, LICE_FONT_OWNS_HANDLE | LICE_FONT_NATIVE);
      const int lineHeight = cached->GetLineHeight();
      if (pass > 0 || lineHeight == h || lineHeight <= 0) break;
      h = static_cast<int>(static_cast<double>(h) * h / lineHeight + 0.5);
    }
    s_fontCache.Add(cached, text);
    font = cached;
  }
  text->mCached = font;
  return font;
}

bool IGraphics::DrawIText(IText* text, const char* str, IRECT* r, bool measure) {
  if (!str || !*str) return true;
  LICE_IFont* font = text->mCached ? text->mCached : CacheFont(text);
  if (!font) return false;
  font->SetTextColor(IColorToPixel(text->mColor));
  // The editor redraws a control's rectangle only: a text must not leave it.
  unsigned int flags = 0;
  if (text->mAlign == IText::kAlignCenter) flags |= DT_CENTER;
  if (text->mAlign == IText::kAlignFar) flags |= DT_RIGHT;
  if (text->mColor.A < 255) flags |= LICE_TEXT_USE_ALPHA;
  if (!measure) {
    RECT box = {r->L, r->T, r->R, r->B};
    font->DrawText(mDrawBitmap, str, -1, &box, flags);
    return true;
  }
  RECT box = {0, 0, 0, 0};
  font->DrawText(mDrawBitmap, str, -1, &box, flags | DT_CALCRECT);
  const int width = box.right;
  const int height = box.bottom;
  // Boxes near the integer limits stop at them.
  switch (text->mAlign) {
    case IText::kAlignNear:
      r->R = TruncateToInt(static_cast<double>(r->L) + width);
      break;
    case IText::kAlignCenter:
      r->L = TruncateToInt(std::trunc(static_cast<double>(r->MidX())) - width / 2);
      r->R = TruncateToInt(static_cast<double>(r->L) + width);
      break;
    case IText::kAlignFar:
      r->L = TruncateToInt(static_cast<double>(r->R) - width);
      break;
    default:
      break;
  }
  r->B = TruncateToInt(static_cast<double>(r->T) + height);
  return true;
}

bool IGraphics::MeasureIText(IText* text, const char* str, IRECT* r) { return DrawIText(text, str, r, true); }
