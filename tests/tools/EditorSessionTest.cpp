// The editor tool's session: the instrument's editor opened through its view
// factory in a window, played by scripts. The tests place controls of their
// own on top of the instrument's, so they hold whichever sections exist.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaPresetControls.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/PNG.h"
#include "platform/mac/IGraphicsCocoa.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/AudioUnitUtilities.h"
#include "platform/standin/UserScript.h"
#include "tests/platform/ViewTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/PngWriter.h"
#include "tests/support/TempDirectory.h"
#include "tools/thudrokka/ControlDump.h"
#include "tools/thudrokka/EditorScript.h"
#include "tools/thudrokka/EditorScriptRunner.h"
#include "tools/thudrokka/EditorSession.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using testsupport::readFile;
using testsupport::TempDirectory;
using viewtest::RecordingControl;

// What the host's listeners hear.
struct Heard {
  AudioUnitEventType type;
  AudioUnitParameterID parameter;
  bool operator==(const Heard& o) const { return type == o.type && parameter == o.parameter; }
};

void Listen(void* heard, const AudioUnitEvent& event) {
  static_cast<std::vector<Heard>*>(heard)->push_back({event.mEventType, event.mArgument.mParameter.mParameterID});
}

// Pixels of a shot that differ from the back buffer; -1 when the shot is
// not a picture of the editor's size.
int ShotDifferences(const std::string& path, IGraphicsMac* gui) {
  std::unique_ptr<LICE_IBitmap> shot(LICE_LoadPNG(path.c_str(), nullptr));
  LICE_SysBitmap* back = gui->GetDrawBitmap();
  if (!shot || shot->getWidth() != gui->Width() || shot->getHeight() != gui->Height()) return -1;
  int differing = 0;
  for (int y = 0; y < gui->Height(); ++y) {
    for (int x = 0; x < gui->Width(); ++x) {
      const LICE_pixel a = shot->getBits()[y * shot->getRowSpan() + x];
      const LICE_pixel b = back->getBits()[y * back->getRowSpan() + x];
      differing += LICE_PixelRed(a) != LICE_PixelRed(b) || LICE_PixelGreen(a) != LICE_PixelGreen(b) ||
                   LICE_PixelBlue(a) != LICE_PixelBlue(b);
    }
  }
  return differing;
}

struct EditorSessionTest : testing::Test {
  void SetUp() override {
    standin::ResetUserScript();
    standin::AddAUEventSink(Listen, &heard);
    ASSERT_EQ(host.open(44100.0, 512), noErr);
    plug = host.instrument();
    std::string error;
    ASSERT_TRUE(session.open(&error)) << error;
    gui = session.editor();
    ASSERT_NE(gui, nullptr);
  }
  void TearDown() override { standin::RemoveAUEventSink(Listen, &heard); }

  template <class Control>
  Control* Attach(Control* c) {
    gui->AttachControl(c);
    return c;
  }

  // Plays the script's lines; false, with error set, as the tool fails.
  bool Play(const std::string& lines, std::string* error = nullptr) {
    const std::string path = dir.path("script.txt");
    std::ofstream(path, std::ios::binary) << lines;
    EditorScript script;
    std::string failure;
    const EditorScriptLimits limits = {gui->Width(), gui->Height(), plug->NParams()};
    const bool ok = readEditorScript(path, limits, &script, &failure) &&
                    runEditorScript(
                        host, session, script, [this](const std::string& line) { told.push_back(line); }, &failure,
                        &unused);
    if (error) *error = failure;
    EXPECT_TRUE(ok || error) << failure;
    return ok;
  }

  float HostValue(int p) {
    AudioUnitParameterValue value = -1.0f;
    EXPECT_EQ(host.session().GetParameter(static_cast<AudioUnitParameterID>(p), &value), noErr);
    return value;
  }

  TempDirectory dir;
  std::vector<Heard> heard;
  InstrumentHost host;
  EditorSession session{host};
  Thudrokka* plug = nullptr;
  IGraphicsMac* gui = nullptr;
  int unused = 0;
  // The lines of the message boxes the editor showed, in order.
  std::vector<std::string> told;
};

