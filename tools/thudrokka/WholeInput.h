#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// An input named on the command line, read whole into memory before
// anything uses it: a regular file, standard input ('-', or a name such as
// /dev/stdin), another descriptor the command was given (a process
// substitution), or a named pipe that something writes. A named pipe that
// nothing writes is refused at once rather than waited on, and so are
// devices and folders. Every input, file or pipe, is held to kMaxBytes.
class WholeInput {
 public:
  static constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;

  WholeInput() = default;
  ~WholeInput();
  WholeInput(const WholeInput&) = delete;
  WholeInput& operator=(const WholeInput&) = delete;

  // False, with cause set in a few words, when it cannot be read whole.
  bool read(const std::string& argument, std::string* cause);
  const std::string& text() const { return mText; }

  // How messages name the argument: "standard input", or the argument as
  // typed, printable.
  static std::string nameOf(const std::string& argument);
  // The same after "cannot read ...": "from standard input", or 'ARGUMENT'.
  static std::string sourceOf(const std::string& argument);

  // A name that opens a copy of the text held in memory as a regular file,
  // for readers that take a path: they read what was read here, and can no
  // longer wait on a pipe. Empty, with cause set, when it cannot be made.
  std::string memoryPath(std::string* cause);

 private:
  bool readAll(int fd, std::string* cause);

  std::string mText;
  int mMemory = -1;
};
