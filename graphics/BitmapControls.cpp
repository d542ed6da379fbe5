#include "graphics/BitmapControls.h"

#include "graphics/IGraphics.h"

bool IPanelControl::Draw(IGraphics* g) {
  g->FillIRect(&mColor, &mRect, &mBlend);
  return true;
}

int IBitmapControl::FrameOfValue() const {
  const int n = mBitmap.N;
  if (n < 2) return 1;
  const int k = static_cast<int>(static_cast<double>(n - 1) * mValue + 0.5);
  if (k >= n) return n;
  if (k < 0) return 1;
  return k + 1;
}

bool IBitmapControl::Draw(IGraphics* g) {
  g->DrawBitmap(&mBitmap, &mRect, FrameOfValue(), &mBlend);
  return true;
}
