#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/standin/SwellGdiDrawing.h"
#include "platform/standin/SwellGfxTarget.h"
#include "tests/platform/GdiTestSupport.h"
#include "tests/support/PngWriter.h"

// What the GDI lines and shapes leave in a memory context, pixel by pixel.

namespace {

using gditest::MemContext;

HGDIOBJ Code(uintptr_t c) { return reinterpret_cast<HGDIOBJ>(c); }

// The context's pixels as rows of letters: '.' black, 'R', 'G', 'B' and 'W'
// for pure red, green, blue and white, '?' for anything else.
std::vector<std::string> Rows(MemContext& m) {
  std::vector<std::string> rows;
  for (int y = 0; y < m.ctx->cgContext->height; ++y) {
    std::string row;
    for (int x = 0; x < m.ctx->cgContext->width; ++x) {
      const unsigned char* p = m.Pixel(x, y);
      const int rgb = p[1] << 16 | p[2] << 8 | p[3];
      row += rgb == 0          ? '.'
             : rgb == 0xFF0000 ? 'R'
             : rgb == 0x00FF00 ? 'G'
             : rgb == 0x0000FF ? 'B'
             : rgb == 0xFFFFFF ? 'W'
                               : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

// Selects pens and brushes into a memory context and deletes them afterwards.
struct Canvas {
  MemContext m;
  std::vector<HGDIOBJ> made;
  Canvas(int w, int h) : m(w, h) {}
  ~Canvas() {
    for (uintptr_t code : {1, 2}) SelectObject(m.ctx, Code(code));
    for (HGDIOBJ obj : made) DeleteObject(obj);
  }
  void Pen(int width, int color, float alpha = 1.0f) { Select(CreatePenAlpha(0, width, color, alpha)); }
  void Brush(int color) { Select(CreateSolidBrush(color)); }
  void Select(HGDIOBJ obj) {
    made.push_back(obj);
    SelectObject(m.ctx, obj);
  }
};

TEST(GdiDrawingTest, RectanglesFillWithTheBrushAndOutlineOnTheirEdges) {
  Canvas c(8, 6);
  HBRUSH red = CreateSolidBrush(0xFF0000);
  c.made.push_back(red);
  const RECT r = {-2, 1, 3, 4};
  SWELL_FillRect(c.m.ctx, &r, red);
  EXPECT_EQ(Rows(c.m),
            (std::vector<std::string>{"........", "RRR.....", "RRR.....", "RRR.....", "........", "........"}));
  EXPECT_EQ(c.m.Pixel(0, 1)[0], 255) << "the unused byte is set";
  // Half-transparent blue over that red blends each channel.
  HBRUSH blue = CreateSolidBrushAlpha(0x0000FF, 0.5f);
  c.made.push_back(blue);
  const RECT one = {0, 1, 1, 2};
  SWELL_FillRect(c.m.ctx, &one, blue);
  EXPECT_EQ(c.m.Pixel(0, 1)[1], 128);
  EXPECT_EQ(c.m.Pixel(0, 1)[3], 128);
  // The selected brush plays no part, and a null brush draws nothing.
  SelectObject(c.m.ctx, red);
  const RECT all = {0, 0, 8, 6};
  SWELL_FillRect(c.m.ctx, &all, GetStockObject(NULL_BRUSH));
  SWELL_FillRect(c.m.ctx, &all, nullptr);
  EXPECT_EQ(c.m.Pixel(7, 5)[1], 0);

  Canvas d(8, 6);
  d.Brush(0xFF0000);
  d.Pen(1, 0x00FF00);
  Rectangle(d.m.ctx, 1, 1, 5, 4);
  EXPECT_EQ(Rows(d.m),
            (std::vector<std::string>{"........", ".GGGGG..", ".GRRRG..", ".GRRRG..", ".GGGGG..", "........"}));
  // A wide pen straddles the edges.
  Canvas e(9, 8);
  e.Pen(3, 0x00FF00);
  Rectangle(e.m.ctx, 2, 2, 6, 6);
  EXPECT_EQ(Rows(e.m), (std::vector<std::string>{".........", ".GGGGGGG.", ".GGGGGGG.", ".GGGGGGG.", ".GGG.GGG.",
                                                 ".GGGGGGG.", ".GGGGGGG.", ".GGGGGGG."}));

  Canvas f(4, 3);
  SWELL_SetPixel(f.m.ctx, 2, 1, 0x0000FF);
  EXPECT_EQ(Rows(f.m), (std::vector<std::string>{"....", "..B.", "...."}));
}

TEST(GdiDrawingTest, LinesCoverTheirEndsAndThePenWidthRightAndDown) {
  Canvas c(8, 7);
  c.Pen(-5, 0xFF0000);
  EXPECT_EQ(c.made.back()->width, 0) << "drawn 1 pixel wide";
  POINT old = {7, 7};
  MoveToEx(c.m.ctx, 1, 2, &old);
  EXPECT_EQ(old.x, 0);
  EXPECT_EQ(old.y, 0);
  SWELL_LineTo(c.m.ctx, 5, 2);
  SWELL_LineTo(c.m.ctx, 2, 5);
  MoveToEx(c.m.ctx, 0, 0, &old);
  EXPECT_EQ(old.x, 2);
  EXPECT_EQ(old.y, 5);
  EXPECT_EQ(Rows(c.m), (std::vector<std::string>{"........", "........", ".RRRRR..", "....R...", "...R....", "..R.....",
                                                 "........"}));

  c.Select(GetStockObject(NULL_PEN));
  SWELL_LineTo(c.m.ctx, 7, 6);
  EXPECT_EQ(c.m.Pixel(7, 6)[1], 0) << "the null pen draws nothing";
  MoveToEx(c.m.ctx, 0, 0, &old);
  EXPECT_EQ(old.x, 0) << "and leaves the position";

  Canvas wide(9, 7);
  wide.Pen(3, 0xFFFFFF);
  MoveToEx(wide.m.ctx, 1, 1, nullptr);
  SWELL_LineTo(wide.m.ctx, 4, 1);
  wide.Pen(2, 0x0000FF);
  MoveToEx(wide.m.ctx, 0, 4, nullptr);
  SWELL_LineTo(wide.m.ctx, 2, 6);
  EXPECT_EQ(Rows(wide.m), (std::vector<std::string>{".........", ".WWWWWW..", ".WWWWWW..", ".WWWWWW..", "BB.......",
                                                    "BBB......", ".BBB....."}));
}

TEST(GdiDrawingTest, PolyPolylineDrawsEachPolylineAndKeepsThePosition) {
  Canvas c(8, 7);
  c.Pen(1, 0xFF0000);
  MoveToEx(c.m.ctx, 3, 3, nullptr);
  const POINT pts[6] = {{0, 0}, {1, 1}, {5, 1}, {5, 3}, {0, 5}, {3, 5}};
  // Nothing, one point skipped, a polyline of three, one of two.
  const unsigned int counts[4] = {0, 1, 3, 2};
  PolyPolyline(c.m.ctx, pts, counts, 4);
  EXPECT_EQ(Rows(c.m), (std::vector<std::string>{"........", ".RRRRR..", ".....R..", ".....R..", "........", "RRRR....",
                                                 "........"}));
  POINT now;
  MoveToEx(c.m.ctx, 0, 0, &now);
  EXPECT_EQ(now.x, 3);
  EXPECT_EQ(now.y, 3);
}

TEST(GdiDrawingTest, TranslucentLinesBlendEveryPixelOnce) {
  Canvas c(8, 3);
  c.Pen(1, 0xFF0000, 0.5f);
  MoveToEx(c.m.ctx, 1, 1, nullptr);
  SWELL_LineTo(c.m.ctx, 6, 1);
  for (int x = 1; x <= 6; ++x) {
    EXPECT_NEAR(c.m.Pixel(x, 1)[1], 128, 1) << x;
    EXPECT_EQ(c.m.Pixel(x, 1)[1], c.m.Pixel(1, 1)[1]) << x;
  }
  EXPECT_EQ(c.m.Pixel(0, 1)[1], 0);
  EXPECT_EQ(c.m.Pixel(7, 1)[1], 0);
}

// True when the point lies inside the triangle; none but its corners lies on an edge here.
bool InsideTriangle(double x, double y, const POINT (&t)[3]) {
  auto side = [&](const POINT& a, const POINT& b) { return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x); };
  const double s0 = side(t[0], t[1]), s1 = side(t[1], t[2]), s2 = side(t[2], t[0]);
  return (s0 > 0 && s1 > 0 && s2 > 0) || (s0 < 0 && s1 < 0 && s2 < 0);
}

TEST(GdiDrawingTest, PolygonsFillThePixelsTheyEncloseAndStayOpen) {
  const POINT tri[3] = {{0, 0}, {10, 0}, {5, 8}};
  Canvas nothing(12, 10);
  SWELL_Polygon(nothing.m.ctx, tri, 3);
  nothing.Pen(1, 0xFF0000);
  SWELL_Polygon(nothing.m.ctx, tri, 1);
  EXPECT_EQ(gditest::RedBounds(nothing.m).right, 0) << "neither pen nor brush, or fewer than two points";

  // A fill takes the pixels whose top-left corners lie inside.
  const POINT slanted[3] = {{0, 1}, {11, 4}, {3, 9}};
  Canvas filled(12, 10);
  filled.Brush(0x0000FF);
  SWELL_Polygon(filled.m.ctx, slanted, 3);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool corner = (x == 0 && y == 1) || (x == 11 && y == 4) || (x == 3 && y == 9);
      if (!corner) {
        EXPECT_EQ(filled.m.Pixel(x, y)[3] == 255, InsideTriangle(x, y, slanted)) << x << "," << y;
      }
    }
  }

  Canvas outline(12, 10);
  outline.Pen(1, 0xFF0000);
  SWELL_Polygon(outline.m.ctx, tri, 3);
  for (int x = 0; x <= 10; ++x) EXPECT_EQ(outline.m.Pixel(x, 0)[1], 255) << x;
  EXPECT_EQ(outline.m.Pixel(5, 8)[1], 255);
  int fromTheSide = 0;
  for (int x = 6; x <= 9; ++x) fromTheSide += outline.m.Pixel(x, 4)[1] == 255;
  EXPECT_EQ(fromTheSide, 1) << "the edge from (10, 0) to (5, 8)";
  for (int x = 0; x <= 5; ++x) EXPECT_EQ(outline.m.Pixel(x, 4)[1], 0) << "no closing edge";
}

TEST(GdiDrawingTest, FillsFollowTheNonzeroRuleAcrossConcaveAndCrossingOutlines) {
  Canvas u(11, 9);
  u.Brush(0x0000FF);
  const POINT cup[8] = {{1, 1}, {10, 1}, {10, 8}, {7, 8}, {7, 4}, {4, 4}, {4, 8}, {1, 8}};
  SWELL_Polygon(u.m.ctx, cup, 8);
  EXPECT_EQ(Rows(u.m),
            (std::vector<std::string>{"...........", ".BBBBBBBBB.", ".BBBBBBBBB.", ".BBBBBBBBB.", ".BBB...BBB.",
                                      ".BBB...BBB.", ".BBB...BBB.", ".BBB...BBB.", "..........."}));
  // A star drawn in one stroke winds twice around its middle, which stays filled.
  Canvas star(20, 20);
  star.Brush(0x0000FF);
  POINT points[5];
  for (int i = 0; i < 5; ++i) {
    const double a = i * 4 * M_PI / 5;
    points[i] =
        POINT{static_cast<int>(std::lround(10 + 9 * std::sin(a))), static_cast<int>(std::lround(10 - 9 * std::cos(a)))};
  }
  SWELL_Polygon(star.m.ctx, points, 5);
  EXPECT_EQ(star.m.Pixel(10, 10)[3], 255);
  EXPECT_EQ(star.m.Pixel(10, 3)[3], 255) << "the top point";
  EXPECT_EQ(star.m.Pixel(2, 2)[3], 0);
}

TEST(GdiDrawingTest, RoundRectCutsItsCornersAndClosesItsOutline) {
  Canvas c(12, 10);
  c.Brush(0x0000FF);
  c.Pen(1, 0xFF0000);
  RoundRect(c.m.ctx, 1, 1, 10, 8, 9, 7);  // corners cut by 3 and 2
  EXPECT_EQ(Rows(c.m),
            (std::vector<std::string>{"............", "....RRRR....", "..RRBBBBRR..", ".RBBBBBBBBR.", ".RBBBBBBBBR.",
                                      ".RBBBBBBBBR.", ".RBBBBBBBBR.", "..RRBBBBRR..", "....RRRR....", "............"}));
}

TEST(GdiDrawingTest, EllipsesFillInsideTheirOutlineAndOutlineAtTheContextsLineWidth) {
  // The outline of the box (1, 1) to (10, 8) runs through columns 1 and 10
  // and rows 1 and 8; the fill, like a rectangle's, takes the pixels whose
  // top-left corners lie inside.
  struct Case {
    bool pen;
    std::vector<std::string> rows;
  } cases[] = {
      {false,
       {"............", "....BBB.....", "..BBBBBBB...", ".BBBBBBBBB..", ".BBBBBBBBB..", ".BBBBBBBBB..", ".BBBBBBBBB..",
        "...BBBBB....", "............", "............"}},
      {true,
       {"............", "....RRRR....", "..RRBBBBRR..", ".RBBBBBBBBR.", ".RBBBBBBBBR.", ".RBBBBBBBBR.", ".RBBBBBBBBR.",
        "..RRBBBBRR..", "....RRRR....", "............"}},
  };
  for (const Case& e : cases) {
    Canvas c(12, 10);
    c.Brush(0x0000FF);
    if (e.pen) c.Pen(1, 0xFF0000);
    Ellipse(c.m.ctx, 1, 1, 10, 8);
    EXPECT_EQ(Rows(c.m), e.rows) << (e.pen ? "with a pen" : "without");
  }

  // A larger one: its outline is as symmetric as its box, lies on the
  // ellipse to within a pixel and closes around the fill in every row.
  Canvas large(40, 30);
  large.Brush(0x0000FF);
  large.Pen(1, 0xFF0000);
  Ellipse(large.m.ctx, 2, 2, 37, 27);
  const std::vector<std::string> rows = Rows(large.m);
  for (int y = 0; y < 30; ++y) {
    const std::string& row = rows[static_cast<size_t>(y)];
    for (int x = 0; x < 40; ++x) {
      const char here = row[static_cast<size_t>(x)];
      const bool inBox = x >= 2 && x <= 37 && y >= 2 && y <= 27;
      if (inBox) {
        EXPECT_EQ(here == 'R', rows[static_cast<size_t>(29 - y)][static_cast<size_t>(39 - x)] == 'R');
      }
      const double u = (x - 19.5) / 17.5, v = (y - 14.5) / 12.5;
      if (here == 'R') {
        EXPECT_NEAR(std::sqrt(u * u + v * v), 1.0, 0.08) << x << "," << y;
      }
    }
    const size_t first = row.find_first_not_of('.');
    if (y < 2 || y > 27) {
      EXPECT_EQ(first, std::string::npos) << y;
      continue;
    }
    const size_t last = row.find_last_not_of('.');
    EXPECT_EQ(row[first], 'R');
    EXPECT_EQ(row[last], 'R');
    EXPECT_EQ(row.find('.', first), last + 1) << "no gap in row " << y;
  }

  // A line of pen width 3 leaves the context at line width 3, which the
  // outline of an ellipse drawn with a thinner pen then takes.
  Canvas thick(14, 10);
  thick.Pen(3, 0x00FF00);
  MoveToEx(thick.m.ctx, -20, -20, nullptr);
  SWELL_LineTo(thick.m.ctx, -10, -10);
  thick.Pen(1, 0xFF0000);
  Ellipse(thick.m.ctx, 2, 2, 12, 8);
  int across = 0;
  for (int x = 0; x < 7; ++x) across += thick.m.Pixel(x, 5)[1] == 255;
  EXPECT_EQ(across, 3);
}

TEST(GdiDrawingTest, PolyBezierToDrawsWholeTriplesFromThePosition) {
  Canvas c(10, 10);
  c.Pen(1, 0xFF0000);
  MoveToEx(c.m.ctx, 0, 8, nullptr);
  const POINT pts[5] = {{0, 0}, {8, 0}, {8, 8}, {1, 1}, {9, 9}};
  PolyBezierTo(c.m.ctx, pts, 2);
  EXPECT_EQ(gditest::RedBounds(c.m).right, 0) << "fewer than three points draw nothing";
  PolyBezierTo(c.m.ctx, pts, 5);
  POINT now;
  MoveToEx(c.m.ctx, 0, 0, &now);
  EXPECT_EQ(now.x, 8);
  EXPECT_EQ(now.y, 8);
  // An arch from (0, 8) to (8, 8) whose top, at (4, 2), is its midpoint; the
  // leftover points draw nothing.
  const RECT box = gditest::RedBounds(c.m);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 2);
  EXPECT_EQ(box.right, 9);
  EXPECT_EQ(box.bottom, 9);
  for (POINT p : {POINT{0, 8}, POINT{4, 2}, POINT{8, 8}}) EXPECT_EQ(c.m.Pixel(p.x, p.y)[1], 255) << p.x << "," << p.y;
  for (int x = 0; x <= 8; ++x) {
    int inColumn = 0;
    for (int y = 0; y < 10; ++y) inColumn += c.m.Pixel(x, y)[1] == 255;
    EXPECT_GE(inColumn, 1) << "unbroken at column " << x;
  }
  for (int t = 0; t <= 64; ++t) {
    const double s = t / 64.0, u = 1 - s;
    const double x = 3 * u * s * s * 8 + s * s * s * 8, y = u * u * u * 8 + s * s * s * 8;
    bool near = false;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const int px = static_cast<int>(x) + dx, py = static_cast<int>(y) + dy;
        near |= px >= 0 && py >= 0 && px < 10 && py < 10 && c.m.Pixel(px, py)[1] == 255;
      }
    }
    EXPECT_TRUE(near) << "the curve at " << x << "," << y;
  }
}

