#include "framework/OutputFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/FileContents.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::FileSizeLimit;
using testsupport::readFile;
using testsupport::TempDirectory;
using Names = std::vector<std::string>;

const std::string kOld = "the previous, complete contents\n";

void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Larger than the output buffer, so it reaches the disk before the commit.
std::string largeText() {
  std::string text;
  for (int i = 0; text.size() < 200000; ++i) text += "line " + std::to_string(i) + "\n";
  return text;
}

TEST(OutputFile, ReplacesTheTargetOnlyWhenCommitted) {
  const TempDirectory dir;
  const std::string target = dir.path("out.txt");
  writeText(target, kOld);
  OutputFile file;
  ASSERT_TRUE(file.open(target.c_str()));
  ASSERT_TRUE(file.write("new ", 4));
  ASSERT_TRUE(file.print("%s %d\n", "text", 42));
  EXPECT_EQ(readFile(target), kOld);
  EXPECT_EQ(dir.entries().size(), 2u);  // the target and the hidden temporary file
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(readFile(target), "new text 42\n");
  EXPECT_EQ(dir.entries(), Names{"out.txt"});
  EXPECT_EQ(file.error(), "");
}

TEST(OutputFile, AbandonedOrFailedWritesLeaveTheTargetAsItWas) {
  const std::string large = largeText();
  const struct {
    const char* what;
    bool existing;
    void (*act)(OutputFile&, const std::string&);
    const char* cause;
  } cases[] = {
      {"abandoned new file", false, [](OutputFile& f, const std::string& t) { f.write(t.data(), t.size()); }, ""},
      {"abandoned replacement", true, [](OutputFile& f, const std::string& t) { f.write(t.data(), t.size()); }, ""},
      {"full disk, new file", false,
       [](OutputFile& f, const std::string& t) {
         const FileSizeLimit limit(4096);
         f.write(t.data(), t.size());
         f.commit();
       },
       "File too large"},
      {"full disk, replacement", true,
       [](OutputFile& f, const std::string& t) {
         const FileSizeLimit limit(4096);
         for (std::size_t i = 0; i < t.size(); i += 100) f.write(t.data() + i, 100);
         f.commit();
       },
       "File too large"},
      {"full disk at the commit", true,
       [](OutputFile& f, const std::string&) {
         const FileSizeLimit limit(8);
         f.print("%s", "more than eight bytes");
         f.commit();
       },
       "File too large"},
      {"writer's own failure", true,
       [](OutputFile& f, const std::string&) {
         f.write("partial", 7);
         f.fail("the format cannot hold it");
         f.commit();
       },
       "the format cannot hold it"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TempDirectory dir;
    const std::string target = dir.path("out.wav");
    if (c.existing) writeText(target, kOld);
    {
      OutputFile file;
      ASSERT_TRUE(file.open(target.c_str()));
      c.act(file, large);
      const std::string error = *c.cause ? "cannot write '" + target + "': " + c.cause : "";
      EXPECT_EQ(file.error(), error);
      if (*c.cause) {
        // Every later step fails too and keeps the first cause.
        EXPECT_FALSE(file.write("x", 1));
        EXPECT_FALSE(file.commit());
        EXPECT_EQ(file.error(), error);
      }
    }
    EXPECT_EQ(dir.entries(), c.existing ? Names{"out.wav"} : Names{});
    EXPECT_EQ(readFile(target), c.existing ? kOld : "");
  }
}

TEST(OutputFile, TargetsThatCannotTakeAFile) {
  const TempDirectory dir;
  const struct {
    std::string path;
    const char* cause;
  } cases[] = {
      {dir.path("missing/out.txt"), "No such file or directory"},
      {dir.path(), "Is a directory"},
      {dir.path("folder/"), "Is a directory"},
      {"", "No such file or directory"},
  };
  std::filesystem::create_directory(dir.path("folder"));
  for (const auto& c : cases) {
    OutputFile file;
    EXPECT_FALSE(file.open(c.path.c_str())) << c.path;
    EXPECT_EQ(file.error(), "cannot write '" + c.path + "': " + c.cause);
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_FALSE(file.commit());
  }
  // Unless privileged, a read-only file stays as it is.
  const std::string readOnly = dir.path("read-only.txt");
  writeText(readOnly, kOld);
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  if (::geteuid() != 0) {
    OutputFile file;
    EXPECT_FALSE(file.open(readOnly.c_str()));
    EXPECT_EQ(file.error(), "cannot write '" + readOnly + "': Permission denied");
    EXPECT_EQ(readFile(readOnly), kOld);
  }
  std::filesystem::remove(readOnly);

  OutputFile unopened;
  EXPECT_FALSE(unopened.commit());
  EXPECT_FALSE(unopened.error().empty());
  EXPECT_EQ(dir.entries(), Names{"folder"});
}

TEST(OutputFile, DevicesAreWrittenInPlace) {
  OutputFile sink;
  ASSERT_TRUE(sink.open("/dev/null"));
  ASSERT_TRUE(sink.print("%s", "gone"));
  EXPECT_TRUE(sink.commit());
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

  OutputFile full;
  ASSERT_TRUE(full.open("/dev/full"));
  full.print("%s", "never stored");
  EXPECT_FALSE(full.commit());
  EXPECT_EQ(full.error(), "cannot write '/dev/full': No space left on device");
}

TEST(OutputFile, ALinkedTargetIsReplacedBehindItsLink) {
  const TempDirectory dir;
  std::filesystem::create_directory(dir.path("real"));
  const std::string real = dir.path("real/file.txt");
  writeText(real, kOld);
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  std::filesystem::create_symlink(real, dir.path("link.txt"));
  OutputFile file;
  ASSERT_TRUE(file.open(dir.path("link.txt").c_str()));
  file.print("replaced\n");
  ASSERT_TRUE(file.commit());
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path("link.txt")));
  EXPECT_EQ(readFile(real), "replaced\n");
  struct stat info;
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(dir.entries(), (Names{"link.txt", "real"}));
}

TEST(OutputFile, AppendingKeepsWhatTheFileHeld) {
  const TempDirectory dir;
  const std::string target = dir.path("source.txt");
  for (int round = 0; round < 2; ++round) {
    OutputFile file;
    ASSERT_TRUE(file.open(target.c_str(), OutputFile::kAppend));
    file.print("round %d\n", round);
    ASSERT_TRUE(file.commit());
  }
  EXPECT_EQ(readFile(target), "round 0\nround 1\n");
  {
    const FileSizeLimit limit(20);
    OutputFile file;
    ASSERT_TRUE(file.open(target.c_str(), OutputFile::kAppend));
    file.print("%s\n", "a line that no longer fits");
    EXPECT_FALSE(file.commit());
  }
  EXPECT_EQ(readFile(target), "round 0\nround 1\n");
  EXPECT_EQ(dir.entries(), Names{"source.txt"});
}

TEST(OutputFile, WriteAtOverwritesEarlierBytes) {
  const TempDirectory dir;
  const std::string target = dir.path("out.bin");
  const std::string large = largeText();
  OutputFile file;
  ASSERT_TRUE(file.open(target.c_str()));
  ASSERT_TRUE(file.write("????", 4));
  ASSERT_TRUE(file.write(large.data(), large.size()));
  ASSERT_TRUE(file.print("%s", "end"));
  ASSERT_TRUE(file.writeAt(0, "HEAD", 4));
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(readFile(target), "HEAD" + large + "end");
}

}  // namespace
