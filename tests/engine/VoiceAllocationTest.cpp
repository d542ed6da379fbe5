#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/engine/HeavyProgram.h"
#include "tests/engine/StandInSynth.h"
#include "tests/support/AllocationCounter.h"

namespace {

TEST(VoiceAllocation, RenderingAllocatesNothing) {
  auto synth = std::make_unique<testsupport::StandInSynth>();
  testsupport::applyHeavyProgram(*synth);
  for (int note = 0; note < 70; ++note) synth->queueNoteOn(30 + note, 100, note * 97);
  for (int note = 0; note < 20; ++note) synth->queueNoteOff(30 + note, 9000 + note * 13);
  const int frames = 64 * 512;
  for (auto* out : {&synth->left, &synth->right, &synth->bass}) out->reserve(frames);
  synth->notesShown.reserve(70);

  const std::vector<int> blocks = {512, 100, 7};

  testsupport::AllocationCounter counter;
  synth->render(frames, blocks);
  EXPECT_EQ(counter.count(), 0u);
  // All 64 voices were started (and reported) inside the counted span.
  EXPECT_EQ(synth->notesShown.size(), 64u);
}

}  // namespace
