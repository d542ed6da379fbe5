#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "framework/WDL_Mutex.h"
#include "tests/support/DoneWithin.h"

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

TEST(Mutex, ReleaseLetsGoOfEveryLevelAndTakesThemAllBack) {
  WDL_Mutex mutex;
  mutex.Enter();
  mutex.Enter();
  {
    WDL_MutexRelease released(&mutex);
    std::vector<std::future<void>> other;
    other.push_back(std::async(std::launch::async, [&] { WDL_MutexLock lock(&mutex); }));
    testsupport::ExpectDoneWithin(std::chrono::seconds(30), other, "another thread entering a released mutex");
  }
  EXPECT_EQ(mutex.LeaveAll(), 2);
  EXPECT_EQ(mutex.LeaveAll(), 0);
  WDL_MutexRelease notHeld(&mutex);
  WDL_MutexRelease none(nullptr);
}

TEST(Mutex, ScopedLockAcceptsNull) {
  WDL_MutexLock lock(nullptr);
  SUCCEED();
}

}  // namespace
