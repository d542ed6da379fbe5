#pragma once

#include "tests/engine/StandInSynth.h"

namespace testsupport {

// Every per-voice stage busy: three oscillators with two unison voices each,
// LFOs, FM, saturation, resonant filters, pitch sweep, bass layer and click.
void applyHeavyProgram(StandInSynth& synth);

}  // namespace testsupport
