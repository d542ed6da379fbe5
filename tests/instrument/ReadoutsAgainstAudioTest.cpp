// Read-outs checked against what is heard: each parameter is set across its
// range, the audio is rendered and measured, and the text the editor shows
// must state the measured interval or gain.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "effects/3BandEq.h"
#include "graphics/IGraphics.h"
#include "instrument/ThudrokkaControls.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/support/SignalAnalysis.h"

namespace {

using namespace Quillvane::Synth;
using testsupport::measureAmplitude;
using testsupport::measureFrequency;

constexpr double kRate = 44100.0;
constexpr int kBlock = 512;
constexpr double kPi = 3.141592653589793;

// Knob positions across the range, the ends and the middle included.
constexpr double kPositions[] = {0.0, 0.1, 0.25, 0.4, 0.5, 0.6, 0.75, 0.9, 1.0};

// The number a read-out starts with; its unit, if any, follows.
double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// What the caption bound to parameter p shows once the editor has drawn it.
std::string CaptionText(ThudrokkaProbe& plug, int p) {
  IRECT all(0, 0, Thudrokka::kEditorWidth, Thudrokka::kEditorHeight);
  plug.mEditor->Draw(&all);
  for (int i = 0; i < plug.mEditor->NControls(); ++i) {
    auto* caption = dynamic_cast<IQvCaptionControl*>(plug.mEditor->GetControl(i));
    if (caption && caption->ParamIdx() == p) return caption->GetTextString();
  }
  return "(no caption for parameter " + std::to_string(p) + ")";
}

struct Oscillator {
  int onOff;
  int pitch;
};
constexpr Oscillator kOscillators[] = {{Osc1OnOff, OscPitch1}, {Osc2OnOff, OscPitch2}, {Osc3OnOff, OscPitch3}};

// The frequency one oscillator alone plays, with no pitch sweep and no
// effects, once its envelopes sustain; its caption is left in text.
double PlayedFrequency(const Oscillator& osc, double pitch, std::string& text) {
  ThudrokkaProbe plug;
  plug.prepare(kRate, kBlock);
  for (const Oscillator& o : kOscillators) plug.set(o.onOff, o.onOff == osc.onOff ? 1.0 : 0.0);
  plug.set(PitchOnOff, 0.0);
  plug.set(BypassFX, 1.0);
  plug.set(osc.pitch, pitch);
  text = CaptionText(plug, osc.pitch);
  IMidiMsg on;
  on.MakeNoteOnMsg(57, 127, 0);
  plug.ProcessMidiMsg(&on);
  const std::size_t frames = static_cast<std::size_t>(1.75 * kRate);
  std::vector<double> left(frames), right(frames);
  for (std::size_t done = 0; done < frames; done += kBlock) {
    const int n = static_cast<int>(std::min<std::size_t>(kBlock, frames - done));
    double* out[2] = {left.data() + done, right.data() + done};
    plug.ProcessDoubleReplacing(nullptr, out, n);
  }
  return measureFrequency(left, static_cast<std::size_t>(0.75 * kRate), frames, kRate);
}

TEST(ReadoutsAgainstAudio, PitchCaptionsShowTheIntervalTheOscillatorPlays) {
  std::string centreText;
  const double centre = PlayedFrequency(kOscillators[0], 0.5, centreText);
  ASSERT_GT(centre, 0.0);
  for (const Oscillator& osc : kOscillators) {
    for (double v : kPositions) {
      std::string text;
      const double semitones = 12.0 * std::log2(PlayedFrequency(osc, v, text) / centre);
      // Three decimals shown: half a thousandth for rounding, the rest for
      // the measurement.
      EXPECT_NEAR(Number(text), semitones, 0.001) << "parameter " << osc.pitch << " at " << v << " shows " << text;
    }
  }
}

// The mid band's centre: the band edges 400 and 4400 Hz, warped as the
// bilinear transform warps them, meet there geometrically. The band-pass
// passes it whole and the band-stop's zeros lie on it.
double MidBandCentre(double rate) {
  const double t = std::sqrt(std::tan(kPi * 400.0 / rate) * std::tan(kPi * 4400.0 / rate));
  return rate / kPi * std::atan(t);
}

// Gain in dB of the equaliser, flat shelves, for a sine at frequency Hz.
double MeasuredMidGainDb(double mid, double frequency) {
  Quillvane::Equalizer eq;
  eq.setSampleRate(kRate);
  eq.setBlockSize(kBlock);
  eq.setBassAmount(0.5);
  eq.setHighAmount(0.5);
  eq.setMidAmount(mid);
  eq.reset();
  const std::size_t frames = static_cast<std::size_t>(kRate);
  std::vector<double> left(frames), right(frames);
  for (std::size_t i = 0; i < frames; ++i) left[i] = right[i] = std::sin(2.0 * kPi * frequency * i / kRate);
  for (std::size_t done = 0; done < frames; done += kBlock) {
    const int n = static_cast<int>(std::min<std::size_t>(kBlock, frames - done));
    double* channels[2] = {left.data() + done, right.data() + done};
    eq.process(channels, n);
  }
  // The second half, long after the gains have glided and the band settled.
  return 20.0 * std::log10(measureAmplitude(left, frames / 2, frames, frequency, kRate));
}

TEST(ReadoutsAgainstAudio, TheMidReadOutShowsTheBandsGainAtItsCentre) {
  ThudrokkaProbe plug;
  plug.prepare(kRate, kBlock);
  ASSERT_NE(plug.mMidGainText, nullptr);
  for (double v : kPositions) {
    plug.set(MidAmount, v);
    const std::string text = plug.mMidGainText->GetTextString();
    const double measured = MeasuredMidGainDb(v, MidBandCentre(kRate));
    SCOPED_TRACE(testing::Message() << "mid at " << v << " shows " << text << ", measured " << measured << " dB");
    if (text == "-oodB") {
      // Only the band-stopped input is left, and it has a notch there.
      EXPECT_LT(measured, -80.0);
    } else {
      EXPECT_TRUE(text.size() > 2 && text.compare(text.size() - 2, 2, "dB") == 0);
      // One decimal shown.
      EXPECT_NEAR(Number(text), measured, 0.06);
    }
  }
}

}  // namespace
