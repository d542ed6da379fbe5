#pragma once

// The temporary files of this process that are still being written, kept
// where a signal handler can reach them: a fixed table of names, so that
// removing them all takes no allocation, no lock and no call that a handler
// may not make.
namespace UnfinishedFiles {

// The entry for path; -1 when the table is full or the path too long.
int add(const char* path);
void remove(int entry);
// Unlinks every file in the table; safe in a signal handler.
void unlinkAll();

}  // namespace UnfinishedFiles
