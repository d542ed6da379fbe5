#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/instrument/ToolRun.h"
#include "tests/instrument/WaveFileReader.h"
#include "tests/support/Fifo.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::Fifo;
using testsupport::readFile;
using testsupport::split;
using testsupport::TempDirectory;
using tooltest::shell;
using tooltest::tool;
using tooltest::ToolRun;

// The tool with every write past the first kilobyte of a file failing, as
// on a full disk, and with at most a minute to finish.
ToolRun toolOnAFullDisk(const std::string& arguments) {
  return shell("(trap '' XFSZ; ulimit -f 2; exec timeout 60 " + std::string(THUDROKKA_TOOL) + " " + arguments + ")");
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST(Tool, RendersAPresetNoteToAStereoFile) {
  const TempDirectory dir;
  const std::string file = dir.path("note.wav");
  const ToolRun run = tool("render --preset 3 --rate 22050 --length 0.2 --tail 0.1 --bits 32 --block 100 -o " + file);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const WaveFile wave = WaveFile::read(file);
  ASSERT_TRUE(wave.valid);
  EXPECT_EQ(wave.rate, 22050);
  EXPECT_EQ(wave.bits, 32);
  EXPECT_EQ(wave.frames(), 4410 + 2205);
  EXPECT_GT(*std::max_element(wave.left.begin(), wave.left.end()), 1e-3);

  if (shell("command -v sox").status != 0) GTEST_SKIP() << "sox is not installed";
  EXPECT_EQ(shell("sox --i -c " + file).out, "2\n");
  EXPECT_EQ(shell("sox --i -r " + file).out, "22050\n");
}

TEST(Tool, BadRequestsFailWithAMessage) {
  const TempDirectory dir;
  const std::string out = dir.path("never.wav"), shot = dir.path("never.png");
  const struct {
    std::string arguments;
    int status;
    const char* message;
  } cases[] = {
      {"", 2, ""},
      {"bogus", 2, "unknown command 'bogus'"},
      {"render", 2, "--preset or --program"},
      {"render --preset 1", 2, "-o"},
      {"render --preset 1 --program x.qvp -o " + out, 2, "either"},
      {"render --preset 1 --frob -o " + out, 2, "unknown option '--frob'"},
      {"render --preset 1 -o", 2, "needs a value"},
      {"render --preset 1 --note 200 -o " + out, 2, "--note takes a whole number from 0 to 127"},
      {"render --preset 1 --bits 16 -o " + out, 2, "--bits takes 24 or 32"},
      {"render --preset 1 --length -1 -o " + out, 2, "--length"},
      {"render --preset x -o " + out, 2, "--preset"},
      {"render --preset 999 -o " + out, 2, "--preset takes a whole number from 0 to 127, not '999'"},
      {"render --preset 1 -o /nonexistent/folder/x.wav", 1, "cannot write '/nonexistent/folder/x.wav'"},
      {"render --program /nonexistent/p.qvp -o " + out, 1, "cannot read program file '/nonexistent/p.qvp'"},
      {"render-bank", 2, "one output folder"},
      {"render-bank /proc/no/such/folder", 1, "cannot make folder"},
      {"render-bank " + out + "-dir --jobs 0", 2, "--jobs takes a whole number from 1 to 256"},
      {"presets extra", 2, "unexpected argument 'extra'"},
      {"program", 2, "'save FILE' or 'load FILE'"},
      {"program load " + out + " --preset 2", 2, "--preset goes with save"},
      {"program save /nonexistent/folder/p.qvp", 1, "cannot write"},
      {"program save " + out + " --preset 500", 2, "--preset takes a whole number from 0 to 127, not '500'"},
      {"program load /nonexistent/p.qvp", 1, "cannot read program file"},
      {"editor", 2, "give --shot, --dump or --script"},
      {"editor extra --shot " + shot, 2, "unexpected argument 'extra'"},
      {"editor --zoom 2 --shot " + shot, 2, "unknown option '--zoom'"},
      {"editor --preset 1 --program x.qvp --shot " + shot, 2, "give --preset or --program, not both"},
      {"editor --preset one --shot " + shot, 2, "--preset takes a whole number"},
      {"editor --preset 999 --shot " + shot, 2, "--preset takes a whole number from 0 to 127, not '999'"},
      {"editor --program /nonexistent/p.qvp --shot " + shot, 1, "cannot read program file '/nonexistent/p.qvp'"},
      {"editor --script /nonexistent/s.txt --shot " + shot, 1, "cannot read script '/nonexistent/s.txt'"},
      {"editor --shot /nonexistent/folder/x.png", 1, "cannot write '/nonexistent/folder/x.png'"},
      {"editor --dump /nonexistent/folder/x.txt", 1, "cannot write '/nonexistent/folder/x.txt'"},
  };
  for (const auto& c : cases) {
    const ToolRun run = tool(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_FALSE(std::filesystem::exists(shot));
}

TEST(Tool, EveryCommandHasHelp) {
  for (const char* command : {"render", "render-bank", "presets", "program", "editor"}) {
    const ToolRun run = tool(std::string(command) + " --help");
    EXPECT_EQ(run.status, 0) << command;
    EXPECT_EQ(run.out.find(std::string("usage: thudrokka ") + command), 0u) << command;
  }
  EXPECT_NE(tool("render --help").out.find("--note K           MIDI note number, 0 to 127; "), std::string::npos);
  const ToolRun overview = tool("--help");
  EXPECT_EQ(overview.status, 0);
  EXPECT_NE(overview.out.find("render-bank"), std::string::npos);
}

TEST(Tool, ListsPresetsWithTheirValues) {
  const std::vector<std::string> lines = split(tool("presets").out, '\n');
  ASSERT_EQ(lines.size(), 128u);
  EXPECT_EQ(split(lines[0], '\t')[0], "0");
  EXPECT_EQ(split(lines[127], '\t')[0], "127");

  const ToolRun dump = tool("presets --dump");
  ASSERT_EQ(dump.status, 0);
  const std::vector<std::string> dumped = split(dump.out, '\n');
  ASSERT_EQ(dumped.size(), 128u);
  for (const std::string& line : dumped) {
    const std::vector<std::string> fields = split(line, '\t');
    ASSERT_EQ(fields.size(), 3u) << line;
    const std::vector<std::string> values = split(fields[2], ' ');
    ASSERT_EQ(values.size(), 105u) << line;
    for (const std::string& v : values) ASSERT_EQ(v.size(), 6u) << v;  // "%1.4f" of 0..1
  }
}

TEST(Tool, ProgramFilesRoundTrip) {
  const TempDirectory dir;
  const std::string file = dir.path("preset.qvp");
  ASSERT_EQ(tool("program save " + file + " --preset 5").status, 0);
  const ToolRun load = tool("program load " + file);
  ASSERT_EQ(load.status, 0) << load.err;
  const std::vector<std::string> loaded = split(split(load.out, '\n')[0], '\t');
  const std::vector<std::string> preset = split(split(tool("presets --dump").out, '\n')[5], '\t');
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0], preset[1]);
  EXPECT_EQ(loaded[1], preset[2]);

  const std::string wave = dir.path("program.wav");
  const ToolRun render = tool("render --program " + file + " --rate 8000 --length 0.1 --tail 0 -o " + wave);
  EXPECT_EQ(render.status, 0) << render.err;
  EXPECT_EQ(WaveFile::read(wave).frames(), 800);
}

TEST(Tool, RendersTheWholeBankIntoNumberedFiles) {
  const TempDirectory dir;
  const std::string folder = dir.path("bank");
  // Floats, which no preset clips: nothing else could reach stderr.
  const ToolRun run = tool("render-bank " + folder + " --rate 8000 --length 0.02 --tail 0.01 --bits 32");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");  // no progress bar off a terminal
  const std::vector<std::string> files = split(shell("ls " + folder).out, '\n');
  ASSERT_EQ(files.size(), 128u);
  EXPECT_EQ(files[0].substr(0, 4), "000-");
  EXPECT_EQ(files[127].substr(0, 4), "127-");
  const WaveFile wave = WaveFile::read(folder + "/" + files[42]);
  EXPECT_TRUE(wave.valid);
  EXPECT_EQ(wave.rate, 8000);
  EXPECT_EQ(wave.frames(), 240);

  // Presets rendered side by side give the files of one after another.
  const std::string serial = dir.path("serial");
  const ToolRun one = tool("render-bank " + serial + " --jobs 1 --rate 8000 --length 0.02 --tail 0.01");
  ASSERT_EQ(one.status, 0) << one.err;
  const ToolRun three = tool("render-bank " + folder + " --jobs 3 --rate 8000 --length 0.02 --tail 0.01");
  ASSERT_EQ(three.status, 0) << three.err;
  for (const std::string& name : files) {
    ASSERT_EQ(readFile(serial + "/" + name), readFile(folder + "/" + name)) << name;
  }

  // A file that cannot be written ends the run with the serial run's message.
  const std::string blocked = dir.path("blocked");
  std::filesystem::create_directories(blocked + "/" + files[5]);
  const ToolRun failed = tool("render-bank " + blocked + " --jobs 3 --rate 8000 --length 0.02 --tail 0.01");
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("cannot write '" + blocked + "/" + files[5] + "'"), std::string::npos) << failed.err;
}

