#pragma once

#include "framework/TruncateToInt.h"
#include "lice/Pixel.h"

class LICE_IBitmap;
class LICE_IFont;

// The small value records that the editor object, the controls, the drawing
// operations and the platform layer pass between them. None owns what its
// pointers point at.

struct IColor {
  int A, R, G, B;
  constexpr IColor(int a = 255, int r = 0, int g = 0, int b = 0) : A(a), R(r), G(g), B(b) {}
  bool operator==(const IColor& o) const { return A == o.A && R == o.R && G == o.G && B == o.B; }
  bool operator!=(const IColor& o) const { return !(*this == o); }
};

constexpr IColor COLOR_TRANSPARENT(0, 0, 0, 0);
constexpr IColor COLOR_BLACK(255, 0, 0, 0);
constexpr IColor COLOR_GRAY(255, 127, 127, 127);
constexpr IColor COLOR_WHITE(255, 255, 255, 255);
constexpr IColor COLOR_RED(255, 255, 0, 0);
constexpr IColor COLOR_GREEN(255, 0, 255, 0);
constexpr IColor COLOR_BLUE(255, 0, 0, 255);
constexpr IColor COLOR_YELLOW(255, 255, 255, 0);
constexpr IColor COLOR_ORANGE(255, 255, 127, 0);
constexpr IColor DEFAULT_TEXT_COLOR = COLOR_BLACK;
constexpr IColor DEFAULT_TEXT_ENTRY_BGCOLOR = COLOR_WHITE;
constexpr IColor DEFAULT_TEXT_ENTRY_FGCOLOR = COLOR_BLACK;

// The low 8 bits of each component.
constexpr LICE_pixel IColorToPixel(const IColor& c) { return LICE_MakePixel(c.R, c.G, c.B, c.A); }
constexpr IColor PixelToIColor(LICE_pixel p) {
  return IColor(LICE_PixelAlpha(p), LICE_PixelRed(p), LICE_PixelGreen(p), LICE_PixelBlue(p));
}

struct IText {
  enum EStyle { kStyleNormal = 0, kStyleBold, kStyleItalic };
  enum EAlign { kAlignNear = 0, kAlignCenter, kAlignFar };
  enum EQuality { kQualityDefault = 0, kQualityPlain, kQualitySmooth, kQualitySmoothest };
  static constexpr int kFontNameLen = 32;

  // A null colour or face keeps the default; a longer face is cut to 31 characters.
  explicit IText(int size = 10, const IColor* color = nullptr, const char* font = nullptr,
                 EStyle style = kStyleNormal, EAlign align = kAlignCenter, int orientation = 0,
                 EQuality quality = kQualityDefault, const IColor* textEntryBGColor = nullptr,
                 const IColor* textEntryFGColor = nullptr);

  char mFont[kFontNameLen];
  int mSize;
  IColor mColor;
  IColor mTextEntryBGColor;
  IColor mTextEntryFGColor;
  int mStyle;
  int mAlign;
  int mOrientation;
  int mQuality;
  // Filled in by the font cache, even through a style the caller thinks of
  // as read-only; the font belongs to the cache.
  LICE_IFont* mCached = nullptr;
};

// An image of N equal frames, stacked or side by side. The pixels belong to
// the process-wide bitmap cache.
struct IBitmap {
  explicit IBitmap(LICE_IBitmap* data = nullptr, int w = 0, int h = 0, int n = 1, bool framesAreHorizontal = false)
      : mData(data), W(w), H(h), N(n), mFramesAreHorizontal(framesAreHorizontal) {}

  // Source offset of frame (counted from 1) inside the image; frames below 2
  // show the first.
  void GetFrameOffset(int frame, int* srcX, int* srcY) const;
  // The frame, counted from 1, that shows a value 0..1: value 0 shows the
  // first frame and value 1 the last.
  int FrameOfValue(double value) const;

  LICE_IBitmap* mData;
  int W;
  int H;
  int N;
  bool mFramesAreHorizontal;
};

struct IChannelBlend {
  enum EBlendMethod { kBlendNone = 0, kBlendClobber, kBlendAdd, kBlendColorDodge };
  constexpr IChannelBlend(int method = kBlendNone, float weight = 1.0f) : mMethod(method), mWeight(weight) {}
  int mMethod;
  float mWeight;
};

// Raster mode word of a blend (null: copy through the source alpha), for
// ordinary drawing or for the filtered rotated blits.
int IBlendMode(const IChannelBlend* blend, bool rotated = false);
inline float IBlendWeight(const IChannelBlend* blend) { return blend ? blend->mWeight : 1.0f; }

// Editor pixels from the top-left corner; L and T inclusive, R and B exclusive.
struct IRECT {
  int L = 0, T = 0, R = 0, B = 0;

  constexpr IRECT() = default;
  constexpr IRECT(int l, int t, int r, int b) : L(l), T(t), R(r), B(b) {}
  // One stacked frame of the bitmap placed at (x, y); a frame count below 1 counts as 1.
  IRECT(int x, int y, const IBitmap* bitmap)
      : L(x), T(y), R(x + bitmap->W), B(y + (bitmap->N > 1 ? bitmap->H / bitmap->N : bitmap->H)) {}

  // Only the all-zero rectangle counts as empty.
  bool IsEmpty() const { return L == 0 && T == 0 && R == 0 && B == 0; }
  // Extents beyond the integer range stop at its limit.
  int W() const { return TruncateToInt(static_cast<double>(R) - L); }
  int H() const { return TruncateToInt(static_cast<double>(B) - T); }
  float MidX() const { return static_cast<float>((static_cast<double>(L) + R) * 0.5); }
  bool ContainsPoint(int x, int y) const { return !IsEmpty() && x >= L && x < R && y >= T && y < B; }
  // A right or bottom edge on the other's left or top edge counts as meeting it.
  bool Overlaps(const IRECT* o) const {
    return !IsEmpty() && !o->IsEmpty() && R >= o->L && L < o->R && B >= o->T && T < o->B;
  }
  IRECT IntersectionWith(const IRECT* o) const;
  IRECT UnionWith(const IRECT* o) const;

  bool operator==(const IRECT& o) const { return L == o.L && T == o.T && R == o.R && B == o.B; }
  bool operator!=(const IRECT& o) const { return !(*this == o); }
};

// R: right button, or the command key with the left one.
struct IMouseMod {
  bool L, R, S, C, A;
  constexpr IMouseMod(bool l = false, bool r = false, bool s = false, bool c = false, bool a = false)
      : L(l), R(r), S(s), C(c), A(a) {}
};

// The axis along which knobs, faders and radio buttons move.
enum EDirection { kVertical = 0, kHorizontal = 1 };

// Key codes the platform views send to OnKeyDown.
enum EKeyCode {
  KEY_SPACE = 0,
  KEY_UPARROW,
  KEY_DOWNARROW,
  KEY_LEFTARROW,
  KEY_RIGHTARROW,
  KEY_DIGIT_0,
  KEY_DIGIT_9 = KEY_DIGIT_0 + 9,
  KEY_ALPHA_A,
  KEY_ALPHA_Z = KEY_ALPHA_A + 25
};
