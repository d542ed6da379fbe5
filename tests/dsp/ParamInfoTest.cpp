#include "dsp/Param.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

namespace {

using Dsp::ParamInfo;

TEST(ParamInfo, DefaultConstructionThrowsLogicError) {
  try {
    ParamInfo info;
    FAIL() << "no exception";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "invalid usage of ParamInfo");
  }
}

struct DescriptorRow {
  ParamInfo (*factory)();
  int id;
  const char* label;
  const char* name;
  double atControl0;
  double atControl1;
  double defaultValue;
};

TEST(ParamInfo, StandardDescriptorsHaveTheirTextsRangesAndDefaults) {
  const double pi = 3.141592653589793;
  const DescriptorRow rows[] = {
      {&ParamInfo::defaultSampleRateParam, 0, "Fs", "Sample Rate", 11025, 192000, 44100},
      {&ParamInfo::defaultCutoffFrequencyParam, 1, "Fc", "Cutoff Frequency", 10, 22040, 2000},
      {&ParamInfo::defaultCenterFrequencyParam, 1, "Fc", "Center Frequency", 10, 22040, 2000},
      {&ParamInfo::defaultQParam, 2, "Q", "Resonance", 0.0625, 16, 1},
      {&ParamInfo::defaultBandwidthParam, 3, "BW", "Bandwidth (Octaves)", 0.0625, 16, 1},
      {&ParamInfo::defaultBandwidthHzParam, 4, "BW", "Bandwidth (Hz)", 10, 22040, 1720},
      {&ParamInfo::defaultGainParam, 5, "Gain", "Gain", -24, 24, -6},
      {&ParamInfo::defaultSlopeParam, 6, "Slope", "Slope", 0.25, 4, 1},
      {&ParamInfo::defaultRippleDbParam, 8, "Ripple", "Ripple dB", 0.001, 12, 0.01},
      {&ParamInfo::defaultStopDbParam, 9, "Stop", "Stopband dB", 3, 60, 48},
      {&ParamInfo::defaultRolloffParam, 10, "W", "Transition Width", -16, 4, 0},
      {&ParamInfo::defaultPoleRhoParam, 11, "Pd", "Pole Distance", 0, 1, 0.5},
      {&ParamInfo::defaultPoleThetaParam, 12, "Pa", "Pole Angle", 0, pi, pi / 2},
      {&ParamInfo::defaultZeroRhoParam, 13, "Pd", "Zero Distance", 0, 1, 0.5},
      {&ParamInfo::defaultZeroThetaParam, 14, "Pa", "Zero Angle", 0, pi, pi / 2},
      {&ParamInfo::defaultPoleRealParam, 15, "A1", "Pole Real", -1, 1, 0.25},
      {&ParamInfo::defaultZeroRealParam, 16, "B1", "Zero Real", -1, 1, -0.25},
  };
  for (const DescriptorRow& row : rows) {
    const ParamInfo info = row.factory();
    SCOPED_TRACE(row.name);
    EXPECT_EQ(info.getId(), row.id);
    EXPECT_STREQ(info.getLabel(), row.label);
    EXPECT_STREQ(info.getName(), row.name);
    EXPECT_EQ(info.getDefaultValue(), row.defaultValue);
    EXPECT_NEAR(info.toNativeValue(0.0), row.atControl0, 1e-9 * std::fabs(row.atControl0));
    EXPECT_NEAR(info.toNativeValue(1.0), row.atControl1, 1e-9 * std::fabs(row.atControl1));
    // Every mapping inverts its partner.
    for (double c : {0.0, 0.3, 0.5, 1.0}) {
      EXPECT_NEAR(info.toControlValue(info.toNativeValue(c)), c, 1e-12);
    }
  }
}

TEST(ParamInfo, LogMappingIsGeometric) {
  const ParamInfo cutoff = ParamInfo::defaultCutoffFrequencyParam();
  EXPECT_NEAR(cutoff.toNativeValue(0.5), std::sqrt(10.0 * 22040.0), 1e-9);
  EXPECT_NEAR(cutoff.toNativeValue(0.5), 469.5, 0.05);
  EXPECT_NEAR(cutoff.toNativeValue(0.25), 68.5, 0.05);
  EXPECT_NEAR(cutoff.toNativeValue(0.75), 3216.7, 0.05);
}

TEST(ParamInfo, Pow2MappingCentresOnOne) {
  const ParamInfo q = ParamInfo::defaultQParam();
  EXPECT_DOUBLE_EQ(q.toNativeValue(0.5), 1.0);
  EXPECT_DOUBLE_EQ(q.clamp(0.001), 0.0625);
  EXPECT_DOUBLE_EQ(q.clamp(100), 16);
  EXPECT_DOUBLE_EQ(q.clamp(3), 3);
  EXPECT_TRUE(std::isnan(q.clamp(std::numeric_limits<double>::quiet_NaN())));
}

TEST(ParamInfo, OrderDescriptorRoundsToWholeOrders) {
  const ParamInfo order = Dsp::orderParam<4>();
  EXPECT_EQ(order.getId(), Dsp::idOrder);
  EXPECT_STREQ(order.getLabel(), "Order");
  EXPECT_STREQ(order.getName(), "Order");
  EXPECT_EQ(order.getDefaultValue(), 2);
  EXPECT_EQ(order.toNativeValue(0.5), 3);
  EXPECT_EQ(order.toNativeValue(0.0), 1);
  EXPECT_EQ(order.toNativeValue(1.0), 4);
  EXPECT_DOUBLE_EQ(order.toControlValue(2), 1.0 / 3);
  EXPECT_EQ(order.toString(2.9), "2");
}

TEST(ParamInfo, FormattersWriteTheirTexts) {
  const ParamInfo hz = ParamInfo::defaultCutoffFrequencyParam();
  const ParamInfo db = ParamInfo::defaultGainParam();
  const ParamInfo real = ParamInfo::defaultQParam();
  const ParamInfo order = Dsp::orderParam<2>();
  const double nan = std::numeric_limits<double>::quiet_NaN();

  const struct {
    const ParamInfo& info;
    double value;
    const char* text;
  } rows[] = {
      {hz, 2000.7, "2000 Hz"},
      {hz, 44100, "44100 Hz"},
      {db, -6, "-6.00 dB"},
      {db, 0.5, "0.500 dB"},
      {db, -12, "-12.0 dB"},
      {db, 9.999, "10.00 dB"},
      {db, nan, "nan dB"},
      {real, 1, "1.000"},
      {real, 1.23456, "1.235"},
      {order, 2.9, "2"},
      {order, -2.9, "-2"},
      // Out-of-range values saturate instead of overflowing the conversion.
      {order, 1e300, "2147483647"},
      {order, nan, "0"},
      {hz, -1e300, "-2147483648 Hz"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.info.toString(row.value), row.text) << row.value;
  }
}

TEST(ParamInfo, TruncateToIntSaturates) {
  EXPECT_EQ(Dsp::truncateToInt(2.9), 2);
  EXPECT_EQ(Dsp::truncateToInt(-2.9), -2);
  EXPECT_EQ(Dsp::truncateToInt(1e10), 2147483647);
  EXPECT_EQ(Dsp::truncateToInt(-1e10), -2147483647 - 1);
  EXPECT_EQ(Dsp::truncateToInt(std::numeric_limits<double>::infinity()), 2147483647);
  EXPECT_EQ(Dsp::truncateToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
