#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "engine/AtanDrive.h"
#include "instrument/Thudrokka.h"

using Quillvane::ConstantsD;
using namespace Quillvane::Synth;

namespace {

constexpr int kPreviewNote = 48;
constexpr int kPreviewVelocity = 127;
constexpr int kPreviewOffset = 50;
// One block start hands the receiver a full ring and every waiting release:
// none of them waits a block for room in an empty receiver.
static_assert(MIDIReceiver::kQueueSize >= NoteRing::kSize + WaitingReleases::kNumCells,
              "the receiver takes what one block start hands over");

// Below this a sample would reach the host's single-precision buffer as a
// subnormal number.
constexpr double kSilenceFloor = std::numeric_limits<float>::min();

void zero(double* buffer, int n) { std::memset(buffer, 0, sizeof(double) * static_cast<std::size_t>(n)); }

}  // namespace

void Thudrokka::Reset() {
  WDL_MutexLock lock(&mMutex);
  if (GetBlockSize() != mPreparedBlockSize) prepareBlockSize(GetBlockSize());
  mDisplayUnits.setSampleRate(GetSampleRate());
  mResetSampleRate.store(GetSampleRate(), std::memory_order_relaxed);
  // The notes sent so far went out before the reset: a host that resets
  // sends no note-off for them. Dropped here, not at the next block, so
  // that what comes after has the room even if no block comes for a while.
  mMidiHandOver.discardAll();
  mResetRequests.fetch_add(1, std::memory_order_release);
  mReady.store(true, std::memory_order_release);
}

bool Thudrokka::IsSampleRateSupported(double sampleRate) const {
  return sampleRate >= ConstantsD::kMinSampleRate && sampleRate <= ConstantsD::kMaxSampleRate;
}

void Thudrokka::OnActivate(bool active) {
  WDL_MutexLock lock(&mMutex);
  // A host need not reset the unit before it renders.
  if (active && !mReady.load(std::memory_order_acquire)) Reset();
}

void Thudrokka::applyReset(double sr) {
  mSettledSilenceFrames = std::llround(kSettledSilenceSeconds * sr);
  for (Quillvane::OnePoleSmoother* s : {&mBassAmountSmoother, &mPanSmoother, &mSaturationSmoother, &mVolumeSmoother}) {
    s->setPole(Quillvane::defaultSmoothPole(sr));
  }
  mDryWetSmoother.setPole(Quillvane::poleAtRate(kDryWetSmoothFactor, sr));
  mVoiceManager.setSampleRate(sr);
  mPitchEnvelope.setSampleRate(sr);
  mRingModulator.setSampleRate(sr);
  mPhaser.setSampleRate(sr);
  mDistortion.setSampleRate(sr);
  for (Quillvane::FilterUnit* unit : {&mFilterUnit, &mBassFilterUnit}) unit->setSampleRate(sr);
  mEqualizer.setSampleRate(sr);
  for (Quillvane::DumpExpand* unit : {&mDumpExpand, &mBassDumpExpand}) unit->setSampleRate(sr);
  // Hosts reset on a stop, a seek or a panic: nothing goes on sounding.
  endAllSound();
}

void Thudrokka::endAllSound() {
  mMidiReceiver.releaseAllKeys();
  mVoiceManager.endAllVoices();
  emptyEffectUnits();
}

void Thudrokka::emptyEffectUnits() {
  for (Quillvane::FilterUnit* unit : {&mFilterUnit, &mBassFilterUnit}) unit->reset();
  mPhaser.reset();
  mDistortion.reset();
  mEqualizer.reset();
  for (Quillvane::DumpExpand* unit : {&mDumpExpand, &mBassDumpExpand}) unit->reset();
}

