#pragma once

#include <cstddef>
#include <cstring>

// Texts are UTF-8. A limit in bytes cuts a text before a character that
// would not fit whole, so that what is kept is still a text.

namespace text_copy_detail {

// text cut after n bytes, moved back to the first byte of a character that
// the cut splits. The search steps back from byte from (n when the byte
// after the cut may be read, n - 1 when the text ends at n) over at most
// three continuation bytes; stray bytes stay where the cut falls.
inline std::size_t CutOnCharacterBoundary(const char* text, std::size_t n, std::size_t from) {
  const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const auto continues = [&byte](std::size_t i) { return (byte(i) & 0xC0) == 0x80; };
  std::size_t first = from;
  while (first > 0 && n - first < 3 && continues(first)) --first;
  if (first == n || continues(first)) return n;
  const unsigned char b = byte(first);
  const std::size_t length = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 1;
  return first + length > n ? first : n;
}

}  // namespace text_copy_detail

// The bytes of text, at most maxBytes, that end on a character boundary: a
// cut that would split a character moves back to its first byte, while
// stray bytes are cut where the limit falls. The text ends at its
// terminator; a longer one must hold at least maxBytes + 1 bytes.
inline std::size_t TextFitLength(const char* text, std::size_t maxBytes) {
  std::size_t n = 0;
  while (n < maxBytes && text[n]) ++n;
  if (n < maxBytes) return n;
  return text_copy_detail::CutOnCharacterBoundary(text, n, n);
}

// The bytes of a counted text, read no further than count, that end on a
// character boundary: a character the count cuts short is left out. An
// earlier terminator ends the text as it ends any other.
inline std::size_t CountedTextLength(const char* text, std::size_t count) {
  std::size_t n = 0;
  while (n < count && text[n]) ++n;
  if (n < count || n == 0) return n;
  return text_copy_detail::CutOnCharacterBoundary(text, n, n - 1);
}

// Copies into a fixed-size field, cutting what does not fit on a character
// boundary and always terminating; a null source gives an empty text.
inline void CopyText(char* dest, const char* src, std::size_t destSize) {
  if (!dest || destSize == 0) return;
  if (!src) src = "";
  const std::size_t n = TextFitLength(src, destSize - 1);
  std::memmove(dest, src, n);
  dest[n] = '\0';
}
