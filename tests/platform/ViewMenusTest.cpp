// Popup menus shown by either view: the same model reads the same on screen
// and a choice comes back as the (sub)menu model and item index.

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "graphics/IPopupMenu.h"
#include "platform/standin/UserScript.h"
#include "tests/framework/TestHostPlug.h"
#include "tests/platform/ViewTestSupport.h"

namespace {

struct ViewMenus : testing::TestWithParam<bool> {
  ViewMenus() : gui(new IGraphicsMac(&plug, 200, 100)) {
    standin::ResetUserScript();
    plug.InitUnitParams(0.5);
    plug.AttachGraphics(gui);
    if (Carbon()) {
      const Rect bounds{100, 50, 200, 250};
      CreateNewWindow(kDocumentWindowClass, kWindowCompositingAttribute, &bounds, &carbonWindow);
      gui->OpenWindow(carbonWindow, nullptr, 0, 0);
    } else {
      cocoaWindow.reset(new NSWindow(NSMakeRect(300, 200, 200, 100)));
      gui->OpenWindow(cocoaWindow->contentView());
    }
    menu.SetPrefix(2);
    menu.AddItem("Sine");
    menu.AddSeparator();
    menu.AddItem("Saw", -1, IPopupMenuItem::kChecked);
    menu.AddItem("Bank", &submenu);
    menu.AddItem("Heading", -1, IPopupMenuItem::kTitle | IPopupMenuItem::kDisabled);
    submenu.SetPrefix(1);
    submenu.AddItem("Kick");
    submenu.AddSeparator();
    submenu.AddItem("Snare");
  }
  ~ViewMenus() override {
    gui->CloseWindow();
    if (carbonWindow) DisposeWindow(carbonWindow);
  }
  bool Carbon() const { return GetParam(); }

  fwtest::TestHostPlug plug;
  IGraphicsMac* gui;
  std::unique_ptr<NSWindow> cocoaWindow;
  WindowRef carbonWindow = nullptr;
  IPopupMenu menu, submenu;
};

TEST_P(ViewMenus, ChoicesMapToTheirModelAndIndex) {
  IRECT area(10, 10, 40, 20);
  const struct {
    std::vector<std::string> clicks;
    IPopupMenu* model;
    int index;
  } cases[] = {
      {{"01: Sine"}, &menu, 0},
      {{"03: Saw"}, &menu, 2},
      {{"04: Bank", "3: Snare"}, &submenu, 2},
      {{"04: Bank", "1: Kick"}, &submenu, 0},
      {{"04: Bank"}, nullptr, -1},
      {{"05: Heading"}, nullptr, -1},
      {{"02: "}, nullptr, -1},
      {{"Saw"}, nullptr, -1},
      {{}, nullptr, -1},
  };
  for (const auto& c : cases) {
    menu.mChosenItemIdx = submenu.mChosenItemIdx = -1;
    if (!c.clicks.empty()) standin::AnswerMenu(c.clicks);
    IPopupMenu* chosen = gui->CreateIPopupMenu(&menu, &area);
    EXPECT_EQ(chosen, c.model) << (c.clicks.empty() ? "dismissed" : c.clicks.back());
    if (c.model) {
      EXPECT_EQ(c.model->mChosenItemIdx, c.index);
    }
  }
  const standin::PromptRecord& shown = standin::Prompts().back();
  EXPECT_EQ(shown.kind, standin::PromptRecord::kMenu);
  EXPECT_EQ(shown.choices,
            (std::vector<std::string>{"01: Sine", "-", "03: Saw [x]", "04: Bank", "04: Bank > 1: Kick", "04: Bank > -",
                                      "04: Bank > 3: Snare", "  05: Heading [disabled]"}));
  // A context menu opens 4 points below the area's lower-left corner in its
  // window; a pop-up menu 5 pixels below its bottom edge on the screen.
  EXPECT_EQ(shown.x, Carbon() ? 60 : 10);
  EXPECT_EQ(shown.y, Carbon() ? 125 : 75);
  EXPECT_EQ(standin::PendingAnswers(), 0);
}

TEST_P(ViewMenus, ChoicesByPositionCountSeparators) {
  IRECT area(10, 10, 40, 20);
  const struct {
    std::vector<int> positions;
    IPopupMenu* model;
    int index;
    const char* answer;
  } cases[] = {
      {{0}, &menu, 0, "01: Sine"},
      {{2}, &menu, 2, "03: Saw"},
      {{3, 2}, &submenu, 2, "04: Bank > 3: Snare"},
      {{1}, nullptr, -1, ""},     // a separator
      {{3}, nullptr, -1, ""},     // an item that only opens its submenu
      {{3, 1}, nullptr, -1, ""},  // the submenu's separator
      {{4}, nullptr, -1, ""},     // disabled
      {{5}, nullptr, -1, ""},
      {{-1}, nullptr, -1, ""},
      {{0, 0}, nullptr, -1, ""},  // no submenu to go on in
  };
  for (const auto& c : cases) {
    menu.mChosenItemIdx = submenu.mChosenItemIdx = -1;
    standin::AnswerMenuPositions(c.positions);
    IPopupMenu* chosen = gui->CreateIPopupMenu(&menu, &area);
    EXPECT_EQ(chosen, c.model) << c.positions.front();
    if (c.model) {
      EXPECT_EQ(c.model->mChosenItemIdx, c.index);
    }
    EXPECT_EQ(standin::Prompts().back().answer, c.answer);
  }
  EXPECT_EQ(standin::PendingAnswers(), 0);
}

TEST_P(ViewMenus, AnEmptyMenuOrNoViewShowsNothing) {
  IRECT area(10, 10, 40, 20);
  IPopupMenu empty;
  const size_t shown = standin::Prompts().size();
  EXPECT_EQ(gui->CreateIPopupMenu(&empty, &area), nullptr);
  EXPECT_EQ(standin::Prompts().size(), shown + (Carbon() ? 0 : 1)) << "only AppKit opens a menu without items";
  gui->CloseWindow();
  EXPECT_EQ(gui->CreateIPopupMenu(&menu, &area), nullptr);
  EXPECT_EQ(standin::Prompts().size(), shown + (Carbon() ? 0 : 1));
}

// An area beyond any screen still opens its menu: Carbon's screen
// coordinates stop at their limits, AppKit's hold it whole.
TEST_P(ViewMenus, AnAreaAsLargeAsIntegersGoOpensItsMenu) {
  IRECT area(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  standin::AnswerMenu({"03: Saw"});
  EXPECT_EQ(gui->CreateIPopupMenu(&menu, &area), &menu);
  EXPECT_EQ(menu.mChosenItemIdx, 2);
  const standin::PromptRecord& shown = standin::Prompts().back();
  EXPECT_EQ(shown.x, Carbon() ? -32768.0 : static_cast<double>(INT_MIN));
  EXPECT_EQ(shown.y, Carbon() ? 32767.0 : 100.0 - 1.0 - INT_MAX - 4.0);
}

INSTANTIATE_TEST_SUITE_P(CocoaAndCarbon, ViewMenus, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Carbon" : "Cocoa"; });

}  // namespace