TEST_F(EditorSessionTest, TheViewTheFactoryMadeShowsTheEditorInItsWindow) {
  IGraphicsCocoa_vThudrokka_au* view = session.view();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->mGraphics, gui);
  EXPECT_EQ(gui->GetWindow(), view);
  EXPECT_EQ(view->window(), session.window());
  EXPECT_EQ(session.window()->firstResponder(), view);
  EXPECT_EQ(session.window()->frame().size.width, 1024);
  EXPECT_EQ(session.window()->frame().size.height, 760);
}

// Events made at editor pixels reach the editor at those pixels, with the
// button and keys of the script; drags and the release keep the press's.
TEST_F(EditorSessionTest, EventsReachTheEditorAtTheirPixelsWithTheirKeys) {
  auto* control = Attach(new RecordingControl(plug, IRECT(0, 0, 1024, 760)));
  ASSERT_TRUE(Play("down 0 0\n"
                   "drag 15 25\n"
                   "up 15 25\n"
                   "down 100 200 R S\n"
                   "drag 101 201\n"
                   "up 101 201\n"
                   "down 5 6 C A S\n"
                   "up 1021 757\n"
                   "dbl 30 40\n"
                   "up 30 40\n"
                   "wheel 50 60 -3 C\n"
                   "wheel 51 61 2\n"
                   "key a\nkey Z\nkey 7\nkey space\nkey up\nkey down\nkey left\nkey right\n"));
  const struct {
    const char* kind;
    int x, y;
    IMouseMod mod;
    int value;
  } expected[] = {
      {"down", 0, 0, IMouseMod(true), 0},
      {"drag", 15, 25, IMouseMod(true), 0},
      {"up", 15, 25, IMouseMod(true), 0},
      {"down", 100, 200, IMouseMod(false, true, true), 0},
      {"drag", 101, 201, IMouseMod(false, true, true), 0},
      {"up", 101, 201, IMouseMod(false, true, true), 0},
      {"down", 5, 6, IMouseMod(true, false, true, true, true), 0},
      {"up", 1021, 757, IMouseMod(true, false, true, true, true), 0},
      {"dblclick", 30, 40, IMouseMod(true), 0},
      {"up", 30, 40, IMouseMod(true), 0},
      {"wheel", 50, 60, IMouseMod(true, false, false, true), -3},
      {"wheel", 51, 61, IMouseMod(true), 2},
      {"key", 51, 61, IMouseMod(), KEY_ALPHA_A},
      {"key", 51, 61, IMouseMod(), KEY_ALPHA_Z},
      {"key", 51, 61, IMouseMod(), KEY_DIGIT_0 + 7},
      {"key", 51, 61, IMouseMod(), KEY_SPACE},
      {"key", 51, 61, IMouseMod(), KEY_UPARROW},
      {"key", 51, 61, IMouseMod(), KEY_DOWNARROW},
      {"key", 51, 61, IMouseMod(), KEY_LEFTARROW},
      {"key", 51, 61, IMouseMod(), KEY_RIGHTARROW},
  };
  ASSERT_EQ(control->calls.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const viewtest::Call& call = control->calls[i];
    const auto& e = expected[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(call.kind, e.kind);
    EXPECT_EQ(call.x, e.x);
    EXPECT_EQ(call.y, e.y);
    EXPECT_EQ(call.value, e.value);
    if (call.kind == "key") continue;
    EXPECT_EQ(call.mod.L, e.mod.L);
    EXPECT_EQ(call.mod.R, e.mod.R);
    EXPECT_EQ(call.mod.S, e.mod.S);
    EXPECT_EQ(call.mod.C, e.mod.C);
    EXPECT_EQ(call.mod.A, e.mod.A);
  }
  EXPECT_FALSE(session.buttonHeld());
  EXPECT_EQ(unused, 0);
}

// A shot is the window's screen, which holds the back buffer once the
// editor's timer has drawn it, and not before.
TEST_F(EditorSessionTest, ShotsAreTheScreenThatTheTimerDraws) {
  IBitmap image = gui->LoadIBitmap(1009, "resources/img/quillvane/knobs/QV_Osc_Volume_Knob_30px.png", 128);
  auto* knob = Attach(new IKnobMultiControl(plug, 200, 100, 3, &image));
  const std::string first = dir.path("first.png"), stale = dir.path("stale.png"), turned = dir.path("turned.png");
  ASSERT_TRUE(Play("param 3 0.25\n"
                   "tick\n"
                   "shot " + first + "\n"
                   "down 215 115\n"
                   "drag 215 95\n"
                   "drag 216 60\n"
                   "up 216 60\n"
                   "shot " + stale + "\n"
                   "tick\n"
                   "shot " + turned + "\n"));
  EXPECT_GT(HostValue(3), 0.25f);
  EXPECT_FLOAT_EQ(knob->GetValue(), HostValue(3));
  const std::vector<Heard> gesture = {{kAudioUnitEvent_BeginParameterChangeGesture, 3},
                                      {kAudioUnitEvent_ParameterValueChange, 3},
                                      {kAudioUnitEvent_ParameterValueChange, 3},
                                      {kAudioUnitEvent_EndParameterChangeGesture, 3}};
  EXPECT_EQ(heard, gesture);

  EXPECT_EQ(ShotDifferences(turned, gui), 0);
  EXPECT_EQ(readFile(stale), readFile(first)) << "the screen waits for the timer";
  EXPECT_NE(readFile(turned), readFile(first));
  EXPECT_GT(ShotDifferences(first, gui), 0);
  EXPECT_LE(ShotDifferences(first, gui), 30 * 30) << "only the knob changed";

  const std::string picture = testsupport::outputPath("editor-tool-knob-turned.png");
  std::string error;
  ASSERT_TRUE(session.writeShot(picture, &error)) << error;
  std::printf("editor tool shot: %s\n", picture.c_str());
}

TEST_F(EditorSessionTest, AHostsChangeShowsAtTheNextTick) {
  IBitmap image = gui->LoadIBitmap(1009, "resources/img/quillvane/knobs/QV_Osc_Volume_Knob_30px.png", 128);
  auto* knob = Attach(new IKnobMultiControl(plug, 200, 100, 7, &image));
  const std::string shot = dir.path("host.png");
  ASSERT_TRUE(Play("param 7 0.875\ntick\nshot " + shot + "\n"));
  EXPECT_FLOAT_EQ(HostValue(7), 0.875f);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.875);
  EXPECT_EQ(ShotDifferences(shot, gui), 0);
  EXPECT_TRUE(heard.empty()) << "the host's own change comes back to no listener";
}

