#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/SignalsHeld.h"
#include "framework/UnfinishedFiles.h"
#include "tools/thudrokka/EndingSignals.h"
#include "tools/thudrokka/Folders.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/NoteRender.h"
#include "tools/thudrokka/PresetChoice.h"
#include "tools/thudrokka/ProgressBar.h"
#include "tools/thudrokka/StandardStreams.h"
#include "tools/thudrokka/Subcommands.h"

namespace {

const CommandHelp kHelp = {
    "render-bank", "render-bank DIR [options]",
    "Renders one note of every preset slot into DIR, one WAVE file per slot named by its number and name. DIR and "
    "the folders on its way are made when missing; an interrupted run leaves only the files it finished, and a run "
    "removes the unfinished files that runs killed outright (SIGKILL) left in DIR, and no other file."};

constexpr const char* kWorkerStopped = "a worker stopped before its presets were done";

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
    warn(kHelp.name, std::to_string(mFiles) + " of " + std::to_string(files) +
                         " files hold samples clipped at full scale, most of all '" + mWorst + "' (" +
                         std::to_string(mMost) + " samples); " + kKeepClippedSamples);
  }

 private:
  int mFiles = 0;
  int64_t mMost = 0;
  int mWorstNumber = 0;
  std::string mWorst;
};

// Reports of a worker to the parent through its pipe: a preset done, or the
// worker's failure (its message already on stderr).
struct Report {
  int preset;  // index in the list, or -1 when the worker failed
  int status;
  int64_t clipped;
};

bool sendReport(int fd, const Report& report) {
  return write(fd, &report, sizeof(report)) == static_cast<ssize_t>(sizeof(report));
}

// A worker as the parent sees it: its process and the reading end of its
// reports, closed once the worker closed its own.
struct Worker {
  pid_t pid;
  int reports;
  bool reaped = false;
};

// Waits for the worker to end: true when it finished its presets. One that
// a signal ended may have left the file it was writing, which goes here.
bool reap(Worker& worker, const std::string& folder) {
  // Ended but not reaped, its number cannot pass to another process while
  // the ending signals still go to it.
  siginfo_t info;
  while (waitid(P_PID, worker.pid, &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
  }
  removeWorker(worker.pid);
  int exit = 0;
  while (waitpid(worker.pid, &exit, 0) < 0 && errno == EINTR) {
  }
  worker.reaped = true;
  if (WIFSIGNALED(exit)) UnfinishedFiles::removeAbandoned(folder);
  return WIFEXITED(exit) && WEXITSTATUS(exit) == kExitOk;
}

// Worker k renders presets k, k + jobs, ... and reports each; it ends with
// its exit status.
[[noreturn]] void work(int k, int jobs, int reports, const std::vector<standin::HostSession::Preset>& presets,
                       const std::string& folder, const NoteRenderSettings& settings) {
  // Once the parent stops listening, a report fails instead of killing the
  // worker, which then ends after its current file.
  signal(SIGPIPE, SIG_IGN);
  int status = kExitOk;
  for (std::size_t i = static_cast<std::size_t>(k); i < presets.size() && status == kExitOk; i += jobs) {
    int64_t samples = 0;
    status = renderPreset(presets[i], folder, settings, &samples);
    if (!sendReport(reports, {status == kExitOk ? static_cast<int>(i) : -1, status, samples})) status = kExitFailure;
  }
  std::fflush(nullptr);
  _exit(status);
}

// Starts worker k with a pipe of its own: the parent sees each worker end,
// killed or not, as its pipe closes.
bool startWorker(int k, int jobs, const std::vector<standin::HostSession::Preset>& presets, const std::string& folder,
                 const NoteRenderSettings& settings, std::vector<Worker>& workers) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  std::fflush(nullptr);
  pid_t pid;
  bool kept = true;
  {
    // A signal to the parent finds the new worker among those it ends.
    const SignalsHeld held;
    pid = fork();
    if (pid == 0) becomeWorker();
    if (pid > 0) kept = addWorker(pid);
  }
  if (pid == 0) {
    close(fds[0]);
    // Held open here, the others' pipes would not fail when the parent stops listening.
    for (const Worker& other : workers) close(other.reports);
    work(k, jobs, fds[1], presets, folder, settings);
  }
  close(fds[1]);
  if (pid < 0) {
    close(fds[0]);
    return false;
  }
  workers.push_back({pid, fds[0]});
  return kept;
}

