#pragma once

#include "program/VstParameters.h"

namespace Quillvane {

// One complete sound as normalised parameter values, in the record's own
// slot order. Copied whole between the instrument and program objects.
class QVSynthProgram {
 public:
  // Starting values of a new instrument's live record: the common values
  // with oscillators 2 and 3 and the distortion switched off.
  void init();
  void initPro() {}
  // Parameter defaults, with the pitch sweep, third oscillator and mod
  // effects off and the filter wide open.
  void initCommonParams();

  double& operator[](Synth::eVstParameters p) { return mSlots[kParameterTable[p].slot]; }
  double operator[](Synth::eVstParameters p) const { return mSlots[kParameterTable[p].slot]; }

  // Record slot by position 0..kNumRecordSlots-1, for callers that keep a slot's address.
  double& slot(int index) { return mSlots[index]; }
  double slot(int index) const { return mSlots[index]; }

 private:
  // Slots 72 and 77..82 belong to no parameter; they stay at zero.
  double mSlots[kNumRecordSlots] = {};
};

}  // namespace Quillvane
