#pragma once

// The per-pixel combine rules. Each combiner is a class without data whose
// one static operation every kernel expands inline, so that a kernel is
// instantiated once per rule and never branches on the mode per pixel.
//
// Channel combiners: doPix(dest, r, g, b, a, alpha) merges the source
// channels r, g, b, a into the four bytes at dest with the integer weight
// alpha (256 = full). Word combiners: doPixWord(dest, colour) on a whole
// pixel word; the Mix2 forms take the colour once through prepareColor.
// All division truncates toward zero; "NoClamp" rules store the low 8 bits.

#include "lice/HSV.h"
#include "lice/Pixel.h"

namespace lice_detail {

inline int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

template <bool kClamp>
inline void Put(unsigned char* channel, int value) {
  *channel = static_cast<unsigned char>(kClamp ? Clamp255(value) : value);
}

inline int CopyChannel(int dst, int src, int sc) { return src + ((dst - src) * sc) / 256; }
inline int AddChannel(int dst, int src, int alpha) { return Clamp255(dst + (src * alpha) / 256); }
inline int DodgeChannel(int dst, int src, int alpha) {
  const int q = 256 - (src * alpha) / 256;
  int x = 256 * dst;
  if (q >= 2) x /= q;
  return Clamp255(x);
}
inline int MulChannel(int dst, int src, int alpha) {
  return (dst * (src * alpha + 256 * (256 - alpha))) / 65536;
}
inline int OverlayChannel(int dst, int src, int alpha) {
  const int k = src * alpha + 128 * (256 - alpha);
  const int t = ((32768 - k) * dst) / 256 + k;
  return Clamp255((t * dst) / 32768);
}

// Source-alpha weight: the call's weight scaled by the source pixel's alpha.
inline int SourceAlphaWeight(int a, int alpha) { return ((a + 1) * alpha) / 256; }

template <bool kClamp>
struct Clobber {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int) {
    Put<kClamp>(d + LICE_PIXEL_R, r);
    Put<kClamp>(d + LICE_PIXEL_G, g);
    Put<kClamp>(d + LICE_PIXEL_B, b);
    Put<kClamp>(d + LICE_PIXEL_A, a);
  }
};

template <bool kClamp>
inline void CopyAll(unsigned char* d, int r, int g, int b, int a, int sc) {
  Put<kClamp>(d + LICE_PIXEL_R, CopyChannel(d[LICE_PIXEL_R], r, sc));
  Put<kClamp>(d + LICE_PIXEL_G, CopyChannel(d[LICE_PIXEL_G], g, sc));
  Put<kClamp>(d + LICE_PIXEL_B, CopyChannel(d[LICE_PIXEL_B], b, sc));
  Put<kClamp>(d + LICE_PIXEL_A, CopyChannel(d[LICE_PIXEL_A], a, sc));
}

template <bool kClamp>
struct Copy {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    CopyAll<kClamp>(d, r, g, b, a, 256 - alpha);
  }
};

inline void AddAll(unsigned char* d, int r, int g, int b, int a, int alpha) {
  d[LICE_PIXEL_R] = static_cast<unsigned char>(AddChannel(d[LICE_PIXEL_R], r, alpha));
  d[LICE_PIXEL_G] = static_cast<unsigned char>(AddChannel(d[LICE_PIXEL_G], g, alpha));
  d[LICE_PIXEL_B] = static_cast<unsigned char>(AddChannel(d[LICE_PIXEL_B], b, alpha));
  d[LICE_PIXEL_A] = static_cast<unsigned char>(AddChannel(d[LICE_PIXEL_A], a, alpha));
}

inline void DodgeAll(unsigned char* d, int r, int g, int b, int a, int alpha) {
  d[LICE_PIXEL_R] = static_cast<unsigned char>(DodgeChannel(d[LICE_PIXEL_R], r, alpha));
  d[LICE_PIXEL_G] = static_cast<unsigned char>(DodgeChannel(d[LICE_PIXEL_G], g, alpha));
  d[LICE_PIXEL_B] = static_cast<unsigned char>(DodgeChannel(d[LICE_PIXEL_B], b, alpha));
  d[LICE_PIXEL_A] = static_cast<unsigned char>(DodgeChannel(d[LICE_PIXEL_A], a, alpha));
}

template <bool kClamp>
inline void MulAll(unsigned char* d, int r, int g, int b, int a, int alpha) {
  Put<kClamp>(d + LICE_PIXEL_R, MulChannel(d[LICE_PIXEL_R], r, alpha));
  Put<kClamp>(d + LICE_PIXEL_G, MulChannel(d[LICE_PIXEL_G], g, alpha));
  Put<kClamp>(d + LICE_PIXEL_B, MulChannel(d[LICE_PIXEL_B], b, alpha));
  Put<kClamp>(d + LICE_PIXEL_A, MulChannel(d[LICE_PIXEL_A], a, alpha));
}

