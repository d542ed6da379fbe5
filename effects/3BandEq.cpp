#include "effects/3BandEq.h"

#include <cmath>

#include "dsp/Butterworth.h"

namespace Quillvane {

Equalizer::Equalizer() : mShelved(mBlockSize), mBand(mBlockSize) {
  mLowShelf = makeSmoothedDesign<Dsp::Butterworth::Design::LowShelf<2>, Dsp::DirectFormI>();
  mBandShelf = makeSmoothedDesign<Dsp::Butterworth::Design::BandShelf<2>, Dsp::DirectFormI>();
  mBandPass = makeSmoothedDesign<Dsp::Butterworth::Design::BandPass<2>, Dsp::DirectFormI>();
  mBandStop = makeSmoothedDesign<Dsp::Butterworth::Design::BandStop<2>, Dsp::DirectFormI>();
  mHighShelf = makeSmoothedDesign<Dsp::Butterworth::Design::HighShelf<2>, Dsp::DirectFormI>();

  mLowShelfParams = mLowShelf->getDefaultParams();
  mBandShelfParams = mBandShelf->getDefaultParams();
  mBandPassParams = mBandPass->getDefaultParams();
  mBandStopParams = mBandStop->getDefaultParams();
  mHighShelfParams = mHighShelf->getDefaultParams();

  placeDesigns();
  reset();
}

Equalizer::~Equalizer() = default;

void Equalizer::applyAll() {
  mLowShelf->setParams(mLowShelfParams);
  mBandShelf->setParams(mBandShelfParams);
  mHighShelf->setParams(mHighShelfParams);
  mBandPass->setParams(mBandPassParams);
  mBandStop->setParams(mBandStopParams);
}

void Equalizer::setSampleRate(double sampleRate) {
  AudioProcessingUnit::setSampleRate(sampleRate);
  placeDesigns();
}

void Equalizer::placeDesigns() {
  // Each design sounds at the rate as it does at 44.1 kHz.
  const double rate = mSampleRate;
  const BandAtRate mid = bandAtRate(mMidFrequency, mMidBandwidth, rate);
  const struct {
    Dsp::Filter& filter;
    Dsp::Params& params;
    double hz;
    double widthHz;  // 0 for the shelves, which have none
  } designs[] = {{*mLowShelf, mLowShelfParams, frequencyAtRate(mLowShelfFrequency, rate), 0.0},
                 {*mHighShelf, mHighShelfParams, frequencyAtRate(mHighShelfFrequency, rate), 0.0},
                 {*mBandShelf, mBandShelfParams, mid.centreHz, mid.widthHz},
                 {*mBandPass, mBandPassParams, mid.centreHz, mid.widthHz},
                 {*mBandStop, mBandStopParams, mid.centreHz, mid.widthHz}};
  for (const auto& d : designs) {
    setParam(d.filter, d.params, Dsp::idSampleRate, rate);
    setParam(d.filter, d.params, Dsp::idOrder, 2.0);
    setParam(d.filter, d.params, Dsp::idFrequency, d.hz);
    if (d.widthHz > 0.0) setParam(d.filter, d.params, Dsp::idBandwidthHz, d.widthHz);
  }
  applyAll();
}

void Equalizer::setBlockSize(int n) {
  if (n <= mBlockSize) return;
  mBlockSize = n;
  mShelved.grow(n);
  mBand.grow(n);
}

void Equalizer::reset() {
  resetSettled(*mLowShelf, mSampleRate);
  resetSettled(*mBandShelf, mSampleRate);
  resetSettled(*mHighShelf, mSampleRate);
  resetSettled(*mBandPass, mSampleRate);
  resetSettled(*mBandStop, mSampleRate);
}

void Equalizer::settle() {
  AudioProcessingUnit::settle();
  for (Dsp::Filter* d : {mLowShelf.get(), mBandShelf.get(), mHighShelf.get(), mBandPass.get(), mBandStop.get()}) {
    d->settle();
  }
}

Dsp::Filter* Equalizer::midDesign() const {
  if (mBandShelfMode) return mBandShelf.get();
  if (mMidAmount > 0.5) return mBandPass.get();
  if (mMidAmount < 0.5) return mBandStop.get();
  return nullptr;
}

bool Equalizer::holdsSound() const {
  if (isFadedOut()) return false;
  const Dsp::Filter* band = midDesign();
  return mLowShelf->holdsSignal() || mHighShelf->holdsSignal() || (band && band->holdsSignal());
}

void Equalizer::setBassAmount(double x) {
  mBassAmount = x;
  applyParam(*mLowShelf, mLowShelfParams, Dsp::idGain, nativeValue(*mLowShelf, Dsp::idGain, x));
}

void Equalizer::setMidAmount(double x) {
  mMidAmount = x;
  applyParam(*mBandShelf, mBandShelfParams, Dsp::idGain, nativeValue(*mBandShelf, Dsp::idGain, x));
}

void Equalizer::setHighAmount(double x) {
  mHighAmount = x;
  applyParam(*mHighShelf, mHighShelfParams, Dsp::idGain, nativeValue(*mHighShelf, Dsp::idGain, x));
}

double Equalizer::gainDb(const Dsp::Filter& shelf, double amount) {
  return nativeValue(shelf, Dsp::idGain, amount);
}

double Equalizer::getBassGainDb() const { return gainDb(*mLowShelf, mBassAmount); }
double Equalizer::getMidGainDb() const {
  if (mBandShelfMode) return gainDb(*mBandShelf, mMidAmount);
  // At its centre the band-pass passes the input whole and the band-stop
  // nothing, so there the mid adds k of the input or takes k of it away.
  const double k = bandMix(mMidAmount);
  return 20.0 * std::log10(mMidAmount > 0.5 ? 1.0 + k : std::fabs(1.0 - k));
}
double Equalizer::getHighGainDb() const { return gainDb(*mHighShelf, mHighAmount); }

void Equalizer::process(double** channels, int n) {
  if (isFadedOut() || n > mBlockSize || n < 1) return;
  mShelved.copyFrom(channels, n);
  mBand.copyFrom(channels, n);
  mLowShelf->process(n, mShelved.channels());
  mHighShelf->process(n, mShelved.channels());

  const double mid = mMidAmount;
  const bool addBand = !mBandShelfMode && mid > 0.5;
  const bool fadeToStop = !mBandShelfMode && mid < 0.5;
  if (Dsp::Filter* band = midDesign()) band->process(n, mBandShelfMode ? mShelved.channels() : mBand.channels());
  const double k = addBand || fadeToStop ? bandMix(mid) : 0.0;
  // Above the centre the band is added on top; below it replaces part of the
  // shelved signal, so the band-stopped share carries no shelving.
  const double shelvedWeight = fadeToStop ? 1.0 - k : 1.0;

  double* left = channels[0];
  double* right = channels[1];
  const double* sL = mShelved.left();
  const double* sR = mShelved.right();
  const double* bL = mBand.left();
  const double* bR = mBand.right();
  for (int i = 0; i < n; ++i) {
    const double wL = shelvedWeight * sL[i] + k * bL[i];
    const double wR = shelvedWeight * sR[i] + k * bR[i];
    const double f = mFadeLevel;
    left[i] = (1.0 - f) * left[i] + f * wL;
    right[i] = (1.0 - f) * right[i] + f * wR;
    advanceFade();
  }
}

}  // namespace Quillvane
