#include <gtest/gtest.h>

#include "graphics/BitmapControls.h"
#include "graphics/GraphicsCaches.h"
#include "lice/LICE_CachedFont.h"
#include "lice/LICE_MemBitmap.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using gfxtest::LoggingPlug;
using gfxtest::TestGraphics;

// The cache lives as long as the process, so each test loads ids of its own.

TEST(BitmapCache, TwoEditorsShareOneLoadOfAnImage) {
  LoggingPlug plugA, plugB;
  TestGraphics* a = new TestGraphics(&plugA, 10, 10);
  TestGraphics* b = new TestGraphics(&plugB, 10, 10);
  plugA.AttachGraphics(a);
  plugB.AttachGraphics(b);
  a->mImages["strip.png"] = {20, 60};
  b->mImages["strip.png"] = {20, 60};
  const IBitmap first = a->LoadIBitmap(2001, "strip.png", 3);
  const IBitmap second = b->LoadIBitmap(2001, "other.png", 6, true);
  ASSERT_NE(first.mData, nullptr);
  EXPECT_EQ(second.mData, first.mData);
  EXPECT_EQ(a->mLoads["strip.png"], 1);
  EXPECT_TRUE(b->mLoads.empty());
  // Each call keeps its own frame layout.
  EXPECT_EQ(first.N, 3);
  EXPECT_FALSE(first.mFramesAreHorizontal);
  EXPECT_EQ(second.N, 6);
  EXPECT_TRUE(second.mFramesAreHorizontal);
  EXPECT_EQ(second.W, 20);
  EXPECT_EQ(second.H, 60);
}

TEST(BitmapCache, AnImageThatDoesNotLoadIsEmptyAndNotCached) {
  LoggingPlug plug;
  TestGraphics* gui = new TestGraphics(&plug, 40, 30);
  plug.AttachGraphics(gui);
  const int cached = s_bitmapCache.GetSize();
  IBitmap missing = gui->LoadIBitmap(2002, "missing.png", 4);
  EXPECT_EQ(missing.mData, nullptr);
  EXPECT_EQ(missing.W, 0);
  EXPECT_EQ(missing.H, 0);
  EXPECT_EQ(missing.N, 4);
  EXPECT_EQ(s_bitmapCache.GetSize(), cached);
  // A later load asks the platform again, and may succeed.
  gui->mImages["missing.png"] = {5, 8};
  EXPECT_NE(gui->LoadIBitmap(2002, "missing.png", 4).mData, nullptr);
  EXPECT_EQ(gui->mLoads["missing.png"], 2);

  // An editor whose images are missing comes up incomplete and draws.
  gui->AttachBackground(2003, "no-background.png");
  gui->AttachControl(new IBitmapControl(&plug, 5, 5, -1, &missing));
  EXPECT_EQ(*gui->GetControl(0)->GetRECT(), IRECT());
  EXPECT_EQ(*gui->GetControl(1)->GetRECT(), IRECT(5, 5, 5, 5));
  IRECT all(0, 0, 40, 30);
  EXPECT_TRUE(gui->Draw(&all));
  EXPECT_EQ(gui->GetPoint(6, 6), IColor(0, 0, 0, 0));
}

TEST(BitmapCache, RetainedBitmapsStayUntilReleased) {
  LoggingPlug plug;
  TestGraphics* gui = new TestGraphics(&plug, 10, 10);
  plug.AttachGraphics(gui);
  const int cached = s_bitmapCache.GetSize();
  IBitmap mine(new LICE_MemBitmap(3, 3), 3, 3);
  gui->RetainBitmap(&mine);
  EXPECT_EQ(s_bitmapCache.GetSize(), cached + 1);
  EXPECT_EQ(s_bitmapCache.Find(-1) != nullptr, true);
  gui->ReleaseBitmap(&mine);
  EXPECT_EQ(s_bitmapCache.GetSize(), cached);
}

// Images and fonts that count how often they are deleted.
struct CountedBitmap : LICE_MemBitmap {
  explicit CountedBitmap(int* deletions) : LICE_MemBitmap(2, 2), mDeletions(deletions) {}
  ~CountedBitmap() override { ++*mDeletions; }
  int* mDeletions;
};
struct CountedFont : LICE_CachedFont {
  explicit CountedFont(int* deletions) : mDeletions(deletions) {}
  ~CountedFont() override { ++*mDeletions; }
  int* mDeletions;
};

TEST(BitmapCache, AnImageHeldTwiceLivesUntilItsLastHolderReleasesIt) {
  LoggingPlug plug;
  TestGraphics* gui = new TestGraphics(&plug, 10, 10);
  plug.AttachGraphics(gui);
  gui->mImages["held.png"] = {4, 4};
  IBitmap loaded = gui->LoadIBitmap(2004, "held.png");
  gui->RetainBitmap(&loaded);
  gui->ReleaseBitmap(&loaded);
  // The load still holds it: the same image, not loaded again, still readable.
  IBitmap again = gui->LoadIBitmap(2004, "held.png");
  EXPECT_EQ(again.mData, loaded.mData);
  EXPECT_EQ(gui->mLoads["held.png"], 1);
  EXPECT_EQ(again.mData->getBits()[0], gui->mImageColor);

  int deletions = 0;
  {
    BitmapStorage cache;
    auto* image = new CountedBitmap(&deletions);
    cache.Add(image, 7);
    cache.Add(image);
    cache.Add(image);
    cache.Remove(image);
    EXPECT_EQ(cache.Find(7), image);
    cache.Remove(image);
    EXPECT_EQ(deletions, 0);
    cache.Remove(image);
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(cache.Find(7), nullptr);
    EXPECT_EQ(cache.GetSize(), 0);
    // Held twice when the cache goes: deleted once.
    auto* kept = new CountedBitmap(&deletions);
    cache.Add(kept, 8);
    cache.Add(kept);
  }
  EXPECT_EQ(deletions, 2);
}

TEST(FontCache, AFontKeptForTwoStylesIsDeletedOnce) {
  int deletions = 0;
  {
    FontStorage cache;
    auto* font = new CountedFont(&deletions);
    const IText small(10), large(20);
    cache.Add(font, &small);
    cache.Add(font, &large);
    EXPECT_EQ(cache.Find(&large), font);
  }
  EXPECT_EQ(deletions, 1);
}

}  // namespace
