#pragma once

#include <cstddef>
#include <cstring>

// Copies into a fixed-size field, cutting what does not fit and always
// terminating; a null source gives an empty text.
inline void CopyText(char* dest, const char* src, std::size_t destSize) {
  if (!dest || destSize == 0) return;
  if (!src) src = "";
  std::size_t n = 0;
  while (n + 1 < destSize && src[n]) ++n;
  std::memmove(dest, src, n);
  dest[n] = '\0';
}
