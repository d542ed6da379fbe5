#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "framework/TextCopy.h"
#include "platform/mac/CFAUPreset.h"
#include "platform/mac/CFStringUTF8.h"
#include "platform/mac/IPlugAU.h"
#include "platform/standin/AudioUnitCarbonView.h"
#include "platform/standin/CFArray.h"

// The Audio Unit properties. Both operations run inside the component
// entry's lock. Records that hold pointers have this machine's sizes.

namespace {

template <class T>
void WriteValue(void* data, const T& value) {
  std::memcpy(data, &value, sizeof(value));
}

template <class T>
T ReadValue(const void* data) {
  T value;
  std::memcpy(&value, data, sizeof(value));
  return value;
}

CFStringRef MakeCFString(const char* text) {
  return CFStringCreateWithCString(kCFAllocatorDefault, text, kCFStringEncodingUTF8);
}

// The system version, 0 when it cannot be asked.
SInt32 UserOSVersion() {
  SInt32 version = 0;
  return Gestalt(FourCC("sysv"), &version) == noErr ? version : 0;
}

// The record a set of the property reads; 0 for a property that cannot be set.
UInt32 SetRecordSize(AudioUnitPropertyID id) {
  switch (id) {
    case kAudioUnitProperty_ClassInfo: return sizeof(CFPropertyListRef);
    case kAudioUnitProperty_MakeConnection: return sizeof(AudioUnitConnection);
    case kAudioUnitProperty_SampleRate: return sizeof(Float64);
    case kAudioUnitProperty_StreamFormat: return sizeof(AudioStreamBasicDescription);
    case kAudioUnitProperty_MaximumFramesPerSlice:
    case kAudioUnitProperty_BypassEffect:
    case kAudioUnitProperty_OfflineRender: return sizeof(UInt32);
    case kAudioUnitProperty_SetRenderCallback: return sizeof(AURenderCallbackStruct);
    case kAudioUnitProperty_HostCallbacks: return sizeof(HostCallbackInfo);
    case kAudioUnitProperty_CurrentPreset:
    case kAudioUnitProperty_PresentPreset: return sizeof(AUPreset);
    case kAudioUnitProperty_AUHostIdentifier: return sizeof(AUHostIdentifier);
    default: return 0;
  }
}

// Channel counts a stream format may carry: enough for any configuration,
// few enough that the sums of the legal-I/O check cannot overflow.
constexpr UInt32 kMaxStreamChannels = 128;

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr AudioFormatFlags kNativeEndianFlag = kAudioFormatFlagIsBigEndian;
#else
constexpr AudioFormatFlags kNativeEndianFlag = 0;
#endif

// What the render path fills, as the unit reports its formats: this
// machine's 32-bit floats, one buffer per channel.
bool IsRenderedEncoding(const AudioStreamBasicDescription& format) {
  const AudioFormatFlags flags = format.mFormatFlags;
  return format.mFormatID == kAudioFormatLinearPCM && (flags & kAudioFormatFlagIsFloat) &&
         !(flags & kAudioFormatFlagIsSignedInteger) && (flags & kAudioFormatFlagIsNonInterleaved) &&
         (flags & kAudioFormatFlagIsBigEndian) == kNativeEndianFlag && format.mBitsPerChannel == 32 &&
         format.mBytesPerFrame == sizeof(Float32) && format.mBytesPerPacket == sizeof(Float32) &&
         format.mFramesPerPacket == 1;
}

}  // namespace

