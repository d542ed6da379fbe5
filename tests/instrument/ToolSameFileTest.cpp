// No command writes over a file that it reads in the same run, however the
// two are named: the output is refused before any work, naming which is the
// output and which the input, as cp refuses to copy a file onto itself.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/instrument/ToolRun.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::readFile;
using tooltest::ToolRun;

const std::string kHost = THUDROKKA_TOOL;
const std::string kNote = " --rate 8000 --length 0.05 --tail 0";

TEST(ToolSameFile, AnOutputThatIsAnInputIsRefusedBeforeAnyWork) {
  const testsupport::TempDirectory dir;
  const std::string program = dir.path("p.qvp"), script = dir.path("s.txt");
  ASSERT_EQ(tooltest::tool("program save " + program + " --preset 5").status, 0);
  std::ofstream(script) << "tick\n";
  ASSERT_EQ(::symlink(program.c_str(), dir.path("link.qvp").c_str()), 0);
  ASSERT_EQ(::link(program.c_str(), dir.path("hard.qvp").c_str()), 0);
  ASSERT_EQ(::symlink(script.c_str(), dir.path("link.txt").c_str()), 0);
  std::filesystem::create_directory(dir.path("shots"));
  ASSERT_EQ(::symlink(program.c_str(), dir.path("shots/p.txt").c_str()), 0);
  const std::string kept = readFile(program), keptScript = readFile(script);
  const std::vector<std::string> entries = dir.entries();
  const struct {
    std::string command, error;
  } cases[] = {
      {kHost + " render --program " + program + kNote + " -o " + program,
       "render: -o '" + program + "' would write over the program '" + program + "'"},
      {kHost + " render --program " + program + kNote + " -o " + dir.path("link.qvp"),
       "render: -o '" + dir.path("link.qvp") + "' would write over the program '" + program + "'"},
      {kHost + " render --program " + dir.path("link.qvp") + kNote + " -o " + dir.path("hard.qvp"),
       "render: -o '" + dir.path("hard.qvp") + "' would write over the program '" + dir.path("link.qvp") + "'"},
      {kHost + " render --program - " + kNote + " -o " + program + " < " + program,
       "render: -o '" + program + "' would write over the program on standard input"},
      {kHost + " render --program " + program + kNote + " -o - >> " + program,
       "render: -o standard output would write over the program '" + program + "'"},
      {kHost + " editor --program " + program + " --dump " + dir.path("hard.qvp"),
       "editor: --dump '" + dir.path("hard.qvp") + "' would write over the program '" + program + "'"},
      {kHost + " editor --script " + script + " --shot " + dir.path("link.txt"),
       "editor: --shot '" + dir.path("link.txt") + "' would write over the script '" + script + "'"},
      {kHost + " editor --program " + program + " --folder " + dir.path("shots") + " --dump p.txt",
       "editor: --dump '" + dir.path("shots/p.txt") + "' would write over the program '" + program + "'"},
  };
  for (const auto& c : cases) {
    const ToolRun run = tooltest::shell(c.command);
    EXPECT_EQ(run.status, 1) << c.command;
    EXPECT_EQ(run.err, "thudrokka " + c.error + "\n") << c.command;
    EXPECT_TRUE(readFile(program) == kept) << c.command;
    EXPECT_EQ(dir.entries(), entries) << c.command;
  }
  // A script's own shot over the script.
  std::ofstream(script) << "shot " << script << "\n";
  const ToolRun shotOverScript = tooltest::tool("editor --script " + script);
  EXPECT_EQ(shotOverScript.status, 1);
  EXPECT_EQ(shotOverScript.err,
            "thudrokka editor: " + script + ":1: shot '" + script + "' would write over the script '" + script + "'\n");
  EXPECT_EQ(readFile(script), "shot " + script + "\n");

  // Any other file is written as ever.
  const ToolRun other = tooltest::tool("render --program " + program + kNote + " -o " + dir.path("p.wav"));
  EXPECT_EQ(other.status, 0) << other.err;
}

}  // namespace
