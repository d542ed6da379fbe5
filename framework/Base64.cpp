#include "framework/Base64.h"

#include <cstring>

#include "framework/OutputFile.h"

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}
}  // namespace

void Base64Decode(const char* text, unsigned char* dest, int size) {
  if (!dest || size <= 0) return;
  std::memset(dest, 0, static_cast<std::size_t>(size));
  if (!text) return;
  unsigned accumulator = 0;
  int bits = 0;
  int written = 0;
  for (; *text && written < size; ++text) {
    const int sextet = SextetOf(*text);
    if (sextet < 0) break;
    accumulator = ((accumulator << 6) | static_cast<unsigned>(sextet)) & 0xFFFFFF;
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      dest[written++] = static_cast<unsigned char>(accumulator >> bits);
    }
  }
}

bool Base64Write(OutputFile& file, const unsigned char* data, int size) {
  char quad[4];
  for (int i = 0; i < size; i += 3) {
    const int n = size - i < 3 ? size - i : 3;
    const unsigned triple = (static_cast<unsigned>(data[i]) << 16) |
                            (n > 1 ? static_cast<unsigned>(data[i + 1]) << 8 : 0u) |
                            (n > 2 ? static_cast<unsigned>(data[i + 2]) : 0u);
    quad[0] = kAlphabet[(triple >> 18) & 63];
    quad[1] = kAlphabet[(triple >> 12) & 63];
    quad[2] = n > 1 ? kAlphabet[(triple >> 6) & 63] : '=';
    quad[3] = n > 2 ? kAlphabet[triple & 63] : '=';
    if (!file.write(quad, 4)) return false;
  }
  return true;
}
