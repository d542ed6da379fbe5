#include "framework/InputFile.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/FileNames.h"

int InputFile::openChecked(const char* path, Accept accept, bool* pipe) {
  mError.clear();
  if (path == nullptr) {
    mError = std::strerror(ENOENT);
    return -1;
  }
  int fd;
  do {
    // Without blocking, a pipe opens at once whether or not it has a writer;
    // a terminal must not become this process's controlling one.
    fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    mError = std::strerror(errno);
    return -1;
  }
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    mError = std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    mError = std::strerror(EISDIR);
  } else if (accept == kRegularFile && !S_ISREG(info.st_mode)) {
    mError = "not a regular file";
  } else if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) {
    mError = "not a file or a pipe";
  }
  if (!mError.empty()) {
    ::close(fd);
    return -1;
  }
  if (pipe) *pipe = S_ISFIFO(info.st_mode);
  return fd;
}

bool InputFile::open(const char* path) {
  close();
  const int fd = openChecked(path, kRegularFile, nullptr);
  if (fd < 0) return false;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    mError = std::strerror(errno);
  } else {
    mStream = ::fdopen(fd, "rb");
    if (mStream == nullptr) mError = std::strerror(errno);
  }
  if (mStream == nullptr) {
    ::close(fd);
    return false;
  }
  return true;
}

void InputFile::close() {
  if (mStream != nullptr) std::fclose(mStream);
  mStream = nullptr;
}

bool InputFile::readWhole(const char* path, std::string* text, Accept accept) {
  close();
  mError.clear();
  text->clear();
  const int given = accept == kFileOrStream && path ? FileNames::namedDescriptor(path) : -1;
  // A descriptor is read from where it stands, as a program reading its
  // standard input does; it stays open for whoever else has it.
  if (given >= 0) return readAll(given, text);
  bool pipe = false;
  const int fd = openChecked(path, accept, &pipe);
  if (fd < 0) return false;
  bool ok = true;
  if (pipe) {
    // Opened without waiting, a pipe reads as ended while nothing writes
    // it, and as empty for now while something does.
    char first[4096];
    const ssize_t n = ::read(fd, first, sizeof first);
    if (n == 0) {
      mError = "nothing writes the pipe";
      ok = false;
    } else if (n > 0) {
      text->assign(first, static_cast<std::size_t>(n));
    } else if (errno != EAGAIN && errno != EINTR) {
      mError = std::strerror(errno);
      ok = false;
    }
  }
  ok = ok && readAll(fd, text);
  ::close(fd);
  return ok;
}

bool InputFile::readAll(int fd, std::string* text) {
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n > 0) {
      if (text->size() + static_cast<std::size_t>(n) > kMaxBytes) {
        mError = "it holds more than " + std::to_string(kMaxBytes) + " bytes";
        return false;
      }
      text->append(chunk, static_cast<std::size_t>(n));
      continue;
    }
    if (n == 0) return true;
    if (errno == EINTR) continue;
    if (errno == EAGAIN) {
      // Something left the descriptor not to wait: wait for it here.
      pollfd ready = {fd, POLLIN, 0};
      if (::poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
    }
    mError = std::strerror(errno);
    return false;
  }
}
