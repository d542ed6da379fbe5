#include "platform/standin/CFDictionary.h"

#include <utility>
#include <vector>

#include "platform/standin/CFObject.h"

namespace {

const void* TypeRetain(CFAllocatorRef, const void* value) { return CFRetain(value); }
void TypeRelease(CFAllocatorRef, const void* value) { CFRelease(value); }

}  // namespace

const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks = {0,       TypeRetain, TypeRelease,
                                                                CFCopyDescription, CFEqual, CFHash};
const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks = {0, TypeRetain, TypeRelease,
                                                                    CFCopyDescription, CFEqual};

struct StandinCFDictionary : standin::CFObject {
  StandinCFDictionary(const CFDictionaryKeyCallBacks* k, const CFDictionaryValueCallBacks* v)
      : CFObject(standin::kDictionaryTypeID) {
    if (k) keyCallBacks = *k;
    if (v) valueCallBacks = *v;
  }
  ~StandinCFDictionary() override {
    for (auto& entry : entries) {
      if (keyCallBacks.release) keyCallBacks.release(kCFAllocatorDefault, entry.first);
      if (valueCallBacks.release) valueCallBacks.release(kCFAllocatorDefault, entry.second);
    }
  }
  bool keysEqual(const void* a, const void* b) const {
    return keyCallBacks.equal ? keyCallBacks.equal(a, b) : a == b;
  }
  CFDictionaryKeyCallBacks keyCallBacks = {0, nullptr, nullptr, nullptr, nullptr, nullptr};
  CFDictionaryValueCallBacks valueCallBacks = {0, nullptr, nullptr, nullptr, nullptr};
  std::vector<std::pair<const void*, const void*>> entries;
};

namespace {
const StandinCFDictionary* AsDictionary(CFDictionaryRef ref) {
  return standin::CFCast<StandinCFDictionary>(ref, standin::kDictionaryTypeID);
}
}  // namespace

CFTypeID CFDictionaryGetTypeID() { return standin::kDictionaryTypeID; }

CFMutableDictionaryRef CFDictionaryCreateMutable(CFAllocatorRef, CFIndex capacity,
                                                 const CFDictionaryKeyCallBacks* keyCallBacks,
                                                 const CFDictionaryValueCallBacks* valueCallBacks) {
  StandinCFDictionary* dict = standin::CFCreate<StandinCFDictionary>(keyCallBacks, valueCallBacks);
  if (dict && capacity > 0) dict->entries.reserve(static_cast<size_t>(capacity));
  return dict;
}

void CFDictionarySetValue(CFMutableDictionaryRef dict, const void* key, const void* value) {
  if (!AsDictionary(dict)) return;
  if (dict->valueCallBacks.retain) value = dict->valueCallBacks.retain(kCFAllocatorDefault, value);
  for (auto& entry : dict->entries) {
    if (dict->keysEqual(entry.first, key)) {
      if (dict->valueCallBacks.release) dict->valueCallBacks.release(kCFAllocatorDefault, entry.second);
      entry.second = value;
      return;
    }
  }
  if (dict->keyCallBacks.retain) key = dict->keyCallBacks.retain(kCFAllocatorDefault, key);
  dict->entries.emplace_back(key, value);
}

const void* CFDictionaryGetValue(CFDictionaryRef dict, const void* key) {
  const StandinCFDictionary* d = AsDictionary(dict);
  if (!d) return nullptr;
  for (const auto& entry : d->entries) {
    if (d->keysEqual(entry.first, key)) return entry.second;
  }
  return nullptr;
}

CFIndex CFDictionaryGetCount(CFDictionaryRef dict) {
  const StandinCFDictionary* d = AsDictionary(dict);
  return d ? static_cast<CFIndex>(d->entries.size()) : 0;
}
