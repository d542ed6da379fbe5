#pragma once

#include <unistd.h>

#include <string>
#include <thread>

namespace testsupport {

// A pipe that a thread reads to its end, named by a path that opens its
// writing end as /dev/stdout opens a shell's pipe: a target that cannot
// seek, for writers that must not need to.
class PipeCapture {
 public:
  PipeCapture() {
    int fds[2];
    if (::pipe(fds) != 0) return;
    mRead = fds[0];
    mWrite = fds[1];
    mReader = std::thread([this] {
      char buffer[8192];
      for (ssize_t n; (n = ::read(mRead, buffer, sizeof buffer)) > 0;) {
        mText.append(buffer, static_cast<std::size_t>(n));
      }
    });
  }
  ~PipeCapture() {
    finish();
    if (mRead >= 0) ::close(mRead);
  }
  PipeCapture(const PipeCapture&) = delete;
  PipeCapture& operator=(const PipeCapture&) = delete;

  bool made() const { return mRead >= 0; }
  std::string path() const { return "/proc/self/fd/" + std::to_string(mWrite); }

  // What came through, once every writer has closed the pipe.
  const std::string& finish() {
    if (mWrite >= 0) ::close(mWrite);
    mWrite = -1;
    if (mReader.joinable()) mReader.join();
    return mText;
  }

 private:
  int mRead = -1, mWrite = -1;
  std::string mText;
  std::thread mReader;
};

}  // namespace testsupport
