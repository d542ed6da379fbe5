// The render procedure: request checks, notifications, input pulls of every
// kind, host buffers and bypass.

#include <vector>

#include "tests/platform/HostFixture.h"
#include "tests/platform/UpstreamStub.h"
#include "tests/support/AllocationCounter.h"

namespace {

using fake::FakeOutput;

constexpr AudioUnitScope kInput = kAudioUnitScope_Input;
constexpr AudioUnitScope kOutput = kAudioUnitScope_Output;

struct NotifyLog {
  std::vector<AudioUnitRenderActionFlags> flags;
};

OSStatus LogNotify(void* userData, AudioUnitRenderActionFlags* flags, const AudioTimeStamp*, UInt32, UInt32,
                   AudioBufferList*) {
  static_cast<NotifyLog*>(userData)->flags.push_back(*flags);
  return noErr;
}

// Host input on a render callback: channel k gets value * (k + 1).
struct HostInput {
  float value = 0.5f;
  OSStatus status = noErr;
  int pulls = 0;
  bool dropSecondBuffer = false;

  static OSStatus Fill(void* refCon, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32 frames,
                       AudioBufferList* data) {
    HostInput* self = static_cast<HostInput*>(refCon);
    ++self->pulls;
    if (self->status != noErr) return self->status;
    for (UInt32 k = 0; k < data->mNumberBuffers; ++k) {
      float* samples = static_cast<float*>(data->mBuffers[k].mData);
      for (UInt32 i = 0; i < frames; ++i) samples[i] = self->value * (k + 1);
    }
    if (self->dropSecondBuffer) data->mBuffers[1].mData = nullptr;
    return noErr;
  }
};

class RenderPathTest : public HostTest {
 protected:
  // A stereo effect fake whose input comes from a host render callback.
  fake::FakePlug* OpenEffect(HostInput* input) {
    fake::FakePlugConfig config;
    config.channelIO = "1-1 2-2";
    config.isInstrument = false;
    fake::FakePlug* plug = Open(config);
    const AURenderCallbackStruct callback = {HostInput::Fill, input};
    EXPECT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_SetRenderCallback, kInput, 0, &callback,
                                   sizeof(callback)),
              noErr);
    return plug;
  }

  OSStatus RenderDirect(const AudioTimeStamp* timeStamp, UInt32 bus, UInt32 frames, AudioBufferList* list) {
    AudioUnitRenderActionFlags flags = 0;
    return AudioUnitRender(unit(), &flags, timeStamp, bus, frames, list);
  }

  static AudioTimeStamp At(Float64 sampleTime) {
    AudioTimeStamp timeStamp = {};
    timeStamp.mSampleTime = sampleTime;
    timeStamp.mFlags = kAudioTimeStampSampleTimeValid;
    return timeStamp;
  }

  // A stereo buffer list over two host vectors.
  struct Stereo {
    explicit Stereo(UInt32 frames)
        : left(frames, -1.0f), right(frames, -1.0f), storage(AudioBufferListSize(2)) {
      list = reinterpret_cast<AudioBufferList*>(storage.data());
      list->mNumberBuffers = 2;
      list->mBuffers[0] = {1, frames * 4, left.data()};
      list->mBuffers[1] = {1, frames * 4, right.data()};
    }
    std::vector<float> left, right;
    std::vector<unsigned char> storage;
    AudioBufferList* list;
  };
};

