// Feeds arbitrary parameter blocks to the entry's property and parameter
// selectors of an open unit: any id, scope, element and record contents.
// Pointers inside records are the harness's own objects or null, as a host
// would pass; whatever the unit hands back is released, and the number of
// live CoreFoundation objects must not grow.

#include <cstddef>
#include <cstring>

#include "platform/mac/ThudrokkaEntry.h"
#include "platform/standin/CFArray.h"
#include "platform/standin/CFDictionary.h"
#include "platform/standin/CFString.h"
#include "platform/standin/HostSession.h"
#include "tests/platform/FakePlug.h"
#include "tests/support/FuzzBytes.h"

namespace {

using testsupport::FuzzBytes;

constexpr size_t kDataBytes = 512;

const AudioUnitPropertyID kIds[] = {0,  1,  2,  3,  4,  5,  8,  11, 12, 13, 14, 16, 18, 19, 20, 21, 22,
                                    23, 24, 27, 28, 30, 31, 32, 33, 34, 35, 36, 37, 38, 46, 1000};

OSStatus Silence(void*, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32, AudioBufferList*) {
  return noErr;
}

OSStatus Tempo(void*, Float64* beat, Float64* tempo) {
  *beat = 1.0;
  *tempo = 133.0;
  return noErr;
}

// Everything a record may point at lives here for one call.
struct Scratch {
  float value = 0.5f;
  CFStringRef text = nullptr;
  CFMutableDictionaryRef dict = nullptr;

