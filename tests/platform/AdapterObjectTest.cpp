// The adapter object: bus layout, host notifications, transport queries and
// host identification.

#include <functional>
#include <string>
#include <vector>

#include "platform/standin/AudioUnitUtilities.h"
#include "platform/standin/CFBundle.h"
#include "tests/platform/HostFixture.h"
#include "tests/support/RecordingGraphics.h"

namespace {

using testsupport::RecordingGraphics;

struct BusCase {
  const char* channelIO;
  bool isInstrument;
  int sideChain;
  std::vector<std::pair<int, int>> inputs;   // first channel, channel count
  std::vector<std::pair<int, int>> outputs;
  std::vector<std::string> inputLabels;
  std::vector<std::string> outputLabels;
};

std::vector<std::pair<int, int>> Layout(const WDL_PtrList<IPlugAU::BusChannels>& buses) {
  std::vector<std::pair<int, int>> layout;
  for (int i = 0; i < buses.GetSize(); ++i) {
    const IPlugAU::BusChannels* bus = buses.Get(i);
    EXPECT_FALSE(bus->mConnected);
    layout.emplace_back(bus->mFirstPlugChannel, bus->mPlugChannelCount);
  }
  return layout;
}

TEST(AdapterObject, BusLayoutFollowsTheChannelConfiguration) {
  const BusCase cases[] = {
      {"0-1 0-2", true, 0, {}, {{0, 2}}, {}, {"output 1"}},
      {"0-3", true, 0, {}, {{0, 2}, {2, 1}}, {}, {"output 1", "output 2"}},
      {"0-2", false, 0, {}, {{0, 2}}, {}, {"output"}},
      {"1-1 2-2", false, 0, {{0, 2}}, {{0, 2}}, {"input", "aux input"}, {"output"}},
      {"2-2", false, 1, {{0, 1}, {1, 1}}, {{0, 2}}, {"main input", "aux input"}, {"output"}},
      // A side chain wider than the inputs takes them all.
      {"2-2", false, 5, {{0, 0}, {0, 2}}, {{0, 2}}, {"main input", "aux input"}, {"output"}},
  };
  for (const BusCase& c : cases) {
    fake::FakePlugConfig config;
    config.channelIO = c.channelIO;
    config.isInstrument = c.isInstrument;
    config.sideChainChannels = c.sideChain;
    fake::FakePlug plug(config);
    EXPECT_EQ(Layout(plug.mInputBuses), c.inputs) << c.channelIO;
    EXPECT_EQ(Layout(plug.mOutputBuses), c.outputs) << c.channelIO;
    EXPECT_EQ(plug.mInputConnections.GetSize(), plug.mInputBuses.GetSize());
    for (size_t i = 0; i < c.inputLabels.size(); ++i) {
      EXPECT_STREQ(plug.GetInputBusLabel(static_cast<int>(i))->Get(), c.inputLabels[i].c_str()) << c.channelIO;
    }
    for (size_t i = 0; i < c.outputLabels.size(); ++i) {
      EXPECT_STREQ(plug.GetOutputBusLabel(static_cast<int>(i))->Get(), c.outputLabels[i].c_str()) << c.channelIO;
    }
    EXPECT_EQ(plug.GetBlockSize(), 1024);
    EXPECT_FALSE(plug.IsInChannelConnected(0));
  }
}

// Host procedures that report fixed values.
struct Transport {
  Float64 beat = 0.0, tempo = 0.0;
  Float64 sample = 0.0, cycleStart = 0.0, cycleEnd = 0.0;
  Boolean playing = 0, cycling = 0;
  Float32 numerator = 0.0f;
  UInt32 denominator = 0;
  Float64 downBeat = 0.0;

