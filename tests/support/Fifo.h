#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
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
  // on the pipe. After a few seconds a watchdog looks for a reader holding
  // the pipe, as one waiting for a writer does, and lets it go by opening the
  // pipe to write; and it opens the pipe to read, which lets a writer waiting
  // for a reader go, and takes what it writes. So a test of a reader or a
  // writer that waits fails instead of hanging, while a call merely slow on a
  // busy machine holds no pipe and is waited for.
  bool returnsPromptly(const std::function<void()>& call) const {
    std::atomic<bool> done{false};
    std::atomic<bool> waited{false};
    std::thread watchdog([&] {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      int reader = -1;
      while (!done.load()) {
        if (std::chrono::steady_clock::now() >= deadline) {
          // Opening to write without waiting succeeds only while a reader has the pipe.
          const int fd = ::open(mPath.c_str(), O_WRONLY | O_NONBLOCK);
          if (fd >= 0) {
            waited = true;
            ::close(fd);
          }
          if (reader < 0) reader = ::open(mPath.c_str(), O_RDONLY | O_NONBLOCK);
          // Data, or no data yet while a writer has the pipe open.
          char buffer[4096];
          ssize_t n = 0;
          while (reader >= 0 && (n = ::read(reader, buffer, sizeof buffer)) > 0) waited = true;
          if (n < 0 && errno == EAGAIN) waited = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      if (reader >= 0) ::close(reader);
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
