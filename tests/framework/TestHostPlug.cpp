#include "tests/framework/TestHostPlug.h"

#include <cstdio>

namespace fwtest {

TestHostPlug::TestHostPlug(int nParams, const char* channelIO, int nPresets, bool doesChunks,
                           int uniqueID)
    : IPlugBase(nParams, channelIO, nPresets, "Thudrokka", "", "Quillvane", kTestVersion,
                uniqueID, kTestMfrID, 0, true, doesChunks, true, kAPIAU) {}

void TestHostPlug::OnParamChange(int paramIdx) {
  if (mRecordParamChanges) mParamChangeCalls.push_back(paramIdx);
  if (!mInParamSet) ++mParamChangesOutsideSets;
  IPlugBase::OnParamChange(paramIdx);
}

void TestHostPlug::GetTimeSig(int* numerator, int* denominator) {
  if (numerator) *numerator = mNumerator;
  if (denominator) *denominator = mDenominator;
}

void TestHostPlug::GetTime(ITimeInfo* timeInfo) {
  if (!timeInfo) return;
  timeInfo->mTempo = mTempo;
  timeInfo->mSamplePos = mSamplePos;
  timeInfo->mNumerator = mNumerator;
  timeInfo->mDenominator = mDenominator;
}

bool TestHostPlug::SendMidiMsg(IMidiMsg* msg) {
  if (msg) mSentMidi.push_back(*msg);
  return mAcceptMidi;
}

void TestHostPlug::InitUnitParams(double defaultValue, double step) {
  for (int i = 0; i < NParams(); ++i) {
    char name[32];
    std::snprintf(name, sizeof(name), "Param%d", i);
    GetParam(i)->InitDouble(name, defaultValue, 0.0, 1.0, step);
  }
}

std::vector<double> TestHostPlug::Values() const {
  std::vector<double> values;
  for (int i = 0; i < NParams(); ++i) values.push_back(GetParam(i)->Value());
  return values;
}

}  // namespace fwtest
