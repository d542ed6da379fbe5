// The component entry: open and close, the selector table, listeners,
// notifications, scheduled parameters and the music-device selectors.

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "platform/standin/MusicDevice.h"
#include "tests/platform/HostFixture.h"

namespace {

// True when another thread can take the plug-in mutex within a few seconds,
// which a free one allows however busy the machine; a thread still waiting
// then is left behind, so that a held mutex fails the test instead of hanging.
bool MutexIsFree(IPlugBase* plug) {
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::thread other([plug, done] {
    plug->GetMutex()->Enter();
    plug->GetMutex()->Leave();
    *done = true;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!*done && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const bool free = *done;
  if (free) {
    other.join();
  } else {
    other.detach();
  }
  return free;
}

ComponentResult CallEntry(void* storage, SInt16 selector, std::initializer_list<long> args) {
  ComponentParameters params = {};
  params.what = selector;
  params.paramSize = static_cast<UInt8>(args.size() * sizeof(long));
  size_t word = args.size();
  for (long arg : args) params.params[--word] = arg;
  return Thudrokka_Entry(&params, storage);
}

void CountingListener(void* userData, AudioUnit, AudioUnitPropertyID, AudioUnitScope, AudioUnitElement) {
  ++*static_cast<int*>(userData);
}

OSStatus CountingNotify(void* userData, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32,
                        AudioBufferList*) {
  ++*static_cast<int*>(userData);
  return noErr;
}

TEST_F(HostTest, FailedFactoryLeavesNoInstance) {
  for (bool throws : {false, true}) {
    fake::FakePlugConfig config;
    config.factoryThrows = throws;
    config.factoryReturnsNull = !throws;
    fake::gFakeConfig = config;
    Component component = FindNextComponent(nullptr, &kThudrokkaComponentDescription);
    ComponentInstance instance = nullptr;
    EXPECT_EQ(OpenAComponent(component, &instance), kAudioUnitErr_FailedInitialization) << throws;
    EXPECT_EQ(instance, nullptr);
  }
}

TEST_F(HostTest, SelectorsWithoutPlugInAnswerErrorAndCloseClearsStorage) {
  EXPECT_EQ(CallEntry(nullptr, kAudioUnitInitializeSelect, {}), badComponentInstance);
  EXPECT_EQ(CallEntry(nullptr, kComponentVersionSelect, {}), badComponentInstance);
  EXPECT_EQ(CallEntry(nullptr, kComponentCloseSelect, {0}), noErr);

  Open();
  AudioUnit instance = unit();
  void* storage = GetComponentInstanceStorage(instance);
  ASSERT_NE(storage, nullptr);
  EXPECT_EQ(CallEntry(storage, kComponentCloseSelect, {standin::PointerWord(instance)}), noErr);
  EXPECT_EQ(GetComponentInstanceStorage(instance), nullptr);
  // The host's own close then finds no plug-in and answers as for an empty instance.
  EXPECT_EQ(AudioUnitInitialize(instance), badComponentInstance);
}

TEST_F(HostTest, UnknownSelectorsAnswerBadSelectorAndReleaseTheMutex) {
  fake::FakePlug* plug = Open();
  for (SInt16 selector : {-5, 0, 8, 12, 13, 19, 256, 263, 0x301}) {
    EXPECT_EQ(standin::CallComponentSelector(unit(), selector, {}), badComponentSelector) << selector;
  }
  EXPECT_TRUE(MutexIsFree(plug));
}

TEST_F(HostTest, CanDoAnswersOnlyTheAudioUnitSelectors) {
  Open();
  const std::vector<SInt16> yes = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 14, 15, 16, 17};
  for (SInt16 selector = -5; selector <= 263; ++selector) {
    const bool expected = std::find(yes.begin(), yes.end(), selector) != yes.end();
    EXPECT_EQ(ComponentFunctionImplemented(unit(), selector), expected ? 1 : 0) << selector;
  }
  EXPECT_EQ(GetComponentVersion(unit()), 0x10502);
}

TEST_F(HostTest, InitialiseChecksTheHostChannelCounts) {
  fake::FakePlugConfig config;
  config.channelIO = "1-1 2-2";
  config.isInstrument = false;
  fake::FakePlug* plug = Open(config);

  // Each side alone is legal before initialisation; together they are not.
  ASSERT_EQ(session.SetStreamFormat(kAudioUnitScope_Input, 0, 1, 44100.0), noErr);
  ASSERT_EQ(session.SetStreamFormat(kAudioUnitScope_Output, 0, 2, 44100.0), noErr);
  EXPECT_EQ(session.Initialize(), badComponentSelector);
  EXPECT_FALSE(plug->mInitialized);
  EXPECT_TRUE(plug->paramChanges.empty());
  EXPECT_TRUE(plug->activations.empty());

  ASSERT_EQ(session.SetStreamFormat(kAudioUnitScope_Input, 0, 2, 44100.0), noErr);
  EXPECT_EQ(session.Initialize(), noErr);
  EXPECT_TRUE(plug->mInitialized);
  EXPECT_EQ(session.Uninitialize(), noErr);
  EXPECT_FALSE(plug->mInitialized);
  EXPECT_EQ(plug->activations, (std::vector<bool>{true, false}));
}

TEST_F(HostTest, InitialiseBeforeAnyStreamFormatSucceeds) {
  fake::FakePlug* plug = Open();
  EXPECT_EQ(session.Initialize(), noErr);
  EXPECT_EQ(session.Initialize(), noErr);
  EXPECT_EQ(plug->activations, (std::vector<bool>{true, true}));
  EXPECT_EQ(plug->paramChanges.size(), 2u * fake::kNumFakeParams);
}

TEST_F(HostTest, ListenerRegistrationKeepsTheFirstUserData) {
  fake::FakePlug* plug = Open();
  int first = 0, second = 0;
  const AudioUnitPropertyID id = kAudioUnitProperty_BypassEffect;
  EXPECT_EQ(AudioUnitAddPropertyListener(unit(), id, CountingListener, &first), noErr);
  EXPECT_EQ(AudioUnitAddPropertyListener(unit(), id, CountingListener, &second), noErr);
  ASSERT_EQ(plug->mListeners.GetSize(), 1);
  EXPECT_EQ(plug->mListeners.Get(0)->mUserData, &first);

  EXPECT_EQ(AudioUnitRemovePropertyListenerWithUserData(unit(), id, CountingListener, &second), noErr);
  EXPECT_EQ(plug->mListeners.GetSize(), 1);
  EXPECT_EQ(AudioUnitRemovePropertyListener(unit(), kAudioUnitProperty_Latency, CountingListener), noErr);
  EXPECT_EQ(plug->mListeners.GetSize(), 1);
  EXPECT_EQ(AudioUnitRemovePropertyListenerWithUserData(unit(), id, CountingListener, &first), noErr);
  EXPECT_EQ(plug->mListeners.GetSize(), 0);
}

TEST_F(HostTest, RenderNotificationsAreRemovedOneAtATime) {
  fake::FakePlug* plug = Open();
  int a = 0, b = 0;
  EXPECT_EQ(AudioUnitAddRenderNotify(unit(), CountingNotify, &a), noErr);
  EXPECT_EQ(AudioUnitAddRenderNotify(unit(), CountingNotify, &a), noErr);
  EXPECT_EQ(AudioUnitAddRenderNotify(unit(), CountingNotify, &b), noErr);
  ASSERT_EQ(plug->mRenderNotifications.GetSize(), 3);

  // Procedure and user data together name a notification.
  EXPECT_EQ(AudioUnitRemoveRenderNotify(unit(), CountingNotify, &b), noErr);
  ASSERT_EQ(plug->mRenderNotifications.GetSize(), 2);
  EXPECT_EQ(plug->mRenderNotifications.Get(0).inputProcRefCon, &a);
  EXPECT_EQ(plug->mRenderNotifications.Get(1).inputProcRefCon, &a);
  EXPECT_EQ(AudioUnitRemoveRenderNotify(unit(), CountingNotify, &b), noErr);
  EXPECT_EQ(plug->mRenderNotifications.GetSize(), 2);
  EXPECT_EQ(AudioUnitRemoveRenderNotify(unit(), CountingNotify, &a), noErr);
  ASSERT_EQ(plug->mRenderNotifications.GetSize(), 1);
  EXPECT_EQ(plug->mRenderNotifications.Get(0).inputProcRefCon, &a);
}

TEST_F(HostTest, ScheduledParametersApplyImmediateEventsUntilOneFails) {
  fake::FakePlug* plug = Open();
  AudioUnitParameterEvent events[3] = {};
  events[0].parameter = fake::kVolume;
  events[0].eventType = kParameterEvent_Ramped;
  events[0].eventValues.ramp = {0, 64, 0.0f, 1.0f};
  events[1].parameter = fake::kCutoff;
  events[1].eventType = kParameterEvent_Immediate;
  events[1].eventValues.immediate = {0, 0.875f};
  events[2].parameter = fake::kNumFakeParams;  // no such parameter
  events[2].eventType = kParameterEvent_Immediate;

  EXPECT_EQ(AudioUnitScheduleParameters(unit(), events, 2), noErr);
  EXPECT_EQ(plug->GetParam(fake::kVolume)->Value(), 0.5);
  EXPECT_EQ(plug->GetParam(fake::kCutoff)->Value(), 0.875);

  events[1].eventValues.immediate.value = 0.375f;
  events[2].parameter = fake::kNumFakeParams;
  std::swap(events[0], events[2]);  // the failing event now comes first
  EXPECT_EQ(AudioUnitScheduleParameters(unit(), events, 3), kAudioUnitErr_InvalidElement);
  EXPECT_EQ(plug->GetParam(fake::kCutoff)->Value(), 0.875);
  EXPECT_EQ(AudioUnitScheduleParameters(unit(), nullptr, 0), noErr);
  EXPECT_EQ(AudioUnitScheduleParameters(unit(), nullptr, 1), paramErr);
}

TEST_F(HostTest, ResetSelectorResetsThePlugIn) {
  fake::FakePlug* plug = Open();
  EXPECT_EQ(AudioUnitReset(unit(), kAudioUnitScope_Global, 0), noErr);
  EXPECT_EQ(plug->resets, 1);
}

TEST_F(HostTest, MidiEventReachesThePlugInBeforeTheCallReturns) {
  fake::FakePlug* plug = Open();
  ASSERT_EQ(MusicDeviceMIDIEvent(unit(), 0x90, 60, 100, 17), noErr);
  ASSERT_EQ(plug->midi.size(), 1u);
  EXPECT_EQ(plug->midi[0].mOffset, 17);
  EXPECT_EQ(plug->midi[0].mStatus, 0x90);
  EXPECT_EQ(plug->midi[0].mData1, 60);
  EXPECT_EQ(plug->midi[0].mData2, 100);

  // Only the low byte of each word is a MIDI byte.
  ASSERT_EQ(MusicDeviceMIDIEvent(unit(), 0x1280, 0x13C, 0x100, 0), noErr);
  EXPECT_EQ(plug->midi[1].mStatus, 0x80);
  EXPECT_EQ(plug->midi[1].mData1, 0x3C);
  EXPECT_EQ(plug->midi[1].mData2, 0);
}

TEST_F(HostTest, SysExIsHandedOnUncopiedAndNullDataRejected) {
  fake::FakePlug* plug = Open();
  const UInt8 message[] = {0xF0, 0x7E, 0x00, 0xF7};
  ASSERT_EQ(MusicDeviceSysEx(unit(), message, sizeof(message)), noErr);
  ASSERT_EQ(plug->sysex.size(), 1u);
  EXPECT_EQ(plug->sysex[0], std::vector<uint8_t>(message, message + 4));

  EXPECT_EQ(MusicDeviceSysEx(unit(), nullptr, 4), paramErr);
  EXPECT_EQ(MusicDeviceSysEx(unit(), nullptr, 0), noErr);
  EXPECT_EQ(plug->sysex.size(), 2u);
}

TEST_F(HostTest, StartAndStopNoteSendNoteMessages) {
  fake::FakePlug* plug = Open();
  EXPECT_EQ(MusicDevicePrepareInstrument(unit(), 0), noErr);
  MusicDeviceNoteParams note = {2, 60.7f, 100.9f, {}};
  NoteInstanceID id = 0;
  ASSERT_EQ(MusicDeviceStartNote(unit(), 0, 0, &id, 5, &note), noErr);
  EXPECT_EQ(id, 60u);
  ASSERT_EQ(MusicDeviceStopNote(unit(), 0, id, 9), noErr);
  ASSERT_EQ(plug->midi.size(), 2u);
  EXPECT_EQ(plug->midi[0].mStatus, 0x90);
  EXPECT_EQ(plug->midi[0].mData1, 60);
  EXPECT_EQ(plug->midi[0].mData2, 100);
  EXPECT_EQ(plug->midi[0].mOffset, 5);
  EXPECT_EQ(plug->midi[1].mStatus, 0x80);
  EXPECT_EQ(plug->midi[1].mData1, 60);
  EXPECT_EQ(plug->midi[1].mOffset, 9);

  // A pitch outside the MIDI range, or none at all, sounds nothing.
  for (float pitch : {128.0f, -3.0f, 1e30f, __builtin_nanf("")}) {
    note.mPitch = pitch;
    EXPECT_EQ(MusicDeviceStartNote(unit(), 0, 0, &id, 0, &note), noErr) << pitch;
  }
  EXPECT_EQ(MusicDeviceStopNote(unit(), 0, 300, 0), noErr);
  EXPECT_EQ(MusicDeviceStartNote(unit(), 0, 0, &id, 0, nullptr), paramErr);
  EXPECT_EQ(plug->midi.size(), 2u);
}

TEST_F(HostTest, ClearConnectionsEmptiesEveryConnectionRecord) {
  fake::FakePlugConfig config;
  config.channelIO = "1-1 2-2";
  config.isInstrument = false;
  fake::FakePlug* plug = Open(config);
  int refCon = 0;
  const AURenderCallbackStruct callback = {CountingNotify, &refCon};
  ASSERT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, &callback,
                                 sizeof(callback)),
            noErr);
  ASSERT_EQ(session.SetStreamFormat(kAudioUnitScope_Output, 0, 2, 44100.0), noErr);
  ASSERT_TRUE(plug->mInputBuses.Get(0)->mConnected);

  plug->ClearConnections();
  const IPlugAU::InputConnection* connection = plug->mInputConnections.Get(0);
  const IPlugAU::InputConnection zero = {};
  EXPECT_EQ(std::memcmp(connection, &zero, sizeof(zero)), 0);
  for (const auto* buses : {&plug->mInputBuses, &plug->mOutputBuses}) {
    EXPECT_FALSE(buses->Get(0)->mConnected);
    EXPECT_EQ(buses->Get(0)->mHostChannelCount, -1);
  }
}

}  // namespace
