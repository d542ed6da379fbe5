#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "instrument/ThudrokkaControls.h"
#include "tests/instrument/EditorFixtures.h"

namespace {

using gfxtest::ControlsFixture;

TEST(Palette, ColoursAreTheInstrumentsOwn) {
  const struct {
    const char* name;
    IColor colour;
    int a, r, g, b;
  } colours[] = {
      {"cyan", COLOR_QV_CYAN, 255, 128, 255, 255},     {"green", COLOR_QV_GREEN, 255, 128, 255, 128},
      {"spring", COLOR_QV_SPRINGGREEN, 255, 128, 255, 0}, {"lime", COLOR_QV_LIME, 255, 0, 255, 0},
      {"wf1", COLOR_QV_WF1, 255, 160, 225, 255},       {"wf2", COLOR_QV_WF2, 255, 160, 255, 255},
      {"wf3", COLOR_QV_WF3, 255, 160, 255, 225},       {"yellow", COLOR_QV_YELLOW, 255, 255, 255, 0},
      {"orange", COLOR_QV_ORANGE, 255, 255, 127, 0},   {"red", COLOR_QV_RED, 255, 255, 0, 0},
  };
  for (const auto& c : colours) EXPECT_EQ(c.colour, IColor(c.a, c.r, c.g, c.b)) << c.name;
  EXPECT_EQ(COLOR_QV_RED, COLOR_RED);
  EXPECT_EQ(COLOR_QV_ORANGE, COLOR_ORANGE);
  EXPECT_EQ(COLOR_QV_YELLOW, COLOR_YELLOW);
}

// ---- Curves, in a rectangle 584 wide and 100 high: 146 points lie 4
// pixels apart and value 0 on row 150.

struct CurveTest : ProbeEditorTest {
  static constexpr int kL = 10, kT = 100, kR = 594, kB = 200;
  IColor At(int x, int y) { return gui->GetPoint(x, y); }
  bool Lit(int x, int y) { return At(x, y) != COLOR_BLACK; }
};

TEST_F(CurveTest, ACurveOfZerosIsALineAtMidHeightEndingOneStepShort) {
  const std::vector<double> zeros(146, 0.0);
  auto* curve = Attach(new IQvCurve(&plug, IRECT(kL, kT, kR, kB), zeros.data(), 146, false));
  EXPECT_EQ(curve->ParamIdx(), -1);
  Redraw();
  for (int x = kL; x <= kL + 580; ++x) {
    ASSERT_EQ(At(x, 150), COLOR_WHITE) << x;
    ASSERT_FALSE(Lit(x, 149)) << x;
    ASSERT_FALSE(Lit(x, 151)) << x;
  }
  EXPECT_FALSE(Lit(kL + 581, 150));
}

TEST_F(CurveTest, ValuesAreClampedToTheEdgesAndNonFiniteOnesDrawAsZero) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    int row;
  } cases[] = {{1.0, kT}, {3.0, kT}, {0.5, kT + 25}, {-0.5, kT + 75}, {-1.0, kB}, {-7.0, kB},
               {std::numeric_limits<double>::quiet_NaN(), 150}, {inf, 150}, {-inf, 150}};
  for (const auto& c : cases) {
    const std::vector<double> values(4, c.value);
    IQvCurve curve(&plug, IRECT(kL, kT, kR, kB), values.data(), 4, false);
    Redraw();
    curve.Draw(gui);
    EXPECT_TRUE(Lit(kL + 300, c.row)) << c.value;
    EXPECT_FALSE(Lit(kL + 300, c.row - 1)) << c.value;
    EXPECT_FALSE(Lit(kL + 300, c.row + 1)) << c.value;
  }
}

