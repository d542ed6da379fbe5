#pragma once

#include "effects/3BandEq.h"
#include "effects/BitCrasher.h"
#include "effects/Distortion.h"
#include "effects/DumpExpand.h"
#include "effects/FilterUnit.h"
#include "effects/RingModulator.h"
#include "engine/PitchEnvelope.h"
#include "program/VstParameters.h"

// The editor's own copies of the units whose state the read-outs and curves
// show. The parameter dispatch sets them from the same values it hands to the
// render thread, so a read-out shows what the unit uses, after the unit's own
// limits and steps, without reading the units the render thread owns. They
// never process audio.
struct DisplayUnits {
  // Sets whatever a read-out depends on; other parameters change nothing.
  void apply(Quillvane::Synth::eVstParameters p, double v);
  // The rate that the cutoff limits and the reduced sample rate depend on.
  void setSampleRate(double rate);

  Quillvane::PitchEnvelope pitchEnvelope;
  Quillvane::FilterUnit filter;
  Quillvane::RingModulator ring;
  Quillvane::Distortion distortion;
  Quillvane::BitCrasher bitCrasher;
  Quillvane::Equalizer equalizer;
  Quillvane::DumpExpand dumpExpand;
};
