// The instrument's own editor on its thread while the render thread and a
// host thread change what it shows; the thread-sanitizing build runs these.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "graphics/IGraphics.h"
#include "instrument/ThudrokkaControls.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/support/UserWaveformSnapshot.h"

namespace {

using namespace Quillvane::Synth;

// One tick of the editor's timer, with its idle pass.
void Tick(IGraphics* gui) {
  IRECT dirty;
  if (gui->IsDirty(&dirty)) gui->Draw(&dirty);
  gui->OnGUIIdle();
}

template <class Control>
Control* Find(IGraphics* gui, int x, int y) {
  for (int i = 0; i < gui->NControls(); ++i) {
    auto* c = dynamic_cast<Control*>(gui->GetControl(i));
    if (c && c->GetRECT()->ContainsPoint(x, y)) return c;
  }
  return nullptr;
}

// The render thread plays notes and takes a loaded waveform while the
// editor draws and runs its idle pass. The editor loads in the second half of
// the blocks and ticks once more; the render thread goes on until it has seen
// that done, so that it takes the load however the threads are scheduled.
// After the render thread stops, one tick shows the last note, the peak level
// and the new waveform's curve.
TEST(EditorThreads, NotesPeaksAndLoadedWaveformsFromTheRenderThreadShowOnTheEditor) {
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 128);
  IGraphics* gui = plug.mEditor;
  auto* level = Find<IQvMaxLevelText>(gui, 500, 680);
  ASSERT_NE(level, nullptr);
  ASSERT_NE(plug.mNoteInfoText, nullptr);
  ASSERT_NE(plug.mOsc1WaveformCurveControl, nullptr);
  // User slots are shared by the process; put them back afterwards.
  const UserWaveformSnapshot keep;
  plug.set(OscWaveform1, 1.0);

  constexpr int kBlocks = 600;
  // Counted relaxed, so that it orders nothing the render thread hands over.
  std::atomic<int> block{0};
  std::atomic<bool> editorDone{false};
  std::thread render([&] {
    std::vector<double> left(128), right(128);
    double* out[2] = {left.data(), right.data()};
    for (int b = 1;; ++b) {
      // A block begun after the editor's load takes it.
      const bool last = b >= kBlocks && editorDone.load(std::memory_order_acquire);
      if (b % 50 == 1) {
        IMidiMsg note;
        note.MakeNoteOnMsg(40 + b % 24, 100, 0);
        plug.ProcessMidiMsg(&note);
      }
      plug.ProcessDoubleReplacing(nullptr, out, 128);
      block.store(b, std::memory_order_relaxed);
      if (last) break;
    }
  });
  while (block.load(std::memory_order_relaxed) <= kBlocks / 2) Tick(gui);
  const bool loaded = plug.LoadWaveform("../engine/fixtures/waveforms/raw_full.raw");
  Tick(gui);
  editorDone.store(true, std::memory_order_release);
  render.join();
  Tick(gui);
  ASSERT_TRUE(loaded);
  EXPECT_FALSE(plug.mWaveformProvider.isLoadPending());

  const double peak = plug.GetMaxSampleValue();
  ASSERT_GT(peak, 0.0);
  char expected[64];
  std::snprintf(expected, sizeof(expected), "MAX LEVEL: %3.1f dB", static_cast<float>(20.0 * std::log10(peak)));
  EXPECT_STREQ(level->GetTextString(), expected);
  EXPECT_EQ(std::string(plug.mNoteInfoText->GetTextString()), plug.GetNoteInfoString());
  EXPECT_NE(plug.GetNoteInfoString(), "");
  std::vector<double> curve(Thudrokka::kOscCurvePoints);
  plug.mWaveformProvider.updateGUIData(1.0, false, curve.data(), Thudrokka::kOscCurvePoints);
  EXPECT_EQ(std::vector<double>(plug.mOsc1WaveformCurveControl->GetValues(),
                                plug.mOsc1WaveformCurveControl->GetValues() + Thudrokka::kOscCurvePoints),
            curve);
}