ComponentResult IPlugAU::GetProperty(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element,
                                     UInt32* dataSize, Boolean* writable, void* data) {
  const bool global = scope == kAudioUnitScope_Global;
  switch (id) {
    case kAudioUnitProperty_ClassInfo:
      *dataSize = sizeof(CFPropertyListRef);
      *writable = true;
      return data ? GetState(static_cast<CFPropertyListRef*>(data)) : noErr;

    case kAudioUnitProperty_MakeConnection:
      if (!global && scope != kAudioUnitScope_Input) return kAudioUnitErr_InvalidProperty;
      *dataSize = sizeof(AudioUnitConnection);
      *writable = true;
      return noErr;

    case kAudioUnitProperty_SampleRate:
      *dataSize = sizeof(Float64);
      *writable = true;
      if (data) WriteValue<Float64>(data, mSampleRate);
      return noErr;

    case kAudioUnitProperty_ParameterList: {
      const int n = global ? NParams() : 0;
      *dataSize = static_cast<UInt32>(n * sizeof(AudioUnitParameterID));
      for (int i = 0; data && i < n; ++i) {
        WriteValue<AudioUnitParameterID>(static_cast<AudioUnitParameterID*>(data) + i, static_cast<UInt32>(i));
      }
      return noErr;
    }

    case kAudioUnitProperty_ParameterInfo:
      if (!global) return kAudioUnitErr_InvalidProperty;
      if (element >= static_cast<UInt32>(NParams())) return kAudioUnitErr_InvalidElement;
      *dataSize = sizeof(AudioUnitParameterInfo);
      if (!data) return noErr;
      return GetParameterInfo(static_cast<int>(element), static_cast<AudioUnitParameterInfo*>(data));

    case kAudioUnitProperty_FastDispatch:
      return GetProc(element, dataSize, data);

    case kAudioUnitProperty_StreamFormat: {
      const BusChannels* bus = GetBus(scope, element);
      if (!bus) return kAudioUnitErr_InvalidProperty;
      *dataSize = sizeof(AudioStreamBasicDescription);
      *writable = true;
      if (data) {
        const int channels = bus->mHostChannelCount >= 0 ? bus->mHostChannelCount : bus->mPlugChannelCount;
        AudioStreamBasicDescription format;
        WriteValue(data, *MakeDefaultASBD(&format, mSampleRate, channels, false));
      }
      return noErr;
    }

    case kAudioUnitProperty_ElementCount: {
      *dataSize = sizeof(UInt32);
      UInt32 count = 0;
      if (global) count = 1;
      if (scope == kAudioUnitScope_Input) count = static_cast<UInt32>(mInputBuses.GetSize());
      if (scope == kAudioUnitScope_Output) count = static_cast<UInt32>(mOutputBuses.GetSize());
      if (data) WriteValue<UInt32>(data, count);
      return noErr;
    }

    case kAudioUnitProperty_Latency:
    case kAudioUnitProperty_TailTime:
      if (!global) return kAudioUnitErr_InvalidProperty;
      *dataSize = sizeof(Float64);
      if (data) WriteValue<Float64>(data, mLatency / mSampleRate);
      return noErr;

    case kAudioUnitProperty_SupportedNumChannels: {
      if (!global) return kAudioUnitErr_InvalidProperty;
      const int n = NChannelIO();
      *dataSize = static_cast<UInt32>(n * sizeof(AUChannelInfo));
      for (int i = 0; data && i < n; ++i) {
        const ChannelIO* io = GetChannelIO(i);
        const AUChannelInfo info = {static_cast<SInt16>(io->mIn), static_cast<SInt16>(io->mOut)};
        WriteValue(static_cast<AUChannelInfo*>(data) + i, info);
      }
      return noErr;
    }

    case kAudioUnitProperty_MaximumFramesPerSlice:
      if (!global) return kAudioUnitErr_InvalidProperty;
      *dataSize = sizeof(UInt32);
      *writable = true;
      if (data) WriteValue<UInt32>(data, static_cast<UInt32>(mBlockSize));
      return noErr;

    case kAudioUnitProperty_ParameterValueStrings:
      if (!global) return kAudioUnitErr_InvalidProperty;
      if (element >= static_cast<UInt32>(NParams())) return kAudioUnitErr_InvalidElement;
      return GetParameterValueStrings(static_cast<int>(element), dataSize, data);

    case kAudioUnitProperty_GetUIComponentList:
      if (!mGraphics) return kAudioUnitErr_InvalidProperty;
      *dataSize = sizeof(ComponentDescription);
      if (data) {
        const ComponentDescription view = {kAudioUnitCarbonViewComponentType, static_cast<OSType>(mUniqueID),
                                           static_cast<OSType>(mMfrID), 0, 0};
        WriteValue(data, view);
      }
      return noErr;

    case kAudioUnitProperty_AudioChannelLayout:
      return kAudioUnitErr_InvalidPropertyValue;

    case kAudioUnitProperty_BypassEffect:
      if (!global) return kAudioUnitErr_InvalidProperty;
      *dataSize = sizeof(UInt32);
      *writable = true;
      if (data) WriteValue<UInt32>(data, mBypassed ? 1 : 0);
      return noErr;

    case kAudioUnitProperty_LastRenderError:
      if (!global) return kAudioUnitErr_InvalidProperty;
      *dataSize = sizeof(OSStatus);
      if (data) WriteValue<OSStatus>(data, noErr);
      return noErr;

    case kAudioUnitProperty_SetRenderCallback:
      if ((!global && scope != kAudioUnitScope_Input) || element >= static_cast<UInt32>(mInputBuses.GetSize())) {
        return kAudioUnitErr_InvalidProperty;
      }
      *dataSize = sizeof(AURenderCallbackStruct);
      *writable = true;
      return noErr;

    case kAudioUnitProperty_FactoryPresets:
      *dataSize = sizeof(CFArrayRef);
      return data ? GetFactoryPresets(static_cast<CFArrayRef*>(data)) : noErr;

    case kAudioUnitProperty_HostCallbacks:
      if (!global) return kAudioUnitErr_InvalidProperty;
      *dataSize = sizeof(HostCallbackInfo);
      *writable = true;
      return noErr;

    case kAudioUnitProperty_CurrentPreset:
    case kAudioUnitProperty_PresentPreset:
      *dataSize = sizeof(AUPreset);
      *writable = true;
      if (data) {
        const AUPreset preset = {mCurrentPresetIdx, MakeCFString(GetPresetName(mCurrentPresetIdx))};
        WriteValue(data, preset);
      }
      return noErr;

    case kAudioUnitProperty_ElementName:
      return GetElementName(scope, element, dataSize, writable, data);

    case kAudioUnitProperty_CocoaUI:
      return GetCocoaUI(dataSize, data);

    case kAudioUnitProperty_SupportedChannelLayoutTags:
      return GetSupportedChannelLayoutTags(scope, element, dataSize, writable, data);

    case kAudioUnitProperty_ParameterStringFromValue:
      *dataSize = sizeof(AudioUnitParameterStringFromValue);
      if (!global || !data) return noErr;
      return GetParameterStringFromValue(static_cast<AudioUnitParameterStringFromValue*>(data));

    case kAudioUnitProperty_ParameterIDName:
      *dataSize = sizeof(AudioUnitParameterNameInfo);
      if (!global || !data) return noErr;
      return GetParameterIDName(static_cast<AudioUnitParameterNameInfo*>(data));

    case kAudioUnitProperty_ParameterClumpName:
      *dataSize = sizeof(AudioUnitParameterNameInfo);
      if (!global || !data) return noErr;
      return GetParameterClumpName(static_cast<AudioUnitParameterNameInfo*>(data));

    case kAudioUnitProperty_ParameterValueFromString:
      *dataSize = sizeof(AudioUnitParameterValueFromString);
      if (!global || !data) return noErr;
      return GetParameterValueFromString(static_cast<AudioUnitParameterValueFromString*>(data));

    case kMusicDeviceProperty_InstrumentCount:
      if (!global || !mIsInst) return kAudioUnitErr_InvalidProperty;
      *dataSize = sizeof(UInt32);
      if (data) WriteValue<UInt32>(data, 1);
      return noErr;

    default:
      return kAudioUnitErr_InvalidProperty;
  }
}

