#include "tools/thudrokka/NumberText.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tools/thudrokka/PrintableText.h"

bool parseWholeNumber(const std::string& name, const std::string& text, int min, int max, int* out,
                      std::string* error) {
  char* end = nullptr;
  errno = 0;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || n < min || n > max) {
    *error = name + " takes a whole number from " + std::to_string(min) + " to " + std::to_string(max) + ", not '" +
             printableText(text) + "'";
    return false;
  }
  *out = static_cast<int>(n);
  return true;
}

bool parseNumber(const std::string& name, const std::string& text, double min, double max, double* out,
                 std::string* error) {
  char* end = nullptr;
  const double x = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(x) || x < min || x > max) {
    char range[64];
    std::snprintf(range, sizeof(range), "%g to %g", min, max);
    *error = name + " takes a number from " + range + ", not '" + printableText(text) + "'";
    return false;
  }
  *out = x;
  return true;
}
