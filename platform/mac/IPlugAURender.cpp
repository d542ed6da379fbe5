#include <algorithm>
#include <cstring>
#include <new>

#include "platform/mac/IPlugAU.h"

// The fast-dispatch procedures and the bus bookkeeping behind rendering.
// RenderProc runs on the host's render thread without a lock and allocates
// nothing.

namespace {

// Room of the buffer list that pulls one input bus.
constexpr UInt32 kMaxPullBuffers = 128;

// The platform's list ends in an open array, so it lives in raw storage.
struct PullBufferList {
  alignas(AudioBufferList) unsigned char storage[AudioBufferListSize(kMaxPullBuffers)];
};

IPlugAU* PlugOf(void* plug) { return static_cast<IPlugAU*>(plug); }

}  // namespace

namespace {
template <class Proc>
OSStatus AnswerProc(Proc proc, UInt32* ioSize, void* outProc) {
  *ioSize = sizeof(proc);
  if (outProc) std::memcpy(outProc, &proc, sizeof(proc));
  return noErr;
}
}  // namespace

OSStatus IPlugAU::GetProc(AudioUnitElement selector, UInt32* ioSize, void* outProc) {
  switch (selector) {
    case kAudioUnitGetParameterSelect:
      return AnswerProc<AudioUnitGetParameterProc>(GetParamProc, ioSize, outProc);
    case kAudioUnitSetParameterSelect:
      return AnswerProc<AudioUnitSetParameterProc>(SetParamProc, ioSize, outProc);
    case kAudioUnitRenderSelect:
      return AnswerProc<AudioUnitRenderProc>(RenderProc, ioSize, outProc);
    default:
      return kAudioUnitErr_InvalidElement;
  }
}

OSStatus IPlugAU::GetParamProc(void* plug, AudioUnitParameterID id, AudioUnitScope scope, AudioUnitElement,
                               AudioUnitParameterValue* outValue) {
  IPlugAU* _this = PlugOf(plug);
  if (!_this) return badComponentInstance;
  if (scope != kAudioUnitScope_Global) return kAudioUnitErr_InvalidProperty;
  if (id >= static_cast<UInt32>(_this->NParams())) return kAudioUnitErr_InvalidElement;
  if (!outValue) return paramErr;
  // Without the mutex: a render notification reads parameters of other units
  // while a thread that holds their mutex may wait for that render call.
  *outValue = static_cast<AudioUnitParameterValue>(_this->GetParam(static_cast<int>(id))->Value());
  return noErr;
}

// The change takes effect at once, not at the given frame of the next block.
OSStatus IPlugAU::SetParamProc(void* plug, AudioUnitParameterID id, AudioUnitScope scope, AudioUnitElement,
                               AudioUnitParameterValue value, UInt32) {
  IPlugAU* _this = PlugOf(plug);
  if (!_this) return badComponentInstance;
  if (scope != kAudioUnitScope_Global) return kAudioUnitErr_InvalidProperty;
  if (id >= static_cast<UInt32>(_this->NParams())) return kAudioUnitErr_InvalidElement;
  WDL_MutexLock lock(&_this->mMutex);
  const int idx = static_cast<int>(id);
  IParam* param = _this->GetParam(idx);
  if (!param->Set(value)) return kAudioUnitErr_InvalidPropertyValue;
  // The editor gets the value as sent; it clamps through its own controls.
  if (_this->mGraphics) _this->mGraphics->SetParameterFromPlug(idx, value, false);
  _this->OnParamChange(idx);
  return noErr;
}

OSStatus IPlugAU::RenderProc(void* plug, AudioUnitRenderActionFlags*, const AudioTimeStamp* timeStamp,
                             UInt32 outputBus, UInt32 nFrames, AudioBufferList* ioData) {
  IPlugAU* _this = PlugOf(plug);
  if (!_this) return badComponentInstance;
  // Nothing may be thrown across the host's render call.
  try {
    return _this->Render(timeStamp, outputBus, nFrames, ioData);
  } catch (...) {
    return kAudioUnitErr_InvalidPropertyValue;
  }
}

