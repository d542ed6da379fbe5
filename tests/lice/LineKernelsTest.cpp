#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "lice/LineKernels.h"
#include "tests/lice/DrawingFixture.h"
#include "tests/lice/RasterFixture.h"

// The line kernels on raw pixels: which pixels each touches, in which order
// and at which weight (through a combiner that records its calls), and that
// the spans combine every pixel as their combiner does.

namespace {

using licetest::RecordedCall;
using licetest::RecordedCalls;
using licetest::RecordingCombiner;

constexpr int kSpan = 8;

// Calls at (x, y) of a buffer kSpan pixels wide.
RecordedCall At(int x, int y, int weight) { return {y * kSpan + x, weight}; }

std::vector<LICE_pixel> Buffer() { return std::vector<LICE_pixel>(kSpan * 8, 0); }

template <class Combiner>
void ExpectSpansCombineLikeTheirCombiner() {
  const LICE_pixel colour = LICE_MakePixel(200, 30, 128, 90);
  for (int weight : {0, 1, 100, 128, 255, 256, 300, -40}) {
    std::vector<LICE_pixel> row(9), column(9 * 3), expected(9);
    for (int i = 0; i < 9; ++i) {
      expected[i] = row[i] = column[i * 3] = licetest::Distinct(i, 3);
      Combiner::doPix(reinterpret_cast<unsigned char*>(&expected[i]), LICE_PixelRed(colour),
                      LICE_PixelGreen(colour), LICE_PixelBlue(colour), LICE_PixelAlpha(colour), weight);
    }
    __LICE_LineClassSimple<Combiner>::LICE_HorizLine(row.data() + 1, 7, colour, weight);
    __LICE_LineClassSimple<Combiner>::LICE_VertLine(column.data() + 3, 3, 7, colour, weight);
    for (int i = 0; i < 9; ++i) {
      const LICE_pixel want = i >= 1 && i <= 7 ? expected[i] : licetest::Distinct(i, 3);
      EXPECT_EQ(row[i], want) << "row pixel " << i << " weight " << weight;
      EXPECT_EQ(column[i * 3], want) << "column pixel " << i << " weight " << weight;
      EXPECT_EQ(column[i * 3 + 1], 0u);
    }
  }
}

TEST(SpanKernelTest, EveryMemberCombinesEachPixelOnceAsItsCombinerDoes) {
  ExpectSpansCombineLikeTheirCombiner<_LICE_CombinePixelsHalfMixNoClamp>();
  ExpectSpansCombineLikeTheirCombiner<_LICE_CombinePixelsCopyNoClamp>();
  ExpectSpansCombineLikeTheirCombiner<_LICE_CombinePixelsAdd>();
  ExpectSpansCombineLikeTheirCombiner<_LICE_CombinePixelsColorDodge>();
  ExpectSpansCombineLikeTheirCombiner<_LICE_CombinePixelsMulNoClamp>();
  ExpectSpansCombineLikeTheirCombiner<_LICE_CombinePixelsOverlay>();
  ExpectSpansCombineLikeTheirCombiner<_LICE_CombinePixelsHSVAdjust>();
}

TEST(SpanKernelTest, CountAndStride) {
  std::vector<LICE_pixel> buffer(300);
  RecordedCalls::Start(buffer.data());
  __LICE_LineClassSimple<RecordingCombiner>::LICE_VertLine(buffer.data(), 100, 3, 0, 77);
  EXPECT_EQ(RecordedCalls::calls(), (std::vector<RecordedCall>{{0, 77}, {100, 77}, {200, 77}}));
  RecordedCalls::Start(buffer.data());
  __LICE_LineClassSimple<RecordingCombiner>::LICE_HorizLine(buffer.data(), 0, 0, 77);
  __LICE_LineClassSimple<RecordingCombiner>::LICE_VertLine(buffer.data(), 100, 0, 0, 77);
  EXPECT_TRUE(RecordedCalls::calls().empty());
}

TEST(DiagonalKernelTest, AliasedCombinesBothEndsAndEveryStep) {
  auto buffer = Buffer();
  RecordedCalls::Start(buffer.data());
  __LICE_LineClassSimple<RecordingCombiner>::LICE_DiagLine(buffer.data() + kSpan * 3 + 3, kSpan, 3, -1, -kSpan, 0,
                                                           99);
  EXPECT_EQ(RecordedCalls::calls(), (std::vector<RecordedCall>{At(3, 3, 99), At(2, 2, 99), At(1, 1, 99),
                                                                At(0, 0, 99)}));
}

TEST(DiagonalKernelTest, AntiAliasedPutsAQuarterOnTheFlanksOfEachStep) {
  auto buffer = Buffer();
  RecordedCalls::Start(buffer.data());
  __LICE_LineClassSimple<RecordingCombiner>::LICE_DiagLineAA(buffer.data() + kSpan + 1, kSpan, 2, 1, kSpan, 0,
                                                             256);
  EXPECT_EQ(RecordedCalls::calls(),
            (std::vector<RecordedCall>{At(1, 1, 192), At(2, 1, 64), At(1, 2, 64), At(2, 2, 192), At(3, 2, 64),
                                       At(2, 3, 64), At(3, 3, 192)}));

  // Diagonal 3 w / 4 and flanks w / 4, both truncated toward zero.
  const std::tuple<int, int, int> weights[] = {{256, 192, 64}, {1, 0, 0}, {3, 2, 0}, {-3, -2, 0}, {100, 75, 25}};
  for (const auto& [weight, diag, flank] : weights) {
    RecordedCalls::Start(buffer.data());
    __LICE_LineClassSimple<RecordingCombiner>::LICE_DiagLineAA(buffer.data(), kSpan, 1, 1, kSpan, 0, weight);
    EXPECT_EQ(RecordedCalls::calls(), (std::vector<RecordedCall>{At(0, 0, diag), At(1, 0, flank), At(0, 1, flank),
                                                                  At(1, 1, diag)}))
        << "weight " << weight;
  }
}

TEST(DiagonalKernelTest, AntiAliasedCopyOfWhiteOverBlack) {
  auto buffer = Buffer();
  __LICE_LineClassSimple<_LICE_CombinePixelsCopyNoClamp>::LICE_DiagLineAA(buffer.data(), kSpan, 1, 1, kSpan,
                                                                          0xffffffff, 256);
  EXPECT_EQ(buffer[0], 0xc0c0c0c0u);
  EXPECT_EQ(buffer[1], 0x40404040u);
  EXPECT_EQ(buffer[kSpan], 0x40404040u);
  EXPECT_EQ(buffer[kSpan + 1], 0xc0c0c0c0u);
  EXPECT_EQ(buffer[2], 0u);
}

// The line from (0, 2) toward (major, 2 + minor) drawn by LICE_LineImpl, x
// major; the calls are recorded relative to (0, 2).
std::vector<RecordedCall> GeneralLine(int major, int minor, int weight, bool aa) {
  auto buffer = Buffer();
  const int slope = static_cast<int>(static_cast<double>(minor) / major * 65536.0);
  LICE_pixel* start = buffer.data() + 2 * kSpan;
  RecordedCalls::Start(start);
  __LICE_LineClass<RecordingCombiner>::LICE_LineImpl(start, start + minor * kSpan + major, slope, 1, major, kSpan,
                                                     0, weight, aa);
  return RecordedCalls::calls();
}

TEST(GeneralLineKernelTest, AliasedWalksFromBothEnds) {
  EXPECT_EQ(GeneralLine(5, 2, 256, false),
            (std::vector<RecordedCall>{At(0, 0, 256), At(5, 2, 256), At(1, 0, 256), At(4, 2, 256), At(2, 1, 256),
                                       At(3, 1, 256)}));
  // Half-way positions round away from their own end: 0, 1, 1, 1, 2.
  EXPECT_EQ(GeneralLine(4, 2, 9, false), (std::vector<RecordedCall>{At(0, 0, 9), At(4, 2, 9), At(1, 1, 9),
                                                                     At(3, 1, 9), At(2, 1, 9)}));
  EXPECT_EQ(GeneralLine(2, 1, 9, false), (std::vector<RecordedCall>{At(0, 0, 9), At(2, 1, 9), At(1, 1, 9)}));
}

TEST(GeneralLineKernelTest, AntiAliasedSharesEachPositionBetweenTwoPixels) {
  EXPECT_EQ(GeneralLine(5, 2, 256, true),
            (std::vector<RecordedCall>{At(0, 0, 256), At(5, 2, 256), At(1, 0, 153), At(1, 1, 102), At(4, 2, 153),
                                       At(4, 1, 102), At(2, 0, 51), At(2, 1, 204), At(3, 2, 51), At(3, 1, 204)}));
  const auto half = GeneralLine(5, 2, 128, true);
  ASSERT_GE(half.size(), 4u);
  EXPECT_EQ(half[2], At(1, 0, 76));
  EXPECT_EQ(half[3], At(1, 1, 51));
  // Even length: the forward walker draws the middle as a pair.
  EXPECT_EQ(GeneralLine(2, 1, 256, true),
            (std::vector<RecordedCall>{At(0, 0, 256), At(2, 1, 256), At(1, 0, 127), At(1, 1, 128)}));
  // A zero fraction still hands weight 0 to the far pixel.
  EXPECT_EQ(GeneralLine(3, 0, 256, true), (std::vector<RecordedCall>{At(0, 0, 256), At(3, 0, 256), At(1, 0, 255),
                                                                      At(1, 1, 0), At(2, 0, 255), At(2, -1, 0)}));
}

TEST(GeneralLineKernelTest, AntiAliasedCopyOfWhiteLeavesTheWeights) {
  auto buffer = Buffer();
  __LICE_LineClass<_LICE_CombinePixelsCopyNoClamp>::LICE_LineImpl(buffer.data(), buffer.data() + 2 * kSpan + 5,
                                                                  26214, 1, 5, kSpan, 0xffffffff, 256, true);
  const std::tuple<int, int, LICE_pixel> expected[] = {
      {0, 0, 0xffffffff}, {1, 0, 0x99999999}, {1, 1, 0x66666666}, {2, 0, 0x33333333}, {2, 1, 0xcccccccc},
      {5, 2, 0xffffffff}, {4, 2, 0x99999999}, {4, 1, 0x66666666}, {3, 2, 0x33333333}, {3, 1, 0xcccccccc},
      {0, 1, 0},          {5, 1, 0},          {2, 2, 0},          {3, 0, 0}};
  for (const auto& [x, y, value] : expected) EXPECT_EQ(buffer[y * kSpan + x], value) << x << "," << y;
}

// The float-line stepper, x major, from (0, 1).
std::vector<RecordedCall> FloatSteps(int n, int err, int derr, int weight) {
  auto buffer = Buffer();
  RecordedCalls::Start(buffer.data());
  __LICE_LineClass<RecordingCombiner>::LICE_FLineImpl(buffer.data() + kSpan, n, err, derr, 1, kSpan, 0, weight);
  return RecordedCalls::calls();
}

TEST(FloatLineKernelTest, StepsShareTheWeightByTheFraction) {
  EXPECT_EQ(FloatSteps(2, 0, 0, 256), (std::vector<RecordedCall>{At(0, 1, 255), At(0, 2, 0), At(1, 1, 255),
                                                                  At(1, 2, 0), At(2, 1, 255), At(2, 2, 0)}));
  EXPECT_EQ(FloatSteps(0, 32768, 0, 256), (std::vector<RecordedCall>{At(0, 1, 127), At(0, 2, 128)}));
  EXPECT_EQ(FloatSteps(0, 32768, 0, 128), (std::vector<RecordedCall>{At(0, 1, 63), At(0, 2, 64)}));
  EXPECT_TRUE(FloatSteps(-1, 0, 0, 256).empty());
  // 30000 + 40000 passes a whole pixel: the second step is one row down.
  EXPECT_EQ(FloatSteps(1, 30000, 40000, 256),
            (std::vector<RecordedCall>{At(0, 1, 138), At(0, 2, 117), At(1, 2, 238), At(1, 3, 17)}));
}

TEST(DashedLineKernelTest, DashesFromTheSmallerEndWithoutTheEnd) {
  struct Case {
    int x1, y1, x2, y2, on, off;
    std::vector<RecordedCall> calls;
  } cases[] = {
      {0, 0, 7, 0, 3, 2, {At(0, 0, 50), At(1, 0, 50), At(2, 0, 50), At(5, 0, 50), At(6, 0, 50)}},
      // The last dash is cut at the end.
      {0, 1, 7, 1, 3, 1, {At(0, 1, 50), At(1, 1, 50), At(2, 1, 50), At(4, 1, 50), At(5, 1, 50), At(6, 1, 50)}},
      {2, 0, 2, 7, 1, 2, {At(2, 0, 50), At(2, 3, 50), At(2, 6, 50)}},
      {0, 0, 5, 0, 0, 2, {}},
      {0, 0, 3, 3, 1, 0, {}},
      {4, 4, 4, 4, 1, 0, {}},
  };
  auto bm = licetest::Uniform(kSpan, 8, 0);
  ASSERT_EQ(bm->getRowSpan(), kSpan);
  for (const Case& c : cases) {
    RecordedCalls::Start(bm->getBits());
    __LICE_LineClass<RecordingCombiner>::DashedLine(bm.get(), c.x1, c.y1, c.x2, c.y2, c.on, c.off, 0, 50);
    EXPECT_EQ(RecordedCalls::calls(), c.calls) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
  }
}

}  // namespace