ComponentResult IPlugAU::SetProperty(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element,
                                     UInt32* dataSize, const void* data) {
  // Listeners hear of every set, before it is checked and whatever its outcome.
  InformListeners(id, scope);
  const UInt32 recordSize = SetRecordSize(id);
  if (recordSize == 0) return kAudioUnitErr_InvalidProperty;
  // Fewer bytes than the record would be read past their end.
  if (!data || !dataSize || *dataSize < recordSize) return kAudioUnitErr_InvalidPropertyValue;

  switch (id) {
    case kAudioUnitProperty_ClassInfo:
      return SetState(ReadValue<CFPropertyListRef>(data));

    case kAudioUnitProperty_MakeConnection:
      return SetConnection(scope, ReadValue<AudioUnitConnection>(data));

    case kAudioUnitProperty_SampleRate: {
      const Float64 rate = ReadValue<Float64>(data);
      if (!IsSampleRateSupported(rate)) return kAudioUnitErr_InvalidPropertyValue;
      SetSampleRate(rate);
      Reset();
      return noErr;
    }

    case kAudioUnitProperty_StreamFormat:
      return SetStreamFormat(scope, element, ReadValue<AudioStreamBasicDescription>(data));

    case kAudioUnitProperty_MaximumFramesPerSlice: {
      const UInt32 frames = ReadValue<UInt32>(data);
      // The render thread works in the buffers of this size while the unit
      // is initialised.
      if (mInitialized) return static_cast<UInt32>(mBlockSize) == frames ? noErr : kAudioUnitErr_Initialized;
      if (frames > INT_MAX) return kAudioUnitErr_InvalidPropertyValue;
      SetBlockSize(static_cast<int>(frames));
      // A size the unit cannot hold leaves the one it has.
      if (static_cast<UInt32>(mBlockSize) != frames) return kAudioUnitErr_InvalidPropertyValue;
      Reset();
      return noErr;
    }

    case kAudioUnitProperty_BypassEffect:
      mBypassed = ReadValue<UInt32>(data) != 0;
      OnActivate(!mBypassed);
      Reset();
      return noErr;

    case kAudioUnitProperty_SetRenderCallback:
      return SetRenderCallback(scope, element, ReadValue<AURenderCallbackStruct>(data));

    case kAudioUnitProperty_HostCallbacks:
      if (scope != kAudioUnitScope_Global) return kAudioUnitErr_InvalidProperty;
      mHostCallbackInfo = ReadValue<HostCallbackInfo>(data);
      return noErr;

    case kAudioUnitProperty_CurrentPreset:
    case kAudioUnitProperty_PresentPreset:
      RestorePreset(ReadValue<AUPreset>(data).presetNumber);
      return noErr;

    case kAudioUnitProperty_OfflineRender:
      mOfflineRender = ReadValue<UInt32>(data) != 0;
      return noErr;

    case kAudioUnitProperty_AUHostIdentifier:
      return SetHostIdentifier(ReadValue<AUHostIdentifier>(data));

    default:
      return kAudioUnitErr_InvalidProperty;
  }
}

