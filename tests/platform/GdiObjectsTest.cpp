#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/standin/SwellGdiObjects.h"
#include "platform/standin/SwellGdiText.h"
#include "tests/platform/GdiTestSupport.h"

namespace {

using gditest::MemContext;

HGDIOBJ Code(uintptr_t c) { return reinterpret_cast<HGDIOBJ>(c); }

std::vector<SWELL_PathPoint> Points(std::initializer_list<SWELL_PathPoint> list) { return list; }

void ExpectPoints(const SWELL_PathCall& call, const std::vector<SWELL_PathPoint>& expected) {
  ASSERT_EQ(call.points.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(call.points[i].kind, expected[i].kind) << i;
    EXPECT_FLOAT_EQ(call.points[i].x, expected[i].x) << i;
    EXPECT_FLOAT_EQ(call.points[i].y, expected[i].y) << i;
  }
}

TEST(GdiSelectionTest, ReturnsThePreviousObjectOrTheSlotCodeSoThatItRestores) {
  MemContext m(4, 4);
  HFONT font = CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HPEN pen = CreatePen(0, 1, 0xFF0000);
  HBRUSH brush = CreateSolidBrush(0x00FF00);

  EXPECT_EQ(SelectObject(m.ctx, font), Code(3)) << "empty font slot";
  EXPECT_EQ(SelectObject(m.ctx, font), font) << "already selected: no change";
  EXPECT_EQ(m.ctx->font, font);
  EXPECT_EQ(SelectObject(m.ctx, Code(3)), font) << "the code clears the slot";
  EXPECT_EQ(m.ctx->font, nullptr);
  EXPECT_EQ(SelectObject(m.ctx, Code(3)), Code(3));

  EXPECT_EQ(SelectObject(m.ctx, pen), Code(1));
  EXPECT_EQ(SelectObject(m.ctx, brush), Code(2));
  HPEN other = CreatePen(0, 2, 0);
  HGDIOBJ previous = SelectObject(m.ctx, other);
  EXPECT_EQ(previous, pen);
  EXPECT_EQ(SelectObject(m.ctx, previous), other) << "handing the result back restores";
  EXPECT_EQ(m.ctx->pen, pen);
  EXPECT_EQ(m.ctx->brush, brush);

  HGDIOBJ bitmap = GDP_OBJECT_NEW();
  bitmap->type = kSwellObjectBitmap;
  EXPECT_EQ(SelectObject(m.ctx, bitmap), nullptr) << "bitmaps cannot be selected";
  EXPECT_EQ(SelectObject(m.ctx, Code(4)), nullptr);
  EXPECT_EQ(SelectObject(nullptr, pen), nullptr);

  // A slot whose object was deleted counts as empty.
  DeleteObject(pen);
  EXPECT_EQ(SelectObject(m.ctx, other), Code(1));
  for (HGDIOBJ obj : {font, other, brush, bitmap}) DeleteObject(obj);
}

TEST(GdiObjectTest, ClonesKeepAnObjectUntilTheLastDelete) {
  HBRUSH brush = CreateSolidBrush(0x123456);
  EXPECT_EQ(SWELL_CloneGDIObject(brush), brush);
  EXPECT_EQ(SWELL_CloneGDIObject(brush), brush);
  DeleteObject(brush);
  DeleteObject(brush);
  EXPECT_FALSE(brush->inFreeList);
  EXPECT_EQ(brush->type, kSwellObjectBrush);
  DeleteObject(brush);
  EXPECT_TRUE(brush->inFreeList) << "released to the pool by the third delete";
  EXPECT_EQ(SWELL_CloneGDIObject(brush), nullptr);
  DeleteObject(brush);  // a pooled record is left alone
  EXPECT_TRUE(brush->inFreeList);
  HGDIOBJ reused = GDP_OBJECT_NEW();
  EXPECT_EQ(reused, brush) << "the pool hands the record out again, zeroed";
  EXPECT_FALSE(reused->inFreeList);
  EXPECT_EQ(reused->type, 0);
  EXPECT_EQ(reused->extraRefs, 0);
  reused->type = kSwellObjectBrush;
  DeleteObject(reused);
}

// Leaves more deleted records in the pool than a pool of 200 would keep,
// whatever ran before.
void FillObjectPool() {
  std::vector<HGDIOBJ> objects;
  for (int i = 0; i < 250; ++i) objects.push_back(CreateSolidBrush(i));
  for (HGDIOBJ obj : objects) DeleteObject(obj);
}

// The height SWELL_DrawText measures for a text in the context.
int MeasuredHeight(HDC ctx, const char* text) {
  RECT r = {0, 0, 0, 0};
  return SWELL_DrawText(ctx, text, -1, &r, DT_CALCRECT);
}

TEST(GdiObjectTest, DeletedHandlesStaySafeToCheckWhenThePoolIsFull) {
  MemContext m(4, 4), plain(4, 4);
  HBRUSH brush = CreateSolidBrush(0x123456);
  HFONT font = CreateFont(40, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(m.ctx, font);
  FillObjectPool();
  DeleteObject(brush);
  DeleteObject(font);
  // The caller's handle and the context's slot still point at the records.
  EXPECT_FALSE(SWELL_IsLiveObject(brush));
  EXPECT_FALSE(SWELL_IsLiveObject(font));
  DeleteObject(brush);
  DeleteObject(font);
  EXPECT_EQ(SWELL_CloneGDIObject(brush), nullptr);
  EXPECT_EQ(MeasuredHeight(m.ctx, "Kick"), MeasuredHeight(plain.ctx, "Kick")) << "drawn as with no font";
  EXPECT_EQ(SelectObject(m.ctx, Code(3)), Code(3)) << "the slot held no live font";
}

TEST(GdiObjectTest, ADeletedFontStillSelectedIsNeverTheNextFont) {
  MemContext m(4, 4), plain(4, 4);
  HFONT small = CreateFont(10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(m.ctx, small);
  SelectObject(plain.ctx, small);
  DeleteObject(small);
  HFONT big = CreateFont(40, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  EXPECT_NE(big, small) << "a record still selected is not handed out again";
  EXPECT_EQ(m.ctx->font, small);
  const int none = MeasuredHeight(plain.ctx, "Kick");
  EXPECT_EQ(MeasuredHeight(m.ctx, "Kick"), none);
  TEXTMETRIC tm, systemFont;
  GetTextMetrics(m.ctx, &tm);
  SelectObject(plain.ctx, Code(3));
  GetTextMetrics(plain.ctx, &systemFont);
  EXPECT_EQ(tm.tmHeight, systemFont.tmHeight);
  // Once no slot holds it, the record serves again: released with its
  // context, or when the slot takes something else.
  SWELL_DeleteGfxContext(m.ctx);
  m.ctx = nullptr;
  HGDIOBJ reused = GDP_OBJECT_NEW();
  EXPECT_EQ(reused, small);
  reused->type = kSwellObjectBrush;
  SelectObject(plain.ctx, reused);
  DeleteObject(reused);
  HBRUSH other = CreateSolidBrush(0);
  EXPECT_NE(other, reused);
  EXPECT_EQ(SelectObject(plain.ctx, other), Code(2));
  HGDIOBJ again = GDP_OBJECT_NEW();
  EXPECT_EQ(again, reused);
  again->type = kSwellObjectBrush;
  DeleteObject(again);
  SelectObject(plain.ctx, Code(2));
  DeleteObject(other);
  DeleteObject(big);
}

TEST(GdiObjectTest, StockObjectsAndSmallHandlesAreNeverReleased) {
  HGDIOBJ nullPen = GetStockObject(NULL_PEN);
  HGDIOBJ nullBrush = GetStockObject(NULL_BRUSH);
  ASSERT_NE(nullPen, nullptr);
  ASSERT_NE(nullBrush, nullptr);
  EXPECT_NE(nullPen, nullBrush);
  EXPECT_EQ(nullPen->type, kSwellObjectPen);
  EXPECT_EQ(nullBrush->type, kSwellObjectBrush);
  EXPECT_EQ(nullPen->width, -1);
  EXPECT_EQ(GetStockObject(0), nullptr);
  EXPECT_EQ(GetStockObject(3), nullptr);
  DeleteObject(nullPen);
  DeleteObject(nullBrush);
  EXPECT_FALSE(nullPen->inFreeList);
  EXPECT_EQ(GetStockObject(NULL_PEN), nullPen);
  for (uintptr_t h = 0; h < 5; ++h) {
    DeleteObject(Code(h));
    EXPECT_EQ(SWELL_CloneGDIObject(Code(h)), nullptr) << h;
  }
}

TEST(GdiColorTest, SystemColoursAndTextColour) {
  const int expected[10] = {0x606060, 0xE0E0E0, 0xC0C0C0, 0x000000, 0xC0C0C0,
                            0x202020, 0x303030, 0xC0C0C0, 0xFFF0C8, 0x000000};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(GetSysColor(i), expected[i]) << i;
  for (int i : {10, -1, 1000}) EXPECT_EQ(GetSysColor(i), 0) << i;

  MemContext m(2, 2);
  EXPECT_EQ(GetTextColor(m.ctx), 0) << "memory contexts start black";
  SetTextColor(m.ctx, 0x336699);
  EXPECT_EQ(GetTextColor(m.ctx), 0x336699);
  EXPECT_EQ(GetTextColor(nullptr), -1);
  SetBkColor(m.ctx, 0xABCDEF);
  SetBkMode(m.ctx, OPAQUE);
  EXPECT_EQ(m.ctx->backgroundColor, 0xABCDEF);
  EXPECT_EQ(m.ctx->backgroundMode, OPAQUE);
}

TEST(GdiDrawingTest, RectangleFillsArePixelsInTheBrushColour) {
  MemContext m(8, 6);
  HBRUSH red = CreateSolidBrush(0xFF0000);
  const RECT r = {-2, 1, 3, 4};
  SWELL_FillRect(m.ctx, &r, red);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = x < 3 && y >= 1 && y < 4;
      const unsigned char* p = m.Pixel(x, y);
      EXPECT_EQ(p[0], inside ? 255 : 0) << x << "," << y;
      EXPECT_EQ(p[1], inside ? 255 : 0) << x << "," << y;
      EXPECT_EQ(p[2], 0);
      EXPECT_EQ(p[3], 0);
    }
  }
  // Half-transparent blue over that red blends each channel.
  HBRUSH blue = CreateSolidBrushAlpha(0x0000FF, 0.5f);
  const RECT one = {0, 1, 1, 2};
  SWELL_FillRect(m.ctx, &one, blue);
  EXPECT_EQ(m.Pixel(0, 1)[1], 128);
  EXPECT_EQ(m.Pixel(0, 1)[3], 128);
  // The selected brush plays no part, and a null brush draws nothing.
  SelectObject(m.ctx, red);
  const RECT all = {0, 0, 8, 6};
  SWELL_FillRect(m.ctx, &all, GetStockObject(NULL_BRUSH));
  SWELL_FillRect(m.ctx, &all, nullptr);
  EXPECT_EQ(m.Pixel(7, 5)[1], 0);

  // Rectangle fills with the selected brush and strokes with the pen.
  HPEN wide = CreatePen(0, 3, 0x00FF00);
  SelectObject(m.ctx, wide);
  Rectangle(m.ctx, 5, 0, 7, 2);
  EXPECT_EQ(m.Pixel(6, 1)[1], 255);
  ASSERT_EQ(m.ctx->cgContext->paths.size(), 1u);
  const SWELL_PathCall& stroke = m.ctx->cgContext->paths[0];
  EXPECT_EQ(stroke.drawMode, kSwellPathStroke);
  EXPECT_FLOAT_EQ(stroke.lineWidth, 3.0f);
  EXPECT_FLOAT_EQ(stroke.stroke[1], 1.0f);
  ExpectPoints(stroke, Points({{'R', 5, 0}, {'S', 2, 2}}));

  SWELL_SetPixel(m.ctx, 7, 5, 0x0000FF);
  EXPECT_EQ(m.Pixel(7, 5)[3], 255);
  EXPECT_EQ(m.Pixel(7, 5)[0], 255);
  EXPECT_EQ(m.Pixel(6, 5)[3], 0);
  for (HGDIOBJ obj : {red, blue, wide}) DeleteObject(obj);
}

TEST(GdiDrawingTest, LinesUseThePenWidthAndMoveThePosition) {
  MemContext m(4, 4);
  HPEN thin = CreatePen(0, -5, 0xFF0000);
  EXPECT_EQ(thin->width, 0);
  SelectObject(m.ctx, thin);
  POINT old = {7, 7};
  MoveToEx(m.ctx, 1, 2, &old);
  EXPECT_EQ(old.x, 0);
  EXPECT_EQ(old.y, 0);
  SWELL_LineTo(m.ctx, 5, 2);
  auto& paths = m.ctx->cgContext->paths;
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_FLOAT_EQ(paths[0].lineWidth, 1.0f) << "width 0 draws 1 pixel wide";
  ExpectPoints(paths[0], Points({{'M', 1.5f, 2.5f}, {'L', 5.5f, 2.5f}}));
  MoveToEx(m.ctx, 0, 0, &old);
  EXPECT_EQ(old.x, 5);

  SelectObject(m.ctx, GetStockObject(NULL_PEN));
  SWELL_LineTo(m.ctx, 3, 3);
  EXPECT_EQ(paths.size(), 1u) << "the null pen draws nothing";
  MoveToEx(m.ctx, 9, 9, &old);
  EXPECT_EQ(old.x, 0) << "and leaves the position";

  HPEN two = CreatePen(0, 2, 0);
  SelectObject(m.ctx, two);
  const POINT pts[6] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
  const unsigned int counts[4] = {0, 1, 3, 2};
  PolyPolyline(m.ctx, pts, counts, 4);
  ASSERT_EQ(paths.size(), 2u);
  ExpectPoints(paths[1], Points({{'M', 2, 2}, {'L', 3, 3}, {'L', 4, 4}, {'M', 5, 5}, {'L', 6, 6}}));
  MoveToEx(m.ctx, 0, 0, &old);
  EXPECT_EQ(old.x, 9) << "PolyPolyline leaves the position";
  DeleteObject(thin);
  DeleteObject(two);
}

TEST(GdiDrawingTest, PolygonsStayOpenAndRoundRectClosesByRepeatingItsFirstEdge) {
  MemContext m(4, 4);
  auto& paths = m.ctx->cgContext->paths;
  const POINT tri[3] = {{0, 0}, {10, 0}, {5, 8}};
  SWELL_Polygon(m.ctx, tri, 3);
  EXPECT_TRUE(paths.empty()) << "neither pen nor brush";

  HPEN pen = CreatePen(0, 0, 0);
  SelectObject(m.ctx, pen);
  SWELL_Polygon(m.ctx, tri, 1);
  EXPECT_TRUE(paths.empty()) << "fewer than two points";
  SWELL_Polygon(m.ctx, tri, 3);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0].drawMode, kSwellPathStroke);
  ExpectPoints(paths[0], Points({{'M', 0, 0}, {'L', 10, 0}, {'L', 5, 8}}));

