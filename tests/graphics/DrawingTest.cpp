#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>
#include <memory>

#include "graphics/GraphicsCaches.h"
#include "lice/LICE_SysBitmap.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using gfxtest::LoggingPlug;
using gfxtest::TestGraphics;

typedef std::function<void(IGraphics*)> Painter;

// Draws whatever the test gives it.
class PaintControl : public IControl {
 public:
  PaintControl(IPlugBase* plug, IRECT r) : IControl(plug, r) {}
  bool Draw(IGraphics* g) override {
    if (mPaint) mPaint(g);
    return true;
  }
  Painter mPaint;
};

LICE_pixel Distinct(int x, int y) { return LICE_MakePixel(x * 9 + 1, y * 7 + 2, (x * 3 + y * 5) & 255, 255); }

std::unique_ptr<LICE_MemBitmap> Pattern(int w, int h, const std::function<LICE_pixel(int, int)>& colour) {
  auto bm = std::make_unique<LICE_MemBitmap>(w, h, 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) bm->getBits()[y * bm->getRowSpan() + x] = colour(x, y);
  }
  return bm;
}

struct DrawingFixture : testing::Test {
  DrawingFixture() : gui(new TestGraphics(&plug, 64, 64)) {
    plug.AttachGraphics(gui);
    painter = new PaintControl(&plug, IRECT(0, 0, 64, 64));
    gui->AttachControl(painter);
  }
  // Redraws the area with the painter, as the frame loop does.
  void Paint(IRECT area, Painter paint) {
    painter->mPaint = std::move(paint);
    gui->Draw(&area);
  }
  void Clear() {
    LICE_SysBitmap* back = gui->GetDrawBitmap();
    for (int i = 0; i < back->getRowSpan() * back->getHeight(); ++i) back->getBits()[i] = 0;
  }
  LICE_pixel At(int x, int y) { return IColorToPixel(gui->GetPoint(x, y)); }
  bool Set(int x, int y) { return At(x, y) != 0; }

  LoggingPlug plug{nullptr, 1};
  TestGraphics* gui;
  PaintControl* painter;
};

TEST_F(DrawingFixture, BitmapsAreClippedToTheAreaBeingRedrawn) {
  auto src = Pattern(10, 10, Distinct);
  IBitmap bitmap(src.get(), 10, 10, 1);
  const struct {
    IRECT area;
    IRECT drawn;
  } cases[] = {
      {IRECT(0, 0, 8, 9), IRECT(5, 5, 8, 9)},
      {IRECT(10, 12, 30, 30), IRECT(10, 12, 15, 15)},
      {IRECT(0, 0, 64, 64), IRECT(5, 5, 15, 15)},
      {IRECT(20, 20, 30, 30), IRECT()},
      {IRECT(15, 5, 30, 30), IRECT()},
  };
  for (const auto& c : cases) {
    Clear();
    Paint(c.area, [&](IGraphics* g) {
      IRECT dest(5, 5, 15, 15);
      g->DrawBitmap(&bitmap, &dest, 1, nullptr);
    });
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        const bool inside = c.drawn.ContainsPoint(x, y);
        ASSERT_EQ(At(x, y), inside ? Distinct(x - 5, y - 5) : 0u)
            << x << "," << y << " area " << c.area.L << "," << c.area.T;
      }
    }
  }
}

TEST_F(DrawingFixture, FramesOfAStackedStripAreChosenFromOne) {
  // Four frames three rows high, frame k filled with grey k * 40.
  auto src = Pattern(4, 12, [](int, int y) { return LICE_MakePixel(40 * (y / 3 + 1), 0, 0, 255); });
  IBitmap strip(src.get(), 4, 12, 4);
  const int frames[] = {-1, 0, 1, 2, 3, 4};
  const int shown[] = {1, 1, 1, 2, 3, 4};
  for (int i = 0; i < 6; ++i) {
    Paint(IRECT(0, 0, 64, 64), [&](IGraphics* g) {
      IRECT dest(0, 0, 4, 3);
      g->DrawBitmap(&strip, &dest, frames[i]);
    });
    EXPECT_EQ(LICE_PixelRed(At(2, 1)), 40 * shown[i]) << "frame " << frames[i];
  }
  // The source offset shifts with the clipping: row 1 shows source row 2.
  Paint(IRECT(0, 1, 64, 64), [&](IGraphics* g) {
    IRECT dest(10, 0, 14, 3);
    g->DrawBitmap(&strip, &dest, 0, 1, nullptr);
  });
  EXPECT_EQ(At(10, 0), 0u);
  EXPECT_EQ(LICE_PixelRed(At(10, 1)), 40);
  EXPECT_EQ(LICE_PixelRed(At(10, 2)), 80);
}

