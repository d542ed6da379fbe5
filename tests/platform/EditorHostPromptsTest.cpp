#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "graphics/BitmapControls.h"
#include "graphics/IPopupMenu.h"
#include "lice/LICE_IBitmap.h"
#include "platform/standin/CGDisplay.h"
#include "tests/platform/EditorHostFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/TempDirectory.h"

namespace {

using hosttest::EditorHostFixture;
using standin::PromptRecord;

const PromptRecord& LastPrompt() { return standin::Prompts().back(); }

TEST_F(EditorHostFixture, PopupMenusShowNumberedItemsAndAnswerWithTheChosenModel) {
  IPopupMenu menu, submenu;
  menu.SetPrefix(2);
  menu.AddItem("Sine");
  menu.AddSeparator();
  menu.AddItem("Saw", -1, IPopupMenuItem::kChecked);
  menu.AddItem("Bank", &submenu);
  menu.AddItem("Heading", -1, IPopupMenuItem::kTitle | IPopupMenuItem::kDisabled);
  submenu.AddItem("Kick");
  submenu.AddItem("Snare");
  IRECT area(10, 10, 40, 20);
  // Without a view nothing is shown.
  EXPECT_EQ(gui->CreateIPopupMenu(&menu, &area), nullptr);
  EXPECT_TRUE(standin::Prompts().empty());

  Open();
  const IColor grey = COLOR_GRAY;
  gui->AttachControl(new IPanelControl(&plug, IRECT(0, 0, 200, 100), &grey));
  gui->OnMouseDown(5, 5, nullptr);
  ASSERT_EQ(gui->GetMouseCapture(), 0);
  standin::AnswerMenu({"03: Saw"});
  EXPECT_EQ(gui->CreateIPopupMenu(&menu, &area), &menu);
  EXPECT_EQ(menu.mChosenItemIdx, 2);
  EXPECT_EQ(gui->GetMouseCapture(), -1);
  EXPECT_EQ(LastPrompt().kind, PromptRecord::kMenu);
  EXPECT_EQ(LastPrompt().choices, (std::vector<std::string>{"01: Sine", "-", "03: Saw [x]", "04: Bank",
                                                             "04: Bank > Kick", "04: Bank > Snare",
                                                             "  05: Heading [disabled]"}));
  EXPECT_EQ(LastPrompt().answer, "03: Saw");

  standin::AnswerMenu({"04: Bank", "Snare"});
  EXPECT_EQ(gui->CreateIPopupMenu(&menu, &area), &submenu);
  EXPECT_EQ(submenu.mChosenItemIdx, 1);

  // Items that cannot be chosen, and no answer at all, dismiss the menu.
  for (const std::vector<std::string>& answer : std::vector<std::vector<std::string>>{
           {"05: Heading"}, {"04: Bank"}, {"Saw"}, {"02: "}, {"01: Sine", "Kick"}}) {
    standin::AnswerMenu(answer);
    EXPECT_EQ(gui->CreateIPopupMenu(&menu, &area), nullptr) << answer[0];
    EXPECT_EQ(LastPrompt().answer, "");
  }
  EXPECT_EQ(gui->CreateIPopupMenu(&menu, &area), nullptr);
}

TEST_F(EditorHostFixture, MessageBoxesAnswerWithTheButtonPressed) {
  const struct {
    int type;
    int button;  // -1: no answer
    int result;
    std::vector<std::string> titles;
  } cases[] = {
      {4, 0, 1, {"Yes", "No", ""}},    {4, 1, 7, {"Yes", "No", ""}},       {4, -1, 0, {"Yes", "No", ""}},
      {3, 2, 2, {"Yes", "No", "Cancel"}}, {3, 0, 1, {"Yes", "No", "Cancel"}}, {1, 0, 1, {"", "Cancel", ""}},
      {1, 1, 7, {"", "Cancel", ""}},   {0, 0, 1, {"", "", ""}},            {0, 1, 0, {"", "", ""}},
  };
  for (const auto& c : cases) {
    if (c.button >= 0) standin::AnswerAlert(c.button);
    EXPECT_EQ(gui->ShowMessageBox("Grüße: Größe", "Thudrokka", c.type), c.result) << c.type << " " << c.button;
    EXPECT_EQ(LastPrompt().kind, PromptRecord::kAlert);
    EXPECT_EQ(LastPrompt().title, "Thudrokka");
    EXPECT_EQ(LastPrompt().message, "Grüße: Größe");
    EXPECT_EQ(LastPrompt().choices, c.titles);
  }
  EXPECT_EQ(standin::PendingAnswers(), 0);
}

TEST_F(EditorHostFixture, FilePromptsFillTheNameAndFolder) {
  WDL_String file("preset.qv"), dir;
  gui->PromptForFile(&file, kFileSave, &dir, "qv bgp");
  EXPECT_STREQ(file.Get(), "");
  EXPECT_TRUE(standin::Prompts().empty());

  Open();
  file.Set("preset.qv");
  gui->PromptForFile(&file, kFileSave, &dir, "qv bgp");
  EXPECT_STREQ(file.Get(), "");
  EXPECT_STREQ(dir.Get(), "~/Desktop");
  EXPECT_EQ(LastPrompt().kind, PromptRecord::kSavePanel);
  EXPECT_EQ(LastPrompt().title, "~/Desktop");
  EXPECT_EQ(LastPrompt().message, "preset.qv");
  EXPECT_EQ(LastPrompt().choices, (std::vector<std::string>{"qv", "bgp"}));

  standin::AnswerFilePanel("/home/someone/sounds/kick.qv");
  gui->PromptForFile(&file, kFileOpen, &dir, "qv  bgp");
  EXPECT_STREQ(file.Get(), "/home/someone/sounds/kick.qv");
  EXPECT_STREQ(dir.Get(), "/home/someone/sounds/");
  EXPECT_EQ(LastPrompt().kind, PromptRecord::kOpenPanel);
  EXPECT_EQ(LastPrompt().title, "~/Desktop");
  EXPECT_EQ(LastPrompt().message, "");
  EXPECT_EQ(LastPrompt().choices, (std::vector<std::string>{"qv", "", "bgp"}));

  // The folder chosen last is where the next panel starts.
  gui->PromptForFile(&file, kFileOpen, &dir, "fxp");
  EXPECT_EQ(LastPrompt().kind, PromptRecord::kOpenPanel);
  EXPECT_EQ(LastPrompt().title, "/home/someone/sounds/");
  EXPECT_STREQ(dir.Get(), "/home/someone/sounds/");
}

// A file the person will not save to is not chosen: the save panel is
// dismissed and its record says why. Open panels choose as ever.
TEST_F(EditorHostFixture, ASavePanelDismissedForAFileThePersonWillNotSaveToSaysWhy) {
  Open();
  standin::CheckSaveAnswers([](const std::string& path) { return path == "/kept.qv" ? "keep it" : ""; });
  WDL_String file, dir("/");
  for (const EFileAction action : {kFileSave, kFileOpen}) {
    standin::AnswerFilePanel("/kept.qv");
    gui->PromptForFile(&file, action, &dir, "qv");
    const bool saving = action == kFileSave;
    EXPECT_STREQ(file.Get(), saving ? "" : "/kept.qv");
    EXPECT_EQ(LastPrompt().answer, saving ? "" : "/kept.qv");
    EXPECT_EQ(LastPrompt().refusal, saving ? "keep it" : "");
  }
  standin::AnswerFilePanel("/other.qv");
  gui->PromptForFile(&file, kFileSave, &dir, "qv");
  EXPECT_STREQ(file.Get(), "/other.qv");
  EXPECT_EQ(LastPrompt().refusal, "");
  EXPECT_EQ(standin::PendingAnswers(), 0);
  standin::CheckSaveAnswers(nullptr);
}

TEST_F(EditorHostFixture, TheFrameworksFilePromptsGoThroughTheEditorHost) {
  testsupport::TempDirectory folder;
  Open();
  standin::AnswerFilePanel(folder.path("bank.fxb"));
  EXPECT_TRUE(plug.SaveBankAsFXB());
  EXPECT_EQ(LastPrompt().kind, PromptRecord::kSavePanel);
  EXPECT_EQ(LastPrompt().choices, (std::vector<std::string>{"fxb"}));
  EXPECT_FALSE(plug.LoadProgramFromFXP());
  EXPECT_EQ(LastPrompt().kind, PromptRecord::kOpenPanel);
}

TEST_F(EditorHostFixture, AddressesOpenAsWebOrFileAddresses) {
  EXPECT_FALSE(gui->OpenURL("https://quillvane.example/thudrokka"));
  EXPECT_EQ(LastPrompt().kind, PromptRecord::kOpenURL);
  EXPECT_EQ(LastPrompt().title, "https://quillvane.example/thudrokka");
  EXPECT_EQ(LastPrompt().answer, "");
  standin::AnswerOpenURL(true);
  EXPECT_TRUE(gui->OpenURL("/tmp/manual.pdf", "title", nullptr, "error"));
  EXPECT_EQ(LastPrompt().title, "file:///tmp/manual.pdf");
  EXPECT_EQ(LastPrompt().answer, "opened");
  // An address that cannot be made opens nothing, and says so.
  const size_t shown = standin::Prompts().size();
  standin::AnswerOpenURL(true);
  EXPECT_FALSE(gui->OpenURL("http://bad address"));
  EXPECT_FALSE(gui->OpenURL(""));
  EXPECT_FALSE(gui->OpenURL(nullptr));
  EXPECT_EQ(standin::Prompts().size(), shown);
  EXPECT_FALSE(gui->PromptForColor(nullptr, "colour"));
}

TEST_F(EditorHostFixture, PathsComeFromTheBundlesAndTheHome) {
  WDL_String path("unchanged");
  gui->PluginPath(&path);
  EXPECT_STREQ(path.Get(), "/Library/Audio/Plug-Ins/Components/");
  standin::RegisterBundle("com.example.host", "/Applications/Host.app");
  standin::SetMainBundle("com.example.host");
  gui->HostPath(&path);
  EXPECT_STREQ(path.Get(), "/Applications/Host.app/Contents/MacOS/Host");
  standin::SetMainBundle(nullptr);
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
  ASSERT_GT(n, 0);
  gui->HostPath(&path);
  EXPECT_EQ(std::string(path.Get()), std::string(self, static_cast<size_t>(n)));

  IGraphicsMac stray(&plug, 10, 10);
  stray.SetBundleID("com.example.unknown");
  path.Set("unchanged");
  stray.PluginPath(&path);
  EXPECT_STREQ(path.Get(), "unchanged");

  const char* savedHome = std::getenv("HOME");
  const std::string home = savedHome ? savedHome : "";
  setenv("HOME", "/home/tester", 1);
  gui->DesktopPath(&path);
  EXPECT_STREQ(path.Get(), "/home/tester/Desktop/");
  unsetenv("HOME");
  gui->DesktopPath(&path);
  const passwd* entry = getpwuid(getuid());
  const std::string expected = entry && entry->pw_dir && *entry->pw_dir ? std::string(entry->pw_dir) + "/Desktop/" : "";
  EXPECT_EQ(std::string(path.Get()), expected);
  if (savedHome) setenv("HOME", home.c_str(), 1);
}

TEST_F(EditorHostFixture, HiddenCursorsComeBackWhereTheyWere) {
  standin::SetMainDisplaySize(1440, 900);
  standin::SetPointerPosition(300, 200);
  gui->HideMouseCursor();
  EXPECT_FALSE(standin::CursorVisible());
  standin::SetPointerPosition(10, 10);
  gui->HideMouseCursor();
  standin::SetPointerPosition(700, 800);
  gui->ShowMouseCursor();
  EXPECT_TRUE(standin::CursorVisible());
  EXPECT_EQ(standin::PointerPosition().x, 300);
  EXPECT_EQ(standin::PointerPosition().y, 200);
  gui->ShowMouseCursor();
  EXPECT_TRUE(standin::CursorVisible());
}

// Images are found in the bundle's resources by base name, whatever their folder.
TEST_F(EditorHostFixture, ImagesAreLookedUpByTheirBaseName) {
  testsupport::TempDirectory resources;
  std::filesystem::create_directories(resources.path("img/knobs"));
  const unsigned char pixels[6 * 4 * 4] = {};
  ASSERT_TRUE(testsupport::writePng(resources.path("img/knobs/knob.png"), pixels, 4, 6, 16));
  ASSERT_TRUE(testsupport::writePng(resources.path("png.png"), pixels, 3, 5, 16));
  standin::SetBundleResourceFolder(hosttest::kBundleID, resources.path().c_str());
  const struct {
    const char* name;
    int width;  // 0: no image
  } cases[] = {
      {"resources/img/quillvane/knobs/knob.png", 4},
      {"knob.png", 4},
      {"other/folder/knob.PNG", 4},
      {"knob.Png", 4},
      {"knob.jpg", 0},
      {"knob", 0},
      {"png", 3},
      {"missing.png", 0},
      {"knob.png.txt", 0},
      {nullptr, 0},
  };
  const std::size_t readBefore = gui->ImageFilesRead().size();
  for (const auto& c : cases) {
    LICE_IBitmap* bitmap = gui->OSLoadBitmap(77, c.name);
    EXPECT_EQ(bitmap ? bitmap->getWidth() : 0, c.width) << (c.name ? c.name : "null");
    delete bitmap;
  }
  // The files read, for whoever must not write over them.
  const std::string knob = resources.path("img/knobs/knob.png");
  const std::vector<std::string> read(gui->ImageFilesRead().begin() + readBefore, gui->ImageFilesRead().end());
  EXPECT_EQ(read, (std::vector<std::string>{knob, knob, knob, knob, resources.path("png.png")}));
  EXPECT_EQ(LoadImgFromResourceOSX("com.example.unknown", "knob.png"), nullptr);
  EXPECT_EQ(LoadImgFromResourceOSX(nullptr, "knob.png"), nullptr);
  standin::SetBundleResourceFolder(hosttest::kBundleID, "");
}

}  // namespace
