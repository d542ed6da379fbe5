#pragma once

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace testsupport {

// The names in a folder, hidden ones included, sorted.
inline std::vector<std::string> folderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

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

  // The names in the directory, hidden ones included, sorted.
  std::vector<std::string> entries() const { return folderEntries(mPath); }

 private:
  std::filesystem::path mPath;
};

}  // namespace testsupport
