// The program definitions against what is stated of them: kinds, bases and
// envelope routines, the choices at every position, what partial and derived
// definitions touch, the section contents, and where the bank departs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/ADSR.h"
#include "presets/ProgramDefinitions.h"
#include "presets/ThudrokkaFreePresets.h"
#include "tests/presets/ChoiceNames.h"

namespace {

using namespace Quillvane;
using namespace Quillvane::Synth;
using namespace presetstest;

const eVstParameters kDistortionAmount = Synth::Distortion;

struct Record {
  std::string name;
  std::vector<double> values;  // parameter order
  std::vector<double> slots;   // record order, all 112
};

Record snapshot(const RirARorurProgram& program) {
  Record r;
  r.name = program.getProgramName();
  for (int p = 0; p < kNumParameters; ++p) {
    r.values.push_back(program.getParameterValue(static_cast<eVstParameters>(p), true));
  }
  for (int s = 0; s < kNumRecordSlots; ++s) r.slots.push_back(program.getSynthProgram().slot(s));
  return r;
}

// Every slot of the record, parameters or not, set to v.
void fill(RirARorurProgram& program, double v) {
  for (int s = 0; s < kNumRecordSlots; ++s) program.getSynthProgram().slot(s) = v;
}

// The definitions as the generator runs them: bank order on one object.
const std::vector<Record>& inBankOrder() {
  static const std::vector<Record> records = [] {
    std::vector<Record> all;
    RirARorurProgram program;
    runProgramDefinitionsInBankOrder(program, [&all](int, const RirARorurProgram& p) { all.push_back(snapshot(p)); });
    return all;
  }();
  return records;
}

double def(int position, int parameter) { return inBankOrder()[position].values[parameter]; }

Record runAlone(int position, double prior) {
  RirARorurProgram program;
  fill(program, prior);
  program.setProgramName("prior");
  runProgramDefinition(program, position);
  return snapshot(program);
}

std::set<int> differing(const std::vector<double>& a, const std::vector<double>& b) {
  std::set<int> d;
  for (int p = 0; p < kNumParameters; ++p) {
    if (a[p] != b[p]) d.insert(p);
  }
  return d;
}

// Inclusive runs of parameters in parameter order.
std::set<int> parameters(std::initializer_list<std::pair<eVstParameters, eVstParameters>> runs) {
  std::set<int> s;
  for (const auto& [first, last] : runs) {
    for (int p = first; p <= last; ++p) s.insert(p);
  }
  return s;
}

std::set<int> complement(const std::set<int>& s) {
  std::set<int> c;
  for (int p = 0; p < kNumParameters; ++p) {
    if (!s.count(p)) c.insert(p);
  }
  return c;
}

std::vector<int> positions(int first, int last) {
  std::vector<int> v;
  for (int i = first; i <= last; ++i) v.push_back(i);
  return v;
}

// Lowest and highest value over the positions, as four-decimal numbers.
void expectRange(const std::vector<int>& where, eVstParameters p, double lo, double hi) {
  double min = 2.0, max = -1.0;
  for (int i : where) {
    min = std::min(min, roundToFourDecimals(def(i, p)));
    max = std::max(max, roundToFourDecimals(def(i, p)));
  }
  EXPECT_EQ(min, lo) << kParameterTable[p].keyName << " from " << where.front();
  EXPECT_EQ(max, hi) << kParameterTable[p].keyName << " from " << where.front();
}

void expectAll(const std::vector<int>& where, eVstParameters p, double v) {
  for (int i : where) EXPECT_EQ(def(i, p), v) << inBankOrder()[i].name << " " << kParameterTable[p].keyName;
}

int count(const std::vector<int>& where, const std::function<bool(int)>& test) {
  int n = 0;
  for (int i : where) n += test(i) ? 1 : 0;
  return n;
}

// ---------------------------------------------------------------------------

TEST(ProgramDefinitions, NamesInBankOrder) {
  const char* const names[kNumProgramDefinitions] = {
      "Init_BasicSection", "Init_QV_Bassdrum", "Init_QV_Basic_Bassdrum1", "Init_QV_Basic_Bassdrum2",
      "Init_QV_Basic_Bassdrum3", "Init_QV_Basic_Kickdrum1", "Init_QV_Basic_Kickdrum2", "Init_QV_Basic_Kickdrum3",
      "Init_QV_Laser1", "Init_QV_Laser2", "Init_QV_LaserKick1", "Init_QV_LaserKick2", "Init_QV_Pulse_Beat1",
      "Init_QV_Pulse_Beat2", "Init_OldschoolBassdrum1", "Init_OldschoolBassdrum2", "Init_OldschoolBassdrum3",
      "Init_OldschoolBassdrum4", "Init_OldschoolBassdrum5", "Init_HardcoreSection", "Init_Mainstream1",
      "Init_Mainstream2", "Init_Mainstream3", "Init_Mainstream4", "Init_Darkcore1", "Init_Darkcore2",
      "Init_Darkcore3", "Init_VDRBassdrum1", "Init_VDRBassdrum2", "Init_VDRBassdrum3", "Init_VDRKickDrum1",
      "Init_VDRKickDrum2", "Init_IndustrialBassdrum", "Init_LowQBassdrum1", "Init_LowQBassdrum2",
      "Init_CrashBoomBeat", "Init_TovoDarkcoreKick1", "Init_TovoDarkcoreKick2", "Init_DeepUndergroundBeat",
      "Init_HeavyBassBeat", "Init_TerrorcoreBeat1", "Init_TerrorcoreBeat2", "Init_KillerBeat1",
      "Init_KillerBeat2", "Init_DirtyBeat1", "Init_SpeedcoreKick1", "Init_SpeedcoreKick2", "Init_SpeedcoreKick3",
      "Init_BounceKick1", "Init_BounceKick2", "Init_NoisecoreKick1", "Init_NoisecoreKick2",
      "Init_Amiga8bitPowerKick1", "Init_Amiga8bitPowerKick2", "Init_VovedidaKickdrum1", "Init_VovedidaKickdrum2",
      "Init_VornKickdrum1", "Init_VornKickdrum2", "Init_GabberKick1", "Init_GabberKick2", "Init_GabberKick3",
      "Init_GabberKick4", "Init_QuillvaneKickdrum1", "Init_QuillvaneKickdrum2", "Init_QuillvaneKickdrum3",
      "Init_QuillvaneKickdrum4", "Init_QuillvaneKickdrum5", "Init_HyperSchranz1", "Init_HyperSchranz2",
      "Init_IndustrialCrunch", "Init_TQuakeBassdrum1", "Init_TQuakeBassdrum2", "Init_DrumAndFxSection",
      "Init_ClosedHihat1", "Init_OpenHihat1", "Init_SnareDrum1", "Init_8bitEnema", "Init_ACoderAteMyPigeOn",
      "Init_NeightboursNightmare", "Init_UncontrolledDetonation", "Init_SilverSubmarine", "Init_BassSection",
      "Init_RawBassground", "Init_TheShadowOutOfBass", "Init_UndergroundDubBass1", "Init_TheSorceryOfBass",
      "Init_DeadlySpellDBBass", "Init_FusionBass1", "Init_FusionBass2", "Init_StringSection",
      "Init_ErichZahnViolin", "Init_VirtualCello", "Init_VirtualBanjo", "Init_BrassSection", "Init_VirtualHorn",
      "Init_VirtualHarmonica", "Init_PadSection", "Init_RelicPad", "Init_RawStructuredPad", "Init_SpaceCutPad",
      "Init_ProphecyPad", "Init_DeliriumPad", "Init_SynthSoundsSection", "Init_SawLead1", "Init_SawLead2",
      "Init_SawLead3", "Init_SuperSawLead1", "Init_SuperSawLead2", "Init_ExothermicHardstyleLead",
      "Init_EndothermicHardcoreLead", "Init_SquareLead1", "Init_SquareLead2", "Init_SquareLead3",
      "Init_GlimmerkinSuviFmSynth", "Init_DarkPhutureLead", "Init_EventHorizonLead", "Init_HardDBLead1",
      "Init_CyberRealizm", "Init_FilterSynth1", "Init_FilterSynth2", "Init_OiSynth1", "Init_OiSynth2",
      "Init_BigPitcher", "Init_Vibes1", "Init_Vibes2", "Init_Vibes3", "Init_1980GameVibe", "Init_Sine"};
  for (int i = 0; i < kNumProgramDefinitions; ++i) {
    EXPECT_STREQ(kProgramDefinitions[i].definitionName, names[i]);
    EXPECT_EQ(findProgramDefinition(names[i]), i);
    EXPECT_EQ(inBankOrder()[i].name, kProgramDefinitions[i].programName);
  }
  EXPECT_EQ(findProgramDefinition("Init_Nothing"), -1);
  EXPECT_EQ(findProgramDefinition(nullptr), -1);
  // Positions 54 and 55 carry the bank's names.
  EXPECT_EQ(inBankOrder()[54].name, "Yarnesk Kickdrum 1");
  EXPECT_EQ(inBankOrder()[55].name, "Yarnesk Kickdrum 2");
}

TEST(ProgramDefinitions, KindsBasesAndEnvelopeRoutines) {
  using E = EnvelopeRoutine;
  const struct {
    const char* definition;
    const char* base;
    E envelope;
  } derived[] = {
      {"Init_BasicSection", "Init_QV_Bassdrum", E::kNone},
      {"Init_HardcoreSection", "Init_QV_Bassdrum", E::kNone},
      {"Init_SynthSoundsSection", "Init_SawLead2", E::kNone},
      {"Init_SuperSawLead1", "Init_SawLead1", E::kNone},
      {"Init_SuperSawLead2", "Init_SawLead2", E::kNone},
      {"Init_ExothermicHardstyleLead", "Init_SawLead2", E::kLead2},
      {"Init_EndothermicHardcoreLead", "Init_SawLead2", E::kLead2},
      {"Init_SquareLead1", "Init_SawLead1", E::kNone},
      {"Init_SquareLead2", "Init_SawLead2", E::kNone},
      {"Init_SquareLead3", "Init_SawLead3", E::kNone},
      {"Init_GlimmerkinSuviFmSynth", "Init_SawLead2", E::kNone},
      {"Init_CyberRealizm", "Init_SawLead3", E::kLead3},
  };
  std::set<int> seen;
  for (const auto& d : derived) {
    const int i = findProgramDefinition(d.definition);
    ASSERT_GE(i, 0) << d.definition;
    seen.insert(i);
    EXPECT_EQ(kProgramDefinitions[i].kind, DefinitionKind::kDerived) << d.definition;
    EXPECT_EQ(kProgramDefinitions[i].base, findProgramDefinition(d.base)) << d.definition;
    EXPECT_EQ(kProgramDefinitions[kProgramDefinitions[i].base].kind, DefinitionKind::kComplete) << d.definition;
    EXPECT_EQ(kProgramDefinitions[i].envelope, d.envelope) << d.definition;
  }
  const std::set<int> partial = {18, 82, 83, 84, 85, 86};
  for (int i = 0; i < kNumProgramDefinitions; ++i) {
    const ProgramDefinition& d = kProgramDefinitions[i];
    if (seen.count(i)) continue;
    EXPECT_EQ(d.kind, partial.count(i) ? DefinitionKind::kPartial : DefinitionKind::kComplete) << i;
    E envelope = E::kNone;
    if ((i >= 1 && i <= 17) || (i >= 20 && i <= 71)) envelope = E::kKick;
    if (i == 89) envelope = E::kPad2;
    if (i >= 96 && i <= 101) envelope = E::kPad1;
    if (i == 103 || i == 104) envelope = E::kLead1;
    if (i == 105) envelope = E::kLead2;
    EXPECT_EQ(d.envelope, envelope) << i;
  }
}

TEST(ProgramDefinitions, EnvelopeRoutinesSetBothEnvelopes) {
  const double kMin = ADSR::kMinAttack;
  const struct {
    void (*routine)(RirARorurProgram&);
    double attack, decay, sustain, release, duration;
    bool kick;
  } cases[] = {{initKickParams, 0.01, 0.25, 0, 0.05, 0.2, true},  {initADSRForLead1, kMin, 0.25, 0.5, 0.1, 0.25, false},
               {initADSRForLead2, kMin, 0.2, 0.75, 0.1, 0.25, false}, {initADSRForLead3, kMin, 0, 1, 0.1, 0.2, false},
               {initADSRForPad1, 0.5, 0.5, 0.5, 0.5, 1, false},       {initADSRForPad2, 0.2, 0.8, 0.6, 0.1, 0.5, false}};
  for (const auto& c : cases) {
    RirARorurProgram program;
    fill(program, 0.321);
    program.setProgramName("kept");
    c.routine(program);
    const Record r = snapshot(program);
    const double expected[5] = {c.attack, c.decay, c.sustain, c.release, c.duration};
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(r.values[EnvAttack + k], expected[k]);
      EXPECT_EQ(r.values[FilterAttack + k], expected[k]);
    }
    std::set<int> touched = parameters({{EnvAttack, FilterDuration}});
    if (c.kick) touched.insert(KickTransposeMode);
    EXPECT_EQ(differing(r.values, std::vector<double>(kNumParameters, 0.321)), touched);
    EXPECT_EQ(touched.size(), c.kick ? 11u : 10u);
    EXPECT_EQ(r.name, "kept");
  }
}

