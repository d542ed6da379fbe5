#include "lice/LICE_CachedFont.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/TextCopy.h"
#include "lice/BitmapAccess.h"
#include "lice/Blits.h"
#include "lice/CombinerSelect.h"
#include "lice/GlyphRenderer.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/RectOps.h"
#include "lice/Weight.h"

namespace {

// Every font renders its glyphs here; white text, opaque black background.
LICE_SysBitmap s_tempbitmap;

// Created on the first native call that needs it.
LICE_SysBitmap& NativeRenderBitmap() {
  static LICE_SysBitmap bitmap;
  return bitmap;
}

constexpr int kMinRenderSize = 256;
// Pen positions stay well inside int, far outside any bitmap.
constexpr long long kPenLimit = 1LL << 30;

int PenInt(long long v) { return static_cast<int>(std::max(-kPenLimit, std::min(kPenLimit, v))); }

int PlatformColor(LICE_pixel c) {
  return LICE_PixelRed(c) << 16 | LICE_PixelGreen(c) << 8 | LICE_PixelBlue(c);
}

void SizeRenderBitmap(int w, int h) {
  s_tempbitmap.resize(w, h);
  HDC dc = s_tempbitmap.getDC();
  ::SetTextColor(dc, 0xFFFFFF);
  ::SetBkMode(dc, OPAQUE);
  ::SetBkColor(dc, 0);
}

int Width(const RECT& r) { return PenInt(static_cast<long long>(r.right) - r.left); }
int Height(const RECT& r) { return PenInt(static_cast<long long>(r.bottom) - r.top); }

// Characters of a text in drawing order: carriage returns left out, a line
// feed given as 10 (as a space with singleLine). A count ends the text on a
// character boundary.
class TextWalk {
 public:
  TextWalk(const char* str, int count, bool singleLine)
      : mPtr(str), mLeft(count > 0 && str ? static_cast<int>(CountedTextLength(str, count)) : count),
        mSingleLine(singleLine) {}

  bool Next(unsigned short* c) {
    while (mPtr && mLeft != 0 && *mPtr) {
      const int n = utf8char(mPtr, c, mLeft);
      mPtr += n;
      if (mLeft > 0) mLeft = std::max(0, mLeft - n);
      if (*c == 13) continue;
      if (*c == 10 && mSingleLine) *c = 32;
      return true;
    }
    return false;
  }

 private:
  const char* mPtr;
  int mLeft;
  bool mSingleLine;
};

template <class F>
bool WithGlyphCombiner(int op, F&& f) {
  if (op == 0) {
    f(lice_detail::CombinerTag<_LICE_CombinePixelsCopyNoClamp>());
    return true;
  }
  return lice_detail::WithOperationCombiner<_LICE_CombinePixelsMulNoClamp>(op, f);
}

bool IsContinuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

}  // namespace

