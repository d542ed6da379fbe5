#pragma once

#include <string>

// Numbers as the commands' options and the editor's scripts take them:
// whole numbers in decimal, or decimals, within [min, max]. False, with
// error set to "NAME takes a whole number from MIN to MAX, not 'TEXT'" (or
// "a number"), for anything else.
bool parseWholeNumber(const std::string& name, const std::string& text, int min, int max, int* out,
                      std::string* error);
bool parseNumber(const std::string& name, const std::string& text, double min, double max, double* out,
                 std::string* error);