// The note's release falls inside a slice of 7, 512 and 4096 frames, and
// each preset's filter glides from the unit's defaults at its start: every
// file is the one slices of one frame give, byte for byte.
TEST(Tool, TheBankIsTheSameWhateverTheSliceSize) {
  const TempDirectory dir;
  const std::string note = " --rate 8000 --length 0.3 --tail 0.02";
  const char* blocks[] = {"1", "7", "512", "4096"};
  for (const char* block : blocks) {
    const ToolRun run = tool("render-bank " + dir.path(block) + note + " --block " + block);
    ASSERT_EQ(run.status, 0) << run.err;
  }
  const std::vector<std::string> files = split(shell("ls " + dir.path("1")).out, '\n');
  ASSERT_EQ(files.size(), 128u);
  for (const std::string& name : files) {
    const std::string reference = readFile(dir.path("1") + "/" + name);
    for (const char* block : blocks) {
      EXPECT_TRUE(readFile(dir.path(block) + "/" + name) == reference) << name << ", slices of " << block;
    }
  }
}

// Samples at full scale in a 24-bit file: what the writer clipped, unless a
// sample was exactly full scale.
int fullScaleSamples(const WaveFile& wave) {
  int n = 0;
  for (const auto* raw : {&wave.rawLeft, &wave.rawRight}) {
    n += static_cast<int>(
        std::count_if(raw->begin(), raw->end(), [](int32_t v) { return v >= 8388607 || v <= -8388608; }));
  }
  return n;
}

