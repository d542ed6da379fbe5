#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "instrument/WaveFileWriter.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/NoteRender.h"
#include "tools/thudrokka/PresetChoice.h"
#include "tools/thudrokka/ProgressBar.h"
#include "tools/thudrokka/Subcommands.h"

namespace {

const CommandHelp kHelp = {
    "render-bank", "render-bank DIR [options]",
    "Renders one note of every preset slot into DIR, one WAVE file per slot named by its number and name."};

// Number and name, with everything but letters, digits and dashes as '_'.
std::string fileNameFor(int number, const std::string& presetName) {
  char prefix[16];
  std::snprintf(prefix, sizeof(prefix), "%03d-", number);
  std::string name = prefix;
  for (char c : presetName) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    name += plain ? c : '_';
  }
  return name + ".wav";
}

bool makeFolder(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

}  // namespace

int runRenderBank(int argc, char** argv) {
  const std::vector<OptionSpec>& options = noteRenderOptions();
  CommandLine line;
  int status = kExitOk;
  if (!parseCommand(kHelp, options, argc, argv, &line, &status)) return status;
  if (line.positional().size() != 1) return fail(kHelp.name, "give exactly one output folder", kExitUsage);
  NoteRenderSettings settings;
  if (!readNoteRenderSettings(line, &settings)) return fail(kHelp.name, line.error(), kExitUsage);
  const std::string folder = line.positional()[0];
  if (!makeFolder(folder)) return fail(kHelp.name, "cannot make folder '" + folder + "'", kExitFailure);

  std::vector<standin::HostSession::Preset> presets;
  {
    InstrumentHost lister;
    if (lister.open(settings.rate, settings.block) != noErr) {
      return fail(kHelp.name, "cannot open the instrument", kExitFailure);
    }
    presets = lister.presets();
  }
  ProgressBar progress(stderr, static_cast<int>(presets.size()));
  for (std::size_t i = 0; i < presets.size(); ++i) {
    progress.update(static_cast<int>(i), presets[i].name);
    // A fresh instance per preset: no tail of the one before.
    InstrumentHost host;
    std::string error;
    if (host.open(settings.rate, settings.block) != noErr)
      return fail(kHelp.name, "cannot open the instrument", kExitFailure);
    if (!choosePreset(host, presets[i].number, &error)) return fail(kHelp.name, error, kExitFailure);
    const std::string path = folder + "/" + fileNameFor(presets[i].number, presets[i].name);
    Quillvane::WaveFileWriter file;
    if (!file.open(path.c_str(), static_cast<int>(settings.rate), settings.bits)) {
      return fail(kHelp.name, "cannot write '" + path + "'", kExitFailure);
    }
    if (!renderNote(host, settings, file, &error)) return fail(kHelp.name, error + " '" + path + "'", kExitFailure);
    if (!file.close()) return fail(kHelp.name, "cannot write '" + path + "'", kExitFailure);
  }
  progress.update(static_cast<int>(presets.size()), "done");
  return kExitOk;
}
