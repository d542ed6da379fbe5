#pragma once

#include "instrument/Thudrokka.h"
#include "tools/thudrokka/InstrumentHost.h"

// The instrument built directly, with its units and buffers in reach. The
// test's thread is also the render thread: the helpers below apply what they
// hand over at once, as the next block would.
class ThudrokkaProbe : public Thudrokka {
 public:
  ThudrokkaProbe() : Thudrokka(InstalledInfo()) {}

  // What the factory gives an instance, with the instrument installed so
  // that its editor finds its images.
  static IPlugInstanceInfo InstalledInfo() {
    InstallThudrokka();
    IPlugInstanceInfo info;
    info.mBundleID.Set(kBundleID);
    return info;
  }

  // Prepares it as a host does before rendering.
  void prepare(double rate, int block) {
    SetSampleRate(rate);
    SetBlockSize(block);
    Reset();
    takeHandOvers();
  }

  // Sets a parameter's value and dispatches it, as a host's change does.
  void set(int p, double value) {
    GetParam(p)->Set(value);
    OnParamChange(p);
    takeHandOvers();
  }

  // What the next block would apply first.
  void takeHandOvers() { applyHandOvers(); }

  using Thudrokka::applyOutputStage;
  using Thudrokka::isAnyVoicePlaying;
  using Thudrokka::nothingSounds;
  using Thudrokka::mAboutTabButton;
  using Thudrokka::mAboutTabControls;
  using Thudrokka::mBassAmountSmoother;
  using Thudrokka::mBassDumpExpand;
  using Thudrokka::mBassFilterUnit;
  using Thudrokka::mBassLayerBuffer;
  using Thudrokka::mBitCrasher;
  using Thudrokka::mDistortion;
  using Thudrokka::mDryWetSmoother;
  using Thudrokka::mDumpExpand;
  using Thudrokka::mEditor;
  using Thudrokka::mEqualizer;
  using Thudrokka::mFilterAttackText;
  using Thudrokka::mFilterDecayText;
  using Thudrokka::mFilterEnvelopeCurve;
  using Thudrokka::mFilterEnvelopeCurveControl;
  using Thudrokka::mFilterEnvelopeDisplay;
  using Thudrokka::mFilterReleaseText;
  using Thudrokka::mFilterUnit;
  using Thudrokka::mMidiReceiver;
  using Thudrokka::mNoteInfoText;
  using Thudrokka::mOsc1WaveformCurve;
  using Thudrokka::mOsc1WaveformCurveControl;
  using Thudrokka::mOsc1WaveformText;
  using Thudrokka::mOsc2WaveformCurve;
  using Thudrokka::mOsc2WaveformCurveControl;
  using Thudrokka::mOsc2WaveformText;
  using Thudrokka::mOsc3WaveformCurve;
  using Thudrokka::mOsc3WaveformCurveControl;
  using Thudrokka::mOsc3WaveformText;
  using Thudrokka::mPanSmoother;
  using Thudrokka::mPhaser;
  using Thudrokka::mPitchEnvelope;
  using Thudrokka::mPitchEnvelopeCurve;
  using Thudrokka::mPitchEnvelopeCurveControl;
  using Thudrokka::mRingModulator;
  using Thudrokka::mSaturationSmoother;
  using Thudrokka::mSynthProgram;
  using Thudrokka::mSynthTabButton;
  using Thudrokka::mSyncButton;
  using Thudrokka::mSynthTabControls;
  using Thudrokka::mUnisonVoicesText;
  using Thudrokka::mVoiceBuffers;
  using Thudrokka::mVoiceManager;
  using Thudrokka::mVolumeAttackText;
  using Thudrokka::mVolumeDecayText;
  using Thudrokka::mVolumeEnvelopeCurve;
  using Thudrokka::mVolumeEnvelopeCurveControl;
  using Thudrokka::mVolumeEnvelopeDisplay;
  using Thudrokka::mVolumeReleaseText;
  using Thudrokka::mVolumeSmoother;
  using Thudrokka::mWaveformProvider;
  // The effect sections' and the status bar's kept controls.
  using Thudrokka::mBassGainText;
  using Thudrokka::mBitsText;
  using Thudrokka::mCutoffText;
  using Thudrokka::mDistortionTransferCurve;
  using Thudrokka::mDistortionTransferCurveControl;
  using Thudrokka::mDistortionTypeText;
  using Thudrokka::mDistortionWaveCurve;
  using Thudrokka::mDistortionWaveCurveControl;
  using Thudrokka::mDumpExpandCurveControl;
  using Thudrokka::mDumpExpandText;
  using Thudrokka::mFilterMixText;
  using Thudrokka::mFilterMode1Text;
  using Thudrokka::mFilterMode2Text;
  using Thudrokka::mFilterTransitionText;
  using Thudrokka::mGateText;
  using Thudrokka::mHighGainText;
  using Thudrokka::mHostInfoText;
  using Thudrokka::mInterpolationText;
  using Thudrokka::mMidGainText;
  using Thudrokka::mRingWaveformText;
  using Thudrokka::mSampleRateText;
};