TEST(Tool, SaysWhenIntegerSamplesClipAtFullScale) {
  const TempDirectory dir;
  const std::string note = " --rate 8000 --length 0.3 --tail 0.1";
  const std::string loud = dir.path("loud.wav");
  const ToolRun clipped = tool("render --preset 54" + note + " -o " + loud);
  ASSERT_EQ(clipped.status, 0) << clipped.err;
  const int count = fullScaleSamples(WaveFile::read(loud));
  ASSERT_GT(count, 0);
  EXPECT_EQ(clipped.err, "thudrokka render: '" + loud + "' holds " + std::to_string(count) +
                             " samples clipped at full scale; --bits 32 keeps them\n");

  for (const std::string quiet : {"render --preset 54 --bits 32", "render --preset 1"}) {
    const ToolRun run = tool(quiet + note + " -o " + dir.path("quiet.wav"));
    EXPECT_EQ(run.status, 0) << quiet << ": " << run.err;
    EXPECT_EQ(run.err, "") << quiet;
  }

  const std::string bank = dir.path("bank");
  const ToolRun all = tool("render-bank " + bank + note);
  ASSERT_EQ(all.status, 0) << all.err;
  int files = 0, most = 0;
  std::string worst;
  for (const std::string& name : split(shell("ls " + bank).out, '\n')) {
    const int n = fullScaleSamples(WaveFile::read(bank + "/" + name));
    files += n > 0;
    if (n > most) {
      most = n;
      worst = name;
    }
  }
  ASSERT_GT(files, 1);
  EXPECT_EQ(all.err, "thudrokka render-bank: " + std::to_string(files) +
                         " of 128 files hold samples clipped at full scale, most of all '" + worst + "' (" +
                         std::to_string(most) + " samples); --bits 32 keeps them\n");
  const ToolRun floats = tool("render-bank " + dir.path("floats") + note + " --bits 32");
  EXPECT_EQ(floats.status, 0);
  EXPECT_EQ(floats.err, "");
}

