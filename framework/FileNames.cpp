#include "framework/FileNames.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace FileNames {

namespace {

// As many links as the system itself follows in one path.
constexpr int kMaxLinks = 40;

// The number that text holds, digits only, or -1.
int descriptorNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return -1;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
  }
  return std::atoi(text.c_str());
}

int descriptorSpelledBy(const std::string& path) {
  if (path == "/dev/stdin") return 0;
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  const std::string folders[] = {"/dev/fd/", "/proc/self/fd/", "/proc/thread-self/fd/",
                                 "/proc/" + std::to_string(::getpid()) + "/fd/"};
  for (const std::string& folder : folders) {
    if (path.compare(0, folder.size(), folder) == 0) return descriptorNumber(path.substr(folder.size()));
  }
  return -1;
}

// Follows the chain of links from path until stop says so or the chain
// ends. 0, or the errno of what stopped the chain being followed.
template <class Stop>
int followChain(std::string* path, Stop stop) {
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    if (stop(*path)) return 0;
    struct stat info;
    if (::lstat(path->c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return 0;
    std::vector<char> to(PATH_MAX);
    const ssize_t n = ::readlink(path->c_str(), to.data(), to.size());
    if (n < 0) return errno;
    if (static_cast<std::size_t>(n) == to.size()) return ENAMETOOLONG;
    const std::string next(to.data(), static_cast<std::size_t>(n));
    *path = next[0] == '/' ? next : folderOf(*path) + next;
  }
  return ELOOP;
}

}  // namespace

int namedDescriptor(const std::string& path) {
  std::string followed = path;
  int descriptor = -1;
  followChain(&followed, [&descriptor](const std::string& step) {
    descriptor = descriptorSpelledBy(step);
    return descriptor >= 0;
  });
  return descriptor;
}

int followLinks(std::string* path) {
  return followChain(path, [](const std::string&) { return false; });
}

bool sameFile(const std::string& a, const std::string& b) {
  const auto regularFile = [](const std::string& path, struct stat* info) {
    const int descriptor = namedDescriptor(path);
    const int status = descriptor >= 0 ? ::fstat(descriptor, info) : ::stat(path.c_str(), info);
    return status == 0 && S_ISREG(info->st_mode);
  };
  struct stat first, second;
  return regularFile(a, &first) && regularFile(b, &second) && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace FileNames
