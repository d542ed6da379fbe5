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

// A thread that waits for a render call lets go of the plug-in mutexes it
// holds, however it entered them, and of nothing else.
TEST(Mutex, PlugMutexesReleaseLetsGoOfEveryLevelOfThePlugInMutexesHeldAndTakesThemBack) {
  WDL_Mutex first(WDL_Mutex::Kind::kPlugIn), left(WDL_Mutex::Kind::kPlugIn), second(WDL_Mutex::Kind::kPlugIn);
  WDL_Mutex plain;
  first.Enter();
  first.Enter();
  left.Enter();
  plain.Enter();
  second.Enter();
  // Left before the one entered after it.
  left.Leave();
  {
    WDL_PlugMutexesRelease released;
    std::vector<std::future<void>> entering;
    entering.push_back(std::async(std::launch::async, [&] {
      WDL_MutexLock a(&first);
      WDL_MutexLock b(&second);
      WDL_MutexLock c(&left);
    }));
    testsupport::ExpectDoneWithin(std::chrono::seconds(30), entering, "another thread entering released mutexes");
    EXPECT_EQ(plain.LeaveAll(), 1) << "a plain mutex is kept";
    plain.Enter();
  }
  EXPECT_EQ(first.LeaveAll(), 2);
  EXPECT_EQ(second.LeaveAll(), 1);
  EXPECT_EQ(left.LeaveAll(), 0);
  EXPECT_EQ(plain.LeaveAll(), 1);
  { WDL_PlugMutexesRelease noneHeld; }
}

TEST(Mutex, ScopedLockAcceptsNull) {
  WDL_MutexLock lock(nullptr);
  SUCCEED();
}

}  // namespace
