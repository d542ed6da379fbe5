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

  // Runs call on this thread and says whether it returned within a few
  // seconds. A call still waiting on the pipe then is let go (writers come
  // and go, and a reader takes whatever is written, until it returns), so a
  // test of a reader or a writer that waits fails instead of hanging.
  bool returnsPromptly(const std::function<void()>& call) const {
    std::atomic<bool> done{false};
    std::atomic<bool> late{false};
    std::thread watchdog([&] {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      int reader = -1;
      while (!done.load()) {
        if (std::chrono::steady_clock::now() >= deadline) {
          late = true;
          const int fd = ::open(mPath.c_str(), O_WRONLY | O_NONBLOCK);
          if (fd >= 0) ::close(fd);
          if (reader < 0) reader = ::open(mPath.c_str(), O_RDONLY | O_NONBLOCK);
          char buffer[4096];
          while (reader >= 0 && ::read(reader, buffer, sizeof buffer) > 0) {
          }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      if (reader >= 0) ::close(reader);
    });
    call();
    done = true;
    watchdog.join();
    return !late.load();
  }

 private:
  std::string mPath;
  bool mMade = false;
};

}  // namespace testsupport
