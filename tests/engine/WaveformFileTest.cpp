#include "engine/WaveformProvider.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/UserWaveformSnapshot.h"
#include "engine/UserWaveforms.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::Fifo;
using testsupport::TempDirectory;

using Quillvane::WaveformProvider;
constexpr int kSize = 4096;
const std::string kFixtures = "fixtures/waveforms/";

// The integer sample formula of the fixture script.
int fixtureSample(int k, int step, int offset = 0) { return ((k * step + offset) % 65536) - 32768; }

std::vector<double> filled(double value) { return std::vector<double>(kSize, value); }

std::vector<double> load(WaveformProvider& provider, const std::string& path, bool* ok = nullptr) {
  std::vector<double> table = filled(7.0);
  const bool result = provider.LoadWaveform(path.c_str(), table.data(), kSize);
  if (ok) *ok = result;
  return table;
}

// Entry i of a table stretched from count loaded samples, wrapping at the end.
double stretched(const std::vector<double>& loaded, int i) {
  const double count = static_cast<double>(loaded.size());
  const double pos = static_cast<double>(i) / kSize * count;
  const size_t lo = static_cast<size_t>(pos);
  size_t hi = static_cast<size_t>(std::floor(pos + 0.5));
  if (hi >= loaded.size()) hi = 0;
  return (loaded[lo] + loaded[hi]) * 0.5;
}

