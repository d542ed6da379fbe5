// Render notifications added and removed while the unit renders: each render
// call notifies the list it found at its start, before and after, and a
// notification removed is not called once the remove has returned.

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/standin/AudioUnitUtilities.h"
#include "tests/platform/HostFixture.h"
#include "tests/support/DoneWithin.h"

namespace {

// One notification: its calls go to a shared log, and it may act on them.
struct Listener {
  std::string name;
  std::vector<std::string>* log;
  std::function<void(bool pre)> onCall;
};

// A procedure per listener, unless a test wants several to share one.
template <int K>
OSStatus Notify(void* userData, AudioUnitRenderActionFlags* flags, const AudioTimeStamp*, UInt32, UInt32,
                AudioBufferList*) {
  Listener* listener = static_cast<Listener*>(userData);
  const bool pre = *flags == kAudioUnitRenderAction_PreRender;
  listener->log->push_back(listener->name + (pre ? " pre" : " post"));
  if (listener->onCall) listener->onCall(pre);
  return noErr;
}

using Log = std::vector<std::string>;

class RenderNotifications : public HostTest {
 protected:
  OSStatus RenderOnce() {
    float* channels[2] = {nullptr, nullptr};
    const OSStatus status = session.Render(0, 16, channels, 2);
    session.AdvanceSampleTime(16);
    return status;
  }
};

TEST_F(RenderNotifications, ChangesMadeFromInsideARenderStartWithTheNextOne) {
  Open();
  Log log;
  Listener a{"A", &log, nullptr}, b{"B", &log, nullptr}, c{"C", &log, nullptr}, d{"D", &log, nullptr};
  a.onCall = [&](bool pre) {
    if (!pre) return;
    EXPECT_EQ(AudioUnitRemoveRenderNotify(unit(), Notify<0>, &a), noErr);
    EXPECT_EQ(AudioUnitAddRenderNotify(unit(), Notify<3>, &d), noErr);
  };
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<0>, &a), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<1>, &b), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<2>, &c), noErr);

  ASSERT_EQ(RenderOnce(), noErr);
  EXPECT_EQ(log, (Log{"A pre", "B pre", "C pre", "B post", "C post"}));
  log.clear();
  ASSERT_EQ(RenderOnce(), noErr);
  EXPECT_EQ(log, (Log{"B pre", "C pre", "D pre", "B post", "C post", "D post"}));
}

// A host that registered one procedure with two meters and frees one of them
// must never hear of it again, neither in a later render nor in the one that
// removed it.
TEST_F(RenderNotifications, ARemoveTakesTheNotificationWithItsUserDataOnly) {
  Open();
  Log log;
  Listener a{"A", &log, nullptr}, b{"B", &log, nullptr}, c{"C", &log, nullptr};
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<0>, &a), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<0>, &b), noErr);
  ASSERT_EQ(AudioUnitRemoveRenderNotify(unit(), Notify<0>, &b), noErr);
  ASSERT_EQ(RenderOnce(), noErr);
  EXPECT_EQ(log, (Log{"A pre", "A post"}));

  log.clear();
  a.onCall = [&](bool pre) {
    if (!pre) return;
    EXPECT_EQ(AudioUnitRemoveRenderNotify(unit(), Notify<0>, &c), noErr);
  };
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<0>, &c), noErr);
  ASSERT_EQ(RenderOnce(), noErr);
  EXPECT_EQ(log, (Log{"A pre", "A post"}));
}

TEST_F(RenderNotifications, ARemoveFromAnotherThreadReturnsOnceTheRenderInProgressIsDone) {
  Open();
  Log log;
  std::atomic<bool> inRender{false}, goOn{false}, removing{false}, removed{false};
  int callsAfterRemoved = 0;
  Listener a{"A", &log, [&](bool pre) {
               if (!pre) return;
               inRender = true;
               while (!goOn) std::this_thread::yield();
               // The waiting remove holds no lock a notification needs.
               AudioUnitParameterValue value = 0.0f;
               EXPECT_EQ(AudioUnitGetParameter(unit(), fake::kVolume, kAudioUnitScope_Global, 0, &value), noErr);
             }};
  Listener b{"B", &log, [&](bool) { callsAfterRemoved += removed ? 1 : 0; }};
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<0>, &a), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<1>, &b), noErr);

  std::thread render([&] { EXPECT_EQ(RenderOnce(), noErr); });
  while (!inRender) std::this_thread::yield();
  std::thread host([&] {
    removing = true;
    EXPECT_EQ(AudioUnitRemoveRenderNotify(unit(), Notify<1>, &b), noErr);
    removed = true;
  });
  // The remove is made while the render is held; the pause gives one that
  // does not wait for the render time to return.
  while (!removing) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  // The render in progress holds the remove back.
  EXPECT_FALSE(removed);
  goOn = true;
  render.join();
  host.join();
  EXPECT_EQ(log, (Log{"A pre", "B pre", "A post", "B post"}));
  EXPECT_EQ(callsAfterRemoved, 0);

  log.clear();
  ASSERT_EQ(RenderOnce(), noErr);
  EXPECT_EQ(log, (Log{"A pre", "A post"}));
}

