#pragma once

#include <string>

class InstrumentHost;

// Every parameter's current value as the host reads it, "%1.4f" each,
// separated by single spaces; false when the unit refuses one.
bool parameterValuesText(InstrumentHost& host, std::string* text);
