#include <gtest/gtest.h>

#include <climits>

#include "framework/WDL_HeapBuf.h"
#include "framework/WDL_TypedBuf.h"

namespace {

struct GrowthCase {
  int granul;
  int firstSize;
  int firstAlloc;
  int secondSize;
  int secondAlloc;
};

TEST(HeapBuf, AllocationFollowsGranularityAndPageRule) {
  const GrowthCase cases[] = {
      // Page-sized granularity: the block plus 96 bytes of bookkeeping ends on a page.
      {4096, 1, 4000, 4000, 4000},
      {4096, 1, 4000, 4001, 8096},
      {4096, 10000, 12192, 12192, 12192},
      // Small granularity: half the size again, at least the granularity.
      {128, 10, 138, 300, 450},
      {128, 10, 138, 138, 138},
  };
  for (const GrowthCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "granul " << c.granul << " sizes " << c.firstSize << ", "
                                    << c.secondSize);
    WDL_HeapBuf buf(c.granul);
    EXPECT_NE(buf.Resize(c.firstSize), nullptr);
    EXPECT_EQ(buf.GetAllocated(), c.firstAlloc);
    buf.Resize(c.secondSize);
    EXPECT_EQ(buf.GetSize(), c.secondSize);
    EXPECT_EQ(buf.GetAllocated(), c.secondAlloc);
  }
}

TEST(HeapBuf, LargeBuffersGrowByAtMostFourMegabytesOfStep) {
  WDL_HeapBuf buf(4096);
  buf.Resize(20 * 1024 * 1024);
  // step capped at 4 MB: ((20 MB + 4 MB + 96) & ~4095) - 96
  EXPECT_EQ(buf.GetAllocated(), 24 * 1024 * 1024 - 96);
}

TEST(HeapBuf, ShrinksOnlyWhenAskedAndMostlyUnused) {
  WDL_HeapBuf big(4096);
  big.Resize(3000);
  ASSERT_EQ(big.GetAllocated(), 4000);
  big.Resize(100, true);
  EXPECT_EQ(big.GetAllocated(), 4000) << "100 is not below 4000 - 4 * 4096";

  WDL_HeapBuf kept(128);
  kept.Resize(4000);
  ASSERT_EQ(kept.GetAllocated(), 6000);
  kept.Resize(100, false);
  EXPECT_EQ(kept.GetAllocated(), 6000);

  WDL_HeapBuf shrunk(128);
  shrunk.Resize(4000);
  shrunk.Resize(100, true);
  EXPECT_EQ(shrunk.GetAllocated(), 228);
  EXPECT_EQ(shrunk.GetSize(), 100);
}

TEST(HeapBuf, KeepsContentsAcrossGrowthAndReadsNullWhenEmpty) {
  WDL_HeapBuf buf(128);
  char* p = static_cast<char*>(buf.Resize(4));
  std::memcpy(p, "abcd", 4);
  p = static_cast<char*>(buf.Resize(5000));
  EXPECT_EQ(std::memcmp(p, "abcd", 4), 0);

  buf.Resize(0, false);
  EXPECT_EQ(buf.Get(), nullptr);
  EXPECT_GT(buf.GetAllocated(), 0) << "storage kept for later use";
  EXPECT_EQ(std::memcmp(buf.Resize(4), "abcd", 4), 0);
}

TEST(HeapBuf, ImpossibleSizesFailWithoutChange) {
  WDL_HeapBuf buf(128);
  void* before = buf.Resize(16);
  EXPECT_EQ(buf.Resize(INT_MAX - 8), before);
  EXPECT_EQ(buf.GetSize(), 16);
  EXPECT_EQ(buf.Resize(-1), before);
  EXPECT_EQ(buf.GetSize(), 16);

  WDL_TypedBuf<double> doubles;
  doubles.Resize(INT_MAX / 4);
  EXPECT_EQ(doubles.GetSize(), 0);
  EXPECT_EQ(doubles.Get(), nullptr);
}

TEST(HeapBuf, MinimumAllocationRaisesSmallBlocks) {
  WDL_HeapBuf buf(128);
  buf.SetMinAllocSize(1000);
  buf.Resize(10);
  EXPECT_EQ(buf.GetAllocated(), 1000);
}

TEST(HeapBuf, CopiesAreIndependent) {
  WDL_TypedBuf<int> a;
  a.Add(7);
  a.Add(8);
  WDL_TypedBuf<int> b = a;
  b.Get()[0] = 1;
  EXPECT_EQ(a.Get()[0], 7);
  EXPECT_EQ(b.GetSize(), 2);
  EXPECT_EQ(b.Get()[1], 8);
}

}  // namespace
