#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/standin/SwellGdiImages.h"
#include "platform/standin/SwellGdiDrawing.h"
#include "platform/standin/NSView.h"
#include "platform/standin/SwellImage.h"
#include "tests/platform/GdiTestSupport.h"
#include "tests/support/PngWriter.h"
#include "tests/support/TempDirectory.h"

namespace {

using gditest::MemContext;

// Source pixel (x, y) of a pattern: red = x, green = y, blue 7.
void Pattern(MemContext& m, int w, int h, unsigned char alpha = 255) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      unsigned char* p = m.Pixel(x, y);
      p[0] = alpha, p[1] = static_cast<unsigned char>(x), p[2] = static_cast<unsigned char>(y), p[3] = 7;
    }
  }
}

TEST(GdiBlitTest, StretchBltCutsNegativeOriginsAndClipsToTheSource) {
  MemContext src(100, 100), dest(200, 100);
  Pattern(src, 100, 100);
  // xs -10, sw 40, dw 80: column 0 on, drawn from x + 20, 60 wide.
  StretchBlt(dest.ctx, 10, 0, 80, 10, src.ctx, -10, 0, 40, 10, 0);
  for (int x = 0; x < 200; ++x) {
    const unsigned char* p = dest.Pixel(x, 5);
    if (x < 30 || x >= 90) {
      EXPECT_EQ(p[3], 0) << x;
    } else {
      EXPECT_EQ(p[1], (x - 30) / 2) << x;
      EXPECT_EQ(p[2], 5);
      EXPECT_EQ(p[0], 255);
    }
  }
  EXPECT_EQ(dest.Pixel(40, 10)[3], 0) << "10 rows";

  // 50 x 50 at (90, 90) of 100 x 100: only the 10 x 10 corner, unscaled.
  MemContext corner(100, 100);
  StretchBlt(corner.ctx, 0, 0, 50, 50, src.ctx, 90, 90, 50, 50, 0);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const unsigned char* p = corner.Pixel(x, y);
      if (x < 10 && y < 10) {
        EXPECT_EQ(p[1], 90 + x);
        EXPECT_EQ(p[2], 90 + y);
      } else {
        EXPECT_EQ(p[3], 0) << x << "," << y;
      }
    }
  }
  // Nothing for an origin beyond the source, an empty size or a context without pixels.
  MemContext untouched(20, 20);
  StretchBlt(untouched.ctx, 0, 0, 5, 5, src.ctx, 100, 0, 5, 5, 0);
  StretchBlt(untouched.ctx, 0, 0, 5, 5, src.ctx, 0, 0, 0, 5, 0);
  StretchBlt(untouched.ctx, 0, 0, 5, 5, nullptr, 0, 0, 5, 5, 0);
  HDC foreign = SWELL_CreateGfxContext(src.ctx->cgContext);
  StretchBlt(untouched.ctx, 0, 0, 5, 5, foreign, 0, 0, 5, 5, 0);
  SWELL_DeleteGfxContext(foreign);
  EXPECT_FALSE(src.ctx->inFreeList) << "a borrowed target is left alone";
  for (int i = 0; i < 20 * 20 * 4; ++i) ASSERT_EQ(untouched.ctx->cgContext->pixels[i], 0);
}