OSStatus IPlugAU::Render(const AudioTimeStamp* timeStamp, UInt32 outputBus, UInt32 nFrames,
                         AudioBufferList* ioData) {
  if (!timeStamp || !ioData) return kAudioUnitErr_InvalidPropertyValue;
  if (!(timeStamp->mFlags & kAudioTimeStampSampleTimeValid)) return kAudioUnitErr_InvalidPropertyValue;
  if (outputBus >= static_cast<UInt32>(mOutputBuses.GetSize())) return kAudioUnitErr_InvalidPropertyValue;
  if (nFrames > static_cast<UInt32>(std::max(mBlockSize, 0))) return kAudioUnitErr_InvalidPropertyValue;
  // A host buffer shorter than the slice would be written past its end.
  for (UInt32 k = 0; k < ioData->mNumberBuffers; ++k) {
    const AudioBuffer& buffer = ioData->mBuffers[k];
    if (buffer.mData && buffer.mDataByteSize < nFrames * sizeof(float)) return kAudioUnitErr_InvalidPropertyValue;
  }

  RenderNotifications::RenderCall notifications(&mRenderNotifications);
  notifications.Notify(kAudioUnitRenderAction_PreRender, timeStamp, outputBus, nFrames, ioData);

  if (timeStamp->mSampleTime != mLastPullSampleTime) {
    const OSStatus status = PullInputs(timeStamp, nFrames);
    if (status != noErr) return status;
    mLastPullSampleTime = timeStamp->mSampleTime;
  }

  BusChannels* bus = mOutputBuses.Get(static_cast<int>(outputBus));
  AttachOutputs(bus, nFrames, ioData);

  const int busIdx = static_cast<int>(outputBus);
  if (busIdx == ProcessingBus()) {
    const int nBuses = mOutputBuses.GetSize();
    // Two channels per following bus, whatever their real widths.
    if (busIdx + 1 < nBuses) SetOutputChannelConnections(2 * (busIdx + 1), 2 * (nBuses - busIdx - 1), false);
    if (mBypassed) {
      PassThroughBuffers(0.0f, static_cast<int>(nFrames));
    } else {
      ProcessBuffers(0.0f, static_cast<int>(nFrames));
    }
  }

  notifications.Notify(kAudioUnitRenderAction_PostRender, timeStamp, outputBus, nFrames, ioData);
  return noErr;
}

OSStatus IPlugAU::PullInputs(const AudioTimeStamp* timeStamp, UInt32 nFrames) {
  const size_t blockBytes = nFrames * sizeof(float);
  for (int i = 0; i < mInputBuses.GetSize(); ++i) {
    const BusChannels* bus = mInputBuses.Get(i);
    const InputConnection* connection = mInputConnections.Get(i);
    if (!bus->mConnected || !connection) continue;

    // Only channels the plug-in has can be pulled.
    const int nChannels = std::min(bus->mHostChannelCount, NInChannels() - bus->mFirstPlugChannel);
    if (nChannels <= 0) continue;
    if (static_cast<UInt32>(nChannels) > kMaxPullBuffers) return kAudioUnitErr_InvalidPropertyValue;

    PullBufferList pull;
    AudioBufferList* list = new (pull.storage) AudioBufferList;
    list->mNumberBuffers = static_cast<UInt32>(nChannels);
    for (int k = 0; k < nChannels; ++k) {
      list->mBuffers[k] = AudioBuffer{1, static_cast<UInt32>(blockBytes), nullptr};
    }
    AudioUnitRenderActionFlags actionFlags = 0;
    OSStatus status = noErr;
    switch (connection->mInputType) {
      case eRenderCallback:
        for (int k = 0; k < nChannels; ++k) {
          list->mBuffers[k].mData = mInputScratch.Get() + (bus->mFirstPlugChannel + k) * nFrames;
        }
        status = connection->mRenderCallback.inputProc(connection->mRenderCallback.inputProcRefCon, &actionFlags,
                                                       timeStamp, static_cast<UInt32>(i), nFrames, list);
        break;
      case eDirectNoFastProc:
        status = AudioUnitRender(connection->mUpstreamUnit, &actionFlags, timeStamp, connection->mUpstreamElement,
                                 nFrames, list);
        break;
      case eDirectFastProc:
        status = connection->mUpstreamRenderProc(connection->mUpstreamObject, &actionFlags, timeStamp,
                                                 connection->mUpstreamElement, nFrames, list);
        break;
      case eNotConnected:
        continue;
    }
    if (status != noErr) return status;

    for (int k = 0; k < nChannels; ++k) {
      const int channel = bus->mFirstPlugChannel + k;
      const AudioBuffer& buffer = list->mBuffers[k];
      float* data = static_cast<float*>(buffer.mData);
      // A missing or short upstream buffer reads as silence, not past its end.
      if (static_cast<UInt32>(k) >= list->mNumberBuffers || !data || buffer.mDataByteSize < blockBytes) {
        data = mInputScratch.Get() + channel * nFrames;
        if (blockBytes > 0) std::memset(data, 0, blockBytes);
      }
      AttachInputBuffers(channel, 1, &data, static_cast<int>(nFrames));
    }
  }
  return noErr;
}

void IPlugAU::AttachOutputs(BusChannels* bus, UInt32 nFrames, AudioBufferList* ioData) {
  const UInt32 nBuffers = ioData->mNumberBuffers;
  const int nPlug = bus->mPlugChannelCount;
  // Every call connects the channels it has buffers for, so that none stays
  // as an earlier call with another format or fewer buffers left it. A host
  // count of -1 compares as the largest unsigned value.
  UInt32 connected = std::min(static_cast<UInt32>(bus->mHostChannelCount), nBuffers);
  connected = std::min(connected, static_cast<UInt32>(std::max(nPlug, 0)));
  const int c = static_cast<int>(connected);
  SetOutputChannelConnections(bus->mFirstPlugChannel, c, true);
  SetOutputChannelConnections(bus->mFirstPlugChannel + c, std::max(nPlug - c, 0), false);
  bus->mConnected = true;
  for (UInt32 k = 0; k < nBuffers; ++k) {
    AudioBuffer& buffer = ioData->mBuffers[k];
    const int k_ = static_cast<int>(k);
    const int channel = bus->mFirstPlugChannel + k_;
    if (!buffer.mData) buffer.mData = mOutputScratch.Get() + (k_ < nPlug ? channel : NOutChannels()) * nFrames;
    if (k_ >= c) {
      // No channel renders into this buffer: it gets silence, not what the
      // host or an earlier render left in it.
      if (nFrames > 0) std::memset(buffer.mData, 0, nFrames * sizeof(float));
      continue;
    }
    float* data = static_cast<float*>(buffer.mData);
    AttachOutputBuffers(channel, 1, &data);
  }
}

