#include "tools/thudrokka/Subcommands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/PresetChoice.h"
#include "framework/PrintableText.h"

void warn(const char* command, const std::string& message) {
  // Messages quote what was typed or found in files: no terminal controls.
  std::fprintf(stderr, "thudrokka%s%s: %s\n", command ? " " : "", command ? command : "",
               printableText(message).c_str());
}

int fail(const char* command, const std::string& message, int status) {
  warn(command, message);
  return status;
}

int endOfCommand(const char* command, int status) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  const std::string cause = errno ? std::string(": ") + std::strerror(errno) : "";
  fail(command, "cannot write to standard output" + cause, kExitFailure);
  return status == kExitOk ? kExitFailure : status;
}

bool parseCommand(const CommandHelp& help, const std::vector<OptionSpec>& options, int argc, char** argv,
                  CommandLine* line, int* status) {
  if (!line->parse(argc, argv, options)) {
    *status = fail(help.name, line->error() + " (see thudrokka " + help.name + " --help)", kExitUsage);
    return false;
  }
  if (line->has("--help")) {
    printUsage(help.synopsis, help.summary, options);
    *status = kExitOk;
    return false;
  }
  return true;
}

bool chooseGivenPreset(const CommandHelp& help, CommandLine& line, InstrumentHost& host, int* status) {
  const int slots = static_cast<int>(host.presets().size());
  int preset = 0;
  if (!line.intValue("--preset", 0, slots - 1, &preset)) {
    *status = fail(help.name, line.error(), kExitUsage);
    return false;
  }
  std::string error;
  if (!choosePreset(host, preset, &error)) {
    *status = fail(help.name, error, kExitFailure);
    return false;
  }
  return true;
}
