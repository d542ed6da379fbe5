// The user waveform tables are the process's: instances render from them on
// their own render threads while one of them loads a new table. The
// thread-sanitizing build runs these, and any read of a table while it is
// written shows there.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "engine/WaveformProvider.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/UserWaveformSnapshot.h"

namespace {

using namespace Quillvane::Synth;
using Quillvane::WaveformProvider;

constexpr int kSize = WaveformProvider::kWaveformSize;
constexpr double kUser1 = Quillvane::kWaveUser1 / 35.0;
constexpr int kLoads = 40;

// Two tables a load alternates between: every entry +1, and every entry -1.
struct LevelFiles {
  testsupport::TempDirectory dir;
  std::string files[2] = {dir.path("up.raw"), dir.path("down.raw")};

  LevelFiles() {
    for (int f = 0; f < 2; ++f) {
      const std::vector<double> level(kSize, f == 0 ? 1.0 : -1.0);
      EXPECT_TRUE(WaveformProvider::saveWaveform(files[f].c_str(), level.data(), kSize));
    }
  }
  const char* file(int load) const { return files[load % 2].c_str(); }
};

// Whether every entry of the table holds the same value as the first.
bool Whole(const WaveformProvider& provider, double selector) {
  const double* table = provider.getWaveform(selector);
  for (int i = 1; i < kSize; ++i) {
    if (table[i] != table[0]) return false;
  }
  return true;
}

// One provider loads and starts blocks as an instance's threads do, while
// a second one's render thread starts its own blocks and reads the table
// whole after each start: it plays the old table or the new, never a mix.
TEST(SharedWaveforms, AProviderNeverPlaysATableHalfWritten) {
  const UserWaveformSnapshot keep;
  const LevelFiles levels;
  WaveformProvider loading, playing;
  // The table starts at one level, so that every table it holds is level.
  ASSERT_TRUE(loading.loadWaveformAction(kUser1, levels.file(1)));
  loading.updateLoadedWaveform();
  playing.updateLoadedWaveform();

  std::atomic<int> loads{0};
  std::atomic<int> blocksSinceLoad{0};
  int mixed = 0;
  std::thread render([&] {
    while (loads.load() < kLoads) {
      playing.updateLoadedWaveform();
      if (!Whole(playing, kUser1)) ++mixed;
      blocksSinceLoad.fetch_add(1);
    }
  });
  for (int load = 0; load < kLoads; ++load) {
    ASSERT_TRUE(loading.loadWaveformAction(kUser1, levels.file(load)));
    loading.updateLoadedWaveform();
    // The other render thread gets a block in before the next load.
    blocksSinceLoad.store(0);
    while (blocksSinceLoad.load() == 0) std::this_thread::yield();
    loads.fetch_add(1);
  }
  render.join();
  EXPECT_EQ(mixed, 0);
  // The last load, an odd one, brought the table of -1.
  playing.updateLoadedWaveform();
  EXPECT_EQ(playing.getWaveform(kUser1)[0], -0.999);
}

// Two instruments, each on a render thread of its own, play the first user
// waveform while one of them loads tables into it from the editor's thread.
TEST(SharedWaveforms, TwoInstancesRenderOnTwoThreadsWhileOneLoads) {
  const UserWaveformSnapshot keep;
  const LevelFiles levels;
  ThudrokkaProbe loading, playing;
  for (ThudrokkaProbe* plug : {&loading, &playing}) {
    plug->prepare(44100.0, 64);
    plug->set(OscWaveform1, 21.0 / 35.0);
    plug->PlayNote(true);
  }

  std::atomic<bool> done{false};
  std::atomic<int> rendered[2] = {{0}, {0}};
  std::atomic<int> unusable{0};
  auto renderLoop = [&](ThudrokkaProbe& plug, std::atomic<int>& blocks) {
    std::vector<double> left(64), right(64);
    double* out[2] = {left.data(), right.data()};
    while (!done.load()) {
      plug.ProcessDoubleReplacing(nullptr, out, 64);
      for (int i = 0; i < 64; ++i) {
        if (!std::isfinite(left[i]) || !std::isfinite(right[i])) unusable.fetch_add(1);
      }
      blocks.fetch_add(1);
    }
  };
  std::thread first([&] { renderLoop(loading, rendered[0]); });
  std::thread second([&] { renderLoop(playing, rendered[1]); });
  for (int load = 0; load < kLoads; ++load) {
    const int before[2] = {rendered[0].load(), rendered[1].load()};
    EXPECT_TRUE(loading.LoadWaveform(levels.file(load)));
    // Both render a block with each table.
    while (rendered[0].load() < before[0] + 2 || rendered[1].load() < before[1] + 2) std::this_thread::yield();
  }
  done.store(true);
  first.join();
  second.join();
  EXPECT_EQ(unusable.load(), 0);
}

}  // namespace
