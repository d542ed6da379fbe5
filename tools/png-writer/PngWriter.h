#pragma once

#include <string>

// Writes 32-bit pixels whose bytes are alpha, red, green, blue (the raster
// library's and the drawing contexts' layout) as an 8-bit PNG: RGBA with
// straight alpha, or with withAlpha false an opaque RGB one. The file
// appears only when complete; the same pixels always give the same bytes.
// False, with one line naming the file and the cause in error, on failure.
bool WritePng(const std::string& path, const unsigned char* pixels, int width, int height, int rowBytes,
              bool withAlpha, std::string* error);
