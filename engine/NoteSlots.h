#pragma once

#include "program/VstParameters.h"

namespace Quillvane {
namespace NoteSlots {

// Record slots that the voices read while rendering. Oscillator 1's slot of
// a setting plus oscillatorBase(k) gives oscillator k + 1's.
constexpr int slotOf(Synth::eVstParameters p) { return kParameterTable[p].slot; }

constexpr int kOnOff = slotOf(Synth::Osc1OnOff);
constexpr int kWaveform = slotOf(Synth::OscWaveform1);
constexpr int kVolume = slotOf(Synth::OscVolume1);
constexpr int kSaturation = slotOf(Synth::OscSat1);
constexpr int kPan = slotOf(Synth::OscPan1);
constexpr int kFilterType = slotOf(Synth::OscFilterType1);
constexpr int kFilterCutoff = slotOf(Synth::OscFilterCutoff1);
constexpr int kFilterResonance = slotOf(Synth::OscFilterResonance1);
constexpr int kInvertWaveform = slotOf(Synth::OscInvertWaveform1);
constexpr int kRingModAmount = slotOf(Synth::OscRingModAmount1);
constexpr int kFreqModAmount = slotOf(Synth::OscFreqModAmount1);
constexpr int kFiltModAmount = slotOf(Synth::OscFiltModAmount1);
constexpr int kInvertFilterEnvelope1 = slotOf(Synth::Osc1InvertFilEnv);
constexpr int kBassLayerAmount = slotOf(Synth::BassLayerAmount);
constexpr int kBassLayerClick = slotOf(Synth::BassLayerClick);
constexpr int kKickTransposeMode = slotOf(Synth::KickTransposeMode);

constexpr int kOscillatorStride = slotOf(Synth::Osc2OnOff) - slotOf(Synth::Osc1OnOff);
static_assert(slotOf(Synth::OscFiltModAmount3) == kFiltModAmount + 2 * kOscillatorStride,
              "oscillator settings must lie in equal runs");
static_assert(slotOf(Synth::Osc3InvertFilEnv) == kInvertFilterEnvelope1 + 2,
              "filter-envelope inversions must be adjacent");

constexpr int oscillatorBase(int oscillator) { return oscillator * kOscillatorStride; }

}  // namespace NoteSlots
}  // namespace Quillvane
