// Drives the instrument as a strict plug-in validator does, across sample
// rates and block sizes: random presets, notes and automation, checking every
// sample the host receives, that the render path neither allocates nor locks,
// and that a saved state restored into a fresh instance sounds the same.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "instrument/Thudrokka.h"
#include "platform/standin/CFBase.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/LockCounter.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

constexpr int kAutomationFrames = 32;
constexpr int kAutomatedPerStep = 3;
constexpr int kMaxNotes = 6;
constexpr double kSeconds = 0.4;

struct Case {
  double rate;
  int block;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.rate << " Hz, " << c.block << " frames"; }

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
  return "Rate" + std::to_string(static_cast<int>(info.param.rate)) + "Block" + std::to_string(info.param.block);
}

class Validation : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    random.seed(static_cast<unsigned>(GetParam().rate) * 31u + static_cast<unsigned>(GetParam().block));
    ASSERT_EQ(original.open(GetParam().rate, GetParam().block), noErr);
    ASSERT_EQ(restored.open(GetParam().rate, GetParam().block), noErr);
  }

  double randomValue() {
    // Ends and the middle come up often: switches and laws change there.
    switch (random() % 8) {
      case 0: return 0.0;
      case 1: return 1.0;
      case 2: return 0.5;
      default: return std::uniform_real_distribution<double>(0.0, 1.0)(random);
    }
  }

  // Both instances get every host call alike.
  void setParameter(int p, double value) {
    for (InstrumentHost* host : {&original, &restored}) {
      ASSERT_EQ(host->session().SetParameter(static_cast<AudioUnitParameterID>(p), static_cast<float>(value)), noErr);
    }
  }

  void automate() {
    for (int k = 0; k < kAutomatedPerStep; ++k) setParameter(static_cast<int>(random() % 105), randomValue());
  }

  void playNotes(int frames) {
    if (notes.size() < kMaxNotes && random() % 3 == 0) {
      const int note = 24 + static_cast<int>(random() % 72);
      const int velocity = 1 + static_cast<int>(random() % 127);
      const int offset = static_cast<int>(random() % static_cast<unsigned>(frames));
      for (InstrumentHost* host : {&original, &restored}) host->noteOn(note, velocity, offset);
      notes.push_back(note);
    }
    if (!notes.empty() && random() % 4 == 0) {
      for (InstrumentHost* host : {&original, &restored}) host->noteOff(notes.front(), 0);
      notes.erase(notes.begin());
    }
  }

  // One render call in each instance; checks the samples and that they match.
  void render(int frames) {
    std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
    std::vector<float> left2(left.size()), right2(left.size());
    {
      testsupport::AllocationCounter allocations;
      testsupport::LockCounter locks;
      ASSERT_EQ(original.render(frames, left.data(), right.data()), noErr);
      allocationCount += allocations.count();
      lockCount += locks.count();
    }
    ASSERT_EQ(restored.render(frames, left2.data(), right2.data()), noErr);
    for (int i = 0; i < frames; ++i) {
      for (float x : {left[i], right[i]}) {
        ASSERT_TRUE(std::isfinite(x)) << "frame " << rendered + i;
        ASSERT_NE(std::fpclassify(x), FP_SUBNORMAL) << "frame " << rendered + i;
        loudest = std::max(loudest, std::fabs(x));
      }
      ASSERT_EQ(left[i], left2[i]) << "frame " << rendered + i;
      ASSERT_EQ(right[i], right2[i]) << "frame " << rendered + i;
    }
    rendered += frames;
  }

  std::mt19937 random;
  InstrumentHost original, restored;
  std::vector<int> notes;
  std::size_t allocationCount = 0, lockCount = 0;
  long rendered = 0;
  float loudest = 0.0f;
};

