#include "tests/presets/InstalledBank.h"

#include "framework/ByteChunk.h"
#include "framework/WDL_String.h"
#include "instrument/Thudrokka.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace presetstest {

namespace {

// Reads every slot back through the framework's serialised preset list:
// name, initialised flag, then the slot's doubles.
InstalledBank readSlots(IPlugBase& plug) {
  ByteChunk all;
  plug.SerializePresets(&all);
  InstalledBank bank;
  int pos = 0;
  for (int i = 0; i < plug.NPresets() && pos >= 0; ++i) {
    InstalledPreset slot;
    WDL_String name;
    pos = all.GetStr(&name, pos);
    slot.name = name.Get();
    unsigned char initialized = 0;
    pos = all.Get(&initialized, pos);
    slot.initialized = initialized != 0;
    const int start = pos;
    for (int p = 0; slot.initialized && pos >= 0 && p < plug.NParams(); ++p) {
      double v = 0.0;
      pos = all.Get(&v, pos);
      slot.values.push_back(v);
    }
    slot.chunkBytes = pos - start;
    bank.slots.push_back(slot);
  }
  bank.trailingBytes = pos < 0 ? -1 : all.Size() - pos;
  return bank;
}

}  // namespace

const InstalledBank& installedBank() {
  static const InstalledBank bank = [] {
    InstrumentHost host;
    if (host.open(44100.0, 512) != noErr || !host.instrument()) return InstalledBank();
    return readSlots(*host.instrument());
  }();
  return bank;
}

}  // namespace presetstest
