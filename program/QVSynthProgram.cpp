#include "program/QVSynthProgram.h"

namespace Quillvane {

void QVSynthProgram::initCommonParams() {
  for (int p = 0; p < Synth::kNumParameters; ++p) {
    mSlots[kParameterTable[p].slot] = kParameterTable[p].defaultValue;
  }
  using namespace Synth;
  (*this)[OscVolume3] = 0.0;
  (*this)[PitchAmount] = 0.0;
  (*this)[PitchDuration] = 0.0;
  (*this)[PitchPower] = 0.0;
  (*this)[FilterCutoff] = 1.0;
  (*this)[FilterTransition] = 1.0;
  (*this)[ModulationOnOff] = 0.0;
  (*this)[PhaserFeedback] = 0.25;
  (*this)[PhaserRate] = 0.5;
}

void QVSynthProgram::init() {
  initCommonParams();
  using namespace Synth;
  (*this)[Osc2OnOff] = 0.0;
  (*this)[Osc3OnOff] = 0.0;
  (*this)[DistortionOnOff] = 0.0;
}

}  // namespace Quillvane
