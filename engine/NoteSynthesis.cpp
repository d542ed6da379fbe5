// Per-frame synthesis of a Note: oscillator reads, bass layer, click and
// the phase update with pitch envelope, tune LFOs, FM and unison detune.
#include <algorithm>
#include <cmath>

#include "engine/FrameCount.h"
#include "engine/Note.h"
#include "engine/NoteSlots.h"
#include "engine/PitchEnvelope.h"
#include "engine/VectorMath.h"
#include "engine/WaveformProvider.h"

namespace Quillvane {

namespace {

double fadeIn(double t, double length) {
  if (length > 0.0 && t < length) {
    const double x = t / length;
    return x * x;
  }
  return 1.0;
}

// The inverted waveform: each non-zero sample mirrored within its half.
double fold(double s) {
  if (s == 0.0) return s;
  return s > 0.0 ? 1.0 - s : -1.0 - s;
}

// The unison voices' samples a and b, folded as asked, averaged and stored
// where each frame goes. Halving is exact and far cheaper than a division.
template <class Fold>
void storeUnison(double* buffer, const double* a, const double* b, int voices, const int* positions,
                 int frames, Fold fold) {
  for (int n = 0; n < frames; ++n) {
    if (positions[n] < 0) continue;
    double sum = 0.0;
    sum += fold(a[n]);
    if (voices == 2) {
      sum += fold(b[n]);
      sum *= 0.5;
    }
    buffer[positions[n]] = sum;
  }
}

// The FM terms are summed in this order: 1x, 2x, 4x, 0.5x, 0.25x.
constexpr int kFmSumOrder[Note::kNumFmOperators] = {2, 3, 4, 1, 0};

// The click's phase where each of its 44.1 kHz frames begins: frame k moves
// it on by ((1 - k / length)^20)^20, near a radian at first and nothing as
// the window closes. Between two frames it moves in proportion, so that the
// chirp has one shape in time at every rate and 44.1 kHz sums the very
// steps it was made with; a step per frame of so steep a curve would sum to
// another chirp at each rate.
class ClickPhases {
 public:
  ClickPhases() {
    mStarts[0] = mStarts[1] = 0.0;
    for (int k = 1; k < Note::kClickLengthFrames; ++k) {
      const double e = VectorMath::pow(1.0 - static_cast<double>(k) / Note::kClickLengthFrames, 20.0);
      mStarts[k + 1] = mStarts[k] + VectorMath::pow(e, 20.0);
    }
  }

  // position in (0, kClickLengthFrames).
  double at(double position) const {
    const int k = static_cast<int>(position);
    return mStarts[k] + (position - k) * (mStarts[k + 1] - mStarts[k]);
  }

