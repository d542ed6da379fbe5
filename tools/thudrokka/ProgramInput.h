#pragma once

#include <string>

class Thudrokka;

// Loads the program file named on the command line ('-': standard input)
// into the instrument, as the editor's load button does. The file is read
// whole first (see WholeInput), so that the instrument reads only memory,
// and each line that is not what its place in the file asks for is named
// on standard error for command, as every command that reads a program
// names it; the program loads all the same. False, after saying why, when
// the program cannot be read or is refused.
bool loadProgramArgument(const char* command, const std::string& argument, Thudrokka& instrument);
