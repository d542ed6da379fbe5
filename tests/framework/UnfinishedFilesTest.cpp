#include "framework/UnfinishedFiles.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/OutputFile.h"
#include "tests/support/FileContents.h"
#include "tests/support/LockedFile.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::LockedFile;
using testsupport::readFile;
using testsupport::TempDirectory;
using Names = std::vector<std::string>;

const std::string kMark = ".thudrokka-unfinished";

// A writer in a process of its own that has its file open, written to,
// until told to finish; then it commits and ends with 0 when that worked.
class WriterProcess {
 public:
  explicit WriterProcess(const std::string& target) {
    int ready[2], go[2];
    if (::pipe(ready) != 0 || ::pipe(go) != 0) return;
    mPid = ::fork();
    if (mPid == 0) {
      ::close(ready[0]);
      ::close(go[1]);
      OutputFile file;
      const bool open = file.open(target.c_str()) && file.print("written while others cleaned");
      char byte = open ? 1 : 0;
      ssize_t ignored = ::write(ready[1], &byte, 1);
      ignored = ::read(go[0], &byte, 1);
      (void)ignored;
      ::_exit(open && file.commit() ? 0 : 1);
    }
    ::close(ready[1]);
    ::close(go[0]);
    char byte = 0;
    mOpen = mPid > 0 && ::read(ready[0], &byte, 1) == 1 && byte == 1;
    ::close(ready[0]);
    mGo = go[1];
  }
  ~WriterProcess() { finish(); }

  bool open() const { return mOpen; }
  // Its exit status once it committed.
  int finish() {
    if (mGo >= 0) ::close(mGo);
    mGo = -1;
    if (mPid > 0) ::waitpid(mPid, &mStatus, 0);
    mPid = -1;
    return mStatus;
  }

 private:
  pid_t mPid = -1;
  int mGo = -1;
  bool mOpen = false;
  int mStatus = -1;
};

// The names in dir that start with prefix.
Names startingWith(const TempDirectory& dir, const std::string& prefix) {
  Names found;
  for (const std::string& name : dir.entries()) {
    if (name.compare(0, prefix.size(), prefix) == 0) found.push_back(name);
  }
  return found;
}

// A writer killed outright leaves its unfinished file; the cleaner removes
// that and nothing else: not the file of a writer that runs, in this process
// or another, whatever number its name holds, not a name of another kind,
// and nothing that is not a plain file.
TEST(UnfinishedFiles, OnlyFilesThatNoWriterHoldsAreRemoved) {
  const TempDirectory dir;
  const pid_t ended = ::fork();
  if (ended == 0) {
    OutputFile file;
    // Ends as a killed process would, without cleaning up.
    ::_exit(file.open(dir.path("ended.txt").c_str()) && file.print("unfinished") ? 0 : 1);
  }
  ASSERT_GT(ended, 0);
  int status = -1;
  ASSERT_EQ(::waitpid(ended, &status, 0), ended);
  ASSERT_EQ(status, 0);
  const Names abandoned = startingWith(dir, ".ended.txt.");
  ASSERT_EQ(abandoned.size(), 1u);

  WriterProcess running(dir.path("running.txt"));
  ASSERT_TRUE(running.open());
  OutputFile own;
  ASSERT_TRUE(own.open(dir.path("own.txt").c_str()));
  // As a writer in another process namespace, or on another machine, holds
  // its file: the number in its name is of no process here.
  const std::string number = std::to_string(ended);
  const LockedFile held(dir.path(".held.txt." + number + "-0" + kMark));
  ASSERT_TRUE(held.locked());
  const Names others = {".notes.2023-12.tmp",
                        ".backup.20231211-1.tmp",
                        "..99999-1.tmp",
                        ".notes.999999-1.tmp",
                        ".notes.txt." + number + "-0.tmp",
                        "notes.txt." + number + "-0" + kMark,
                        ".notes.txt." + number + kMark,
                        ".notes.txt." + number + "-0" + kMark + ".txt"};
  for (const std::string& name : others) std::ofstream(dir.path(name)) << "data";
  std::ofstream(dir.path("victim.txt")) << "data";
  ASSERT_EQ(::symlink("victim.txt", dir.path(".link." + number + "-0" + kMark).c_str()), 0);
  ASSERT_EQ(::mkdir(dir.path(".folder." + number + "-0" + kMark).c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo(dir.path(".pipe." + number + "-0" + kMark).c_str(), 0644), 0);
  Names expected = dir.entries();
  expected.erase(std::find(expected.begin(), expected.end(), abandoned[0]));

  UnfinishedFiles::removeAbandoned(dir.path());
  EXPECT_EQ(dir.entries(), expected);
  EXPECT_EQ(readFile(dir.path("victim.txt")), "data");
  ASSERT_TRUE(own.print("mine") && own.commit());
  EXPECT_EQ(running.finish(), 0);
  EXPECT_EQ(readFile(dir.path("running.txt")), "written while others cleaned");
}

// A cleaner that runs all the while others write takes none of their files,
// even one made a moment before its writer locks it.
TEST(UnfinishedFiles, ACleanerRunningMeanwhileTakesNoWritersFile) {
  const TempDirectory dir;
  int stop[2];
  ASSERT_EQ(::pipe(stop), 0);
  const pid_t cleaner = ::fork();
  if (cleaner == 0) {
    ::close(stop[1]);
    // Until the writer's end of the pipe closes, however the writer ends.
    pollfd writer = {stop[0], POLLIN, 0};
    while (::poll(&writer, 1, 0) == 0) UnfinishedFiles::removeAbandoned(dir.path());
    ::_exit(0);
  }
  ASSERT_GT(cleaner, 0);
  ::close(stop[0]);
  const std::string target = dir.path("out.txt");
  int failures = 0;
  std::string firstError;
  for (int i = 0; i < 10000; ++i) {
    UnfinishedFile file;
    std::string error = file.make(target);
    const int renaming = error.empty() ? file.finish(target) : 0;
    if (renaming != 0) error = "cannot rename: " + std::string(std::strerror(renaming));
    if (!error.empty() && failures++ == 0) firstError = error;
  }
  ::close(stop[1]);
  ::waitpid(cleaner, nullptr, 0);
  EXPECT_EQ(failures, 0) << firstError;
  EXPECT_EQ(dir.entries(), Names{"out.txt"});
}

// What a process does as a signal ends it: the files still being written
// go, the targets stay as they were, finished files stay.
TEST(UnfinishedFiles, ThisProcesssOwnCanBeRemovedAllAtOnce) {
  const TempDirectory dir;
  const std::string old = "the previous, complete contents\n";
  std::ofstream(dir.path("old.txt")) << old;
  OutputFile replacing, making, finished;
  ASSERT_TRUE(replacing.open(dir.path("old.txt").c_str()));
  ASSERT_TRUE(making.open(dir.path("new.txt").c_str()));
  ASSERT_TRUE(finished.open(dir.path("done.txt").c_str()));
  ASSERT_TRUE(finished.print("done\n") && finished.commit());
  ASSERT_TRUE(replacing.print("unfinished\n") && making.print("unfinished\n"));
  EXPECT_EQ(dir.entries().size(), 4u);  // with the two unfinished files
  UnfinishedFiles::removeOwn();
  EXPECT_EQ(dir.entries(), (Names{"done.txt", "old.txt"}));
  EXPECT_EQ(readFile(dir.path("old.txt")), old);
  EXPECT_EQ(readFile(dir.path("done.txt")), "done\n");
}

}  // namespace
