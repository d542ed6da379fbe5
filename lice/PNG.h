#pragma once

#include <string>

#include "lice/LICE_IBitmap.h"

// PNG images of any colour type and bit depth decoded into 32-bit bitmaps,
// bytes alpha, red, green, blue; images without alpha or transparency come
// out opaque. With bmp null the result is a new memory bitmap the caller
// owns; with a bitmap, it is resized, filled and returned. Null on any
// failure (a caller's bitmap may have been resized by then).

LICE_IBitmap* LICE_LoadPNG(const char* filename, LICE_IBitmap* bmp);
LICE_IBitmap* LICE_LoadPNGFromMemory(const void* data, int size, LICE_IBitmap* bmp);
// Loads name (at most 400 characters) below the resource root.
LICE_IBitmap* LICE_LoadPNGFromNamedResource(const char* name, LICE_IBitmap* bmp);
// There are no compiled-in images: always null.
LICE_IBitmap* LICE_LoadPNGFromResource(void* instance, int resid, LICE_IBitmap* bmp);

// The folder that stands for the plug-in's resources: the environment
// variable THUDROKKA_RESOURCES when set and not empty, else the folder the
// build generates the editor's images into.
std::string LICE_ResourceRoot();

// An image loader the library knows; the PNG loader pushes its record at
// program load.
struct LICE_ImageLoaderRecord {
  LICE_IBitmap* (*loadfunc)(const char* filename, bool checkFileName, LICE_IBitmap* bmp);
  const char* (*get_extlist)();
  LICE_ImageLoaderRecord* next;
};
extern LICE_ImageLoaderRecord* LICE_ImageLoader_list;

class LICE_PNGLoader {
 public:
  LICE_PNGLoader();
  // With checkFileName, only names whose last extension is ".png" in any case.
  static LICE_IBitmap* loadfunc(const char* filename, bool checkFileName, LICE_IBitmap* bmp);
  // Pairs of description and pattern, ended by an empty string.
  static const char* get_extlist();

 private:
  LICE_ImageLoaderRecord mRecord;
};
