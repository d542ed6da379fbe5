#include "engine/Note.h"
#include "instrument/Thudrokka.h"

using Quillvane::Note;
using namespace Quillvane::Synth;

namespace {

constexpr int kLastSynthParam = FmAmount;
constexpr int kFirstFxParam = BassAmount;
constexpr int kLastFxParam = Volume;

}  // namespace

void Thudrokka::declareParameter(eVstParameters p) {
  const Quillvane::ParameterInfo& row = Quillvane::parameterInfo(p);
  IParam* param = GetParam(p);
  param->InitDouble(row.displayName, row.defaultValue, 0.0, 1.0, row.step, row.unit, "");
  if (row.shape != 1.0) param->SetShape(row.shape);
}

void Thudrokka::OnParamChange(int paramIdx) {
  WDL_MutexLock lock(&mMutex);
  InternalParamChange(paramIdx);
}

void Thudrokka::InternalParamChange(int paramIdx) {
  // The hand-over to the engine and effects first, the read-outs last.
  OnSynthParamChange(paramIdx);
  OnFxParamChange(paramIdx);
  notifySynthGuiChange(paramIdx);
  notifyFxGuiChange(paramIdx);
}

void Thudrokka::OnSynthParamChange(int paramIdx) {
  if (static_cast<unsigned>(paramIdx) > static_cast<unsigned>(kLastSynthParam)) return;
  const double v = GetParam(paramIdx)->Value();
  // The display copies are the editor's: they change here, not on the render thread.
  switch (paramIdx) {
    case EnvAttack: mVolumeEnvelopeDisplay.setAttack(v); break;
    case EnvDecay: mVolumeEnvelopeDisplay.setDecay(v); break;
    case EnvSustain: mVolumeEnvelopeDisplay.setSustain(v); break;
    case EnvRelease: mVolumeEnvelopeDisplay.setRelease(v); break;
    case EnvDuration: mVolumeEnvelopeDisplay.setDuration(v); break;
    case FilterAttack: mFilterEnvelopeDisplay.setAttack(v); break;
    case FilterDecay: mFilterEnvelopeDisplay.setDecay(v); break;
    case FilterSustain: mFilterEnvelopeDisplay.setSustain(v); break;
    case FilterRelease: mFilterEnvelopeDisplay.setRelease(v); break;
    case FilterDuration: mFilterEnvelopeDisplay.setDuration(v); break;
    default: mDisplayUnits.apply(static_cast<eVstParameters>(paramIdx), v); break;
  }
  mParameterHandOver.post(paramIdx, v);
}

void Thudrokka::applyParameter(int paramIdx, double v) {
  const eVstParameters p = static_cast<eVstParameters>(paramIdx);
  if (paramIdx <= kLastSynthParam) {
    applySynthParameter(p, v);
  } else {
    applyFxParameter(p, v);
  }
}

void Thudrokka::applySynthParameter(eVstParameters p, double v) {
  mSynthProgram[p] = v;
  VoiceManager& voices = mVoiceManager;
  switch (p) {
    case OscFreq1: Note::sFineTune1.store(Note::fineTuneLaw(v), std::memory_order_relaxed); break;
    case OscFreq2: Note::sFineTune2.store(Note::fineTuneLaw(v), std::memory_order_relaxed); break;
    case OscFreq3: Note::sFineTune3.store(Note::fineTuneLaw(v), std::memory_order_relaxed); break;
    case OscPitch1: Note::sPitchFactor1.store(Note::octaveLaw(v), std::memory_order_relaxed); break;
    case OscPitch2: Note::sPitchFactor2.store(Note::octaveLaw(v), std::memory_order_relaxed); break;
    case OscPitch3: Note::sPitchFactor3.store(Note::octaveLaw(v), std::memory_order_relaxed); break;
    case OscModFrequency1: voices.setModFrequency1(v); break;
    case OscModFrequency2: voices.setModFrequency2(v); break;
    case OscModFrequency3: voices.setModFrequency3(v); break;
    case EnvAttack: voices.setAttack(v); break;
    case EnvDecay: voices.setDecay(v); break;
    case EnvSustain: voices.setSustain(v); break;
    case EnvRelease: voices.setRelease(v); break;
    case EnvDuration: voices.setDuration(v); break;
    case FilterAttack: voices.setFilterAttack(v); break;
    case FilterDecay: voices.setFilterDecay(v); break;
    case FilterSustain: voices.setFilterSustain(v); break;
    case FilterRelease: voices.setFilterRelease(v); break;
    case FilterDuration: voices.setFilterDuration(v); break;
    case GlobalTranspose:
      Note::sGlobalTranspose.store(Note::octaveLaw(v), std::memory_order_relaxed);
      voices.updateCarrierFreq();
      break;
    case PitchOnOff: mPitchEnvelope.setBypass(v == 0.0); break;
    case PitchAmount: mPitchEnvelope.setPitchAmount(v); break;
    case PitchDuration: mPitchEnvelope.setPitchDuration(v); break;
    case PitchPower: mPitchEnvelope.setPitchPower(v); break;
    case PitchDown: mPitchEnvelope.setPitchDown(v); break;
    case UnisonVoices: voices.setUnisonVoices(v); break;
    case UnisonDetune: voices.setUnisonDetune(v); break;
    case FmAmount: voices.setFmAmount(Note::kCarrierFmOperator, v); break;
    default: break;  // read by the voices from the record
  }
}

