#pragma once

#include <gtest/gtest.h>

#include "tests/effects/StereoBuffer.h"

namespace effectstest {

// A block longer than the unit's block size passes untouched; once the block
// size has grown to it, the same block is processed.
template <class Unit>
void expectLongBlockWaitsForTheBlockSize(Unit& unit, int frames) {
  StereoBuffer block = StereoBuffer::tones(frames);
  const StereoBuffer dry = block;
  unit.process(block.channels(), frames);
  EXPECT_EQ(block, dry);
  unit.setBlockSize(frames);
  unit.process(block.channels(), frames);
  EXPECT_FALSE(block == dry);
}

}  // namespace effectstest
