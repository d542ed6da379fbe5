// Stands in for the platform's CoreFoundation base interface (CFBase) on Linux.
#pragma once

#include <cstddef>

#include "platform/standin/MacTypes.h"

typedef const void* CFTypeRef;
typedef const void* CFPropertyListRef;
typedef long CFIndex;
typedef unsigned long CFTypeID;
typedef unsigned long CFHashCode;
typedef unsigned long CFOptionFlags;
typedef const struct StandinCFAllocator* CFAllocatorRef;
typedef const struct StandinCFString* CFStringRef;

enum CFComparisonResult { kCFCompareLessThan = -1, kCFCompareEqualTo = 0, kCFCompareGreaterThan = 1 };

constexpr OSStatus coreFoundationUnknownErr = -4960;

// Null selects the default allocator, as on the platform.
extern const CFAllocatorRef kCFAllocatorDefault;

void* CFAllocatorAllocate(CFAllocatorRef allocator, CFIndex size, CFOptionFlags hint);
void CFAllocatorDeallocate(CFAllocatorRef allocator, void* ptr);

CFTypeRef CFRetain(CFTypeRef object);
void CFRelease(CFTypeRef object);
CFIndex CFGetRetainCount(CFTypeRef object);
CFTypeID CFGetTypeID(CFTypeRef object);
Boolean CFEqual(CFTypeRef a, CFTypeRef b);
CFHashCode CFHash(CFTypeRef object);
CFStringRef CFCopyDescription(CFTypeRef object);

namespace standin {

// Objects created and not yet freed, so tests can prove nothing leaks.
long CFLiveObjectCount();

// Makes the allocator fail once after `allocationsBeforeFailure` more
// successful allocations; a negative count disarms it.
void CFFailAllocationAfter(int allocationsBeforeFailure);

}  // namespace standin