void Thudrokka::settleGlides() {
  mVoiceManager.settle();
  for (Quillvane::FilterUnit* unit : {&mFilterUnit, &mBassFilterUnit}) unit->settle();
  mRingModulator.settle();
  mPhaser.settle();
  mDistortion.settle();
  mEqualizer.settle();
  for (Quillvane::DumpExpand* unit : {&mDumpExpand, &mBassDumpExpand}) unit->settle();
  mOutputSettlePending = true;
  mSaturationSettlePending = true;
}

void Thudrokka::ProcessMidiMsg(IMidiMsg* msg) {
  if (!msg || !MIDIReceiver::accepts(*msg)) return;
  WDL_MutexLock lock(&mMutex);
  mMidiHandOver.send({*msg, false});
}

void Thudrokka::applyHandOvers(NoteFate fate) {
  // The notes' end before the reset count: every note this block takes
  // came before any reset it does not apply yet.
  const uint32_t notesEnd = mMidiHandOver.end();
  const uint32_t resets = mResetRequests.load(std::memory_order_acquire);
  if (resets != mResetsApplied) {
    mResetsApplied = resets;
    mMidiReceiver.discardQueued();
    applyReset(mResetSampleRate.load(std::memory_order_relaxed));
  }
  const bool wholeSound =
      mParameterHandOver.take([this](int paramIdx, double value) { applyParameter(paramIdx, value); });
  // A preset, state or program is heard from the next note's first frame,
  // not through glides from the sound before, once nothing sounds; over a
  // sounding voice or a ringing tail it glides as single changes do, which
  // keeps it from cracking, and its jump waits. What the effect units still
  // hold then would only be the sound before, brought out by the new
  // settings: they let go of it.
  if (wholeSound) mWholeSetToSettle = true;
  if (mWholeSetToSettle && nothingSounds()) {
    emptyEffectUnits();
    settleGlides();
    mWholeSetToSettle = false;
  }
  if (fate == NoteFate::kDrop) {
    mMidiHandOver.take(notesEnd, [](bool) { return true; }, [](const NoteEvent&) {});
    return;
  }
  // What the receiver has no room for waits in the hand-over, in order.
  mMidiHandOver.take(
      notesEnd, [this](bool preview) { return preview || mMidiReceiver.hasRoom(); },
      [this](const NoteEvent& event) {
        const IMidiMsg& msg = event.msg;
        if (!event.preview) {
          mMidiReceiver.onMessageReceived(&msg);
        } else if (msg.StatusMsg() == IMidiMsg::kNoteOn) {
          mVoiceManager.onNoteOn(msg.NoteNumber(), msg.Velocity(), msg.mOffset);
        } else {
          mVoiceManager.onNoteOff(msg.NoteNumber(), kPreviewVelocity);
        }
      });
}

void Thudrokka::OnBypassedRender() { applyHandOvers(NoteFate::kDrop); }

void Thudrokka::ProcessDoubleReplacing(double**, double** outputs, int nFrames) {
  if (nFrames < 0) return;
  applyHandOvers();
  if (!mReady.load(std::memory_order_acquire) || mBufferFrames <= 0) {
    zero(outputs[0], nFrames);
    zero(outputs[1], nFrames);
    return;
  }
  int done = 0;
  do {
    int n = std::min(mBufferFrames, nFrames - done);
    // All sound off empties the effect units: a block ends at its frame, so
    // that it comes at the start of the next one, before the units run.
    const int soundOff = mMidiReceiver.nextSoundOffFrame();
    if (soundOff > 0 && soundOff < n) n = soundOff;
    double* block[2] = {outputs[0] + done, outputs[1] + done};
    renderBlock(block, n);
    done += n;
  } while (done < nFrames);
}