// A property listener that runs what the test gives it.
void RunListener(void* userData, AudioUnit, AudioUnitPropertyID, AudioUnitScope, AudioUnitElement) {
  (*static_cast<std::function<void()>*>(userData))();
}

// A host thread that turns the unit's bypass on, which calls its bypass
// listeners, once a meter is under way in a render call.
std::future<void> BypassWhenMetering(AudioUnit unit, const std::atomic<bool>& metering) {
  return std::async(std::launch::async, [unit, &metering] {
    while (!metering) std::this_thread::yield();
    const UInt32 bypass = 1;
    EXPECT_EQ(AudioUnitSetProperty(unit, kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, &bypass,
                                   sizeof(bypass)),
              noErr);
  });
}

// A host re-arms its meter from a bypass listener, as hosts do, while the
// meter reads a parameter inside the render call under way: the remove
// waits for the render call, and the render call for the unit's lock, which
// the listener's thread holds.
TEST_F(RenderNotifications, ARemoveFromAListenerLetsTheRenderCallInProgressEnd) {
  Open();
  Log log;
  std::atomic<bool> metering{false}, rearming{false};
  Listener meter{"M", &log, [&](bool pre) {
                   if (!pre || metering.exchange(true)) return;
                   while (!rearming) std::this_thread::yield();
                   AudioUnitParameterValue value = 0.0f;
                   EXPECT_EQ(AudioUnitGetParameter(unit(), fake::kVolume, kAudioUnitScope_Global, 0, &value), noErr);
                 }};
  std::function<void()> rearm = [&] {
    rearming = true;
    EXPECT_EQ(AudioUnitRemoveRenderNotify(unit(), Notify<0>, &meter), noErr);
    EXPECT_EQ(AudioUnitAddRenderNotify(unit(), Notify<0>, &meter), noErr);
  };
  ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kAudioUnitProperty_BypassEffect, RunListener, &rearm), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<0>, &meter), noErr);

  std::vector<std::future<void>> calls;
  calls.push_back(std::async(std::launch::async, [&] { EXPECT_EQ(RenderOnce(), noErr); }));
  calls.push_back(BypassWhenMetering(unit(), metering));
  testsupport::ExpectDoneWithin(std::chrono::seconds(30), calls,
                                "a render notification removed from a property listener");
  // The render call that the remove waited for went on with its list.
  EXPECT_EQ(log, (Log{"M pre", "M post"}));
  log.clear();
  ASSERT_EQ(RenderOnce(), noErr);
  EXPECT_EQ(log, (Log{"M pre", "M post"}));
}


// Two units: a bypass listener of the first, called with its lock held,
// re-arms a meter on the second while the meter, inside the second unit's
// render call, reads a parameter of the first. The remove waits for that
// render call, which must not wait for the first unit's lock, whether the
// host renders through the fast procedure or through AudioUnitRender.
TEST_F(RenderNotifications, ARemoveFromAnotherUnitsListenerLetsTheRenderCallInProgressEnd) {
  for (bool throughEntry : {false, true}) {
    Open();
    standin::HostSession metered;
    Open(&metered);
    Log log;
    std::atomic<bool> metering{false}, rearming{false};
    AudioUnitParameterValue read = -1.0f;
    Listener meter{"M", &log, [&](bool pre) {
                     if (!pre || metering.exchange(true)) return;
                     while (!rearming) std::this_thread::yield();
                     EXPECT_EQ(AudioUnitGetParameter(unit(), fake::kCutoff, kAudioUnitScope_Global, 0, &read), noErr);
                   }};
    std::function<void()> rearm = [&] {
      rearming = true;
      EXPECT_EQ(AudioUnitRemoveRenderNotify(metered.Unit(), Notify<0>, &meter), noErr);
      EXPECT_EQ(AudioUnitAddRenderNotify(metered.Unit(), Notify<0>, &meter), noErr);
    };
    ASSERT_EQ(session.SetParameter(fake::kCutoff, 0.25f), noErr);
    ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kAudioUnitProperty_BypassEffect, RunListener, &rearm), noErr);
    ASSERT_EQ(AudioUnitAddRenderNotify(metered.Unit(), Notify<0>, &meter), noErr);

    std::vector<float> left(16), right(16);
    std::vector<unsigned char> storage(AudioBufferListSize(2));
    AudioBufferList* list = reinterpret_cast<AudioBufferList*>(storage.data());
    list->mNumberBuffers = 2;
    list->mBuffers[0] = {1, 16 * 4, left.data()};
    list->mBuffers[1] = {1, 16 * 4, right.data()};
    std::vector<std::future<void>> calls;
    calls.push_back(std::async(std::launch::async, [&] {
      if (throughEntry) {
        AudioTimeStamp at = {};
        at.mFlags = kAudioTimeStampSampleTimeValid;
        AudioUnitRenderActionFlags flags = 0;
        EXPECT_EQ(AudioUnitRender(metered.Unit(), &flags, &at, 0, 16, list), noErr);
      } else {
        float* channels[2] = {left.data(), right.data()};
        EXPECT_EQ(metered.Render(0, 16, channels, 2), noErr);
      }
    }));
    calls.push_back(BypassWhenMetering(unit(), metering));
    testsupport::ExpectDoneWithin(std::chrono::seconds(20), calls,
                                  "a render notification removed from another unit's property listener");
    EXPECT_EQ(read, 0.25f);
    EXPECT_EQ(log, (Log{"M pre", "M post"})) << (throughEntry ? "AudioUnitRender" : "fast procedure");
    ASSERT_EQ(metered.Close(), noErr);
    ASSERT_EQ(session.Close(), noErr);
  }
}

