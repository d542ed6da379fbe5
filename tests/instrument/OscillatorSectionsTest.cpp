#include <gtest/gtest.h>

#include <cmath>

#include "graphics/BitmapControls.h"
#include "graphics/KnobControls.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"
#include "tests/instrument/SectionsFixture.h"

namespace {

using namespace Quillvane::Synth;

constexpr double kPi = 3.141592653589793;

// What tells the three strips apart: each is the first moved down, bound
// to its own oscillator's parameters.
struct Strip {
  int dy;
  int paramOffset;
  const char* placeholder;
  IColor colour;
};
constexpr Strip kStrips[] = {
    {0, 0, "waveform1", COLOR_QV_WF1},
    {145, 15, "waveform2", COLOR_QV_WF2},
    {290, 30, "waveform3", COLOR_QV_WF3},
};

using OscillatorSections = SectionsTest;

TEST_F(OscillatorSections, WaveformNamesShowTheirPlaceholdersInTheOscillatorsColours) {
  ITextControl* kept[] = {plug.mOsc1WaveformText, plug.mOsc2WaveformText, plug.mOsc3WaveformText};
  for (int k = 0; k < 3; ++k) {
    const Strip& s = kStrips[k];
    SCOPED_TRACE(s.placeholder);
    ITextControl* name = At<ITextControl>(IRECT(88, 119 + s.dy, 188, 135 + s.dy));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name, kept[k]);
    EXPECT_EQ(name->ParamIdx(), -1);
    EXPECT_STREQ(name->GetTextString(), s.placeholder);
    EXPECT_EQ(name->GetText()->mColor, s.colour);
    EXPECT_EQ(name->GetText()->mAlign, IText::kAlignNear);
  }
  // Attaching the editor and drawing do not replace them.
  Redraw();
  EXPECT_STREQ(plug.mOsc3WaveformText->GetTextString(), "waveform3");
}

// The curves start with one cycle of the sine each oscillator starts with,
// the 78 points across 72 columns, +1 on the rectangle's first row and -1 on
// its last.
TEST_F(OscillatorSections, WaveformCurvesStartWithASineDrawnOverTheirDisplays) {
  IQvCurve* kept[] = {plug.mOsc1WaveformCurveControl, plug.mOsc2WaveformCurveControl,
                      plug.mOsc3WaveformCurveControl};
  const double* buffers[] = {plug.mOsc1WaveformCurve, plug.mOsc2WaveformCurve, plug.mOsc3WaveformCurve};
  Redraw();
  for (int k = 0; k < 3; ++k) {
    const int top = 79 + kStrips[k].dy;
    SCOPED_TRACE(kStrips[k].placeholder);
    IQvCurve* curve = At<IQvCurve>(IRECT(85, top, 157, 106 + kStrips[k].dy));
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve, kept[k]);
    ASSERT_EQ(curve->NumValues(), 78);
    ASSERT_NE(At<IBitmapControl>(IRECT(81, 75 + kStrips[k].dy, 161, 110 + kStrips[k].dy)), nullptr);
    for (int i = 0; i < 78; ++i) {
      const double expected = std::sin(2.0 * kPi * i / 78.0);
      ASSERT_NEAR(curve->GetValues()[i], expected, 1e-3) << "point " << i;
      ASSERT_EQ(buffers[k][i], curve->GetValues()[i]) << "point " << i;
      // Half the 27-pixel height, in whole pixels, either side of the middle.
      const int x = static_cast<int>(85 + 72.0 * i / 78);
      const int y = static_cast<int>(top + 13.0 - 13.0 * curve->GetValues()[i]);
      EXPECT_EQ(gui->GetPoint(x, y), COLOR_WHITE) << "point " << i;
    }
  }
}

// The upper arrow steps towards the first waveform and the lower towards the
// last, by ten with a right click, stopping at both ends; each strip's
// arrows step only their own oscillator's waveform.
TEST_F(OscillatorSections, WaveformArrowsStepTheirOscillatorsWaveform) {
  const IMouseMod left(true), right(false, true);
  const struct {
    double from;
    bool lower;
    IMouseMod mod;
    double to;
  } steps[] = {
      {0.0, false, left, 0.0},
      {0.0, true, left, 1.0 / 35},
      {1.0 / 35, true, right, 11.0 / 35},
      {11.0 / 35, false, right, 1.0 / 35},
      {3.0 / 35, false, right, 0.0},
      {20.0 / 35, false, right, 10.0 / 35},
      {1.0, true, left, 1.0},
      {1.0, false, left, 34.0 / 35},
      {30.0 / 35, true, right, 1.0},
  };
  for (const Strip& s : kStrips) {
    const int waveform = OscWaveform1 + s.paramOffset;
    for (const auto& step : steps) {
      SCOPED_TRACE(testing::Message() << s.placeholder << " from " << step.from * 35
                                      << (step.lower ? " next" : " previous") << (step.mod.R ? " by ten" : ""));
      for (int p : {OscWaveform1, OscWaveform2, OscWaveform3}) plug.set(p, 0.5);
      plug.set(waveform, step.from);
      Click(183, (step.lower ? 110 : 90) + s.dy, step.mod);
      EXPECT_NEAR(Value(waveform), step.to, 1e-12);
      for (int p : {OscWaveform1, OscWaveform2, OscWaveform3}) {
        if (p != waveform) {
          EXPECT_EQ(Value(p), 0.5) << "waveform parameter " << p;
        }
      }
    }
  }
}

