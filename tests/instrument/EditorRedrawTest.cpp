// The editor redraws only the rectangles of the controls that changed, so a
// control must paint nowhere else: every control drawn alone, with the
// longest texts its read-out can show, stays inside its rectangle; and
// through a host's window, after any sequence of changes, the screen equals
// a full redraw of the same state. What the render thread leaves for the
// editor (the last note, a loaded waveform's curve) shows within two ticks
// while a host automates.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <typeinfo>
#include <vector>

#include "graphics/TextControls.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"
#include "instrument/ThudrokkaPresetControls.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/RectOps.h"
#include "platform/standin/AudioUnitProperties.h"
#include "platform/standin/RunLoop.h"
#include "tests/instrument/EditorFixtures.h"
#include "tests/support/PngWriter.h"
#include "tests/support/UserWaveformSnapshot.h"

namespace {

using namespace Quillvane::Synth;

constexpr LICE_pixel kUnpainted = 0x12345678;
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

template <class Control>
Control* FindFirst(IGraphics* editor) {
  for (int i = 0; i < editor->NControls(); ++i) {
    if (auto* c = dynamic_cast<Control*>(editor->GetControl(i))) return c;
  }
  return nullptr;
}

std::string Describe(IControl* c) {
  std::string what = typeid(*c).name();
  if (auto* text = dynamic_cast<ITextControl*>(c)) what += std::string(" '") + text->GetTextString() + "'";
  const IRECT* r = c->GetRECT();
  return what + " at " + std::to_string(r->L) + "," + std::to_string(r->T) + "," + std::to_string(r->R) + "," +
         std::to_string(r->B);
}

// The instrument's editor, where each control is drawn alone on a blank
// back buffer.
struct AloneTest : testing::Test {
  AloneTest() {
    plug.prepare(44100.0, 64);
    plug.OnParamReset();
    // Bitmaps clip to the area being redrawn: the whole editor.
    IRECT all(0, 0, editor->Width(), editor->Height());
    editor->Draw(&all);
  }
  // Pixels the control paints outside its rectangle when drawn alone.
  int PaintedOutside(IControl* c) {
    LICE_SysBitmap* screen = editor->GetDrawBitmap();
    LICE_Clear(screen, kUnpainted);
    c->Draw(editor);
    const IRECT* r = c->GetRECT();
    const LICE_pixel* row = screen->getBits();
    int outside = 0;
    for (int y = 0; y < screen->getHeight(); ++y, row += screen->getRowSpan()) {
      for (int x = 0; x < screen->getWidth(); ++x) outside += row[x] != kUnpainted && !r->ContainsPoint(x, y);
    }
    return outside;
  }
  void Play(int note) {
    IMidiMsg on;
    on.MakeNoteOnMsg(note, 127, 0);
    plug.ProcessMidiMsg(&on);
    std::vector<double> left(64), right(64);
    double* out[2] = {left.data(), right.data()};
    plug.ProcessDoubleReplacing(nullptr, out, 64);
  }

