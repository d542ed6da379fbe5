#pragma once

#include <string>

// A platform string from UTF-8 text; null reads as empty.
inline std::string ToNSString(const char* text) { return text ? text : ""; }
