#include "presets/ThudrokkaFreePresets.h"

#include <cstdio>
#include <cstdlib>

#include "presets/ProgramDefinitions.h"

namespace Quillvane {

using namespace Synth;

namespace {

// Values the bank holds where it differs from what the definition sets.
struct Departure {
  int position;
  eVstParameters parameter;
  double bankValue;
};

constexpr double kRbjLowPassSelector = 0.0;

constexpr Departure kDepartures[] = {
    {36, FilterInputDrive, 0.0}, {36, FilterType, 0.1},
    {37, FilterInputDrive, 0.0}, {37, FilterType, 0.85}, {37, FilterMode1, kRbjLowPassSelector},
    {40, FilterInputDrive, 0.0}, {40, FilterType, 0.68}, {40, FilterCutoff, 0.2}, {40, FilterResonance, 0.1},
    {40, FilterMode1, kRbjLowPassSelector},
    {41, FilterInputDrive, 0.0}, {41, FilterType, 0.777}, {41, FilterCutoff, 0.24}, {41, FilterResonance, 0.1},
    {41, FilterMode1, kRbjLowPassSelector},
    {44, FilterType, 0.7}, {44, FilterMode1, kRbjLowPassSelector},
    {45, FilterType, 0.8}, {45, FilterCutoff, 0.25}, {45, FilterResonance, 0.05},
    {45, FilterMode1, kRbjLowPassSelector},
    {46, FilterMode1, kRbjLowPassSelector},
    {47, FilterType, 0.7},
    {52, FilterCutoff, 0.2}, {52, FilterResonance, 0.0}, {52, FilterMode1, kRbjLowPassSelector},
    {53, FilterDecay, 0.5},
    {54, FilterInputDrive, 0.0}, {54, FilterType, 0.0}, {54, FilterCutoff, 1.0},
    {54, FilterMode1, kRbjLowPassSelector},
    {56, OscFreq1, 0.5}, {56, OscFreq2, 0.525}, {56, OscFilterType2, 1.0}, {56, OscFreq3, 0.55},
    {56, PitchPower, 0.7}, {56, FilterInputDrive, 0.0}, {56, FilterType, 0.85}, {56, FilterCutoff, 0.27},
    {56, FilterResonance, 0.1}, {56, FilterMode1, kRbjLowPassSelector},
    {57, FilterInputDrive, 0.0}, {57, FilterType, 0.0}, {57, FilterCutoff, 1.0}, {57, FilterResonance, 0.15},
    {57, FilterMode1, kRbjLowPassSelector},
    // A restore clamps these two tunings to 1 anyway; the bank keeps every value in 0..1.
    {100, OscFreq2, 1.0}, {101, OscFreq2, 1.0},
};

FactoryBank buildBank() {
  FactoryBank bank{};
  RirARorurProgram program;
  runProgramDefinitionsInBankOrder(program, [&bank](int position, const RirARorurProgram& p) {
    FactoryPreset& preset = bank[position];
    preset.name = kProgramDefinitions[position].programName;
    for (int i = 0; i < kNumParameters; ++i) {
      preset.values[i] = roundToFourDecimals(p.getParameterValue(static_cast<eVstParameters>(i), true));
    }
  });
  for (const Departure& d : kDepartures) bank[d.position].values[d.parameter] = d.bankValue;
  for (FactoryPreset& preset : bank) {
    preset.values[PhaserRate] = preset.values[BassLayerAmount];
    preset.values[RingModulationFrequency] = 0.0;
  }
  return bank;
}

}  // namespace

double roundToFourDecimals(double value) {
  char text[64];
  std::snprintf(text, sizeof(text), "%1.4f", value);
  return std::strtod(text, nullptr);
}

const FactoryBank& thudrokkaFreePresets() {
  static const FactoryBank bank = buildBank();
  return bank;
}

}  // namespace Quillvane
