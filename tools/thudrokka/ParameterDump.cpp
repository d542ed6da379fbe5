#include "tools/thudrokka/ParameterDump.h"

#include <cstdio>

#include "tools/thudrokka/InstrumentHost.h"

bool parameterValuesText(InstrumentHost& host, std::string* text) {
  text->clear();
  const UInt32 count = host.session().ParameterCount();
  for (UInt32 p = 0; p < count; ++p) {
    AudioUnitParameterValue value = 0.0f;
    if (host.session().GetParameter(p, &value) != noErr) return false;
    char number[32];
    std::snprintf(number, sizeof(number), "%s%1.4f", p ? " " : "", static_cast<double>(value));
    *text += number;
  }
  return true;
}
