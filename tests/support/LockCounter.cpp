#include "tests/support/LockCounter.h"

#include <pthread.h>

#include <atomic>

#include "tests/support/NextDefinition.h"

namespace {

using testsupport::nextDefinition;

thread_local std::size_t tLocks = 0;
thread_local int tActiveCounters = 0;

void countLock() {
  if (tActiveCounters > 0) ++tLocks;
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
  return nextDefinition(gMutexLock, "pthread_mutex_lock")(mutex);
}

int pthread_mutex_trylock(pthread_mutex_t* mutex) {
  countLock();
  return nextDefinition(gMutexTrylock, "pthread_mutex_trylock")(mutex);
}

int pthread_rwlock_rdlock(pthread_rwlock_t* lock) {
  countLock();
  return nextDefinition(gRdlock, "pthread_rwlock_rdlock")(lock);
}

int pthread_rwlock_wrlock(pthread_rwlock_t* lock) {
  countLock();
  return nextDefinition(gWrlock, "pthread_rwlock_wrlock")(lock);
}

}  // extern "C"

namespace testsupport {

LockCounter::LockCounter() : mStart(tLocks) { ++tActiveCounters; }
LockCounter::~LockCounter() { --tActiveCounters; }
std::size_t LockCounter::count() const { return tLocks - mStart; }

}  // namespace testsupport
