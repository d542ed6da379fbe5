#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "graphics/GraphicsCaches.h"
#include "graphics/TextControls.h"
#include "lice/LICE_CachedFont.h"
#include "platform/standin/SwellGdiObjects.h"
#include "platform/standin/SwellGdiText.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using gfxtest::LoggingPlug;
using gfxtest::TestGraphics;

// A font that measures every text as 40 x 12 and records its calls.
class FakeFont : public LICE_IFont {
 public:
  struct Call {
    std::string text;
    RECT rect;
    unsigned int flags;
    LICE_pixel color;
  };
  void SetFromHFont(HFONT, int) override {}
  LICE_pixel SetTextColor(LICE_pixel c) override {
    const LICE_pixel old = mColor;
    mColor = c;
    return old;
  }
  LICE_pixel SetBkColor(LICE_pixel) override { return 0; }
  LICE_pixel SetEffectColor(LICE_pixel) override { return 0; }
  int SetBkMode(int) override { return 0; }
  void SetCombineMode(int, float) override {}
  int DrawText(LICE_IBitmap*, const char* str, int, RECT* rect, unsigned int flags) override {
    mCalls.push_back({str, *rect, flags, mColor});
    if (flags & DT_CALCRECT) {
      rect->right = rect->left + 40;
      rect->bottom = rect->top + 12;
    }
    return 12;
  }
  LICE_pixel GetTextColor() override { return mColor; }
  HFONT GetHFont() override { return nullptr; }
  int GetLineHeight() override { return 12; }

  LICE_pixel mColor = 0;
  std::vector<Call> mCalls;
};

struct TextFixture : testing::Test {
  TextFixture() : gui(new TestGraphics(&plug, 300, 100)) { plug.AttachGraphics(gui); }
  IText Style(int align, const IColor& colour = COLOR_BLACK) {
    IText t(10, &colour, "Fake", IText::kStyleNormal, static_cast<IText::EAlign>(align));
    t.mCached = &font;
    return t;
  }
  LoggingPlug plug{nullptr, 1};
  TestGraphics* gui;
  FakeFont font;
};

TEST_F(TextFixture, MeasuringAlignsTheTextBoxInTheRectangle) {
  const struct {
    int align;
    IRECT measured;
  } cases[] = {
      {IText::kAlignCenter, IRECT(130, 10, 170, 22)},
      {IText::kAlignNear, IRECT(100, 10, 140, 22)},
      {IText::kAlignFar, IRECT(160, 10, 200, 22)},
  };
  for (const auto& c : cases) {
    IText style = Style(c.align);
    IRECT r(100, 10, 200, 30);
    EXPECT_TRUE(gui->MeasureIText(&style, "forty", &r));
    EXPECT_EQ(r, c.measured) << c.align;
    const FakeFont::Call& call = font.mCalls.back();
    EXPECT_TRUE(call.flags & DT_CALCRECT);
    EXPECT_EQ(call.rect.left, 0);
    EXPECT_EQ(call.rect.right, 0);
  }
  // Boxes that would pass the integer limits stop at them.
  const struct {
    int align;
    IRECT r, measured;
  } limits[] = {
      {IText::kAlignNear, IRECT(INT_MAX - 10, INT_MAX - 5, INT_MAX, INT_MAX),
       IRECT(INT_MAX - 10, INT_MAX - 5, INT_MAX, INT_MAX)},
      // The midpoint is a float: 2^31 here.
      {IText::kAlignCenter, IRECT(INT_MAX - 10, 0, INT_MAX, 0), IRECT(INT_MAX - 19, 0, INT_MAX, 12)},
      {IText::kAlignCenter, IRECT(INT_MIN, 0, INT_MIN + 10, 0), IRECT(INT_MIN, 0, INT_MIN + 40, 12)},
      {IText::kAlignFar, IRECT(INT_MIN, 0, INT_MIN + 10, 0), IRECT(INT_MIN, 0, INT_MIN + 10, 12)},
  };
  for (const auto& c : limits) {
    IText style = Style(c.align);
    IRECT r = c.r;
    EXPECT_TRUE(gui->MeasureIText(&style, "forty", &r));
    EXPECT_EQ(r, c.measured) << c.align << " at " << c.r.L;
  }
  // Integer halving: an odd midpoint truncates first.
  IText centred = Style(IText::kAlignCenter);
  IRECT odd(101, 0, 200, 0);
  gui->DrawIText(&centred, "x", &odd, true);
  EXPECT_EQ(odd, IRECT(130, 0, 170, 12));
}

