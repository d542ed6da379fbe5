#include "tools/thudrokka/InstrumentHost.h"

#include <algorithm>
#include <mutex>

#include "instrument/Thudrokka.h"
#include "lice/PNG.h"
#include "platform/mac/ThudrokkaEntry.h"
#include "platform/standin/CFBundle.h"
#include "platform/standin/Components.h"

namespace {
constexpr UInt8 kNoteOnStatus = 0x90;
constexpr UInt8 kNoteOffStatus = 0x80;
constexpr const char* kBundleLocation = "/Library/Audio/Plug-Ins/Components/Thudrokka.component";
}  // namespace

void InstallThudrokka() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    standin::RegisterBundle(Thudrokka::kBundleID, kBundleLocation);
    standin::SetBundleResourceFolder(Thudrokka::kBundleID, LICE_ResourceRoot().c_str());
  });
  RegisterThudrokkaComponents();
}

InstrumentHost::InstrumentHost() { InstallThudrokka(); }

OSStatus InstrumentHost::open(double sampleRate, int blockSize) {
  OSStatus status = mSession.Open(kThudrokkaComponentDescription);
  if (status == noErr) status = mSession.SetStreamFormat(kAudioUnitScope_Output, 0, 2, sampleRate);
  if (status == noErr) status = mSession.SetSampleRate(sampleRate);
  if (status == noErr) status = mSession.SetMaxFramesPerSlice(static_cast<UInt32>(blockSize));
  if (status == noErr) status = mSession.Initialize();
  mBlockSize = status == noErr ? blockSize : 0;
  mSampleRate = status == noErr ? sampleRate : 0.0;
  return status;
}

Thudrokka* InstrumentHost::instrument() const {
  if (!mSession.Unit()) return nullptr;
  return static_cast<Thudrokka*>(reinterpret_cast<IPlugAU*>(GetComponentInstanceStorage(mSession.Unit())));
}

std::vector<standin::HostSession::Preset> InstrumentHost::presets() {
  std::vector<standin::HostSession::Preset> list;
  if (mSession.GetFactoryPresets(&list) != noErr) list.clear();
  return list;
}

OSStatus InstrumentHost::selectPreset(int number) { return mSession.SetCurrentPreset(number); }

OSStatus InstrumentHost::noteOn(int note, int velocity, int offset) {
  return mSession.SendMIDI(kNoteOnStatus, static_cast<UInt8>(note), static_cast<UInt8>(velocity),
                           static_cast<UInt32>(offset));
}

OSStatus InstrumentHost::noteOff(int note, int offset) {
  return mSession.SendMIDI(kNoteOffStatus, static_cast<UInt8>(note), 0, static_cast<UInt32>(offset));
}

OSStatus InstrumentHost::render(int frames, float* left, float* right) {
  float* const targets[2] = {left, right};
  float* channels[2] = {left, right};
  const OSStatus status = mSession.Render(0, static_cast<UInt32>(frames), channels, 2);
  mSession.AdvanceSampleTime(static_cast<UInt32>(frames));
  // A unit may answer with buffers of its own.
  for (int c = 0; c < 2; ++c) {
    if (status == noErr && channels[c] != targets[c]) std::copy(channels[c], channels[c] + frames, targets[c]);
  }
  return status;
}

OSStatus InstrumentHost::playNote(int note, int velocity, int64_t heldFrames) {
  std::vector<float> left(static_cast<std::size_t>(mBlockSize)), right(left.size());
  // Unopened, there is no slice to render in.
  OSStatus status = mBlockSize > 0 ? noteOn(note, velocity, 0) : kAudioUnitErr_CannotDoInCurrentContext;
  for (int64_t position = 0; status == noErr; position += mBlockSize) {
    const bool releases = position + mBlockSize > heldFrames;
    if (releases) status = noteOff(note, static_cast<int>(heldFrames - position));
    if (status == noErr) status = render(mBlockSize, left.data(), right.data());
    if (releases) break;
  }
  return status;
}
