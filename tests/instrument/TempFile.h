#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

// A file name in the system's temporary folder, removed at the end of the scope.
class TempFile {
 public:
  explicit TempFile(const std::string& suffix)
      : mPath(tempFolder() + "/thudrokka-" + std::to_string(getpid()) + "-" + std::to_string(++sCount) + suffix) {}
  ~TempFile() { std::remove(mPath.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const char* path() const { return mPath.c_str(); }
  bool exists() const {
    std::FILE* f = std::fopen(mPath.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
  }

 private:
  static std::string tempFolder() {
    const char* dir = std::getenv("TMPDIR");
    return dir && dir[0] ? dir : "/tmp";
  }
  static inline int sCount = 0;
  std::string mPath;
};
