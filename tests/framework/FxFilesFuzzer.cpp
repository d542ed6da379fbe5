#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/framework/FuzzPlugs.h"
#include "tests/support/RecordingGraphics.h"

namespace {
struct Target {
  std::unique_ptr<fwtest::TestHostPlug> plug;
  testsupport::RecordingGraphics* gui;
};

Target MakeTarget(bool stateChunks) {
  Target t{fwtest::MakeFuzzPlug(stateChunks), new testsupport::RecordingGraphics};
  t.plug->AttachGraphics(t.gui);
  return t;
}
}  // namespace

// Writes each input to a file and loads it as a program and as a bank into a
// plug-in with and one without state chunks.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Target targets[] = {MakeTarget(false), MakeTarget(true)};
  static const std::string path = "/tmp/framework_fx_files_fuzzer." + std::to_string(getpid());

  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  for (Target& t : targets) {
    t.gui->mPrompts.clear();
    t.gui->mSetCalls.clear();
    t.gui->mScriptedAnswers.assign({path, path});
    t.plug->LoadProgramFromFXP();
    t.plug->LoadBankFromFXB();
    t.plug->mProgramChanges = 0;
    if (t.plug->NPresets() != fwtest::kFuzzSlots || !fwtest::ParamsSane(*t.plug) ||
        !fwtest::PresetNamesAreText(*t.plug)) {
      __builtin_trap();
    }
  }
  std::remove(path.c_str());
  return 0;
}
