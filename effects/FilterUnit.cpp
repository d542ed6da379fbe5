#include "effects/FilterUnit.h"

#include <algorithm>
#include <cmath>

#include "dsp/ChebyshevI.h"
#include "dsp/RBJ.h"
#include "program/NormalisedSelector.h"

namespace Quillvane {

namespace {

constexpr double kBlendLimit = 0.44;
constexpr double kBlendScale = 2.272727272727273;  // 1 / kBlendLimit

}  // namespace

FilterUnit::FilterUnit() : mBank1(mBlockSize), mBank2(mBlockSize) {
  mDesigns[kRbjHP] = makeSmoothedDesign<Dsp::RBJ::Design::HighPass, Dsp::DirectFormII>();
  mDesigns[kRbjLP] = makeSmoothedDesign<Dsp::RBJ::Design::LowPass, Dsp::DirectFormII>();
  mDesigns[kRbjBP1] = makeSmoothedDesign<Dsp::RBJ::Design::BandPass1, Dsp::DirectFormII>();
  mDesigns[kRbjBS] = makeSmoothedDesign<Dsp::RBJ::Design::BandStop, Dsp::DirectFormII>();
  mDesigns[kHP12] = makeSmoothedDesign<Dsp::ChebyshevI::Design::HighPass<4>, Dsp::DirectFormII>();
  mDesigns[kLP12] = makeSmoothedDesign<Dsp::ChebyshevI::Design::LowPass<4>, Dsp::DirectFormII>();
  mDesigns[kHP24] = makeSmoothedDesign<Dsp::ChebyshevI::Design::HighPass<4>, Dsp::DirectFormII>();
  mDesigns[kLP24] = makeSmoothedDesign<Dsp::ChebyshevI::Design::LowPass<4>, Dsp::DirectFormII>();
  for (auto& d : mDesigns) d->setParams(d->getDefaultParams());
  for (Design d : {kHP12, kLP12, kHP24, kLP24}) {
    Dsp::Params p = mDesigns[d]->getParams();
    applyParam(*mDesigns[d], p, Dsp::idOrder, d == kHP12 || d == kLP12 ? 2.0 : 4.0);
  }
  const Dsp::Filter& reference = *mDesigns[kHP12];
  mCutoffHz = reference.getParam(reference.findParamId(Dsp::idFrequency));
}

FilterUnit::~FilterUnit() = default;

void FilterUnit::setSampleRate(double sampleRate) {
  AudioProcessingUnit::setSampleRate(sampleRate);
  for (auto& d : mDesigns) {
    Dsp::Params p = d->getParams();
    setParam(*d, p, Dsp::idSampleRate, sampleRate);
    applyParam(*d, p, Dsp::idFrequency, frequencyAtRate(mCutoffHz, sampleRate));
    d->doSetTransitionSamples(samplesAtRate(referenceTransitionSamples(), sampleRate));
  }
  mMixSmoother.setPole(defaultSmoothPole(sampleRate));
  mDriveSmoother.setPole(defaultSmoothPole(sampleRate));
}

void FilterUnit::setBlockSize(int n) {
  if (n <= mBlockSize) return;
  mBlockSize = n;
  mBank1.grow(n);
  mBank2.grow(n);
}

void FilterUnit::reset() {
  for (auto& d : mDesigns) resetSettled(*d, mSampleRate, referenceTransitionSamples());
}

void FilterUnit::settle() {
  AudioProcessingUnit::settle();
  for (auto& d : mDesigns) d->settle();
  mMixSmoother.settle(mMix);
  mDriveSmoother.settle(mDrive);
}

int FilterUnit::referenceTransitionSamples() const {
  return mTransition == 2 ? 256 : mTransition == 0 ? 1024 : 512;
}

void FilterUnit::setCutoff(double x) {
  mCutoff = x;
  mCutoffHz = nativeValue(*mDesigns[kHP12], Dsp::idFrequency, x);
  applyCutoff();
}

void FilterUnit::applyCutoff() {
  const double hz = frequencyAtRate(mCutoffHz, mSampleRate);
  for (auto& d : mDesigns) {
    Dsp::Params p = d->getParams();
    applyParam(*d, p, Dsp::idFrequency, hz);
  }
}

void FilterUnit::setRezo(double x) {
  mRezo = x;
  for (auto& d : mDesigns) {
    const int index = FilterUti::getDefaultRezoId(d.get());
    if (index < 0) continue;
    Dsp::Params p = d->getParams();
    p[index] = d->getParamInfo(index).toNativeValue(x);
    d->setParams(p);
  }
}

void FilterUnit::setFilterTransition(double x) {
  mTransition = clampedSelectorIndex(x, 2);
  for (auto& d : mDesigns) d->doSetTransitionSamples(samplesAtRate(referenceTransitionSamples(), mSampleRate));
}

const char* FilterUnit::getFilterTransitionText() const {
  switch (mTransition) {
    case 0: return "Slow";
    case 1: return "Medium";
    default: return "Fast";
  }
}

FilterUnit::Design FilterUnit::selection1(double x) {
  switch (selectorIndex(x, 3)) {
    case kRbjHighPass: return kRbjHP;
    case kRbjBandPass1: return kRbjBP1;
    case kRbjBandStop: return kRbjBS;
    default: return kRbjLP;
  }
}

FilterUnit::Design FilterUnit::selection2(double x) {
  switch (selectorIndex(x, 3)) {
    case kHighPass24dB: return kHP24;
    case kLowPass12dB: return kLP12;
    case kLowPass24dB: return kLP24;
    default: return kHP12;
  }
}

Dsp::Filter* FilterUnit::getSelectedDSPFilter1(double x) { return design(selection1(x)); }
Dsp::Filter* FilterUnit::getSelectedDSPFilter2(double x) { return design(selection2(x)); }

bool FilterUnit::holdsSound() const {
  return !isFadedOut() && (mDesigns[selection1(mMode1)]->holdsSignal() || mDesigns[selection2(mMode2)]->holdsSignal());
}

void FilterUnit::process(double** channels, int n) {
  if (isFadedOut() || n > mBlockSize || n < 1) return;
  double* left = channels[0];
  double* right = channels[1];

  for (int i = 0; i < n; ++i) {
    const double g = mDriveSmoother.step(mDrive);
    // Below the blend limit the clipped signal is mixed with the clean one.
    const double k = g < kBlendLimit ? g * kBlendScale : 1.0;
    auto drive = [g, k](double x) {
      const double d = std::max(-1.0, std::min(1.0, g * x * ConstantsD::kSaturationFactor));
      return k == 1.0 ? d : k * d + (1.0 - k) * x;
    };
    left[i] = drive(left[i]);
    right[i] = drive(right[i]);
  }

  mBank1.copyFrom(channels, n);
  mBank2.copyFrom(channels, n);
  getSelectedDSPFilter1(mMode1)->process(n, mBank1.channels());
  getSelectedDSPFilter2(mMode2)->process(n, mBank2.channels());

  const double* b1L = mBank1.left();
  const double* b1R = mBank1.right();
  const double* b2L = mBank2.left();
  const double* b2R = mBank2.right();
  for (int i = 0; i < n; ++i) {
    const double m = mMixSmoother.step(mMix);
    const double wetL = (1.0 - m) * b1L[i] + m * b2L[i];
    const double wetR = (1.0 - m) * b1R[i] + m * b2R[i];
    const double f = mFadeLevel;
    if (f == 1.0) {
      left[i] = wetL;
      right[i] = wetR;
    } else {
      left[i] = (1.0 - f) * left[i] + f * wetL;
      right[i] = (1.0 - f) * right[i] + f * wetR;
    }
    advanceFade();
  }
}

}  // namespace Quillvane