TEST(ProgramDefinitions, ChoicesTravelThroughTheirSelectors) {
  EXPECT_EQ(assignedValue(filterMode1(kRbjBandPass1)), 0.6666666865348816);
  EXPECT_EQ(assignedValue(filterMode1(kRbjBandStop)), 1.0);
  EXPECT_EQ(assignedValue(filterMode2(kHighPass24dB)), 0.3333333432674408);
  EXPECT_EQ(assignedValue(wave1(kWaveUser15)), 1.0);
  EXPECT_EQ(assignedValue(wave1(kWavePulse)), 2.0 / 35.0);
  EXPECT_EQ(assignedValue(distortionType(kDistortionFullClip)), 13.0 / 34.0);
  EXPECT_EQ(assignedValue(interpolation(kInterpolationHermite)), 1.0);
  EXPECT_EQ(assignedValue({OscFreq2, 45.0}), 45.0);
}

TEST(ProgramDefinitions, CompleteAndDerivedOnesIgnoreWhatTheObjectHeld) {
  for (int i = 0; i < kNumProgramDefinitions; ++i) {
    if (kProgramDefinitions[i].kind == DefinitionKind::kPartial) continue;
    const Record a = runAlone(i, 0.111), b = runAlone(i, 0.777);
    EXPECT_EQ(a.values, b.values) << kProgramDefinitions[i].definitionName;
    EXPECT_EQ(a.values, inBankOrder()[i].values) << kProgramDefinitions[i].definitionName;
    EXPECT_EQ(a.name, kProgramDefinitions[i].programName);
    // The record slots of no parameter keep what they held.
    for (int s : {72, 77, 78, 79, 80, 81, 82}) EXPECT_EQ(a.slots[s], 0.111) << i;
  }
}

TEST(ProgramDefinitions, NoDefinitionAssignsAParameterTwice) {
  for (const ProgramDefinition& d : kProgramDefinitions) {
    std::set<int> assigned;
    for (const Assignment& a : d.values) EXPECT_TRUE(assigned.insert(a.parameter).second) << d.definitionName;
  }
}

TEST(ProgramDefinitions, PartialOnesSetExactlyTheirParameters) {
  const std::set<int> rawBassgroundKeeps =
      parameters({{OscFreq3, OscFilterResonance3}, {OscModFrequency3, OscFiltModAmount3}, {Osc1InvertFilEnv, PitchOnOff},
                  {UnisonVoices, UnisonDetune}, {BassAmount, DumpExpand}, {Quantization, Gate},
                  {FilterInputDrive, FilterInputDrive}, {FilterTransition, Volume}});
  std::set<int> shadowKeeps = rawBassgroundKeeps;
  shadowKeeps.insert(Osc3OnOff);
  const std::set<int> dubKeeps = parameters({{Osc3OnOff, Osc3OnOff}, {OscFreq3, OscFiltModAmount3},
                                             {BassLayerAmount, PitchOnOff}, {FmAmount, FmAmount},
                                             {FilterInputDrive, FilterInputDrive}, {FilterTransition, FilterTransition},
                                             {RingModulationWaveForm, RingModulationWaveForm}, {BypassFX, Volume}});
  const std::set<int> sorceryKeeps = parameters(
      {{Osc3OnOff, Osc3OnOff}, {OscFreq3, OscFilterResonance3}, {OscModFrequency3, OscFiltModAmount3},
       {Osc1InvertFilEnv, PitchOnOff}, {FmAmount, HighAmount}, {Quantization, Gate}, {FilterInputDrive, FilterInputDrive},
       {FilterTransition, FilterTransition}, {RingModulationWaveForm, RingModulationWaveForm}, {BypassFX, Volume}});
  const std::set<int> oldschool5Sets =
      parameters({{Osc1OnOff, FilterDuration}, {BassLayerAmount, BassLayerToFilter}, {PitchAmount, PitchPower},
                  {kDistortionAmount, DistortionType}, {DistortionInterpMode, SampleRate}, {FilterType, FilterResonance},
                  {FilterTransition, FilterTransition}});
  const struct {
    int position;
    std::set<int> sets;
  } cases[] = {{18, oldschool5Sets},           {82, complement(rawBassgroundKeeps)}, {83, complement(shadowKeeps)},
               {84, complement(dubKeeps)},     {85, complement(sorceryKeeps)},       {86, complement(shadowKeeps)}};
  const std::size_t sizes[] = {70, 59, 58, 74, 66, 58};
  for (std::size_t c = 0; c < 6; ++c) {
    const Record a = runAlone(cases[c].position, 0.111), b = runAlone(cases[c].position, 0.777);
    EXPECT_EQ(complement(differing(a.values, b.values)), cases[c].sets) << cases[c].position;
    EXPECT_EQ(cases[c].sets.size(), sizes[c]);
    EXPECT_EQ(a.name, kProgramDefinitions[cases[c].position].programName);
  }
}

TEST(ProgramDefinitions, PartialOnesBuildOnThePresetBefore) {
  RirARorurProgram program;
  runProgramDefinition(program, 7);  // "QV Basic Kickdrum 3"
  runProgramDefinition(program, 18);
  EXPECT_EQ(program.getParameterValue(PitchDown, true), 0.1);
  EXPECT_EQ(program.getParameterValue(BassLayerClick, true), 1.0);
  EXPECT_EQ(def(18, PitchDown), 0.0);
  EXPECT_EQ(def(18, BassLayerClick), 0.0);
  // The generator runs it after "Oldschool Bassdrum 4": the common values there, kick transpose on.
  RirARorurProgram common;
  common.initCommonParams();
  for (int p : complement(parameters({{Osc1OnOff, FilterDuration}, {BassLayerAmount, BassLayerToFilter},
                                      {PitchAmount, PitchPower}, {kDistortionAmount, DistortionType},
                                      {DistortionInterpMode, SampleRate}, {FilterType, FilterResonance},
                                      {FilterTransition, FilterTransition}, {KickTransposeMode, KickTransposeMode}}))) {
    EXPECT_EQ(def(17, p), common.getParameterValue(static_cast<eVstParameters>(p), true)) << kParameterTable[p].keyName;
  }
  EXPECT_EQ(def(17, KickTransposeMode), 1.0);
  RirARorurProgram fresh;
  runProgramDefinition(fresh, 18);
  EXPECT_EQ(fresh.getParameterValue(KickTransposeMode, true), 0.0);

  EXPECT_EQ(def(82, OscModFrequency3), 0.25);
  EXPECT_EQ(def(82, OscFreqModAmount3), 0.25);
  RirARorurProgram alone;
  alone.initCommonParams();
  runProgramDefinition(alone, 82);
  EXPECT_EQ(alone.getParameterValue(OscModFrequency3, true), 0.0);
  EXPECT_EQ(alone.getParameterValue(OscFreqModAmount3, true), 0.0);
  EXPECT_EQ(def(85, Osc3OnOff), 0.0);
  EXPECT_EQ(def(85, FmAmount), 0.5);
}

