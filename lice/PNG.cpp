#include "lice/PNG.h"

#include <png.h>

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <strings.h>

#include "framework/InputFile.h"
#include "lice/LICE_MemBitmap.h"

LICE_ImageLoaderRecord* LICE_ImageLoader_list = nullptr;

namespace {

struct MemoryReader {
  const unsigned char* next;
  size_t left;
};

// Past the end the reader gives zeros, which libpng then rejects as data.
void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  std::memset(out, 0, n);
  const size_t taken = n < reader->left ? n : reader->left;
  if (taken > 0) std::memcpy(out, reader->next, taken);
  reader->next += taken;
  reader->left -= taken;
}

// Every image arrives as four bytes per pixel: alpha, red, green, blue.
void SetTransformations(png_structp png, png_infop info, int colourType, int depth) {
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    colourType |= PNG_COLOR_MASK_ALPHA;
  }
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (colourType & PNG_COLOR_MASK_ALPHA) {
    png_set_swap_alpha(png);
  } else {
    png_set_filler(png, 0xff, PNG_FILLER_BEFORE);
  }
}

// The bitmap to decode into, sized to the image; null when it cannot hold it.
LICE_IBitmap* Target(LICE_IBitmap* bmp, png_uint_32 width, png_uint_32 height, LICE_IBitmap** created) {
  if (width > INT_MAX || height > INT_MAX) return nullptr;
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  if (bmp) {
    bmp->resize(w, h);
  } else {
    bmp = *created = new (std::nothrow) LICE_MemBitmap(w, h, 4);
  }
  if (!bmp || bmp->getWidth() != w || bmp->getHeight() != h || !bmp->getBits()) return nullptr;
  return bmp;
}

// Decodes from the file, or else from the reader. Objects here have trivial
// destructors only, since libpng's errors jump back to the setjmp below.
LICE_IBitmap* Decode(FILE* file, MemoryReader* reader, LICE_IBitmap* bmp) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }
  LICE_IBitmap* volatile created = nullptr;
  png_bytep* volatile rows = nullptr;
  LICE_IBitmap* target = nullptr;
  if (setjmp(png_jmpbuf(png)) == 0) {
    if (file) {
      png_init_io(png, file);
    } else {
      png_set_read_fn(png, reader, &ReadFromMemory);
    }
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0, interlace = 0, compression = 0, filter = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, &compression, &filter);
    SetTransformations(png, info, colourType, depth);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    LICE_IBitmap* made = nullptr;
    LICE_IBitmap* into = png_get_rowbytes(png, info) == static_cast<size_t>(width) * 4
                             ? Target(bmp, width, height, &made)
                             : nullptr;
    created = made;
    if (into) rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (rows) {
      const size_t span = static_cast<size_t>(into->getRowSpan());
      auto* bits = reinterpret_cast<unsigned char*>(into->getBits());
      for (png_uint_32 i = 0; i < height; ++i) {
        const size_t row = into->isFlipped() ? height - 1 - i : i;
        rows[i] = bits + row * span * 4;
      }
      png_read_image(png, rows);
      target = into;
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::free(rows);
  if (!target) delete created;
  return target;
}

}  // namespace

LICE_IBitmap* LICE_LoadPNG(const char* filename, LICE_IBitmap* bmp) {
  InputFile file;
  if (!file.open(filename)) return nullptr;
  return Decode(file.stream(), nullptr, bmp);
}

LICE_IBitmap* LICE_LoadPNGFromMemory(const void* data, int size, LICE_IBitmap* bmp) {
  if (!data || size < 8) return nullptr;
  if (png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) != 0) return nullptr;
  MemoryReader reader = {static_cast<const unsigned char*>(data), static_cast<size_t>(size)};
  return Decode(nullptr, &reader, bmp);
}

std::string LICE_ResourceRoot() {
  const char* root = std::getenv("THUDROKKA_RESOURCES");
  return root && *root ? root : THUDROKKA_DEFAULT_RESOURCE_ROOT;
}

LICE_IBitmap* LICE_LoadPNGFromNamedResource(const char* name, LICE_IBitmap* bmp) {
  if (!name || std::strlen(name) > 400) return nullptr;
  const std::string path = LICE_ResourceRoot() + "/" + name;
  return LICE_LoadPNG(path.c_str(), bmp);
}

LICE_IBitmap* LICE_LoadPNGFromResource(void*, int, LICE_IBitmap*) { return nullptr; }

LICE_PNGLoader::LICE_PNGLoader() : mRecord{&LICE_PNGLoader::loadfunc, &LICE_PNGLoader::get_extlist, nullptr} {
  mRecord.next = LICE_ImageLoader_list;
  LICE_ImageLoader_list = &mRecord;
}

LICE_IBitmap* LICE_PNGLoader::loadfunc(const char* filename, bool checkFileName, LICE_IBitmap* bmp) {
  if (!filename) return nullptr;
  if (checkFileName) {
    const char* extension = filename;
    for (const char* p = filename + std::strlen(filename) - 1; p > filename; --p) {
      if (*p == '.' || *p == '/' || *p == '\\') {
        extension = p;
        break;
      }
    }
    if (strcasecmp(extension, ".png") != 0) return nullptr;
  }
  return LICE_LoadPNG(filename, bmp);
}

const char* LICE_PNGLoader::get_extlist() { return "PNG files (*.PNG)\0*.PNG\0"; }

namespace {

LICE_PNGLoader gPNGLoader;

}  // namespace
