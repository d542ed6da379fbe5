#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instrument/ThudrokkaButtons.h"
#include "tests/instrument/EditorFixtures.h"

namespace {

using gfxtest::ControlsFixture;
using standin::PromptRecord;
using namespace Quillvane::Synth;

constexpr int kTarget = 20;

// An arrow over parameter 20 of unit parameters, pressed with or without the
// R modifier from a value; the value it leaves.
struct ModeSwitchCase {
  int states;
  bool wrap;
  eQvSwitchDir dir;
  bool big;
  double from, to;
};

TEST_F(ControlsFixture, ModeSwitchesStepByOneOrTenAndStopOrWrapAtTheEnds) {
  const ModeSwitchCase cases[] = {
      {36, false, kQvSwitchUp, false, 35.0 / 35, 35.0 / 35},  {36, true, kQvSwitchUp, false, 35.0 / 35, 0.0},
      {36, false, kQvSwitchUp, false, 0.0, 1.0 / 35},         {36, false, kQvSwitchDown, true, 3.0 / 35, 0.0},
      {36, false, kQvSwitchDown, true, 20.0 / 35, 10.0 / 35}, {36, true, kQvSwitchDown, true, 3.0 / 35, 0.0},
      {36, false, kQvSwitchUp, true, 30.0 / 35, 1.0},         {36, true, kQvSwitchUp, true, 5.0 / 35, 15.0 / 35},
      {4, false, kQvSwitchUp, false, 0.34, 2.0 / 3},          {4, false, kQvSwitchDown, false, 0.34, 0.0},
      {5, false, kQvSwitchDown, false, 0.0, 0.0},             {5, true, kQvSwitchDown, false, 0.0, 1.0},
      {5, true, kQvSwitchDown, false, 0.1, 1.0},              {35, false, kQvSwitchDown, false, 1.0, 33.0 / 34},
      {1, true, kQvSwitchUp, false, 0.5, 0.5},                {0, true, kQvSwitchDown, true, 0.5, 0.5},
  };
  for (const auto& c : cases) {
    IBitmap arrow = Strip(20, 20, 2);
    IQvModeSwitch button(&plug, 0, 0, -1, kTarget, c.states, &arrow, c.wrap, c.dir);
    plug.GetParam(kTarget)->SetNormalized(c.from);
    plug.mInformedChanges.clear();
    IMouseMod mod(true, c.big);
    button.OnMouseDown(1, 1, &mod);
    const std::string label = std::to_string(c.states) + (c.wrap ? " wrapping" : "") +
                              (c.dir == kQvSwitchUp ? " up" : " down") + (c.big ? " by ten" : "") + " from " +
                              std::to_string(c.from);
    EXPECT_NEAR(plug.GetParam(kTarget)->Value(), c.to, 1e-12) << label;
    EXPECT_EQ(button.GetValue(), 1.0) << label;
    if (c.states >= 2) {
      ASSERT_EQ(plug.mInformedChanges.size(), 1u) << label;
      EXPECT_EQ(plug.mInformedChanges[0].idx, kTarget);
    } else {
      // Nothing to step: the host hears nothing of it.
      EXPECT_TRUE(plug.mInformedChanges.empty()) << label;
    }
  }
}

TEST_F(ControlsFixture, ModeSwitchLawsForAGivenValue) {
  IBitmap arrow = Strip(20, 20, 2);
  const IQvModeSwitch up(&plug, 0, 0, -1, kTarget, 36, &arrow, false, kQvSwitchUp);
  EXPECT_NEAR(up.getNextValue(20.0 / 35), 21.0 / 35, 1e-12);
  EXPECT_NEAR(up.getPrevValue(20.0 / 35), 19.0 / 35, 1e-12);
  EXPECT_NEAR(up.getNext10Value(20.0 / 35), 30.0 / 35, 1e-12);
  EXPECT_NEAR(up.getPrev10Value(20.0 / 35), 10.0 / 35, 1e-12);
  EXPECT_EQ(up.getPrevValue(0.0), 0.0);
  EXPECT_EQ(up.getNext10Value(0.9), 1.0);
}

TEST_F(ControlsFixture, AModeSwitchShowsItsPressedFrameOnlyWhileHeld) {
  IBitmap arrow = Strip(20, 20, 2);
  Attach(new IQvModeSwitch(&plug, 30, 30, -1, kTarget, 4, &arrow, false, kQvSwitchUp));
  plug.GetParam(kTarget)->SetNormalized(0.0);
  IMouseMod left(true);
  gui->OnMouseDown(35, 35, &left);
  Redraw();
  EXPECT_EQ(FrameAt(35, 35), 2);
  gui->OnMouseUp(35, 35, &left);
  Redraw();
  EXPECT_EQ(FrameAt(35, 35), 1);
  // A double click is one more press.
  gui->OnMouseDblClick(35, 35, &left);
  EXPECT_NEAR(plug.GetParam(kTarget)->Value(), 2.0 / 3, 1e-12);
  // Bound to no parameter: no gesture for the host.
  EXPECT_TRUE(plug.mBeginGestures.empty());
}

TEST_F(ControlsFixture, ClickSwitchesShowOnForAnyAmountAndToggleBetweenZeroAndOne) {
  const struct {
    int frames;
    double value;
    int frame;
  } looks[] = {{2, 0.0, 1}, {2, 0.3, 2}, {2, 0.05, 2}, {2, 1.0, 2}, {3, 0.3, 3}, {1, 0.7, 1}};
  for (const auto& look : looks) {
    IBitmap picture = Strip(48, 40, look.frames);
    IQvClickButton button(&plug, 10, 10, 61, &picture);
    button.SetValueFromPlug(look.value);
    DrawAlone(&button);
    EXPECT_EQ(FrameAt(30, 30), look.frame) << look.frames << " frames at " << look.value;
  }
  IBitmap picture = Strip(48, 40, 2);
  auto* button = Attach(new IQvClickButton(&plug, 10, 10, 61, &picture));
  EXPECT_EQ(*button->GetRECT(), IRECT(10, 10, 58, 50));
  button->SetValueFromPlug(0.3);
  for (double expected : {0.0, 1.0, 0.0}) {
    Click(20, 20);
    EXPECT_EQ(plug.GetParam(61)->Value(), expected);
  }
}

// ---- Buttons that call the instrument.

// The instrument's own tab buttons: (427, 722) the synth tab, (512, 722) the
// about tab, 85 x 25 each.
TEST_F(ProbeEditorTest, TabButtonsShowTheirTabAndLeaveOnlyThemselvesActive) {
  IGraphics* editor = plug.mEditor;
  IQvTabButton* synth = plug.mSynthTabButton;
  IQvTabButton* about = plug.mAboutTabButton;
  ASSERT_TRUE(synth && about);
  ASSERT_FALSE(plug.mSynthTabControls.empty());
  ASSERT_FALSE(plug.mAboutTabControls.empty());
  auto hiddenCount = [&](const std::vector<int>& list) {
    int hidden = 0;
    for (int idx : list) hidden += editor->GetControl(idx)->IsHidden() ? 1 : 0;
    return hidden;
  };
  const int synthCount = static_cast<int>(plug.mSynthTabControls.size());
  const int aboutCount = static_cast<int>(plug.mAboutTabControls.size());
  auto click = [&](int x, int y) {
    IMouseMod left(true);
    editor->OnMouseDown(x, y, &left);
    editor->OnMouseUp(x, y, &left);
  };

  click(550, 740);
  EXPECT_EQ(hiddenCount(plug.mSynthTabControls), synthCount);
  EXPECT_EQ(hiddenCount(plug.mAboutTabControls), 0);
  EXPECT_FALSE(plug.IsSynthTabShown());
  EXPECT_EQ(synth->GetValue(), 0.0);
  EXPECT_EQ(about->GetValue(), 1.0);
  // Both buttons stay on the screen, and a second click changes nothing.
  EXPECT_FALSE(synth->IsHidden() || about->IsHidden());
  click(550, 740);
  EXPECT_EQ(about->GetValue(), 1.0);
  EXPECT_EQ(synth->GetValue(), 0.0);

  click(460, 740);
  EXPECT_EQ(hiddenCount(plug.mSynthTabControls), 0);
  EXPECT_EQ(hiddenCount(plug.mAboutTabControls), aboutCount);
  EXPECT_TRUE(plug.IsSynthTabShown());
  EXPECT_EQ(synth->GetValue(), 1.0);
  EXPECT_EQ(about->GetValue(), 0.0);

  // Called from elsewhere than its button, a tab still leaves one button active.
  plug.OnAboutTab();
  EXPECT_EQ(synth->GetValue(), 0.0);
  EXPECT_EQ(about->GetValue(), 1.0);
  plug.OnSynthTab();
  EXPECT_EQ(synth->GetValue(), 1.0);
  EXPECT_EQ(about->GetValue(), 0.0);
}

TEST_F(ProbeEditorTest, TheSyncButtonDoublesTheMultiplierUpTo32AndSetsTheRingFrequency) {
  plug.prepare(44100.0, 256);
  IMidiMsg note;
  note.MakeNoteOnMsg(45, 100, 0);
  plug.ProcessMidiMsg(&note);
  Render(1);
  // Note 45 sounds an octave above the usual 110 Hz here.
  ASSERT_NEAR(plug.getLastNoteFrequency(), 220.0, 1e-9);
  IBitmap picture = Strip(48, 40, 2);
  auto* sync = Attach(new IQvSyncButton(&plug, 10, 10, -1, &picture));
  const struct {
    double multiplier, frequency;
  } presses[] = {{2, 0.11}, {4, 0.22}, {8, 0.44}, {16, 0.88}, {32, 1.0}, {1, 0.055}, {2, 0.11}};
  for (const auto& press : presses) {
    IMouseMod left(true);
    gui->OnMouseDown(20, 20, &left);
    EXPECT_EQ(sync->GetValue(), 1.0);
    EXPECT_EQ(sync->GetMultiplier(), press.multiplier);
    EXPECT_NEAR(plug.GetParam(RingModulationFrequency)->Value(), press.frequency, 1e-12) << press.multiplier;
    gui->OnMouseUp(20, 20, &left);
    EXPECT_EQ(sync->GetValue(), 0.0);
  }
  sync->SetActive(true);
  EXPECT_EQ(sync->GetValue(), 1.0);
}

TEST_F(ProbeEditorTest, TheResetButtonClearsThePeaksWithTheNextBlock) {
  plug.prepare(44100.0, 256);
  IMidiMsg note;
  note.MakeNoteOnMsg(45, 127, 0);
  plug.ProcessMidiMsg(&note);
  Render(20);
  ASSERT_GT(plug.GetMaxSampleValue(), 0.0);
  IBitmap picture = Strip(48, 40, 2);
  auto* reset = Attach(new IQvResetButton(&plug, 10, 10, -1, &picture));
  IMouseMod left(true);
  gui->OnMouseDown(20, 20, &left);
  EXPECT_EQ(reset->GetValue(), 1.0);
  gui->OnMouseUp(20, 20, &left);
  EXPECT_EQ(reset->GetValue(), 0.0);
  EXPECT_GT(plug.GetMaxSampleValue(), 0.0);
  Render(1);
  EXPECT_EQ(plug.GetMaxSampleValue(), 0.0);
}

TEST_F(ProbeEditorTest, ThePlayButtonStartsTheNoteAndItsReleaseDoesNotStopIt) {
  IBitmap picture = Strip(48, 40, 2);
  Attach(new IQvPlayButton(&plug, 10, 10, -1, &picture));
  Attach(new IQvRenderButton(&plug, 100, 10, -1, &picture));
  plug.prepare(44100.0, 256);
  Click(20, 20);
  Render(4);
  // Note 48, an octave above the usual 130.8 Hz.
  EXPECT_NEAR(plug.getLastNoteFrequency(), 261.6255653005986, 1e-6);
  double energy = 0.0;
  Render(20);
  for (double s : lastLeft) energy += s * s;
  EXPECT_GT(energy, 0.0);
  // The render button asks for something the instrument does not do.
  std::vector<double> before;
  for (int p = 0; p < kNumParameters; ++p) before.push_back(plug.GetParam(p)->Value());
  IMouseMod left(true);
  gui->OnMouseDown(110, 20, &left);
  EXPECT_EQ(gui->GetControl(2)->GetValue(), 1.0);
  gui->OnMouseUp(110, 20, &left);
  EXPECT_EQ(gui->GetControl(2)->GetValue(), 0.0);
  for (int p = 0; p < kNumParameters; ++p) EXPECT_EQ(plug.GetParam(p)->Value(), before[static_cast<size_t>(p)]);
}

TEST_F(HostedEditorTest, LinkButtonsTryTheirBackupAddressThroughTheEditorHost) {
  // The link buttons are on the about tab.
  Click(550, 740);
  auto* link = Find<IQvUrlButton>(800, 660);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(std::string(link->GetURL()), "https://" + std::string(link->GetBackupURL()));
  standin::AnswerOpenURL(false);
  standin::AnswerOpenURL(true);
  Click(800, 660);
  ASSERT_EQ(standin::Prompts().size(), 2u);
  EXPECT_EQ(standin::Prompts()[0].kind, PromptRecord::kOpenURL);
  EXPECT_EQ(standin::Prompts()[0].title, link->GetURL());
  EXPECT_EQ(standin::Prompts()[0].answer, "");
  // Without "http" the backup is opened as a file path.
  EXPECT_EQ(standin::Prompts()[1].title.rfind("file://", 0), 0u);
  EXPECT_NE(standin::Prompts()[1].title.find(link->GetBackupURL()), std::string::npos);
  EXPECT_EQ(standin::Prompts()[1].answer, "opened");
  EXPECT_EQ(link->GetValue(), 0.0);

  standin::AnswerOpenURL(true);
  Click(800, 660);
  EXPECT_EQ(standin::Prompts().size(), 3u);

  IBitmap icon;
  const std::string longText(300, 'e');
  IQvUrlButton cut(plug, 0, 0, -1, &icon, longText.c_str(), "", longText.c_str());
  EXPECT_EQ(std::string(cut.GetURL()), longText.substr(0, 255));
  EXPECT_EQ(std::string(cut.GetErrMsg()), longText.substr(0, 255));
  EXPECT_STREQ(cut.GetBackupURL(), "");
}

}  // namespace
