#include "tests/support/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
thread_local std::size_t tAllocations = 0;
thread_local int tActiveCounters = 0;

void* countedAllocate(std::size_t size) {
  if (tActiveCounters > 0) ++tAllocations;
  if (size == 0) size = 1;
  if (void* p = std::malloc(size)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return countedAllocate(size); }
void* operator new[](std::size_t size) { return countedAllocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace testsupport {

AllocationCounter::AllocationCounter() : mStart(tAllocations) { ++tActiveCounters; }
AllocationCounter::~AllocationCounter() { --tActiveCounters; }
std::size_t AllocationCounter::count() const { return tAllocations - mStart; }

}  // namespace testsupport
