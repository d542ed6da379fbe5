#include "framework/UnfinishedFiles.h"

#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace {

// More files than any writer of ours holds open at once.
constexpr int kEntries = 64;

enum State { kFree, kFilling, kHeld };

struct Entry {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the entries");

Entry gEntries[kEntries];

}  // namespace

namespace UnfinishedFiles {

int add(const char* path) {
  const std::size_t length = std::strlen(path);
  if (length >= PATH_MAX) return -1;
  for (int i = 0; i < kEntries; ++i) {
    int expected = kFree;
    if (!gEntries[i].state.compare_exchange_strong(expected, kFilling, std::memory_order_acquire)) continue;
    std::memcpy(gEntries[i].path, path, length + 1);
    // Only a whole name is ever seen by the handler.
    gEntries[i].state.store(kHeld, std::memory_order_release);
    return i;
  }
  return -1;
}

void remove(int entry) {
  if (entry >= 0 && entry < kEntries) gEntries[entry].state.store(kFree, std::memory_order_release);
}

void unlinkAll() {
  for (Entry& entry : gEntries) {
    if (entry.state.load(std::memory_order_acquire) == kHeld) ::unlink(entry.path);
  }
}

}  // namespace UnfinishedFiles
