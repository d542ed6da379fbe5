#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graphics/BitmapControls.h"
#include "instrument/Thudrokka.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/AUComponent.h"
#include "platform/standin/CFBundle.h"
#include "platform/standin/NSView.h"
#include "platform/standin/UserScript.h"
#include "tests/graphics/ControlsFixture.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tools/thudrokka/InstrumentHost.h"

// The instrument built directly with a recording editor of its full size
// attached, whose first control paints everything black.
struct ProbeEditorTest : testing::Test {
  ProbeEditorTest() : gui(new gfxtest::TestGraphics(&plug, 1024, 760)) {
    plug.AttachGraphics(gui);
    gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, 1024, 760), &COLOR_BLACK));
  }

  template <class Control>
  Control* Attach(Control* c) {
    gui->AttachControl(c);
    return c;
  }
  IBitmap Strip(int w, int h, int n) {
    mStrips.push_back(gfxtest::FrameStrip(w, h, n));
    return IBitmap(mStrips.back().get(), w, h * n, n);
  }
  void Redraw() {
    IRECT all(0, 0, 1024, 760);
    gui->Draw(&all);
  }
  int FrameAt(int x, int y) { return LICE_PixelRed(IColorToPixel(gui->GetPoint(x, y))); }
  void Click(int x, int y, IMouseMod mod = IMouseMod(true)) {
    gui->OnMouseDown(x, y, &mod);
    gui->OnMouseUp(x, y, &mod);
  }
  // Renders blocks of silence or of whatever plays.
  void Render(int blocks, int frames = 256) {
    std::vector<double> left(static_cast<size_t>(frames)), right(left.size());
    double* out[2] = {left.data(), right.data()};
    for (int i = 0; i < blocks; ++i) plug.ProcessDoubleReplacing(nullptr, out, frames);
    lastLeft = left;
  }

  ThudrokkaProbe plug;
  gfxtest::TestGraphics* gui;
  std::vector<double> lastLeft;

 private:
  std::vector<std::unique_ptr<LICE_MemBitmap>> mStrips;
};

// The instrument opened by a host through its component entry, with the
// editor host attached and open in a host window; the person at the screen
// answers from the user script. Program changes the unit announces to the
// host are counted.
struct HostedEditorTest : testing::Test {

  void SetUp() override {
    standin::ResetUserScript();
    ASSERT_EQ(host.open(44100.0, 512), noErr);
    plug = host.instrument();
    gui = new IGraphicsMac(plug, 1024, 760);
    gui->SetBundleID(Thudrokka::kBundleID);
    plug->AttachGraphics(gui);
    gui->OpenWindow(window->contentView());
    ASSERT_EQ(AudioUnitAddPropertyListener(host.session().Unit(), kAudioUnitProperty_PresentPreset, CountChange,
                                           &programChanges),
              noErr);
  }

  template <class Control>
  Control* Attach(Control* c) {
    gui->AttachControl(c);
    return c;
  }
  void Click(int x, int y, IMouseMod mod = IMouseMod(true)) {
    gui->OnMouseDown(x, y, &mod);
    gui->OnMouseUp(x, y, &mod);
  }
  std::vector<double> Values() const {
    std::vector<double> values;
    for (int p = 0; p < plug->NParams(); ++p) values.push_back(plug->GetParam(p)->Value());
    return values;
  }
  const standin::PromptRecord* LastPrompt() const {
    return standin::Prompts().empty() ? nullptr : &standin::Prompts().back();
  }

  static void CountChange(void* count, AudioUnit, AudioUnitPropertyID, AudioUnitScope, AudioUnitElement) {
    ++*static_cast<int*>(count);
  }

  // Declared first so that it outlives the instrument and its editor.
  std::unique_ptr<NSWindow> window{new NSWindow(NSMakeRect(100, 100, 1024, 760))};
  InstrumentHost host;
  Thudrokka* plug = nullptr;
  IGraphicsMac* gui = nullptr;
  int programChanges = 0;
};
