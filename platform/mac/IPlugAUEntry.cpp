#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

#include "framework/TruncateToInt.h"
#include "platform/mac/IPlugAU.h"

// The component entry: every selector but open, close, the changes of the
// render notifications and parameter reads runs under the plug-in mutex. The
// parameter block holds one pointer-sized word per argument, the call's last
// argument first.

namespace {

long Word(const ComponentParameters* params, int word) { return params->params[word - 1]; }

UInt32 WordUInt32(const ComponentParameters* params, int word) { return static_cast<UInt32>(Word(params, word)); }

template <class T>
T* WordPointer(const ComponentParameters* params, int word) {
  return reinterpret_cast<T*>(Word(params, word));
}

template <class Proc>
Proc WordProc(const ComponentParameters* params, int word) {
  return reinterpret_cast<Proc>(Word(params, word));
}

Float32 WordFloat32(const ComponentParameters* params, int word) {
  const UInt32 bits = WordUInt32(params, word);
  Float32 value;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}

bool CanDo(long selector) {
  switch (selector) {
    case kAudioUnitInitializeSelect:
    case kAudioUnitUninitializeSelect:
    case kAudioUnitGetPropertyInfoSelect:
    case kAudioUnitGetPropertySelect:
    case kAudioUnitSetPropertySelect:
    case kAudioUnitGetParameterSelect:
    case kAudioUnitSetParameterSelect:
    case kAudioUnitResetSelect:
    case kAudioUnitAddPropertyListenerSelect:
    case kAudioUnitRemovePropertyListenerSelect:
    case kAudioUnitRenderSelect:
    case kAudioUnitAddRenderNotifySelect:
    case kAudioUnitRemoveRenderNotifySelect:
    case kAudioUnitScheduleParametersSelect:
      return true;
    default:
      return false;
  }
}

int ClampToMidiData(double value) {
  const int n = TruncateToInt(value);
  return n < 0 ? 0 : (n > 127 ? 127 : n);
}

}  // namespace

AudioStreamBasicDescription* MakeDefaultASBD(AudioStreamBasicDescription* out, double sampleRate, int nChannels,
                                             bool interleaved) {
  std::memset(out, 0, sizeof(*out));
  const UInt32 channels = static_cast<UInt32>(nChannels);
  out->mSampleRate = sampleRate;
  out->mFormatID = kAudioFormatLinearPCM;
  out->mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked;
  if (!interleaved) out->mFormatFlags |= kAudioFormatFlagIsNonInterleaved;
  out->mBytesPerPacket = interleaved ? 4 * channels : 4;
  out->mFramesPerPacket = 1;
  out->mBytesPerFrame = out->mBytesPerPacket;
  out->mChannelsPerFrame = channels;
  out->mBitsPerChannel = 32;
  return out;
}

ComponentResult IPlugAU::IPlugAUEntry(ComponentParameters* params, void* plug) {
  if (!params) return badComponentSelector;
  const SInt16 select = params->what;
  // Nothing may be thrown across the C entry.
  try {
    if (select == kComponentOpenSelect) return Open(params);
    IPlugAU* _this = static_cast<IPlugAU*>(plug);
    if (select == kComponentCloseSelect) return Close(_this);
    if (!_this) return badComponentInstance;
    // The render notifications order their own changes, which notifications
    // also make on the render thread: not under the mutex.
    if (select == kAudioUnitAddRenderNotifySelect) {
      _this->mRenderNotifications.Add(WordProc<AURenderCallback>(params, 2), WordPointer<void>(params, 1));
      return noErr;
    }
    if (select == kAudioUnitRemoveRenderNotifySelect) {
      _this->mRenderNotifications.Remove(WordProc<AURenderCallback>(params, 2), WordPointer<void>(params, 1));
      return noErr;
    }
    // A render notification may read a parameter while the thread that holds
    // the mutex waits for that render call.
    if (select == kAudioUnitGetParameterSelect) {
      return GetParamProc(_this, WordUInt32(params, 4), WordUInt32(params, 3), WordUInt32(params, 2),
                          WordPointer<AudioUnitParameterValue>(params, 1));
    }
    WDL_MutexLock lock(&_this->mMutex);
    return _this->DispatchSelector(params);
  } catch (...) {
    return select == kComponentOpenSelect ? kAudioUnitErr_FailedInitialization
                                          : kAudioUnitErr_CannotDoInCurrentContext;
  }
}

ComponentResult IPlugAU::Open(ComponentParameters* params) {
  std::unique_ptr<IPlugAU> plug(MakePlug());
  if (!plug) return kAudioUnitErr_FailedInitialization;
  plug->HostSpecificInit();
  plug->PruneUninitializedPresets();
  ComponentInstance instance = reinterpret_cast<ComponentInstance>(Word(params, 1));
  plug->mComponentInstance = instance;
  SetComponentInstanceStorage(instance, reinterpret_cast<Handle>(plug.release()));
  return noErr;
}

