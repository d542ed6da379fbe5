// The bank as a new instrument holds it: every slot filled at construction,
// none restored, and restoring a slot brings in its values.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "instrument/Thudrokka.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using namespace Quillvane::Synth;
using Quillvane::kParameterTable;

class BankInstall : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(host.open(44100.0, 512), noErr);
    plug = host.instrument();
    ASSERT_NE(plug, nullptr);
  }

  std::vector<double> parameters() const {
    std::vector<double> values;
    for (int p = 0; p < kNumParameters; ++p) values.push_back(plug->GetParam(p)->Value());
    return values;
  }

  InstrumentHost host;
  Thudrokka* plug = nullptr;
};

TEST_F(BankInstall, EverySlotKeepsItsFactoryPresetWhenTheUnitOpens) {
  ASSERT_EQ(plug->NPresets(), 128);
  for (int i = 0; i < plug->NPresets(); ++i) {
    for (const char* placeholder : {"-", "empty", "Empty"}) EXPECT_STRNE(plug->GetPresetName(i), placeholder) << i;
  }
  EXPECT_STREQ(plug->GetPresetName(127), "Basic Sine wave");
  EXPECT_EQ(host.presets().size(), 128u);
}

TEST_F(BankInstall, NoPresetIsRestoredAtConstruction) {
  EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);
  EXPECT_STREQ(plug->GetPresetName(plug->GetCurrentPresetIdx()), "#BASIC BASSDRUMS#");
  for (int p = 0; p < kNumParameters; ++p) {
    EXPECT_EQ(plug->GetParam(p)->Value(), kParameterTable[p].defaultValue) << kParameterTable[p].keyName;
  }
}

TEST_F(BankInstall, RestoringPresetsBringsInTheirValues) {
  ASSERT_EQ(host.selectPreset(1), noErr);
  const std::vector<double> bassdrum = parameters();
  ASSERT_EQ(host.selectPreset(0), noErr);
  EXPECT_EQ(parameters(), bassdrum);
  EXPECT_EQ(plug->GetParam(Osc2OnOff)->Value(), 0.0);

  ASSERT_EQ(host.selectPreset(127), noErr);
  EXPECT_EQ(plug->GetParam(Osc1OnOff)->Value(), 1.0);
  EXPECT_EQ(plug->GetParam(OscWaveform1)->Value(), 0.0);
  EXPECT_EQ(plug->GetParam(Osc2OnOff)->Value(), 0.0);
  EXPECT_EQ(plug->GetParam(Osc3OnOff)->Value(), 0.0);
  EXPECT_EQ(plug->GetParam(DistortionOnOff)->Value(), 0.0);
  EXPECT_EQ(plug->GetParam(FilterOnOff)->Value(), 0.0);
}

}  // namespace
