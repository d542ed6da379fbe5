#pragma once

#include <array>
#include <cstdint>

#include "effects/LookUp.h"
#include "engine/OnePoleSmoother.h"
#include "program/NormalisedSelector.h"

namespace Quillvane {

enum eDistortionType {
  kDistortionLinear = 0,
  kDistortionCompressor,
  kDistortionHardOverload,
  kDistortionQVSigmoid1Drive,
  kDistortionQVSigmoid2Drive,
  kDistortionQVSigmoid3Drive,
  kDistortionTyphoonFuzz,
  kDistortionTovoFuzz,
  kDistortionVDRFuzz1,
  kDistortionVDRFuzz2,
  kDistortionSoftTubeDistort,
  kDistortionTubeDistort,
  kDistortionTransistor1,
  kDistortionFullClip,
  kDistortionFuzzDrive1,
  kDistortionHardcoreFuzz1,
  kDistortionHardcoreFuzz2,
  kDistortionHardcoreFuzz3,
  kDistortionHardcoreFuzz4,
  kDistortionIndustrialFuzz1,
  kDistortionQuillvaneDrive1,
  kDistortionQuillvaneDrive2,
  kDistortionQuillvaneDrive3,
  kDistortionQuillvaneDrive4,
  kDistortionNoizeFreakFuzz1,
  kDistortionNoizeFreakFuzz2,
  kDistortionNoizeFreakFuzz3,
  kDistortionInvertAndDrive,
  kDistortionBigBadDrive,
  kDistortionBigFatDrive,
  kDistortionViciousViper,
  kDistortionAssKicking,
  kDistortionTigersBlood,
  kDistortionMadDog,
  kDistortionNoiseGate1,
  kNumDistortionTypes
};

// The waveshaping section of the effect chain: sample-rate reduction by
// sample-and-hold, a hard gate, and the waveshaper with its 35 curves, 29 of
// them read from tables built once at construction. Stages work in place on
// channels[0] (left) and channels[1] (right).
class Distortion {
 public:
  Distortion();
  virtual ~Distortion() = default;
  Distortion(const Distortion&) = delete;
  Distortion& operator=(const Distortion&) = delete;

  void applySampleRateConversion(double** channels, int n);
  void applyGate(double** channels, int n);
  void distort(double** channels, int n);

  // One sample through the current type at the given amount.
  double distort(double x, double amount) const;
  // The current type's bare transfer curve: no drive, clip or blend.
  double getDistortion(double x) const;

  void setAmount(double amount) { mAmount = amount; }
  void setType(double x);
  void setInterpolation(double x);
  void setSampleRateConversion(double x);
  void setGate(double x);
  // Also re-derives the hold divisor, so the hold lasts as long as at
  // 44.1 kHz, and keeps the amount's glide in time.
  void setSampleRate(double rate);
  // Lets go of the held sample, so that the hold plays silence until the
  // next one; the hold keeps its count.
  void reset() { mHeldLeft = mHeldRight = 0.0; }
  // Whether anything it holds would still reach its output from silence
  // in, as it is set now: a held sample, while the stages run.
  bool holdsSound() const { return !mOff && (mHeldLeft != 0.0 || mHeldRight != 0.0); }
  void setOff(bool off) { mOff = off; }
  void setLoudness(bool loudness) { mLoudness = loudness; }
  // The amount's glide ends on its target at once.
  void settle() { mSmoothedAmount.settle(mAmount); }
  void initProcess();

  double getAmount() const { return mAmount; }
  int getType() const { return mType; }
  int getConvertedSampleRate() const;
  double getGateDb() const;
  const char* getInterpolationName() const;
  double getNextInterpolation(double x) const;
  float getPrevDistortionType(float v) const;
  float getNextDistortionType(float v) const;
  // One sine cycle through the current setting into wave, and the bare curve
  // over [-1, 1) into curve; a part whose count is not positive is skipped.
  void updateGUIData(double* curve, int nCurve, double* wave, int nWave) const;
  // Writes the type name into buffer, cut to fit length bytes.
  void getDistortionTypeText(double x, char* buffer, unsigned short length) const;

  static int getNumberOfDistortions() { return kNumDistortionTypes; }
  static double getDistortionSel(eDistortionType t) { return selectorValue(t, kNumDistortionTypes - 1); }
  static double getInterpSel(eInterpolationType m) { return selectorValue(m, kNumInterpolationTypes - 1); }
  static int getDistortionTypeSelection(double x);
  static const char* getDistortionTypeText(double x);
  static eDistortionType getDistortionType(const char* name);

 private:
  static constexpr int kNumFullTables = 22;
  static constexpr int kNumNoizeTables = 3;
  static constexpr int kNumBigTables = 3;

  // Curve construction, kept in its own source file.
  void createDistortions();
  void createHardcoreDistortions();

  LookUp<256>& fullTable(eDistortionType type);
  LookUp<64>& noizeTable(eDistortionType type) { return mNoizeTables[type - kDistortionNoizeFreakFuzz1]; }
  LookUp<32>& bigTable(eDistortionType type) { return mBigTables[type - kDistortionBigBadDrive]; }
  template <typename Visit>
  void forEachTable(Visit visit);

  double mSampleRate = ConstantsD::kDefaultSampleRate;
  double mSampleRateConversion = 1.0;
  uint32_t mCounter = 0;
  uint32_t mDivisor = 1;
  double mGate = 0.0;
  double mGateThreshold = 0.0;
  bool mOff = false;
  bool mLoudness = false;
  double mHeldLeft = 0.0;
  double mHeldRight = 0.0;
  double mDriveFactor = 20.0;
  double mAmount = 0.0;
  int mType = kDistortionLinear;
  // Only the curves some type reads are kept: 256-entry tables by type, then
  // the smaller ones.
  std::array<LookUp<256>, kNumFullTables> mFullTables;
  std::array<LookUp<64>, kNumNoizeTables> mNoizeTables;
  std::array<LookUp<32>, kNumBigTables> mBigTables;
  LookUp<70> mAssKicking;
  LookUp<80> mTigersBlood;
  LookUp<40> mMadDog;
  int mInterpolation = kInterpolationNone;
  OnePoleSmoother mSmoothedAmount;
};

}  // namespace Quillvane
