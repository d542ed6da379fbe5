#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace testsupport {

// A fresh directory under the system's temporary folder, removed with its
// contents when the test ends.
class TempDirectory {
 public:
  TempDirectory() {
    std::random_device seed;
    mPath = std::filesystem::temp_directory_path() / ("thudrokka-test-" + std::to_string(seed()));
    std::filesystem::create_directories(mPath);
  }
  ~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  std::string path(const std::string& name = "") const { return (mPath / name).string(); }

 private:
  std::filesystem::path mPath;
};

}  // namespace testsupport
