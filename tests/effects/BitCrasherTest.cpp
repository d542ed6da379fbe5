#include "effects/BitCrasher.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/effects/StereoBuffer.h"

namespace {

using Quillvane::BitCrasher;
using effectstest::StereoBuffer;

std::vector<double> crush(BitCrasher& crasher, std::vector<double> samples) {
  StereoBuffer block(static_cast<int>(samples.size()));
  block.left() = samples;
  block.right() = samples;
  crasher.process(block.channels(), block.size());
  EXPECT_EQ(block.left(), block.right());
  return block.left();
}

TEST(BitCrasher, TruncatesTowardZeroAtFractionalDepth) {
  BitCrasher crasher;
  crasher.setQuantization(0.0);
  EXPECT_EQ(crasher.getBits(), 2.5);
  const double scale = std::pow(2.0, 1.5);
  const auto out = crush(crasher, {0.5, -0.3, 0.9, -0.9, 0.0});
  EXPECT_DOUBLE_EQ(out[0], 1.0 / scale);
  EXPECT_EQ(out[1], 0.0);
  EXPECT_DOUBLE_EQ(out[2], 2.0 / scale);
  EXPECT_DOUBLE_EQ(out[3], -2.0 / scale);
  EXPECT_EQ(out[4], 0.0);

  crasher.setQuantization(0.5);
  EXPECT_EQ(crasher.getBits(), 33.25);
  const double fine = std::pow(2.0, 32.25);
  EXPECT_EQ(crush(crasher, {0.3})[0], std::trunc(0.3 * fine) / fine);
}

TEST(BitCrasher, FullDepthAndOffLeaveTheBlockAlone) {
  BitCrasher crasher;
  EXPECT_EQ(crasher.getBits(), 64.0);
  const std::vector<double> in = {0.123456789, -0.987654321, 1.5};
  EXPECT_EQ(crush(crasher, in), in);
  crasher.setQuantization(1.0);
  EXPECT_EQ(crasher.getBits(), 64.0);
  EXPECT_EQ(crush(crasher, in), in);
  crasher.setQuantization(1.2);
  EXPECT_EQ(crush(crasher, in), in);

  crasher.setQuantization(0.0);
  crasher.setOff(true);
  EXPECT_EQ(crush(crasher, in), in);
}

TEST(BitCrasher, SamplesBeyondTheIntegerRangeStayUnchanged) {
  BitCrasher crasher;
  crasher.setQuantization(0.9999);
  EXPECT_NEAR(crasher.getBits(), 63.99385, 1e-9);
  const double inf = std::numeric_limits<double>::infinity();
  const auto out = crush(crasher, {1.5, -1.5, inf, -inf, 0.25});
  EXPECT_EQ(out[0], 1.5);
  EXPECT_EQ(out[1], -1.5);
  EXPECT_EQ(out[2], inf);
  EXPECT_EQ(out[3], -inf);
  EXPECT_NEAR(out[4], 0.25, 1e-15);
  StereoBuffer nan(1);
  nan.left()[0] = nan.right()[0] = std::nan("");
  crasher.process(nan.channels(), 1);
  EXPECT_TRUE(std::isnan(nan.left()[0]));
}

}  // namespace