TEST_F(DrawingFixture, LinesAcrossARectangleFollowTheirFraction) {
  const IRECT box(10, 10, 30, 20);
  const struct {
    float y;
    int row;
  } rows[] = {{0.0f, 20}, {1.0f, 10}, {0.5f, 15}, {2.0f, 10}, {-1.0f, 20}};
  for (const auto& r : rows) {
    Clear();
    Paint(IRECT(0, 0, 64, 64), [&](IGraphics* g) {
      IRECT b = box;
      g->DrawHorizontalLine(&COLOR_WHITE, &b, r.y);
    });
    for (int y = 5; y < 25; ++y) EXPECT_EQ(Set(20, y), y == r.row) << "y " << r.y << " row " << y;
    EXPECT_TRUE(Set(10, r.row));
    EXPECT_TRUE(Set(30, r.row));
  }
  const struct {
    float x;
    int column;
  } columns[] = {{0.0f, 10}, {1.0f, 30}, {0.25f, 15}, {7.0f, 30}};
  for (const auto& c : columns) {
    Clear();
    Paint(IRECT(0, 0, 64, 64), [&](IGraphics* g) {
      IRECT b = box;
      g->DrawVerticalLine(&COLOR_WHITE, &b, c.x);
    });
    for (int x = 5; x < 35; ++x) EXPECT_EQ(Set(x, 15), x == c.column) << "x " << c.x << " column " << x;
  }
}

TEST_F(DrawingFixture, RectanglesAndRadialLines) {
  Paint(IRECT(0, 0, 64, 64), [](IGraphics* g) {
    IRECT r(5, 5, 10, 10);
    g->DrawRect(&COLOR_WHITE, &r);
    g->DrawRadialLine(&COLOR_RED, 50.0f, 50.0f, 0.0f, 10.0f, 20.0f);
  });
  // The outline lies on R and B.
  for (int i = 5; i <= 10; ++i) {
    EXPECT_TRUE(Set(i, 5) && Set(i, 10) && Set(5, i) && Set(10, i)) << i;
  }
  EXPECT_FALSE(Set(11, 10));
  EXPECT_FALSE(Set(7, 7));
  // Angle 0 points up: from (50, 40) to (50, 30).
  for (int y = 25; y < 45; ++y) EXPECT_EQ(At(50, y) == IColorToPixel(COLOR_RED), y >= 30 && y <= 40) << y;
  EXPECT_FALSE(Set(51, 35));
}

