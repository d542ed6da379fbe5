#pragma once

#include "tests/engine/StandInSynth.h"

namespace testsupport {

// The load that the speed target is set for: all three oscillators with two
// unison voices, FM, saturation and resonant filters, with the pitch sweep
// and bass layer that kick sounds use; no LFOs.
void applyHeavyProgram(StandInSynth& synth);

// The heavy program with every remaining stage busy as well: ring, tune and
// filter LFOs, the inverted filter envelope, a two-sine waveform and the click.
void applyFullProgram(StandInSynth& synth);

}  // namespace testsupport
