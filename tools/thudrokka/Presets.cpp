#include <cstdio>
#include <string>

#include "tools/thudrokka/CommandLine.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/ParameterDump.h"
#include "tools/thudrokka/PresetChoice.h"
#include "framework/PrintableText.h"
#include "tools/thudrokka/Subcommands.h"

namespace {
const CommandHelp kHelp = {
    "presets", "presets [--dump]",
    "Lists the preset slots, one line each: number, a tab and the name; with --dump a further tab and the "
    "values of all parameters."};
constexpr double kListingRate = 44100.0;
constexpr int kListingBlock = 512;
}  // namespace

int runPresets(int argc, char** argv) {
  const std::vector<OptionSpec> options = {{"--dump", nullptr, nullptr, "add every parameter's value"}};
  CommandLine line;
  int status = kExitOk;
  if (!parseCommand(kHelp, options, argc, argv, &line, &status)) return status;
  if (!line.positional().empty())
    return fail(kHelp.name, "unexpected argument '" + line.positional()[0] + "'", kExitUsage);

  InstrumentHost host;
  if (host.open(kListingRate, kListingBlock) != noErr)
    return fail(kHelp.name, "cannot open the instrument", kExitFailure);
  for (const standin::HostSession::Preset& preset : host.presets()) {
    std::printf("%d\t%s", static_cast<int>(preset.number), printableText(preset.name).c_str());
    if (line.has("--dump")) {
      std::string error, values;
      if (!choosePreset(host, preset.number, &error)) return fail(kHelp.name, error, kExitFailure);
      if (!parameterValuesText(host, &values)) return fail(kHelp.name, "cannot read the parameters", kExitFailure);
      std::printf("\t%s", values.c_str());
    }
    std::printf("\n");
  }
  return kExitOk;
}