inline void OverlayAll(unsigned char* d, int r, int g, int b, int a, int alpha) {
  d[LICE_PIXEL_R] = static_cast<unsigned char>(OverlayChannel(d[LICE_PIXEL_R], r, alpha));
  d[LICE_PIXEL_G] = static_cast<unsigned char>(OverlayChannel(d[LICE_PIXEL_G], g, alpha));
  d[LICE_PIXEL_B] = static_cast<unsigned char>(OverlayChannel(d[LICE_PIXEL_B], b, alpha));
  d[LICE_PIXEL_A] = static_cast<unsigned char>(OverlayChannel(d[LICE_PIXEL_A], a, alpha));
}

// The source channels are adjustments, 128 meaning none: r turns the hue,
// g and b move saturation and value; the alpha byte becomes a.
inline void HSVAdjustPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
  int h, s, v;
  LICE_RGB2HSV(d[LICE_PIXEL_R], d[LICE_PIXEL_G], d[LICE_PIXEL_B], &h, &s, &v);
  h += ((r + r / 2 - 192) * alpha) / 256;
  if (h < 0) {
    h += 384;
  } else if (h >= 384) {
    h -= 384;
  }
  s = Clamp255(s + ((g - 128) * alpha) / 128);
  v = Clamp255(v + ((b - 128) * alpha) / 128);
  int outR, outG, outB;
  LICE_HSV2RGB(h, s, v, &outR, &outG, &outB);
  d[LICE_PIXEL_R] = static_cast<unsigned char>(outR);
  d[LICE_PIXEL_G] = static_cast<unsigned char>(outG);
  d[LICE_PIXEL_B] = static_cast<unsigned char>(outB);
  d[LICE_PIXEL_A] = static_cast<unsigned char>(a);
}

template <bool kClamp>
struct Mul {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    MulAll<kClamp>(d, r, g, b, a, alpha);
  }
};

// Source alpha alone decides: the weight is not looked at.
template <bool kClamp>
struct CopySourceAlphaIgnoreAlphaParm {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int) {
    if (a == 0) return;
    if (a == 255) {
      Put<kClamp>(d + LICE_PIXEL_R, r);
      Put<kClamp>(d + LICE_PIXEL_G, g);
      Put<kClamp>(d + LICE_PIXEL_B, b);
      d[LICE_PIXEL_A] = 255;
      return;
    }
    const int sc = 255 - a;
    Put<kClamp>(d + LICE_PIXEL_R, CopyChannel(d[LICE_PIXEL_R], r, sc));
    Put<kClamp>(d + LICE_PIXEL_G, CopyChannel(d[LICE_PIXEL_G], g, sc));
    Put<kClamp>(d + LICE_PIXEL_B, CopyChannel(d[LICE_PIXEL_B], b, sc));
    const int sum = d[LICE_PIXEL_A] + a;
    Put<kClamp>(d + LICE_PIXEL_A, sum < 255 ? sum : 255);
  }
};

template <bool kClamp>
struct CopySourceAlpha {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    if (a == 0) return;
    const int ua = SourceAlphaWeight(a, alpha);
    const int sc = 256 - ua;
    Put<kClamp>(d + LICE_PIXEL_R, CopyChannel(d[LICE_PIXEL_R], r, sc));
    Put<kClamp>(d + LICE_PIXEL_G, CopyChannel(d[LICE_PIXEL_G], g, sc));
    Put<kClamp>(d + LICE_PIXEL_B, CopyChannel(d[LICE_PIXEL_B], b, sc));
    const int sum = d[LICE_PIXEL_A] + ua;
    Put<kClamp>(d + LICE_PIXEL_A, sum < 255 ? sum : 255);
  }
};

template <bool kClamp>
struct MulSourceAlpha {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    if (a == 0) return;
    MulAll<kClamp>(d, r, g, b, a, SourceAlphaWeight(a, alpha));
  }
};

}  // namespace lice_detail

class _LICE_CombinePixelsClobberNoClamp : public lice_detail::Clobber<false> {};
class _LICE_CombinePixelsClobberClamp : public lice_detail::Clobber<true> {};
class _LICE_CombinePixelsCopyNoClamp : public lice_detail::Copy<false> {};
class _LICE_CombinePixelsCopyClamp : public lice_detail::Copy<true> {};
class _LICE_CombinePixelsMulNoClamp : public lice_detail::Mul<false> {};
class _LICE_CombinePixelsMulClamp : public lice_detail::Mul<true> {};

