#pragma once

#include <sys/types.h>

// A command that a signal ends (every signal whose default action ends the
// process: interrupted, terminated, hung up, quit, a broken pipe, a timer, a
// user's signal, a limit passed, a fault, the real-time signals) leaves
// nothing but finished files: its workers are terminated and waited for,
// the unfinished files of its writers go, and the command then ends by that
// signal, as it would have. A signal that the command was started with
// ignored stays ignored, and one that has a handler already (a sanitizer's)
// keeps it.
void endCleanlyOnSignals();

// The worker processes that a signal ending the command ends too; false
// when there are too many to keep.
bool addWorker(pid_t worker);
void removeWorker(pid_t worker);
// In a new worker: the workers of the process it was forked from are not its
// own, and the terminate signal that this process sends it always ends it
// cleanly.
void becomeWorker();
// Tells a worker to end, and lets it go on if it was stopped, so that it
// can: a stopped worker would hold whoever waits for it for ever. Safe in a
// signal handler.
void endWorker(pid_t worker);