TEST_F(RenderPathTest, InvalidRequestsFailBeforeAnyNotification) {
  Open();
  NotifyLog log;
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), LogNotify, &log), noErr);
  ASSERT_EQ(session.SetMaxFramesPerSlice(64), noErr);
  Stereo out(65);
  AudioTimeStamp valid = At(0.0);
  AudioTimeStamp noSampleTime = valid;
  noSampleTime.mFlags = 0;
  Stereo shortBuffers(64);
  shortBuffers.list->mBuffers[1].mDataByteSize = 63 * 4;

  EXPECT_EQ(RenderDirect(&noSampleTime, 0, 64, out.list), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(RenderDirect(&valid, 1, 64, out.list), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(RenderDirect(&valid, 0, 65, out.list), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(RenderDirect(nullptr, 0, 64, out.list), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(RenderDirect(&valid, 0, 64, nullptr), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(RenderDirect(&valid, 0, 64, shortBuffers.list), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_TRUE(log.flags.empty());
  EXPECT_EQ(out.left[0], -1.0f);

  EXPECT_EQ(RenderDirect(&valid, 0, 64, out.list), noErr);
  EXPECT_EQ(log.flags, (std::vector<AudioUnitRenderActionFlags>{kAudioUnitRenderAction_PreRender,
                                                                  kAudioUnitRenderAction_PostRender}));
  EXPECT_EQ(out.left[63], FakeOutput(0, 63));
  EXPECT_EQ(out.left[64], -1.0f);
}

TEST_F(RenderPathTest, NullHostBuffersPointIntoTheOutputScratch) {
  fake::FakePlug* plug = Open();
  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(session.Render(0, 100, channels, 2), noErr);
  EXPECT_EQ(channels[0], plug->mOutputScratch.Get());
  EXPECT_EQ(channels[1], plug->mOutputScratch.Get() + 100);
  EXPECT_EQ(channels[1][99], FakeOutput(1, 99));
}

TEST_F(RenderPathTest, FewerOrMoreHostBuffersThanBusChannels) {
  fake::FakePlug* plug = Open();
  std::vector<float> mono(32, -1.0f);
  float* one[1] = {mono.data()};
  ASSERT_EQ(session.Render(0, 32, one, 1), noErr);
  EXPECT_EQ(mono[5], FakeOutput(0, 5));
  EXPECT_TRUE(plug->IsOutChannelConnected(0));
  EXPECT_FALSE(plug->IsOutChannelConnected(1));

  // A third buffer has no channel behind it and gets silence.
  std::vector<float> a(32, -1.0f), b(32, -1.0f), c(32, -1.0f);
  float* three[3] = {a.data(), b.data(), c.data()};
  ASSERT_EQ(session.Render(0, 32, three, 3), noErr);
  EXPECT_EQ(b[7], FakeOutput(1, 7));
  EXPECT_EQ(c, std::vector<float>(32, 0.0f));
  float* nulls[3] = {nullptr, nullptr, nullptr};
  ASSERT_EQ(session.Render(0, 32, nulls, 3), noErr);
  ASSERT_NE(nulls[2], nullptr);
  EXPECT_EQ(nulls[2][31], 0.0f);
}

// Whatever an earlier call passed, every render writes every buffer of the
// format set now: a track that went from mono to stereo, or a call that
// gave fewer buffers than the format, leaves no channel unwritten later.
TEST_F(RenderPathTest, EveryCallWritesEveryBufferOfTheFormat) {
  struct Case {
    const char* what;
    UInt32 firstChannels;  // format of the first call; 0 leaves it unset
    UInt32 firstBuffers;
  };
  const Case cases[] = {
      {"mono, then stereo", 1, 1},
      {"stereo format, one buffer", 2, 1},
      {"stereo format, no buffer", 2, 0},
      {"no format, one buffer", 0, 1},
  };
  for (const Case& c : cases) {
    fake::FakePlug* plug = Open();
    if (c.firstChannels > 0) {
      ASSERT_EQ(session.SetStreamFormat(kOutput, 0, c.firstChannels, 44100.0), noErr);
    }
    ASSERT_EQ(session.Initialize(), noErr);
    std::vector<float> first(32, -1.0f);
    float* firstBuffers[1] = {first.data()};
    ASSERT_EQ(session.Render(0, 32, firstBuffers, c.firstBuffers), noErr) << c.what;
    session.AdvanceSampleTime(32);
    ASSERT_EQ(session.Uninitialize(), noErr);
    ASSERT_EQ(session.SetStreamFormat(kOutput, 0, 2, 44100.0), noErr);
    ASSERT_EQ(session.Initialize(), noErr);
    for (int call = 0; call < 2; ++call) {
      std::vector<float> left(32, -1.0f), right(32, -1.0f);
      float* stereo[2] = {left.data(), right.data()};
      ASSERT_EQ(session.Render(0, 32, stereo, 2), noErr) << c.what;
      session.AdvanceSampleTime(32);
      EXPECT_EQ(left[31], FakeOutput(0, 31)) << c.what << ", call " << call;
      EXPECT_EQ(right[31], FakeOutput(1, 31)) << c.what << ", call " << call;
    }
    EXPECT_TRUE(plug->IsOutChannelConnected(1)) << c.what;
    ASSERT_EQ(session.Close(), noErr);
  }
}

// A buffer beyond the format's channels is not rendered into, and the host
// does not play what it held before: it gets silence.
TEST_F(RenderPathTest, BuffersBeyondTheFormatGetSilence) {
  Open();
  ASSERT_EQ(session.SetStreamFormat(kOutput, 0, 1, 44100.0), noErr);
  ASSERT_EQ(session.Initialize(), noErr);
  for (int call = 0; call < 2; ++call) {
    std::vector<float> left(32, -1.0f), right(32, -1.0f);
    float* stereo[2] = {left.data(), right.data()};
    ASSERT_EQ(session.Render(0, 32, stereo, 2), noErr);
    session.AdvanceSampleTime(32);
    EXPECT_EQ(left[31], FakeOutput(0, 31)) << "call " << call;
    EXPECT_EQ(right, std::vector<float>(32, 0.0f)) << "call " << call;
  }
}

TEST_F(RenderPathTest, TheLastConnectedOutputBusProcessesEveryBus) {
  fake::FakePlugConfig config;
  config.channelIO = "0-4";
  fake::FakePlug* plug = Open(config);
  std::vector<float> out[4];
  float* bus0[2];
  float* bus1[2];
  for (int c = 0; c < 4; ++c) out[c].assign(16, -1.0f);
  bus0[0] = out[0].data();
  bus0[1] = out[1].data();
  bus1[0] = out[2].data();
  bus1[1] = out[3].data();

  // Until bus 1 has been rendered once, bus 0 is the last connected one.
  ASSERT_EQ(session.Render(0, 16, bus0, 2), noErr);
  EXPECT_EQ(plug->processCalls, 1);
  ASSERT_EQ(session.Render(1, 16, bus1, 2), noErr);
  EXPECT_EQ(plug->processCalls, 2);
  session.AdvanceSampleTime(16);

  // With both buses connected, bus 0 alone produces nothing new.
  for (auto& channel : out) channel.assign(16, -1.0f);
  ASSERT_EQ(session.Render(0, 16, bus0, 2), noErr);
  EXPECT_EQ(plug->processCalls, 2);
  EXPECT_EQ(out[0][3], -1.0f);
  ASSERT_EQ(session.Render(1, 16, bus1, 2), noErr);
  EXPECT_EQ(plug->processCalls, 3);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(out[c][3], FakeOutput(c, 3)) << c;
}

TEST_F(RenderPathTest, BypassPassesInputThroughWithoutProcessing) {
  HostInput input;
  fake::FakePlug* plug = OpenEffect(&input);
  const UInt32 bypass = 1;
  ASSERT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, &bypass,
                                 sizeof(bypass)),
            noErr);
  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(session.Render(0, 8, channels, 2), noErr);
  EXPECT_EQ(plug->processCalls, 0);
  EXPECT_EQ(channels[0][4], 0.5f);
  EXPECT_EQ(channels[1][4], 1.0f);
}

TEST_F(RenderPathTest, InputsArePulledOncePerTimeStamp) {
  HostInput input;
  OpenEffect(&input);
  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(session.Render(0, 8, channels, 2), noErr);
  ASSERT_EQ(session.Render(0, 8, channels, 2), noErr);
  EXPECT_EQ(input.pulls, 1);
  session.AdvanceSampleTime(8);
  ASSERT_EQ(session.Render(0, 8, channels, 2), noErr);
  EXPECT_EQ(input.pulls, 2);
}

TEST_F(RenderPathTest, UpstreamFailureEndsTheRenderAndPullsAgainNextTime) {
  HostInput input;
  OpenEffect(&input);
  NotifyLog log;
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), LogNotify, &log), noErr);
  input.status = -1234;
  float* channels[2] = {nullptr, nullptr};
  EXPECT_EQ(session.Render(0, 8, channels, 2), -1234);
  EXPECT_EQ(log.flags, (std::vector<AudioUnitRenderActionFlags>{kAudioUnitRenderAction_PreRender}));
  input.status = noErr;
  EXPECT_EQ(session.Render(0, 8, channels, 2), noErr);
  EXPECT_EQ(input.pulls, 2);
}

