#pragma once

#include <array>

// Integer hue, saturation and value: hue 0..383 in six sectors of 64 (0 red,
// 64 yellow, 128 green, 192 cyan, 256 blue, 320 magenta), saturation and value 0..255.

namespace lice_detail {

constexpr std::array<unsigned short, 256> MakeInverseTable() {
  std::array<unsigned short, 256> table{};
  for (int i = 1; i < 256; ++i) table[i] = static_cast<unsigned short>(65536 / i - 1);
  return table;
}

}  // namespace lice_detail

// Reciprocals that replace the two divisions of the RGB-to-HSV conversion:
// entry i is floor(65536 / i) - 1, entry 0 is 0.
inline constexpr std::array<unsigned short, 256> _LICE_RGB2HSV_invtab =
    lice_detail::MakeInverseTable();

inline void LICE_RGB2HSV(int r, int g, int b, int* h, int* s, int* v) {
  int max, num, delta, base;
  if (r < g) {
    if (g > b) {
      max = g, num = b - r, delta = g - (r < b ? r : b), base = 128;
    } else {
      max = b, num = r - g, delta = b - r, base = 256;
    }
  } else if (b < r) {
    max = r, num = g - b, delta = r - (g < b ? g : b), base = g < b ? 383 : 0;
  } else {
    max = b, num = r - g, delta = b - g, base = 256;
  }
  const auto& inv = _LICE_RGB2HSV_invtab;
  *h = base + ((inv[delta] + 1) * num) / 1024;
  *s = (inv[max] * delta) / 256;
  *v = max;
}

namespace lice_detail {

// (16384 - k * s) * v / 16384, truncated toward zero: hues beyond 0..383,
// which weights above 256 make, turn it negative.
inline int HSVRamp(int k, int s, int v) { return (16384 - k * s) * v / 16384; }

}  // namespace lice_detail

inline void LICE_HSV2RGB(int h, int s, int v, int* r, int* g, int* b) {
  using lice_detail::HSVRamp;
  const int low = ((256 - s) * v) >> 8;
  // Hues outside 0..383 fall into the first or last sector by these tests.
  if (h <= 191) {
    if (h <= 63) {
      *r = v, *g = HSVRamp(64 - h, s, v), *b = low;
    } else if (h <= 127) {
      *r = HSVRamp(h - 64, s, v), *g = v, *b = low;
    } else {
      *r = low, *g = v, *b = HSVRamp(192 - h, s, v);
    }
  } else if (h <= 255) {
    *r = low, *g = HSVRamp(h - 192, s, v), *b = v;
  } else if (h <= 319) {
    *r = HSVRamp(320 - h, s, v), *g = low, *b = v;
  } else {
    *r = v, *g = low, *b = HSVRamp(h - 320, s, v);
  }
}
