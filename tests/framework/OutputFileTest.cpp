#include "framework/OutputFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/Fifo.h"
#include "tests/support/FileContents.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/PipeCapture.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::Fifo;
using testsupport::FileSizeLimit;
using testsupport::PipeCapture;
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
      {dir.path("file.txt/out.txt"), "Not a directory"},
      {dir.path(), "Is a directory"},
      {dir.path("folder/"), "Is a directory"},
      {dir.path("nofolder/"), "a name that ends in '/' names a folder"},
      // Too long for the folder, though its temporary file would not be.
      {dir.path(std::string(300, 'x') + ".wav"), "File name too long"},
      {"", "No such file or directory"},
  };
  std::filesystem::create_directory(dir.path("folder"));
  writeText(dir.path("file.txt"), kOld);
  for (const auto& c : cases) {
    // Known before anything is made or written.
    EXPECT_EQ(OutputFile::refusal(c.path.c_str()), "cannot write '" + c.path + "': " + c.cause);
    OutputFile file;
    EXPECT_FALSE(file.open(c.path.c_str())) << c.path;
    EXPECT_EQ(file.error(), "cannot write '" + c.path + "': " + c.cause);
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_FALSE(file.commit());
  }
  for (const std::string& fine : {dir.path("new.txt"), dir.path("file.txt"), std::string("/dev/null")}) {
    EXPECT_EQ(OutputFile::refusal(fine.c_str()), "") << fine;
  }
  std::filesystem::remove(dir.path("file.txt"));
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

// A link that names nothing yet: the file it names is made, and the link
// stays a link.
TEST(OutputFile, ADanglingLinkGetsTheFileItNames) {
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> links;  // name, what it names
    const char* made;
  } cases[] = {
      {"beside it", {{"link.txt", "file.txt"}}, "file.txt"},
      {"in a folder", {{"link.txt", "real/file.txt"}}, "real/file.txt"},
      {"from a folder", {{"real/link.txt", "../file.txt"}}, "file.txt"},
      {"through another link", {{"link.txt", "real/second.txt"}, {"real/second.txt", "file.txt"}}, "real/file.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TempDirectory dir;
    std::filesystem::create_directory(dir.path("real"));
    for (const auto& link : c.links) std::filesystem::create_symlink(link.second, dir.path(link.first));
    OutputFile file;
    ASSERT_TRUE(file.open(dir.path(c.links.front().first).c_str())) << file.error();
    file.print("made\n");
    ASSERT_TRUE(file.commit()) << file.error();
    EXPECT_EQ(readFile(dir.path(c.made)), "made\n");
    for (const auto& link : c.links) EXPECT_TRUE(std::filesystem::is_symlink(dir.path(link.first))) << link.first;
  }
  const TempDirectory dir;
  std::filesystem::create_symlink("missing/file.txt", dir.path("link.txt"));
  std::filesystem::create_symlink("loop.txt", dir.path("loop.txt"));
  const struct {
    const char* name;
    const char* cause;
  } refused[] = {
      {"link.txt", "No such file or directory"},
      {"loop.txt", "Too many levels of symbolic links"},
  };
  for (const auto& c : refused) {
    OutputFile file;
    EXPECT_FALSE(file.open(dir.path(c.name).c_str()));
    EXPECT_EQ(file.error(), "cannot write '" + dir.path(c.name) + "': " + c.cause);
  }
  EXPECT_EQ(dir.entries(), (Names{"link.txt", "loop.txt"}));
}

TEST(OutputFile, APipeIsWrittenOnlyWhileSomethingReadsIt) {
  const TempDirectory dir;
  const Fifo fifo(dir.path("pipe"));
  ASSERT_TRUE(fifo.made());
  OutputFile unread;
  EXPECT_TRUE(fifo.returnsPromptly([&] { EXPECT_FALSE(unread.open(fifo.path().c_str())); }));
  EXPECT_EQ(unread.error(), "cannot write '" + fifo.path() + "': nothing reads the pipe");

  PipeCapture pipe;
  ASSERT_TRUE(pipe.made());
  OutputFile read;
  ASSERT_TRUE(read.open(pipe.path().c_str())) << read.error();
  EXPECT_FALSE(read.seekable());
  const std::string large = largeText();
  ASSERT_TRUE(read.write(large.data(), large.size()));
  ASSERT_TRUE(read.print("%s", "end"));
  EXPECT_FALSE(read.writeAt(0, "HEAD", 4));
  EXPECT_EQ(read.error(), "cannot write '" + pipe.path() + "': Illegal seek");
  EXPECT_EQ(pipe.finish(), large + "end");

  OutputFile file;
  ASSERT_TRUE(file.open(dir.path("file.txt").c_str()));
  EXPECT_TRUE(file.seekable());
  OutputFile device;
  ASSERT_TRUE(device.open("/dev/null"));
  EXPECT_TRUE(device.seekable());
}