TEST_F(RenderPathTest, MissingUpstreamBufferReadsAsSilence) {
  HostInput input;
  input.dropSecondBuffer = true;
  OpenEffect(&input);
  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(session.Render(0, 8, channels, 2), noErr);
  EXPECT_EQ(channels[0][2], 1.0f + FakeOutput(0, 2));
  EXPECT_EQ(channels[1][2], FakeOutput(1, 2));
}

TEST_F(RenderPathTest, ConnectionToAUnitWithFastProcedurePullsItDirectly) {
  standin::HostSession source;
  fake::FakePlugConfig instrument;
  instrument.channelIO = "0-2";
  Open(&source, instrument);
  fake::FakePlugConfig effect;
  effect.channelIO = "1-1 2-2";
  effect.isInstrument = false;
  fake::FakePlug* plug = Open(effect);

  const AudioUnitConnection connection = {source.Unit(), 0, 0};
  ASSERT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_MakeConnection, kInput, 0, &connection,
                                 sizeof(connection)),
            noErr);
  const IPlugAU::InputConnection* record = plug->mInputConnections.Get(0);
  EXPECT_EQ(record->mInputType, IPlugAU::eDirectFastProc);
  EXPECT_EQ(record->mUpstreamObject, GetComponentInstanceStorage(source.Unit()));
  EXPECT_EQ(plug->mInputBuses.Get(0)->mHostChannelCount, 2);

  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(session.Render(0, 8, channels, 2), noErr);
  EXPECT_EQ(channels[1][6], 3.0f * FakeOutput(1, 6));

  const AudioUnitConnection none = {nullptr, 0, 0};
  ASSERT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_MakeConnection, kInput, 0, &none, sizeof(none)), noErr);
  EXPECT_EQ(record->mInputType, IPlugAU::eNotConnected);
  EXPECT_FALSE(plug->mInputBuses.Get(0)->mConnected);
}

