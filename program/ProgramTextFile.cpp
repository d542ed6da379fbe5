// Program text files: a name line, then one "key = value;" line per
// parameter in parameter order; six choices are written by name.

#include <cstdlib>
#include <cstring>
#include <string>

#include "effects/Distortion.h"
#include "effects/FilterUti.h"
#include "engine/WaveformProvider.h"
#include "program/RirARorurProgram.h"

namespace Quillvane {

using namespace Synth;

namespace {

constexpr int kLineBufferSize = 1024;
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

}  // namespace

bool RirARorurProgram::saveProgram(const char* path) const {
  if (!path) return false;
  std::FILE* file = std::fopen(path, "w");
  if (!file) return false;
  bool written = std::fprintf(file, "Name = %s;\n", singleLine(mName.c_str()).c_str()) > 0;
  for (int i = 0; i < kNumParameters && written; ++i) {
    const auto p = static_cast<eVstParameters>(i);
    const double value = getParameterValue(p, true);
    const char* key = getParameterNameText(p);
    written = isChoice(p) ? std::fprintf(file, "%s = %s;\n", key, choiceName(p, value)) > 0
                          : std::fprintf(file, "%s = %g;\n", key, value) > 0;
  }
  written = !std::ferror(file) && written;
  return std::fclose(file) == 0 && written;
}

bool RirARorurProgram::loadProgram(const char* path) {
  if (!path) return false;
  std::FILE* file = std::fopen(path, "r");
  if (!file) return false;
  const bool read = readProgram(file);
  std::fclose(file);
  return read;
}

bool RirARorurProgram::readProgram(std::FILE* file) {
  char line[kLineBufferSize];
  std::string value;
  int accepted = 0;
  // k is the parameter the line at this position belongs to; -1 the name.
  for (int k = -1; std::fgets(line, sizeof line, file); ++k) {
    if (k >= kNumParameters) continue;
    const auto p = static_cast<eVstParameters>(k);
    // A plain substring search: keys inside longer keys pass too.
    const char* key = k < 0 ? kNameKey : getParameterNameText(p);
    if (!std::strstr(line, key) || !valueText(line, value)) continue;
    ++accepted;
    if (k < 0) {
      mName = value.substr(0, kMaxNameLength);
    } else if (isChoice(p)) {
      mProgram[p] = choiceSelector(p, value.c_str());
    } else {
      setParameterValue(p, std::atof(value.c_str()));
    }
  }
  return !std::ferror(file) && accepted > 0;
}

}  // namespace Quillvane
