#include "tools/make-editor-images/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <vector>

#include "framework/OutputFile.h"

namespace art {

namespace {

void WriteBytes(png_structp png, png_bytep data, png_size_t size) {
  if (!static_cast<OutputFile*>(png_get_io_ptr(png))->write(data, size)) png_error(png, "write failed");
}

void Flush(png_structp) {}

// libpng's errors jump back here; nothing with a destructor lives across it.
bool Encode(OutputFile* file, png_bytep* rows, int width, int height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  bool written = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_set_write_fn(png, file, WriteBytes, Flush);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  return written;
}

}  // namespace

bool WritePng(LICE_IBitmap* bitmap, const std::string& path, std::string* error) {
  const int width = bitmap->getWidth(), height = bitmap->getHeight();
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
  std::vector<png_bytep> rows(height);
  for (int y = 0; y < height; ++y) {
    const LICE_pixel* source = bitmap->getBits() + static_cast<size_t>(y) * bitmap->getRowSpan();
    unsigned char* out = &pixels[static_cast<size_t>(y) * width * 4];
    for (int x = 0; x < width; ++x) {
      out[4 * x] = static_cast<unsigned char>(LICE_PixelRed(source[x]));
      out[4 * x + 1] = static_cast<unsigned char>(LICE_PixelGreen(source[x]));
      out[4 * x + 2] = static_cast<unsigned char>(LICE_PixelBlue(source[x]));
      out[4 * x + 3] = static_cast<unsigned char>(LICE_PixelAlpha(source[x]));
    }
    rows[y] = out;
  }
  OutputFile file;
  if (file.open(path.c_str()) && Encode(&file, rows.data(), width, height) && file.commit()) return true;
  *error = file.failed() ? file.error() : "cannot encode " + path;
  return false;
}

}  // namespace art
