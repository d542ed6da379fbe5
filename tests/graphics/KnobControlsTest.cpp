#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "graphics/KnobControls.h"
#include "tests/graphics/ControlsFixture.h"

namespace {

using gfxtest::ControlsFixture;

constexpr double kPi = 3.141592653589793;

TEST_F(ControlsFixture, KnobDragsFollowTheGearingAndTheFineModifiers) {
  const IMouseMod none, shift(false, false, true), control(false, false, false, true);
  const struct {
    EDirection direction;
    IRECT rect;
    int dX, dY;
    IMouseMod mod;
    double gearing;
    double start, expected;
  } cases[] = {
      {kVertical, IRECT(0, 0, 30, 40), 0, -16, none, 4.0, 0.5, 0.6},
      {kVertical, IRECT(0, 0, 30, 40), 0, -16, shift, 4.0, 0.5, 0.51},
      {kVertical, IRECT(0, 0, 30, 40), 0, -16, control, 4.0, 0.5, 0.51},
      {kVertical, IRECT(0, 0, 30, 40), 7, 8, none, 4.0, 0.5, 0.45},
      {kVertical, IRECT(0, 0, 30, 40), 0, 400, none, 4.0, 0.5, 0.0},
      {kVertical, IRECT(0, 0, 30, 40), 0, -400, none, 4.0, 0.5, 1.0},
      {kVertical, IRECT(0, 0, 30, 40), 0, -16, none, 1.0, 0.5, 0.9},
      {kHorizontal, IRECT(0, 0, 50, 40), 20, -30, none, 4.0, 0.5, 0.6},
      {kHorizontal, IRECT(0, 0, 50, 40), -10, 0, shift, 4.0, 0.5, 0.495},
  };
  for (const auto& c : cases) {
    IKnobLineControl knob(&plug, c.rect, 5, &COLOR_WHITE, 0.0, 0.0, -2.0, 2.0, c.direction, c.gearing);
    knob.SetValueFromPlug(c.start);
    IMouseMod mod = c.mod;
    knob.OnMouseDrag(0, 0, c.dX, c.dY, &mod);
    EXPECT_NEAR(knob.GetValue(), c.expected, 1e-12) << c.direction << " " << c.dX << "," << c.dY;
    EXPECT_NEAR(plug.GetParam(5)->Value(), c.expected, 1e-12);
  }
}

// A knob without height (or a gearing of 0) has no step to take: the drag is
// ignored instead of sending an extreme to the host.
TEST_F(ControlsFixture, KnobsWithoutTravelIgnoreDrags) {
  const struct {
    IRECT rect;
    EDirection direction;
    double gearing;
  } cases[] = {
      {IRECT(10, 10, 60, 10), kVertical, 4.0},
      {IRECT(10, 10, 10, 60), kHorizontal, 4.0},
      {IRECT(10, 10, 60, 60), kVertical, 0.0},
  };
  for (const auto& c : cases) {
    IKnobLineControl knob(&plug, c.rect, 5, &COLOR_WHITE, 0.0, 0.0, -2.0, 2.0, c.direction, c.gearing);
    knob.SetValueFromPlug(0.3);
    plug.mInformedChanges.clear();
    IMouseMod none;
    for (int d : {0, 5, -5}) knob.OnMouseDrag(0, 0, d, d, &none);
    EXPECT_EQ(knob.GetValue(), 0.3);
    EXPECT_TRUE(plug.mInformedChanges.empty());
  }
}

TEST_F(ControlsFixture, AKnobDraggedThroughTheEditorInformsTheHostWithinAGesture) {
  IBitmap strip = Strip(40, 40, 128);
  auto* knob = Attach(new IKnobMultiControl(&plug, 20, 20, 8, &strip));
  EXPECT_EQ(*knob->GetRECT(), IRECT(20, 20, 60, 60));
  knob->SetValueFromPlug(0.0);
  IMouseMod left(true);
  gui->OnMouseDown(30, 30, &left);
  gui->OnMouseDrag(30, 14, &left);
  gui->OnMouseDrag(30, -2, &left);
  gui->OnMouseUp(30, -2, &left);
  EXPECT_NEAR(knob->GetValue(), 0.2, 1e-12);
  EXPECT_EQ(plug.mBeginGestures, std::vector<int>{8});
  EXPECT_EQ(plug.mEndGestures, std::vector<int>{8});
  ASSERT_EQ(plug.mInformedChanges.size(), 2u);
  EXPECT_NEAR(plug.mInformedChanges[0].value, 0.1, 1e-12);
  // 127 x 0.2 + 0.5 = 25.9: frame 26.
  Redraw();
  EXPECT_EQ(FrameAt(40, 40), 26);
}

TEST_F(ControlsFixture, MultiFrameKnobsShowTheFrameOfTheirValue) {
  IBitmap strip = Strip(4, 3, 128);
  const struct {
    double value;
    int frame;
  } cases[] = {{0.0, 1}, {1.0, 128}, {0.5, 65}, {0.25, 33}, {0.003, 1}, {0.004, 2}};
  for (const auto& c : cases) {
    IKnobMultiControl knob(&plug, 10, 10, -1, &strip);
    knob.SetValueFromPlug(c.value);
    DrawAlone(&knob);
    EXPECT_EQ(FrameAt(11, 11), c.frame) << c.value;
  }
}

// Lit pixels near a point: the line passes within a pixel of it.
bool LitNear(ControlsFixture* f, double x, double y) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (f->gui->GetPoint(static_cast<int>(x) + dx, static_cast<int>(y) + dy).G > 0) return true;
    }
  }
  return false;
}