int utf8char(const char* ptr, unsigned short* charOut, int count) {
  const auto* p = reinterpret_cast<const unsigned char*>(ptr);
  const unsigned char b0 = p[0];
  // Continuation byte i, never read past the count.
  auto continues = [p, count](int i) { return (count < 0 || i < count) && IsContinuation(p[i]); };
  if (b0 >= 0xC2 && b0 <= 0xDF && continues(1)) {
    *charOut = static_cast<unsigned short>(((b0 & 0x1F) << 6) | (p[1] & 0x3F));
    return 2;
  }
  if (b0 >= 0xE0 && b0 <= 0xEF && continues(1) && continues(2)) {
    *charOut = static_cast<unsigned short>(((b0 & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
    return 3;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4 && continues(1) && continues(2) && continues(3)) {
    *charOut = ' ';
    return 4;
  }
  *charOut = b0;
  return 1;
}

LICE_CachedFont::LICE_CachedFont() = default;

LICE_CachedFont::~LICE_CachedFont() {
  if ((mFontFlags & LICE_FONT_OWNS_HANDLE) && mFontHandle) DeleteObject(mFontHandle);
}

LICE_pixel LICE_CachedFont::SetTextColor(LICE_pixel color) {
  const LICE_pixel previous = mTextColor;
  mTextColor = color;
  return previous;
}

LICE_pixel LICE_CachedFont::SetBkColor(LICE_pixel color) {
  const LICE_pixel previous = mBkColor;
  mBkColor = color;
  return previous;
}

LICE_pixel LICE_CachedFont::SetEffectColor(LICE_pixel color) {
  const LICE_pixel previous = mEffectColor;
  mEffectColor = color;
  return previous;
}

int LICE_CachedFont::SetBkMode(int mode) {
  const int previous = mBkMode;
  mBkMode = mode;
  return previous;
}

void LICE_CachedFont::SetCombineMode(int mode, float alpha) {
  mCombineMode = mode;
  mAlpha = alpha;
}

int LICE_CachedFont::ExtraCount() const { return mExtraGlyphs.GetSize() / static_cast<int>(sizeof(GlyphRecord)); }

void LICE_CachedFont::SetFromHFont(HFONT font, int flags) {
  if ((mFontFlags & LICE_FONT_OWNS_HANDLE) && mFontHandle && mFontHandle != font) DeleteObject(mFontHandle);
  mFontFlags = flags;
  mFontHandle = font;
  if (font) {
    if (s_tempbitmap.getWidth() < kMinRenderSize || s_tempbitmap.getHeight() < kMinRenderSize) {
      SizeRenderBitmap(kMinRenderSize, kMinRenderSize);
    }
    HDC dc = s_tempbitmap.getDC();
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    if (previous) SelectObject(dc, previous);
    mLineHeight = tm.tmHeight;
  }
  std::memset(mLowGlyphs, 0, sizeof(mLowGlyphs));
  mExtraGlyphs.Resize(0);
  mCoverageStore.Resize(0);
  if (flags & LICE_FONT_PRERENDER_ASCII) {
    for (int c = 0; c < 128; ++c) RenderGlyph(static_cast<unsigned short>(c));
  }
}

LICE_CachedFont::GlyphRecord* LICE_CachedFont::findChar(unsigned short c) {
  if (c < 128) return &mLowGlyphs[c];
  const int n = ExtraCount();
  auto* records = static_cast<GlyphRecord*>(mExtraGlyphs.Get());
  int lo = 0, hi = n - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    if (records[mid].charCode == c) return &records[mid];
    if (records[mid].charCode < c) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return nullptr;
}

int LICE_CachedFont::_charSortFunc(const void* a, const void* b) {
  return static_cast<const GlyphRecord*>(a)->charCode - static_cast<const GlyphRecord*>(b)->charCode;
}

bool LICE_CachedFont::RenderGlyph(unsigned short idx) {
  GlyphRecord* rec = findChar(idx);
  bool appended = false;
  if (!rec) {
    if (mFontFlags & LICE_FONT_PRERENDER_ASCII) return false;
    const int n = ExtraCount();
    const int bytes = (n + 1) * static_cast<int>(sizeof(GlyphRecord));
    mExtraGlyphs.Resize(bytes, false);
    if (mExtraGlyphs.GetSize() != bytes) return false;
    rec = static_cast<GlyphRecord*>(mExtraGlyphs.Get()) + n;
    *rec = GlyphRecord{0, 0, 0, 0, idx};
    appended = true;
  }

  if (s_tempbitmap.getWidth() < mLineHeight || s_tempbitmap.getHeight() < mLineHeight) {
    SizeRenderBitmap(mLineHeight, mLineHeight);
  }
  LICE_Clear(&s_tempbitmap, 0);
  HDC dc = s_tempbitmap.getDC();
  HGDIOBJ previous = mFontHandle ? SelectObject(dc, mFontHandle) : nullptr;

  char text[4] = {};
  if (idx < 0x80) {
    text[0] = static_cast<char>(idx);
  } else if (idx < 0x800) {
    text[0] = static_cast<char>(0xC0 | (idx >> 6));
    text[1] = static_cast<char>(0x80 | (idx & 0x3F));
  } else {
    text[0] = static_cast<char>(0xE0 | (idx >> 12));
    text[1] = static_cast<char>(0x80 | ((idx >> 6) & 0x3F));
    text[2] = static_cast<char>(0x80 | (idx & 0x3F));
  }
  RECT r = {0, 0, 0, 0};
  SWELL_DrawText(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  const int advance = r.right;
  // Capitals lean past their advance; two more columns keep their edges.
  if (idx >= 'A' && idx <= 'Z') r.right += 2;
  SWELL_DrawText(dc, text, -1, &r, DT_SINGLELINE | DT_NOPREFIX);
  if (previous) SelectObject(dc, previous);

  // The capture stays inside the render bitmap.
  int w = std::min(r.right, s_tempbitmap.getWidth());
  int h = std::min(r.bottom, s_tempbitmap.getHeight());
  const int base = mCoverageStore.GetSize();
  if (w >= 1 && h >= 1) mCoverageStore.Resize(base + w * h, false);
  if (w < 1 || h < 1 || mCoverageStore.GetSize() != base + w * h) {
    *rec = GlyphRecord{-1, 0, 0, 0, rec->charCode};
  } else {
    if (mFontFlags & LICE_FONT_BLUR) LICE_Blur(&s_tempbitmap, &s_tempbitmap, 0, 0, 0, 0, w, h);
    unsigned char* block = static_cast<unsigned char*>(mCoverageStore.Get()) + base;
    for (int y = 0; y < h; ++y) {
      const unsigned char* row = lice_detail::PixelBytes(&s_tempbitmap, 0, y);
      for (int x = 0; x < w; ++x) {
        const unsigned char v = row[x * 4 + LICE_PIXEL_R];
        block[y * w + x] = (mFontFlags & LICE_FONT_INVERT) ? static_cast<unsigned char>(255 - v) : v;
      }
    }
    if (mFontFlags & LICE_FONT_VERTICAL) {
      unsigned char* turned = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(w) * h));
      if (turned) {
        const bool flipped = (mFontFlags & LICE_FONT_VERTICAL_FLIPPED) != 0;
        // The new block is h wide and w high.
        for (int y = 0; y < w; ++y) {
          for (int x = 0; x < h; ++x) {
            turned[y * h + x] = flipped ? block[x * w + (w - 1 - y)] : block[(h - 1 - x) * w + y];
          }
        }
        std::memcpy(block, turned, static_cast<size_t>(w) * h);
        std::free(turned);
      }
      std::swap(w, h);
    }
    if (mFontFlags & (LICE_FONT_MONO | LICE_FONT_SHADOW | LICE_FONT_OUTLINE)) {
      for (int i = 0; i < w * h; ++i) block[i] = block[i] < 131 ? 0 : 255;
    }
    if (mFontFlags & (LICE_FONT_SHADOW | LICE_FONT_OUTLINE)) {
      const bool shadow = (mFontFlags & LICE_FONT_SHADOW) != 0;
      auto full = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && block[y * w + x] == 255; };
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          if (block[y * w + x]) continue;
          const bool edge = shadow ? full(x - 1, y) || full(x - 1, y - 1) || full(x, y - 1)
                                   : full(x, y - 1) || full(x, y + 1) || full(x - 1, y) || full(x + 1, y);
          if (edge) block[y * w + x] = 128;
        }
      }
    }
    *rec = GlyphRecord{base + 1, w, h, advance, rec->charCode};
  }
  if (appended && ExtraCount() >= 2) {
    std::qsort(mExtraGlyphs.Get(), static_cast<size_t>(ExtraCount()), sizeof(GlyphRecord), _charSortFunc);
  }
  return true;
}

