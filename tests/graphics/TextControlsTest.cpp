#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "graphics/IBitmapMonoText.h"
#include "graphics/TextControls.h"
#include "tests/graphics/ControlsFixture.h"

namespace {

using gfxtest::ControlsFixture;
using gfxtest::LoggingPlug;
using gfxtest::TestGraphics;

// Parameters as captions meet them: frequencies with and without a label,
// a choice with display texts, and a shaped one.
struct CaptionFixture : testing::Test {
  CaptionFixture() : plug(nullptr, 4, false), gui(new TestGraphics(&plug, 100, 100)) {
    plug.GetParam(0)->InitDouble("Freq", 500.0, 0.0, 1000.0, 1.0, "Hz");
    plug.GetParam(1)->InitDouble("Freq", 500.0, 0.0, 1000.0, 1.0, "");
    plug.GetParam(2)->InitEnum("Mode", 0, 3, "mode");
    plug.GetParam(2)->SetDisplayText(0, "Low");
    plug.GetParam(2)->SetDisplayText(1, "Mid");
    plug.GetParam(2)->SetDisplayText(2, "High");
    plug.GetParam(3)->InitDouble("Drive", 0.0, 0.0, 100.0, 0.1, "%");
    plug.GetParam(3)->SetShape(2.0);
    plug.AttachGraphics(gui);
  }
  std::string Caption(int param, bool label, double normalized) {
    IText style;
    ICaptionControl caption(&plug, IRECT(0, 0, 60, 20), param, &style, label);
    caption.SetValueFromPlug(normalized);
    caption.Draw(gui);
    return caption.GetTextString();
  }

