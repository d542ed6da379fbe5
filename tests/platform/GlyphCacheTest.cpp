#include <gtest/gtest.h>

#include <memory>

#include "platform/standin/SwellFontEngine.h"
#include "platform/standin/SwellGlyphCache.h"

namespace {

SWELL_GlyphKey KeyFor(unsigned int codepoint) { return {nullptr, 64 * 12, codepoint, 0, 0, false, false, 0, false, 0}; }

SWELL_GlyphCache::Image ImageOf(size_t bytes) {
  auto image = std::make_shared<SWELL_GlyphImage>();
  image->width = static_cast<int>(bytes);
  image->height = 1;
  image->coverage.assign(bytes, 128);
  return image;
}

TEST(GlyphCacheTest, DropsTheLeastRecentlyUsedOnceOverBudget) {
  // Room for three of these glyphs, bookkeeping included, not four.
  SWELL_GlyphCache probe(1 << 20);
  probe.Add(KeyFor('x'), ImageOf(1000));
  const size_t one = probe.Bytes();
  SWELL_GlyphCache cache(3 * one + one / 2);

  for (unsigned int c : {'a', 'b', 'c'}) cache.Add(KeyFor(c), ImageOf(1000));
  SWELL_GlyphCache::Image found;
  ASSERT_TRUE(cache.Find(KeyFor('a'), &found));  // 'a' is now the most recent
  cache.Add(KeyFor('d'), ImageOf(1000));
  EXPECT_LE(cache.Bytes(), 3 * one + one / 2);
  EXPECT_FALSE(cache.Find(KeyFor('b'), &found));
  for (unsigned int c : {'a', 'c', 'd'}) EXPECT_TRUE(cache.Find(KeyFor(c), &found)) << static_cast<char>(c);

  // An image the whole budget cannot hold is not kept, and evicts nothing.
  cache.Add(KeyFor('e'), ImageOf(4 * one));
  EXPECT_FALSE(cache.Find(KeyFor('e'), &found));
  EXPECT_TRUE(cache.Find(KeyFor('c'), &found));

  // The same key again replaces its image instead of counting it twice.
  const size_t before = cache.Bytes();
  cache.Add(KeyFor('c'), ImageOf(1000));
  EXPECT_EQ(cache.Bytes(), before);
}

TEST(GlyphCacheTest, KeepsGlyphsThatFailedAsNull) {
  SWELL_GlyphCache cache(1 << 16);
  cache.Add(KeyFor(0x10FFFF), nullptr);
  SWELL_GlyphCache::Image found = ImageOf(1);
  ASSERT_TRUE(cache.Find(KeyFor(0x10FFFF), &found));
  EXPECT_EQ(found, nullptr);
}

TEST(GlyphCacheTest, EveryInputThatMovesAPixelIsPartOfTheKey) {
  SWELL_Face* face = SWELL_FindFace("Arial");
  ASSERT_NE(face, nullptr);
  const auto glyph = [face](double size, unsigned int c, double fx, double fy, bool mono, double bold, double shear) {
    return SWELL_FaceGlyph(face, size, c, fx, fy, mono, bold, shear);
  };
  const auto base = glyph(12.0, 'g', 0.25, 0.5, false, 0.0, 0.0);
  ASSERT_NE(base, nullptr);
  // Drawn again, or at an offset the rasteriser rounds to the same 1/64 pixel: rendered once.
  EXPECT_EQ(glyph(12.0, 'g', 0.25, 0.5, false, 0.0, 0.0), base);
  EXPECT_EQ(glyph(12.0, 'g', 0.25 + 1.0 / 256, 0.5, false, 0.0, 0.0), base);

  const std::shared_ptr<const SWELL_GlyphImage> others[] = {
      glyph(13.0, 'g', 0.25, 0.5, false, 0.0, 0.0), glyph(12.0, 'q', 0.25, 0.5, false, 0.0, 0.0),
      glyph(12.0, 'g', 0.75, 0.5, false, 0.0, 0.0), glyph(12.0, 'g', 0.25, 0.0, false, 0.0, 0.0),
      glyph(12.0, 'g', 0.25, 0.5, true, 0.0, 0.0),  glyph(12.0, 'g', 0.25, 0.5, false, 0.6, 0.0),
      glyph(12.0, 'g', 0.25, 0.5, false, 0.0, 0.2),
  };
  for (const auto& other : others) {
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, base);
    EXPECT_FALSE(other->left == base->left && other->top == base->top && other->width == base->width &&
                 other->coverage == base->coverage);
  }
}

}  // namespace
