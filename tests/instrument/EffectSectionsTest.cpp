#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "graphics/IGraphics.h"
#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"
#include "lice/LICE_SysBitmap.h"
#include "tests/instrument/SectionsFixture.h"
#include "tests/support/PngWriter.h"

// The editor's sections of the effect chain and the output, as the
// instrument builds them: what they show before any refresh, what their
// switches and buttons do through the instrument's own editor, and what their
// captions read.
namespace {

using namespace Quillvane::Synth;

constexpr double kPi = 3.141592653589793;

struct EffectSections : SectionsTest {
  // Whether the control is on the editor and listed for the synth tab.
  bool OnSynthTab(const IControl* control) const {
    for (int idx : plug.mSynthTabControls) {
      if (gui->GetControl(idx) == control) return true;
    }
    return false;
  }
  // The synth tab's one control of class C bound to the parameter.
  template <class C>
  C* Bound(int paramIdx) {
    C* found = nullptr;
    for (int idx : plug.mSynthTabControls) {
      auto* c = dynamic_cast<C*>(gui->GetControl(idx));
      if (!c || c->ParamIdx() != paramIdx) continue;
      EXPECT_EQ(found, nullptr) << "two controls of one kind on parameter " << paramIdx;
      found = c;
    }
    EXPECT_NE(found, nullptr) << "no control on parameter " << paramIdx;
    return found;
  }
  void Click(int x, int y) {
    SectionsTest::Click(x, y);
    // The render thread's next block takes the change.
    plug.takeHandOvers();
  }
};

TEST_F(EffectSections, KeptReadOutsStartWithTheirPlaceholders) {
  ASSERT_NE(gui, nullptr);
  const struct {
    ITextControl* control;
    const char* text;
    IText::EAlign align;
  } readOuts[] = {
      {plug.mCutoffText, "cutoff", IText::kAlignCenter},
      {plug.mFilterTransitionText, "transition", IText::kAlignCenter},
      {plug.mFilterMode1Text, "fmode1", IText::kAlignCenter},
      {plug.mFilterMode2Text, "fmode2", IText::kAlignCenter},
      {plug.mFilterMixText, "type fader", IText::kAlignCenter},
      {plug.mRingWaveformText, "ring form", IText::kAlignCenter},
      {plug.mDistortionTypeText, "distortion", IText::kAlignNear},
      {plug.mInterpolationText, "interpolation", IText::kAlignNear},
      {plug.mBitsText, "64 bit", IText::kAlignCenter},
      {plug.mSampleRateText, "44100 Hz", IText::kAlignCenter},
      // With a blank, unlike the refreshed "-oodB".
      {plug.mGateText, "-oo dB", IText::kAlignCenter},
      {plug.mBassGainText, "0.0 dB", IText::kAlignCenter},
      {plug.mMidGainText, "0.0 dB", IText::kAlignCenter},
      {plug.mHighGainText, "0.0 dB", IText::kAlignCenter},
      {plug.mDumpExpandText, "freq.", IText::kAlignCenter},
  };
  for (const auto& r : readOuts) {
    ASSERT_NE(r.control, nullptr) << r.text;
    EXPECT_STREQ(r.control->GetTextString(), r.text);
    EXPECT_TRUE(OnSynthTab(r.control)) << r.text;
    EXPECT_EQ(r.control->ParamIdx(), -1) << r.text;
    EXPECT_EQ(r.control->GetText()->mAlign, r.align) << r.text;
    EXPECT_EQ(r.control->GetText()->mColor, COLOR_WHITE) << r.text;
  }
  ASSERT_NE(plug.mSyncButton, nullptr);
  EXPECT_TRUE(OnSynthTab(plug.mSyncButton));
  // The equaliser section shows the dump/expand stage by its read-out only.
  EXPECT_EQ(plug.mDumpExpandCurveControl, nullptr);
}

TEST_F(EffectSections, DistortionCurvesAreFilledWhenBuilt) {
  // At the defaults the type is linear and the amount 0: the transfer curve
  // is the diagonal from -1 and the sine passes unchanged.
  IQvCurve* transfer = plug.mDistortionTransferCurveControl;
  IQvCurve* wave = plug.mDistortionWaveCurveControl;
  ASSERT_NE(transfer, nullptr);
  ASSERT_NE(wave, nullptr);
  EXPECT_TRUE(OnSynthTab(transfer));
  EXPECT_TRUE(OnSynthTab(wave));
  ASSERT_EQ(transfer->NumValues(), 108);
  ASSERT_EQ(wave->NumValues(), 98);
  for (int i = 0; i < 108; ++i) {
    const double expected = 2.0 * (i / 108.0 - 0.5);
    EXPECT_NEAR(plug.mDistortionTransferCurve[i], expected, 1e-12) << i;
    EXPECT_NEAR(transfer->GetValues()[i], expected, 1e-12) << i;
  }
  for (int i = 0; i < 98; ++i) {
    const double expected = std::sin(2.0 * kPi * i / 98.0);
    EXPECT_NEAR(plug.mDistortionWaveCurve[i], expected, 1e-12) << i;
    EXPECT_NEAR(wave->GetValues()[i], expected, 1e-12) << i;
  }
}

TEST_F(EffectSections, FilterModeSwitchesStepTheirBankRoundThroughTheEditor) {
  const struct {
    int param, other;
    int x, y;
  } banks[] = {{FilterMode1, FilterMode2, 515, 299}, {FilterMode2, FilterMode1, 680, 299}};
  for (const auto& bank : banks) {
    for (double expected : {1.0 / 3, 2.0 / 3, 1.0, 0.0, 1.0 / 3}) {
      Click(bank.x, bank.y);
      EXPECT_NEAR(plug.GetParam(bank.param)->Value(), expected, 1e-12) << bank.param;
      EXPECT_NEAR(plug.mSynthProgram[static_cast<eVstParameters>(bank.param)], expected, 1e-12) << bank.param;
    }
    plug.set(bank.param, 0.0);
    EXPECT_EQ(plug.GetParam(bank.other)->Value(), 0.0) << bank.param;
  }
}

TEST_F(EffectSections, DistortionTypeArrowsStopAtTheEndsWhileTheInterpolationComesRound) {
  const int previous[2] = {598, 373}, next[2] = {598, 391}, interpolation[2] = {642, 375};
  Click(previous[0], previous[1]);
  EXPECT_EQ(plug.GetParam(DistortionType)->Value(), 0.0);
  Click(next[0], next[1]);
  EXPECT_NEAR(plug.GetParam(DistortionType)->Value(), 1.0 / 34, 1e-12);
  EXPECT_EQ(plug.mDistortion.getType(), 1);
  // The last type, "Noise-Gate 1", goes no further.
  plug.set(DistortionType, 1.0);
  Click(next[0], next[1]);
  EXPECT_EQ(plug.GetParam(DistortionType)->Value(), 1.0);
  Click(previous[0], previous[1]);
  EXPECT_NEAR(plug.GetParam(DistortionType)->Value(), 33.0 / 34, 1e-12);
  EXPECT_EQ(plug.mDistortion.getType(), 33);

  const char* names[] = {"linear", "cosine", "cubic", "hermite", "no interp."};
  for (int i = 0; i < 5; ++i) {
    Click(interpolation[0], interpolation[1]);
    EXPECT_NEAR(plug.GetParam(DistortionInterpMode)->Value(), (i + 1) % 5 / 4.0, 1e-12) << i;
    EXPECT_STREQ(plug.mDistortion.getInterpolationName(), names[i]);
  }
}

TEST_F(EffectSections, TheBankMixJumpsToWhereverItsTrackIsClicked) {
  IFaderControl* fader = Bound<IFaderControl>(FilterType);
  ASSERT_NE(fader, nullptr);
  const IRECT track = *fader->GetRECT();
  // The handle sits at the left end; a click half way along the track, away
  // from it, moves the mix there.
  Click(track.L + 7 + 45, (track.T + track.B) / 2);
  EXPECT_NEAR(plug.GetParam(FilterType)->Value(), 0.5, 1e-12);
  Click(track.R - 1, (track.T + track.B) / 2);
  EXPECT_EQ(plug.GetParam(FilterType)->Value(), 1.0);
}

TEST_F(EffectSections, TheSyncButtonTunesTheRingToTheLastNoteTimesItsMultiplier) {
  IQvCaptionControl* rate = Bound<IQvCaptionControl>(RingModulationFrequency);
  ASSERT_NE(rate, nullptr);
  // Before any note the ring is set to 0 Hz.
  plug.set(RingModulationFrequency, 0.5);
  Click(834, 311);
  EXPECT_EQ(plug.mSyncButton->GetMultiplier(), 2.0);
  EXPECT_EQ(plug.GetParam(RingModulationFrequency)->Value(), 0.0);

  // As the voices report a started note, on the render thread.
  plug.onNoteOn(220.0, "A3");
  ASSERT_EQ(plug.getLastNoteFrequency(), 220.0);
  const struct {
    double multiplier, value;
    const char* shown;
  } presses[] = {{4.0, 0.22, "880.0Hz"},   {8.0, 0.44, "1760.0Hz"}, {16.0, 0.88, "3520.0Hz"},
                 {32.0, 1.0, "4000.0Hz"}, {1.0, 0.055, "220.0Hz"}, {2.0, 0.11, "440.0Hz"}};
  for (const auto& press : presses) {
    Click(834, 311);
    EXPECT_EQ(plug.mSyncButton->GetMultiplier(), press.multiplier);
    EXPECT_NEAR(plug.GetParam(RingModulationFrequency)->GetNormalized(), press.value, 1e-12) << press.multiplier;
    EXPECT_NEAR(plug.mRingModulator.getFrequency(), press.value, 1e-12) << press.multiplier;
    // The knob and its read-out follow.
    EXPECT_NEAR(Bound<IKnobMultiControl>(RingModulationFrequency)->GetValue(), press.value, 1e-12);
    Redraw();
    EXPECT_STREQ(rate->GetTextString(), press.shown) << press.multiplier;
  }
}

// The value captions format their own parameter, from the first draw on.
TEST_F(EffectSections, CaptionsShowTheirValuesInTheirSectionsFormats) {
  const struct {
    int param;
    double value;  // negative: the default, drawn right after construction
    const char* text;
  } cases[] = {
      {RingModulationFrequency, -1, " 0.0Hz"},    {RingModulationFrequency, 0.5, "2000.0Hz"},
      {RingModulationFrequency, 1.0, "4000.0Hz"}, {PhaserRate, -1, "2.000Hz"},
      {PhaserRate, 1.0, "10.000Hz"},              {PhaserFeedback, -1, "0.500 "},
      {PhaserDepth, 0.25, "0.250 "},              {RingModulationAmount, 1.0, "1.000 "},
      {FilterInputDrive, -1, "0.000 "},           {FilterResonance, 0.125, "0.125 "},
      {Distortion, 0.75, "0.750 "},               {Pan, -1, "0.000"},
      {Pan, 0.0, "-0.500"},                       {Pan, 1.0, "0.500"},
      {Saturation, -1, "0.0%"},                   {Saturation, 0.125, "12.5%"},
      {DryWet, -1, "100.0%"},                     {Volume, -1, "-6.0dB"},
      {Volume, 1.0, "0.0dB"},                     {Volume, 0.0, "-oodB"},
  };
  for (bool defaults : {true, false}) {
    for (const auto& c : cases) {
      if ((c.value < 0) != defaults) continue;
      if (!defaults) plug.set(c.param, c.value);
      ICaptionControl* caption = Bound<ICaptionControl>(c.param);
      ASSERT_NE(caption, nullptr) << c.param;
      Redraw();
      EXPECT_STREQ(caption->GetTextString(), c.text) << c.param << " at " << c.value;
    }
  }
}

// Knobs over a few choices show one picture per choice of the unit.
TEST_F(EffectSections, SteppedKnobsShowTheChoiceTheUnitMakes) {
  const struct {
    int param;
    std::vector<double> values;
  } knobs[] = {{FilterTransition, {0.0, 1.0 / 3, 2.0 / 3, 1.0}},
               {RingModulationWaveForm, {0.0, 0.2, 0.4, 0.6, 0.8, 1.0}}};
  for (const auto& knob : knobs) {
    const IRECT r = *Bound<IKnobMultiControl>(knob.param)->GetRECT();
    std::vector<std::vector<IColor>> pictures;
    std::vector<std::string> choices;
    for (double v : knob.values) {
      plug.set(knob.param, v);
      Redraw();
      pictures.push_back(Pixels(r));
      choices.push_back(knob.param == FilterTransition ? plug.mFilterUnit.getFilterTransitionText()
                                                       : plug.mRingModulator.getWaveformText());
    }
    for (size_t i = 0; i < pictures.size(); ++i) {
      for (size_t j = i + 1; j < pictures.size(); ++j) {
        EXPECT_EQ(pictures[i] == pictures[j], choices[i] == choices[j])
            << knob.param << ": " << knob.values[i] << " and " << knob.values[j];
      }
    }
  }
}

TEST_F(EffectSections, WritesTheSectionsAsBuilt) {
  Redraw();
  // The filter and modulation effects down to the output.
  const IRECT area(465, 195, 970, 720);
  LICE_SysBitmap* back = gui->GetDrawBitmap();
  ASSERT_NE(back, nullptr);
  const int span = back->getRowSpan();
  const LICE_pixel* first = back->getBits() + area.T * span + area.L;
  const std::string path = testsupport::outputPath("effect-sections.png");
  ASSERT_TRUE(testsupport::writePng(path, reinterpret_cast<const unsigned char*>(first), area.W(), area.H(),
                                    span * 4));
  std::printf("effect sections: %s\n", path.c_str());
}

}  // namespace
