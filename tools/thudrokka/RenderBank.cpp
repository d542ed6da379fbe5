#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

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

// One preset into its own file, on a fresh instance: no tail of the one
// before. Says what went wrong itself.
int renderPreset(const standin::HostSession::Preset& preset, const std::string& folder,
                 const NoteRenderSettings& settings, int64_t* clipped) {
  InstrumentHost host;
  std::string error;
  if (host.open(settings.rate, settings.block) != noErr)
    return fail(kHelp.name, "cannot open the instrument", kExitFailure);
  if (!choosePreset(host, preset.number, &error)) return fail(kHelp.name, error, kExitFailure);
  return renderNoteToFile(host, settings, folder + "/" + fileNameFor(preset.number, preset.name), kHelp.name,
                          clipped);
}

// The files that hold samples clipped at full scale, and the one with the
// most (the first in the bank of equals, in whatever order workers report).
class ClippedFiles {
 public:
  void add(const standin::HostSession::Preset& preset, int64_t clipped) {
    if (clipped <= 0) return;
    ++mFiles;
    if (clipped > mMost || (clipped == mMost && preset.number < mWorstNumber)) {
      mMost = clipped;
      mWorstNumber = preset.number;
      mWorst = fileNameFor(preset.number, preset.name);
    }
  }
  // One line on stderr when any file clipped.
  void say(int files) const {
    if (mFiles == 0) return;
    fail(kHelp.name,
         std::to_string(mFiles) + " of " + std::to_string(files) +
             " files hold samples clipped at full scale, most of all '" + mWorst + "' (" + std::to_string(mMost) +
             " samples); " + kKeepClippedSamples,
         kExitOk);
  }

 private:
  int mFiles = 0;
  int64_t mMost = 0;
  int mWorstNumber = 0;
  std::string mWorst;
};

// Reports of the workers to the parent through a pipe: a preset done, or a
// worker's failure (its message already on stderr).
struct Report {
  int preset;  // index in the list, or -1 when the worker failed
  int status;
  int64_t clipped;
};

bool sendReport(int fd, const Report& report) {
  return write(fd, &report, sizeof(report)) == static_cast<ssize_t>(sizeof(report));
}

// Workers are processes, not threads: the instrument's tuning is shared by
// every instance in a process, so each preset must render in a process of
// its own making. Worker k renders presets k, k + jobs, ...
int renderInParallel(const std::vector<standin::HostSession::Preset>& presets, const std::string& folder,
                     const NoteRenderSettings& settings, int jobs, ProgressBar& progress, ClippedFiles& clipped) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return fail(kHelp.name, "cannot start the workers", kExitFailure);
  std::fflush(nullptr);
  std::vector<pid_t> workers;
  for (int k = 0; k < jobs; ++k) {
    const pid_t pid = fork();
    if (pid < 0) break;
    if (pid == 0) {
      close(pipeFds[0]);
      // Once the parent stops listening, a report fails instead of killing
      // the worker, which then ends after its current file: no partial file.
      signal(SIGPIPE, SIG_IGN);
      int status = kExitOk;
      for (std::size_t i = static_cast<std::size_t>(k); i < presets.size() && status == kExitOk; i += jobs) {
        int64_t samples = 0;
        status = renderPreset(presets[i], folder, settings, &samples);
        if (!sendReport(pipeFds[1], {status == kExitOk ? static_cast<int>(i) : -1, status, samples})) {
          status = kExitFailure;
        }
      }
      std::fflush(nullptr);
      _exit(status);
    }
    workers.push_back(pid);
  }
  close(pipeFds[1]);
  int status = static_cast<int>(workers.size()) == jobs ? kExitOk : kExitFailure;
  if (status != kExitOk) fail(kHelp.name, "cannot start the workers", kExitFailure);
  int done = 0;
  Report report;
  while (status == kExitOk && read(pipeFds[0], &report, sizeof(report)) == static_cast<ssize_t>(sizeof(report))) {
    if (report.preset < 0) {
      status = report.status;
      break;
    }
    const standin::HostSession::Preset& preset = presets[static_cast<std::size_t>(report.preset)];
    clipped.add(preset, report.clipped);
    progress.update(++done, preset.name);
  }
  // One failure ends the run, as it does one preset after another: the
  // workers stop at their next report.
  close(pipeFds[0]);
  for (pid_t pid : workers) {
    int exit = 0;
    while (waitpid(pid, &exit, 0) < 0 && errno == EINTR) {
    }
    if (status == kExitOk && !(WIFEXITED(exit) && WEXITSTATUS(exit) == kExitOk)) {
      status = fail(kHelp.name, "a worker stopped before its presets were done", kExitFailure);
    }
  }
  if (status == kExitOk && done != static_cast<int>(presets.size())) {
    status = fail(kHelp.name, "a worker stopped before its presets were done", kExitFailure);
  }
  return status;
}

int defaultJobs() {
  const long cores = sysconf(_SC_NPROCESSORS_ONLN);
  return cores > 0 ? static_cast<int>(cores) : 1;
}

}  // namespace

int runRenderBank(int argc, char** argv) {
  std::vector<OptionSpec> options = {
      {"--jobs", "N", nullptr, "presets rendered at once, 1 to 256 (default: one per core)"},
  };
  options.insert(options.end(), noteRenderOptions().begin(), noteRenderOptions().end());
  CommandLine line;
  int status = kExitOk;
  if (!parseCommand(kHelp, options, argc, argv, &line, &status)) return status;
  if (line.positional().size() != 1) return fail(kHelp.name, "give exactly one output folder", kExitUsage);
  NoteRenderSettings settings;
  if (!readNoteRenderSettings(line, &settings)) return fail(kHelp.name, line.error(), kExitUsage);
  int jobs = defaultJobs();
  if (line.has("--jobs") && !line.intValue("--jobs", 1, 256, &jobs)) return fail(kHelp.name, line.error(), kExitUsage);
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
  ClippedFiles clipped;
  {
    ProgressBar progress(stderr, static_cast<int>(presets.size()));
    jobs = std::min(jobs, static_cast<int>(presets.size()));
    if (jobs > 1) {
      progress.update(0, presets.front().name);
      status = renderInParallel(presets, folder, settings, jobs, progress, clipped);
      if (status != kExitOk) return status;
    } else {
      for (std::size_t i = 0; i < presets.size(); ++i) {
        progress.update(static_cast<int>(i), presets[i].name);
        int64_t samples = 0;
        status = renderPreset(presets[i], folder, settings, &samples);
        if (status != kExitOk) return status;
        clipped.add(presets[i], samples);
      }
    }
    progress.update(static_cast<int>(presets.size()), "done");
  }
  clipped.say(static_cast<int>(presets.size()));
  return kExitOk;
}