TEST_F(CurveTest, ShadedSegmentsTakeTheirGreyFromThePointBefore) {
  const std::vector<double> zeros(146, 0.0);
  IQvCurve curve(&plug, IRECT(kL, kT, kR, kB), zeros.data(), 146, true);
  Redraw();
  curve.Draw(gui);
  // grey = 100 + 155 sin(pi j / 146) for the segment after point j.
  const struct {
    int point;
    int grey;
  } segments[] = {{0, 100}, {36, 208}, {73, 255}, {100, 229}};
  for (const auto& s : segments) {
    EXPECT_EQ(At(kL + 4 * s.point + 2, 150), IColor(255, s.grey, s.grey, s.grey)) << s.point;
  }
}

TEST_F(CurveTest, ACurveWithoutPointsDrawsOnlyItsFrame) {
  IQvCurve empty(&plug, IRECT(kL, kT, kR, kB), nullptr, 0, true);
  Redraw();
  empty.Draw(gui);
  EXPECT_FALSE(Lit(kL + 300, 150));
  EXPECT_FALSE(Lit(kL, kT));
  empty.SetFrame(true);
  empty.Draw(gui);
  for (const auto& p : {std::make_pair(kL + 300, kT), std::make_pair(kL + 300, kB), std::make_pair(kL, 150),
                        std::make_pair(kR, 150), std::make_pair(kR, kB)}) {
    EXPECT_EQ(At(p.first, p.second), COLOR_BLUE) << p.first << "," << p.second;
  }
  EXPECT_FALSE(Lit(kL + 300, 150));
  IQvCurve negative(&plug, IRECT(kL, kT, kR, kB), nullptr, -3, false);
  EXPECT_EQ(negative.NumValues(), 0);
}

TEST_F(CurveTest, PointsFromAnotherThreadArriveAtTheNextTick) {
  auto* curve = Attach(new IQvCurve(&plug, IRECT(kL, kT, kR, kB), nullptr, 3, false));
  EXPECT_EQ(std::vector<double>(curve->GetValues(), curve->GetValues() + 3), std::vector<double>(3, 0.0));
  IRECT dirty;
  gui->IsDirty(&dirty);
  Redraw();
  const double fromHost[3] = {0.5, -0.5, 1.0};
  std::thread([&] { curve->SetValuesFromPlug(fromHost); }).join();
  EXPECT_EQ(curve->GetValues()[0], 0.0);
  EXPECT_FALSE(curve->IsDirty());
  dirty = IRECT();
  EXPECT_TRUE(gui->IsDirty(&dirty));
  EXPECT_EQ(dirty, IRECT(kL, kT, kR, kB));
  EXPECT_EQ(std::vector<double>(curve->GetValues(), curve->GetValues() + 3),
            std::vector<double>(fromHost, fromHost + 3));

  // Points set on the editor's thread are newer than any still waiting.
  const double older[3] = {0.1, 0.1, 0.1}, newer[3] = {0.9, 0.9, 0.9};
  std::thread([&] { curve->SetValuesFromPlug(older); }).join();
  curve->SetValuesFromPlug(newer);
  EXPECT_EQ(curve->GetValues()[2], 0.9);
  gui->IsDirty(&dirty);
  EXPECT_EQ(curve->GetValues()[2], 0.9);
}

// ---- Value captions over unit parameters (three decimals).

