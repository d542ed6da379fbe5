#include "tests/support/LockCounter.h"

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>

namespace {

thread_local std::size_t tLocks = 0;
thread_local int tActiveCounters = 0;

void countLock() {
  if (tActiveCounters > 0) ++tLocks;
}

// The next definition after this program's, normally the C library's. Looked
// up without a guarded static, whose guard might itself lock.
template <class Function>
Function next(std::atomic<Function>& cache, const char* name) {
  Function f = cache.load(std::memory_order_relaxed);
  if (!f) {
    f = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
    cache.store(f, std::memory_order_relaxed);
  }
  return f;
}

using MutexFunction = int (*)(pthread_mutex_t*);
using RwlockFunction = int (*)(pthread_rwlock_t*);
std::atomic<MutexFunction> gMutexLock{nullptr};
std::atomic<MutexFunction> gMutexTrylock{nullptr};
std::atomic<RwlockFunction> gRdlock{nullptr};
std::atomic<RwlockFunction> gWrlock{nullptr};

}  // namespace

extern "C" {

int pthread_mutex_lock(pthread_mutex_t* mutex) {
  countLock();
  return next(gMutexLock, "pthread_mutex_lock")(mutex);
}

int pthread_mutex_trylock(pthread_mutex_t* mutex) {
  countLock();
  return next(gMutexTrylock, "pthread_mutex_trylock")(mutex);
}

int pthread_rwlock_rdlock(pthread_rwlock_t* lock) {
  countLock();
  return next(gRdlock, "pthread_rwlock_rdlock")(lock);
}

int pthread_rwlock_wrlock(pthread_rwlock_t* lock) {
  countLock();
  return next(gWrlock, "pthread_rwlock_wrlock")(lock);
}

}  // extern "C"

namespace testsupport {

LockCounter::LockCounter() : mStart(tLocks) { ++tActiveCounters; }
LockCounter::~LockCounter() { --tActiveCounters; }
std::size_t LockCounter::count() const { return tLocks - mStart; }

}  // namespace testsupport
