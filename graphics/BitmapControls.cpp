#include "graphics/BitmapControls.h"

#include "framework/TruncateToInt.h"
#include "graphics/IGraphics.h"

bool IPanelControl::Draw(IGraphics* g) {
  g->FillIRect(&mColor, &mRect, &mBlend);
  return true;
}

bool IBitmapControl::Draw(IGraphics* g) {
  g->DrawBitmap(&mBitmap, &mRect, FrameOfValue(), &mBlend);
  return true;
}

void ISwitchControl::OnMouseDown(int, int, IMouseMod*) {
  mValue += mBitmap.N >= 2 ? 1.0 / (mBitmap.N - 1) : 1.0;
  if (mValue > 1.001) mValue = 0.0;
  SetDirty(true);
}

void IContactControl::OnMouseUp(int, int, IMouseMod*) {
  mValue = 0.0;
  SetDirty(true);
}

bool IBitmapOverlayControl::Draw(IGraphics* g) {
  if (mValue < 0.5) {
    mTargetRect = mTargetArea;
    return true;
  }
  mTargetRect = mRect;
  return IBitmapControl::Draw(g);
}

void IInvisibleSwitchControl::OnMouseDown(int, int, IMouseMod*) {
  mValue = mValue < 0.5 ? 1.0 : 0.0;
  SetDirty(true);
}

IRadioButtonsControl::IRadioButtonsControl(IPlugBase* plug, IRECT rect, int paramIdx, int nButtons, IBitmap* bitmap,
                                           EDirection direction, bool reverse)
    : IControl(plug, rect, paramIdx), mBitmap(*bitmap) {
  const int n = nButtons > 0 ? nButtons : 0;
  const int w = bitmap->W;
  const int h = TruncateToInt(static_cast<double>(bitmap->H) / (bitmap->N > 0 ? bitmap->N : 1));
  // Each button starts this far after the one before.
  int pitch = 0;
  if (n >= 2) {
    const int free = direction == kHorizontal ? rect.W() - n * w : rect.H() - n * h;
    pitch = TruncateToInt(static_cast<double>(free) / (n - 1)) + (direction == kHorizontal ? w : h);
  }
  for (int i = 0; i < n; ++i) {
    IRECT button;
    if (direction == kHorizontal) {
      const int left = reverse ? rect.R - w - i * pitch : rect.L + i * pitch;
      button = IRECT(left, rect.T, left + w, rect.T + h);
    } else {
      const int top = reverse ? rect.B - h - i * pitch : rect.T + i * pitch;
      button = IRECT(rect.L, top, rect.L + w, top + h);
    }
    if (!mRects.Add(button)) break;
  }
}

void IRadioButtonsControl::OnMouseDown(int x, int y, IMouseMod* mod) {
  if (mod && mod->R) {
    PromptUserInput();
    return;
  }
  const int n = NButtons();
  if (n >= 2) {
    for (int i = 0; i < n; ++i) {
      if (mRects.Get()[i].ContainsPoint(x, y)) {
        mValue = static_cast<double>(i) / (n - 1);
        break;
      }
    }
  }
  SetDirty(true);
}

bool IRadioButtonsControl::Draw(IGraphics* g) {
  const int n = NButtons();
  int active = TruncateToInt(static_cast<double>(n - 1) * mValue + 0.5);
  if (active > n - 1) active = n - 1;
  if (active < 0) active = 0;
  for (int i = 0; i < n; ++i) g->DrawBitmap(&mBitmap, mRects.Get() + i, i == active ? 2 : 1, &mBlend);
  return true;
}
