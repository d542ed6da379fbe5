#include "tools/thudrokka/Folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

// 0, or the errno of the step that failed.
int makeFolders(const std::string& path) {
  if (mkdir(path.c_str(), 0777) == 0) return 0;
  int error = errno;
  const std::size_t end = path.find_last_not_of('/');
  const std::size_t slash = end == std::string::npos ? end : path.find_last_of('/', end);
  if (error == ENOENT && slash != std::string::npos && slash > 0) {
    if (const int parent = makeFolders(path.substr(0, slash))) return parent;
    if (mkdir(path.c_str(), 0777) == 0) return 0;
    error = errno;
  }
  struct stat info;
  return error == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 0 : error;
}

}  // namespace

bool makeFolder(const std::string& path, std::string* error) {
  const int failure = makeFolders(path);
  if (failure == 0) return true;
  *error = "cannot make folder '" + path + "': " + std::strerror(failure);
  return false;
}
