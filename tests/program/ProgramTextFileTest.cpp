#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "effects/Distortion.h"
#include "effects/FilterUti.h"
#include "engine/WaveformProvider.h"
#include "program/RirARorurProgram.h"
#include "tests/support/Fifo.h"
#include "tests/support/FileContents.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDirectory.h"

namespace {

using namespace Quillvane;
using namespace Quillvane::Synth;
namespace fs = std::filesystem;
using testsupport::Fifo;
using testsupport::FileSizeLimit;
using testsupport::readFile;
using testsupport::split;
using testsupport::TempDirectory;

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

bool sameValues(const RirARorurProgram& a, const RirARorurProgram& b) {
  for (int p = 0; p < kNumParameters; ++p) {
    const auto e = static_cast<eVstParameters>(p);
    if (a.getParameterValue(e, true) != b.getParameterValue(e, true)) return false;
  }
  return true;
}

class ProgramTextFile : public ::testing::Test {
 protected:
  std::string path(const char* name) const { return mDir.path(name); }
  std::string write(const std::string& text, const char* name = "program.txt") const {
    std::ofstream(path(name), std::ios::binary) << text;
    return path(name);
  }
  // The lines a program with every plain value at 0.123 writes; its choices
  // and name differ from a fresh program's too.
  std::vector<std::string> distinctLines() const {
    RirARorurProgram program;
    for (int p = 0; p < kNumParameters; ++p) program.setParameterValue(static_cast<eVstParameters>(p), 0.123);
    program.setProgramName("Distinct");
    const std::string file = path("distinct.txt");
    EXPECT_TRUE(program.saveProgram(file.c_str()));
    return split(readFile(file));
  }

