#pragma once

#include <string>

// '-' in place of a file name: standard output for what a command writes,
// standard input for what it reads.
constexpr const char* kStandardStream = "-";

// Which way a command uses a file named on its command line.
enum class Use { kRead, kWrite };
enum class Quotes { kAround, kNone };

// The name that the writers open for an output named on the command line.
std::string outputPath(const std::string& argument);
// Whether the output is standard output, by any of its names.
bool isStandardOutput(const std::string& argument);
// Whether the output is a descriptor that goes to a terminal.
bool goesToATerminal(const std::string& argument);

// The name that readers open for an input named on the command line.
std::string inputPath(const std::string& argument);
// Whether the input is standard input, by any of its names ('-',
// /dev/stdin, /dev/fd/0, /proc/self/fd/0, a link to one of them).
bool isStandardInput(const std::string& argument);

// How a message names a file named on the command line: "standard input"
// or "standard output" when it is the stream that '-' stands for in its
// use, by any of its names; otherwise the argument, printable, in quotes,
// or bare for a "NAME:LINE:" location.
std::string shownName(const std::string& argument, Use use, Quotes quotes = Quotes::kAround);
// "cannot read WHAT 'ARGUMENT': CAUSE", or "cannot read WHAT from standard
// input: CAUSE".
std::string readFailure(const std::string& what, const std::string& argument, const std::string& cause);
// What refuses an output that would write over a file that the command
// reads, the one file however each is named, as cp refuses a copy onto
// itself: "WRITER 'OUTPUT' would write over the KIND 'INPUT'", writer being
// what names the output ("-o", "--dump") and kind what the input is to the
// command ("program", "script"). Empty when they are not one file.
std::string writeOverRefusal(const std::string& writer, const std::string& output, const std::string& kind,
                             const std::string& input);

// Reads the input whole before anything uses it, as InputFile reads a file
// or a stream, so a pipe or a process substitution will do; false, with
// cause set in a few words, when it cannot be.
bool readInput(const std::string& argument, std::string* text, std::string* cause);

// For the start of the command: a standard stream that the command was
// started without is held by /dev/null, opened the other way round. No file
// that the command opens takes its number, so none gets what was meant for
// the stream, and using it fails as using a closed stream does.
void holdMissingStandardStreams();
