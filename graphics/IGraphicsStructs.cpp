#include "graphics/IGraphicsStructs.h"

#include <algorithm>
#include <cstring>

#include "framework/TextCopy.h"
#include "framework/TruncateToInt.h"

IText::IText(int size, const IColor* color, const char* font, EStyle style, EAlign align, int orientation,
             EQuality quality, const IColor* textEntryBGColor, const IColor* textEntryFGColor)
    : mSize(size),
      mColor(color ? *color : DEFAULT_TEXT_COLOR),
      mTextEntryBGColor(textEntryBGColor ? *textEntryBGColor : DEFAULT_TEXT_ENTRY_BGCOLOR),
      mTextEntryFGColor(textEntryFGColor ? *textEntryFGColor : DEFAULT_TEXT_ENTRY_FGCOLOR),
      mStyle(style),
      mAlign(align),
      mOrientation(orientation),
      mQuality(quality) {
  std::memset(mFont, 0, sizeof(mFont));
  CopyText(mFont, font ? font : "Monaco", sizeof(mFont));
}

void IBitmap::GetFrameOffset(int frame, int* srcX, int* srcY) const {
  *srcX = 0;
  *srcY = 0;
  if (N < 2 || frame < 2) return;
  const int size = mFramesAreHorizontal ? W : H;
  const int offset = TruncateToInt(static_cast<double>(frame - 1) * size / N + 0.5);
  (mFramesAreHorizontal ? *srcX : *srcY) = offset;
}

int IBitmap::FrameOfValue(double value) const {
  if (N < 2) return 1;
  const int k = TruncateToInt(static_cast<double>(N - 1) * value + 0.5);
  if (k >= N) return N;
  if (k < 0) return 1;
  return k + 1;
}

int IBlendMode(const IChannelBlend* blend, bool rotated) {
  const int filter = rotated ? LICE_MODE_BILINEAR : 0;
  switch (blend ? blend->mMethod : IChannelBlend::kBlendNone) {
    case IChannelBlend::kBlendClobber: return LICE_MODE_COPY | filter;
    case IChannelBlend::kBlendAdd: return LICE_MODE_ADD | LICE_MODE_SOURCE_ALPHA | filter;
    case IChannelBlend::kBlendColorDodge: return LICE_MODE_DODGE | LICE_MODE_SOURCE_ALPHA | filter;
    default: return LICE_MODE_COPY | LICE_MODE_SOURCE_ALPHA | filter;
  }
}

IRECT IRECT::IntersectionWith(const IRECT* o) const {
  if (!Overlaps(o)) return IRECT();
  return IRECT(std::max(L, o->L), std::max(T, o->T), std::min(R, o->R), std::min(B, o->B));
}

IRECT IRECT::UnionWith(const IRECT* o) const {
  if (IsEmpty()) return *o;
  if (o->IsEmpty()) return *this;
  return IRECT(std::min(L, o->L), std::min(T, o->T), std::max(R, o->R), std::max(B, o->B));
}
