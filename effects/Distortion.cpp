#include "effects/Distortion.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/TruncateToInt.h"

namespace Quillvane {

namespace {

const char* const kDistortionNames[kNumDistortionTypes] = {
    "Linear",           "Compressor",        "Hard-Overload",     "QVSigmoid1-Drive",
    "QVSigmoid2-Drive", "QVSigmoid3-Drive",  "Typhoon-Fuzz",      "Tovo-Fuzz",
    "VDR-Fuzz 1",       "VDR-Fuzz 2",        "Soft-Tube-Distort", "Tube-Distort",
    "Transistor 1",     "Full-Clip",         "Fuzz-Drive1",       "Hardcore-Fuzz1",
    "Hardcore-Fuzz2",   "Hardcore-Fuzz3",    "Hardcore-Fuzz4",    "Industrial-Fuzz1",
    "Quillvane-Drive1", "Quillvane-Drive2",  "Quillvane-Drive3",  "Quillvane-Drive4",
    "NoizeFreak-Fuzz 1", "NoizeFreak-Fuzz 2", "NoizeFreak-Fuzz 3", "Invert-and-Drive",
    "Big-Bad-Drive",    "Big-Fat-Drive",     "ViciousViper",      "AssKicking",
    "TigersBlood",      "MadDog",            "Noise-Gate 1"};

const char* const kInterpolationNames[kNumInterpolationTypes] = {"no interp.", "linear", "cosine",
                                                                 "cubic", "hermite"};

// Position of each type's curve among the 256-entry tables; -1 where the
// curve is computed or held in a smaller table.
constexpr int kFullTableIndex[kNumDistortionTypes] = {
    -1, 0,  -1, 1,  2,  3,  4,  5,  6,  7,  8,  9,  10, -1, 11, 12, 13, 14,
    15, 16, 17, 18, 19, 20, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 21};

constexpr double kBlendLimit = 0.44;
constexpr double kBlendScale = 2.272727272727273;  // 1 / kBlendLimit

double fullClip(double x) {
  if (x > 0.01) return 1.0;
  if (x < -0.01) return -1.0;
  return 0.0;
}

double invertAndDrive(double x) {
  if (x == 0.0) return 0.0;
  return x > 0.0 ? 1.0 - x : -1.0 - x;
}

double clipUnit(double y) {
  const double upper = (1.0 < y) ? 1.0 : y;
  return (-1.0 > upper) ? -1.0 : upper;
}

}  // namespace

Distortion::Distortion() {
  createDistortions();
  createHardcoreDistortions();
}

LookUp<256>& Distortion::fullTable(eDistortionType type) { return mFullTables[kFullTableIndex[type]]; }

template <typename Visit>
void Distortion::forEachTable(Visit visit) {
  for (auto& t : mFullTables) visit(t);
  for (auto& t : mNoizeTables) visit(t);
  for (auto& t : mBigTables) visit(t);
  visit(mAssKicking);
  visit(mTigersBlood);
  visit(mMadDog);
}

double Distortion::getDistortion(double x) const {
  switch (mType) {
    case kDistortionLinear:
      return x;
    case kDistortionHardOverload: {
      const double k = 0.99 / (1.0 - 0.99);
      return (1.0 + k) * x / (k * std::fabs(x) + 1.0);
    }
    case kDistortionFullClip:
      return fullClip(x);
    case kDistortionInvertAndDrive:
      return invertAndDrive(x);
    case kDistortionNoizeFreakFuzz1:
    case kDistortionNoizeFreakFuzz2:
    case kDistortionNoizeFreakFuzz3:
      return mNoizeTables[mType - kDistortionNoizeFreakFuzz1].getValue(x);
    case kDistortionBigBadDrive:
    case kDistortionBigFatDrive:
    case kDistortionViciousViper:
      return mBigTables[mType - kDistortionBigBadDrive].getValue(x);
    case kDistortionAssKicking:
      return mAssKicking.getValue(x);
    case kDistortionTigersBlood:
      return mTigersBlood.getValue(x);
    case kDistortionMadDog:
      return mMadDog.getValue(x);
    default:
      if (mType < 0 || mType >= kNumDistortionTypes) return 0.0;
      return mFullTables[kFullTableIndex[mType]].getValue(x);
  }
}

double Distortion::distort(double x, double amount) const {
  if (amount == 0.0) return x;
  double y;
  if (mType == kDistortionHardOverload) {
    const double a = amount < 1.0 ? amount : 0.99;
    const double k = mDriveFactor * a / (1.0 - a);
    y = (1.0 + k) * x / (1.0 + k * std::fabs(x));
  } else {
    y = (1.0 + mDriveFactor * amount) * getDistortion(x);
  }
  y = clipUnit(y);
  if (amount < kBlendLimit) {
    const double w = amount * kBlendScale;
    return w * y + (1.0 - w) * x;
  }
  return y;
}

void Distortion::distort(double** channels, int n) {
  if (mOff || mAmount == 0.0 || n < 1) return;
  const bool loudness = mLoudness;
  double* left = channels[0];
  double* right = channels[1];
  for (int i = 0; i < n; ++i) {
    const double s = mSmoothedAmount.step(mAmount);
    left[i] = distort(left[i], s);
    right[i] = distort(right[i], s);
    if (loudness) {
      left[i] = 2.0 * std::sin(left[i] * ConstantsD::kPi_2);
      right[i] = 2.0 * std::sin(right[i] * ConstantsD::kPi_2);
    }
  }
}

void Distortion::applySampleRateConversion(double** channels, int n) {
  if (mOff || n < 1) return;
  double* left = channels[0];
  double* right = channels[1];
  if (mDivisor == 0) {
    mHeldLeft = left[n - 1];
    mHeldRight = right[n - 1];
    mCounter += static_cast<uint32_t>(n);
    return;
  }
  const bool passThrough = mSampleRateConversion == 1.0;
  for (int i = 0; i < n; ++i) {
    if (passThrough || mCounter % mDivisor == 0) {
      mHeldLeft = left[i];
      mHeldRight = right[i];
    }
    left[i] = mHeldLeft;
    right[i] = mHeldRight;
    ++mCounter;
  }
}

void Distortion::applyGate(double** channels, int n) {
  if (mOff || mGate == 0.0 || n < 1) return;
  // Signed on purpose: with the gate open any negative sample is cut too.
  for (int c = 0; c < 2; ++c) {
    double* samples = channels[c];
    for (int i = 0; i < n; ++i) {
      if (mGateThreshold > samples[i]) samples[i] = 0.0;
    }
  }
}

void Distortion::setType(double x) {
  const int index = getDistortionTypeSelection(x);
  if (index < kNumDistortionTypes) mType = index;
}

void Distortion::setInterpolation(double x) {
  mInterpolation = selectorIndex(x, kNumInterpolationTypes - 1);
  forEachTable([this](auto& table) { table.setInterpolation(mInterpolation); });
}

void Distortion::setSampleRateConversion(double x) {
  mSampleRateConversion = x;
  // The hold is the whole number of samples it is at 44.1 kHz, made to last
  // as long at the rate; a count scaled before it is truncated would hold up
  // to a 44.1 kHz sample longer at other rates.
  const uint32_t atReference = TruncateToInt<uint32_t>((1.0 - x) * ConstantsD::kMaxSampleRateLevel);
  mDivisor = TruncateToInt<uint32_t>(std::round(atReference * mSampleRate / ConstantsD::kDefaultSampleRate));
}

void Distortion::setGate(double x) {
  mGate = x;
  mGateThreshold = std::pow(x, 4.0);
}

void Distortion::setSampleRate(double rate) {
  mSampleRate = rate;
  setSampleRateConversion(mSampleRateConversion);
  mSmoothedAmount.setPole(defaultSmoothPole(rate));
}

void Distortion::initProcess() {
  mCounter = 0;
  mHeldLeft = 0.0;
  mHeldRight = 0.0;
  mDivisor = 1;
}

int Distortion::getConvertedSampleRate() const {
  const uint32_t rate = static_cast<uint32_t>(TruncateToInt(mSampleRate));
  if (mDivisor == 0 || mSampleRateConversion == 1.0) return static_cast<int>(rate);
  return static_cast<int>(rate / mDivisor);
}

double Distortion::getGateDb() const { return 20.0 * std::log10(mGateThreshold); }

const char* Distortion::getInterpolationName() const {
  if (mInterpolation < 0 || mInterpolation >= kNumInterpolationTypes) return "unknown";
  return kInterpolationNames[mInterpolation];
}

double Distortion::getNextInterpolation(double x) const {
  const int i = selectorIndex(x, kNumInterpolationTypes - 1);
  const double next = i == kInterpolationHermite ? 0.0 : selectorValue(i + 1.0, kNumInterpolationTypes - 1);
  return std::clamp(next, 0.0, 1.0);
}

float Distortion::getPrevDistortionType(float v) const {
  return std::clamp(v - 1.0f / 34.0f, 0.0f, 1.0f);
}

float Distortion::getNextDistortionType(float v) const {
  return std::clamp(v + 1.0f / 34.0f, 0.0f, 1.0f);
}

void Distortion::updateGUIData(double* curve, int nCurve, double* wave, int nWave) const {
  for (int i = 0; i < nWave; ++i) {
    wave[i] = distort(std::sin(static_cast<double>(i) / nWave * ConstantsD::k2_Pi), mAmount);
  }
  for (int i = 0; i < nCurve; ++i) {
    curve[i] = getDistortion(2.0 * (static_cast<double>(i) / nCurve - 0.5));
  }
}

void Distortion::getDistortionTypeText(double x, char* buffer, unsigned short length) const {
  if (!buffer || length == 0) return;
  const char* text = getDistortionTypeText(x);
  const size_t count = std::min<size_t>(std::strlen(text), length - 1u);
  std::memcpy(buffer, text, count);
  buffer[count] = '\0';
}

int Distortion::getDistortionTypeSelection(double x) {
  return clampedSelectorIndex(x, kNumDistortionTypes - 1);
}

const char* Distortion::getDistortionTypeText(double x) {
  const int index = getDistortionTypeSelection(x);
  return index < kNumDistortionTypes ? kDistortionNames[index] : "Distortion";
}

eDistortionType Distortion::getDistortionType(const char* name) {
  if (!name) return kDistortionLinear;
  // "Linear" needs no entry: it is what an unknown name gives anyway.
  for (int t = kDistortionCompressor; t < kNumDistortionTypes; ++t) {
    if (std::strcmp(name, kDistortionNames[t]) == 0) return static_cast<eDistortionType>(t);
  }
  if (std::strcmp(name, "Fuzz-Drive") == 0) return kDistortionFuzzDrive1;
  if (std::strcmp(name, "Quillvane-Drive") == 0) return kDistortionQuillvaneDrive1;
  return kDistortionLinear;
}

}  // namespace Quillvane
