#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "framework/WDL_Mutex.h"

namespace {

TEST(Mutex, RecursiveEntryHoldsOtherThreadsUntilTheLastLeave) {
  WDL_Mutex mutex;
  std::atomic<bool> entering{false}, entered{false};
  mutex.Enter();
  mutex.Enter();
  mutex.Enter();
  std::thread other([&] {
    entering = true;
    mutex.Enter();
    entered = true;
    mutex.Leave();
  });
  mutex.Leave();
  mutex.Leave();
  // The pause gives an entry that does not wait the time to get in.
  while (!entering) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(entered) << "one level is still held";
  mutex.Leave();
  other.join();
  EXPECT_TRUE(entered);
}

TEST(Mutex, LeaveByANonOwnerChangesNothing) {
  WDL_Mutex mutex;
  mutex.Enter();
  std::thread stranger([&] { mutex.Leave(); });
  stranger.join();
  std::atomic<bool> entering{false}, entered{false};
  std::thread other([&] {
    entering = true;
    WDL_MutexLock lock(&mutex);
    entered = true;
  });
  while (!entering) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(entered);
  mutex.Leave();
  other.join();
  EXPECT_TRUE(entered);
}

TEST(Mutex, ScopedLockAcceptsNull) {
  WDL_MutexLock lock(nullptr);
  SUCCEED();
}

}  // namespace
