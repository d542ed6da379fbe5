#pragma once

#include <string>

// The engine source file that defines the fifteen user tables.
std::string makeUserWaveformSource();
