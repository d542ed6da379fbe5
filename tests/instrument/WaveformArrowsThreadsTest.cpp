// The waveform arrows of the instrument's own editor, pressed on the
// editor's thread while the voices read the waveforms on the render thread;
// the thread-sanitizing build runs this.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "graphics/IGraphics.h"
#include "instrument/ThudrokkaButtons.h"
#include "tests/instrument/ThudrokkaProbe.h"

namespace {

using namespace Quillvane::Synth;

// The arrow whose top-left corner is (x, y), found without its image's size.
IQvModeSwitch* ArrowAt(IGraphics* gui, int x, int y) {
  for (int i = 0; i < gui->NControls(); ++i) {
    auto* arrow = dynamic_cast<IQvModeSwitch*>(gui->GetControl(i));
    if (arrow && arrow->GetRECT()->L == x && arrow->GetRECT()->T == y) return arrow;
  }
  return nullptr;
}

void Press(IQvModeSwitch* arrow) {
  IMouseMod left(true);
  arrow->OnMouseDown(0, 0, &left);
  arrow->OnMouseUp(0, 0, &left);
}

TEST(EditorThreads, WaveformArrowsStepWhileTheVoicesPlay) {
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 128);
  auto* gui = dynamic_cast<IGraphics*>(plug.GetGUI());
  ASSERT_NE(gui, nullptr);
  IQvModeSwitch* next1 = ArrowAt(gui, 173, 100);
  IQvModeSwitch* previous2 = ArrowAt(gui, 173, 226);
  ASSERT_NE(next1, nullptr);
  ASSERT_NE(previous2, nullptr);
  plug.set(Osc2OnOff, 1.0);
  plug.set(OscWaveform2, 1.0);

  std::atomic<bool> done{false};
  // Counted relaxed, so that it orders nothing between the threads.
  std::atomic<int> blocks{0};
  std::thread render([&] {
    std::vector<double> left(128), right(128);
    double* out[2] = {left.data(), right.data()};
    for (int block = 0; !done; ++block) {
      if (block % 20 == 0) {
        IMidiMsg note;
        note.MakeNoteOnMsg(36 + block % 24, 100, 0);
        plug.ProcessMidiMsg(&note);
      }
      plug.ProcessDoubleReplacing(nullptr, out, 128);
      blocks.store(block + 1, std::memory_order_relaxed);
    }
  });
  // The voices are playing before the first press and until the last.
  while (blocks.load(std::memory_order_relaxed) == 0) std::this_thread::yield();
  for (int step = 0; step < 35; ++step) {
    Press(next1);
    Press(previous2);
    IRECT dirty;
    if (gui->IsDirty(&dirty)) gui->Draw(&dirty);
  }
  done = true;
  render.join();

  // The voices get the stepped waveforms through the parameters.
  plug.takeHandOvers();
  EXPECT_EQ(plug.GetParam(OscWaveform1)->Value(), 1.0);
  EXPECT_EQ(plug.GetParam(OscWaveform2)->Value(), 0.0);
  EXPECT_EQ(plug.mSynthProgram[OscWaveform1], 1.0);
  EXPECT_EQ(plug.mSynthProgram[OscWaveform2], 0.0);
}

}  // namespace
