#include <string>

#include "instrument/Thudrokka.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/NoteRender.h"
#include "tools/thudrokka/Subcommands.h"

namespace {
const CommandHelp kHelp = {"render", "render --preset N | --program FILE [options] -o FILE.wav",
                           "Plays one note of a preset slot or a program file and writes it to a stereo WAVE file. "
                           "The file's header holds its true sizes from the first byte, so it may go to a pipe "
                           "(-o - for standard output)."};
// What "-o -" names.
constexpr const char* kStandardOutput = "/dev/stdout";
}  // namespace

int runRender(int argc, char** argv) {
  std::vector<OptionSpec> options = {
      {"--preset", "N", nullptr, "preset slot, counted from 0"},
      {"--program", "FILE", nullptr, "program file to play instead of a preset"},
      {"-o", "FILE.wav", nullptr, "the WAVE file to write, or - for standard output"},
  };
  options.insert(options.end(), noteRenderOptions().begin(), noteRenderOptions().end());
  CommandLine line;
  int status = kExitOk;
  if (!parseCommand(kHelp, options, argc, argv, &line, &status)) return status;
  if (!line.positional().empty())
    return fail(kHelp.name, "unexpected argument '" + line.positional()[0] + "'", kExitUsage);
  if (line.has("--preset") == line.has("--program"))
    return fail(kHelp.name, "give either --preset or --program", kExitUsage);
  if (!line.has("-o")) return fail(kHelp.name, "give the output file with -o", kExitUsage);
  NoteRenderSettings settings;
  std::string refusal;
  if (!readNoteRenderSettings(line, &settings, &refusal)) return fail(kHelp.name, refusal, kExitUsage);

  InstrumentHost host;
  if (host.open(settings.rate, settings.block) != noErr)
    return fail(kHelp.name, "cannot open the instrument", kExitFailure);
  if (line.has("--preset") && !chooseGivenPreset(kHelp, line, host, &status)) return status;
  std::string error;
  const std::string program = line.value("--program");
  if (line.has("--program") && !host.instrument()->LoadProgramAsQV(program.c_str(), &error)) {
    return fail(kHelp.name, error, kExitFailure);
  }

  int64_t clipped = 0;
  const std::string path = line.value("-o");
  status = renderNoteToFile(host, settings, path == "-" ? kStandardOutput : path, kHelp.name, &clipped);
  if (status == kExitOk && clipped > 0) {
    fail(kHelp.name,
         "'" + path + "' holds " + std::to_string(clipped) + " samples clipped at full scale; " + kKeepClippedSamples,
         kExitOk);
  }
  return status;
}
