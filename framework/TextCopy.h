#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

// Texts are UTF-8. A limit in bytes cuts a text before a character that
// would not fit whole, so that what is kept is still a text.

namespace text_copy_detail {

// The length of the character a byte begins, by the byte alone: 1 for
// ASCII, 2 to 4 for a lead byte, 0 for a byte no character begins with.
inline std::size_t LeadLength(unsigned char b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

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
  // A stray byte stands for itself.
  const std::size_t length = std::max<std::size_t>(LeadLength(byte(first)), 1);
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

// Bytes in the well-formed UTF-8 character at text, or 0 where none starts:
// a stray continuation byte, a cut or overlong sequence, a surrogate, a
// code point past U+10FFFF or a byte UTF-8 never uses. Reads no further
// than the text's terminator.
inline std::size_t Utf8CharLength(const char* text) {
  const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  const std::size_t length = text_copy_detail::LeadLength(lead);
  if (length <= 1) return length;
  // The second byte's range rules out overlong forms, surrogates and code
  // points past the last.
  const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Names come from files, hosts and people, and hosts take only UTF-8. Each
// byte that starts no well-formed character is read as the Latin-1
// character of its value, since text that is not UTF-8 mostly is Latin-1;
// text that is UTF-8 already comes back as it is. Null reads as empty.
inline std::string ValidText(const char* text) {
  std::string valid;
  for (const char* s = text ? text : ""; *s;) {
    const std::size_t length = Utf8CharLength(s);
    if (length > 0) {
      valid.append(s, length);
      s += length;
    } else {
      const unsigned char b = static_cast<unsigned char>(*s++);
      valid += static_cast<char>(0xC0 | b >> 6);
      valid += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return valid;
}

// CopyText of the text ValidText reads from src; src may lie inside dest.
inline void CopyValidText(char* dest, const char* src, std::size_t destSize) {
  CopyText(dest, ValidText(src).c_str(), destSize);
}

// Bytes of the UTF-8 byte-order mark that text begins with, which editors
// put at the start of files they mark as UTF-8: 3, or 0 when there is none.
inline std::size_t ByteOrderMarkLength(const char* text) {
  return std::strncmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}