  TempDirectory mDir;
};

TEST_F(ProgramTextFile, FreshProgramWritesTheBasicBassdrumFile) {
  RirARorurProgram program;
  ASSERT_TRUE(program.saveProgram(path("fresh.txt").c_str()));
  const std::string written = readFile(path("fresh.txt"));
  EXPECT_EQ(written, readFile("fixtures/basic_bassdrum.txt"));
  const auto rows = split(written);
  ASSERT_EQ(rows.size(), 106u);
  EXPECT_EQ(rows[0], "Name = Basic Bassdrum;");
  EXPECT_EQ(rows[1], "Osc1OnOff = 1;");
}

TEST_F(ProgramTextFile, SavedValuesLoadBack) {
  RirARorurProgram saved;
  saved.setProgramName("Round Trip");
  for (int p = 0; p < kNumParameters; ++p) {
    // Steps of 0.001 survive the six significant digits exactly.
    saved.setParameterValue(static_cast<eVstParameters>(p), (p * 37 % 1000) / 1000.0);
  }
  saved.getSynthProgram()[OscWaveform2] = WaveformProvider::getWaveformSel(kWaveGeoChirp);
  saved.getSynthProgram()[DistortionType] = Distortion::getDistortionSel(kDistortionMadDog);
  saved.getSynthProgram()[FilterMode1] = FilterUti::getFilterMode1Sel(kRbjBandStop);
  saved.getSynthProgram()[FilterMode2] = FilterUti::getFilterMode2Sel(kLowPass12dB);
  saved.getSynthProgram()[OscWaveform1] = WaveformProvider::getWaveformSel(kWaveSine);
  saved.getSynthProgram()[OscWaveform3] = WaveformProvider::getWaveformSel(kWaveUser15);
  ASSERT_TRUE(saved.saveProgram(path("saved.txt").c_str()));

  RirARorurProgram loaded;
  ASSERT_TRUE(loaded.loadProgram(path("saved.txt").c_str()));
  EXPECT_STREQ(loaded.getProgramName(), "Round Trip");
  EXPECT_TRUE(sameValues(saved, loaded));

  // Six significant digits: a value can come back rounded.
  saved.setParameterValue(OscSat1, 0.123456789);
  ASSERT_TRUE(saved.saveProgram(path("saved.txt").c_str()));
  ASSERT_TRUE(loaded.loadProgram(path("saved.txt").c_str()));
  EXPECT_EQ(loaded.getParameterValue(OscSat1, true), 0.123457);
}

TEST_F(ProgramTextFile, EveryChoiceRoundTripsByName) {
  struct Choice {
    eVstParameters p;
    int count;
    double (*selector)(int);
  } choices[] = {
      {OscWaveform1, 36, [](int i) { return WaveformProvider::getWaveformSel(static_cast<eWaveform>(i)); }},
      {OscWaveform3, 36, [](int i) { return WaveformProvider::getWaveformSel(static_cast<eWaveform>(i)); }},
      {DistortionType, 35, [](int i) { return Distortion::getDistortionSel(static_cast<eDistortionType>(i)); }},
      {FilterMode1, 4, [](int i) { return double(FilterUti::getFilterMode1Sel(static_cast<eFilterMode1>(i))); }},
      {FilterMode2, 4, [](int i) { return double(FilterUti::getFilterMode2Sel(static_cast<eFilterMode2>(i))); }},
  };
  for (const Choice& c : choices) {
    for (int i = 0; i < c.count; ++i) {
      RirARorurProgram saved;
      saved.getSynthProgram()[c.p] = c.selector(i);
      ASSERT_TRUE(saved.saveProgram(path("choice.txt").c_str()));
      RirARorurProgram loaded;
      loaded.getSynthProgram()[c.p] = 0.5;
      ASSERT_TRUE(loaded.loadProgram(path("choice.txt").c_str()));
      EXPECT_EQ(loaded.getParameterValue(c.p, true), c.selector(i)) << c.p << " " << i;
    }
  }
}

TEST_F(ProgramTextFile, AliasesAndUnknownNamesLoad) {
  struct Case {
    eVstParameters p;
    const char* name;
    double selector;
  } cases[] = {
      {OscWaveform1, "Form8", WaveformProvider::getWaveformSel(kWaveWavescape)},
      {OscWaveform2, "Wavescape", WaveformProvider::getWaveformSel(kWaveWavescape)},
      {OscWaveform3, "sawtooth", 0.0},
      {DistortionType, "Fuzz-Drive", Distortion::getDistortionSel(kDistortionFuzzDrive1)},
      {DistortionType, "Quillvane-Drive", Distortion::getDistortionSel(kDistortionQuillvaneDrive1)},
      {DistortionType, "linear", 0.0},
      {FilterMode1, "RBJ-BP", FilterUti::getFilterMode1Sel(kRbjBandPass1)},
      {FilterMode2, "lp 24dB", 0.0},
  };
  for (const Case& c : cases) {
    auto rows = distinctLines();
    rows[c.p + 1] = std::string(kParameterTable[c.p].keyName) + " = " + c.name + ";";
    RirARorurProgram loaded;
    ASSERT_TRUE(loaded.loadProgram(write(joined(rows)).c_str()));
    EXPECT_EQ(loaded.getParameterValue(c.p, true), c.selector) << c.name;
  }
}

TEST_F(ProgramTextFile, LinesArePositional) {
  const RirARorurProgram fresh;
  const double distinct = 0.123;

  // Removing OscFreq1's line shifts every later line onto the wrong key.
  auto rows = distinctLines();
  rows.erase(rows.begin() + 1 + OscFreq1);
  RirARorurProgram shifted;
  ASSERT_TRUE(shifted.loadProgram(write(joined(rows)).c_str()));
  EXPECT_STREQ(shifted.getProgramName(), "Distinct");
  EXPECT_EQ(shifted.getParameterValue(Osc1OnOff, true), distinct);
  for (eVstParameters p : {OscFreq1, OscVolume1, OscSat1, Volume}) {
    EXPECT_EQ(shifted.getParameterValue(p, true), fresh.getParameterValue(p, true)) << p;
  }

  // A key inside another key still passes: "DistortionType = ..." at the
  // Distortion position is read there, as a number.
  rows = distinctLines();
  rows[1 + Synth::Distortion] = "DistortionType = Linear;";
  RirARorurProgram inner;
  inner.setParameterValue(Synth::Distortion, 0.9);
  ASSERT_TRUE(inner.loadProgram(write(joined(rows)).c_str()));
  EXPECT_EQ(inner.getParameterValue(Synth::Distortion, true), 0.0);
  EXPECT_EQ(inner.getParameterValue(Gate, true), distinct);

  // Long lines are read whole and shift nothing.
  rows = distinctLines();
  rows[0] = "Name = " + std::string(1030, 'n') + ";";
  rows[1 + OscFreq1] = "OscFreq1 = 0.5" + std::string(1500, ' ') + ";";
  RirARorurProgram longLine;
  ASSERT_TRUE(longLine.loadProgram(write(joined(rows)).c_str()));
  EXPECT_EQ(longLine.getProgramName(), std::string(32, 'n'));
  // The cut keeps whole characters only.
  rows = distinctLines();
  rows[0] = "Name = " + std::string(31, 'n') + "\xc3\xa9\xc3\xa9;";
  RirARorurProgram accented;
  ASSERT_TRUE(accented.loadProgram(write(joined(rows)).c_str()));
  EXPECT_EQ(accented.getProgramName(), std::string(31, 'n'));
  RirARorurProgram meant;
  ASSERT_TRUE(meant.loadProgram(write(joined(distinctLines())).c_str()));
  meant.setParameterValue(OscFreq1, 0.5);
  EXPECT_TRUE(sameValues(longLine, meant));

  // Lines past the last parameter are not read.
  rows = distinctLines();
  rows.push_back("Volume = 0.9;");
  RirARorurProgram extra;
  ASSERT_TRUE(extra.loadProgram(write(joined(rows)).c_str()));
  EXPECT_EQ(extra.getParameterValue(Volume, true), distinct);
}

TEST_F(ProgramTextFile, AnyLineEndWorks) {
  RirARorurProgram expected;
  ASSERT_TRUE(expected.loadProgram(write(joined(distinctLines())).c_str()));
  const struct {
    const char* name;
    std::string end;
  } ends[] = {{"LF", "\n"}, {"CRLF", "\r\n"}, {"CR", "\r"}};
  for (const auto& e : ends) {
    std::string text;
    for (const std::string& line : distinctLines()) text += line + e.end;
    RirARorurProgram loaded;
    ASSERT_TRUE(loaded.loadProgram(write(text).c_str())) << e.name;
    EXPECT_STREQ(loaded.getProgramName(), "Distinct") << e.name;
    EXPECT_TRUE(sameValues(loaded, expected)) << e.name;
  }

  // Each end counts once, also mixed and without one on the last line; an
  // empty line still takes its position.
  auto rows = distinctLines();
  std::string mixed = rows[0] + "\r" + rows[1] + "\r\n" + rows[2] + "\n\r";
  for (std::size_t i = 4; i < rows.size(); ++i) mixed += rows[i] + (i + 1 < rows.size() ? "\r" : "");
  RirARorurProgram loaded;
  loaded.setParameterValue(OscFreq1, 0.9);
  ASSERT_TRUE(loaded.loadProgram(write(mixed).c_str()));
  EXPECT_EQ(loaded.getParameterValue(OscFreq1, true), 0.9);
  EXPECT_TRUE(sameValues(loaded, [&] {
    RirARorurProgram p = expected;
    p.setParameterValue(OscFreq1, 0.9);
    return p;
  }()));
}

TEST_F(ProgramTextFile, ALineLongerThanAnyProgramLineRefusesTheFile) {
  auto rows = distinctLines();
  rows[1 + OscVolume1] = "OscVolume1 = 0.5;" + std::string(65536, ' ');
  RirARorurProgram program;
  program.setParameterValue(Volume, 0.9);
  const QVSynthProgram before = program.getSynthProgram();
  const std::string file = write(joined(rows));
  std::string error;
  EXPECT_FALSE(program.loadProgram(file.c_str(), &error));
  EXPECT_EQ(error, "cannot read program file '" + file + "': line 5 is longer than 65536 characters");
  EXPECT_EQ(std::memcmp(&before, &program.getSynthProgram(), sizeof before), 0);
  EXPECT_STREQ(program.getProgramName(), "Basic Bassdrum");

  // Right at the limit the line still loads.
  rows[1 + OscVolume1] = "OscVolume1 = 0.5;" + std::string(65536 - 17, ' ');
  ASSERT_TRUE(program.loadProgram(write(joined(rows)).c_str()));
  EXPECT_EQ(program.getParameterValue(OscVolume1, true), 0.5);
}

// The reader reads as far as the last setting and no further: what follows
// is one entry, and a text of one kind of byte is refused as it was read.
TEST_F(ProgramTextFile, NothingPastTheLastSettingIsRead) {
  const std::string program = joined(distinctLines());
  const struct {
    const char* what;
    std::string text;
    const char* error;  // empty: the program loads
  } cases[] = {
      {"a program over and over", program + program + program, ""},
      {"zero bytes", std::string(70000, '\0'), "line 1 is longer than 65536 characters"},
      {"line ends only", std::string(300, '\r'), "none of its lines is a program setting"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RirARorurProgram loaded;
    std::string error;
    EXPECT_EQ(loaded.readProgram(c.text, &error), *c.error == '\0');
    EXPECT_EQ(error, c.error);
    EXPECT_STREQ(loaded.getProgramName(), *c.error == '\0' ? "Distinct" : "Basic Bassdrum");
  }
}

TEST_F(ProgramTextFile, ValueTextStartsTwoAfterTheEqualsSign) {
  struct Case {
    const char* line;
    double value;  // -1: the line is skipped
  } cases[] = {
      {"OscFreq1 = 0.25;", 0.25},   {"OscFreq1=0.5;", 0.5},       {"OscFreq1=12;", 1.0},
      {"OscFreq1=1;", -1},          {"OscFreq1 = 0.25;\r", 0.25}, {"OscFreq1 = abc;", 0.0},
      {"OscFreq1 = -3;", 0.0},      {"OscFreq1 = nan;", -1},      {"OscFreq1 = 1e-05;", 1e-05},
      {"OscFreq1 = inf;", -1},      {"OscFreq1 = -inf;", -1},     {"OscFreq1 = 1e309;", -1},
      {"OscFreq1 0.25;", -1},       {"OscFreq1 = 0.25", -1},      {"OscFreq = 0.25;", -1},
      {"; OscFreq1 = 0.25", -1},    {"xx OscFreq1 yy = 0.375; zz", 0.375},
  };
  for (const Case& c : cases) {
    auto rows = distinctLines();
    rows[1 + OscFreq1] = c.line;
    RirARorurProgram loaded;
    loaded.setParameterValue(OscFreq1, 0.9);
    ASSERT_TRUE(loaded.loadProgram(write(joined(rows)).c_str()));
    EXPECT_EQ(loaded.getParameterValue(OscFreq1, true), c.value < 0 ? 0.9 : c.value) << c.line;
  }
}

// The reader's account of the lines that are not what their place asks for,
// one a line: line number, the setting due there, what is wrong, what it held,
// the value used instead, for a line of another place's setting how far off
// it is, and how many lines after it share its entry.
std::string described(const std::vector<ProgramLineProblem>& problems) {
  static const char* const kKinds[] = {"other setting", "no value",   "left out at a NUL", "cut at a NUL",
                                       "not a number",  "not finite", "out of range",      "unknown name",
                                       "name cut",      "name ends",  "after the end",     "file ends"};
  std::string text;
  for (const ProgramLineProblem& p : problems) {
    text += std::to_string(p.line) + " " + p.key + ": " + kKinds[p.kind] + " '" + p.found + "'";
    if (p.kind == ProgramLineProblem::kNotANumber || p.kind == ProgramLineProblem::kOutOfRange) {
      char used[32];
      std::snprintf(used, sizeof used, "%g", p.used);
      text += std::string(" uses ") + used;
    }
    if (p.offset != 0) text += " " + std::to_string(p.offset) + " off";
    if (p.shifted != 0) text += ", " + std::to_string(p.shifted) + " after";
    text += "\n";
  }
  return text;
}

TEST_F(ProgramTextFile, LinesThatAreNotWhatTheirPlaceAsksForAreNamed) {
  using namespace std::string_literals;
  using Rows = std::vector<std::string>;
  const int kName = -1;
  const struct {
    const char* what;
    std::vector<std::pair<int, std::string>> lines;  // parameter (or the name) and its line
    std::size_t kept;                                // lines left in the file; 0 for all
    std::string problems;
  } cases[] = {
      {"as written", {}, 0, ""},
      {"variations the writer does not make but that read as meant",
       {{OscFreq1, "OscFreq1=0.5;"},
        {Volume, "  Volume =  0.25 ;\r"},
        {OscWaveform1, "OscWaveform1 = Form8;"},
        {OscWaveform2, "OscWaveform2 = Sine;"},
        {DistortionType, "DistortionType = Linear;"},
        {FilterMode1, "FilterMode1 = RBJ-BP;"},
        {FilterMode2, "FilterMode2 = HP 12dB;"}},
       0, ""},
      {"values that are no numbers",
       {{OscFreq1, "OscFreq1 = nan;"},
        {OscSat1, "OscSat1 = 0.5abc;"},
        {OscPan1, "OscPan1 = ;"},
        {OscPitch1, "OscPitch1 = 1e999;"},
        {OscFilterType1, "OscFilterType1 = -inf;"},
        {Volume, "Volume = abc;"}},
       0,
       "4 OscFreq1: not finite 'nan'\n"
       "6 OscSat1: not a number '0.5abc' uses 0.5\n"
       "7 OscPan1: no value 'OscPan1 = ;'\n"
       "8 OscPitch1: not finite '1e999'\n"
       "9 OscFilterType1: not finite '-inf'\n"
       "106 Volume: not a number 'abc' uses 0\n"},
      {"numbers outside 0 to 1",
       {{OscFreq1, "OscFreq1 = 7;"}, {OscSat1, "OscSat1=12;"}, {OscPan1, "OscPan1 = -1;"}, {Volume, "Volume = 1;"}},
       0,
       "4 OscFreq1: out of range '7' uses 1\n"
       "6 OscSat1: out of range '2' uses 1\n"
       "7 OscPan1: out of range '-1' uses 0\n"},
      {"a name longer than a name may be",
       {{kName, "Name = 1234567890123456789012345678901234567890;"}},
       0,
       "1 Name: name cut '12345678901234567890123456789012'\n"},
      {"names that are no choices",
       {{OscWaveform2, "OscWaveform2 = Sinus;"},
        {DistortionType, "DistortionType = Fuzz;"},
        {FilterMode1, "FilterMode1 = rbj-lp;"},
        {FilterMode2, "FilterMode2 = HP 12dB ;"}},
       0,
       "18 OscWaveform2: unknown name 'Sinus'\n"
       "80 DistortionType: unknown name 'Fuzz'\n"
       "91 FilterMode1: unknown name 'rbj-lp'\n"
       "92 FilterMode2: unknown name 'HP 12dB '\n"},
      {"lines of other settings",
       {{kName, "Title = Deep Kick;"},
        {OscFreq1, "OscFreq1 0.5;"},
        {Synth::Distortion, "DistortionType = Linear;"},
        {Gate, ""},
        {Pan, "xx Pan yy = 0.375;"}},
       0,
       "1 Name: other setting 'Title = Deep Kick;'\n"
       "4 OscFreq1: no value 'OscFreq1 0.5;'\n"
       "79 Distortion: other setting 'DistortionType = Linear;' 1 off\n"
       "85 Gate: other setting ''\n"
       "103 Pan: other setting 'xx Pan yy = 0.375;'\n"},
      {"an empty name", {{kName, "Name = ;"}}, 0, "1 Name: no value 'Name = ;'\n"},
      {"a name that ends at a ';'", {{kName, "Name = Kick;2;"}}, 0, "1 Name: name ends 'Kick'\n"},
      {"blanks after the name", {{kName, "Name = Kick; \t"}}, 0, ""},
      // The reader sees a line up to its first NUL byte: that is what the
      // line is said to hold, and whatever the rest would have made of it.
      {"NUL bytes",
       {{kName, "Name = Deep\0 Kick;"s},
        {EnvAttack, "EnvAttack = 0.25\0;"s},
        {EnvDecay, "EnvDecay = 0.25;\0junk"s},
        {EnvSustain, "Env\0Sustain = 0.5;"s},
        {EnvRelease, "\0EnvRelease = 0.5;"s},
        {Volume, "Volume = 7;\0"s}},
       0,
       "1 Name: left out at a NUL 'Name = Deep'\n"
       "47 EnvAttack: left out at a NUL 'EnvAttack = 0.25'\n"
       "48 EnvDecay: cut at a NUL 'EnvDecay = 0.25;'\n"
       "49 EnvSustain: left out at a NUL 'Env'\n"
       "50 EnvRelease: left out at a NUL ''\n"
       "106 Volume: cut at a NUL 'Volume = 7;'\n"
       "106 Volume: out of range '7' uses 1\n"},
      {"a byte-order mark before the name", {{kName, "\xEF\xBB\xBFName = Deep Kick;"}}, 0, ""},
      {"cut short", {}, 1 + FilterAttack, "52 FilterAttack: file ends ''\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rows rows = distinctLines();
    for (const auto& line : c.lines) rows[1 + line.first] = line.second;
    if (c.kept > 0) rows.resize(c.kept);
    const std::string file = write(joined(rows));
    RirARorurProgram told, untold;
    std::vector<ProgramLineProblem> problems;
    ASSERT_TRUE(told.loadProgram(file.c_str(), nullptr, &problems));
    EXPECT_EQ(described(problems), c.problems);
    // Saying so changes nothing of what is read.
    ASSERT_TRUE(untold.loadProgram(file.c_str()));
    EXPECT_EQ(std::memcmp(&told.getSynthProgram(), &untold.getSynthProgram(), sizeof(QVSynthProgram)), 0);
    EXPECT_STREQ(told.getProgramName(), untold.getProgramName());
  }

  // A lost line puts every later line in another setting's place, and an
  // added one too: one entry says where it starts and how far it runs.
  const Rows written = distinctLines();
  const auto line = [&](int p) { return written[1 + p]; };
  Rows lost = written, added = written, twoLost = written;
  lost.erase(lost.begin() + 1 + OscSat1);
  added.insert(added.begin() + 1 + OscSat1, "Extra = 1;");
  twoLost.erase(twoLost.begin() + 1 + OscSat1, twoLost.begin() + 3 + OscSat1);
  Rows nameLost(written.begin() + 1, written.end());
  Rows twice = written, junk = written, blanks = written;
  twice.insert(twice.end(), written.begin(), written.end());
  junk.push_back("Junk = 1;");
  blanks.insert(blanks.end(), {"", " \t"});
  const struct {
    const char* what;
    Rows rows;
    std::string problems;
  } shifts[] = {
      {"a line lost", lost,
       "6 OscSat1: other setting '" + line(OscPan1) + "' 1 off, 99 after\n106 Volume: file ends ''\n"},
      {"two lines lost", twoLost,
       "6 OscSat1: other setting '" + line(OscPitch1) + "' 2 off, 98 after\n"
       "105 DryWet: file ends ''\n"},
      {"the name lost", nameLost, "1 Name: other setting '" + line(Osc1OnOff) + "' 1 off, 104 after\n"
                                  "106 Volume: file ends ''\n"},
      // The added line belongs to no place; the lines after it are one back,
      // and the last is past the end.
      {"a line added", added,
       "6 OscSat1: other setting 'Extra = 1;'\n7 OscPan1: other setting '" + line(OscSat1) +
           "' -1 off, 99 after\n107 Volume: after the end '" + line(Volume) + "'\n"},
      // Past the last setting, once, from the first line that holds anything.
      {"the file twice", twice, "107 Volume: after the end 'Name = Distinct;', 105 after\n"},
      {"a line after the end", junk, "107 Volume: after the end 'Junk = 1;'\n"},
      {"blank lines after the end", blanks, ""},
      {"a line after blank lines", [&] { Rows r = blanks; r.push_back("Junk = 1;"); return r; }(),
       "109 Volume: after the end 'Junk = 1;'\n"},
  };
  for (const auto& c : shifts) {
    SCOPED_TRACE(c.what);
    RirARorurProgram shifted;
    std::vector<ProgramLineProblem> problems;
    ASSERT_TRUE(shifted.loadProgram(write(joined(c.rows)).c_str(), nullptr, &problems));
    EXPECT_EQ(described(problems), c.problems);
  }
  RirARorurProgram shifted;
  std::vector<ProgramLineProblem> problems;

  // A refused file says only why.
  problems.clear();
  EXPECT_FALSE(shifted.loadProgram(write("\n\n\n").c_str(), nullptr, &problems));
  EXPECT_TRUE(problems.empty());
}

TEST_F(ProgramTextFile, ProgramNames) {
  struct Case {
    const char* line;
    const char* name;
  } cases[] = {{"Name = ;", "Basic Bassdrum"},
               {"Name = Deep Kick;", "Deep Kick"},
               {"\xEF\xBB\xBFName = Deep Kick;", "Deep Kick"},
               {"Name = 1234567890123456789012345678901234567890;", "12345678901234567890123456789012"},
               {"Title = Deep Kick;", "Basic Bassdrum"},
               // Bytes that are not UTF-8 read as Latin-1, then the cut.
               {"Name = Caf\xe9 Kick;", "Caf\xc3\xa9 Kick"},
               {"Name = \xc0\xaf\x80\xed\xa0\x80\xff;", "\xc3\x80\xc2\xaf\xc2\x80\xc3\xad\xc2\xa0\xc2\x80\xc3\xbf"},
               {"Name = 1234567890123456789012345678901\xe9;", "1234567890123456789012345678901"}};
  for (const Case& c : cases) {
    auto rows = distinctLines();
    rows[0] = c.line;
    RirARorurProgram loaded;
    ASSERT_TRUE(loaded.loadProgram(write(joined(rows)).c_str()));
    EXPECT_STREQ(loaded.getProgramName(), c.name) << c.line;
  }

  RirARorurProgram saved;
  saved.setProgramName("Caf\xe9");
  EXPECT_STREQ(saved.getProgramName(), "Caf\xc3\xa9");
}

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

// A name comes back from its file as the file holds it, with the lines after
// it in their places; where the file cannot hold the name as it stands (the
// reader ends it at a ';' or a line's end, keeps 32 bytes and skips an
// empty one), the note says so and how it is held.
TEST_F(ProgramTextFile, ANameComesBackAsSavedOrItsNoteSaysHowItIsHeld) {
  const std::string k36(36, 'k'), e20 = Repeated("\xc3\xa9", 20);
  const struct {
    std::string given, held, note;
  } cases[] = {
      {"Deep Kick", "Deep Kick", ""},
      {" Kick = 2\t ", " Kick = 2\t ", ""},
      {std::string(32, 'k'), std::string(32, 'k'), ""},
      {"Kick;2", "Kick 2", "a program file holds no ';' in a name: it holds 'Kick;2' as 'Kick 2'"},
      {"Two\nLines\r", "Two Lines ",
       "a program file holds no line break in a name: it holds 'Two?Lines?' as 'Two Lines '"},
      {";\n", "  ", "a program file holds no ';' or line break in a name: it holds ';?' as '  '"},
      {k36, std::string(32, 'k'),
       "a program file keeps at most 32 bytes of a name: it holds '" + k36 + "' as '" + std::string(32, 'k') + "'"},
      {e20, Repeated("\xc3\xa9", 16),
       "a program file keeps at most 32 bytes of a name: it holds '" + e20 + "' as '" + Repeated("\xc3\xa9", 16) + "'"},
      {"a;" + k36, "a " + std::string(30, 'k'),
       "a program file holds no ';' in a name and keeps at most 32 bytes of a name: it holds 'a;" + k36 + "' as 'a " +
           std::string(30, 'k') + "'"},
      {"", "Basic Bassdrum", "a program file holds no empty name: it holds 'Basic Bassdrum' instead"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(RirARorurProgram::nameInFile(c.given.c_str()), c.held);
    EXPECT_EQ(RirARorurProgram::nameInFileNote(c.given.c_str()), c.note);
    RirARorurProgram saved, loaded;
    saved.setProgramName(c.given.c_str());
    saved.setParameterValue(Osc1OnOff, 0.0);
    ASSERT_TRUE(saved.saveProgram(path("name.txt").c_str()));
    std::vector<ProgramLineProblem> problems;
    ASSERT_TRUE(loaded.loadProgram(path("name.txt").c_str(), nullptr, &problems));
    EXPECT_EQ(loaded.getProgramName(), c.held);
    EXPECT_TRUE(problems.empty()) << problems.front().message("name.txt");
    EXPECT_EQ(loaded.getParameterValue(Osc1OnOff, true), 0.0);
  }
}

TEST_F(ProgramTextFile, NothingUsableLoadsNothing) {
  const std::string inputs[] = {"", "\n\n\n", "just some text\nwithout keys\n",
                                std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)};
  for (const std::string& text : inputs) {
    RirARorurProgram program;
    program.setParameterValue(Volume, 0.9);
    const QVSynthProgram before = program.getSynthProgram();
    EXPECT_FALSE(program.loadProgram(write(text).c_str()));
    EXPECT_EQ(std::memcmp(&before, &program.getSynthProgram(), sizeof before), 0);
    EXPECT_STREQ(program.getProgramName(), "Basic Bassdrum");
  }
  RirARorurProgram program;
  EXPECT_FALSE(program.loadProgram(nullptr));
  EXPECT_FALSE(program.loadProgram(path("missing.txt").c_str()));
  EXPECT_FALSE(program.loadProgram(mDir.path().c_str()));

  // A single usable line is a partial program and loads.
  EXPECT_TRUE(program.loadProgram(write("Name = Only A Name;\n").c_str()));
  EXPECT_STREQ(program.getProgramName(), "Only A Name");
}

// A pipe that nothing writes would hold a reader that waits for a writer for
// ever; a device or a folder is no program either.
TEST_F(ProgramTextFile, OnlyARegularFileIsRead) {
  const Fifo fifo(path("pipe.txt"));
  ASSERT_TRUE(fifo.made());
  const struct {
    std::string path, cause;
  } cases[] = {
      {fifo.path(), "not a regular file"},
      {"/dev/null", "not a regular file"},
      {mDir.path(), "Is a directory"},
  };
  for (const auto& c : cases) {
    RirARorurProgram program;
    program.setParameterValue(Volume, 0.9);
    const QVSynthProgram before = program.getSynthProgram();
    std::string error;
    bool loaded = true;
    EXPECT_TRUE(fifo.returnsPromptly([&] { loaded = program.loadProgram(c.path.c_str(), &error); })) << c.path;
    EXPECT_FALSE(loaded) << c.path;
    EXPECT_EQ(error, "cannot read program file '" + c.path + "': " + c.cause);
    EXPECT_EQ(std::memcmp(&before, &program.getSynthProgram(), sizeof before), 0);
  }
}

TEST_F(ProgramTextFile, SaveReportsWhatItCouldNotWrite) {
  RirARorurProgram program;
  EXPECT_FALSE(program.saveProgram(nullptr));
  EXPECT_FALSE(program.saveProgram(path("no/such/folder/p.txt").c_str()));
  EXPECT_FALSE(program.saveProgram(mDir.path().c_str()));
  if (fs::exists("/dev/full")) {
    EXPECT_FALSE(program.saveProgram("/dev/full"));
  }

  // A disk that fills up keeps the program saved before, and nothing else.
  const std::string file = path("kick.txt");
  program.setProgramName("Kept");
  ASSERT_TRUE(program.saveProgram(file.c_str()));
  const std::string kept = readFile(file);
  program.setProgramName("Lost");
  std::string error;
  {
    const FileSizeLimit limit(100);
    EXPECT_FALSE(program.saveProgram(file.c_str(), &error));
  }
  EXPECT_EQ(error, "cannot write '" + file + "': File too large");
  EXPECT_EQ(readFile(file), kept);
  EXPECT_EQ(mDir.entries(), std::vector<std::string>{"kick.txt"});
}

}  // namespace
