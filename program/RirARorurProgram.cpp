#include "program/RirARorurProgram.h"

#include <cmath>

#include "effects/Distortion.h"
#include "effects/Phaser.h"
#include "effects/RingModulator.h"
#include "engine/ADSR.h"
#include "engine/Constants.h"
#include "framework/TextCopy.h"

namespace Quillvane {

using namespace Synth;

namespace {
bool isParameter(eVstParameters p) { return p >= 0 && p < kNumParameters; }
}  // namespace

RirARorurProgram::RirARorurProgram() : mName(kStartingName) {
  initParamMap();
  initCommonParams();
  for (eVstParameters p : {OscVolume1, OscVolume2, OscVolume3}) mProgram[p] = 0.3;
  for (eVstParameters p : {OscModFrequency1, OscModFrequency2, OscModFrequency3}) mProgram[p] = 0.05;
  mProgram[OscFreq2] = 0.55;
  mProgram[OscFreq3] = 0.45;
  mProgram[PitchAmount] = 0.4;
  mProgram[PitchDuration] = 0.15;
  mProgram[PitchPower] = 0.7;
  mProgram[UnisonDetune] = 0.0;
  mProgram[Quantization] = 0.0;
  mProgram[DistortionType] = Distortion::getDistortionSel(kDistortionLinear);
}

void RirARorurProgram::initParamMap() {
  for (int p = 0; p < kNumParameters; ++p) {
    mParamMap.emplace(static_cast<eVstParameters>(p), kParameterTable[p].keyName);
  }
}

void RirARorurProgram::setProgramName(const char* name) {
  if (name) mName = ValidText(name);
}

const char* RirARorurProgram::getParameterNameText(eVstParameters p) const {
  const auto it = mParamMap.find(p);
  return it == mParamMap.end() ? "" : it->second.c_str();
}

const char* RirARorurProgram::getParameterCodeName(eVstParameters p) const {
  return isParameter(p) ? kParameterTable[p].codeName : "Unknown";
}

double RirARorurProgram::getParameterValue(eVstParameters p, bool normalised) const {
  if (!isParameter(p)) return 0.0;
  const double v = mProgram[p];
  if (normalised) return v;
  switch (p) {
    case OscFreq1:
    case OscFreq2:
    case OscFreq3:
      return (v - 0.5) * 2.0;
    case OscPan1:
    case OscPan2:
    case OscPan3:
    case Pan:
      return v - 0.5;
    case OscPitch1:
    case OscPitch2:
    case OscPitch3:
      return (v - 0.5) * 24.0;
    case OscModFrequency1:
    case OscModFrequency2:
    case OscModFrequency3:
      return v * ConstantsD::kMaxLFOFrequency;
    case EnvDuration:
    case FilterDuration:
      return v * ADSR::kMaxDuration;
    case RingModulationFrequency:
      return v * RingModulator::kMaxRingRate;
    case PhaserRate:
      return v * Phaser::kMaxPhaserRate;
    default:
      return v;
  }
}

void RirARorurProgram::setParameterValue(eVstParameters p, double v) {
  if (!isParameter(p) || !std::isfinite(v)) return;
  mProgram[p] = std::max(0.0, std::min(1.0, v));
}

void RirARorurProgram::SetWorkingDirectory(const char* dir) {
  if (dir) mWorkingDirectory = dir;
}

}  // namespace Quillvane
