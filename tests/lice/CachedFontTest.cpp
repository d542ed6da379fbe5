#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lice/LICE_CachedFont.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/RectOps.h"
#include "tests/support/CountedText.h"

namespace {

struct FontProbe : LICE_CachedFont {
  const GlyphRecord* Record(unsigned short c) { return findChar(c); }
  const unsigned char* Block(const GlyphRecord* rec) {
    return static_cast<const unsigned char*>(mCoverageStore.Get()) + rec->coverageBase - 1;
  }
  float Alpha() const { return mAlpha; }
};

HFONT Arial(int height, char quality = 0) {
  return CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, quality, 0, "Arial");
}

RECT Measure(LICE_IFont& font, const char* text, int count = -1, unsigned int flags = 0) {
  RECT r = {3, 4, 3, 4};
  font.DrawText(nullptr, text, count, &r, DT_CALCRECT | flags);
  return r;
}

using testsupport::CountedText;

TEST(Utf8CharTest, DecodesOneToFourBytesAndPassesBadBytesThrough) {
  struct Case {
    const char* bytes;
    int consumed;
    unsigned short out;
    int count;  // negative: the bytes end at their terminator
  } cases[] = {
      {"A", 1, 'A', -1},
      {"\x7f", 1, 0x7f, -1},
      {"\xc3\xa9", 2, 0xe9, -1},
      {"\xdf\xbf", 2, 0x7ff, -1},
      {"\xe2\x82\xac", 3, 0x20ac, -1},
      {"\xef\xbf\xbf", 3, 0xffff, -1},
      {"\xf0\x9f\x8e\xb9", 4, ' ', -1},
      {"\xe9", 1, 0xe9, -1},              // lone lead byte
      {"\xc3(", 1, 0xc3, -1},             // missing continuation
      {"\xe2\x82(", 1, 0xe2, -1},         // second continuation missing
      {"\x80", 1, 0x80, -1},              // stray continuation
      {"\xc1\xbf", 1, 0xc1, -1},          // below 0xC2
      {"\xf5\x80\x80\x80", 1, 0xf5, -1},  // above 0xF4
      {"\xf0\x9f\x8e", 1, 0xf0, -1},      // cut short by the end
      // A count ends the bytes as the terminator does.
      {"A", 1, 'A', 1},
      {"\xc3\xa9", 1, 0xc3, 1},
      {"\xc3\xa9", 2, 0xe9, 2},
      {"\xe2\x82\xac", 1, 0xe2, 2},
      {"\xf0\x9f\x8e\xb9", 1, 0xf0, 3},
      {"\xf0\x9f\x8e\xb9", 4, ' ', 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.bytes) + " counted " + std::to_string(c.count));
    unsigned short out = 0;
    if (c.count < 0) {
      EXPECT_EQ(utf8char(c.bytes, &out), c.consumed);
    } else {
      const CountedText text(std::string(c.bytes, static_cast<size_t>(c.count)));
      EXPECT_EQ(utf8char(text.bytes.get(), &out, c.count), c.consumed);
    }
    EXPECT_EQ(out, c.out);
  }
}

TEST(CachedFontTest, CapitalBlocksAreTwoColumnsWiderThanTheirAdvance) {
  FontProbe font;
  font.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE);
  EXPECT_EQ(font.GetLineHeight(), 14);
  Measure(font, "AWaw09");
  for (unsigned short c : {'A', 'W'}) {
    const auto* rec = font.Record(c);
    ASSERT_GT(rec->coverageBase, 0);
    EXPECT_EQ(rec->width, rec->advance + 2) << static_cast<char>(c);
    EXPECT_EQ(rec->height, 15);
  }
  for (unsigned short c : {'a', 'w', '0', '9'}) {
    const auto* rec = font.Record(c);
    ASSERT_GT(rec->coverageBase, 0);
    EXPECT_EQ(rec->width, rec->advance) << static_cast<char>(c);
  }
}

