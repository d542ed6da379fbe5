#pragma once

#include "framework/WDL_TypedBuf.h"
#include "graphics/IControl.h"

// A rectangle filled with one colour.
class IPanelControl : public IControl {
 public:
  IPanelControl(IPlugBase* plug, IRECT rect, const IColor* color) : IControl(plug, rect), mColor(*color) {}
  bool Draw(IGraphics* g) override;

 protected:
  IColor mColor;
};

// The frame of a stacked strip that matches the value: value 0 shows frame 1,
// value 1 the last.
class IBitmapControl : public IControl {
 public:
  IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                 IChannelBlend blend = IChannelBlend(IChannelBlend::kBlendNone))
      : IControl(plug, IRECT(x, y, bitmap), paramIdx, blend), mBitmap(*bitmap) {}
  bool Draw(IGraphics* g) override;
  // Frame of the current value, counted from 1.
  int FrameOfValue() const { return mBitmap.FrameOfValue(mValue); }
  const IBitmap& GetBitmap() const { return mBitmap; }

 protected:
  IBitmap mBitmap;
};

// Each click steps to the next frame's value and from the last back to 0; a
// double click is one more click.
class ISwitchControl : public IBitmapControl {
 public:
  using IBitmapControl::IBitmapControl;
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void OnMouseDblClick(int x, int y, IMouseMod* mod) override { OnMouseDown(x, y, mod); }
};

// A switch that is on only while the button is held.
class IContactControl : public ISwitchControl {
 public:
  using ISwitchControl::ISwitchControl;
  void OnMouseUp(int x, int y, IMouseMod* mod) override;
};

// While off it draws nothing and takes the mouse only in its target area;
// while on it covers its own rectangle and takes the mouse there.
class IBitmapOverlayControl : public ISwitchControl {
 public:
  IBitmapOverlayControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap, IRECT targetArea,
                        IChannelBlend blend = IChannelBlend(IChannelBlend::kBlendNone))
      : ISwitchControl(plug, x, y, paramIdx, bitmap, blend), mTargetArea(targetArea) {
    mTargetRect = mTargetArea;
  }
  bool Draw(IGraphics* g) override;

 protected:
  IRECT mTargetArea;
};

// A click area without a picture that toggles its value.
class IInvisibleSwitchControl : public IControl {
 public:
  IInvisibleSwitchControl(IPlugBase* plug, IRECT rect, int paramIdx)
      : IControl(plug, rect, paramIdx, IChannelBlend(IChannelBlend::kBlendClobber)) {}
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics*) override { return true; }
};

// A row or column of two-frame buttons of which the one matching the value
// shows its second frame; a click on button i of n sets i / (n - 1). The
// buttons spread evenly over the rectangle, the first at its near edge or,
// reversed, at its far edge. Fewer than two buttons lie without gaps and
// never change the value.
class IRadioButtonsControl : public IControl {
 public:
  IRadioButtonsControl(IPlugBase* plug, IRECT rect, int paramIdx, int nButtons, IBitmap* bitmap,
                       EDirection direction = kVertical, bool reverse = false);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics* g) override;

  int NButtons() const { return mRects.GetSize(); }
  // Null outside 0 .. NButtons() - 1.
  const IRECT* GetButtonRECT(int i) const { return i >= 0 && i < mRects.GetSize() ? mRects.Get() + i : nullptr; }

 protected:
  WDL_TypedBuf<IRECT> mRects;
  IBitmap mBitmap;
};
