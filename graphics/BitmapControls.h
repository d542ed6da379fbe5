#pragma once

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
  int FrameOfValue() const;

 protected:
  IBitmap mBitmap;
};
