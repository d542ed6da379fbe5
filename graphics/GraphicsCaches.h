#pragma once

#include "framework/WDL_Mutex.h"
#include "framework/WDL_PtrList.h"
#include "graphics/IGraphicsStructs.h"

// Images and fonts are made once per process and shared by every editor:
// each cache owns what it holds, behind its own recursive lock, until the
// process ends. Look-ups scan in insertion order and answer the first match.
// Several entries may hold one image or font; it is deleted once.

class BitmapStorage {
 public:
  BitmapStorage() = default;
  ~BitmapStorage();
  BitmapStorage(const BitmapStorage&) = delete;
  BitmapStorage& operator=(const BitmapStorage&) = delete;

  // No duplicate check: each entry is one holder of the bitmap.
  void Add(LICE_IBitmap* bitmap, int id = -1);
  LICE_IBitmap* Find(int id);
  // Drops the latest entry holding the bitmap; the bitmap goes with its last entry.
  void Remove(LICE_IBitmap* bitmap);
  int GetSize();

 private:
  struct BitmapKey {
    int id;
    LICE_IBitmap* bitmap;
  };
  WDL_PtrList<BitmapKey> mKeys;
  WDL_Mutex mMutex;
};

// Fonts keyed by size, orientation, style and face; colour, alignment and
// quality are set per draw, so styles differing only in them share a font.
class FontStorage {
 public:
  FontStorage() = default;
  ~FontStorage();
  FontStorage(const FontStorage&) = delete;
  FontStorage& operator=(const FontStorage&) = delete;

  LICE_IFont* Find(const IText* text);
  void Add(LICE_IFont* font, const IText* text);
  int GetSize();

 private:
  struct FontKey {
    int size;
    int orientation;
    int style;
    char face[IText::kFontNameLen];
    LICE_IFont* font;
  };
  WDL_PtrList<FontKey> mKeys;
  WDL_Mutex mMutex;
};

extern BitmapStorage s_bitmapCache;
extern FontStorage s_fontCache;
