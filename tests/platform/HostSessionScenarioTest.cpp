// Whole host sessions, driven only through the registered entry and the
// procedures the unit hands out.

#include <vector>

#include "platform/standin/CFDictionary.h"
#include "tests/platform/HostFixture.h"
#include "tests/platform/UpstreamStub.h"

namespace {

using fake::FakeOutput;

TEST_F(HostTest, InstrumentSessionFromOpenToClose) {
  ASSERT_EQ(standin::CFLiveObjectCount(), 0);
  fake::FakePlug* plug = Open();
  ASSERT_NE(plug, nullptr);

  EXPECT_EQ(session.SetSampleRate(48000.0), noErr);
  EXPECT_EQ(session.SetMaxFramesPerSlice(256), noErr);
  EXPECT_EQ(session.SetStreamFormat(kAudioUnitScope_Output, 0, 2, 48000.0), noErr);
  EXPECT_EQ(session.Initialize(), noErr);
  EXPECT_EQ(plug->paramChanges, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(plug->activations, (std::vector<bool>{true}));
  EXPECT_EQ(plug->GetSampleRate(), 48000.0);

  ASSERT_EQ(session.ParameterCount(), static_cast<UInt32>(fake::kNumFakeParams));
  EXPECT_EQ(session.SetParameter(fake::kVolume, 0.75f), noErr);
  EXPECT_EQ(session.SetParameter(fake::kCutoff, 1.5f), noErr);
  AudioUnitParameterValue value = 0.0f;
  EXPECT_EQ(session.GetParameter(fake::kVolume, &value), noErr);
  EXPECT_EQ(value, 0.75f);
  EXPECT_EQ(session.GetParameter(fake::kCutoff, &value), noErr);
  EXPECT_EQ(value, 1.0f);

  EXPECT_EQ(session.SendMIDI(0x90, 60, 100, 17), noErr);
  ASSERT_EQ(plug->midi.size(), 1u);
  EXPECT_EQ(plug->midi[0].mOffset, 17);
  EXPECT_EQ(plug->midi[0].mStatus, 0x90);

  std::vector<float> left(256, -1.0f), right(256, -1.0f);
  float* channels[2] = {left.data(), right.data()};
  ASSERT_EQ(session.Render(0, 256, channels, 2), noErr);
  for (int i = 0; i < 256; i += 51) {
    EXPECT_EQ(left[i], FakeOutput(0, i)) << i;
    EXPECT_EQ(right[i], FakeOutput(1, i)) << i;
  }
  session.AdvanceSampleTime(256);

  // Bypassed, an instrument without inputs passes silence through.
  const UInt32 bypass = 1;
  ASSERT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, &bypass,
                                 sizeof(bypass)),
            noErr);
  const int processed = plug->processCalls;
  ASSERT_EQ(session.Render(0, 128, channels, 2), noErr);
  EXPECT_EQ(plug->processCalls, processed);
  EXPECT_EQ(left[0], 0.0f);
  EXPECT_EQ(right[127], 0.0f);

  EXPECT_EQ(session.Uninitialize(), noErr);
  EXPECT_EQ(session.Close(), noErr);
  EXPECT_EQ(standin::CFLiveObjectCount(), 0);
}

TEST_F(HostTest, SavedStateRestoresIntoSecondInstance) {
  Open();
  ASSERT_EQ(session.SetCurrentPreset(1), noErr);
  const AudioUnitParameterValue values[] = {0.125f, 0.625f, 2.0f, -0.25f, 0.0f, 9.0f};
  for (int i = 0; i < fake::kNumFakeParams; ++i) ASSERT_EQ(session.SetParameter(i, values[i]), noErr);

  CFPropertyListRef state = nullptr;
  ASSERT_EQ(session.GetState(&state), noErr);
  ASSERT_NE(state, nullptr);

  standin::HostSession second;
  fake::FakePlug* restored = Open(&second);
  ASSERT_EQ(second.SetState(state), noErr);
  CFRelease(state);

  for (int i = 0; i < fake::kNumFakeParams; ++i) {
    AudioUnitParameterValue original = 0.0f, copy = 1.0f;
    ASSERT_EQ(session.GetParameter(i, &original), noErr);
    ASSERT_EQ(second.GetParameter(i, &copy), noErr);
    EXPECT_EQ(copy, original) << "parameter " << i;
  }
  standin::HostSession::Preset current;
  ASSERT_EQ(second.GetCurrentPreset(&current), noErr);
  EXPECT_EQ(current.number, 1);
  EXPECT_EQ(current.name, "Kick");
  EXPECT_EQ(restored->paramChanges.size(), 2u * fake::kNumFakeParams);
}

TEST_F(HostTest, FactoryPresetListHoldsOnlyFilledSlots) {
  Open();
  std::vector<standin::HostSession::Preset> presets;
  ASSERT_EQ(session.GetFactoryPresets(&presets), noErr);
  ASSERT_EQ(presets.size(), 3u);
  const char* names[] = {"Init", "Kick", "Bass"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(presets[i].number, i);
    EXPECT_EQ(presets[i].name, names[i]);
  }
}

TEST_F(HostTest, EffectSessionPullsHostInputThroughRenderCallback) {
  fake::FakePlugConfig config;
  config.channelIO = "1-1 2-2";
  config.isInstrument = false;
  Open(config);

  struct Source {
    static OSStatus Fill(void* refCon, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32 frames,
                         AudioBufferList* data) {
      const float base = *static_cast<float*>(refCon);
      for (UInt32 k = 0; k < data->mNumberBuffers; ++k) {
        float* samples = static_cast<float*>(data->mBuffers[k].mData);
        for (UInt32 i = 0; i < frames; ++i) samples[i] = base * (k + 1);
      }
      return noErr;
    }
  };
  float base = 0.5f;
  const AURenderCallbackStruct callback = {Source::Fill, &base};
  ASSERT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, &callback,
                                 sizeof(callback)),
            noErr);
  ASSERT_EQ(session.SetStreamFormat(kAudioUnitScope_Input, 0, 2, 44100.0), noErr);
  ASSERT_EQ(session.SetStreamFormat(kAudioUnitScope_Output, 0, 2, 44100.0), noErr);
  ASSERT_EQ(session.Initialize(), noErr);

  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(session.Render(0, 64, channels, 2), noErr);
  ASSERT_NE(channels[0], nullptr);
  for (int c = 0; c < 2; ++c) {
    EXPECT_EQ(channels[c][0], 2.0f * 0.5f * (c + 1) + FakeOutput(c, 0));
    EXPECT_EQ(channels[c][63], 2.0f * 0.5f * (c + 1) + FakeOutput(c, 63));
  }
}

TEST_F(HostTest, SessionDrivesAUnitWithoutFastProceduresThroughItsEntry) {
  upstream::RegisterStub();
  standin::HostSession stub;
  ASSERT_EQ(stub.Open(upstream::kStubDescription), noErr);
  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(stub.Render(0, 16, channels, 2), noErr);
  EXPECT_EQ(upstream::StubOf(stub.Unit())->renders, 1);
  ASSERT_NE(channels[1], nullptr);
  EXPECT_EQ(channels[1][15], 1.0f);
}

}  // namespace
