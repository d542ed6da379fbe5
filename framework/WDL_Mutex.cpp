#include "framework/WDL_Mutex.h"

thread_local WDL_Mutex* WDL_Mutex::sNewestHeldPlugIn = nullptr;

WDL_Mutex::WDL_Mutex(Kind kind) : mKind(kind) { pthread_mutex_init(&mMutex, nullptr); }

WDL_Mutex::~WDL_Mutex() { pthread_mutex_destroy(&mMutex); }

void WDL_Mutex::Enter() {
  const std::thread::id self = std::this_thread::get_id();
  if (mOwner.load(std::memory_order_relaxed) != self) {
    pthread_mutex_lock(&mMutex);
    mOwner.store(self, std::memory_order_relaxed);
    mCount = 0;
    if (mKind == Kind::kPlugIn) {
      mOlderHeld = sNewestHeldPlugIn;
      sNewestHeldPlugIn = this;
    }
  } else {
    ++mCount;
  }
}

void WDL_Mutex::Leave() {
  if (mOwner.load(std::memory_order_relaxed) != std::this_thread::get_id()) return;
  if (--mCount < 0) Unlock();
}

int WDL_Mutex::LeaveAll() {
  if (mOwner.load(std::memory_order_relaxed) != std::this_thread::get_id()) return 0;
  const int levels = mCount + 1;
  Unlock();
  return levels;
}

void WDL_Mutex::Unlock() {
  if (mKind == Kind::kPlugIn) {
    // Mutexes need not be left in the order they were entered.
    for (WDL_Mutex** link = &sNewestHeldPlugIn; *link; link = &(*link)->mOlderHeld) {
      if (*link == this) {
        *link = mOlderHeld;
        break;
      }
    }
    mOlderHeld = nullptr;
  }
  mCount = 0;
  mOwner.store(std::thread::id(), std::memory_order_relaxed);
  pthread_mutex_unlock(&mMutex);
}

WDL_PlugMutexesRelease::WDL_PlugMutexesRelease() {
  int n = 0;
  for (const WDL_Mutex* held = WDL_Mutex::sNewestHeldPlugIn; held; held = held->mOlderHeld) ++n;
  // Made room for first, so that nothing is let go that could not be taken back.
  mReleased.reserve(static_cast<std::size_t>(n));
  while (WDL_Mutex* newest = WDL_Mutex::sNewestHeldPlugIn) {
    const int levels = newest->LeaveAll();
    mReleased.push_back({newest, levels});
  }
}

WDL_PlugMutexesRelease::~WDL_PlugMutexesRelease() {
  for (auto released = mReleased.rbegin(); released != mReleased.rend(); ++released) {
    for (int i = 0; i < released->levels; ++i) released->mutex->Enter();
  }
}
