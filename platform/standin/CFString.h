// Stands in for the platform's CoreFoundation string interface (CFString) on Linux.
#pragma once

#include <string>

#include "platform/standin/CFBase.h"

typedef UInt32 CFStringEncoding;
typedef const struct StandinCFDictionary* CFDictionaryRef;

enum : CFStringEncoding { kCFStringEncodingUTF8 = 0x08000100 };

CFTypeID CFStringGetTypeID();
// Null for a null pointer, another encoding than UTF-8 or malformed UTF-8.
CFStringRef CFStringCreateWithCString(CFAllocatorRef allocator, const char* text, CFStringEncoding encoding);
CFStringRef CFStringCreateCopy(CFAllocatorRef allocator, CFStringRef string);
// Understands %d, %i, %u, %s, %@ and %%.
CFStringRef CFStringCreateWithFormat(CFAllocatorRef allocator, CFDictionaryRef options, CFStringRef format, ...);
// Length in UTF-16 units.
CFIndex CFStringGetLength(CFStringRef string);
CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding);
// False, with an empty buffer, when the text and its terminator do not fit.
Boolean CFStringGetCString(CFStringRef string, char* buffer, CFIndex bufferSize, CFStringEncoding encoding);
CFComparisonResult CFStringCompare(CFStringRef a, CFStringRef b, CFOptionFlags options);

namespace standin {

// Trusted text from inside the stand-in layer; no encoding check.
CFStringRef CFStringCreateFromStdString(const std::string& text);
// The whole text, or "" for null.
std::string CFStringText(CFStringRef string);

}  // namespace standin