// A host that holds a lock of its own around an addition, which a
// notification under way takes: the addition takes effect from the next
// render call and does not wait for the one under way.
TEST_F(RenderNotifications, AnAddFromAnotherThreadDoesNotWaitForTheRenderCallInProgress) {
  Open();
  Log log;
  std::mutex hostLock;
  std::atomic<bool> metering{false}, adding{false};
  Listener meter{"M", &log, [&](bool pre) {
                   if (!pre || metering.exchange(true)) return;
                   while (!adding) std::this_thread::yield();
                   std::lock_guard<std::mutex> hold(hostLock);
                 }};
  Listener added{"A", &log, nullptr};
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Notify<0>, &meter), noErr);

  std::vector<std::future<void>> calls;
  calls.push_back(std::async(std::launch::async, [&] { EXPECT_EQ(RenderOnce(), noErr); }));
  calls.push_back(std::async(std::launch::async, [&] {
    while (!metering) std::this_thread::yield();
    std::lock_guard<std::mutex> hold(hostLock);
    adding = true;
    EXPECT_EQ(AudioUnitAddRenderNotify(unit(), Notify<1>, &added), noErr);
  }));
  testsupport::ExpectDoneWithin(std::chrono::seconds(20), calls, "a render notification added under the host's lock");
  EXPECT_EQ(log, (Log{"M pre", "M post"}));
  log.clear();
  ASSERT_EQ(RenderOnce(), noErr);
  EXPECT_EQ(log, (Log{"M pre", "A pre", "M post", "A post"}));
}

// Where the first unit's lock is held while the host changes the second
// unit's notifications.
enum class Holder { kBypassListener, kParameterEventListener };
// What the second unit's notification does with the first unit.
enum class Call { kSetParameter, kReadPresentPreset };
enum class Change { kAdd, kRemove };

struct Arrangement {
  const char* name;
  Holder holder;
  Call call;
  Change change;
};

// Two units, as a host chains them: with the first unit's lock held (in its
// bypass listener, or in the host's parameter event listener while a knob of
// its editor turns) the host adds or removes a notification of the second,
// which renders on its own thread, while the second's notification calls into
// the first, as hosts apply automation.
class ChangedUnderAnotherUnitsLock : public HostTest, public ::testing::WithParamInterface<Arrangement> {
 protected:
  struct ParameterEventListener {
    AudioUnit unit;
    std::function<void()>* change;
    static void Hear(void* self, const AudioUnitEvent& event) {
      const ParameterEventListener* listener = static_cast<ParameterEventListener*>(self);
      if (event.mEventType == kAudioUnitEvent_ParameterValueChange &&
          event.mArgument.mParameter.mAudioUnit == listener->unit) {
        (*listener->change)();
      }
    }
  };
};

