#pragma once

#include <vector>

#include "framework/IGraphics.h"

// An editor that only records the values the plug-in pushes to its controls.
class FakeGraphics : public IGraphics {
 public:
  struct Update {
    int paramIdx;
    double value;
    bool normalized;
  };

  void SetParameterFromPlug(int paramIdx, double value, bool normalized) override {
    updates.push_back({paramIdx, value, normalized});
  }
  void PrepDraw() override {}
  void PromptForFile(WDL_String*, EFileAction, WDL_String*, const char*) override {}

  std::vector<Update> updates;
};
