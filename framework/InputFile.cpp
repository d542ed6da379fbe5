#include "framework/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool InputFile::open(const char* path) {
  close();
  mError.clear();
  if (path == nullptr) {
    mError = std::strerror(ENOENT);
    return false;
  }
  int fd;
  do {
    // Without blocking, a pipe opens at once whether or not it has a writer;
    // a terminal must not become this process's controlling one.
    fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    mError = std::strerror(errno);
    return false;
  }
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    mError = std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    mError = std::strerror(EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    mError = "not a regular file";
  } else {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) mError = std::strerror(errno);
  }
  if (mError.empty()) mStream = ::fdopen(fd, "rb");
  if (mStream == nullptr) {
    if (mError.empty()) mError = std::strerror(errno);
    ::close(fd);
    return false;
  }
  return true;
}

void InputFile::close() {
  if (mStream != nullptr) std::fclose(mStream);
  mStream = nullptr;
}