LICE_CachedFont::GlyphRecord* LICE_CachedFont::Drawable(unsigned short c) {
  GlyphRecord* rec = findChar(c);
  if (!rec) {
    const int before = ExtraCount();
    RenderGlyph(c);
    if (ExtraCount() == before) return nullptr;
    rec = findChar(c);
    if (!rec) return nullptr;
  }
  if (rec->coverageBase < 0) return nullptr;
  if (rec->coverageBase == 0) {
    RenderGlyph(c);
    rec = findChar(c);
    if (!rec || rec->coverageBase < 1) return nullptr;
  }
  return rec;
}

bool LICE_CachedFont::DrawGlyph(LICE_IBitmap* bm, unsigned short c, int xpos, int ypos, const RECT* clip) {
  const GlyphRecord* rec = findChar(c);
  if (!rec || rec->coverageBase < 1) return false;
  const long long x = xpos, y = ypos;
  if (x + rec->width <= clip->left || x >= clip->right || y + rec->height <= clip->top || y >= clip->bottom) {
    return false;
  }
  const int x0 = static_cast<int>(std::max<long long>(x, clip->left));
  const int y0 = static_cast<int>(std::max<long long>(y, clip->top));
  const int vw = static_cast<int>(std::min<long long>(x + rec->width, clip->right) - x0);
  const int vh = static_cast<int>(std::min<long long>(y + rec->height, clip->bottom) - y0);
  const unsigned char* src = static_cast<const unsigned char*>(mCoverageStore.Get()) + rec->coverageBase - 1 +
                             (y0 - y) * rec->width + (x0 - x);
  LICE_pixel* dest = lice_detail::PixelWord(bm, x0, y0);
  const int span = bm->isFlipped() ? -bm->getRowSpan() : bm->getRowSpan();

  if (mBkMode == 1) LICE_FillRect(bm, x0, y0, vw, vh, mBkColor, mAlpha, mCombineMode & ~LICE_MODE_SOURCE_ALPHA);
  const int r = LICE_PixelRed(mTextColor), g = LICE_PixelGreen(mTextColor), b = LICE_PixelBlue(mTextColor);
  const int op = mCombineMode & 0xff;
  const bool solid = mAlpha == 1.0f && op == 0;
  const int weight = lice_detail::AlphaWeight(mAlpha);
  const int limited = std::min(weight, 256);

  if (mFontFlags & LICE_FONT_MONO) {
    if (solid) {
      for (int row = 0; row < vh; ++row) {
        for (int col = 0; col < vw; ++col) {
          if (src[row * rec->width + col]) dest[static_cast<long long>(row) * span + col] = mTextColor;
        }
      }
    } else if (limited != 0) {
      WithGlyphCombiner(op, [&](auto tag) {
        GlyphRenderer<typename decltype(tag)::type>::Mono(src, dest, rec->width, span, vw, vh, r, g, b, limited);
      });
    }
  } else if (mFontFlags & (LICE_FONT_SHADOW | LICE_FONT_OUTLINE)) {
    if (solid) {
      for (int row = 0; row < vh; ++row) {
        for (int col = 0; col < vw; ++col) {
          const unsigned char v = src[row * rec->width + col];
          if (v) dest[static_cast<long long>(row) * span + col] = v == 255 ? mTextColor : mEffectColor;
        }
      }
    } else if (limited != 0) {
      WithGlyphCombiner(op, [&](auto tag) {
        GlyphRenderer<typename decltype(tag)::type>::Effect(src, dest, rec->width, span, vw, vh, r, g, b, limited,
                                                            LICE_PixelRed(mEffectColor), LICE_PixelGreen(mEffectColor),
                                                            LICE_PixelBlue(mEffectColor));
      });
    }
  } else if (weight != 0) {
    WithGlyphCombiner(op, [&](auto tag) {
      GlyphRenderer<typename decltype(tag)::type>::Normal(src, dest, rec->width, span, vw, vh, r, g, b, weight);
    });
  }
  return true;
}

