#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "graphics/BitmapControls.h"
#include "tests/graphics/ControlsFixture.h"

namespace {

using gfxtest::ControlsFixture;

std::vector<double> InformedValues(const gfxtest::LoggingPlug& plug, int idx) {
  std::vector<double> values;
  for (const auto& change : plug.mInformedChanges) {
    if (change.idx == idx) values.push_back(change.value);
  }
  return values;
}

TEST_F(ControlsFixture, ABitmapShowsTheFrameOfItsValue) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    int frames;
    double value;
    int shown;
  } cases[] = {
      {128, 0.5, 65}, {128, 1.0, 128}, {128, 0.0, 1}, {4, 0.16, 1}, {4, 0.17, 2}, {4, 2.0 / 3.0, 3},
      {2, 0.49, 1},   {2, 0.5, 2},     {1, 1.0, 1},   {3, 1.7, 3},  {3, -0.4, 1}, {3, nan, 1},
  };
  for (const auto& c : cases) {
    IBitmap strip = Strip(6, 4, c.frames);
    IBitmapControl control(&plug, 10, 20, -1, &strip);
    EXPECT_EQ(*control.GetRECT(), IRECT(10, 20, 16, 24));
    control.SetValueFromPlug(c.value);
    DrawAlone(&control);
    EXPECT_EQ(FrameAt(12, 21), c.shown) << c.frames << " frames at " << c.value;
    EXPECT_EQ(FrameAt(16, 21), 0);
  }
}

TEST_F(ControlsFixture, SwitchesStepThroughTheirFramesAndWrapToZero) {
  const struct {
    int frames;
    std::vector<double> values;  // after each click
  } cases[] = {
      {2, {1.0, 0.0, 1.0}},
      {4, {1.0 / 3.0, 2.0 / 3.0, 1.0, 0.0, 1.0 / 3.0}},
      {1, {1.0, 0.0}},
      {128, {1.0 / 127.0, 2.0 / 127.0}},
  };
  for (const auto& c : cases) {
    IBitmap strip = Strip(4, 4, c.frames);
    ISwitchControl control(&plug, 0, 0, 7, &strip);
    control.SetValueFromPlug(0.0);
    plug.mInformedChanges.clear();
    IMouseMod left(true);
    for (double expected : c.values) {
      control.OnMouseDown(1, 1, &left);
      EXPECT_NEAR(control.GetValue(), expected, 1e-12) << c.frames << " frames";
    }
    const std::vector<double> informed = InformedValues(plug, 7);
    ASSERT_EQ(informed.size(), c.values.size());
    for (size_t i = 0; i < informed.size(); ++i) EXPECT_NEAR(informed[i], c.values[i], 1e-12);
  }
}

TEST_F(ControlsFixture, ADoubleClickOnASwitchIsOneMoreStep) {
  IBitmap strip = Strip(4, 4, 2);
  auto* control = Attach(new ISwitchControl(&plug, 30, 30, 3, &strip));
  control->SetValueFromPlug(0.0);
  IMouseMod left(true);
  gui->OnMouseDown(31, 31, &left);
  gui->OnMouseUp(31, 31, &left);
  EXPECT_EQ(control->GetValue(), 1.0);
  gui->OnMouseDblClick(31, 31, &left);
  EXPECT_EQ(control->GetValue(), 0.0);
  EXPECT_EQ(plug.GetParam(3)->Value(), 0.0);
  Redraw();
  EXPECT_EQ(FrameAt(31, 31), 1);
}

TEST_F(ControlsFixture, AContactIsOnOnlyWhileHeld) {
  IBitmap strip = Strip(8, 8, 2);
  auto* contact = Attach(new IContactControl(&plug, 40, 40, 12, &strip));
  contact->SetValueFromPlug(0.0);
  IMouseMod left(true);
  gui->OnMouseDown(42, 42, &left);
  EXPECT_EQ(contact->GetValue(), 1.0);
  Redraw();
  EXPECT_EQ(FrameAt(42, 42), 2);
  gui->OnMouseUp(42, 42, &left);
  EXPECT_EQ(contact->GetValue(), 0.0);
  EXPECT_EQ(InformedValues(plug, 12), (std::vector<double>{1.0, 0.0}));
  EXPECT_EQ(plug.mBeginGestures, std::vector<int>{12});
  EXPECT_EQ(plug.mEndGestures, std::vector<int>{12});
}

TEST_F(ControlsFixture, AnOverlayListensOnItsTargetWhileOffAndCoversItsRectangleWhileOn) {
  IBitmap strip = Strip(20, 20, 2);
  auto* overlay = Attach(new IBitmapOverlayControl(&plug, 50, 50, 4, &strip, IRECT(0, 0, 10, 10)));
  overlay->SetValueFromPlug(0.0);
  Redraw();
  EXPECT_EQ(FrameAt(55, 55), 0);
  EXPECT_TRUE(overlay->IsHit(5, 5));
  EXPECT_FALSE(overlay->IsHit(55, 55));
  Click(5, 5);
  EXPECT_EQ(overlay->GetValue(), 1.0);
  Redraw();
  EXPECT_EQ(FrameAt(55, 55), 2);
  EXPECT_FALSE(overlay->IsHit(5, 5));
  EXPECT_TRUE(overlay->IsHit(55, 55));
  EXPECT_EQ(gui->GetMouseControlIdx(5, 5), 0);
}

