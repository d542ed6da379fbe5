// The factory bank as installed in the preset slots, against what the bank
// is stated to hold: names, full presets, value kinds and grids, and what
// each section holds.

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/presets/ChoiceNames.h"
#include "tests/presets/InstalledBank.h"

namespace {

using namespace Quillvane::Synth;
using Quillvane::kParameterTable;
const eVstParameters kDistortionAmount = Quillvane::Synth::Distortion;
using presetstest::installedBank;
using presetstest::InstalledPreset;
using namespace presetstest;

const std::vector<InstalledPreset>& bank() { return installedBank().slots; }
double value(int preset, int parameter) { return bank()[preset].values[parameter]; }

// Half-open ranges of bank positions.
struct Section {
  const char* title;
  int first, end;
};

const Section kBasic{"#BASIC BASSDRUMS#", 0, 19};
const Section kHardcore{"#HARDCORE BASSDRUMS#", 19, 72};
const Section kDrumAndFx{"#DRUM AND FX SECTION#", 72, 81};
const Section kBass{"#BASS SECTION#", 81, 89};
const Section kString{"#STRING SECTION#", 89, 93};
const Section kBrass{"#BRASS SECTION#", 93, 96};
const Section kPad{"#PAD SECTION#", 96, 102};
const Section kSynth{"#SYNTH SOUNDS#", 102, 128};
const Section kSections[] = {kBasic, kHardcore, kDrumAndFx, kBass, kString, kBrass, kPad, kSynth};

const eVstParameters kOnOff[3] = {Osc1OnOff, Osc2OnOff, Osc3OnOff};
const eVstParameters kWaveform[3] = {OscWaveform1, OscWaveform2, OscWaveform3};

bool sounding(int preset, int osc) { return value(preset, kOnOff[osc]) == 1.0; }
int soundingCount(int preset) { return sounding(preset, 0) + sounding(preset, 1) + sounding(preset, 2); }

using Histogram = std::map<std::string, int>;

Histogram soundingWaveforms(const Section& s) {
  Histogram h;
  for (int i = s.first; i < s.end; ++i) {
    for (int osc = 0; osc < 3; ++osc) {
      if (sounding(i, osc)) ++h[kWaveformNames[choice(value(i, kWaveform[osc]), 36)]];
    }
  }
  return h;
}

Histogram choices(const Section& s, eVstParameters p, const char* const* names, int entries,
                  const std::function<bool(int)>& include = [](int) { return true; }) {
  Histogram h;
  for (int i = s.first; i < s.end; ++i) {
    if (include(i)) ++h[names[choice(value(i, p), entries)]];
  }
  return h;
}

int count(const Section& s, const std::function<bool(int)>& test) {
  int n = 0;
  for (int i = s.first; i < s.end; ++i) n += test(i) ? 1 : 0;
  return n;
}

std::pair<double, double> range(const Section& s, eVstParameters p) {
  double lo = value(s.first, p), hi = lo;
  for (int i = s.first; i < s.end; ++i) {
    lo = std::min(lo, value(i, p));
    hi = std::max(hi, value(i, p));
  }
  return {lo, hi};
}

bool on(int preset, eVstParameters p) { return value(preset, p) == 1.0; }

int equalValues(int a, int b) {
  int n = 0;
  for (int p = 0; p < kNumParameters; ++p) n += value(a, p) == value(b, p) ? 1 : 0;
  return n;
}

std::set<int> differingParameters(int a, int b) {
  std::set<int> d;
  for (int p = 0; p < kNumParameters; ++p) {
    if (value(a, p) != value(b, p)) d.insert(p);
  }
  return d;
}

// ---------------------------------------------------------------------------

TEST(FactoryBank, EverySlotHoldsOnePresetOf105Doubles) {
  ASSERT_EQ(bank().size(), 128u);
  EXPECT_EQ(installedBank().trailingBytes, 0);
  for (const InstalledPreset& p : bank()) {
    EXPECT_TRUE(p.initialized) << p.name;
    EXPECT_EQ(p.chunkBytes, 840) << p.name;
    ASSERT_EQ(p.values.size(), 105u) << p.name;
  }
}

TEST(FactoryBank, NamesInBankOrder) {
  const char* const names[128] = {
      "#BASIC BASSDRUMS#", "QV Bassdrum", "QV Basic Bassdrum 1", "QV Basic Bassdrum 2",
      "QV Basic Bassdrum 3 (click)", "QV Basic Kickdrum 1", "QV Basic Kickdrum 2", "QV Basic Kickdrum 3",
      "QV Laser 1", "QV Laser 2", "QV Laser Kick 1", "QV Laser Kick 2", "QV Pulse Beat 1", "QV Pulse Beat 2",
      "Oldschool Bassdrum 1", "Oldschool Bassdrum 2", "Oldschool Bassdrum 3", "Oldschool Bassdrum 4",
      "Oldschool Bassdrum 5", "#HARDCORE BASSDRUMS#", "Mainstream Bassdrum 1", "Mainstream Bassdrum 2",
      "Mainstream Bassdrum 3", "Mainstream Bassdrum 4", "Darkcore Bassdrum 1", "Darkcore Bassdrum 2",
      "Darkcore Bassdrum 3", "VDR Bassdrum 1", "VDR Bassdrum 2", "VDR Bassdrum 3", "VDR Kickdrum 1",
      "VDR Kickdrum 2", "Industrial Bassdrum", "Low Q Bassdrum 1", "Low Q Bassdrum 2", "Crash-Boom-Beat",
      "Tovo Darkcore-Kick 1", "Tovo Darkcore-Kick 2", "Deep-Underground-Beat", "Heavy-Bass-Beat",
      "Terrorcore Beat 1", "Terrorcore Beat 2", "Killer Beat 1", "Killer Beat 2", "Dirty Beat 1",
      "Speedcore Kick 1", "Speedcore Kick 2", "Speedcore Kick 3", "Bounce Kick 1", "Bounce Kick 2",
      "NoiseCore Kick 1", "NoiseCore Kick 2", "Amiga 8-bit Powerkick 1", "Amiga 8-bit Powerkick 2",
      "Yarnesk Kickdrum 1", "Yarnesk Kickdrum 2", "Vorn Kickdrum 1", "Vorn Kickdrum 2", "Gabber Kick 1",
      "Gabber Kick 2", "Gabber Kick 3", "Gabber Kick 4", "Quillvane Kickdrum 1", "Quillvane Kickdrum 2",
      "Quillvane Kickdrum 3", "Quillvane Kickdrum 4", "Quillvane Kickdrum 5", "Hyper Schranz 1",
      "Hyper Schranz 2", "Industrial Crunch", "T.Quake Bassdrum 1", "T.Quake Bassdrum 2",
      "#DRUM AND FX SECTION#", "Closed Hihat", "Open Hihat", "Snare-Drum", "Eight-Bit Enema",
      "A Coder Ate My Pigeon", "Neightbours Nightmare", "Uncontrolled Detonation", "Silver Submarine",
      "#BASS SECTION#", "Raw Bassground", "The shadow out of bass", "Underground Dub Bass 1",
      "The Sorcery of D&B Bass", "Deadly Spell D&B Bass", "Fusion Bass 1", "Fusion Bass 2",
      "#STRING SECTION#", "Erich Zann's Violin", "Virtual Cello", "Virtual Banjo", "#BRASS SECTION#",
      "Virtual Horn", "Virtual Harmonica", "#PAD SECTION#", "Relic Pad", "Raw Structured Pad",
      "Space-Cut Pad", "Prophecy Pad", "Delirium Pad", "#SYNTH SOUNDS#", "Saw Lead 1",
      "Saw Lead 2 (detuned)", "Saw Lead 3 (modulated)", "Super Saw Lead 1", "Super Saw Lead 2",
      "Exothermic Hardstyle Lead", "Endothermic Hardcore Lead", "Square Lead 1", "Square Lead 2 (detuned)",
      "Square Lead 3 (mod.)", "Glimmerkin Suvi", "Dark Phuture Lead", "Event Horizon Lead (phased)",
      "QV Hard-D&B-Lead 1", "Cyber Realizm", "QV Filter Synth 1", "QV Filter Synth 2", "T.Quake Oi-Synth 1",
      "T.Quake Oi-Synth 2", "Big Pitcher", "QV Vibes 1", "QV Vibes 2", "QV Vibes 3", "1980 GaMe-ViBe",
      "Basic Sine wave"};
  std::set<std::string> distinct;
  for (int i = 0; i < 128; ++i) {
    const std::string& name = bank()[i].name;
    EXPECT_EQ(name, names[i]) << i;
    EXPECT_GE(name.size(), 9u) << name;
    EXPECT_LE(name.size(), 27u) << name;
    for (char c : name) EXPECT_TRUE(std::isprint(static_cast<unsigned char>(c))) << name;
    distinct.insert(name);
  }
  EXPECT_EQ(distinct.size(), 128u);
  for (const Section& s : kSections) EXPECT_EQ(bank()[s.first].name, s.title);
}

TEST(FactoryBank, ValuesAreFourDecimalNumbersWithinZeroToOne) {
  for (const InstalledPreset& p : bank()) {
    for (int k = 0; k < kNumParameters; ++k) {
      const double v = p.values[k];
      char text[32];
      std::snprintf(text, sizeof(text), "%.4f", v);
      EXPECT_EQ(std::strtod(text, nullptr), v) << p.name << " " << kParameterTable[k].keyName;
      EXPECT_GE(v, 0.0) << p.name << " " << kParameterTable[k].keyName;
      EXPECT_LE(v, 1.0) << p.name << " " << kParameterTable[k].keyName;
    }
  }
}

TEST(FactoryBank, SwitchesAreOffOrOnAndSelectorsSitOnTheirGrids) {
  const eVstParameters switches[] = {Osc1OnOff, OscInvertWaveform1, Osc2OnOff, OscInvertWaveform2, Osc3OnOff,
                                     OscInvertWaveform3, Osc1InvertFilEnv, Osc2InvertFilEnv, Osc3InvertFilEnv,
                                     BassLayerSolo, BassLayerToFilter, KickTransposeMode, PitchOnOff,
                                     DistortionOnOff, DistortionLoudness, FilterOnOff, ModulationOnOff, BypassFX,
                                     LimitOutput};
  const std::pair<eVstParameters, int> selectors[] = {
      {OscWaveform1, 36}, {OscWaveform2, 36}, {OscWaveform3, 36}, {DistortionType, 35},
      {DistortionInterpMode, 5}, {FilterMode1, 4}, {FilterMode2, 4}, {FilterTransition, 3},
      {RingModulationWaveForm, 5}};
  for (const InstalledPreset& p : bank()) {
    for (eVstParameters s : switches) {
      EXPECT_TRUE(p.values[s] == 0.0 || p.values[s] == 1.0) << p.name << " " << kParameterTable[s].keyName;
    }
    for (const auto& [parameter, entries] : selectors) {
      const double x = p.values[parameter];
      char text[32];
      std::snprintf(text, sizeof(text), "%.4f", static_cast<double>(choice(x, entries)) / (entries - 1));
      EXPECT_EQ(x, std::strtod(text, nullptr)) << p.name << " " << kParameterTable[parameter].keyName;
    }
  }
}

TEST(FactoryBank, ValuesEqualInEveryPreset) {
  const std::pair<eVstParameters, double> common[] = {
      {Osc1OnOff, 1.0},  {BassLayerSolo, 0.0},     {BassAmount, 0.5},
      {MidAmount, 0.5},  {HighAmount, 0.5},        {DumpExpand, 0.5},
      {DistortionLoudness, 0.0}, {Gate, 0.0},      {RingModulationFrequency, 0.0},
      {RingModulationWaveForm, 0.0}, {BypassFX, 0.0}, {Pan, 0.5},
      {Saturation, 0.0}, {DryWet, 1.0},            {Volume, 0.5}};
  for (const InstalledPreset& p : bank()) {
    for (const auto& [parameter, v] : common) EXPECT_EQ(p.values[parameter], v) << p.name;
  }
}

// "#BASIC BASSDRUMS#", also "QV Bassdrum".
const double kBasicTitle[105] = {
    1, 0, 0.5, 1, 0, 0.5, 0.5, 0, 1, 0, 0, 0, 0, 0, 0,           // oscillator 1
    0, 0, 0.5, 0, 0, 0.5, 0.5, 0, 1, 0, 0, 0, 0, 0, 0,           // oscillator 2
    0, 0, 0.5, 0, 0, 0.5, 0.5, 0, 1, 0, 0, 0, 0, 0, 0,           // oscillator 3
    0.01, 0.25, 0, 0.05, 0.2, 0.01, 0.25, 0, 0.05, 0.2,           // envelopes
    0, 0, 0, 0, 0, 0, 0, 0.5, 1, 1, 0.12, 0.4, 0.62, 0,           // 55..68
    0, 0.125, 0, 0.5, 0.5, 0.5, 0.5, 1, 0, 0, 0, 0, 1, 1, 0,      // 69..83
    1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0.25, 0,               // 84..98
    0, 0, 0.5, 0, 1, 0.5};

const double kGabberKick1[105] = {
    1, 0.8857, 0.5, 0.75, 0.25, 0.75, 0.5, 0.75, 0.1, 0.25, 1, 0.05, 0, 0.1, 0,
    1, 0.9429, 0.5, 0.75, 0.25, 0.25, 0.5, 0.05, 0.95, 0.1, 1, 0.1, 0, 0.05, 0,
    1, 0.7143, 0.475, 0.85, 0.15, 0.5, 0.5, 0, 1, 0.3, 0, 0.15, 0.1, 0, 0,
    0.002, 0.7, 0.3, 0.1, 0.2, 0.01, 0.5, 0, 0.03, 0.2,
    0, 0, 0, 0.777, 0, 1, 0, 0.5, 1, 1, 0.3, 0.35, 0.5, 0,
    0, 0.125, 0, 0.5, 0.5, 0.5, 0.5, 1, 0.5, 0.5882, 0, 0.75, 1, 1, 0,
    1, 0.25, 0.1, 0.25, 0.25, 0.6667, 0, 1, 0, 0, 0, 0, 0, 0.1, 0.777,
    0, 1, 0.5, 0, 1, 0.5};

using Diff = std::vector<std::pair<eVstParameters, double>>;

void expectTitlePlus(int preset, const Diff& diff) {
  std::vector<double> expected(kBasicTitle, kBasicTitle + 105);
  for (const auto& [parameter, v] : diff) expected[parameter] = v;
  for (int k = 0; k < kNumParameters; ++k) {
    EXPECT_EQ(value(preset, k), expected[k]) << bank()[preset].name << " " << kParameterTable[k].keyName;
  }
}

TEST(FactoryBank, PresetsGivenInFull) {
  expectTitlePlus(0, {});
  expectTitlePlus(1, {});
  for (int k = 0; k < kNumParameters; ++k) {
    EXPECT_EQ(value(58, k), kGabberKick1[k]) << kParameterTable[k].keyName;
  }
  expectTitlePlus(127, {{EnvAttack, 0.05}, {EnvDecay, 0.5}, {EnvSustain, 0.5}, {EnvRelease, 0.1},
                        {FilterAttack, 0.05}, {FilterDecay, 0.5}, {FilterSustain, 0.5}, {FilterRelease, 0.1},
                        {KickTransposeMode, 0}, {PitchAmount, 0}, {PitchDuration, 0}, {PitchPower, 0},
                        {DistortionOnOff, 0}, {FilterOnOff, 0}, {FilterType, 1}, {FilterCutoff, 0}});
  expectTitlePlus(19, {{OscWaveform1, 0.1429}, {EnvDecay, 0.7}, {FilterDecay, 0.5}, {PitchAmount, 0.3},
                       {PitchPower, 0.7}});
  expectTitlePlus(72, {{OscWaveform1, 0.1714}, {OscVolume1, 0.5}, {OscPan1, 0.45}, {Osc2OnOff, 1},
                       {OscWaveform2, 0.2}, {OscVolume2, 0.5}, {OscPan2, 0.55}, {OscFilterType2, 1},
                       {Osc3OnOff, 1}, {OscWaveform3, 0.2}, {EnvAttack, 0.001}, {EnvDecay, 0.2},
                       {EnvRelease, 0.01}, {FilterAttack, 0.001}, {FilterDecay, 0.2}, {FilterRelease, 0.01},
                       {Osc2InvertFilEnv, 1}, {GlobalTranspose, 1}, {PitchAmount, 0}, {PitchDuration, 0},
                       {PitchPower, 0}});
  expectTitlePlus(81, {{OscModFrequency1, 0.25}, {OscModFrequency2, 0.25}, {OscFreqModAmount2, 0.125},
                       {OscModFrequency3, 0.25}, {OscFreqModAmount3, 0.25}, {EnvSustain, 0.75},
                       {EnvRelease, 0.1}, {EnvDuration, 0.1}, {FilterSustain, 0.75}, {FilterRelease, 0.1},
                       {FilterDuration, 0.1}, {KickTransposeMode, 0}, {PitchAmount, 0}, {PitchDuration, 0.5},
                       {PitchPower, 0}, {DistortionOnOff, 0}, {Distortion, 0.5}, {DistortionType, 0.4118},
                       {DistortionInterpMode, 0.75}, {FilterType, 1}, {FilterCutoff, 0}});
  expectTitlePlus(89, {{OscVolume1, 0.4}, {OscFilterCutoff1, 0.25}, {OscFilterResonance1, 0.1},
                       {OscModFrequency1, 0.4}, {OscFreqModAmount1, 0.2}, {OscFiltModAmount1, 0.1},
                       {Osc2OnOff, 1}, {OscWaveform2, 0.0286}, {OscFreq2, 0.6}, {OscVolume2, 0.2},
                       {OscFilterCutoff2, 0.5}, {OscFilterResonance2, 0.25}, {OscModFrequency2, 0.2},
                       {OscFreqModAmount2, 0.1}, {OscFiltModAmount2, 0.05}, {EnvAttack, 0.2}, {EnvDecay, 0.8},
                       {EnvSustain, 0.6}, {EnvRelease, 0.1}, {EnvDuration, 0.5}, {FilterAttack, 0.2},
                       {FilterDecay, 0.8}, {FilterSustain, 0.6}, {FilterRelease, 0.1}, {FilterDuration, 0.5},
                       {KickTransposeMode, 0}, {PitchOnOff, 0}, {PitchAmount, 0}, {PitchDuration, 0},
                       {PitchPower, 0}, {DistortionOnOff, 0}});
  expectTitlePlus(93, {{OscWaveform1, 0.0286}, {OscFilterType1, 0.1}, {OscFilterCutoff1, 0.2},
                       {OscFilterResonance1, 0.2}, {OscVolume2, 1}, {EnvDecay, 0.777}, {EnvSustain, 0.4},
                       {EnvRelease, 0.04}, {EnvDuration, 0.4}, {FilterAttack, 0}, {FilterDecay, 0.777},
                       {FilterSustain, 0.2}, {FilterRelease, 0.04}, {FilterDuration, 0.4}, {KickTransposeMode, 0},
                       {PitchOnOff, 0}, {PitchAmount, 0}, {PitchDuration, 0}, {PitchPower, 0},
                       {DistortionOnOff, 0}});
  expectTitlePlus(96, {{OscWaveform1, 0.0857}, {OscFreq1, 0.475}, {OscVolume1, 0.75}, {OscPan1, 0.4},
                       {OscFilterType1, 0.5}, {OscFilterCutoff1, 0.5}, {OscFilterResonance1, 0.1},
                       {OscModFrequency1, 0.5}, {OscRingModAmount1, 0.1}, {OscFreqModAmount1, 0.1},
                       {OscFiltModAmount1, 0.1}, {Osc2OnOff, 1}, {OscWaveform2, 0.0286}, {OscFreq2, 0.525},
                       {OscVolume2, 0.75}, {OscSat2, 0.5}, {OscPan2, 0.6}, {OscPitch2, 0}, {OscFilterType2, 0.25},
                       {OscFilterCutoff2, 0.5}, {OscFilterResonance2, 0.2}, {OscModFrequency2, 0.25},
                       {OscRingModAmount2, 0.2}, {OscFreqModAmount2, 0.2}, {OscFiltModAmount2, 0.2},
                       {Osc3OnOff, 1}, {EnvAttack, 0.5}, {EnvDecay, 0.5}, {EnvSustain, 0.5}, {EnvRelease, 0.5},
                       {EnvDuration, 1}, {FilterAttack, 0.5}, {FilterDecay, 0.5}, {FilterSustain, 0.5},
                       {FilterRelease, 0.5}, {FilterDuration, 1}, {KickTransposeMode, 0}, {PitchAmount, 0},
                       {PitchDuration, 0}, {PitchPower, 0}, {UnisonVoices, 1}, {UnisonDetune, 0.1},
                       {FmAmount, 0.25}, {DistortionOnOff, 0}, {DistortionType, 0.8529},
                       {DistortionInterpMode, 1}, {ModulationOnOff, 1}, {PhaserFeedback, 0.5}});
  expectTitlePlus(102, {{OscWaveform1, 0.0286}, {OscFreq1, 0.4}, {OscVolume1, 0.64}, {OscPan1, 0.25},
                        {OscModFrequency1, 0.3}, {OscFreqModAmount1, 0.2}, {Osc2OnOff, 1},
                        {OscWaveform2, 0.1143}, {OscFreq2, 0.6}, {OscVolume2, 0.64}, {OscPan2, 0.75},
                        {OscModFrequency2, 0.15}, {OscFreqModAmount2, 0.1}, {OscWaveform3, 0.0286},
                        {OscVolume3, 0.64}, {EnvAttack, 0}, {EnvSustain, 0.5}, {EnvRelease, 0.1},
                        {EnvDuration, 0.25}, {FilterAttack, 0}, {FilterSustain, 0.5}, {FilterRelease, 0.1},
                        {FilterDuration, 0.25}, {KickTransposeMode, 0}, {PitchAmount, 0}, {PitchDuration, 0},
                        {PitchPower, 0}, {PhaserFeedback, 0.5}});
}

TEST(FactoryBank, NoTwoPresetsAreEqualButTheFirstTwo) {
  for (int a = 0; a < 128; ++a) {
    for (int b = a + 1; b < 128; ++b) {
      const bool equal = equalValues(a, b) == kNumParameters;
      EXPECT_EQ(equal, a == 0 && b == 1) << bank()[a].name << " / " << bank()[b].name;
    }
  }
}

TEST(FactoryBank, SoundsShareWithTheirTitle) {
  const struct {
    Section section;
    int least, most;
  } cases[] = {{kBasic, 65, 105}, {kHardcore, 53, 74}, {kSynth, 62, 104}};
  for (const auto& c : cases) {
    int least = kNumParameters, most = 0;
    for (int i = c.section.first + 1; i < c.section.end; ++i) {
      const int n = equalValues(c.section.first, i);
      least = std::min(least, n);
      most = std::max(most, n);
    }
    EXPECT_EQ(least, c.least) << c.section.title;
    EXPECT_EQ(most, c.most) << c.section.title;
  }
  EXPECT_EQ(differingParameters(103, 106), (std::set<int>{UnisonVoices, UnisonDetune}));
  EXPECT_EQ(differingParameters(104, 107), (std::set<int>{UnisonVoices, UnisonDetune}));
  EXPECT_EQ(differingParameters(102, 104), (std::set<int>{OscWaveform2}));
}

// Lowest and highest value over a section, as stated for each section.
TEST(FactoryBank, SectionRanges) {
  const eVstParameters columns[] = {EnvAttack,   EnvDecay,  EnvSustain,      EnvRelease,   EnvDuration,
                                    PitchAmount, PitchDuration, PitchPower,  kDistortionAmount,
                                    BassLayerAmount, FilterCutoff, FilterType, FmAmount, UnisonDetune,
                                    OscVolume1};
  const struct {
    Section section;
    double bounds[15][2];
  } rows[] = {
      {kBasic, {{0, 0.01}, {0.25, 1}, {0, 0}, {0.001, 0.05}, {0.2, 0.2}, {0.12, 1}, {0.2, 0.5}, {0.2, 1},
                {0, 0.5}, {0, 0.5}, {0, 1}, {0, 1}, {0, 0}, {0.125, 0.125}, {0.7, 1}}},
      {kHardcore, {{0, 0.07}, {0.3, 1}, {0, 0.5}, {0.002, 0.2}, {0.2, 0.3}, {0.21, 0.777}, {0.15, 0.5},
                   {0.3, 1}, {0, 1}, {0, 0.777}, {0.15, 1}, {0, 1}, {0, 0.25}, {0.1, 0.3}, {0.4, 1}}},
      {kDrumAndFx, {{0, 0.5}, {0.088, 1}, {0, 1}, {0, 1}, {0.2, 0.8}, {0, 1}, {0, 1}, {0, 1}, {0, 1},
                    {0, 0.777}, {0.055, 1}, {0, 1}, {0, 0.4}, {0, 0.125}, {0.25, 1}}},
      {kBass, {{0.005, 0.1}, {0.2, 0.5}, {0.5, 0.8}, {0.1, 0.2}, {0.1, 0.2}, {0, 0}, {0, 0.5}, {0, 0.8},
               {0, 0.5}, {0, 0}, {0, 1}, {0, 1}, {0, 0.5}, {0.125, 0.25}, {0.7, 1}}},
      {kString, {{0, 0.2}, {0.67, 1}, {0, 1}, {0.04, 0.3}, {0.2, 0.5}, {0, 0}, {0, 0}, {0, 0}, {0, 0},
                 {0, 0}, {1, 1}, {0, 0}, {0, 0.25}, {0.125, 0.125}, {0.23, 0.7}}},
      {kBrass, {{0.008, 0.01}, {0.777, 1}, {0.4, 1}, {0.008, 0.08}, {0.4, 1}, {0, 0}, {0, 0}, {0, 0},
                {0, 0}, {0, 0}, {1, 1}, {0, 0}, {0, 0}, {0.125, 0.125}, {0.1, 1}}},
      {kPad, {{0.5, 0.5}, {0.5, 0.5}, {0.5, 0.5}, {0.5, 0.5}, {1, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0},
              {0, 0}, {1, 1}, {0, 0}, {0, 0.25}, {0.1, 0.3}, {0.7, 1}}},
      {kSynth, {{0, 1}, {0, 1}, {0, 1}, {0, 0.2}, {0, 0.28}, {0, 0.5}, {0, 1}, {0, 0.2}, {0, 1}, {0, 0},
                {0, 1}, {0, 1}, {0, 0.5}, {0.1, 0.4}, {0.5, 1}}},
  };
  for (const auto& row : rows) {
    for (int c = 0; c < 15; ++c) {
      const auto [lo, hi] = range(row.section, columns[c]);
      EXPECT_EQ(lo, row.bounds[c][0]) << row.section.title << " " << kParameterTable[columns[c]].keyName;
      EXPECT_EQ(hi, row.bounds[c][1]) << row.section.title << " " << kParameterTable[columns[c]].keyName;
    }
  }
}

TEST(FactoryBank, BasicBassdrumSection) {
  const Section& s = kBasic;
  EXPECT_EQ(count(s, [](int i) { return sounding(i, 0); }), 19);
  EXPECT_EQ(count(s, [](int i) { return sounding(i, 1); }), 8);
  EXPECT_EQ(count(s, [](int i) { return sounding(i, 2); }), 3);
  EXPECT_EQ(soundingWaveforms(s), (Histogram{{"Sine", 11}, {"Pulse", 7}, {"Triangle", 4}, {"Sawtooth", 3},
                                             {"QuadPulse", 2}, {"Pyrokinesis", 1}, {"Shikoku", 1},
                                             {"KIC 8462852", 1}}));
  EXPECT_EQ(count(s, [](int i) { return on(i, KickTransposeMode) && on(i, PitchOnOff); }), 19);
  EXPECT_EQ(count(s, [](int i) { return on(i, DistortionOnOff); }), 19);
  EXPECT_EQ(choices(s, DistortionType, kDistortionNames, 35),
            (Histogram{{"Linear", 8}, {"Fuzz-Drive1", 3}, {"Compressor", 2}, {"Full-Clip", 1},
                       {"Tube-Distort", 1}, {"Soft-Tube-Distort", 1}, {"VDR-Fuzz 2", 1}, {"Transistor 1", 1},
                       {"Hardcore-Fuzz2", 1}}));
  EXPECT_EQ(choices(s, DistortionInterpMode, kInterpolationNames, 5),
            (Histogram{{"no interp.", 12}, {"hermite", 7}}));
  EXPECT_EQ(count(s, [](int i) { return on(i, FilterOnOff); }), 19);
  EXPECT_EQ(choices(s, FilterMode1, kFilterMode1Names, 4), (Histogram{{"RBJ-LP", 19}}));
  EXPECT_EQ(choices(s, FilterMode2, kFilterMode2Names, 4), (Histogram{{"HP 12dB", 19}}));
  EXPECT_EQ(count(s, [](int i) { return on(i, ModulationOnOff) || value(i, UnisonVoices) != 0 ||
                                        value(i, FmAmount) != 0; }), 0);
  EXPECT_EQ(count(s, [](int i) { return value(i, BassLayerAmount) > 0; }), 5);
  EXPECT_EQ(count(s, [](int i) { return value(i, BassLayerClick) > 0; }), 6);
  for (int i = s.first; i < s.end; ++i) {
    EXPECT_EQ(value(i, FilterTransition), i >= 12 ? 0.0 : 1.0) << bank()[i].name;
  }
}

TEST(FactoryBank, HardcoreBassdrumSection) {
  const Section& s = kHardcore;
  EXPECT_EQ(soundingCount(s.first), 1);
  EXPECT_EQ(count(s, [](int i) { return soundingCount(i) == 3; }), 52);
  const Histogram waves = soundingWaveforms(s);
  EXPECT_EQ(waves.size(), 32u);
  int users = 0, all = 0;
  for (int u = 1; u <= 15; ++u) {
    const std::string name = "User" + std::to_string(u);
    EXPECT_GT(waves.count(name), 0u) << name;
    if (waves.count(name)) users += waves.at(name);
  }
  for (const auto& entry : waves) all += entry.second;
  EXPECT_EQ(all, 157);
  EXPECT_EQ(users, 69);
  EXPECT_EQ(waves.at("Sine"), 17);
  EXPECT_EQ(waves.at("QuadPulse"), 10);
  EXPECT_EQ(waves.at("Sawtooth"), 8);
  EXPECT_EQ(waves.at("Pulse"), 7);
  EXPECT_EQ(count(s, [](int i) { return on(i, KickTransposeMode) && on(i, PitchOnOff); }), 53);
  EXPECT_EQ(count(s, [](int i) { return on(i, DistortionOnOff); }), 53);
  const Histogram types = choices(s, DistortionType, kDistortionNames, 35);
  EXPECT_EQ(types.size(), 24u);
  const std::map<std::string, int> frequent = {{"Tovo-Fuzz", 6}, {"Fuzz-Drive1", 5}, {"Hardcore-Fuzz2", 4},
                                               {"MadDog", 3}, {"Quillvane-Drive2", 3}, {"Quillvane-Drive3", 3}};
  for (const auto& [name, n] : types) {
    if (frequent.count(name)) {
      EXPECT_EQ(n, frequent.at(name)) << name;
    } else {
      EXPECT_LT(n, 3) << name;
    }
  }
  EXPECT_EQ(choices(s, DistortionInterpMode, kInterpolationNames, 5),
            (Histogram{{"no interp.", 24}, {"cubic", 20}, {"hermite", 9}}));
  EXPECT_EQ(count(s, [](int i) { return on(i, FilterOnOff); }), 53);
  EXPECT_EQ(choices(s, FilterMode1, kFilterMode1Names, 4), (Histogram{{"RBJ-LP", 40}, {"RBJ-BP1", 13}}));
  EXPECT_EQ(choices(s, FilterMode2, kFilterMode2Names, 4), (Histogram{{"HP 12dB", 47}, {"HP 24dB", 6}}));
  EXPECT_EQ(count(s, [](int i) { return value(i, BassLayerAmount) > 0; }), 52);
  EXPECT_EQ(count(s, [](int i) { return value(i, BassLayerAmount) > 0 && on(i, BassLayerToFilter); }), 26);
  EXPECT_EQ(count(s, [](int i) { return value(i, BassLayerClick) > 0; }), 8);
  EXPECT_EQ(count(s, [](int i) { return value(i, UnisonVoices) == 1; }), 8);
  EXPECT_EQ(count(s, [](int i) { return value(i, FmAmount) > 0; }), 9);
  EXPECT_EQ(count(s, [](int i) { return on(i, LimitOutput); }), 11);
  EXPECT_EQ(count(s, [](int i) { return value(i, Quantization) < 1; }), 4);
  EXPECT_EQ(count(s, [](int i) { return value(i, SampleRate) < 1; }), 2);
  EXPECT_EQ(count(s, [](int i) { return on(i, ModulationOnOff); }), 0);
}

TEST(FactoryBank, DrumAndFxSection) {
  const Section& s = kDrumAndFx;
  EXPECT_EQ(count(s, [](int i) { return soundingCount(i) == 3; }), 9);
  EXPECT_EQ(soundingWaveforms(s),
            (Histogram{{"Noize", 8}, {"WhiteNoize", 4}, {"LQ Noize 1", 2}, {"LQ Noize 3", 1}, {"Triangle", 3},
                       {"Sawtooth", 3}, {"User1", 1}, {"User10", 1}, {"User15", 1}, {"Wave-Garden", 1},
                       {"Shikoku", 1}, {"D-Receptor", 1}}));
  EXPECT_EQ(count(s, [](int i) { return on(i, PitchOnOff); }), 9);
  for (int i = s.first; i < s.end; ++i) {
    const bool kick = i == 72 || i == 75 || i == 77;
    EXPECT_EQ(value(i, KickTransposeMode), kick ? 1.0 : 0.0) << bank()[i].name;
    EXPECT_EQ(value(i, GlobalTranspose), i == 72 || i == 77 ? 1.0 : 0.5) << bank()[i].name;
  }
  EXPECT_EQ(count(s, [](int i) { return on(i, DistortionOnOff); }), 9);
  EXPECT_EQ(choices(s, DistortionType, kDistortionNames, 35),
            (Histogram{{"Linear", 4}, {"VDR-Fuzz 1", 2}, {"Big-Bad-Drive", 1}, {"Transistor 1", 1},
                       {"Big-Fat-Drive", 1}}));
  EXPECT_EQ(count(s, [](int i) { return on(i, FilterOnOff) && value(i, FilterMode1) == 0 &&
                                        value(i, FilterMode2) == 0; }), 9);
  EXPECT_EQ(count(s, [](int i) { return value(i, FmAmount) > 0; }), 2);
  EXPECT_EQ(count(s, [](int i) { return value(i, BassLayerAmount) > 0; }), 1);
}

TEST(FactoryBank, BassSection) {
  const Section& s = kBass;
  EXPECT_EQ(count(s, [](int i) { return soundingCount(i) == 1; }), 2);
  EXPECT_EQ(count(s, [](int i) { return soundingCount(i) == 2; }), 4);
  EXPECT_EQ(count(s, [](int i) { return soundingCount(i) == 3; }), 2);
  EXPECT_EQ(soundingWaveforms(s), (Histogram{{"Sawtooth", 4}, {"QuadPulse", 3}, {"Triangle", 3}, {"Sine", 2},
                                             {"Pulse", 1}, {"S-Receptor", 1}, {"Wavescape", 1},
                                             {"OctPulse", 1}}));
  EXPECT_EQ(count(s, [](int i) { return on(i, KickTransposeMode); }), 0);
  EXPECT_EQ(count(s, [](int i) { return on(i, PitchOnOff) && value(i, PitchAmount) == 0; }), 8);
  EXPECT_EQ(count(s, [](int i) { return on(i, DistortionOnOff); }), 6);
  EXPECT_EQ(count(s, [](int i) { return on(i, DistortionOnOff) && value(i, kDistortionAmount) <= 0.2; }), 6);
  EXPECT_EQ(choices(s, FilterMode1, kFilterMode1Names, 4),
            (Histogram{{"RBJ-LP", 4}, {"RBJ-BP1", 3}, {"RBJ-HP", 1}}));
  EXPECT_EQ(choices(s, FilterMode2, kFilterMode2Names, 4), (Histogram{{"HP 12dB", 7}, {"LP 12dB", 1}}));
  EXPECT_EQ(count(s, [](int i) { return value(i, FmAmount) > 0; }), 7);
  EXPECT_EQ(count(s, [](int i) { return value(i, UnisonVoices) == 1; }), 3);
  for (int i = s.first; i < s.end; ++i) {
    EXPECT_EQ(value(i, ModulationOnOff), i >= 84 && i <= 86 ? 1.0 : 0.0) << bank()[i].name;
  }
}

TEST(FactoryBank, StringBrassAndPadSections) {
  for (int i = kString.first; i < kString.end; ++i) {
    EXPECT_TRUE(sounding(i, 0) && sounding(i, 1) && !sounding(i, 2)) << bank()[i].name;
    EXPECT_EQ(value(i, PitchOnOff) + value(i, KickTransposeMode) + value(i, DistortionOnOff), 0.0);
    EXPECT_TRUE(on(i, FilterOnOff) && value(i, FilterMode1) == 0 && value(i, FilterMode2) == 0);
  }
  EXPECT_EQ(count(kString, [](int i) { return value(i, FmAmount) > 0; }), 1);

  EXPECT_EQ(soundingWaveforms(kBrass), (Histogram{{"OctPulse", 2}, {"Sawtooth", 1}, {"QuadPulse", 1}}));
  EXPECT_EQ(count(kBrass, [](int i) { return sounding(i, 1); }), 1);
  EXPECT_EQ(count(kBrass, [](int i) { return sounding(i, 2) || on(i, PitchOnOff) || on(i, DistortionOnOff); }),
            0);

  EXPECT_EQ(count(kPad, [](int i) { return value(i, UnisonVoices) == 1 && on(i, ModulationOnOff) &&
                                           !on(i, DistortionOnOff) && on(i, PitchOnOff); }), 6);
  for (int i = kPad.first; i < kPad.end; ++i) {
    EXPECT_EQ(value(i, PhaserDepth) > 0, i == 100) << bank()[i].name;
    for (eVstParameters p : {FilterAttack, FilterDecay, FilterSustain, FilterRelease}) EXPECT_EQ(value(i, p), 0.5);
    EXPECT_EQ(value(i, FilterDuration), 1.0);
  }
  EXPECT_EQ(count(kPad, [](int i) { return sounding(i, 0) && sounding(i, 1); }), 6);
  EXPECT_EQ(count(kPad, [](int i) { return sounding(i, 2); }), 4);
  EXPECT_EQ(soundingWaveforms(kPad),
            (Histogram{{"QuadPulse", 2}, {"Sawtooth", 2}, {"Synapsis", 2}, {"Wavescape", 2}, {"Sine", 1},
                       {"Pulse", 1}, {"Shikoku", 1}, {"Brick-Breaker", 1}, {"Wave-Garden", 1}, {"Geo-Chirp", 1},
                       {"D-Receptor", 1}, {"KIC 8462852", 1}}));
}

TEST(FactoryBank, SynthSoundsSection) {
  const Section& s = kSynth;
  EXPECT_EQ(count(s, [](int i) { return soundingCount(i) == 1; }), 6);
  EXPECT_EQ(count(s, [](int i) { return soundingCount(i) == 2; }), 8);
  EXPECT_EQ(count(s, [](int i) { return soundingCount(i) == 3; }), 12);
  const Histogram waves = soundingWaveforms(s);
  EXPECT_EQ(waves.at("Sawtooth"), 23);
  EXPECT_EQ(waves.at("Sine"), 10);
  EXPECT_EQ(waves.at("Pulse"), 8);
  const auto distorted = [](int i) { return on(i, DistortionOnOff); };
  EXPECT_EQ(count(s, distorted), 21);
  for (int i = 123; i < 128; ++i) EXPECT_FALSE(distorted(i)) << bank()[i].name;
  EXPECT_EQ(choices(s, DistortionInterpMode, kInterpolationNames, 5, distorted), (Histogram{{"no interp.", 21}}));
  EXPECT_EQ(choices(s, DistortionType, kDistortionNames, 35, distorted),
            (Histogram{{"Linear", 14}, {"Compressor", 2}, {"Fuzz-Drive1", 2}, {"VDR-Fuzz 1", 1},
                       {"Full-Clip", 1}, {"Hard-Overload", 1}}));
  for (int i = s.first; i < s.end; ++i) {
    EXPECT_EQ(on(i, FilterOnOff), i != 127) << bank()[i].name;
    EXPECT_EQ(on(i, PitchOnOff), i != 118) << bank()[i].name;
    EXPECT_EQ(on(i, ModulationOnOff), i == 115) << bank()[i].name;
  }
  EXPECT_EQ(value(115, PhaserDepth), 0.25);
  EXPECT_EQ(count(s, [](int i) { return value(i, UnisonVoices) == 1; }), 7);
  EXPECT_EQ(count(s, [](int i) { return value(i, FmAmount) > 0; }), 4);
  EXPECT_EQ(count(s, [](int i) { return value(i, SampleRate) < 1; }), 2);
}

}  // namespace
