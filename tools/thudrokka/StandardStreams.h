#pragma once

#include <string>

// '-' in place of a file name: standard output for what a command writes,
// standard input for what it reads.
constexpr const char* kStandardStream = "-";

// The name that the writers open for an output named on the command line.
std::string outputPath(const std::string& argument);
// How a message names that output: "standard output", or 'ARGUMENT' printable.
std::string shownOutput(const std::string& argument);
// Whether the output is standard output, by any of its names.
bool isStandardOutput(const std::string& argument);
// Whether the output is a descriptor that goes to a terminal.
bool goesToATerminal(const std::string& argument);

// The name that readers open for an input named on the command line.
std::string inputPath(const std::string& argument);
// Whether the input is standard input, by any of its names ('-',
// /dev/stdin, /dev/fd/0, /proc/self/fd/0, a link to one of them).
bool isStandardInput(const std::string& argument);
// How a message names that input: "standard input", or the argument as
// typed, printable.
std::string inputName(const std::string& argument);
// The same in quotes, as shownOutput names an output.
std::string shownInput(const std::string& argument);
// The same after "cannot read ...": "from standard input", or 'ARGUMENT'.
std::string inputSource(const std::string& argument);
// What refuses an output that would write over an input of the same
// command, the one file however each is named, as cp refuses a copy onto
// itself: "'INPUT' and 'OUTPUT' are the same file". Empty when they are
// not one file.
std::string sameFileRefusal(const std::string& input, const std::string& output);

// Reads the input whole before anything uses it, as InputFile reads a file
// or a stream, so a pipe or a process substitution will do; false, with
// cause set in a few words, when it cannot be.
bool readInput(const std::string& argument, std::string* text, std::string* cause);

// For the start of the command: a standard stream that the command was
// started without is held by /dev/null, opened the other way round. No file
// that the command opens takes its number, so none gets what was meant for
// the stream, and using it fails as using a closed stream does.
void holdMissingStandardStreams();