  static OSStatus BeatAndTempo(void* user, Float64* beat, Float64* tempo) {
    const Transport* t = static_cast<Transport*>(user);
    *beat = t->beat;
    *tempo = t->tempo;
    return noErr;
  }
  static OSStatus TimeLocation(void* user, UInt32*, Float32* numerator, UInt32* denominator, Float64* downBeat) {
    const Transport* t = static_cast<Transport*>(user);
    *numerator = t->numerator;
    *denominator = t->denominator;
    *downBeat = t->downBeat;
    return noErr;
  }
  static OSStatus State(void* user, Boolean* playing, Boolean*, Float64* sample, Boolean* cycling, Float64* start,
                        Float64* end) {
    const Transport* t = static_cast<Transport*>(user);
    *playing = t->playing;
    *sample = t->sample;
    *cycling = t->cycling;
    *start = t->cycleStart;
    *end = t->cycleEnd;
    return noErr;
  }
};

class TransportTest : public HostTest {
 protected:
  void Install(bool withProcs) {
    HostCallbackInfo info = {&transport, nullptr, nullptr, nullptr};
    if (withProcs) info = {&transport, Transport::BeatAndTempo, Transport::TimeLocation, Transport::State};
    ASSERT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_HostCallbacks, kAudioUnitScope_Global, 0, &info,
                                   sizeof(info)),
              noErr);
  }

  Transport transport;
};

TEST_F(TransportTest, WithoutHostProceduresNothingIsReported) {
  fake::FakePlug* plug = Open();
  Install(false);
  EXPECT_EQ(plug->GetTempo(), 120.0);
  EXPECT_EQ(plug->GetSamplePos(), 0.0);
  int numerator = 5, denominator = 7;
  plug->GetTimeSig(&numerator, &denominator);
  EXPECT_EQ(numerator, 5);
  EXPECT_EQ(denominator, 7);
  ITimeInfo info;
  info.mTempo = 99.0;
  info.mNumerator = 3;
  plug->GetTime(&info);
  EXPECT_EQ(info.mTempo, 99.0);
  EXPECT_EQ(info.mNumerator, 3);
  EXPECT_FALSE(info.mTransportIsRunning);
}

TEST_F(TransportTest, HostTransportIsReadThroughItsProcedures) {
  fake::FakePlug* plug = Open();
  Install(true);
  transport.tempo = 140.0;
  EXPECT_EQ(plug->GetTempo(), 140.0);
  for (double tempo : {0.0, -5.0}) {
    transport.tempo = tempo;
    EXPECT_EQ(plug->GetTempo(), 140.0);
  }

  const std::pair<double, double> positions[] = {{1000.4, 1000.0}, {1000.5, 1001.0}, {-0.7, 0.0}, {1e12, 1e12}};
  for (const auto& p : positions) {
    transport.sample = p.first;
    EXPECT_EQ(plug->GetSamplePos(), p.second) << p.first;
  }

  transport.numerator = 6.9f;
  transport.denominator = 8;
  int numerator = 0, denominator = 0;
  plug->GetTimeSig(&numerator, &denominator);
  EXPECT_EQ(numerator, 6);
  EXPECT_EQ(denominator, 8);

  transport = Transport();
  transport.tempo = 90.0;
  transport.beat = 12.5;
  transport.sample = 4410.0;
  transport.playing = 1;
  transport.cycleEnd = 16.0;
  transport.numerator = 3.0f;
  transport.denominator = 4;
  ITimeInfo info;
  info.mCycleStart = -1.0;  // the host's 0 leaves the caller's value
  plug->GetTime(&info);
  EXPECT_EQ(info.mTempo, 90.0);
  EXPECT_EQ(info.mPPQPos, 12.5);
  EXPECT_EQ(info.mSamplePos, 4410.0);
  EXPECT_EQ(info.mCycleStart, -1.0);
  EXPECT_EQ(info.mCycleEnd, 16.0);
  EXPECT_TRUE(info.mTransportIsRunning);
  EXPECT_FALSE(info.mTransportLoopEnabled);
  EXPECT_EQ(info.mNumerator, 3);
  EXPECT_EQ(info.mDenominator, 4);
  EXPECT_EQ(info.mLastBar, 0.0);
  EXPECT_EQ(plug->GetTempo(), 90.0);
}

