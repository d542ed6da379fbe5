#include "program/RirARorurProgram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <string>

namespace {

using namespace Quillvane;
using namespace Quillvane::Synth;

const auto kBeyond = static_cast<eVstParameters>(kNumParameters);

TEST(RirARorurProgram, FreshProgramIsTheBasicBassdrum) {
  RirARorurProgram program;
  EXPECT_STREQ(program.getProgramName(), "Basic Bassdrum");
  EXPECT_STREQ(program.GetWorkingDirectory(), "");
  struct Case {
    eVstParameters p;
    double value;
  } cases[] = {{Quantization, 0.0},   {OscVolume1, 0.3},      {OscVolume3, 0.3},    {ModulationOnOff, 0.0},
               {OscModFrequency2, 0.05}, {OscFreq2, 0.55},    {OscFreq3, 0.45},     {PitchAmount, 0.4},
               {PitchDuration, 0.15}, {PitchPower, 0.7},      {UnisonDetune, 0.0},  {DistortionType, 0.0},
               {FilterCutoff, 1.0},   {FilterTransition, 1.0}, {PhaserFeedback, 0.25}, {PhaserRate, 0.5},
               {Osc2OnOff, 1.0},      {DistortionOnOff, 1.0}, {EnvAttack, 0.05},    {Volume, 0.5}};
  for (const Case& c : cases) EXPECT_EQ(program.getParameterValue(c.p, true), c.value) << c.p;
}

TEST(RirARorurProgram, RealUnits) {
  RirARorurProgram program;
  struct Case {
    eVstParameters p;
    double stored, real;
  } cases[] = {{OscPan1, 0.5, 0.0},          {Pan, 1.0, 0.5},
               {OscFreq2, 0.0, -1.0},        {OscFreq1, 1.0, 1.0},
               {OscPitch3, 1.0, 12.0},       {OscPitch1, 0.25, -6.0},
               {OscModFrequency3, 0.5, 10.0}, {EnvDuration, 0.2, 1.0},
               {FilterDuration, 1.0, 5.0},   {EnvAttack, 0.05, 0.05},
               {EnvSustain, 0.25, 0.25},     {RingModulationFrequency, 0.5, 2000.0},
               {PhaserRate, 0.2, 2.0},       {Volume, 0.7, 0.7}};
  for (const Case& c : cases) {
    program.setParameterValue(c.p, c.stored);
    EXPECT_DOUBLE_EQ(program.getParameterValue(c.p, false), c.real) << c.p;
    EXPECT_EQ(program.getParameterValue(c.p, true), c.stored) << c.p;
  }
}

TEST(RirARorurProgram, SettingClampsAndIgnoresWhatItCannotStore) {
  RirARorurProgram program;
  program.setParameterValue(OscSat1, 1.7);
  EXPECT_EQ(program.getParameterValue(OscSat1, true), 1.0);
  program.setParameterValue(OscSat1, -0.2);
  EXPECT_EQ(program.getParameterValue(OscSat1, true), 0.0);
  program.setParameterValue(OscSat1, 0.4);
  for (const double notFinite : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity()}) {
    program.setParameterValue(OscSat1, notFinite);
    EXPECT_EQ(program.getParameterValue(OscSat1, true), 0.4) << notFinite;
  }

  const QVSynthProgram before = program.getSynthProgram();
  program.setParameterValue(kBeyond, 0.5);
  EXPECT_EQ(std::memcmp(&before, &program.getSynthProgram(), sizeof before), 0);
  EXPECT_EQ(program.getParameterValue(kBeyond, true), 0.0);
  EXPECT_EQ(program.getParameterValue(kBeyond, false), 0.0);
}

TEST(RirARorurProgram, ValuesLiveInTheirRecordSlots) {
  RirARorurProgram program;
  program.setParameterValue(DistortionOnOff, 0.0);
  EXPECT_EQ(program.getSynthProgram().slot(98), 0.0);
  program.setParameterValue(DistortionOnOff, 1.0);
  EXPECT_EQ(program.getSynthProgram().slot(98), 1.0);
  EXPECT_EQ(program.getParameterValue(DistortionOnOff, true), 1.0);
  program.getSynthProgram().slot(105) = 0.75;  // ModulationOnOff's slot
  EXPECT_EQ(program.getParameterValue(ModulationOnOff, true), 0.75);
}

TEST(RirARorurProgram, KeyAndCodeNames) {
  RirARorurProgram program;
  std::set<std::string> keys, codes;
  for (int p = 0; p < kNumParameters; ++p) {
    keys.insert(program.getParameterNameText(static_cast<eVstParameters>(p)));
    codes.insert(program.getParameterCodeName(static_cast<eVstParameters>(p)));
  }
  EXPECT_EQ(keys.size(), 105u);
  EXPECT_EQ(codes.size(), 105u);
  EXPECT_STREQ(program.getParameterNameText(Osc1OnOff), "Osc1OnOff");
  EXPECT_STREQ(program.getParameterNameText(Volume), "Volume");
  EXPECT_STREQ(program.getParameterCodeName(Pan), "outPan");
  EXPECT_STREQ(program.getParameterCodeName(RingModulationAmount), "ringModulatorAmount");
  EXPECT_STREQ(program.getParameterCodeName(kBeyond), "Unknown");
  EXPECT_STREQ(program.getParameterNameText(kBeyond), "");
}

TEST(RirARorurProgram, NameAndDirectoryIgnoreNull) {
  RirARorurProgram program;
  program.setProgramName("Kick 7");
  program.setProgramName(nullptr);
  EXPECT_STREQ(program.getProgramName(), "Kick 7");
  program.SetWorkingDirectory("/tmp/kicks");
  program.SetWorkingDirectory(nullptr);
  EXPECT_STREQ(program.GetWorkingDirectory(), "/tmp/kicks");
}

}  // namespace
