#include "effects/FilterUti.h"

#include <cstring>

#include "dsp/Filter.h"
#include "program/NormalisedSelector.h"

namespace Quillvane {

namespace {

constexpr int kLastMode = 3;

const char* const kFilterMode1Names[kNumFilterModes1] = {"RBJ-LP", "RBJ-HP", "RBJ-BP1", "RBJ-BS"};
const char* const kFilterMode2Names[kNumFilterModes2] = {"HP 12dB", "HP 24dB", "LP 12dB", "LP 24dB"};

const char* modeText(const char* const* names, double x) {
  const int i = selectorIndex(x, kLastMode);
  return i >= 0 && i <= kLastMode ? names[i] : "";
}

int modeOfName(const char* const* names, const char* name) {
  if (!name) return 0;
  for (int i = 0; i <= kLastMode; ++i) {
    if (std::strcmp(name, names[i]) == 0) return i;
  }
  return 0;
}

double nextMode(double x) {
  const int i = selectorIndex(x, kLastMode);
  return i == kLastMode ? 0.0 : selectorValue(i + 1.0, kLastMode);
}

}  // namespace

const char* FilterUti::getFilterMode1Text(double x) { return modeText(kFilterMode1Names, x); }
const char* FilterUti::getFilterMode2Text(double x) { return modeText(kFilterMode2Names, x); }

eFilterMode1 FilterUti::getFilterMode1(const char* name) {
  if (name && std::strcmp(name, "RBJ-BP") == 0) return kRbjBandPass1;
  return static_cast<eFilterMode1>(modeOfName(kFilterMode1Names, name));
}

eFilterMode2 FilterUti::getFilterMode2(const char* name) {
  return static_cast<eFilterMode2>(modeOfName(kFilterMode2Names, name));
}

int FilterUti::getFilterMode1(double x) { return selectorIndex(x, kLastMode); }
int FilterUti::getFilterMode2(double x) { return selectorIndex(x, kLastMode); }

double FilterUti::getNextFilterMode1(double x) { return nextMode(x); }
double FilterUti::getNextFilterMode2(double x) { return nextMode(x); }

int FilterUti::getDefaultRezoId(const Dsp::Filter* f) {
  for (int id : {Dsp::idQ, Dsp::idRippleDb}) {
    const int index = f->findParamId(id);
    if (index >= 0) return index;
  }
  return f->findParamId(Dsp::idBandwidth);
}

}  // namespace Quillvane
