#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

// Whether text is UTF-8 as a host takes it, checked apart from the code
// under test: each character decoded from its lead byte's bit count must
// encode back to the same bytes, and be no surrogate and no code point past
// U+10FFFF.
inline bool IsUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int ones = 0;
    while (ones < 8 && (lead & (0x80 >> ones))) ++ones;
    if (ones == 1 || ones > 4) return false;
    const int length = ones == 0 ? 1 : ones;
    if (i + length > text.size()) return false;
    uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = cp << 6 | (b & 0x3F);
    }
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return false;
    const int shortest = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
    if (shortest != length) return false;
    i += length;
  }
  return true;
}

}  // namespace testsupport
