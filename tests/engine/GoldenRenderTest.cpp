// Renders pinned to the bit, so that speed-ups can be shown not to change
// what the voices produce.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/engine/HeavyProgram.h"
#include "tests/engine/StandInSynth.h"

namespace {

using testsupport::StandInSynth;

uint64_t fnv1a(uint64_t hash, const std::vector<double>& samples) {
  for (double x : samples) {
    unsigned char bytes[sizeof(double)];
    std::memcpy(bytes, &x, sizeof(double));
    for (unsigned char b : bytes) hash = (hash ^ b) * 0x100000001b3ULL;
  }
  return hash;
}

// A second and a half of overlapping notes, one released and struck again,
// in blocks of changing size.
uint64_t renderHash(void (*program)(StandInSynth&)) {
  auto synth = std::make_unique<StandInSynth>();
  program(*synth);
  synth->queueNoteOn(36, 127, 0);
  synth->queueNoteOn(48, 90, 123);
  synth->queueNoteOn(55, 64, 700);
  synth->queueNoteOn(67, 110, 5000);
  synth->queueNoteOff(48, 30000);
  synth->queueNoteOn(48, 100, 40000);
  synth->render(66150, {512, 512, 128, 333});
  uint64_t hash = 0xcbf29ce484222325ULL;
  hash = fnv1a(hash, synth->left);
  hash = fnv1a(hash, synth->right);
  return fnv1a(hash, synth->bass);
}

TEST(GoldenRender, HeavyProgramIsUnchanged) {
  const uint64_t hash = renderHash(testsupport::applyHeavyProgram);
  EXPECT_EQ(hash, 0xe057aed5b3957a10ULL) << std::hex << hash;
}

TEST(GoldenRender, FullProgramIsUnchanged) {
  const uint64_t hash = renderHash(testsupport::applyFullProgram);
  EXPECT_EQ(hash, 0x1f5864c3fb5f5570ULL) << std::hex << hash;
}

}  // namespace
