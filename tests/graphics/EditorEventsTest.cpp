#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "graphics/BitmapControls.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using gfxtest::Log;
using gfxtest::LoggingPlug;
using gfxtest::ProbeControl;
using gfxtest::TestGraphics;

// A background over the whole editor and a few controls on it.
struct EventFixture : testing::Test {
  EventFixture() : plug(&log), gui(new TestGraphics(&plug, 200, 100)) {
    plug.AttachGraphics(gui);
    background = Add(IRECT(0, 0, 200, 100), -1, "bg");
    knob = Add(IRECT(10, 10, 50, 50), 7, "knob");
    plain = Add(IRECT(100, 10, 140, 50), -1, "plain");
    log.clear();
  }
  ProbeControl* Add(IRECT r, int paramIdx, const char* name) {
    auto* c = new ProbeControl(&plug, r, paramIdx, name, &log);
    gui->AttachControl(c);
    return c;
  }

  Log log;
  LoggingPlug plug;
  TestGraphics* gui;
  ProbeControl* background;
  ProbeControl* knob;
  ProbeControl* plain;
  IMouseMod left{true};
};

TEST_F(EventFixture, PressDragReleaseBracketsTheGestureEvenWhenReleasedOutside) {
  gui->OnMouseDown(20, 30, &left);
  gui->OnMouseDrag(20, 25, &left);
  gui->OnMouseDrag(20, 25, &left);
  gui->OnMouseDrag(70, 90, &left);
  gui->OnMouseUp(150, 95, &left);
  gui->OnMouseDrag(20, 20, &left);
  EXPECT_EQ(log, (Log{"knob down 20,30", "begin 7", "knob drag 20,25 by 0,-5", "knob drag 70,90 by 50,65",
                      "knob up 150,95", "end 7"}));
  EXPECT_EQ(gui->GetMouseCapture(), -1);
  EXPECT_EQ(gui->GetMouseX(), -1);
}

// Pointer positions no screen has: the steps between them stop at the
// integer range instead of overflowing.
TEST_F(EventFixture, DragStepsBetweenTheFarthestPointsStopAtTheIntegerRange) {
  Add(IRECT(INT_MIN, INT_MIN, INT_MAX, INT_MAX), 9, "everywhere");
  log.clear();
  gui->OnMouseDown(INT_MIN, INT_MIN, &left);
  gui->OnMouseDrag(INT_MAX, INT_MAX, &left);
  gui->OnMouseDrag(INT_MIN, 0, &left);
  gui->OnMouseDrag(INT_MIN, -1, &left);
  const std::string lo = std::to_string(INT_MIN), hi = std::to_string(INT_MAX);
  EXPECT_EQ(log, (Log{"everywhere down " + lo + "," + lo, "begin 9",
                      "everywhere drag " + hi + "," + hi + " by " + hi + "," + hi,
                      "everywhere drag " + lo + ",0 by " + lo + ",-" + hi, "everywhere drag " + lo + ",-1 by 0,-1"}));
}

TEST_F(EventFixture, APressOnAGreyedControlFallsThroughToTheOneBelow) {
  knob->GrayOut(true);
  gui->OnMouseDown(20, 30, &left);
  gui->OnMouseUp(20, 30, &left);
  EXPECT_EQ(log, (Log{"bg down 20,30", "bg up 20,30"}));
  knob->GrayOut(false);
  knob->Hide(true);
  EXPECT_EQ(gui->GetMouseControlIdx(20, 30), 0);
  EXPECT_EQ(gui->GetMouseControlIdx(-5, 30), -1);
}

