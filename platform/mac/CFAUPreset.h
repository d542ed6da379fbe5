#pragma once

#include "platform/standin/AudioUnitProperties.h"
#include "platform/standin/CFArray.h"

// A reference-counted factory preset as hosts see it; a CFArray made with
// kCFAUPresetArrayCallBacks owns such records.
struct CFAUPreset {
  AUPreset auPreset;
  CFAllocatorRef allocator;
  CFIndex retainCount;
};
typedef const CFAUPreset* CFAUPresetRef;

extern const CFArrayCallBacks kCFAUPresetArrayCallBacks;

// Null when the allocator fails; the record holds its own copy of the name.
CFAUPresetRef CFAUPresetCreate(CFAllocatorRef allocator, SInt32 number, CFStringRef name);
CFAUPresetRef CFAUPresetRetain(const void* preset);
void CFAUPresetRelease(const void* preset);

const void* CFAUPresetArrayRetainCallBack(CFAllocatorRef allocator, const void* preset);
void CFAUPresetArrayReleaseCallBack(CFAllocatorRef allocator, const void* preset);
CFStringRef CFAUPresetArrayCopyDescriptionCallBack(const void* preset);
Boolean CFAUPresetArrayEqualCallBack(const void* preset1, const void* preset2);
// Fills the caller's record like kCFAUPresetArrayCallBacks; null in, null out.
CFArrayCallBacks* CFAUPresetArrayCallBacks_Init(CFArrayCallBacks* callbacks);
