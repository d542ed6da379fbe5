#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace testsupport {

// A named pipe that no one writes, for readers that must refuse it at once
// instead of waiting for a writer.
class Fifo {
 public:
  explicit Fifo(std::string path) : mPath(std::move(path)) { mMade = ::mkfifo(mPath.c_str(), 0600) == 0; }
  ~Fifo() { ::unlink(mPath.c_str()); }
  Fifo(const Fifo&) = delete;
  Fifo& operator=(const Fifo&) = delete;

  bool made() const { return mMade; }
  const std::string& path() const { return mPath; }

  // Runs call on this thread and says whether it returned without waiting
  // for a writer. After a few seconds a watchdog looks for a reader holding
  // the pipe, as one waiting for a writer does, and lets it go by opening the
  // pipe to write (writers come and go until the call returns), so that a
  // test of a reader that waits fails instead of hanging; a call merely slow
  // on a busy machine holds no pipe and is waited for.
  bool returnsPromptly(const std::function<void()>& call) const {
    std::atomic<bool> done{false};
    std::atomic<bool> waited{false};
    std::thread watchdog([&] {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (!done.load()) {
        if (std::chrono::steady_clock::now() >= deadline) {
          // Opening to write without waiting succeeds only while a reader has the pipe.
          const int fd = ::open(mPath.c_str(), O_WRONLY | O_NONBLOCK);
          if (fd >= 0) {
            waited = true;
            ::close(fd);
          }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    });
    call();
    done = true;
    watchdog.join();
    return !waited.load();
  }

 private:
  std::string mPath;
  bool mMade = false;
};

}  // namespace testsupport
