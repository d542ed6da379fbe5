#pragma once

// Runs commands, the suite's command-line host among them, as a shell does,
// and keeps what they printed.

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/support/FileContents.h"
#include "tests/support/TempDirectory.h"

namespace tooltest {

// What a command printed and how it ended.
struct ToolRun {
  int status = -1;  // the exit status, or -1 when it did not exit
  std::string out, err;
};

// Runs a command line through the shell.
inline ToolRun shell(const std::string& command) {
  const testsupport::TempDirectory dir;
  const std::string errors = dir.path("errors");
  ToolRun run;
  std::FILE* pipe = popen((command + " 2>" + errors).c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = testsupport::readFile(errors);
  return run;
}

// The suite's command-line host with these arguments.
inline ToolRun tool(const std::string& arguments) { return shell(std::string(THUDROKKA_TOOL) + " " + arguments); }

}  // namespace tooltest