TEST(ProgramDefinitions, DerivedOnesChangeOnlyTheirListedFields) {
  using Changes = std::vector<std::pair<eVstParameters, double>>;
  const double saw = 1.0 / 35, pulse = 2.0 / 35, quad = 3.0 / 35, oct = 4.0 / 35;
  const struct {
    int position, base;
    void (*envelope)(RirARorurProgram&);
    Changes changes;
  } cases[] = {
      {0, 1, nullptr, {}},
      {19, 1, nullptr, {{OscWaveform1, 5.0 / 35}, {EnvDecay, 0.7}, {FilterDecay, 0.5}, {PitchAmount, 0.3},
                        {PitchPower, 0.7}}},
      {102, 104, nullptr, {{OscWaveform2, oct}}},
      {106, 103, nullptr, {{UnisonVoices, 1}, {UnisonDetune, 0.3}}},
      {107, 104, nullptr, {{UnisonVoices, 1}, {UnisonDetune, 0.4}}},
      {108, 104, initADSRForLead2,
       {{OscFreq1, 0.35}, {OscSat1, 0.25}, {OscPan1, 0.4}, {OscModFrequency1, 0.25}, {OscFreqModAmount1, 0.25},
        {OscFreq2, 0.65}, {OscSat2, 0.25}, {OscPan2, 0.6}, {OscModFrequency2, 0.25}, {OscFreqModAmount2, 0.25},
        {OscWaveform3, 12.0 / 35}, {OscSat3, 0.25}, {OscPitch3, 0}, {OscModFrequency3, 0.5}, {OscFreqModAmount3, 0.1},
        {UnisonVoices, 1}, {UnisonDetune, 0.25}}},
      {109, 104, initADSRForLead2,
       {{OscWaveform1, pulse}, {OscFreq1, 0.35}, {OscSat1, 0.25}, {OscPan1, 0.4}, {OscModFrequency1, 0.175},
        {OscWaveform2, pulse}, {OscFreq2, 0.65}, {OscSat2, 0.25}, {OscPan2, 0.6}, {OscModFrequency2, 0.35},
        {OscWaveform3, 13.0 / 35}, {OscSat3, 0.25}, {OscModFrequency3, 0.1875}, {OscFreqModAmount3, 0.3},
        {UnisonVoices, 1}, {UnisonDetune, 0.35}}},
      {110, 103, nullptr, {{OscWaveform1, pulse}, {OscWaveform2, pulse}, {OscWaveform3, pulse}}},
      {111, 104, nullptr,
       {{OscWaveform1, pulse}, {OscFreq1, 0.45}, {OscModFrequency1, 0.25}, {OscRingModAmount1, 0.2},
        {OscFreqModAmount1, 0.1}, {OscWaveform2, pulse}, {OscFreq2, 0.55}, {OscModFrequency2, 0.375},
        {OscRingModAmount2, 0.2}, {OscWaveform3, pulse}}},
      {112, 105, nullptr,
       {{OscWaveform1, pulse}, {OscModFrequency1, 0.5}, {OscRingModAmount1, 0.1}, {OscWaveform2, pulse},
        {OscFreq2, 0.44}, {OscPan2, 0.25}, {OscModFrequency2, 0.5}, {OscWaveform3, pulse}, {OscFreq3, 0.37},
        {OscPan3, 0.75}, {OscModFrequency3, 1.0}}},
      {113, 104, nullptr,
       {{OscWaveform1, quad}, {OscFreq1, 0.5}, {OscVolume1, 0.5}, {OscPan1, 0.4777}, {OscPitch1, 0},
        {OscModFrequency1, 0.04}, {OscRingModAmount1, 0.2}, {OscFreqModAmount1, 0.8}, {OscFreq2, 0.55},
        {OscVolume2, 0.5}, {OscSat2, 0.5}, {OscPan2, 0.5777}, {OscModFrequency2, 0.28}, {OscFreqModAmount2, 0.4},
        {OscFiltModAmount2, 0.2016}, {EnvAttack, 0.02016}, {EnvDecay, 0.4}, {EnvSustain, 0}, {EnvDuration, 0.28},
        {FilterAttack, 0.02016}, {FilterDecay, 0.4}, {FilterSustain, 0}, {FilterDuration, 0.28},
        {UnisonDetune, 0.1}, {FmAmount, 0.28}}},
      {117, 105, initADSRForLead3,
       {{OscFreq1, 0.49}, {OscVolume1, 0.7}, {OscSat1, 0.3}, {OscPan1, 0.4}, {OscPitch1, 0},
        {OscModFrequency1, 0.125}, {OscRingModAmount1, 0}, {OscFreqModAmount1, 0.2}, {OscVolume2, 0.7},
        {OscSat2, 0.3}, {OscPan2, 0.5}, {OscModFrequency2, 0.25}, {OscFreqModAmount2, 0.2}, {OscFreq3, 0.51},
        {OscVolume3, 0.7}, {OscSat3, 0.3}, {OscPan3, 0.6}, {OscPitch3, 1}, {OscModFrequency3, 0.375},
        {OscFreqModAmount3, 0.2}, {PitchAmount, 0.1}, {PitchDuration, 1}, {PitchPower, 0.2}, {PitchDown, 0.15},
        {UnisonVoices, 1}, {UnisonDetune, 0.2}}},
  };
  EXPECT_EQ(def(104, OscWaveform1), saw);
  for (const auto& c : cases) {
    RirARorurProgram base;
    runProgramDefinition(base, c.base);
    if (c.envelope) c.envelope(base);
    const Record expected = snapshot(base);
    std::set<int> listed;
    for (const auto& [p, v] : c.changes) {
      listed.insert(p);
      EXPECT_EQ(def(c.position, p), v) << c.position << " " << kParameterTable[p].keyName;
    }
    // A listed field always changes what the base held.
    EXPECT_EQ(differing(expected.values, inBankOrder()[c.position].values), listed) << c.position;
  }
}

// Waveforms 1 / 2 / 3, distortion type, interpolation, filter modes 1 / 2.
struct Choices {
  const char* w1;
  const char* w2;
  const char* w3;
  const char* type;
  const char* interp;
  const char* mode1;
  const char* mode2;
};

