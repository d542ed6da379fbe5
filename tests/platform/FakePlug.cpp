#include "tests/platform/FakePlug.h"

#include <stdexcept>

namespace fake {

FakePlugConfig gFakeConfig;

namespace {
FakePlug* gLastFakePlug = nullptr;

IPlugInstanceInfo FakeInstanceInfo() {
  IPlugInstanceInfo info;
  info.mBundleID.Set("com.example.fakeplug");
  info.mCocoaViewFactoryClassName.Set("Thudrokka_View");
  return info;
}
}  // namespace

FakePlug* LastFakePlug() { return gLastFakePlug; }

FakePlug::FakePlug(const FakePlugConfig& config)
    : IPlugAU(FakeInstanceInfo(), kNumFakeParams, config.channelIO, config.presetSlots, "Fake Plug", "",
              "Quillvane", 0x10502, FourCC("3bti"), FourCC("QuVa"), 0, true, false, config.isInstrument,
              config.sideChainChannels) {
  GetParam(kVolume)->InitDouble("Osc1 volume", 0.5, 0.0, 1.0, 0.001);
  GetParam(kCutoff)->InitDouble("Cutoff", 0.25, 0.0, 1.0, 0.001, "Hz", "B");
  GetParam(kMode)->InitEnum("Mode", 0, 3, "", "A");
  GetParam(kMode)->SetDisplayText(0, "LP");
  GetParam(kMode)->SetDisplayText(1, "HP");
  GetParam(kMode)->SetDisplayText(2, "BP");
  GetParam(kDrive)->InitDouble("Drive", 0.0, -1.0, 1.0, 0.001, "dB", "B");
  GetParam(kDrive)->NegateDisplay();
  GetParam(kPower)->InitBool("Power", true);
  GetParam(kSteps)->InitInt("Steps", 3, 0, 10);
  GetParam(kSteps)->SetCanAutomate(false);
  MakePreset("Init", 0.5, 0.25, 0, 0.0, 1, 3);
  MakePreset("Kick", 0.75, 0.5, 1, 0.5, 1, 7);
  MakePreset("Bass", 0.125, 1.0, 2, -0.5, 0, 10);
  if (config.makeEditor) config.makeEditor(this);
}

void FakePlug::Reset() { ++resets; }

void FakePlug::OnParamChange(int idx) { paramChanges.push_back(idx); }

void FakePlug::OnActivate(bool active) { activations.push_back(active); }

void FakePlug::ProcessMidiMsg(IMidiMsg* msg) { midi.push_back(*msg); }

void FakePlug::ProcessSysEx(ISysEx* msg) { sysex.emplace_back(msg->mData, msg->mData + msg->mSize); }

void FakePlug::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) {
  ++processCalls;
  for (int c = 0; c < NOutChannels(); ++c) {
    const double* in = c < NInChannels() ? inputs[c] : nullptr;
    for (int i = 0; i < nFrames; ++i) outputs[c][i] = (in ? 2.0 * in[i] : 0.0) + FakeOutput(c, i);
  }
}

}  // namespace fake

IPlugAU* MakePlug() {
  if (fake::gFakeConfig.factoryThrows) throw std::runtime_error("factory failed");
  if (fake::gFakeConfig.factoryReturnsNull) return nullptr;
  fake::gLastFakePlug = new fake::FakePlug(fake::gFakeConfig);
  return fake::gLastFakePlug;
}