int LICE_CachedFont::DrawText(LICE_IBitmap* bm, const char* str, int strcnt, RECT* rect, unsigned int dtFlags) {
  return DrawTextImpl(bm, str, strcnt, rect, dtFlags);
}

int LICE_CachedFont::DrawTextImpl(LICE_IBitmap* bm, const char* str, int strcnt, RECT* rect, unsigned int dtFlags) {
  if (!rect || !str) return 0;
  if (!(dtFlags & DT_CALCRECT) && !bm) return 0;
  const unsigned int f = dtFlags & ~LICE_TEXT_NO_NATIVE;
  const int notNative = LICE_FONT_VERTICAL | LICE_FONT_VERTICAL_FLIPPED | LICE_FONT_PRERENDER_ASCII | LICE_FONT_BLUR |
                        LICE_FONT_INVERT | LICE_FONT_MONO | LICE_FONT_SHADOW | LICE_FONT_OUTLINE;
  if ((mFontFlags & LICE_FONT_NATIVE) && !(dtFlags & (LICE_TEXT_USE_ALPHA | LICE_TEXT_NO_NATIVE)) && mFontHandle &&
      !(mFontFlags & notNative)) {
    return NativeText(bm, str, strcnt, rect, f);
  }
  if (dtFlags & DT_CALCRECT) return MeasureCached(str, strcnt, rect, f);
  return DrawCached(bm, str, strcnt, rect, dtFlags);
}