// Values no control means to pass: each coordinate stops at the integer
// range before it becomes a pixel position (NaN counts as 0), and the line
// is then clipped to the buffer like any other. Lit: the pixels drawn.
TEST_F(DrawingFixture, CoordinatesBeyondTheIntegersStopAtTheirRange) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  auto strip = Pattern(4, 12, [](int, int) { return LICE_MakePixel(255, 255, 255, 255); });
  IBitmap stacked(strip.get(), 4, 12, 4), sideBySide(strip.get(), 4, 12, 2, true);
  const struct {
    const char* name;
    Painter paint;
    IRECT lit;
  } cases[] = {
      {"line to 1e30", [](IGraphics* g) { g->DrawLine(&COLOR_WHITE, 10.0f, 10.0f, 1e30f, 10.0f); },
       IRECT(10, 10, 64, 11)},
      {"line from -1e30", [](IGraphics* g) { g->DrawLine(&COLOR_WHITE, -1e30f, 20.0f, 20.0f, 20.0f); },
       IRECT(0, 20, 21, 21)},
      {"line down to infinity", [&](IGraphics* g) { g->DrawLine(&COLOR_WHITE, 5.0f, 30.0f, 5.0f, inf); },
       IRECT(5, 30, 6, 64)},
      {"line from NaN", [&](IGraphics* g) { g->DrawLine(&COLOR_WHITE, nan, 30.0f, 40.0f, 30.0f); },
       IRECT(0, 30, 41, 31)},
      {"point at 1e30", [](IGraphics* g) { g->DrawPoint(&COLOR_WHITE, 1e30f, 5.0f); }, IRECT()},
      {"point at -3e9", [](IGraphics* g) { g->DrawPoint(&COLOR_WHITE, 5.0f, -3e9f); }, IRECT()},
      {"point at NaN", [&](IGraphics* g) { g->DrawPoint(&COLOR_WHITE, nan, 7.0f); }, IRECT(0, 7, 1, 8)},
      {"radial line of radius 1e30",
       [](IGraphics* g) { g->DrawRadialLine(&COLOR_WHITE, 32.0f, 32.0f, 0.0f, 0.0f, 1e30f); },
       IRECT(32, 0, 33, 33)},
      {"radial line at angle NaN",
       [&](IGraphics* g) { g->DrawRadialLine(&COLOR_WHITE, 32.0f, 32.0f, nan, 0.0f, 10.0f); }, IRECT(0, 0, 1, 1)},
      {"vertical line at NaN",
       [&](IGraphics* g) {
         IRECT box(10, 10, 30, 20);
         g->DrawVerticalLine(&COLOR_WHITE, &box, nan);
       },
       IRECT(10, 10, 11, 21)},
      {"horizontal line at NaN",
       [&](IGraphics* g) {
         IRECT box(10, 10, 30, 20);
         g->DrawHorizontalLine(&COLOR_WHITE, &box, nan);
       },
       IRECT(10, 20, 31, 21)},
      {"vertical line at the far end of the widest rectangle",
       [](IGraphics* g) {
         IRECT box(100, 0, INT_MAX, 10);
         g->DrawVerticalLine(&COLOR_WHITE, &box, 1.0f);
       },
       IRECT()},
      {"stacked frame INT_MAX",
       [&](IGraphics* g) {
         IRECT dest(10, 0, 14, 3);
         g->DrawBitmap(&stacked, &dest, INT_MAX);
       },
       IRECT()},
      {"side-by-side frame INT_MAX",
       [&](IGraphics* g) {
         IRECT dest(10, 0, 12, 12);
         g->DrawBitmap(&sideBySide, &dest, INT_MAX);
       },
       IRECT()},
      {"source offset INT_MAX",
       [&](IGraphics* g) {
         IRECT dest(-20, -20, 14, 3);
         g->DrawBitmap(&stacked, &dest, INT_MAX, INT_MAX);
       },
       IRECT()},
      {"rotated bitmap about INT_MIN",
       [&](IGraphics* g) { g->DrawRotatedBitmap(&stacked, INT_MIN, INT_MIN, 0.5); }, IRECT()},
      {"mask knob at INT_MAX",
       [&](IGraphics* g) { g->DrawRotatedMask(&stacked, &stacked, &stacked, INT_MAX, INT_MAX, 30.0); }, IRECT()},
      {"rounded fill of corner radius INT_MAX",
       [](IGraphics* g) {
         IRECT box(10, 10, 30, 30);
         g->FillRoundRect(&COLOR_WHITE, &box, nullptr, INT_MAX, false);
       },
       IRECT()},
      {"fill wider than the integers",
       [](IGraphics* g) {
         IRECT huge(-2000000000, -2000000000, 2000000000, 2000000000);
         g->FillIRect(&COLOR_WHITE, &huge);
       },
       IRECT(0, 0, 64, 64)},
  };
  for (const auto& c : cases) {
    Clear();
    Paint(IRECT(0, 0, 64, 64), c.paint);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) ASSERT_EQ(Set(x, y), c.lit.ContainsPoint(x, y)) << c.name << " at " << x << "," << y;
    }
  }
}

TEST_F(DrawingFixture, ForcedPixelsBypassBlendingAndStayInsideTheBuffer) {
  const IColor ghost(0x11, 0x22, 0x33, 0x44);
  Paint(IRECT(0, 0, 64, 64), [&](IGraphics* g) {
    g->ForcePixel(&ghost, 3, 4);
    for (const auto& p : {std::make_pair(-1, 0), std::make_pair(64, 0), std::make_pair(0, 64),
                          std::make_pair(0, -1), std::make_pair(1 << 30, 1 << 30)}) {
      g->ForcePixel(&COLOR_WHITE, p.first, p.second);
    }
    g->DrawPoint(&COLOR_WHITE, 9.4f, 9.6f);
  });
  EXPECT_EQ(gui->GetPoint(3, 4), ghost);
  EXPECT_TRUE(Set(9, 10));
  EXPECT_FALSE(Set(9, 9));
  int setPixels = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) setPixels += Set(x, y);
  }
  EXPECT_EQ(setPixels, 2);
  TestGraphics unprepared(&plug, 8, 8);
  EXPECT_TRUE(unprepared.ForcePixel(&ghost, 1, 1));
  EXPECT_EQ(unprepared.GetBits(), nullptr);
}