TEST(CachedFontTest, EmptyTextAndCounts) {
  LICE_CachedFont font;
  font.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE);
  LICE_MemBitmap bm(40, 20);
  LICE_Clear(&bm, 0);
  for (int count : {-1, 0}) {
    const char* text = count ? "" : "abc";
    RECT r = Measure(font, text, count);
    EXPECT_EQ(r.right, 3);
    EXPECT_EQ(r.bottom, 4);
    RECT box = {0, 0, 40, 20};
    EXPECT_EQ(font.DrawText(&bm, text, count, &box, LICE_TEXT_NO_NATIVE), 0);
  }
  EXPECT_EQ(font.DrawText(nullptr, "abc", -1, nullptr, 0), 0) << "drawing needs a bitmap";
  // A count ending inside a character ends the text before it.
  EXPECT_EQ(Measure(font, "\xc3\xa9xyz", 1).right, 3);
  EXPECT_EQ(Measure(font, "\xc3\xa9xyz", 3).right, Measure(font, "\xc3\xa9x").right);
  EXPECT_EQ(Measure(font, "ab", 1).right, Measure(font, "a").right);
}

// A counted text is read no further than its count, and what the count
// ends is cut on a character boundary: a character it cuts short is left
// out, measured and drawn alike.
TEST(CachedFontTest, CountedTextIsReadNoFurtherThanItsCount) {
  struct Case {
    std::string counted, kept;
  } cases[] = {
      {"Kick", "Kick"},
      {"ABCD\xc3", "ABCD"},  // the first five bytes of ABCD and an e acute
      {"x\xc3", "x"},
      {"\xc3\xa9", "\xc3\xa9"},
      {"\xe2\x82", ""},
      {"a\xf0\x9f\x8e", "a"},
      {"x\xa9", "x\xa9"},  // a stray continuation byte stands for itself
      {"a\r\nb", "a\r\nb"},
      {"&&", "&&"},
  };
  struct Flavour {
    int fontFlags;
    unsigned int textFlags;
  } flavours[] = {{LICE_FONT_NATIVE, 0}, {0, 0}, {0, DT_CENTER | DT_VCENTER}, {LICE_FONT_VERTICAL, DT_SINGLELINE}};
  for (const Flavour& f : flavours) {
    LICE_CachedFont font;
    font.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE | f.fontFlags);
    font.SetTextColor(LICE_MakePixel(255, 255, 255, 255));
    for (const Case& c : cases) {
      SCOPED_TRACE(c.counted + " with font flags " + std::to_string(f.fontFlags));
      const CountedText counted(c.counted);
      const RECT measured = Measure(font, counted.bytes.get(), counted.size, f.textFlags);
      const RECT terminated = Measure(font, c.kept.c_str(), -1, f.textFlags);
      EXPECT_EQ(measured.right, terminated.right);
      EXPECT_EQ(measured.bottom, terminated.bottom);
      LICE_SysBitmap a(40, 20), b(40, 20);
      LICE_Clear(&a, 0);
      LICE_Clear(&b, 0);
      RECT boxA = {0, 0, 40, 20}, boxB = boxA;
      EXPECT_EQ(font.DrawText(&a, counted.bytes.get(), counted.size, &boxA, f.textFlags),
                font.DrawText(&b, c.kept.c_str(), -1, &boxB, f.textFlags));
      for (int i = 0; i < 20 * a.getRowSpan(); ++i) ASSERT_EQ(a.getBits()[i], b.getBits()[i]) << i;
    }
  }
}

TEST(CachedFontTest, LineFeedsCarriageReturnsAndOddCharacters) {
  LICE_CachedFont font;
  font.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE);
  const RECT two = Measure(font, "a\r\nb");
  EXPECT_EQ(two.right - 3, std::max(Measure(font, "a").right, Measure(font, "b").right) - 3);
  EXPECT_EQ(two.bottom - 4, 14 + 15) << "a line height, then a glyph";
  EXPECT_EQ(Measure(font, "a\r\nb", -1, DT_SINGLELINE).right, Measure(font, "a b").right);
  EXPECT_EQ(Measure(font, "x\xf0\x9f\x8e\xb9y").right, Measure(font, "x y").right) << "a space";
  EXPECT_EQ(Measure(font, "\xe9").right, Measure(font, "\xc3\xa9").right) << "a lone 0xE9 is U+00E9";
  EXPECT_GT(Measure(font, "\xc3\xa9").right, 3);

  LICE_CachedFont ascii;
  ascii.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE | LICE_FONT_PRERENDER_ASCII);
  EXPECT_EQ(Measure(ascii, "a\xc3\xa9").right, Measure(ascii, "a").right) << "skipped, not measured";
}

