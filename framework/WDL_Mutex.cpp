#include "framework/WDL_Mutex.h"

WDL_Mutex::WDL_Mutex() { pthread_mutex_init(&mMutex, nullptr); }

WDL_Mutex::~WDL_Mutex() { pthread_mutex_destroy(&mMutex); }

void WDL_Mutex::Enter() {
  const std::thread::id self = std::this_thread::get_id();
  if (mOwner.load(std::memory_order_relaxed) != self) {
    pthread_mutex_lock(&mMutex);
    mOwner.store(self, std::memory_order_relaxed);
    mCount = 0;
  } else {
    ++mCount;
  }
}

void WDL_Mutex::Leave() {
  if (mOwner.load(std::memory_order_relaxed) != std::this_thread::get_id()) return;
  if (--mCount < 0) {
    mOwner.store(std::thread::id(), std::memory_order_relaxed);
    pthread_mutex_unlock(&mMutex);
  }
}

int WDL_Mutex::LeaveAll() {
  if (mOwner.load(std::memory_order_relaxed) != std::this_thread::get_id()) return 0;
  const int levels = mCount + 1;
  mCount = 0;
  mOwner.store(std::thread::id(), std::memory_order_relaxed);
  pthread_mutex_unlock(&mMutex);
  return levels;
}
