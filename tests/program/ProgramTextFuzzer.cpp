// Feeds arbitrary bytes to the program text reader: it must never fail and
// must leave every parameter within 0..1 and the name within its length,
// and UTF-8.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "program/RirARorurProgram.h"
#include "tests/support/Utf8Check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // fmemopen of an empty buffer is not portable; an empty file reads as EOF.
  static char empty = 0;
  void* buffer = size ? const_cast<uint8_t*>(data) : static_cast<void*>(&empty);
  std::FILE* file = fmemopen(buffer, size ? size : 1, "r");
  if (!file) return 0;
  Quillvane::RirARorurProgram program;
  program.readProgram(file);
  std::fclose(file);
  for (int p = 0; p < Quillvane::Synth::kNumParameters; ++p) {
    const double v = program.getParameterValue(static_cast<Quillvane::Synth::eVstParameters>(p), true);
    if (!(v >= 0.0 && v <= 1.0)) std::abort();
  }
  if (std::strlen(program.getProgramName()) > Quillvane::RirARorurProgram::kMaxNameLength &&
      std::strcmp(program.getProgramName(), "Basic Bassdrum") != 0) {
    std::abort();
  }
  if (!testsupport::IsUtf8(program.getProgramName())) std::abort();
  return 0;
}
