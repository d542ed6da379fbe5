#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace testsupport {

// A file made and held open under an exclusive lock of its open file, as a
// writer of unfinished files holds the one it writes, for as long as the
// instance lives.
class LockedFile {
 public:
  explicit LockedFile(const std::string& path) {
    mFd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    mLocked = mFd >= 0 && ::fcntl(mFd, F_OFD_SETLK, &lock) == 0;
  }
  ~LockedFile() {
    if (mFd >= 0) ::close(mFd);
  }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  bool locked() const { return mLocked; }

 private:
  int mFd = -1;
  bool mLocked = false;
};

}  // namespace testsupport
