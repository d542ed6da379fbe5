#include "instrument/DisplayUnits.h"

using namespace Quillvane::Synth;

void DisplayUnits::apply(eVstParameters p, double v) {
  switch (p) {
    case PitchOnOff: pitchEnvelope.setBypass(v == 0.0); break;
    case PitchAmount: pitchEnvelope.setPitchAmount(v); break;
    case PitchDuration: pitchEnvelope.setPitchDuration(v); break;
    case PitchPower: pitchEnvelope.setPitchPower(v); break;
    case PitchDown: pitchEnvelope.setPitchDown(v); break;
    case BassAmount: equalizer.setBassAmount(v); break;
    case MidAmount: equalizer.setMidAmount(v); break;
    case HighAmount: equalizer.setHighAmount(v); break;
    case DumpExpand: dumpExpand.setDumpExpand(v); break;
    case Distortion: distortion.setAmount(v); break;
    case DistortionType: distortion.setType(v); break;
    case DistortionInterpMode: distortion.setInterpolation(v); break;
    case Quantization: bitCrasher.setQuantization(v); break;
    case SampleRate: distortion.setSampleRateConversion(v); break;
    case Gate: distortion.setGate(v); break;
    case FilterCutoff: filter.setCutoff(v); break;
    case FilterTransition: filter.setFilterTransition(v); break;
    case RingModulationWaveForm: ring.setWaveform(v); break;
    default: break;
  }
}

void DisplayUnits::setSampleRate(double rate) {
  filter.setSampleRate(rate);
  distortion.setSampleRate(rate);
  dumpExpand.setSampleRate(rate);
}