 private:
  double mStarts[Note::kClickLengthFrames + 1];
};

// Made once, as the library loads, never on the render thread.
const ClickPhases kClickPhases;

}  // namespace

void Note::synthesize() { synthesize(1); }

// Nothing that a frame reads is written by the frames before it except the
// voice's own counters and phases, so a run of frames reads the settings
// once, walks the phases first and then reads each waveform for all frames.
void Note::synthesize(int frames) {
  if (mBypass || frames <= 0) return;
  if (!isPlaying() || !mMaster || !mProvider || !mProgram || mBufferLength <= 0) return;

  SynthesisSettings run;
  constexpr auto relaxed = std::memory_order_relaxed;
  const double carrier = mNoteFrequency * sGlobalTranspose.load(relaxed);
  const double pitchFactors[kNumOscillators] = {sPitchFactor1.load(relaxed), sPitchFactor2.load(relaxed),
                                                sPitchFactor3.load(relaxed)};
  const double fineTunes[kNumOscillators] = {sFineTune1.load(relaxed), sFineTune2.load(relaxed),
                                             sFineTune3.load(relaxed)};
  for (int k = 0; k < kNumOscillators; ++k) {
    const int base = NoteSlots::oscillatorBase(k);
    OscillatorRun& osc = run.osc[k];
    const bool sounding = slot(base + NoteSlots::kVolume) > 0.0 && slot(base + NoteSlots::kOnOff) > 0.5;
    // A silent oscillator's buffer keeps whatever it last held.
    osc.buffer = sounding ? mOscBuffers[k].get() : nullptr;
    osc.selector = slot(base + NoteSlots::kWaveform);
    osc.invert = slot(base + NoteSlots::kInvertWaveform) != 0.0;
    osc.frequency = pitchFactors[k] * carrier * fineTunes[k];
    osc.tuneDepth = slot(base + NoteSlots::kFreqModAmount);
  }
  run.noise = drawsNoise();
  run.click = slot(NoteSlots::kBassLayerClick);
  run.bassLayer = slot(NoteSlots::kBassLayerAmount) > 0.0 || run.click > 0.0;
  run.fmCount = 0;
  for (int j : kFmSumOrder) {
    // A silent operator adds exactly zero; skip its sine.
    if (mFmOperators[j].getAmount() != 0.0) run.fmOperators[run.fmCount++] = j;
  }
  run.carrier = carrier;

  // A note that ends in the run sounds none of its later frames.
  for (int done = 0; done < frames && isPlaying(); done += kChunkFrames) {
    synthesizeChunk(run, std::min(kChunkFrames, frames - done));
  }
}

bool Note::drawsNoise() const {
  if (!mProgram) return false;
  for (int k = 0; k < kNumOscillators; ++k) {
    const int base = NoteSlots::oscillatorBase(k);
    if (slot(base + NoteSlots::kVolume) > 0.0 && slot(base + NoteSlots::kOnOff) > 0.5 &&
        WaveformProvider::getWaveformIndex(slot(base + NoteSlots::kWaveform)) == kWaveWhiteNoize) {
      return true;
    }
  }
  return false;
}

void Note::synthesizeChunk(const SynthesisSettings& run, int frames) {
  ChunkPhases walk;
  frames = stepEnvelopes(frames, walk.positions);
  walkPhases(run, frames, walk);
  const int voices = mUnisonVoices;

  // Each oscillator's unison samples over the piece.
  double samples[kNumOscillators][2][kChunkFrames];
  if (run.noise) {
    // The noise generator is shared: its draws keep the frame, oscillator
    // and unison order.
    for (int n = 0; n < frames; ++n) {
      if (walk.positions[n] < 0) continue;
      for (int k = 0; k < kNumOscillators; ++k) {
        if (!run.osc[k].buffer) continue;
        for (int u = 0; u < voices; ++u) {
          samples[k][u][n] = mProvider->getWaveformSample(run.osc[k].selector, walk.phases[2 * k + u][n]);
        }
      }
    }
  } else {
    for (int k = 0; k < kNumOscillators; ++k) {
      if (!run.osc[k].buffer) continue;
      for (int u = 0; u < voices; ++u) {
        mProvider->getWaveformSamples(run.osc[k].selector, walk.phases[2 * k + u], samples[k][u], frames);
      }
    }
  }
  for (int k = 0; k < kNumOscillators; ++k) {
    const OscillatorRun& osc = run.osc[k];
    if (!osc.buffer) continue;
    const double* a = samples[k][0];
    const double* b = samples[k][1];
    if (osc.invert) {
      storeUnison(osc.buffer, a, b, voices, walk.positions, frames, fold);
    } else {
      storeUnison(osc.buffer, a, b, voices, walk.positions, frames, [](double s) { return s; });
    }
  }

  if (run.bassLayer) {
    double bass[kChunkFrames];
    mProvider->getWaveformSamples(0.0, walk.bassPhases, bass, frames);
    for (int n = 0; n < frames; ++n) {
      const int position = walk.positions[n];
      if (position >= 0) mBassBuffer[position] = bass[n];
    }
    synthesizeClicks(walk, frames, run.click);
  } else {
    // Zeros rather than leftovers: the buffers wrap every block, so
    // anything left unwritten would be replayed by process().
    for (int n = 0; n < frames; ++n) {
      const int position = walk.positions[n];
      if (position < 0) continue;
      mBassBuffer[position] = 0.0;
      mClickBuffer[position] = 0.0;
    }
  }
}

// Each frame sounds at the levels from before its own step, so a note's
// first frame takes the level its voice was left at, and the step that
// finishes both envelopes is the note's last frame. Called while the note
// plays.
int Note::stepEnvelopes(int frames, int* positions) {
  const int length = mBufferLength;
  const int offset = mFrameOffset;
  double* volumeLevels = mVolumeLevels.get();
  double* filterLevels = mFilterLevels.get();
  int blockIndex = mBlockIndex;
  double level = mEnvelopeLevel;
  int n = 0;
  while (n < frames) {
    const int position = blockIndex + offset;
    // A note started before the block loop (a preview) runs from frame 0 with
    // its offset added, so its last frames fall past the buffers: those are
    // never read and are not stored.
    if (position < length) {
      positions[n] = position;
      volumeLevels[position] = level;
      filterLevels[position] = mFilterEnvelope.getLevel();
    } else {
      positions[n] = -1;
    }
    mVolumeEnvelope.update(1);
    mFilterEnvelope.update(1);
    level = mVolumeEnvelope.getLevel();
    if (++blockIndex >= length) blockIndex = 0;
    ++n;
    if (!isPlaying()) break;
  }
  mEnvelopeLevel = level;
  mBlockIndex = blockIndex;
  mBlockFrames += n;
  return n;
}

// Records the phases each frame reads, then moves the counters and phases
// on as the frame's end does.
void Note::walkPhases(const SynthesisSettings& run, int frames, ChunkPhases& walk) {
  const PitchEnvelope& pitchEnvelope = *mPitchEnvelope;
  const double rate = mSampleRate;
  const double bassStep = run.carrier / rate;
  constexpr double delta = ConstantsD::kFineTuneDelta;
  const double unisonRatio = 1.0 / (1.0 + mDetuneFactor * delta);
  const double fmFadeIn = sFmFadeIn.load(std::memory_order_relaxed);
  const double unisonFadeIn = sUnisonFadeIn.load(std::memory_order_relaxed);
  double frequencies[kNumOscillators];
  double tuneDepths[kNumOscillators];
  for (int k = 0; k < kNumOscillators; ++k) {
    frequencies[k] = run.osc[k].frequency;
    tuneDepths[k] = run.osc[k].tuneDepth;
  }

  double phases[2 * kNumOscillators];
  for (int i = 0; i < 2 * kNumOscillators; ++i) phases[i] = mPhases[i];
  double bassPhase = mBassPhase;
  const uint32_t counter = mSampleCounter;

  // Nothing a frame writes changes what the tune LFOs, the FM operators and
  // the pitch envelope give the frames after it, so theirs come first, with
  // their sines and powers taken an array at a time.
  double times[kChunkFrames];
  for (int n = 0; n < frames; ++n) times[n] = countOn(counter, n + 1) / rate;
  double pitches[kChunkFrames];
  pitchEnvelope.getPitches(times, pitches, frames);
  double tuneValues[kNumOscillators][kChunkFrames];
  for (int k = 0; k < kNumOscillators; ++k) {
    const Modulator& lfo = mLfos[2 * k + 1];
    if (tuneDepths[k] != 0.0) lfo.valuesFrom(lfo.getPhase(), tuneValues[k], frames);
  }
  double fmValues[kNumFmOperators][kChunkFrames];
  for (int i = 0; i < run.fmCount; ++i) {
    const int j = run.fmOperators[i];
    mFmOperators[j].valuesFrom(mFmOperators[j].getPhase(), fmValues[i], frames);
  }

  for (int n = 0; n < frames; ++n) {
    walk.counters[n] = countOn(counter, n);
    for (int i = 0; i < 2 * kNumOscillators; ++i) walk.phases[i][n] = phases[i];
    walk.bassPhases[n] = bassPhase;

    const double t = times[n];
    const double pitch = pitches[n] * ConstantsD::k12th_rt2;

    double lfoFactor[kNumOscillators];
    for (int k = 0; k < kNumOscillators; ++k) {
      const double depth = tuneDepths[k];
      const double m = depth == 0.0 ? 0.0 : tuneValues[k][n] * depth;
      lfoFactor[k] = m >= 0.0 ? 1.0 + m * delta : 1.0 / (1.0 - m * delta);
    }
    const double g = fadeIn(t, fmFadeIn);
    double fm = 1.0;
    for (int i = 0; i < run.fmCount; ++i) fm += fmValues[i][n] * delta * 12.0 * g;
    for (int k = 0; k < kNumOscillators; ++k) {
      phases[2 * k] += lfoFactor[k] * frequencies[k] * fm / rate * pitch;
    }
    const double h = fadeIn(t, unisonFadeIn);
    const double d = h == 1.0 ? unisonRatio : 1.0 / (1.0 + mDetuneFactor * delta * h);
    for (int k = 0; k < kNumOscillators; ++k) phases[2 * k + 1] = phases[2 * k] * d;
    bassPhase += bassStep * pitch;
  }

  for (int i = 0; i < 2 * kNumOscillators; ++i) mPhases[i] = phases[i];
  mBassPhase = bassPhase;
  for (int k = 0; k < kNumOscillators; ++k) mLfos[2 * k + 1].advance(frames);
  for (FmModulator& op : mFmOperators) op.advance(frames);
  mSampleCounter = countOn(counter, frames);
}

// Each stored frame inside the click's window sounds it: its envelope, and
// its phase.
void Note::synthesizeClicks(const ChunkPhases& walk, int frames, double amount) {
  bool sounds[kChunkFrames];
  double envelopes[kChunkFrames];
  double sines[kChunkFrames];
  int count = 0;
  for (int n = 0; n < frames; ++n) {
    const double position = clickPosition(walk.counters[n]);
    sounds[n] = walk.positions[n] >= 0 && amount > 0.0 && position > 0.0 && position < kClickLengthFrames;
    if (!sounds[n]) continue;
    envelopes[count] = 1.0 - position / kClickLengthFrames;
    sines[count++] = kClickPhases.at(position);
  }
  if (count > 0) {
    VectorMath::pow(envelopes, 20.0, envelopes, count);
    VectorMath::sin(sines, sines, count);
  }
  for (int n = 0, i = 0; n < frames; ++n) {
    const int position = walk.positions[n];
    if (position < 0) continue;
    mClickBuffer[position] = sounds[n] ? amount * sines[i] * 0.5 * envelopes[i] : 0.0;
    if (sounds[n]) ++i;
  }
}

}  // namespace Quillvane
