#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "platform/standin/SwellGdi.h"

namespace {

TEST(SwellMemContextTest, ZeroedPixelsTopRowFirstRowsExactlyFourTimesTheWidth) {
  HDC ctx = SWELL_CreateMemContext(nullptr, 3, 2);
  ASSERT_NE(ctx, nullptr);
  auto* pixels = static_cast<unsigned char*>(SWELL_GetCtxFrameBuffer(ctx));
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(pixels) % 64, 0u);
  ASSERT_NE(ctx->cgContext, nullptr);
  EXPECT_EQ(ctx->cgContext->pixels, pixels);
  EXPECT_EQ(ctx->cgContext->rowBytes, 12);
  EXPECT_EQ(ctx->cgContext->width, 3);
  EXPECT_EQ(ctx->cgContext->height, 2);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(pixels[i], 0) << i;
  EXPECT_EQ(ctx->font, nullptr);
  EXPECT_EQ(ctx->textColor, 0);
  SWELL_DeleteGfxContext(ctx);
}

TEST(SwellMemContextTest, SizesThatCannotBeHeldGiveNoContext) {
  struct Case {
    int w, h;
  } cases[] = {{0, 5}, {5, 0}, {-1, 5}, {5, -1}, {INT_MAX, 1}, {40000, 40000}};
  for (const Case& c : cases) EXPECT_EQ(SWELL_CreateMemContext(nullptr, c.w, c.h), nullptr) << c.w << " x " << c.h;
}

TEST(SwellMemContextTest, DeletedRecordsArePooledAndIgnored) {
  HDC ctx = SWELL_CreateMemContext(nullptr, 4, 4);
  ASSERT_NE(ctx, nullptr);
  SWELL_DeleteGfxContext(ctx);
  EXPECT_TRUE(ctx->inFreeList);
  EXPECT_EQ(SWELL_GetCtxFrameBuffer(ctx), nullptr);
  SWELL_DeleteGfxContext(ctx);  // a pooled record is left alone
  SWELL_DeleteGfxContext(nullptr);
  EXPECT_EQ(SWELL_GetCtxFrameBuffer(nullptr), nullptr);

  HDC reused = SWELL_GDP_CTX_NEW();
  ASSERT_NE(reused, nullptr);
  EXPECT_EQ(reused, ctx) << "the pooled record comes back";
  EXPECT_FALSE(reused->inFreeList);
  EXPECT_EQ(reused->ownedPixels, nullptr);
  SWELL_DeleteGfxContext(reused);
}

}  // namespace
