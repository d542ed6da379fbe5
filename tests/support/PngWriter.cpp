#include "tests/support/PngWriter.h"

#include <filesystem>

namespace testsupport {

std::string outputPath(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(THUDROKKA_TEST_OUTPUT_DIR);
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  return (dir / name).string();
}

}  // namespace testsupport