ComponentResult IPlugAU::Close(IPlugAU* plug) {
  if (!plug) return noErr;
  SetComponentInstanceStorage(plug->mComponentInstance, nullptr);
  plug->ClearConnections();
  delete plug;
  return noErr;
}

ComponentResult IPlugAU::DispatchSelector(ComponentParameters* params) {
  switch (params->what) {
    case kComponentCanDoSelect:
      return CanDo(Word(params, 1)) ? 1 : 0;
    case kComponentVersionSelect:
      return GetEffectVersion(false);
    case kAudioUnitInitializeSelect:
      return Initialize();
    case kAudioUnitUninitializeSelect:
      mInitialized = false;
      OnActivate(false);
      return noErr;
    case kAudioUnitGetPropertyInfoSelect: {
      UInt32 localSize = 0;
      Boolean localWritable = false;
      UInt32* size = WordPointer<UInt32>(params, 2);
      Boolean* writable = WordPointer<Boolean>(params, 1);
      if (!size) size = &localSize;
      if (!writable) writable = &localWritable;
      *writable = false;
      return GetProperty(WordUInt32(params, 5), WordUInt32(params, 4), WordUInt32(params, 3), size, writable,
                         nullptr);
    }
    case kAudioUnitGetPropertySelect: {
      UInt32 localSize = 0;
      Boolean writable = false;
      UInt32* size = WordPointer<UInt32>(params, 1);
      if (!size) size = &localSize;
      const AudioUnitPropertyID id = WordUInt32(params, 5);
      const AudioUnitScope scope = WordUInt32(params, 4);
      const AudioUnitElement element = WordUInt32(params, 3);
      void* data = WordPointer<void>(params, 2);
      if (data) {
        // The record must fit the host's buffer, or nothing is written.
        UInt32 recordSize = 0;
        Boolean ignored = false;
        GetProperty(id, scope, element, &recordSize, &ignored, nullptr);
        if (*size < recordSize) return kAudioUnitErr_InvalidPropertyValue;
      }
      return GetProperty(id, scope, element, size, &writable, data);
    }
    case kAudioUnitSetPropertySelect: {
      UInt32 size = WordUInt32(params, 1);
      return SetProperty(WordUInt32(params, 5), WordUInt32(params, 4), WordUInt32(params, 3), &size,
                         WordPointer<const void>(params, 2));
    }
    case kAudioUnitSetParameterSelect:
      return SetParamProc(this, WordUInt32(params, 5), WordUInt32(params, 4), WordUInt32(params, 3),
                          WordFloat32(params, 2), 0);
    case kAudioUnitResetSelect:
      Reset();
      return noErr;
    case kAudioUnitAddPropertyListenerSelect:
      return AddPropertyListener(WordUInt32(params, 3), WordProc<AudioUnitPropertyListenerProc>(params, 2),
                                 WordPointer<void>(params, 1));
    case kAudioUnitRemovePropertyListenerSelect:
      RemovePropertyListener(WordUInt32(params, 2), WordProc<AudioUnitPropertyListenerProc>(params, 1), nullptr,
                             false);
      return noErr;
    case kAudioUnitRemovePropertyListenerWithUserDataSelect:
      RemovePropertyListener(WordUInt32(params, 3), WordProc<AudioUnitPropertyListenerProc>(params, 2),
                             WordPointer<void>(params, 1), true);
      return noErr;
    case kAudioUnitRenderSelect:
      return RenderProc(this, nullptr, WordPointer<const AudioTimeStamp>(params, 4), WordUInt32(params, 3),
                        WordUInt32(params, 2), WordPointer<AudioBufferList>(params, 1));
    case kAudioUnitScheduleParametersSelect:
      return ScheduleParameters(WordPointer<const AudioUnitParameterEvent>(params, 2), WordUInt32(params, 1));
    case kMusicDeviceMIDIEventSelect:
      return MIDIEvent(WordUInt32(params, 4), WordUInt32(params, 3), WordUInt32(params, 2), WordUInt32(params, 1));
    case kMusicDeviceSysExSelect:
      return SysEx(WordPointer<const UInt8>(params, 2), WordUInt32(params, 1));
    case kMusicDevicePrepareInstrumentSelect:
    case kMusicDeviceReleaseInstrumentSelect:
      return noErr;
    case kMusicDeviceStartNoteSelect:
      return StartNote(WordPointer<const MusicDeviceNoteParams>(params, 1), WordUInt32(params, 2),
                       WordPointer<UInt32>(params, 3));
    case kMusicDeviceStopNoteSelect:
      return StopNote(WordUInt32(params, 2), WordUInt32(params, 1));
    default:
      return badComponentSelector;
  }
}

