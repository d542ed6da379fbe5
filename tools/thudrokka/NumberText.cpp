#include "tools/thudrokka/NumberText.h"

#include <charconv>
#include <cstdio>

#include "framework/PrintableText.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digits after the sign, if the text has the form the reading allows:
// digits, with a fraction when one is allowed, and a sign only for a range
// that holds negatives. Null otherwise.
const char* plainDecimal(const std::string& text, bool signAllowed, bool fractionAllowed) {
  const char* p = text.c_str();
  const char* const end = p + text.size();
  if (signAllowed && p < end && (*p == '-' || *p == '+')) ++p;
  const char* const digits = p;
  bool anyDigit = false;
  for (; p < end && isDigit(*p); ++p) anyDigit = true;
  if (fractionAllowed && p < end && *p == '.') {
    for (++p; p < end && isDigit(*p); ++p) anyDigit = true;
  }
  return anyDigit && p == end ? digits : nullptr;
}

// from_chars takes no '+', so the sign is read here.
template <class Number>
bool convert(const std::string& text, const char* digits, Number* out) {
  const char* const end = text.c_str() + text.size();
  Number magnitude{};
  const auto read = std::from_chars(digits, end, magnitude);
  if (read.ec != std::errc() || read.ptr != end) return false;
  *out = digits > text.c_str() && text[0] == '-' ? -magnitude : magnitude;
  return true;
}

}  // namespace

bool parseWholeNumber(const std::string& name, const std::string& text, int min, int max, int* out,
                      std::string* error) {
  const char* digits = plainDecimal(text, min < 0, false);
  long long n = 0;
  if (!digits || !convert(text, digits, &n) || n < min || n > max) {
    *error = name + " takes a whole number from " + std::to_string(min) + " to " + std::to_string(max) + ", not '" +
             printableText(text) + "'";
    return false;
  }
  *out = static_cast<int>(n);
  return true;
}

bool parseNumber(const std::string& name, const std::string& text, double min, double max, double* out,
                 std::string* error) {
  const char* digits = plainDecimal(text, min < 0.0, true);
  double x = 0.0;
  if (!digits || !convert(text, digits, &x) || x < min || x > max) {
    char range[64];
    std::snprintf(range, sizeof(range), "%g to %g", min, max);
    *error = name + " takes a number from " + range + ", not '" + printableText(text) + "'";
    return false;
  }
  *out = x;
  return true;
}
