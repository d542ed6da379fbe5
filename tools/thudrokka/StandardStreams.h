#pragma once

#include <string>

// '-' in place of a file name: standard output for what a command writes,
// standard input for what it reads.
constexpr const char* kStandardStream = "-";

// The name that the writers open for an output named on the command line.
std::string outputPath(const std::string& argument);
// How a message names that output: "standard output", or 'ARGUMENT' printable.
std::string shownOutput(const std::string& argument);
// Whether the output is a descriptor that goes to a terminal.
bool goesToATerminal(const std::string& argument);

// For the start of the command: a standard stream that the command was
// started without is held by /dev/null, opened the other way round. No file
// that the command opens takes its number, so none gets what was meant for
// the stream, and using it fails as using a closed stream does.
void holdMissingStandardStreams();
