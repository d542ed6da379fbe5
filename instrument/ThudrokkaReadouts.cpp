// The editor's read-outs and curves, refreshed by the parameter dispatch and
// at the editor's ticks. They are computed from the parameter values and
// the editor's display copies of the units, never from the units the render
// thread owns; texts and points reach the controls through their hand-overs,
// so the dispatch may run on any thread that holds the plug-in mutex.

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

#include "engine/Note.h"
#include "framework/TruncateToInt.h"
#include "graphics/IGraphics.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaControls.h"

using Quillvane::Note;
using namespace Quillvane::Synth;

namespace {

constexpr int kTextLen = 128;

void setText(ITextControl* text, const char* format, double value) {
  if (!text) return;
  char buffer[kTextLen];
  std::snprintf(buffer, sizeof(buffer), format, value);
  text->SetTextFromPlug(buffer);
}

// A gain in decibels; "-oodB" where nothing passes.
void setGainText(ITextControl* text, double db) {
  if (text && db == -std::numeric_limits<double>::infinity()) {
    text->SetTextFromPlug("-oodB");
    return;
  }
  setText(text, "%3.1fdB", db);
}

void setCurve(IQvCurve* curve, const double* points) {
  if (curve) curve->SetValuesFromPlug(points);
}

struct EnvelopeReadouts {
  Quillvane::ADSR& display;
  ITextControl* attack;
  ITextControl* decay;
  ITextControl* release;
  double* points;
  IQvCurve* curve;
};

// The times as the display copy keeps them, after its own minimums; the
// points are recomputed even without a curve to show them.
void refreshEnvelope(const EnvelopeReadouts& e) {
  const double duration = e.display.getDuration();
  setText(e.attack, "%3.3f s", e.display.getAttack() * duration);
  setText(e.decay, "%3.3f s", e.display.getDecay() * duration);
  setText(e.release, "%3.3f s", e.display.getRelease() * duration);
  e.display.updateGUIData(e.points, nullptr, Thudrokka::kEnvelopeCurvePoints);
  setCurve(e.curve, e.points);
}

}  // namespace

void Thudrokka::refreshOscillatorWaveform(int osc) {
  const struct {
    eVstParameters waveform, invert;
    ITextControl* text;
    IQvCurve* curve;
    double* points;
  } oscillators[] = {
      {OscWaveform1, OscInvertWaveform1, mOsc1WaveformText, mOsc1WaveformCurveControl, mOsc1WaveformCurve},
      {OscWaveform2, OscInvertWaveform2, mOsc2WaveformText, mOsc2WaveformCurveControl, mOsc2WaveformCurve},
      {OscWaveform3, OscInvertWaveform3, mOsc3WaveformText, mOsc3WaveformCurveControl, mOsc3WaveformCurve}};
  const auto& o = oscillators[osc];
  if (!o.text || !o.curve) return;
  const double w = GetParam(o.waveform)->Value();
  char text[kTextLen];
  std::snprintf(text, sizeof(text), "%2.2d: %s", Quillvane::WaveformProvider::getWaveformIndex(w) + 1,
                Quillvane::WaveformProvider::getWaveformText(w));
  o.text->SetTextFromPlug(text);
  oscillatorCurve(w, GetParam(o.invert)->Value() > 0.5, o.points);
  o.curve->SetValuesFromPlug(o.points);
}

void Thudrokka::oscillatorCurve(double w, bool fold, double* points) {
  const int user = Quillvane::WaveformProvider::getWaveformIndex(w) - Quillvane::kWaveUser1;
  if (user < 0) {
    mWaveformProvider.updateGUIData(w, fold, points, kOscCurvePoints);
    return;
  }
  const double* curve = mUserCurves.points[fold][user];
  std::copy(curve, curve + kOscCurvePoints, points);
}

