#pragma once

#include <string>

class InstrumentHost;

// Makes preset slot number current on an opened host; false, with a message
// naming the slots there are, for a number the bank does not hold.
bool choosePreset(InstrumentHost& host, int number, std::string* error);