TEST(Tool, AFullDiskKeepsTheFilesThatWereThere) {
  const TempDirectory dir;
  const std::string wave = dir.path("note.wav"), program = dir.path("kick.qvp"), source = dir.path("bank.cpp");
  const std::string shot = dir.path("editor.png");
  ASSERT_EQ(tool("render --preset 3 --rate 8000 --length 0.1 --tail 0 -o " + wave).status, 0);
  ASSERT_EQ(tool("program save " + program + " --preset 3").status, 0);
  ASSERT_EQ(tool("generate-presets " + source).status, 0);
  ASSERT_EQ(tool("editor --shot " + shot + " --preset 3").status, 0);
  const struct {
    std::string arguments, file;
  } cases[] = {
      {"render --preset 5 --rate 8000 --length 0.5 -o " + wave, wave},
      {"program save " + program + " --preset 5", program},
      {"generate-presets " + source, source},
      {"editor --preset 5 --shot " + shot, shot},
  };
  for (const auto& c : cases) {
    const std::string before = readFile(c.file);
    const ToolRun run = toolOnAFullDisk(c.arguments);
    EXPECT_EQ(run.status, 1) << c.arguments;
    const std::string command = c.arguments.substr(0, c.arguments.find(' '));
    EXPECT_EQ(run.err, "thudrokka " + command + ": cannot write '" + c.file + "': File too large\n");
    EXPECT_EQ(readFile(c.file), before) << c.arguments;
  }
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"bank.cpp", "editor.png", "kick.qvp", "note.wav"}));

  const std::string folder = dir.path("bank");
  const ToolRun bank = toolOnAFullDisk("render-bank " + folder + " --rate 8000 --length 0.5");
  EXPECT_EQ(bank.status, 1);
  EXPECT_NE(bank.err.find("/000-_BASIC_BASSDRUMS_.wav': File too large"), std::string::npos) << bank.err;
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST(Tool, ProgramFilesLoadAsMeantOrNotAtAll) {
  const TempDirectory dir;
  const std::string saved = dir.path("saved.qvp");
  ASSERT_EQ(tool("program save " + saved + " --preset 5").status, 0);
  const std::string text = readFile(saved);
  const std::string listing = tool("program load " + saved).out;
  const std::string values = listing.substr(listing.find('\t'));
  ASSERT_EQ(values.size(), 1 + 105 * 7u);

  std::string longName = text, crOnly = text, crlf;
  longName.replace(0, text.find(';'), "Name = " + std::string(1030, 'x'));
  std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const struct {
    const char* file;
    std::string text, listing;
  } readable[] = {
      {"long.qvp", longName, std::string(32, 'x') + values},
      {"cr.qvp", crOnly, listing},
      {"crlf.qvp", crlf, listing},
  };
  for (const auto& c : readable) {
    writeText(dir.path(c.file), c.text);
    const ToolRun run = tool(std::string("program load ") + dir.path(c.file));
    EXPECT_EQ(run.status, 0) << c.file << ": " << run.err;
    EXPECT_EQ(run.out, c.listing) << c.file;
  }

  const std::string out = dir.path("never.wav"), shot = dir.path("never.png");
  const std::string zeros = dir.path("zeros.qvp"), noise = dir.path("noise.qvp");
  writeText(zeros, std::string(70000, '\0'));
  std::string bytes;
  std::mt19937 random(26);
  for (int i = 0; i < 70000; ++i) bytes += static_cast<char>(random());
  writeText(noise, bytes);
  // Nothing writes the pipe, so a reader that waits for a writer never ends.
  const Fifo fifo(dir.path("pipe.qvp"));
  ASSERT_TRUE(fifo.made());
  const std::string pipe = fifo.path();
  const struct {
    std::string arguments, error;
  } refused[] = {
      {"program load " + zeros,
       "thudrokka program: cannot read program file '" + zeros + "': line 1 is longer than 65536 characters\n"},
      {"render --program " + noise + " -o " + out,
       "thudrokka render: cannot read program file '" + noise + "': none of its lines is a program setting\n"},
      {"program load " + pipe, "thudrokka program: cannot read program file '" + pipe + "': nothing writes the pipe\n"},
      {"render --program " + pipe + " -o " + out,
       "thudrokka render: cannot read program file '" + pipe + "': nothing writes the pipe\n"},
      {"editor --program " + pipe + " --shot " + shot,
       "thudrokka editor: cannot read program file '" + pipe + "': nothing writes the pipe\n"},
      {"editor --script " + pipe + " --shot " + shot,
       "thudrokka editor: cannot read script '" + pipe + "': nothing writes the pipe\n"},
      {"program load /dev/zero",
       "thudrokka program: cannot read program file '/dev/zero': not a file or a pipe\n"},
      {"program load " + dir.path(),
       "thudrokka program: cannot read program file '" + dir.path() + "': Is a directory\n"},
  };
  for (const auto& c : refused) {
    const ToolRun run = shell("timeout 20 " + std::string(THUDROKKA_TOOL) + " " + c.arguments);
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_EQ(run.err, c.error);
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_FALSE(std::filesystem::exists(shot));
}

// A load reads every line as its place asks and says which lines were not
// what that place wants; the program still loads.
TEST(Tool, ProgramLoadNamesTheLinesThatAreNotWhatTheirPlaceAsksFor) {
  const TempDirectory dir;
  const std::string file = dir.path("kick.qvp");
  ASSERT_EQ(tool("program save " + file + " --preset 5").status, 0);
  const std::vector<std::string> written = split(readFile(file));
  ASSERT_EQ(written.size(), 106u);
  const auto withLines = [&](const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    writeText(file, text);
  };
  const auto said = [&](int line, const std::string& message) {
    return "thudrokka program: " + file + ":" + std::to_string(line) + ": " + message + "\n";
  };
  const auto changed = [&](int line, const std::string& text) {
    std::vector<std::string> rows = written;
    rows[line - 1] = text;
    return rows;
  };

  // OscSat1's line (the sixth) deleted: every later line is one place off,
  // which the first of them says.
  std::vector<std::string> rows = written;
  rows.erase(rows.begin() + 5);
  withLines(rows);
  ToolRun run = tool("program load " + file);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.substr(0, run.out.find('\t')), written[0].substr(7, written[0].size() - 8));
  EXPECT_EQ(run.err, said(6, "should hold OscSat1, not '" + written[6] +
                                 "'; the 99 lines after it are shifted alike, as if 1 line were missing above it") +
                         said(106, "the file ends before Volume"));
  // A line added after the third: the line after it and the 99 after that.
  rows = written;
  rows.insert(rows.begin() + 3, "OscFreq1 = 0.5;");
  withLines(rows);
  EXPECT_EQ(tool("program load " + file).err,
            said(5, "should hold OscVolume1, not '" + written[3] +
                        "'; the 101 lines after it are shifted alike, as if 1 line had been added above it") +
                said(107, "Volume was the last setting: this line is not read"));
  // The file twice, or a line past the end: said once, from that line.
  rows = written;
  rows.insert(rows.end(), written.begin(), written.end());
  withLines(rows);
  EXPECT_EQ(tool("program load " + file).err,
            said(107, "Volume was the last setting: this line and the 105 lines after it are not read"));

  const struct {
    std::vector<std::string> rows;
    std::string err;
  } cases[] = {
      {written, ""},
      {changed(106, "Volume = abc;"), said(106, "Volume takes a number from 0 to 1, not 'abc': 0 is used")},
      // Each value as what becomes of it: the nearest end of the range, or
      // left out when it is no finite number.
      {changed(4, "OscFreq1 = 7;"), said(4, "OscFreq1 takes a number from 0 to 1, not '7': 1 is used")},
      {changed(4, "OscFreq1 = -1;"), said(4, "OscFreq1 takes a number from 0 to 1, not '-1': 0 is used")},
      {changed(4, "OscFreq1 = inf;"), said(4, "OscFreq1 takes a number from 0 to 1, not 'inf': the line is left out")},
      {changed(4, "OscFreq1 = 1e309;"),
       said(4, "OscFreq1 takes a number from 0 to 1, not '1e309': the line is left out")},
      {changed(4, "OscFreq1 = nan;"), said(4, "OscFreq1 takes a number from 0 to 1, not 'nan': the line is left out")},
      {changed(1, "Name = " + std::string(40, 'k') + ";"),
       said(1, "the name is longer than 32 bytes and is cut to '" + std::string(32, 'k') + "'")},
      {[&] {
         std::vector<std::string> rows = written;
         rows.push_back("Junk = 1;");
         return rows;
       }(),
       said(107, "Volume was the last setting: this line is not read")},
      {changed(3, "OscWaveform1 = Sinus;"), said(3, "OscWaveform1 has no choice named 'Sinus'")},
      {changed(80, "DistortionType = Fuzz;"), said(80, "DistortionType has no choice named 'Fuzz'")},
      {changed(91, "FilterMode1 = rbj-lp;"), said(91, "FilterMode1 has no choice named 'rbj-lp'")},
      {changed(1, "Title = Deep Kick;"), said(1, "should hold Name, not 'Title = Deep Kick;'")},
      {changed(85, ""), said(85, "should hold Gate, not an empty line")},
      {changed(4, "OscFreq1=1;"), said(4, "no value for OscFreq1 in 'OscFreq1=1;'")},
      // What follows a NUL byte is not read.
      {changed(47, std::string("EnvAttack = 0.25\0;", 18)),
       said(47, "the line holds a NUL byte after 'EnvAttack = 0.25': the line is left out")},
      {changed(47, std::string("EnvAttack = 0.25;\0junk", 22)),
       said(47, "the line holds a NUL byte after 'EnvAttack = 0.25;': what follows it is not read")},
      {changed(47, std::string("\0EnvAttack = 0.25;", 18)),
       said(47, "the line starts with a NUL byte: the line is left out")},
      // The file's own text is printed safely, and only so much of it.
      {changed(106, "Volume = \x1b[2J\x9b;"), said(106, "Volume takes a number from 0 to 1, not '?[2J?': 0 is used")},
      {changed(106, "Volume = " + std::string(200, 'x') + ";"),
       said(106, "Volume takes a number from 0 to 1, not '" + std::string(60, 'x') + "...': 0 is used")},
      {{written.begin(), written.begin() + 51},
       said(52, "the file ends before FilterAttack and the 54 settings after it")},
      {{written.begin(), written.begin() + 104},
       said(105, "the file ends before DryWet and the setting after it")},
  };
  for (const auto& c : cases) {
    withLines(c.rows);
    run = tool("program load " + file);
    EXPECT_EQ(run.status, 0) << c.err;
    EXPECT_EQ(run.err, c.err);
  }
}

