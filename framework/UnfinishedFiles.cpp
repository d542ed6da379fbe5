#include "framework/UnfinishedFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "framework/FileNames.h"
#include "framework/SignalsHeld.h"

namespace {

const char kMark[] = ".thudrokka-unfinished";
// Leaves room in a file name for the unfinished file's prefix and suffix.
constexpr std::size_t kMaxStem = 200;
constexpr int kAttempts = 100;

std::atomic<unsigned> gCount{0};

// The unfinished files of this process, kept where a signal handler can
// reach them: a fixed table of names, so that removing them all takes no
// allocation, no lock and no call that a handler may not make. More entries
// than any writer of ours holds open at once.
constexpr int kEntries = 64;

enum State { kFree, kFilling, kHeld };

struct Entry {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the entries");

Entry gEntries[kEntries];

// The entry for path; -1 when the table is full or the path too long.
int addEntry(const char* path) {
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

void removeEntry(int entry) {
  if (entry >= 0 && entry < kEntries) gEntries[entry].state.store(kFree, std::memory_order_release);
}

std::string nameBeside(const std::string& target, unsigned count) {
  const std::string folder = FileNames::folderOf(target);
  const std::string stem = target.substr(folder.size(), kMaxStem);
  return folder + "." + stem + "." + std::to_string(::getpid()) + "-" + std::to_string(count) + kMark;
}

// Whether name is ".STEM.PID-N" and the mark.
bool isUnfinishedName(const std::string& name) {
  const std::size_t markLength = sizeof kMark - 1;
  if (name.size() <= markLength || name[0] != '.' ||
      name.compare(name.size() - markLength, markLength, kMark) != 0) {
    return false;
  }
  const auto digits = [&name](std::size_t from, std::size_t to) {
    return from < to && std::all_of(name.begin() + static_cast<std::ptrdiff_t>(from),
                                    name.begin() + static_cast<std::ptrdiff_t>(to),
                                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
  };
  const std::size_t end = name.size() - markLength;
  const std::size_t dash = name.rfind('-', end);
  const std::size_t dot = dash == std::string::npos ? dash : name.rfind('.', dash);
  return dot != std::string::npos && dot > 1 && digits(dot + 1, dash) && digits(dash + 1, end);
}

// An exclusive lock on the whole file, however long it grows, that belongs
// to the open file rather than to the process: it holds whatever else the
// process opens and closes, and another open file of the same process is
// refused it too. Over a network file system the server keeps it. 0, or
// the errno of the refusal.
int lockWhole(int fd) {
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  return ::fcntl(fd, F_OFD_SETLK, &lock) == 0 ? 0 : errno;
}

bool lockedByAnother(int error) { return error == EAGAIN || error == EACCES; }

// Whether name in folder dir still leads to the file open at fd.
bool stillNamed(int fd, int dir, const char* name) {
  struct stat opened, named;
  return ::fstat(fd, &opened) == 0 && ::fstatat(dir, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// A writer locks its file before anything else, and a cleaner locks it
// before it removes it: holding the lock from its test to the removal, and
// finding that the name still leads to the file it locked, it removes the
// abandoned file and nothing else.
void removeIfAbandoned(int dir, const char* name) {
  struct stat info;
  if (::fstatat(dir, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) return;
  // Neither through a link that took the name meanwhile nor waiting on a pipe.
  const int fd = ::openat(dir, name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && lockWhole(fd) == 0 && stillNamed(fd, dir, name)) {
    ::unlinkat(dir, name, 0);
  }
  ::close(fd);
}

}  // namespace

std::string UnfinishedFile::make(const std::string& target) {
  discard();
  int error = EEXIST;
  for (int attempt = 0; attempt < kAttempts && error == EEXIST; ++attempt) {
    const std::string name = nameBeside(target, gCount.fetch_add(1, std::memory_order_relaxed));
    int fd = -1;
    int entry = -1;
    {
      // A signal that ends the process finds the file registered, or no file.
      const SignalsHeld held;
      fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      error = fd < 0 ? errno : 0;
      if (fd >= 0 && (entry = addEntry(name.c_str())) < 0) {
        ::unlink(name.c_str());
        ::close(fd);
        return "too many files are being written at once";
      }
    }
    if (fd < 0) continue;
    // Made but not locked yet, the file may have been taken for abandoned by
    // a cleaner, whose it then is to remove; another name is tried. Where
    // the file system keeps no locks, no cleaner can take one either.
    if (!lockedByAnother(lockWhole(fd)) && stillNamed(fd, AT_FDCWD, name.c_str())) {
      mName = name;
      mFd = fd;
      mEntry = entry;
      return "";
    }
    removeEntry(entry);
    ::close(fd);
    error = EEXIST;
  }
  return std::strerror(error);
}

int UnfinishedFile::finish(const std::string& target) {
  if (::rename(mName.c_str(), target.c_str()) != 0) return errno;
  removeEntry(mEntry);
  ::close(mFd);
  mFd = -1;
  mEntry = -1;
  mName.clear();
  return 0;
}

void UnfinishedFile::discard() {
  if (mFd < 0) return;
  // Still locked, the name cannot have passed to another writer's file.
  ::unlink(mName.c_str());
  removeEntry(mEntry);
  ::close(mFd);
  mFd = -1;
  mEntry = -1;
  mName.clear();
}

namespace UnfinishedFiles {

void removeAbandoned(const std::string& folder) {
  if (folder.empty()) return;
  DIR* entries = ::opendir(folder.c_str());
  if (!entries) return;
  while (const dirent* entry = ::readdir(entries)) {
    if (isUnfinishedName(entry->d_name)) removeIfAbandoned(::dirfd(entries), entry->d_name);
  }
  ::closedir(entries);
}

void removeOwn() {
  for (Entry& entry : gEntries) {
    if (entry.state.load(std::memory_order_acquire) == kHeld) ::unlink(entry.path);
  }
}

}  // namespace UnfinishedFiles
