#include "framework/PrintableText.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr char kPlaceholder = '?';

// Length of the well-formed UTF-8 sequence at text[i] and its code point,
// or 0 when the bytes there are not one.
std::size_t decodeUtf8(const std::string& text, std::size_t i, uint32_t* codePoint) {
  const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length;
  uint32_t value;
  if (lead < 0x80) {
    *codePoint = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    value = value << 6 | (byte(i + k) & 0x3F);
  }
  // Overlong forms, surrogates and values past the last code point.
  static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return 0;
  *codePoint = value;
  return length;
}

bool isControl(uint32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// Characters that draw nothing yet change how a terminal shows the text
// around them: bidirectional controls that reorder it, zero-width joiners
// and spaces, the byte-order mark and the other format characters (Unicode's
// Cf), and the line and paragraph separators.
struct Range {
  uint32_t first, last;
};
const Range kInvisible[] = {
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
    {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
    {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
};

bool isInvisible(uint32_t c) {
  for (const Range& range : kInvisible) {
    if (c >= range.first && c <= range.last) return true;
  }
  return false;
}

}  // namespace

std::string printableText(const std::string& text) {
  std::string printable;
  printable.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    uint32_t codePoint = 0;
    const std::size_t length = decodeUtf8(text, i, &codePoint);
    if (length == 0 || isControl(codePoint) || isInvisible(codePoint)) {
      printable += kPlaceholder;
      i += length == 0 ? 1 : length;
    } else {
      printable.append(text, i, length);
      i += length;
    }
  }
  return printable;
}