TEST(WaveformFile, MonoWaveLoadsSampleBySample) {
  WaveformProvider provider;
  bool ok = false;
  const auto table = load(provider, kFixtures + "mono16_full.wav", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(table[0], 1.0);
  EXPECT_DOUBLE_EQ(table[1], -1.0000305185094759);
  for (int k = 2; k < kSize; ++k) ASSERT_EQ(table[k], fixtureSample(k, 7919) / 32767.0) << k;
}

TEST(WaveformFile, StereoWaveAddsHalfTheRightChannel) {
  WaveformProvider provider;
  bool ok = false;
  const auto table = load(provider, kFixtures + "stereo16_full.wav", &ok);
  ASSERT_TRUE(ok);
  EXPECT_NEAR(table[0], 0.7500229, 5e-8);
  for (int k = 1; k < kSize; ++k) {
    ASSERT_EQ(table[k], fixtureSample(k, 4099, 17) / 32767.0 + 0.5 * (fixtureSample(k, 6007, 3) / 32767.0)) << k;
  }
}

TEST(WaveformFile, ShortWaveIsStretchedOverTheTable) {
  WaveformProvider provider;
  bool ok = false;
  const auto table = load(provider, kFixtures + "mono16_short.wav", &ok);
  ASSERT_TRUE(ok);
  std::vector<double> loaded;
  for (int k = 0; k < 1024; ++k) loaded.push_back(fixtureSample(k, 7919) / 32767.0);
  for (int i = 0; i < kSize; ++i) ASSERT_EQ(table[i], stretched(loaded, i)) << i;
  EXPECT_EQ(table[4], loaded[1]);
  EXPECT_EQ(table[4095], (loaded[1023] + loaded[0]) * 0.5);
}

TEST(WaveformFile, WaveMissingItsDataReadsSilenceForThatPart) {
  WaveformProvider provider;
  bool ok = false;
  const auto table = load(provider, kFixtures + "truncated.wav", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(table[0], 1.0);
  EXPECT_EQ(table[49], fixtureSample(49, 7919) / 32767.0);
  for (int k = 50; k < kSize; ++k) ASSERT_EQ(table[k], 0.0) << k;
}

TEST(WaveformFile, FilesThatYieldNoSampleFailAndChangeNothing) {
  WaveformProvider provider;
  for (const char* name : {"mono8.wav", "three_channels.wav", "rifx.wav", "header_only.wav", "raw_empty.raw",
                           "missing.raw", "missing.wav"}) {
    bool ok = true;
    const auto table = load(provider, kFixtures + name, &ok);
    EXPECT_FALSE(ok) << name;
    EXPECT_EQ(table, filled(7.0)) << name;
  }
  std::vector<double> table = filled(7.0);
  EXPECT_FALSE(provider.LoadWaveform(nullptr, table.data(), kSize));
  EXPECT_FALSE(provider.LoadWaveform((kFixtures + "raw_full.raw").c_str(), nullptr, kSize));
  std::vector<double> large(2 * kSize, 7.0);
  EXPECT_FALSE(provider.LoadWaveform((kFixtures + "raw_full.raw").c_str(), large.data(), 2 * kSize));
  EXPECT_FALSE(provider.LoadWaveform((kFixtures + "raw_full.raw").c_str(), table.data(), 0));
  EXPECT_EQ(table, filled(7.0));
}

TEST(WaveformFile, RawFilesLoadAsTheyAreOrStretched) {
  WaveformProvider provider;
  bool ok = false;
  auto table = load(provider, kFixtures + "raw_full.raw", &ok);
  ASSERT_TRUE(ok);
  for (int k = 0; k < kSize; ++k) ASSERT_EQ(table[k], (k - 2048) / 4096.0);

  table = load(provider, kFixtures + "raw_half.raw", &ok);
  ASSERT_TRUE(ok);
  std::vector<double> half;
  for (int k = 0; k < 2048; ++k) half.push_back((k % 256) / 256.0 - 0.5);
  for (int i = 0; i < 2047; ++i) {
    ASSERT_EQ(table[2 * i], half[i]);
    ASSERT_EQ(table[2 * i + 1], (half[i] + half[i + 1]) * 0.5);
  }
  EXPECT_EQ(table[4095], (half[2047] + half[0]) * 0.5);

  table = load(provider, kFixtures + "raw_one_and_a_half.raw", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(table, filled(0.375));
}

TEST(WaveformFile, NonFiniteRawValuesLoadAsSilence) {
  WaveformProvider provider;
  bool ok = false;
  const auto table = load(provider, kFixtures + "raw_nonfinite.raw", &ok);
  ASSERT_TRUE(ok);
  // Four values stretched: entries sit between 0.25, 0 (was NaN), 0 (was inf) and -0.5.
  for (double v : table) ASSERT_TRUE(std::isfinite(v));
  EXPECT_EQ(table[0], 0.25);
  EXPECT_EQ(table[1024], 0.0);
  EXPECT_EQ(table[2048], 0.0);
  EXPECT_EQ(table[3072], -0.5);
}

TEST(WaveformFile, OnlyALowerCaseWavExtensionSelectsTheWaveReader) {
  TempDirectory dir;
  std::filesystem::copy_file(kFixtures + "mono16_full.wav", dir.path("upper.WAV"));
  WaveformProvider provider;
  std::vector<double> viaLoad = filled(0.0), viaRaw = filled(0.0);
  ASSERT_TRUE(provider.LoadWaveform(dir.path("upper.WAV").c_str(), viaLoad.data(), kSize));
  ASSERT_TRUE(provider.LoadWaveformRAW(dir.path("upper.WAV").c_str(), viaRaw.data(), kSize));
  EXPECT_EQ(viaLoad, viaRaw);
  EXPECT_NE(viaLoad, load(provider, kFixtures + "mono16_full.wav"));
}

class StartupLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir.path("waveforms"));
    for (int i = 0; i < kSize; ++i) ramp.push_back(i < 2048 ? i / 2047.0 : -0.5);
  }
  void writeStartupFile(const std::string& name) {
    ASSERT_TRUE(WaveformProvider::saveWaveform(dir.path("waveforms/" + name).c_str(), ramp.data(), kSize));
  }
  void expectLoadedRamp(const double* table) {
    for (int i = 0; i < kSize; ++i) ASSERT_DOUBLE_EQ(table[i], ramp[i] * 0.998777) << i;
  }
  // Table k with its compiled-in shape at the start-up level.
  void expectCompiledInShape(int k) {
    double peak = 0.0;
    for (double v : keep.table(k)) peak = std::max(peak, std::fabs(v));
    EXPECT_NEAR(Quillvane::gQvUserWaveforms[k][100], keep.table(k)[100] * 0.998777 / peak, 1e-12) << k + 1;
  }

  UserWaveformSnapshot keep;
  TempDirectory dir;
  std::vector<double> ramp;
};