TEST(ProgramDefinitions, ChoicesAtEveryPosition) {
  const char* const S = "Sine";
  const char* const Saw = "Sawtooth";
  const char* const P = "Pulse";
  const char* const Q = "QuadPulse";
  const char* const O = "OctPulse";
  const char* const T = "Triangle";
  const char* const N = "no interp.";
  const char* const C = "cubic";
  const char* const H = "hermite";
  const char* const LP = "RBJ-LP";
  const char* const BP = "RBJ-BP1";
  const char* const H12 = "HP 12dB";
  const char* const H24 = "HP 24dB";
  const Choices rows[kNumProgramDefinitions] = {
      {S, S, S, "Linear", N, LP, H12}, {S, S, S, "Linear", N, LP, H12}, {S, S, S, "Linear", N, LP, H12},
      {S, S, S, "Linear", N, LP, H12}, {S, S, S, "Linear", N, LP, H12}, {S, S, S, "Linear", N, LP, H12},
      {S, S, S, "Linear", N, LP, H12}, {S, S, S, "Linear", N, LP, H12}, {S, S, S, "Compressor", N, LP, H12},
      {T, S, S, "Full-Clip", N, LP, H12}, {P, Saw, S, "Fuzz-Drive1", N, LP, H12},
      {T, P, Saw, "Tube-Distort", N, LP, H12}, {P, S, S, "Fuzz-Drive1", H, LP, H12},
      {P, Q, S, "Fuzz-Drive1", H, LP, H12}, {P, T, S, "Compressor", H, LP, H12},
      {"Pyrokinesis", P, S, "Soft-Tube-Distort", H, LP, H12}, {Saw, "Shikoku", S, "VDR-Fuzz 2", H, LP, H12},
      {T, S, "KIC 8462852", "Transistor 1", H, LP, H12}, {P, Q, S, "Hardcore-Fuzz2", H, LP, H12},
      // 19: hardcore bassdrums
      {T, S, S, "Linear", N, LP, H12}, {T, Q, Saw, "Industrial-Fuzz1", H, BP, H12},
      {Q, S, Saw, "Hardcore-Fuzz1", H, BP, H12}, {S, Saw, Saw, "NoizeFreak-Fuzz 1", H, BP, H12},
      {Saw, Q, Q, "ViciousViper", H, BP, H12}, {"User1", "User7", S, "Fuzz-Drive1", H, LP, H12},
      {"User4", "User8", S, "AssKicking", H, LP, H12}, {"User1", "User11", "Brick-Breaker", "Tovo-Fuzz", H, LP, H12},
      {"Pyrokinesis", O, "LQ Noize 3", "VDR-Fuzz 1", N, LP, H12}, {Q, "Shikoku", "Wavescape", "Tovo-Fuzz", N, LP, H12},
      {"User12", "User7", "Geo-Chirp", "Hardcore-Fuzz2", N, LP, H12},
      {"Pyrokinesis", O, "Wavescape", "Tovo-Fuzz", C, LP, H12},
      {"Pyrokinesis", "KIC 8462852", "Brick-Breaker", "VDR-Fuzz 1", C, LP, H12},
      {"User6", "User7", S, "Fuzz-Drive1", C, LP, H12}, {"LQ Noize 1", "KIC 8462852", "Shikoku", "MadDog", N, LP, H12},
      {"User10", "Wavescape", "Shikoku", "ViciousViper", N, LP, H12},
      {"Wave-Garden", "Brick-Breaker", S, "AssKicking", N, LP, H12},
      {"User10", "User4", S, "Quillvane-Drive2", C, BP, H24}, {"User11", "User1", "User2", "Tovo-Fuzz", C, BP, H12},
      {"Wave-Garden", P, "Brick-Breaker", "Fuzz-Drive1", N, LP, H12},
      {"Synapsis", "Geo-Chirp", "Pyrokinesis", "QVSigmoid1-Drive", N, LP, H12},
      {"Wave-Garden", "KIC 8462852", S, "Invert-and-Drive", N, BP, H12}, {"User1", "User6", S, "Fuzz-Drive1", N, BP, H12},
      {"User1", "User5", "User6", "Fuzz-Drive1", N, LP, H12}, {"User3", "User4", "User5", "TigersBlood", N, LP, H12},
      {"User5", "User8", Q, "Big-Bad-Drive", H, BP, H12},
      // 45: second half
      {"User1", "User5", "User6", "Tovo-Fuzz", C, BP, H12}, {"User7", "User8", "User10", "NoizeFreak-Fuzz 2", C, BP, H12},
      {"User9", "User10", "User15", "Hardcore-Fuzz2", C, LP, H12}, {"User2", "User5", Q, "Tube-Distort", C, LP, H12},
      {"User2", Q, P, "MadDog", C, LP, H12}, {"LQ Noize 1", "LQ Noize 2", "Synapsis", "NoizeFreak-Fuzz 1", N, LP, H12},
      {"LQ Noize 2", "LQ Noize 3", "Synapsis", "NoizeFreak-Fuzz 2", N, LP, H12},
      {P, "Synapsis", T, "Hardcore-Fuzz1", N, BP, H12}, {O, "Shikoku", Saw, "Hardcore-Fuzz2", N, LP, H12},
      {Saw, "User11", "User12", "Soft-Tube-Distort", N, BP, H12}, {O, "User13", "User14", "MadDog", H, LP, H12},
      {"User12", "User13", "User14", "Industrial-Fuzz1", C, BP, H12}, {P, "User12", "User14", "Tovo-Fuzz", C, BP, H12},
      {"User11", "User13", "User5", "Quillvane-Drive1", C, BP, H12},
      {"User13", Q, "User15", "Quillvane-Drive2", C, BP, H12}, {"User1", "User13", "User14", "Quillvane-Drive3", C, BP, H24},
      {P, "User11", "User12", "Quillvane-Drive4", C, BP, H12}, {Q, "LQ Noize 3", "KIC 8462852", "Quillvane-Drive1", N, BP, H24},
      {P, "User1", "User4", "Quillvane-Drive2", N, LP, H24}, {S, "User3", "User7", "Quillvane-Drive3", N, BP, H24},
      {P, "User5", "User6", "Quillvane-Drive4", N, BP, H12}, {Saw, "User14", "User15", "Quillvane-Drive3", N, BP, H24},
      {S, S, S, "Big-Fat-Drive", C, LP, H12}, {S, S, S, "Big-Bad-Drive", C, LP, H12},
      {"Wave-Garden", T, T, "Linear", N, LP, H12}, {"Wavescape", "User9", S, "Hardcore-Fuzz3", C, LP, H12},
      {"User12", "User8", "User10", "Hardcore-Fuzz2", C, LP, H12},
      // 72: drum and fx
      {"WhiteNoize", "Noize", "Noize", "Linear", N, LP, H12}, {"WhiteNoize", "Noize", "Noize", "Linear", N, LP, H12},
      {"Noize", "Noize", "Noize", "Linear", N, LP, H12}, {"User15", "WhiteNoize", "WhiteNoize", "Linear", N, LP, H12},
      {"User1", T, T, "Big-Bad-Drive", N, LP, H12}, {"LQ Noize 3", T, "Noize", "Transistor 1", N, LP, H12},
      {"User10", "Wave-Garden", "LQ Noize 1", "Big-Fat-Drive", C, LP, H12},
      {"LQ Noize 1", Saw, Saw, "VDR-Fuzz 1", N, LP, H12}, {Saw, "Shikoku", "D-Receptor", "VDR-Fuzz 1", N, LP, H12},
      // 81: bass, string, brass, pad
      {S, S, S, "Fuzz-Drive1", C, LP, H12}, {S, T, S, "Tube-Distort", C, LP, H12},
      {P, Q, S, "VDR-Fuzz 1", C, "RBJ-HP", "LP 12dB"}, {"S-Receptor", "Wavescape", Saw, "Hardcore-Fuzz2", H, BP, H12},
      {Saw, T, "S-Receptor", "Quillvane-Drive1", H, BP, H12}, {T, Q, Saw, "Quillvane-Drive2", H, BP, H12},
      {Q, Saw, Saw, "Linear", N, LP, H12}, {O, T, Saw, "Linear", N, LP, H12}, {S, Saw, S, "Linear", N, LP, H12},
      {Saw, T, S, "Linear", N, LP, H12}, {O, P, S, "Linear", N, LP, H12}, {Q, O, S, "Linear", N, LP, H12},
      {Saw, S, S, "Linear", N, LP, H12}, {O, S, S, "Linear", N, LP, H12}, {O, Q, S, "Linear", N, LP, H12},
      {Q, Saw, S, "Big-Fat-Drive", H, LP, H12}, {"Shikoku", "Synapsis", "Brick-Breaker", "Big-Fat-Drive", H, LP, H12},
      {Saw, Q, Saw, "Big-Bad-Drive", H, LP, H12}, {"Wavescape", "Wave-Garden", Saw, "NoizeFreak-Fuzz 1", H, LP, H12},
      {"Geo-Chirp", "Wavescape", "D-Receptor", "Soft-Tube-Distort", H, LP, H12},
      {"KIC 8462852", "Synapsis", P, "Soft-Tube-Distort", H, LP, H12},
      // 102: synth sounds
      {Saw, O, Saw, "Linear", N, LP, H12}, {Saw, Saw, Saw, "Linear", N, LP, H12}, {Saw, Saw, Saw, "Linear", N, LP, H12},
      {Saw, Saw, Saw, "Linear", N, LP, H12}, {Saw, Saw, Saw, "Linear", N, LP, H12}, {Saw, Saw, Saw, "Linear", N, LP, H12},
      {Saw, Saw, "S-Receptor", "Linear", N, LP, H12}, {P, P, "D-Receptor", "Linear", N, LP, H12},
      {P, P, P, "Linear", N, LP, H12}, {P, P, P, "Linear", N, LP, H12}, {P, P, P, "Linear", N, LP, H12},
      {Q, Saw, Saw, "Linear", N, LP, H12}, {Q, Saw, Saw, "VDR-Fuzz 1", N, LP, H12},
      {Saw, Saw, "KIC 8462852", "Compressor", N, BP, H24}, {Q, "KIC 8462852", Saw, "Fuzz-Drive1", N, BP, H24},
      {Saw, Saw, Saw, "Linear", N, LP, H12}, {"User1", S, S, "Fuzz-Drive1", N, LP, H12},
      {Saw, Q, S, "Compressor", N, LP, H12}, {"User7", "LQ Noize 2", "Synapsis", "Full-Clip", N, LP, H12},
      {S, "LQ Noize 1", "LQ Noize 2", "Hard-Overload", N, LP, H12}, {T, T, Saw, "Linear", N, LP, H12},
      {S, S, S, "Linear", N, LP, H12}, {S, S, T, "Linear", N, LP, H12}, {S, S, S, "Linear", N, LP, H12},
      {T, T, T, "Linear", N, LP, H12}, {S, S, S, "Linear", N, LP, H12},
  };
  for (int i = 0; i < kNumProgramDefinitions; ++i) {
    const Choices& c = rows[i];
    const std::string at = std::to_string(i) + " " + inBankOrder()[i].name;
    EXPECT_STREQ(kWaveformNames[choice(def(i, OscWaveform1), 36)], c.w1) << at;
    EXPECT_STREQ(kWaveformNames[choice(def(i, OscWaveform2), 36)], c.w2) << at;
    EXPECT_STREQ(kWaveformNames[choice(def(i, OscWaveform3), 36)], c.w3) << at;
    EXPECT_STREQ(kDistortionNames[choice(def(i, DistortionType), 35)], c.type) << at;
    EXPECT_STREQ(kInterpolationNames[choice(def(i, DistortionInterpMode), 5)], c.interp) << at;
    EXPECT_STREQ(kFilterMode1Names[choice(def(i, FilterMode1), 4)], c.mode1) << at;
    EXPECT_STREQ(kFilterMode2Names[choice(def(i, FilterMode2), 4)], c.mode2) << at;
  }
}

