// Program text files: a name line, then one "key = value;" line per
// parameter in parameter order; six choices are written by name.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "effects/Distortion.h"
#include "effects/FilterUti.h"
#include "engine/WaveformProvider.h"
#include "framework/InputFile.h"
#include "framework/OutputFile.h"
#include "framework/TextCopy.h"
#include "program/RirARorurProgram.h"

namespace Quillvane {

using namespace Synth;

namespace {

// Far beyond any line the program writes (a name is at most 255 characters),
// yet a source without line ends is refused after reading this much.
constexpr std::size_t kMaxLineLength = 65536;
const char* const kNameKey = "Name";

bool isChoice(eVstParameters p) {
  switch (p) {
    case OscWaveform1:
    case OscWaveform2:
    case OscWaveform3:
    case DistortionType:
    case FilterMode1:
    case FilterMode2:
      return true;
    default:
      return false;
  }
}

const char* choiceName(eVstParameters p, double selector) {
  switch (p) {
    case DistortionType: return Distortion::getDistortionTypeText(selector);
    case FilterMode1: return FilterUti::getFilterMode1Text(selector);
    case FilterMode2: return FilterUti::getFilterMode2Text(selector);
    default: return WaveformProvider::getWaveformText(selector);
  }
}

double choiceSelector(eVstParameters p, const char* name) {
  switch (p) {
    case DistortionType: return Distortion::getDistortionSel(Distortion::getDistortionType(name));
    case FilterMode1: return FilterUti::getFilterMode1Sel(FilterUti::getFilterMode1(name));
    case FilterMode2: return FilterUti::getFilterMode2Sel(FilterUti::getFilterMode2(name));
    default: return WaveformProvider::getWaveformSel(WaveformProvider::getWaveformType(name));
  }
}

// The text between "= " and the first ';', or false when the line has no
// room for one (the ';' must lie beyond the '=' by more than two).
bool valueText(const char* line, std::string& value) {
  const char* equals = std::strchr(line, '=');
  const char* semicolon = std::strchr(line, ';');
  if (!equals || !semicolon || semicolon <= equals + 2) return false;
  value.assign(equals + 2, semicolon);
  return true;
}

// The key a line begins with: after any blanks, up to a blank, '=' or ';'.
std::string namedKey(const char* line) {
  const char* begin = line + std::strspn(line, " \t");
  return std::string(begin, std::strcspn(begin, " \t=;"));
}

// Whether more than blanks follows the first ';' of a line, where its value
// ends. The writer puts nothing there; a name that held a ';' when another
// program wrote the file does.
bool moreAfterValue(const char* line) {
  const char* semicolon = std::strchr(line, ';');
  return semicolon && semicolon[1 + std::strspn(semicolon + 1, " \t")] != '\0';
}

bool isNumber(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  return end != begin && std::isfinite(value) && end[std::strspn(end, " \t")] == '\0';
}

bool isChoiceName(eVstParameters p, const char* name) {
  // Every unknown name reads as the first choice; only its own name may.
  const double first = choiceSelector(p, "");
  return choiceSelector(p, name) != first || std::strcmp(name, choiceName(p, first)) == 0;
}

// The place whose line the writer starts with key: -1 for the name, or the
// parameter's index.
std::optional<int> placeOf(const RirARorurProgram& program, const std::string& key) {
  if (key == kNameKey) return -1;
  for (int p = 0; p < kNumParameters; ++p) {
    if (key == program.getParameterNameText(static_cast<eVstParameters>(p))) return p;
  }
  return std::nullopt;
}

// Adds the problem of a line to the list, or counts the line in the run of
// shifted lines just before it.
void addProblem(std::vector<ProgramLineProblem>& problems, ProgramLineProblem problem) {
  using Problem = ProgramLineProblem;
  if (!problems.empty()) {
    Problem& last = problems.back();
    if (problem.kind == Problem::kOtherSetting && last.kind == Problem::kOtherSetting && problem.offset != 0 &&
        problem.offset == last.offset && problem.line == last.line + last.shifted + 1) {
      ++last.shifted;
      return;
    }
  }
  problems.push_back(std::move(problem));
}

// How a line differs from the line the writer puts at position k (-1: the
// name), if it does: it names another setting, or holds no value the
// reader takes. The reader may take it all the same: a key inside another
// passes its test.
std::optional<ProgramLineProblem> shapeProblem(const RirARorurProgram& program, const char* line, int k,
                                               const char* key) {
  using Problem = ProgramLineProblem;
  const std::string named = namedKey(line);
  if (named != key) {
    int offset = 0;
    if (const std::optional<int> place = placeOf(program, named)) offset = *place - k;
    return Problem{Problem::kOtherSetting, k + 2, key, line, offset};
  }
  std::string value;
  if (!valueText(line, value)) return Problem{Problem::kNoValue, k + 2, key, line};
  return std::nullopt;
}

enum class LineRead { kLine, kEnd, kTooLong };

// The line of text that starts at at, without its end (a line feed, a
// carriage return and line feed, or a lone carriage return); at moves past
// it. A line of more than maxLength characters is not taken.
LineRead readLine(const std::string& text, std::size_t& at, std::string& line, std::size_t maxLength) {
  if (at >= text.size()) return LineRead::kEnd;
  const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
  if (end - at > maxLength) return LineRead::kTooLong;
  line.assign(text, at, end - at);
  // A carriage return and a line feed end one line.
  at = end < text.size() ? end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1) : end;
  return LineRead::kLine;
}

// The first line from at on that holds more than blanks, which comes after
// the last setting, counted as line; with the lines after it.
std::optional<ProgramLineProblem> linesAfterTheEnd(const std::string& text, std::size_t at, int line,
                                                   const std::string& lastKey) {
  std::string row;
  for (; readLine(text, at, row, std::string::npos) == LineRead::kLine; ++line) {
    if (row.find_first_not_of(" \t") == std::string::npos) continue;
    ProgramLineProblem problem{ProgramLineProblem::kAfterTheEnd, line, lastKey, row};
    while (readLine(text, at, row, std::string::npos) == LineRead::kLine) ++problem.shifted;
    return problem;
  }
  return std::nullopt;
}

bool refuse(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return false;
}

}  // namespace

