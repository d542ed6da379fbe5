#pragma once

#include "graphics/IControl.h"

constexpr double DEFAULT_GEARING = 4.0;

// A control turned by relative drags: dragging over its whole height (or
// width) gearing times sweeps the range, ten times finer with Shift or
// Control. A knob without extent along its direction ignores drags.
class IKnobControl : public IControl {
 public:
  IKnobControl(IPlugBase* plug, IRECT rect, int paramIdx, EDirection direction = kVertical,
               double gearing = DEFAULT_GEARING)
      : IControl(plug, rect, paramIdx), mDirection(direction), mGearing(gearing) {}
  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* mod) override;

 protected:
  EDirection mDirection;
  double mGearing;
};

// A line from an inner to an outer radius at the angle of the value; angle 0
// points up and angles grow clockwise, in radians.
class IKnobLineControl : public IKnobControl {
 public:
  // An outer radius of 0 reaches half the rectangle's width.
  IKnobLineControl(IPlugBase* plug, IRECT rect, int paramIdx, const IColor* color, double innerRadius = 0.0,
                   double outerRadius = 0.0, double minAngle = -0.75 * 3.141592653589793,
                   double maxAngle = 0.75 * 3.141592653589793, EDirection direction = kVertical,
                   double gearing = DEFAULT_GEARING);
  bool Draw(IGraphics* g) override;

 protected:
  IColor mColor;
  float mMinAngle, mMaxAngle, mInnerRadius, mOuterRadius;
};

// One picture turned about the control's centre by the angle of the value,
// in radians.
class IKnobRotaterControl : public IKnobControl {
 public:
  IKnobRotaterControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                      double minAngle = -0.75 * 3.141592653589793, double maxAngle = 0.75 * 3.141592653589793,
                      int yOffset = 0, EDirection direction = kVertical, double gearing = DEFAULT_GEARING)
      : IKnobControl(plug, IRECT(x, y, x + bitmap->W, y + bitmap->H), paramIdx, direction, gearing),
        mBitmap(*bitmap),
        mMinAngle(minAngle),
        mMaxAngle(maxAngle),
        mYOffset(yOffset) {}
  bool Draw(IGraphics* g) override;

 protected:
  IBitmap mBitmap;
  double mMinAngle, mMaxAngle;
  int mYOffset;
};

// A frame strip showing the frame of the value, as IBitmapControl does.
class IKnobMultiControl : public IKnobControl {
 public:
  IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap, EDirection direction = kVertical,
                    double gearing = DEFAULT_GEARING)
      : IKnobControl(plug, IRECT(x, y, bitmap), paramIdx, direction, gearing), mBitmap(*bitmap) {}
  bool Draw(IGraphics* g) override;
  const IBitmap& GetBitmap() const { return mBitmap; }

 protected:
  IBitmap mBitmap;
};

// A base picture, a mask and a top picture turned together by the angle of
// the value, in degrees.
class IKnobRotatingMaskControl : public IKnobControl {
 public:
  IKnobRotatingMaskControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* base, IBitmap* mask, IBitmap* top,
                           double minAngle = -135.0, double maxAngle = 135.0, EDirection direction = kVertical,
                           double gearing = DEFAULT_GEARING)
      : IKnobControl(plug, IRECT(x, y, x + base->W, y + base->H), paramIdx, direction, gearing),
        mBase(*base),
        mMask(*mask),
        mTop(*top),
        mMinAngle(minAngle),
        mMaxAngle(maxAngle) {}
  bool Draw(IGraphics* g) override;

 protected:
  IBitmap mBase, mMask, mTop;
  double mMinAngle, mMaxAngle;
};

// A handle (the whole bitmap) that follows the pointer along a straight
// travel of len pixels: value 0 at the left or bottom end, 1 at the right or
// top end. A travel as long as the handle ignores clicks and drags.
class IFaderControl : public IControl {
 public:
  IFaderControl(IPlugBase* plug, int x, int y, int len, int paramIdx, IBitmap* bitmap,
                EDirection direction = kVertical, bool onlyHandle = false);
  // With the R modifier prompts; otherwise the handle jumps to the pointer.
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* mod) override;
  bool Draw(IGraphics* g) override;
  bool IsHit(int x, int y) override;

  // Where the handle lies for a value.
  IRECT GetHandleRECT(double value) const;
  IRECT GetHandleRECT() const { return GetHandleRECT(mValue); }
  // The handle.
  const IBitmap& GetBitmap() const { return mBitmap; }

 protected:
  void SnapToMouse(int x, int y);

  int mLen;
  int mHandleMargin;
  IBitmap mBitmap;
  EDirection mDirection;
  bool mHandleOnly;
};
