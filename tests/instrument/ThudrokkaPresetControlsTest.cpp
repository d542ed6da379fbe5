#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaPresetControls.h"
#include "tests/instrument/EditorFixtures.h"
#include "tests/support/Fifo.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/UserWaveformSnapshot.h"

namespace {

using namespace Quillvane::Synth;
using standin::PromptRecord;

// Where the preset section puts the display.
const IRECT kMenuRect(500, 492, 682, 508);

std::string Numbered(int idx, const std::string& name) {
  char prefix[16];
  std::snprintf(prefix, sizeof(prefix), "%02d: ", idx + 1);
  return prefix + name;
}

// The instrument's own preset menu, over its display picture.
struct PresetMenuTest : HostedEditorTest {
  void SetUp() override {
    HostedEditorTest::SetUp();
    menu = Find<IQvPresetMenu>(510, 500);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(*menu->GetRECT(), kMenuRect);
    for (const auto& preset : host.presets()) names.push_back(preset.name);
    ASSERT_EQ(names.size(), 128u);
  }
  void SelectByHost(int idx) {
    ASSERT_EQ(host.selectPreset(idx), noErr);
    programChanges = 0;
  }

  IQvPresetMenu* menu = nullptr;
  std::vector<std::string> names;
};

TEST_F(PresetMenuTest, TheMenuListsEveryPresetNumberedWithOnlyTheCurrentOneChecked) {
  SelectByHost(4);
  const std::vector<double> before = Values();
  Click(510, 500);
  ASSERT_NE(LastPrompt(), nullptr);
  EXPECT_EQ(LastPrompt()->kind, PromptRecord::kMenu);
  std::vector<std::string> expected;
  for (int i = 0; i < 128; ++i) expected.push_back(Numbered(i, names[static_cast<size_t>(i)]) + (i == 4 ? " [x]" : ""));
  EXPECT_EQ(LastPrompt()->choices, expected);
  EXPECT_EQ(LastPrompt()->choices[0], "01: #BASIC BASSDRUMS#");
  // Dismissed: nothing changes.
  EXPECT_EQ(LastPrompt()->answer, "");
  EXPECT_EQ(plug->GetCurrentPresetIdx(), 4);
  EXPECT_EQ(Values(), before);
  EXPECT_EQ(programChanges, 0);
}

TEST_F(PresetMenuTest, TheDisplayShowsTheCurrentPresetNumberedFromOne) {
  IRECT all(0, 0, 1024, 760);
  for (int idx : {4, 0, 127}) {
    SelectByHost(idx);
    gui->Draw(&all);
    const std::string expected = Numbered(idx, names[static_cast<size_t>(idx)]).substr(0, 32);
    EXPECT_EQ(menu->GetDisplayString(), expected);
  }
  EXPECT_EQ(std::string(menu->GetDisplayString()).substr(0, 5), "128: ");
}

TEST_F(PresetMenuTest, ChoosingAPresetRestoresItAndTellsTheHost) {
  SelectByHost(9);
  const std::vector<double> ninth = Values();
  SelectByHost(0);
  ASSERT_NE(Values(), ninth);
  standin::AnswerMenu({Numbered(9, names[9])});
  Click(510, 500);
  EXPECT_EQ(plug->GetCurrentPresetIdx(), 9);
  EXPECT_EQ(Values(), ninth);
  EXPECT_EQ(programChanges, 1);
  standin::HostSession::Preset current;
  ASSERT_EQ(host.session().GetCurrentPreset(&current), noErr);
  EXPECT_EQ(current.number, 9);

  // The current preset chosen again is restored again.
  ASSERT_EQ(host.session().SetParameter(Volume, 0.125f), noErr);
  standin::AnswerMenu({Numbered(9, names[9])});
  Click(510, 500);
  EXPECT_EQ(Values(), ninth);
  EXPECT_EQ(programChanges, 2);
}

TEST_F(PresetMenuTest, RenamingStoresTheCurrentValuesAndAnEmptyNameKeepsTheOld) {
  SelectByHost(7);
  ASSERT_EQ(host.session().SetParameter(Volume, 0.25f), noErr);
  menu->TextFromTextEntry("My kick");
  EXPECT_STREQ(plug->GetPresetName(7), "My kick");
  EXPECT_EQ(programChanges, 1);
  ASSERT_EQ(host.session().SetParameter(Volume, 0.75f), noErr);
  menu->TextFromTextEntry("");
  EXPECT_STREQ(plug->GetPresetName(7), "My kick");
  EXPECT_EQ(programChanges, 2);
  SelectByHost(8);
  SelectByHost(7);
  EXPECT_EQ(plug->GetParam(Volume)->Value(), 0.75);

  const std::string longName(300, 'k');
  menu->TextFromTextEntry(longName.c_str());
  EXPECT_EQ(std::string(plug->GetPresetName(7)), longName.substr(0, 255));
}

std::string Repeated(const std::string& character, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += character;
  return text;
}

TEST_F(PresetMenuTest, NamesAreCutBeforeACharacterThatDoesNotFit) {
  SelectByHost(6);
  IRECT all(0, 0, 1024, 760);
  auto shown = [&] {
    gui->Draw(&all);
    std::vector<LICE_pixel> pixels;
    for (int y = kMenuRect.T; y < kMenuRect.B; ++y) {
      for (int x = kMenuRect.L; x < kMenuRect.R; ++x) pixels.push_back(IColorToPixel(gui->GetPoint(x, y)));
    }
    return pixels;
  };
  const std::string plain(27, 'a');
  menu->TextFromTextEntry(plain.c_str());
  const std::vector<LICE_pixel> plainShown = shown();
  // "07: " and 27 letters leave one byte of the display's 32 for an 'é'.
  menu->TextFromTextEntry((plain + Repeated("\xc3\xa9", 5)).c_str());
  EXPECT_EQ(menu->GetDisplayString(), Numbered(6, plain));
  EXPECT_EQ(shown(), plainShown) << "the display shows the letters that fit";

  // A renamed preset keeps the 'é's that fit whole in its 255 bytes, and the
  // host reads its name.
  menu->TextFromTextEntry(Repeated("\xc3\xa9", 200).c_str());
  EXPECT_EQ(std::string(plug->GetPresetName(6)), Repeated("\xc3\xa9", 127));
  standin::HostSession::Preset current;
  ASSERT_EQ(host.session().GetCurrentPreset(&current), noErr);
  EXPECT_EQ(current.name, Repeated("\xc3\xa9", 127));
}

TEST_F(PresetMenuTest, TheRightClickAsksForANewNameHoldingTheCurrentOne) {
  SelectByHost(3);
  EXPECT_EQ(menu->GetTextEntryLength(), IQvPresetMenu::kMaxNameLen);
  Click(510, 500, IMouseMod(false, true));
  NSTextField* field = cocoaView->mTextFieldView;
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->stringValue(), names[3]);
  EXPECT_TRUE(standin::Prompts().empty()) << "no menu";
  // The whole name is selected: typing replaces it.
  for (char c : std::string("Big kick")) {
    const std::string typed(1, c);
    NSEvent key = NSEvent::keyEventWithType(NSKeyDown, NSPoint{0, 0}, 0, window->windowNumber(), typed, typed, 0);
    window->sendEvent(&key);
  }
  NSEvent enter = NSEvent::keyEventWithType(NSKeyDown, NSPoint{0, 0}, 0, window->windowNumber(), "\r", "\r", 36);
  window->sendEvent(&enter);
  EXPECT_STREQ(plug->GetPresetName(3), "Big kick");
  EXPECT_EQ(programChanges, 1);
  // Made without a text style, a menu draws in black "Arial" 14.
  IQvPresetMenu bare(plug, kMenuRect, nullptr, COLOR_TRANSPARENT);
  EXPECT_STREQ(bare.GetText()->mFont, "Arial");
  EXPECT_EQ(bare.GetText()->mSize, 14);
  EXPECT_EQ(bare.GetText()->mColor, COLOR_BLACK);
}

