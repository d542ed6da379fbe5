#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/UnfinishedFiles.h"

// A file that a user gets back whole or not at all. The bytes go to an
// unfinished file beside the target, which commit() renames over the target
// once everything is written; a failed step, or destruction without a
// commit, removes the unfinished file and leaves the target as it was. A
// link is written through: the file it names is replaced, or made when
// there is none yet. A target that is not a regular file (a device, a pipe)
// cannot be replaced and is written in place; a pipe only while something
// reads it, since a writer would wait for a reader for ever. A name for one
// of the process's descriptors (/dev/stdout, /dev/fd/N) is written through
// that descriptor, from where it stands, whatever file it holds.
//
// Every failure sets error() to one line naming the file (or "to standard
// output") and the cause, and makes every later call fail too, so a writer
// may check only the commit.
class OutputFile {
 public:
  enum Mode {
    kReplace,  // the file holds only what is written
    kAppend,   // what is written follows what the file held
  };

  OutputFile() = default;
  ~OutputFile() { discard(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool open(const char* path, Mode mode = kReplace);
  // What open would refuse about path that can be known without making
  // anything (a name too long, one that names a folder, a folder that is
  // not there), as error() would say it; empty when nothing is known.
  static std::string refusal(const char* path);
  bool write(const void* data, std::size_t size);
  bool print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Overwrites bytes already written: a header whose sizes are known last.
  bool writeAt(uint64_t offset, const void* data, std::size_t size);
  // Makes the written bytes the target's contents; false when any step
  // failed, and then the target is untouched.
  bool commit();
  // Drops what was written, if not committed yet.
  void discard();
  // Records a failure found by the writer itself (a format limit).
  void fail(const std::string& reason);

  // Whether writeAt can work: not in a pipe, a terminal or a descriptor
  // that appends.
  bool seekable() const { return mSeekable; }

  bool failed() const { return !mError.empty(); }
  // "cannot write 'PATH': cause", "cannot write to standard output: cause",
  // or "cannot make a temporary file in
  // folder 'FOLDER': cause" when only that stands in the way of replacing
  // the file; empty while nothing failed.
  const std::string& error() const { return mError; }

  // The folder where a file written to path gets its unfinished file (see
  // UnfinishedFile): beside the file that path names, links followed; ""
  // when it is written in place (a descriptor, a device, a pipe) or cannot
  // be written.
  static std::string unfinishedFolder(const char* path);

 private:
  // What a name stands for, as open finds it.
  struct Plan {
    enum Kind { kDescriptor, kInPlace, kPipe, kReplace, kNew };
    Kind kind = kNew;
    int descriptor = -1;
    unsigned permissions = 0;  // of the file replaced
  };
  bool examine(const char* path, Plan* plan);
  bool openDescriptor(int descriptor);
  bool openInPlace(bool pipe, Mode mode);
  bool makeUnfinished(bool replacing);
  bool flush();
  bool copyExisting(const std::string& from);
  void failWithErrno(const char* action, int error);
  void failWithCause(const char* action, const std::string& cause);
  void closeAndRemove();
  std::string shownName() const;

  std::string mPath;       // as the caller named it, for messages
  std::string mTarget;     // what is replaced: the path with links resolved
  UnfinishedFile mUnfinished;  // not open when writing in place
  int mStandardStream = -1;    // 0, 1 or 2 when the path names one
  uint64_t mStart = 0;         // where writing began in a descriptor's file
  // What is written to: the unfinished file's descriptor, or the one of
  // the file written in place, which is closed with it.
  int mFd = -1;
  bool mSeekable = true;
  std::vector<char> mBuffer;
  std::string mError;
};
