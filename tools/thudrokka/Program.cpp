#include <cstdio>
#include <string>

#include "instrument/Thudrokka.h"
#include "tools/thudrokka/CommandLine.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/ParameterDump.h"
#include "framework/PrintableText.h"
#include "tools/thudrokka/ProgramInput.h"
#include "tools/thudrokka/StandardStreams.h"
#include "tools/thudrokka/Subcommands.h"

namespace {
const CommandHelp kHelp = {
    "program", "program save FILE [--preset N] | program load FILE",
    "save writes a preset slot as a program file. load reads a program file into the instrument and prints "
    "its name, a tab and the values of all parameters; each line that is not what its place in the file asks "
    "for is named on standard error, and the program loads all the same. FILE - is standard output for save "
    "and standard input for load."};
constexpr double kProgramRate = 44100.0;
constexpr int kProgramBlock = 512;
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
  if (save) {
    if (!chooseGivenPreset(kHelp, line, host, &status)) return status;
    std::string error;
    if (!host.instrument()->SaveProgramAsQV(outputPath(path).c_str(), &error))
      return fail(kHelp.name, error, kExitFailure);
    return kExitOk;
  }
  Thudrokka* instrument = host.instrument();
  // Warnings only: the program loaded as the editor's load button loads it,
  // and the listing shows what the instrument now holds.
  if (!loadProgramArgument(kHelp.name, path, *instrument)) return kExitFailure;
  std::string values;
  if (!parameterValuesText(host, &values)) return fail(kHelp.name, "cannot read the parameters", kExitFailure);
  const std::string name = printableText(instrument->GetPresetName(instrument->GetCurrentPresetIdx()));
  std::printf("%s\t%s\n", name.c_str(), values.c_str());
  return kExitOk;
}
