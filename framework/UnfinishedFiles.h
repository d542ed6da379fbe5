#pragma once

#include <string>

// A file being written beside the file it is to become, until it takes that
// file's name. Its name is of a kind of its own (".NAME.PID-N" and the mark
// ".thudrokka-unfinished"), and its writer holds an exclusive lock on it for
// as long as it is open. The lock, not the process number in the name, tells
// a file that is still being written from one whose writer is gone: the file
// system keeps it, so it holds for a writer in another process namespace or,
// over a network file system, on another machine, and it goes with the
// writer however the writer ends, killed outright too.
class UnfinishedFile {
 public:
  UnfinishedFile() = default;
  ~UnfinishedFile() { discard(); }
  UnfinishedFile(const UnfinishedFile&) = delete;
  UnfinishedFile& operator=(const UnfinishedFile&) = delete;

  // Makes a new, empty file beside target, open for writing and locked: ""
  // when done, or why it could not be made.
  std::string make(const std::string& target);
  bool isOpen() const { return mFd >= 0; }
  // Valid while the file is open.
  int descriptor() const { return mFd; }
  // Gives the file target's name while it is still locked, so that no
  // cleaner can take it for abandoned first, then closes it: 0, or the errno
  // of the rename, and then the file is still unfinished. What was written
  // must be on the disk already (fsync), as closing cannot tell whether it is.
  int finish(const std::string& target);
  // Removes the file, then lets it go.
  void discard();

 private:
  std::string mName;
  int mFd = -1;
  int mEntry = -1;  // among the files that a signal removes
};

namespace UnfinishedFiles {

// Removes the unfinished files in folder whose writers are gone, and nothing
// else: a name of another kind, whatever its numbers say, a link, a folder, a
// pipe, or a file that this process may not lock stay where they are. Nothing
// for an empty folder name.
void removeAbandoned(const std::string& folder);

// Unlinks every unfinished file of this process, for a process that a signal
// is about to end; safe in a signal handler.
void removeOwn();

}  // namespace UnfinishedFiles
