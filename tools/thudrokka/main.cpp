#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/thudrokka/EndingSignals.h"
#include "tools/thudrokka/StandardStreams.h"
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

void printOverview(std::FILE* stream) {
  std::fprintf(stream, "usage: thudrokka <command> [options]\n\nDrives the instrument as an Audio Unit host does.\n\n");
  std::fprintf(stream, "commands:\n");
  int width = 0;
  for (const Subcommand& command : kSubcommands) width = std::max(width, static_cast<int>(std::strlen(command.name)));
  for (const Subcommand& command : kSubcommands) {
    std::fprintf(stream, "  %-*s  %s\n", width, command.name, command.summary);
  }
  std::fprintf(stream, "\n'thudrokka <command> --help' describes each command. Where a command takes a file "
                       "name, - stands\nfor standard output when it writes and for standard input when it reads.\n");
}

}  // namespace

int main(int argc, char** argv) {
  holdMissingStandardStreams();
  endCleanlyOnSignals();
  if (argc < 2) {
    // Nothing asked for: the overview is the usage error's message.
    printOverview(stderr);
    return kExitUsage;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    printOverview(stdout);
    return endOfCommand(nullptr, kExitOk);
  }
  for (const Subcommand& command : kSubcommands) {
    if (!std::strcmp(argv[1], command.name)) return endOfCommand(command.name, command.run(argc - 2, argv + 2));
  }
  return fail(nullptr, "unknown command '" + std::string(argv[1]) + "' (see thudrokka --help)", kExitUsage);
}
