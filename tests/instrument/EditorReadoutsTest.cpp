// The read-outs and curves that the instrument rewrites in its editor: their
// placeholders right after construction, the texts a refresh gives at the
// defaults and after changes, the curves that follow their parameters, the
// note read-out made at the editor's next tick, a program load, and values
// from the editor that are not numbers or lie outside the range.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "effects/Distortion.h"
#include "effects/FilterUnit.h"
#include "engine/ADSR.h"
#include "engine/PitchEnvelope.h"
#include "graphics/IGraphics.h"
#include "graphics/TextControls.h"
#include "instrument/ThudrokkaControls.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/support/TempDirectory.h"

namespace {

using namespace Quillvane::Synth;

using TextOf = std::function<ITextControl*(ThudrokkaProbe&)>;

struct Readout {
  const char* name;
  TextOf text;
};

#define READOUT(member) \
  Readout { #member, [](ThudrokkaProbe& p) -> ITextControl* { return p.member; } }

std::string Shown(ThudrokkaProbe& plug, const TextOf& of) {
  ITextControl* text = of(plug);
  return text ? text->GetTextString() : "(no control)";
}

// Draws every dirty control, as the editor's next tick does.
void Tick(ThudrokkaProbe& plug) {
  IRECT dirty;
  if (plug.mEditor->IsDirty(&dirty)) plug.mEditor->Draw(&dirty);
}

TEST(EditorReadouts, ShowTheirPlaceholdersUntilTheirParametersAreApplied) {
  ThudrokkaProbe plug;
  const struct {
    Readout readout;
    const char* placeholder;
  } cases[] = {
      {READOUT(mOsc1WaveformText), "waveform1"},  {READOUT(mOsc2WaveformText), "waveform2"},
      {READOUT(mOsc3WaveformText), "waveform3"},  {READOUT(mVolumeAttackText), "0.0 s"},
      {READOUT(mVolumeDecayText), "0.0 s"},       {READOUT(mVolumeReleaseText), "0.0 s"},
      {READOUT(mFilterAttackText), "0.0 s"},      {READOUT(mFilterDecayText), "0.0 s"},
      {READOUT(mFilterReleaseText), "0.0 s"},     {READOUT(mUnisonVoicesText), "voices"},
      {READOUT(mNoteInfoText), "0.0 Hz (-)"},     {READOUT(mBassGainText), "0.0 dB"},
      {READOUT(mMidGainText), "0.0 dB"},          {READOUT(mHighGainText), "0.0 dB"},
      {READOUT(mDumpExpandText), "freq."},        {READOUT(mDistortionTypeText), "distortion"},
      {READOUT(mInterpolationText), "interpolation"}, {READOUT(mBitsText), "64 bit"},
      {READOUT(mSampleRateText), "44100 Hz"},     {READOUT(mGateText), "-oo dB"},
      {READOUT(mCutoffText), "cutoff"},           {READOUT(mFilterMode1Text), "fmode1"},
      {READOUT(mFilterMode2Text), "fmode2"},      {READOUT(mFilterTransitionText), "transition"},
      {READOUT(mFilterMixText), "type fader"},    {READOUT(mRingWaveformText), "ring form"},
      {READOUT(mHostInfoText), "HOST SAMPLE RATE: 44100.0 Hz   TEMPO: 120.00 BPM"},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(plug, c.readout.text), c.placeholder) << c.readout.name;
}

// The cutoff the filter unit's active design holds, from a unit of its own.
std::string CutoffText(double rate, double value) {
  Quillvane::FilterUnit unit;
  unit.setSampleRate(rate);
  unit.setCutoff(value);
  const Dsp::Filter* design = unit.getActiveDSPFilter();
  return std::to_string(static_cast<int>(design->getParam(design->findParamId(Dsp::idFrequency)))) + "Hz";
}

TEST(EditorReadouts, ARefreshShowsTheDefaults) {
  ThudrokkaProbe plug;
  // As a host's initialisation does.
  plug.OnParamReset();
  const struct {
    Readout readout;
    std::string text;
  } cases[] = {
      {READOUT(mOsc1WaveformText), "01: Sine"},     {READOUT(mOsc2WaveformText), "01: Sine"},
      {READOUT(mOsc3WaveformText), "01: Sine"},     {READOUT(mVolumeAttackText), "0.050 s"},
      {READOUT(mVolumeDecayText), "0.500 s"},       {READOUT(mVolumeReleaseText), "0.100 s"},
      {READOUT(mFilterAttackText), "0.050 s"},      {READOUT(mFilterDecayText), "0.500 s"},
      {READOUT(mFilterReleaseText), "0.100 s"},     {READOUT(mUnisonVoicesText), "1"},
      {READOUT(mBassGainText), "0.0dB"},            {READOUT(mMidGainText), "0.0dB"},
      {READOUT(mHighGainText), "0.0dB"},            {READOUT(mDumpExpandText), "0.0% HP"},
      {READOUT(mDistortionTypeText), "1: Linear"},  {READOUT(mInterpolationText), "no interp."},
      {READOUT(mBitsText), "64.0bit"},              {READOUT(mSampleRateText), "44100Hz"},
      {READOUT(mGateText), "-oodB"},                {READOUT(mCutoffText), CutoffText(44100.0, 0.0)},
      {READOUT(mFilterMode1Text), "RBJ-LP"},        {READOUT(mFilterMode2Text), "HP 12dB"},
      {READOUT(mFilterTransitionText), "Slow"},     {READOUT(mFilterMixText), "100.0% / 0.0%"},
      {READOUT(mRingWaveformText), "Sine"},
      // No note has started.
      {READOUT(mNoteInfoText), "0.0 Hz (-)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(plug, c.readout.text), c.text) << c.readout.name;
}

TEST(EditorReadouts, AChangeRewritesItsReadOutWithTheUnitsValue) {
  const struct {
    int p;
    double v;
    Readout readout;
    std::string text;
  } cases[] = {
      {OscWaveform1, 0.0, READOUT(mOsc1WaveformText), "01: Sine"},
      {OscWaveform1, 1.0 / 35.0, READOUT(mOsc1WaveformText), "02: Sawtooth"},
      {OscWaveform1, 1.0, READOUT(mOsc1WaveformText), "36: User15"},
      {OscWaveform2, 5.0 / 35.0, READOUT(mOsc2WaveformText), "06: Triangle"},
      {OscWaveform3, 2.0 / 35.0, READOUT(mOsc3WaveformText), "03: Pulse"},
      {DistortionType, 0.0, READOUT(mDistortionTypeText), "1: Linear"},
      {DistortionType, 1.0, READOUT(mDistortionTypeText), "35: Noise-Gate 1"},
      {DistortionType, 2.0 / 34.0, READOUT(mDistortionTypeText), "3: Hard-Overload"},
      {DistortionInterpMode, 1.0, READOUT(mInterpolationText), "hermite"},
      {DistortionInterpMode, 0.25, READOUT(mInterpolationText), "linear"},
      {Gate, 0.0, READOUT(mGateText), "-oodB"},
      {Gate, 0.5, READOUT(mGateText), "-24.1dB"},
      {Quantization, 1.0, READOUT(mBitsText), "64.0bit"},
      {Quantization, 0.2, READOUT(mBitsText), "14.8bit"},
      {Quantization, 0.0, READOUT(mBitsText), "2.5bit"},
      {SampleRate, 0.0, READOUT(mSampleRateText), "347Hz"},
      {SampleRate, 1.0, READOUT(mSampleRateText), "44100Hz"},
      {DumpExpand, 0.25, READOUT(mDumpExpandText), "50.0% LP"},
      {DumpExpand, 0.5, READOUT(mDumpExpandText), "0.0% HP"},
      {DumpExpand, 0.75, READOUT(mDumpExpandText), "50.0% HP"},
      {DumpExpand, 0.0, READOUT(mDumpExpandText), "100.0% LP"},
      {DumpExpand, 1.0, READOUT(mDumpExpandText), "100.0% HP"},
      {FilterType, 0.25, READOUT(mFilterMixText), "75.0% / 25.0%"},
      {FilterType, 1.0, READOUT(mFilterMixText), "0.0% / 100.0%"},
      {BassAmount, 0.5, READOUT(mBassGainText), "0.0dB"},
      {BassAmount, 1.0, READOUT(mBassGainText), "24.0dB"},
      {BassAmount, 0.0, READOUT(mBassGainText), "-24.0dB"},
      {MidAmount, 1.0, READOUT(mMidGainText), "6.0dB"},
      {MidAmount, 0.0, READOUT(mMidGainText), "-oodB"},
      {HighAmount, 0.0, READOUT(mHighGainText), "-24.0dB"},
      {FilterCutoff, 0.5, READOUT(mCutoffText), CutoffText(44100.0, 0.5)},
      {FilterCutoff, 1.0, READOUT(mCutoffText), CutoffText(44100.0, 1.0)},
      {FilterMode1, 1.0 / 3.0, READOUT(mFilterMode1Text), "RBJ-HP"},
      {FilterMode1, 1.0, READOUT(mFilterMode1Text), "RBJ-BS"},
      {FilterMode2, 1.0 / 3.0, READOUT(mFilterMode2Text), "HP 24dB"},
      {FilterMode2, 1.0, READOUT(mFilterMode2Text), "LP 24dB"},
      {FilterTransition, 1.0 / 3.0, READOUT(mFilterTransitionText), "Medium"},
      {FilterTransition, 1.0, READOUT(mFilterTransitionText), "Fast"},
      {RingModulationWaveForm, 0.2, READOUT(mRingWaveformText), "Pulse"},
      {RingModulationWaveForm, 1.0, READOUT(mRingWaveformText), "Sine3"},
      {UnisonVoices, 0.4, READOUT(mUnisonVoicesText), "1"},
      {UnisonVoices, 0.49, READOUT(mUnisonVoicesText), "1"},
      {UnisonVoices, 0.5, READOUT(mUnisonVoicesText), "2"},
      {UnisonVoices, 0.6, READOUT(mUnisonVoicesText), "2"},
      {EnvAttack, 0.0, READOUT(mVolumeAttackText), "0.000 s"},
      {EnvDecay, 1.0, READOUT(mVolumeDecayText), "1.000 s"},
      {FilterRelease, 0.5, READOUT(mFilterReleaseText), "0.500 s"},
      {FilterDuration, 1.0, READOUT(mFilterAttackText), "0.250 s"},
  };
  ThudrokkaProbe plug;
  for (const auto& c : cases) {
    plug.set(c.p, c.v);
    EXPECT_EQ(Shown(plug, c.readout.text), c.text) << c.readout.name << " at " << c.v;
  }
}

// What every control of the editor shows: its text where it has one, else
// its value.
std::vector<std::string> EditorShows(ThudrokkaProbe& plug) {
  std::vector<std::string> shown;
  for (int i = 0; i < plug.mEditor->NControls(); ++i) {
    IControl* control = plug.mEditor->GetControl(i);
    const auto* text = dynamic_cast<ITextControl*>(control);
    shown.push_back(text ? text->GetTextString() : std::to_string(control->GetValue()));
  }
  return shown;
}

// A knob or a script may hand the editor's road anything: what is not a
// number changes nothing, and what lies outside 0..1 is taken as its end.
TEST(EditorReadouts, AValueFromTheEditorIsRefusedWhenNotANumberAndClampedOutsideTheRange) {
  const double inf = std::numeric_limits<double>::infinity();
  ThudrokkaProbe plug;
  ASSERT_NE(plug.mCutoffText, nullptr);
  for (int p = 0; p < kNumParameters; ++p) {
    plug.set(p, 0.5);
    const std::vector<std::string> before = EditorShows(plug);
    for (double bad : {std::nan(""), inf, -inf}) {
      plug.SetParameterFromGUI(p, bad);
      plug.takeHandOvers();
      EXPECT_EQ(plug.GetParam(p)->Value(), 0.5) << "parameter " << p << " given " << bad;
      EXPECT_EQ(EditorShows(plug), before) << "parameter " << p << " given " << bad;
    }
    for (double end : {0.0, 1.0}) {
      plug.set(p, end);
      const std::vector<std::string> atEnd = EditorShows(plug);
      plug.set(p, 0.5);
      plug.SetParameterFromGUI(p, end == 0.0 ? -0.5 : 1.5);
      plug.takeHandOvers();
      EXPECT_EQ(plug.GetParam(p)->Value(), end) << "parameter " << p;
      EXPECT_EQ(EditorShows(plug), atEnd) << "parameter " << p;
    }
  }
}

TEST(EditorReadouts, TheEnvelopeTimesFollowTheDisplayEnvelopesOwnLimits) {
  ThudrokkaProbe plug;
  ASSERT_TRUE(plug.mVolumeReleaseText && plug.mFilterReleaseText);
  // The shortest duration is 1 ms.
  plug.set(EnvRelease, 1.0);
  plug.set(EnvDuration, 0.0);
  EXPECT_STREQ(plug.mVolumeReleaseText->GetTextString(), "0.001 s");
  // The filter envelope's times stay as they were.
  EXPECT_STREQ(plug.mFilterReleaseText->GetTextString(), "0.0 s");
  // A sustain change rewrites the unchanged times.
  plug.set(FilterSustain, 0.8);
  EXPECT_STREQ(plug.mFilterReleaseText->GetTextString(), "0.100 s");
  EXPECT_STREQ(plug.mVolumeReleaseText->GetTextString(), "0.001 s");
}

TEST(EditorReadouts, TheSampleRateReadOutFollowsTheHostsRate) {
  ThudrokkaProbe plug;
  plug.prepare(48000.0, 64);
  ASSERT_TRUE(plug.mSampleRateText && plug.mCutoffText);
  plug.set(SampleRate, 1.0);
  EXPECT_STREQ(plug.mSampleRateText->GetTextString(), "48000Hz");
  // The cutoff reads the setting's Hz, as at 44.1 kHz, though the designs at
  // 48 kHz take the frequency that sounds like it there.
  plug.set(FilterCutoff, 1.0);
  EXPECT_EQ(std::string(plug.mCutoffText->GetTextString()), CutoffText(44100.0, 1.0));
  EXPECT_NE(CutoffText(48000.0, 1.0), CutoffText(44100.0, 1.0));
}

// ---- Curves.

std::vector<double> Points(IQvCurve* curve) {
  return curve ? std::vector<double>(curve->GetValues(), curve->GetValues() + curve->NumValues())
               : std::vector<double>();
}

TEST(EditorCurves, ThePitchCurveFollowsTheEnvelopesSettings) {
  ThudrokkaProbe plug;
  IQvCurve* curve = plug.mPitchEnvelopeCurveControl;
  ASSERT_NE(curve, nullptr);
  ASSERT_EQ(curve->NumValues(), Thudrokka::kPitchEnvelopeCurvePoints);
  Tick(plug);
  ASSERT_FALSE(curve->IsDirty());
  plug.set(PitchOnOff, 0.0);
  EXPECT_TRUE(curve->IsDirty());
  EXPECT_EQ(Points(curve), std::vector<double>(Thudrokka::kPitchEnvelopeCurvePoints, 0.0));
  // Only exactly 0 switches it off.
  plug.set(PitchOnOff, 0.3);
  plug.set(PitchAmount, 0.8);
  plug.set(PitchDown, 0.25);
  Quillvane::PitchEnvelope expected;
  expected.setPitchAmount(0.8);
  expected.setPitchDuration(plug.GetParam(PitchDuration)->Value());
  expected.setPitchPower(plug.GetParam(PitchPower)->Value());
  expected.setPitchDown(0.25);
  std::vector<double> points(Thudrokka::kPitchEnvelopeCurvePoints);
  expected.updateGUIData(points.data(), Thudrokka::kPitchEnvelopeCurvePoints);
  EXPECT_EQ(Points(curve), points);
}

TEST(EditorCurves, EachEnvelopeCurveFollowsOnlyItsOwnEnvelope) {
  ThudrokkaProbe plug;
  ASSERT_TRUE(plug.mVolumeEnvelopeCurveControl && plug.mFilterEnvelopeCurveControl);
  const std::vector<double> filterBefore = Points(plug.mFilterEnvelopeCurveControl);
  Tick(plug);
  plug.set(EnvAttack, 0.3);
  EXPECT_TRUE(plug.mVolumeEnvelopeCurveControl->IsDirty());
  // Each drawing moves the envelope's smoothers on: a few refreshes let the
  // new sustain settle.
  for (int i = 0; i < 5; ++i) plug.set(EnvSustain, 0.6);
  Quillvane::ADSR expected("expected");
  expected.setAttack(0.3);
  expected.setDecay(0.5);
  expected.setSustain(0.6);
  expected.setRelease(0.1);
  expected.setDuration(0.2);
  std::vector<double> points(Thudrokka::kEnvelopeCurvePoints);
  for (int i = 0; i < 5; ++i) expected.updateGUIData(points.data(), nullptr, Thudrokka::kEnvelopeCurvePoints);
  const std::vector<double> shown = Points(plug.mVolumeEnvelopeCurveControl);
  ASSERT_EQ(shown.size(), points.size());
  for (size_t i = 0; i < points.size(); ++i) EXPECT_NEAR(shown[i], points[i], 1e-3) << i;
  EXPECT_FALSE(plug.mFilterEnvelopeCurveControl->IsDirty());
  EXPECT_EQ(Points(plug.mFilterEnvelopeCurveControl), filterBefore);
}

TEST(EditorCurves, TheDistortionCurvesFollowTypeAmountAndInterpolation) {
  ThudrokkaProbe plug;
  IQvCurve* transfer = plug.mDistortionTransferCurveControl;
  IQvCurve* wave = plug.mDistortionWaveCurveControl;
  ASSERT_TRUE(transfer && wave);
  const auto expect = [&](const char* when) {
    Quillvane::Distortion unit;
    unit.setType(plug.GetParam(DistortionType)->Value());
    unit.setAmount(plug.GetParam(Distortion)->Value());
    unit.setInterpolation(plug.GetParam(DistortionInterpMode)->Value());
    std::vector<double> curve(Thudrokka::kDistortionTransferCurvePoints), sine(Thudrokka::kDistortionWaveCurvePoints);
    unit.updateGUIData(curve.data(), Thudrokka::kDistortionTransferCurvePoints, sine.data(),
                       Thudrokka::kDistortionWaveCurvePoints);
    EXPECT_EQ(Points(transfer), curve) << when;
    EXPECT_EQ(Points(wave), sine) << when;
  };
  ASSERT_NE(plug.mDistortionTypeText, nullptr);
  plug.set(DistortionType, 16.0 / 34.0);
  expect("type");
  const std::vector<double> transferBefore = Points(transfer);
  const std::vector<double> waveBefore = Points(wave);
  plug.set(Distortion, 0.7);
  expect("amount");
  // The amount changes how the sine sounds, not the bare curve; the type
  // text is written again.
  EXPECT_EQ(Points(transfer), transferBefore);
  EXPECT_NE(Points(wave), waveBefore);
  EXPECT_STREQ(plug.mDistortionTypeText->GetTextString(), "17: Hardcore-Fuzz2");
  plug.set(DistortionInterpMode, 0.5);
  expect("interpolation");
  plug.set(DistortionType, 0.0);
  // Linear: a diagonal from the lower left to the upper right.
  const std::vector<double> linear = Points(transfer);
  for (size_t i = 0; i < linear.size(); ++i) EXPECT_NEAR(linear[i], 2.0 * (i / 108.0 - 0.5), 1e-9) << i;
}

TEST(EditorCurves, AnInvertedWaveformDrawsFoldedUnderTheSameName) {
  ThudrokkaProbe plug;
  IQvCurve* curve = plug.mOsc1WaveformCurveControl;
  ASSERT_TRUE(curve && plug.mOsc1WaveformText && plug.mOsc2WaveformText);
  plug.set(OscWaveform1, 0.0);
  const std::vector<double> sine = Points(curve);
  for (int i = 0; i < 78; ++i) EXPECT_NEAR(sine[static_cast<size_t>(i)], std::sin(2.0 * M_PI * i / 78.0), 1e-12) << i;
  Tick(plug);
  plug.set(OscInvertWaveform1, 1.0);
  EXPECT_TRUE(curve->IsDirty());
  EXPECT_STREQ(plug.mOsc1WaveformText->GetTextString(), "01: Sine");
  const std::vector<double> folded = Points(curve);
  for (size_t i = 0; i < folded.size(); ++i) {
    const double s = sine[i];
    EXPECT_EQ(folded[i], s == 0.0 ? 0.0 : (s > 0.0 ? 1.0 : -1.0) - s) << i;
  }
  // The other oscillators are left alone.
  EXPECT_STREQ(plug.mOsc2WaveformText->GetTextString(), "waveform2");
}

// ---- The note read-out.

TEST(NoteReadout, IsWrittenAtTheEditorsNextTickFromTheLastStartedNote) {
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 64);
  ASSERT_NE(plug.mNoteInfoText, nullptr);
  Tick(plug);
  EXPECT_STREQ(plug.mNoteInfoText->GetTextString(), "0.0 Hz (-)");
  IMidiMsg on;
  on.MakeNoteOnMsg(45, 100, 0);
  plug.ProcessMidiMsg(&on);
  std::vector<double> left(64), right(64);
  double* out[2] = {left.data(), right.data()};
  plug.ProcessDoubleReplacing(nullptr, out, 64);
  // The render thread only leaves the note; the text waits for the editor.
  EXPECT_STREQ(plug.mNoteInfoText->GetTextString(), "0.0 Hz (-)");
  Tick(plug);
  EXPECT_STREQ(plug.mNoteInfoText->GetTextString(), "220.0Hz [A3]");
  EXPECT_FALSE(plug.mNoteInfoText->IsDirty()) << "drawn at that tick";
}

// ---- Programs and presets refresh the editor.

TEST(EditorReadouts, LoadingAProgramRefreshesEveryReadOut) {
  const testsupport::TempDirectory dir;
  const std::string file = dir.path("kick.qv");
  {
    ThudrokkaProbe source;
    source.set(OscWaveform1, 5.0 / 35.0);
    source.set(BassAmount, 1.0);
    source.set(DistortionType, 18.0 / 34.0);
    source.set(FilterMode2, 2.0 / 3.0);
    source.set(RingModulationWaveForm, 0.4);
    ASSERT_TRUE(source.SaveProgramAsQV(file.c_str()));
  }
  ThudrokkaProbe plug;
  plug.set(OscWaveform2, 0.5);
  ASSERT_TRUE(plug.LoadProgramAsQV(file.c_str()));
  const struct {
    Readout readout;
    const char* text;
  } cases[] = {
      {READOUT(mOsc1WaveformText), "06: Triangle"}, {READOUT(mBassGainText), "24.0dB"},
      {READOUT(mDistortionTypeText), "19: Hardcore-Fuzz4"}, {READOUT(mFilterMode2Text), "LP 12dB"},
      {READOUT(mRingWaveformText), "Saw"},
      // Every parameter is applied, those the file holds unchanged too.
      {READOUT(mOsc2WaveformText), "01: Sine"},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(plug, c.readout.text), c.text) << c.readout.name;
}

TEST(EditorReadouts, RestoringAPresetRefreshesTheReadOuts) {
  ThudrokkaProbe plug;
  ASSERT_NE(plug.mOsc1WaveformText, nullptr);
  for (int preset : {5, 40, 127}) {
    ASSERT_TRUE(plug.RestorePreset(preset));
    const double w = plug.GetParam(OscWaveform1)->Value();
    char expected[64];
    std::snprintf(expected, sizeof(expected), "%02d: %s", Quillvane::WaveformProvider::getWaveformIndex(w) + 1,
                  Quillvane::WaveformProvider::getWaveformText(w));
    EXPECT_STREQ(plug.mOsc1WaveformText->GetTextString(), expected) << preset;
  }
}

}  // namespace