// A program file that stops after its third line, as every command that
// reads one says.
TEST(Tool, EveryCommandThatReadsAProgramNamesItsOddLines) {
  const TempDirectory dir;
  const std::string file = dir.path("short.qvp");
  ASSERT_EQ(tool("program save " + file + " --preset 5").status, 0);
  const std::vector<std::string> written = split(readFile(file));
  writeText(file, written[0] + "\n" + written[1] + "\n" + written[2] + "\n");
  const std::string warning = file + ":4: the file ends before OscFreq1 and the 102 settings after it\n";
  const struct {
    const char* command;
    std::string arguments;
  } cases[] = {
      {"program", "program load " + file},
      {"render", "render --rate 8000 --length 0.01 --tail 0 -o " + dir.path("short.wav") + " --program " + file},
      {"editor", "editor --dump " + dir.path("short.txt") + " --program " + file},
  };
  for (const auto& c : cases) {
    const ToolRun run = tool(c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments;
    EXPECT_EQ(run.err, std::string("thudrokka ") + c.command + ": " + warning);
  }
}

// '-', a descriptor's name, a pipe or a process substitution: the program
// and the script are read whole, and the warnings name what was typed.
TEST(Tool, ProgramsAndScriptsComeThroughPipesAndStandardInput) {
  const TempDirectory dir;
  const std::string file = dir.path("kick.qvp");
  ASSERT_EQ(tool("program save " + file + " --preset 7").status, 0);
  const std::string listing = tool("program load " + file).out;
  ASSERT_FALSE(listing.empty());
  const std::string host = THUDROKKA_TOOL;
  const struct {
    std::string command;
  } loads[] = {
      {host + " program load - < " + file},
      {"cat " + file + " | " + host + " program load -"},
      {"cat " + file + " | " + host + " program load /dev/stdin"},
      {"bash -c '" + host + " program load <(cat " + file + ")'"},
      {host + " program save - --preset 7 | " + host + " program load -"},
  };
  for (const auto& c : loads) {
    const ToolRun run = shell(c.command);
    EXPECT_EQ(run.status, 0) << c.command << ": " << run.err;
    EXPECT_EQ(run.err, "") << c.command;
    EXPECT_EQ(run.out, listing) << c.command;
  }

  // What the instrument plays is what the file gives, however it came.
  const std::string byName = dir.path("by-name.wav"), piped = dir.path("piped.wav");
  const std::string note = " --rate 8000 --length 0.05 --tail 0 -o ";
  ASSERT_EQ(tool("render --program " + file + note + byName).status, 0);
  const ToolRun render = shell("cat " + file + " | " + host + " render --program -" + note + piped);
  ASSERT_EQ(render.status, 0) << render.err;
  EXPECT_EQ(readFile(piped), readFile(byName));

  const std::string script = "tick\ndump " + dir.path("scripted.txt") + "\n";
  const ToolRun scripted = shell("printf '" + script + "' | " + host + " editor --script - --preset 7");
  ASSERT_EQ(scripted.status, 0) << scripted.err;
  EXPECT_FALSE(readFile(dir.path("scripted.txt")).empty());

  const std::vector<std::string> written = split(readFile(file));
  const std::string cut = "printf '" + written[0] + "\\n" + written[1] + "\\n' | ";
  const struct {
    std::string command, err;
  } named[] = {
      {cut + host + " program load -",
       "thudrokka program: standard input:3: the file ends before OscWaveform1 and the 103 settings after it\n"},
      {cut + host + " editor --dump " + dir.path("d.txt") + " --program /dev/stdin",
       "thudrokka editor: standard input:3: the file ends before OscWaveform1 and the 103 settings after it\n"},
      {"printf 'frob\\n' | " + host + " editor --script -",
       "thudrokka editor: standard input:1: unknown action 'frob'\n"},
      {host + " program load - < /dev/null",
       "thudrokka program: cannot read program file from standard input: none of its lines is a program setting\n"},
      {host + " editor --script - --program - --dump x.txt",
       "thudrokka editor: standard input can be --program or --script, not both\n"},
  };
  for (const auto& c : named) {
    const ToolRun run = shell(c.command);
    EXPECT_EQ(run.err, c.err) << c.command;
  }
}

// A program from a pipe is read from memory, where it was read whole: no
// copy of it is opened by a name under /proc, which a system may not have.
TEST(Tool, AProgramFromAPipeIsReadWithoutProc) {
  const std::string hideProc = "unshare -r -m sh -c 'mount -t tmpfs none /proc && exec \"$0\" \"$@\"' ";
  if (shell(hideProc + "true").status != 0) GTEST_SKIP() << "no mount namespace to hide /proc in";
  // A sanitizer's runtime reads /proc for itself.
  if (shell(hideProc + THUDROKKA_TOOL + " --help").status != 0) GTEST_SKIP() << "this build of the tool needs /proc";
  const TempDirectory dir;
  const std::string file = dir.path("kick.qvp");
  ASSERT_EQ(tool("program save " + file + " --preset 7").status, 0);
  const std::string listing = tool("program load " + file).out;
  const ToolRun piped = shell("cat " + file + " | " + hideProc + THUDROKKA_TOOL + " program load -");
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.err, "");
  EXPECT_EQ(piped.out, listing);
}