TEST_F(ControlsFixture, LineKnobsPointAtTheAngleOfTheirValue) {
  // Centre (60.5, 60.5); the outer radius defaults to half the width.
  const IRECT rect(40, 40, 81, 81);
  const struct {
    double value;
    double angle;  // 0 up, clockwise
  } cases[] = {{0.5, 0.0}, {1.0, 0.75 * kPi}, {0.0, -0.75 * kPi}, {0.75, 0.375 * kPi}};
  for (const auto& c : cases) {
    IKnobLineControl knob(&plug, rect, -1, &COLOR_WHITE, 4.0);
    knob.SetValueFromPlug(c.value);
    DrawAlone(&knob);
    for (double r : {6.0, 12.0, 19.0}) {
      EXPECT_TRUE(LitNear(this, 60.5 + std::sin(c.angle) * r, 60.5 - std::cos(c.angle) * r)) << c.value << " " << r;
    }
    // Neither inside the inner radius nor on the opposite side.
    EXPECT_FALSE(LitNear(this, 60.5 - std::sin(c.angle) * 12.0, 60.5 + std::cos(c.angle) * 12.0)) << c.value;
  }
}

TEST_F(ControlsFixture, RotatingKnobsTurnTheirPicturesWithTheValue) {
  // A 21 x 21 picture with a red mark at its top centre, turned by up to half a turn.
  auto picture = std::make_unique<LICE_MemBitmap>(21, 21, 4);
  LICE_MemBitmap* bits = picture.get();
  for (int i = 0; i < bits->getRowSpan() * 21; ++i) bits->getBits()[i] = 0;
  for (int y = 1; y < 5; ++y) {
    for (int x = 9; x < 12; ++x) bits->getBits()[y * bits->getRowSpan() + x] = LICE_MakePixel(255, 0, 0, 255);
  }
  IBitmap bitmap(bits, 21, 21);
  for (double value : {0.0, 1.0}) {
    IKnobRotaterControl knob(&plug, 50, 50, -1, &bitmap, 0.0, kPi);
    EXPECT_EQ(*knob.GetRECT(), IRECT(50, 50, 71, 71));
    knob.SetValueFromPlug(value);
    DrawAlone(&knob);
    const int top = FrameAt(60, 53), bottom = FrameAt(60, 67);
    EXPECT_EQ(top > 100, value == 0.0) << value;
    EXPECT_EQ(bottom > 100, value == 1.0) << value;
  }
}

TEST_F(ControlsFixture, MaskKnobsTurnByTheirAngleLawInDegrees) {
  auto base = gfxtest::FrameStrip(9, 9, 1);
  auto mask = std::make_unique<LICE_MemBitmap>(9, 9, 4);
  auto top = std::make_unique<LICE_MemBitmap>(9, 9, 4);
  for (int i = 0; i < 9 * mask->getRowSpan(); ++i) {
    mask->getBits()[i] = 0;
    top->getBits()[i] = (i % mask->getRowSpan()) == 4 ? LICE_MakePixel(255, 255, 255, 255) : 0u;
  }
  IBitmap b(base.get(), 9, 9), m(mask.get(), 9, 9), t(top.get(), 9, 9);
  for (double value : {0.0, 0.5, 0.8}) {
    IKnobRotatingMaskControl knob(&plug, 10, 10, -1, &b, &m, &t);
    knob.SetValueFromPlug(value);
    DrawAlone(&knob);
    std::vector<LICE_pixel> drawn;
    for (int y = 10; y < 19; ++y) {
      for (int x = 10; x < 19; ++x) drawn.push_back(IColorToPixel(gui->GetPoint(x, y)));
    }
    Redraw();
    gui->DrawRotatedMask(&b, &m, &t, 10, 10, -135.0 + 270.0 * value);
    for (int y = 10, i = 0; y < 19; ++y) {
      for (int x = 10; x < 19; ++x, ++i) ASSERT_EQ(drawn[i], IColorToPixel(gui->GetPoint(x, y))) << value;
    }
  }
}

