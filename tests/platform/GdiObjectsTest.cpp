#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/standin/SwellGdiObjects.h"
#include "platform/standin/SwellGdiText.h"
#include "tests/platform/GdiTestSupport.h"

namespace {

using gditest::MemContext;

HGDIOBJ Code(uintptr_t c) { return reinterpret_cast<HGDIOBJ>(c); }

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

}  // namespace
