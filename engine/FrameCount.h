#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace Quillvane {

// A count of frames that runs for as long as a key is held, taken frames
// on: it stops at the top of its range instead of wrapping round to a
// note's start.
template <class Count>
Count countOn(Count count, int64_t frames) {
  const int64_t top = std::numeric_limits<Count>::max();
  return static_cast<Count>(std::min<int64_t>(static_cast<int64_t>(count) + frames, top));
}

}  // namespace Quillvane
