// What the command-line host leaves where it writes: finished files only,
// whether it ends normally, is interrupted or loses a worker, and whatever
// stands at the name it was given (a pipe, a link, a file in the way).

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/Fifo.h"
#include "tests/support/FileContents.h"
#include "tests/support/LockedFile.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::ChildProcess;
using testsupport::eventually;
using testsupport::Fifo;
using testsupport::LockedFile;
using testsupport::readFile;
using testsupport::split;
using testsupport::TempDirectory;
using Names = std::vector<std::string>;

std::vector<std::string> toolWith(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), THUDROKKA_TOOL);
  return arguments;
}

ChildProcess::End run(const std::vector<std::string>& arguments, const std::string& folder = "") {
  ChildProcess tool(toolWith(arguments), folder);
  return tool.wait();
}

std::string exitOf(int status) {
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return std::string("signal ") + strsignal(WTERMSIG(status));
  return "status " + std::to_string(status);
}

std::string exitWith(int code) { return "exit " + std::to_string(code); }
std::string signalled(int signal) { return std::string("signal ") + strsignal(signal); }

bool hidden(const std::string& name) { return !name.empty() && name[0] == '.'; }

int hiddenEntries(const TempDirectory& dir, const std::string& folder = "") {
  int n = 0;
  if (!std::filesystem::is_directory(dir.path(folder))) return 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path(folder))) n += hidden(entry.path().filename());
  return n;
}