class _LICE_CombinePixelsHalfMixNoClamp {
 public:
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int) {
    d[LICE_PIXEL_R] = static_cast<unsigned char>((d[LICE_PIXEL_R] + r) / 2);
    d[LICE_PIXEL_G] = static_cast<unsigned char>((d[LICE_PIXEL_G] + g) / 2);
    d[LICE_PIXEL_B] = static_cast<unsigned char>((d[LICE_PIXEL_B] + b) / 2);
    d[LICE_PIXEL_A] = static_cast<unsigned char>((d[LICE_PIXEL_A] + a) / 2);
  }
};

class _LICE_CombinePixelsAdd {
 public:
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    lice_detail::AddAll(d, r, g, b, a, alpha);
  }
};

class _LICE_CombinePixelsColorDodge {
 public:
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    lice_detail::DodgeAll(d, r, g, b, a, alpha);
  }
};

class _LICE_CombinePixelsOverlay {
 public:
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    lice_detail::OverlayAll(d, r, g, b, a, alpha);
  }
};

class _LICE_CombinePixelsHSVAdjust {
 public:
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    lice_detail::HSVAdjustPix(d, r, g, b, a, alpha);
  }
};

class _LICE_CombinePixelsCopySourceAlphaIgnoreAlphaParmNoClamp
    : public lice_detail::CopySourceAlphaIgnoreAlphaParm<false> {};
class _LICE_CombinePixelsCopySourceAlphaIgnoreAlphaParmClamp
    : public lice_detail::CopySourceAlphaIgnoreAlphaParm<true> {};
class _LICE_CombinePixelsCopySourceAlphaNoClamp : public lice_detail::CopySourceAlpha<false> {};
class _LICE_CombinePixelsCopySourceAlphaClamp : public lice_detail::CopySourceAlpha<true> {};
class _LICE_CombinePixelsMulSourceAlphaNoClamp : public lice_detail::MulSourceAlpha<false> {};
class _LICE_CombinePixelsMulSourceAlphaClamp : public lice_detail::MulSourceAlpha<true> {};

class _LICE_CombinePixelsAddSourceAlpha {
 public:
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    if (a == 0) return;
    lice_detail::AddAll(d, r, g, b, a, lice_detail::SourceAlphaWeight(a, alpha));
  }
};

// Dodge, overlay and HSV adjust still run where the source alpha is 0.
class _LICE_CombinePixelsColorDodgeSourceAlpha {
 public:
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    lice_detail::DodgeAll(d, r, g, b, a, lice_detail::SourceAlphaWeight(a, alpha));
  }
};

class _LICE_CombinePixelsOverlaySourceAlpha {
 public:
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    lice_detail::OverlayAll(d, r, g, b, a, lice_detail::SourceAlphaWeight(a, alpha));
  }
};

class _LICE_CombinePixelsHSVAdjustSourceAlpha {
 public:
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int alpha) {
    lice_detail::HSVAdjustPix(d, r, g, b, a, lice_detail::SourceAlphaWeight(a, alpha));
  }
};

// Word combiners: the byte masks keep the halves and quarters of one
// channel from spilling into the next.

class _LICE_CombinePixelsClobberFAST {
 public:
  static inline LICE_pixel prepareColor(LICE_pixel colour) { return colour; }
  static inline void doPixWord(LICE_pixel* dest, LICE_pixel colour) { *dest = colour; }
};

// Per byte floor(src / 2) + floor(dst / 2): one less than the channel half
// mix where both are odd.
class _LICE_CombinePixelsHalfMixFAST {
 public:
  static inline void doPixWord(LICE_pixel* dest, LICE_pixel source) {
    *dest = ((source >> 1) & 0x7f7f7f7f) + ((*dest >> 1) & 0x7f7f7f7f);
  }
};

class _LICE_CombinePixelsHalfMix2FAST {
 public:
  static inline LICE_pixel prepareColor(LICE_pixel colour) { return (colour >> 1) & 0x7f7f7f7f; }
  static inline void doPixWord(LICE_pixel* dest, LICE_pixel prepared) {
    *dest = ((*dest >> 1) & 0x7f7f7f7f) + prepared;
  }
};

class _LICE_CombinePixelsQuarterMix2FAST {
 public:
  static inline LICE_pixel prepareColor(LICE_pixel colour) { return (colour >> 2) & 0x3f3f3f3f; }
  static inline void doPixWord(LICE_pixel* dest, LICE_pixel prepared) {
    *dest = ((*dest >> 1) & 0x7f7f7f7f) + ((*dest >> 2) & 0x3f3f3f3f) + prepared;
  }
};

class _LICE_CombinePixelsThreeQuarterMix2FAST {
 public:
  static inline LICE_pixel prepareColor(LICE_pixel colour) {
    return ((colour >> 1) & 0x7f7f7f7f) + ((colour >> 2) & 0x3f3f3f3f);
  }
  static inline void doPixWord(LICE_pixel* dest, LICE_pixel prepared) {
    *dest = ((*dest >> 2) & 0x3f3f3f3f) + prepared;
  }
};