// Without DT_NOCLIP: the font keeps the text inside the box.
TEST_F(TextFixture, DrawingFlagsFollowAlignmentAndAlpha) {
  const struct {
    int align;
    IColor colour;
    unsigned int flags;
  } cases[] = {
      {IText::kAlignNear, COLOR_WHITE, 0x0},
      {IText::kAlignCenter, COLOR_WHITE, 0x4},
      {IText::kAlignFar, COLOR_WHITE, 0x20},
      {IText::kAlignNear, IColor(128, 255, 0, 0), 0x40000000},
      {IText::kAlignFar, IColor(254, 0, 0, 255), 0x40000020},
  };
  for (const auto& c : cases) {
    IText style = Style(c.align, c.colour);
    IRECT r(1, 2, 3, 4);
    EXPECT_TRUE(gui->DrawIText(&style, "text", &r));
    EXPECT_EQ(r, IRECT(1, 2, 3, 4));
    const FakeFont::Call& call = font.mCalls.back();
    EXPECT_EQ(call.flags, c.flags) << c.align;
    EXPECT_EQ(call.color, IColorToPixel(c.colour));
    EXPECT_EQ(call.rect.left, 1);
    EXPECT_EQ(call.rect.bottom, 4);
  }
}

TEST_F(TextFixture, EmptyTextDrawsNothingAndMakesNoFont) {
  IText style(13, &COLOR_WHITE, "Arial");
  IRECT r(0, 0, 10, 10);
  const int fonts = s_fontCache.GetSize();
  EXPECT_TRUE(gui->DrawIText(&style, "", &r));
  EXPECT_TRUE(gui->DrawIText(&style, nullptr, &r));
  EXPECT_EQ(style.mCached, nullptr);
  EXPECT_EQ(s_fontCache.GetSize(), fonts);
}

TEST_F(TextFixture, StylesDifferingInColourOrAlignmentShareAFont) {
  IText a(21, &COLOR_WHITE, "DejaVu Sans", IText::kStyleBold, IText::kAlignNear);
  IText b(21, &COLOR_RED, "DejaVu Sans", IText::kStyleBold, IText::kAlignFar, 0, IText::kQualitySmooth);
  IText italic(21, &COLOR_WHITE, "DejaVu Sans", IText::kStyleItalic, IText::kAlignNear);
  IText turned(21, &COLOR_WHITE, "DejaVu Sans", IText::kStyleBold, IText::kAlignNear, 90);
  LICE_IFont* font = gui->CacheFont(&a);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(a.mCached, font);
  EXPECT_EQ(gui->CacheFont(&b), font);
  EXPECT_NE(gui->CacheFont(&italic), font);
  EXPECT_NE(gui->CacheFont(&turned), font);
  EXPECT_NE(gui->CacheFont(&turned), nullptr);
}

double PointSize(LICE_IFont* font) { return font->GetHFont()->fontAttributes->pointSize; }

int LineHeightOf(int size) {
  HFONT probe = CreateFont(size, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0, "Arial");
  HDC dc = SWELL_CreateMemContext(nullptr, 4, 4);
  HGDIOBJ old = SelectObject(dc, probe);
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  SWELL_DeleteGfxContext(dc);
  DeleteObject(probe);
  return tm.tmHeight;
}

// A font whose line height misses the asked size is made once more, at
// size * size / line height; the platform draws a font of size h at 0.95 h.
TEST_F(TextFixture, AFontIsRemadeWhenItsLineHeightMissesTheSize) {
  const int first = LineHeightOf(27);
  ASSERT_NE(first, 27) << "the face should measure taller than its size";
  const int remade = static_cast<int>(27.0 * 27.0 / first + 0.5);
  IText style(27, &COLOR_WHITE, "Arial", IText::kStyleNormal, IText::kAlignNear, 0, IText::kQualityPlain);
  LICE_IFont* font = gui->CacheFont(&style);
  ASSERT_NE(font, nullptr);
  EXPECT_NEAR(PointSize(font), 0.95 * remade, 1e-4);
  EXPECT_EQ(font->GetLineHeight(), LineHeightOf(remade));

  IText tiny(1, &COLOR_WHITE, "Arial", IText::kStyleNormal, IText::kAlignNear, 0, IText::kQualityPlain);
  EXPECT_NEAR(PointSize(gui->CacheFont(&tiny)), 0.95 * 2, 1e-4);
}

