#include "platform/standin/HostSession.h"

#include "platform/standin/AUCocoaUIView.h"
#include "platform/standin/CFArray.h"
#include "platform/standin/CFBundle.h"
#include "platform/standin/CFString.h"
#include "platform/standin/MusicDevice.h"
#include "platform/standin/NSObject.h"

namespace standin {

HostSession::HostSession() : mBufferListStorage(AudioBufferListSize(kMaxRenderChannels)) {}

HostSession::~HostSession() {
  CloseCarbonView();
  Close();
}

OSStatus HostSession::Open(const ComponentDescription& description) {
  if (mUnit) return kAudioUnitErr_CannotDoInCurrentContext;
  Component component = FindNextComponent(nullptr, &description);
  if (!component) return invalidComponentID;
  OSStatus status = OpenAComponent(component, &mUnit);
  if (status != noErr) return status;
  mStorage = GetComponentInstanceStorage(mUnit);
  mSampleTime = 0.0;
  FetchFastProc(kAudioUnitGetParameterSelect, &mGetParameter);
  FetchFastProc(kAudioUnitSetParameterSelect, &mSetParameter);
  FetchFastProc(kAudioUnitRenderSelect, &mRender);
  return noErr;
}

template <class Proc>
void HostSession::FetchFastProc(SInt16 selector, Proc* proc) {
  UInt32 size = sizeof(*proc);
  if (AudioUnitGetProperty(mUnit, kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global,
                           static_cast<AudioUnitElement>(selector), proc, &size) != noErr) {
    *proc = nullptr;
  }
}

OSStatus HostSession::Close() {
  if (!mUnit) return noErr;
  const OSStatus status = CloseComponent(mUnit);
  mUnit = nullptr;
  mStorage = nullptr;
  mGetParameter = nullptr;
  mSetParameter = nullptr;
  mRender = nullptr;
  return status;
}

OSStatus HostSession::SetSampleRate(Float64 rate) {
  return AudioUnitSetProperty(mUnit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, &rate, sizeof(rate));
}

OSStatus HostSession::SetMaxFramesPerSlice(UInt32 frames) {
  return AudioUnitSetProperty(mUnit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, &frames,
                              sizeof(frames));
}

OSStatus HostSession::SetStreamFormat(AudioUnitScope scope, AudioUnitElement bus, UInt32 channels,
                                      Float64 sampleRate) {
  AudioStreamBasicDescription format = {};
  format.mSampleRate = sampleRate;
  format.mFormatID = kAudioFormatLinearPCM;
  format.mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked | kAudioFormatFlagIsNonInterleaved;
  format.mBytesPerPacket = sizeof(float);
  format.mFramesPerPacket = 1;
  format.mBytesPerFrame = sizeof(float);
  format.mChannelsPerFrame = channels;
  format.mBitsPerChannel = 32;
  return AudioUnitSetProperty(mUnit, kAudioUnitProperty_StreamFormat, scope, bus, &format, sizeof(format));
}

OSStatus HostSession::Initialize() { return AudioUnitInitialize(mUnit); }

OSStatus HostSession::Uninitialize() { return AudioUnitUninitialize(mUnit); }

UInt32 HostSession::ParameterCount() {
  UInt32 size = 0;
  Boolean writable = false;
  if (AudioUnitGetPropertyInfo(mUnit, kAudioUnitProperty_ParameterList, kAudioUnitScope_Global, 0, &size,
                               &writable) != noErr) {
    return 0;
  }
  return size / sizeof(AudioUnitParameterID);
}

OSStatus HostSession::GetParameter(AudioUnitParameterID id, AudioUnitParameterValue* value) {
  if (!mGetParameter) return AudioUnitGetParameter(mUnit, id, kAudioUnitScope_Global, 0, value);
  return mGetParameter(mStorage, id, kAudioUnitScope_Global, 0, value);
}

OSStatus HostSession::SetParameter(AudioUnitParameterID id, AudioUnitParameterValue value) {
  if (!mSetParameter) return AudioUnitSetParameter(mUnit, id, kAudioUnitScope_Global, 0, value, 0);
  return mSetParameter(mStorage, id, kAudioUnitScope_Global, 0, value, 0);
}

OSStatus HostSession::SendMIDI(UInt8 status, UInt8 data1, UInt8 data2, UInt32 offsetFrames) {
  return MusicDeviceMIDIEvent(mUnit, status, data1, data2, offsetFrames);
}

OSStatus HostSession::SendSysEx(const UInt8* data, UInt32 length) { return MusicDeviceSysEx(mUnit, data, length); }

OSStatus HostSession::Render(UInt32 bus, UInt32 frames, float** channels, UInt32 nChannels) {
  if (nChannels > kMaxRenderChannels || (nChannels > 0 && !channels)) return paramErr;
  AudioBufferList* list = reinterpret_cast<AudioBufferList*>(mBufferListStorage.data());
  list->mNumberBuffers = nChannels;
  for (UInt32 k = 0; k < nChannels; ++k) {
    list->mBuffers[k] = AudioBuffer{1, static_cast<UInt32>(frames * sizeof(float)), channels[k]};
  }
  AudioTimeStamp timeStamp = {};
  timeStamp.mSampleTime = mSampleTime;
  timeStamp.mFlags = kAudioTimeStampSampleTimeValid;
  AudioUnitRenderActionFlags flags = 0;
  const OSStatus status = mRender ? mRender(mStorage, &flags, &timeStamp, bus, frames, list)
                                  : AudioUnitRender(mUnit, &flags, &timeStamp, bus, frames, list);
  for (UInt32 k = 0; k < nChannels; ++k) channels[k] = static_cast<float*>(list->mBuffers[k].mData);
  return status;
}

OSStatus HostSession::GetState(CFPropertyListRef* outState) {
  UInt32 size = sizeof(*outState);
  return AudioUnitGetProperty(mUnit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, outState, &size);
}

OSStatus HostSession::SetState(CFPropertyListRef state) {
  return AudioUnitSetProperty(mUnit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, &state,
                              sizeof(state));
}

OSStatus HostSession::GetFactoryPresets(std::vector<Preset>* presets) {
  CFArrayRef array = nullptr;
  UInt32 size = sizeof(array);
  const OSStatus status =
      AudioUnitGetProperty(mUnit, kAudioUnitProperty_FactoryPresets, kAudioUnitScope_Global, 0, &array, &size);
  if (status != noErr) return status;
  presets->clear();
  for (CFIndex i = 0; i < CFArrayGetCount(array); ++i) {
    const AUPreset* preset = static_cast<const AUPreset*>(CFArrayGetValueAtIndex(array, i));
    presets->push_back({preset->presetNumber, CFStringText(preset->presetName)});
  }
  CFRelease(array);
  return noErr;
}

OSStatus HostSession::GetCurrentPreset(Preset* preset) {
  AUPreset current = {};
  UInt32 size = sizeof(current);
  const OSStatus status =
      AudioUnitGetProperty(mUnit, kAudioUnitProperty_PresentPreset, kAudioUnitScope_Global, 0, &current, &size);
  if (status != noErr) return status;
  *preset = {current.presetNumber, CFStringText(current.presetName)};
  if (current.presetName) CFRelease(current.presetName);
  return noErr;
}

OSStatus HostSession::SetCurrentPreset(SInt32 number) {
  const AUPreset preset = {number, nullptr};
  return AudioUnitSetProperty(mUnit, kAudioUnitProperty_PresentPreset, kAudioUnitScope_Global, 0, &preset,
                              sizeof(preset));
}

NSView* HostSession::OpenCocoaView(NSSize size) {
  AudioUnitCocoaViewInfo info = {};
  UInt32 dataSize = sizeof(info);
  if (AudioUnitGetProperty(mUnit, kAudioUnitProperty_CocoaUI, kAudioUnitScope_Global, 0, &info, &dataSize) != noErr) {
    return nullptr;
  }
  const std::string className = CFStringText(info.mCocoaAUViewClass[0]);
  const bool hasBundle = info.mCocoaAUViewBundleLocation != nullptr;
  if (info.mCocoaAUViewBundleLocation) CFRelease(info.mCocoaAUViewBundleLocation);
  if (info.mCocoaAUViewClass[0]) CFRelease(info.mCocoaAUViewClass[0]);
  NSObject* object = hasBundle ? class_createInstance(NSClassFromString(className)) : nullptr;
  if (!object) return nullptr;
  NSObject* factory = object->init();
  auto* base = dynamic_cast<AUCocoaUIBase*>(factory);
  NSView* view = base ? base->uiViewForAudioUnit(mUnit, size) : nullptr;
  factory->release();
  return view;
}

OSStatus HostSession::OpenCarbonView(WindowRef window, ControlRef parent, ControlRef* outControl) {
  if (!mUnit) return kAudioUnitErr_CannotDoInCurrentContext;
  CloseCarbonView();
  UInt32 size = 0;
  Boolean writable = false;
  OSStatus status = AudioUnitGetPropertyInfo(mUnit, kAudioUnitProperty_GetUIComponentList, kAudioUnitScope_Global, 0,
                                             &size, &writable);
  if (status != noErr) return status;
  ComponentDescription description = {};
  size = sizeof(description);
  status = AudioUnitGetProperty(mUnit, kAudioUnitProperty_GetUIComponentList, kAudioUnitScope_Global, 0, &description,
                                &size);
  if (status != noErr) return status;
  Component component = FindNextComponent(nullptr, &description);
  if (!component) return invalidComponentID;
  status = OpenAComponent(component, &mCarbonView);
  if (status != noErr) return status;
  const Float32Point location = {0, 0}, extent = {0, 0};
  ControlRef control = nullptr;
  status = AudioUnitCarbonViewCreate(mCarbonView, mUnit, window, parent, &location, &extent, &control);
  if (outControl) *outControl = control;
  return status;
}

OSStatus HostSession::CloseCarbonView() {
  if (!mCarbonView) return noErr;
  const OSStatus status = CloseComponent(mCarbonView);
  mCarbonView = nullptr;
  return status;
}

}  // namespace standin
