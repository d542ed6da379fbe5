#pragma once

#include <memory>
#include <vector>

#include "graphics/IControl.h"
#include "graphics/IGraphics.h"

// Records every value an editor hands to the controls of one parameter. It
// takes no room on the screen and draws nothing.
class ValueTap : public IControl {
 public:
  ValueTap(IPlugBase* plug, int paramIdx) : IControl(plug, IRECT(), paramIdx) {}
  void SetValueFromPlug(double value) override {
    values.push_back(value);
    IControl::SetValueFromPlug(value);
  }
  bool Draw(IGraphics*) override { return true; }

  std::vector<double> values;
};

// A tap on each of the first n parameters, attached to the editor, which owns them.
inline std::vector<ValueTap*> TapEveryParameter(IGraphics* editor, IPlugBase* plug, int n) {
  std::vector<ValueTap*> taps;
  for (int p = 0; p < n; ++p) {
    taps.push_back(new ValueTap(plug, p));
    editor->AttachControl(taps.back());
  }
  return taps;
}
