// What a host does to have the unit sound: it sounds once initialised,
// whatever the host set before.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/mac/ThudrokkaEntry.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

constexpr int kBlock = 512;
constexpr UInt8 kNoteOn = 0x90;

float Peak(const std::vector<float>& samples) {
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  return peak;
}

// A host that renders within the default slice at the default rate need set
// none of them.
TEST(HostStartStop, AUnitThatIsOnlyInitialisedSounds) {
  for (bool format : {false, true}) {
    InstallThudrokka();
    standin::HostSession session;
    ASSERT_EQ(session.Open(kThudrokkaComponentDescription), noErr);
    if (format) {
      ASSERT_EQ(session.SetStreamFormat(kAudioUnitScope_Output, 0, 2, 44100.0), noErr);
    }
    ASSERT_EQ(session.Initialize(), noErr);
    ASSERT_EQ(session.SendMIDI(kNoteOn, 48, 127, 0), noErr);
    std::vector<float> left(kBlock), right(kBlock);
    float peak = 0.0f;
    for (int block = 0; block < 8; ++block) {
      float* channels[2] = {left.data(), right.data()};
      ASSERT_EQ(session.Render(0, kBlock, channels, 2), noErr);
      session.AdvanceSampleTime(kBlock);
      peak = std::max({peak, Peak(left), Peak(right)});
    }
    EXPECT_GT(peak, 1e-4f) << (format ? "with" : "without") << " a stream format";
    ASSERT_EQ(session.Close(), noErr);
  }
}

}  // namespace