// Workers are processes, not threads: the instrument's tuning is shared by
// every instance in a process, so each preset must render in a process of
// its own making.
int renderInParallel(const std::vector<standin::HostSession::Preset>& presets, const std::string& folder,
                     const NoteRenderSettings& settings, int jobs, ProgressBar& progress, ClippedFiles& clipped) {
  std::vector<Worker> workers;
  bool startFailed = false;
  for (int k = 0; k < jobs && !startFailed; ++k) startFailed = !startWorker(k, jobs, presets, folder, settings, workers);
  int status = startFailed ? fail(kHelp.name, "cannot start the workers", kExitFailure) : kExitOk;
  int done = 0;
  bool workerDied = false;
  std::vector<pollfd> polls;
  std::vector<Worker*> polled;
  while (status == kExitOk) {
    polls.clear();
    polled.clear();
    for (Worker& worker : workers) {
      if (worker.reports < 0) continue;
      polls.push_back({worker.reports, POLLIN, 0});
      polled.push_back(&worker);
    }
    if (polls.empty()) break;
    if (poll(polls.data(), polls.size(), -1) < 0) {
      if (errno != EINTR) status = fail(kHelp.name, "cannot hear the workers", kExitFailure);
      continue;
    }
    for (std::size_t i = 0; i < polls.size() && status == kExitOk; ++i) {
      if (polls[i].revents == 0) continue;
      Worker& worker = *polled[i];
      Report report;
      if (read(worker.reports, &report, sizeof(report)) == static_cast<ssize_t>(sizeof(report))) {
        if (report.preset < 0) {
          status = report.status;
          continue;
        }
        const standin::HostSession::Preset& preset = presets[static_cast<std::size_t>(report.preset)];
        clipped.add(preset, report.clipped);
        progress.update(++done, preset.name);
        continue;
      }
      close(worker.reports);
      worker.reports = -1;
      workerDied = !reap(worker, folder);
      if (workerDied) status = fail(kHelp.name, kWorkerStopped, kExitFailure);
    }
  }
  // One failure ends the run, as it does one preset after another. A worker
  // that failed said why, and the others stop at their next report, saying
  // so too if their own file failed; a worker gone without a word ends the
  // run at once, what the others were writing going with them.
  for (Worker& worker : workers) {
    if (worker.reports >= 0) close(worker.reports);
    if (workerDied && !worker.reaped) endWorker(worker.pid);
  }
  for (Worker& worker : workers) {
    if (!worker.reaped && !reap(worker, folder) && status == kExitOk) {
      status = fail(kHelp.name, kWorkerStopped, kExitFailure);
    }
  }
  if (status == kExitOk && done != static_cast<int>(presets.size())) {
    status = fail(kHelp.name, kWorkerStopped, kExitFailure);
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
  if (line.positional()[0] == kStandardStream)
    return fail(kHelp.name, "the output is a folder of files, which standard output cannot be", kExitUsage);
  NoteRenderSettings settings;
  std::string error;
  if (!readNoteRenderSettings(line, &settings, &error)) return fail(kHelp.name, error, kExitUsage);
  int jobs = defaultJobs();
  if (line.has("--jobs") && !line.intValue("--jobs", 1, 256, &jobs)) return fail(kHelp.name, line.error(), kExitUsage);
  const std::string folder = line.positional()[0];
  if (!makeFolder(folder, &error)) return fail(kHelp.name, error, kExitFailure);

  std::vector<standin::HostSession::Preset> presets;
  {
    InstrumentHost lister;
    if (lister.open(settings.rate, settings.block) != noErr) {
      return fail(kHelp.name, "cannot open the instrument", kExitFailure);
    }
    presets = lister.presets();
  }
  // Only once the run is sure to start: a refused one leaves the folder as it was.
  UnfinishedFiles::removeAbandoned(folder);
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
