// The effect chain in the instrument's order on a 512-sample stereo block:
// the whole chain, then each stage alone, each switched on and off.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "effects/3BandEq.h"
#include "effects/BitCrasher.h"
#include "effects/Distortion.h"
#include "effects/DumpExpand.h"
#include "effects/FilterUnit.h"
#include "effects/Phaser.h"
#include "effects/RingModulator.h"

namespace {

using namespace Quillvane;

constexpr int kBlock = 512;
constexpr int kInputBlocks = 64;

enum Stage {
  kFilter,
  kRing,
  kPhaser,
  kRateReduction,
  kCrusher,
  kGate,
  kDistort,
  kEqualizer,
  kDumpExpand,
  kNumStages,
  kWholeChain = kNumStages
};

const char* const kStageNames[] = {"filter",    "ring",       "phaser",    "rate-reduction", "bit-crusher",
                                   "gate",      "distortion", "equaliser", "dump-expand",    "whole-chain"};

class Chain {
 public:
  Chain()
      : mDistortion(std::make_unique<Distortion>()),
        mInputLeft(kInputBlocks * kBlock),
        mInputRight(kInputBlocks * kBlock),
        mLeft(kBlock),
        mRight(kBlock) {
    for (int i = 0; i < kInputBlocks * kBlock; ++i) {
      mInputLeft[i] = 0.5 * std::sin(0.013 * i) + 0.2 * std::sin(0.31 * i);
      mInputRight[i] = 0.5 * std::sin(0.017 * i) - 0.2 * std::sin(0.29 * i);
    }
    for (AudioProcessingUnit* unit : {static_cast<AudioProcessingUnit*>(&mFilter), static_cast<AudioProcessingUnit*>(&mRing),
                                      static_cast<AudioProcessingUnit*>(&mPhaser), static_cast<AudioProcessingUnit*>(&mEq),
                                      static_cast<AudioProcessingUnit*>(&mDump)}) {
      unit->setSampleRate(44100.0);
    }
    mDistortion->setSampleRate(44100.0);
    mFilter.setBlockSize(kBlock);
    mEq.setBlockSize(kBlock);
    mDump.setBlockSize(kBlock);
    mFilter.reset();
    mEq.reset();
    mDump.reset();

    mFilter.setInputDrive(0.3);
    mFilter.setCutoff(0.6);
    mFilter.setRezo(0.4);
    mFilter.setFilterMode2(1.0 / 3.0);
    mFilter.setFilterMix(0.5);
    mRing.setAmount(0.5);
    mRing.setWaveform(1.0);
    mPhaser.setDepth(0.7);
    mDistortion->setType(Distortion::getDistortionSel(kDistortionHardcoreFuzz1));
    mDistortion->setInterpolation(1.0);
    mEq.setBassAmount(0.7);
    mEq.setMidAmount(0.7);
    mEq.setHighAmount(0.4);
    mDump.setDumpExpand(0.7);
  }

  void enable(Stage stage, bool on) {
    switch (stage) {
      case kFilter: mFilter.setBypass(!on); break;
      case kRing: mRing.setBypass(!on); break;
      case kPhaser: mPhaser.setBypass(!on); break;
      case kRateReduction: mDistortion->setSampleRateConversion(on ? 0.5 : 1.0); break;
      case kCrusher: mCrasher.setQuantization(on ? 0.3 : 1.0); break;
      case kGate: mDistortion->setGate(on ? 0.2 : 0.0); break;
      case kDistort: mDistortion->setAmount(on ? 0.7 : 0.0); break;
      case kEqualizer: mEq.setBypass(!on); break;
      case kDumpExpand: mDump.setBypass(!on); break;
      default: break;
    }
  }

  // The next block of a precomputed two-tone signal, so no stage settles
  // into silence and the signal costs only a copy.
  void run() {
    const int offset = (mBlockIndex++ % kInputBlocks) * kBlock;
    std::copy_n(mInputLeft.begin() + offset, kBlock, mLeft.begin());
    std::copy_n(mInputRight.begin() + offset, kBlock, mRight.begin());
    double* c[2] = {mLeft.data(), mRight.data()};
    mFilter.process(c, kBlock);
    mRing.modulate(c, kBlock);
    mPhaser.process(c, kBlock);
    mDistortion->applySampleRateConversion(c, kBlock);
    mCrasher.process(c, kBlock);
    mDistortion->applyGate(c, kBlock);
    mDistortion->distort(c, kBlock);
    mEq.process(c, kBlock);
    mDump.process(c, kBlock);
    benchmark::DoNotOptimize(mLeft.data());
    benchmark::DoNotOptimize(mRight.data());
  }

  void glideCutoff() { mFilter.setCutoff(mFilter.getCutoff() > 0.5 ? 0.4 : 0.6); }

 private:
  FilterUnit mFilter;
  RingModulator mRing;
  Phaser mPhaser;
  std::unique_ptr<Distortion> mDistortion;
  BitCrasher mCrasher;
  Equalizer mEq;
  DumpExpand mDump;
  std::vector<double> mInputLeft;
  std::vector<double> mInputRight;
  std::vector<double> mLeft;
  std::vector<double> mRight;
  int mBlockIndex = 0;
};

// Arguments: the stage (kWholeChain for all), and 1 for on, 0 for off. Every
// other stage is off; bypassed units are run past their crossfade first.
void BM_EffectChain(benchmark::State& state) {
  const auto stage = static_cast<Stage>(state.range(0));
  const bool on = state.range(1) != 0;
  Chain chain;
  for (int s = 0; s < kNumStages; ++s) {
    chain.enable(static_cast<Stage>(s), on && (stage == kWholeChain || s == stage));
  }
  for (int warm = 0; warm < 4; ++warm) chain.run();
  for (auto _ : state) chain.run();
  state.SetItemsProcessed(state.iterations() * kBlock);
  state.SetLabel(std::string(kStageNames[stage]) + (on ? " on" : " off"));
}

void stageArguments(benchmark::internal::Benchmark* b) {
  for (int stage = 0; stage <= kWholeChain; ++stage) {
    b->Args({stage, 1});
    b->Args({stage, 0});
  }
}
BENCHMARK(BM_EffectChain)->Apply(stageArguments);

// The whole chain while the filter unit glides to a new cutoff every block:
// each of its two running designs is redesigned at every sample.
void BM_EffectChainFilterGliding(benchmark::State& state) {
  Chain chain;
  for (int s = 0; s < kNumStages; ++s) chain.enable(static_cast<Stage>(s), true);
  for (auto _ : state) {
    chain.glideCutoff();
    chain.run();
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_EffectChainFilterGliding);

}  // namespace