int IPlugAU::ProcessingBus() const {
  const int nBuses = mOutputBuses.GetSize();
  for (int i = 0; i < nBuses; ++i) {
    if (!mOutputBuses.Get(i)->mConnected) return i - 1;
  }
  return nBuses - 1;
}

void IPlugAU::AssessInputConnections() {
  WDL_MutexLock lock(&mMutex);
  SetInputChannelConnections(0, NInChannels(), false);
  for (int i = 0; i < mInputBuses.GetSize(); ++i) {
    BusChannels* bus = mInputBuses.Get(i);
    InputConnection* connection = mInputConnections.Get(i);
    if (connection->mUpstreamRenderProc && connection->mUpstreamObject) {
      connection->mInputType = eDirectFastProc;
    } else if (connection->mUpstreamUnit) {
      connection->mInputType = eDirectNoFastProc;
    } else if (connection->mRenderCallback.inputProc) {
      connection->mInputType = eRenderCallback;
    } else {
      connection->mInputType = eNotConnected;
    }
    if (connection->mInputType == eNotConnected) {
      bus->mConnected = false;
      continue;
    }
    bus->mConnected = true;
    if (bus->mHostChannelCount < 0) bus->mHostChannelCount = bus->mPlugChannelCount;
    const int nHost = bus->mHostChannelCount;
    SetInputChannelConnections(bus->mFirstPlugChannel, nHost, true);
    SetInputChannelConnections(bus->mFirstPlugChannel + nHost, std::max(bus->mPlugChannelCount - nHost, 0), false);
  }
}

int IPlugAU::NHostChannelsConnected(const WDL_PtrList<BusChannels>* buses, int excludeIdx) {
  bool any = false;
  int n = 0;
  for (int i = 0; i < buses->GetSize(); ++i) {
    const int count = buses->Get(i)->mHostChannelCount;
    if (i != excludeIdx && count >= 0) {
      n += count;
      any = true;
    }
  }
  return any ? n : -1;
}

bool IPlugAU::CheckLegalIO(AudioUnitScope scope, int element, int nChannels) {
  int nIn, nOut;
  if (scope == kAudioUnitScope_Input) {
    nIn = std::max(NHostChannelsConnected(&mInputBuses, element), 0) + nChannels;
    nOut = mInitialized ? NHostChannelsConnected(&mOutputBuses, -1) : -1;
  } else {
    nIn = mInitialized ? NHostChannelsConnected(&mInputBuses, -1) : -1;
    nOut = std::max(NHostChannelsConnected(&mOutputBuses, element), 0) + nChannels;
  }
  return LegalIO(nIn, nOut);
}

IPlugAU::BusChannels* IPlugAU::GetBus(AudioUnitScope scope, AudioUnitElement element) const {
  const WDL_PtrList<BusChannels>* buses;
  switch (scope) {
    case kAudioUnitScope_Input:
      buses = &mInputBuses;
      break;
    case kAudioUnitScope_Global:
    case kAudioUnitScope_Output:
      buses = &mOutputBuses;
      break;
    default:
      return nullptr;
  }
  if (element >= static_cast<UInt32>(buses->GetSize())) return nullptr;
  return buses->Get(static_cast<int>(element));
}

int IPlugAU::GetChannelLayoutTags(AudioUnitScope scope, AudioUnitElement element,
                                  AudioChannelLayoutTag* outTag) const {
  const bool supported = scope == kAudioUnitScope_Output || (scope == kAudioUnitScope_Input && mInputBuses.Get(0));
  if (!supported) return 0;
  if (!outTag) return 1;
  const BusChannels* bus = GetBus(kAudioUnitScope_Output, element);
  if (!bus) return 0;
  *outTag = GetTagForNumChannels(bus->mPlugChannelCount);
  return 1;
}

AudioChannelLayoutTag IPlugAU::GetTagForNumChannels(int nChannels) {
  switch (nChannels) {
    case 1:
      return kAudioChannelLayoutTag_Mono;
    case 2:
      return kAudioChannelLayoutTag_Stereo;
    default:
      return kAudioChannelLayoutTag_Unknown;
  }
}

const char* IPlugAU::AUInputTypeStr(EAUInputType type) {
  switch (type) {
    case eDirectFastProc:
      return "DirectFastProc";
    case eDirectNoFastProc:
      return "DirectNoFastProc";
    case eRenderCallback:
      return "RenderCallback";
    default:
      return "NotConnected";
  }
}
