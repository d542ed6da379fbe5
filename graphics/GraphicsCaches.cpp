#include "graphics/GraphicsCaches.h"

#include <cstring>

#include "lice/LICE_CachedFont.h"
#include "lice/LICE_IBitmap.h"

BitmapStorage s_bitmapCache;
FontStorage s_fontCache;

BitmapStorage::~BitmapStorage() {
  for (int i = 0; i < mKeys.GetSize(); ++i) delete mKeys.Get(i)->bitmap;
  mKeys.Empty(true);
}

void BitmapStorage::Add(LICE_IBitmap* bitmap, int id) {
  WDL_MutexLock lock(&mMutex);
  BitmapKey* key = new BitmapKey{id, bitmap};
  if (!mKeys.Add(key)) delete key;
}

LICE_IBitmap* BitmapStorage::Find(int id) {
  WDL_MutexLock lock(&mMutex);
  for (int i = 0; i < mKeys.GetSize(); ++i) {
    if (mKeys.Get(i)->id == id) return mKeys.Get(i)->bitmap;
  }
  return nullptr;
}

void BitmapStorage::Remove(LICE_IBitmap* bitmap) {
  WDL_MutexLock lock(&mMutex);
  for (int i = 0; i < mKeys.GetSize(); ++i) {
    if (mKeys.Get(i)->bitmap == bitmap) {
      mKeys.Delete(i, true);
      delete bitmap;
      return;
    }
  }
}

int BitmapStorage::GetSize() {
  WDL_MutexLock lock(&mMutex);
  return mKeys.GetSize();
}

FontStorage::~FontStorage() {
  for (int i = 0; i < mKeys.GetSize(); ++i) delete mKeys.Get(i)->font;
  mKeys.Empty(true);
}

LICE_IFont* FontStorage::Find(const IText* text) {
  WDL_MutexLock lock(&mMutex);
  for (int i = 0; i < mKeys.GetSize(); ++i) {
    const FontKey* key = mKeys.Get(i);
    if (key->size == text->mSize && key->orientation == text->mOrientation && key->style == text->mStyle &&
        std::strcmp(key->face, text->mFont) == 0) {
      return key->font;
    }
  }
  return nullptr;
}

void FontStorage::Add(LICE_IFont* font, const IText* text) {
  WDL_MutexLock lock(&mMutex);
  FontKey* key = new FontKey{text->mSize, text->mOrientation, text->mStyle, {}, font};
  std::memcpy(key->face, text->mFont, sizeof(key->face));
  key->face[sizeof(key->face) - 1] = 0;
  if (!mKeys.Add(key)) delete key;
}

int FontStorage::GetSize() {
  WDL_MutexLock lock(&mMutex);
  return mKeys.GetSize();
}
