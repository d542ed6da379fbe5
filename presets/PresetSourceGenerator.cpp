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

bool writeHeader(std::FILE* file) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char date[80] = "";
  if (localtime_r(&now, &local)) std::strftime(date, sizeof(date), "%Y-%m-%d at %X", &local);
  return std::fprintf(file, "// THUD::ROKKA FREE version presets generated on %s\n\n", date) >= 0 &&
         std::fputs("#include \"Thudrokka.h\"\n\n", file) >= 0 &&
         std::fputs("void Thudrokka::makeThudrokkaFreePresets()\n", file) >= 0 && std::fputs("{\n", file) >= 0;
}

}  // namespace

bool saveWdlProgram(const RirARorurProgram& program, std::FILE* file) {
  if (!file) return false;
  const char* name = program.getProgramName();
  bool ok = std::fprintf(file, "  // %s\n", name) >= 0 &&
            std::fprintf(file, "  MakePreset(\"%s\",\n", escapedForLiteral(name).c_str()) >= 0;
  for (int i = 0; ok && i < kNumParameters; ++i) {
    const auto p = static_cast<eVstParameters>(i);
    const char* separator = i + 1 < kNumParameters ? "," : "";
    ok = std::fprintf(file, "    %1.4f%s // %s\n", program.getParameterValue(p, true), separator,
                      program.getParameterNameText(p)) >= 0;
  }
  return ok && std::fputs("    );\n\n", file) >= 0;
}

bool saveFreePrograms4Wdl(const char* path) {
  if (!path) return false;
  std::FILE* file = std::fopen(path, "w");
  if (!file) return false;
  RirARorurProgram program;
  bool ok = writeHeader(file);
  runProgramDefinitionsInBankOrder(program, [&ok, file](int, const RirARorurProgram& p) {
    if (ok) ok = saveWdlProgram(p, file);
  });
  ok = ok && std::fputs("} // makeThudrokkaFreePresets\n\n", file) >= 0 && !std::ferror(file);
  return std::fclose(file) == 0 && ok;
}

}  // namespace Quillvane
