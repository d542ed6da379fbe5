#pragma once

#include <string>

class Thudrokka;

// Loads the program file named on the command line ('-': standard input)
// into the instrument, as the editor's load button does. The file is read
// whole first (see readInput) and the program from that text, and each
// line that is not read as it stands is named on standard error for
// command, under the name the user gave, as every command that reads a
// program names it; the program loads all the same. False, after saying
// why, when the program cannot be read or is refused.
bool loadProgramArgument(const char* command, const std::string& argument, Thudrokka& instrument);