// The processes the tool started, as the kernel lists them.
std::vector<pid_t> childrenOf(pid_t pid) {
  const std::string list = readFile("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  std::vector<pid_t> children;
  for (const std::string& child : split(list, ' ')) {
    if (!child.empty() && child != "\n") children.push_back(std::stoi(child));
  }
  return children;
}

// A note far longer than the time a test waits: whatever a signal meets is
// a file being written.
const std::vector<std::string> kLongNote = {"--preset", "40", "--length", "600", "--tail", "600", "--rate", "384000"};
const std::vector<std::string> kLongBank = {"--length", "600", "--tail", "0", "--rate", "384000"};

std::vector<std::string> joined(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(ToolOutputs, EndingSignalsLeaveOnlyFinishedFiles) {
  const TempDirectory dir;
  const std::string previous = "the file that was there before";
  const struct {
    const char* what;
    std::vector<std::string> arguments;
    std::string folder;  // where the files go, in dir
    int writers;
    int signal;
    bool wholeGroup;  // as a terminal's interrupt key or timeout sends it
  } cases[] = {
      {"render, interrupted", joined({"render", "-o", dir.path("long.wav")}, kLongNote), "", 1, SIGINT, false},
      {"render, terminated", joined({"render", "-o", dir.path("long.wav")}, kLongNote), "", 1, SIGTERM, false},
      {"render, hung up", joined({"render", "-o", dir.path("long.wav")}, kLongNote), "", 1, SIGHUP, true},
      {"render-bank, parent interrupted", joined({"render-bank", dir.path("bank"), "--jobs", "3"}, kLongBank),
       "bank", 3, SIGINT, false},
      {"render-bank, group terminated", joined({"render-bank", dir.path("bank"), "--jobs", "3"}, kLongBank), "bank",
       3, SIGTERM, true},
      {"render-bank, one job interrupted", joined({"render-bank", dir.path("bank"), "--jobs", "1"}, kLongBank),
       "bank", 1, SIGINT, false},
      // The signals that end a process by default but that nothing sends
      // from a keyboard.
      {"render, alarm", joined({"render", "-o", dir.path("long.wav")}, kLongNote), "", 1, SIGALRM, false},
      {"render, user's first", joined({"render", "-o", dir.path("long.wav")}, kLongNote), "", 1, SIGUSR1, false},
      {"render, user's second", joined({"render", "-o", dir.path("long.wav")}, kLongNote), "", 1, SIGUSR2, false},
      {"render, virtual timer", joined({"render", "-o", dir.path("long.wav")}, kLongNote), "", 1, SIGVTALRM, false},
      {"render, profiling timer", joined({"render", "-o", dir.path("long.wav")}, kLongNote), "", 1, SIGPROF, false},
      {"render, real-time", joined({"render", "-o", dir.path("long.wav")}, kLongNote), "", 1, SIGRTMIN + 3, false},
      {"render-bank, user's first", joined({"render-bank", dir.path("bank"), "--jobs", "2"}, kLongBank), "bank", 2,
       SIGUSR1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(dir.path("bank"));
    std::ofstream(dir.path("long.wav")) << previous;
    ChildProcess tool(toolWith(c.arguments));
    ASSERT_TRUE(tool.started());
    ASSERT_TRUE(eventually([&] { return hiddenEntries(dir, c.folder) == c.writers; }));
    ASSERT_EQ(::kill(c.wholeGroup ? -tool.pid() : tool.pid(), c.signal), 0);
    const ChildProcess::End end = tool.wait();
    ASSERT_TRUE(end.inTime);
    // Ended by the signal itself, so a caller sees what ended it.
    EXPECT_EQ(exitOf(end.status), signalled(c.signal)) << end.err;
    EXPECT_FALSE(tool.groupAlive());
    EXPECT_EQ(hiddenEntries(dir, c.folder), 0);
    EXPECT_EQ(readFile(dir.path("long.wav")), previous);
    if (!c.folder.empty()) {
      EXPECT_TRUE(std::filesystem::is_empty(dir.path(c.folder)));
    }
  }
}

// render-bank with three workers in dir, and those workers once each of
// them writes its first file.
std::vector<std::string> bankOfThree(const TempDirectory& dir) {
  return toolWith(joined({"render-bank", dir.path("bank"), "--jobs", "3"}, kLongBank));
}
std::vector<pid_t> busyWorkers(const ChildProcess& tool, const TempDirectory& dir) {
  if (!eventually([&] { return hiddenEntries(dir, "bank") == 3; })) return {};
  return childrenOf(tool.pid());
}

// Told to end, render-bank lets a stopped worker go on so that it can end:
// the parent never waits on it for ever.
TEST(ToolOutputs, AStoppedWorkerDoesNotHoldTheEnding) {
  const struct {
    const char* what;
    int toParent, toAnotherWorker;  // 0: none
    std::string ending;
  } cases[] = {
      {"the parent terminated", SIGTERM, 0, signalled(SIGTERM)},
      {"another worker killed", 0, SIGKILL, exitWith(1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TempDirectory dir;
    ChildProcess tool(bankOfThree(dir));
    const std::vector<pid_t> workers = busyWorkers(tool, dir);
    ASSERT_EQ(workers.size(), 3u);
    ASSERT_EQ(::kill(workers[0], SIGSTOP), 0);
    if (c.toParent) {
      ASSERT_EQ(::kill(tool.pid(), c.toParent), 0);
    }
    if (c.toAnotherWorker) {
      ASSERT_EQ(::kill(workers[1], c.toAnotherWorker), 0);
    }
    const ChildProcess::End end = tool.wait(std::chrono::seconds(60));
    ASSERT_TRUE(end.inTime) << "render-bank waited on its stopped worker";
    EXPECT_EQ(exitOf(end.status), c.ending) << end.err;
    EXPECT_FALSE(tool.groupAlive());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path("bank")));
  }
}

TEST(ToolOutputs, AWorkerThatDiesLeavesNoUnfinishedFile) {
  for (const int signal : {SIGKILL, SIGTERM}) {
    SCOPED_TRACE(strsignal(signal));
    const TempDirectory dir;
    ChildProcess tool(bankOfThree(dir));
    const std::vector<pid_t> workers = busyWorkers(tool, dir);
    ASSERT_EQ(workers.size(), 3u);
    ASSERT_EQ(::kill(workers[1], signal), 0);
    const ChildProcess::End end = tool.wait();
    ASSERT_TRUE(end.inTime);
    EXPECT_EQ(exitOf(end.status), exitWith(1));
    EXPECT_EQ(end.err, "thudrokka render-bank: a worker stopped before its presets were done\n");
    EXPECT_FALSE(tool.groupAlive());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path("bank")));
  }
}

// A process that has ended and been waited for: no process has its number
// until the system hands it out again, long after.
pid_t endedProcess() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
}

// The mark that the names of unfinished files carry.
const std::string kUnfinished = ".thudrokka-unfinished";

