#include <gtest/gtest.h>

#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using gfxtest::Log;
using gfxtest::LoggingPlug;
using gfxtest::ProbeControl;
using gfxtest::TestGraphics;

struct FrameFixture : testing::Test {
  FrameFixture() : gui(new TestGraphics(&plug, 100, 100)) {
    plug.AttachGraphics(gui);
    bg = Add(IRECT(0, 0, 100, 100), "bg");
    a = Add(IRECT(10, 10, 30, 30), "a");
    b = Add(IRECT(20, 20, 40, 40), "b");
    c = Add(IRECT(60, 60, 80, 80), "c");
  }
  ProbeControl* Add(IRECT r, const char* name) {
    auto* control = new ProbeControl(&plug, r, -1, name, &log);
    gui->AttachControl(control);
    return control;
  }
  void CleanAll() {
    for (int i = 0; i < gui->NControls(); ++i) gui->GetControl(i)->SetClean();
    log.clear();
  }
  bool Tick(IRECT* r) {
    *r = IRECT();
    return gui->IsDirty(r);
  }

  Log log;
  LoggingPlug plug;
  TestGraphics* gui;
  ProbeControl *bg, *a, *b, *c;
};

TEST_F(FrameFixture, DirtyCollectionUnitesTheDirtyRectangles) {
  IRECT r;
  EXPECT_TRUE(Tick(&r));
  EXPECT_EQ(r, IRECT(0, 0, 100, 100));
  CleanAll();
  a->SetDirty(false);
  c->SetDirty(false);
  EXPECT_TRUE(Tick(&r));
  EXPECT_EQ(r, IRECT(10, 10, 80, 80));
}

TEST_F(FrameFixture, IdleComesOnEveryFourthCleanTickInARow) {
  CleanAll();
  IRECT r;
  const bool dirtyTicks[] = {false, false, false, false, false, false, true, false, false, false, false};
  std::vector<int> idleAfter;
  for (bool dirty : dirtyTicks) {
    if (dirty) a->SetDirty(false);
    EXPECT_EQ(Tick(&r), dirty);
    if (dirty) a->SetClean();
    idleAfter.push_back(c->mIdleCalls);
  }
  // Idle on ticks 4 and 11; the dirty seventh tick restarts the count.
  EXPECT_EQ(idleAfter, (std::vector<int>{0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 2}));
  EXPECT_EQ(bg->mIdleCalls, 2);
  // The plug-in's work for its editor comes at every tick, dirty or not.
  EXPECT_EQ(plug.mIdleCalls, 11);
}

TEST_F(FrameFixture, StrictDrawingDrawsWhatMeetsTheAreaAndCleansEverything) {
  CleanAll();
  b->Hide(true);
  b->SetDirty(false);
  a->SetDirty(false);
  IRECT r(10, 10, 30, 30);
  EXPECT_TRUE(gui->Draw(&r));
  // b meets the area but is hidden; c is far away.
  EXPECT_EQ(log, (Log{"bg draw", "a draw"}));
  EXPECT_FALSE(a->IsDirty());
  // b's hiding asked for a second frame; c was clean.
  EXPECT_TRUE(b->IsDirty());
  EXPECT_FALSE(c->IsDirty());
  EXPECT_EQ(*gui->GetDrawRect(), r);
  ASSERT_EQ(gui->mScreenRects.size(), 1u);
  EXPECT_EQ(gui->mScreenRects[0], r);
  gui->mScreenAnswer = false;
  EXPECT_FALSE(gui->Draw(&r));
}

TEST_F(FrameFixture, NonStrictDrawingWithADirtyBackgroundDrawsEverythingShown) {
  gui->SetStrictDrawing(false);
  EXPECT_FALSE(gui->GetStrictDrawing());
  CleanAll();
  bg->SetDirty(false);
  c->Hide(true);
  IRECT r(0, 0, 1, 1);
  gui->Draw(&r);
  EXPECT_EQ(log, (Log{"bg draw", "a draw", "b draw"}));
  EXPECT_EQ(*gui->GetDrawRect(), IRECT(0, 0, 100, 100));
  // The hidden control keeps its flag.
  EXPECT_TRUE(c->IsDirty());
  EXPECT_FALSE(a->IsDirty());
}

TEST_F(FrameFixture, NonStrictDrawingRedrawsWhatMeetsEachDirtyControl) {
  gui->SetStrictDrawing(false);
  CleanAll();
  a->Hide(true);
  a->SetClean();
  ASSERT_TRUE(a->IsDirty());
  log.clear();
  IRECT r(0, 0, 1, 1);
  gui->Draw(&r);
  // a is hidden: the background and b, which meet its rectangle, are drawn.
  EXPECT_EQ(log, (Log{"bg draw", "b draw"}));
  EXPECT_FALSE(a->IsDirty());
  log.clear();
  c->SetDirty(false);
  gui->Draw(&r);
  EXPECT_EQ(log, (Log{"bg draw", "c draw"}));
  EXPECT_EQ(*gui->GetDrawRect(), IRECT(60, 60, 80, 80));
}

TEST(FrameLoop, WithoutControlsDrawingDoesNothing) {
  LoggingPlug plug;
  TestGraphics* gui = new TestGraphics(&plug, 10, 10);
  plug.AttachGraphics(gui);
  IRECT r(0, 0, 10, 10);
  EXPECT_TRUE(gui->Draw(&r));
  EXPECT_TRUE(gui->mScreenRects.empty());
  EXPECT_FALSE(gui->IsDirty(&r));
  // Non-strict drawing draws the background even when it is hidden.
  Log log;
  auto* only = new ProbeControl(&plug, IRECT(0, 0, 10, 10), -1, "only", &log);
  gui->AttachControl(only);
  gui->SetStrictDrawing(false);
  only->Hide(true);
  gui->Draw(&r);
  EXPECT_EQ(log, (Log{"only draw"}));
}

TEST(FrameLoop, FrameRateDefaultsToTwentyFive) {
  LoggingPlug plug;
  const struct {
    int asked, expected;
  } cases[] = {{0, 25}, {-3, 25}, {1, 1}, {60, 60}};
  for (const auto& k : cases) {
    TestGraphics gui(&plug, 10, 10, k.asked);
    EXPECT_EQ(gui.FPS(), k.expected) << k.asked;
  }
}

}  // namespace
