#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tools/thudrokka/EndingSignals.h"
#include "tools/thudrokka/PrintableText.h"
#include "tools/thudrokka/Subcommands.h"

namespace {

const Subcommand kSubcommands[] = {
    {"render", "render one note of a preset or program file to a WAVE file", runRender},
    {"render-bank", "render every preset to its own numbered WAVE file", runRenderBank},
    {"presets", "list the preset slots, optionally with their values", runPresets},
    {"program", "save a preset to a program file, or load one", runProgram},
    {"editor", "open the editor, drive it by a script and write what it shows", runEditor},
    {"generate-presets", "write the factory bank's source text from the preset definitions", runGeneratePresets},
};

void printHelp() {
  std::printf("usage: thudrokka <command> [options]\n\nDrives the instrument as an Audio Unit host does.\n\n");
  std::printf("commands:\n");
  int width = 0;
  for (const Subcommand& command : kSubcommands) width = std::max(width, static_cast<int>(std::strlen(command.name)));
  for (const Subcommand& command : kSubcommands) std::printf("  %-*s  %s\n", width, command.name, command.summary);
  std::printf("\n'thudrokka <command> --help' describes each command.\n");
}

}  // namespace

int main(int argc, char** argv) {
  endCleanlyOnSignals();
  if (argc < 2) {
    printHelp();
    return kExitUsage;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    printHelp();
    return kExitOk;
  }
  for (const Subcommand& command : kSubcommands) {
    if (!std::strcmp(argv[1], command.name)) return command.run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "thudrokka: unknown command '%s' (see thudrokka --help)\n", printableText(argv[1]).c_str());
  return kExitUsage;
}