// A descriptor named by a path is written through, at its offset, as a
// shell's redirection would be: the file behind it is neither replaced nor
// cut, and two writers one after the other leave both their texts.
TEST(OutputFile, ADescriptorIsWrittenWhereItStands) {
  const TempDirectory dir;
  const std::string path = dir.path("out.txt");
  for (const bool appends : {false, true}) {
    SCOPED_TRACE(appends ? "appending" : "at its offset");
    writeText(path, "HEADER\n");
    const int fd = ::open(path.c_str(), O_WRONLY | (appends ? O_APPEND : 0));
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::lseek(fd, 0, SEEK_END), 7);
    std::filesystem::create_symlink("/dev/fd/" + std::to_string(fd), dir.path("link"));
    const std::string names[] = {"/dev/fd/" + std::to_string(fd), "/proc/self/fd/" + std::to_string(fd),
                                 dir.path("link")};
    for (const std::string& name : names) {
      OutputFile file;
      ASSERT_TRUE(file.open(name.c_str())) << file.error();
      EXPECT_EQ(file.seekable(), !appends) << name;
      ASSERT_TRUE(file.print("from %s\n", name.c_str()));
      ASSERT_TRUE(file.commit()) << file.error();
    }
    EXPECT_EQ(readFile(path), "HEADER\nfrom " + names[0] + "\nfrom " + names[1] + "\nfrom " + names[2] + "\n");
    EXPECT_EQ(dir.entries(), (Names{"link", "out.txt"}));

    // A header written last lands at the start of this writer's bytes.
    if (!appends) {
      OutputFile file;
      ASSERT_TRUE(file.open(names[0].c_str()));
      const std::size_t before = readFile(path).size();
      ASSERT_TRUE(file.write("????body", 8));
      ASSERT_TRUE(file.writeAt(0, "HEAD", 4));
      ASSERT_TRUE(file.commit());
      EXPECT_EQ(readFile(path).substr(before), "HEADbody");
    }
    ::close(fd);
    std::filesystem::remove(dir.path("link"));
  }

  // What the path would open afresh cannot be opened: a socket.
  int sockets[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, sockets), 0);
  {
    OutputFile file;
    ASSERT_TRUE(file.open(("/dev/fd/" + std::to_string(sockets[0])).c_str())) << file.error();
    ASSERT_TRUE(file.print("through") && file.commit());
  }
  char received[16] = {};
  EXPECT_EQ(::read(sockets[1], received, sizeof received), 7);
  EXPECT_STREQ(received, "through");
  ::close(sockets[0]);
  ::close(sockets[1]);
}

TEST(OutputFile, ADescriptorThatCannotBeWrittenIsRefusedAtOnce) {
  const int readOnly = ::open("/dev/null", O_RDONLY);
  ASSERT_GE(readOnly, 0);
  const int closed = ::dup(readOnly);
  ASSERT_GE(closed, 0);
  ::close(closed);
  for (const int fd : {readOnly, closed}) {
    const std::string name = "/dev/fd/" + std::to_string(fd);
    EXPECT_EQ(OutputFile::refusal(name.c_str()), "cannot write '" + name + "': Bad file descriptor");
    OutputFile file;
    EXPECT_FALSE(file.open(name.c_str()));
    EXPECT_EQ(file.error(), "cannot write '" + name + "': Bad file descriptor");
  }
  ::close(readOnly);
}

// Holds every descriptor a process may open in use: the next open fails.
class DescriptorsUsedUp {
 public:
  DescriptorsUsedUp() {
    getrlimit(RLIMIT_NOFILE, &mSaved);
    const int lowestFree = ::open("/dev/null", O_RDONLY);
    ::close(lowestFree);
    rlimit limit = mSaved;
    limit.rlim_cur = static_cast<rlim_t>(lowestFree);
    setrlimit(RLIMIT_NOFILE, &limit);
  }
  ~DescriptorsUsedUp() { setrlimit(RLIMIT_NOFILE, &mSaved); }
  DescriptorsUsedUp(const DescriptorsUsedUp&) = delete;
  DescriptorsUsedUp& operator=(const DescriptorsUsedUp&) = delete;

 private:
  rlimit mSaved{};
};

// A file that may be written, in a folder where its replacement cannot be
// made: the folder is to blame, not the file.
TEST(OutputFile, ATemporaryFileThatCannotBeMadeBlamesItsFolder) {
  const TempDirectory dir;
  std::filesystem::create_directory(dir.path("folder"));
  const std::string target = dir.path("folder/out.txt");
  writeText(target, kOld);
  const std::string folder = std::filesystem::canonical(dir.path("folder")).string();
  {
    OutputFile file;
    const DescriptorsUsedUp used;
    EXPECT_FALSE(file.open(target.c_str()));
    EXPECT_EQ(file.error(), "cannot make a temporary file in folder '" + folder + "': Too many open files");
  }
  // Folder permissions do not hold back a privileged user.
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod(dir.path("folder").c_str(), 0555), 0);
    OutputFile file;
    EXPECT_FALSE(file.open(target.c_str()));
    EXPECT_EQ(file.error(), "cannot make a temporary file in folder '" + folder + "': Permission denied");
    ::chmod(dir.path("folder").c_str(), 0755);
  }
  EXPECT_EQ(readFile(target), kOld);
  EXPECT_EQ(dir.entries(), Names{"folder"});
}

// The unfinished file of a name is beside the file it leads to; a name
// written in place has none.
TEST(OutputFile, TheFolderOfTheUnfinishedFile) {
  const TempDirectory dir;
  std::filesystem::create_directory(dir.path("real"));
  ASSERT_EQ(::symlink("real/notes.txt", dir.path("link.txt").c_str()), 0);
  EXPECT_EQ(OutputFile::unfinishedFolder(dir.path("link.txt").c_str()), dir.path("real/"));
  EXPECT_EQ(OutputFile::unfinishedFolder("/dev/stdout"), "");
  EXPECT_EQ(OutputFile::unfinishedFolder("/dev/null"), "");
  EXPECT_EQ(OutputFile::unfinishedFolder(dir.path("missing/x.txt").c_str()), dir.path("missing/"));
  EXPECT_EQ(OutputFile::unfinishedFolder("bare.txt"), ".");
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