// The instrument's own arrows at (483, 488) and (682, 488).
TEST_F(PresetMenuTest, PresetArrowsStepByOneOrTenAndStopAtTheEnds) {
  auto* next = Find<IQvPresetSwitch>(690, 489);
  ASSERT_NE(next, nullptr);
  ASSERT_NE(Find<IQvPresetSwitch>(490, 489), nullptr);
  const struct {
    int from;
    bool up, big;
    int to;
  } steps[] = {{5, true, true, 15}, {5, true, false, 6}, {5, false, false, 4}, {12, false, true, 2},
               {0, false, false, 0}, {3, false, true, 3},  {127, true, false, 127}, {120, true, true, 120}};
  for (const auto& s : steps) {
    SelectByHost(s.from);
    const std::vector<double> before = Values();
    Click(s.up ? 690 : 490, 489, IMouseMod(true, s.big));
    EXPECT_EQ(plug->GetCurrentPresetIdx(), s.to) << s.from << (s.up ? " up" : " down") << (s.big ? " by ten" : "");
    EXPECT_EQ(programChanges, 1) << s.from;
    if (s.from == s.to) {
      EXPECT_EQ(Values(), before);
    }
  }
  EXPECT_EQ(next->GetValue(), 0.0);
}

// ---- Program files through the editor host's file panels.