TEST(GdiBlitTest, SourceAlphaBlendsOnlyWithItsMode) {
  struct Case {
    unsigned char alpha;
    int mode;
    int red;  // over a destination of red 0
  } cases[] = {
      {0, BLIT_USE_SOURCE_ALPHA, 0}, {128, BLIT_USE_SOURCE_ALPHA, 100}, {255, BLIT_USE_SOURCE_ALPHA, 200},
      {0, 0, 200},                   {128, 1, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    MemContext src(2, 2), dest(2, 2);
    for (int i = 0; i < 4; ++i) {
      unsigned char* p = src.ctx->cgContext->pixels + i * 4;
      p[0] = c.alpha, p[1] = 200;
    }
    BitBlt(dest.ctx, 0, 0, 2, 2, src.ctx, 0, 0, c.mode);
    EXPECT_EQ(dest.Pixel(1, 1)[1], c.red) << static_cast<int>(c.alpha);
  }
}

TEST(GdiBitmapTest, CreateBitmapWantsThirtyTwoBitPixels) {
  const unsigned char bits[2 * 3 * 4] = {255, 1, 2, 3};
  EXPECT_EQ(CreateBitmap(2, 3, 1, 24, bits), nullptr);
  EXPECT_EQ(CreateBitmap(2, 3, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(0, 3, 1, 32, bits), nullptr);
  EXPECT_EQ(CreateBitmap(2, -1, 1, 32, bits), nullptr);
  HGDIOBJ bm = CreateBitmap(2, 3, 1, 32, bits);
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(bm->type, kSwellObjectBitmap);
  EXPECT_EQ(bm->width, 1) << "owns its image";
  EXPECT_EQ(GetNSImageFromHICON(bm)->pixels[3], 3);
  EXPECT_EQ(SelectObject(nullptr, bm), nullptr);

  int size[2] = {-1, -1};
  EXPECT_EQ(GetObject(bm, 8, size), 1);
  EXPECT_EQ(size[0], 2);
  EXPECT_EQ(size[1], 3);
  char buffer[12];
  std::memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(GetObject(bm, 12, buffer), 0);
  for (char b : buffer) EXPECT_EQ(b, 0) << "zero-filled";
  std::memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(GetObject(bm, -4, buffer), 0);
  EXPECT_EQ(buffer[0], 'x') << "a negative size writes nothing";
  EXPECT_EQ(GetObject(bm, 8, nullptr), 0);
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_EQ(GetObject(brush, 8, size), 0);
  EXPECT_EQ(size[0], 0);

  ICONINFO info = {true, 0, 0, nullptr, bm};
  HGDIOBJ icon = CreateIconIndirect(&info);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->image, bm->image) << "shares the image";
  info.fIcon = false;
  EXPECT_EQ(CreateIconIndirect(&info), nullptr);
  info = ICONINFO{true, 0, 0, nullptr, brush};
  EXPECT_EQ(CreateIconIndirect(&info), nullptr);
  DeleteObject(bm);
  EXPECT_EQ(GetNSImageFromHICON(icon)->pixelWidth, 2) << "the icon keeps the image alive";
  DeleteObject(icon);
  DeleteObject(brush);
}

TEST(GdiBitmapTest, LoadNamedImageKeysOpaqueMagentaAndFindsResourcesByBaseName) {
  const testsupport::TempDirectory dir;
  // Opaque magenta, magenta at alpha 128, opaque red.
  const unsigned char pixels[12] = {255, 255, 0, 255, 128, 255, 0, 255, 255, 255, 0, 0};
  ASSERT_TRUE(testsupport::writePng(dir.path("keyed.png"), pixels, 3, 1, 12, true));

  HGDIOBJ plain = LoadNamedImage(dir.path("keyed.png").c_str(), false);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->width, 1) << "a file's image is owned";
  EXPECT_EQ(std::memcmp(plain->image->pixels.data(), pixels, 12), 0);
  HGDIOBJ keyed = LoadNamedImage(dir.path("keyed.png").c_str(), true);
  ASSERT_NE(keyed, nullptr);
  const std::vector<unsigned char> expected = {0, 0, 0, 0, 128, 255, 0, 255, 255, 255, 0, 0};
  EXPECT_EQ(keyed->image->pixels, expected);

  setenv("THUDROKKA_RESOURCES", dir.path().c_str(), 1);
  HGDIOBJ named = LoadNamedImage("resources/img/nowhere/keyed.png", false);
  HGDIOBJ again = LoadNamedImage("keyed", false);
  unsetenv("THUDROKKA_RESOURCES");
  ASSERT_NE(named, nullptr);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(named->width, 0) << "named images are not owned";
  EXPECT_EQ(again->image->pixelWidth, 3);
  EXPECT_EQ(LoadNamedImage("no-such-image", false), nullptr);
  EXPECT_EQ(LoadNamedImage(nullptr, true), nullptr);
  for (HGDIOBJ obj : {plain, keyed, named, again}) DeleteObject(obj);
}