TEST(ProgramDefinitions, TheBankDepartsWhereListed) {
  // Where the bank holds its own values: the phaser rate follows the bass
  // layer amount, the ring frequency is 0, and the listed filter settings.
  std::set<std::pair<int, int>> expected;
  for (int i = 0; i < kNumProgramDefinitions; ++i) {
    if (roundToFourDecimals(def(i, PhaserRate)) != roundToFourDecimals(def(i, BassLayerAmount))) {
      expected.insert({i, PhaserRate});
    }
  }
  EXPECT_EQ(expected.size(), 121u);
  const int ringPositions[] = {29, 52, 53, 54, 55, 57, 62, 63, 64, 65, 66, 67, 68, 69, 70, 73, 74, 75, 80,
                               84, 85, 86, 87, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 108,
                               109, 110, 111, 112, 113, 116, 117, 118, 119, 123, 124, 125, 126};
  EXPECT_EQ(std::size(ringPositions), 49u);
  for (int i : ringPositions) expected.insert({i, RingModulationFrequency});
  const std::pair<int, std::vector<eVstParameters>> filters[] = {
      {36, {FilterInputDrive, FilterType}},
      {37, {FilterInputDrive, FilterType, FilterMode1}},
      {40, {FilterInputDrive, FilterType, FilterCutoff, FilterResonance, FilterMode1}},
      {41, {FilterInputDrive, FilterType, FilterCutoff, FilterResonance, FilterMode1}},
      {44, {FilterType, FilterMode1}},
      {45, {FilterType, FilterCutoff, FilterResonance, FilterMode1}},
      {46, {FilterMode1}},
      {47, {FilterType}},
      {52, {FilterCutoff, FilterResonance, FilterMode1}},
      {53, {FilterDecay}},
      {54, {FilterInputDrive, FilterType, FilterCutoff, FilterMode1}},
      {56, {OscFreq1, OscFreq2, OscFilterType2, OscFreq3, PitchPower, FilterInputDrive, FilterType, FilterCutoff,
            FilterResonance, FilterMode1}},
      {57, {FilterInputDrive, FilterType, FilterCutoff, FilterResonance, FilterMode1}},
      {100, {OscFreq2}},
      {101, {OscFreq2}},
  };
  std::size_t listed = 0;
  for (const auto& [i, params] : filters) {
    for (eVstParameters p : params) expected.insert({i, p});
    listed += params.size();
  }
  EXPECT_EQ(listed, 48u);  // 46 of the hardcore section and the two pad tunings

  std::set<std::pair<int, int>> found;
  const FactoryBank& bank = thudrokkaFreePresets();
  for (int i = 0; i < kNumProgramDefinitions; ++i) {
    EXPECT_STREQ(bank[i].name, inBankOrder()[i].name.c_str());
    for (int p = 0; p < kNumParameters; ++p) {
      if (bank[i].values[p] != roundToFourDecimals(def(i, p))) found.insert({i, p});
    }
  }
  EXPECT_EQ(found, expected);
  const std::pair<int, std::vector<std::pair<eVstParameters, double>>> bankValues[] = {
      {36, {{FilterInputDrive, 0}, {FilterType, 0.1}}},
      {37, {{FilterType, 0.85}, {FilterMode1, 0}}},
      {40, {{FilterType, 0.68}, {FilterCutoff, 0.2}, {FilterResonance, 0.1}}},
      {41, {{FilterType, 0.777}, {FilterCutoff, 0.24}, {FilterResonance, 0.1}}},
      {44, {{FilterType, 0.7}}},
      {45, {{FilterType, 0.8}, {FilterCutoff, 0.25}, {FilterResonance, 0.05}}},
      {47, {{FilterType, 0.7}}},
      {52, {{FilterCutoff, 0.2}, {FilterResonance, 0}}},
      {53, {{FilterDecay, 0.5}}},
      {54, {{FilterType, 0}, {FilterCutoff, 1}}},
      {56, {{OscFreq1, 0.5}, {OscFreq2, 0.525}, {OscFilterType2, 1}, {OscFreq3, 0.55}, {PitchPower, 0.7},
            {FilterType, 0.85}, {FilterCutoff, 0.27}, {FilterResonance, 0.1}}},
      {57, {{FilterType, 0}, {FilterCutoff, 1}, {FilterResonance, 0.15}}},
      {100, {{OscFreq2, 1}}},
      {101, {{OscFreq2, 1}}},
  };
  for (const auto& [i, values] : bankValues) {
    for (const auto& [p, v] : values) EXPECT_EQ(bank[i].values[p], v) << i << " " << kParameterTable[p].keyName;
  }
  const std::pair<int, std::vector<std::pair<eVstParameters, double>>> definitionValues[] = {
      {36, {{FilterInputDrive, 0.1}, {FilterType, 0.3}}},
      {37, {{FilterInputDrive, 0.2}, {FilterType, 0.5}}},
      {40, {{FilterInputDrive, 0.1}, {FilterType, 0.8}, {FilterCutoff, 0.3}, {FilterResonance, 0.2}}},
      {41, {{FilterInputDrive, 0.2}, {FilterType, 0.7}, {FilterCutoff, 0.25}, {FilterResonance, 0.3}}},
      {44, {{FilterType, 0.5}}},
      {45, {{FilterType, 0.5}, {FilterCutoff, 0.3}, {FilterResonance, 0.25}}},
      {47, {{FilterType, 0.8}}},
      {52, {{FilterCutoff, 0.22}, {FilterResonance, 0.11}}},
      {53, {{FilterDecay, 0.8}}},
      {54, {{FilterInputDrive, 0.2}, {FilterType, 0.2}, {FilterCutoff, 0.27}}},
      {56, {{OscFreq1, 0.525}, {OscFreq2, 0.5125}, {OscFilterType2, 0.5}, {OscFreq3, 0.5}, {PitchPower, 0.75},
            {FilterInputDrive, 0.25}, {FilterType, 0.1}, {FilterCutoff, 0.3}, {FilterResonance, 0.25}}},
      {57, {{FilterInputDrive, 0.25}, {FilterType, 0.25}, {FilterCutoff, 0.3}, {FilterResonance, 0.25}}},
      {100, {{OscFreq2, 45.0}}},
      {101, {{OscFreq2, 4.0}}},
  };
  for (const auto& [i, values] : definitionValues) {
    for (const auto& [p, v] : values) EXPECT_EQ(def(i, p), v) << i << " " << kParameterTable[p].keyName;
  }
}

TEST(ProgramDefinitions, PhaserRatesAndRingFrequenciesTheySet) {
  double rate[kNumProgramDefinitions], ring[kNumProgramDefinitions] = {};
  std::fill(rate, rate + kNumProgramDefinitions, 0.5);
  for (const auto& [i, v] : std::vector<std::pair<int, double>>{
           {29, 0.2}, {52, 0.1}, {53, 0.05}, {57, 0.1}, {58, 0.2}, {59, 0.22}, {60, 0.05}, {61, 0.05}, {62, 0.1},
           {63, 0.1}, {64, 0.1}, {65, 0.1}, {66, 0.1}, {67, 0.05}, {68, 0}, {69, 0}, {73, 0}, {74, 0}, {78, 0.1},
           {80, 0.2}, {96, 0.1}, {97, 0.1}, {98, 0.1}, {99, 0.1}, {100, 0.1}, {101, 0.05}, {115, 0.25}, {120, 0.2},
           {121, 0.2}, {123, 0.25}, {124, 0.25}, {125, 0.25}, {126, 0.1}}) {
    rate[i] = v;
  }
  for (int i : {29, 52, 53, 54, 55, 57, 62, 63, 64, 65, 66, 69, 73, 74, 75, 84, 85, 86, 87, 96, 97, 98, 99, 100, 101,
                102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 116, 117, 118, 119, 123, 124, 125}) {
    ring[i] = 0.1;
  }
  ring[67] = 0.035;
  ring[68] = 0.02;
  ring[70] = 1.0;
  ring[80] = 0.05;
  ring[126] = 0.05;
  for (int i = 0; i < kNumProgramDefinitions; ++i) {
    EXPECT_EQ(def(i, PhaserRate), rate[i]) << i;
    EXPECT_EQ(def(i, RingModulationFrequency), ring[i]) << i;
  }
}

TEST(ProgramDefinitions, BasicBassdrums) {
  const std::vector<int> all = positions(0, 18);
  expectAll(all, KickTransposeMode, 1);
  expectAll(all, EnvSustain, 0);
  expectAll(all, GlobalTranspose, 0.5);
  expectAll(all, EnvDuration, 0.2);
  expectAll(all, FilterDuration, 0.2);
  for (int i : all) {
    EXPECT_EQ(def(i, Osc1OnOff) + def(i, OscFreq1) + def(i, OscPitch1), 2.0) << i;
    const bool osc2 = i == 10 || i == 11 || i >= 13, osc3 = i == 10 || i == 11 || i == 17;
    EXPECT_EQ(def(i, Osc2OnOff), osc2 ? 1.0 : 0.0) << i;
    EXPECT_EQ(def(i, Osc3OnOff), osc3 ? 1.0 : 0.0) << i;
    EXPECT_EQ(def(i, PitchDown), i == 7 ? 0.1 : 0.0) << i;
    EXPECT_EQ(def(i, FilterInputDrive), i == 13 ? 0.15 : 0.0) << i;
  }
  expectAll({2, 3, 4}, OscVolume2, 1);
  expectRange(all, PitchAmount, 0.12, 1.0);
  EXPECT_EQ(def(11, PitchAmount), 0.997);
  expectRange(all, PitchDuration, 0.2, 0.5);
  expectRange(all, PitchPower, 0.2, 1.0);
  // Positions 0 to 7 differ from "QV Bassdrum" only in decays, pitch sweep, click and oscillator 2's volume.
  const std::set<int> free = {EnvDecay, FilterDecay, PitchAmount, PitchDuration, PitchPower, PitchDown, BassLayerClick,
                              OscVolume2};
  for (int i : positions(0, 7)) {
    for (int p : differing(inBankOrder()[1].values, inBankOrder()[i].values)) EXPECT_TRUE(free.count(p)) << i << " " << p;
    EXPECT_EQ(def(i, EnvDecay), def(i, FilterDecay)) << i;
    EXPECT_EQ(def(i, BassLayerClick), i == 4 || i == 7 ? 1.0 : i == 6 ? 0.2 : 0.0) << i;
  }
  expectRange(positions(0, 7), EnvDecay, 0.25, 0.7);
  for (int i : positions(8, 13)) {
    EXPECT_EQ(def(i, FilterType), 1.0);
    EXPECT_EQ(def(i, FilterCutoff), 0.0);
    EXPECT_EQ(def(i, kDistortionAmount), 0.0);
  }
  for (eVstParameters p : {EnvAttack, FilterAttack}) expectAll({8, 9}, p, 0.001);
  for (eVstParameters p : {EnvRelease, FilterRelease}) {
    EXPECT_EQ(def(8, p), 0.001);
    EXPECT_EQ(def(9, p), 0.005);
  }
  expectAll({10, 11}, FilterSustain, 0.4);
  const std::vector<int> late = positions(12, 18);
  expectAll(late, FilterTransition, 0);
  for (eVstParameters p : {EnvAttack, FilterAttack}) expectAll(late, p, ADSR::kMinAttack);
  for (eVstParameters p : {EnvRelease, FilterRelease}) expectAll(late, p, ADSR::kDefaultKickRelease);
  expectAll({12, 14, 15, 16}, FilterDecay, ADSR::kDefaultDecay);
  expectAll({12, 14, 15, 16}, FilterSustain, ADSR::kDefaultSustain);
  const std::vector<int> oldschool = positions(14, 18);
  expectAll(oldschool, BassLayerAmount, 0.5);
  expectAll(oldschool, kDistortionAmount, 0.5);
  expectAll(oldschool, FilterCutoff, 0.2);
  expectAll({14, 15, 16}, FilterType, 0.8);
  expectAll({17, 18}, FilterType, 1);
  for (int i : {14, 15, 16}) {
    for (eVstParameters f : {OscModFrequency1, OscModFrequency2}) EXPECT_GT(def(i, f), 0.0) << i;
  }
  expectRange({14, 15, 16}, OscRingModAmount1, 0.1777, 0.25);
  expectRange({14, 15, 16}, OscFiltModAmount1, 0.125, 0.4);
  for (int i : {14, 15, 16}) {
    EXPECT_GE(def(i, OscRingModAmount2), 0.1777);
    EXPECT_LE(def(i, OscRingModAmount2), 0.25);
    EXPECT_GE(def(i, OscFiltModAmount2), 0.125);
    EXPECT_LE(def(i, OscFiltModAmount2), 0.4);
  }
  for (const auto& [p, v] : std::vector<std::pair<eVstParameters, double>>{
           {BassAmount, 0.5}, {MidAmount, 0.5}, {HighAmount, 0.5}, {DumpExpand, 0.5}, {Gate, 0}, {Quantization, 1},
           {SampleRate, 1}, {ModulationOnOff, 0}, {RingModulationAmount, 0}, {PhaserDepth, 0},
           {PhaserFeedback, 0.25}, {LimitOutput, 0}, {BypassFX, 0}, {Pan, 0.5}, {DryWet, 1}, {Volume, 0.5}}) {
    expectAll(all, p, v);
  }
}