TEST_F(EventFixture, ADoubleClickTakenAsAPressEndsWithoutABeginning) {
  knob->SetDoubleClickAsSingle(true);
  EXPECT_TRUE(gui->OnMouseDblClick(20, 30, &left));
  EXPECT_EQ(gui->GetMouseCapture(), 1);
  gui->OnMouseUp(20, 30, &left);
  EXPECT_EQ(log, (Log{"knob down 20,30", "knob up 20,30", "end 7"}));
  log.clear();
  EXPECT_FALSE(gui->OnMouseDblClick(110, 30, &left));
  EXPECT_EQ(gui->GetMouseCapture(), -1);
  EXPECT_EQ(log, (Log{"plain dblclick 110,30"}));
  gui->OnMouseDown(300, 300, &left);
  EXPECT_FALSE(gui->OnMouseDblClick(300, 300, &left));
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(EventFixture, WheelAndKeysGoToTheCapturedControlFirst) {
  gui->OnMouseDown(20, 30, &left);
  log.clear();
  gui->OnMouseWheel(110, 30, &left, 2);
  EXPECT_TRUE(gui->OnKeyDown(110, 30, KEY_SPACE));
  gui->OnMouseUp(20, 30, &left);
  log.clear();
  gui->OnMouseWheel(110, 30, &left, -1);
  plain->mTakesKeys = false;
  EXPECT_FALSE(gui->OnKeyDown(110, 30, KEY_ALPHA_Z));
  EXPECT_EQ(log, (Log{"plain wheel -1", "plain key 40"}));
}

TEST_F(EventFixture, KeysOffTheControlsGoToTheKeyCatcher) {
  EXPECT_FALSE(gui->OnKeyDown(180, 80, KEY_DIGIT_0));
  EXPECT_FALSE(gui->OnKeyDown(-1, -1, KEY_DIGIT_0));
  gui->AttachKeyCatcher(new ProbeControl(&plug, IRECT(), -1, "catcher", &log));
  EXPECT_TRUE(gui->OnKeyDown(180, 80, KEY_DIGIT_9));
  EXPECT_TRUE(gui->OnKeyDown(-1, -1, KEY_UPARROW));
  EXPECT_EQ(log, (Log{"catcher key 14", "catcher key 1"}));
}

TEST_F(EventFixture, MouseOverIsDeliveredOnlyWhenAskedFor) {
  EXPECT_FALSE(gui->OnMouseOver(20, 30, &left));
  EXPECT_TRUE(log.empty());
  gui->HandleMouseOver(true);
  EXPECT_TRUE(gui->OnMouseOver(20, 30, &left));
  EXPECT_TRUE(gui->OnMouseOver(21, 30, &left));
  EXPECT_TRUE(gui->OnMouseOver(110, 30, &left));
  plain->GrayOut(true);
  EXPECT_TRUE(gui->OnMouseOver(111, 30, &left));
  plain->SetMOWhenGrayed(true);
  EXPECT_TRUE(gui->OnMouseOver(112, 30, &left));
  gui->OnMouseOut();
  EXPECT_EQ(gui->GetMouseOver(), -1);
  EXPECT_EQ(log, (Log{"knob over 20,30", "knob over 21,30", "plain over 110,30", "knob out", "bg over 111,30",
                      "plain out", "plain over 112,30", "bg out", "bg out", "knob out", "plain out"}));
}

TEST_F(EventFixture, BackgroundsGoUnderTheControlsAlreadyAttached) {
  TestGraphics* empty = new TestGraphics(&plug, 30, 20);
  EXPECT_EQ(empty->AttachControl(new ProbeControl(&plug, IRECT(0, 0, 5, 5), -1, "first", &log)), 0);
  empty->mImages["back.png"] = {30, 20};
  empty->AttachBackground(1001, "back.png");
  EXPECT_EQ(empty->NControls(), 2);
  EXPECT_EQ(*empty->GetControl(0)->GetRECT(), IRECT(0, 0, 30, 20));
  EXPECT_EQ(*empty->GetControl(1)->GetRECT(), IRECT(0, 0, 5, 5));
  EXPECT_EQ(empty->GetControl(0)->GetBlend()->mMethod, IChannelBlend::kBlendClobber);
  const IColor grey = COLOR_GRAY;
  empty->AttachPanelBackground(&grey);
  EXPECT_EQ(empty->NControls(), 3);
  EXPECT_EQ(*empty->GetControl(0)->GetRECT(), IRECT(0, 0, 30, 20));
  EXPECT_EQ(empty->GetControl(0)->ParamIdx(), -1);
  delete empty;
}

TEST_F(EventFixture, ParameterValuesReachEveryBoundControl) {
  ProbeControl* second = Add(IRECT(60, 60, 70, 70), 7, "second");
  second->AddAuxParam(8);
  knob->SetValueFromPlug(0.5);
  second->SetValueFromPlug(0.5);
  // Parameters here span 0..1, so both forms carry the same number.
  gui->SetParameterFromPlug(7, 0.25, false);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.25);
  EXPECT_DOUBLE_EQ(second->GetValue(), 0.25);
  gui->SetParameterFromPlug(8, 0.75, true);
  EXPECT_DOUBLE_EQ(second->GetAuxParam(0)->mValue, 0.75);
  EXPECT_DOUBLE_EQ(second->GetValue(), 0.25);
  gui->SetParameterFromPlug(400, 0.5, false);
  gui->SetControlFromPlug(2, 0.9);
  gui->SetControlFromPlug(99, 0.9);
  gui->SetControlFromPlug(-1, 0.9);
  EXPECT_DOUBLE_EQ(plain->GetDefaultValue(), 0.9);
  EXPECT_TRUE(plug.mInformedChanges.empty());
}

TEST_F(EventFixture, ControlsFoundByParameterAreHiddenGreyedAndClamped) {
  gui->HideControl(7, true);
  EXPECT_TRUE(knob->IsHidden());
  EXPECT_FALSE(plain->IsHidden());
  gui->GrayOutControl(7, true);
  EXPECT_TRUE(knob->IsGrayed());
  gui->ClampControl(7, 0.25, 0.5, false);
  EXPECT_DOUBLE_EQ(knob->GetClampLo(), 0.25);
  EXPECT_DOUBLE_EQ(knob->GetClampHi(), 0.5);
  EXPECT_DOUBLE_EQ(plain->GetClampHi(), 1.0);
}

TEST_F(EventFixture, AutomationByPointerNamesTheParameterUnderIt) {
  EXPECT_EQ(gui->GetParamIdxForPTAutomation(20, 30), 7);
  EXPECT_EQ(gui->GetLastClickedParamForPTAutomation(), 7);
  EXPECT_EQ(gui->GetLastClickedParamForPTAutomation(), -1);
  EXPECT_EQ(gui->GetParamIdxForPTAutomation(180, 80), -1);
  EXPECT_EQ(gui->GetLastClickedParamForPTAutomation(), -1);
}

TEST_F(EventFixture, ResizeDropsTheControlsAndLetsThePlugInRebuild) {
  gui->OnMouseDown(20, 30, &left);
  gui->Resize(300, 150);
  EXPECT_EQ(gui->NControls(), 0);
  EXPECT_EQ(gui->GetMouseCapture(), -1);
  EXPECT_EQ(gui->Width(), 300);
  ASSERT_EQ(plug.mResizes.size(), 1u);
  EXPECT_EQ(plug.mResizes[0], std::make_pair(300, 150));
  ASSERT_NE(gui->GetBits(), nullptr);
  EXPECT_EQ(gui->GetPoint(299, 149), IColor(0, 0, 0, 0));
}

}  // namespace
