#include "framework/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/FileNames.h"
#include "framework/InputFile.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

// 0, or the errno of the write that failed.
int writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

int writeAllAt(int fd, const char* data, std::size_t size, uint64_t offset) {
  while (size > 0) {
    const ssize_t n = ::pwrite(fd, data, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    data += n;
    size -= static_cast<std::size_t>(n);
    offset += static_cast<uint64_t>(n);
  }
  return 0;
}

// The folder of path as a message names it.
std::string folderName(const std::string& path) {
  const std::string folder = FileNames::folderOf(path);
  if (folder.empty()) return ".";
  return folder.size() > 1 ? folder.substr(0, folder.size() - 1) : folder;
}

// ENAMETOOLONG when the path, or its last part, is longer than the system
// takes; 0 otherwise.
int nameTooLong(const std::string& path) {
  if (path.size() >= PATH_MAX) return ENAMETOOLONG;
  const std::string folder = FileNames::folderOf(path);
  const long longest = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  const std::size_t limit = longest > 0 ? static_cast<std::size_t>(longest) : NAME_MAX;
  return path.size() - folder.size() > limit ? ENAMETOOLONG : 0;
}

// EBADF, or another errno, when descriptor is not open for writing; 0 when it is.
int unwritable(int descriptor) {
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0) return errno;
  return (flags & O_ACCMODE) == O_RDONLY ? EBADF : 0;
}

}  // namespace

bool OutputFile::open(const char* path, Mode mode) {
  discard();
  Plan plan;
  if (!examine(path, &plan)) return false;
  switch (plan.kind) {
    case Plan::kDescriptor: return openDescriptor(plan.descriptor);
    case Plan::kInPlace: return openInPlace(false, mode);
    case Plan::kPipe: return openInPlace(true, mode);
    case Plan::kReplace:
    case Plan::kNew: break;
  }
  const bool exists = plan.kind == Plan::kReplace;
  if (!makeUnfinished(exists)) return false;
  if (exists) {
    // The replacement keeps the permissions of the file it replaces.
    ::fchmod(mFd, plan.permissions);
    if (mode == kAppend) copyExisting(mTarget);
  }
  return !failed();
}

std::string OutputFile::refusal(const char* path) {
  OutputFile probe;
  Plan plan;
  if (!probe.examine(path, &plan)) return probe.mError;
  if (plan.kind == Plan::kDescriptor) {
    if (const int error = unwritable(plan.descriptor)) probe.failWithErrno("write", error);
  } else if (plan.kind == Plan::kNew) {
    // The folder that the new file goes into must be there.
    const std::string folder = FileNames::folderOf(probe.mTarget);
    struct stat info;
    if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0) {
      probe.failWithErrno("write", errno);
    } else if (!S_ISDIR(info.st_mode)) {
      probe.failWithErrno("write", ENOTDIR);
    }
  }
  return probe.mError;
}

bool OutputFile::examine(const char* path, Plan* plan) {
  mError.clear();
  mPath = path ? path : "";
  mTarget = mPath;
  mSeekable = true;
  mStart = 0;
  plan->descriptor = FileNames::namedDescriptor(mPath);
  mStandardStream = plan->descriptor >= 0 && plan->descriptor <= 2 ? plan->descriptor : -1;
  if (mPath.empty()) {
    failWithErrno("write", ENOENT);
    return false;
  }
  if (plan->descriptor >= 0) {
    plan->kind = Plan::kDescriptor;
    return true;
  }
  struct stat info;
  const bool exists = ::stat(path, &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) {
    failWithErrno("write", EISDIR);
    return false;
  }
  if (exists && !S_ISREG(info.st_mode)) {
    plan->kind = S_ISFIFO(info.st_mode) ? Plan::kPipe : Plan::kInPlace;
    return true;
  }
  if (mPath.back() == '/') {
    fail("a name that ends in '/' names a folder");
    return false;
  }
  // Replacing would get round a file made read-only; writing it could not.
  if (exists && ::access(path, W_OK) != 0) {
    failWithErrno("write", errno);
    return false;
  }
  // Through a link, the file the link names is the one replaced or made.
  char* real = exists ? ::realpath(path, nullptr) : nullptr;
  if (real) {
    mTarget = real;
    std::free(real);
  } else if (const int error = FileNames::followLinks(&mTarget)) {
    failWithErrno("write", error);
    return false;
  }
  // Found now, not when the finished file is renamed to it.
  if (const int error = nameTooLong(mTarget)) {
    failWithErrno("write", error);
    return false;
  }
  plan->kind = exists ? Plan::kReplace : Plan::kNew;
  plan->permissions = exists ? info.st_mode & 07777 : 0;
  return true;
}

bool OutputFile::openDescriptor(int descriptor) {
  // The user's descriptor is written where it stands: its file is neither
  // replaced nor cut, and whatever it held before stays.
  if (const int error = unwritable(descriptor)) {
    failWithErrno("write", error);
    return false;
  }
  const int flags = ::fcntl(descriptor, F_GETFL);
  mFd = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
  if (mFd < 0) {
    failWithErrno("write", errno);
    return false;
  }
  // Appending, the system puts every write at the end, whatever offset it is given.
  const off_t start = ::lseek(mFd, 0, SEEK_CUR);
  mSeekable = start >= 0 && !(flags & O_APPEND);
  mStart = mSeekable ? static_cast<uint64_t>(start) : 0;
  return true;
}

