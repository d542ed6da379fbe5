// Stands in for the platform's CoreFoundation data interface (CFData) on Linux.
#pragma once

#include "platform/standin/CFBase.h"

typedef const struct StandinCFData* CFDataRef;

CFTypeID CFDataGetTypeID();
// A null byte pointer is allowed with a length of 0.
CFDataRef CFDataCreate(CFAllocatorRef allocator, const UInt8* bytes, CFIndex length);
CFIndex CFDataGetLength(CFDataRef data);
// Null for empty data.
const UInt8* CFDataGetBytePtr(CFDataRef data);
