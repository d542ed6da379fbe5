#include "platform/standin/SwellGdi.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/standin/SwellGdiObjects.h"
#include "platform/standin/SwellGdiPool.h"

namespace {

constexpr int kMaxPooledContexts = 100;

// Records are recycled so that glyph and text work does not allocate each time.
struct ContextPool {
  HDC head = nullptr;
  int size = 0;
};

ContextPool& Pool() {
  static ContextPool* pool = new ContextPool();
  return *pool;
}

bool Live(HDC ctx) { return ctx && !ctx->inFreeList; }

}  // namespace

HDC SWELL_GDP_CTX_NEW() {
  ContextPool& pool = Pool();
  HDC ctx = nullptr;
  {
    WDL_MutexLock hold(&SWELL_GdiPoolLock());
    if (pool.head) {
      ctx = pool.head;
      pool.head = ctx->nextFree;
      --pool.size;
    }
  }
  if (!ctx) ctx = static_cast<HDC>(std::malloc(sizeof(HDC__)));
  if (ctx) std::memset(static_cast<void*>(ctx), 0, sizeof(HDC__));
  return ctx;
}

HDC SWELL_CreateMemContext(HDC, int w, int h) {
  if (w < 1 || h < 1) return nullptr;
  const long long rowBytes = static_cast<long long>(w) * 4;
  if (h > INT_MAX / rowBytes) return nullptr;
  const long long bytes = rowBytes * h;
  void* block = std::calloc(static_cast<size_t>(bytes) + 63, 1);
  if (!block) return nullptr;
  auto* target = new (std::nothrow) SWELL_GfxTarget;
  HDC ctx = target ? SWELL_GDP_CTX_NEW() : nullptr;
  if (!ctx) {
    delete target;
    std::free(block);
    return nullptr;
  }
  ctx->ownedPixels = block;
  SWELL_GfxInit(target, static_cast<unsigned char*>(SWELL_GetCtxFrameBuffer(ctx)), w, h,
                static_cast<int>(rowBytes));
  ctx->cgContext = target;
  ctx->hasTextColor = true;
  return ctx;
}

HDC SWELL_CreateGfxContext(void* graphicsContext) {
  HDC ctx = SWELL_GDP_CTX_NEW();
  if (ctx) ctx->cgContext = static_cast<SWELL_GfxTarget*>(graphicsContext);
  return ctx;
}

void SWELL_DeleteGfxContext(HDC ctx) {
  if (!Live(ctx)) return;
  SWELL_DeselectAll(ctx);
  if (ctx->ownedPixels) {
    delete ctx->cgContext;
    std::free(ctx->ownedPixels);
  }
  std::memset(static_cast<void*>(ctx), 0, sizeof(HDC__));
  ContextPool& pool = Pool();
  {
    WDL_MutexLock hold(&SWELL_GdiPoolLock());
    if (pool.size < kMaxPooledContexts) {
      ctx->inFreeList = true;
      ctx->nextFree = pool.head;
      pool.head = ctx;
      ++pool.size;
      return;
    }
  }
  std::free(ctx);
}

SWELL_GfxTarget* SWELL_GetCtxGC(HDC ctx) { return Live(ctx) ? ctx->cgContext : nullptr; }

WDL_Mutex& SWELL_GdiPoolLock() {
  // Made on first use and kept, so that it outlives every pooled record.
  static WDL_Mutex* lock = new WDL_Mutex();
  return *lock;
}

void* SWELL_GetCtxFrameBuffer(HDC ctx) {
  if (!Live(ctx) || !ctx->ownedPixels) return nullptr;
  const auto raw = reinterpret_cast<uintptr_t>(ctx->ownedPixels);
  return reinterpret_cast<void*>((raw + 63) & ~static_cast<uintptr_t>(63));
}