// The instrument's own load and save buttons at (707, 488) and (755, 488).
struct ProgramFileTest : HostedEditorTest {
  void SetUp() override {
    HostedEditorTest::SetUp();
    load = Find<IQvFileSelector>(710, 490);
    save = Find<IQvFileSelector>(760, 490);
    ASSERT_TRUE(load && save && load != save);
    ASSERT_EQ(host.selectPreset(6), noErr);
  }
  // The message box that a click on the button at x showed, its panel
  // answered with file; null when it showed none.
  const PromptRecord* AlertAfterChoosing(const std::string& file, int x) {
    standin::ResetUserScript();
    standin::AnswerFilePanel(file);
    Click(x, 490);
    const std::vector<PromptRecord>& prompts = standin::Prompts();
    return prompts.size() == 2 && prompts[1].kind == PromptRecord::kAlert ? &prompts[1] : nullptr;
  }

  testsupport::TempDirectory folder;
  IQvFileSelector* load = nullptr;
  IQvFileSelector* save = nullptr;
};

TEST_F(ProgramFileTest, SaveAndLoadPassTheChosenPathsToTheInstrument) {
  ASSERT_EQ(host.session().SetParameter(Volume, 0.625f), noErr);
  const std::string path = folder.path("kick.qv");
  standin::AnswerFilePanel(path);
  Click(760, 490);
  ASSERT_NE(LastPrompt(), nullptr);
  EXPECT_EQ(LastPrompt()->kind, PromptRecord::kSavePanel);
  EXPECT_EQ(LastPrompt()->choices, (std::vector<std::string>{"qv", "bgp"}));
  const std::vector<std::string> lines = testsupport::split(testsupport::readFile(path));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], std::string("Name = ") + plug->GetPresetName(6) + ";");

  ASSERT_EQ(host.session().SetParameter(Volume, 0.125f), noErr);
  plug->ModifyCurrentPreset("Changed");
  standin::AnswerFilePanel(path);
  Click(710, 490);
  EXPECT_EQ(LastPrompt()->kind, PromptRecord::kOpenPanel);
  EXPECT_EQ(plug->GetParam(Volume)->Value(), 0.625);
  EXPECT_STRNE(plug->GetPresetName(6), "Changed");
  // The folder chosen last is where the next panel starts.
  EXPECT_EQ(std::string(load->GetDir()), folder.path("") );
}

// A pipe that nothing writes: a load that waits for a writer holds the
// editor, and the host's calls behind it, for ever.
TEST_F(ProgramFileTest, LoadingAPipeReturnsAtOnceAndChangesNothing) {
  const testsupport::Fifo fifo(folder.path("pipe.qv"));
  ASSERT_TRUE(fifo.made());
  const std::vector<double> before = Values();
  const std::string name = plug->GetPresetName(6);
  standin::AnswerFilePanel(fifo.path());
  EXPECT_TRUE(fifo.returnsPromptly([&] { Click(710, 490); }));
  ASSERT_EQ(standin::Prompts().size(), 2u);
  EXPECT_EQ(standin::Prompts()[0].kind, PromptRecord::kOpenPanel);
  EXPECT_EQ(standin::Prompts()[1].message, "cannot read program file '" + fifo.path() + "': not a regular file");
  EXPECT_EQ(Values(), before);
  EXPECT_EQ(plug->GetPresetName(6), name);
}