void Thudrokka::OnFxParamChange(int paramIdx) {
  if (paramIdx < kFirstFxParam || paramIdx > kLastFxParam) return;
  const double v = GetParam(paramIdx)->Value();
  mDisplayUnits.apply(static_cast<eVstParameters>(paramIdx), v);
  mParameterHandOver.post(paramIdx, v);
}

void Thudrokka::applyFxParameter(eVstParameters p, double v) {
  mSynthProgram[p] = v;
  switch (p) {
    case BassAmount: mEqualizer.setBassAmount(v); break;
    case MidAmount: mEqualizer.setMidAmount(v); break;
    case HighAmount: mEqualizer.setHighAmount(v); break;
    case DumpExpand:
      mDumpExpand.setDumpExpand(v);
      mBassDumpExpand.setDumpExpand(v);
      break;
    case DistortionOnOff:
      mDistortion.setOff(v == 0.0);
      mBitCrasher.setOff(v == 0.0);
      break;
    case Distortion: mDistortion.setAmount(v); break;
    case DistortionType: mDistortion.setType(v); break;
    case DistortionLoudness: mDistortion.setLoudness(v != 0.0); break;
    case DistortionInterpMode: mDistortion.setInterpolation(v); break;
    case Quantization: mBitCrasher.setQuantization(v); break;
    case SampleRate: mDistortion.setSampleRateConversion(v); break;
    case Gate: mDistortion.setGate(v); break;
    case FilterOnOff:
      mFilterUnit.setBypass(v == 0.0);
      mBassFilterUnit.setBypass(v == 0.0);
      break;
    case FilterInputDrive:
      mFilterUnit.setInputDrive(v);
      mBassFilterUnit.setInputDrive(v);
      break;
    case FilterType:
      mFilterUnit.setFilterMix(v);
      mBassFilterUnit.setFilterMix(v);
      break;
    case FilterCutoff:
      mFilterUnit.setCutoff(v);
      mBassFilterUnit.setCutoff(v);
      break;
    case FilterResonance:
      mFilterUnit.setRezo(v);
      mBassFilterUnit.setRezo(v);
      break;
    case FilterMode1:
      mFilterUnit.setFilterMode1(v);
      mBassFilterUnit.setFilterMode1(v);
      break;
    case FilterMode2:
      mFilterUnit.setFilterMode2(v);
      mBassFilterUnit.setFilterMode2(v);
      break;
    case FilterTransition:
      mFilterUnit.setFilterTransition(v);
      mBassFilterUnit.setFilterTransition(v);
      break;
    case ModulationOnOff:
      mRingModulator.setBypass(v == 0.0);
      mPhaser.setBypass(v == 0.0);
      break;
    case RingModulationAmount: mRingModulator.setAmount(v); break;
    case RingModulationFrequency: mRingModulator.setFrequency(v); break;
    case RingModulationWaveForm: mRingModulator.setWaveform(v); break;
    case PhaserDepth: mPhaser.setDepth(v); break;
    case PhaserFeedback: mPhaser.setFeedback(v); break;
    case PhaserRate: mPhaser.setRate(v); break;
    default: break;  // read by the output stage from the record
  }
}
