#pragma once

#include <string>
#include <vector>

#include "tools/thudrokka/CommandLine.h"

class InstrumentHost;

// Exit statuses of every subcommand.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // a file, preset or render failed
constexpr int kExitUsage = 2;    // the arguments were wrong

// One subcommand: its own source file defines run, which gets the arguments
// after the subcommand's name; main.cpp lists them all.
struct Subcommand {
  const char* name;
  const char* summary;
  int (*run)(int argc, char** argv);
};

int runRender(int argc, char** argv);
int runRenderBank(int argc, char** argv);
int runPresets(int argc, char** argv);
int runProgram(int argc, char** argv);
int runGeneratePresets(int argc, char** argv);
int runEditor(int argc, char** argv);

// What a subcommand says about itself in its help.
struct CommandHelp {
  const char* name;
  const char* synopsis;
  const char* summary;
};

// "thudrokka <command>: <message>" on stderr, the message printable, or
// "thudrokka: <message>" for no command; returns status.
int fail(const char* command, const std::string& message, int status);
// The same for what the person should know of a command that goes on.
void warn(const char* command, const std::string& message);
// The status a command ends with once what it printed on standard output has
// gone there: a failure, said on stderr, when it could not.
int endOfCommand(const char* command, int status);

// Makes the preset slot that --preset gives current on the opened host. False
// when the command ends here, with status set: kExitUsage after reporting a
// value that names no slot of the bank, kExitFailure when the unit refuses it.
bool chooseGivenPreset(const CommandHelp& help, CommandLine& line, InstrumentHost& host, int* status);
// Parses the arguments; false when the command ends here, with status set:
// kExitOk after printing the help, kExitUsage after reporting a bad argument.
bool parseCommand(const CommandHelp& help, const std::vector<OptionSpec>& options, int argc, char** argv,
                  CommandLine* line, int* status);