// A render killed outright (SIGKILL, which no handler sees) leaves its
// unfinished file. The next render or bank render into that folder removes
// it, once it is sure to run, and nothing else: not the files of other
// programs or of earlier versions, whatever their numbers say, and not the
// file of a writer that still runs, whatever number its name holds.
TEST(ToolOutputs, OnlyAbandonedUnfinishedFilesOfItsOwnAreRemoved) {
  const TempDirectory dir;
  {
    ChildProcess killed(toolWith(joined({"render", "-o", dir.path("long.wav")}, kLongNote)));
    ASSERT_TRUE(killed.started());
    ASSERT_TRUE(eventually([&] { return hiddenEntries(dir) == 1; }));
    ASSERT_EQ(::kill(killed.pid(), SIGKILL), 0);
    ASSERT_TRUE(killed.wait().inTime);
  }
  ASSERT_EQ(dir.entries().size(), 1u);
  const std::string abandoned = dir.entries()[0];
  const std::string dead = std::to_string(endedProcess());
  const Names others = {".notes.2023-12.tmp", ".backup.20231211-1.tmp", "..99999-1.tmp", ".notes.999999-1.tmp",
                        ".kick.wav." + dead + "-0.tmp", "kick.wav." + dead + "-0" + kUnfinished};
  // As a render in another process namespace, or on another machine over a
  // network file system, holds its file: its number names no process here.
  const std::string live = ".kick.wav." + dead + "-0" + kUnfinished;

  const std::string tool = THUDROKKA_TOOL, note = " --rate 8000 --length 0.01 --tail 0";
  const struct {
    const char* what;
    std::string folder;  // in dir, where the command runs
    std::string command;
    int exit;
    int outputs;  // the files it writes; none when refused
  } cases[] = {
      {"render", "a", tool + " render --preset 1 -o a/kick.wav" + note, 0, 1},
      {"render-bank", "b", tool + " render-bank b --jobs 2" + note, 0, 128},
      {"render into the home folder", "home",
       "HOME=$PWD/home; export HOME; exec " + tool + " render --preset 1 -o ~/kick.wav" + note, 0, 1},
      {"render refused for a missing program", "c", tool + " render --program c/missing.qvp -o c/kick.wav" + note,
       1, 0},
      {"render refused for its arguments", "d", tool + " render --preset 999 -o d/kick.wav" + note, 2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string folder = dir.path(c.folder);
    std::filesystem::create_directory(folder);
    for (const std::string& name : others) std::ofstream(folder + "/" + name) << "data";
    std::filesystem::copy_file(dir.path(abandoned), folder + "/" + abandoned);
    const LockedFile writer(folder + "/" + live);
    ASSERT_TRUE(writer.locked());

    ChildProcess shell({"/bin/sh", "-c", c.command}, dir.path());
    const ChildProcess::End end = shell.wait();
    ASSERT_TRUE(end.inTime);
    EXPECT_EQ(exitOf(end.status), exitWith(c.exit)) << end.err;
    Names expected = others;
    expected.push_back(live);
    if (c.outputs == 0) expected.push_back(abandoned);
    const Names entries = testsupport::folderEntries(folder);
    for (const std::string& name : expected) EXPECT_EQ(std::count(entries.begin(), entries.end(), name), 1) << name;
    EXPECT_EQ(entries.size(), expected.size() + c.outputs);
  }
}

// A render in another process namespace, as in a container that shares the
// folder: the number in its file's name is its number there, which no
// process has here. A render here leaves that file alone, and the render
// there finishes.
TEST(ToolOutputs, ARenderInAnotherProcessNamespaceKeepsItsFile) {
  ChildProcess probe({"/bin/sh", "-c", "exec unshare --pid --fork --mount-proc true"});
  if (exitOf(probe.wait().status) != exitWith(0)) GTEST_SKIP() << "no process namespace can be made here";
  const TempDirectory dir;
  const std::string number = std::to_string(endedProcess());
  ChildProcess there({"/bin/sh", "-c",
                      "exec unshare --pid --fork --mount-proc /bin/sh -c "
                      "'echo $(($0 - 1)) > /proc/sys/kernel/ns_last_pid && { \"$@\" & wait $!; }' \"$@\"",
                      "sh", number, THUDROKKA_TOOL, "render", "--preset", "40", "--length", "8", "--tail", "0",
                      "--rate", "384000", "-o", dir.path("there.wav")});
  ASSERT_TRUE(eventually([&] { return hiddenEntries(dir) == 1; }));
  const std::string unfinished = dir.entries()[0];
  ASSERT_NE(unfinished.find("." + number + "-"), std::string::npos) << unfinished;
  ASSERT_EQ(::kill(-there.pid(), SIGSTOP), 0);

  const ChildProcess::End here =
      run({"render", "--preset", "1", "--rate", "8000", "--length", "0.01", "--tail", "0", "-o", dir.path("here.wav")});
  EXPECT_EQ(exitOf(here.status), exitWith(0)) << here.err;
  EXPECT_TRUE(std::filesystem::exists(dir.path(unfinished)));
  ASSERT_EQ(::kill(-there.pid(), SIGCONT), 0);
  const ChildProcess::End end = there.wait();
  ASSERT_TRUE(end.inTime);
  EXPECT_EQ(exitOf(end.status), exitWith(0)) << end.err;
  std::error_code missing;
  EXPECT_EQ(std::filesystem::file_size(dir.path("there.wav"), missing), 44u + 8u * 384000u * 6u);
  EXPECT_EQ(dir.entries(), (Names{"here.wav", "there.wav"}));
}

// The header holds the true sizes from its first byte, so a pipe gets the
// very file that a file would.
TEST(ToolOutputs, AWaveFileGoesThroughAPipeWhole) {
  const TempDirectory dir;
  const std::vector<std::string> note = {"render", "--preset", "1", "--rate", "8000", "--length", "0.3", "--tail",
                                         "0.2"};
  const ChildProcess::End toFile = run(joined(note, {"-o", dir.path("note.wav")}));
  ASSERT_EQ(exitOf(toFile.status), exitWith(0)) << toFile.err;
  const std::string file = readFile(dir.path("note.wav"));
  ASSERT_EQ(file.size(), 44u + 4000u * 6u);
  for (const char* output : {"-", "/dev/stdout"}) {
    const ChildProcess::End end = run(joined(note, {"-o", output}), dir.path());
    EXPECT_EQ(exitOf(end.status), exitWith(0)) << output;
    EXPECT_EQ(end.err, "") << output;
    EXPECT_TRUE(end.out == file) << output << ": " << end.out.size() << " bytes";
  }
  EXPECT_EQ(dir.entries(), Names{"note.wav"});
}

TEST(ToolOutputs, APipeThatNothingReadsIsRefusedAtOnce) {
  const TempDirectory dir;
  const Fifo fifo(dir.path("pipe"));
  ASSERT_TRUE(fifo.made());
  const std::string pipe = fifo.path();
  const std::vector<std::string> cases[] = {
      {"program", "save", pipe},
      {"render", "--preset", "1", "--rate", "8000", "--length", "0.1", "--tail", "0", "-o", pipe},
      {"editor", "--shot", pipe},
      {"editor", "--dump", pipe},
      {"generate-presets", pipe},
  };
  for (const auto& arguments : cases) {
    SCOPED_TRACE(arguments[0] + " " + arguments[1]);
    ChildProcess tool(toolWith(arguments));
    const ChildProcess::End end = tool.wait(std::chrono::seconds(60));
    ASSERT_TRUE(end.inTime);
    EXPECT_EQ(exitOf(end.status), exitWith(1));
    EXPECT_EQ(end.err, "thudrokka " + arguments[0] + ": cannot write '" + pipe + "': nothing reads the pipe\n");
  }
  EXPECT_EQ(dir.entries(), Names{"pipe"});
}

TEST(ToolOutputs, ALinkIsWrittenThroughToWhatItNames) {
  const TempDirectory dir;
  std::filesystem::create_directory(dir.path("real"));
  std::filesystem::create_symlink("real/note.wav", dir.path("link.wav"));
  const ChildProcess::End end =
      run({"render", "--preset", "1", "--rate", "8000", "--length", "0.1", "--tail", "0", "-o", dir.path("link.wav")});
  ASSERT_EQ(exitOf(end.status), exitWith(0)) << end.err;
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path("link.wav")));
  EXPECT_EQ(readFile(dir.path("real/note.wav")).size(), 44u + 800u * 6u);
}

