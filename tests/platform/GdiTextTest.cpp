#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/standin/SwellGdiText.h"
#include "tests/platform/GdiTestSupport.h"
#include "tests/support/CountedText.h"

// Expected metrics come from fixtures/make_font_metrics.py, which reads the
// font files' tables apart from FreeType.

namespace {

using gditest::MemContext;
using gditest::RedBounds;

std::string Basename(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

HFONT MakeFont(const std::string& face, const std::string& height) {
  if (face == "-") return nullptr;
  return CreateFont(std::stoi(height), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face.c_str());
}

std::string Unescape(std::string text) {
  for (size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, "\n");
  return text;
}

TEST(GdiTextMetricsTest, MetricsAndMeasuresMatchTheFontTables) {
  std::ifstream in("fixtures/font_metrics.txt");
  ASSERT_TRUE(in.good()) << "fixtures/font_metrics.txt missing";
  int checked = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE(line);
    std::istringstream fields(line);
    std::string kind, face, height;
    fields >> kind >> face >> height;
    MemContext m(4, 4);
    HFONT font = MakeFont(face, height);
    if (font) SelectObject(m.ctx, font);
    if (kind == "metrics") {
      std::string file;
      TEXTMETRIC expected;
      fields >> file >> expected.tmHeight >> expected.tmAscent >> expected.tmDescent >> expected.tmInternalLeading >>
          expected.tmAveCharWidth;
      if (font) {
        EXPECT_EQ(Basename(SWELL_GetFontFile(font)), file);
      }
      TEXTMETRIC tm;
      ASSERT_TRUE(GetTextMetrics(m.ctx, &tm));
      EXPECT_EQ(tm.tmHeight, expected.tmHeight);
      EXPECT_EQ(tm.tmAscent, expected.tmAscent);
      EXPECT_EQ(tm.tmDescent, expected.tmDescent);
      EXPECT_EQ(tm.tmInternalLeading, expected.tmInternalLeading);
      EXPECT_EQ(tm.tmAveCharWidth, expected.tmAveCharWidth);
    } else {
      int right, bottom, result;
      fields >> right >> bottom >> result;
      std::string text;
      std::getline(fields >> std::ws, text);
      RECT r = {0, 0, 0, 0};
      EXPECT_EQ(SWELL_DrawText(m.ctx, Unescape(text).c_str(), -1, &r, DT_CALCRECT), result);
      EXPECT_EQ(r.right, right);
      EXPECT_EQ(r.bottom, bottom);
    }
    ++checked;
    SelectObject(m.ctx, reinterpret_cast<HGDIOBJ>(3));
    DeleteObject(font);
  }
  EXPECT_GT(checked, 0);
}

TEST(GdiTextMetricsTest, FailedCallsLeaveTheDefaults) {
  TEXTMETRIC tm = {1, 1, 1, 1, 1};
  EXPECT_FALSE(GetTextMetrics(nullptr, &tm));
  EXPECT_EQ(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmAscent, 12);
  EXPECT_EQ(tm.tmDescent, 4);
  EXPECT_EQ(tm.tmInternalLeading, 3);
  EXPECT_EQ(tm.tmAveCharWidth, 10);
  MemContext m(2, 2);
  EXPECT_FALSE(GetTextMetrics(m.ctx, nullptr));
}

TEST(GdiFontTest, SizeWeightItalicAndQualityRules) {
  struct Case {
    int height, width, weight;
    char italic, quality;
    float size, stroke;  // stroke 0: no stroke width
    signed char storedQuality;
  } cases[] = {
      {0, -12, FW_NORMAL, 0, 0, 11.4f, 0.0f, 0}, {1, 0, FW_NORMAL, 0, 3, 9.5f, 0.0f, 3},
      {9000, 0, FW_NORMAL, 0, 4, 9.5f, 0.0f, 4}, {-20, 0, FW_BOLD, 0, 2, 19.0f, -8.25f, 0},
      {10, 0, 900, 1, 5, 9.5f, -5.225f, 0},      {2, 0, 699, 1, 0, 1.9f, 0.0f, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    HFONT font = CreateFont(c.height, c.width, 0, 0, c.weight, c.italic, 0, 0, 0, 0, 0, c.quality, 0, "Arial");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->type, kSwellObjectFont);
    ASSERT_NE(font->fontAttributes, nullptr);
    EXPECT_FLOAT_EQ(font->fontAttributes->pointSize, c.size);
    EXPECT_EQ(font->fontAttributes->hasStrokeWidth, c.stroke != 0.0f);
    if (c.stroke != 0.0f) {
      EXPECT_FLOAT_EQ(font->fontAttributes->strokeWidth, c.stroke);
    }
    EXPECT_EQ(font->fontAttributes->hasObliqueness, c.italic != 0);
    if (c.italic) {
      EXPECT_FLOAT_EQ(font->fontAttributes->obliqueness, 0.33f);
    }
    EXPECT_EQ(font->quality, c.storedQuality);
    DeleteObject(font);
  }
  // Bold at point size 10 strokes at -5.5.
  HFONT bold = CreateFont(0, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  EXPECT_FLOAT_EQ(bold->fontAttributes->pointSize, 9.5f);
  DeleteObject(bold);
  LOGFONT lf = {};
  lf.lfHeight = 13;
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = 1;
  lf.lfQuality = 3;
  std::snprintf(lf.lfFaceName, sizeof(lf.lfFaceName), "Monaco");
  HFONT indirect = CreateFontIndirect(&lf);
  EXPECT_FLOAT_EQ(indirect->fontAttributes->pointSize, 12.35f);
  EXPECT_TRUE(indirect->fontAttributes->hasObliqueness);
  EXPECT_EQ(indirect->quality, 3);
  EXPECT_EQ(Basename(SWELL_GetFontFile(indirect)), "DejaVuSansMono.ttf");
  DeleteObject(indirect);
}

// Width of the text as DT_CALCRECT measures it, or -1 when it draws nothing.
int MeasuredRight(HDC ctx, const std::string& text, int flags = 0, int length = -1) {
  RECT r = {0, 0, 0, 0};
  if (SWELL_DrawText(ctx, text.c_str(), length, &r, flags | DT_CALCRECT) == 0) return -1;
  return r.right;
}

struct ArialContext {
  MemContext m{200, 60};
  HFONT font = CreateFont(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  ArialContext() {
    SelectObject(m.ctx, font);
    SetTextColor(m.ctx, 0xFFFFFF);
  }
  ~ArialContext() {
    SelectObject(m.ctx, reinterpret_cast<HGDIOBJ>(3));
    DeleteObject(font);
  }
};

TEST(GdiDrawTextTest, PrefixesCarriageReturnsAndLineFeeds) {
  ArialContext a;
  struct Case {
    std::string text;
    int flags;
    std::string same;  // measured like this text with DT_NOPREFIX
  } cases[] = {
      {"A&&B", 0, "A&B"},
      {"A&&B", DT_NOPREFIX, "A&&B"},
      {"&File", 0, "File"},
      {"ab&", 0, "ab"},
      {"one\r\ntwo", DT_SINGLELINE, "one two"},
      {"one\rtwo", 0, "onetwo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(MeasuredRight(a.m.ctx, c.text, c.flags), MeasuredRight(a.m.ctx, c.same, DT_NOPREFIX));
  }
  RECT one = {0, 0, 0, 0}, two = {0, 0, 0, 0};
  const int h1 = SWELL_DrawText(a.m.ctx, "one", -1, &one, DT_CALCRECT);
  const int h2 = SWELL_DrawText(a.m.ctx, "one\r\ntwo", -1, &two, DT_CALCRECT);
  EXPECT_EQ(h1, 15);
  EXPECT_EQ(h2, 29) << "two lines of 14.2 pixels";
  EXPECT_EQ(two.right, MeasuredRight(a.m.ctx, "one")) << "the wider line";
  // The length counts bytes read, and a zero ends the text earlier.
  EXPECT_EQ(MeasuredRight(a.m.ctx, "onetwo", 0, 3), MeasuredRight(a.m.ctx, "one"));
  EXPECT_EQ(MeasuredRight(a.m.ctx, std::string("one\0two", 7), 0, 7), MeasuredRight(a.m.ctx, "one"));
  EXPECT_EQ(MeasuredRight(a.m.ctx, "one", 0, 0), -1);
}

TEST(GdiDrawTextTest, TextIsCutAfter4095Bytes) {
  ArialContext a;
  const std::string kept(4095, 'i');
  EXPECT_EQ(MeasuredRight(a.m.ctx, std::string(5000, 'i')), MeasuredRight(a.m.ctx, kept));
  EXPECT_GT(MeasuredRight(a.m.ctx, kept), MeasuredRight(a.m.ctx, std::string(4094, 'i')));
  // The cut counts bytes after the prefixes are resolved.
  EXPECT_EQ(MeasuredRight(a.m.ctx, std::string(5000, '&')), MeasuredRight(a.m.ctx, std::string(2500, '&'), DT_NOPREFIX));
}

std::string Repeated(const std::string& character, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += character;
  return text;
}

TEST(GdiDrawTextTest, TheCutAfter4095BytesKeepsWholeCharacters) {
  ArialContext a;
  struct Case {
    std::string unit;  // repeated 2500 times
    std::string kept;  // what the cut keeps
  } cases[] = {
      {"\xc3\xa9", Repeated("\xc3\xa9", 2047)},
      {"a\xe2\x82\xac", Repeated("a\xe2\x82\xac", 1023) + "a"},
      {"\xf0\x9f\x8e\xb9", Repeated("\xf0\x9f\x8e\xb9", 1023)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    const std::string text = Repeated(c.unit, 2500);
    RECT r = {0, 0, 0, 0};
    EXPECT_EQ(SWELL_DrawText(a.m.ctx, text.c_str(), -1, &r, DT_CALCRECT), 15);
    EXPECT_EQ(r.right, MeasuredRight(a.m.ctx, c.kept));
  }
  // The cut counts the bytes left once the prefixes are resolved.
  const std::string prefixed = "&&&&" + Repeated("\xc3\xa9", 2500);
  EXPECT_EQ(MeasuredRight(a.m.ctx, prefixed), MeasuredRight(a.m.ctx, "&&" + Repeated("\xc3\xa9", 2046), DT_NOPREFIX));
}

// A length that ends inside a character cuts the text before it, and the
// text is read no further than its length.
TEST(GdiDrawTextTest, ALengthCutsTheTextOnACharacterBoundary) {
  struct Case {
    std::string counted, kept;
  } cases[] = {
      {"ABCD\xc3", "ABCD"},  // the first five bytes of ABCD and an e acute
      {"a\xe2\x82", "a"},
      {"a\xe2\x82\xac", "a\xe2\x82\xac"},
      {"\xc3\xa9\xc3", "\xc3\xa9"},
      {"\xf0\x9f\x8e", ""},
      {"A&\xc3", "A"},  // cut, the ampersand ends the text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.counted);
    const testsupport::CountedText counted(c.counted);
    ArialContext cut, whole;
    RECT r = {0, 0, 200, 60}, same = r;
    EXPECT_EQ(SWELL_DrawText(cut.m.ctx, counted.bytes.get(), counted.size, &r, 0),
              SWELL_DrawText(whole.m.ctx, c.kept.c_str(), -1, &same, 0));
    EXPECT_EQ(std::memcmp(cut.m.ctx->cgContext->pixels, whole.m.ctx->cgContext->pixels,
                          static_cast<size_t>(cut.m.ctx->cgContext->rowBytes) * 60),
              0);
    RECT measured = {0, 0, 0, 0};
    SWELL_DrawText(cut.m.ctx, counted.bytes.get(), counted.size, &measured, DT_CALCRECT);
    EXPECT_EQ(measured.right, c.kept.empty() ? 0 : MeasuredRight(whole.m.ctx, c.kept));
  }
  ArialContext a;
  RECT r = {0, 0, 200, 60};
  EXPECT_GT(SWELL_DrawText(a.m.ctx, "ABCD\xc3\xa9", 5, &r, 0), 0);
  EXPECT_GT(RedBounds(a.m).right, 0) << "the whole characters are drawn";
}

TEST(GdiDrawTextTest, NothingToDrawGivesZeroAndLeavesTheRectangle) {
  ArialContext a;
  const char* invalid[] = {"\xff", "ab\xc3", "\xe9t\xe9", "\xed\xa0\x80", "\xc0\xaf"};
  for (const char* text : invalid) {
    RECT r = {1, 2, 3, 4};
    EXPECT_EQ(SWELL_DrawText(a.m.ctx, text, -1, &r, DT_CALCRECT), 0) << text;
    EXPECT_EQ(r.right, 3);
    EXPECT_EQ(SWELL_DrawText(a.m.ctx, text, -1, &r, 0), 0);
  }
  RECT r = {5, 6, 7, 8};
  EXPECT_EQ(SWELL_DrawText(a.m.ctx, "", -1, &r, DT_CALCRECT), 0);
  EXPECT_EQ(SWELL_DrawText(a.m.ctx, "&", -1, &r, DT_CALCRECT), 0);
  EXPECT_EQ(SWELL_DrawText(a.m.ctx, "\r\r", -1, &r, DT_CALCRECT), 0);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.right, 7);
  EXPECT_EQ(r.bottom, 8);
  EXPECT_EQ(SWELL_DrawText(a.m.ctx, nullptr, -1, &r, 0), 0);
  EXPECT_EQ(SWELL_DrawText(a.m.ctx, "x", -1, nullptr, 0), 0);
  EXPECT_EQ(SWELL_DrawText(nullptr, "x", -1, &r, DT_CALCRECT), 0);
  EXPECT_EQ(RedBounds(a.m).right, 0) << "nothing drawn";
  EXPECT_GT(MeasuredRight(a.m.ctx, "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb9"), 0) << "valid UTF-8 draws";
}

TEST(GdiDrawTextTest, AlignmentFlagsAndTheirPrecedence) {
  ArialContext a;
  const RECT box = {10, 5, 190, 55};
  RECT measured = {0, 0, 0, 0};
  SWELL_DrawText(a.m.ctx, "H", -1, &measured, DT_CALCRECT);
  struct Case {
    int flags;
    bool right, centre, bottom, middle;
  } cases[] = {
      {0, false, false, false, false},
      {DT_RIGHT | DT_CENTER, true, false, false, false},
      {DT_CENTER, false, true, false, false},
      {DT_BOTTOM | DT_VCENTER, false, false, true, false},
      {DT_VCENTER, false, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    MemContext m(200, 60);
    SelectObject(m.ctx, a.font);
    SetTextColor(m.ctx, 0xFFFFFF);
    RECT r = box;
    SWELL_DrawText(m.ctx, "H", -1, &r, c.flags | DT_SINGLELINE);
    const RECT ink = RedBounds(m);
    ASSERT_GT(ink.right, ink.left);
    if (c.right) {
      EXPECT_GE(ink.right, 185);
    } else if (c.centre) {
      EXPECT_NEAR((ink.left + ink.right) / 2.0, 100.0, 2.0);
    } else {
      EXPECT_LE(ink.left, 12);
    }
    if (c.bottom) {
      EXPECT_GE(ink.top, 40);
    } else if (c.middle) {
      EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30.0, 4.0);
    } else {
      EXPECT_LE(ink.top, 9);
    }
    SelectObject(m.ctx, reinterpret_cast<HGDIOBJ>(3));
  }
}

TEST(GdiDrawTextTest, WhiteTextLeavesItsCoverageInTheRedByte) {
  struct Case {
    char quality;
    bool mono;
  } cases[] = {{0, false}, {4, false}, {3, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.quality));
    MemContext m(120, 20);
    HFONT font = CreateFont(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, c.quality, 0, "Arial");
    SelectObject(m.ctx, font);
    SetTextColor(m.ctx, 0xFFFFFF);
    RECT r = {0, 0, 120, 20};
    EXPECT_EQ(SWELL_DrawText(m.ctx, "Wavy 0123", -1, &r, 0), 15);
    int covered = 0, partial = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 120; ++x) {
        const unsigned char* p = m.Pixel(x, y);
        EXPECT_EQ(p[1], p[2]);
        EXPECT_EQ(p[1], p[3]);
        EXPECT_EQ(p[0], p[1] ? 255 : 0) << "the unused byte marks drawn pixels";
        covered += p[1] != 0;
        partial += p[1] != 0 && p[1] != 255;
      }
    }
    EXPECT_GT(covered, 60);
    if (c.mono) {
      EXPECT_EQ(partial, 0);
    } else {
      EXPECT_GT(partial, 20);
    }
    SelectObject(m.ctx, reinterpret_cast<HGDIOBJ>(3));
    DeleteObject(font);
  }
}

TEST(GdiDrawTextTest, OpaqueBackgroundAndColoursBlendPerChannel) {
  MemContext m(60, 20);
  HFONT font = CreateFont(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 3, 0, "Arial");
  SelectObject(m.ctx, font);
  SetTextColor(m.ctx, 0x0000FF);
  SetBkColor(m.ctx, 0x00FF00);
  SetBkMode(m.ctx, OPAQUE);
  RECT r = {0, 0, 60, 20};
  SWELL_DrawText(m.ctx, "II", -1, &r, 0);
  int green = 0, blue = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x) {
      const unsigned char* p = m.Pixel(x, y);
      EXPECT_EQ(p[1], 0);
      green += p[2] == 255 && p[3] == 0;
      blue += p[2] == 0 && p[3] == 255;
    }
  }
  EXPECT_GT(green, 0) << "background behind the text";
  EXPECT_GT(blue, 0) << "glyphs in the text colour";
  EXPECT_EQ(m.Pixel(59, 19)[0], 0) << "the background covers only the text";
  // Transparent again: nothing new is filled.
  SetBkMode(m.ctx, TRANSPARENT);
  RECT lower = {0, 0, 60, 20};
  std::memset(m.ctx->cgContext->pixels, 0, 60 * 20 * 4);
  SWELL_DrawText(m.ctx, "II", -1, &lower, 0);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x) EXPECT_EQ(m.Pixel(x, y)[2], 0);
  }
  SelectObject(m.ctx, reinterpret_cast<HGDIOBJ>(3));
  DeleteObject(font);
}

