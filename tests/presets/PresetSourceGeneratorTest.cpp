// The bank's source text: its layout line by line, its values against the
// definitions and the installed bank, and its refusals.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "presets/PresetSourceGenerator.h"
#include "presets/ProgramDefinitions.h"
#include "presets/ThudrokkaFreePresets.h"
#include "tests/support/FileContents.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDirectory.h"

namespace {

using namespace Quillvane;
using namespace Quillvane::Synth;

using testsupport::FileSizeLimit;
using testsupport::readFile;
using testsupport::split;
using testsupport::TempDirectory;

const std::vector<std::string>& generated() {
  static const std::vector<std::string> text = [] {
    const TempDirectory dir;
    const std::string path = dir.path("presets.cpp");
    EXPECT_TRUE(saveFreePrograms4Wdl(path.c_str()));
    return split(readFile(path));
  }();
  return text;
}

constexpr int kHeaderLines = 6;
constexpr int kBlockLines = 109;

TEST(PresetSourceGenerator, HeaderBlocksAndClosing) {
  const std::vector<std::string>& text = generated();
  ASSERT_EQ(text.size(), 13960u);
  EXPECT_TRUE(std::regex_match(text[0], std::regex(R"(// THUD::ROKKA FREE version presets generated on )"
                                                   R"(\d{4}-\d{2}-\d{2} at \d{2}:\d{2}:\d{2})")))
      << text[0];
  const std::vector<std::string> head = {"", "#include \"Thudrokka.h\"", "", "void Thudrokka::makeThudrokkaFreePresets()",
                                         "{"};
  EXPECT_EQ(std::vector<std::string>(text.begin() + 1, text.begin() + kHeaderLines), head);
  EXPECT_EQ(text[text.size() - 2], "} // makeThudrokkaFreePresets");
  EXPECT_EQ(text.back(), "");

  const std::regex valueLine(R"(    (\d+\.\d{4})(,?) // (\w+))");
  for (int b = 0; b < kNumFactoryPresets; ++b) {
    const int at = kHeaderLines + b * kBlockLines;
    const std::string name = kProgramDefinitions[b].programName;
    EXPECT_EQ(text[at], "  // " + name);
    EXPECT_EQ(text[at + 1], "  MakePreset(\"" + name + "\",");
    for (int p = 0; p < kNumParameters; ++p) {
      std::smatch m;
      ASSERT_TRUE(std::regex_match(text[at + 2 + p], m, valueLine)) << text[at + 2 + p];
      EXPECT_EQ(m[2].str(), p + 1 < kNumParameters ? "," : "") << b << " " << p;
      EXPECT_EQ(m[3].str(), kParameterTable[p].keyName);
    }
    EXPECT_EQ(text[at + 107], "    );");
    EXPECT_EQ(text[at + 108], "");
  }
  EXPECT_EQ(text[kHeaderLines + 2], "    1.0000, // Osc1OnOff");
  EXPECT_EQ(text[kHeaderLines + 106], "    0.5000 // Volume");
}

// The value written for a parameter of a bank position.
std::string written(int position, eVstParameters p) {
  const std::string& line = generated()[kHeaderLines + position * kBlockLines + 2 + p];
  return line.substr(4, line.find_first_of(", ", 4) - 4);
}

TEST(PresetSourceGenerator, ValuesAreTheDefinitionsAtFourDecimals) {
  RirARorurProgram program;
  runProgramDefinitionsInBankOrder(program, [](int position, const RirARorurProgram& p) {
    for (int k = 0; k < kNumParameters; ++k) {
      char expected[32];
      std::snprintf(expected, sizeof(expected), "%1.4f", p.getParameterValue(static_cast<eVstParameters>(k), true));
      EXPECT_EQ(written(position, static_cast<eVstParameters>(k)), expected) << position << " " << k;
    }
  });
  EXPECT_EQ(written(20, FilterMode1), "0.6667");  // band-pass in single precision
  EXPECT_EQ(written(12, EnvAttack), "0.0000");    // the shortest attack
  EXPECT_EQ(written(10, OscWaveform1), "0.0571");
  EXPECT_EQ(written(100, OscFreq2), "45.0000");
  EXPECT_EQ(written(45, PhaserRate), "0.5000");
}

TEST(PresetSourceGenerator, AgreesWithTheInstalledBankWhereTheBankKeepsTheDefinition) {
  const FactoryBank& bank = thudrokkaFreePresets();
  int agreeing = 0;
  for (int i = 0; i < kNumFactoryPresets; ++i) {
    for (int p = 0; p < kNumParameters; ++p) {
      const double value = std::strtod(written(i, static_cast<eVstParameters>(p)).c_str(), nullptr);
      agreeing += value == bank[i].values[p] ? 1 : 0;
    }
  }
  // Every value but the 121 phaser rates, 49 ring frequencies and 48 listed departures.
  EXPECT_EQ(agreeing, kNumFactoryPresets * kNumParameters - 121 - 49 - 48);
}

TEST(PresetSourceGenerator, TwoRunsDifferOnlyInTheDate) {
  const TempDirectory dir;
  const std::string a = dir.path("a.cpp"), b = dir.path("b.cpp");
  ASSERT_TRUE(saveFreePrograms4Wdl(a.c_str()));
  ASSERT_TRUE(saveFreePrograms4Wdl(b.c_str()));
  std::string first = readFile(a), second = readFile(b);
  first.erase(0, first.find('\n'));
  second.erase(0, second.find('\n'));
  EXPECT_EQ(first, second);
}

TEST(PresetSourceGenerator, NamesAreEscapedInTheLiteral) {
  RirARorurProgram program;
  program.setProgramName("say \"hi\" \\ now");
  const TempDirectory dir;
  const std::string path = dir.path("escaped.cpp");
  OutputFile file;
  ASSERT_TRUE(file.open(path.c_str()));
  EXPECT_TRUE(saveWdlProgram(program, file));
  ASSERT_TRUE(file.commit());
  const std::vector<std::string> text = split(readFile(path));
  ASSERT_EQ(text.size(), 109u);
  EXPECT_EQ(text[0], "  // say \"hi\" \\ now");
  EXPECT_EQ(text[1], "  MakePreset(\"say \\\"hi\\\" \\\\ now\",");
}

TEST(PresetSourceGenerator, FailuresAreReported) {
  EXPECT_FALSE(saveFreePrograms4Wdl(nullptr));
  EXPECT_FALSE(saveFreePrograms4Wdl("/nonexistent-folder/presets.cpp"));
  RirARorurProgram program;
  OutputFile unopened;
  EXPECT_FALSE(saveWdlProgram(program, unopened));
  // Writes that fail once the file is open: a device that is always full.
  if (std::FILE* full = std::fopen("/dev/full", "w")) {
    std::fclose(full);
    EXPECT_FALSE(saveFreePrograms4Wdl("/dev/full"));
  }

  // A disk that fills up while the bank is written keeps the previous file.
  const TempDirectory dir;
  const std::string path = dir.path("presets.cpp");
  ASSERT_TRUE(saveFreePrograms4Wdl(path.c_str()));
  const std::string previous = readFile(path);
  std::string error;
  {
    const FileSizeLimit limit(previous.size() / 2);
    EXPECT_FALSE(saveFreePrograms4Wdl(path.c_str(), &error));
  }
  EXPECT_EQ(error, "cannot write '" + path + "': File too large");
  EXPECT_EQ(readFile(path), previous);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"presets.cpp"});
}

}  // namespace
