// What file names given by a user stand for.

#include "framework/FileNames.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "tests/support/TempDirectory.h"

namespace {

using testsupport::TempDirectory;

// One regular file, however each name reaches it; anything else is never
// the same file, not even as itself.
TEST(FileNames, TheSameFileByAnyOfItsNames) {
  const TempDirectory dir;
  std::ofstream(dir.path("a.txt")) << "a";
  std::ofstream(dir.path("b.txt")) << "a";
  ASSERT_EQ(::symlink(dir.path("a.txt").c_str(), dir.path("link").c_str()), 0);
  ASSERT_EQ(::link(dir.path("a.txt").c_str(), dir.path("hard").c_str()), 0);
  const int open = ::open(dir.path("a.txt").c_str(), O_RDONLY);
  ASSERT_GE(open, 0);
  const std::string descriptor = "/dev/fd/" + std::to_string(open);
  const struct {
    std::string a, b;
    bool same;
  } cases[] = {
      {dir.path("a.txt"), dir.path("a.txt"), true},
      {dir.path("a.txt"), dir.path("link"), true},
      {dir.path("hard"), dir.path("link"), true},
      {descriptor, dir.path("hard"), true},
      {dir.path("a.txt"), dir.path("b.txt"), false},
      {dir.path("a.txt"), dir.path("missing"), false},
      {dir.path("missing"), dir.path("missing"), false},
      {dir.path(), dir.path(), false},
      {"/dev/null", "/dev/null", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNames::sameFile(c.a, c.b), c.same) << c.a << " " << c.b;
    EXPECT_EQ(FileNames::sameFile(c.b, c.a), c.same) << c.b << " " << c.a;
  }
  ::close(open);
}

}  // namespace