// The typed text arrives once the mouse is let go, as a person types it:
// after the gesture that opened the field has ended. Characters the field
// refuses stay out.
TEST_F(EditorSessionTest, ATextEntryTakesTheScriptsTextAfterTheRelease) {
  IText style;
  auto* caption = Attach(new ICaptionControl(plug, IRECT(300, 300, 360, 316), 3, &style));
  caption->DisablePrompt(false);
  ASSERT_TRUE(Play("text 0.25x\n"
                   "down 310 305\n"
                   "up 310 305\n"
                   "text 0.5\n"));
  EXPECT_FALSE(session.textFieldOpen());
  EXPECT_FLOAT_EQ(HostValue(3), 0.25f);
  const std::vector<Heard> expected = {{kAudioUnitEvent_BeginParameterChangeGesture, 3},
                                       {kAudioUnitEvent_EndParameterChangeGesture, 3},
                                       {kAudioUnitEvent_ParameterValueChange, 3}};
  EXPECT_EQ(heard, expected);
  EXPECT_EQ(unused, 1) << "the second text found no field";
}

TEST_F(EditorSessionTest, TheScriptChoosesFromMenusAndNamesPresets) {
  Attach(new IQvPresetMenu(plug, IRECT(500, 492, 682, 508), nullptr, COLOR_BLACK));
  const std::string name = plug->GetPresetName(7);
  ASSERT_TRUE(Play("menu 7\n"
                   "down 510 500\n"
                   "up 510 500\n"));
  EXPECT_EQ(plug->GetCurrentPresetIdx(), 7);
  standin::HostSession::Preset current{-1, ""};
  ASSERT_EQ(host.session().GetCurrentPreset(&current), noErr);
  EXPECT_EQ(current.number, 7);
  ASSERT_FALSE(standin::Prompts().empty());
  EXPECT_EQ(standin::Prompts().back().answer, "08: " + name);

  ASSERT_TRUE(Play("text Kick  \xC3\xBC\n"
                   "down 510 500 R\n"
                   "up 510 500\n"));
  EXPECT_STREQ(plug->GetPresetName(7), "Kick  \xC3\xBC");
  EXPECT_EQ(unused, 0);
}

