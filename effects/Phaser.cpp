#include "effects/Phaser.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace Quillvane {

namespace {
// A silent chain decays geometrically; below this its states are flushed to
// zero before they turn denormal.
constexpr double kDenormalFloor = 1e-30;

double flushDenormal(double v) { return std::fabs(v) < kDenormalFloor ? 0.0 : v; }
}  // namespace

Phaser::Phaser() {
  updateSweep();
  setRate(mRate);
}

void Phaser::setSampleRate(double rate) {
  AudioProcessingUnit::setSampleRate(rate);
  updateSweep();
  setRate(mRate);
  mSmoothedDepth.setPole(defaultSmoothPole(rate));
}

void Phaser::settle() {
  AudioProcessingUnit::settle();
  mSmoothedDepth.settle(mDepth);
}

void Phaser::reset() {
  mLeft = AllPassChain();
  mRight = AllPassChain();
}

bool Phaser::AllPassChain::isClear() const {
  return lastOutput == 0.0 && std::all_of(std::begin(state), std::end(state), [](double z) { return z == 0.0; });
}

bool Phaser::holdsSound() const {
  // With no depth the block leaves the signal alone.
  return !isFadedOut() && mDepth != 0.0 && !(mLeft.isClear() && mRight.isClear());
}

void Phaser::setRate(double x) {
  mRate = x;
  mPhaseIncrement = x / mSampleRate * ConstantsD::k2_Pi * kMaxPhaserRate;
}

void Phaser::setRange(double minHz, double maxHz) {
  mMinHz = minHz;
  mMaxHz = maxHz;
  updateSweep();
}

void Phaser::updateSweep() {
  mSweepMin = mMinHz / (mSampleRate / 2.0);
  mSweepMax = mMaxHz / (mSampleRate / 2.0);
}

double Phaser::AllPassChain::run(double in, double feedback, double coefficient) {
  double x = in + feedback * lastOutput;
  for (double& z : state) {
    const double y = z - coefficient * x;
    z = flushDenormal(x + coefficient * y);
    x = y;
  }
  lastOutput = flushDenormal(x);
  return x;
}

QVSample Phaser::process(QVSample in) {
  const double d = mSweepMin + (mSweepMax - mSweepMin) * (std::sin(mPhase) + 1.0) / 2.0;
  mPhase += mPhaseIncrement;
  if (mPhase >= ConstantsD::k2_Pi) mPhase -= ConstantsD::k2_Pi;

  const double a = (1.0 - d) / (1.0 + d);
  const double yLeft = mLeft.run(in.left, mFeedback, a);
  const double yRight = mRight.run(in.right, mFeedback, a);

  const double g = mSmoothedDepth.step(mDepth) * mFadeLevel;
  const QVSample out{in.left + g * yLeft, in.right + g * yRight};
  advanceFade();
  return out;
}

template <typename Sample>
void Phaser::processBlock(Sample** channels, int n) {
  // With no depth the sweep, the chains and the glide all stand still.
  if (isFadedOut() || mDepth == 0.0) return;
  Sample* left = channels[0];
  Sample* right = channels[1];
  for (int i = 0; i < n; ++i) {
    const QVSample out = process(QVSample{left[i], right[i]});
    left[i] = static_cast<Sample>(out.left);
    right[i] = static_cast<Sample>(out.right);
  }
}

void Phaser::process(double** channels, int n) { processBlock(channels, n); }

void Phaser::process(float** channels, int n) { processBlock(channels, n); }

}  // namespace Quillvane
