// Every preset played as the command-line host plays it: one note of a second
// on a fresh instance, then a second of tail.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "instrument/Thudrokka.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using namespace Quillvane::Synth;

constexpr double kRate = 44100.0;
constexpr int kBlock = 512;
constexpr int kNote = 48;

struct Take {
  std::string name;
  bool limited = false;
  std::vector<double> mono;
  double peak = 0.0;
  bool finite = true;
};

// A fresh instance's first note, held for length seconds. The host has
// rendered two blocks of silence before it, so that the crossfades that the
// preset's effect switches start are over and the take is the note itself.
Take play(int preset, double length, double tail) {
  Take take;
  InstrumentHost host;
  if (host.open(kRate, kBlock) != noErr || host.selectPreset(preset) != noErr) return take;
  take.name = host.instrument()->GetPresetName(preset);
  take.limited = host.instrument()->GetParam(LimitOutput)->Value() == 1.0;
  std::vector<float> left(kBlock), right(kBlock);
  for (int b = 0; b < 2; ++b) host.render(kBlock, left.data(), right.data());
  const int held = static_cast<int>(length * kRate), total = static_cast<int>((length + tail) * kRate);
  host.noteOn(kNote, 127, 0);
  for (int n = 0; n < total; n += kBlock) {
    const int frames = std::min(kBlock, total - n);
    if (n <= held && held < n + frames) host.noteOff(kNote, held - n);
    host.render(frames, left.data(), right.data());
    for (int i = 0; i < frames; ++i) {
      take.finite = take.finite && std::isfinite(left[i]) && std::isfinite(right[i]);
      take.peak = std::max({take.peak, std::fabs(double(left[i])), std::fabs(double(right[i]))});
      take.mono.push_back(0.5 * (left[i] + right[i]));
    }
  }
  return take;
}

bool isDrum(int preset) { return preset <= 75; }

TEST(RenderedBank, EveryPresetSoundsWithinItsBounds) {
  for (int preset = 0; preset < 128; ++preset) {
    const Take take = play(preset, 1.0, 1.0);
    ASSERT_EQ(take.mono.size(), static_cast<std::size_t>(2 * kRate)) << preset;
    EXPECT_TRUE(take.finite) << take.name;
    EXPECT_GT(take.peak, 0.01) << take.name;
    if (take.limited) {
      EXPECT_LE(take.peak, 0.99f) << take.name;
    }
    if (isDrum(preset)) {
      // Silent by the end of the tail.
      double last = 0.0;
      for (std::size_t i = take.mono.size() - static_cast<std::size_t>(0.1 * kRate); i < take.mono.size(); ++i) {
        last = std::max(last, std::fabs(take.mono[i]));
      }
      EXPECT_LT(last, 1e-4) << take.name;
    }
  }
}

// The signal low-passed at 400 Hz, two Butterworth sections.
std::vector<double> lowPassed(std::vector<double> x) {
  const double w = std::tan(M_PI * 400.0 / kRate), k = std::sqrt(2.0), n = 1 / (1 + k * w + w * w);
  const double b0 = w * w * n, a1 = 2 * (w * w - 1) * n, a2 = (1 - k * w + w * w) * n;
  for (int pass = 0; pass < 2; ++pass) {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& v : x) {
      const double y = b0 * (v + 2 * x1 + x2) - a1 * y1 - a2 * y2;
      x2 = x1;
      x1 = v;
      y2 = y1;
      y1 = y;
      v = y;
    }
  }
  return x;
}

// Fundamental in Hz of the window at from seconds, by the cumulative mean
// normalised difference of the signal with itself (the first dip below 0.15,
// else the deepest one) over periods of minHz to maxHz.
double fundamental(const std::vector<double>& x, double from, double seconds, double minHz, double maxHz) {
  const std::size_t start = static_cast<std::size_t>(from * kRate), length = static_cast<std::size_t>(seconds * kRate);
  const int shortest = static_cast<int>(kRate / maxHz), longest = static_cast<int>(kRate / minHz);
  std::vector<double> normalised(static_cast<std::size_t>(longest) + 1, 1.0);
  double running = 0.0;
  for (int lag = 1; lag <= longest; ++lag) {
    double sum = 0.0;
    for (std::size_t i = start; i < start + length; ++i) sum += (x[i] - x[i + lag]) * (x[i] - x[i + lag]);
    running += sum;
    normalised[lag] = running > 0 ? sum * lag / running : 1.0;
  }
  int best = shortest;
  for (int lag = shortest; lag <= longest; ++lag) {
    if (normalised[lag] < 0.15) {
      while (lag < longest && normalised[lag + 1] < normalised[lag]) ++lag;
      return kRate / lag;
    }
    if (normalised[lag] < normalised[best]) best = lag;
  }
  return kRate / best;
}

TEST(RenderedBank, KicksFallInPitch) {
  for (int preset = 0; preset < 72; ++preset) {
    const Take take = play(preset, 1.0, 0.0);
    const std::vector<double> low = lowPassed(take.mono);
    const double early = std::max(fundamental(low, 0.01, 0.02, 30, 1500), fundamental(low, 0.03, 0.02, 30, 1500));
    const double late = fundamental(low, 0.3, 0.06, 30, 120);
    EXPECT_GT(early, 90.0) << take.name;
    EXPECT_LT(late, early / 1.5) << take.name << ": " << early << " Hz, then " << late << " Hz";
  }
}

}  // namespace
