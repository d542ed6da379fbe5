#include "engine/Constants.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

using Quillvane::ConstantsD;

// The stored digits must keep the relations the engine relies on.
TEST(Constants, CircleMultiplesAndTheSemitone) {
  EXPECT_EQ(ConstantsD::kPi, std::acos(-1.0));
  EXPECT_EQ(ConstantsD::k2_Pi, 2.0 * ConstantsD::kPi);
  EXPECT_EQ(ConstantsD::k4_Pi, 4.0 * ConstantsD::kPi);
  EXPECT_EQ(ConstantsD::k8_Pi, 8.0 * ConstantsD::kPi);
  EXPECT_EQ(ConstantsD::kPi_2, ConstantsD::kPi / 2.0);
  EXPECT_EQ(ConstantsD::kFineTuneDelta, ConstantsD::k12th_rt2 - 1.0);
  EXPECT_NEAR(std::pow(ConstantsD::k12th_rt2, 12.0), 2.0, 1e-11);
  EXPECT_EQ(ConstantsD::kDefaultSmoothFactor, 0.9877);
  EXPECT_EQ(ConstantsD::kSaturationFactor, 7.77);
}

}  // namespace
