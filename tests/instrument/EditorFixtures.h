#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graphics/BitmapControls.h"
#include "instrument/Thudrokka.h"
#include "platform/mac/IGraphicsCocoa.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/AUComponent.h"
#include "platform/standin/CFBundle.h"
#include "platform/standin/NSView.h"
#include "platform/standin/UserScript.h"
#include "tests/graphics/ControlsFixture.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/instrument/ValueTap.h"
#include "tools/thudrokka/InstrumentHost.h"

// The first control of the class in the editor whose rectangle holds (x, y),
// or null.
template <class Control>
Control* FindControl(IGraphics* editor, int x, int y) {
  for (int i = 0; i < editor->NControls(); ++i) {
    auto* c = dynamic_cast<Control*>(editor->GetControl(i));
    if (c && c->GetRECT()->ContainsPoint(x, y)) return c;
  }
  return nullptr;
}

// The instrument built directly with its own editor, open in a window so
// that its prompts reach the scripted person, and beside it a bare recording
// editor of the same size that no plug-in owns, whose first control paints
// everything black: controls a test makes are attached there, to be drawn
// and clicked on their own.
struct ProbeEditorTest : testing::Test {
  ProbeEditorTest() {
    standin::ResetUserScript();
    plug.mEditor->OpenWindow(window->contentView());
    gui->PrepDraw();
    gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, 1024, 760), &COLOR_BLACK));
  }
  ~ProbeEditorTest() override {
    delete gui;
    standin::ResetUserScript();
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

  // Declared first so that it outlives the instrument and its editor.
  std::unique_ptr<NSWindow> window{new NSWindow(NSMakeRect(100, 100, 1024, 760))};
  ThudrokkaProbe plug;
  gfxtest::TestGraphics* gui = new gfxtest::TestGraphics(&plug, 1024, 760);
  std::vector<double> lastLeft;

 private:
  std::vector<std::unique_ptr<LICE_MemBitmap>> mStrips;
};

// The instrument opened by a host through its component entry, its own
// editor asked for through the Cocoa UI property and shown in a host window,
// as a host does; the person at the screen answers from the user script.
// Program changes the unit announces to the host are counted.
struct HostedEditorTest : testing::Test {
  void SetUp() override {
    standin::ResetUserScript();
    ASSERT_EQ(host.open(44100.0, 512), noErr);
    plug = host.instrument();
    NSView* view = host.session().OpenCocoaView(NSSize{1024, 760});
    ASSERT_NE(view, nullptr);
    window->contentView()->addSubview(view);
    cocoaView = static_cast<IGraphicsCocoa_vThudrokka_au*>(view);
    gui = static_cast<IGraphicsMac*>(plug->GetGUI());
    ASSERT_EQ(AudioUnitAddPropertyListener(host.session().Unit(), kAudioUnitProperty_PresentPreset, CountChange,
                                           &programChanges),
              noErr);
  }
  void TearDown() override { standin::ResetUserScript(); }

  template <class Control>
  Control* Find(int x, int y) {
    Control* c = FindControl<Control>(gui, x, y);
    EXPECT_NE(c, nullptr) << "no such control at " << x << "," << y;
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
  IGraphicsCocoa_vThudrokka_au* cocoaView = nullptr;
  int programChanges = 0;
};
