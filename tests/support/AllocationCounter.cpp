#include "tests/support/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
thread_local std::size_t tAllocations = 0;
thread_local int tActiveCounters = 0;
thread_local int tFailing = 0;

void* countedAllocateOrNull(std::size_t size) noexcept {
  if (tActiveCounters > 0) ++tAllocations;
  if (tFailing > 0) return nullptr;
  return std::malloc(size == 0 ? 1 : size);
}

void* countedAllocate(std::size_t size) {
  if (void* p = countedAllocateOrNull(size)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return countedAllocate(size); }
void* operator new[](std::size_t size) { return countedAllocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return countedAllocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return countedAllocateOrNull(size);
}
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace testsupport {

AllocationCounter::AllocationCounter() : mStart(tAllocations) { ++tActiveCounters; }
AllocationCounter::~AllocationCounter() { --tActiveCounters; }
std::size_t AllocationCounter::count() const { return tAllocations - mStart; }

FailingAllocations::FailingAllocations() { ++tFailing; }
FailingAllocations::~FailingAllocations() { --tFailing; }

}  // namespace testsupport
