#include "engine/SoundProcessor.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "framework/InputFile.h"
#include "framework/OutputFile.h"

namespace Quillvane {

namespace {

constexpr int kTableSize = 4096;
constexpr std::size_t kMaxNameLength = 255;

// printf-style formatting of a file-name pattern, checked first so that the
// pattern cannot make printf read arguments it was not given: only "%%" and,
// when allowed, one integer conversion with flags and width.
bool formatName(const char* pattern, bool allowInteger, int value, std::string& name) {
  if (pattern == nullptr) return false;
  int conversions = 0;
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    p += std::strspn(p, "-+ #0");
    p += std::strspn(p, "0123456789");
    if ((*p != 'd' && *p != 'i') || !allowInteger || ++conversions > 1) return false;
  }
  if (conversions == 0) {
    name.clear();
    for (const char* p = pattern; *p != '\0'; ++p) {
      name += *p;
      if (*p == '%') ++p;
    }
    return name.size() <= kMaxNameLength;
  }
  char buffer[kMaxNameLength + 1];
  const int length = std::snprintf(buffer, sizeof buffer, pattern, value);
  if (length < 0 || static_cast<std::size_t>(length) > kMaxNameLength) return false;
  name = buffer;
  return true;
}

float edgeFactor(int i) {
  switch (i) {
    case 0:
    case kTableSize - 1: return 0.1f;
    case 1: return 0.3777f;
    case 2:
    case kTableSize - 3: return 0.777f;
    case kTableSize - 2: return 0.35f;
    default: return 0.997f;
  }
}

}  // namespace

bool Raw2Code(const char* inputPattern, const char* outputPattern) {
  std::string inputName, outputName;
  if (!formatName(inputPattern, true, 1, inputName) || !formatName(outputPattern, false, 0, outputName)) {
    return false;
  }
  float samples[kTableSize] = {};
  InputFile input;
  if (!input.open(inputName.c_str())) return false;
  const std::size_t count = std::fread(samples, sizeof(float), kTableSize, input.stream());
  input.close();

  OutputFile output;
  if (!output.open(outputName.c_str(), OutputFile::kAppend)) return false;
  float peak = 0.0f;
  for (std::size_t i = 0; i < count; ++i) {
    if (!std::isfinite(samples[i])) samples[i] = 0.0f;
    peak = std::fmax(peak, std::fabs(samples[i]));
  }
  output.print("void WaveformProvider::GetUserData%02d(float *pWaveform, int size)\n", 1);
  output.print("{\n");
  output.print("    if (size > %d) return;\n\n", kTableSize);
  for (int i = 0; i < kTableSize && !output.failed(); ++i) {
    const float v = peak > 0.0f ? samples[i] / peak * edgeFactor(i) : 0.0f;
    output.print("    pWaveform[%d] = %1.7f;\n", i, static_cast<double>(v));
  }
  output.print("}\n\n");
  return output.commit();
}

}  // namespace Quillvane
