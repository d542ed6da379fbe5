#include <string>

#include "presets/PresetSourceGenerator.h"
#include "tools/thudrokka/CommandLine.h"
#include "tools/thudrokka/StandardStreams.h"
#include "tools/thudrokka/Subcommands.h"

namespace {
const CommandHelp kHelp = {
    "generate-presets", "generate-presets PATH",
    "Rebuilds every factory preset from its program definition and writes the factory bank as source text "
    "to PATH, or to standard output for -."};
}  // namespace

int runGeneratePresets(int argc, char** argv) {
  const std::vector<OptionSpec> options;
  CommandLine line;
  int status = kExitOk;
  if (!parseCommand(kHelp, options, argc, argv, &line, &status)) return status;
  if (line.positional().size() != 1) return fail(kHelp.name, "give exactly one output file", kExitUsage);
  const std::string& path = line.positional()[0];
  std::string error;
  if (!Quillvane::saveFreePrograms4Wdl(outputPath(path).c_str(), &error)) return fail(kHelp.name, error, kExitFailure);
  return kExitOk;
}