ComponentResult IPlugAU::GetParameterInfo(int idx, AudioUnitParameterInfo* out) {
  const IParam* param = GetParam(idx);
  AudioUnitParameterInfo info;
  std::memset(&info, 0, sizeof(info));

  info.flags = kAudioUnitParameterFlag_IsReadable | kAudioUnitParameterFlag_HasCFNameString |
               kAudioUnitParameterFlag_CFNameRelease;
  if (param->GetCanAutomate()) info.flags |= kAudioUnitParameterFlag_IsWritable;

  const char* name = param->GetNameForHost();
  CopyText(info.name, name, MAX_PARAM_NAME_LEN);
  info.cfNameString = MakeCFString(name);

  switch (param->Type()) {
    case IParam::kTypeInt:
    case IParam::kTypeEnum:
      info.unit = kAudioUnitParameterUnit_Indexed;
      break;
    case IParam::kTypeBool:
      info.unit = kAudioUnitParameterUnit_Boolean;
      break;
    default:
      if (param->GetLabelForHost()[0]) {
        info.unit = kAudioUnitParameterUnit_CustomUnit;
        info.unitName = MakeCFString(param->GetLabelForHost());
      } else {
        info.unit = kAudioUnitParameterUnit_Generic;
      }
      break;
  }

  double minValue, maxValue;
  param->GetBounds(&minValue, &maxValue);
  info.minValue = static_cast<AudioUnitParameterValue>(minValue);
  info.maxValue = static_cast<AudioUnitParameterValue>(maxValue);
  // Hosts are shown the current value here, not the declared default.
  info.defaultValue = static_cast<AudioUnitParameterValue>(param->Value());

  const char* group = param->GetParamGroupForHost();
  if (group[0]) {
    // Clump ids follow the order in which hosts first ask for a group.
    int clump = 0;
    for (int i = 0; i < mParamGroups.GetSize(); ++i) {
      if (!std::strcmp(mParamGroups.Get(i), group)) clump = i + 1;
    }
    if (clump == 0) {
      mParamGroups.Add(group);
      clump = mParamGroups.GetSize();
    }
    info.flags |= kAudioUnitParameterFlag_HasClump;
    info.clumpID = static_cast<UInt32>(clump);
  }
  WriteValue(out, info);
  return noErr;
}

