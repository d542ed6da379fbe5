#include "effects/DumpExpand.h"

#include <algorithm>
#include <cmath>

#include "dsp/ChebyshevI.h"

namespace Quillvane {

namespace {

// At 44.1 kHz the top of the sweep stops at 21 kHz; other rates sound as
// 44.1 kHz does.
constexpr double kTopCap = 21000.0;

}  // namespace

DumpExpand::DumpExpand() : mScratch(mBlockSize) {
  mLowPass = makeSmoothedDesign<Dsp::ChebyshevI::Design::LowPass<2>, Dsp::DirectFormI>();
  mHighPass = makeSmoothedDesign<Dsp::ChebyshevI::Design::HighPass<2>, Dsp::DirectFormI>();
  mLowPass->setParams(mLowPass->getDefaultParams());
  mHighPass->setParams(mHighPass->getDefaultParams());
  mHighPassParams = mHighPass->getParams();
  setParam(*mHighPass, mHighPassParams, Dsp::idOrder, 2.0);
  applyParam(*mHighPass, mHighPassParams, Dsp::idFrequency, mHighPassHz);
  mLowPassParams = mLowPass->getParams();
  setParam(*mLowPass, mLowPassParams, Dsp::idOrder, 2.0);
  applyParam(*mLowPass, mLowPassParams, Dsp::idFrequency, mLowPassHz);
  reset();
}

DumpExpand::~DumpExpand() = default;

void DumpExpand::setSampleRate(double sampleRate) {
  AudioProcessingUnit::setSampleRate(sampleRate);
  setParam(*mHighPass, mHighPassParams, Dsp::idSampleRate, sampleRate);
  setParam(*mLowPass, mLowPassParams, Dsp::idSampleRate, sampleRate);
  applyCutoffs();
}

void DumpExpand::applyCutoffs() {
  applyParam(*mHighPass, mHighPassParams, Dsp::idFrequency, frequencyAtRate(mHighPassHz, mSampleRate));
  applyParam(*mLowPass, mLowPassParams, Dsp::idFrequency, frequencyAtRate(mLowPassHz, mSampleRate));
}

void DumpExpand::setBlockSize(int n) {
  if (n <= mBlockSize) return;
  mBlockSize = n;
  mScratch.grow(n);
}

void DumpExpand::reset() {
  resetSettled(*mHighPass, mSampleRate);
  resetSettled(*mLowPass, mSampleRate);
}

void DumpExpand::settle() {
  AudioProcessingUnit::settle();
  mHighPass->settle();
  mLowPass->settle();
}

void DumpExpand::setDumpExpand(double x) {
  mKnob = std::max(0.0, std::min(1.0, x));
  auto cutoff = [](const Dsp::Filter& design, double control) {
    return std::min(kTopCap, nativeValue(design, Dsp::idFrequency, control));
  };
  mHighPassHz = cutoff(*mHighPass, std::min(1.0, 2.0 * (mKnob - 0.5)));
  mLowPassHz = cutoff(*mLowPass, std::min(1.0, 2.0 * mKnob));
  mHighPassParams = mHighPass->getParams();
  mLowPassParams = mLowPass->getParams();
  applyCutoffs();
}

bool DumpExpand::holdsSound() const {
  return !isFadedOut() && (mLowPass->holdsSignal() || (expands() && mHighPass->holdsSignal()));
}

double DumpExpand::getDumpExpandFreq() const {
  const Dsp::Filter& design = activeDesign();
  return design.getParam(design.findParamId(Dsp::idFrequency));
}

double DumpExpand::getDumpExpandFreqResponse(double f) const { return std::abs(activeDesign().response(f)); }

void DumpExpand::updateGUIData(double* out, int n) const {
  for (int i = 0; i < n; ++i) {
    const double x = static_cast<double>(i) / n;
    out[i] = getDumpExpandFreqResponse(x * x * 0.5);
  }
  if (n >= 1 && mKnob > 0.5) out[n - 1] = 1.0;
}

void DumpExpand::process(double** channels, int n) {
  if (isFadedOut() || n > mBlockSize || n < 1) return;
  mScratch.copyFrom(channels, n);
  mLowPass->process(n, mScratch.channels());
  if (expands()) mHighPass->process(n, mScratch.channels());

  double* left = channels[0];
  double* right = channels[1];
  const double* wetL = mScratch.left();
  const double* wetR = mScratch.right();
  for (int i = 0; i < n; ++i) {
    const double f = mFadeLevel;
    left[i] = (1.0 - f) * left[i] + f * wetL[i];
    right[i] = (1.0 - f) * right[i] + f * wetR[i];
    advanceFade();
  }
}

}  // namespace Quillvane