// A load that fails says why, and one that reads lines not as they stand
// says which, in a message box naming the file; a failed one changes
// nothing, a file that only lost a line still loads.
TEST_F(ProgramFileTest, ALoadSaysWhatWentWrongInAMessageBox) {
  const std::string missing = folder.path("missing.qv"), noise = folder.path("noise.qv");
  const std::string shortened = folder.path("short.qv");
  std::ofstream(noise, std::ios::binary) << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
  ASSERT_TRUE(plug->SaveProgramAsQV(shortened.c_str()));
  std::vector<std::string> lines = testsupport::split(testsupport::readFile(shortened));
  ASSERT_EQ(lines.size(), 106u);
  lines.erase(lines.begin() + 5);
  {
    std::ofstream file(shortened, std::ios::binary);
    for (const std::string& line : lines) file << line << "\n";
  }
  const std::vector<double> before = Values();
  const std::string name = plug->GetPresetName(6);
  const struct {
    std::string file, header, message;
  } failed[] = {
      {missing, "Program not loaded", "cannot read program file '" + missing + "': No such file or directory"},
      {noise, "Program not loaded", "cannot read program file '" + noise + "': none of its lines is a program setting"},
  };
  for (const auto& c : failed) {
    const PromptRecord* alert = AlertAfterChoosing(c.file, 710);
    ASSERT_NE(alert, nullptr) << c.file;
    EXPECT_EQ(alert->title, c.header);
    EXPECT_EQ(alert->message, c.message);
    EXPECT_EQ(alert->choices, (std::vector<std::string>{"", "", ""})) << "the system's one button";
    EXPECT_EQ(Values(), before) << c.file;
    EXPECT_EQ(plug->GetPresetName(6), name) << c.file;
  }

  ASSERT_EQ(host.session().SetParameter(OscVolume1, 0.125f), noErr);
  ASSERT_NE(plug->GetParam(OscVolume1)->Value(), before[OscVolume1]);
  const PromptRecord* warned = AlertAfterChoosing(shortened, 710);
  ASSERT_NE(warned, nullptr);
  EXPECT_EQ(warned->title, "Program loaded with warnings");
  EXPECT_EQ(warned->message,
            shortened + ":6: should hold OscSat1, not '" + lines[5] +
                "'; the 99 lines after it are shifted alike, as if 1 line were missing above it\n" + shortened +
                ":106: the file ends before Volume");
  EXPECT_EQ(plug->GetParam(OscVolume1)->Value(), before[OscVolume1]);
}

// A save that fails says why in a message box naming the file, and leaves
// whatever the name held as it was. /sys takes no new file, even from root.
TEST_F(ProgramFileTest, ASaveThatFailsSaysWhyInAMessageBox) {
  const std::string missing = folder.path("missing/kick.qv");
  const struct {
    std::string file, message;
  } failed[] = {
      {missing, "cannot write '" + missing + "': No such file or directory"},
      {"/dev/full", "cannot write '/dev/full': No space left on device"},
      {folder.path(""), "cannot write '" + folder.path("") + "': Is a directory"},
      {"/sys/kick.qv", "cannot write '/sys/kick.qv': Permission denied"},
  };
  for (const auto& c : failed) {
    const PromptRecord* alert = AlertAfterChoosing(c.file, 760);
    ASSERT_NE(alert, nullptr) << c.file;
    EXPECT_EQ(alert->title, "Program not saved") << c.file;
    EXPECT_EQ(alert->message, c.message);
    EXPECT_EQ(alert->choices, (std::vector<std::string>{"", "", ""})) << "the system's one button";
  }
  EXPECT_FALSE(std::filesystem::exists("/sys/kick.qv"));
  EXPECT_TRUE(folder.entries().empty());

  // Saved, nothing is said.
  EXPECT_EQ(AlertAfterChoosing(folder.path("kick.qv"), 760), nullptr);
  EXPECT_EQ(standin::Prompts().size(), 1u);
}

// A program file holds no ';' in a name: renamed "Kick;2", the preset keeps
// its name, while the rename and the save each say how a file holds it, and
// the load gives back what the save said, without a word.
TEST_F(ProgramFileTest, ANameAFileCannotHoldIsSaidWhenNamedAndSaved) {
  auto* menu = Find<IQvPresetMenu>(510, 500);
  ASSERT_NE(menu, nullptr);
  const std::string note = "a program file holds no ';' in a name: it holds 'Kick;2' as 'Kick 2'";
  menu->TextFromTextEntry("Kick;2");
  EXPECT_STREQ(plug->GetPresetName(6), "Kick;2");
  ASSERT_EQ(standin::Prompts().size(), 1u);
  EXPECT_EQ(standin::Prompts()[0].kind, PromptRecord::kAlert);
  EXPECT_EQ(standin::Prompts()[0].title, "Preset renamed with a warning");
  EXPECT_EQ(standin::Prompts()[0].message, note);

  const std::string path = folder.path("kick.qv");
  const PromptRecord* saved = AlertAfterChoosing(path, 760);
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->title, "Program saved with a warning");
  EXPECT_EQ(saved->message, path + ": " + note);
  EXPECT_EQ(testsupport::split(testsupport::readFile(path))[0], "Name = Kick 2;");

  plug->ModifyCurrentPreset("Other");
  EXPECT_EQ(AlertAfterChoosing(path, 710), nullptr);
  EXPECT_EQ(standin::Prompts().size(), 1u);
  EXPECT_STREQ(plug->GetPresetName(6), "Kick 2");

  // A name a file holds as it stands is taken without a word.
  standin::ResetUserScript();
  menu->TextFromTextEntry("Kick 3");
  EXPECT_TRUE(standin::Prompts().empty());
}

