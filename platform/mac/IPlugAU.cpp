#include "platform/mac/IPlugAU.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/TruncateToInt.h"
#include "platform/mac/CFStringUTF8.h"
#include "platform/standin/AudioUnitUtilities.h"
#include "platform/standin/CFBundle.h"

namespace {

void AddBus(WDL_PtrList<IPlugAU::BusChannels>* buses, int first, int count) {
  buses->Add(new IPlugAU::BusChannels{false, -1, count, first});
}

void SendAUEvent(AudioUnitEventType type, ComponentInstance ci, int idx) {
  AudioUnitEvent event = {};
  event.mEventType = type;
  event.mArgument.mParameter.mAudioUnit = ci;
  event.mArgument.mParameter.mParameterID = static_cast<AudioUnitParameterID>(idx);
  event.mArgument.mParameter.mScope = kAudioUnitScope_Global;
  event.mArgument.mParameter.mElement = 0;
  AUEventListenerNotify(nullptr, nullptr, &event);
}

}  // namespace

IPlugAU::IPlugAU(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
                 const char* effectName, const char* productName, const char* mfrName, int version, int uniqueID,
                 int mfrID, int latency, bool doesMidi, bool doesChunks, bool isInstrument, int nSideChainChannels)
    : IPlugBase(nParams, channelIOStr, nPresets, effectName, productName, mfrName, version, uniqueID, mfrID, latency,
                doesMidi, doesChunks, isInstrument, kAPIAU),
      mBundleIdentifier(instanceInfo.mBundleID),
      mViewClassName(instanceInfo.mCocoaViewFactoryClassName) {
  const int nIn = NInChannels();
  const int nOut = NOutChannels();
  // A side chain wider than the inputs would map channels that do not exist.
  const int nSideChain = std::min(std::max(nSideChainChannels, 0), nIn);

  if (nSideChain > 0) {
    AddBus(&mInputBuses, 0, nIn - nSideChain);
    AddBus(&mInputBuses, nIn - nSideChain, nSideChain);
    SetInputBusLabel(0, "main input");
    SetInputBusLabel(1, "aux input");
  } else if (nIn > 0) {
    AddBus(&mInputBuses, 0, nIn);
    SetInputBusLabel(0, "input");
    SetInputBusLabel(1, "aux input");
  }
  for (int i = 0; i < mInputBuses.GetSize(); ++i) mInputConnections.Add(new InputConnection());

  if (isInstrument) {
    const int nBuses = (nOut + 1) / 2;
    for (int i = 0; i < nBuses; ++i) {
      AddBus(&mOutputBuses, 2 * i, std::min(nOut - 2 * i, 2));
      char label[32];
      std::snprintf(label, sizeof(label), "output %i", i + 1);
      SetOutputBusLabel(i, label);
    }
  } else {
    AddBus(&mOutputBuses, 0, nOut);
    SetOutputBusLabel(0, "output");
  }

  AssessInputConnections();
  SetBlockSize(1024);
}

IPlugAU::~IPlugAU() {
  mInputBuses.Empty(true);
  mOutputBuses.Empty(true);
  mInputConnections.Empty(true);
  mListeners.Empty(true);
}

void IPlugAU::BeginInformHostOfParamChange(int idx) {
  SendAUEvent(kAudioUnitEvent_BeginParameterChangeGesture, mComponentInstance, idx);
}

// Listeners read the value back from the unit; the event carries only the index.
void IPlugAU::InformHostOfParamChange(int idx, double) {
  SendAUEvent(kAudioUnitEvent_ParameterValueChange, mComponentInstance, idx);
}

void IPlugAU::EndInformHostOfParamChange(int idx) {
  SendAUEvent(kAudioUnitEvent_EndParameterChangeGesture, mComponentInstance, idx);
}

void IPlugAU::InformHostOfProgramChange() {
  InformListeners(kAudioUnitProperty_PresentPreset, kAudioUnitScope_Global);
}

void IPlugAU::InformListeners(AudioUnitPropertyID propID, AudioUnitScope scope) {
  // Those registered now, each once.
  ListenerPass pass{{}, mListenerPasses};
  for (int i = 0; i < mListeners.GetSize(); ++i) {
    ListenerEntry* entry = mListeners.Get(i);
    if (entry->mPropertyID == propID) pass.entries.push_back(entry);
  }
  if (pass.entries.empty()) return;
  mListenerPasses = &pass;
  // Out of the chain wherever it is: while a listener waits with the unit's
  // lock let go, another thread's pass may start and end over this one.
  struct PassEnd {
    IPlugAU* plug;
    ListenerPass* pass;
    ~PassEnd() {
      for (ListenerPass** link = &plug->mListenerPasses; *link; link = &(*link)->outer) {
        if (*link == pass) {
          *link = pass->outer;
          break;
        }
      }
    }
  } passEnd{this, &pass};
  for (ListenerEntry*& entry : pass.entries) {
    if (!entry) continue;
    // The listener may remove itself while it runs.
    const ListenerEntry listener = *entry;
    listener.mProc(listener.mUserData, mComponentInstance, propID, scope, 0);
  }
}

