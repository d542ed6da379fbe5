#include <cstring>
#include <set>
#include <string>

#include "effects/Phaser.h"
#include "engine/ADSR.h"
#include "engine/Note.h"
#include "tests/instrument/InstrumentFixture.h"
#include "tests/instrument/ThudrokkaProbe.h"

namespace {

using namespace Quillvane::Synth;

TEST(ParameterDeclarations, EveryParameterIsAPlainDoubleFromZeroToOne) {
  ThudrokkaProbe plug;
  ASSERT_EQ(plug.NParams(), 105);
  for (int p = 0; p < plug.NParams(); ++p) {
    const IParam* param = plug.GetParam(p);
    EXPECT_EQ(param->Type(), IParam::kTypeDouble) << p;
    EXPECT_EQ(param->GetMin(), 0.0) << p;
    EXPECT_EQ(param->GetMax(), 1.0) << p;
    EXPECT_STREQ(param->GetParamGroupForHost(), "") << p;
    EXPECT_EQ(param->GetShape(), p == Quantization ? 4.0 : 1.0) << p;
    EXPECT_EQ(param->Value(), param->GetDefault()) << p;
    EXPECT_LT(std::strlen(param->GetNameForHost()), 32u) << p;
  }
}

TEST(ParameterDeclarations, QuantizationIsShapedByTheFourthPower) {
  ThudrokkaProbe plug;
  IParam* quantization = plug.GetParam(Quantization);
  EXPECT_EQ(quantization->GetNormalized(), 1.0);
  quantization->SetNormalized(0.5);
  EXPECT_DOUBLE_EQ(quantization->Value(), 0.0625);
  EXPECT_DOUBLE_EQ(quantization->GetNormalized(), 0.5);
}

TEST(ParameterDeclarations, DefaultsComeFromTheUnitsConstants) {
  ThudrokkaProbe plug;
  using Quillvane::ADSR;
  const struct {
    int p;
    double expected;
  } cases[] = {
      {EnvAttack, ADSR::kDefaultAttack},
      {EnvDecay, ADSR::kDefaultDecay},
      {EnvSustain, ADSR::kDefaultSustain},
      {EnvRelease, ADSR::kDefaultRelease},
      {EnvDuration, ADSR::kDefaultDuration},
      {FilterAttack, ADSR::kDefaultAttack},
      {FilterDecay, ADSR::kDefaultDecay},
      {FilterSustain, ADSR::kDefaultSustain},
      {FilterRelease, ADSR::kDefaultRelease},
      {FilterDuration, ADSR::kDefaultDuration},
      {UnisonDetune, Quillvane::Note::kDefUnisonDetune},
      {PhaserFeedback, Quillvane::Phaser::kDefPhaserFeedback},
      {PhaserRate, Quillvane::Phaser::kDefPhaserRate / Quillvane::Phaser::kMaxPhaserRate},
      {PitchAmount, 0.35},
      {PitchDuration, 0.45},
      {PitchPower, 0.75},
      {Volume, 0.5},
      {DryWet, 1.0},
  };
  for (const auto& c : cases) EXPECT_EQ(plug.GetParam(c.p)->GetDefault(), c.expected) << c.p;
}

TEST(ParameterDeclarations, NamesLabelsAndSteps) {
  ThudrokkaProbe plug;
  const struct {
    int p;
    const char* name;
  } names[] = {{Osc1OnOff, "Oscillator 1 On/Off"},
               {OscFilterResonance1, "Osc1 filter rezo"},
               {OscModFrequency2, "Osc2 LFO freq."},
               {FmAmount, "FM 1.00 carrier amount"},
               {Quantization, "Bit-Crash Quantize"},
               {DistortionType, "Disto-Type"},
               {FilterMode1, "Filter Mode 1"},
               {LimitOutput, "Limit output"},
               {Volume, "Output volume"}};
  for (const auto& n : names) EXPECT_STREQ(plug.GetParam(n.p)->GetNameForHost(), n.name) << n.p;
  // Hosts list parameters by name, so the second filter mode has one of its own.
  EXPECT_STRNE(plug.GetParam(FilterMode2)->GetNameForHost(), plug.GetParam(FilterMode1)->GetNameForHost());

  std::set<int> seconds, percent, hertz, switches;
  for (int p = 0; p < plug.NParams(); ++p) {
    const std::string label = plug.GetParam(p)->GetLabelForHost();
    if (label == "s") seconds.insert(p);
    if (label == "%") percent.insert(p);
    if (label == "Hz") hertz.insert(p);
    if (plug.GetParam(p)->GetStep() == 1.0) switches.insert(p);
  }
  EXPECT_EQ(seconds, (std::set<int>{45, 46, 48, 49, 50, 51, 53, 54}));
  EXPECT_EQ(percent, (std::set<int>{47, 52}));
  EXPECT_EQ(hertz, (std::set<int>{11, 41, 87, 94, 98}));
  EXPECT_EQ(switches, (std::set<int>{0, 10, 15, 25, 30, 40, 55, 56, 57, 59, 60, 63, 64, 76, 79, 84, 92, 99, 100}));
}

TEST(ParameterDeclarations, StepsSetOnlyTheDisplayPrecision) {
  ThudrokkaProbe plug;
  const struct {
    int p;
    const char* shown;
  } cases[] = {{PitchAmount, "0.350"}, {FilterTransition, "0.000000"}, {RingModulationFrequency, "0.0"},
               {Osc1OnOff, "1"},       {BassLayerClick, "0.0"},        {RingModulationWaveForm, "0.0"}};
  for (const auto& c : cases) {
    char text[MAX_PARAM_DISPLAY_LEN];
    plug.GetParam(c.p)->GetDisplayForHost(text);
    EXPECT_STREQ(text, c.shown) << c.p;
  }
}

TEST_F(InstrumentTest, ASwitchSetByTheHostKeepsAValueBetweenItsSteps) {
  openHost();
  setParameter(Osc1OnOff, 0.3);
  render(1);  // the change reaches the live record with the next block
  EXPECT_FLOAT_EQ(static_cast<float>(value(Osc1OnOff)), 0.3f);
  EXPECT_FLOAT_EQ(static_cast<float>(plug->getSynthProgram()->slot(0)), 0.3f);
}

}  // namespace
