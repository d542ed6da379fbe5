#include "platform/standin/SwellGlyphCache.h"

#include <functional>

size_t SWELL_GlyphCache::KeyHash::operator()(const SWELL_GlyphKey& k) const {
  size_t h = std::hash<const void*>()(k.face);
  const long flags = (k.mono ? 1 : 0) | (k.emboldened ? 2 : 0) | (k.slanted ? 4 : 0);
  for (long v : {k.size64, static_cast<long>(k.codepoint), k.fx64, k.fy64, k.bold64, k.shear16, flags}) {
    h ^= std::hash<long>()(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  }
  return h;
}

size_t SWELL_GlyphCache::CostOf(const Image& image) {
  constexpr size_t kBookkeeping = sizeof(Entry) + sizeof(SWELL_GlyphImage) + 4 * sizeof(void*);
  return kBookkeeping + (image ? image->coverage.size() : 0);
}

bool SWELL_GlyphCache::Find(const SWELL_GlyphKey& key, Image* image) {
  const auto found = mIndex.find(key);
  if (found == mIndex.end()) return false;
  mByUse.splice(mByUse.begin(), mByUse, found->second);
  *image = found->second->image;
  return true;
}

void SWELL_GlyphCache::Add(const SWELL_GlyphKey& key, Image image) {
  const size_t bytes = CostOf(image);
  if (bytes > mBudget) return;
  const auto found = mIndex.find(key);
  if (found != mIndex.end()) {
    mBytes -= found->second->bytes;
    mByUse.erase(found->second);
    mIndex.erase(found);
  }
  while (mBytes + bytes > mBudget) {
    mBytes -= mByUse.back().bytes;
    mIndex.erase(mByUse.back().key);
    mByUse.pop_back();
  }
  mByUse.push_front(Entry{key, std::move(image), bytes});
  mIndex.emplace(key, mByUse.begin());
  mBytes += bytes;
}
