#include "tools/thudrokka/StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include "framework/FileNames.h"
#include "framework/InputFile.h"
#include "framework/PrintableText.h"

namespace {
constexpr const char* kStandardOutputPath = "/dev/stdout";
constexpr const char* kStandardInputPath = "/dev/stdin";
}  // namespace

std::string outputPath(const std::string& argument) {
  return argument == kStandardStream ? kStandardOutputPath : argument;
}

bool isStandardOutput(const std::string& argument) {
  return FileNames::namedDescriptor(outputPath(argument)) == STDOUT_FILENO;
}

bool goesToATerminal(const std::string& argument) {
  const int descriptor = FileNames::namedDescriptor(outputPath(argument));
  return descriptor >= 0 && ::isatty(descriptor);
}

std::string inputPath(const std::string& argument) {
  return argument == kStandardStream ? kStandardInputPath : argument;
}

bool isStandardInput(const std::string& argument) {
  return FileNames::namedDescriptor(inputPath(argument)) == STDIN_FILENO;
}

std::string shownName(const std::string& argument, Use use, Quotes quotes) {
  if (use == Use::kRead ? isStandardInput(argument) : isStandardOutput(argument)) {
    return use == Use::kRead ? "standard input" : "standard output";
  }
  const std::string printable = printableText(argument);
  return quotes == Quotes::kAround ? "'" + printable + "'" : printable;
}

std::string readFailure(const std::string& what, const std::string& argument, const std::string& cause) {
  const std::string from = isStandardInput(argument) ? " from " : " ";
  return "cannot read " + what + from + shownName(argument, Use::kRead) + ": " + cause;
}

std::string writeOverRefusal(const std::string& writer, const std::string& output, const std::string& kind,
                             const std::string& input) {
  if (!FileNames::sameFile(inputPath(input), outputPath(output))) return "";
  const std::string read = isStandardInput(input) ? "on standard input" : shownName(input, Use::kRead);
  return writer + " " + shownName(output, Use::kWrite) + " would write over the " + kind + " " + read;
}

bool readInput(const std::string& argument, std::string* text, std::string* cause) {
  InputFile input;
  if (input.readWhole(inputPath(argument).c_str(), text, InputFile::kFileOrStream)) return true;
  *cause = input.error();
  return false;
}

void holdMissingStandardStreams() {
  for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(stream, F_GETFD) >= 0) continue;
    // The lowest free number is the missing stream's own.
    const int held = ::open("/dev/null", stream == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    if (held >= 0 && held != stream) ::close(held);
  }
}
