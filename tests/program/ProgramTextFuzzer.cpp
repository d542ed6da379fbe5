// Feeds arbitrary bytes to the program text reader: it must never fail and
// must leave every parameter within 0..1 and the name within its length,
// and UTF-8.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "program/RirARorurProgram.h"
#include "tests/support/Utf8Check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Quillvane::RirARorurProgram program;
  std::vector<Quillvane::ProgramLineProblem> problems;
  program.readProgram(std::string(reinterpret_cast<const char*>(data), size), nullptr, &problems);
  // Every account of a line can be said.
  for (const Quillvane::ProgramLineProblem& problem : problems) {
    if (!testsupport::IsUtf8(problem.message("fuzz"))) std::abort();
  }
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
