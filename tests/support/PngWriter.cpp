#include "tests/support/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace testsupport {

namespace {

// libpng reports errors by jumping back here; nothing with a destructor lives in this frame.
bool WriteImage(png_structp png, png_infop info, std::FILE* file, const unsigned char* pixels, int width, int height,
                int rowBytes, bool withAlpha, unsigned char* row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    const unsigned char* p = pixels + static_cast<size_t>(y) * rowBytes;
    const int channels = withAlpha ? 4 : 3;
    for (int x = 0; x < width; ++x) {
      unsigned char* out = row + static_cast<size_t>(x) * channels;
      for (int c = 0; c < 3; ++c) out[c] = p[x * 4 + 1 + c];
      if (withAlpha) out[3] = p[x * 4];
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool writePng(const std::string& path, const unsigned char* pixels, int width, int height, int rowBytes,
              bool withAlpha) {
  if (!pixels || width < 1 || height < 1) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<unsigned char> row(static_cast<size_t>(width) * 4);
  const bool ok = info && WriteImage(png, info, file, pixels, width, height, rowBytes, withAlpha, row.data());
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  return std::fclose(file) == 0 && ok;
}

std::string outputPath(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(THUDROKKA_TEST_OUTPUT_DIR);
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  return (dir / name).string();
}

}  // namespace testsupport
