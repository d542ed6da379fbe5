#pragma once

// Choosing the combiner of a call once, from its operation and weight. The
// chosen class reaches the caller's generic lambda as CombinerTag<C>, which
// then instantiates its kernel with C.

#include "lice/Combiners.h"

namespace lice_detail {

template <class Combiner>
struct CombinerTag {
  typedef Combiner type;
};

// Operations 1 to 5 of the mode's low byte, with the given multiply rule.
template <class MulCombiner, class F>
bool WithOperationCombiner(int op, F&& f) {
  switch (op) {
    case 1: f(CombinerTag<_LICE_CombinePixelsAdd>()); return true;
    case 2: f(CombinerTag<_LICE_CombinePixelsColorDodge>()); return true;
    case 3: f(CombinerTag<MulCombiner>()); return true;
    case 4: f(CombinerTag<_LICE_CombinePixelsOverlay>()); return true;
    case 5: f(CombinerTag<_LICE_CombinePixelsHSVAdjust>()); return true;
    default: return false;
  }
}

// Plain copies at the weights with a whole-word form; false for the others.
template <class F>
bool WithWordCombiner(int weight, F&& f) {
  switch (weight) {
    case 256: f(CombinerTag<_LICE_CombinePixelsClobberFAST>()); return true;
    case 128: f(CombinerTag<_LICE_CombinePixelsHalfMix2FAST>()); return true;
    case 64: f(CombinerTag<_LICE_CombinePixelsQuarterMix2FAST>()); return true;
    case 192: f(CombinerTag<_LICE_CombinePixelsThreeQuarterMix2FAST>()); return true;
    default: return false;
  }
}

template <bool kClamp>
struct BlitCombiners;

template <>
struct BlitCombiners<false> {
  typedef _LICE_CombinePixelsClobberNoClamp Clobber;
  typedef _LICE_CombinePixelsCopyNoClamp Copy;
  typedef _LICE_CombinePixelsMulNoClamp Mul;
  typedef _LICE_CombinePixelsCopySourceAlphaIgnoreAlphaParmNoClamp OpaqueSourceAlphaCopy;
  typedef _LICE_CombinePixelsCopySourceAlphaNoClamp SourceAlphaCopy;
  typedef _LICE_CombinePixelsMulSourceAlphaNoClamp SourceAlphaMul;
};

// The saturating forms of the single-pixel helper.
template <>
struct BlitCombiners<true> {
  typedef _LICE_CombinePixelsClobberClamp Clobber;
  typedef _LICE_CombinePixelsCopyClamp Copy;
  typedef _LICE_CombinePixelsMulClamp Mul;
  typedef _LICE_CombinePixelsCopySourceAlphaIgnoreAlphaParmClamp OpaqueSourceAlphaCopy;
  typedef _LICE_CombinePixelsCopySourceAlphaClamp SourceAlphaCopy;
  typedef _LICE_CombinePixelsMulSourceAlphaClamp SourceAlphaMul;
};

// The blit table: op = mode & 0x100ff. False when nothing is to be drawn.
template <bool kClamp = false, class F>
bool WithBlitCombiner(int op, int weight, F&& f) {
  typedef BlitCombiners<kClamp> Set;
  switch (op) {
    case 0:
      if (weight <= 0) return false;
      if (weight == 256) {
        f(CombinerTag<typename Set::Clobber>());
      } else {
        f(CombinerTag<typename Set::Copy>());
      }
      return true;
    case 0x10000:
      if (weight == 256) {
        f(CombinerTag<typename Set::OpaqueSourceAlphaCopy>());
      } else {
        f(CombinerTag<typename Set::SourceAlphaCopy>());
      }
      return true;
    case 0x10001: f(CombinerTag<_LICE_CombinePixelsAddSourceAlpha>()); return true;
    case 0x10002: f(CombinerTag<_LICE_CombinePixelsColorDodgeSourceAlpha>()); return true;
    case 0x10003: f(CombinerTag<typename Set::SourceAlphaMul>()); return true;
    case 0x10004: f(CombinerTag<_LICE_CombinePixelsOverlaySourceAlpha>()); return true;
    case 0x10005: f(CombinerTag<_LICE_CombinePixelsHSVAdjustSourceAlpha>()); return true;
    default: return WithOperationCombiner<typename Set::Mul>(op, f);
  }
}

}  // namespace lice_detail