TEST_F(ControlsFixture, ValueCaptionsFormatEachMode) {
  const struct {
    eQvCaption mode;
    double value;
    const char* unit;
    double scale, offset;
    const char* text;
  } cases[] = {
      {kQvCaptionDecibels, 1.0, "", 1.0, 0.0, "0.0dB"},
      {kQvCaptionDecibels, 0.5, "", 1.0, 0.0, "-6.0dB"},
      {kQvCaptionDecibels, 0.0, "", 1.0, 0.0, "-oodB"},
      {kQvCaptionPercent, 0.125, "", 1.0, 0.0, "12.5%"},
      {kQvCaptionPercent, 1.0, "", 1.0, 0.0, "100.0%"},
      {kQvCaptionSemitones, 0.5, "", 1.0, 0.0, "0.000"},
      {kQvCaptionSemitones, 1.0, "", 1.0, 0.0, "12.000"},
      {kQvCaptionSemitones, 0.0, "", 1.0, 0.0, "-12.000"},
      {kQvCaptionSemitones, 0.25, "", 1.0, 0.0, "-4.980"},
      {kQvCaptionSemitones, 0.75, "", 1.0, 0.0, "7.020"},
      {kQvCaptionBipolar, 0.25, "", 1.0, 0.0, "-0.500"},
      {kQvCaptionCentred, 0.25, "", 1.0, 0.0, "-0.250"},
      {kQvCaptionScaled, 0.5, "s", 2.0, 0.0, "1.000s"},
      {kQvCaptionScaled, 0.25, " Hz", 4000.0, 20.0, "1020.000 Hz"},
      {kQvCaptionScaledCoarse, 0.5, "ms", 100.0, 0.0, "50.0ms"},
      {kQvCaptionScaledCoarse, 0.0, "", 10.0, -5.0, "-5.0"},
      {kQvCaptionParamDisplay, 0.25, "x", 7.0, 1.0, "0.250"},
      {static_cast<eQvCaption>(12), 0.75, "", 1.0, 0.0, "0.750"},
  };
  for (const auto& c : cases) {
    IText style;
    IQvCaptionControl caption(&plug, IRECT(0, 0, 80, 20), 3, &style, c.mode, c.unit, c.scale, c.offset);
    caption.SetValueFromPlug(c.value);
    caption.Draw(gui);
    EXPECT_STREQ(caption.GetTextString(), c.text) << c.mode << " at " << c.value;
  }
}

// ---- Read-outs.

TEST_F(ControlsFixture, TheLevelReadOutShowsDecibelsInGreenUpToFullScaleAndRedAbove) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double level;
    const char* text;
    IColor colour;
  } cases[] = {
      {0.0, "MAX LEVEL: -oo dB", COLOR_QV_SPRINGGREEN},  {1.0, "MAX LEVEL: 0.0 dB", COLOR_QV_SPRINGGREEN},
      {1.5, "MAX LEVEL: 3.5 dB", COLOR_RED},             {0.5, "MAX LEVEL: -6.0 dB", COLOR_QV_SPRINGGREEN},
      {1.0001, "MAX LEVEL: 0.0 dB", COLOR_RED},          {0.001, "MAX LEVEL: -60.0 dB", COLOR_QV_SPRINGGREEN},
      {-0.5, "MAX LEVEL: -oo dB", COLOR_QV_SPRINGGREEN}, {nan, "MAX LEVEL: -oo dB", COLOR_QV_SPRINGGREEN},
  };
  IText style(13, &COLOR_WHITE, "Arial");
  IQvMaxLevelText readout(nullptr, IRECT(0, 0, 120, 16), &style);
  EXPECT_STREQ(readout.GetTextString(), "MAX LEVEL: -oo dB");
  EXPECT_EQ(readout.GetText()->mColor, COLOR_WHITE);
  for (const auto& c : cases) {
    readout.UpdateMaxLevelText(c.level);
    EXPECT_STREQ(readout.GetTextString(), c.text) << c.level;
    EXPECT_EQ(readout.GetText()->mColor, c.colour) << c.level;
  }
  // No instrument: idling changes nothing.
  readout.OnGUIIdle();
  EXPECT_STREQ(readout.GetTextString(), "MAX LEVEL: -oo dB");
}

TEST_F(ControlsFixture, TheLevelReadOutRedrawsWhenOnlyItsColourChanges) {
  IText style;
  IQvMaxLevelText readout(nullptr, IRECT(0, 0, 120, 16), &style);
  readout.UpdateMaxLevelText(1.0);
  readout.SetClean();
  readout.UpdateMaxLevelText(1.0);
  EXPECT_FALSE(readout.IsDirty());
  readout.UpdateMaxLevelText(1.0004);
  EXPECT_STREQ(readout.GetTextString(), "MAX LEVEL: 0.0 dB");
  EXPECT_TRUE(readout.IsDirty());
  readout.SetClean();
  readout.UpdateMaxLevelText(0.99);
  EXPECT_TRUE(readout.IsDirty());
}

