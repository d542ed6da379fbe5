// Every unit on the bypass base switches in and out over 200 samples: while
// the fade runs, its effect on the signal is scaled by the fade level.

#include <gtest/gtest.h>

#include <memory>

#include "effects/3BandEq.h"
#include "effects/DumpExpand.h"
#include "effects/FilterUnit.h"
#include "effects/HardcoreBass.h"
#include "effects/Phaser.h"
#include "effects/RingModulator.h"
#include "tests/effects/StereoBuffer.h"

namespace {

using namespace Quillvane;
using effectstest::StereoBuffer;

struct Ring : RingModulator {
  Ring() {
    setAmount(0.9);
    setFrequency(0.05);
  }
  void process(double** c, int n) { modulate(c, n); }
};
struct Phase : Phaser {
  Phase() { setDepth(1.0); }
};
struct Filter : FilterUnit {
  Filter() {
    setCutoff(0.4);
    setRezo(0.6);
  }
};
struct Eq : Equalizer {
  Eq() {
    setBassAmount(0.9);
    setMidAmount(0.8);
  }
};
struct Dump : DumpExpand {
  Dump() { setDumpExpand(0.2); }
};
struct Bass : HardcoreBass {
  Bass() {
    setHighPassAmount(0.8);
    setBassAmount(0.7);
    setSaturationAmount(0.3);
  }
};

template <typename Unit>
class BypassCrossfade : public ::testing::Test {};

using Units = ::testing::Types<Ring, Phase, Filter, Eq, Dump, Bass>;
TYPED_TEST_SUITE(BypassCrossfade, Units);

TYPED_TEST(BypassCrossfade, EffectFadesOutOverTwoHundredSamplesAndBackIn) {
  // Twins see the same input; one is switched out at the start of the run.
  TypeParam switched, reference;
  int start = 0;
  for (int warm = 0; warm < 4; ++warm, start += 100) {
    StereoBuffer a = StereoBuffer::tones(100, start), b = a;
    switched.process(a.channels(), 100);
    reference.process(b.channels(), 100);
  }
  switched.setBypass(true);
  double level = 0.995;
  for (int block = 0; block < 3; ++block, start += 100) {
    StereoBuffer in = StereoBuffer::tones(100, start);
    StereoBuffer out = in, full = in;
    switched.process(out.channels(), 100);
    reference.process(full.channels(), 100);
    for (int i = 0; i < 100; ++i) {
      const double effect = full.left()[i] - in.left()[i];
      ASSERT_NEAR(out.left()[i] - in.left()[i], level * effect, 1e-9) << start + i;
      ASSERT_NEAR(out.right()[i] - in.right()[i], level * (full.right()[i] - in.right()[i]), 1e-9);
      level = std::max(0.0, level - 0.005);
    }
  }
  EXPECT_EQ(switched.getFadeLevel(), 0.0);

  // Faded out: blocks pass untouched.
  StereoBuffer idle = StereoBuffer::tones(100, start);
  const StereoBuffer dry = idle;
  switched.process(idle.channels(), 100);
  EXPECT_EQ(idle, dry);

  // Switched back in, the effect returns from the dry end.
  switched.setBypass(false);
  StereoBuffer back = StereoBuffer::tones(100, start);
  switched.process(back.channels(), 100);
  EXPECT_NEAR(switched.getFadeLevel(), 0.505, 1e-12);
  EXPECT_NEAR(back.left()[0], dry.left()[0], 0.05);
  EXPECT_FALSE(back == dry);
}

}  // namespace
