#pragma once

#include <string>
#include <vector>

#include "program/VstParameters.h"

namespace presetstest {

// One preset as read back from a plug-in's preset slot.
struct InstalledPreset {
  std::string name;
  bool initialized = false;
  std::vector<double> values;  // the slot's doubles in parameter order
  int chunkBytes = 0;
};

struct InstalledBank {
  std::vector<InstalledPreset> slots;
  int trailingBytes = 0;  // serialised bytes left after the last slot's values
};

// The factory presets as the instrument holds them in its preset slots once
// a host has opened it; empty when it cannot be opened.
const InstalledBank& installedBank();

}  // namespace presetstest
