#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include "graphics/BitmapControls.h"
#include "graphics/TextControls.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/PNG.h"
#include "tests/platform/EditorHostFixture.h"
#include "tests/support/PngWriter.h"

namespace {

constexpr const char* kFolder = "resources/img/quillvane/";

struct SnapshotFixture : hosttest::EditorHostFixture {
  SnapshotFixture() : EditorHostFixture(1024, 760) {
    standin::SetBundleResourceFolder(hosttest::kBundleID, LICE_ResourceRoot().c_str());
  }
  ~SnapshotFixture() override { standin::SetBundleResourceFolder(hosttest::kBundleID, ""); }
  IBitmap Load(int id, const char* name, int frames) {
    return gui->LoadIBitmap(id, (std::string(kFolder) + name).c_str(), frames);
  }
};

// An editor of the instrument's size built from the generated images: the
// background, eight knobs from the lowest to the highest value, switches off
// and on, a display and texts in three alignments, drawn through the editor
// host into the screen of a host window and written out for a person to see.
TEST_F(SnapshotFixture, AnEditorOfBitmapsAndTextsReachesTheScreen) {
  gui->AttachBackground(9001, (std::string(kFolder) + "Thudrokka_GUI_background_Free.png").c_str());
  IBitmap knob = Load(9002, "knobs/QV_Volume_Knob_50px.png", 128);
  IBitmap onOff = Load(9003, "switches/QV_on_off_20px.png", 2);
  IBitmap display = Load(9004, "displays/info_display_540x30.png", 1);
  ASSERT_NE(gui->GetControl(0)->GetRECT()->W(), 0) << "the background image did not load";
  ASSERT_NE(knob.mData, nullptr);
  ASSERT_NE(onOff.mData, nullptr);
  ASSERT_NE(display.mData, nullptr);

  for (int i = 0; i < 8; ++i) {
    plug.GetParam(i)->Set(i / 7.0);
    gui->AttachControl(new IBitmapControl(&plug, 100 + i * 70, 120, i, &knob));
  }
  for (int i = 0; i < 4; ++i) {
    plug.GetParam(8 + i)->Set(i % 2);
    gui->AttachControl(new IBitmapControl(&plug, 100 + i * 40, 200, 8 + i, &onOff));
  }
  gui->AttachControl(new IBitmapControl(&plug, 242, 700, -1, &display));
  const IColor white = COLOR_WHITE, orange = COLOR_ORANGE;
  IText left(13, &white, "Arial", IText::kStyleNormal, IText::kAlignNear, 0, IText::kQualityPlain);
  IText centre(16, &orange, "DejaVu Sans", IText::kStyleBold, IText::kAlignCenter);
  IText right(13, &white, "Arial", IText::kStyleItalic, IText::kAlignFar);
  auto* readout = new ITextControl(&plug, IRECT(252, 705, 772, 725), &left, "near: 48000.0 Hz");
  gui->AttachControl(readout);
  gui->AttachControl(new ITextControl(&plug, IRECT(252, 705, 772, 725), &centre, "THUDROKKA"));
  gui->AttachControl(new ITextControl(&plug, IRECT(252, 705, 772, 725), &right, "far: 120.00 BPM"));
  // The values the plug-in holds reach the controls when the editor is attached again.
  plug.AttachGraphics(gui);

  Open();
  Tick();

  LICE_SysBitmap* back = gui->GetDrawBitmap();
  const SWELL_GfxTarget* screen = window->screen();
  int differing = 0;
  for (int y = 0; y < 760; ++y) {
    for (int x = 0; x < 1024; ++x) {
      const LICE_pixel p = back->getBits()[y * back->getRowSpan() + x];
      const int rgb = (LICE_PixelRed(p) << 16) | (LICE_PixelGreen(p) << 8) | LICE_PixelBlue(p);
      differing += window->screenPixel(x, y) != rgb;
    }
  }
  EXPECT_EQ(differing, 0);
  const std::string path = testsupport::outputPath("editor-host-snapshot.png");
  ASSERT_TRUE(testsupport::writePng(path, screen->pixels, screen->width, screen->height, screen->rowBytes));
  std::printf("editor snapshot: %s\n", path.c_str());

  // The lowest and highest knobs show different frames.
  int knobDifference = 0;
  for (int y = 120; y < 170; ++y) {
    for (int x = 0; x < 50; ++x) knobDifference += window->screenPixel(100 + x, y) != window->screenPixel(590 + x, y);
  }
  EXPECT_GT(knobDifference, 100);
  // Some of the read-out's text is white.
  int whiteText = 0;
  for (int y = 705; y < 725; ++y) {
    for (int x = 252; x < 400; ++x) whiteText += window->screenPixel(x, y) == 0xFFFFFF;
  }
  EXPECT_GT(whiteText, 20);

  // A read-out rewritten from the host's thread reaches the screen at the next tick.
  std::thread([&] { readout->SetTextFromPlug("near: 44100.0 Hz"); }).join();
  Tick();
  EXPECT_STREQ(readout->GetTextString(), "near: 44100.0 Hz");
}

}  // namespace