TEST(CachedFontTest, MeasuringVerticalFontsGivesTheBlockWidth) {
  LICE_CachedFont horizontal, vertical;
  horizontal.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE);
  vertical.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE | LICE_FONT_VERTICAL);
  RECT h = {0, 0, 0, 0}, v = {0, 0, 0, 0};
  const int hr = horizontal.DrawText(nullptr, "Hello", -1, &h, DT_CALCRECT);
  const int vr = vertical.DrawText(nullptr, "Hello", -1, &v, DT_CALCRECT);
  EXPECT_EQ(hr, h.bottom);
  EXPECT_EQ(vr, v.right);
  EXPECT_EQ(v.bottom, h.right) << "advances run down";
  EXPECT_EQ(v.right, h.bottom) << "the turned glyph height is its block width";
}

TEST(CachedFontTest, UseAlphaScalesByTheTextColourAlphaForOneCall) {
  FontProbe font;
  font.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE | LICE_FONT_NATIVE);
  const LICE_pixel colour = LICE_MakePixel(255, 255, 255, 128);
  font.SetTextColor(colour);
  LICE_MemBitmap half(60, 20);
  LICE_Clear(&half, 0);
  RECT box = {0, 0, 60, 20};
  EXPECT_EQ(font.DrawText(&half, "W", -1, &box, LICE_TEXT_USE_ALPHA), 15);
  EXPECT_EQ(font.GetTextColor(), colour);
  EXPECT_EQ(font.Alpha(), 1.0f);
  // Weight 128 (128 / 255 of 256); each coverage byte v copies at v * 128 / 256.
  const auto* rec = font.Record('W');
  const unsigned char* block = font.Block(rec);
  for (int y = 0; y < rec->height; ++y) {
    for (int x = 0; x < rec->width; ++x) {
      const int v = block[y * rec->width + x];
      const int weight = v * 128 / 256;
      const int expected = v ? 255 + (-255 * (256 - weight)) / 256 : 0;
      EXPECT_EQ(LICE_PixelRed(half.getBits()[y * half.getRowSpan() + x]), expected) << x << "," << y;
    }
  }
  font.SetTextColor(LICE_MakePixel(255, 255, 255, 0));
  LICE_MemBitmap none(60, 20);
  LICE_Clear(&none, 0);
  EXPECT_EQ(font.DrawText(&none, "W", -1, &box, LICE_TEXT_USE_ALPHA), 0);
  for (int i = 0; i < 60 * 20; ++i) ASSERT_EQ(none.getBits()[i], 0u);
  EXPECT_EQ(font.Alpha(), 1.0f);
}

TEST(CachedFontTest, SolidMonoCopiesTheWholeColourWord) {
  LICE_CachedFont font;
  font.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE | LICE_FONT_MONO);
  const LICE_pixel colour = LICE_MakePixel(10, 20, 30, 77);
  font.SetTextColor(colour);
  LICE_MemBitmap bm(40, 20);
  LICE_Clear(&bm, 0);
  RECT box = {0, 0, 40, 20};
  font.DrawText(&bm, "W", -1, &box, 0);
  int covered = 0;
  for (int i = 0; i < 20 * bm.getRowSpan(); ++i) {
    const LICE_pixel p = bm.getBits()[i];
    EXPECT_TRUE(p == 0 || p == colour);
    covered += p == colour;
  }
  EXPECT_GT(covered, 10);
}