// A pipe is held to the limit of any file.
TEST(Tool, AnInputPastTheSizeLimitIsRefused) {
  const TempDirectory dir;
  const std::string big = dir.path("big.qvp"), fits = dir.path("fits.txt");
  const std::string limit = "16777216";
  writeText(big, "");
  std::filesystem::resize_file(big, 16777217);
  writeText(fits, "tick\n");
  std::filesystem::resize_file(fits, 16777216);
  const std::string host = THUDROKKA_TOOL;
  const std::string refusal = "cannot read program file from standard input: it holds more than " + limit + " bytes\n";
  const struct {
    std::string command, err;
  } cases[] = {
      {"head -c 16777217 /dev/zero | " + host + " program load -", "thudrokka program: " + refusal},
      {host + " program load - < " + big, "thudrokka program: " + refusal},
      {host + " program load " + big,
       "thudrokka program: cannot read program file '" + big + "': it holds more than " + limit + " bytes\n"},
      {"cat " + big + " | " + host + " editor --script - --dump x.txt",
       "thudrokka editor: cannot read script from standard input: it holds more than " + limit + " bytes\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = shell(c.command);
    EXPECT_EQ(run.status, 1) << c.command;
    EXPECT_EQ(run.err, c.err) << c.command;
  }
  // Up to the limit it reads: NUL bytes make the rest of the script's first
  // line too long, not the input.
  const ToolRun atLimit = tool("editor --script " + fits + " --dump " + dir.path("d.txt"));
  EXPECT_EQ(atLimit.err, "thudrokka editor: " + fits + ":2: the line is longer than 4096 characters\n");
}

TEST(Tool, PrintedNamesCarryNoControlCharacters) {
  const TempDirectory dir;
  const std::string file = dir.path("named.qvp");
  const struct {
    const char* name;
    const char* printed;
  } cases[] = {
      {"\x1b[31mRed\x1b[0m \x1b]2 title\x07", "?[31mRed?[0m ?]2 title?"},
      {"Tab\there \x7f", "Tab?here ?"},
      {"Kick \xc3\xbc \xe2\x82\xac", "Kick \xc3\xbc \xe2\x82\xac"},
      // A name that is not UTF-8 is read as Latin-1, C1 controls included.
      {"C1 \xc2\x9b" "2J raw \x9b" "2J \xff", "C1 ?2J raw ?2J \xc3\xbf"},
      {"Caf\xe9 Kick", "Caf\xc3\xa9 Kick"},
  };
  for (const auto& c : cases) {
    writeText(file, std::string("Name = ") + c.name + ";\n");
    const ToolRun run = tool("program load " + file);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\t')), c.printed);
  }
}

// The editor's screen after it drew itself, and again from a script; the
// controls one line each. Nothing changes while the script only waits.
TEST(Tool, TheEditorWritesItsScreenAndItsControls) {
  const TempDirectory dir;
  const std::string script = dir.path("look.txt");
  writeText(script, "# look again\nshot " + dir.path("b.png") + "\ntick 3\nshot " + dir.path("c.png") +
                        "\ndump " + dir.path("b.txt") + "\n");
  const ToolRun run = tool("editor --shot " + dir.path("a.png") + " --dump " + dir.path("a.txt") + " --script " + script);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");

  const std::string png = readFile(dir.path("a.png"));
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // The header's width and height, big-endian.
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x04\0\0\0\x02\xF8", 8));
  EXPECT_EQ(readFile(dir.path("b.png")), png);
  EXPECT_EQ(readFile(dir.path("c.png")), png);

  const std::string dump = readFile(dir.path("a.txt"));
  EXPECT_EQ(readFile(dir.path("b.txt")), dump);
  const std::vector<std::string> lines = split(dump, '\n');
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "0\tIBitmapControl\t0 0 1024 760\t-1\t0.000000\t\tnone\tshown");
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::vector<std::string> fields = split(lines[i], '\t');
    ASSERT_EQ(fields.size(), 8u) << lines[i];
    EXPECT_EQ(fields[0], std::to_string(i));
    EXPECT_EQ(split(fields[2], ' ').size(), 4u) << lines[i];
    EXPECT_TRUE(fields[6] == "synth" || fields[6] == "about" || fields[6] == "none") << lines[i];
    EXPECT_TRUE(fields[7] == "shown" || fields[7] == "hidden") << lines[i];
  }
}

