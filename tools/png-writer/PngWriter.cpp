#include "tools/png-writer/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <vector>

#include "framework/OutputFile.h"

namespace {

void WriteBytes(png_structp png, png_bytep data, png_size_t size) {
  if (!static_cast<OutputFile*>(png_get_io_ptr(png))->write(data, size)) png_error(png, "write failed");
}

void Flush(png_structp) {}

// The writer's caller says what failed in one line of its own, so libpng
// prints nothing.
void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void QuietWarning(png_structp, png_const_charp) {}

// libpng's errors jump back here; nothing with a destructor lives across it.
bool Encode(OutputFile* file, png_bytep* rows, int width, int height, int colorType) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  bool written = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_set_write_fn(png, file, WriteBytes, Flush);
    png_set_IHDR(png, info, width, height, 8, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  return written;
}

}  // namespace

bool WritePng(const std::string& path, const unsigned char* pixels, int width, int height, int rowBytes,
              bool withAlpha, std::string* error) {
  if (!pixels || width < 1 || height < 1 || rowBytes < width * 4) {
    *error = "cannot write '" + path + "': no image to write";
    return false;
  }
  const int channels = withAlpha ? 4 : 3;
  std::vector<unsigned char> packed(static_cast<std::size_t>(width) * height * channels);
  std::vector<png_bytep> rows(height);
  for (int y = 0; y < height; ++y) {
    const unsigned char* in = pixels + static_cast<std::size_t>(y) * rowBytes;
    unsigned char* out = &packed[static_cast<std::size_t>(y) * width * channels];
    for (int x = 0; x < width; ++x, in += 4, out += channels) {
      out[0] = in[1];
      out[1] = in[2];
      out[2] = in[3];
      if (withAlpha) out[3] = in[0];
    }
    rows[y] = &packed[static_cast<std::size_t>(y) * width * channels];
  }
  OutputFile file;
  const int colorType = withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  if (file.open(path.c_str()) && Encode(&file, rows.data(), width, height, colorType) && file.commit()) return true;
  *error = file.failed() ? file.error() : "cannot write '" + path + "': the PNG encoder failed";
  return false;
}