ComponentResult IPlugAU::GetParameterValueStrings(int idx, UInt32* dataSize, void* data) {
  const IParam* param = GetParam(idx);
  const int n = param->GetNDisplayTexts();
  if (n == 0) {
    *dataSize = 0;
    return kAudioUnitErr_InvalidProperty;
  }
  *dataSize = sizeof(CFArrayRef);
  if (!data) return noErr;
  CFMutableArrayRef texts = CFArrayCreateMutable(kCFAllocatorDefault, n, &kCFTypeArrayCallBacks);
  if (!texts) return coreFoundationUnknownErr;
  for (int i = 0; i < n; ++i) {
    CFStringRef text = MakeCFString(param->GetDisplayText(i));
    if (text) {
      CFArrayAppendValue(texts, text);
      CFRelease(text);
    }
  }
  WriteValue<CFArrayRef>(data, texts);
  return noErr;
}

ComponentResult IPlugAU::GetFactoryPresets(CFArrayRef* outArray) {
  const int n = NPresets();
  CFMutableArrayRef presets = CFArrayCreateMutable(kCFAllocatorDefault, n, &kCFAUPresetArrayCallBacks);
  if (!presets) return coreFoundationUnknownErr;
  for (int i = 0; i < n; ++i) {
    CFStringRef name = MakeCFString(GetPresetName(i));
    CFAUPresetRef preset = CFAUPresetCreate(kCFAllocatorDefault, i, name);
    if (preset) {
      CFArrayAppendValue(presets, preset);
      CFAUPresetRelease(preset);
    }
    if (name) CFRelease(name);
  }
  WriteValue<CFArrayRef>(outArray, presets);
  return noErr;
}

ComponentResult IPlugAU::GetElementName(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize,
                                        Boolean* writable, void* data) {
  *dataSize = sizeof(CFStringRef);
  *writable = false;
  if (!data) return kAudioUnitErr_InvalidProperty;
  const WDL_String* label;
  switch (scope) {
    case kAudioUnitScope_Output:
      label = element <= INT_MAX ? GetOutputBusLabel(static_cast<int>(element)) : nullptr;
      break;
    case kAudioUnitScope_Input:
      if (element > 1) return kAudioUnitErr_InvalidElement;
      label = GetInputBusLabel(static_cast<int>(element));
      break;
    default:
      return kAudioUnitErr_InvalidScope;
  }
  if (!label) return kAudioUnitErr_InvalidElement;
  WriteValue<CFStringRef>(data, MakeCFString(label->Get()));
  return noErr;
}

ComponentResult IPlugAU::GetCocoaUI(UInt32* dataSize, void* data) {
  if (!mGraphics || UserOSVersion() < 0x1050) return kAudioUnitErr_InvalidProperty;
  *dataSize = sizeof(AudioUnitCocoaViewInfo);
  if (!data) return noErr;
  CFStringRef identifier = MakeCFString(mBundleIdentifier.Get());
  CFBundleRef bundle = identifier ? CFBundleGetBundleWithIdentifier(identifier) : nullptr;
  if (identifier) CFRelease(identifier);
  if (!bundle) return kAudioUnitErr_InvalidProperty;
  AudioUnitCocoaViewInfo info;
  info.mCocoaAUViewBundleLocation = CFBundleCopyBundleURL(bundle);
  info.mCocoaAUViewClass[0] = MakeCFString(mViewClassName.Get());
  WriteValue(data, info);
  return noErr;
}

