#include "program/VstParameters.h"

#include <cstring>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

using namespace Quillvane;
using namespace Quillvane::Synth;

TEST(ParameterTable, HasOneRowPerParameterInEnumerationOrder) {
  EXPECT_EQ(kNumParameters, 105);
  EXPECT_STREQ(kParameterTable[Osc1OnOff].keyName, "Osc1OnOff");
  EXPECT_STREQ(kParameterTable[OscFreq2].keyName, "OscFreq2");
  EXPECT_STREQ(kParameterTable[Quantization].keyName, "Quantization");
  EXPECT_STREQ(kParameterTable[Volume].keyName, "Volume");
  EXPECT_EQ(Volume, 104);
  EXPECT_EQ(FilterMode1, 89);
}

TEST(ParameterTable, KeyCodeAndDisplayNamesAreDistinct) {
  std::set<std::string> keys, codes, displays;
  for (const ParameterInfo& row : kParameterTable) {
    keys.insert(row.keyName);
    codes.insert(row.codeName);
    displays.insert(row.displayName);
  }
  EXPECT_EQ(keys.size(), 105u);
  EXPECT_EQ(codes.size(), 105u);
  EXPECT_EQ(displays.size(), 105u);
  EXPECT_STRNE(kParameterTable[FilterMode2].displayName, kParameterTable[FilterMode1].displayName);
}

TEST(ParameterTable, SwitchesStepByOneAndDefaultToAnEnd) {
  const std::set<int> switches = {0,  10, 15, 25, 30, 40, 55, 56, 57, 59, 60, 63,
                                  64, 76, 79, 84, 92, 99, 100};
  for (int p = 0; p < kNumParameters; ++p) {
    const ParameterInfo& row = kParameterTable[p];
    if (switches.count(p)) {
      EXPECT_EQ(row.step, 1.0) << row.keyName;
      EXPECT_TRUE(row.defaultValue == 0.0 || row.defaultValue == 1.0) << row.keyName;
    } else {
      EXPECT_LT(row.step, 1.0) << row.keyName;
    }
    EXPECT_GE(row.defaultValue, 0.0) << row.keyName;
    EXPECT_LE(row.defaultValue, 1.0) << row.keyName;
  }
}

TEST(ParameterTable, OddStepsShapeAndDefaults) {
  EXPECT_DOUBLE_EQ(kParameterTable[FilterTransition].step, 1.0 / 3.0);
  EXPECT_EQ(kParameterTable[BassLayerClick].step, 0.1);
  EXPECT_EQ(kParameterTable[RingModulationFrequency].step, 0.1);
  EXPECT_EQ(kParameterTable[RingModulationWaveForm].step, 0.2);
  for (int p = 0; p < kNumParameters; ++p) {
    EXPECT_EQ(kParameterTable[p].shape, p == Quantization ? 4.0 : 1.0) << kParameterTable[p].keyName;
  }
  EXPECT_STREQ(kParameterTable[Quantization].displayName, "Bit-Crash Quantize");
  EXPECT_EQ(kParameterTable[Quantization].defaultValue, 1.0);
  EXPECT_EQ(kParameterTable[UnisonDetune].defaultValue, 0.125);
  EXPECT_EQ(kParameterTable[PhaserRate].defaultValue, 0.2);
  EXPECT_EQ(kParameterTable[PitchAmount].defaultValue, 0.35);
  EXPECT_EQ(kParameterTable[FilterCutoff].defaultValue, 0.0);
}

TEST(ParameterTable, UnitTexts) {
  const struct {
    int parameter;
    const char* unit;
  } withUnit[] = {{11, "Hz"}, {41, "Hz"}, {45, "s"},  {46, "s"},  {47, "%"},  {48, "s"},
                  {49, "s"},  {50, "s"},  {51, "s"},  {52, "%"},  {53, "s"},  {54, "s"},
                  {87, "Hz"}, {94, "Hz"}, {98, "Hz"}};
  std::set<int> seen;
  for (const auto& expected : withUnit) {
    EXPECT_STREQ(kParameterTable[expected.parameter].unit, expected.unit) << expected.parameter;
    seen.insert(expected.parameter);
  }
  for (int p = 0; p < kNumParameters; ++p) {
    if (!seen.count(p)) {
      EXPECT_STREQ(kParameterTable[p].unit, "") << kParameterTable[p].keyName;
    }
  }
  // The second oscillator's LFO frequency has no unit, unlike its twins.
  EXPECT_STREQ(kParameterTable[OscModFrequency2].unit, "");
}

TEST(ParameterTable, SlotsAreDistinctAndSkipTheUnusedOnes) {
  std::set<int> slots;
  for (const ParameterInfo& row : kParameterTable) {
    EXPECT_GE(row.slot, 0);
    EXPECT_LT(row.slot, kNumRecordSlots);
    slots.insert(row.slot);
  }
  EXPECT_EQ(slots.size(), 105u);
  for (int unused : {72, 77, 78, 79, 80, 81, 82}) EXPECT_EQ(slots.count(unused), 0u) << unused;
}

// Key names that contain another key name; program-file readers must not
// rely on the key alone.
TEST(ParameterTable, SomeKeyNamesContainOthers) {
  EXPECT_NE(std::strstr(kParameterTable[DistortionType].keyName, kParameterTable[Distortion].keyName), nullptr);
  EXPECT_NE(std::strstr(kParameterTable[OscPan1].keyName, kParameterTable[Pan].keyName), nullptr);
}

}  // namespace
