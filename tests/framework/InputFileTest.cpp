#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "framework/InputFile.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::Fifo;
using testsupport::TempDirectory;

TEST(InputFile, ARegularFileOpensAtItsStart) {
  const TempDirectory dir;
  std::ofstream(dir.path("kick.txt")) << "kick";
  ASSERT_EQ(::symlink(dir.path("kick.txt").c_str(), dir.path("link").c_str()), 0);
  for (const char* name : {"kick.txt", "link"}) {
    InputFile file;
    ASSERT_TRUE(file.open(dir.path(name).c_str())) << name << ": " << file.error();
    EXPECT_EQ(file.error(), "");
    char text[8] = {};
    EXPECT_EQ(std::fread(text, 1, sizeof text, file.stream()), 4u);
    EXPECT_STREQ(text, "kick");
  }
}

// A pipe with no writer would hold a plain open for ever; through a link too.
TEST(InputFile, WhatIsNotARegularFileIsRefusedAtOnce) {
  const TempDirectory dir;
  const Fifo fifo(dir.path("pipe"));
  ASSERT_TRUE(fifo.made());
  ASSERT_EQ(::symlink(fifo.path().c_str(), dir.path("link").c_str()), 0);
  const struct {
    std::string path, error;
  } cases[] = {
      {fifo.path(), "not a regular file"},
      {dir.path("link"), "not a regular file"},
      {"/dev/null", "not a regular file"},
      {dir.path(), "Is a directory"},
      {dir.path("missing"), "No such file or directory"},
      {"", "No such file or directory"},
  };
  for (const auto& c : cases) {
    InputFile file;
    bool opened = true;
    EXPECT_TRUE(fifo.returnsPromptly([&] { opened = file.open(c.path.c_str()); })) << c.path;
    EXPECT_FALSE(opened) << c.path;
    EXPECT_EQ(file.stream(), nullptr);
    EXPECT_EQ(file.error(), c.error) << c.path;
  }
  InputFile none;
  EXPECT_FALSE(none.open(nullptr));
  EXPECT_EQ(none.stream(), nullptr);
}

}  // namespace
