#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/instrument/WaveFileReader.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::TempDirectory;

using namespace Quillvane::Synth;

constexpr double kRate = 8000.0;
constexpr int kFramesPerPreset = 2 * 8000 + 2;

TEST(RenderPresets, RefusesEmptyOrForeignRangesAndUnpreparedInstruments) {
  const TempDirectory dir;
  const std::string file = dir.path("out.wav");
  ThudrokkaProbe plug;
  EXPECT_FALSE(plug.RenderPresets(0, 1, file.c_str()));  // before the first Reset
  plug.prepare(kRate, 256);
  const struct { int first, last; } ranges[] = {{0, 0}, {5, 3}, {-1, 2}, {127, 129}, {128, 129}};
  for (const auto& r : ranges) EXPECT_FALSE(plug.RenderPresets(r.first, r.last, file.c_str())) << r.first;
  EXPECT_FALSE(plug.RenderPresets(0, 1, nullptr));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_FALSE(plug.RenderPresets(0, 1, "/nonexistent/folder/bank.wav"));
}

// The block size changed behind its back: no room for a block, or other room
// than its own buffers have. It fails instead of rendering forever or past
// them.
TEST(RenderPresets, FailsWhenTheBlockSizeChangesUnderIt) {
  const TempDirectory dir;
  const std::string file = dir.path("out.wav");
  for (int block : {0, 512}) {
    ThudrokkaProbe plug;
    plug.prepare(kRate, 256);
    plug.SetBlockSize(block);
    EXPECT_FALSE(plug.RenderPresets(0, 1, file.c_str())) << block;
  }
}

TEST(RenderPresets, WritesOneSoundingBlockPerPreset) {
  const TempDirectory dir;
  const std::string file = dir.path("out.wav");
  ThudrokkaProbe plug;
  plug.prepare(kRate, 256);
  ASSERT_TRUE(plug.RenderPresets(18, 21, file.c_str()));
  const WaveFile wave = WaveFile::read(file.c_str());
  ASSERT_TRUE(wave.valid);
  EXPECT_EQ(wave.rate, 8000);
  EXPECT_EQ(wave.bits, 24);
  ASSERT_EQ(wave.frames(), 3 * kFramesPerPreset);
  for (int block = 0; block < 3; ++block) {
    const auto begin = wave.left.begin() + block * kFramesPerPreset;
    double loudest = 0.0;
    std::for_each(begin, begin + kFramesPerPreset, [&loudest](double x) { loudest = std::max(loudest, std::fabs(x)); });
    EXPECT_GT(loudest, 1e-3) << block;
    // Each starts from silence: nothing of the preset before.
    EXPECT_LT(std::fabs(*begin), 1e-4) << block;
  }

  // The last preset restored stays current with its own values.
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 20);
  const double decay = plug.GetParam(EnvDecay)->Value();
  ASSERT_TRUE(plug.RestorePreset(20));
  EXPECT_EQ(plug.GetParam(EnvDecay)->Value(), decay);
}

TEST(RenderPresets, TheFirstTwentyPlayWithLongerEnvelopes) {
  const TempDirectory dir;
  const std::string file = dir.path("out.wav");
  ThudrokkaProbe plug;
  plug.prepare(kRate, 256);
  ASSERT_TRUE(plug.RenderPresets(18, 20, file.c_str()));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 19);
  const struct {
    int p;
    double v;
  } longEnvelope[] = {{EnvDecay, 1.0}, {EnvRelease, 0.15}, {EnvDuration, 0.4}, {FilterRelease, 0.2}};
  for (const auto& s : longEnvelope) {
    EXPECT_EQ(plug.GetParam(s.p)->Value(), s.v) << s.p;
    EXPECT_EQ(plug.mSynthProgram[static_cast<eVstParameters>(s.p)], s.v) << s.p;
  }
  EXPECT_EQ(plug.mVoiceManager.getNote(0).getVolumeEnvelope().getDuration(), 2.0);
}

}  // namespace