bool RirARorurProgram::saveProgram(const char* path, std::string* error) const {
  OutputFile file;
  if (file.open(path)) {
    file.print("Name = %s;\n", nameInFile(mName.c_str()).c_str());
    for (int i = 0; i < kNumParameters && !file.failed(); ++i) {
      const auto p = static_cast<eVstParameters>(i);
      const double value = getParameterValue(p, true);
      const char* key = getParameterNameText(p);
      if (isChoice(p)) {
        file.print("%s = %s;\n", key, choiceName(p, value));
      } else {
        file.print("%s = %g;\n", key, value);
      }
    }
    if (file.commit()) return true;
  }
  if (error) *error = file.error();
  return false;
}

bool RirARorurProgram::loadProgram(const char* path, std::string* error,
                                   std::vector<ProgramLineProblem>* problems) {
  if (!path) return refuse(error, "cannot read a program file without a name");
  const std::string refusal = "cannot read program file '" + std::string(path) + "': ";
  InputFile file;
  std::string text;
  if (!file.readWhole(path, &text)) return refuse(error, refusal + file.error());
  std::string reason;
  return readProgram(text, &reason, problems) || refuse(error, refusal + reason);
}

bool RirARorurProgram::readProgram(const std::string& text, std::string* error,
                                   std::vector<ProgramLineProblem>* problems) {
  using Problem = ProgramLineProblem;
  // A refused text changes nothing.
  const QVSynthProgram previous = mProgram;
  const std::string previousName = mName;
  auto refuseText = [&](const std::string& reason) {
    mProgram = previous;
    mName = previousName;
    return refuse(error, reason);
  };
  // Stores the value of the line at position k (-1: the name); says how
  // what is stored differs from what the line holds, if it does.
  auto take = [this](int k, const std::string& value) -> std::optional<Problem> {
    if (k < 0) {
      const std::string name = ValidText(value.c_str());
      mName = name.substr(0, TextFitLength(name.c_str(), kMaxNameLength));
      if (mName.size() == name.size()) return std::nullopt;
      return Problem{Problem::kNameCut, k + 2, kNameKey, mName};
    }
    const auto p = static_cast<eVstParameters>(k);
    Problem problem{Problem::kUnknownName, k + 2, getParameterNameText(p), value};
    if (isChoice(p)) {
      mProgram[p] = choiceSelector(p, value.c_str());
      return isChoiceName(p, value.c_str()) ? std::nullopt : std::optional<Problem>(problem);
    }
    const double read = std::atof(value.c_str());
    setParameterValue(p, read);
    problem.used = getParameterValue(p, true);
    if (!std::isfinite(read)) {
      problem.kind = Problem::kNotFinite;
    } else if (!isNumber(value)) {
      problem.kind = Problem::kNotANumber;
    } else if (read < 0.0 || read > 1.0) {
      problem.kind = Problem::kOutOfRange;
    } else {
      return std::nullopt;
    }
    return problem;
  };
  std::string line, value;
  int accepted = 0;
  std::vector<Problem> odd;
  std::size_t at = ByteOrderMarkLength(text.c_str());
  // k is the parameter the line at this position belongs to; -1 the name.
  int k = -1;
  for (; k < kNumParameters; ++k) {
    const LineRead read = readLine(text, at, line, kMaxLineLength);
    if (read == LineRead::kEnd) break;
    if (read == LineRead::kTooLong) {
      return refuseText("line " + std::to_string(k + 2) + " is longer than " + std::to_string(kMaxLineLength) +
                        " characters");
    }
    // A plain substring search: keys inside longer keys pass too. Like the
    // value, it sees the line up to a NUL byte.
    const char* row = line.c_str();
    const char* key = k < 0 ? kNameKey : getParameterNameText(static_cast<eVstParameters>(k));
    std::optional<Problem> problem = shapeProblem(*this, row, k, key);
    std::optional<Problem> taken;
    const bool usable = std::strstr(row, key) && valueText(row, value);
    if (usable) {
      ++accepted;
      taken = take(k, value);
      if (!problem && k < 0 && moreAfterValue(row)) problem = Problem{Problem::kNameEnds, k + 2, kNameKey, mName};
    }
    const std::size_t nul = line.find('\0');
    if (nul != std::string::npos) {
      // What is wrong with the line is its NUL byte, not the shape of what is left before it.
      addProblem(odd, {usable ? Problem::kCutAtNul : Problem::kLeftOutAtNul, k + 2, key, line.substr(0, nul)});
      problem.reset();
    }
    if (!problem) problem = taken;
    if (problem) addProblem(odd, *problem);
  }
  if (accepted == 0) return refuseText("none of its lines is a program setting");
  if (k < kNumParameters) {
    odd.push_back({Problem::kFileEnds, k + 2, getParameterNameText(static_cast<eVstParameters>(k)), ""});
  } else if (std::optional<Problem> rest =
                 linesAfterTheEnd(text, at, k + 2, getParameterNameText(static_cast<eVstParameters>(k - 1)))) {
    odd.push_back(*rest);
  }
  if (problems) problems->insert(problems->end(), odd.begin(), odd.end());
  return true;
}

}  // namespace Quillvane
