// What a person types to the command-line host and what the terminal then
// shows: help, the reading of numbers, refusals that print what was typed
// without its control characters, and where the editor writes.

#include <gtest/gtest.h>

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
using testsupport::split;
using testsupport::TempDirectory;
using tooltest::shell;
using tooltest::tool;
using tooltest::ToolRun;

const char* const kCommands[] = {"render", "render-bank", "presets", "program", "editor", "generate-presets"};

TEST(ToolCommandLine, EveryCommandTakesDashHForItsHelp) {
  for (const std::string command : kCommands) {
    const ToolRun help = tool(command + " --help"), h = tool(command + " -h");
    EXPECT_EQ(h.status, 0) << command << ": " << h.err;
    EXPECT_EQ(h.out, help.out) << command;
    EXPECT_NE(h.out.find("\n  -h, --help         show this help\n"), std::string::npos) << command << ":\n" << h.out;
  }
  EXPECT_EQ(tool("-h").out, tool("--help").out);
}

// Every summary starts in one column, past the longest command's name.
TEST(ToolCommandLine, TheOverviewListsTheCommandsInOneColumn) {
  const ToolRun run = tool("--help");
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> lines = split(run.out);
  const auto first = std::find(lines.begin(), lines.end(), "commands:");
  ASSERT_NE(first, lines.end());
  std::vector<size_t> columns;
  size_t i = 0;
  for (auto line = first + 1; line != lines.end() && !line->empty(); ++line, ++i) {
    ASSERT_LT(i, std::size(kCommands)) << *line;
    const std::string name = std::string("  ") + kCommands[i] + " ";
    ASSERT_EQ(line->compare(0, name.size(), name), 0) << *line;
    columns.push_back(line->find_first_not_of(' ', name.size()));
  }
  ASSERT_EQ(columns.size(), std::size(kCommands));
  for (size_t c : columns) EXPECT_EQ(c, columns[0]) << run.out;
}

