#include "program/ProgramLineProblem.h"

#include <cstdio>

#include "framework/PrintableText.h"
#include "framework/TextCopy.h"
#include "program/RirARorurProgram.h"
#include "program/VstParameters.h"

namespace Quillvane {

namespace {

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

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// What the lines after a line of another setting have in common with it.
std::string shiftText(const ProgramLineProblem& problem) {
  if (problem.shifted == 0) return "";
  const std::string after = problem.shifted == 1 ? "the line after it is"
                                                 : "the " + counted(problem.shifted, "line") + " after it are";
  const std::string lines = counted(problem.offset > 0 ? problem.offset : -problem.offset, "line");
  return "; " + after + " shifted alike, as if " + lines +
         (problem.offset > 0 ? " were missing above it" : " had been added above it");
}

std::string takesANumber(const ProgramLineProblem& problem) {
  return problem.key + " takes a number from 0 to 1, not " + quoted(problem.found);
}

std::string what(const ProgramLineProblem& problem) {
  using Problem = ProgramLineProblem;
  switch (problem.kind) {
    case Problem::kOtherSetting:
      return "should hold " + problem.key + ", not " +
             (problem.found.empty() ? std::string("an empty line") : quoted(problem.found)) + shiftText(problem);
    case Problem::kNoValue:
      return "no value for " + problem.key + " in " + quoted(problem.found);
    case Problem::kLeftOutAtNul:
    case Problem::kCutAtNul:
      return (problem.found.empty() ? std::string("the line starts with a NUL byte")
                                    : "the line holds a NUL byte after " + quoted(problem.found)) +
             (problem.kind == Problem::kCutAtNul ? ": what follows it is not read" : ": the line is left out");
    case Problem::kNotANumber:
    case Problem::kOutOfRange:
      return takesANumber(problem) + ": " + number(problem.used) + " is used";
    case Problem::kNotFinite:
      return takesANumber(problem) + ": the line is left out";
    case Problem::kUnknownName:
      return problem.key + " has no choice named " + quoted(problem.found);
    case Problem::kNameCut:
      return "the name is longer than " + std::to_string(RirARorurProgram::kMaxNameLength) + " bytes and is cut to " +
             quoted(problem.found);
    case Problem::kNameEnds:
      return "the name ends at its first ';' and is cut to " + quoted(problem.found);
    case Problem::kAfterTheEnd:
      return problem.key + " was the last setting: this line" +
             (problem.shifted == 0 ? " is" : " and the " + counted(problem.shifted, "line") + " after it are") +
             " not read";
    case Problem::kFileEnds:
      break;
  }
  // A file holds its name and then one line per parameter.
  const int after = Synth::kNumParameters + 1 - problem.line;
  const std::string rest = after == 0   ? ""
                           : after == 1 ? " and the setting after it"
                                        : " and the " + std::to_string(after) + " settings after it";
  return "the file ends before " + problem.key + rest;
}

}  // namespace

std::string ProgramLineProblem::message(const std::string& file) const {
  return file + ":" + std::to_string(line) + ": " + what(*this);
}

}  // namespace Quillvane