TEST_F(ControlsFixture, AnInvisibleSwitchTogglesAndDrawsNothing) {
  auto* area = Attach(new IInvisibleSwitchControl(&plug, IRECT(20, 20, 40, 40), 9));
  EXPECT_EQ(area->GetBlend()->mMethod, IChannelBlend::kBlendClobber);
  area->SetValueFromPlug(0.3);
  for (double expected : {1.0, 0.0, 1.0}) {
    Click(25, 25);
    EXPECT_EQ(area->GetValue(), expected);
    EXPECT_EQ(plug.GetParam(9)->Value(), expected);
  }
  Redraw();
  EXPECT_EQ(FrameAt(25, 25), 0);
}

std::vector<IRECT> ButtonRects(const IRadioButtonsControl& radio) {
  std::vector<IRECT> rects;
  for (int i = 0; i < radio.NButtons(); ++i) rects.push_back(*radio.GetButtonRECT(i));
  return rects;
}

TEST_F(ControlsFixture, RadioButtonsSpreadOverTheirRectangle) {
  const struct {
    IRECT rect;
    int n, w, h;
    EDirection direction;
    bool reverse;
    std::vector<IRECT> buttons;
  } cases[] = {
      {IRECT(0, 0, 10, 80), 3, 10, 20, kVertical, false,
       {IRECT(0, 0, 10, 20), IRECT(0, 30, 10, 50), IRECT(0, 60, 10, 80)}},
      {IRECT(5, 0, 15, 85), 3, 10, 20, kVertical, false,
       {IRECT(5, 0, 15, 20), IRECT(5, 32, 15, 52), IRECT(5, 64, 15, 84)}},
      {IRECT(0, 0, 10, 80), 3, 10, 20, kVertical, true,
       {IRECT(0, 60, 10, 80), IRECT(0, 30, 10, 50), IRECT(0, 0, 10, 20)}},
      {IRECT(5, 7, 61, 20), 4, 10, 8, kHorizontal, false,
       {IRECT(5, 7, 15, 15), IRECT(20, 7, 30, 15), IRECT(35, 7, 45, 15), IRECT(50, 7, 60, 15)}},
      {IRECT(5, 7, 61, 20), 4, 10, 8, kHorizontal, true,
       {IRECT(51, 7, 61, 15), IRECT(36, 7, 46, 15), IRECT(21, 7, 31, 15), IRECT(6, 7, 16, 15)}},
      {IRECT(0, 0, 50, 50), 1, 10, 20, kVertical, false, {IRECT(0, 0, 10, 20)}},
      {IRECT(0, 0, 50, 50), 1, 10, 20, kHorizontal, true, {IRECT(40, 0, 50, 20)}},
      {IRECT(0, 0, 50, 50), 0, 10, 20, kVertical, false, {}},
  };
  for (const auto& c : cases) {
    IBitmap strip = Strip(c.w, c.h, 2);
    IRadioButtonsControl radio(&plug, c.rect, -1, c.n, &strip, c.direction, c.reverse);
    EXPECT_EQ(ButtonRects(radio), c.buttons) << c.n << " buttons, direction " << c.direction << " reversed "
                                             << c.reverse;
  }
}

TEST_F(ControlsFixture, ARadioButtonClickedSetsItsIndexAndAGapChangesNothing) {
  IBitmap strip = Strip(10, 20, 2);
  auto* radio = Attach(new IRadioButtonsControl(&plug, IRECT(0, 0, 10, 80), 6, 3, &strip));
  radio->SetValueFromPlug(0.0);
  const struct {
    int x, y;
    double value;
  } clicks[] = {{5, 40, 0.5}, {5, 25, 0.5}, {5, 79, 1.0}, {5, 55, 1.0}, {5, 0, 0.0}, {5, 31, 0.5}};
  for (const auto& click : clicks) {
    Click(click.x, click.y);
    EXPECT_EQ(radio->GetValue(), click.value) << click.y;
    EXPECT_EQ(plug.GetParam(6)->Value(), click.value) << click.y;
  }
  // The second button is active: frame 2 there, frame 1 elsewhere.
  Redraw();
  EXPECT_EQ(FrameAt(5, 10), 1);
  EXPECT_EQ(FrameAt(5, 40), 2);
  EXPECT_EQ(FrameAt(5, 70), 1);
  EXPECT_EQ(FrameAt(5, 25), 0);

  // The R modifier prompts (when prompting is on) and changes nothing.
  radio->DisablePrompt(false);
  Click(5, 70, IMouseMod(false, true));
  EXPECT_EQ(radio->GetValue(), 0.5);
  EXPECT_EQ(gui->mTextEntries.size(), 1u);
}

TEST_F(ControlsFixture, ASingleRadioButtonNeverSteps) {
  IBitmap strip = Strip(10, 20, 2);
  auto* radio = Attach(new IRadioButtonsControl(&plug, IRECT(0, 0, 10, 80), 6, 1, &strip));
  radio->SetValueFromPlug(0.25);
  Click(5, 5);
  EXPECT_EQ(radio->GetValue(), 0.25);
  EXPECT_EQ(plug.GetParam(6)->Value(), 0.25);
  Redraw();
  EXPECT_EQ(FrameAt(5, 5), 2);
}

}  // namespace
