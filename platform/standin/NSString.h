// Stands in for Foundation strings (NSString) on Linux: the text is UTF-8 in a std::string, measured and indexed in UTF-16 units as the platform does.
#pragma once

#include <cstdint>
#include <string>

typedef uint16_t unichar;

// The text as UTF-16 units; a malformed byte becomes one U+FFFD.
std::u16string NSStringUnits(const std::string& text);
// UTF-16 units back to UTF-8; a lone surrogate becomes U+FFFD.
std::string NSStringFromUnits(const std::u16string& units);
size_t NSStringLength(const std::string& text);
// The UTF-16 unit at index, 0 beyond the end.
unichar NSStringCharacterAtIndex(const std::string& text, size_t index);
std::string NSStringFromCharacter(unichar c);
// Leading blanks, an optional sign and the digits that follow; 0 without
// digits, saturated at the int range.
int NSStringIntValue(const std::string& text);
