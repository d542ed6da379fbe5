#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_SysBitmap.h"

namespace {

struct MemProbe : LICE_MemBitmap {
  using LICE_MemBitmap::LICE_MemBitmap;
  int allocBytes() const { return mAllocBytes; }
  bool hasBlock() const { return mBuffer != nullptr; }
};

bool Aligned64(const void* p) { return reinterpret_cast<uintptr_t>(p) % 64 == 0; }

TEST(MemBitmapTest, GrowsByAQuarterAndKeepsItsBlockWhenShrinking) {
  MemProbe bm(0, 0, 4);
  EXPECT_FALSE(bm.hasBlock());
  EXPECT_EQ(bm.getBits(), nullptr);

  EXPECT_TRUE(bm.resize(1, 1));
  EXPECT_EQ(bm.getRowSpan(), 4);
  EXPECT_EQ(bm.allocBytes(), 16);
  EXPECT_TRUE(Aligned64(bm.getBits()));

  EXPECT_TRUE(bm.resize(10, 10));
  EXPECT_EQ(bm.getRowSpan(), 12);
  EXPECT_EQ(bm.allocBytes(), 600) << "480 needed, a quarter more kept";
  EXPECT_TRUE(Aligned64(bm.getBits()));

  EXPECT_TRUE(bm.resize(8, 8));
  EXPECT_EQ(bm.allocBytes(), 600);
  EXPECT_EQ(bm.getWidth(), 8);
  EXPECT_EQ(bm.getHeight(), 8);

  EXPECT_FALSE(bm.resize(8, 8)) << "same size";
}

TEST(MemBitmapTest, EmptyOrImpossibleSizesLeaveNoBlock) {
  struct Case {
    int w, h;
  } cases[] = {{7, 0}, {0, 7}, {-5, -5}, {-1, 10}, {INT_MAX, 2}, {40000, 40000}, {INT_MAX, INT_MAX}};
  for (const Case& c : cases) {
    MemProbe bm(3, 3, 4);
    ASSERT_TRUE(bm.hasBlock());
    EXPECT_TRUE(bm.resize(c.w, c.h)) << c.w << " x " << c.h;
    EXPECT_FALSE(bm.hasBlock()) << c.w << " x " << c.h;
    EXPECT_EQ(bm.getBits(), nullptr);
    EXPECT_EQ(bm.getWidth(), 0);
    EXPECT_EQ(bm.getHeight(), 0);
    EXPECT_EQ(bm.allocBytes(), 0);
  }
  MemProbe empty;
  EXPECT_FALSE(empty.resize(0, 0));
}

TEST(MemBitmapTest, RowAlignment) {
  struct Case {
    unsigned int align;
    int expectedSpan;
  } cases[] = {{0, 5}, {1, 5}, {2, 6}, {4, 8}, {6, 6}, {16, 16}, {64, 16}};
  for (const Case& c : cases) {
    LICE_MemBitmap bm(5, 2, c.align);
    EXPECT_EQ(bm.getRowSpan(), c.expectedSpan) << "alignment " << c.align;
  }
}

TEST(SysBitmapTest, KeepsItsContextForSizesThatFit) {
  LICE_SysBitmap bm(10, 10);
  ASSERT_NE(bm.getBits(), nullptr);
  EXPECT_EQ(bm.getRowSpan(), 12);
  HDC dc = bm.getDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(bm.getBits(), SWELL_GetCtxFrameBuffer(dc));
  EXPECT_TRUE(Aligned64(bm.getBits()));
  for (int i = 0; i < 12 * 10; ++i) EXPECT_EQ(bm.getBits()[i], 0u) << "zeroed";

  EXPECT_TRUE(bm.resize(5, 5));
  EXPECT_EQ(bm.getDC(), dc);
  EXPECT_EQ(bm.getRowSpan(), 12);
  EXPECT_EQ(bm.getWidth(), 5);

  EXPECT_TRUE(bm.resize(13, 5));
  EXPECT_EQ(bm.getRowSpan(), 16);
  ASSERT_NE(bm.getDC(), nullptr);
  EXPECT_EQ(bm.getDC()->cgContext->rowBytes, 64);
  EXPECT_EQ(bm.getDC()->cgContext->height, 5);
  EXPECT_FALSE(bm.resize(13, 5));
}

TEST(SysBitmapTest, ZeroAndImpossibleSizes) {
  LICE_SysBitmap bm(4, 4);
  EXPECT_FALSE(bm.resize(0, 20)) << "no pixels for a zero width";
  EXPECT_EQ(bm.getWidth(), 0);
  EXPECT_EQ(bm.getHeight(), 20);
  EXPECT_EQ(bm.getBits(), nullptr);
  EXPECT_EQ(bm.getDC(), nullptr);

  struct Case {
    int w, h;
  } cases[] = {{-3, 4}, {4, -3}, {INT_MAX, 1}, {40000, 40000}, {INT_MAX - 3, INT_MAX}, {INT_MAX, INT_MAX}};
  for (const Case& c : cases) {
    LICE_SysBitmap big(4, 4);
    EXPECT_TRUE(big.resize(c.w, c.h)) << c.w << " x " << c.h;
    EXPECT_EQ(big.getBits(), nullptr);
    EXPECT_EQ(big.getDC(), nullptr);
    EXPECT_EQ(big.getWidth(), 0);
    EXPECT_EQ(big.getHeight(), 0);
  }
  LICE_SysBitmap empty;
  EXPECT_EQ(empty.getDC(), nullptr);
  EXPECT_FALSE(empty.resize(0, 0));
}

}  // namespace