TEST_F(RenderPathTest, ConnectionToAUnitWithoutFastProcedureRendersThroughIt) {
  upstream::RegisterStub();
  standin::HostSession source;
  Component stub = FindNextComponent(nullptr, &upstream::kStubDescription);
  AudioUnit sourceUnit = nullptr;
  ASSERT_EQ(OpenAComponent(stub, &sourceUnit), noErr);
  fake::FakePlugConfig effect;
  effect.channelIO = "1-1 2-2";
  effect.isInstrument = false;
  fake::FakePlug* plug = Open(effect);

  const AudioUnitConnection connection = {sourceUnit, 0, 0};
  ASSERT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_MakeConnection, kInput, 0, &connection,
                                 sizeof(connection)),
            noErr);
  EXPECT_EQ(plug->mInputConnections.Get(0)->mInputType, IPlugAU::eDirectNoFastProc);
  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(session.Render(0, 8, channels, 2), noErr);
  EXPECT_EQ(upstream::StubOf(sourceUnit)->renders, 1);
  EXPECT_EQ(channels[0][1], 1.0f + FakeOutput(0, 1));
  EXPECT_EQ(channels[1][1], 2.0f + FakeOutput(1, 1));

  // A source whose format the bus cannot take leaves the input unconnected.
  upstream::StubOf(sourceUnit)->channels = 3;
  EXPECT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_MakeConnection, kInput, 0, &connection,
                                 sizeof(connection)),
            kAudioUnitErr_InvalidProperty);
  const IPlugAU::InputConnection zero = {};
  EXPECT_EQ(std::memcmp(plug->mInputConnections.Get(0), &zero, sizeof(zero)), 0);
  EXPECT_FALSE(plug->mInputBuses.Get(0)->mConnected);
  EXPECT_EQ(CloseComponent(sourceUnit), noErr);
}