TEST_P(Validation, RandomPresetsNotesAndAutomation) {
  const int block = GetParam().block;
  Thudrokka* plug = original.instrument();
  Thudrokka* copy = restored.instrument();

  // A random preset with some changes, saved and restored into the other.
  ASSERT_EQ(original.selectPreset(static_cast<int>(random() % 128)), noErr);
  for (int k = 0; k < 10; ++k) {
    const int p = static_cast<int>(random() % 105);
    ASSERT_EQ(original.session().SetParameter(static_cast<AudioUnitParameterID>(p), static_cast<float>(randomValue())),
              noErr);
  }
  CFPropertyListRef state = nullptr;
  ASSERT_EQ(original.session().GetState(&state), noErr);
  ASSERT_EQ(restored.session().SetState(state), noErr);
  CFRelease(state);
  for (int p = 0; p < plug->NParams(); ++p) {
    ASSERT_EQ(copy->GetParam(p)->Value(), plug->GetParam(p)->Value()) << "parameter " << p;
  }

  // Whole host slices and slices cut into automation steps take turns, so
  // both full-size renders and changes every 32 frames are exercised.
  const long total = std::max(static_cast<long>(kSeconds * GetParam().rate), 3L * block);
  bool whole = true;
  for (long start = 0; start < total; start += block, whole = !whole) {
    const int frames = static_cast<int>(std::min<long>(block, total - start));
    playNotes(frames);
    // Halfway through, the host switches both to another preset.
    if (start < total / 2 && start + block >= total / 2) {
      const int preset = static_cast<int>(random() % 128);
      for (InstrumentHost* host : {&original, &restored}) ASSERT_EQ(host->selectPreset(preset), noErr);
    }
    if (start == 0) {
      for (InstrumentHost* host : {&original, &restored}) host->noteOn(48, 127, 0);
    }
    if (whole) {
      automate();
      render(frames);
    } else {
      for (int done = 0; done < frames; done += kAutomationFrames) {
        automate();
        render(std::min(kAutomationFrames, frames - done));
      }
    }
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(allocationCount, 0u);
  EXPECT_EQ(lockCount, 0u);
  EXPECT_GT(loudest, 0.0f);
}

std::vector<Case> allCases() {
  std::vector<Case> cases;
  for (double rate : {22050.0, 32000.0, 44100.0, 48000.0, 96000.0, 192000.0}) {
    for (int block : {1, 7, 64, 512, 4096}) cases.push_back({rate, block});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(RatesAndBlocks, Validation, ::testing::ValuesIn(allCases()), caseName);

// What a host sends to stop notes, and bursts larger than any queue, reach
// the render thread with neither an allocation nor a lock there, also while
// the host bypasses the unit.
TEST(RenderPath, BurstsStopsAndResetsNeitherAllocateNorLock) {
  constexpr int kBlock = 512;
  InstrumentHost host;
  ASSERT_EQ(host.open(44100.0, kBlock), noErr);
  ASSERT_EQ(host.selectPreset(100), noErr);
  std::vector<float> left(kBlock), right(kBlock);
  std::size_t allocations = 0, locks = 0;
  auto render = [&] {
    testsupport::AllocationCounter allocationCounter;
    testsupport::LockCounter lockCounter;
    ASSERT_EQ(host.render(kBlock, left.data(), right.data()), noErr);
    allocations += allocationCounter.count();
    locks += lockCounter.count();
  };
  render();
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 3000; ++i) {
      const int key = 40 + i % 50;
      ASSERT_EQ(i % 3 == 2 ? host.noteOff(key, i % (2 * kBlock)) : host.noteOn(key, 100, i % (2 * kBlock)), noErr);
    }
    ASSERT_EQ(host.session().SendMIDI(0xB0, IMidiMsg::kAllSoundOff, 0, 100 + round), noErr);
    ASSERT_EQ(host.session().SendMIDI(0xB0, IMidiMsg::kAllNotesOff, 0, 300), noErr);
    for (int block = 0; block < 4; ++block) render();
    if (round == 1) {
      ASSERT_EQ(AudioUnitReset(host.session().Unit(), kAudioUnitScope_Global, 0), noErr);
    }
    // The last round's bursts reach a bypassed unit, which drops them.
    const UInt32 bypass = round == 1 ? 1 : 0;
    ASSERT_EQ(AudioUnitSetProperty(host.session().Unit(), kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0,
                                   &bypass, sizeof(bypass)),
              noErr);
  }
  EXPECT_EQ(allocations, 0u);
  EXPECT_EQ(locks, 0u);
}

// The counter itself sees the locks it is meant to find.
TEST(LockCounter, CountsTheFrameworksMutex) {
  WDL_Mutex mutex;
  testsupport::LockCounter locks;
  mutex.Enter();
  mutex.Leave();
  EXPECT_EQ(locks.count(), 1u);
}

}  // namespace
