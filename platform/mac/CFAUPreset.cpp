#include "platform/mac/CFAUPreset.h"

#include <new>

#include "platform/standin/CFString.h"

const CFArrayCallBacks kCFAUPresetArrayCallBacks = {
    0, CFAUPresetArrayRetainCallBack, CFAUPresetArrayReleaseCallBack, CFAUPresetArrayCopyDescriptionCallBack,
    CFAUPresetArrayEqualCallBack};

namespace {
CFAUPreset* Mutable(const void* preset) { return static_cast<CFAUPreset*>(const_cast<void*>(preset)); }
}  // namespace

CFAUPresetRef CFAUPresetCreate(CFAllocatorRef allocator, SInt32 number, CFStringRef name) {
  void* memory = CFAllocatorAllocate(allocator, sizeof(CFAUPreset), 0);
  if (!memory) return nullptr;
  CFStringRef copy = name ? CFStringCreateCopy(allocator, name) : nullptr;
  return new (memory) CFAUPreset{{number, copy}, allocator, 1};
}

CFAUPresetRef CFAUPresetRetain(const void* preset) {
  if (!preset) return nullptr;
  CFAUPreset* record = Mutable(preset);
  if (record->auPreset.presetName) CFRetain(record->auPreset.presetName);
  ++record->retainCount;
  return record;
}

void CFAUPresetRelease(const void* preset) {
  if (!preset) return;
  CFAUPreset* record = Mutable(preset);
  if (record->retainCount <= 0) return;
  if (record->auPreset.presetName) CFRelease(record->auPreset.presetName);
  if (--record->retainCount > 0) return;
  record->auPreset.presetName = nullptr;
  record->auPreset.presetNumber = 0;
  CFAllocatorRef allocator = record->allocator;
  record->~CFAUPreset();
  CFAllocatorDeallocate(allocator, record);
}

const void* CFAUPresetArrayRetainCallBack(CFAllocatorRef, const void* preset) { return CFAUPresetRetain(preset); }

void CFAUPresetArrayReleaseCallBack(CFAllocatorRef, const void* preset) { CFAUPresetRelease(preset); }

CFStringRef CFAUPresetArrayCopyDescriptionCallBack(const void* preset) {
  const CFAUPreset* record = static_cast<const CFAUPreset*>(preset);
  CFStringRef format = CFStringCreateWithCString(kCFAllocatorDefault,
                                                 "AUPreset:\npreset number = %d\npreset name = %@",
                                                 kCFStringEncodingUTF8);
  if (!format) return nullptr;
  CFStringRef description = CFStringCreateWithFormat(kCFAllocatorDefault, nullptr, format,
                                                     static_cast<int>(record->auPreset.presetNumber),
                                                     record->auPreset.presetName);
  CFRelease(format);
  return description;
}

Boolean CFAUPresetArrayEqualCallBack(const void* preset1, const void* preset2) {
  const CFAUPreset* a = static_cast<const CFAUPreset*>(preset1);
  const CFAUPreset* b = static_cast<const CFAUPreset*>(preset2);
  return a->auPreset.presetNumber == b->auPreset.presetNumber &&
         CFStringCompare(a->auPreset.presetName, b->auPreset.presetName, 0) == kCFCompareEqualTo;
}

CFArrayCallBacks* CFAUPresetArrayCallBacks_Init(CFArrayCallBacks* callbacks) {
  if (callbacks) *callbacks = kCFAUPresetArrayCallBacks;
  return callbacks;
}