TEST(CachedFontTest, GlyphsOutsideTheClipAdvanceWithoutExtendingTheExtent) {
  LICE_CachedFont font;
  font.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE);
  LICE_MemBitmap bm(100, 40);
  LICE_Clear(&bm, 0);
  font.SetTextColor(LICE_MakePixel(255, 255, 255, 255));
  RECT box = {0, 0, 100, 40};
  // The second line starts below the bitmap: no extent from it.
  EXPECT_EQ(font.DrawText(&bm, "a\n\n\nb", -1, &box, 0), 15);
  const int aWidth = Measure(font, "a").right - 3;
  RECT shifted = {-aWidth, 0, 100, 40};
  LICE_MemBitmap other(100, 40);
  LICE_Clear(&other, 0);
  EXPECT_EQ(font.DrawText(&other, "ab", -1, &shifted, 0), 15);
  // 'b' lands where it would after 'a', though 'a' itself was outside.
  RECT plain = {0, 0, 100, 40};
  LICE_MemBitmap reference(100, 40);
  LICE_Clear(&reference, 0);
  font.DrawText(&reference, "b", -1, &plain, 0);
  for (int i = 0; i < 40 * 100; ++i) ASSERT_EQ(other.getBits()[i], reference.getBits()[i]) << i;
}

// Outline and shadow add 128s exactly where the rules say, around the mono body.
TEST(CachedFontTest, OutlineAndShadowMarkTheNeighboursOfFullPixels) {
  FontProbe mono, outline, shadow;
  mono.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE | LICE_FONT_MONO);
  outline.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE | LICE_FONT_OUTLINE);
  shadow.SetFromHFont(Arial(13), LICE_FONT_OWNS_HANDLE | LICE_FONT_SHADOW | LICE_FONT_OUTLINE);
  for (LICE_CachedFont* f : {static_cast<LICE_CachedFont*>(&mono), static_cast<LICE_CachedFont*>(&outline),
                             static_cast<LICE_CachedFont*>(&shadow)}) {
    Measure(*f, "o");
  }
  const auto* body = mono.Record('o');
  const int w = body->width, h = body->height;
  const unsigned char* m = mono.Block(body);
  auto full = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && m[y * w + x] == 255; };
  struct Effect {
    FontProbe* font;
    bool shadow;
  } effects[] = {{&outline, false}, {&shadow, true}};
  for (const Effect& e : effects) {
    const auto* rec = e.font->Record('o');
    ASSERT_EQ(rec->width, w);
    ASSERT_EQ(rec->height, h);
    const unsigned char* b = e.font->Block(rec);
    int marks = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool near = e.shadow ? full(x - 1, y) || full(x - 1, y - 1) || full(x, y - 1)
                                   : full(x, y - 1) || full(x, y + 1) || full(x - 1, y) || full(x + 1, y);
        const int expected = m[y * w + x] == 255 ? 255 : near ? 128 : 0;
        EXPECT_EQ(b[y * w + x], expected) << x << "," << y << (e.shadow ? " shadow" : " outline");
        marks += expected == 128;
      }
    }
    EXPECT_GT(marks, 4);
  }
}

TEST(CachedFontTest, AnOwnedHandleIsDeletedWhenReplaced) {
  HFONT first = Arial(12), second = Arial(14);
  {
    LICE_CachedFont font;
    font.SetFromHFont(first, LICE_FONT_OWNS_HANDLE);
    font.SetFromHFont(first, LICE_FONT_OWNS_HANDLE);
    EXPECT_FALSE(first->inFreeList) << "the same handle is kept";
    font.SetFromHFont(second, LICE_FONT_OWNS_HANDLE);
    EXPECT_TRUE(first->inFreeList);
    EXPECT_EQ(font.GetLineHeight(), 15);
    EXPECT_EQ(font.GetHFont(), second);
  }
  EXPECT_TRUE(second->inFreeList) << "deleted with the font";
  HFONT kept = Arial(12);
  {
    LICE_CachedFont font;
    font.SetFromHFont(kept, 0);
  }
  EXPECT_FALSE(kept->inFreeList);
  DeleteObject(kept);
}

}  // namespace