// The editor's LOAD button, clicked by a script: what the load could not
// read, or why it failed, goes to standard error naming the file, as for
// --program; a failed load leaves the editor as it was.
TEST(Tool, TheEditorsLoadButtonSaysWhatWentWrong) {
  const TempDirectory dir;
  const std::string lost = dir.path("lost.qvp"), noise = dir.path("noise.qvp"), missing = dir.path("missing.qvp");
  ASSERT_EQ(tool("program save " + lost + " --preset 5").status, 0);
  std::vector<std::string> rows = split(readFile(lost));
  ASSERT_EQ(rows.size(), 106u);
  rows.erase(rows.begin() + 5);
  std::string text;
  for (const std::string& row : rows) text += row + "\n";
  writeText(lost, text);
  std::string bytes;
  std::mt19937 random(26);
  for (int i = 0; i < 70000; ++i) bytes += static_cast<char>(random());
  writeText(noise, bytes);
  const struct {
    std::string file, err;
    bool loads;
  } cases[] = {
      {missing, "cannot read program file '" + missing + "': No such file or directory\n", false},
      {noise, "cannot read program file '" + noise + "': none of its lines is a program setting\n", false},
      {lost,
       lost + ":6: should hold OscSat1, not '" + rows[5] +
           "'; the 99 lines after it are shifted alike, as if 1 line were missing above it\nthudrokka editor: " +
           lost + ":106: the file ends before Volume\n",
       true},
  };
  // The controls but the file buttons, whose own value counts their clicks.
  const auto controls = [&](const std::string& dump) {
    std::string kept;
    for (const std::string& line : split(readFile(dir.path("out/" + dump)))) {
      if (line.find("\tIQvFileSelector\t") == std::string::npos) kept += line + "\n";
    }
    return kept;
  };
  const std::string script = dir.path("load.txt");
  for (const auto& c : cases) {
    writeText(script, "dump before.txt\nfile " + c.file + "\ndown 710 490\nup 710 490\ntick\ndump after.txt\n");
    const ToolRun run = tool("editor --preset 7 --folder " + dir.path("out") + " --script " + script);
    EXPECT_EQ(run.status, 0) << c.file;
    EXPECT_EQ(run.err, "thudrokka editor: " + c.err) << c.file;
    EXPECT_EQ(controls("after.txt") == controls("before.txt"), !c.loads) << c.file;
  }
}

// The editor's SAVE button, clicked by a script: a save that fails goes to
// standard error naming the file and the cause, as the editor's message box
// says it, and whatever the name held stays as it was. /sys takes no new
// file even from root; standard input here is open for reading only.
TEST(Tool, TheEditorsSaveButtonSaysWhenItFails) {
  const TempDirectory dir;
  const std::string kept = dir.path("kept.qvp"), fresh = dir.path("fresh.qvp"), missing = dir.path("no/p.qvp");
  writeText(kept, "an older program\n");
  const std::string script = dir.path("save.txt");
  const struct {
    std::string file, err;
    bool fullDisk;
  } cases[] = {
      {missing, "cannot write '" + missing + "': No such file or directory", false},
      {"/sys/p.qvp", "cannot write '/sys/p.qvp': Permission denied", false},
      {"/dev/stdin", "cannot write to standard input: Bad file descriptor", false},
      {"/dev/full", "cannot write '/dev/full': No space left on device", false},
      {fresh, "cannot write '" + fresh + "': File too large", true},
      {kept, "cannot write '" + kept + "': File too large", true},
  };
  for (const auto& c : cases) {
    writeText(script, "file " + c.file + "\ndown 760 490\nup 760 490\n");
    const std::string arguments = "editor --preset 7 --script " + script + " < /dev/null";
    const ToolRun run = c.fullDisk ? toolOnAFullDisk(arguments) : tool(arguments);
    EXPECT_EQ(run.status, 0) << c.file;
    EXPECT_EQ(run.err, "thudrokka editor: " + c.err + "\n") << c.file;
  }
  EXPECT_EQ(readFile(kept), "an older program\n");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"kept.qvp", "save.txt"}));
}

const std::string kReadmeHost = "build/release/tools/thudrokka/thudrokka";

// The first code span of the README that starts by running the host with
// these arguments, its line breaks as spaces.
std::string readmeCommand(const std::string& arguments) {
  const std::string readme = readFile(std::string(THUDROKKA_SOURCE_DIR) + "/README.md");
  const std::string start = kReadmeHost + " " + arguments;
  std::string command;
  const std::string span = "`" + kReadmeHost;
  for (size_t at = readme.find(span); at != std::string::npos; at = readme.find(span, at + 1)) {
    command.clear();
    for (size_t i = at + 1; i < readme.size() && readme[i] != '`'; ++i) {
      const bool blank = readme[i] == ' ' || readme[i] == '\n';
      if (!blank || command.back() != ' ') command += blank ? ' ' : readme[i];
    }
    if (command.find(start) == 0) return command;
  }
  return "";
}

// A checkout whose main job has built the host: the host where the README
// runs it, and the examples beside it.
struct ReadmeCheckout {
  ReadmeCheckout() {
    std::filesystem::create_directories(dir.path("build/release/tools/thudrokka"));
    std::filesystem::create_symlink(THUDROKKA_TOOL, dir.path(kReadmeHost));
    std::filesystem::create_directory_symlink(std::string(THUDROKKA_SOURCE_DIR) + "/tools", dir.path("tools"));
  }
  ToolRun run(const std::string& command) const { return shell("cd " + dir.path() + " && " + command); }
  TempDirectory dir;
};