bool OutputFile::openInPlace(bool pipe, Mode mode) {
  // Without waiting for a reader, which a pipe might never get.
  mFd = ::open(mPath.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | (mode == kAppend ? O_APPEND : O_TRUNC));
  if (mFd < 0) {
    if (pipe && errno == ENXIO) {
      fail("nothing reads the pipe");
    } else {
      failWithErrno("write", errno);
    }
    return false;
  }
  const int flags = ::fcntl(mFd, F_GETFL);
  if (flags < 0 || ::fcntl(mFd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    failWithErrno("write", errno);
    return false;
  }
  mSeekable = ::lseek(mFd, 0, SEEK_CUR) >= 0;
  return true;
}

bool OutputFile::makeUnfinished(bool replacing) {
  const std::string cause = mUnfinished.make(mTarget);
  if (cause.empty()) {
    mFd = mUnfinished.descriptor();
    return true;
  }
  if (replacing) {
    // The file itself could be written: what failed is its replacement.
    mError = "cannot make a temporary file in folder '" + folderName(mTarget) + "': " + cause;
  } else {
    fail(cause);
  }
  return false;
}

bool OutputFile::copyExisting(const std::string& from) {
  InputFile in;
  if (!in.open(from.c_str())) {
    failWithCause("read", in.error());
    return false;
  }
  char chunk[8192];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in.stream())) > 0;) {
    if (!write(chunk, n)) return false;
  }
  if (std::ferror(in.stream())) failWithErrno("read", errno);
  return !failed();
}

bool OutputFile::write(const void* data, std::size_t size) {
  if (mFd < 0) {
    if (!failed()) fail("the file is not open");
    return false;
  }
  const char* bytes = static_cast<const char*>(data);
  if (mBuffer.size() + size > kBufferSize && !flush()) return false;
  if (size >= kBufferSize) {
    const int error = writeAll(mFd, bytes, size);
    if (error != 0) failWithErrno("write", error);
    return error == 0;
  }
  mBuffer.insert(mBuffer.end(), bytes, bytes + size);
  return true;
}

bool OutputFile::print(const char* format, ...) {
  char small[256];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  bool ok = length >= 0;
  if (ok && static_cast<std::size_t>(length) < sizeof small) {
    ok = write(small, static_cast<std::size_t>(length));
  } else if (ok) {
    std::vector<char> large(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(large.data(), large.size(), format, again);
    ok = write(large.data(), static_cast<std::size_t>(length));
  } else {
    fail("the text cannot be formatted");
  }
  va_end(again);
  return ok;
}

bool OutputFile::writeAt(uint64_t offset, const void* data, std::size_t size) {
  if (!flush()) return false;
  const int error = writeAllAt(mFd, static_cast<const char*>(data), size, mStart + offset);
  if (error != 0) failWithErrno("write", error);
  return error == 0;
}

bool OutputFile::flush() {
  if (mFd < 0) {
    if (!failed()) fail("the file is not open");
    return false;
  }
  const int error = writeAll(mFd, mBuffer.data(), mBuffer.size());
  mBuffer.clear();
  if (error != 0) failWithErrno("write", error);
  return error == 0;
}

bool OutputFile::commit() {
  if (!flush()) return false;
  if (!mUnfinished.isOpen()) {
    const int fd = mFd;
    mFd = -1;
    if (::close(fd) != 0) {
      failWithErrno("write", errno);
      return false;
    }
    return true;
  }
  // Written through to the disk before it takes the target's name, so a
  // crash leaves the old file or the new one.
  if (::fsync(mFd) != 0) {
    failWithErrno("write", errno);
    return false;
  }
  if (const int error = mUnfinished.finish(mTarget)) {
    failWithErrno("replace", error);
    return false;
  }
  mFd = -1;
  return true;
}

void OutputFile::discard() {
  closeAndRemove();
  mBuffer.clear();
}

void OutputFile::fail(const std::string& reason) { failWithCause("write", reason); }

void OutputFile::failWithErrno(const char* action, int error) { failWithCause(action, std::strerror(error)); }

void OutputFile::failWithCause(const char* action, const std::string& cause) {
  if (mError.empty()) mError = std::string("cannot ") + action + " " + shownName() + ": " + cause;
  closeAndRemove();
}

std::string OutputFile::shownName() const {
  static const char* const kStandardStreams[] = {"standard input", "standard output", "standard error"};
  return mStandardStream >= 0 ? std::string("to ") + kStandardStreams[mStandardStream] : "'" + mPath + "'";
}

void OutputFile::closeAndRemove() {
  if (mUnfinished.isOpen()) {
    mUnfinished.discard();
  } else if (mFd >= 0) {
    ::close(mFd);
  }
  mFd = -1;
}

std::string OutputFile::unfinishedFolder(const char* path) {
  OutputFile probe;
  Plan plan;
  if (!probe.examine(path, &plan) || (plan.kind != Plan::kReplace && plan.kind != Plan::kNew)) return "";
  const std::string folder = FileNames::folderOf(probe.mTarget);
  return folder.empty() ? "." : folder;
}
