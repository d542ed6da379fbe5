#pragma once

#include <sys/resource.h>

#include <csignal>

namespace testsupport {

// Makes this process's writes past a file size fail, as they do on a full
// disk: the write that would pass the limit fails (EFBIG), and the signal
// the kernel sends with it is ignored for the time. Needs no privilege.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &mSaved);
    rlimit limit = mSaved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    mSignal = std::signal(SIGXFSZ, SIG_IGN);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &mSaved);
    std::signal(SIGXFSZ, mSignal);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit mSaved{};
  void (*mSignal)(int) = SIG_DFL;
};

}  // namespace testsupport