ComponentResult IPlugAU::Initialize() {
  if (!CheckLegalIO()) return badComponentSelector;
  mInitialized = true;
  OnParamReset();
  OnActivate(true);
  return noErr;
}

bool IPlugAU::CheckLegalIO() {
  const int nIn = NHostChannelsConnected(&mInputBuses, -1);
  const int nOut = NHostChannelsConnected(&mOutputBuses, -1);
  return (nIn == 0 && nOut == 0) || LegalIO(nIn, nOut);
}

void IPlugAU::ClearConnections() {
  for (int i = 0; i < mInputBuses.GetSize(); ++i) {
    BusChannels* bus = mInputBuses.Get(i);
    bus->mConnected = false;
    bus->mHostChannelCount = -1;
    if (InputConnection* connection = mInputConnections.Get(i)) *connection = InputConnection();
  }
  for (int i = 0; i < mOutputBuses.GetSize(); ++i) {
    BusChannels* bus = mOutputBuses.Get(i);
    bus->mConnected = false;
    bus->mHostChannelCount = -1;
  }
}

ComponentResult IPlugAU::AddPropertyListener(AudioUnitPropertyID id, AudioUnitPropertyListenerProc proc,
                                             void* userData) {
  for (int i = 0; i < mListeners.GetSize(); ++i) {
    const ListenerEntry* entry = mListeners.Get(i);
    if (entry->mPropertyID == id && entry->mProc == proc) return noErr;
  }
  ListenerEntry* entry = new ListenerEntry{id, proc, userData};
  if (!mListeners.Add(entry)) delete entry;
  return noErr;
}

void IPlugAU::RemovePropertyListener(AudioUnitPropertyID id, AudioUnitPropertyListenerProc proc, void* userData,
                                     bool matchUserData) {
  for (int i = 0; i < mListeners.GetSize(); ++i) {
    ListenerEntry* entry = mListeners.Get(i);
    if (entry->mPropertyID == id && entry->mProc == proc && (!matchUserData || entry->mUserData == userData)) {
      for (ListenerPass* pass = mListenerPasses; pass; pass = pass->outer) {
        std::replace(pass->entries.begin(), pass->entries.end(), entry, static_cast<ListenerEntry*>(nullptr));
      }
      mListeners.Delete(i, true);
      return;
    }
  }
}

ComponentResult IPlugAU::ScheduleParameters(const AudioUnitParameterEvent* events, UInt32 count) {
  if (count > 0 && !events) return paramErr;
  for (UInt32 i = 0; i < count; ++i) {
    const AudioUnitParameterEvent& event = events[i];
    if (event.eventType != kParameterEvent_Immediate) continue;
    const OSStatus status = SetParamProc(this, event.parameter, event.scope, event.element,
                                         event.eventValues.immediate.value, event.eventValues.immediate.bufferOffset);
    if (status != noErr) return status;
  }
  return noErr;
}

ComponentResult IPlugAU::MIDIEvent(UInt32 status, UInt32 data1, UInt32 data2, UInt32 offset) {
  IMidiMsg msg(static_cast<int>(offset), static_cast<uint8_t>(status), static_cast<uint8_t>(data1),
               static_cast<uint8_t>(data2));
  ProcessMidiMsg(&msg);
  return noErr;
}

ComponentResult IPlugAU::SysEx(const UInt8* data, UInt32 length) {
  // The plug-in would read length bytes from the host's pointer.
  if ((!data && length > 0) || length > INT_MAX) return paramErr;
  ISysEx sysex(0, data, static_cast<int>(length));
  ProcessSysEx(&sysex);
  return noErr;
}

// A host that plays notes this way gets them as MIDI note messages; a pitch
// outside the MIDI range sounds nothing.
ComponentResult IPlugAU::StartNote(const MusicDeviceNoteParams* noteParams, UInt32 offset, UInt32* outNoteID) {
  if (!noteParams) return paramErr;
  const double pitch = noteParams->mPitch;
  if (outNoteID) *outNoteID = static_cast<UInt32>(TruncateToInt(pitch));
  if (pitch >= 0.0 && pitch < 128.0) {
    IMidiMsg msg;
    msg.MakeNoteOnMsg(static_cast<int>(pitch), ClampToMidiData(noteParams->mVelocity), static_cast<int>(offset), 0);
    ProcessMidiMsg(&msg);
  }
  return noErr;
}

ComponentResult IPlugAU::StopNote(UInt32 noteID, UInt32 offset) {
  if (noteID < 128) {
    IMidiMsg msg;
    msg.MakeNoteOffMsg(static_cast<int>(noteID), static_cast<int>(offset), 0);
    ProcessMidiMsg(&msg);
  }
  return noErr;
}
