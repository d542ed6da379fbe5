#include <cstdio>
#include <string>

#include "framework/TextCopy.h"
#include "instrument/Thudrokka.h"
#include "program/RirARorurProgram.h"
#include "tools/thudrokka/CommandLine.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/ParameterDump.h"
#include "tools/thudrokka/PrintableText.h"
#include "tools/thudrokka/Subcommands.h"

namespace {
const CommandHelp kHelp = {
    "program", "program save FILE [--preset N] | program load FILE",
    "save writes a preset slot as a program file. load reads a program file into the instrument and prints "
    "its name, a tab and the values of all parameters; each line that is not what its place in the file asks "
    "for is named on standard error, and the program loads all the same."};
constexpr double kProgramRate = 44100.0;
constexpr int kProgramBlock = 512;
// Bytes of a line or value from the file that a message quotes.
constexpr std::size_t kQuotedBytes = 60;

std::string quoted(const std::string& fileText) {
  const std::string text = printableText(fileText);
  const std::size_t kept = TextFitLength(text.c_str(), kQuotedBytes);
  return "'" + text.substr(0, kept) + (kept < text.size() ? "...'" : "'");
}

std::string problemText(const Quillvane::ProgramLineProblem& problem) {
  using Problem = Quillvane::ProgramLineProblem;
  switch (problem.kind) {
    case Problem::kOtherSetting:
      return "should hold " + problem.key + ", not " +
             (problem.found.empty() ? std::string("an empty line") : quoted(problem.found));
    case Problem::kNoValue:
      return "no value for " + problem.key + " in " + quoted(problem.found);
    case Problem::kNotANumber:
      return problem.key + " takes a number, not " + quoted(problem.found);
    case Problem::kUnknownName:
      return problem.key + " has no choice named " + quoted(problem.found);
    case Problem::kFileEnds:
      break;
  }
  // A file holds its name and then one line per parameter.
  const int after = Quillvane::Synth::kNumParameters + 1 - problem.line;
  const std::string rest = after == 0   ? ""
                           : after == 1 ? " and the setting after it"
                                        : " and the " + std::to_string(after) + " settings after it";
  return "the file ends before " + problem.key + rest;
}
}  // namespace

int runProgram(int argc, char** argv) {
  const std::vector<OptionSpec> options = {{"--preset", "N", "0", "preset slot to save, counted from 0"}};
  CommandLine line;
  int status = kExitOk;
  if (!parseCommand(kHelp, options, argc, argv, &line, &status)) return status;
  const std::vector<std::string>& args = line.positional();
  if (args.size() != 2 || (args[0] != "save" && args[0] != "load")) {
    return fail(kHelp.name, "give 'save FILE' or 'load FILE'", kExitUsage);
  }
  const bool save = args[0] == "save";
  if (!save && line.has("--preset")) return fail(kHelp.name, "--preset goes with save", kExitUsage);
  const std::string& path = args[1];

  InstrumentHost host;
  if (host.open(kProgramRate, kProgramBlock) != noErr)
    return fail(kHelp.name, "cannot open the instrument", kExitFailure);
  std::string error;
  if (save) {
    if (!chooseGivenPreset(kHelp, line, host, &status)) return status;
    if (!host.instrument()->SaveProgramAsQV(path.c_str(), &error)) return fail(kHelp.name, error, kExitFailure);
    return kExitOk;
  }
  Thudrokka* instrument = host.instrument();
  std::vector<Quillvane::ProgramLineProblem> problems;
  if (!instrument->LoadProgramAsQV(path.c_str(), &error, &problems)) return fail(kHelp.name, error, kExitFailure);
  // Warnings only: the program loaded as the editor's load button loads it,
  // and the listing shows what the instrument now holds.
  for (const Quillvane::ProgramLineProblem& problem : problems) {
    fail(kHelp.name, path + ":" + std::to_string(problem.line) + ": " + problemText(problem), kExitOk);
  }
  std::string values;
  if (!parameterValuesText(host, &values)) return fail(kHelp.name, "cannot read the parameters", kExitFailure);
  const std::string name = printableText(instrument->GetPresetName(instrument->GetCurrentPresetIdx()));
  std::printf("%s\t%s\n", name.c_str(), values.c_str());
  return std::fflush(stdout) == 0 ? kExitOk : fail(kHelp.name, "cannot write the listing", kExitFailure);
}