void Thudrokka::renderBlock(double** outputs, int nFrames) {
  double* bass = mBassLayerBuffer.get();
  double* bass2 = mBassLayerBuffer2.get();
  zero(mVoiceBuffers[0], nFrames);
  zero(mVoiceBuffers[1], nFrames);
  zero(bass, nFrames);
  zero(bass2, nFrames);

  // The user tables are the process's: any instance may have loaded one.
  if (mWaveformProvider.updateLoadedWaveform()) {
    // This one did: the editor redraws the oscillator curves at its next
    // tick, from the parameters as a change of them would, and from these
    // curves of the tables as they are now.
    makeUserWaveformCurves(mUserCurvesHandOver.Back());
    mUserCurvesHandOver.Publish();
  }

  for (int i = 0; i < nFrames; ++i) {
    mMidiReceiver.advance();
    mVoiceManager.nextSample();
  }
  mVoiceManager.process(mVoiceBuffers, bass, nFrames);

  std::memcpy(outputs[0], mVoiceBuffers[0], sizeof(double) * static_cast<std::size_t>(nFrames));
  std::memcpy(outputs[1], mVoiceBuffers[1], sizeof(double) * static_cast<std::size_t>(nFrames));

  if (mSynthProgram[BypassFX] != 1.0) {
    mFilterUnit.process(outputs, nFrames);
    mRingModulator.modulate(outputs, nFrames);
    mPhaser.process(outputs, nFrames);
    mDistortion.applySampleRateConversion(outputs, nFrames);
    mBitCrasher.process(outputs, nFrames);
    mDistortion.applyGate(outputs, nFrames);
    mDistortion.distort(outputs, nFrames);
    mEqualizer.process(outputs, nFrames);
    mDumpExpand.process(outputs, nFrames);
  }

  applyOutputStage(outputs, nFrames);
  limitAndDetectMaxLevels(outputs, nFrames);
  countSilence(outputs, nFrames);
  if (mResetPeaks.exchange(false, std::memory_order_relaxed)) {
    mPeakLeft.store(0.0, std::memory_order_relaxed);
    mPeakRight.store(0.0, std::memory_order_relaxed);
  }
  mMidiReceiver.flush(nFrames);
}

void Thudrokka::applyOutputStage(double** outputs, int nFrames) {
  double* left = outputs[0];
  double* right = outputs[1];
  double* bass = mBassLayerBuffer.get();

  const double saturation = mSynthProgram[Saturation];
  if (mOutputSettlePending) {
    mDryWetSmoother.settle(mSynthProgram[DryWet]);
    mBassAmountSmoother.settle(mSynthProgram[BassLayerAmount]);
    mVolumeSmoother.settle(mSynthProgram[Volume]);
    mPanSmoother.settle(mSynthProgram[Pan]);
    mOutputSettlePending = false;
  }
  if (saturation > 0.0) {
    if (mSaturationSettlePending) {
      mSaturationSmoother.settle(saturation);
      mSaturationSettlePending = false;
    }
    for (int i = 0; i < nFrames; ++i) {
      const double s = mSaturationSmoother.step(saturation);
      const double drive = ConstantsD::kGlobalSaturationFactor * s;
      left[i] = Quillvane::atanDrive(left[i], drive);
      right[i] = Quillvane::atanDrive(right[i], drive);
    }
  }

  if (mSynthProgram[BassLayerToFilter] == 1.0) {
    std::memcpy(mBassLayerBuffer2.get(), bass, sizeof(double) * static_cast<std::size_t>(nFrames));
    double* bassPair[2] = {bass, mBassLayerBuffer2.get()};
    mBassDumpExpand.process(bassPair, nFrames);
    mBassFilterUnit.process(bassPair, nFrames);
  }

  const double dryWet = mSynthProgram[DryWet];
  for (int i = 0; i < nFrames; ++i) {
    const double w = mDryWetSmoother.step(dryWet);
    left[i] = left[i] * w + mVoiceBuffers[0][i] * (1.0 - w);
    right[i] = right[i] * w + mVoiceBuffers[1][i] * (1.0 - w);
  }

  const double bassAmount = mSynthProgram[BassLayerAmount];
  const bool bassSolo = mSynthProgram[BassLayerSolo] == 1.0;
  for (int i = 0; i < nFrames; ++i) {
    const double b = bass[i] * mBassAmountSmoother.step(bassAmount);
    if (bassSolo) {
      left[i] = right[i] = b;
    } else {
      left[i] += b;
      right[i] += b;
    }
  }

  const double volume = mSynthProgram[Volume];
  const double pan = mSynthProgram[Pan];
  for (int i = 0; i < nFrames; ++i) {
    const double v = mVolumeSmoother.step(volume);
    const double p = mPanSmoother.step(pan);
    if (p < 0.5) {
      left[i] *= v;
      right[i] *= (p + p) * v;
    } else {
      left[i] *= ((p - 0.5) * -2.0 + 1.0) * v;
      right[i] *= v;
    }
  }
}

