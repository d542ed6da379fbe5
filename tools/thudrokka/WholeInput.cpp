#include "tools/thudrokka/WholeInput.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/FileNames.h"
#include "tools/thudrokka/PrintableText.h"
#include "tools/thudrokka/StandardStreams.h"

namespace {

int standardDescriptorOf(const std::string& argument) {
  return argument == kStandardStream ? STDIN_FILENO : FileNames::namedDescriptor(argument);
}

std::string tooLong() { return "it holds more than " + std::to_string(WholeInput::kMaxBytes) + " bytes"; }

}  // namespace

WholeInput::~WholeInput() {
  if (mMemory >= 0) ::close(mMemory);
}

std::string WholeInput::nameOf(const std::string& argument) {
  return standardDescriptorOf(argument) == STDIN_FILENO ? "standard input" : printableText(argument);
}

std::string WholeInput::sourceOf(const std::string& argument) {
  return standardDescriptorOf(argument) == STDIN_FILENO ? "from standard input" : "'" + nameOf(argument) + "'";
}

bool WholeInput::read(const std::string& argument, std::string* cause) {
  mText.clear();
  const int given = standardDescriptorOf(argument);
  // A descriptor is read from where it stands, as a program reading its
  // standard input does; it stays open for whoever else has it.
  if (given >= 0) return readAll(given, cause);
  int fd;
  do {
    // Without blocking, a named pipe opens at once whether or not it has a
    // writer; a terminal must not become this process's controlling one.
    fd = ::open(argument.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    *cause = std::strerror(errno);
    return false;
  }
  struct stat info;
  bool ok = true;
  if (::fstat(fd, &info) != 0) {
    *cause = std::strerror(errno);
    ok = false;
  } else if (S_ISDIR(info.st_mode)) {
    *cause = std::strerror(EISDIR);
    ok = false;
  } else if (S_ISFIFO(info.st_mode)) {
    // Opened without waiting, a pipe reads as ended while nothing writes
    // it, and as empty for now while something does.
    char first[4096];
    const ssize_t n = ::read(fd, first, sizeof first);
    if (n == 0) {
      *cause = "nothing writes the pipe";
      ok = false;
    } else if (n > 0) {
      mText.assign(first, static_cast<std::size_t>(n));
    } else if (errno != EAGAIN && errno != EINTR) {
      *cause = std::strerror(errno);
      ok = false;
    }
  } else if (!S_ISREG(info.st_mode)) {
    *cause = "not a file or a pipe";
    ok = false;
  }
  ok = ok && readAll(fd, cause);
  ::close(fd);
  return ok;
}

bool WholeInput::readAll(int fd, std::string* cause) {
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n > 0) {
      if (mText.size() + static_cast<std::size_t>(n) > kMaxBytes) {
        *cause = tooLong();
        return false;
      }
      mText.append(chunk, static_cast<std::size_t>(n));
      continue;
    }
    if (n == 0) return true;
    if (errno == EINTR) continue;
    if (errno == EAGAIN) {
      // Something left the descriptor not to wait: wait for it here.
      pollfd ready = {fd, POLLIN, 0};
      if (::poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
    }
    *cause = std::strerror(errno);
    return false;
  }
}

std::string WholeInput::memoryPath(std::string* cause) {
  if (mMemory < 0) {
    const int fd = ::memfd_create("thudrokka-input", MFD_CLOEXEC);
    std::size_t written = 0;
    while (fd >= 0 && written < mText.size()) {
      const ssize_t n = ::write(fd, mText.data() + written, mText.size() - written);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    if (fd < 0 || written < mText.size()) {
      *cause = "cannot hold it in memory: " + std::string(std::strerror(errno));
      if (fd >= 0) ::close(fd);
      return "";
    }
    mMemory = fd;
  }
  return "/proc/self/fd/" + std::to_string(mMemory);
}