TEST(GdiDrawingTest, PathsStayInsideTheClipAndFollowTheOrigin) {
  Canvas c(8, 6);
  c.Pen(1, 0xFF0000);
  SWELL_GfxTarget* target = c.m.ctx->cgContext;
  SWELL_GfxSaveState(target);
  SWELL_GfxClipToRect(target, 2, 1, 4, 3);
  target->state.originX = 1;
  MoveToEx(c.m.ctx, -5, 2, nullptr);
  SWELL_LineTo(c.m.ctx, 20, 2);
  const POINT tall[4] = {{1, -3}, {2, -3}, {2, 9}, {1, 9}};
  c.Select(GetStockObject(NULL_PEN));
  c.Brush(0x0000FF);
  SWELL_Polygon(c.m.ctx, tall, 4);
  SWELL_GfxRestoreState(target);
  EXPECT_EQ(Rows(c.m),
            (std::vector<std::string>{"........", "..B.....", "..BRRR..", "..B.....", "........", "........"}));
}

TEST(GdiDrawingTest, ExtremeCoordinatesAndWidthsStayInsideTheClip) {
  Canvas c(16, 12);
  SWELL_GfxTarget* target = c.m.ctx->cgContext;
  SWELL_GfxClipToRect(target, 4, 3, 8, 6);
  c.Brush(0xFFFFFF);
  const int lo = INT_MIN, hi = INT_MAX;
  for (int width : {0, 2, 7, hi}) {
    c.Pen(width, 0xFFFFFF);
    MoveToEx(c.m.ctx, lo, lo, nullptr);
    SWELL_LineTo(c.m.ctx, hi, hi);
    SWELL_LineTo(c.m.ctx, lo, hi);
    const POINT pts[4] = {{lo, 5}, {hi, 6}, {7, lo}, {8, hi}};
    SWELL_Polygon(c.m.ctx, pts, 4);
    const unsigned int counts[2] = {2, 2};
    PolyPolyline(c.m.ctx, pts, counts, 2);
    PolyBezierTo(c.m.ctx, pts, 3);
    Ellipse(c.m.ctx, lo, lo, hi, hi);
    Ellipse(c.m.ctx, hi, hi, lo, lo);
    Rectangle(c.m.ctx, lo, lo, hi, hi);
    RoundRect(c.m.ctx, lo, lo, hi, hi, hi, lo);
  }
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool inClip = x >= 4 && x < 12 && y >= 3 && y < 9;
      if (!inClip) {
        EXPECT_EQ(c.m.Pixel(x, y)[1], 0) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(c.m.Pixel(8, 6)[1], 255);
}

// Every kind of shape in one picture, for a person to look at.
TEST(GdiDrawingTest, SheetOfShapes) {
  Canvas c(240, 120);
  const RECT all = {0, 0, 240, 120};
  HBRUSH paper = CreateSolidBrush(0x202830);
  c.made.push_back(paper);
  SWELL_FillRect(c.m.ctx, &all, paper);
  c.Brush(0x3070C0);
  c.Pen(1, 0xFFFFFF);
  Rectangle(c.m.ctx, 8, 8, 48, 40);
  RoundRect(c.m.ctx, 56, 8, 104, 40, 24, 24);
  Ellipse(c.m.ctx, 112, 8, 168, 40);
  c.Pen(5, 0xF0C040);
  Ellipse(c.m.ctx, 176, 8, 232, 56);
  const POINT star[5] = {{28, 50}, {42, 94}, {6, 66}, {50, 66}, {14, 94}};
  c.Pen(2, 0xE04040);
  SWELL_Polygon(c.m.ctx, star, 5);
  c.Pen(1, 0x40E040, 0.5f);
  for (int i = 0; i < 8; ++i) {
    MoveToEx(c.m.ctx, 60, 50 + i * 8, nullptr);
    SWELL_LineTo(c.m.ctx, 100, 50 + i * 5);
  }
  c.Pen(3, 0x40C0F0);
  MoveToEx(c.m.ctx, 112, 110, nullptr);
  const POINT wave[6] = {{130, 40}, {150, 130}, {170, 70}, {190, 10}, {210, 130}, {230, 60}};
  PolyBezierTo(c.m.ctx, wave, 6);
  SWELL_GfxTarget* t = c.m.ctx->cgContext;
  EXPECT_TRUE(testsupport::writePng(testsupport::outputPath("gdi-drawing-sheet.png"), t->pixels, t->width, t->height,
                                    t->rowBytes));
}

}  // namespace