TEST(ToolCommandLine, ArgumentsItDoesNotKnowPointToTheHelp) {
  const struct {
    const char* arguments;
    const char* error;
  } cases[] = {
      {"render --frob", "thudrokka render: unknown option '--frob' (see thudrokka render --help)\n"},
      {"generate-presets -x out.cpp",
       "thudrokka generate-presets: unknown option '-x' (see thudrokka generate-presets --help)\n"},
      {"editor --shot", "thudrokka editor: option --shot needs a value (see thudrokka editor --help)\n"},
      {"frob", "thudrokka: unknown command 'frob' (see thudrokka --help)\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = tool(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.err, c.error);
  }
}

// Options as getopt_long takes them: a value after '=' or joined to a short
// option, a long name cut to a start that is no other's, options after the
// other arguments, and "--" ending the options.
TEST(ToolCommandLine, OptionsAreTakenAsEveryCommandLineProgramTakesThem) {
  const TempDirectory dir;
  const std::string note = " --rate 8000 --length 0.02 --tail 0";
  const std::string reference = dir.path("reference.wav");
  ASSERT_EQ(tool("render --preset 3" + note + " -o " + reference).status, 0);
  const std::string spellings[] = {
      "render --preset=3" + note + " -o " + dir.path("a.wav"),
      "render --preset 3 --rate=8000 --length=0.02 --tail=0 -o" + dir.path("a.wav"),
      "render --pre 3 --ra 8000 --le 0.02 --ta 0 -o " + dir.path("a.wav"),
      "render -o " + dir.path("a.wav") + note + " --preset 3",
  };
  for (const std::string& arguments : spellings) {
    std::filesystem::remove(dir.path("a.wav"));
    const ToolRun run = tool(arguments);
    ASSERT_EQ(run.status, 0) << arguments << ": " << run.err;
    EXPECT_EQ(readFile(dir.path("a.wav")), readFile(reference)) << arguments;
  }
  const ToolRun dashed = shell("cd " + dir.path() + " && " + THUDROKKA_TOOL +
                               " render-bank --jobs 1 --rate 8000 --length 0.01 --tail 0 -- -bank");
  ASSERT_EQ(dashed.status, 0) << dashed.err;
  EXPECT_EQ(testsupport::folderEntries(dir.path("-bank")).size(), 128u);

  const struct {
    const char* arguments;
    const char* error;
  } refused[] = {
      {"render --pr 3", "option '--pr' is ambiguous: --preset or --program"},
      {"presets --dump=3", "option --dump takes no value"},
      {"render --preset", "option --preset needs a value"},
      {"render --preset 1 -o", "option -o needs a value"},
      {"render --frob=1", "unknown option '--frob'"},
      {"presets -x", "unknown option '-x'"},
      {"presets -- --dump", "unexpected argument '--dump'"},
  };
  for (const auto& c : refused) {
    const ToolRun run = tool(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    const std::string command = std::string(c.arguments).substr(0, std::string(c.arguments).find(' '));
    const std::string help =
        run.err.find("unexpected") == std::string::npos ? " (see thudrokka " + command + " --help)" : "";
    EXPECT_EQ(run.err, "thudrokka " + command + ": " + c.error + help + "\n") << c.arguments;
  }
}

// POSIXLY_CORRECT makes getopt_long stop at the first operand; a command
// takes its options before and after its operands all the same, and "--"
// still ends them.
TEST(ToolCommandLine, OptionsFollowOperandsWhateverTheEnvironment) {
  const TempDirectory dir;
  const std::string strict = "POSIXLY_CORRECT=1 " + std::string(THUDROKKA_TOOL);
  ASSERT_EQ(tool("program save " + dir.path("reference.qvp") + " --preset 5").status, 0);
  const ToolRun saved = shell(strict + " program save " + dir.path("p.qvp") + " --preset 5");
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(readFile(dir.path("p.qvp")), readFile(dir.path("reference.qvp")));

  const ToolRun bank =
      shell(strict + " render-bank " + dir.path("bank") + " --jobs 2 --rate 8000 --length 0.01 --tail 0");
  ASSERT_EQ(bank.status, 0) << bank.err;
  EXPECT_EQ(testsupport::folderEntries(dir.path("bank")).size(), 128u);

  const ToolRun ended = shell(strict + " presets -- --dump");
  EXPECT_EQ(ended.status, 2);
  EXPECT_EQ(ended.err, "thudrokka presets: unexpected argument '--dump'\n");
}

// The editor's help says how a script is read, as it is read: both kinds of
// comment, where '-' stands for a stream, and how long a line may be.
TEST(ToolCommandLine, TheEditorsHelpGivesTheScriptsRules) {
  const std::string help = tool("editor --help").out;
  for (const char* rule : {"each line at most 4096 characters",
                           "A line whose first character other than a blank is # is a\ncomment.",
                           "shot a#b.png, tick#)", "(nothing: cancel; a panel chooses\n"}) {
    EXPECT_NE(help.find(rule), std::string::npos) << rule << "\n" << help;
  }
}

// The overview that nothing asked for is the usage error's message; the
// help that was asked for must arrive, or the command fails.
TEST(ToolCommandLine, TextGoesWhereItBelongsOrTheCommandFails) {
  const ToolRun bare = tool("");
  EXPECT_EQ(bare.status, 2);
  EXPECT_EQ(bare.out, "");
  EXPECT_EQ(bare.err, tool("--help").out);

  const struct {
    std::string arguments, command;
  } full[] = {
      {"--help", ""},
      {"render --help", " render"},
      {"presets", " presets"},
      {"presets --dump", " presets"},
  };
  for (const auto& c : full) {
    const ToolRun run = tool(c.arguments + " > /dev/full");
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_EQ(run.err, "thudrokka" + c.command + ": cannot write to standard output: No space left on device\n")
        << c.arguments;
  }
}

// Names, options and file names come back as typed but with each control
// character, and each byte that is not UTF-8, shown as '?'.
TEST(ToolCommandLine, WhatWasTypedIsPrintedWithoutControlCharacters) {
  const TempDirectory dir;
  const std::string missing = dir.path("gone");
  const struct {
    std::string arguments, error;
  } cases[] = {
      {"render '--x\x1b[31m'", "thudrokka render: unknown option '--x?[31m' (see thudrokka render --help)\n"},
      {"'ed\x1b]2;t\x07it'", "thudrokka: unknown command 'ed?]2;t?it' (see thudrokka --help)\n"},
      {"presets 'a\tb\r'", "thudrokka presets: unexpected argument 'a?b?'\n"},
      {"render --preset 1 --bits '2\x1b" "4' -o x.wav", "thudrokka render: --bits takes 24 or 32, not '2?4'\n"},
      // Characters that would show the text in another order, or hide some.
      {"render '--x\u202e" "yz'", "thudrokka render: unknown option '--x?yz' (see thudrokka render --help)\n"},
      {"'ren\u200bder'", "thudrokka: unknown command 'ren?der' (see thudrokka --help)\n"},
      {"presets '\u2066a\u2069\ufeff'", "thudrokka presets: unexpected argument '?a?" "?'\n"},
      {"render --preset 1 -o '" + missing + "/\x1b[2J.wav'",
       "thudrokka render: cannot write '" + missing + "/?[2J.wav': No such file or directory\n"},
      {"program load '" + missing + "/\xc2\x9b" "2J \xff.qvp'",
       "thudrokka program: cannot read program file '" + missing + "/?2J ?.qvp': No such file or directory\n"},
      {"editor --script '" + missing + "/\x1b[1m.txt'",
       "thudrokka editor: cannot read script '" + missing + "/?[1m.txt': No such file or directory\n"},
      {"editor --shot '" + missing + "/\x1b[1m.png'",
       "thudrokka editor: cannot write '" + missing + "/?[1m.png': No such file or directory\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = tool(c.arguments);
    EXPECT_NE(run.status, 0) << c.arguments;
    EXPECT_EQ(run.err, c.error);
  }
}

// Plain decimals only, and nothing around them, whichever option reads them.
TEST(ToolCommandLine, EveryOptionReadsNumbersOneWay) {
  const TempDirectory dir;
  const std::string out = dir.path("never.wav");
  const struct {
    std::string arguments, error;
  } refused[] = {
      {"render --preset 1 --rate 0x2000", "--rate takes a number from 8000 to 384000, not '0x2000'"},
      {"render --preset 1 --rate 8e3", "--rate takes a number from 8000 to 384000, not '8e3'"},
      {"render --preset 1 --note 0x10", "--note takes a whole number from 0 to 127, not '0x10'"},
      {"render --preset 1 --note ' 5'", "--note takes a whole number from 0 to 127, not ' 5'"},
      {"render --preset 1 --note '5 '", "--note takes a whole number from 0 to 127, not '5 '"},
      {"render --preset 1 --velocity +5", "--velocity takes a whole number from 1 to 127, not '+5'"},
      {"render --preset 1 --length inf", "--length takes a number from 0 to 600, not 'inf'"},
      {"render --preset 1 --tail ' 1'", "--tail takes a number from 0 to 600, not ' 1'"},
      {"render --preset 1 --block 0x100", "--block takes a whole number from 1 to 8192, not '0x100'"},
      {"render --preset 1 --bits ' 24'", "--bits takes 24 or 32, not ' 24'"},
      {"render --preset 1 --bits 24.0", "--bits takes 24 or 32, not '24.0'"},
  };
  for (const auto& c : refused) {
    const ToolRun run = tool(c.arguments + " -o " + out);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.err, "thudrokka render: " + c.error + "\n");
  }
  const ToolRun jobs = tool("render-bank " + dir.path("bank") + " --jobs +2");
  EXPECT_EQ(jobs.status, 2);
  EXPECT_EQ(jobs.err, "thudrokka render-bank: --jobs takes a whole number from 1 to 256, not '+2'\n");
  EXPECT_FALSE(std::filesystem::exists(out));

  const ToolRun taken = tool("render --preset 01 --rate 8000.9 --length .05 --tail 0. --note 060 --bits 032 -o " + out);
  ASSERT_EQ(taken.status, 0) << taken.err;
  const WaveFile wave = WaveFile::read(out);
  EXPECT_EQ(wave.rate, 8000);
  EXPECT_EQ(wave.bits, 32);
  EXPECT_EQ(wave.frames(), 400);
}

// A preset number the bank does not hold is a wrong argument, whichever way
// it is wrong, and the message names the slots there are.
TEST(ToolCommandLine, APresetTheBankDoesNotHoldIsOneUsageError) {
  const TempDirectory dir;
  const std::string out = dir.path("never.wav"), shot = dir.path("never.png"), program = dir.path("never.qvp");
  const std::string commands[] = {"render -o " + out, "editor --shot " + shot, "program save " + program};
  for (const std::string& command : commands) {
    for (const std::string value : {"-1", "128", "99999999999", "x", "' 5'", "0x5", ""}) {
      const ToolRun run = tool(command + " --preset " + (value.empty() ? "''" : value));
      EXPECT_EQ(run.status, 2) << command << " " << value;
      const std::string typed = value.size() > 2 && value[0] == '\'' ? value.substr(1, value.size() - 2) : value;
      EXPECT_EQ(run.err, "thudrokka " + command.substr(0, command.find(' ')) +
                             ": --preset takes a whole number from 0 to 127, not '" + typed + "'\n");
    }
  }
  EXPECT_TRUE(dir.entries().empty());
}

// The instrument tunes a semitone above its note names; the help says so
// before anyone takes it for a fault.
TEST(ToolCommandLine, TheNoteOptionGivesTheInstrumentsTuning) {
  for (const char* command : {"render", "render-bank"}) {
    const ToolRun run = tool(std::string(command) + " --help");
    EXPECT_NE(run.out.find("  --note K           MIDI note number, 0 to 127; note 69 sounds at 932.33 Hz, the "
                           "instrument's own tuning"),
              std::string::npos)
        << run.out;
  }
}

// Shots and dumps named without a folder of their own, on the command line
// or in the script, go to --folder, which is made when missing.
TEST(ToolCommandLine, TheEditorWritesIntoTheFolderItIsGiven) {
  const TempDirectory dir;
  const std::string script = dir.path("look.txt"), elsewhere = dir.path("elsewhere.png");
  std::ofstream(script) << "shot b.png\ndump b.txt\nshot " << elsewhere << "\n";
  const ToolRun run = shell("cd " + dir.path() + " && " + THUDROKKA_TOOL +
                            " editor --folder shots --shot a.png --dump a.txt --script " + script);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"elsewhere.png", "look.txt", "shots"}));
  EXPECT_EQ(testsupport::folderEntries(dir.path("shots")),
            (std::vector<std::string>{"a.png", "a.txt", "b.png", "b.txt"}));
  EXPECT_EQ(readFile(dir.path("shots/b.png")), readFile(elsewhere));

  const struct {
    std::string folder, error;
  } refused[] = {
      {script, "'" + script + "' is not a folder"},
      {script + "/inside", "cannot make folder '" + script + "/inside': Not a directory"},
  };
  for (const auto& c : refused) {
    const ToolRun failed = tool("editor --folder " + c.folder + " --shot never.png");
    EXPECT_EQ(failed.status, 1) << c.folder;
    EXPECT_EQ(failed.err, "thudrokka editor: " + c.error + "\n");
  }
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"elsewhere.png", "look.txt", "shots"}));
}

}  // namespace