// Waveforms load one after another; the render thread takes each in the
// next block it is asked for, and the editor then redraws the oscillator's
// curve from parameter changes. The editor asks for each block with release,
// so that the block sees the load; the render thread counts the blocks it
// rendered relaxed, which orders nothing, so the redraws come after it took
// the table without having seen it: they must draw from the editor's own
// copy, never from the tables the render thread plays. A tick shows the last
// table loaded.
TEST(EditorThreads, CurvesOfLoadedWaveformsAreDrawnFromTheEditorsOwnCopy) {
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 64);
  IGraphics* gui = plug.mEditor;
  ASSERT_NE(plug.mOsc1WaveformCurveControl, nullptr);
  // User slots are shared by the process; put them back afterwards.
  const UserWaveformSnapshot keep;
  plug.set(OscWaveform1, 1.0);

  std::atomic<bool> done{false};
  std::atomic<int> asked{0}, rendered{0};
  std::thread render([&] {
    std::vector<double> left(64), right(64);
    double* out[2] = {left.data(), right.data()};
    for (int blocks = 0; !done;) {
      if (blocks == asked.load(std::memory_order_acquire)) continue;
      plug.ProcessDoubleReplacing(nullptr, out, 64);
      rendered.store(++blocks, std::memory_order_relaxed);
    }
  });
  const char* const files[] = {"../engine/fixtures/waveforms/raw_full.raw",
                               "../engine/fixtures/waveforms/raw_half.raw"};
  for (int round = 1; round <= 20; ++round) {
    ASSERT_TRUE(plug.LoadWaveform(files[round % 2]));
    asked.store(round, std::memory_order_release);
    while (rendered.load(std::memory_order_relaxed) < round) {
    }
    for (int redraw = 0; redraw < 8; ++redraw) {
      WDL_MutexLock lock(plug.GetMutex());
      plug.GetParam(OscInvertWaveform1)->Set(redraw % 2);
      plug.OnParamChange(OscInvertWaveform1);
    }
    Tick(gui);
  }
  done = true;
  render.join();
  Tick(gui);
  EXPECT_FALSE(plug.mWaveformProvider.isLoadPending());
  std::vector<double> curve(Thudrokka::kOscCurvePoints);
  plug.mWaveformProvider.updateGUIData(1.0, plug.GetParam(OscInvertWaveform1)->Value() > 0.5, curve.data(),
                                       Thudrokka::kOscCurvePoints);
  EXPECT_EQ(std::vector<double>(plug.mOsc1WaveformCurveControl->GetValues(),
                                plug.mOsc1WaveformCurveControl->GetValues() + Thudrokka::kOscCurvePoints),
            curve);
}

// A host thread sets a parameter as hosts do, under the plug-in's lock,
// while the editor draws its caption and polls the host read-out. The host
// thread goes on until the editor has ticked while it ran, and stops at the
// end of a whole number of runs of kRounds.
TEST(EditorThreads, CaptionsShowWhatAHostThreadSetsAfterTheNextTick) {
  ThudrokkaProbe plug;
  IGraphics* gui = plug.mEditor;
  auto* volume = Find<IQvCaptionControl>(gui, 920, 700);
  ASSERT_NE(volume, nullptr);
  ASSERT_EQ(volume->ParamIdx(), Volume);
  ASSERT_NE(plug.mHostInfoText, nullptr);

  constexpr int kRounds = 4000;
  std::atomic<int> rounds{0};
  std::atomic<bool> editorDone{false};
  std::thread host([&] {
    for (int round = 1;; ++round) {
      {
        WDL_MutexLock lock(plug.GetMutex());
        plug.GetParam(Volume)->Set((round % 1000) / 1000.0 + 0.5);
        plug.OnParamChange(Volume);
        if (round % 100 == 0) plug.SetSampleRate(round % 200 ? 48000.0 : 44100.0);
      }
      rounds.store(round, std::memory_order_relaxed);
      if (round % kRounds == 0 && editorDone.load(std::memory_order_relaxed)) break;
    }
  });
  do {
    Tick(gui);
  } while (rounds.load(std::memory_order_relaxed) < kRounds);
  editorDone = true;
  host.join();
  Tick(gui);
  Tick(gui);
  // The last round set 0.5.
  EXPECT_STREQ(volume->GetTextString(), "-6.0dB");
  EXPECT_STREQ(plug.mHostInfoText->GetTextString(), "HOST SAMPLE RATE: 44100.0 Hz   TEMPO: 120.00 BPM");
}

}  // namespace
