#include "program/QVSynthProgram.h"

#include <type_traits>

#include <gtest/gtest.h>

namespace {

using namespace Quillvane;
using namespace Quillvane::Synth;

static_assert(sizeof(QVSynthProgram) == 112 * sizeof(double), "the record is copied whole");
static_assert(std::is_trivially_copyable<QVSynthProgram>::value, "the record is copied whole");

// Slot ranges of the record, each mapped to its first parameter.
TEST(QVSynthProgram, SlotMap) {
  const struct {
    int firstSlot, lastSlot, firstParameter;
  } ranges[] = {{0, 54, 0},   {55, 58, 58},  {59, 61, 55},  {62, 71, 62},  {73, 76, 72},
                {83, 90, 84}, {91, 93, 81},  {94, 97, 77},  {98, 98, 76},  {99, 104, 93},
                {105, 105, 92}, {106, 111, 99}};
  int covered = 0;
  for (const auto& range : ranges) {
    for (int slot = range.firstSlot; slot <= range.lastSlot; ++slot, ++covered) {
      const int parameter = range.firstParameter + slot - range.firstSlot;
      EXPECT_EQ(kParameterTable[parameter].slot, slot) << kParameterTable[parameter].keyName;
    }
  }
  EXPECT_EQ(covered, 105);
}

TEST(QVSynthProgram, ParameterAccessWritesItsSlot) {
  QVSynthProgram program;
  program[DistortionOnOff] = 0.75;
  program[PhaserRate] = 0.125;
  EXPECT_EQ(program.slot(98), 0.75);
  EXPECT_EQ(program.slot(104), 0.125);
  const QVSynthProgram& view = program;
  EXPECT_EQ(view[DistortionOnOff], 0.75);
}

TEST(QVSynthProgram, CommonStartingValuesAreTheDefaultsWithTheirExceptions) {
  QVSynthProgram program;
  program.initCommonParams();
  const struct {
    eVstParameters parameter;
    double value;
  } exceptions[] = {{OscVolume3, 0.0},      {PitchAmount, 0.0},      {PitchDuration, 0.0},
                    {PitchPower, 0.0},      {FilterCutoff, 1.0},     {FilterTransition, 1.0},
                    {ModulationOnOff, 0.0}, {PhaserFeedback, 0.25},  {PhaserRate, 0.5}};
  for (int p = 0; p < kNumParameters; ++p) {
    double expected = kParameterTable[p].defaultValue;
    for (const auto& e : exceptions) {
      if (e.parameter == p) expected = e.value;
    }
    EXPECT_EQ(program[static_cast<eVstParameters>(p)], expected) << kParameterTable[p].keyName;
  }
}

TEST(QVSynthProgram, InitSwitchesOffTheSecondAndThirdOscillatorAndTheDistortion) {
  QVSynthProgram program;
  program.init();
  EXPECT_EQ(program.slot(0), 1.0);
  EXPECT_EQ(program.slot(15), 0.0);
  EXPECT_EQ(program.slot(30), 0.0);
  EXPECT_EQ(program.slot(98), 0.0);
  EXPECT_EQ(program.slot(33), 0.0);
  EXPECT_EQ(program.slot(86), 1.0);
  EXPECT_EQ(program[EnvAttack], 0.05);
}

TEST(QVSynthProgram, UnusedSlotsAreNeverWritten) {
  QVSynthProgram program;
  const int unused[] = {72, 77, 78, 79, 80, 81, 82};
  for (int slot : unused) program.slot(slot) = -7.0;
  program.init();
  program.initCommonParams();
  program.initPro();
  for (int p = 0; p < kNumParameters; ++p) program[static_cast<eVstParameters>(p)] = 0.5;
  for (int slot : unused) EXPECT_EQ(program.slot(slot), -7.0) << slot;
}

}  // namespace
