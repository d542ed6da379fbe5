#pragma once

#include <pthread.h>

#include <atomic>
#include <thread>
#include <vector>

// Recursive lock kept by its own owner/count bookkeeping over a plain mutex:
// the owning thread may enter again and must leave as often as it entered.
class WDL_Mutex {
 public:
  // A plug-in's mutex is one that a thread lets go of while it waits for a
  // render call, whose notifications may call into any plug-in
  // (WDL_PlugMutexesRelease).
  enum class Kind { kPlain, kPlugIn };

  explicit WDL_Mutex(Kind kind = Kind::kPlain);
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
  friend class WDL_PlugMutexesRelease;

  void Unlock();

  // The plug-in mutexes the calling thread holds, newest first, linked
  // through mOlderHeld.
  static thread_local WDL_Mutex* sNewestHeldPlugIn;

  pthread_mutex_t mMutex;
  std::atomic<std::thread::id> mOwner{};
  int mCount = 0;
  const Kind mKind;
  // Only the owner reads or writes it.
  WDL_Mutex* mOlderHeld = nullptr;
};

// Lets go of every level of every plug-in mutex the calling thread holds, for
// a scope in which it waits for a render call that may enter any of them,
// and takes them all back at its end, oldest first, as they were taken.
class WDL_PlugMutexesRelease {
 public:
  WDL_PlugMutexesRelease();
  ~WDL_PlugMutexesRelease();
  WDL_PlugMutexesRelease(const WDL_PlugMutexesRelease&) = delete;
  WDL_PlugMutexesRelease& operator=(const WDL_PlugMutexesRelease&) = delete;

 private:
  struct Released {
    WDL_Mutex* mutex;
    int levels;
  };
  // Newest first.
  std::vector<Released> mReleased;
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