TEST(GdiBitmapTest, DrawImageInRectScalesAndBlends) {
  const unsigned char bits[2 * 2 * 4] = {255, 200, 0, 0, 0, 200, 0, 0, 128, 0, 200, 0, 255, 0, 0, 200};
  HGDIOBJ bm = CreateBitmap(2, 2, 1, 32, bits);
  MemContext m(6, 6);
  const RECT r = {1, 1, 5, 5};
  DrawImageInRect(m.ctx, bm, &r);
  EXPECT_EQ(m.Pixel(1, 1)[1], 200);
  EXPECT_EQ(m.Pixel(2, 2)[1], 200) << "each image pixel covers 2 x 2";
  EXPECT_EQ(m.Pixel(3, 1)[0], 0) << "a transparent pixel leaves the destination";
  EXPECT_EQ(m.Pixel(1, 3)[2], 100) << "half alpha blends";
  EXPECT_EQ(m.Pixel(4, 4)[3], 200);
  EXPECT_EQ(m.Pixel(0, 0)[0], 0);
  EXPECT_EQ(m.Pixel(5, 5)[0], 0);
  DeleteObject(bm);
}

TEST(GdiClipTest, PushedClipsNestAndPopBack) {
  MemContext m(10, 10);
  HBRUSH brush = CreateSolidBrush(0xFF0000);
  const RECT all = {0, 0, 10, 10}, inner = {2, 2, 6, 6}, other = {4, 4, 9, 9};
  SWELL_PushClipRegion(m.ctx);
  SWELL_SetClipRegion(m.ctx, &inner);
  SWELL_PushClipRegion(m.ctx);
  SWELL_SetClipRegion(m.ctx, &other);
  SWELL_FillRect(m.ctx, &all, brush);
  SWELL_PopClipRegion(m.ctx);
  EXPECT_EQ(m.Pixel(5, 5)[1], 255);
  EXPECT_EQ(m.Pixel(3, 3)[1], 0) << "only the intersection";
  EXPECT_EQ(m.Pixel(7, 7)[1], 0);
  SWELL_FillRect(m.ctx, &all, brush);
  EXPECT_EQ(m.Pixel(3, 3)[1], 255);
  EXPECT_EQ(m.Pixel(7, 7)[1], 0);
  SWELL_PopClipRegion(m.ctx);
  SWELL_PopClipRegion(m.ctx);  // unmatched: ignored
  SWELL_FillRect(m.ctx, &all, brush);
  EXPECT_EQ(m.Pixel(9, 9)[1], 255);
  SWELL_PushClipRegion(nullptr);
  SWELL_SetClipRegion(nullptr, &all);
  DeleteObject(brush);
}

// Windows and views that report the context they paint into.
template <class Base>
struct Painting : Base {
  using Base::Base;
  bool getSwellPaintInfo(PAINTSTRUCT* info) override {
    info->hdc = paint;
    return true;
  }
  HDC paint = nullptr;
};