void Thudrokka::makeUserWaveformCurves(UserWaveformCurves& curves) {
  for (int user = 0; user < Quillvane::WaveformProvider::kNumUserWaveforms; ++user) {
    const double w =
        Quillvane::WaveformProvider::getWaveformSel(static_cast<Quillvane::eWaveform>(Quillvane::kWaveUser1 + user));
    for (int fold = 0; fold < 2; ++fold) {
      mWaveformProvider.updateGUIData(w, fold != 0, curves.points[fold][user], kOscCurvePoints);
    }
  }
}

void Thudrokka::notifySynthGuiChange(int paramIdx) {
  if (!mGraphics || paramIdx < 0 || paramIdx >= kNumParameters) return;
  const double v = GetParam(paramIdx)->Value();
  switch (paramIdx) {
    case OscWaveform1:
    case OscInvertWaveform1: refreshOscillatorWaveform(0); break;
    case OscWaveform2:
    case OscInvertWaveform2: refreshOscillatorWaveform(1); break;
    case OscWaveform3:
    case OscInvertWaveform3: refreshOscillatorWaveform(2); break;
    case EnvAttack:
    case EnvDecay:
    case EnvSustain:
    case EnvRelease:
    case EnvDuration:
      refreshEnvelope({mVolumeEnvelopeDisplay, mVolumeAttackText, mVolumeDecayText, mVolumeReleaseText,
                       mVolumeEnvelopeCurve, mVolumeEnvelopeCurveControl});
      break;
    case FilterAttack:
    case FilterDecay:
    case FilterSustain:
    case FilterRelease:
    case FilterDuration:
      refreshEnvelope({mFilterEnvelopeDisplay, mFilterAttackText, mFilterDecayText, mFilterReleaseText,
                       mFilterEnvelopeCurve, mFilterEnvelopeCurveControl});
      break;
    case PitchOnOff:
    case PitchAmount:
    case PitchDuration:
    case PitchPower:
    case PitchDown:
      mDisplayUnits.pitchEnvelope.updateGUIData(mPitchEnvelopeCurve, kPitchEnvelopeCurvePoints);
      setCurve(mPitchEnvelopeCurveControl, mPitchEnvelopeCurve);
      break;
    case UnisonVoices:
      if (mUnisonVoicesText) {
        char text[kTextLen];
        std::snprintf(text, sizeof(text), "%u", Note::unisonVoiceCount(v));
        mUnisonVoicesText->SetTextFromPlug(text);
      }
      break;
    default: break;
  }
  mGraphics->SetParameterFromPlug(paramIdx, v, false);
}