ComponentResult IPlugAU::GetSupportedChannelLayoutTags(AudioUnitScope scope, AudioUnitElement element,
                                                       UInt32* dataSize, Boolean* writable, void* data) {
  if (!mIsInst || mOutputBuses.GetSize() == 1) return kAudioUnitErr_InvalidProperty;
  if (!GetChannelLayoutTags(scope, element, nullptr)) return kAudioUnitErr_InvalidProperty;
  *dataSize = sizeof(AudioChannelLayoutTag);
  *writable = true;
  if (!data) return noErr;
  AudioChannelLayoutTag tag;
  if (!GetChannelLayoutTags(scope, element, &tag)) return kAudioUnitErr_InvalidElement;
  WriteValue(data, tag);
  return noErr;
}

ComponentResult IPlugAU::GetParameterStringFromValue(AudioUnitParameterStringFromValue* request) {
  if (request->inParamID >= static_cast<UInt32>(NParams())) return kAudioUnitErr_InvalidElement;
  const IParam* param = GetParam(static_cast<int>(request->inParamID));
  // Without a value the host asks for the text of the current one.
  const double value = request->inValue ? *request->inValue : param->Value();
  if (!std::isfinite(value)) return kAudioUnitErr_InvalidPropertyValue;
  param->GetDisplayForHost(value, false, mParamStringBuffer, true);
  request->outString = MakeCFString(mParamStringBuffer);
  return noErr;
}

ComponentResult IPlugAU::GetParameterIDName(AudioUnitParameterNameInfo* request) {
  if (request->inID >= static_cast<UInt32>(NParams())) return kAudioUnitErr_InvalidElement;
  if (request->inDesiredLength < kAudioUnitParameterName_Full) return kAudioUnitErr_InvalidPropertyValue;
  char name[MAX_PARAM_NAME_LEN];
  std::size_t room = sizeof(name);
  if (request->inDesiredLength != kAudioUnitParameterName_Full) {
    room = std::min<std::size_t>(static_cast<std::size_t>(request->inDesiredLength) + 1, room);
  }
  CopyText(name, GetParam(static_cast<int>(request->inID))->GetNameForHost(), room);
  request->outName = MakeCFString(name);
  return noErr;
}

ComponentResult IPlugAU::GetParameterClumpName(AudioUnitParameterNameInfo* request) {
  if (request->inID < 1 || request->inID > static_cast<UInt32>(mParamGroups.GetSize())) {
    return kAudioUnitErr_PropertyNotInUse;
  }
  request->outName = MakeCFString(mParamGroups.Get(static_cast<int>(request->inID) - 1));
  return noErr;
}

ComponentResult IPlugAU::GetParameterValueFromString(AudioUnitParameterValueFromString* request) {
  if (request->inParamID >= static_cast<UInt32>(NParams())) return kAudioUnitErr_InvalidElement;
  WDL_String text;
  if (!CFStringToUTF8(request->inString, &text)) return kAudioUnitErr_InvalidPropertyValue;
  const IParam* param = GetParam(static_cast<int>(request->inParamID));
  if (param->GetNDisplayTexts()) {
    int value;
    if (param->MapDisplayText(text.Get(), &value)) request->outValue = static_cast<AudioUnitParameterValue>(value);
  } else {
    const double value = std::atof(text.Get());
    request->outValue = static_cast<AudioUnitParameterValue>(param->GetNegateDisplay() ? -value : value);
  }
  return noErr;
}