TEST(ProgramDefinitions, HardcoreBassdrums) {
  const std::vector<int> first = positions(20, 44), second = positions(45, 71), all = positions(20, 71);
  expectAll(all, BassLayerAmount, 0.777);
  expectAll(all, KickTransposeMode, 1);
  expectAll(all, PitchDown, 0);
  expectAll(all, DistortionOnOff, 1);
  expectAll(all, DistortionLoudness, 0);
  expectAll(all, FilterOnOff, 1);
  expectAll(all, FilterTransition, 1);
  for (eVstParameters p : {Osc1OnOff, Osc2OnOff, Osc3OnOff, PitchOnOff}) expectAll(all, p, 1);
  for (const auto& [p, v] : std::vector<std::pair<eVstParameters, double>>{
           {GlobalTranspose, 0.5}, {BassAmount, 0.5}, {MidAmount, 0.5}, {HighAmount, 0.5}, {DumpExpand, 0.5},
           {Gate, 0}, {ModulationOnOff, 0}, {BypassFX, 0}, {Pan, 0.5}, {Saturation, 0}, {DryWet, 1},
           {Volume, 0.5}, {BassLayerSolo, 0}}) {
    expectAll(all, p, v);
  }

  // First half.
  expectRange(first, PitchAmount, 0.23, 0.777);
  expectRange(first, PitchDuration, 0.25, 0.4284);
  expectRange(first, PitchPower, 0.5, 1);
  expectRange(first, kDistortionAmount, 0.25, 1);
  expectRange(first, FilterResonance, 0, 0.5);
  std::vector<int> notDarkcore3 = first;
  notDarkcore3.erase(std::find(notDarkcore3.begin(), notDarkcore3.end(), 26));
  expectRange(notDarkcore3, FilterCutoff, 0.2, 0.3);
  EXPECT_EQ(def(26, FilterCutoff), 1.0);
  expectRange(first, EnvAttack, 0, 0.05);
  expectRange(first, EnvDecay, 0.4, 1);
  expectRange(first, EnvSustain, 0, 0.5);
  expectRange(first, EnvRelease, 0.002, 0.05);
  EXPECT_EQ(count(first, [](int i) {
              for (eVstParameters w : {OscWaveform1, OscWaveform2, OscWaveform3}) {
                if (choice(def(i, w), 36) >= kWaveUser1) return true;
              }
              return false;
            }),
            12);
  const double detunes[] = {0.2, 0.2, 0.3, 0.3, 0.1, 0.1, 0.1};
  for (int i : first) {
    const bool unison = i <= 26;
    EXPECT_EQ(def(i, UnisonVoices), unison ? 1.0 : 0.0) << i;
    EXPECT_EQ(def(i, UnisonDetune), unison ? detunes[i - 20] : 0.125) << i;
    EXPECT_EQ(def(i, LimitOutput), unison ? 1.0 : 0.0) << i;
    const bool toFilter = i <= 26 || i == 30 || i == 31 || i == 32 || i == 36 || i == 37;
    EXPECT_EQ(def(i, BassLayerToFilter), toFilter ? 1.0 : 0.0) << i;
    EXPECT_EQ(def(i, BassLayerClick), i == 32 ? 1.0 : 0.0) << i;
    EXPECT_EQ(def(i, Quantization), i == 33 ? 0.03 : i == 34 ? 0.025 : 1.0) << i;
    EXPECT_EQ(def(i, Osc3InvertFilEnv), i == 23 || i == 29 ? 1.0 : 0.0) << i;
    EXPECT_EQ(def(i, PhaserFeedback), i == 29 ? 0.4 : 0.25) << i;
    EXPECT_EQ(def(i, FmAmount), 0.0) << i;
    EXPECT_EQ(def(i, SampleRate), 1.0) << i;
    const double duration = i == 20 ? 0.3 : 0.2;
    EXPECT_EQ(def(i, EnvDuration), duration) << i;
    EXPECT_EQ(def(i, FilterDuration), duration) << i;
  }
  const std::vector<int> minAttack = {27, 28, 30, 31, 32, 38, 39, 40, 41};
  expectAll(minAttack, FilterAttack, ADSR::kMinAttack);
  expectAll({33, 34, 35}, FilterAttack, 0.05);
  for (int i : {27, 28, 30, 31, 32, 38, 39, 40, 41, 33, 34, 35}) {
    EXPECT_EQ(def(i, EnvAttack), ADSR::kMinAttack) << i;
    EXPECT_EQ(def(i, EnvRelease), ADSR::kDefaultKickRelease) << i;
    EXPECT_EQ(def(i, FilterRelease), ADSR::kDefaultKickRelease) << i;
  }
  const std::pair<int, std::vector<std::pair<eVstParameters, double>>> literals[] = {
      {30, {{OscSat1, 0.301738}, {OscFilterCutoff1, 0.115792}, {OscFilterResonance1, 0.350976}}},
      {31, {{OscSat1, 0.301738}}},
      {32, {{OscVolume1, 0.776833}, {OscSat1, 0.727794}, {OscFilterCutoff1, 0.060075}, {OscFilterResonance1, 0.205524},
            {OscSat2, 0.282567}, {OscFilterType2, 0.770833}, {OscFilterCutoff2, 0.160605},
            {OscFilterResonance2, 0.136555}, {OscFiltModAmount2, 0.511158}, {PitchAmount, 0.389143},
            {PitchDuration, 0.428408}, {PitchPower, 0.661084}}},
      {33, {{OscPan1, 0.524565}}},
      {35, {{OscVolume1, 0.999999}, {OscFilterType1, 0.791667}}},
      {36, {{OscFiltModAmount1, 0.489903}, {OscFiltModAmount2, 0.395182}}},
      {37, {{OscFiltModAmount1, 0.489903}, {OscFiltModAmount2, 0.395182}}},
  };
  for (const auto& [i, values] : literals) {
    for (const auto& [p, v] : values) EXPECT_EQ(def(i, p), v) << i << " " << kParameterTable[p].keyName;
  }

  // Second half.
  expectRange(second, PitchAmount, 0.21, 0.7);
  expectRange(second, PitchDuration, 0.15, 0.5);
  expectRange(second, PitchPower, 0.3, 1);
  expectRange(second, EnvAttack, 0, 0.07);
  expectRange(second, EnvDecay, 0.3, 1);
  expectRange(second, EnvSustain, 0, 0.5);
  expectRange(second, EnvRelease, 0.01, 0.2);
  expectRange(second, FilterAttack, 0, 0.07);
  expectRange(second, FilterDecay, 0.35, 1);
  expectRange(second, FilterSustain, 0, 0.5);
  expectRange(second, FilterRelease, 0.01, 0.1);
  expectAll(second, EnvDuration, 0.2);
  expectAll(second, FilterDuration, 0.2);
  expectRange(second, kDistortionAmount, 0.1, 1);
  EXPECT_EQ(count(second, [](int i) { return def(i, kDistortionAmount) == 0.75 || def(i, kDistortionAmount) == 0.777; }),
            14);
  EXPECT_EQ(def(69, kDistortionAmount), 1.0);
  EXPECT_EQ(count(second, [](int i) { return def(i, BassLayerToFilter) == 1; }), 14);
  EXPECT_EQ(count(second, [](int i) { return choice(def(i, FilterMode1), 4) == kRbjBandPass1; }), 14);
  EXPECT_EQ(count(second, [](int i) { return choice(def(i, FilterMode2), 4) == kHighPass24dB; }), 5);
  EXPECT_EQ(count(second, [](int i) { return def(i, FmAmount) > 0; }), 9);
  expectRange(second, FmAmount, 0, 0.25);
  for (int i : second) {
    const bool click = (i >= 45 && i <= 47) || i >= 68;
    EXPECT_EQ(def(i, BassLayerClick), click ? 1.0 : 0.0) << i;
    EXPECT_EQ(def(i, Quantization), i == 52 ? 0.09 : i == 53 ? 0.1 : 1.0) << i;
    EXPECT_EQ(def(i, SampleRate), i == 52 ? 0.8 : i == 53 ? 0.9 : 1.0) << i;
    EXPECT_EQ(def(i, LimitOutput), i >= 58 && i <= 61 ? 1.0 : 0.0) << i;
    EXPECT_EQ(def(i, UnisonVoices), i == 47 ? 1.0 : 0.0) << i;
    EXPECT_EQ(def(i, RingModulationAmount), i == 67 ? 0.545 : i == 68 ? 1.0 : 0.0) << i;
    if (def(i, FmAmount) > 0) { EXPECT_GE(def(i, FmAmount), 0.1) << i; }
  }
  const std::vector<int> kickEnvelopes = {45, 46, 47, 48, 49, 51};
  for (eVstParameters p : {EnvAttack, FilterAttack}) expectAll(kickEnvelopes, p, ADSR::kMinAttack);
  for (eVstParameters p : {EnvRelease, FilterRelease}) expectAll(kickEnvelopes, p, ADSR::kDefaultKickRelease);
  expectAll({45, 46, 48, 51}, FilterDecay, ADSR::kDefaultDecay);
  expectAll({45, 46, 48}, FilterSustain, ADSR::kDefaultSustain);
}

