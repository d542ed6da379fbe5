// The chain runs on the host's render thread: no unit may allocate there,
// whatever its settings.

#include <gtest/gtest.h>

#include "effects/3BandEq.h"
#include "effects/BitCrasher.h"
#include "effects/Distortion.h"
#include "effects/DumpExpand.h"
#include "effects/FilterUnit.h"
#include "effects/HardcoreBass.h"
#include "effects/Phaser.h"
#include "effects/RingModulator.h"
#include "tests/effects/StereoBuffer.h"
#include "tests/support/AllocationCounter.h"

namespace {

using namespace Quillvane;
using effectstest::StereoBuffer;

TEST(EffectChain, ProcessingAllocatesNothing) {
  FilterUnit filter;
  RingModulator ring;
  Phaser phaser;
  auto distortion = std::make_unique<Distortion>();
  BitCrasher crasher;
  Equalizer eq;
  DumpExpand dump;
  HardcoreBass bass;
  for (auto* unit : std::initializer_list<AudioProcessingUnit*>{&filter, &eq, &dump, &bass}) {
    unit->setSampleRate(48000);
  }
  filter.setBlockSize(256);
  eq.setBlockSize(256);
  dump.setBlockSize(256);
  bass.setBlockSize(256);
  filter.setInputDrive(0.5);
  filter.setFilterMix(0.5);
  ring.setAmount(0.5);
  phaser.setDepth(0.7);
  distortion->setAmount(0.8);
  distortion->setType(0.5);
  distortion->setSampleRateConversion(0.3);
  distortion->setGate(0.2);
  distortion->setLoudness(true);
  crasher.setQuantization(0.2);
  eq.setMidAmount(0.3);
  dump.setDumpExpand(0.7);
  bass.setBassAmount(0.5);
  bass.setHighPassAmount(0.7);
  bass.setSaturationAmount(0.5);
  StereoBuffer block = StereoBuffer::tones(256);

  testsupport::AllocationCounter counter;
  for (int round = 0; round < 4; ++round) {
    // Parameter glides run during the first blocks, steady filtering after.
    filter.setCutoff(0.2 * round);
    filter.setFilterMode1(round / 3.0);
    filter.setFilterMode2(1.0 - round / 3.0);
    double** c = block.channels();
    filter.process(c, 256);
    ring.modulate(c, 256);
    phaser.process(c, 256);
    distortion->applySampleRateConversion(c, 256);
    crasher.process(c, 256);
    distortion->applyGate(c, 256);
    distortion->distort(c, 256);
    eq.process(c, 256);
    dump.process(c, 256);
    bass.process(c, 256);
  }
  EXPECT_EQ(counter.count(), 0u);
}

}  // namespace