TEST_F(ControlsFixture, FaderHandlesJumpToThePointerAlongTheTravel) {
  // Handles 20 pixels long on a travel of 100: 80 pixels of play.
  IBitmap upright = Strip(10, 20, 1), flat = Strip(20, 10, 1);
  const struct {
    EDirection direction;
    int x, y;  // offsets from the fader's corner
    double value;
  } cases[] = {
      {kVertical, 5, 10, 1.0},   {kVertical, 5, 90, 0.0},   {kVertical, 5, 50, 0.5},  {kVertical, 5, 0, 1.0},
      {kVertical, 5, 99, 0.0},   {kVertical, 5, 30, 0.75},  {kHorizontal, 10, 5, 0.0}, {kHorizontal, 90, 5, 1.0},
      {kHorizontal, 50, 5, 0.5}, {kHorizontal, 25, 5, 0.1875}, {kHorizontal, 0, 5, 0.0},
  };
  for (const auto& c : cases) {
    IFaderControl fader(&plug, 20, 30, 100, 11, c.direction == kVertical ? &upright : &flat, c.direction);
    fader.SetValueFromPlug(0.3);
    IMouseMod left(true);
    fader.OnMouseDown(20 + c.x, 30 + c.y, &left);
    EXPECT_NEAR(fader.GetValue(), c.value, 1e-12) << c.direction << " " << c.x << "," << c.y;
    EXPECT_NEAR(plug.GetParam(11)->Value(), c.value, 1e-12);
    // Drags are absolute: the same point gives the same value.
    fader.SetValueFromPlug(0.3);
    fader.OnMouseDrag(20 + c.x, 30 + c.y, 3, 3, &left);
    EXPECT_NEAR(fader.GetValue(), c.value, 1e-12);
  }
}

TEST_F(ControlsFixture, FadersDraggedToTheFarthestPointsStopAtTheirEnds) {
  IBitmap upright = Strip(10, 20, 1), flat = Strip(20, 10, 1);
  const struct {
    EDirection direction;
    int x, y;
    double value;
  } cases[] = {
      {kVertical, 25, INT_MIN, 1.0},   {kVertical, 25, INT_MAX, 0.0},   {kHorizontal, INT_MIN, 35, 0.0},
      {kHorizontal, INT_MAX, 35, 1.0},
  };
  for (const auto& c : cases) {
    IFaderControl fader(&plug, 20, 30, 100, 11, c.direction == kVertical ? &upright : &flat, c.direction);
    fader.SetValueFromPlug(0.3);
    IMouseMod left(true);
    fader.OnMouseDrag(c.x, c.y, 0, 0, &left);
    EXPECT_EQ(fader.GetValue(), c.value) << c.x << "," << c.y;
  }
}

TEST_F(ControlsFixture, FaderHandlesLieAlongTheTravelAndOnlyTheHandleMayTakeTheMouse) {
  IBitmap handle = Strip(10, 20, 1);
  auto* vertical = Attach(new IFaderControl(&plug, 20, 30, 100, 11, &handle, kVertical, true));
  EXPECT_EQ(*vertical->GetRECT(), IRECT(20, 30, 30, 130));
  const struct {
    double value;
    IRECT handle;
  } places[] = {{1.0, IRECT(20, 30, 30, 50)}, {0.0, IRECT(20, 110, 30, 130)}, {0.5, IRECT(20, 70, 30, 90)},
                {0.26, IRECT(20, 89, 30, 109)}};
  for (const auto& p : places) EXPECT_EQ(vertical->GetHandleRECT(p.value), p.handle) << p.value;
  IBitmap flat = Strip(20, 10, 1);
  IFaderControl horizontal(&plug, 20, 30, 100, 11, &flat, kHorizontal);
  EXPECT_EQ(*horizontal.GetRECT(), IRECT(20, 30, 120, 40));
  EXPECT_EQ(horizontal.GetHandleRECT(0.5), IRECT(60, 30, 80, 40));
  EXPECT_EQ(horizontal.GetHandleRECT(0.26), IRECT(40, 30, 60, 40));

  vertical->SetValueFromPlug(0.5);
  Redraw();
  EXPECT_EQ(FrameAt(25, 80), 1);
  EXPECT_EQ(FrameAt(25, 60), 0);
  // Clicks on the travel outside the handle reach the panel beneath.
  EXPECT_EQ(gui->GetMouseControlIdx(25, 60), 0);
  EXPECT_EQ(gui->GetMouseControlIdx(25, 75), 1);
  Click(25, 120);
  EXPECT_EQ(vertical->GetValue(), 0.5);
}

TEST_F(ControlsFixture, AFaderWithoutTravelIgnoresClicksAndTheRModifierPrompts) {
  IBitmap handle = Strip(10, 20, 1);
  auto* stuck = Attach(new IFaderControl(&plug, 0, 0, 20, 11, &handle));
  stuck->SetValueFromPlug(0.4);
  plug.mInformedChanges.clear();
  Click(5, 5);
  EXPECT_EQ(stuck->GetValue(), 0.4);
  EXPECT_TRUE(plug.mInformedChanges.empty());

  auto* fader = Attach(new IFaderControl(&plug, 50, 0, 100, 12, &handle));
  fader->SetValueFromPlug(0.4);
  Click(55, 10, IMouseMod(false, true));
  EXPECT_EQ(fader->GetValue(), 0.4);
  EXPECT_TRUE(gui->mTextEntries.empty());
  fader->DisablePrompt(false);
  Click(55, 10, IMouseMod(false, true));
  EXPECT_EQ(fader->GetValue(), 0.4);
  EXPECT_EQ(gui->mTextEntries.size(), 1u);
}

}  // namespace