TEST_F(TextFixture, TextControlsDrawTheirTextOnlyWhenTheyHaveOne) {
  IText style = Style(IText::kAlignNear);
  ITextControl empty(&plug, IRECT(0, 0, 50, 20), &style);
  ITextControl label(&plug, IRECT(0, 20, 50, 40), &style, "label");
  EXPECT_TRUE(empty.Draw(gui));
  EXPECT_TRUE(font.mCalls.empty());
  EXPECT_TRUE(label.Draw(gui));
  ASSERT_EQ(font.mCalls.size(), 1u);
  EXPECT_EQ(font.mCalls[0].text, "label");
  EXPECT_EQ(font.mCalls[0].rect.top, 20);
  label.SetClean();
  label.SetTextFromPlug("label");
  EXPECT_FALSE(label.IsDirty());
  label.SetTextFromPlug("other");
  EXPECT_TRUE(label.IsDirty());
  EXPECT_STREQ(label.GetTextString(), "other");
}

// Real text through the platform's fonts lands inside its box, in its colour.
TEST_F(TextFixture, TextIsDrawnIntoTheBackBuffer) {
  IText style(20, &COLOR_WHITE, "DejaVu Sans", IText::kStyleNormal, IText::kAlignNear, 0, IText::kQualityPlain);
  IRECT box(10, 10, 200, 40);
  IRECT measured = box;
  ASSERT_TRUE(gui->MeasureIText(&style, "Thudrokka", &measured));
  EXPECT_GT(measured.W(), 60);
  EXPECT_GT(measured.H(), 12);
  ASSERT_TRUE(gui->DrawIText(&style, "Thudrokka", &box));
  int lit = 0, outside = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 300; ++x) {
      const IColor c = gui->GetPoint(x, y);
      if (c.R == 0) continue;
      ++lit;
      if (!measured.ContainsPoint(x, y)) ++outside;
      EXPECT_EQ(c.R, c.G);
      EXPECT_EQ(c.G, c.B);
    }
  }
  EXPECT_GT(lit, 50);
  EXPECT_EQ(outside, 0);
}

// A control redraws its own rectangle only, so text wider or taller than
// the box stays inside it, in every alignment, drawn by the platform or, with
// a translucent colour, by the font itself.
TEST_F(TextFixture, TextLongerThanItsBoxIsCutAtTheBox) {
  const IRECT box(100, 40, 160, 56);
  const struct {
    int align;
    IColor colour;
    const char* text;
  } cases[] = {
      {IText::kAlignNear, COLOR_WHITE, "HOST SAMPLE RATE: 44100.0 Hz"},
      {IText::kAlignCenter, COLOR_WHITE, "HOST SAMPLE RATE: 44100.0 Hz"},
      {IText::kAlignFar, COLOR_WHITE, "HOST SAMPLE RATE: 44100.0 Hz"},
      {IText::kAlignCenter, COLOR_WHITE, "Two\nlines\nand three"},
      {IText::kAlignNear, IColor(128, 255, 255, 255), "HOST SAMPLE RATE\nTEMPO"},
  };
  for (const auto& c : cases) {
    IText style(13, &c.colour, "Arial", IText::kStyleNormal, static_cast<IText::EAlign>(c.align), 0,
                IText::kQualityPlain);
    IRECT all(0, 0, 300, 100);
    gui->FillIRect(&COLOR_BLACK, &all);
    IRECT r = box;
    ASSERT_TRUE(gui->DrawIText(&style, c.text, &r));
    int inside = 0, outside = 0;
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 300; ++x) {
        if (gui->GetPoint(x, y).R == 0) continue;
        ++(box.ContainsPoint(x, y) ? inside : outside);
      }
    }
    EXPECT_GT(inside, 20) << c.text;
    EXPECT_EQ(outside, 0) << c.text;
  }
}

}  // namespace