TEST(ProgramDefinitions, DrumAndFx) {
  // Envelopes (attack, decay, sustain, release, duration), pitch sweep,
  // master filter (type, cutoff, resonance), kick transpose, global transpose
  // and distortion amount.
  const struct {
    int position;
    double volume[5], filter[5], pitch[4], master[3], kick, transpose, distortion;
  } rows[] = {
      {72, {0.001, 0.2, 0, 0.01, 0.2}, {0.001, 0.2, 0, 0.01, 0.2}, {0, 0, 0, 0}, {0, 1, 0}, 1, 1, 0},
      {73, {0, 0.088, 0, 0, 0.2}, {0, 0.088, 0, 0, 0.2}, {1, 0.25, 1, 0}, {1, 0.303, 0}, 0, 0.5, 0},
      {74, {0.01, 0.3, 0, 0.05, 0.2}, {0.05, 0.2, 0, 0.05, 0.2}, {1, 0.375, 0.25, 0}, {1, 0.303, 0}, 0, 0.5, 0},
      {75, {0.01, 0.3, 0, 0.2, 0.2}, {0.075, 0.2, 0, 0.2, 0.2}, {0.3, 0.25, 1, 0}, {1, 0.3, 0}, 1, 0.5, 0},
      {76, {0.01, 0.5, 0.25, 0.1, 0.2}, {0.01, 0.25, 0.75, 0.1, 0.2}, {0.23, 0.1725, 0.12, 1}, {0.7, 0.2, 0.15}, 0, 0.5,
       0.5},
      {77, {0.02, 1, 0, 0.2, 0.2}, {0.02, 0.7, 0, 0.1, 0.2}, {0.5, 0.8, 0.2, 1}, {0, 1, 0}, 1, 1, 0.1},
      {78, {0.01, 0.999, 0, 0.05, 0.2}, {0.01, 0.777, 0, 0.05, 0.2}, {0.5, 0.15, 0.5, 0.5}, {0.708, 0.055, 0.5}, 0, 0.5,
       0.5},
      {79, {0.01, 1, 0, 0.5, 0.8}, {0.01, 1, 0, 0.5, 0.8}, {1, 1, 1, 1}, {0.85, 0.07, 0.45}, 0, 0.5, 1},
      {80, {0.5, 0.5, 1, 1, 0.5}, {0.5, 0.5, 1, 1, 0.5}, {0, 0, 0, 0}, {0.2, 0.12, 0.44}, 0, 0.5, 0.03},
  };
  for (const auto& r : rows) {
    const int i = r.position;
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(def(i, EnvAttack + k), r.volume[k]) << i << " " << k;
      EXPECT_EQ(def(i, FilterAttack + k), r.filter[k]) << i << " " << k;
    }
    for (int k = 0; k < 4; ++k) EXPECT_EQ(def(i, PitchAmount + k), r.pitch[k]) << i << " " << k;
    for (int k = 0; k < 3; ++k) EXPECT_EQ(def(i, FilterType + k), r.master[k]) << i << " " << k;
    EXPECT_EQ(def(i, KickTransposeMode), r.kick) << i;
    EXPECT_EQ(def(i, GlobalTranspose), r.transpose) << i;
    EXPECT_EQ(def(i, kDistortionAmount), r.distortion) << i;
    for (eVstParameters p : {Osc1OnOff, Osc2OnOff, Osc3OnOff, PitchOnOff, FilterOnOff, FilterTransition,
                             DistortionOnOff}) {
      EXPECT_EQ(def(i, p), 1.0) << i << " " << kParameterTable[p].keyName;
    }
    for (eVstParameters p : {OscFreq1, OscPitch3, BassAmount, MidAmount, HighAmount, DumpExpand, Pan, Volume}) {
      EXPECT_EQ(def(i, p), 0.5) << i << " " << kParameterTable[p].keyName;
    }
    for (eVstParameters p : {FilterInputDrive, DistortionLoudness, Gate, UnisonVoices, ModulationOnOff,
                             RingModulationAmount, BassLayerSolo, BassLayerToFilter, BassLayerClick, BypassFX,
                             LimitOutput, Saturation}) {
      EXPECT_EQ(def(i, p), 0.0) << i << " " << kParameterTable[p].keyName;
    }
    EXPECT_EQ(def(i, DryWet), 1.0) << i;
    EXPECT_EQ(def(i, FmAmount), i == 78 ? 0.25 : i == 80 ? 0.4 : 0.0) << i;
    EXPECT_EQ(def(i, BassLayerAmount), i == 78 ? 0.777 : 0.0) << i;
    EXPECT_EQ(def(i, Quantization), i == 76 ? 0.1 : 1.0) << i;
    EXPECT_EQ(def(i, SampleRate), i == 76 ? 0.909 : 1.0) << i;
    EXPECT_EQ(def(i, UnisonDetune), i == 77 ? 0.0 : 0.125) << i;
    EXPECT_EQ(def(i, PhaserDepth), i == 80 ? 0.5 : 0.0) << i;
    if (i == 80) { EXPECT_EQ(def(i, PhaserFeedback), 0.5); }
  }
  for (int i = 0; i < kNumProgramDefinitions; ++i) {
    if (i != 72) { EXPECT_NE(inBankOrder()[i].values, inBankOrder()[72].values) << i; }
  }
}

TEST(ProgramDefinitions, BassStringBrassAndPadSections) {
  // Bass.
  EXPECT_EQ(def(82, Osc2OnOff) + def(82, Osc3OnOff), 0.0);
  EXPECT_EQ(def(82, FmAmount), 0.25);
  for (int i : {83, 84, 85, 86}) {
    EXPECT_EQ(def(i, Osc2OnOff), 1.0) << i;
    EXPECT_EQ(def(i, DistortionOnOff), 1.0) << i;
    EXPECT_EQ(def(i, kDistortionAmount), i == 86 ? 0.2 : 0.1) << i;
    EXPECT_EQ(def(i, FmAmount), 0.5) << i;
  }
  for (int i : {84, 85, 86}) {
    EXPECT_EQ(def(i, UnisonVoices), 1.0);
    EXPECT_EQ(def(i, UnisonDetune), 0.25);
    EXPECT_EQ(def(i, DistortionInterpMode), 1.0);
    EXPECT_EQ(def(i, ModulationOnOff), 1.0);
  }
  expectRange({84, 85, 86}, FilterCutoff, 0.3, 0.4);
  expectRange({84, 85, 86}, FilterResonance, 0.3, 0.5);
  const struct {
    int position;
    double lfo, fm;
  } fusion[] = {{87, 0.25, 0.4}, {88, 0.375, 0.2}};
  for (const auto& f : fusion) {
    const int i = f.position;
    for (eVstParameters p : {OscVolume1, OscVolume2, OscVolume3}) EXPECT_EQ(def(i, p), 0.7) << i;
    for (eVstParameters p : {OscModFrequency1, OscModFrequency2, OscModFrequency3}) EXPECT_EQ(def(i, p), f.lfo) << i;
    EXPECT_EQ(def(i, OscPitch1), 0.0);
    EXPECT_EQ(def(i, Osc2OnOff) + def(i, Osc3OnOff), 2.0);
    const double envelope[5] = {0.01, 0.5, 0.5, 0.2, 0.1};
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(def(i, EnvAttack + k), envelope[k]) << i;
      EXPECT_EQ(def(i, FilterAttack + k), envelope[k]) << i;
    }
    EXPECT_EQ(def(i, DistortionOnOff), 1.0);
    EXPECT_EQ(def(i, kDistortionAmount), 0.0);
    EXPECT_EQ(def(i, FmAmount), f.fm);
  }

  // Strings.
  const std::vector<int> strings = positions(89, 92);
  for (eVstParameters p : {Osc3OnOff, PitchOnOff, DistortionOnOff}) expectAll(strings, p, 0);
  expectRange(strings, OscFilterCutoff1, 0.125, 0.75);
  expectRange(strings, OscFilterCutoff2, 0.1, 0.63);
  expectRange(strings, OscFiltModAmount1, 0, 0.1);
  expectRange(strings, OscFiltModAmount2, 0, 0.1);
  for (int i : strings) EXPECT_EQ(def(i, OscFreq2) == 0.6, i != 91) << i;
  for (int i : {90, 91}) {
    EXPECT_EQ(def(i, EnvDecay) + def(i, EnvSustain), 2.0) << i;
    EXPECT_EQ(def(i, EnvAttack), 0.02) << i;
  }
  const std::pair<eVstParameters, double> banjo[] = {{EnvAttack, 0}, {EnvDecay, 0.67}, {EnvSustain, 0},
                                                     {EnvRelease, 0.04}, {FilterDecay, 0.19}, {EnvDuration, 0.2},
                                                     {FilterDuration, 0.2}};
  for (const auto& [p, v] : banjo) EXPECT_EQ(def(92, p), v) << kParameterTable[p].keyName;

  // Brass.
  const std::vector<int> brass = positions(93, 95);
  for (eVstParameters p : {Osc3OnOff, PitchOnOff, DistortionOnOff}) expectAll(brass, p, 0);
  expectAll(brass, OscFilterResonance1, 0.2);
  expectAll({93, 94}, Osc2OnOff, 0);
  EXPECT_EQ(def(95, Osc2OnOff), 1.0);
  expectAll({95}, OscModFrequency1, 0.083);
  expectAll({95}, OscModFrequency2, 0.083);
  EXPECT_EQ(def(95, OscFreqModAmount1), 0.8);
  EXPECT_EQ(def(95, OscFreqModAmount2), 0.4);
  EXPECT_EQ(def(93, EnvDecay), 0.777);
  expectAll({94, 95}, EnvDecay, 1);

  // Pads.
  const std::vector<int> pads = positions(96, 101);
  expectAll(pads, OscPitch2, 0);
  expectAll(pads, UnisonVoices, 1);
  expectRange(pads, UnisonDetune, 0.1, 0.3);
  expectRange(pads, OscFilterType1, 0.5, 0.8);
  expectRange(pads, OscFilterType2, 0.25, 0.5);
  expectAll(pads, DistortionOnOff, 0);
  expectAll(pads, DistortionInterpMode, 1);
  expectAll(pads, ModulationOnOff, 1);
  expectAll(pads, FilterMode1, 0);
  expectAll(pads, FilterMode2, 0);
  for (int i : pads) {
    EXPECT_EQ(def(i, PhaserFeedback), i == 100 ? 0.4 : i == 101 ? 0.25 : 0.5) << i;
    EXPECT_EQ(def(i, PhaserDepth), i == 100 ? 0.2 : 0.0) << i;
  }
  EXPECT_EQ(def(100, OscFreq2), 45.0);
  EXPECT_EQ(def(101, OscFreq2), 4.0);
}

