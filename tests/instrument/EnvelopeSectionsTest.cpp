#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/ADSR.h"
#include "graphics/BitmapControls.h"
#include "instrument/ThudrokkaControls.h"
#include "tests/instrument/SectionsFixture.h"

namespace {

using namespace Quillvane::Synth;

using EnvelopeSections = SectionsTest;

// A fresh instrument's pitch envelope has no amount yet when the section
// draws it, so the curve starts as the zero line along the display's middle
// row, from the curve's left edge to its last point.
TEST_F(EnvelopeSections, PitchCurveStartsAsTheZeroLineOverItsDisplay) {
  IQvCurve* curve = At<IQvCurve>(IRECT(502, 73, 644, 114));
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(curve, plug.mPitchEnvelopeCurveControl);
  ASSERT_EQ(curve->NumValues(), 146);
  ASSERT_NE(At<IBitmapControl>(IRECT(498, 68, 648, 118)), nullptr);
  Redraw();
  for (int i = 0; i < 146; ++i) {
    ASSERT_EQ(curve->GetValues()[i], 0.0) << "point " << i;
    ASSERT_EQ(plug.mPitchEnvelopeCurve[i], 0.0) << "point " << i;
  }
  for (int x = 502; x < 644; ++x) EXPECT_EQ(gui->GetPoint(x, 93), COLOR_WHITE) << "column " << x;
  EXPECT_NE(gui->GetPoint(644, 93), COLOR_WHITE);
}

TEST_F(EnvelopeSections, PitchSwitchAndCaptions) {
  const struct {
    int l, param;
    double value;
    const char* text;
  } captions[] = {{478, PitchAmount, 0.35, "0.350 "},
                  {528, PitchDuration, 0.45, "0.450 "},
                  {578, PitchPower, 0.75, "0.750 "},
                  {628, PitchDown, 0.0, "0.000 "},
                  {628, PitchDown, 0.125, "0.125 "}};
  for (const auto& c : captions) {
    plug.set(c.param, c.value);
    EXPECT_EQ(TextAt(IRECT(c.l, 176, c.l + 60, 192)), c.text) << "parameter " << c.param;
  }
  ASSERT_EQ(Value(PitchOnOff), 1.0);
  Click(498, 66);
  EXPECT_EQ(Value(PitchOnOff), 0.0);
}

// The volume section and the filter section, 205 pixels to its right.
struct Envelope {
  const char* name;
  int dx;
  int attack;
  ITextControl* ThudrokkaProbe::*times[3];
  IQvCurve* ThudrokkaProbe::*curveControl;
  double (ThudrokkaProbe::*curve)[Thudrokka::kEnvelopeCurvePoints];
  Quillvane::ADSR ThudrokkaProbe::*display;
};
const Envelope kEnvelopes[] = {
    {"volume",
     0,
     EnvAttack,
     {&ThudrokkaProbe::mVolumeAttackText, &ThudrokkaProbe::mVolumeDecayText, &ThudrokkaProbe::mVolumeReleaseText},
     &ThudrokkaProbe::mVolumeEnvelopeCurveControl,
     &ThudrokkaProbe::mVolumeEnvelopeCurve,
     &ThudrokkaProbe::mVolumeEnvelopeDisplay},
    {"filter",
     205,
     FilterAttack,
     {&ThudrokkaProbe::mFilterAttackText, &ThudrokkaProbe::mFilterDecayText, &ThudrokkaProbe::mFilterReleaseText},
     &ThudrokkaProbe::mFilterEnvelopeCurveControl,
     &ThudrokkaProbe::mFilterEnvelopeCurve,
     &ThudrokkaProbe::mFilterEnvelopeDisplay},
};

// The time read-outs keep their placeholders until the parameters are
// next applied; sustain and duration are captions that format themselves.
TEST_F(EnvelopeSections, TimeReadOutsStartAsPlaceholdersBesideTheCaptions) {
  for (const Envelope& e : kEnvelopes) {
    SCOPED_TRACE(e.name);
    const int lefts[] = {72, 118, 210};
    for (int i = 0; i < 3; ++i) {
      ITextControl* text = At<ITextControl>(IRECT(lefts[i] + e.dx, 613, lefts[i] + e.dx + 60, 629));
      ASSERT_NE(text, nullptr) << "read-out " << i;
      EXPECT_EQ(text, plug.*e.times[i]);
      EXPECT_EQ(text->ParamIdx(), -1);
    }
    Redraw();
    for (int i = 0; i < 3; ++i) EXPECT_STREQ((plug.*e.times[i])->GetTextString(), "0.0 s");

    const IRECT sustain(164 + e.dx, 613, 224 + e.dx, 629), duration(210 + e.dx, 549, 270 + e.dx, 565);
    EXPECT_EQ(TextAt(sustain), "25.0%");
    EXPECT_EQ(TextAt(duration), "1.000s");
    plug.set(e.attack + 2, 1.0);
    plug.set(e.attack + 4, 0.5);
    EXPECT_EQ(TextAt(sustain), "100.0%");
    EXPECT_EQ(TextAt(duration), "2.500s");
    plug.set(e.attack + 4, 0.0);
    EXPECT_EQ(TextAt(duration), "0.000s");
  }
}

// Each curve shows its display envelope as built, levels from 0 on the
// rectangle's last row to 1 on its first, the 116 points across its 112
// columns.
TEST_F(EnvelopeSections, EnvelopeCurvesShowTheirEnvelopesFromTheStart) {
  Redraw();
  for (const Envelope& e : kEnvelopes) {
    SCOPED_TRACE(e.name);
    IQvCurve* curve = At<IQvCurve>(IRECT(80 + e.dx, 509, 192 + e.dx, 546));
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve, plug.*e.curveControl);
    ASSERT_NE(At<IBitmapControl>(IRECT(76 + e.dx, 505, 196 + e.dx, 550)), nullptr);
    ASSERT_EQ(curve->NumValues(), 116);

    // A display envelope of the same starting settings draws the same.
    Quillvane::ADSR fresh((plug.*e.display).getName());
    std::vector<double> expected(116);
    fresh.updateGUIData(expected.data(), nullptr, 116);
    const double* values = curve->GetValues();
    for (int i = 0; i < 116; ++i) {
      ASSERT_EQ(values[i], expected[static_cast<size_t>(i)]) << "point " << i;
      ASSERT_EQ((plug.*e.curve)[i], values[i]) << "point " << i;
      const int x = static_cast<int>(80 + e.dx + 112.0 * i / 116);
      const int y = static_cast<int>(509 + 36.0 - 36.0 * values[i]);
      EXPECT_EQ(gui->GetPoint(x, y), COLOR_WHITE) << "point " << i;
    }
    // From silence up to full level, down to the sustain level of a
    // quarter, and into the release at the end.
    EXPECT_EQ(values[0], 0.0);
    EXPECT_EQ(*std::max_element(values, values + 116), 1.0);
    EXPECT_EQ(values[60], 0.25);
    EXPECT_LT(values[115], 0.25);
  }
}

}  // namespace