// The README's editor command, as the README gives it, run at the top of a
// checkout; it writes into the folder it names and nowhere else.
TEST(Tool, TheReadmesEditorExampleTurnsAKnob) {
  const std::string command = readmeCommand("editor ");
  ASSERT_FALSE(command.empty());
  const std::vector<std::string> words = split(command, ' ');
  const auto folderOption = std::find(words.begin(), words.end(), "--folder");
  ASSERT_TRUE(folderOption != words.end() && folderOption + 1 != words.end()) << command;
  const std::string folder = *(folderOption + 1);
  const std::string readme = readFile(std::string(THUDROKKA_SOURCE_DIR) + "/README.md");
  EXPECT_NE(readme.find("in `" + folder + "`"), std::string::npos) << "the README says where the files go";

  const ReadmeCheckout checkout;
  const ToolRun run = checkout.run(command);
  ASSERT_EQ(run.status, 0) << command << ": " << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(checkout.dir.entries(), (std::vector<std::string>{"build", "tools"}));
  EXPECT_EQ(testsupport::folderEntries(checkout.dir.path(folder)),
            (std::vector<std::string>{"controls.txt", "editor.png", "turned.png", "turned.txt"}));
  // Oscillator 1's volume knob, before and after.
  const auto knob = [](const std::string& dump) {
    for (const std::string& line : split(dump, '\n')) {
      if (line.find("IKnobMultiControl\t433 146 463 176\t3\t") != std::string::npos) return line;
    }
    return std::string();
  };
  const std::string before = knob(readFile(checkout.dir.path(folder + "/controls.txt")));
  ASSERT_FALSE(before.empty());
  EXPECT_NE(knob(readFile(checkout.dir.path(folder + "/turned.txt"))), before);
}

// The README's pipe: a program saved to standard output, read from
// standard input, renders the preset it came from.
TEST(Tool, TheReadmesPipeRendersAPresetByItsProgram) {
  const std::string command = readmeCommand("program save - ");
  ASSERT_NE(command.find(" | " + kReadmeHost + " render --program - -o "), std::string::npos) << command;
  const std::string wave = command.substr(command.rfind(' ') + 1);
  const ReadmeCheckout checkout;
  const ToolRun run = checkout.run(command);
  ASSERT_EQ(run.status, 0) << command << ": " << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(WaveFile::read(checkout.dir.path(wave)).valid);
}

TEST(Tool, TheEditorRefusesToOpenWithoutItsImages) {
  const TempDirectory dir;
  const ToolRun run = shell("THUDROKKA_RESOURCES=" + dir.path() + " " + THUDROKKA_TOOL + " editor --shot " +
                            dir.path("black.png"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "thudrokka editor: the editor's images are missing (no Thudrokka_GUI_background_Free.png in " +
                         dir.path() + "); make them with '" + THUDROKKA_IMAGE_GENERATOR + " --output " + dir.path() +
                         "'\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path("black.png")));
}

TEST(Tool, TheEditorsScriptErrorsNameTheirLine) {
  const TempDirectory dir;
  const std::string script = dir.path("s.txt"), shot = dir.path("never.png");
  const struct {
    std::string text, error;
    int status;
  } cases[] = {
      {"tick\nfrobnicate 3\n", ":2: unknown action 'frobnicate'", 1},
      {"\n\ndown 10\n", ":3: down takes X Y and then any of L or R, S, C and A", 1},
      {"tick\npreset 128\n", ":2: no preset 128 (the slots are 0 to 127)", 1},
      {"menu 3\ntext hello\ntick\n", ": 2 answers were never asked for", 0},
  };
  for (const auto& c : cases) {
    writeText(script, c.text);
    const ToolRun run = tool("editor --script " + script + " --dump " + dir.path("d.txt"));
    EXPECT_EQ(run.status, c.status) << c.text;
    EXPECT_EQ(run.err, "thudrokka editor: " + script + c.error + "\n");
  }
  // A script that cannot be read stops the command before it writes anything.
  writeText(script, "tick\nfrobnicate\n");
  EXPECT_EQ(tool("editor --script " + script + " --shot " + shot).status, 1);
  EXPECT_FALSE(std::filesystem::exists(shot));
}

// Oscillator 1's volume knob (30 pixels at 433, 146, parameter 3) and its
// decibel read-out below it, turned by a script: a knob moves by the drag
// over its height and the gearing 4, ten times finer with Shift.
TEST(Tool, TheEditorsScriptTurnsOscillatorOnesVolumeKnob) {
  const TempDirectory dir;
  const std::string script = dir.path("turn.txt"), plain = dir.path("plain.txt"), fine = dir.path("fine.txt");
  writeText(script, "param 3 1\n"
                    "down 448 161\ndrag 448 171\ndrag 449 181\nup 449 181\ntick\n"
                    "dump " + plain + "\n"
                    "down 448 161 S\ndrag 448 149\nup 448 149\ntick\n"
                    "dump " + fine + "\n");
  const ToolRun run = tool("editor --script " + script);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // The fields after the index of the control at this rectangle.
  const auto control = [](const std::string& dump, const std::string& rect) {
    for (const std::string& line : split(dump, '\n')) {
      const std::vector<std::string> fields = split(line, '\t');
      if (fields.size() > 2 && fields[2] == rect) return line.substr(line.find('\t') + 1);
    }
    return std::string();
  };
  const struct {
    std::string dump, knob, readout;
  } expected[] = {
      // 1 - 20 / 30 / 4 = 0.833333: 20 log10 of it is -1.58 dB.
      {readFile(plain), "IKnobMultiControl\t433 146 463 176\t3\t0.833333\t\tsynth\tshown",
       "IQvCaptionControl\t418 176 478 192\t3\t0.833333\t-1.6dB\tsynth\tshown"},
      // Up 12 with Shift: + 12 / 30 / 40 = 0.843333, -1.48 dB.
      {readFile(fine), "IKnobMultiControl\t433 146 463 176\t3\t0.843333\t\tsynth\tshown",
       "IQvCaptionControl\t418 176 478 192\t3\t0.843333\t-1.5dB\tsynth\tshown"},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(control(e.dump, "433 146 463 176"), e.knob);
    EXPECT_EQ(control(e.dump, "418 176 478 192"), e.readout);
  }
}

}  // namespace
