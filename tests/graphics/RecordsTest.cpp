#include <gtest/gtest.h>

#include "graphics/IGraphicsStructs.h"

namespace {

struct RectPairCase {
  IRECT a, b;
  IRECT unionAB;
  IRECT intersectionAB;
  bool overlaps;
};

// Edges meet by the >= rule on the right and bottom only, and only the
// all-zero rectangle is empty.
TEST(EditorRecords, RectangleUnionAndIntersectionFollowTheEdgeRules) {
  const RectPairCase cases[] = {
      {{0, 0, 0, 0}, {10, 10, 20, 20}, {10, 10, 20, 20}, {0, 0, 0, 0}, false},
      {{10, 10, 20, 20}, {0, 0, 0, 0}, {10, 10, 20, 20}, {0, 0, 0, 0}, false},
      {{0, 0, 0, 5}, {10, 10, 20, 20}, {0, 0, 20, 20}, {0, 0, 0, 0}, false},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 20, 10}, {10, 0, 10, 10}, true},
      {{10, 0, 20, 10}, {0, 0, 10, 10}, {0, 0, 20, 10}, {0, 0, 0, 0}, false},
      {{0, 0, 10, 10}, {0, 10, 10, 20}, {0, 0, 10, 20}, {0, 10, 10, 10}, true},
      {{0, 10, 10, 20}, {0, 0, 10, 10}, {0, 0, 10, 20}, {0, 0, 0, 0}, false},
      {{0, 0, 30, 30}, {10, 5, 20, 40}, {0, 0, 30, 40}, {10, 5, 20, 30}, true},
      {{5, 5, 5, 5}, {5, 5, 5, 5}, {5, 5, 5, 5}, {0, 0, 0, 0}, false},
      {{-20, -20, -10, -10}, {0, 0, 5, 5}, {-20, -20, 5, 5}, {0, 0, 0, 0}, false},
  };
  for (const RectPairCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a.L << "," << c.a.T << "," << c.a.R << "," << c.a.B << " with " << c.b.L
                                    << "," << c.b.T << "," << c.b.R << "," << c.b.B);
    EXPECT_EQ(c.a.UnionWith(&c.b), c.unionAB);
    EXPECT_EQ(c.a.IntersectionWith(&c.b), c.intersectionAB);
    EXPECT_EQ(c.a.Overlaps(&c.b), c.overlaps);
  }
}

TEST(EditorRecords, ContainsPointExcludesTheFarEdgesAndTheEmptyRectangle) {
  const IRECT r(10, 10, 20, 20);
  EXPECT_TRUE(r.ContainsPoint(10, 10));
  EXPECT_TRUE(r.ContainsPoint(19, 19));
  EXPECT_FALSE(r.ContainsPoint(20, 15));
  EXPECT_FALSE(r.ContainsPoint(15, 20));
  EXPECT_FALSE(r.ContainsPoint(9, 15));
  const IRECT empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_FALSE(empty.ContainsPoint(0, 0));
  EXPECT_FALSE(IRECT(5, 5, 5, 5).IsEmpty());
  EXPECT_EQ(r.W(), 10);
  EXPECT_EQ(r.H(), 10);
  EXPECT_FLOAT_EQ(IRECT(3, 0, 8, 0).MidX(), 5.5f);
}

// Packed words transcribed by hand: A in the low byte, then R, G, B.
TEST(EditorRecords, NamedColoursPackIntoPixelWords) {
  const struct {
    IColor colour;
    LICE_pixel packed;
  } cases[] = {
      {COLOR_TRANSPARENT, 0x00000000}, {COLOR_BLACK, 0x000000FF},        {COLOR_GRAY, 0x7F7F7FFF},
      {COLOR_WHITE, 0xFFFFFFFF},       {COLOR_RED, 0x0000FFFF},          {COLOR_GREEN, 0x00FF00FF},
      {COLOR_BLUE, 0xFF0000FF},        {COLOR_YELLOW, 0x00FFFFFF},       {COLOR_ORANGE, 0x007FFFFF},
      {DEFAULT_TEXT_COLOR, 0x000000FF}, {DEFAULT_TEXT_ENTRY_BGCOLOR, 0xFFFFFFFF},
      {DEFAULT_TEXT_ENTRY_FGCOLOR, 0x000000FF}, {IColor(0x12, 0x34, 0x56, 0x78), 0x78563412},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IColorToPixel(c.colour), c.packed) << std::hex << c.packed;
    EXPECT_EQ(PixelToIColor(c.packed), c.colour) << std::hex << c.packed;
  }
  // Only the low 8 bits of each component count.
  EXPECT_EQ(IColorToPixel(IColor(0x1FF, 0x100, 0x2AB, 0)), 0x00AB00FFu);
}

