#include "framework/WDL_HeapBuf.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
constexpr long long kPage = 4096;
constexpr long long kMaxStep = 4 * 1024 * 1024;
// Leaves room for the allocator's own header so a block ends on a page.
constexpr long long kAllocatorOverhead = 96;

long long NewAllocation(long long newSize, long long granul, long long minAlloc) {
  long long alloc;
  if (granul >= kPage) {
    long long step = std::max(newSize / 2, granul) & ~(kPage - 1);
    step = std::min(std::max(step, kPage), kMaxStep);
    alloc = ((newSize + step + kAllocatorOverhead) & ~(kPage - 1)) - kAllocatorOverhead;
  } else {
    alloc = newSize + std::max(newSize / 2, granul);
  }
  return std::max(alloc, minAlloc);
}
}  // namespace

WDL_HeapBuf::WDL_HeapBuf(int granul) : mGranul(granul) {}

WDL_HeapBuf::WDL_HeapBuf(const WDL_HeapBuf& other)
    : mGranul(other.mGranul), mMinAlloc(other.mMinAlloc) {
  if (other.mSize > 0 && Resize(other.mSize, false)) std::memcpy(mBuf, other.mBuf, mSize);
}

WDL_HeapBuf& WDL_HeapBuf::operator=(const WDL_HeapBuf& other) {
  if (this != &other) {
    Resize(other.mSize, false);
    if (mSize == other.mSize && mSize > 0) std::memcpy(mBuf, other.mBuf, mSize);
  }
  return *this;
}

WDL_HeapBuf::~WDL_HeapBuf() { std::free(mBuf); }

void* WDL_HeapBuf::Resize(int newSize, bool mayShrink) {
  if (newSize < 0) return Get();
  if (newSize == mSize) return Get();

  const bool fits = mAlloc >= newSize;
  const bool worthShrinking = mayShrink && newSize < mSize && newSize < mAlloc / 2 &&
                              static_cast<long long>(newSize) < mAlloc - 4LL * mGranul;
  if (fits && !worthShrinking) {
    mSize = newSize;
    return Get();
  }

  const long long alloc = NewAllocation(newSize, mGranul, mMinAlloc);
  if (alloc > INT_MAX) return Get();
  if (alloc != mAlloc) {
    void* grown = std::realloc(mBuf, static_cast<std::size_t>(alloc));
    if (!grown) {
      grown = std::malloc(static_cast<std::size_t>(alloc));
      if (!grown) return Get();
      if (mBuf) std::memcpy(grown, mBuf, std::min(mSize, newSize));
      std::free(mBuf);
    }
    mBuf = grown;
    mAlloc = static_cast<int>(alloc);
  }
  mSize = newSize;
  return Get();
}