double IPlugAU::GetTempo() {
  if (mHostCallbackInfo.beatAndTempoProc) {
    Float64 beat = 0.0, tempo = 0.0;
    mHostCallbackInfo.beatAndTempoProc(mHostCallbackInfo.hostUserData, &beat, &tempo);
    if (tempo > 0.0) mCachedTempo = tempo;
  }
  return mCachedTempo;
}

double IPlugAU::GetSamplePos() {
  if (!mHostCallbackInfo.transportStateProc) return 0.0;
  Boolean playing = 0, changed = 0, cycling = 0;
  Float64 sample = 0.0, cycleStart = 0.0, cycleEnd = 0.0;
  mHostCallbackInfo.transportStateProc(mHostCallbackInfo.hostUserData, &playing, &changed, &sample, &cycling,
                                       &cycleStart, &cycleEnd);
  // Rounded in double so a long timeline cannot overflow an int; adding 0.0
  // turns -0 into 0.
  return std::trunc(sample + 0.5) + 0.0;
}

void IPlugAU::GetTimeSig(int* numerator, int* denominator) {
  if (!mHostCallbackInfo.musicalTimeLocationProc) return;
  UInt32 deltaToNextBeat = 0, den = 0;
  Float32 num = 0.0f;
  Float64 downBeat = 0.0;
  mHostCallbackInfo.musicalTimeLocationProc(mHostCallbackInfo.hostUserData, &deltaToNextBeat, &num, &den, &downBeat);
  *numerator = TruncateToInt(num);
  *denominator = static_cast<int>(den);
}

void IPlugAU::GetTime(ITimeInfo* info) {
  if (mHostCallbackInfo.beatAndTempoProc) {
    Float64 beat = 0.0, tempo = 0.0;
    mHostCallbackInfo.beatAndTempoProc(mHostCallbackInfo.hostUserData, &beat, &tempo);
    if (tempo > 0.0) info->mTempo = tempo;
    if (beat > 0.0) info->mPPQPos = beat;
  }
  if (mHostCallbackInfo.transportStateProc) {
    Boolean playing = 0, changed = 0, cycling = 0;
    Float64 sample = 0.0, cycleStart = 0.0, cycleEnd = 0.0;
    mHostCallbackInfo.transportStateProc(mHostCallbackInfo.hostUserData, &playing, &changed, &sample, &cycling,
                                         &cycleStart, &cycleEnd);
    if (sample > 0.0) info->mSamplePos = sample;
    if (cycleStart > 0.0) info->mCycleStart = cycleStart;
    if (cycleEnd > 0.0) info->mCycleEnd = cycleEnd;
    info->mTransportIsRunning = playing != 0;
    info->mTransportLoopEnabled = cycling != 0;
  }
  if (mHostCallbackInfo.musicalTimeLocationProc) {
    UInt32 deltaToNextBeat = 0, den = 0;
    Float32 num = 0.0f;
    Float64 downBeat = 0.0;
    mHostCallbackInfo.musicalTimeLocationProc(mHostCallbackInfo.hostUserData, &deltaToNextBeat, &num, &den,
                                              &downBeat);
    info->mNumerator = TruncateToInt(num);
    info->mDenominator = static_cast<int>(den);
    if (downBeat > 0.0) info->mLastBar = downBeat;
  }
}

EHost IPlugAU::GetHost() {
  if (mHost != kHostUninit) return mHost;
  CFBundleRef mainBundle = CFBundleGetMainBundle();
  CFStringRef identifier = mainBundle ? CFBundleGetIdentifier(mainBundle) : nullptr;
  WDL_String name;
  if (identifier && CFStringToUTF8(identifier, &name)) SetHost(name.Get(), 0);
  if (mHost == kHostUninit) SetHost("", 0);
  return mHost;
}

void IPlugAU::HostSpecificInit() {
  GetHost();
  OnHostIdentified();
}

void IPlugAU::ResizeGraphics(int, int) {
  if (mGraphics) OnWindowResize();
}

void IPlugAU::SetBlockSize(int blockSize) {
  const long long inFloats = static_cast<long long>(NInChannels()) * blockSize;
  const long long outFloats = static_cast<long long>(NOutChannels() + 1) * blockSize;
  if (blockSize < 0 || inFloats > INT_MAX || outFloats > INT_MAX) return;
  const int oldIn = mInputScratch.GetSize();
  const int oldOut = mOutputScratch.GetSize();
  mInputScratch.Resize(static_cast<int>(inFloats));
  mOutputScratch.Resize(static_cast<int>(outFloats));
  if (mInputScratch.GetSize() != inFloats || mOutputScratch.GetSize() != outFloats) {
    mInputScratch.Resize(oldIn, false);
    mOutputScratch.Resize(oldOut, false);
    return;
  }
  if (mInputScratch.GetSize() > 0) std::memset(mInputScratch.Get(), 0, sizeof(float) * mInputScratch.GetSize());
  if (mOutputScratch.GetSize() > 0) std::memset(mOutputScratch.Get(), 0, sizeof(float) * mOutputScratch.GetSize());
  IPlugBase::SetBlockSize(blockSize);
}

void IPlugAU::SetLatency(int samples) {
  InformListeners(kAudioUnitProperty_Latency, kAudioUnitScope_Global);
  IPlugBase::SetLatency(samples);
}
