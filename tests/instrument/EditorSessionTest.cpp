// A person at the instrument's editor, opened by a host as hosts open it:
// mouse events through the host's window, the editor's timer on the run
// loop, menus and file panels answered from the user script. What the host's
// listeners hear, the parameter values and the read-outs follow each step.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <typeinfo>
#include <vector>

#include "graphics/KnobControls.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"
#include "platform/standin/AudioUnitUtilities.h"
#include "platform/standin/NSEvent.h"
#include "platform/standin/RunLoop.h"
#include "tests/instrument/EditorFixtures.h"
#include "tests/support/TempDirectory.h"

namespace {

using namespace Quillvane::Synth;
using standin::PromptRecord;

constexpr double kTimerPeriod = 0.04;

void Hear(void* log, const AudioUnitEvent& event) {
  static const char* const kinds[] = {"change", "begin", "end"};
  static_cast<std::vector<std::string>*>(log)->push_back(std::string(kinds[event.mEventType % 3]) + " " +
                                                         std::to_string(event.mArgument.mParameter.mParameterID));
}

struct EditorSession : HostedEditorTest {
  void SetUp() override {
    HostedEditorTest::SetUp();
    standin::AddAUEventSink(Hear, &heard);
    Tick();
  }
  void TearDown() override {
    standin::RemoveAUEventSink(Hear, &heard);
    HostedEditorTest::TearDown();
  }

  // Editor pixels as the window's base coordinates of a view at its corner.
  void Mouse(NSEventType type, int x, int y) {
    NSEvent e = NSEvent::mouseEventWithType(type, NSPoint{x + 2.0, 760 - 3.0 - y}, 0, window->windowNumber(), 1);
    window->sendEvent(&e);
  }
  void Press(int x, int y) {
    Mouse(NSLeftMouseDown, x, y);
    Mouse(NSLeftMouseUp, x, y);
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) standin::RunLoopAdvance(kTimerPeriod);
  }
  // What the host heard since the last call.
  std::vector<std::string> Heard() {
    std::vector<std::string> since;
    since.swap(heard);
    return since;
  }
  // The read-out text whose rectangle holds (x, y).
  std::string TextAt(int x, int y) {
    for (int i = 0; i < gui->NControls(); ++i) {
      IControl* c = gui->GetControl(i);
      if (typeid(*c) == typeid(ITextControl) && c->GetRECT()->ContainsPoint(x, y)) {
        return static_cast<ITextControl*>(c)->GetTextString();
      }
    }
    return "(no text)";
  }
  std::string Text(ITextControl* text) { return text ? text->GetTextString() : "(no control)"; }
  double Value(int p) { return plug->GetParam(p)->Value(); }

  std::vector<std::string> heard;
};

std::string WaveformText(double w) {
  char text[64];
  std::snprintf(text, sizeof(text), "%02d: %s", Quillvane::WaveformProvider::getWaveformIndex(w) + 1,
                Quillvane::WaveformProvider::getWaveformText(w));
  return text;
}

