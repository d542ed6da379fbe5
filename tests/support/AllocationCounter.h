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

}  // namespace testsupport
