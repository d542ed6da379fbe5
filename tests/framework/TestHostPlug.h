#pragma once

#include <utility>
#include <vector>

#include "framework/IPlugBase.h"

namespace fwtest {

constexpr int kTestUniqueID = 0x33627469;  // '3bti'
constexpr int kTestMfrID = 0x51755661;     // 'QuVa'
constexpr int kTestVersion = 0x00010502;

// A host adapter for tests: implements every host hook and records what the
// plug-in object tells the host.
class TestHostPlug : public IPlugBase {
 public:
  struct ParamChange {
    int idx;
    double value;
  };

  explicit TestHostPlug(int nParams = 105, const char* channelIO = "0-1 0-2", int nPresets = 128,
                        bool doesChunks = false, int uniqueID = kTestUniqueID);

  void OnParamChange(int paramIdx) override;
  void PresetsChangedByHost() override { ++mPresetsChangedCalls; }
  void BeginParamSet() override {
    ++mParamSetsBegun;
    mInParamSet = true;
  }
  void EndParamSet() override {
    ++mParamSetsEnded;
    mInParamSet = false;
  }
  void BeginInformHostOfParamChange(int paramIdx) override { mBeginGestures.push_back(paramIdx); }
  void InformHostOfParamChange(int paramIdx, double value) override {
    mInformedChanges.push_back({paramIdx, value});
  }
  void EndInformHostOfParamChange(int paramIdx) override { mEndGestures.push_back(paramIdx); }
  void InformHostOfProgramChange() override { ++mProgramChanges; }
  bool IsRenderingOffline() override { return mOffline; }
  double GetSamplePos() override { return mSamplePos; }
  double GetTempo() override { return mTempo; }
  void GetTimeSig(int* numerator, int* denominator) override;
  void GetTime(ITimeInfo* timeInfo) override;
  void ResizeGraphics(int width, int height) override { mResizes.push_back({width, height}); }
  bool SendMidiMsg(IMidiMsg* msg) override;

  // Declares every parameter as the instrument does: doubles over 0..1.
  void InitUnitParams(double defaultValue = 0.5, double step = 0.001);
  std::vector<double> Values() const;

  double mTempo = 120.0;
  double mSamplePos = 0.0;
  int mNumerator = 4;
  int mDenominator = 4;
  bool mOffline = false;
  bool mAcceptMidi = true;

  std::vector<ParamChange> mInformedChanges;
  std::vector<int> mBeginGestures;
  std::vector<int> mEndGestures;
  std::vector<int> mParamChangeCalls;
  std::vector<IMidiMsg> mSentMidi;
  std::vector<std::pair<int, int>> mResizes;
  int mProgramChanges = 0;
  int mPresetsChangedCalls = 0;
  int mParamSetsBegun = 0;
  int mParamSetsEnded = 0;
  bool mInParamSet = false;
  // Parameters dispatched while no parameter set was open.
  int mParamChangesOutsideSets = 0;
  bool mRecordParamChanges = true;
};

}  // namespace fwtest
