#include "tools/thudrokka/EndingSignals.h"

#include <signal.h>
#include <sys/wait.h>

#include <atomic>
#include <cerrno>

#include "framework/UnfinishedFiles.h"

namespace {

// The signals whose default action ends the process, but for SIGKILL, which
// no handler sees, and the real-time ones, which have no names.
const int kEndingSignals[] = {SIGHUP,  SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT,   SIGBUS,
                              SIGFPE,  SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM,   SIGTERM,
                              SIGSTKFLT, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO, SIGPWR, SIGSYS};

// Every ending signal, the real-time ones included.
template <class Visit>
void forEachEndingSignal(Visit visit) {
  for (int signal : kEndingSignals) visit(signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) visit(signal);
}

// As many as render-bank starts at most.
constexpr int kMaxWorkers = 256;
std::atomic<pid_t> gWorkers[kMaxWorkers];
static_assert(std::atomic<pid_t>::is_always_lock_free, "the signal handler reads the workers");

// Only calls that are safe in a signal handler.
void endCleanly(int signal) {
  const int savedErrno = errno;
  for (const auto& worker : gWorkers) {
    const pid_t pid = worker.load();
    if (pid > 0) endWorker(pid);
  }
  for (const auto& worker : gWorkers) {
    const pid_t pid = worker.load();
    if (pid <= 0) continue;
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  UnfinishedFiles::removeOwn();
  errno = savedErrno;
  // The handler was reset on entry: once it returns, the signal ends the
  // process with its default action.
  ::raise(signal);
}

void handle(int signal, bool evenIfIgnored) {
  struct sigaction action = {};
  action.sa_handler = endCleanly;
  action.sa_flags = SA_RESETHAND;
  // One ending signal at a time.
  sigemptyset(&action.sa_mask);
  forEachEndingSignal([&action](int other) { sigaddset(&action.sa_mask, other); });
  struct sigaction previous = {};
  if (::sigaction(signal, nullptr, &previous) != 0) return;
  const bool ignored = !(previous.sa_flags & SA_SIGINFO) && previous.sa_handler == SIG_IGN;
  const bool byDefault = !(previous.sa_flags & SA_SIGINFO) && previous.sa_handler == SIG_DFL;
  if (!byDefault && !(ignored && evenIfIgnored)) return;
  ::sigaction(signal, &action, nullptr);
}

}  // namespace

void endCleanlyOnSignals() {
  forEachEndingSignal([](int signal) { handle(signal, false); });
}

bool addWorker(pid_t worker) {
  for (auto& slot : gWorkers) {
    pid_t expected = 0;
    if (slot.compare_exchange_strong(expected, worker)) return true;
  }
  return false;
}

void removeWorker(pid_t worker) {
  for (auto& slot : gWorkers) {
    pid_t expected = worker;
    slot.compare_exchange_strong(expected, 0);
  }
}

void endWorker(pid_t worker) {
  ::kill(worker, SIGTERM);
  // Stopped, it would see the terminate signal only once let go on.
  ::kill(worker, SIGCONT);
}

void becomeWorker() {
  for (auto& slot : gWorkers) slot.store(0);
  handle(SIGTERM, true);
}