TEST(GdiDrawTextTest, TextStaysInsideItsRectangleUnlessNoClip) {
  ArialContext a;
  RECT r = {20, 10, 40, 30};
  SWELL_DrawText(a.m.ctx, "Clipped words", -1, &r, 0);
  const RECT ink = RedBounds(a.m);
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 40);
  EXPECT_GE(ink.top, 10);
  // Lines beyond the rectangle's height are cut at its bottom, in every
  // vertical placement.
  for (int placement : {0, int{DT_VCENTER}, int{DT_BOTTOM}}) {
    ArialContext lines;
    RECT low = {20, 10, 60, 22};
    SWELL_DrawText(lines.m.ctx, "Ab\nCd\nEf", -1, &low, placement);
    const RECT cut = RedBounds(lines.m);
    EXPECT_GT(cut.right, 20) << placement;
    EXPECT_GE(cut.top, 10) << placement;
    EXPECT_LE(cut.bottom, 22) << placement;
  }
  MemContext wide(200, 60);
  SelectObject(wide.ctx, a.font);
  SetTextColor(wide.ctx, 0xFFFFFF);
  RECT same = r;
  SWELL_DrawText(wide.ctx, "Clipped words", -1, &same, DT_NOCLIP);
  EXPECT_GT(RedBounds(wide).right, 60);
  SelectObject(wide.ctx, reinterpret_cast<HGDIOBJ>(3));
}

}  // namespace