  explicit Scratch(FuzzBytes* in) {
    char chars[24];
    in->Copy(chars, sizeof(chars) - 1);
    chars[sizeof(chars) - 1] = '\0';
    text = CFStringCreateWithCString(nullptr, chars, kCFStringEncodingUTF8);
    dict = CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  }
  ~Scratch() {
    if (text) CFRelease(text);
    CFRelease(dict);
  }
};

AudioUnit gSelf = nullptr;

// Replaces the pointer fields of a record the unit reads with safe ones.
void FixInputs(AudioUnitPropertyID id, bool set, uint8_t choice, void* data, Scratch* scratch) {
  const bool keep = choice & 1;
  if (set) {
    switch (id) {
      case kAudioUnitProperty_ClassInfo: {
        CFPropertyListRef state = keep ? scratch->dict : nullptr;
        if (choice & 2) state = scratch->text;
        std::memcpy(data, &state, sizeof(state));
        break;
      }
      case kAudioUnitProperty_MakeConnection: {
        AudioUnitConnection* c = static_cast<AudioUnitConnection*>(data);
        c->sourceAudioUnit = keep ? gSelf : nullptr;
        if (choice & 2) c->sourceAudioUnit = reinterpret_cast<AudioUnit>(scratch);  // not a unit
        break;
      }
      case kAudioUnitProperty_SetRenderCallback:
        static_cast<AURenderCallbackStruct*>(data)->inputProc = keep ? Silence : nullptr;
        break;
      case kAudioUnitProperty_HostCallbacks:
        *static_cast<HostCallbackInfo*>(data) = {nullptr, keep ? Tempo : nullptr, nullptr, nullptr};
        break;
      case kAudioUnitProperty_CurrentPreset:
      case kAudioUnitProperty_PresentPreset:
        static_cast<AUPreset*>(data)->presetName = nullptr;
        break;
      case kAudioUnitProperty_AUHostIdentifier:
        static_cast<AUHostIdentifier*>(data)->hostName = keep ? scratch->text : nullptr;
        break;
      case kAudioUnitProperty_MaximumFramesPerSlice:
        *static_cast<UInt32*>(data) &= 0x1FFF;
        break;
    }
    return;
  }
  switch (id) {
    case kAudioUnitProperty_ParameterStringFromValue:
      static_cast<AudioUnitParameterStringFromValue*>(data)->inValue = keep ? &scratch->value : nullptr;
      break;
    case kAudioUnitProperty_ParameterValueFromString:
      static_cast<AudioUnitParameterValueFromString*>(data)->inString = keep ? scratch->text : nullptr;
      break;
  }
}

void ReleaseIfChanged(const void* before, const void* after) {
  CFTypeRef old, now;
  std::memcpy(&old, before, sizeof(old));
  std::memcpy(&now, after, sizeof(now));
  if (now && now != old) CFRelease(now);
}

// Releases what a successful get handed to the host.
void ReleaseOutputs(AudioUnitPropertyID id, const uint8_t* before, const uint8_t* after) {
  switch (id) {
    case kAudioUnitProperty_ClassInfo:
    case kAudioUnitProperty_ParameterValueStrings:
    case kAudioUnitProperty_FactoryPresets:
    case kAudioUnitProperty_ElementName:
      ReleaseIfChanged(before, after);
      break;
    case kAudioUnitProperty_ParameterInfo:
      ReleaseIfChanged(before + offsetof(AudioUnitParameterInfo, unitName),
                       after + offsetof(AudioUnitParameterInfo, unitName));
      ReleaseIfChanged(before + offsetof(AudioUnitParameterInfo, cfNameString),
                       after + offsetof(AudioUnitParameterInfo, cfNameString));
      break;
    case kAudioUnitProperty_CurrentPreset:
    case kAudioUnitProperty_PresentPreset:
      ReleaseIfChanged(before + offsetof(AUPreset, presetName), after + offsetof(AUPreset, presetName));
      break;
    case kAudioUnitProperty_CocoaUI:
      ReleaseIfChanged(before, after);
      ReleaseIfChanged(before + sizeof(CFURLRef), after + sizeof(CFURLRef));
      break;
    case kAudioUnitProperty_ParameterStringFromValue:
      ReleaseIfChanged(before + offsetof(AudioUnitParameterStringFromValue, outString),
                       after + offsetof(AudioUnitParameterStringFromValue, outString));
      break;
    case kAudioUnitProperty_ParameterIDName:
    case kAudioUnitProperty_ParameterClumpName:
      ReleaseIfChanged(before + offsetof(AudioUnitParameterNameInfo, outName),
                       after + offsetof(AudioUnitParameterNameInfo, outName));
      break;
  }
}

void OneCall(AudioUnit unit, FuzzBytes* in) {
  const uint8_t op = in->Byte() % 6;
  const uint8_t idChoice = in->Byte();
  const AudioUnitPropertyID id =
      idChoice < 224 ? kIds[idChoice % (sizeof(kIds) / sizeof(kIds[0]))] : in->Value<AudioUnitPropertyID>();
  const AudioUnitScope scope = in->Byte() % 4;
  const uint8_t elementChoice = in->Byte();
  const AudioUnitElement element = elementChoice < 240 ? elementChoice % 8 : in->Value<AudioUnitElement>();
  const uint8_t fixChoice = in->Byte();

  alignas(16) uint8_t data[kDataBytes] = {};
  in->Copy(data, in->Byte() % 96);
  Scratch scratch(in);
  UInt32 size = kDataBytes;
  Boolean writable = false;

  switch (op) {
    case 0:
      AudioUnitGetPropertyInfo(unit, id, scope, element, (fixChoice & 4) ? &size : nullptr,
                               (fixChoice & 8) ? &writable : nullptr);
      break;
    case 1: {
      FixInputs(id, false, fixChoice, data, &scratch);
      alignas(16) uint8_t before[kDataBytes];
      std::memcpy(before, data, kDataBytes);
      if (AudioUnitGetProperty(unit, id, scope, element, data, &size) == noErr) ReleaseOutputs(id, before, data);
      break;
    }
    case 2:
      FixInputs(id, true, fixChoice, data, &scratch);
      AudioUnitSetProperty(unit, id, scope, element, (fixChoice & 16) ? nullptr : data, kDataBytes);
      break;
    case 3: {
      AudioUnitParameterValue value = 0.0f;
      AudioUnitGetParameter(unit, id, scope, element, (fixChoice & 4) ? &value : nullptr);
      break;
    }
    case 4: {
      AudioUnitParameterValue value;
      std::memcpy(&value, data, sizeof(value));
      AudioUnitSetParameter(unit, id, scope, element, value, 0);
      break;
    }
    default: {
      AudioUnitParameterEvent events[4];
      std::memcpy(events, data, sizeof(events));
      AudioUnitScheduleParameters(unit, (fixChoice & 4) ? nullptr : events, fixChoice % 5);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static standin::HostSession* sessions = [] {
    RegisterThudrokkaComponents();
    auto* s = new standin::HostSession[2];
    if (s[0].Open(kThudrokkaComponentDescription) != noErr) __builtin_trap();
    fake::gFakeConfig.channelIO = "1-1 2-2";
    fake::gFakeConfig.isInstrument = false;
    fake::gFakeConfig.sideChainChannels = 1;
    if (s[1].Open(kThudrokkaComponentDescription) != noErr) __builtin_trap();
    return s;
  }();
  FuzzBytes in(data, size);
  AudioUnit unit = sessions[in.Byte() & 1].Unit();
  gSelf = unit;
  const long live = standin::CFLiveObjectCount();
  while (!in.Empty()) OneCall(unit, &in);
  if (standin::CFLiveObjectCount() != live) __builtin_trap();
  return 0;
}