  HBRUSH brush = CreateSolidBrush(0xFFFFFF);
  SelectObject(m.ctx, brush);
  RoundRect(m.ctx, 0, 0, 30, 20, 10, -7);
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[1].drawMode, kSwellPathFillStroke);
  // dx = 10 / 3 = 3, dy = -7 / 3 = -2 (toward zero).
  ExpectPoints(paths[1], Points({{'M', 0, -2},
                                 {'L', 3, 0},
                                 {'L', 27, 0},
                                 {'L', 30, -2},
                                 {'L', 30, 22},
                                 {'L', 27, 20},
                                 {'L', 3, 20},
                                 {'L', 0, 22},
                                 {'L', 0, -2},
                                 {'L', 3, 0}}));

  SelectObject(m.ctx, Code(1));
  Ellipse(m.ctx, 1, 2, 5, 8);
  ASSERT_EQ(paths.size(), 3u);
  EXPECT_EQ(paths[2].drawMode, kSwellPathFill);
  ExpectPoints(paths[2], Points({{'E', 1, 2}, {'S', 4, 6}}));
  DeleteObject(pen);
  DeleteObject(brush);
}

TEST(GdiDrawingTest, PolyBezierToDrawsWholeTriplesFromThePosition) {
  MemContext m(4, 4);
  HPEN pen = CreatePen(0, 4, 0);
  SelectObject(m.ctx, pen);
  auto& paths = m.ctx->cgContext->paths;
  const POINT pts[5] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
  MoveToEx(m.ctx, 9, 8, nullptr);
  PolyBezierTo(m.ctx, pts, 2);
  EXPECT_TRUE(paths.empty());
  PolyBezierTo(m.ctx, pts, 5);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_FLOAT_EQ(paths[0].lineWidth, 4.0f);
  ExpectPoints(paths[0], Points({{'M', 9, 8}, {'C', 1, 1}, {'C', 2, 2}, {'C', 3, 3}}));
  POINT now;
  MoveToEx(m.ctx, 0, 0, &now);
  EXPECT_EQ(now.x, 3);
  EXPECT_EQ(now.y, 3);
  DeleteObject(pen);
}

}  // namespace
