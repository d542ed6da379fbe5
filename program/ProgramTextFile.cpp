// Program text files: a name line, then one "key = value;" line per
// parameter in parameter order; six choices are written by name.

#include <cerrno>
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

// A line break inside the name would shift every later line of the file.
std::string singleLine(const char* name) {
  std::string line = name;
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
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
// name), if it does. The reader may take it all the same: a key inside
// another passes its test, and any value is read.
std::optional<ProgramLineProblem> lineProblem(const RirARorurProgram& program, const char* line, int k,
                                              const char* key) {
  using Problem = ProgramLineProblem;
  std::string value;
  Problem::Kind kind;
  int offset = 0;
  const std::string named = namedKey(line);
  if (named != key) {
    kind = Problem::kOtherSetting;
    if (const std::optional<int> place = placeOf(program, named)) offset = *place - k;
  } else if (!valueText(line, value)) {
    kind = Problem::kNoValue;
  } else if (k < 0) {
    return std::nullopt;
  } else if (isChoice(static_cast<eVstParameters>(k))) {
    if (isChoiceName(static_cast<eVstParameters>(k), value.c_str())) return std::nullopt;
    kind = Problem::kUnknownName;
  } else {
    if (isNumber(value)) return std::nullopt;
    kind = Problem::kNotANumber;
  }
  const bool wholeLine = kind == Problem::kOtherSetting || kind == Problem::kNoValue;
  return Problem{kind, k + 2, key, wholeLine ? std::string(line) : value, offset};
}

enum class LineRead { kLine, kEnd, kTooLong, kFailed };

// One line of text without its end: a line feed, a carriage return and line
// feed, or a lone carriage return.
LineRead readLine(std::FILE* file, std::string& line) {
  line.clear();
  for (bool any = false;; any = true) {
    const int c = std::getc(file);
    if (c == EOF) return std::ferror(file) ? LineRead::kFailed : any ? LineRead::kLine : LineRead::kEnd;
    if (c == '\n') return LineRead::kLine;
    if (c == '\r') {
      const int next = std::getc(file);
      if (next != '\n' && next != EOF) std::ungetc(next, file);
      return LineRead::kLine;
    }
    if (line.size() == kMaxLineLength) return LineRead::kTooLong;
    line += static_cast<char>(c);
  }
}

bool refuse(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return false;
}

}  // namespace

bool RirARorurProgram::saveProgram(const char* path, std::string* error) const {
  OutputFile file;
  if (file.open(path)) {
    file.print("Name = %s;\n", singleLine(mName.c_str()).c_str());
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
  if (!file.open(path)) return refuse(error, refusal + file.error());
  std::string reason;
  return readProgram(file.stream(), &reason, problems) || refuse(error, refusal + reason);
}

bool RirARorurProgram::readProgram(std::FILE* file, std::string* error,
                                   std::vector<ProgramLineProblem>* problems) {
  // A refused file changes nothing.
  const QVSynthProgram previous = mProgram;
  const std::string previousName = mName;
  auto refuseFile = [&](const std::string& reason) {
    mProgram = previous;
    mName = previousName;
    return refuse(error, reason);
  };
  std::string line, value;
  int accepted = 0;
  std::vector<ProgramLineProblem> odd;
  // k is the parameter the line at this position belongs to; -1 the name.
  // Nothing past the last parameter's line is read.
  int k = -1;
  for (; k < kNumParameters; ++k) {
    const LineRead read = readLine(file, line);
    if (read == LineRead::kEnd) break;
    if (read == LineRead::kFailed) return refuseFile(std::strerror(errno));
    if (read == LineRead::kTooLong) {
      return refuseFile("line " + std::to_string(k + 2) + " is longer than " + std::to_string(kMaxLineLength) +
                        " characters");
    }
    const auto p = static_cast<eVstParameters>(k);
    // A plain substring search: keys inside longer keys pass too. Like the
    // value, it sees the line up to a NUL byte.
    const char* text = line.c_str();
    if (k < 0) text += ByteOrderMarkLength(text);
    const char* key = k < 0 ? kNameKey : getParameterNameText(p);
    if (std::optional<ProgramLineProblem> problem = lineProblem(*this, text, k, key)) addProblem(odd, *problem);
    if (!std::strstr(text, key) || !valueText(text, value)) continue;
    ++accepted;
    if (k < 0) {
      const std::string name = ValidText(value.c_str());
      mName = name.substr(0, TextFitLength(name.c_str(), kMaxNameLength));
    } else if (isChoice(p)) {
      mProgram[p] = choiceSelector(p, value.c_str());
    } else {
      setParameterValue(p, std::atof(value.c_str()));
    }
  }
  if (accepted == 0) return refuseFile("none of its lines is a program setting");
  if (k < kNumParameters) {
    odd.push_back({ProgramLineProblem::kFileEnds, k + 2, getParameterNameText(static_cast<eVstParameters>(k)), ""});
  }
  if (problems) problems->insert(problems->end(), odd.begin(), odd.end());
  return true;
}

}  // namespace Quillvane
