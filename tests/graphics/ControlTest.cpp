#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graphics/TextControls.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using gfxtest::LoggingPlug;
using gfxtest::ProbeControl;
using gfxtest::TestGraphics;

// A plug-in with its editor attached, as the framework attaches it.
struct ControlFixture : testing::Test {
  ControlFixture() : gui(new TestGraphics(&plug, 200, 100)) { plug.AttachGraphics(gui); }

  ProbeControl* Attach(IRECT r, int paramIdx) {
    auto* c = new ProbeControl(&plug, r, paramIdx, "c", nullptr);
    gui->AttachControl(c);
    return c;
  }
  // Redraws once; returns whether the control stays dirty.
  static bool DirtyAfterDraw(IControl* c) {
    c->SetClean();
    return c->IsDirty();
  }

  LoggingPlug plug;
  TestGraphics* gui;
};

TEST_F(ControlFixture, FirstValueFromThePlugInBecomesTheDoubleClickDefault) {
  ProbeControl* c = Attach(IRECT(0, 0, 10, 10), 3);
  EXPECT_DOUBLE_EQ(c->GetDefaultValue(), -1.0);
  c->SetValueFromPlug(0.35);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.35);
  EXPECT_DOUBLE_EQ(c->GetDefaultValue(), 0.35);
  EXPECT_TRUE(c->IsDirty());
  EXPECT_FALSE(c->GetRedraw());
  EXPECT_FALSE(DirtyAfterDraw(c));

  IMouseMod none;
  c->OnMouseWheel(0, 0, &none, 20);
  EXPECT_NEAR(plug.GetParam(3)->Value(), 0.55, 1e-12);
  plug.mInformedChanges.clear();
  c->OnMouseDblClick(0, 0, &none);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.35);
  EXPECT_DOUBLE_EQ(plug.GetParam(3)->Value(), 0.35);
  ASSERT_EQ(plug.mInformedChanges.size(), 1u);
  EXPECT_EQ(plug.mInformedChanges[0].idx, 3);
}

TEST_F(ControlFixture, AValueFromThePlugInRedrawsTwiceAndAnEqualOneNotAtAll) {
  ProbeControl* c = Attach(IRECT(0, 0, 10, 10), 3);
  c->SetValueFromPlug(0.5);
  c->SetClean();
  c->SetValueFromPlug(0.5);
  EXPECT_FALSE(c->IsDirty());
  c->SetValueFromPlug(0.7);
  EXPECT_TRUE(DirtyAfterDraw(c));
  EXPECT_FALSE(DirtyAfterDraw(c));
  EXPECT_TRUE(plug.mInformedChanges.empty());
}

TEST_F(ControlFixture, WheelStepsAreClampedAndPushed) {
  const struct {
    int d;
    IMouseMod mod;
    double start;
    double expected;
  } cases[] = {
      {3, IMouseMod(false, false, true), 0.5, 0.503},  {3, IMouseMod(false, false, false, true), 0.5, 0.503},
      {3, IMouseMod(), 0.5, 0.53},                     {-2, IMouseMod(), 0.5, 0.48},
      {70, IMouseMod(), 0.5, 1.0},                     {-70, IMouseMod(true, true), 0.5, 0.0},
  };
  ProbeControl* c = Attach(IRECT(0, 0, 10, 10), 4);
  for (const auto& k : cases) {
    c->SetValueFromUserInput(k.start);
    IMouseMod mod = k.mod;
    c->OnMouseWheel(0, 0, &mod, k.d);
    EXPECT_NEAR(c->GetValue(), k.expected, 1e-12) << k.d;
    EXPECT_NEAR(plug.GetParam(4)->Value(), k.expected, 1e-12) << k.d;
  }
}

TEST_F(ControlFixture, DoubleClickWithoutADefaultChangesNothing) {
  auto* c = new ProbeControl(&plug, IRECT(0, 0, 10, 10), 6, "c", nullptr);
  c->SetValueFromUserInput(0.2);
  plug.mInformedChanges.clear();
  IMouseMod none;
  c->OnMouseDblClick(0, 0, &none);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.2);
  EXPECT_TRUE(plug.mInformedChanges.empty());
  delete c;
}

TEST_F(ControlFixture, GreyingSetsTheBlendWeightAndHidingRedrawsTwice) {
  ProbeControl* c = Attach(IRECT(0, 0, 10, 10), -1);
  c->GrayOut(true);
  EXPECT_TRUE(c->IsGrayed());
  EXPECT_FLOAT_EQ(c->GetBlend()->mWeight, 0.25f);
  c->GrayOut(false);
  EXPECT_FLOAT_EQ(c->GetBlend()->mWeight, 1.0f);
  c->SetClean();
  c->Hide(true);
  EXPECT_TRUE(c->IsHidden());
  EXPECT_TRUE(DirtyAfterDraw(c));
  EXPECT_FALSE(DirtyAfterDraw(c));
}

