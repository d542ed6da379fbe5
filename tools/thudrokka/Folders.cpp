#include "tools/thudrokka/Folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

// 0, or the errno of the step that failed, with failed set to the folder
// it could not make; EEXIST when something that is no folder has its name.
int makeFolders(const std::string& path, std::string* failed) {
  if (mkdir(path.c_str(), 0777) == 0) return 0;
  int error = errno;
  const std::size_t end = path.find_last_not_of('/');
  const std::size_t slash = end == std::string::npos ? end : path.find_last_of('/', end);
  if (error == ENOENT && slash != std::string::npos && slash > 0) {
    if (const int parent = makeFolders(path.substr(0, slash), failed)) return parent;
    if (mkdir(path.c_str(), 0777) == 0) return 0;
    error = errno;
  }
  struct stat info;
  if (error == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return 0;
  *failed = path;
  return error;
}

}  // namespace

bool makeFolder(const std::string& path, std::string* error) {
  std::string failed;
  const int failure = makeFolders(path, &failed);
  if (failure == 0) return true;
  if (failure == EEXIST) {
    const std::string notAFolder = "'" + failed + "' is not a folder";
    *error = failed == path ? notAFolder : "cannot make folder '" + path + "': " + notAFolder;
  } else {
    *error = "cannot make folder '" + path + "': " + std::strerror(failure);
  }
  return false;
}
