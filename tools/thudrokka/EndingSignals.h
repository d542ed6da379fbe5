#pragma once

#include <sys/types.h>

// A command that a signal ends (interrupted, terminated, hung up, quit, a
// broken pipe, a CPU or file size limit passed) leaves nothing but finished
// files: its workers are terminated and waited for, the temporary files of
// its writers go, and the command then ends by that signal, as it would
// have. A signal that the command was started with ignored stays ignored.
void endCleanlyOnSignals();

// The worker processes that a signal ending the command ends too; false
// when there are too many to keep.
bool addWorker(pid_t worker);
void removeWorker(pid_t worker);
// In a new worker: the workers of the process it was forked from are not its
// own, and the terminate signal that this process sends it always ends it
// cleanly.
void becomeWorker();