TEST_F(EditorSessionTest, TheScriptAnswersFilePanels) {
  IBitmap image = gui->LoadIBitmap(1307, "resources/img/quillvane/buttons/load_on_off_48x40.png", 2);
  Attach(new IQvFileSelector(plug, IRECT(600, 600, &image), -1, &image, kFileOpen, "", "qv bgp"));
  const std::string program = dir.path("five.qvp");
  ASSERT_EQ(host.selectPreset(5), noErr);
  ASSERT_TRUE(plug->SaveProgramAsQV(program.c_str()));
  std::vector<float> five;
  for (int p = 0; p < plug->NParams(); ++p) five.push_back(HostValue(p));
  ASSERT_EQ(host.selectPreset(0), noErr);
  const float first = HostValue(0);

  ASSERT_TRUE(Play("file\ndown 610 610\nup 610 610\n"));
  EXPECT_EQ(HostValue(0), first) << "a cancelled panel loads nothing";
  ASSERT_TRUE(Play("file " + program + "\ndown 610 610\nup 610 610\n"));
  for (int p = 0; p < plug->NParams(); ++p) EXPECT_NEAR(HostValue(p), five[static_cast<size_t>(p)], 1e-5) << p;
  EXPECT_EQ(standin::Prompts().back().answer, program);
}

// No one sees the message box that the editor shows: each of its lines is
// told as it is shown, after the action that showed it.
TEST_F(EditorSessionTest, WhatAMessageBoxSaysIsTold) {
  const std::string missing = dir.path("missing.qvp"), cut = dir.path("cut.qvp");
  std::ofstream(cut) << "Name = Cut;\nOsc1OnOff = 1;\n";
  ASSERT_TRUE(Play("file " + missing + "\ndown 710 490\nup 710 490\nfile " + cut + "\ndown 710 490\n"));
  EXPECT_EQ(told, (std::vector<std::string>{
                      "cannot read program file '" + missing + "': No such file or directory",
                      cut + ":3: the file ends before OscWaveform1 and the 103 settings after it",
                  }));
}

// The texts that a control dump shows, by control.
std::vector<std::string> ShownTexts(const std::string& dump) {
  std::vector<std::string> texts;
  for (const std::string& line : testsupport::split(dump)) {
    const std::vector<std::string> fields = testsupport::split(line, '\t');
    texts.push_back(fields.size() == 8 ? fields[5] : "");
  }
  return texts;
}

// The loudest sample of the next seconds the host renders.
float Loudest(InstrumentHost& host, double seconds) {
  std::vector<float> left(static_cast<size_t>(host.blockSize())), right(left.size());
  float loudest = 0.0f;
  for (int64_t done = 0; done < std::llround(seconds * 44100.0); done += host.blockSize()) {
    EXPECT_EQ(host.render(host.blockSize(), left.data(), right.data()), noErr);
    for (size_t i = 0; i < left.size(); ++i) loudest = std::max({loudest, std::fabs(left[i]), std::fabs(right[i])});
  }
  return loudest;
}

// The host plays a note as it does: note on through the unit's MIDI entry,
// whole blocks rendered while it is held, the note off inside the block where
// it ends. The editor shows the note and the level at its next tick.
TEST_F(EditorSessionTest, ANoteTheHostPlaysShowsAtTheNextTick) {
  // A preset whose notes hold at full level until released, then fade in
  // about two and a half seconds.
  ASSERT_EQ(host.selectPreset(80), noErr);
  const auto texts = [&] { return ShownTexts(controlDumpText(*gui, {}, {})); };
  const std::vector<std::string> waiting = texts();
  const auto index = [&](const std::string& text) {
    return static_cast<int>(std::find(waiting.begin(), waiting.end(), text) - waiting.begin());
  };
  const int note = index("0.0 Hz (-)"), level = index("MAX LEVEL: -oo dB");
  ASSERT_LT(note, gui->NControls());
  ASSERT_LT(level, gui->NControls());

  ASSERT_TRUE(Play("note 69 100 0.5\n"));
  // 22050 frames held end in the 44th block of 512.
  EXPECT_EQ(host.session().SampleTime(), 44 * 512.0);
  EXPECT_EQ(texts(), waiting) << "the read-outs wait for the timer";
  // The note's read-out shows at the next tick, its frequency without the
  // semitone that the oscillators add; the level meter once the editor idles.
  ASSERT_TRUE(Play("tick\n"));
  EXPECT_EQ(texts()[size_t(note)], "880.0Hz [A5]");
  EXPECT_FALSE(gui->GetControl(note)->IsDirty());
  const std::string shot = dir.path("note.png");
  ASSERT_TRUE(Play("tick 10\nshot " + shot + "\n"));
  const std::string shown = texts()[size_t(level)];
  EXPECT_EQ(shown.substr(0, 11), "MAX LEVEL: ");
  EXPECT_NE(shown, "MAX LEVEL: -oo dB");
  EXPECT_FALSE(gui->GetControl(level)->IsDirty());
  EXPECT_EQ(ShotDifferences(shot, gui), 0);
  EXPECT_GT(Loudest(host, 3.0), 1e-3) << "the release sounds";
  EXPECT_LT(Loudest(host, 0.5), 1e-4) << "and ends: the note was let go";

  const std::string picture = testsupport::outputPath("editor-tool-note-played.png");
  std::string error;
  ASSERT_TRUE(session.writeShot(picture, &error)) << error;
  std::printf("editor tool shot: %s\n", picture.c_str());
}

