#pragma once

#include <cstddef>

namespace testsupport {

// Counts heap allocations made through operator new on the calling thread
// while an instance is alive; linking this file replaces global operator new.
class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  std::size_t count() const;

 private:
  std::size_t mStart;
};

// While an instance is alive, operator new on the calling thread fails: the
// nothrow forms return null and the others throw std::bad_alloc.
class FailingAllocations {
 public:
  FailingAllocations();
  ~FailingAllocations();
  FailingAllocations(const FailingAllocations&) = delete;
  FailingAllocations& operator=(const FailingAllocations&) = delete;
};

}  // namespace testsupport
