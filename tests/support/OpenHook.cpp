#include "tests/support/OpenHook.h"

#include <fcntl.h>

#include <cstdarg>

#include "tests/support/NextDefinition.h"

namespace {

std::atomic<testsupport::OpenHook*> gHook{nullptr};
// Files the action itself opens do not run it again.
thread_local bool tInAction = false;

using OpenFunction = int (*)(const char*, int, ...);
std::atomic<OpenFunction> gOpen{nullptr};
std::atomic<OpenFunction> gOpen64{nullptr};

// The mode argument is there only when the flags create a file.
int openWithHook(std::atomic<OpenFunction>& cache, const char* name, const char* path, int flags, va_list args) {
  const unsigned mode = (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(args, unsigned) : 0;
  if (testsupport::OpenHook* hook = gHook.load()) hook->runIfMatches(path);
  return testsupport::nextDefinition(cache, name)(path, flags, mode);
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const int fd = openWithHook(gOpen, "open", path, flags, args);
  va_end(args);
  return fd;
}

int open64(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const int fd = openWithHook(gOpen64, "open64", path, flags, args);
  va_end(args);
  return fd;
}

}  // extern "C"

namespace testsupport {

OpenHook::OpenHook(std::string pathPart, std::function<void()> action)
    : mPathPart(std::move(pathPart)), mAction(std::move(action)) {
  gHook.store(this);
}

OpenHook::~OpenHook() { gHook.store(nullptr); }

void OpenHook::runIfMatches(const char* path) {
  if (tInAction || path == nullptr || std::string(path).find(mPathPart) == std::string::npos) return;
  tInAction = true;
  ++mRuns;
  mAction();
  tInAction = false;
}

}  // namespace testsupport