TEST(ToolOutputs, RenderBankSaysWhyItCannotMakeItsFolder) {
  const TempDirectory dir;
  std::ofstream(dir.path("file")) << "in the way";
  std::filesystem::create_symlink("nowhere", dir.path("dangling"));
  const auto cannot = [](const std::string& folder, const std::string& cause) {
    return "cannot make folder '" + folder + "': " + cause;
  };
  const struct {
    std::string folder, error;
  } cases[] = {
      {dir.path("file"), "'" + dir.path("file") + "' is not a folder"},
      {dir.path("dangling"), "'" + dir.path("dangling") + "' is not a folder"},
      {dir.path("dangling/bank"), cannot(dir.path("dangling/bank"), "'" + dir.path("dangling") + "' is not a folder")},
      {dir.path("file/bank"), cannot(dir.path("file/bank"), "Not a directory")},
      {"/proc/no/such/folder", cannot("/proc/no/such/folder", "No such file or directory")},
  };
  for (const auto& c : cases) {
    const ChildProcess::End end = run({"render-bank", c.folder, "--rate", "8000", "--length", "0.01", "--tail", "0"});
    EXPECT_EQ(exitOf(end.status), exitWith(1)) << c.folder;
    EXPECT_EQ(end.err, "thudrokka render-bank: " + c.error + "\n");
  }
  // Missing folders on the way are made.
  const std::string nested = dir.path("a/b/bank");
  const ChildProcess::End made = run({"render-bank", nested, "--rate", "8000", "--length", "0.01", "--tail", "0"});
  ASSERT_EQ(exitOf(made.status), exitWith(0)) << made.err;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(nested), {}), 128);
}

