#pragma once

#include <cstddef>

namespace testsupport {

// Counts the pthread mutex and read-write lock acquisitions (blocking or
// trying) made on the calling thread while an instance is alive. Linking
// LockCounter.cpp interposes those pthread functions for the whole program;
// every lock in the project (the framework's recursive mutex, the standard
// mutexes) goes through them.
class LockCounter {
 public:
  LockCounter();
  ~LockCounter();
  LockCounter(const LockCounter&) = delete;
  LockCounter& operator=(const LockCounter&) = delete;

  std::size_t count() const;

 private:
  std::size_t mStart;
};

}  // namespace testsupport