TEST_F(ControlsFixture, TheHostReadOutPadsRateAndTempo) {
  const struct {
    double rate, tempo;
    const char* text;
  } cases[] = {
      {48000.0, 128.0, "HOST SAMPLE RATE: 48000.0 Hz   TEMPO: 128.00 BPM"},
      {8000.0, 90.0, "HOST SAMPLE RATE: 8000.0 Hz   TEMPO:  90.00 BPM"},
      {192000.0, 174.5, "HOST SAMPLE RATE: 192000.0 Hz   TEMPO: 174.50 BPM"},
  };
  IText style;
  IQvHostInfoText readout(nullptr, IRECT(0, 0, 260, 16), &style);
  EXPECT_STREQ(readout.GetTextString(), "HOST SAMPLE RATE: 44100.0 Hz   TEMPO: 120.00 BPM");
  for (const auto& c : cases) {
    readout.UpdateHostInfoText(c.rate, c.tempo);
    EXPECT_STREQ(readout.GetTextString(), c.text);
  }
  readout.SetClean();
  readout.UpdateHostInfoText(192000.0, 174.5);
  EXPECT_FALSE(readout.IsDirty());
}

struct Transport {
  static OSStatus BeatAndTempo(void* user, Float64* beat, Float64* tempo) {
    if (beat) *beat = 0.0;
    if (tempo) *tempo = *static_cast<double*>(user);
    return noErr;
  }
};

TEST(HostReadOut, TakesTheRateFromTheAdapterAndTheTempoFromTheHost) {
  InstrumentHost host;
  ASSERT_EQ(host.open(48000.0, 256), noErr);
  IText style;
  IQvHostInfoText readout(host.instrument(), IRECT(0, 0, 260, 16), &style);
  readout.OnGUIIdle();
  EXPECT_STREQ(readout.GetTextString(), "HOST SAMPLE RATE: 48000.0 Hz   TEMPO: 120.00 BPM");
  double tempo = 128.0;
  HostCallbackInfo info = {&tempo, Transport::BeatAndTempo, nullptr, nullptr};
  ASSERT_EQ(AudioUnitSetProperty(host.session().Unit(), kAudioUnitProperty_HostCallbacks, kAudioUnitScope_Global, 0,
                                 &info, sizeof(info)),
            noErr);
  readout.OnGUIIdle();
  EXPECT_STREQ(readout.GetTextString(), "HOST SAMPLE RATE: 48000.0 Hz   TEMPO: 128.00 BPM");
}

TEST_F(ProbeEditorTest, TheLevelReadOutFollowsThePeaksOfTheRenderedOutput) {
  plug.prepare(44100.0, 256);
  IText style;
  auto* readout = Attach(new IQvMaxLevelText(&plug, IRECT(0, 0, 120, 16), &style));
  readout->OnGUIIdle();
  EXPECT_STREQ(readout->GetTextString(), "MAX LEVEL: -oo dB");
  IMidiMsg note;
  note.MakeNoteOnMsg(45, 127, 0);
  plug.ProcessMidiMsg(&note);
  Render(40);
  const double peak = plug.GetMaxSampleValue();
  ASSERT_GT(peak, 0.0);
  readout->OnGUIIdle();
  char expected[64];
  std::snprintf(expected, sizeof(expected), "MAX LEVEL: %3.1f dB", static_cast<float>(20.0 * std::log10(peak)));
  EXPECT_STREQ(readout->GetTextString(), expected);
  EXPECT_EQ(readout->GetText()->mColor, peak > 1.0 ? COLOR_RED : COLOR_QV_SPRINGGREEN);
  // Cleared by the block after a reset.
  plug.ResetMaxLevels();
  Render(1);
  readout->OnGUIIdle();
  EXPECT_STREQ(readout->GetTextString(), "MAX LEVEL: -oo dB");
}

}  // namespace
