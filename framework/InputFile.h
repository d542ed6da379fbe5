#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// A file that a user named, for reading. It is opened without waiting (a
// pipe that no one writes would hold the reader for ever) and checked as it
// was opened, so what is read is what was checked, even when another file
// takes the name meanwhile. A folder is refused, and so is whatever else a
// reader does not take.
class InputFile {
 public:
  // Most bytes that readWhole takes from any input, file or pipe.
  static constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;

  // What readWhole takes besides a regular file.
  enum Accept {
    kRegularFile,   // nothing else: a named pipe or a device is refused at once
    kFileOrStream,  // also a named pipe that something writes, and a
                    // descriptor of this process named as FileNames tells
                    // (/dev/stdin, /dev/fd/N), read from where it stands
  };

  InputFile() = default;
  ~InputFile() { close(); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // A regular file, open at its start.
  bool open(const char* path);
  // The open file, at its start after open; null until open succeeded.
  std::FILE* stream() const { return mStream; }
  void close();

  // Reads all that path holds into text, at most kMaxBytes; false when it
  // cannot be read whole.
  bool readWhole(const char* path, std::string* text, Accept accept = kRegularFile);

  // Why open or readWhole failed, in a few words ("not a regular file", "it
  // holds more than 16777216 bytes", or the system's own), for the caller's
  // message; empty after a success.
  const std::string& error() const { return mError; }

 private:
  // The descriptor of path opened for reading, checked as accept asks, or
  // -1 with the error set; pipe, when given, tells whether it is a pipe.
  int openChecked(const char* path, Accept accept, bool* pipe);
  bool readAll(int fd, std::string* text);

  std::FILE* mStream = nullptr;
  std::string mError;
};