TEST_F(DrawingFixture, FillsTakeTheBlendWeight) {
  Paint(IRECT(0, 0, 64, 64), [](IGraphics* g) {
    IRECT left(0, 0, 10, 10);
    const IChannelBlend half(IChannelBlend::kBlendNone, 0.5f);
    g->FillIRect(&COLOR_WHITE, &left, &half);
    IRECT round(20, 20, 40, 40);
    g->FillRoundRect(&COLOR_WHITE, &round, nullptr, 4, false);
  });
  EXPECT_NEAR(LICE_PixelRed(At(5, 5)), 127, 1);
  EXPECT_EQ(At(10, 5), 0u);
  for (const auto& p : {std::make_pair(30, 30), std::make_pair(30, 20), std::make_pair(20, 30),
                        std::make_pair(39, 30), std::make_pair(30, 39)}) {
    EXPECT_EQ(At(p.first, p.second), IColorToPixel(COLOR_WHITE)) << p.first << "," << p.second;
  }
  for (const auto& p : {std::make_pair(20, 20), std::make_pair(39, 39), std::make_pair(39, 20),
                        std::make_pair(20, 39), std::make_pair(40, 30)}) {
    EXPECT_EQ(At(p.first, p.second), 0u) << p.first << "," << p.second;
  }
}

TEST_F(DrawingFixture, ScaledAndCroppedBitmapsJoinTheCache) {
  auto src = Pattern(10, 10, Distinct);
  IBitmap bitmap(src.get(), 10, 10, 2);
  const int before = s_bitmapCache.GetSize();
  IRECT area(2, 3, 6, 8);
  IBitmap cropped = gui->CropBitmap(&bitmap, &area);
  EXPECT_EQ(cropped.W, 4);
  EXPECT_EQ(cropped.H, 5);
  EXPECT_EQ(cropped.N, 2);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 4; ++x) {
      ASSERT_EQ(cropped.mData->getBits()[y * cropped.mData->getRowSpan() + x], Distinct(x + 2, y + 3));
    }
  }
  IBitmap scaled = gui->ScaleBitmap(&bitmap, 20, 30);
  EXPECT_EQ(scaled.mData->getWidth(), 20);
  EXPECT_EQ(scaled.mData->getHeight(), 30);
  EXPECT_EQ(scaled.N, 2);
  EXPECT_EQ(s_bitmapCache.GetSize(), before + 2);
  gui->ReleaseBitmap(&cropped);
  gui->ReleaseBitmap(&scaled);
  EXPECT_EQ(s_bitmapCache.GetSize(), before);
  gui->ReleaseBitmap(&scaled);
  EXPECT_EQ(s_bitmapCache.GetSize(), before);
}

// The mask knob at rest shows its top image where the top is opaque; an odd
// width turns about a centre half a pixel to the left, so a one-pixel line
// of the top image spreads over two columns.
TEST_F(DrawingFixture, RotatingMaskKnobsTurnAboutTheirCentre) {
  for (int w : {8, 9}) {
    auto base = Pattern(w, 8, [](int, int) { return LICE_MakePixel(0, 0, 255, 255); });
    auto mask = Pattern(w, 8, [](int, int) { return LICE_MakePixel(0, 0, 0, 0); });
    auto top = Pattern(w, 8, [](int x, int) { return x == 4 ? LICE_MakePixel(255, 255, 255, 255) : 0u; });
    IBitmap b(base.get(), w, 8), m(mask.get(), w, 8), t(top.get(), w, 8);
    Clear();
    Paint(IRECT(0, 0, 64, 64), [&](IGraphics* g) { g->DrawRotatedMask(&b, &m, &t, 10, 10, 0.0); });
    const int red4 = LICE_PixelRed(At(14, 13));
    const int red5 = LICE_PixelRed(At(15, 13));
    if (w == 8) {
      EXPECT_EQ(red4, 255);
      EXPECT_EQ(red5, 0);
    } else {
      EXPECT_GT(red4, 0);
      EXPECT_LT(red4, 255);
      EXPECT_GT(red5 + LICE_PixelRed(At(13, 13)), 0);
    }
  }
}

}  // namespace
