#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "lice/LICE_CachedFont.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_SysBitmap.h"
#include "tests/lice/TextFuzzInput.h"

// Arbitrary text, flags and rectangles through the platform's text drawing
// and through cached fonts of every flag set, onto bitmaps with and without
// a drawing context. Rectangle coordinates stay within +-2048 so that the
// native path's scratch bitmap stays small. A counted text lies in a buffer
// of exactly that many bytes, unterminated, so that a read past the count
// faults.

namespace {

HFONT Font(int index) {
  static HFONT fonts[4] = {
      CreateFont(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"),
      CreateFont(12, 0, 0, 0, FW_BOLD, 1, 1, 0, 0, 0, 0, 3, 0, "Arial"),
      CreateFont(10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 4, 0, "Monaco"),
      nullptr,
  };
  return fonts[index & 3];
}

const int kFontFlags[] = {
    LICE_FONT_NATIVE,
    0,
    LICE_FONT_MONO,
    LICE_FONT_SHADOW | LICE_FONT_OUTLINE,
    LICE_FONT_OUTLINE | LICE_FONT_INVERT,
    LICE_FONT_VERTICAL | LICE_FONT_BLUR,
    LICE_FONT_VERTICAL | LICE_FONT_VERTICAL_FLIPPED,
    LICE_FONT_PRERENDER_ASCII | LICE_FONT_SHADOW,
};
constexpr int kFlagSets = sizeof(kFontFlags) / sizeof(kFontFlags[0]);

LICE_CachedFont* Cached(int fontIndex, int flagIndex) {
  static LICE_CachedFont* fonts[3][kFlagSets] = {};
  LICE_CachedFont*& f = fonts[fontIndex][flagIndex];
  if (!f) {
    f = new LICE_CachedFont();
    f->SetFromHFont(Font(fontIndex), kFontFlags[flagIndex]);
  }
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 8192) return 0;
  testsupport::FuzzBytes in(data, size);
  const licetest::TextFuzzInput t = licetest::DecodeTextFuzzInput(in);
  RECT r = {t.rect[0] % 2048, t.rect[1] % 2048, t.rect[2] % 2048, t.rect[3] % 2048};
  const int flags = static_cast<int>(t.textFlags);
  const int count = t.count < 0 ? -1 : std::min<int>(t.count, static_cast<int>(t.text.size()));
  std::unique_ptr<char[]> counted;
  const char* text = t.text.c_str();
  if (count >= 0) {
    counted.reset(new char[static_cast<size_t>(count)]);
    std::memcpy(counted.get(), t.text.data(), static_cast<size_t>(count));
    text = counted.get();
  }

  HDC ctx = SWELL_CreateMemContext(nullptr, 64, 32);
  SelectObject(ctx, Font(t.font));
  SetTextColor(ctx, static_cast<int>(t.color & 0xffffff));
  SetBkMode(ctx, t.mode & 1);
  RECT platformRect = r;
  SWELL_DrawText(ctx, text, count, &platformRect, flags);
  SWELL_DeleteGfxContext(ctx);

  if ((t.font & 3) == 3) return 0;
  LICE_CachedFont* font = Cached(t.font & 3, t.fontFlags % kFlagSets);
  font->SetTextColor(t.color);
  font->SetBkMode(t.mode >> 7);
  font->SetCombineMode(t.mode & 0x0f, t.alpha / 200.0f);
  LICE_SysBitmap sys(48, 24);
  LICE_MemBitmap mem(48, 24);
  RECT a = r, b = r, c = r;
  font->DrawText(&sys, text, count, &a, t.textFlags);
  font->DrawText(&mem, text, count, &b, t.textFlags);
  font->DrawText(nullptr, text, count, &c, t.textFlags | DT_CALCRECT);
  return 0;
}
