#include "tools/thudrokka/ProgramInput.h"

#include <vector>

#include "framework/InputFile.h"
#include "framework/TextCopy.h"
#include "instrument/Thudrokka.h"
#include "program/RirARorurProgram.h"
#include "tools/thudrokka/PrintableText.h"
#include "tools/thudrokka/Subcommands.h"
#include "tools/thudrokka/WholeInput.h"

namespace {

using Problem = Quillvane::ProgramLineProblem;

// Bytes of a line or value from the file that a message quotes.
constexpr std::size_t kQuotedBytes = 60;

std::string quoted(const std::string& fileText) {
  const std::string text = printableText(fileText);
  const std::size_t kept = TextFitLength(text.c_str(), kQuotedBytes);
  return "'" + text.substr(0, kept) + (kept < text.size() ? "...'" : "'");
}

std::string counted(int n, const std::string& what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// What the lines after a line of another setting have in common with it.
std::string shiftText(const Problem& problem) {
  if (problem.shifted == 0) return "";
  const std::string after = problem.shifted == 1 ? "the line after it is" : "the " + counted(problem.shifted, "line") +
                                                                                " after it are";
  const std::string lines = counted(problem.offset > 0 ? problem.offset : -problem.offset, "line");
  return "; " + after + " shifted alike, as if " + lines +
         (problem.offset > 0 ? " were missing above it" : " had been added above it");
}

std::string problemText(const Problem& problem) {
  switch (problem.kind) {
    case Problem::kOtherSetting:
      return "should hold " + problem.key + ", not " +
             (problem.found.empty() ? std::string("an empty line") : quoted(problem.found)) + shiftText(problem);
    case Problem::kNoValue:
      return "no value for " + problem.key + " in " + quoted(problem.found);
    case Problem::kNotANumber:
      return problem.key + " takes a number, not " + quoted(problem.found);
    case Problem::kUnknownName:
      return problem.key + " has no choice named " + quoted(problem.found);
    case Problem::kFileEnds:
      break;
  }
  // A file holds its name and then one line per parameter.
  const int after = Quillvane::Synth::kNumParameters + 1 - problem.line;
  const std::string rest = after == 0   ? ""
                           : after == 1 ? " and the setting after it"
                                        : " and the " + std::to_string(after) + " settings after it";
  return "the file ends before " + problem.key + rest;
}

}  // namespace

bool loadProgramArgument(const char* command, const std::string& argument, Thudrokka& instrument) {
  const auto refuse = [&](const std::string& cause) {
    fail(command, "cannot read program file " + WholeInput::sourceOf(argument) + ": " + cause, kExitFailure);
    return false;
  };
  WholeInput input;
  std::string cause;
  if (!input.read(argument, &cause)) return refuse(cause);
  const std::string memory = input.memoryPath(&cause);
  if (memory.empty()) return refuse(cause);
  // Read here first for the reader's account of the lines and its refusal,
  // given under the name the user typed rather than the copy's.
  Quillvane::RirARorurProgram check;
  std::vector<Problem> problems;
  InputFile copy;
  if (!copy.open(memory.c_str())) return refuse(copy.error());
  if (!check.readProgram(copy.stream(), &cause, &problems)) return refuse(cause);
  std::string error;
  if (!instrument.LoadProgramAsQV(memory.c_str(), &error)) {
    fail(command, error, kExitFailure);
    return false;
  }
  for (const Problem& problem : problems) {
    fail(command, WholeInput::nameOf(argument) + ":" + std::to_string(problem.line) + ": " + problemText(problem),
         kExitOk);
  }
  return true;
}
