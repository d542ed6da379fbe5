// The lists of render notifications that a notification replaces from
// inside render calls, as hosts re-arm their meters on every call: the render
// thread frees none of them, reuses them once no render call reads them and
// so allocates nothing after the first calls; a change from another thread
// frees them.

#include <optional>
#include <thread>

#include "tests/platform/HostFixture.h"
#include "tests/support/AllocationCounter.h"

namespace {

// What a render call allocates between its first notification's pre-render
// and post-render calls.
struct AllocationProbe {
  std::optional<testsupport::AllocationCounter> counter;
  std::size_t allocated = 0;

  static OSStatus Notify(void* self, AudioUnitRenderActionFlags* flags, const AudioTimeStamp*, UInt32, UInt32,
                         AudioBufferList*) {
    AllocationProbe* probe = static_cast<AllocationProbe*>(self);
    if (*flags == kAudioUnitRenderAction_PreRender) {
      probe->counter.emplace();
    } else {
      probe->allocated += probe->counter->count();
      probe->counter.reset();
    }
    return noErr;
  }
};

// Removes and adds again itself and its partner on every pre-render call.
struct Rearming {
  AudioUnit unit;
  int calls = 0;

  static OSStatus Partner(void*, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32,
                          AudioBufferList*) {
    return noErr;
  }
  static OSStatus Notify(void* self, AudioUnitRenderActionFlags* flags, const AudioTimeStamp*, UInt32, UInt32,
                         AudioBufferList*) {
    Rearming* rearming = static_cast<Rearming*>(self);
    if (*flags != kAudioUnitRenderAction_PreRender) return noErr;
    ++rearming->calls;
    for (AURenderCallback proc : {Notify, Partner}) {
      EXPECT_EQ(AudioUnitRemoveRenderNotify(rearming->unit, proc, self), noErr);
      EXPECT_EQ(AudioUnitAddRenderNotify(rearming->unit, proc, self), noErr);
    }
    return noErr;
  }
};

TEST_F(HostTest, ListsReplacedInsideRenderCallsAreReusedNotPiledUp) {
  fake::FakePlug* plug = Open();
  AllocationProbe probe;
  Rearming rearming{unit()};
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), AllocationProbe::Notify, &probe), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Rearming::Notify, &rearming), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit(), Rearming::Partner, &rearming), noErr);
  auto renderCalls = [&](int n) {
    for (int call = 0; call < n; ++call) {
      float* channels[2] = {nullptr, nullptr};
      ASSERT_EQ(session.Render(0, 16, channels, 2), noErr);
      session.AdvanceSampleTime(16);
    }
  };

  renderCalls(4);
  probe.allocated = 0;
  const int held = plug->mRenderNotifications.GetHeldLists();
  renderCalls(1000);
  EXPECT_EQ(probe.allocated, 0u);
  EXPECT_EQ(plug->mRenderNotifications.GetHeldLists(), held);
  EXPECT_LE(held, 4);
  EXPECT_EQ(rearming.calls, 1004);

  std::thread([&] { EXPECT_EQ(AudioUnitRemoveRenderNotify(unit(), AllocationProbe::Notify, &probe), noErr); }).join();
  EXPECT_EQ(plug->mRenderNotifications.GetHeldLists(), 0);
}

}  // namespace
