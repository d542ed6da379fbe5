// Stands in for an Audio Unit host on Linux: drives one registered component
// only through the Component Manager, the Audio Unit calls and the
// fast-dispatch procedures the unit hands out.
#pragma once

#include <string>
#include <vector>

#include "platform/standin/AudioUnitCarbonView.h"
#include "platform/standin/AudioUnitProperties.h"
#include "platform/standin/NSGeometry.h"

class NSView;

namespace standin {

class HostSession {
 public:
  struct Preset {
    SInt32 number;
    std::string name;
  };

  // Most channels one render call can carry.
  static constexpr UInt32 kMaxRenderChannels = 64;

  HostSession();
  // Closes the Carbon view and the unit when they are still open.
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Opens the first registered component that matches and fetches its
  // fast-dispatch procedures; a unit without them is driven through its entry.
  OSStatus Open(const ComponentDescription& description);
  OSStatus Close();
  AudioUnit Unit() const { return mUnit; }

  OSStatus SetSampleRate(Float64 rate);
  OSStatus SetMaxFramesPerSlice(UInt32 frames);
  // Non-interleaved 32-bit float, as the unit takes it.
  OSStatus SetStreamFormat(AudioUnitScope scope, AudioUnitElement bus, UInt32 channels, Float64 sampleRate);
  OSStatus Initialize();
  OSStatus Uninitialize();

  // Number of parameters in the global scope; 0 when the unit cannot say.
  UInt32 ParameterCount();
  OSStatus GetParameter(AudioUnitParameterID id, AudioUnitParameterValue* value);
  OSStatus SetParameter(AudioUnitParameterID id, AudioUnitParameterValue value);

  OSStatus SendMIDI(UInt8 status, UInt8 data1, UInt8 data2, UInt32 offsetFrames);
  OSStatus SendSysEx(const UInt8* data, UInt32 length);

  // Renders one slice of an output bus at the current sample time. Each
  // entry of channels is a host buffer of at least frames floats, or null to
  // let the unit supply one; on return it points at the rendered samples.
  OSStatus Render(UInt32 bus, UInt32 frames, float** channels, UInt32 nChannels);
  // Moves the time line on once every bus of a slice has been rendered.
  void AdvanceSampleTime(UInt32 frames) { mSampleTime += frames; }
  Float64 SampleTime() const { return mSampleTime; }

  // The caller owns and releases the state.
  OSStatus GetState(CFPropertyListRef* outState);
  OSStatus SetState(CFPropertyListRef state);
  OSStatus GetFactoryPresets(std::vector<Preset>* presets);
  OSStatus GetCurrentPreset(Preset* preset);
  OSStatus SetCurrentPreset(SInt32 number);

  // The unit's editor as a Cocoa view: the class the Cocoa UI property names
  // is made by name, asked for a view of the given size and released. Null
  // when the unit offers none. The view is the caller's, to put in a window.
  NSView* OpenCocoaView(NSSize size);
  // The unit's editor in a Carbon window: the view component of the unit's
  // UI component list is opened and asked to create its control in the
  // parent control (null: the window's own).
  OSStatus OpenCarbonView(WindowRef window, ControlRef parent, ControlRef* outControl);
  OSStatus CloseCarbonView();
  AudioUnitCarbonView CarbonView() const { return mCarbonView; }

 private:
  template <class Proc>
  void FetchFastProc(SInt16 selector, Proc* proc);

  AudioUnit mUnit = nullptr;
  AudioUnitCarbonView mCarbonView = nullptr;
  void* mStorage = nullptr;
  AudioUnitGetParameterProc mGetParameter = nullptr;
  AudioUnitSetParameterProc mSetParameter = nullptr;
  AudioUnitRenderProc mRender = nullptr;
  Float64 mSampleTime = 0.0;
  std::vector<unsigned char> mBufferListStorage;
};

}  // namespace standin
