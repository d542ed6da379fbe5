// Stands in for the font family look-up of Apple Type Services (ATSFont) on Linux: every name gets a number of its own, which tests can turn back into the name.
#pragma once

#include <string>

#include "platform/standin/CFString.h"

typedef UInt32 ATSFontFamilyRef;
typedef UInt32 ATSOptionFlags;
constexpr ATSFontFamilyRef kInvalidFontFamily = 0xFFFFFFFFu;

// kInvalidFontFamily for a null or empty name.
ATSFontFamilyRef ATSFontFamilyFindFromName(CFStringRef name, ATSOptionFlags options);

namespace standin {

// "" for a number no name was given.
std::string FontFamilyName(ATSFontFamilyRef family);

}  // namespace standin