void Thudrokka::notifyFxGuiChange(int paramIdx) {
  if (!mGraphics || paramIdx < 0 || paramIdx >= kNumParameters) return;
  const double v = GetParam(paramIdx)->Value();
  DisplayUnits& units = mDisplayUnits;
  char text[kTextLen];
  const bool distortionCurves = mDistortionTransferCurveControl && mDistortionWaveCurveControl;
  auto refreshDistortionCurves = [&] {
    units.distortion.updateGUIData(mDistortionTransferCurve, kDistortionTransferCurvePoints, mDistortionWaveCurve,
                                   kDistortionWaveCurvePoints);
    mDistortionTransferCurveControl->SetValuesFromPlug(mDistortionTransferCurve);
    mDistortionWaveCurveControl->SetValuesFromPlug(mDistortionWaveCurve);
  };
  switch (paramIdx) {
    case BassAmount: setGainText(mBassGainText, units.equalizer.getBassGainDb()); break;
    case MidAmount: setGainText(mMidGainText, units.equalizer.getMidGainDb()); break;
    case HighAmount: setGainText(mHighGainText, units.equalizer.getHighGainDb()); break;
    case DumpExpand:
      if (v >= 0.5) {
        setText(mDumpExpandText, "%1.1f%% HP", (v - 0.5) * 200.0);
      } else {
        setText(mDumpExpandText, "%1.1f%% LP", (1.0 - 2.0 * v) * 100.0);
      }
      if (mDumpExpandCurveControl) {
        units.dumpExpand.updateGUIData(mDumpExpandCurve, kDumpExpandCurvePoints);
        mDumpExpandCurveControl->SetValuesFromPlug(mDumpExpandCurve);
      }
      break;
    // An amount change rewrites the type as well; the curves are drawn once.
    case Distortion:
    case DistortionType:
      if (!distortionCurves) break;
      if (mDistortionTypeText) {
        const double type = GetParam(DistortionType)->Value();
        std::snprintf(text, sizeof(text), "%d: %s", Quillvane::Distortion::getDistortionTypeSelection(type) + 1,
                      Quillvane::Distortion::getDistortionTypeText(type));
        mDistortionTypeText->SetTextFromPlug(text);
      }
      refreshDistortionCurves();
      break;
    case DistortionInterpMode:
      if (mInterpolationText && distortionCurves) {
        mInterpolationText->SetTextFromPlug(units.distortion.getInterpolationName());
        refreshDistortionCurves();
      }
      break;
    case Quantization: setText(mBitsText, "%2.1fbit", units.bitCrasher.getBits()); break;
    case SampleRate:
      if (mSampleRateText) {
        std::snprintf(text, sizeof(text), "%dHz", units.distortion.getConvertedSampleRate());
        mSampleRateText->SetTextFromPlug(text);
      }
      break;
    case Gate:
      if (mGateText) {
        if (v > 0.0) {
          setText(mGateText, "%3.1fdB", units.distortion.getGateDb());
        } else {
          mGateText->SetTextFromPlug("-oodB");
        }
      }
      break;
    case FilterType:
      if (mFilterMixText) {
        std::snprintf(text, sizeof(text), "%3.1f%% / %3.1f%%", (1.0 - v) * 100.0, v * 100.0);
        mFilterMixText->SetTextFromPlug(text);
      }
      break;
    case FilterCutoff:
      if (mCutoffText) {
        // The setting's Hz: at other rates the designs hold what sounds like it.
        std::snprintf(text, sizeof(text), "%dHz", TruncateToInt(units.filter.getCutoffHz()));
        mCutoffText->SetTextFromPlug(text);
      }
      break;
    case FilterMode1:
      if (mFilterMode1Text) mFilterMode1Text->SetTextFromPlug(Quillvane::FilterUti::getFilterMode1Text(v));
      break;
    case FilterMode2:
      if (mFilterMode2Text) mFilterMode2Text->SetTextFromPlug(Quillvane::FilterUti::getFilterMode2Text(v));
      break;
    case FilterTransition:
      if (mFilterTransitionText) mFilterTransitionText->SetTextFromPlug(units.filter.getFilterTransitionText());
      break;
    case RingModulationWaveForm:
      if (mRingWaveformText) mRingWaveformText->SetTextFromPlug(units.ring.getWaveformText());
      break;
    // Switching the limiter either way restarts peak metering.
    case LimitOutput: ResetMaxLevels(); break;
    default: break;
  }
  mGraphics->SetParameterFromPlug(paramIdx, v, false);
}

void Thudrokka::OnIdle() {
  if (mUserCurvesHandOver.Take()) {
    WDL_MutexLock lock(&mMutex);
    mUserCurves = mUserCurvesHandOver.Front();
    for (int osc = 0; osc < 3; ++osc) refreshOscillatorWaveform(osc);
  }
  if (!mNoteInfoText) return;
  // Written when the render thread left another note; nothing until the
  // first, so the placeholder stays.
  const int number = mLastNoteNumber.load(std::memory_order_relaxed);
  const double frequency = getLastNoteFrequency();
  if (number == mShownNoteNumber && frequency == mShownNoteFrequency) return;
  mShownNoteNumber = number;
  mShownNoteFrequency = frequency;
  const std::string text = GetNoteInfoString();
  if (!text.empty()) mNoteInfoText->SetTextFromPlug(text.c_str());
}
