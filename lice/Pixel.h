#pragma once

// The 32-bit pixel and colour word: in memory alpha, red, green, blue, so
// read as a little-endian word its value is A | R << 8 | G << 16 | B << 24.
typedef unsigned int LICE_pixel;
typedef unsigned char LICE_pixel_chan;

// Byte index of each channel inside a pixel.
enum { LICE_PIXEL_A = 0, LICE_PIXEL_R = 1, LICE_PIXEL_G = 2, LICE_PIXEL_B = 3 };

constexpr int LICE_PixelAlpha(LICE_pixel c) { return static_cast<int>(c & 255); }
constexpr int LICE_PixelRed(LICE_pixel c) { return static_cast<int>((c >> 8) & 255); }
constexpr int LICE_PixelGreen(LICE_pixel c) { return static_cast<int>((c >> 16) & 255); }
constexpr int LICE_PixelBlue(LICE_pixel c) { return static_cast<int>(c >> 24); }

constexpr LICE_pixel LICE_MakePixel(int r, int g, int b, int a) {
  return (static_cast<LICE_pixel>(a) & 255) | ((static_cast<LICE_pixel>(r) & 255) << 8) |
         ((static_cast<LICE_pixel>(g) & 255) << 16) | ((static_cast<LICE_pixel>(b) & 255) << 24);
}

// The mode word of every drawing call: the low byte picks the combine
// operation, 0x100 in the filter byte asks for bilinear sampling, and
// 0x10000 weights each source pixel by its own alpha.
constexpr int LICE_MODE_COPY = 0;
constexpr int LICE_MODE_ADD = 1;
constexpr int LICE_MODE_DODGE = 2;
constexpr int LICE_MODE_MULTIPLY = 3;
constexpr int LICE_MODE_OVERLAY = 4;
constexpr int LICE_MODE_HSV_ADJUST = 5;
constexpr int LICE_MODE_BILINEAR = 0x100;
constexpr int LICE_MODE_SOURCE_ALPHA = 0x10000;