  LoggingPlug plug;
  TestGraphics* gui;
};

TEST_F(CaptionFixture, CaptionsShowTheDisplayTextAndOptionallyTheLabel) {
  const struct {
    int param;
    bool label;
    double normalized;
    const char* text;
  } cases[] = {
      {0, true, 0.25, "250 Hz"}, {0, false, 0.25, "250"}, {1, true, 0.25, "250 "},  {2, true, 1.0, "High "},
      {2, false, 0.5, "Mid"},    {3, true, 0.5, "25.0 %"}, {3, false, 1.0, "100.0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Caption(c.param, c.label, c.normalized), c.text) << c.param << " " << c.normalized;
  }
}

// The caption shows the value the editor handed it; a host thread may be
// writing the parameter meanwhile.
TEST_F(CaptionFixture, CaptionsShowTheValueHandedToThemNotTheParameterField) {
  IText style;
  ICaptionControl caption(&plug, IRECT(0, 0, 60, 20), 0, &style, false);
  caption.SetValueFromPlug(0.1);
  plug.GetParam(0)->Set(900.0);
  caption.Draw(gui);
  EXPECT_STREQ(caption.GetTextString(), "100");
}

TEST_F(CaptionFixture, CaptionsPromptOnLeftOrRightClicksAndDoubleClicksWhenEnabled) {
  IText style;
  auto* caption = new ICaptionControl(&plug, IRECT(0, 0, 60, 20), 2, &style);
  gui->AttachControl(caption);
  IMouseMod left(true), right(false, true), middle;
  caption->OnMouseDown(5, 5, &left);
  caption->OnMouseDblClick(5, 5, &left);
  EXPECT_TRUE(gui->mMenus.empty());
  caption->DisablePrompt(false);
  caption->OnMouseDown(5, 5, &left);
  caption->OnMouseDown(5, 5, &right);
  caption->OnMouseDown(5, 5, &middle);
  caption->OnMouseDown(5, 5, nullptr);
  caption->OnMouseDblClick(5, 5, nullptr);
  // A choice prompts with the menu of its texts.
  ASSERT_EQ(gui->mMenus.size(), 3u);
  EXPECT_EQ(gui->mMenus[0], (std::vector<std::string>{"Low [x]", "Mid", "High"}));
}

// Glyph frames carry their number in red: the text drawn can be read back
// cell by cell.
struct GlyphFixture : ControlsFixture {
  GlyphFixture() : glyphs(Strip(10, 10, 95)) {}

  // What each 10 x 10 cell starting at (x0, y0) shows, one string per row;
  // '.' where no glyph was drawn.
  std::vector<std::string> Cells(int x0, int y0, int columns, int rows) {
    std::vector<std::string> shown;
    for (int r = 0; r < rows; ++r) {
      std::string row;
      for (int c = 0; c < columns; ++c) {
        const int frame = FrameAt(x0 + c * 10 + 5, y0 + r * 10 + 5);
        row += frame ? static_cast<char>(frame + 31) : '.';
      }
      shown.push_back(row);
    }
    return shown;
  }

  IBitmap glyphs;
};

TEST_F(GlyphFixture, BitmapedTextKeepsOneGlyphOfMarginAndWrapsOntoASecondRow) {
  const struct {
    IRECT rect;
    int align;
    bool vCenter, multiline;
    const char* text;
    std::vector<std::string> cells;  // from the top-left corner, 10 x 10 cells; the blank is frame 1
  } cases[] = {
      {IRECT(0, 0, 100, 40), IText::kAlignNear, false, false, "ABCDEFGHIJKL",
       {".ABCDEFGH.", ".IJKL.....", "..........", ".........."}},
      {IRECT(0, 0, 100, 40), IText::kAlignNear, false, true, "ABCDEFGHIJKL",
       {".ABCDEFGH.", ".IJKL.....", "..........", ".........."}},
      // Without multi-line a long text still continues on one more row only.
      {IRECT(0, 0, 100, 40), IText::kAlignNear, false, false, "ABCDEFGHIJKLMNOPQRST",
       {".ABCDEFGH.", ".IJKLMNOP.", "..........", ".........."}},
      {IRECT(0, 0, 100, 40), IText::kAlignNear, false, true, "ABCDEFGHIJKLMNOPQRST",
       {".ABCDEFGH.", ".IJKLMNOP.", ".QRST.....", ".........."}},
      {IRECT(0, 0, 100, 40), IText::kAlignCenter, false, false, "A B",
       {"...A B....", "..........", "..........", ".........."}},
      {IRECT(0, 0, 100, 40), IText::kAlignFar, true, false, "XY",
       {"..........", ".XY.......", "..........", ".........."}},
      {IRECT(0, 0, 25, 40), IText::kAlignNear, false, true, "ABC", {"..........", "..........", "..........", ".........."}},
      {IRECT(0, 0, 15, 40), IText::kAlignNear, false, false, "ABC", {"..........", "..........", "..........", ".........."}},
  };
  for (const auto& c : cases) {
    IText style(10, &COLOR_WHITE, "Mono", IText::kStyleNormal, static_cast<IText::EAlign>(c.align));
    IRECT rect = c.rect;
    Redraw();
    DrawBitmapedText(gui, &glyphs, &rect, &style, nullptr, c.text, c.vCenter, c.multiline, 10, 10);
    EXPECT_EQ(Cells(0, 0, 10, 4), c.cells) << c.text << " in " << c.rect.W() << " x " << c.rect.H();
  }
}

TEST_F(GlyphFixture, BitmapedTextCentredVerticallyInAnOddHeightAndWithoutGlyphSize) {
  IText style;
  style.mAlign = IText::kAlignNear;
  IRECT rect(0, 0, 100, 41);
  Redraw();
  DrawBitmapedText(gui, &glyphs, &rect, &style, nullptr, "Q", true, false, 10, 10);
  // (41 - 10) / 2 = 15: the glyph covers rows 15 to 24.
  EXPECT_EQ(FrameAt(15, 14), 0);
  EXPECT_EQ(FrameAt(15, 15), 'Q' - 31);
  EXPECT_EQ(FrameAt(15, 24), 'Q' - 31);
  EXPECT_EQ(FrameAt(15, 25), 0);
  // Glyphs without width or height draw nothing.
  Redraw();
  DrawBitmapedText(gui, &glyphs, &rect, &style, nullptr, "Q", true, true, 0, 10);
  DrawBitmapedText(gui, &glyphs, &rect, &style, nullptr, "Q", true, true, 10, 0);
  DrawBitmapedText(gui, &glyphs, &rect, &style, nullptr, nullptr, true, true, 10, 10);
  EXPECT_EQ(Cells(0, 15, 10, 1), std::vector<std::string>{".........."});
}

TEST_F(GlyphFixture, BitmapTextControlsDrawTheirTextCentredVertically) {
  auto* text = Attach(new IBitmapTextControl(&plug, IRECT(0, 0, 100, 30), &glyphs, 10, 10, "OK 1"));
  Redraw();
  // The default style centres: (100 - 40) / 2 = 30 from the left.
  EXPECT_EQ(Cells(0, 10, 10, 1), std::vector<std::string>{"...OK 1..."});
  text->SetClean();
  text->SetTextFromPlug("OK 1");
  EXPECT_FALSE(text->IsDirty());
  text->SetTextFromPlug("");
  Redraw();
  EXPECT_EQ(Cells(0, 10, 10, 1), std::vector<std::string>{".........."});
}

TEST_F(ControlsFixture, LinksOpenTheirAddressOrTheBackupWhenItFails) {
  const struct {
    const char* url;
    const char* backup;
    std::vector<bool> answers;
    std::vector<std::string> tried;
  } cases[] = {
      {"https://a.example", "a.example", {true}, {"https://a.example"}},
      {"https://a.example", "a.example", {false, true}, {"https://a.example", "a.example"}},
      {"https://a.example", "a.example", {false, false}, {"https://a.example", "a.example"}},
      {"", "a.example", {true}, {"a.example"}},
      {nullptr, "a.example", {true}, {"a.example"}},
      {"https://a.example", nullptr, {false}, {"https://a.example"}},
      {"", "", {}, {}},
  };
  for (const auto& c : cases) {
    gui->mOpenedURLs.clear();
    gui->mURLAnswers.assign(c.answers.begin(), c.answers.end());
    IURLControl link(&plug, IRECT(0, 0, 10, 10), c.url, c.backup, "no browser");
    IMouseMod left(true);
    link.OnMouseDown(1, 1, &left);
    std::vector<std::string> tried;
    for (const auto& request : gui->mOpenedURLs) {
      tried.push_back(request.url);
      EXPECT_EQ(request.windowTitle, "no browser");
    }
    EXPECT_EQ(tried, c.tried) << (c.url ? c.url : "null");
  }
}

TEST_F(ControlsFixture, LinkTextsAreCutTo255Characters) {
  const std::string longText(400, 'u');
  IURLControl link(&plug, IRECT(0, 0, 10, 10), longText.c_str(), longText.c_str(), longText.c_str());
  EXPECT_EQ(std::string(link.GetURL()), longText.substr(0, 255));
  EXPECT_EQ(std::string(link.GetBackupURL()), longText.substr(0, 255));
  EXPECT_EQ(std::string(link.GetErrMsg()), longText.substr(0, 255));
  IURLControl empty(&plug, IRECT(0, 0, 10, 10), nullptr);
  EXPECT_STREQ(empty.GetURL(), "");
  EXPECT_STREQ(empty.GetErrMsg(), "");
}

TEST_F(ControlsFixture, FileSelectorsRunTheDialogAndAreDirtyOnceMoreAfterIt) {
  IBitmap picture = Strip(20, 10, 1);
  auto* selector = Attach(new IFileSelectorControl(&plug, IRECT(10, 10, 30, 20), 14, &picture, kFileSave,
                                                   "/home/someone/", "qv bgp"));
  selector->SetValueFromPlug(0.0);
  Redraw();
  EXPECT_EQ(FrameAt(15, 15), 0);
  int stateDuringPrompt = -1, frameDuringPrompt = -1;
  gui->mWhilePrompting = [&] {
    stateDuringPrompt = selector->GetState();
    Redraw();
    frameDuringPrompt = FrameAt(15, 15);
  };
  gui->mFileAnswers.push_back("/home/someone/kick.qv");
  Click(15, 15);
  EXPECT_EQ(stateDuringPrompt, IFileSelectorControl::kFileSelectBusy);
  EXPECT_EQ(frameDuringPrompt, 1);
  ASSERT_EQ(gui->mFilePrompts.size(), 1u);
  EXPECT_EQ(gui->mFilePrompts[0].action, kFileSave);
  EXPECT_EQ(gui->mFilePrompts[0].dir, "/home/someone/");
  EXPECT_EQ(gui->mFilePrompts[0].extensions, "qv bgp");
  WDL_String chosen;
  selector->GetLastSelectedFileForPlug(&chosen);
  EXPECT_STREQ(chosen.Get(), "/home/someone/kick.qv");
  EXPECT_EQ(selector->GetValue(), 1.0);
  EXPECT_EQ(plug.GetParam(14)->Value(), 1.0);

  // Done: dirty exactly once more after the drawing that cleaned it.
  EXPECT_EQ(selector->GetState(), IFileSelectorControl::kFileSelectDone);
  selector->SetClean();
  EXPECT_TRUE(selector->IsDirty());
  EXPECT_EQ(selector->GetState(), IFileSelectorControl::kFileSelectIdle);
  EXPECT_FALSE(selector->IsDirty());
  Redraw();
  EXPECT_EQ(FrameAt(15, 15), 0);

  // A cancelled dialog leaves the path empty; the value toggles back.
  gui->mWhilePrompting = nullptr;
  Click(15, 15);
  selector->GetLastSelectedFileForPlug(&chosen);
  EXPECT_STREQ(chosen.Get(), "");
  EXPECT_EQ(selector->GetValue(), 0.0);
  selector->SetLastSelectedFileFromPlug("/tmp/x.qv");
  selector->GetLastSelectedFileForPlug(&chosen);
  EXPECT_STREQ(chosen.Get(), "/tmp/x.qv");
}

TEST(FileSelector, WithoutAnEditorNothingHappens) {
  LoggingPlug plug(nullptr, 1);
  IBitmap picture;
  IFileSelectorControl selector(&plug, IRECT(0, 0, 10, 10), 0, &picture, kFileOpen);
  selector.SetClean();
  selector.OnMouseDown(1, 1, nullptr);
  EXPECT_EQ(selector.GetState(), IFileSelectorControl::kFileSelectIdle);
  EXPECT_FALSE(selector.IsDirty());
  EXPECT_TRUE(plug.mInformedChanges.empty());
}

}  // namespace
