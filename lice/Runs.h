#pragma once

// The two ways the drawing kernels put one colour into pixels: through a
// channel combiner at a weight, or through a word combiner given the colour
// it prepared once per call.

#include <cstddef>

#include "lice/Combiners.h"

namespace lice_detail {

template <class Combiner>
inline void CombineColour(LICE_pixel* px, LICE_pixel colour, int weight) {
  Combiner::doPix(reinterpret_cast<unsigned char*>(px), LICE_PixelRed(colour), LICE_PixelGreen(colour),
                  LICE_PixelBlue(colour), LICE_PixelAlpha(colour), weight);
}

// n pixels from px, step pixels apart.
template <class WordCombiner>
inline void WordRun(LICE_pixel* px, std::ptrdiff_t step, long long n, LICE_pixel prepared) {
  for (; n > 0; --n, px += step) WordCombiner::doPixWord(px, prepared);
}

}  // namespace lice_detail
