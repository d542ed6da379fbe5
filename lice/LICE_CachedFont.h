#pragma once

#include "framework/WDL_HeapBuf.h"
#include "lice/LICE_IBitmap.h"
#include "platform/standin/SwellGdiText.h"

// Font flags, set through SetFromHFont.
enum {
  LICE_FONT_VERTICAL = 0x1,          // text runs downward, glyphs turned clockwise
  LICE_FONT_VERTICAL_FLIPPED = 0x2,  // with 0x1: upward, glyphs turned counter-clockwise
  LICE_FONT_PRERENDER_ASCII = 0x4,   // renders 0..127 at once and nothing else
  LICE_FONT_BLUR = 0x10,
  LICE_FONT_INVERT = 0x20,
  LICE_FONT_MONO = 0x40,
  LICE_FONT_SHADOW = 0x80,
  LICE_FONT_OUTLINE = 0x100,
  LICE_FONT_OWNS_HANDLE = 0x200,
  LICE_FONT_NATIVE = 0x400,  // whole strings go to the platform when nothing forbids it
};

// Text flags of DrawText beyond the platform's DT_ ones.
enum : unsigned int {
  LICE_TEXT_USE_ALPHA = 0x40000000,  // alpha times the text colour's alpha; never native
  LICE_TEXT_NO_NATIVE = 0x80000000,
};

// A font that draws UTF-8 text into bitmaps.
class LICE_IFont {
 public:
  virtual ~LICE_IFont() = default;
  virtual void SetFromHFont(HFONT font, int flags) = 0;
  // Setters return the previous value.
  virtual LICE_pixel SetTextColor(LICE_pixel color) = 0;
  virtual LICE_pixel SetBkColor(LICE_pixel color) = 0;
  virtual LICE_pixel SetEffectColor(LICE_pixel color) = 0;
  virtual int SetBkMode(int mode) = 0;
  virtual void SetCombineMode(int mode, float alpha) = 0;
  // Draws, or with DT_CALCRECT measures into rect; bm may be null when measuring.
  virtual int DrawText(LICE_IBitmap* bm, const char* str, int strcnt, RECT* rect, unsigned int dtFlags) = 0;
  virtual LICE_pixel GetTextColor() = 0;
  virtual HFONT GetHFont() = 0;
  virtual int GetLineHeight() = 0;
};

// Decodes one character of at most count bytes (negative: up to the
// terminator); returns the bytes consumed (1 to 4). Characters beyond 16
// bits come out as a space; invalid bytes, and a character cut short by the
// count or the terminator, stand for themselves.
int utf8char(const char* ptr, unsigned short* charOut, int count = -1);

// Renders each character once through the platform into 8-bit coverage and
// draws from that cache; or hands whole strings to the platform (native).
// Fonts share two render bitmaps: use them from one thread at a time.
class LICE_CachedFont : public LICE_IFont {
 public:
  LICE_CachedFont();
  ~LICE_CachedFont() override;
  LICE_CachedFont(const LICE_CachedFont&) = delete;
  LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

  void SetFromHFont(HFONT font, int flags) override;
  LICE_pixel SetTextColor(LICE_pixel color) override;
  LICE_pixel SetBkColor(LICE_pixel color) override;
  LICE_pixel SetEffectColor(LICE_pixel color) override;
  int SetBkMode(int mode) override;
  void SetCombineMode(int mode, float alpha) override;
  int DrawText(LICE_IBitmap* bm, const char* str, int strcnt, RECT* rect, unsigned int dtFlags) override;
  LICE_pixel GetTextColor() override { return mTextColor; }
  HFONT GetHFont() override { return mFontHandle; }
  int GetLineHeight() override { return mLineHeight; }

 protected:
  // coverageBase: 0 not rendered, -1 nothing to draw, n the block at byte n - 1.
  struct GlyphRecord {
    int coverageBase;
    int width;
    int height;
    int advance;
    int charCode;  // only in mExtraGlyphs
  };

  GlyphRecord* findChar(unsigned short c);
  bool RenderGlyph(unsigned short idx);
  bool DrawGlyph(LICE_IBitmap* bm, unsigned short c, int xpos, int ypos, const RECT* clip);
  int DrawTextImpl(LICE_IBitmap* bm, const char* str, int strcnt, RECT* rect, unsigned int dtFlags);
  static int _charSortFunc(const void* a, const void* b);

  LICE_pixel mTextColor = 0;
  LICE_pixel mBkColor = 0xFFFFFFFF;
  LICE_pixel mEffectColor = 0xFFFFFFFF;
  int mBkMode = 0;
  int mCombineMode = 0;
  float mAlpha = 1.0f;
  int mFontFlags = 0;
  int mLineHeight = 0;
  GlyphRecord mLowGlyphs[128] = {};
  WDL_HeapBuf mExtraGlyphs{4096};
  WDL_HeapBuf mCoverageStore{65536};
  HFONT mFontHandle = nullptr;

 private:
  int ExtraCount() const;
  // The drawable record of a character, rendering it when needed; null to skip it.
  GlyphRecord* Drawable(unsigned short c);
  int NativeText(LICE_IBitmap* bm, const char* str, int strcnt, RECT* rect, unsigned int f);
  int MeasureCached(const char* str, int strcnt, RECT* rect, unsigned int f);
  int DrawCached(LICE_IBitmap* bm, const char* str, int strcnt, RECT* rect, unsigned int f);
};
