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

std::string shownOutput(const std::string& argument) {
  return isStandardOutput(argument) ? "standard output" : "'" + printableText(argument) + "'";
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

std::string inputName(const std::string& argument) {
  return isStandardInput(argument) ? "standard input" : printableText(argument);
}

std::string shownInput(const std::string& argument) {
  return isStandardInput(argument) ? "standard input" : "'" + inputName(argument) + "'";
}

std::string inputSource(const std::string& argument) {
  return isStandardInput(argument) ? "from standard input" : shownInput(argument);
}

std::string sameFileRefusal(const std::string& input, const std::string& output) {
  if (!FileNames::sameFile(inputPath(input), outputPath(output))) return "";
  return shownInput(input) + " and " + shownOutput(output) + " are the same file";
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
