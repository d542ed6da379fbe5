#pragma once

#include "program/NormalisedSelector.h"

namespace Dsp {
class Filter;
}

namespace Quillvane {

enum eFilterMode1 { kRbjLowPass = 0, kRbjHighPass, kRbjBandPass1, kRbjBandStop, kNumFilterModes1 };
enum eFilterMode2 { kHighPass12dB = 0, kHighPass24dB, kLowPass12dB, kLowPass24dB, kNumFilterModes2 };

// Names and selector laws of the filter unit's two mode lists. A selector x
// picks index floor(3x + 0.5); names of indexes outside 0..3 are empty.
struct FilterUti {
  static const char* getFilterMode1Text(double x);
  static const char* getFilterMode1Text(float x) { return getFilterMode1Text(static_cast<double>(x)); }
  static const char* getFilterMode2Text(double x);
  static const char* getFilterMode2Text(float x) { return getFilterMode2Text(static_cast<double>(x)); }

  // Unknown names give mode 0; "RBJ-BP" is accepted for "RBJ-BP1".
  static eFilterMode1 getFilterMode1(const char* name);
  static eFilterMode2 getFilterMode2(const char* name);

  // Not clamped.
  static int getFilterMode1(double x);
  static int getFilterMode2(double x);

  // Single precision, as stored files and presets hold them.
  static float getFilterMode1Sel(eFilterMode1 m) { return selectorValue<float>(m, kNumFilterModes1 - 1); }
  static float getFilterMode2Sel(eFilterMode2 m) { return selectorValue<float>(m, kNumFilterModes2 - 1); }

  // Cycles to the next mode, wrapping to the first.
  static double getNextFilterMode1(double x);
  static double getNextFilterMode2(double x);

  // Index of a design's resonance parameter: Q, else ripple, else octave
  // bandwidth; -1 when it has none of them.
  static int getDefaultRezoId(const Dsp::Filter* f);
};

}  // namespace Quillvane
