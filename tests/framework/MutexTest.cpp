#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "framework/WDL_Mutex.h"

namespace {

TEST(Mutex, RecursiveEntryHoldsOtherThreadsUntilTheLastLeave) {
  WDL_Mutex mutex;
  std::atomic<bool> entered{false};
  mutex.Enter();
  mutex.Enter();
  mutex.Enter();
  std::thread other([&] {
    mutex.Enter();
    entered = true;
    mutex.Leave();
  });
  mutex.Leave();
  mutex.Leave();
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
  std::atomic<bool> entered{false};
  std::thread other([&] {
    WDL_MutexLock lock(&mutex);
    entered = true;
  });
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