TEST_F(ControlFixture, HitTestingUsesTheTargetRectangle) {
  ProbeControl* c = Attach(IRECT(10, 10, 20, 20), -1);
  EXPECT_FALSE(c->IsHit(20, 15));
  EXPECT_TRUE(c->IsHit(10, 10));
  c->SetTargetArea(IRECT());
  for (int x = -1; x <= 1; ++x) EXPECT_FALSE(c->IsHit(x, 0));
}

TEST_F(ControlFixture, SetDirtyClampsPushesAndRefreshesLinkedTexts) {
  IText style;
  auto* valueText = new ITextControl(&plug, IRECT(0, 20, 50, 30), &style, "old");
  auto* nameText = new ITextControl(&plug, IRECT(0, 30, 50, 40), &style, "Param9");
  ProbeControl* c = Attach(IRECT(0, 0, 10, 10), 9);
  gui->AttachControl(valueText);
  gui->AttachControl(nameText);
  c->SetValDisplayControl(valueText);
  c->SetNameDisplayControl(nameText);
  valueText->SetClean();
  nameText->SetClean();
  c->Clamp(0.2, 0.6);
  c->SetValueFromUserInput(0.9);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.6);
  EXPECT_DOUBLE_EQ(plug.GetParam(9)->Value(), 0.6);
  EXPECT_STREQ(valueText->GetTextString(), "0.600");
  EXPECT_TRUE(valueText->IsDirty());
  // The name did not change, so its control is not redrawn.
  EXPECT_STREQ(nameText->GetTextString(), "Param9");
  EXPECT_FALSE(nameText->IsDirty());
  c->SetValueFromUserInput(0.1);
  EXPECT_DOUBLE_EQ(plug.GetParam(9)->Value(), 0.2);
  c->SetValueFromUserInput(std::numeric_limits<double>::quiet_NaN());
  EXPECT_DOUBLE_EQ(plug.GetParam(9)->Value(), 0.6);
}

TEST_F(ControlFixture, WithoutAParameterSetDirtyOnlyClampsAndMarks) {
  ProbeControl* c = Attach(IRECT(0, 0, 10, 10), -1);
  c->SetClean();
  c->SetValueFromUserInput(1.5);
  EXPECT_DOUBLE_EQ(c->GetValue(), 1.0);
  EXPECT_TRUE(c->IsDirty());
  EXPECT_TRUE(plug.mInformedChanges.empty());
}

TEST_F(ControlFixture, AuxiliaryBindingsTakeValuesAndPushThemInOrder) {
  ProbeControl* c = Attach(IRECT(0, 0, 10, 10), -1);
  EXPECT_EQ(c->AuxParamIdx(12), -1);
  c->AddAuxParam(12);
  c->AddAuxParam(13);
  c->AddAuxParam(12);
  EXPECT_EQ(c->NAuxParams(), 3);
  EXPECT_EQ(c->AuxParamIdx(12), 0);
  EXPECT_EQ(c->AuxParamIdx(13), 1);
  EXPECT_EQ(c->GetAuxParam(3), nullptr);
  c->SetClean();
  gui->SetParameterFromPlug(13, 0.25, true);
  EXPECT_DOUBLE_EQ(c->GetAuxParam(1)->mValue, 0.25);
  EXPECT_TRUE(c->GetRedraw());
  c->SetClean();
  c->SetClean();
  c->SetAuxParamValueFromPlug(1, 0.25);
  EXPECT_FALSE(c->IsDirty());
  c->GetAuxParam(0)->mValue = 0.75;
  plug.mInformedChanges.clear();
  c->SetAllAuxParamsFromGUI();
  ASSERT_EQ(plug.mInformedChanges.size(), 3u);
  EXPECT_EQ(plug.mInformedChanges[1].idx, 13);
  EXPECT_DOUBLE_EQ(plug.GetParam(12)->Value(), 0.0);  // the third record, last
  EXPECT_DOUBLE_EQ(plug.GetParam(13)->Value(), 0.25);
}