TEST_F(StartupLoad, ReadsUserFilesOneToTenAndNormalisesTablesOneToThirteen) {
  writeStartupFile("user01.raw");
  writeStartupFile("user10.raw");
  writeStartupFile("user11.raw");
  WaveformProvider provider;
  provider.setWorkingDirectory(dir.path().c_str());
  provider.LoadWaveforms();
  expectLoadedRamp(Quillvane::gQvWaveform01);
  expectLoadedRamp(Quillvane::gQvWaveform10);
  for (int k : {1, 10, 11, 12}) {  // tables 2, 11, 12, 13: compiled-in shape, start-up level
    const double* table = Quillvane::gQvUserWaveforms[k];
    double peak = 0.0;
    for (int i = 0; i < kSize; ++i) peak = std::max(peak, std::fabs(table[i]));
    EXPECT_NEAR(peak, 0.998777, 1e-12) << k + 1;
    expectCompiledInShape(k);
  }
  EXPECT_EQ(std::vector<double>(Quillvane::gQvWaveform14, Quillvane::gQvWaveform14 + kSize), keep.table(13));
  EXPECT_EQ(std::vector<double>(Quillvane::gQvWaveform15, Quillvane::gQvWaveform15 + kSize), keep.table(14));
}

TEST_F(StartupLoad, WithoutAWorkingDirectoryLooksInTheCurrentOne) {
  writeStartupFile("user03.raw");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  WaveformProvider provider;
  EXPECT_STREQ(provider.getWorkingDirectory(), "");
  provider.LoadWaveforms();
  std::filesystem::current_path(previous);
  expectLoadedRamp(Quillvane::gQvWaveform03);
}

// Start-up files that are no files: a pipe that nothing writes would hold
// the constructing instrument for ever. The rest still load.
TEST_F(StartupLoad, OnlyRegularFilesAreRead) {
  const Fifo fifo(dir.path("waveforms/user01.raw"));
  ASSERT_TRUE(fifo.made());
  std::filesystem::create_directories(dir.path("waveforms/user02.raw"));
  std::filesystem::create_symlink("/dev/zero", dir.path("waveforms/user03.raw"));
  writeStartupFile("user04.raw");
  WaveformProvider provider;
  provider.setWorkingDirectory(dir.path().c_str());
  EXPECT_TRUE(fifo.returnsPromptly([&] { provider.LoadWaveforms(); }));
  for (int k : {0, 1, 2}) expectCompiledInShape(k);
  expectLoadedRamp(Quillvane::gQvWaveform04);
}

TEST(WaveformFile, WorkingDirectoryFallsBackOnTheEnvironment) {
  const char* variable = "QUILLVANE_BASSDRUM_ROKKA";
  WaveformProvider provider;
  unsetenv(variable);
  provider.setWorkingDirectory("/first");
  provider.setWorkingDirectory(nullptr);
  EXPECT_STREQ(provider.getWorkingDirectory(), "/first");
  setenv(variable, "/from/environment", 1);
  provider.setWorkingDirectory("");
  EXPECT_STREQ(provider.getWorkingDirectory(), "/from/environment");
  provider.setWorkingDirectory("/given");
  EXPECT_STREQ(provider.getWorkingDirectory(), "/given");
  provider.setWorkingDirectory(nullptr);
  EXPECT_STREQ(provider.getWorkingDirectory(), "/from/environment");
  unsetenv(variable);
}

class RuntimeLoad : public ::testing::Test {
 protected:
  static double sel(int index) { return index / 35.0; }
  // The table a provider plays for a waveform index.
  static std::vector<double> played(const WaveformProvider& p, int index) {
    const double* table = p.getWaveform(sel(index));
    return std::vector<double>(table, table + kSize);
  }
  UserWaveformSnapshot keep;
  WaveformProvider provider;
};

TEST_F(RuntimeLoad, InstallsBetweenBlocksAtPeakLevel) {
  ASSERT_TRUE(provider.loadWaveformAction(sel(23), (kFixtures + "raw_full.raw").c_str()));
  EXPECT_TRUE(provider.isLoadPending());
  // The table is the process's at once; this provider plays it from its next block.
  EXPECT_EQ(played(provider, 23), keep.table(2));
  const std::vector<double> loaded = played(WaveformProvider(), 23);
  for (int k = 0; k < kSize; ++k) ASSERT_DOUBLE_EQ(loaded[k], (k - 2048) / 2048.0 * 0.999) << k;
  EXPECT_TRUE(provider.updateLoadedWaveform());
  EXPECT_FALSE(provider.isLoadPending());
  EXPECT_EQ(played(provider, 23), loaded);
  // Another block without a new load changes nothing.
  const double* table = provider.getWaveform(sel(23));
  EXPECT_FALSE(provider.updateLoadedWaveform());
  EXPECT_EQ(provider.getWaveform(sel(23)), table);
}

