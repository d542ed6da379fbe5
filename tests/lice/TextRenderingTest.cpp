#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "lice/LICE_CachedFont.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/RectOps.h"
#include "tests/support/PngWriter.h"

// Renders one line of text through the platform (native) and through the
// glyph cache, checks that the ink lies where measuring says, and writes
// both as PNG files into the build tree for a person to look at.

namespace {

const char kText[] = "The quick brown fox 0123";

RECT InkBounds(LICE_IBitmap* bm) {
  RECT box = {bm->getWidth(), bm->getHeight(), 0, 0};
  for (int y = 0; y < bm->getHeight(); ++y) {
    for (int x = 0; x < bm->getWidth(); ++x) {
      if (LICE_PixelRed(bm->getBits()[y * bm->getRowSpan() + x]) == 0) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box;
}

struct Path {
  const char* name;
  bool native;
};

TEST(TextRenderingTest, NativeAndCachedTextLandInTheMeasuredRectangle) {
  const Path paths[] = {{"text_native_arial13.png", true}, {"text_cached_arial13.png", false}};
  for (const Path& p : paths) {
    SCOPED_TRACE(p.name);
    LICE_CachedFont font;
    font.SetFromHFont(CreateFont(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"),
                      LICE_FONT_OWNS_HANDLE | LICE_FONT_NATIVE);
    font.SetTextColor(LICE_MakePixel(255, 255, 255, 255));
    const unsigned int flags = p.native ? 0u : static_cast<unsigned int>(LICE_TEXT_NO_NATIVE);

    RECT measured = {6, 5, 6, 5};
    font.DrawText(nullptr, kText, -1, &measured, DT_CALCRECT | flags);
    EXPECT_GT(measured.right - measured.left, 130);
    EXPECT_LT(measured.right - measured.left, 160);
    EXPECT_EQ(measured.bottom - measured.top, 15);

    // The native path draws through the system bitmap's context.
    LICE_SysBitmap sys(170, 26);
    LICE_MemBitmap mem(170, 26);
    LICE_IBitmap* bm = p.native ? static_cast<LICE_IBitmap*>(&sys) : &mem;
    LICE_Clear(bm, 0);
    RECT box = {6, 5, 166, 24};
    EXPECT_EQ(font.DrawText(bm, kText, -1, &box, flags), 15);

    const RECT ink = InkBounds(bm);
    EXPECT_GE(ink.left, measured.left);
    EXPECT_LE(ink.left, measured.left + 2);
    EXPECT_GE(ink.top, measured.top);
    EXPECT_LE(ink.top, measured.top + 4) << "capitals reach near the top";
    EXPECT_LE(ink.right, measured.right);
    EXPECT_GE(ink.right, measured.right - 6);
    EXPECT_LE(ink.bottom, measured.bottom);
    EXPECT_GE(ink.bottom, measured.bottom - 4) << "descenders reach near the bottom";

    EXPECT_TRUE(testsupport::writePng(testsupport::outputPath(p.name),
                                      reinterpret_cast<const unsigned char*>(bm->getBits()), bm->getWidth(),
                                      bm->getHeight(), bm->getRowSpan() * 4));
  }
}

}  // namespace
