#include <string>

#include "framework/OutputFile.h"
#include "framework/UnfinishedFiles.h"
#include "instrument/Thudrokka.h"
#include "instrument/WaveFileWriter.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/NoteRender.h"
#include "tools/thudrokka/ProgramInput.h"
#include "tools/thudrokka/StandardStreams.h"
#include "tools/thudrokka/Subcommands.h"

namespace {
const CommandHelp kHelp = {"render", "render --preset N | --program FILE [options] -o FILE.wav",
                           "Plays one note of a preset slot or a program file and writes it to a stereo WAVE file. "
                           "The file's header holds its true sizes from the first byte, so it may go to a pipe: "
                           "-o - writes to standard output, where it stands, and --program - reads standard "
                           "input; the output may not be the program file. Unfinished files that renders killed "
                           "outright (SIGKILL) left beside the output are removed, and no other file."};
}  // namespace

int runRender(int argc, char** argv) {
  std::vector<OptionSpec> options = {
      {"--preset", "N", nullptr, "preset slot, counted from 0"},
      {"--program", "FILE", nullptr, "program file to play instead of a preset, or - for standard input"},
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

  const std::string output = line.value("-o");
  if (line.has("--program")) {
    const std::string refusal = writeOverRefusal("-o", output, "program", line.value("--program"));
    if (!refusal.empty()) return fail(kHelp.name, refusal, kExitFailure);
  }
  if (goesToATerminal(output)) {
    return fail(kHelp.name,
                shownName(output, Use::kWrite) + " is a terminal, which cannot show a WAVE file: redirect it to a "
                                                 "file or a program, or name a file with -o",
                kExitFailure);
  }
  Quillvane::WaveFileWriter file;
  if ((status = openNoteFile(settings, outputPath(output), kHelp.name, &file)) != kExitOk) return status;
  InstrumentHost host;
  if (host.open(settings.rate, settings.block) != noErr)
    return fail(kHelp.name, "cannot open the instrument", kExitFailure);
  if (line.has("--preset") && !chooseGivenPreset(kHelp, line, host, &status)) return status;
  if (line.has("--program") && !loadProgramArgument(kHelp.name, line.value("--program"), *host.instrument())) {
    return kExitFailure;
  }
  // Only once the render is sure to run: a refused one leaves the folder as it was.
  UnfinishedFiles::removeAbandoned(OutputFile::unfinishedFolder(outputPath(output).c_str()));

  int64_t clipped = 0;
  const std::string shown = shownName(output, Use::kWrite);
  status = renderNoteInto(host, settings, file, shown, kHelp.name, &clipped);
  if (status == kExitOk && clipped > 0) {
    warn(kHelp.name, shown + " holds " + std::to_string(clipped) + " samples clipped at full scale; " +
                         kKeepClippedSamples);
  }
  return status;
}