ComponentResult IPlugAU::SetConnection(AudioUnitScope scope, const AudioUnitConnection& connection) {
  if (scope > kAudioUnitScope_Input) return kAudioUnitErr_InvalidProperty;
  if (connection.destInputNumber >= static_cast<UInt32>(mInputConnections.GetSize())) {
    return kAudioUnitErr_InvalidProperty;
  }
  InputConnection* record = mInputConnections.Get(static_cast<int>(connection.destInputNumber));
  *record = InputConnection();
  AudioUnit source = connection.sourceAudioUnit;
  if (!source) {
    AssessInputConnections();
    return noErr;
  }

  AudioStreamBasicDescription format;
  UInt32 size = sizeof(format);
  if (AudioUnitGetProperty(source, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output,
                           connection.sourceOutputNumber, &format, &size) != noErr ||
      SetProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, connection.destInputNumber, &size,
                  &format) != noErr) {
    AssessInputConnections();
    return kAudioUnitErr_InvalidProperty;
  }

  record->mUpstreamUnit = source;
  record->mUpstreamElement = connection.sourceOutputNumber;
  AudioUnitRenderProc renderProc = nullptr;
  size = sizeof(renderProc);
  if (AudioUnitGetProperty(source, kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global,
                           kAudioUnitRenderSelect, &renderProc, &size) == noErr) {
    record->mUpstreamRenderProc = renderProc;
    record->mUpstreamObject = GetComponentInstanceStorage(source);
  }
  AssessInputConnections();
  return noErr;
}

ComponentResult IPlugAU::SetRenderCallback(AudioUnitScope scope, AudioUnitElement element,
                                           const AURenderCallbackStruct& callback) {
  if (scope != kAudioUnitScope_Input || element >= static_cast<UInt32>(mInputConnections.GetSize())) {
    return kAudioUnitErr_InvalidProperty;
  }
  InputConnection* record = mInputConnections.Get(static_cast<int>(element));
  *record = InputConnection();
  if (callback.inputProc) record->mRenderCallback = callback;
  AssessInputConnections();
  return noErr;
}

ComponentResult IPlugAU::SetStreamFormat(AudioUnitScope scope, AudioUnitElement element,
                                         const AudioStreamBasicDescription& format) {
  BusChannels* bus = GetBus(scope, element);
  if (!bus) return kAudioUnitErr_InvalidProperty;
  if (!IsRenderedEncoding(format)) return kAudioUnitErr_FormatNotSupported;
  const UInt32 channels = format.mChannelsPerFrame;
  // A rate of 0 (or NaN) keeps the unit's rate.
  const bool givesRate = format.mSampleRate > 0.0;
  // The render thread reads the bus's channels while the unit is
  // initialised: only the format it reports is taken then, as hosts read a
  // format and set it back when they rebuild a graph.
  if (mInitialized) {
    const int reported = bus->mHostChannelCount >= 0 ? bus->mHostChannelCount : bus->mPlugChannelCount;
    const bool current =
        channels == static_cast<UInt32>(reported) && (!givesRate || format.mSampleRate == mSampleRate);
    return current ? noErr : kAudioUnitErr_Initialized;
  }
  const bool accepted = channels > 0 && channels <= kMaxStreamChannels &&
                        CheckLegalIO(scope, static_cast<int>(element), static_cast<int>(channels)) &&
                        (!givesRate || IsSampleRateSupported(format.mSampleRate));
  if (!accepted) return kAudioUnitErr_InvalidProperty;
  bus->mHostChannelCount = static_cast<int>(channels);
  // As the sample-rate property does: the unit renders at the rate it reports.
  if (givesRate && format.mSampleRate != mSampleRate) {
    SetSampleRate(format.mSampleRate);
    Reset();
  }
  AssessInputConnections();
  return noErr;
}

ComponentResult IPlugAU::SetHostIdentifier(const AUHostIdentifier& identifier) {
  WDL_String name;
  CFStringToUTF8(identifier.hostName, &name);
  const AUNumVersion& v = identifier.hostVersion;
  const int version = (v.majorRev << 16) | ((v.minorAndBugRev >> 4) << 8) | (v.minorAndBugRev & 0x0F);
  SetHost(name.Get(), version);
  OnHostIdentified();
  return noErr;
}
