#include "graphics/KnobControls.h"

#include <cmath>

#include "framework/TruncateToInt.h"
#include "graphics/IGraphics.h"

void IKnobControl::OnMouseDrag(int, int, int dX, int dY, IMouseMod* mod) {
  const double gearing = mod && (mod->C || mod->S) ? mGearing * 10.0 : mGearing;
  const int travel = mDirection == kVertical ? mRect.T - mRect.B : mRect.R - mRect.L;
  const double value = mValue + (mDirection == kVertical ? dY : dX) / static_cast<double>(travel) / gearing;
  // Without travel (or gearing) there is no step; the clamp would turn the
  // infinity into an extreme sent to the host.
  if (!std::isfinite(value)) return;
  mValue = value;
  SetDirty(true);
}

IKnobLineControl::IKnobLineControl(IPlugBase* plug, IRECT rect, int paramIdx, const IColor* color,
                                   double innerRadius, double outerRadius, double minAngle, double maxAngle,
                                   EDirection direction, double gearing)
    : IKnobControl(plug, rect, paramIdx, direction, gearing),
      mColor(*color),
      mMinAngle(static_cast<float>(minAngle)),
      mMaxAngle(static_cast<float>(maxAngle)),
      mInnerRadius(static_cast<float>(innerRadius)),
      mOuterRadius(static_cast<float>(outerRadius == 0.0 ? rect.W() * 0.5 : outerRadius)) {
  mBlend = IChannelBlend(IChannelBlend::kBlendClobber);
}

bool IKnobLineControl::Draw(IGraphics* g) {
  const float angle = mMinAngle + (mMaxAngle - mMinAngle) * static_cast<float>(mValue);
  const float cx = static_cast<float>(mRect.L + mRect.R) * 0.5f;
  const float cy = static_cast<float>(mRect.T + mRect.B) * 0.5f;
  return g->DrawRadialLine(&mColor, cx, cy, angle, mInnerRadius, mOuterRadius, &mBlend, true);
}

bool IKnobRotaterControl::Draw(IGraphics* g) {
  const double angle = mMinAngle + (mMaxAngle - mMinAngle) * mValue;
  return g->DrawRotatedBitmap(&mBitmap, (mRect.L + mRect.R) / 2, (mRect.T + mRect.B) / 2, angle, mYOffset, &mBlend);
}

bool IKnobMultiControl::Draw(IGraphics* g) {
  return g->DrawBitmap(&mBitmap, &mRect, mBitmap.FrameOfValue(mValue), &mBlend);
}

bool IKnobRotatingMaskControl::Draw(IGraphics* g) {
  const double angle = mMinAngle + (mMaxAngle - mMinAngle) * mValue;
  return g->DrawRotatedMask(&mBase, &mMask, &mTop, mRect.L, mRect.T, angle, &mBlend);
}

IFaderControl::IFaderControl(IPlugBase* plug, int x, int y, int len, int paramIdx, IBitmap* bitmap,
                             EDirection direction, bool onlyHandle)
    : IControl(plug,
               direction == kHorizontal ? IRECT(x, y, x + len, y + bitmap->H) : IRECT(x, y, x + bitmap->W, y + len),
               paramIdx),
      mLen(len),
      mHandleMargin(direction == kHorizontal ? bitmap->W : bitmap->H),
      mBitmap(*bitmap),
      mDirection(direction),
      mHandleOnly(onlyHandle) {}

IRECT IFaderControl::GetHandleRECT(double value) const {
  IRECT r(mRect.L, mRect.T, mRect.L + mBitmap.W, mRect.T + mBitmap.H);
  const int travel = mLen - mHandleMargin;
  if (mDirection == kHorizontal) {
    const int offset = TruncateToInt(value * travel);
    r.L += offset;
    r.R += offset;
  } else {
    const int offset = TruncateToInt(travel * (1.0 - value));
    r.T += offset;
    r.B += offset;
  }
  return r;
}

void IFaderControl::OnMouseDown(int x, int y, IMouseMod* mod) {
  if (mod && mod->R) {
    PromptUserInput();
    return;
  }
  SnapToMouse(x, y);
}

void IFaderControl::OnMouseDrag(int x, int y, int, int, IMouseMod*) { SnapToMouse(x, y); }

void IFaderControl::SnapToMouse(int x, int y) {
  const int travel = mLen - mHandleMargin;
  if (travel == 0) return;
  const int half = mHandleMargin / 2;
  if (mDirection == kHorizontal) {
    mValue = (static_cast<double>(x) - mRect.L - half) / travel;
  } else {
    mValue = 1.0 - (static_cast<double>(y) - mRect.T - half) / travel;
  }
  SetDirty(true);
}

bool IFaderControl::Draw(IGraphics* g) {
  IRECT handle = GetHandleRECT();
  return g->DrawBitmap(&mBitmap, &handle, 1, &mBlend);
}

bool IFaderControl::IsHit(int x, int y) {
  if (mHandleOnly) return GetHandleRECT().ContainsPoint(x, y);
  return mTargetRect.ContainsPoint(x, y);
}
