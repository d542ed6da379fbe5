// No command writes over a file that it reads in the same run, however the
// two are named: the output is refused before any work, naming which is the
// output and which the input, as cp refuses to copy a file onto itself.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "lice/PNG.h"
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

// Every file below folder and what it holds.
std::map<std::string, std::string> contents(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().string()] = readFile(entry.path().string());
  }
  return files;
}

// The editor reads its images, its script and its program: no output writes
// over one, a save from its file panel included, and the run stops there.
// The images are a copy, so that a fault would spoil no build.
TEST(ToolSameFile, TheEditorWritesOverNoImageScriptOrProgramItReads) {
  const testsupport::TempDirectory dir;
  const std::string images = dir.path("images"), program = dir.path("p.qvp"), script = dir.path("s.txt");
  std::filesystem::copy(LICE_ResourceRoot(), images, std::filesystem::copy_options::recursive);
  const std::string folder = images + "/resources/img/quillvane", panel = folder + "/Controls_Background_920x690.png";
  ASSERT_TRUE(std::filesystem::exists(panel));
  ASSERT_EQ(tooltest::tool("program save " + program + " --preset 5").status, 0);
  const std::string editor = "THUDROKKA_RESOURCES=" + images + " " + kHost + " editor --program " + program;
  const std::string save = "\ndown 760 490\nup 760 490\n";
  const struct {
    std::string arguments, script, error;
  } cases[] = {
      {"--folder " + folder + " --shot Controls_Background_920x690.png", "",
       "--shot '" + panel + "' would write over the image '" + panel + "'"},
      {"--dump " + panel, "", "--dump '" + panel + "' would write over the image '" + panel + "'"},
      {"--script " + script, "tick\nshot " + panel + "\n",
       script + ":2: shot '" + panel + "' would write over the image '" + panel + "'"},
      {"--script " + script, "file " + program + save,
       script + ":2: a save to '" + program + "' would write over the program '" + program + "'"},
      {"--script " + script, "file " + script + save,
       script + ":2: a save to '" + script + "' would write over the script '" + script + "'"},
      {"--script " + script, "file " + panel + save,
       script + ":2: a save to '" + panel + "' would write over the image '" + panel + "'"},
  };
  for (const auto& c : cases) {
    std::ofstream(script) << c.script;
    const std::map<std::string, std::string> kept = contents(dir.path());
    const ToolRun run = tooltest::shell(editor + " " + c.arguments);
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_EQ(run.err, "thudrokka editor: " + c.error + "\n") << c.arguments;
    EXPECT_TRUE(contents(dir.path()) == kept) << c.arguments;
  }

  // The program loaded again, and saved elsewhere, as ever.
  std::ofstream(script) << "file " << program << "\ndown 710 490\nup 710 490\nfile " << dir.path("q.qvp") << save;
  const ToolRun other = tooltest::shell(editor + " --script " + script);
  EXPECT_EQ(other.status, 0) << other.err;
  EXPECT_EQ(other.err, "");
  EXPECT_EQ(readFile(dir.path("q.qvp")), readFile(program));
}

}  // namespace
