// Factory presets played through the host as a sound designer would: notes
// struck and released inside the host's slices, at their starts and across
// them, sound the same in slices of any size as in slices of one frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/thudrokka/InstrumentHost.h"

namespace {

struct NoteEvent {
  int note;
  int frame;
  bool on;
};

// In frame order. A hit on frame 3000 of the first 4096 frames and released
// inside that slice, one struck on the first frame of a slice of 512 and of
// 4096, one released on a slice's last frame, and two overlapping notes
// across slices.
const NoteEvent kEvents[] = {
    {48, 0, true},      {48, 2000, false}, {48, 3000, true},   {48, 3500, false},
    {50, 8192, true},   {55, 12000, true}, {50, 16383, false}, {55, 20001, false},
};
constexpr int kFrames = 30000;

std::vector<float> play(int preset, int block) {
  InstrumentHost host;
  EXPECT_EQ(host.open(44100.0, block), noErr);
  EXPECT_EQ(host.selectPreset(preset), noErr);
  std::vector<float> left(kFrames), right(kFrames);
  std::size_t next = 0;
  for (int start = 0; start < kFrames; start += block) {
    const int n = std::min(block, kFrames - start);
    for (; next < std::size(kEvents) && kEvents[next].frame < start + n; ++next) {
      const NoteEvent& e = kEvents[next];
      EXPECT_EQ(e.on ? host.noteOn(e.note, 127, e.frame - start) : host.noteOff(e.note, e.frame - start), noErr);
    }
    EXPECT_EQ(host.render(n, left.data() + start, right.data() + start), noErr);
  }
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

TEST(PresetTiming, SlicesOfAnySizeSoundAsSlicesOfOneFrame) {
  // A hit, a kick with a pitch sweep, a lead and a pad, among others.
  for (int preset : {0, 16, 25, 45, 71, 82, 100, 114}) {
    const std::vector<float> reference = play(preset, 1);
    const float loudest = *std::max_element(reference.begin(), reference.end());
    ASSERT_GT(loudest, 0.01f) << "preset " << preset;
    for (int block : {7, 512, 4096}) {
      const std::vector<float> take = play(preset, block);
      float largest = 0.0f;
      std::size_t at = 0;
      for (std::size_t i = 0; i < take.size(); ++i) {
        const float d = std::fabs(take[i] - reference[i]);
        if (d > largest) {
          largest = d;
          at = i;
        }
      }
      EXPECT_LE(largest, 1e-6f) << "preset " << preset << ", slices of " << block << ", sample " << at % kFrames
                                << (at < kFrames ? " left" : " right");
    }
  }
}

}  // namespace
