// Feeds arbitrary saved-state dictionaries (keys, value types, sizes, names,
// data) to an open unit through the class-info property, then saves the
// state again; every CoreFoundation object must be released afterwards.

#include <string>
#include <vector>

#include "platform/mac/ThudrokkaEntry.h"
#include "platform/standin/CFArray.h"
#include "platform/standin/CFData.h"
#include "platform/standin/CFDictionary.h"
#include "platform/standin/CFNumber.h"
#include "platform/standin/CFString.h"
#include "platform/standin/HostSession.h"
#include "tests/platform/FakePlug.h"
#include "tests/support/FuzzBytes.h"

namespace {

using testsupport::FuzzBytes;

const char* const kKeys[] = {"version", "type", "subtype", "manufacturer", "name", "data"};

void Put(CFMutableDictionaryRef dict, const std::string& key, CFTypeRef value) {
  CFStringRef k = CFStringCreateWithCString(nullptr, key.c_str(), kCFStringEncodingUTF8);
  if (k && value) CFDictionarySetValue(dict, k, value);
  if (k) CFRelease(k);
  if (value) CFRelease(value);
}

CFTypeRef Number(SInt32 value) { return CFNumberCreate(nullptr, kCFNumberSInt32Type, &value); }

std::string Text(FuzzBytes* in, size_t length) {
  std::string text(length, '\0');
  text.resize(in->Copy(&text[0], length));
  return text.c_str();  // stops at an embedded zero, as a C string would
}

CFTypeRef Value(FuzzBytes* in) {
  const uint8_t type = in->Byte() % 6;
  const size_t length = in->Byte();
  switch (type) {
    case 0:
      return Number(in->Value<SInt32>());
    case 1: {
      const SInt64 v = in->Value<SInt64>();
      return CFNumberCreate(nullptr, kCFNumberSInt64Type, &v);
    }
    case 2: {
      const double v = in->Value<double>();
      return CFNumberCreate(nullptr, kCFNumberFloat64Type, &v);
    }
    case 3:
      return CFStringCreateWithCString(nullptr, Text(in, length).c_str(), kCFStringEncodingUTF8);
    case 4: {
      std::vector<UInt8> bytes(length * 8);
      bytes.resize(in->Copy(bytes.data(), bytes.size()));
      return CFDataCreate(nullptr, bytes.empty() ? nullptr : bytes.data(), static_cast<CFIndex>(bytes.size()));
    }
    default:
      return CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
  }
}

CFTypeRef BuildState(FuzzBytes* in) {
  const uint8_t kind = in->Byte() % 8;
  if (kind == 6) return CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
  if (kind == 7) return nullptr;
  CFMutableDictionaryRef dict =
      CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  // Correct identity keys let inputs reach the preset and data steps.
  const uint8_t prefill = in->Byte();
  const SInt32 identity[] = {0x10502, static_cast<SInt32>(kThudrokkaComponentDescription.componentType),
                             static_cast<SInt32>(kThudrokkaComponentDescription.componentSubType),
                             static_cast<SInt32>(kThudrokkaComponentDescription.componentManufacturer)};
  for (int i = 0; i < 4; ++i) {
    if (prefill & (1 << i)) Put(dict, kKeys[i], Number(identity[i]));
  }
  if (prefill & 0x10) Put(dict, "name", CFStringCreateWithCString(nullptr, "Kick", kCFStringEncodingUTF8));
  while (!in->Empty()) {
    const uint8_t keyChoice = in->Byte() % 8;
    std::string key = keyChoice < 6 ? kKeys[keyChoice] : (keyChoice == 6 ? Text(in, in->Byte() % 16) : "");
    Put(dict, key, Value(in));
  }
  return dict;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static standin::HostSession* session = [] {
    RegisterThudrokkaComponents();
    fake::gFakeConfig = fake::FakePlugConfig();
    auto* s = new standin::HostSession();
    if (s->Open(kThudrokkaComponentDescription) != noErr) __builtin_trap();
    return s;
  }();
  const long live = standin::CFLiveObjectCount();
  FuzzBytes in(data, size);
  CFTypeRef state = BuildState(&in);
  session->SetState(state);
  if (state) CFRelease(state);
  CFPropertyListRef saved = nullptr;
  if (session->GetState(&saved) != noErr) __builtin_trap();
  CFRelease(saved);
  if (standin::CFLiveObjectCount() != live) __builtin_trap();
  return 0;
}