TEST_P(ChangedUnderAnotherUnitsLock, LetTheRenderCallInProgressEnd) {
  const Arrangement& arrangement = GetParam();
  fake::FakePlug* first = Open();
  standin::HostSession second;
  Open(&second);
  Log log;
  std::atomic<bool> metering{false}, changing{false};
  OSStatus called = 1;
  standin::HostSession::Preset present{-1, ""};
  Listener meter{"M", &log, [&](bool pre) {
                   if (!pre || metering.exchange(true)) return;
                   while (!changing) std::this_thread::yield();
                   if (arrangement.call == Call::kSetParameter) {
                     called = AudioUnitSetParameter(unit(), fake::kCutoff, kAudioUnitScope_Global, 0, 0.375f, 0);
                   } else {
                     called = session.GetCurrentPreset(&present);
                   }
                 }};
  Listener added{"A", &log, nullptr};
  std::function<void()> change = [&] {
    changing = true;
    if (arrangement.change == Change::kAdd) {
      EXPECT_EQ(AudioUnitAddRenderNotify(second.Unit(), Notify<1>, &added), noErr);
    } else {
      EXPECT_EQ(AudioUnitRemoveRenderNotify(second.Unit(), Notify<0>, &meter), noErr);
    }
  };
  ParameterEventListener parameterEvents{unit(), &change};
  if (arrangement.holder == Holder::kBypassListener) {
    ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kAudioUnitProperty_BypassEffect, RunListener, &change), noErr);
  } else {
    standin::AddAUEventSink(ParameterEventListener::Hear, &parameterEvents);
  }
  ASSERT_EQ(AudioUnitAddRenderNotify(second.Unit(), Notify<0>, &meter), noErr);

  std::vector<std::future<void>> calls;
  calls.push_back(std::async(std::launch::async, [&] {
    float* channels[2] = {nullptr, nullptr};
    EXPECT_EQ(second.Render(0, 16, channels, 2), noErr);
    second.AdvanceSampleTime(16);
  }));
  calls.push_back(std::async(std::launch::async, [&] {
    while (!metering) std::this_thread::yield();
    if (arrangement.holder == Holder::kBypassListener) {
      const UInt32 bypass = 1;
      EXPECT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, &bypass,
                                     sizeof(bypass)),
                noErr);
    } else {
      first->SetParameterFromGUI(fake::kVolume, 0.75);
    }
  }));
  testsupport::ExpectDoneWithin(std::chrono::seconds(20), calls, arrangement.name);
  if (arrangement.holder == Holder::kParameterEventListener) {
    standin::RemoveAUEventSink(ParameterEventListener::Hear, &parameterEvents);
  }

  EXPECT_EQ(called, noErr);
  if (arrangement.call == Call::kSetParameter) {
    EXPECT_EQ(first->GetParam(fake::kCutoff)->Value(), 0.375);
  } else {
    EXPECT_EQ(present.number, 0);
    EXPECT_EQ(present.name, "Init");
  }
  // The render call under way went on with its list; the change holds from the next.
  EXPECT_EQ(log, (Log{"M pre", "M post"}));
  log.clear();
  float* channels[2] = {nullptr, nullptr};
  ASSERT_EQ(second.Render(0, 16, channels, 2), noErr);
  EXPECT_EQ(log, arrangement.change == Change::kAdd ? (Log{"M pre", "A pre", "M post", "A post"}) : Log{});
  ASSERT_EQ(second.Close(), noErr);
}

const Arrangement kArrangements[] = {
    {"BypassListenerAddsWhileTheNotificationSetsAParameter", Holder::kBypassListener, Call::kSetParameter,
     Change::kAdd},
    {"BypassListenerRemovesWhileTheNotificationSetsAParameter", Holder::kBypassListener, Call::kSetParameter,
     Change::kRemove},
    {"BypassListenerAddsWhileTheNotificationReadsThePresentPreset", Holder::kBypassListener,
     Call::kReadPresentPreset, Change::kAdd},
    {"BypassListenerRemovesWhileTheNotificationReadsThePresentPreset", Holder::kBypassListener,
     Call::kReadPresentPreset, Change::kRemove},
    {"ParameterListenerAddsWhileTheNotificationSetsAParameter", Holder::kParameterEventListener,
     Call::kSetParameter, Change::kAdd},
    {"ParameterListenerRemovesWhileTheNotificationSetsAParameter", Holder::kParameterEventListener,
     Call::kSetParameter, Change::kRemove},
    {"ParameterListenerAddsWhileTheNotificationReadsThePresentPreset", Holder::kParameterEventListener,
     Call::kReadPresentPreset, Change::kAdd},
    {"ParameterListenerRemovesWhileTheNotificationReadsThePresentPreset", Holder::kParameterEventListener,
     Call::kReadPresentPreset, Change::kRemove},
};

INSTANTIATE_TEST_SUITE_P(RenderNotifications, ChangedUnderAnotherUnitsLock, ::testing::ValuesIn(kArrangements),
                         [](const ::testing::TestParamInfo<Arrangement>& info) { return info.param.name; });

}  // namespace
