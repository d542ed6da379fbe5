// Stands in for the platform's MacTypes interface on Linux.
#pragma once

#include <cstdint>

typedef uint8_t UInt8;
typedef int16_t SInt16;
typedef uint16_t UInt16;
typedef uint32_t UInt32;
typedef int32_t SInt32;
typedef uint64_t UInt64;
typedef int64_t SInt64;
typedef float Float32;
typedef double Float64;
typedef unsigned char Boolean;
typedef SInt32 OSStatus;
typedef SInt16 OSErr;
typedef UInt32 FourCharCode;
typedef FourCharCode OSType;

constexpr OSStatus noErr = 0;
constexpr OSStatus paramErr = -50;

struct Rect {
  short top, left, bottom, right;
};

// Four-character codes spelled as text, since multi-character literals warn.
constexpr FourCharCode FourCC(const char (&code)[5]) {
  return (FourCharCode(UInt8(code[0])) << 24) | (FourCharCode(UInt8(code[1])) << 16) |
         (FourCharCode(UInt8(code[2])) << 8) | FourCharCode(UInt8(code[3]));
}
