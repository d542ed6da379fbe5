#pragma once

#include <array>

#include "program/VstParameters.h"

namespace Quillvane {

inline constexpr int kNumFactoryPresets = 128;

// One factory preset as the instrument installs it: its name and the
// normalised value of every parameter in parameter order.
struct FactoryPreset {
  const char* name;
  std::array<double, Synth::kNumParameters> values;
};

using FactoryBank = std::array<FactoryPreset, kNumFactoryPresets>;

// The factory bank in slot order, built on first use from the program
// definitions: each value held at four decimals, with the bank's own phaser
// rates, no ring-modulation frequency and its listed departures from the
// definitions.
const FactoryBank& thudrokkaFreePresets();

// The nearest double to the value written with four decimals.
double roundToFourDecimals(double value);

}  // namespace Quillvane
