#pragma once

// Choosing the combiner of a line, circle or dashed line once per call, from
// the operation byte of the mode and the integer weight. A zero weight and an
// operation above 5 draw nothing; plain copy draws nothing below weight 1.

#include "lice/CombinerSelect.h"

namespace lice_detail {

// Aliased shapes: copy at exactly 128 averages and at exactly 256 stores.
template <class F>
bool WithAliasedCombiner(int op, int weight, F&& f) {
  if (weight == 0) return false;
  if (op != 0) return WithOperationCombiner<_LICE_CombinePixelsMulNoClamp>(op, f);
  if (weight == 128) {
    f(CombinerTag<_LICE_CombinePixelsHalfMixNoClamp>());
  } else if (weight == 256) {
    f(CombinerTag<_LICE_CombinePixelsClobberNoClamp>());
  } else if (weight < 1) {
    return false;
  } else {
    f(CombinerTag<_LICE_CombinePixelsCopyNoClamp>());
  }
  return true;
}

// Anti-aliased shapes split the weight between pixels, so copy always blends.
template <class F>
bool WithBlendingCombiner(int op, int weight, F&& f) {
  if (weight == 0) return false;
  if (op != 0) return WithOperationCombiner<_LICE_CombinePixelsMulNoClamp>(op, f);
  if (weight < 1) return false;
  f(CombinerTag<_LICE_CombinePixelsCopyNoClamp>());
  return true;
}

// Either of the two by the anti-alias flag; f meets the aliased-only
// combiners only when aa is false.
template <class F>
bool WithShapeCombiner(bool aa, int op, int weight, F&& f) {
  return aa ? WithBlendingCombiner(op, weight, f) : WithAliasedCombiner(op, weight, f);
}

}  // namespace lice_detail