TEST_F(RenderPathTest, ConnectionRequestsOutsideTheInputsAreRefused) {
  HostInput input;
  OpenEffect(&input);
  const AudioUnitConnection toMissingInput = {nullptr, 0, 1};
  const AudioUnitConnection fine = {nullptr, 0, 0};
  EXPECT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_MakeConnection, kInput, 0, &toMissingInput,
                                 sizeof(toMissingInput)),
            kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_MakeConnection, kOutput, 0, &fine, sizeof(fine)),
            kAudioUnitErr_InvalidProperty);
  const AURenderCallbackStruct callback = {HostInput::Fill, &input};
  EXPECT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_SetRenderCallback, kInput, 1, &callback,
                                 sizeof(callback)),
            kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Global, 0,
                                 &callback, sizeof(callback)),
            kAudioUnitErr_InvalidProperty);
}

TEST_F(RenderPathTest, SideChainBusIsPulledIntoItsOwnChannel) {
  fake::FakePlugConfig config;
  config.channelIO = "2-2";
  config.isInstrument = false;
  config.sideChainChannels = 1;
  fake::FakePlug* plug = Open(config);
  ASSERT_EQ(plug->mInputBuses.GetSize(), 2);
  EXPECT_EQ(plug->mInputBuses.Get(1)->mFirstPlugChannel, 1);

  HostInput sideChain;
  sideChain.value = 0.25f;
  const AURenderCallbackStruct callback = {HostInput::Fill, &sideChain};
  ASSERT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_SetRenderCallback, kInput, 1, &callback,
                                 sizeof(callback)),
            noErr);
  EXPECT_FALSE(plug->IsInChannelConnected(0));
  EXPECT_TRUE(plug->IsInChannelConnected(1));
  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(session.Render(0, 8, channels, 2), noErr);
  EXPECT_EQ(channels[0][0], FakeOutput(0, 0));
  EXPECT_EQ(channels[1][0], 0.5f + FakeOutput(1, 0));
}

TEST_F(RenderPathTest, RenderingThroughTheEntryMatchesTheFastProcedure) {
  Open();
  Stereo out(32);
  const AudioTimeStamp at = At(0.0);
  ASSERT_EQ(RenderDirect(&at, 0, 32, out.list), noErr);
  EXPECT_EQ(out.right[31], FakeOutput(1, 31));
}

TEST_F(RenderPathTest, SteadyRenderingAllocatesNothing) {
  HostInput input;
  OpenEffect(&input);
  NotifyLog log;
  log.flags.reserve(16);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), LogNotify, &log), noErr);
  std::vector<float> left(256), right(256);
  float* channels[2] = {left.data(), right.data()};
  ASSERT_EQ(session.Render(0, 256, channels, 2), noErr);
  session.AdvanceSampleTime(256);
  testsupport::AllocationCounter counter;
  ASSERT_EQ(session.Render(0, 256, channels, 2), noErr);
  EXPECT_EQ(counter.count(), 0u);
}

TEST(AUInputTypeStr, NamesEveryInputKind) {
  EXPECT_STREQ(IPlugAU::AUInputTypeStr(IPlugAU::eNotConnected), "NotConnected");
  EXPECT_STREQ(IPlugAU::AUInputTypeStr(IPlugAU::eDirectFastProc), "DirectFastProc");
  EXPECT_STREQ(IPlugAU::AUInputTypeStr(IPlugAU::eDirectNoFastProc), "DirectNoFastProc");
  EXPECT_STREQ(IPlugAU::AUInputTypeStr(IPlugAU::eRenderCallback), "RenderCallback");
  EXPECT_STREQ(IPlugAU::AUInputTypeStr(static_cast<IPlugAU::EAUInputType>(7)), "NotConnected");
}

}  // namespace