struct EventLog {
  std::vector<AudioUnitEvent> events;
  static void Sink(void* user, const AudioUnitEvent& event) { static_cast<EventLog*>(user)->events.push_back(event); }
};

TEST_F(HostTest, ParameterEventsCarryTheIndexOnly) {
  fake::FakePlug* plug = Open();
  EventLog log;
  standin::AddAUEventSink(EventLog::Sink, &log);
  plug->BeginInformHostOfParamChange(3);
  plug->InformHostOfParamChange(3, 0.1);
  plug->InformHostOfParamChange(3, 0.9);
  plug->EndInformHostOfParamChange(3);
  standin::RemoveAUEventSink(EventLog::Sink, &log);

  const AudioUnitEventType types[] = {kAudioUnitEvent_BeginParameterChangeGesture,
                                      kAudioUnitEvent_ParameterValueChange, kAudioUnitEvent_ParameterValueChange,
                                      kAudioUnitEvent_EndParameterChangeGesture};
  ASSERT_EQ(log.events.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    const AudioUnitParameter& p = log.events[i].mArgument.mParameter;
    EXPECT_EQ(log.events[i].mEventType, types[i]);
    EXPECT_EQ(p.mAudioUnit, unit());
    EXPECT_EQ(p.mParameterID, 3u);
    EXPECT_EQ(p.mScope, kAudioUnitScope_Global);
    EXPECT_EQ(p.mElement, 0u);
  }
  IMidiMsg msg(0, 0x90, 60, 100);
  EXPECT_FALSE(plug->SendMidiMsg(&msg));
}

struct ListenerLog {
  std::vector<std::pair<int, AudioUnitPropertyID>> calls;
  int tag;
};

void LogListener(void* user, AudioUnit, AudioUnitPropertyID id, AudioUnitScope, AudioUnitElement) {
  ListenerLog* log = static_cast<ListenerLog*>(user);
  log->calls.emplace_back(log->tag, id);
}

void OtherLogListener(void* user, AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope,
                      AudioUnitElement element) {
  LogListener(user, unit, id, scope, element);
}

TEST_F(HostTest, ProgramChangeAndLatencyTellOnlyTheirListenersInOrder) {
  fake::FakePlug* plug = Open();
  ListenerLog first{{}, 1};
  ListenerLog second{{}, 2};
  ListenerLog other{{}, 3};
  ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kAudioUnitProperty_PresentPreset, LogListener, &first), noErr);
  ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kAudioUnitProperty_PresentPreset, OtherLogListener, &second), noErr);
  ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kAudioUnitProperty_Latency, LogListener, &other), noErr);

  plug->InformHostOfProgramChange();
  EXPECT_EQ(first.calls.size(), 1u);
  EXPECT_EQ(second.calls.size(), 1u);
  EXPECT_TRUE(other.calls.empty());

  plug->SetLatency(64);
  EXPECT_EQ(other.calls, (std::vector<std::pair<int, AudioUnitPropertyID>>{{3, kAudioUnitProperty_Latency}}));
  EXPECT_EQ(first.calls.size(), 1u);
  EXPECT_EQ(plug->GetLatency(), 64);
}

// A listener that acts on the unit's listeners the first time it is called.
struct ActingListener {
  const char* name;
  std::vector<std::string>* heard;
  std::function<void()> act;
};

template <int K>
void ActingListenerProc(void* user, AudioUnit, AudioUnitPropertyID, AudioUnitScope, AudioUnitElement) {
  ActingListener* listener = static_cast<ActingListener*>(user);
  listener->heard->push_back(listener->name);
  std::function<void()> act;
  act.swap(listener->act);
  if (act) act();
}

