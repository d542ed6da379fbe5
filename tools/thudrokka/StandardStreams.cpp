#include "tools/thudrokka/StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include "framework/FileNames.h"
#include "tools/thudrokka/PrintableText.h"

namespace {
constexpr const char* kStandardOutputPath = "/dev/stdout";
}  // namespace

std::string outputPath(const std::string& argument) {
  return argument == kStandardStream ? kStandardOutputPath : argument;
}

std::string shownOutput(const std::string& argument) {
  return FileNames::namedDescriptor(outputPath(argument)) == STDOUT_FILENO ? "standard output"
                                                                           : "'" + printableText(argument) + "'";
}

bool goesToATerminal(const std::string& argument) {
  const int descriptor = FileNames::namedDescriptor(outputPath(argument));
  return descriptor >= 0 && ::isatty(descriptor);
}

void holdMissingStandardStreams() {
  for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(stream, F_GETFD) >= 0) continue;
    // The lowest free number is the missing stream's own.
    const int held = ::open("/dev/null", stream == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    if (held >= 0 && held != stream) ::close(held);
  }
}