TEST_F(ControlFixture, RightClickPromptsOnlyWhenPromptingIsOn) {
  ProbeControl* c = Attach(IRECT(40, 20, 61, 41), 2);
  IMouseMod right(false, true);
  c->OnMouseDown(45, 25, &right);
  EXPECT_TRUE(gui->mTextEntries.empty());
  EXPECT_TRUE(gui->mMenus.empty());
  c->DisablePrompt(false);
  c->SetClean();
  c->OnMouseDown(45, 25, &right);
  ASSERT_EQ(gui->mTextEntries.size(), 1u);
  // A 30 x 16 field centred on the control: centre (50, 30).
  EXPECT_EQ(gui->mTextEntries[0].rect, IRECT(35, 22, 65, 38));
  EXPECT_EQ(gui->mTextEntries[0].text, "0.500");
  EXPECT_EQ(gui->mTextEntries[0].param, plug.GetParam(2));
  EXPECT_TRUE(c->GetRedraw());
  IMouseMod left(true);
  c->OnMouseDown(45, 25, &left);
  EXPECT_EQ(gui->mTextEntries.size(), 1u);
}

// Parameters declared as the editor's prompts meet them: an enum, a bool
// with its texts, and doubles.
struct PromptFixture : testing::Test {
  PromptFixture() : plug(nullptr, 4, false), gui(new TestGraphics(&plug, 100, 100)) {
    plug.GetParam(0)->InitEnum("Mode", 1, 3);
    plug.GetParam(0)->SetDisplayText(0, "Low");
    plug.GetParam(0)->SetDisplayText(1, "Mid");
    plug.GetParam(0)->SetDisplayText(2, "High");
    plug.GetParam(1)->InitBool("Switch", false);
    plug.GetParam(2)->InitDouble("Level", 2.0, -10.0, 10.0, 0.1);
    plug.GetParam(3)->InitDouble("Gain", 0.0, -10.0, 10.0, 0.1);
    plug.GetParam(3)->NegateDisplay();
    plug.AttachGraphics(gui);
    for (int i = 0; i < 4; ++i) {
      controls[i] = new ProbeControl(&plug, IRECT(0, 0, 10, 10), i, "c", nullptr);
      gui->AttachControl(controls[i]);
    }
  }
  LoggingPlug plug;
  TestGraphics* gui;
  ProbeControl* controls[4];
};

TEST_F(PromptFixture, ChoiceParametersPromptWithAMenuOfTheirTexts) {
  IRECT area(1, 2, 3, 4);
  gui->mMenuAnswers.push_back(2);
  gui->PromptUserInput(controls[0], plug.GetParam(0), &area);
  ASSERT_EQ(gui->mMenus.size(), 1u);
  EXPECT_EQ(gui->mMenus[0], (std::vector<std::string>{"Low", "Mid [x]", "High"}));
  EXPECT_DOUBLE_EQ(plug.GetParam(0)->Value(), 2.0);
  EXPECT_DOUBLE_EQ(controls[0]->GetValue(), 1.0);

  gui->PromptUserInput(controls[1], plug.GetParam(1), &area);
  EXPECT_EQ(gui->mMenus[1], (std::vector<std::string>{"off [x]", "on"}));
  EXPECT_DOUBLE_EQ(plug.GetParam(1)->Value(), 0.0);
  EXPECT_TRUE(gui->mTextEntries.empty());
}

TEST_F(PromptFixture, TextEntriesCarryTheValueAndComeBackAsNumbersOrTexts) {
  IRECT area(1, 2, 3, 4);
  gui->PromptUserInput(controls[2], plug.GetParam(2), &area);
  ASSERT_EQ(gui->mTextEntries.size(), 1u);
  EXPECT_EQ(gui->mTextEntries[0].text, "2.0");
  EXPECT_EQ(gui->mTextEntries[0].control, controls[2]);
  gui->PromptUserInput(nullptr, plug.GetParam(2), &area);
  gui->PromptUserInput(controls[2], plug.GetParam(2), nullptr);
  EXPECT_EQ(gui->mTextEntries.size(), 1u);

  gui->SetFromStringAfterPrompt(controls[2], plug.GetParam(2), "5");
  EXPECT_DOUBLE_EQ(plug.GetParam(2)->Value(), 5.0);
  gui->SetFromStringAfterPrompt(controls[3], plug.GetParam(3), "4");
  EXPECT_DOUBLE_EQ(plug.GetParam(3)->Value(), -4.0);
  gui->SetFromStringAfterPrompt(controls[0], plug.GetParam(0), "High");
  EXPECT_DOUBLE_EQ(plug.GetParam(0)->Value(), 2.0);
  gui->SetFromStringAfterPrompt(controls[0], plug.GetParam(0), "nothing");
  EXPECT_DOUBLE_EQ(plug.GetParam(0)->Value(), 0.0);
  gui->SetFromStringAfterPrompt(controls[2], nullptr, "7");
  EXPECT_DOUBLE_EQ(plug.GetParam(2)->Value(), 5.0);
}

}  // namespace
