// Stands in for the platform's CoreFoundation number interface (CFNumber) on Linux.
#pragma once

#include "platform/standin/CFBase.h"

typedef const struct StandinCFNumber* CFNumberRef;

enum CFNumberType : CFIndex {
  kCFNumberSInt32Type = 3,
  kCFNumberSInt64Type = 4,
  kCFNumberFloat64Type = 6,
};

CFTypeID CFNumberGetTypeID();
CFNumberRef CFNumberCreate(CFAllocatorRef allocator, CFNumberType type, const void* value);
// Converts to the asked type; false when the conversion loses information.
Boolean CFNumberGetValue(CFNumberRef number, CFNumberType type, void* value);
