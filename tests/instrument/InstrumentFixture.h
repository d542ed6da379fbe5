#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "instrument/Thudrokka.h"
#include "tools/thudrokka/InstrumentHost.h"

// An instrument opened through its component entry by the command-line
// host's session, with the object behind the unit at hand.
class InstrumentTest : public ::testing::Test {
 protected:
  struct Stereo {
    std::vector<float> left, right;
  };

  void openHost(double rate = 44100.0, int block = 512) {
    ASSERT_EQ(host.open(rate, block), noErr);
    plug = host.instrument();
    ASSERT_NE(plug, nullptr);
  }

  void setParameter(int p, double value) {
    ASSERT_EQ(host.session().SetParameter(static_cast<AudioUnitParameterID>(p), static_cast<float>(value)), noErr);
  }

  double value(int p) const { return plug->GetParam(p)->Value(); }

  // frames in slices of the host's block size.
  Stereo render(int frames) {
    Stereo out;
    out.left.resize(static_cast<std::size_t>(frames));
    out.right.resize(out.left.size());
    for (int done = 0; done < frames;) {
      const int n = std::min(host.blockSize(), frames - done);
      EXPECT_EQ(host.render(n, out.left.data() + done, out.right.data() + done), noErr);
      done += n;
    }
    return out;
  }

  InstrumentHost host;
  Thudrokka* plug = nullptr;
};

// Index of the first sample that is not zero, or -1.
inline int firstSound(const std::vector<float>& samples) {
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (samples[i] != 0.0f) return static_cast<int>(i);
  }
  return -1;
}
