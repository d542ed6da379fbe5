#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <unordered_map>

#include "platform/standin/SwellFontEngine.h"

// What decides a rendered glyph's pixels, in the fixed-point units the
// rasteriser is given: equal keys give equal coverage.
struct SWELL_GlyphKey {
  const SWELL_Face* face;
  long size64;  // pixel size in 1/64
  unsigned int codepoint;
  long fx64, fy64;  // origin offset in 1/64 pixel, y downwards
  bool mono;
  bool emboldened;
  long bold64;  // outline widening in 1/64 pixel
  bool slanted;
  long shear16;  // slant in 1/65536 per unit of height

  bool operator==(const SWELL_GlyphKey& o) const {
    return face == o.face && size64 == o.size64 && codepoint == o.codepoint && fx64 == o.fx64 && fy64 == o.fy64 &&
           mono == o.mono && emboldened == o.emboldened && bold64 == o.bold64 && slanted == o.slanted &&
           shear16 == o.shear16;
  }
};

// Rendered glyphs, the least recently used dropped first once their
// coverage passes the budget. A glyph that could not be rendered is kept
// too (as null), so it is not tried again on every draw. Not locked: the
// font engine calls it under its own lock.
class SWELL_GlyphCache {
 public:
  using Image = std::shared_ptr<const SWELL_GlyphImage>;

  explicit SWELL_GlyphCache(size_t budgetBytes) : mBudget(budgetBytes) {}

  // True when the key is cached, with image set (null for a glyph that failed).
  bool Find(const SWELL_GlyphKey& key, Image* image);
  void Add(const SWELL_GlyphKey& key, Image image);
  // What the cached glyphs take, bookkeeping included.
  size_t Bytes() const { return mBytes; }

 private:
  struct KeyHash {
    size_t operator()(const SWELL_GlyphKey& k) const;
  };
  struct Entry {
    SWELL_GlyphKey key;
    Image image;
    size_t bytes;
  };

  static size_t CostOf(const Image& image);

  size_t mBudget;
  size_t mBytes = 0;
  std::list<Entry> mByUse;  // most recently used first
  std::unordered_map<SWELL_GlyphKey, std::list<Entry>::iterator, KeyHash> mIndex;
};
