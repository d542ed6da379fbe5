#pragma once

#include <cstdint>
#include <vector>

#include "platform/mac/IPlugAU.h"

// A small plug-in on the adapter, standing in for the instrument. The
// link-time factory MakePlug builds one from gFakeConfig.
namespace fake {

struct FakePlugConfig {
  const char* channelIO = "0-1 0-2";
  int sideChainChannels = 0;
  bool isInstrument = true;
  // Preset slots; the first three are filled, the rest stay empty.
  int presetSlots = 5;
  bool factoryReturnsNull = false;
  bool factoryThrows = false;
  // Called at the end of construction, as the instrument builds its editor there.
  void (*makeEditor)(IPlugAU* plug) = nullptr;
};

extern FakePlugConfig gFakeConfig;

enum FakeParams { kVolume = 0, kCutoff, kMode, kDrive, kPower, kSteps, kNumFakeParams };

// What the fake renders on output channel c at frame i, without input.
inline float FakeOutput(int c, int i) { return static_cast<float>((c + 1) * 0.25 + i / 1024.0); }

class FakePlug : public IPlugAU {
 public:
  explicit FakePlug(const FakePlugConfig& config);

  void Reset() override;
  void OnParamChange(int idx) override;
  void OnActivate(bool active) override;
  void ProcessMidiMsg(IMidiMsg* msg) override;
  void ProcessSysEx(ISysEx* msg) override;
  // Input channel c doubled, plus (c + 1) / 4 and i / 1024 on frame i.
  void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) override;
  void OnHostIdentified() override { ++hostIdentified; }
  void OnWindowResize() override { ++windowResizes; }

  using IPlugAU::AssessInputConnections;
  using IPlugAU::CheckLegalIO;
  using IPlugAU::ClearConnections;
  using IPlugAU::GetBus;
  using IPlugAU::GetChannelLayoutTags;
  using IPlugAU::GetProc;
  using IPlugAU::InformListeners;
  using IPlugAU::mComponentInstance;
  using IPlugAU::mHost;
  using IPlugAU::mInitialized;
  using IPlugAU::mInputBuses;
  using IPlugAU::mInputConnections;
  using IPlugAU::mListeners;
  using IPlugAU::mOutputBuses;
  using IPlugAU::mOutputScratch;
  using IPlugAU::mRenderNotifications;
  using IPlugAU::NHostChannelsConnected;

  std::vector<int> paramChanges;
  std::vector<bool> activations;
  std::vector<IMidiMsg> midi;
  std::vector<std::vector<uint8_t>> sysex;
  int resets = 0;
  int processCalls = 0;
  int hostIdentified = 0;
  int windowResizes = 0;
};

// The fake most recently made by MakePlug.
FakePlug* LastFakePlug();

}  // namespace fake
