#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
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

// Read whole, a file or a stream: a regular file from its start, a pipe
// that something writes, a descriptor by name from where it stands; a pipe
// that nothing writes, a device or a folder refused at once, and a stream
// only when asked for.
TEST(InputFile, WhatIsReadWholeIsAFileOrAStreamAskedFor) {
  const TempDirectory dir;
  std::ofstream(dir.path("kick.txt")) << "kick";
  const Fifo fifo(dir.path("pipe"));
  ASSERT_TRUE(fifo.made());
  int descriptor[2];
  ASSERT_EQ(::pipe(descriptor), 0);
  ASSERT_EQ(::write(descriptor[1], "from a pipe", 11), 11);
  ::close(descriptor[1]);
  const std::string byName = "/dev/fd/" + std::to_string(descriptor[0]);
  const struct {
    std::string path;
    InputFile::Accept accept;
    std::string text, error;
  } cases[] = {
      {dir.path("kick.txt"), InputFile::kRegularFile, "kick", ""},
      {dir.path("kick.txt"), InputFile::kFileOrStream, "kick", ""},
      {byName, InputFile::kFileOrStream, "from a pipe", ""},
      {byName, InputFile::kRegularFile, "", "not a regular file"},
      {fifo.path(), InputFile::kFileOrStream, "", "nothing writes the pipe"},
      {fifo.path(), InputFile::kRegularFile, "", "not a regular file"},
      {"/dev/zero", InputFile::kFileOrStream, "", "not a file or a pipe"},
      {dir.path(), InputFile::kFileOrStream, "", "Is a directory"},
      {dir.path("missing"), InputFile::kFileOrStream, "", "No such file or directory"},
  };
  for (const auto& c : cases) {
    InputFile file;
    std::string text;
    bool read = false;
    EXPECT_TRUE(fifo.returnsPromptly([&] { read = file.readWhole(c.path.c_str(), &text, c.accept); })) << c.path;
    EXPECT_EQ(read, c.error.empty()) << c.path;
    EXPECT_EQ(file.error(), c.error) << c.path;
    if (read) {
      EXPECT_EQ(text, c.text) << c.path;
    }
  }
  // Read once, the pipe behind the descriptor has ended; it stays open.
  InputFile again;
  std::string text = "old";
  ASSERT_TRUE(again.readWhole(byName.c_str(), &text, InputFile::kFileOrStream));
  EXPECT_EQ(text, "");
  EXPECT_EQ(::close(descriptor[0]), 0);
}

TEST(InputFile, NothingPastTheLimitIsReadWhole) {
  const TempDirectory dir;
  for (const std::size_t size : {InputFile::kMaxBytes, InputFile::kMaxBytes + 1}) {
    std::ofstream(dir.path("big")).close();
    std::filesystem::resize_file(dir.path("big"), size);
    InputFile file;
    std::string text;
    EXPECT_EQ(file.readWhole(dir.path("big").c_str(), &text), size == InputFile::kMaxBytes) << size;
    EXPECT_EQ(file.error(), size == InputFile::kMaxBytes ? "" : "it holds more than 16777216 bytes");
  }
}

}  // namespace
