#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graphics/BitmapControls.h"
#include "lice/LICE_MemBitmap.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace gfxtest {

// A stacked strip of n frames of w x h pixels; every pixel of frame k
// (counted from 1) is opaque with red k, so the frame a control drew can be
// read back from the editor.
inline std::unique_ptr<LICE_MemBitmap> FrameStrip(int w, int h, int n) {
  auto strip = std::make_unique<LICE_MemBitmap>(w, h * n, 4);
  for (int y = 0; y < h * n; ++y) {
    for (int x = 0; x < w; ++x) strip->getBits()[y * strip->getRowSpan() + x] = LICE_MakePixel(y / h + 1, 0, 0, 255);
  }
  return strip;
}

// A plug-in of unit parameters with an editor of 200 x 200 pixels attached,
// whose first control paints everything black.
struct ControlsFixture : testing::Test {
  static constexpr int kSize = 200;

  ControlsFixture() : gui(new TestGraphics(&plug, kSize, kSize)) {
    plug.AttachGraphics(gui);
    gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, kSize, kSize), &COLOR_BLACK));
  }

  template <class Control>
  Control* Attach(Control* c) {
    gui->AttachControl(c);
    return c;
  }
  IBitmap Strip(int w, int h, int n) {
    mStrips.push_back(FrameStrip(w, h, n));
    return IBitmap(mStrips.back().get(), w, h * n, n);
  }
  // Everything attached, drawn afresh.
  void Redraw() {
    IRECT all(0, 0, kSize, kSize);
    gui->Draw(&all);
  }
  // A control that is not attached, drawn over a black editor.
  void DrawAlone(IControl* c) {
    Redraw();
    c->Draw(gui);
  }
  // The frame drawn at a pixel (0: none).
  int FrameAt(int x, int y) { return LICE_PixelRed(IColorToPixel(gui->GetPoint(x, y))); }
  // A click through the editor, as the view sends it.
  void Click(int x, int y, IMouseMod mod = IMouseMod(true)) {
    gui->OnMouseDown(x, y, &mod);
    gui->OnMouseUp(x, y, &mod);
  }

  LoggingPlug plug;
  TestGraphics* gui;

 private:
  std::vector<std::unique_ptr<LICE_MemBitmap>> mStrips;
};

}  // namespace gfxtest
