#pragma once

#include <pthread.h>

#include <atomic>
#include <thread>

// Recursive lock kept by its own owner/count bookkeeping over a plain mutex:
// the owning thread may enter again and must leave as often as it entered.
class WDL_Mutex {
 public:
  WDL_Mutex();
  ~WDL_Mutex();
  WDL_Mutex(const WDL_Mutex&) = delete;
  WDL_Mutex& operator=(const WDL_Mutex&) = delete;

  void Enter();
  // A thread that does not own the lock leaves nothing.
  void Leave();
  // Leaves every level the calling thread holds and tells how many that
  // was: 0 when it holds none.
  int LeaveAll();

 private:
  pthread_mutex_t mMutex;
  std::atomic<std::thread::id> mOwner{};
  int mCount = 0;
};

// Lets go of every level of a mutex the calling thread holds, for a scope
// in which it waits for a thread that may need the mutex, and takes them all
// back at its end. A null mutex, or one the thread does not hold, is left alone.
class WDL_MutexRelease {
 public:
  explicit WDL_MutexRelease(WDL_Mutex* mutex) : mMutex(mutex), mLevels(mutex ? mutex->LeaveAll() : 0) {}
  ~WDL_MutexRelease() {
    for (int i = 0; i < mLevels; ++i) mMutex->Enter();
  }
  WDL_MutexRelease(const WDL_MutexRelease&) = delete;
  WDL_MutexRelease& operator=(const WDL_MutexRelease&) = delete;

 private:
  WDL_Mutex* mMutex;
  int mLevels;
};

// Holds a mutex for a scope; a null mutex is allowed and holds nothing.
class WDL_MutexLock {
 public:
  explicit WDL_MutexLock(WDL_Mutex* mutex) : mMutex(mutex) {
    if (mMutex) mMutex->Enter();
  }
  ~WDL_MutexLock() {
    if (mMutex) mMutex->Leave();
  }
  WDL_MutexLock(const WDL_MutexLock&) = delete;
  WDL_MutexLock& operator=(const WDL_MutexLock&) = delete;

 private:
  WDL_Mutex* mMutex;
};
