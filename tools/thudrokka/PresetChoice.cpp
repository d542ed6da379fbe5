#include "tools/thudrokka/PresetChoice.h"

#include "tools/thudrokka/InstrumentHost.h"

bool choosePreset(InstrumentHost& host, int number, std::string* error) {
  const int count = static_cast<int>(host.presets().size());
  if (number < 0 || number >= count) {
    *error = "no preset " + std::to_string(number) + " (the slots are 0 to " + std::to_string(count - 1) + ")";
    return false;
  }
  if (host.selectPreset(number) != noErr) {
    *error = "the instrument refused preset " + std::to_string(number);
    return false;
  }
  return true;
}
