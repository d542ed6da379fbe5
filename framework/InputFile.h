#pragma once

#include <cstdio>
#include <string>

// A file that a user named, open for reading. Only a regular file opens: a
// named pipe, a device or a directory is refused at once. The file is opened
// without waiting (a pipe that no one writes would hold the reader for ever)
// and checked as it was opened, so what is read is what was checked, even
// when another file takes the name meanwhile.
class InputFile {
 public:
  InputFile() = default;
  ~InputFile() { close(); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool open(const char* path);
  // The open file, at its start after open; null until open succeeded.
  std::FILE* stream() const { return mStream; }
  void close();
  // Why open failed, in a few words ("not a regular file", or the system's
  // own), for the caller's message; empty after a successful open.
  const std::string& error() const { return mError; }

 private:
  std::FILE* mStream = nullptr;
  std::string mError;
};
