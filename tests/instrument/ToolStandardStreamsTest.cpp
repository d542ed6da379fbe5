// '-' and the names of descriptors as the command-line host takes them:
// standard output written where it stands, whatever it holds, never replaced;
// a closed or a terminal standard output refused before any work, naming
// the stream as the user gave it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/instrument/ToolRun.h"
#include "tests/instrument/WaveFileReader.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::readFile;
using testsupport::TempDirectory;
using tooltest::shell;
using tooltest::tool;
using tooltest::ToolRun;
using Names = std::vector<std::string>;

const std::string kHost = THUDROKKA_TOOL;
const std::string kNote = " --preset 3 --rate 8000 --length 0.05 --tail 0";

void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Each way of putting the note on standard output, and what the file that
// standard output leads to holds afterwards.
TEST(ToolStandardStreams, StandardOutputIsWrittenWhereItStands) {
  const TempDirectory dir;
  const std::string wave = dir.path("note.wav"), out = dir.path("out");
  ASSERT_EQ(tool("render" + kNote + " -o " + wave).status, 0);
  const std::string note = readFile(wave);
  ASSERT_TRUE(WaveFile::read(wave).valid);
  const std::string render = kHost + " render" + kNote;
  const struct {
    const char* what;
    std::string before, command, after;
  } cases[] = {
      {"after what the shell wrote", "", "{ echo HEADER; " + render + " -o -; } > " + out, "HEADER\n" + note},
      {"appended", "kept\n", render + " -o - >> " + out, "kept\n" + note},
      {"twice into one redirection", "", "{ " + render + " -o -; " + render + " -o -; } > " + out, note + note},
      {"named /dev/stdout", "", "{ echo HEADER; " + render + " -o /dev/stdout; } > " + out, "HEADER\n" + note},
      {"named /dev/fd/1", "", render + " -o /dev/fd/1 > " + out, note},
      {"another descriptor", "", render + " -o /dev/fd/5 5> " + out, note},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    writeText(out, c.before);
    const ToolRun run = shell(c.command);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(readFile(out) == c.after) << readFile(out).size() << " bytes";
    EXPECT_EQ(dir.entries(), (Names{"note.wav", "out"}));
  }

  // A socket, which its name cannot open.
  int sockets[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, sockets), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(sockets[1], STDOUT_FILENO);
    ::close(sockets[0]);
    ::close(sockets[1]);
    ::execl("/bin/sh", "sh", "-c", (render + " -o - 2>/dev/null").c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ASSERT_GT(child, 0);
  ::close(sockets[1]);
  std::string received;
  char buffer[4096];
  for (ssize_t n; (n = ::read(sockets[0], buffer, sizeof buffer)) > 0;) received.append(buffer, n);
  ::close(sockets[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(received == note) << received.size() << " bytes";
}

// Every output that takes a file name takes '-', and sends there what the
// file would have held.
TEST(ToolStandardStreams, EveryOutputTakesDash) {
  const TempDirectory dir;
  const struct {
    std::string toFile, toStandardOutput, file;
    bool stamped;  // its first line holds the time it was made
  } cases[] = {
      {"program save " + dir.path("p.qvp") + " --preset 9", "program save - --preset 9", dir.path("p.qvp"), false},
      {"generate-presets " + dir.path("bank.cpp"), "generate-presets -", dir.path("bank.cpp"), true},
      {"editor --preset 9 --dump " + dir.path("d.txt"), "editor --preset 9 --dump -", dir.path("d.txt"), false},
      {"editor --preset 9 --shot " + dir.path("s.png"), "editor --preset 9 --folder " + dir.path("f") + " --shot -",
       dir.path("s.png"), false},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(tool(c.toFile).status, 0) << c.toFile;
    const ToolRun run = tool(c.toStandardOutput);
    EXPECT_EQ(run.status, 0) << c.toStandardOutput << ": " << run.err;
    const auto kept = [&c](const std::string& text) {
      return c.stamped ? text.substr(std::min(text.find('\n'), text.size())) : text;
    };
    EXPECT_TRUE(kept(run.out) == kept(readFile(c.file))) << c.toStandardOutput;
  }
  // '-' in a script too, and never a file of that name.
  writeText(dir.path("s.txt"), "dump -\n");
  const ToolRun scripted = shell("cd " + dir.path() + " && " + kHost + " editor --preset 9 --script s.txt");
  EXPECT_TRUE(scripted.out == readFile(dir.path("d.txt")));
  EXPECT_FALSE(std::filesystem::exists(dir.path("-")));
  EXPECT_FALSE(std::filesystem::exists(dir.path("f/-")));

  const ToolRun folder = tool("render-bank -");
  EXPECT_EQ(folder.status, 2);
  EXPECT_EQ(folder.err, "thudrokka render-bank: the output is a folder of files, which standard output cannot be\n");
}

// Standard input can be read once: any two of its names, for the program
// and the script, are refused before anything is read.
TEST(ToolStandardStreams, StandardInputIsReadOnceWhateverItsNames) {
  const TempDirectory dir;
  const std::string link = dir.path("stdin-link");
  ASSERT_EQ(::symlink("/dev/stdin", link.c_str()), 0);
  const std::string names[] = {"-", "/dev/stdin", "/dev/fd/0", "/proc/self/fd/0", link};
  for (const std::string& program : names) {
    for (const std::string& script : names) {
      const ToolRun run = shell("echo tick | " + kHost + " editor --program " + program + " --script " + script +
                                " --dump " + dir.path("d.txt"));
      EXPECT_EQ(run.status, 2) << program << " " << script;
      EXPECT_EQ(run.err, "thudrokka editor: standard input can be --program or --script, not both\n")
          << program << " " << script;
    }
  }
  EXPECT_EQ(dir.entries(), (Names{"stdin-link"}));
}

// One output at most goes to standard output, whatever names it: a picture
// and a text, or two texts, would run into each other there.
TEST(ToolStandardStreams, StandardOutputTakesOneOutput) {
  const TempDirectory dir;
  const std::string script = dir.path("s.txt");
  writeText(script, "tick\nshot /dev/fd/1\n");
  const struct {
    std::string arguments, error;
  } cases[] = {
      {"--shot - --dump -", "not both --shot and --dump"},
      {"--shot /dev/stdout --dump /dev/fd/1", "not both --shot and --dump"},
      {"--dump - --script " + script, "not both --dump and shot (line 2 of " + script + ")"},
      {"--folder " + dir.path("f") + " --dump /proc/self/fd/1 --script " + script,
       "not both --dump and shot (line 2 of " + script + ")"},
  };
  for (const auto& c : cases) {
    const ToolRun run = tool("editor " + c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.err, "thudrokka editor: standard output can take one output, " + c.error + "\n") << c.arguments;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
  writeText(script, "dump -\ndump -\n");
  const ToolRun twice = tool("editor --script " + script);
  EXPECT_EQ(twice.status, 2);
  EXPECT_EQ(twice.err, "thudrokka editor: standard output can take one output, not both dump (line 1 of " + script +
                           ") and dump (line 2 of " + script + ")\n");
  EXPECT_EQ(dir.entries(), (Names{"s.txt"}));

  // A file panel's answer may be the SAVE button's: one that names standard
  // output counts among its outputs.
  const std::string save = "\ndown 760 490\nup 760 490\n";
  const struct {
    std::string arguments, script, error;
  } panels[] = {
      {"--script " + script, "file /dev/stdout" + save + "shot -\n",
       "not both file (line 1 of " + script + ") and shot (line 4 of " + script + ")"},
      {"--dump - --script " + script, "file /dev/fd/1" + save, "not both --dump and file (line 1 of " + script + ")"},
      {"--script " + script, "file /proc/self/fd/1" + save + "file /dev/stdout" + save,
       "not both file (line 1 of " + script + ") and file (line 4 of " + script + ")"},
  };
  for (const auto& c : panels) {
    writeText(script, c.script);
    const ToolRun run = tool("editor " + c.arguments);
    EXPECT_EQ(run.status, 2) << c.script;
    EXPECT_EQ(run.err, "thudrokka editor: standard output can take one output, " + c.error + "\n") << c.script;
    EXPECT_EQ(run.out, "") << c.script;
  }
  // Alone there, the save writes the program where standard output stands.
  writeText(script, "file /dev/fd/1" + save);
  const ToolRun saved = tool("editor --preset 9 --script " + script);
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out, tool("program save - --preset 9").out);
  EXPECT_EQ(dir.entries(), (Names{"s.txt"}));
}

// Nothing is rendered, or the editor opened, for an output that cannot be
// written: the message names the stream, not the name the host opened.
TEST(ToolStandardStreams, AClosedStandardOutputIsRefusedByItsName) {
  const struct {
    std::string arguments, command;
  } cases[] = {
      {"render" + kNote + " -o -", "render"},
      {"render" + kNote + " -o /dev/stdout", "render"},
      {"program save - --preset 2", "program"},
      {"generate-presets -", "generate-presets"},
      {"editor --dump -", "editor"},
      {"editor --shot -", "editor"},
  };
  for (const auto& c : cases) {
    const ToolRun run = tool(c.arguments + " >&-");
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_EQ(run.err, "thudrokka " + c.command + ": cannot write to standard output: Bad file descriptor\n")
        << c.arguments;
  }
  // A closed standard output is no number for a file the command opens.
  const TempDirectory dir;
  const std::string wave = dir.path("note.wav");
  const ToolRun named = tool("render" + kNote + " -o " + wave + " >&-");
  EXPECT_EQ(named.status, 0) << named.err;
  EXPECT_TRUE(WaveFile::read(wave).valid);
}

// A terminal as standard output takes no WAVE file or picture; the
// message says what to do instead.
TEST(ToolStandardStreams, NoBinaryFileGoesToATerminal) {
  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(::grantpt(terminal), 0);
  ASSERT_EQ(::unlockpt(terminal), 0);
  const std::string screen = ::ptsname(terminal);
  const struct {
    std::string arguments, error;
  } cases[] = {
      {"render" + kNote + " -o -",
       "thudrokka render: standard output is a terminal, which cannot show a WAVE file: redirect it to a file or a "
       "program, or name a file with -o\n"},
      {"editor --shot -",
       "thudrokka editor: standard output is a terminal, which cannot show a PNG picture: redirect it to a file or "
       "a program, or name a file\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = tool(c.arguments + " > " + screen);
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_EQ(run.err, c.error);
  }
  // The terminal got nothing, while text goes there as it is.
  ::fcntl(terminal, F_SETFL, O_NONBLOCK);
  char byte;
  EXPECT_LT(::read(terminal, &byte, 1), 1);
  const ToolRun text = tool("program save - --preset 2 > " + screen);
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(::read(terminal, &byte, 1), 1);
  ::close(terminal);
}

}  // namespace