int LICE_CachedFont::NativeText(LICE_IBitmap* bm, const char* str, int strcnt, RECT* rect, unsigned int f) {
  HDC dc = bm ? bm->getDC() : nullptr;
  LICE_SysBitmap* temp = nullptr;
  RECT box = *rect;
  int xoff = 0, yoff = 0, w = 0, h = 0;
  HGDIOBJ previous;
  if (dc) {
    previous = SelectObject(dc, mFontHandle);
  } else {
    w = std::max(Width(*rect), 1);
    h = std::max(Height(*rect), 1);
    temp = &NativeRenderBitmap();
    if (temp->getWidth() < w || temp->getHeight() < h) temp->resize(w, h);
    dc = temp->getDC();
    previous = SelectObject(dc, mFontHandle);
    RECT m = {0, 0, 0, 0};
    const int measureFlags = (f & ~(DT_VCENTER | DT_CENTER | DT_BOTTOM | DT_RIGHT)) | DT_CALCRECT | DT_NOPREFIX;
    const int r = SWELL_DrawText(dc, str, strcnt, &m, measureFlags);
    if (f & DT_CALCRECT) {
      SelectObject(dc, previous);
      rect->right = PenInt(static_cast<long long>(rect->left) + Width(m));
      rect->bottom = PenInt(static_cast<long long>(rect->top) + Height(m));
      return r;
    }
    const int tw = Width(m), th = Height(m);
    if (f & DT_NOCLIP) {
      w = tw;
      h = th;
    }
    if (w > tw) {
      xoff = (f & DT_RIGHT) ? w - tw : (f & DT_CENTER) ? (w - tw) / 2 : 0;
      w = tw;
    }
    if (h > th) {
      yoff = (f & DT_BOTTOM) ? h - th : (f & DT_VCENTER) ? (h - th) / 2 : 0;
      h = th;
    }
    if (temp->getWidth() < w || temp->getHeight() < h) {
      SelectObject(dc, previous);
      temp->resize(w, h);
      dc = temp->getDC();
      previous = SelectObject(dc, mFontHandle);
    }
    LICE_Blit(temp, bm, 0, 0, PenInt(static_cast<long long>(rect->left) + xoff),
              PenInt(static_cast<long long>(rect->top) + yoff), w, h, 1.0f, 0);
    box = RECT{0, 0, w, h};
  }
  ::SetTextColor(dc, PlatformColor(mTextColor));
  ::SetBkMode(dc, mBkMode);
  if (mBkMode == 1) ::SetBkColor(dc, PlatformColor(mBkColor));
  const int r = SWELL_DrawText(dc, str, strcnt, &box, static_cast<int>(f | DT_NOPREFIX));
  if (temp) {
    LICE_Blit(bm, temp, PenInt(static_cast<long long>(rect->left) + xoff),
              PenInt(static_cast<long long>(rect->top) + yoff), 0, 0, w, h, mAlpha, 0);
  } else if (f & DT_CALCRECT) {
    *rect = box;
  }
  SelectObject(dc, previous);
  return r;
}