  ThudrokkaProbe plug;
  IGraphics* editor = plug.mEditor;
};

TEST_F(AloneTest, EveryControlOfBothTabsPaintsOnlyInsideItsRectangle) {
  for (int i = 0; i < editor->NControls(); ++i) {
    IControl* c = editor->GetControl(i);
    EXPECT_EQ(PaintedOutside(c), 0) << "control " << i << ": " << Describe(c);
  }
}

// Each read-out through every text its instrument can give it: every choice
// of a name, the ends of every range, rates and tempos hosts use, and values
// no person makes, which must stay inside too, cut if need be.
TEST_F(AloneTest, ReadOutsStayInsideTheirRectanglesWithTheirLongestTexts) {
  auto* level = FindFirst<IQvMaxLevelText>(editor);
  auto* presetMenu = FindFirst<IQvPresetMenu>(editor);
  ASSERT_TRUE(level && presetMenu && plug.mHostInfoText && plug.mNoteInfoText);
  const auto param = [&](int p) { return [&, p](double v) { plug.set(p, v); }; };
  // n values from 0 to 1, or the indices 0 to n - 1.
  const auto steps = [](int n) {
    std::vector<double> values;
    for (int i = 0; i < n; ++i) values.push_back(static_cast<double>(i) / (n - 1));
    return values;
  };
  const auto indices = [](int n) {
    std::vector<double> values;
    for (int i = 0; i < n; ++i) values.push_back(i);
    return values;
  };
  const std::vector<double> extremes = {0.0, kTiny, 1e-300, 1e-80, 1e-9, 1e-3, 0.5, 1.0};
  const struct {
    const char* what;
    std::vector<IControl*> controls;
    std::function<void(double)> set;
    std::vector<double> values;
  } cases[] = {
      {"oscillator 1 waveform", {plug.mOsc1WaveformText}, param(OscWaveform1), steps(36)},
      {"oscillator 2 waveform", {plug.mOsc2WaveformText}, param(OscWaveform2), steps(36)},
      {"oscillator 3 waveform", {plug.mOsc3WaveformText}, param(OscWaveform3), steps(36)},
      {"distortion type", {plug.mDistortionTypeText}, param(DistortionType), steps(35)},
      {"interpolation", {plug.mInterpolationText}, param(DistortionInterpMode), steps(5)},
      {"filter mode 1", {plug.mFilterMode1Text}, param(FilterMode1), steps(21)},
      {"filter mode 2", {plug.mFilterMode2Text}, param(FilterMode2), steps(21)},
      {"filter transition", {plug.mFilterTransitionText}, param(FilterTransition), steps(21)},
      {"ring waveform", {plug.mRingWaveformText}, param(RingModulationWaveForm), steps(21)},
      {"filter mix", {plug.mFilterMixText}, param(FilterType), steps(101)},
      {"unison voices", {plug.mUnisonVoicesText}, param(UnisonVoices), steps(2)},
      {"equaliser gains",
       {plug.mBassGainText, plug.mMidGainText, plug.mHighGainText},
       [&](double v) {
         for (int p : {BassAmount, MidAmount, HighAmount}) plug.set(p, v);
       },
       steps(21)},
      {"dump/expand", {plug.mDumpExpandText}, param(DumpExpand), steps(21)},
      {"bit depth", {plug.mBitsText}, param(Quantization), extremes},
      {"gate", {plug.mGateText}, param(Gate), extremes},
      {"pitch envelope curve",
       {plug.mPitchEnvelopeCurveControl},
       [&](double v) {
         plug.set(PitchAmount, 1.0);
         plug.set(PitchDown, 1.0 - v);
         plug.set(PitchPower, v);
         plug.set(PitchDuration, v);
       },
       steps(11)},
      {"volume envelope times",
       {plug.mVolumeAttackText, plug.mVolumeDecayText, plug.mVolumeReleaseText},
       [&](double v) {
         for (int p : {EnvAttack, EnvDecay, EnvRelease, EnvDuration}) plug.set(p, v);
       },
       extremes},
      {"filter envelope times",
       {plug.mFilterAttackText, plug.mFilterDecayText, plug.mFilterReleaseText},
       [&](double v) {
         for (int p : {FilterAttack, FilterDecay, FilterRelease, FilterDuration}) plug.set(p, v);
       },
       extremes},
      {"reduced sample rate and cutoff at 192 kHz",
       {plug.mSampleRateText, plug.mCutoffText},
       [&](double v) {
         plug.prepare(192000.0, 64);
         plug.set(SampleRate, v);
         plug.set(FilterCutoff, v);
       },
       steps(21)},
      {"note, transposed up",
       {plug.mNoteInfoText},
       [&](double note) {
         plug.set(GlobalTranspose, 1.0);
         Play(static_cast<int>(note));
         // The editor's own work of its next tick makes the text.
         plug.OnIdle();
       },
       {0, 21, 69, 100, 120, 127}},
      {"host sample rate",
       {plug.mHostInfoText},
       [&](double rate) { plug.mHostInfoText->UpdateHostInfoText(rate, 999.99); },
       {8000.0, 44100.0, 96000.0, 192000.0, 768000.0, 1e12}},
      {"host tempo",
       {plug.mHostInfoText},
       [&](double tempo) { plug.mHostInfoText->UpdateHostInfoText(192000.0, tempo); },
       {20.0, 90.0, 120.0, 999.99, 1e9}},
      {"peak level",
       {level},
       [&](double peak) { level->UpdateMaxLevelText(peak); },
       {0.0, kTiny, 1e-300, 1e-5, 0.5, 1.0, 1.5, 1e10, std::numeric_limits<double>::infinity()}},
      {"factory presets",
       {presetMenu},
       [&](double preset) { plug.RestorePreset(static_cast<int>(preset)); },
       indices(Thudrokka::kNumPresets)},
  };
  for (const auto& c : cases) {
    for (double v : c.values) {
      c.set(v);
      for (IControl* control : c.controls) {
        ASSERT_NE(control, nullptr) << c.what;
        EXPECT_EQ(PaintedOutside(control), 0) << c.what << " at " << v << ": " << Describe(control);
      }
    }
  }

  // Renamed presets: as long as the rename field takes, and with a line break.
  for (const std::string& name : {std::string(IQvPresetMenu::kMaxNameLen, 'W'), std::string("Two\nLines")}) {
    presetMenu->TextFromTextEntry(name.c_str());
    EXPECT_EQ(PaintedOutside(presetMenu), 0) << "preset named " << name;
  }
  // Every caption at the ends of its range and at the smallest value above 0.
  for (int i = 0; i < editor->NControls(); ++i) {
    auto* caption = dynamic_cast<ICaptionControl*>(editor->GetControl(i));
    if (!caption) continue;
    for (double v : {0.0, kTiny, 1e-9, 0.5, 1.0}) {
      editor->SetParameterFromPlug(caption->ParamIdx(), v, true);
      EXPECT_EQ(PaintedOutside(caption), 0) << v << ": " << Describe(caption);
    }
  }
}

// ---- Through a host's window.

struct Transport {
  static OSStatus BeatAndTempo(void* user, Float64* beat, Float64* tempo) {
    if (beat) *beat = 0.0;
    if (tempo) *tempo = static_cast<Transport*>(user)->tempo;
    return noErr;
  }
  double tempo = 120.0;
};

struct HostWindowTest : HostedEditorTest {
  void SetUp() override {
    HostedEditorTest::SetUp();
    HostCallbackInfo info = {&transport, Transport::BeatAndTempo, nullptr, nullptr};
    ASSERT_EQ(AudioUnitSetProperty(host.session().Unit(), kAudioUnitProperty_HostCallbacks, kAudioUnitScope_Global, 0,
                                   &info, sizeof(info)),
              noErr);
    Tick(8);
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) standin::RunLoopAdvance(0.04);
  }
  std::vector<uint32_t> Screen() {
    const SWELL_GfxTarget* screen = window->screen();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < screen->height; ++y) {
      for (int x = 0; x < screen->width; ++x) pixels.push_back(static_cast<uint32_t>(window->screenPixel(x, y)));
    }
    return pixels;
  }
  // The screen as it is, written under name for a person to look at.
  void WriteScreen(const std::string& name) {
    const SWELL_GfxTarget* screen = window->screen();
    const std::string path = testsupport::outputPath(name);
    EXPECT_TRUE(testsupport::writePng(path, screen->pixels, screen->width, screen->height, screen->rowBytes)) << path;
    std::printf("editor snapshot: %s\n", path.c_str());
  }
  // Pixels where the screen differs from a full redraw of the same state,
  // which stays on the screen afterwards.
  int DifferingFromAFullRedraw() {
    const std::vector<uint32_t> before = Screen();
    gui->SetAllControlsDirty();
    Tick();
    const std::vector<uint32_t> after = Screen();
    int differing = 0;
    for (size_t i = 0; i < before.size(); ++i) differing += before[i] != after[i];
    return differing;
  }
  void SetParameter(int p, double v) { ASSERT_EQ(host.session().SetParameter(p, static_cast<float>(v)), noErr); }
  void Render(int blocks) {
    std::vector<float> left(512), right(512);
    for (int b = 0; b < blocks; ++b) ASSERT_EQ(host.render(512, left.data(), right.data()), noErr);
  }

  Transport transport;
};

