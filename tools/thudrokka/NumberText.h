#pragma once

#include <string>

// Numbers as the commands' options and the editor's scripts take them: plain
// decimal digits, a '-' or '+' in front only when min is below zero, nothing
// before or after; parseNumber also takes a fraction after a '.'. False, with
// error set to "NAME takes a whole number from MIN to MAX, not 'TEXT'" (or
// "a number"), the text printable, for anything else or anything outside
// [min, max].
bool parseWholeNumber(const std::string& name, const std::string& text, int min, int max, int* out,
                      std::string* error);
bool parseNumber(const std::string& name, const std::string& text, double min, double max, double* out,
                 std::string* error);