TEST(ProgramDefinitions, SynthSounds) {
  for (int i : {103, 104, 105}) {
    for (eVstParameters w : {OscWaveform1, OscWaveform2, OscWaveform3}) EXPECT_EQ(def(i, w), 1.0 / 35) << i;
    EXPECT_EQ(def(i, DistortionOnOff), 1.0);
    EXPECT_EQ(def(i, kDistortionAmount), 0.0);
    EXPECT_EQ(def(i, DistortionType), 0.0);
    EXPECT_EQ(def(i, ModulationOnOff), 0.0);
    EXPECT_EQ(def(i, PhaserFeedback), 0.5);
  }
  for (eVstParameters p : {Osc2OnOff, Osc3OnOff, OscVolume2, OscModFrequency1, OscRingModAmount1, OscFreqModAmount1,
                           OscFiltModAmount1}) {
    EXPECT_EQ(def(103, p), 0.0) << kParameterTable[p].keyName;
  }
  const std::pair<eVstParameters, double> sawLead2[] = {
      {Osc3OnOff, 0},       {OscVolume1, 0.64},      {OscVolume2, 0.64},       {OscVolume3, 0.64},
      {OscFreq1, 0.4},      {OscFreq2, 0.6},         {OscPan1, 0.25},          {OscPan2, 0.75},
      {OscModFrequency1, 0.3}, {OscModFrequency2, 0.15}, {OscFreqModAmount1, 0.2}, {OscFreqModAmount2, 0.1}};
  for (const auto& [p, v] : sawLead2) EXPECT_EQ(def(104, p), v) << kParameterTable[p].keyName;
  const std::pair<eVstParameters, double> sawLead3[] = {
      {OscVolume1, 0.64},       {OscVolume2, 0.64},       {OscVolume3, 0.64},       {OscModFrequency1, 0.75},
      {OscModFrequency2, 0.75}, {OscModFrequency3, 0.75}, {OscFreqModAmount1, 1.0}, {OscFreqModAmount2, 1.0},
      {OscFreqModAmount3, 1.0}, {OscRingModAmount1, 0.25}, {OscFreq2, 0.45},        {OscFreq3, 0.4},
      {OscPan2, 0.75},          {OscPan3, 0.25},           {Osc2OnOff, 1},          {Osc3OnOff, 1}};
  for (const auto& [p, v] : sawLead3) EXPECT_EQ(def(105, p), v) << kParameterTable[p].keyName;

  const std::pair<eVstParameters, double> phuture[] = {
      {OscWaveform1, 3.0 / 35}, {OscFilterType1, 0.8},    {OscFilterCutoff1, 0.5},  {OscFilterResonance1, 0.5},
      {OscFiltModAmount1, 0.5}, {OscModFrequency1, 0.02}, {OscModFrequency2, 0.015}, {OscModFrequency3, 0.04},
      {OscFreqModAmount2, 0.18}, {OscFreqModAmount3, 0.35}, {OscFiltModAmount2, 0.49}, {OscWaveform3, 1.0 / 35},
      {kDistortionAmount, 0.1}};
  for (int i : {114, 116}) {
    for (const auto& [p, v] : phuture) EXPECT_EQ(def(i, p), v) << i << " " << kParameterTable[p].keyName;
  }
  EXPECT_EQ(def(115, ModulationOnOff), 1.0);
  EXPECT_EQ(def(115, PhaserDepth), 0.25);
  EXPECT_EQ(def(115, PhaserFeedback), 0.5);

  EXPECT_EQ(def(118, FilterType), 0.8);
  EXPECT_EQ(def(119, FilterType), 0.7);
  for (int i : {118, 119}) {
    EXPECT_EQ(def(i, FilterCutoff), 0.0);
    EXPECT_EQ(def(i, kDistortionAmount), 0.5);
    for (eVstParameters p : {OscFilterResonance1, OscFilterResonance2, OscFilterResonance3}) {
      EXPECT_GE(def(i, p), 0.5) << i;
      EXPECT_LE(def(i, p), 0.7) << i;
    }
  }
  EXPECT_EQ(def(118, OscWaveform1), 0.6);
  EXPECT_EQ(def(118, OscVolume2), 0.0);
  EXPECT_EQ(def(118, PitchOnOff), 0.0);

  const std::pair<eVstParameters, double> oi[] = {
      {EnvAttack, 1},     {EnvDecay, 0.16},       {EnvSustain, 0.92},    {EnvRelease, 0},        {EnvDuration, 0},
      {FilterAttack, 1},  {FilterDecay, 0.77},    {FilterSustain, 1},    {FilterRelease, 0},     {FilterDuration, 0},
      {OscVolume2, 0},    {OscFilterType1, 1},    {OscFilterResonance1, 1}, {OscFilterType3, 0.578},
      {OscFilterResonance2, 0.24}, {OscSat3, 0.777}, {FilterResonance, 0.325}, {RingModulationAmount, 0.035},
      {ModulationOnOff, 0}};
  for (int i : {120, 121}) {
    for (const auto& [p, v] : oi) EXPECT_EQ(def(i, p), v) << i << " " << kParameterTable[p].keyName;
  }
  EXPECT_EQ(def(120, kDistortionAmount), 1.0);
  EXPECT_EQ(def(121, kDistortionAmount), 0.75);
  EXPECT_EQ(def(120, SampleRate), 0.777);
  EXPECT_EQ(def(121, SampleRate), 0.823);
  EXPECT_EQ(def(120, Osc2InvertFilEnv), 1.0);
  EXPECT_EQ(def(120, OscWaveform1), 27.0 / 35);

  const std::pair<eVstParameters, double> pitcher[] = {
      {PitchAmount, 0.5}, {PitchDuration, 1}, {PitchPower, 0.1}, {PitchDown, 1}, {OscFreq1, 0.45},
      {OscFreq2, 0.55},   {FilterType, 1},    {FilterCutoff, 0}, {EnvDuration, 0.2}, {FilterDuration, 0.2}};
  for (const auto& [p, v] : pitcher) EXPECT_EQ(def(122, p), v) << kParameterTable[p].keyName;
  for (int i = 102; i < kNumProgramDefinitions; ++i) {
    if (i != 117 && i != 122) { EXPECT_EQ(def(i, PitchAmount), 0.0) << i; }
  }

  for (int i : {123, 124, 125, 126}) {
    EXPECT_EQ(def(i, DistortionOnOff), 0.0) << i;
    EXPECT_EQ(def(i, EnvAttack), i == 124 ? 0.0 : 0.001) << i;
    EXPECT_TRUE(def(i, EnvSustain) == 0.0 || def(i, EnvSustain) == 0.1) << i;
    EXPECT_TRUE(def(i, EnvRelease) == 0.05 || def(i, EnvRelease) == 0.1) << i;
  }
  expectRange({123, 124, 125, 126}, EnvDecay, 0.3, 0.7);
  expectAll({123, 124, 125}, PhaserFeedback, 0.5);
  for (int i : {125, 126}) {
    EXPECT_EQ(def(i, Osc2OnOff) + def(i, Osc3OnOff), 0.0) << i;
    EXPECT_EQ(def(i, UnisonVoices), 1.0) << i;
  }
  EXPECT_EQ(def(125, UnisonDetune), 0.15);
  EXPECT_EQ(def(126, UnisonDetune), 0.3);

  RirARorurProgram common;
  common.initCommonParams();
  const std::vector<double> commonValues = snapshot(common).values;
  EXPECT_EQ(differing(commonValues, inBankOrder()[127].values),
            (std::set<int>{Osc2OnOff, Osc3OnOff, OscVolume2, EnvSustain, FilterSustain, DistortionOnOff, FilterOnOff,
                           FilterType, FilterCutoff}));
}

}  // namespace