// What the name tells is refused before the note renders, with its true
// cause: the note given would take minutes to render.
TEST(ToolOutputs, AnOutputNameIsCheckedBeforeTheWork) {
  const TempDirectory dir;
  std::ofstream(dir.path("file")) << "in the way";
  const std::string tooLong = dir.path(std::string(300, 'n') + ".wav");
  const struct {
    std::string output, cause;
  } cases[] = {
      {tooLong, "File name too long"},
      {dir.path("nodir/"), "a name that ends in '/' names a folder"},
      {dir.path("missing/note.wav"), "No such file or directory"},
      {dir.path("file/note.wav"), "Not a directory"},
  };
  for (const auto& c : cases) {
    ChildProcess tool(toolWith(joined({"render", "-o", c.output}, kLongNote)));
    const ChildProcess::End end = tool.wait(std::chrono::seconds(60));
    ASSERT_TRUE(end.inTime) << c.output;
    EXPECT_EQ(exitOf(end.status), exitWith(1)) << c.output;
    EXPECT_EQ(end.err, "thudrokka render: cannot write '" + c.output + "': " + c.cause + "\n");
  }
  // The editor checks every name it is to write, its script's too, before
  // it opens: nothing is written.
  std::ofstream(dir.path("script.txt")) << "shot first.png\nnote 48 100 60\nshot " << tooLong << "\n";
  const ChildProcess::End editor = run({"editor", "--folder", dir.path("shots"), "--dump", "first.txt", "--script",
                                        dir.path("script.txt")});
  EXPECT_EQ(exitOf(editor.status), exitWith(1));
  EXPECT_EQ(editor.err, "thudrokka editor: cannot write '" + tooLong + "': File name too long\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path("shots")));
}

TEST(ToolOutputs, ANoteOfNoFramesIsRefused) {
  const TempDirectory dir;
  const std::string wave = dir.path("empty.wav"), bank = dir.path("bank");
  const struct {
    std::vector<std::string> arguments;
    const char* command;
  } cases[] = {
      {{"render", "--preset", "1", "--length", "0", "--tail", "0", "-o", wave}, "render"},
      {{"render", "--preset", "1", "--rate", "8000", "--length", "0.00001", "--tail", "0", "-o", wave}, "render"},
      {{"render-bank", bank, "--length", "0", "--tail", "0"}, "render-bank"},
  };
  for (const auto& c : cases) {
    const ChildProcess::End end = run(c.arguments);
    EXPECT_EQ(exitOf(end.status), exitWith(2)) << c.arguments[0];
    EXPECT_EQ(end.err, std::string("thudrokka ") + c.command +
                           ": --length and --tail give no frames to render at this rate\n");
  }
  EXPECT_EQ(dir.entries(), Names{});
}

}  // namespace
