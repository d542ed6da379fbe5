#include "tools/thudrokka/Subcommands.h"

#include <cstdio>

int fail(const char* command, const std::string& message, int status) {
  std::fprintf(stderr, "thudrokka %s: %s\n", command, message.c_str());
  return status;
}

bool parseCommand(const CommandHelp& help, const std::vector<OptionSpec>& options, int argc, char** argv,
                  CommandLine* line, int* status) {
  if (!line->parse(argc, argv, options)) {
    *status = fail(help.name, line->error(), kExitUsage);
    return false;
  }
  if (line->has("--help")) {
    printUsage(help.synopsis, help.summary, options);
    *status = kExitOk;
    return false;
  }
  return true;
}