void Thudrokka::limitAndDetectMaxLevels(double** outputs, int nFrames) {
  const bool limit = mSynthProgram[LimitOutput] > 0.0;
  const double upper = limit ? kLimitOnBound : kLimitOffBound;
  const double lower = -upper;
  double peakLeft = mPeakLeft.load(std::memory_order_relaxed);
  double peakRight = mPeakRight.load(std::memory_order_relaxed);
  auto limitSample = [upper, lower](double x) {
    // A host never receives NaN, nor a number too small for its floats.
    if (std::isnan(x) || std::fabs(x) < kSilenceFloor) return 0.0;
    return x > upper ? upper : (x < lower ? lower : x);
  };
  for (int i = 0; i < nFrames; ++i) {
    const double left = outputs[0][i] = limitSample(outputs[0][i]);
    const double right = outputs[1][i] = limitSample(outputs[1][i]);
    if (std::fabs(left) > peakLeft) peakLeft = std::fabs(left);
    if (std::fabs(right) > peakRight) peakRight = std::fabs(right);
  }
  mPeakLeft.store(peakLeft, std::memory_order_relaxed);
  mPeakRight.store(peakRight, std::memory_order_relaxed);
}

double Thudrokka::GetMaxSampleValue() const {
  return std::max(mPeakLeft.load(std::memory_order_relaxed), mPeakRight.load(std::memory_order_relaxed));
}

void Thudrokka::PlayNote(bool on) {
  WDL_MutexLock lock(&mMutex);
  if (!mReady.load(std::memory_order_acquire)) return;
  IMidiMsg msg;
  if (on) {
    msg.MakeNoteOnMsg(kPreviewNote, kPreviewVelocity, kPreviewOffset);
  } else {
    msg.MakeNoteOffMsg(kPreviewNote, 0);
  }
  mMidiHandOver.send({msg, true});
}

void Thudrokka::countSilence(double** outputs, int nFrames) {
  int sounding = nFrames;
  while (sounding > 0 && outputs[0][sounding - 1] == 0.0 && outputs[1][sounding - 1] == 0.0) --sounding;
  mSilentFrames = sounding > 0 ? nFrames - sounding : std::min(mSilentFrames + nFrames, kSilentFramesTop);
}

bool Thudrokka::nothingSounds() const {
  if (mVoiceManager.holdsSound()) return false;
  return mSilentFrames >= mSettledSilenceFrames || !effectUnitsHoldSound();
}

bool Thudrokka::effectUnitsHoldSound() const {
  const bool chain = mSynthProgram[BypassFX] != 1.0 &&
                     (mFilterUnit.holdsSound() || mPhaser.holdsSound() || mDistortion.holdsSound() ||
                      mEqualizer.holdsSound() || mDumpExpand.holdsSound());
  const bool bassPath = mSynthProgram[BassLayerToFilter] == 1.0 && (mBassDumpExpand.holdsSound() || mBassFilterUnit.holdsSound());
  return chain || bassPath;
}

bool Thudrokka::isAnyVoicePlaying() const {
  for (int i = 0; i < VoiceManager::kNumVoices; ++i) {
    if (mVoiceManager.getNote(i).isPlaying()) return true;
  }
  return false;
}