TEST_F(RuntimeLoad, EveryLoadBeforeTheNextBlockArrives) {
  ASSERT_TRUE(provider.loadWaveformAction(sel(21), (kFixtures + "raw_full.raw").c_str()));
  ASSERT_TRUE(provider.loadWaveformAction(sel(22), (kFixtures + "mono16_full.wav").c_str()));
  EXPECT_TRUE(provider.updateLoadedWaveform());
  EXPECT_DOUBLE_EQ(played(provider, 21)[0], -0.999);
  EXPECT_DOUBLE_EQ(played(provider, 22)[1], -0.999);
  for (int k = 2; k < 15; ++k) EXPECT_EQ(played(provider, 21 + k), keep.table(k)) << k;
}

// A provider that did not load takes the table at its own next block.
TEST_F(RuntimeLoad, OtherProvidersPlayTheLoadedTableFromTheirNextBlock) {
  WaveformProvider other;
  ASSERT_TRUE(provider.loadWaveformAction(sel(35), (kFixtures + "raw_full.raw").c_str()));
  EXPECT_EQ(played(other, 35), keep.table(14));
  EXPECT_FALSE(other.updateLoadedWaveform());
  EXPECT_DOUBLE_EQ(played(other, 35)[0], -0.999);
}

TEST_F(RuntimeLoad, FailedLoadsChangeNothing) {
  EXPECT_FALSE(provider.loadWaveformAction(sel(21), (kFixtures + "missing.raw").c_str()));
  EXPECT_FALSE(provider.loadWaveformAction(sel(21), (kFixtures + "rifx.wav").c_str()));
  EXPECT_FALSE(provider.loadWaveformAction(sel(21), nullptr));
  EXPECT_FALSE(provider.isLoadPending());
  EXPECT_FALSE(provider.updateLoadedWaveform());
  EXPECT_EQ(played(WaveformProvider(), 21), keep.table(0));
}

TEST_F(RuntimeLoad, OnlyRegularFilesAreRead) {
  const TempDirectory dir;
  const Fifo raw(dir.path("pipe.raw")), wave(dir.path("pipe.wav"));
  ASSERT_TRUE(raw.made() && wave.made());
  const struct {
    const Fifo& watched;  // the pipe a reader that waits would wait on
    std::string path;
  } cases[] = {{raw, raw.path()}, {wave, wave.path()}, {raw, "/dev/zero"}, {raw, dir.path()}};
  for (const auto& c : cases) {
    bool loaded = true;
    EXPECT_TRUE(c.watched.returnsPromptly([&] { loaded = provider.loadWaveformAction(sel(21), c.path.c_str()); }))
        << c.path;
    EXPECT_FALSE(loaded) << c.path;
    EXPECT_FALSE(provider.isLoadPending()) << c.path;
  }
}

TEST_F(RuntimeLoad, ALoadForABuiltInWaveformIsDropped) {
  ASSERT_TRUE(provider.loadWaveformAction(sel(5), (kFixtures + "raw_full.raw").c_str()));
  EXPECT_FALSE(provider.isLoadPending());
  EXPECT_FALSE(provider.updateLoadedWaveform());
  for (int k = 0; k < 15; ++k) EXPECT_EQ(played(provider, 21 + k), keep.table(k)) << k;
  ASSERT_TRUE(provider.loadWaveformAction(sel(35), (kFixtures + "mono16_full.wav").c_str()));
  EXPECT_TRUE(provider.updateLoadedWaveform());
  EXPECT_DOUBLE_EQ(played(provider, 35)[1], -0.999);
}

TEST_F(RuntimeLoad, AllZeroFileInstallsSilence) {
  TempDirectory dir;
  const std::vector<double> zeros(kSize, 0.0);
  ASSERT_TRUE(WaveformProvider::saveWaveform(dir.path("zeros.raw").c_str(), zeros.data(), kSize));
  ASSERT_TRUE(provider.loadWaveformAction(sel(30), dir.path("zeros.raw").c_str()));
  provider.updateLoadedWaveform();
  EXPECT_EQ(played(provider, 30), zeros);
}

TEST(WaveformFile, CopyQVWaveformsStaysWithinTheGivenLength) {
  WaveformProvider provider;
  std::vector<double> source(kSize, 1.0), destination(10, 0.0);
  provider.CopyQVWaveforms(destination.data(), source.data(), 10);
  EXPECT_EQ(destination, std::vector<double>(10, 1.0));
  std::vector<double> full(kSize, 0.0);
  provider.CopyQVWaveforms(full.data(), source.data(), 99999);
  EXPECT_EQ(full, source);
}

}  // namespace