TEST_F(HostWindowTest, AfterEveryChangeTheScreenEqualsAFullRedraw) {
  auto* presetMenu = Find<IQvPresetMenu>(510, 500);
  auto* reset = Find<IQvResetButton>(440, 680);
  ASSERT_TRUE(presetMenu && reset);
  const auto tempo = [&](double t) { return [&, t] { transport.tempo = t; }; };
  const auto rate = [&](double r) { return [&, r] { ASSERT_EQ(host.session().SetSampleRate(r), noErr); }; };
  const auto values = [&](std::vector<std::pair<int, double>> changes) {
    return [&, changes] {
      for (const auto& c : changes) SetParameter(c.first, c.second);
    };
  };
  const auto rename = [&](const char* name) { return [&, name] { presetMenu->TextFromTextEntry(name); }; };
  const struct {
    const char* what;
    std::function<void()> change;
    // The screen after the change, for a person to look at.
    const char* shot = nullptr;
  } steps[] = {
      {"tempo 90", tempo(90.0), "editor-redraw-tempo-90.png"},
      {"tempo 999.99", tempo(999.99)},
      {"tempo 60", tempo(60.0)},
      {"sample rate 192000", rate(192000.0)},
      {"sample rate 48000", rate(48000.0)},
      {"a loud note",
       [&] {
         SetParameter(Volume, 1.0);
         SetParameter(LimitOutput, 0.0);
         ASSERT_EQ(host.noteOn(36, 127, 0), noErr);
         Render(8);
       }},
      {"peak reset", [&] { Click(440, 680); }},
      {"a quiet note",
       [&] {
         SetParameter(Volume, 0.001);
         ASSERT_EQ(host.noteOn(40, 1, 0), noErr);
         Render(4);
       }},
      {"distortion type NoizeFreak-Fuzz 3", values({{DistortionType, 26.0 / 34.0}})},
      {"distortion type Linear", values({{DistortionType, 0.0}})},
      {"oscillator waveforms", values({{OscWaveform1, 1.0}, {OscWaveform2, 20.0 / 35.0}, {OscWaveform3, 0.0}})},
      {"envelopes", values({{EnvAttack, 1.0}, {EnvDecay, 0.0}, {FilterAttack, 0.0}, {FilterRelease, 1.0}})},
      {"envelopes again", values({{EnvAttack, 0.0}, {EnvSustain, 0.0}, {FilterAttack, 1.0}, {FilterSustain, 1.0}})},
      {"filter and effects", values({{FilterMode1, 1.0},
                                     {FilterMode2, 0.5},
                                     {FilterType, 1.0 / 3.0},
                                     {Gate, 0.001},
                                     {SampleRate, 1.0},
                                     {BassAmount, 0.0},
                                     {DumpExpand, 0.0},
                                     {RingModulationWaveForm, 1.0}})},
      {"a long preset name", rename("A Hardcore Kick With A Long Name")},
      {"a short preset name", rename("Kick")},
      {"a preset the host chooses", [&] { ASSERT_EQ(host.selectPreset(26), noErr); }},
      {"the about tab", [&] { Click(550, 740); }},
      {"the synth tab", [&] { Click(460, 740); }},
  };
  EXPECT_EQ(DifferingFromAFullRedraw(), 0) << "opened";
  for (const auto& step : steps) {
    step.change();
    // Long enough for the idle pass to poll the level and host read-outs
    // and for the next tick to draw them.
    Tick(10);
    if (step.shot) WriteScreen(step.shot);
    EXPECT_EQ(DifferingFromAFullRedraw(), 0) << step.what;
  }
}

