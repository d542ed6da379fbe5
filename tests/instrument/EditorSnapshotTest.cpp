// The instrument's editor as a person sees it, written as PNG files into the
// build tree: the synth and the about tab right after construction, and
// again once the host has initialised the instrument, a note has played and
// the editor's idle pass has run.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "graphics/IGraphics.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/RectOps.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/support/PngWriter.h"

namespace {

// The whole editor drawn, written under name; its pixels.
std::vector<LICE_pixel> Shoot(ThudrokkaProbe& plug, const std::string& name) {
  IGraphics* editor = plug.mEditor;
  IRECT all(0, 0, editor->Width(), editor->Height());
  IRECT dirty;
  editor->IsDirty(&dirty);
  editor->Draw(&all);
  LICE_SysBitmap* screen = editor->GetDrawBitmap();
  const std::string path = testsupport::outputPath(name);
  EXPECT_TRUE(testsupport::writePng(path, reinterpret_cast<const unsigned char*>(screen->getBits()), editor->Width(),
                                    editor->Height(), screen->getRowSpan() * 4))
      << path;
  std::printf("editor snapshot: %s\n", path.c_str());
  std::vector<LICE_pixel> pixels;
  for (int y = 0; y < editor->Height(); ++y) {
    for (int x = 0; x < editor->Width(); ++x) pixels.push_back(LICE_GetPixel(screen, x, y));
  }
  return pixels;
}

int Differing(const std::vector<LICE_pixel>& a, const std::vector<LICE_pixel>& b, const IRECT& area) {
  int n = 0;
  for (int y = area.T; y < area.B; ++y) {
    for (int x = area.L; x < area.R; ++x) n += a[static_cast<size_t>(y * 1024 + x)] != b[static_cast<size_t>(y * 1024 + x)];
  }
  return n;
}

TEST(EditorSnapshots, SynthAndAboutTabsBuiltAndRefreshed) {
  ThudrokkaProbe plug;
  const std::vector<LICE_pixel> synthBuilt = Shoot(plug, "editor-synth-built.png");
  plug.OnAboutTab();
  const std::vector<LICE_pixel> aboutBuilt = Shoot(plug, "editor-about-built.png");
  plug.OnSynthTab();

  // What a host does first, then a note and the editor's next idle pass.
  plug.prepare(44100.0, 512);
  plug.OnParamReset();
  IMidiMsg note;
  note.MakeNoteOnMsg(45, 120, 0);
  plug.ProcessMidiMsg(&note);
  std::vector<double> left(512), right(512);
  double* out[2] = {left.data(), right.data()};
  for (int b = 0; b < 20; ++b) plug.ProcessDoubleReplacing(nullptr, out, 512);
  plug.mEditor->OnGUIIdle();
  const std::vector<LICE_pixel> synthRefreshed = Shoot(plug, "editor-synth-refreshed.png");
  plug.OnAboutTab();
  const std::vector<LICE_pixel> aboutRefreshed = Shoot(plug, "editor-about-refreshed.png");

  const IRECT whole(0, 0, 1024, 760);
  // The tabs look different from each other; the about tab does not change
  // with a refresh.
  EXPECT_GT(Differing(synthBuilt, aboutBuilt, whole), 100000);
  EXPECT_EQ(Differing(aboutBuilt, aboutRefreshed, IRECT(0, 0, 1024, 700)), 0);
  // The refreshed read-outs: the level and host texts of the status bar, the
  // note read-out and the oscillator's waveform name.
  EXPECT_GT(Differing(synthBuilt, synthRefreshed, IRECT(490, 677, 610, 693)), 0) << "level";
  EXPECT_GT(Differing(synthBuilt, synthRefreshed, IRECT(483, 594, 573, 610)), 0) << "note";
  EXPECT_GT(Differing(synthBuilt, synthRefreshed, IRECT(88, 119, 188, 135)), 0) << "waveform name";
}

}  // namespace
