#include "presets/PresetSourceGenerator.h"

#include <ctime>
#include <string>

#include "presets/ProgramDefinitions.h"

namespace Quillvane {

using namespace Synth;

namespace {

// The name goes into a string literal of the generated source.
std::string escapedForLiteral(const char* name) {
  std::string text;
  for (const char* c = name; *c; ++c) {
    if (*c == '\\' || *c == '"') text += '\\';
    text += *c;
  }
  return text;
}

bool writeHeader(OutputFile& file) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char date[80] = "";
  if (localtime_r(&now, &local)) std::strftime(date, sizeof(date), "%Y-%m-%d at %X", &local);
  return file.print("// THUD::ROKKA FREE version presets generated on %s\n\n", date) &&
         file.print("#include \"Thudrokka.h\"\n\n") && file.print("void Thudrokka::makeThudrokkaFreePresets()\n") &&
         file.print("{\n");
}

}  // namespace

bool saveWdlProgram(const RirARorurProgram& program, OutputFile& file) {
  const char* name = program.getProgramName();
  bool ok = file.print("  // %s\n", name) && file.print("  MakePreset(\"%s\",\n", escapedForLiteral(name).c_str());
  for (int i = 0; ok && i < kNumParameters; ++i) {
    const auto p = static_cast<eVstParameters>(i);
    const char* separator = i + 1 < kNumParameters ? "," : "";
    ok = file.print("    %1.4f%s // %s\n", program.getParameterValue(p, true), separator,
                    program.getParameterNameText(p));
  }
  return ok && file.print("    );\n\n");
}

bool saveFreePrograms4Wdl(const char* path, std::string* error) {
  OutputFile file;
  if (file.open(path)) {
    RirARorurProgram program;
    writeHeader(file);
    runProgramDefinitionsInBankOrder(program, [&file](int, const RirARorurProgram& p) {
      if (!file.failed()) saveWdlProgram(p, file);
    });
    file.print("} // makeThudrokkaFreePresets\n\n");
    if (file.commit()) return true;
  }
  if (error) *error = file.error();
  return false;
}

}  // namespace Quillvane