TEST(GdiWindowTest, ContextsOfViewsAndWindowsDrawOnTheirScreen) {
  MemContext paint(4, 4);
  NSWindow window(NSMakeRect(0, 0, 20, 20));
  // Its top-left corner is screen pixel (4, 2).
  auto* view = new Painting<NSView>(NSMakeRect(4, 8, 10, 10));
  window.contentView()->addSubview(view);
  HBRUSH brush = CreateSolidBrush(0x00FF00);
  const RECT one = {0, 0, 1, 1};
  auto green = [&](int x, int y) { return window.screenPixel(x, y) == 0x00FF00; };

  HDC ctx = GetDC(&window);
  ASSERT_NE(ctx, nullptr);
  EXPECT_EQ(ctx->cgContext, window.screen());
  EXPECT_EQ(NSGraphicsContextCurrentPort(), window.screen()) << "the content view's focus is locked";
  SWELL_FillRect(ctx, &one, brush);
  EXPECT_TRUE(green(0, 0));
  ReleaseDC(&window, ctx);
  EXPECT_EQ(NSGraphicsContextCurrentPort(), nullptr);
  EXPECT_TRUE(ctx->inFreeList);

  ctx = GetDC(view);
  SWELL_FillRect(ctx, &one, brush);
  EXPECT_TRUE(green(4, 2));
  ReleaseDC(view, ctx);

  // The window context is translated by the view's bounds origin until released.
  view->setBoundsOrigin(NSPoint{3, 5});
  HDC translated = GetWindowDC(view);
  SWELL_FillRect(translated, &one, brush);
  EXPECT_TRUE(green(7, 7));
  ReleaseDC(view, translated);
  EXPECT_EQ(window.screen()->state.originX, 0.0f) << "the translation went with the release";
  EXPECT_EQ(window.screen()->state.originY, 0.0f);

  // A view that reports its paint context hands that out and keeps it.
  view->paint = paint.ctx;
  EXPECT_EQ(GetDC(view), paint.ctx);
  ReleaseDC(view, paint.ctx);
  EXPECT_FALSE(paint.ctx->inFreeList);
  Painting<NSWindow> painting(NSMakeRect(0, 0, 5, 5));
  painting.paint = paint.ctx;
  EXPECT_EQ(GetDC(&painting), paint.ctx);
  ReleaseDC(&painting, paint.ctx);
  EXPECT_FALSE(paint.ctx->inFreeList);
  EXPECT_EQ(NSGraphicsContextCurrentPort(), nullptr);

  // Views that cannot draw: hidden, or on no window; a window without content.
  view->paint = nullptr;
  view->setHidden(true);
  EXPECT_EQ(GetDC(view), nullptr);
  NSView loose(NSMakeRect(0, 0, 5, 5));
  EXPECT_EQ(GetDC(&loose), nullptr);
  NSWindow empty(NSMakeRect(0, 0, 5, 5));
  empty.setContentView(nullptr);
  EXPECT_EQ(GetDC(&empty), nullptr);
  EXPECT_EQ(GetDC(nullptr), nullptr);

  SWELL_FillDialogBackground(paint.ctx, &one, 0);
  EXPECT_EQ(paint.Pixel(0, 0)[1], 0xED);
  DeleteObject(brush);
}

TEST(GdiImageListTest, SlotsOwnCopiesOfTheIcons) {
  const unsigned char bits[4] = {255, 1, 2, 3};
  HGDIOBJ icon = CreateBitmap(1, 1, 1, 32, bits);
  HIMAGELIST list = ImageList_CreateEx();
  EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0) << "appends to an empty list";
  EXPECT_EQ(ImageList_ReplaceIcon(list, -1, icon), 1);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 7, icon), 2) << "beyond the end appends";
  EXPECT_NE(list->Get(0), icon) << "never the caller's object";
  HGDIOBJ first = list->Get(0);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
  EXPECT_TRUE(first->inFreeList) << "the replaced object is deleted";
  EXPECT_EQ(list->GetSize(), 3);

  HGDIOBJ middle = list->Get(1);
  EXPECT_TRUE(ImageList_Remove(list, 1));
  EXPECT_EQ(list->GetSize(), 3);
  EXPECT_EQ(list->Get(1), nullptr);
  EXPECT_TRUE(middle->inFreeList);
  EXPECT_FALSE(ImageList_Remove(list, 3));
  HGDIOBJ last = list->Get(2);
  EXPECT_TRUE(ImageList_Remove(list, -1));
  EXPECT_EQ(list->GetSize(), 0);
  EXPECT_TRUE(last->inFreeList);

  EXPECT_EQ(ImageList_ReplaceIcon(nullptr, 0, icon), -1);
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 0, brush), -1);
  DeleteObject(brush);
  EXPECT_FALSE(ImageList_Remove(nullptr, 0));
  EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
  ImageList_Destroy(list);
  ImageList_Destroy(nullptr);
  EXPECT_EQ(icon->image->refs, 1) << "the list's copies released their references";
  DeleteObject(icon);
}

}  // namespace
