#include "tests/presets/InstalledBank.h"

#include "framework/ByteChunk.h"
#include "framework/IPlugBase.h"
#include "framework/WDL_String.h"
#include "presets/ThudrokkaFreePresets.h"

namespace presetstest {

namespace {

// Until the instrument is in the build: a plug-in object with the
// instrument's parameters and slots, filled the way the instrument fills them.
class StandInPlug : public IPlugBase {
 public:
  StandInPlug()
      : IPlugBase(Quillvane::Synth::kNumParameters, "0-1 0-2", Quillvane::kNumFactoryPresets, "", "", "", 0,
                  0, 0, 0, true, false, true, kAPIAU) {
    for (int i = 0; i < NParams(); ++i) GetParam(i)->InitDouble("p", 0.0, 0.0, 1.0, 0.001);
    for (const Quillvane::FactoryPreset& preset : Quillvane::thudrokkaFreePresets()) {
      ByteChunk chunk;
      for (double v : preset.values) chunk.Put(&v);
      MakePresetFromChunk(preset.name, &chunk);
    }
  }
  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int, double) override {}
  void EndInformHostOfParamChange(int) override {}
  void InformHostOfProgramChange() override {}
  double GetSamplePos() override { return 0.0; }
  double GetTempo() override { return 0.0; }
  void GetTimeSig(int*, int*) override {}
  void GetTime(ITimeInfo*) override {}
  void ResizeGraphics(int, int) override {}
  bool SendMidiMsg(IMidiMsg*) override { return false; }
};

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
    StandInPlug plug;
    return readSlots(plug);
  }();
  return bank;
}

}  // namespace presetstest