int LICE_CachedFont::MeasureCached(const char* str, int strcnt, RECT* rect, unsigned int f) {
  const bool vertical = (mFontFlags & LICE_FONT_VERTICAL) != 0;
  long long x = 0, y = 0, X = 0, Y = 0;
  TextWalk walk(str, strcnt, (f & DT_SINGLELINE) != 0);
  for (unsigned short c; walk.Next(&c);) {
    if (c == 10) {
      if (vertical) {
        x += mLineHeight, y = 0;
      } else {
        x = 0, y += mLineHeight;
      }
      continue;
    }
    const GlyphRecord* rec = Drawable(c);
    if (!rec) continue;
    if (vertical) {
      y += rec->advance;
      X = std::max(X, x + rec->width);
      Y = std::max(Y, y);
    } else {
      x += rec->advance;
      Y = std::max(Y, y + rec->height);
      X = std::max(X, x);
    }
  }
  rect->right = PenInt(rect->left + X);
  rect->bottom = PenInt(rect->top + Y);
  return PenInt(vertical ? X : Y);
}

int LICE_CachedFont::DrawCached(LICE_IBitmap* bm, const char* str, int strcnt, RECT* rect, unsigned int dtFlags) {
  const float a0 = mAlpha;
  if (dtFlags & LICE_TEXT_USE_ALPHA) mAlpha = static_cast<float>(a0 * (LICE_PixelAlpha(mTextColor) / 255.0));
  struct RestoreAlpha {
    float& alpha;
    float value;
    ~RestoreAlpha() { alpha = value; }
  } restore{mAlpha, a0};
  if (mAlpha == 0.0f) return 0;

  const bool vertical = (mFontFlags & LICE_FONT_VERTICAL) != 0;
  const bool bottomUp = vertical && (mFontFlags & LICE_FONT_VERTICAL_FLIPPED);
  long long x0 = rect->left, y0 = rect->top;
  if ((dtFlags & (DT_VCENTER | DT_CENTER | DT_BOTTOM | DT_RIGHT)) || bottomUp) {
    RECT m = {0, 0, 0, 0};
    DrawTextImpl(bm, str, strcnt, &m, DT_CALCRECT | (dtFlags & (DT_SINGLELINE | LICE_TEXT_NO_NATIVE)));
    const long long tw = m.right, th = m.bottom;
    if (dtFlags & DT_CENTER) {
      x0 = rect->left + (Width(*rect) - tw) / 2;
    } else if (dtFlags & DT_RIGHT) {
      x0 = rect->right - tw;
    }
    if (dtFlags & DT_VCENTER) {
      y0 = rect->top + (Height(*rect) - th) / 2;
    } else if (dtFlags & DT_BOTTOM) {
      y0 = rect->bottom - th;
    }
    if (bottomUp) y0 += th;
  }

  RECT clip = {0, 0, bm->getWidth(), bm->getHeight()};
  if (!(dtFlags & DT_NOCLIP)) {
    clip = RECT{std::max(rect->left, 0), std::max(rect->top, 0), std::min(rect->right, bm->getWidth()),
                std::min(rect->bottom, bm->getHeight())};
  }
  if (clip.right <= clip.left || clip.bottom <= clip.top || !bm->getBits()) return 0;

  long long x = x0, y = y0, yBottom = y0, xRight = x0;
  TextWalk walk(str, strcnt, (dtFlags & DT_SINGLELINE) != 0);
  for (unsigned short c; walk.Next(&c);) {
    if (c == 10) {
      if (vertical) {
        x += mLineHeight, y = y0;
      } else {
        x = x0, y += mLineHeight;
      }
      continue;
    }
    const GlyphRecord* rec = Drawable(c);
    if (!rec || rec->coverageBase >= mCoverageStore.GetSize()) continue;
    const int width = rec->width, height = rec->height, advance = rec->advance;
    if (bottomUp) y -= height;
    const bool drawn = DrawGlyph(bm, c, PenInt(x), PenInt(y), &clip);
    if (vertical) {
      y += bottomUp ? height - advance : advance;
      if (drawn) xRight = std::max(xRight, x + width);
    } else {
      x += advance;
      if (drawn) yBottom = std::max(yBottom, y + height);
    }
  }
  return PenInt(vertical ? xRight - x0 : yBottom - y0);
}