TEST_F(ProgramFileTest, CancelledPanelsChangeNothing) {
  const std::vector<double> before = Values();
  const std::string name = plug->GetPresetName(6);
  Click(760, 490);
  Click(710, 490);
  ASSERT_EQ(standin::Prompts().size(), 2u);
  EXPECT_EQ(standin::Prompts()[0].answer, "");
  EXPECT_EQ(standin::Prompts()[1].answer, "");
  EXPECT_EQ(Values(), before);
  EXPECT_EQ(plug->GetPresetName(6), name);
  EXPECT_TRUE(folder.entries().empty());
  WDL_String chosen;
  save->GetLastSelectedFileForPlug(&chosen);
  EXPECT_STREQ(chosen.Get(), "");
}

TEST_F(ProbeEditorTest, FileButtonsShowTheirPressedFrameWhileTheDialogIsOpen) {
  IBitmap picture = Strip(48, 20, 2);
  auto* button = Attach(new IQvFileSelector(&plug, IRECT(10, 10, 58, 30), -1, &picture, kFileSave, "", "qv bgp"));
  int frameDuringPrompt = 0;
  standin::WhilePrompted([&] {
    Redraw();
    frameDuringPrompt = FrameAt(20, 20);
  });
  Redraw();
  EXPECT_EQ(FrameAt(20, 20), 1);
  Click(20, 20);
  EXPECT_EQ(frameDuringPrompt, 2);
  Redraw();
  EXPECT_EQ(FrameAt(20, 20), 1);
  ASSERT_EQ(standin::Prompts().size(), 1u);
  EXPECT_EQ(standin::Prompts()[0].kind, PromptRecord::kSavePanel);
  // The next tick finds it dirty once more and idle after.
  IRECT dirty;
  EXPECT_TRUE(gui->IsDirty(&dirty));
  EXPECT_EQ(button->GetState(), IFileSelectorControl::kFileSelectIdle);
}

TEST_F(ProbeEditorTest, WaveformFilesLoadOnlyIntoAUserWaveformAndNotWithTheRModifier) {
  // User slots are shared by the process; put them back afterwards.
  const UserWaveformSnapshot keep;
  IBitmap none;
  Attach(new IQvWaveFileSelector(&plug, IRECT(10, 10, 58, 30), -1, &none, kFileOpen, "", "wav raw"));
  Attach(new IQvWaveFileSelector(&plug, IRECT(100, 10, 148, 30), -1, &none, kFileSave, "", "wav"));
  const std::string file = "../engine/fixtures/waveforms/raw_full.raw";
  // Waveform 0 takes no file.
  plug.set(OscWaveform1, 0.0);
  standin::AnswerFilePanel(file);
  Click(20, 20);
  EXPECT_TRUE(standin::Prompts().empty());

  plug.set(OscWaveform1, 21.0 / 35.0);
  ASSERT_TRUE(plug.CanLoadWaveform());
  Click(20, 20, IMouseMod(false, true));
  Click(110, 20);
  EXPECT_TRUE(standin::Prompts().empty());

  // A cancelled panel loads nothing.
  standin::ResetUserScript();
  Click(20, 20);
  ASSERT_EQ(standin::Prompts().size(), 1u);
  EXPECT_FALSE(plug.mWaveformProvider.isLoadPending());

  standin::AnswerFilePanel(file);
  Click(20, 20);
  ASSERT_EQ(standin::Prompts().size(), 2u);
  EXPECT_EQ(standin::Prompts()[1].kind, PromptRecord::kOpenPanel);
  EXPECT_EQ(standin::Prompts()[1].choices, (std::vector<std::string>{"wav", "raw"}));
  EXPECT_TRUE(plug.mWaveformProvider.isLoadPending());
}

}  // namespace