TEST_F(EditorSessionTest, TheDumpListsEveryControlWithWhatItShows) {
  IText style;
  Attach(new ITextControl(plug, IRECT(10, 20, 70, 52), &style, "Unison\nVoices"));
  IBitmap image = gui->LoadIBitmap(1009, "resources/img/quillvane/knobs/QV_Osc_Volume_Knob_30px.png", 128);
  Attach(new IKnobMultiControl(plug, 200, 100, 7, &image))->SetValueFromPlug(0.125);
  Attach(new ITextControl(plug, IRECT(1, 2, 3, 4), &style, "gone"))->Hide(true);
  const int n = gui->NControls();
  std::vector<int> synth = plug->GetSynthTabControls(), about = plug->GetAboutTabControls();
  synth.push_back(n - 3);
  about.push_back(n - 2);

  const std::vector<std::string> lines = testsupport::split(controlDumpText(*gui, synth, about));
  ASSERT_EQ(lines.size(), static_cast<size_t>(n));
  EXPECT_EQ(lines[0], "0\tIBitmapControl\t0 0 1024 760\t-1\t0.000000\t\tnone\tshown");
  EXPECT_EQ(lines[1], "1\tIBitmapControl\t52 35 972 725\t-1\t0.000000\t\tsynth\tshown");
  const std::string last = std::to_string(n - 1), middle = std::to_string(n - 2), title = std::to_string(n - 3);
  EXPECT_EQ(lines[n - 3], title + "\tITextControl\t10 20 70 52\t-1\t0.000000\tUnison?Voices\tsynth\tshown");
  EXPECT_EQ(lines[n - 2], middle + "\tIKnobMultiControl\t200 100 230 130\t7\t0.125000\t\tabout\tshown");
  EXPECT_EQ(lines[n - 1], last + "\tITextControl\t1 2 3 4\t-1\t0.000000\tgone\tnone\thidden");
  for (int i = 0; i < n; ++i) {
    const std::vector<std::string> fields = testsupport::split(lines[static_cast<size_t>(i)], '\t');
    EXPECT_EQ(fields.size(), 8u) << lines[static_cast<size_t>(i)];
    EXPECT_EQ(fields[0], std::to_string(i));
  }

  const std::string path = dir.path("controls.txt");
  ASSERT_TRUE(Play("dump " + path + "\n"));
  EXPECT_EQ(readFile(path), controlDumpText(*gui, plug->GetSynthTabControls(), plug->GetAboutTabControls()));
}

// A failing action names its line; what ran before it stays done, and
// nothing is left of a file that could not be written.
TEST_F(EditorSessionTest, AFailingActionNamesItsLine) {
  const std::string script = dir.path("script.txt");
  std::string error;
  EXPECT_FALSE(Play("param 2 0.5\n# the slots end at 127\npreset 500\nparam 2 0.75\n", &error));
  EXPECT_EQ(error, script + ":3: no preset 500 (the slots are 0 to 127)");
  EXPECT_FLOAT_EQ(HostValue(2), 0.5f);

  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"shot /nonexistent/folder/x.png", "cannot write '/nonexistent/folder/x.png': No such file or directory"},
      {"dump /nonexistent/folder/x.txt", "cannot write '/nonexistent/folder/x.txt': No such file or directory"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Play(std::string("tick\n") + c.line + "\n", &error));
    EXPECT_EQ(error, script + ":2: " + c.message);
  }
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"script.txt"});
}

}  // namespace
