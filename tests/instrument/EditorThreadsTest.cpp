// The instrument's controls on the editor's thread while the render thread
// and a host thread write what they show; the thread-sanitizing build runs
// these.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "instrument/ThudrokkaControls.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/instrument/ThudrokkaProbe.h"

namespace {

using namespace Quillvane::Synth;

constexpr int kPoints = 78;

void Tick(IGraphics* gui) {
  IRECT dirty;
  if (gui->IsDirty(&dirty)) gui->Draw(&dirty);
  gui->OnGUIIdle();
}

// The render thread renders notes and rewrites a curve after every block;
// the editor meanwhile draws the curve and polls the peak level. After the
// render thread stops, one tick shows its last curve and level.
TEST(EditorThreads, CurvesAndPeakLevelsFromTheRenderThreadShowOnTheEditor) {
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 128);
  auto* gui = new gfxtest::TestGraphics(&plug, 400, 200);
  plug.AttachGraphics(gui);
  auto* curve = new IQvCurve(&plug, IRECT(0, 0, 160, 70), nullptr, kPoints, true);
  gui->AttachControl(curve);
  IText style(13, &COLOR_WHITE, "DejaVu Sans", IText::kStyleNormal, IText::kAlignNear);
  auto* level = new IQvMaxLevelText(&plug, IRECT(0, 100, 200, 120), &style);
  gui->AttachControl(level);

  constexpr int kBlocks = 600;
  std::atomic<bool> done{false};
  std::thread render([&] {
    std::vector<double> left(128), right(128), points(kPoints);
    double* out[2] = {left.data(), right.data()};
    for (int block = 1; block <= kBlocks; ++block) {
      if (block % 50 == 1) {
        IMidiMsg note;
        note.MakeNoteOnMsg(40 + block % 24, 100, 0);
        plug.ProcessMidiMsg(&note);
      }
      plug.ProcessDoubleReplacing(nullptr, out, 128);
      for (int i = 0; i < kPoints; ++i) points[static_cast<size_t>(i)] = std::sin(0.01 * block * (i + 1));
      curve->SetValuesFromPlug(points.data());
    }
    done = true;
  });
  int ticks = 0;
  while (!done) {
    Tick(gui);
    ++ticks;
  }
  render.join();
  Tick(gui);
  EXPECT_GT(ticks, 0);
  for (int i = 0; i < kPoints; ++i) ASSERT_EQ(curve->GetValues()[i], std::sin(0.01 * kBlocks * (i + 1))) << i;
  const double peak = plug.GetMaxSampleValue();
  ASSERT_GT(peak, 0.0);
  level->OnGUIIdle();
  char expected[64];
  std::snprintf(expected, sizeof(expected), "MAX LEVEL: %3.1f dB", static_cast<float>(20.0 * std::log10(peak)));
  EXPECT_STREQ(level->GetTextString(), expected);
}

// A host thread sets a parameter as hosts do, under the plug-in's lock, while
// the editor draws the parameter's caption and polls the host read-out.
TEST(EditorThreads, CaptionsShowWhatAHostThreadSetsAfterTheNextTick) {
  ThudrokkaProbe plug;
  auto* gui = new gfxtest::TestGraphics(&plug, 400, 200);
  plug.AttachGraphics(gui);
  IText style(13, &COLOR_WHITE, "DejaVu Sans", IText::kStyleNormal, IText::kAlignNear);
  auto* caption = new IQvCaptionControl(&plug, IRECT(0, 0, 100, 20), Volume, &style, kQvCaptionPercent);
  gui->AttachControl(caption);
  auto* hostInfo = new IQvHostInfoText(&plug, IRECT(0, 40, 400, 60), &style);
  gui->AttachControl(hostInfo);

  constexpr int kRounds = 4000;
  std::atomic<bool> done{false};
  std::thread host([&] {
    for (int round = 1; round <= kRounds; ++round) {
      WDL_MutexLock lock(plug.GetMutex());
      plug.GetParam(Volume)->Set((round % 1000) / 1000.0);
      plug.OnParamChange(Volume);
      if (round % 100 == 0) plug.SetSampleRate(round % 200 ? 48000.0 : 44100.0);
    }
    done = true;
  });
  while (!done) Tick(gui);
  host.join();
  Tick(gui);
  Tick(gui);
  EXPECT_STREQ(caption->GetTextString(), "0.0%");
  EXPECT_STREQ(hostInfo->GetTextString(), "HOST SAMPLE RATE: 44100.0 Hz   TEMPO: 120.00 BPM");
}

}  // namespace
