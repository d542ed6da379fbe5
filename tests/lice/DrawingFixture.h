#pragma once

#include <cstddef>
#include <ostream>
#include <vector>

#include "lice/LICE_IBitmap.h"

namespace licetest {

// A pixel that a drawing changed, with one channel of its new value.
struct Mark {
  int x, y, value;
  bool operator==(const Mark& o) const { return x == o.x && y == o.y && value == o.value; }
};

inline std::ostream& operator<<(std::ostream& out, const Mark& m) {
  return out << "(" << m.x << "," << m.y << ")=" << m.value;
}

// Pixels of the picture (row 0 at the top, whatever the row order) that
// differ from background, row by row, with their red channel.
inline std::vector<Mark> Marks(LICE_IBitmap* bm, LICE_pixel background) {
  std::vector<Mark> marks;
  const int h = bm->getHeight();
  for (int y = 0; y < h; ++y) {
    const LICE_pixel* row = bm->getBits() + static_cast<std::ptrdiff_t>(bm->isFlipped() ? h - 1 - y : y) *
                                                bm->getRowSpan();
    for (int x = 0; x < bm->getWidth(); ++x) {
      if (row[x] != background) marks.push_back({x, y, static_cast<int>((row[x] >> 8) & 255)});
    }
  }
  return marks;
}

// A combiner that changes nothing and records every call: the pixel's
// offset from RecordedCalls::base, in pixels, and the weight.
struct RecordedCall {
  std::ptrdiff_t offset;
  int weight;
  bool operator==(const RecordedCall& o) const { return offset == o.offset && weight == o.weight; }
};

inline std::ostream& operator<<(std::ostream& out, const RecordedCall& c) {
  return out << "[" << c.offset << " w" << c.weight << "]";
}

struct RecordedCalls {
  static std::vector<RecordedCall>& calls() {
    static std::vector<RecordedCall> list;
    return list;
  }
  static const LICE_pixel*& base() {
    static const LICE_pixel* p = nullptr;
    return p;
  }
  static void Start(const LICE_pixel* origin) {
    calls().clear();
    base() = origin;
  }
};

struct RecordingCombiner {
  static void doPix(unsigned char* dest, int, int, int, int, int weight) {
    RecordedCalls::calls().push_back({reinterpret_cast<LICE_pixel*>(dest) - RecordedCalls::base(), weight});
  }
};

}  // namespace licetest
