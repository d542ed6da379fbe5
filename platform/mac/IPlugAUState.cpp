#include <climits>
#include <cstring>

#include "framework/TextCopy.h"
#include "platform/mac/CFStringUTF8.h"
#include "platform/mac/IPlugAU.h"
#include "platform/standin/CFData.h"
#include "platform/standin/CFNumber.h"

// The saved-state dictionary of the class-info property. A value of the
// wrong type counts as missing.

namespace {

const char* const kVersionKey = "version";
const char* const kTypeKey = "type";
const char* const kSubtypeKey = "subtype";
const char* const kManufacturerKey = "manufacturer";
const char* const kNameKey = "name";
const char* const kDataKey = "data";

CFStringRef MakeKey(const char* key) {
  return CFStringCreateWithCString(kCFAllocatorDefault, key, kCFStringEncodingUTF8);
}

// Takes over value; false when either it or the key could not be made.
bool SetInDict(CFMutableDictionaryRef dict, const char* key, CFTypeRef value) {
  CFStringRef keyString = MakeKey(key);
  const bool made = keyString && value;
  if (made) CFDictionarySetValue(dict, keyString, value);
  if (keyString) CFRelease(keyString);
  if (value) CFRelease(value);
  return made;
}

bool PutNumberInDict(CFMutableDictionaryRef dict, const char* key, SInt32 value) {
  return SetInDict(dict, key, CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt32Type, &value));
}

CFTypeRef GetFromDict(CFDictionaryRef dict, const char* key, CFTypeID type) {
  CFStringRef keyString = MakeKey(key);
  if (!keyString) return nullptr;
  CFTypeRef value = CFDictionaryGetValue(dict, keyString);
  CFRelease(keyString);
  return (value && CFGetTypeID(value) == type) ? value : nullptr;
}

bool GetNumberFromDict(CFDictionaryRef dict, const char* key, SInt32* value) {
  CFNumberRef number = static_cast<CFNumberRef>(GetFromDict(dict, key, CFNumberGetTypeID()));
  return number && CFNumberGetValue(number, kCFNumberSInt32Type, value);
}

}  // namespace

bool PutStrInDict(CFMutableDictionaryRef dict, const char* key, const char* value) {
  return SetInDict(dict, key, CFStringCreateWithCString(kCFAllocatorDefault, value, kCFStringEncodingUTF8));
}

bool GetStrFromDict(CFDictionaryRef dict, const char* key, char* out, int outSize) {
  out[0] = '\0';
  CFStringRef string = static_cast<CFStringRef>(GetFromDict(dict, key, CFStringGetTypeID()));
  WDL_String text;
  if (!string || !CFStringToUTF8(string, &text)) return false;
  // A cut name must still be a name, and read as the slots' names are.
  CopyValidText(out, text.Get(), static_cast<std::size_t>(outSize));
  return true;
}

bool GetDataFromDict(CFDictionaryRef dict, const char* key, ByteChunk* chunk) {
  CFDataRef data = static_cast<CFDataRef>(GetFromDict(dict, key, CFDataGetTypeID()));
  if (!data) return false;
  const CFIndex size = CFDataGetLength(data);
  if (size > INT_MAX || chunk->Resize(static_cast<int>(size)) != size) return false;
  if (size > 0) std::memcpy(chunk->GetBytes(), CFDataGetBytePtr(data), static_cast<size_t>(size));
  return true;
}

ComponentResult IPlugAU::GetState(CFPropertyListRef* outState) {
  ComponentDescription cd;
  const OSErr err = GetComponentInfo(reinterpret_cast<Component>(mComponentInstance), &cd, nullptr, nullptr, nullptr);
  if (err != noErr) return err;

  CFMutableDictionaryRef dict = CFDictionaryCreateMutable(kCFAllocatorDefault, 0, &kCFTypeDictionaryKeyCallBacks,
                                                          &kCFTypeDictionaryValueCallBacks);
  if (!dict) return coreFoundationUnknownErr;
  bool complete = PutNumberInDict(dict, kVersionKey, GetEffectVersion(false)) &&
                  PutNumberInDict(dict, kTypeKey, static_cast<SInt32>(cd.componentType)) &&
                  PutNumberInDict(dict, kSubtypeKey, static_cast<SInt32>(cd.componentSubType)) &&
                  PutNumberInDict(dict, kManufacturerKey, static_cast<SInt32>(cd.componentManufacturer)) &&
                  PutStrInDict(dict, kNameKey, GetPresetName(mCurrentPresetIdx));
  ByteChunk chunk;
  if (complete && SerializeState(&chunk)) {
    complete = SetInDict(dict, kDataKey,
                         CFDataCreate(kCFAllocatorDefault, chunk.Size() ? chunk.GetBytes() : nullptr, chunk.Size()));
  }
  // A state without all its keys could never be restored.
  if (!complete) {
    CFRelease(dict);
    return coreFoundationUnknownErr;
  }
  *outState = dict;
  return noErr;
}

ComponentResult IPlugAU::SetState(CFPropertyListRef state) {
  ComponentDescription cd;
  const OSErr err = GetComponentInfo(reinterpret_cast<Component>(mComponentInstance), &cd, nullptr, nullptr, nullptr);
  if (err != noErr) return err;
  if (!state || CFGetTypeID(state) != CFDictionaryGetTypeID()) return kAudioUnitErr_InvalidPropertyValue;
  CFDictionaryRef dict = static_cast<CFDictionaryRef>(state);

  SInt32 version, type, subtype, manufacturer;
  if (!GetNumberFromDict(dict, kVersionKey, &version) || !GetNumberFromDict(dict, kTypeKey, &type) ||
      !GetNumberFromDict(dict, kSubtypeKey, &subtype) ||
      !GetNumberFromDict(dict, kManufacturerKey, &manufacturer)) {
    return kAudioUnitErr_InvalidPropertyValue;
  }
  char presetName[MAX_PRESET_NAME_LEN];
  if (!GetStrFromDict(dict, kNameKey, presetName, sizeof(presetName))) return kAudioUnitErr_InvalidPropertyValue;
  // Another version of this plug-in may restore the state; another component may not.
  if (static_cast<OSType>(type) != cd.componentType || static_cast<OSType>(subtype) != cd.componentSubType ||
      static_cast<OSType>(manufacturer) != cd.componentManufacturer) {
    return kAudioUnitErr_InvalidPropertyValue;
  }

  // A state refused leaves the unit as it was.
  ByteChunk chunk;
  if (!GetDataFromDict(dict, kDataKey, &chunk)) return kAudioUnitErr_InvalidPropertyValue;
  // The named slot becomes current; the data then decides the sound, which
  // changes once, to the data's.
  ParamSetScope set(this);
  RestorePreset(presetName);
  if (UnserializeState(&chunk, 0) == 0) return kAudioUnitErr_InvalidPropertyValue;
  RedrawParamControls();
  return noErr;
}
