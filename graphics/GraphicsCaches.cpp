#include "graphics/GraphicsCaches.h"

#include <cstring>

#include "lice/LICE_CachedFont.h"
#include "lice/LICE_IBitmap.h"

BitmapStorage s_bitmapCache;
FontStorage s_fontCache;

namespace {

// Whether another key than the one at skip holds what the member points at.
template <class Key, class T>
bool HeldElsewhere(const WDL_PtrList<Key>& keys, T* Key::*member, int skip) {
  T* held = keys.Get(skip)->*member;
  for (int i = 0; i < keys.GetSize(); ++i) {
    if (i != skip && keys.Get(i)->*member == held) return true;
  }
  return false;
}

// Each image or font once, however many keys hold it.
template <class Key, class T>
void DeleteHeld(WDL_PtrList<Key>* keys, T* Key::*member) {
  for (int i = keys->GetSize() - 1; i >= 0; --i) {
    if (!HeldElsewhere(*keys, member, i)) delete (keys->Get(i)->*member);
    keys->Delete(i, true);
  }
}

}  // namespace

BitmapStorage::~BitmapStorage() { DeleteHeld(&mKeys, &BitmapKey::bitmap); }

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
  // The latest holder goes first, so the load keyed by id is found until the end.
  for (int i = mKeys.GetSize() - 1; i >= 0; --i) {
    if (mKeys.Get(i)->bitmap == bitmap) {
      const bool last = !HeldElsewhere(mKeys, &BitmapKey::bitmap, i);
      mKeys.Delete(i, true);
      if (last) delete bitmap;
      return;
    }
  }
}

int BitmapStorage::GetSize() {
  WDL_MutexLock lock(&mMutex);
  return mKeys.GetSize();
}

FontStorage::~FontStorage() { DeleteHeld(&mKeys, &FontKey::font); }

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