// While a host automates a parameter, something redraws at every tick, so
// the editor never goes idle: the note and a loaded waveform's curve must
// show all the same, within two ticks.
TEST_F(HostWindowTest, NoteAndLoadedCurveShowWithinTwoTicksWhileAHostAutomates) {
  int automated = 0;
  const auto automatingTick = [&] {
    SetParameter(Pan, (++automated % 10) / 10.0);
    Tick();
  };
  automatingTick();
  // The note read-out, under "Note Base Freq.".
  auto* note = Find<ITextControl>(528, 602);
  ASSERT_NE(note, nullptr);
  ASSERT_EQ(host.noteOn(57, 100, 0), noErr);
  Render(1);
  automatingTick();
  automatingTick();
  ASSERT_NE(plug->GetNoteInfoString(), "");
  EXPECT_EQ(std::string(note->GetTextString()), plug->GetNoteInfoString());
  EXPECT_FALSE(note->IsDirty());

  // User slots are shared by the process; put them back afterwards.
  const UserWaveformSnapshot keep;
  SetParameter(OscWaveform1, 1.0);
  Quillvane::WaveformProvider provider;
  auto* curve = Find<IQvCurve>(120, 100);
  ASSERT_NE(curve, nullptr);
  ASSERT_TRUE(plug->LoadWaveform("../engine/fixtures/waveforms/raw_full.raw"));
  Render(1);
  automatingTick();
  automatingTick();
  std::vector<double> expected(Thudrokka::kOscCurvePoints);
  provider.updateLoadedWaveform();
  provider.updateGUIData(1.0, false, expected.data(), Thudrokka::kOscCurvePoints);
  EXPECT_EQ(std::vector<double>(curve->GetValues(), curve->GetValues() + curve->NumValues()), expected);
  EXPECT_FALSE(curve->IsDirty());
  // Drawn as they are now.
  EXPECT_EQ(DifferingFromAFullRedraw(), 0);
}

}  // namespace
