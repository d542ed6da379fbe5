#pragma once

#include <atomic>
#include <functional>
#include <string>

namespace testsupport {

// While an instance lives, runs its action on whichever thread opens a file
// whose path holds the given text, just before the file is opened: a test
// sees what the opening thread holds while it reads. Linking OpenHook.cpp
// interposes open() for the whole program; files the C library opens by
// itself (fopen) do not pass through it. One hook at a time.
class OpenHook {
 public:
  OpenHook(std::string pathPart, std::function<void()> action);
  ~OpenHook();
  OpenHook(const OpenHook&) = delete;
  OpenHook& operator=(const OpenHook&) = delete;

  // How often the action ran.
  int runs() const { return mRuns.load(); }

  // Called by the interposed open() with each path it is given.
  void runIfMatches(const char* path);

 private:
  const std::string mPathPart;
  const std::function<void()> mAction;
  std::atomic<int> mRuns{0};
};

}  // namespace testsupport