// Each listener registered when the change happens hears of it once; one
// removed before its turn does not, nor one added during the change.
TEST_F(HostTest, ListenersThatChangeTheListenersDoNotShiftTheOthers) {
  constexpr AudioUnitPropertyID kId = kAudioUnitProperty_BypassEffect;
  using Heard = std::vector<std::string>;
  struct Case {
    const char* what;
    void (*actOfA)(AudioUnit unit, ActingListener* a, ActingListener* b, ActingListener* c);
    Heard first, second;
  };
  const Case cases[] = {
      {"A removes itself",
       [](AudioUnit unit, ActingListener* a, ActingListener*, ActingListener*) {
         AudioUnitRemovePropertyListenerWithUserData(unit, kId, ActingListenerProc<0>, a);
       },
       {"A", "B"},
       {"B"}},
      {"A removes and adds itself again",
       [](AudioUnit unit, ActingListener* a, ActingListener*, ActingListener*) {
         AudioUnitRemovePropertyListenerWithUserData(unit, kId, ActingListenerProc<0>, a);
         AudioUnitAddPropertyListener(unit, kId, ActingListenerProc<0>, a);
       },
       {"A", "B"},
       {"B", "A"}},
      {"A removes B",
       [](AudioUnit unit, ActingListener*, ActingListener* b, ActingListener*) {
         AudioUnitRemovePropertyListenerWithUserData(unit, kId, ActingListenerProc<1>, b);
       },
       {"A"},
       {"A"}},
      {"A adds C",
       [](AudioUnit unit, ActingListener*, ActingListener*, ActingListener* c) {
         AudioUnitAddPropertyListener(unit, kId, ActingListenerProc<2>, c);
       },
       {"A", "B"},
       {"A", "B", "C"}},
  };
  for (const Case& c : cases) {
    Open();
    Heard heard;
    ActingListener a{"A", &heard, nullptr}, b{"B", &heard, nullptr}, added{"C", &heard, nullptr};
    a.act = [&] { c.actOfA(unit(), &a, &b, &added); };
    ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kId, ActingListenerProc<0>, &a), noErr);
    ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kId, ActingListenerProc<1>, &b), noErr);
    const UInt32 off = 0;
    for (const Heard* expected : {&c.first, &c.second}) {
      heard.clear();
      ASSERT_EQ(AudioUnitSetProperty(unit(), kId, kAudioUnitScope_Global, 0, &off, sizeof(off)), noErr);
      EXPECT_EQ(heard, *expected) << c.what;
    }
    session.Close();
  }
}

TEST_F(HostTest, HostIsIdentifiedFromTheMainBundleOnce) {
  standin::RegisterBundle("com.apple.logic10", "/Applications/Logic Pro X.app");
  standin::SetMainBundle("com.apple.logic10");
  fake::FakePlug* plug = Open();
  standin::SetMainBundle(nullptr);
  EXPECT_EQ(plug->GetHost(), kHostLogic);
  EXPECT_EQ(plug->hostIdentified, 1);
  session.Close();

  plug = Open();
  EXPECT_EQ(plug->GetHost(), kHostUnknown);
  plug->mHost = kHostReaper;
  EXPECT_EQ(plug->GetHost(), kHostReaper);
}

TEST_F(HostTest, WindowResizeReachesThePlugInOnlyWithAnEditor) {
  fake::FakePlug* plug = Open();
  plug->ResizeGraphics(800, 600);
  EXPECT_EQ(plug->windowResizes, 0);
  plug->AttachGraphics(new RecordingGraphics());
  plug->ResizeGraphics(800, 600);
  EXPECT_EQ(plug->windowResizes, 1);
}

TEST(AdapterObject, BlockSizeClearsTheScratchEveryTime) {
  fake::FakePlug plug{fake::FakePlugConfig()};
  plug.SetBlockSize(64);
  EXPECT_EQ(plug.mOutputScratch.GetSize(), 3 * 64);
  plug.mOutputScratch.Get()[5] = 1.0f;
  plug.SetBlockSize(64);
  EXPECT_EQ(plug.mOutputScratch.Get()[5], 0.0f);
  // A size the scratch cannot hold leaves the size and the scratch.
  for (int refused : {-1, 0x7FFFFFFF}) {
    plug.SetBlockSize(refused);
    EXPECT_EQ(plug.GetBlockSize(), 64) << refused;
    EXPECT_EQ(plug.mOutputScratch.GetSize(), 3 * 64) << refused;
  }
}

}  // namespace
