#include "lice/CombinePixels.h"

#include "lice/CombinerSelect.h"
#include "lice/Weight.h"

using namespace lice_detail;

namespace {

template <bool kClamp>
void CombineInto(LICE_pixel* dest, int r, int g, int b, int a, int weight, int mode) {
  if (weight == 0) return;
  WithBlitCombiner<kClamp>(mode & 0x100ff, weight, [&](auto tag) {
    decltype(tag)::type::doPix(reinterpret_cast<unsigned char*>(dest), r, g, b, a, weight);
  });
}

// Integer arguments may be anything: they are bounded as gradient values are,
// which leaves every value a caller could mean unchanged.
template <bool kClamp>
void CombineBounded(LICE_pixel* dest, int r, int g, int b, int a, int alpha, int mode) {
  if (!dest) return;
  const int m = kMaxGradientValue;
  CombineInto<kClamp>(dest, Bound(r, m), Bound(g, m), Bound(b, m), Bound(a, m), Bound(alpha, m), mode);
}

}  // namespace

LICE_pixel LICE_CombinePixels(LICE_pixel dest, LICE_pixel src, float alpha, int mode) {
  CombineInto<false>(&dest, LICE_PixelRed(src), LICE_PixelGreen(src), LICE_PixelBlue(src), LICE_PixelAlpha(src),
                     AlphaWeight(alpha), mode);
  return dest;
}

void LICE_CombinePixels2(LICE_pixel* dest, int r, int g, int b, int a, int alpha, int mode) {
  CombineBounded<false>(dest, r, g, b, a, alpha, mode);
}

void LICE_CombinePixels2Clamp(LICE_pixel* dest, int r, int g, int b, int a, int alpha, int mode) {
  CombineBounded<true>(dest, r, g, b, a, alpha, mode);
}
