// Writes the engine's compiled-in user waveform tables as source text.

#include <cstdio>
#include <cstring>
#include <string>

#include "SourceText.h"
#include "framework/InputFile.h"
#include "framework/OutputFile.h"

namespace {

constexpr const char* kDefaultOutput = "engine/UserWaveforms.cpp";

void printHelp() {
  std::printf(
      "Usage: make-user-waveforms [--output PATH | --check PATH]\n"
      "Writes the fifteen user waveform tables gQvWaveform01..15 as C++ source.\n\n"
      "  --output PATH  file to write (default: %s)\n"
      "  --check PATH   compare PATH with what would be written; exit 1 if it differs\n"
      "  --help         show this text\n\n"
      "Regenerate the committed tables from the repository root with\n"
      "  cmake --build <build dir> --target regenerate-user-waveforms\n",
      kDefaultOutput);
}

int write(const std::string& path, const std::string& text) {
  OutputFile out;
  if (!out.open(path.c_str()) || !out.write(text.data(), text.size()) || !out.commit()) {
    std::fprintf(stderr, "make-user-waveforms: %s\n", out.error().c_str());
    return 1;
  }
  return 0;
}

// The file's whole text, or false with the cause in error.
bool readText(const std::string& path, std::string* text, std::string* error) {
  InputFile in;
  if (in.readWhole(path.c_str(), text)) return true;
  *error = in.error();
  return false;
}

int check(const std::string& path, const std::string& text) {
  std::string current, error;
  if (!readText(path, &current, &error)) {
    std::fprintf(stderr, "make-user-waveforms: cannot read %s: %s\n", path.c_str(), error.c_str());
    return 1;
  }
  if (current != text) {
    std::fprintf(stderr, "make-user-waveforms: %s is out of date; regenerate it\n", path.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string output = kDefaultOutput;
  std::string checked;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--help") == 0) {
      printHelp();
      return 0;
    } else if (std::strcmp(argv[i], "--output") == 0 && hasValue) {
      output = argv[++i];
    } else if (std::strcmp(argv[i], "--check") == 0 && hasValue) {
      checked = argv[++i];
    } else {
      std::fprintf(stderr, "make-user-waveforms: unknown or incomplete option %s (see --help)\n", argv[i]);
      return 2;
    }
  }
  const std::string text = makeUserWaveformSource();
  return checked.empty() ? write(output, text) : check(checked, text);
}
