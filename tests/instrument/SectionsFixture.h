#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/IGraphics.h"
#include "graphics/TextControls.h"
#include "tests/instrument/ThudrokkaProbe.h"

// The instrument with the editor it builds itself, driven as a person at
// the screen would, and its controls found where the sections put them.
struct SectionsTest : testing::Test {
  SectionsTest() : gui(dynamic_cast<IGraphics*>(plug.GetGUI())) {}

  void SetUp() override { ASSERT_NE(gui, nullptr); }

  // The control of that class whose rectangle is r, or null.
  template <class Control>
  Control* At(IRECT r) {
    for (int i = 0; i < gui->NControls(); ++i) {
      auto* c = dynamic_cast<Control*>(gui->GetControl(i));
      if (c && *c->GetRECT() == r) return c;
    }
    return nullptr;
  }
  void Redraw() {
    IRECT all(0, 0, Thudrokka::kEditorWidth, Thudrokka::kEditorHeight);
    gui->Draw(&all);
  }
  // What the text control at r shows once drawn; captions make their text
  // as they draw.
  std::string TextAt(IRECT r) {
    ITextControl* text = At<ITextControl>(r);
    if (!text) return "(no text at " + std::to_string(r.L) + "," + std::to_string(r.T) + ")";
    Redraw();
    return text->GetTextString();
  }
  void Click(int x, int y, IMouseMod mod = IMouseMod(true)) {
    gui->OnMouseDown(x, y, &mod);
    gui->OnMouseUp(x, y, &mod);
  }
  double Value(int p) { return plug.GetParam(p)->Value(); }
  // The pixels of r as drawn last.
  std::vector<IColor> Pixels(IRECT r) {
    std::vector<IColor> pixels;
    for (int y = r.T; y < r.B; ++y) {
      for (int x = r.L; x < r.R; ++x) pixels.push_back(gui->GetPoint(x, y));
    }
    return pixels;
  }

  ThudrokkaProbe plug;
  IGraphics* gui;
};