TEST_F(EditorSession, KnobsArrowsModesPresetsTabsAndAProgramFile) {
  // Where the read-outs are: oscillator 1's waveform name, the filter's
  // first mode and the equaliser's bass gain.
  const int waveformName[] = {90, 125}, filterMode[] = {490, 320}, bassGain[] = {740, 600};
  auto* volumeCaption = Find<IQvCaptionControl>(450, 184);
  ASSERT_NE(volumeCaption, nullptr);
  ASSERT_EQ(volumeCaption->ParamIdx(), OscVolume1);
  ASSERT_EQ(Value(OscVolume1), 1.0);

  // Oscillator 1's volume knob at (433, 146), 30 pixels high, dragged down
  // by 10 and 5 pixels: each pixel moves it by 1 / 30 / 4.
  Mouse(NSLeftMouseDown, 448, 161);
  Mouse(NSLeftMouseDragged, 448, 171);
  Mouse(NSLeftMouseDragged, 448, 176);
  Mouse(NSLeftMouseUp, 448, 176);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"begin 3", "change 3", "change 3", "end 3"}));
  EXPECT_NEAR(Value(OscVolume1), 1.0 - 15.0 / 120.0, 1e-12);
  AudioUnitParameterValue hostValue = 0.0f;
  ASSERT_EQ(host.session().GetParameter(OscVolume1, &hostValue), noErr);
  EXPECT_FLOAT_EQ(hostValue, 0.875f);
  Tick();
  EXPECT_EQ(Text(volumeCaption), "-1.2dB");

  // The waveform arrows: the lower one (173, 100) steps up twice, the upper
  // one (173, 81) down once. Bound to no parameter, they set the waveform
  // without a gesture.
  Press(183, 110);
  Press(183, 110);
  Press(183, 91);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"change 1", "change 1", "change 1"}));
  EXPECT_NEAR(Value(OscWaveform1), 1.0 / 35.0, 1e-12);
  EXPECT_EQ(TextAt(waveformName[0], waveformName[1]), "02: Sawtooth");

  // The filter's first mode switch at (491, 289) steps RBJ-LP to RBJ-HP.
  Press(500, 295);
  EXPECT_EQ(Heard(), (std::vector<std::string>{"change 89"}));
  EXPECT_NEAR(Value(FilterMode1), 1.0 / 3.0, 1e-12);
  EXPECT_EQ(TextAt(filterMode[0], filterMode[1]), "RBJ-HP");

  // A preset chosen from the menu: the host hears of the program and of
  // every parameter.
  const std::vector<standin::HostSession::Preset> presets = host.presets();
  ASSERT_EQ(presets.size(), 128u);
  standin::AnswerMenu({"10: " + presets[9].name});
  Press(510, 500);
  EXPECT_EQ(plug->GetCurrentPresetIdx(), 9);
  EXPECT_EQ(programChanges, 1);
  const std::vector<std::string> afterPreset = Heard();
  EXPECT_EQ(afterPreset.size(), 105u);
  EXPECT_EQ(afterPreset.front(), "change 0");
  ThudrokkaProbe reference;
  ASSERT_TRUE(reference.RestorePreset(9));
  for (int p = 0; p < kNumParameters; ++p) EXPECT_EQ(Value(p), reference.GetParam(p)->Value()) << p;
  EXPECT_EQ(TextAt(waveformName[0], waveformName[1]), WaveformText(Value(OscWaveform1)));
  EXPECT_EQ(TextAt(filterMode[0], filterMode[1]), Quillvane::FilterUti::getFilterMode1Text(Value(FilterMode1)));

  // The about tab and back.
  auto* volumeKnob = Find<IKnobMultiControl>(440, 150);
  ASSERT_NE(volumeKnob, nullptr);
  Press(550, 740);
  Tick();
  EXPECT_TRUE(volumeKnob->IsHidden());
  ASSERT_NE(Find<IQvUrlButton>(800, 660), nullptr);
  EXPECT_FALSE(Find<IQvUrlButton>(800, 660)->IsHidden());
  EXPECT_FALSE(plug->IsSynthTabShown());
  Press(460, 740);
  Tick();
  EXPECT_FALSE(volumeKnob->IsHidden());
  EXPECT_TRUE(plug->IsSynthTabShown());
  EXPECT_TRUE(Heard().empty());

  // A program file, written by another instance, through the load button
  // at (707, 488).
  const testsupport::TempDirectory folder;
  const std::string path = folder.path("session.qv");
  {
    ThudrokkaProbe source;
    source.set(OscWaveform1, 2.0 / 35.0);
    source.set(OscVolume1, 0.5);
    source.set(BassAmount, 0.75);
    source.set(FilterMode1, 1.0);
    source.ModifyCurrentPreset("Session Kick");
    ASSERT_TRUE(source.SaveProgramAsQV(path.c_str()));
  }
  standin::AnswerFilePanel(path);
  Press(720, 495);
  ASSERT_NE(LastPrompt(), nullptr);
  EXPECT_EQ(LastPrompt()->kind, PromptRecord::kOpenPanel);
  EXPECT_EQ(LastPrompt()->choices, (std::vector<std::string>{"qv", "bgp"}));
  EXPECT_NEAR(Value(OscWaveform1), 2.0 / 35.0, 1e-12);
  EXPECT_EQ(Value(OscVolume1), 0.5);
  EXPECT_EQ(Value(BassAmount), 0.75);
  EXPECT_EQ(Value(FilterMode1), 1.0);
  EXPECT_STREQ(plug->GetPresetName(9), "Session Kick");
  const std::vector<std::string> afterLoad = Heard();
  for (const char* changed : {"change 1", "change 3", "change 72", "change 89"}) {
    EXPECT_NE(std::find(afterLoad.begin(), afterLoad.end(), changed), afterLoad.end()) << changed;
  }
  Tick();
  EXPECT_EQ(TextAt(waveformName[0], waveformName[1]), "03: Pulse");
  EXPECT_EQ(TextAt(bassGain[0], bassGain[1]), "12.0dB");
  EXPECT_EQ(TextAt(filterMode[0], filterMode[1]), "RBJ-BS");
  EXPECT_EQ(Text(volumeCaption), "-6.0dB");
}

}  // namespace
