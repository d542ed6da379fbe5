#include "engine/WaveformProvider.h"

#include <cstring>
#include <limits>

#include <gtest/gtest.h>

namespace {

using Quillvane::eWaveform;
using Quillvane::WaveformProvider;

TEST(WaveformSelection, SelectorLaw) {
  const struct {
    double selector;
    int index;
  } cases[] = {{0.0, 0},   {1.0 / 35.0, 1}, {0.5, 18},  {0.6, 21},   {1.0, 35},
               {7.5, 35},  {-0.3, 0},       {0.014, 0}, {0.0143, 1}, {std::numeric_limits<double>::quiet_NaN(), 0},
               {std::numeric_limits<double>::infinity(), 35}, {-std::numeric_limits<double>::infinity(), 0}};
  for (const auto& c : cases) EXPECT_EQ(WaveformProvider::getWaveformIndex(c.selector), c.index) << c.selector;
}

TEST(WaveformSelection, SelectorsMapBackToTheirWaveform) {
  EXPECT_EQ(WaveformProvider::getWaveformSel(Quillvane::kWaveUser15), 1.0);
  EXPECT_EQ(WaveformProvider::getWaveformSel(Quillvane::kWaveSine), 0.0);
  for (int e = 0; e < WaveformProvider::kNumWaveforms; ++e) {
    const double selector = WaveformProvider::getWaveformSel(static_cast<eWaveform>(e));
    EXPECT_EQ(WaveformProvider::getWaveformIndex(selector), e);
    // The name round trip is what program files rely on.
    EXPECT_EQ(WaveformProvider::getWaveformType(WaveformProvider::getWaveformText(selector)), e);
  }
}

TEST(WaveformSelection, NamesAndAliases) {
  EXPECT_STREQ(WaveformProvider::getWaveformText(0.0), "Sine");
  EXPECT_STREQ(WaveformProvider::getWaveformText(1.0), "User15");
  EXPECT_STREQ(WaveformProvider::getWaveformText(0.5), "Wavescape");
  EXPECT_STREQ(WaveformProvider::getWaveformText(15.0 / 35.0), "KIC 8462852");
  const struct {
    const char* name;
    int index;
  } cases[] = {{"Form8", 18},  {"Wavescape", 18}, {"Form1", 11},   {"Form10", 20},     {"Wave-Garden", 20},
               {"LQ Noize 3", 10}, {"User1", 21}, {"User15", 35},  {"sawtooth", 0},    {"Sine", 0},
               {"Form11", 0},  {"", 0},           {"User", 0},     {"Brick-Breaker", 17}, {nullptr, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(WaveformProvider::getWaveformType(c.name), c.index) << (c.name ? c.name : "null");
  }
}

TEST(WaveformSelection, StepsAndLoadableSlots) {
  WaveformProvider provider;
  EXPECT_EQ(provider.getNextWaveform(1.0), 1.0);
  EXPECT_EQ(provider.getPrevWaveform(0.01), 0.0);
  EXPECT_DOUBLE_EQ(provider.getNextWaveform(0.0), 1.0 / 35.0);
  EXPECT_FLOAT_EQ(provider.getPrevWaveform(0.5f), static_cast<float>(0.5 - 1.0 / 35.0));
  EXPECT_EQ(provider.getNextWaveform(0.99f), 1.0f);
  EXPECT_FALSE(provider.canLoadWaveform(20.0 / 35.0));
  EXPECT_TRUE(provider.canLoadWaveform(21.0 / 35.0));
  EXPECT_TRUE(provider.canLoadWaveform(3.0));
  EXPECT_FALSE(provider.canLoadWaveform(-1.0));
}

TEST(WaveformSelection, TextIntoACallersBufferRespectsItsSize) {
  WaveformProvider provider;
  char buffer[16];
  provider.getWaveformText(17.0 / 35.0, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "Brick-Breaker");
  char small[6] = "xxxxx";
  provider.getWaveformText(17.0 / 35.0, small, sizeof small);
  EXPECT_STREQ(small, "Brick");
  provider.getWaveformText(0.0, small, 0);
  EXPECT_STREQ(small, "Brick");
}

}  // namespace
