#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// A program run in a process group of its own, in folder when one is given,
// its standard output and error read back, so that a test can signal it, or
// the processes it starts, while it runs. Whatever of the group still runs
// when the test ends is killed.
class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& arguments, const std::string& folder = "") {
    int out[2], err[2];
    if (::pipe(out) != 0) return;
    if (::pipe(err) != 0) {
      closeBoth(out);
      return;
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    mPid = ::fork();
    if (mPid == 0) {
      ::setpgid(0, 0);
      if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(126);
      ::dup2(out[1], STDOUT_FILENO);
      ::dup2(err[1], STDERR_FILENO);
      closeBoth(out);
      closeBoth(err);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    // Set on both sides, so the group exists whichever runs first.
    if (mPid > 0) ::setpgid(mPid, mPid);
    ::close(out[1]);
    ::close(err[1]);
    mOut = out[0];
    mErr = err[0];
  }
  ~ChildProcess() {
    if (mPid > 0) {
      ::kill(-mPid, SIGKILL);
      if (!mReaped) ::waitpid(mPid, nullptr, 0);
    }
    if (mOut >= 0) ::close(mOut);
    if (mErr >= 0) ::close(mErr);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return mPid > 0; }
  pid_t pid() const { return mPid; }
  // Whether any process of its group is still there.
  bool groupAlive() const { return mPid > 0 && ::kill(-mPid, 0) == 0; }

  struct End {
    bool inTime = false;
    int status = -1;  // as waitpid gives it
    std::string out, err;
  };
  // Reads its output until the group lets go of it and waits for the
  // process; past the limit the whole group is killed and inTime is false.
  End wait(std::chrono::seconds limit = std::chrono::seconds(180)) {
    End end;
    if (mPid <= 0) return end;
    end.inTime = true;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string* sinks[2] = {&mOutText, &mErrText};
    int* fds[2] = {&mOut, &mErr};
    while (mOut >= 0 || mErr >= 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                std::chrono::steady_clock::now());
      if (left.count() <= 0 && end.inTime) {
        end.inTime = false;
        ::kill(-mPid, SIGKILL);
      }
      pollfd polls[2] = {{mOut, POLLIN, 0}, {mErr, POLLIN, 0}};
      ::poll(polls, 2, end.inTime ? static_cast<int>(left.count()) : 100);
      for (int i = 0; i < 2; ++i) {
        if (*fds[i] < 0 || !(polls[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        char buffer[4096];
        const ssize_t n = ::read(*fds[i], buffer, sizeof buffer);
        if (n > 0) {
          sinks[i]->append(buffer, static_cast<std::size_t>(n));
        } else {
          ::close(*fds[i]);
          *fds[i] = -1;
        }
      }
    }
    ::waitpid(mPid, &end.status, 0);
    mReaped = true;
    end.out = mOutText;
    end.err = mErrText;
    return end;
  }

 private:
  static void closeBoth(int fds[2]) {
    ::close(fds[0]);
    ::close(fds[1]);
  }

  pid_t mPid = -1;
  bool mReaped = false;
  int mOut = -1, mErr = -1;
  std::string mOutText, mErrText;
};

// Checks condition until it holds, for at most limit: true when it held.
// For what a test can only watch from outside, such as a file that another
// process makes.
inline bool eventually(const std::function<bool()>& condition,
                       std::chrono::seconds limit = std::chrono::seconds(180)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace testsupport