TEST(EditorRecords, BlendMethodsGiveModeWordsForPlainAndRotatedDrawing) {
  const struct {
    int method;
    int plain;
    int rotated;
  } cases[] = {
      {IChannelBlend::kBlendNone, 0x10000, 0x10100},   {IChannelBlend::kBlendClobber, 0x0, 0x100},
      {IChannelBlend::kBlendAdd, 0x10001, 0x10101},    {IChannelBlend::kBlendColorDodge, 0x10002, 0x10102},
      {4, 0x10000, 0x10100},                            {99, 0x10000, 0x10100},
  };
  for (const auto& c : cases) {
    const IChannelBlend blend(c.method, 0.3f);
    EXPECT_EQ(IBlendMode(&blend), c.plain) << c.method;
    EXPECT_EQ(IBlendMode(&blend, true), c.rotated) << c.method;
    EXPECT_FLOAT_EQ(IBlendWeight(&blend), 0.3f);
  }
  EXPECT_EQ(IBlendMode(nullptr), 0x10000);
  EXPECT_EQ(IBlendMode(nullptr, true), 0x10100);
  EXPECT_FLOAT_EQ(IBlendWeight(nullptr), 1.0f);
}

TEST(EditorRecords, FrameOffsetsOfStackedAndSideBySideImages) {
  const struct {
    IBitmap bitmap;
    int frame;
    int x, y;
  } cases[] = {
      {IBitmap(nullptr, 40, 4480, 128), 3, 0, 70},  // int(2 * 4480 / 128 + 0.5)
      {IBitmap(nullptr, 40, 4480, 128), 1, 0, 0},
      {IBitmap(nullptr, 40, 4480, 128), 0, 0, 0},
      {IBitmap(nullptr, 40, 4480, 128), -5, 0, 0},
      {IBitmap(nullptr, 40, 4480, 128), 128, 0, 4445},  // int(127 * 35 + 0.5)
      {IBitmap(nullptr, 30, 100, 3), 2, 0, 33},         // int(100 / 3 + 0.5)
      {IBitmap(nullptr, 30, 100, 3), 3, 0, 67},         // int(200 / 3 + 0.5)
      {IBitmap(nullptr, 100, 20, 3, true), 3, 67, 0},
      {IBitmap(nullptr, 100, 20, 1), 4, 0, 0},
  };
  for (const auto& c : cases) {
    int x = -1, y = -1;
    c.bitmap.GetFrameOffset(c.frame, &x, &y);
    EXPECT_EQ(x, c.x) << "frame " << c.frame << " of " << c.bitmap.N;
    EXPECT_EQ(y, c.y) << "frame " << c.frame << " of " << c.bitmap.N;
  }
}

TEST(EditorRecords, ABitmapPlacesTheRectangleOfOneStackedFrame) {
  const IBitmap strip(nullptr, 40, 4480, 128);
  EXPECT_EQ(IRECT(10, 20, &strip), IRECT(10, 20, 50, 55));
  const IBitmap noFrames(nullptr, 40, 30, 0);
  EXPECT_EQ(IRECT(0, 0, &noFrames), IRECT(0, 0, 40, 30));
}

TEST(EditorRecords, TextStyleDefaultsAndFaceLength) {
  const IText plain;
  EXPECT_STREQ(plain.mFont, "Monaco");
  EXPECT_EQ(plain.mSize, 10);
  EXPECT_EQ(plain.mColor, DEFAULT_TEXT_COLOR);
  EXPECT_EQ(plain.mTextEntryBGColor, DEFAULT_TEXT_ENTRY_BGCOLOR);
  EXPECT_EQ(plain.mTextEntryFGColor, DEFAULT_TEXT_ENTRY_FGCOLOR);
  EXPECT_EQ(plain.mStyle, IText::kStyleNormal);
  EXPECT_EQ(plain.mAlign, IText::kAlignCenter);
  EXPECT_EQ(plain.mOrientation, 0);
  EXPECT_EQ(plain.mQuality, IText::kQualityDefault);
  EXPECT_EQ(plain.mCached, nullptr);
  const std::string longFace(40, 'f');
  const IText cut(13, &COLOR_WHITE, longFace.c_str());
  EXPECT_EQ(std::string(cut.mFont), std::string(31, 'f'));
  const std::string accentedFace = std::string(30, 'f') + "\xc3\xa9";
  EXPECT_EQ(std::string(IText(13, &COLOR_WHITE, accentedFace.c_str()).mFont), std::string(30, 'f'));
  EXPECT_EQ(cut.mColor, COLOR_WHITE);
}

}  // namespace