// Knobs and captions share a parameter; each caption writes its value in
// its own format, here at the defaults and at the values the formats turn on.
TEST_F(OscillatorSections, CaptionsShowTheirParametersInTheirFormats) {
  const struct {
    int l, t;  // of oscillator 1's caption
    int param;  // oscillator 1's
    double value;
    const char* text;
  } captions[] = {
      {73, 176, OscPitch1, 0.5, "0.000"},        {73, 176, OscPitch1, 1.0, "12.000"},
      {123, 176, OscFreq1, 0.5, "0.000"},        {123, 176, OscFreq1, 0.25, "-0.500"},
      {188, 176, OscModFrequency1, 0.0, "0.000Hz"}, {188, 176, OscModFrequency1, 0.5, "10.000Hz"},
      {238, 136, OscFilterCutoff1, 1.0, "1.000 "}, {293, 136, OscFilterResonance1, 0.25, "0.250 "},
      {338, 111, OscRingModAmount1, 0.0, "0.000 "}, {378, 111, OscFreqModAmount1, 0.5, "0.500 "},
      {418, 111, OscFiltModAmount1, 1.0, "1.000 "}, {338, 176, OscPan1, 0.5, "0.000"},
      {338, 176, OscPan1, 0.25, "-0.250"},       {378, 176, OscSat1, 0.0, "0.0%"},
      {378, 176, OscSat1, 0.125, "12.5%"},       {418, 176, OscVolume1, 1.0, "0.0dB"},
      {418, 176, OscVolume1, 0.5, "-6.0dB"},     {418, 176, OscVolume1, 0.0, "-oodB"},
  };
  for (const Strip& s : kStrips) {
    for (const auto& c : captions) {
      const int param = c.param + s.paramOffset;
      SCOPED_TRACE(testing::Message() << "parameter " << param << " at " << c.value);
      plug.set(param, c.value);
      EXPECT_EQ(TextAt(IRECT(c.l, c.t + s.dy, c.l + 60, c.t + s.dy + 16)), c.text);
    }
  }
}

// Every switch of a strip steps its own parameter, and the filter-type
// slider responds anywhere along its track, not only on its handle.
TEST_F(OscillatorSections, SwitchesAndTheFilterTypeSliderSetTheirParameters) {
  for (const Strip& s : kStrips) {
    SCOPED_TRACE(s.placeholder);
    const int onOff = Osc1OnOff + s.paramOffset, invert = OscInvertWaveform1 + s.paramOffset;
    const int invertFilterEnvelope = Osc1InvertFilEnv + s.paramOffset / 15;
    const int filterType = OscFilterType1 + s.paramOffset;
    ASSERT_EQ(Value(onOff), 1.0);
    Click(88, 66 + s.dy);
    EXPECT_EQ(Value(onOff), 0.0);
    Click(217, 91 + s.dy);
    EXPECT_EQ(Value(invert), 1.0);
    Click(294, 176 + s.dy);
    EXPECT_EQ(Value(invertFilterEnvelope), 1.0);

    plug.set(filterType, 0.5);
    Click(330, 158 + s.dy);
    EXPECT_GT(Value(filterType), 0.9);
    Click(256, 158 + s.dy);
    EXPECT_LT(Value(filterType), 0.1);
  }
}

// The knobs of the third strip lie where the first strip's lie, 290 pixels
// further down, bound to the third oscillator.
TEST_F(OscillatorSections, ThirdStripIsTheFirstMovedDown) {
  const struct {
    int x, y, param;
  } knobs[] = {{88, 146, OscPitch3},       {138, 146, OscFreq3},           {203, 146, OscModFrequency3},
               {353, 146, OscPan3},        {393, 146, OscSat3},            {433, 146, OscVolume3},
               {353, 81, OscRingModAmount3}, {393, 81, OscFreqModAmount3}, {433, 81, OscFiltModAmount3}};
  for (const auto& k : knobs) {
    IKnobMultiControl* knob = At<IKnobMultiControl>(IRECT(k.x, k.y + 290, k.x + 30, k.y + 320));
    ASSERT_NE(knob, nullptr) << k.x << "," << k.y + 290;
    EXPECT_EQ(knob->ParamIdx(), k.param);
  }
  IKnobMultiControl* cutoff = At<IKnobMultiControl>(IRECT(248, 386, 288, 426));
  ASSERT_NE(cutoff, nullptr);
  EXPECT_EQ(cutoff->ParamIdx(), OscFilterCutoff3);
  ISwitchControl* onOff = At<ISwitchControl>(IRECT(78, 346, 98, 366));
  ASSERT_NE(onOff, nullptr);
  EXPECT_EQ(onOff->ParamIdx(), Osc3OnOff);
}

}  // namespace
