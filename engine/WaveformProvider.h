#pragma once

#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Constants.h"
#include "engine/SeededRandom.h"
#include "engine/UserWaveformTables.h"
#include "engine/VectorMath.h"
#include "program/NormalisedSelector.h"

namespace Quillvane {

enum eWaveform {
  kWaveSine = 0,
  kWaveSawtooth,
  kWavePulse,
  kWaveQuadPulse,
  kWaveOctPulse,
  kWaveTriangle,
  kWaveWhiteNoize,
  kWaveNoize,
  kWaveLQNoize1,
  kWaveLQNoize2,
  kWaveLQNoize3,
  kWavePyrokinesis,
  kWaveSReceptor,
  kWaveDReceptor,
  kWaveShikoku,
  kWaveKIC8462852,
  kWaveSynapsis,
  kWaveBrickBreaker,
  kWaveWavescape,
  kWaveGeoChirp,
  kWaveWaveGarden,
  kWaveUser1,
  kWaveUser2,
  kWaveUser3,
  kWaveUser4,
  kWaveUser5,
  kWaveUser6,
  kWaveUser7,
  kWaveUser8,
  kWaveUser9,
  kWaveUser10,
  kWaveUser11,
  kWaveUser12,
  kWaveUser13,
  kWaveUser14,
  kWaveUser15
};

// The oscillators' 36 waveforms, chosen by a normalised selector and sampled
// at a phase in cycles. Computed shapes are evaluated on every call; the
// others are single-cycle tables of kWaveformSize entries: thirteen built
// per provider and fifteen user tables shared by the whole process, which
// the provider reads as it took them at its last block start.
class WaveformProvider {
 public:
  static constexpr int kWaveformSize = 4096;
  static constexpr int kNumWaveforms = 36;
  static constexpr int kNumGeneratedWaveforms = 13;
  static constexpr int kNumUserWaveforms = 15;
  static constexpr int kNumStartupFiles = 10;
  // User tables 14 and 15 keep their compiled-in level at start-up.
  static constexpr int kNumRescaledUserWaveforms = 13;
  static constexpr double kGeneratedPeak = 0.98777;
  static constexpr double kStartupUserPeak = 0.998777;
  static constexpr double kLoadedPeak = 0.999;
  static constexpr unsigned kRandomSeed = 1500;

  WaveformProvider();
  virtual ~WaveformProvider() = default;
  WaveformProvider(const WaveformProvider&) = delete;
  WaveformProvider& operator=(const WaveformProvider&) = delete;

  // Selector law shared by every selector-taking call: values above 1 count
  // as 1, negative values and NaN as 0.
  static int getWaveformIndex(double selector) { return clampedSelectorIndex(selector, kNumWaveforms - 1); }
  static double getWaveformSel(eWaveform e) { return selectorValue(e, kNumWaveforms - 1); }
  static const char* getWaveformText(double selector);
  // Display name or alias to waveform; anything unknown is Sine.
  static eWaveform getWaveformType(const char* name);
  // Triangle of one cycle, +1 at a quarter and -1 at three quarters.
  static double triangle(double x) { return triangleAt(cyclePosition(x)); }
  // Position within the cycle, with the sign of x: std::fmod(x, 1.0)
  // without the library call, which is slow on long-running phases.
  static double cyclePosition(double x) {
    // Below 2^52 a phase may have a fraction, and the integer conversion
    // truncates it exactly; larger, infinite and NaN phases are left to fmod.
    if (std::fabs(x) < 4503599627370496.0) {
      return std::copysign(x - static_cast<double>(static_cast<int64_t>(x)), x);
    }
    return std::fmod(x, 1.0);
  }
  // Scales the table to the given peak; NaN entries do not count and an
  // all-zero table stays as it is.
  static void normalizePeak(double* table, int n, double level);

  // Fills the tables; the first call in the process also reads the
  // start-up files into the shared user tables.
  void makeWaveforms();

  // Called for every oscillator at every sample.
  double getWaveformSample(double selector, double phase) {
    return sample(getWaveformIndex(selector), phase, mRandom);
  }
  // out[i] = getWaveformSample(selector, phases[i]) for i = 0 .. n-1, in
  // that order, with the waveform chosen once; out may be phases itself.
  void getWaveformSamples(double selector, const double* phases, double* out, int n);
  const double* getWaveform(double selector) const { return mTables[getWaveformIndex(selector)]; }

  double getPrevWaveform(double selector) const;
  double getNextWaveform(double selector) const;
  float getPrevWaveform(float selector) const;
  float getNextWaveform(float selector) const;
  void getWaveformText(double selector, char* buffer, unsigned short size) const;
  void updateGUIData(double selector, bool fold, double* out, int n);

  // Run-time replacement of a user table: loadWaveformAction reads the file
  // on the caller's thread, under no lock of the instrument's, and replaces
  // the shared table whole; a file loaded for a waveform that is no user one
  // is dropped. Every provider, this one included, plays the new table from
  // its next block on.
  bool canLoadWaveform(double selector) const { return getWaveformIndex(selector) >= kWaveUser1; }
  bool loadWaveformAction(double selector, const char* path);
  // A table this provider loaded waits for its next block.
  bool isLoadPending() const { return mLoadPending.load(std::memory_order_acquire); }
  // Render thread, at the start of every block: takes the user tables
  // replaced since the last one, without a lock or an allocation. True when
  // a table this provider loaded came in.
  bool updateLoadedWaveform();

  // Start-up files and the two readers, which touch nothing of the provider
  // but the buffer they are given.
  void setWorkingDirectory(const char* path);
  const char* getWorkingDirectory() const { return mWorkingDirectory.c_str(); }
  void LoadWaveforms();
  bool LoadWaveform(const char* path, double* buffer, int n) const;
  bool LoadWaveformRAW(const char* path, double* buffer, int n) const;
  bool LoadWaveformWAVE(const char* path, double* buffer, int n) const;
  void CopyQVWaveforms(double* destination, const double* source, int n);
  void LoadQVWaveforms() {}

  // Writers: raw doubles, a stereo RIFF/WAVE file of 16, 24 or 32 bits, and
  // a table as compilable source text. Each returns whether it wrote.
  static bool saveWaveform(const char* path, const double* data, int n);
  static bool saveWaveformWAVE(const char* path, const double* left, const double* right, int frames,
                               int bits, int sampleRate);
  static bool saveWaveformToHeader(const char* path, const double* data, int n);

 private:
  using Table = std::vector<double>;

  static double triangleAt(double u) {
    if (u < 0.25) return 4.0 * u;
    if (u < 0.75) return -4.0 * u + 2.0;
    return 4.0 * (u - 1.0);
  }
  // Hands use() the shape of waveform index, a callable from phase to sample.
  template <class Use>
  auto withShape(int index, SeededRandom& random, Use use) const;
  double sample(int index, double phase, SeededRandom& random) const;
  void fillGeneratedTables();

  std::string mFolderName = "waveforms";
  std::string mWorkingDirectory;
  Table mSineTable;
  std::array<Table, kNumGeneratedWaveforms> mGenerated;
  UserWaveformTables::Holder mUserTables;
  std::atomic<bool> mLoadPending{false};
  // Table read for each waveform index; the sine table for computed shapes.
  std::array<const double*, kNumWaveforms> mTables{};
  SeededRandom mRandom{kRandomSeed};
  // The editor draws noise from its own generator, apart from the render thread's.
  SeededRandom mDisplayRandom{kRandomSeed};
};

// Inline: the voices call it for every oscillator at every sample.
template <class Use>
auto WaveformProvider::withShape(int index, SeededRandom& random, Use use) const {
  switch (index) {
    case kWaveSine:
      return use([](double x) { return VectorMath::sin(ConstantsD::k2_Pi * x); });
    case kWaveSawtooth:
      return use([](double x) {
        const double u = cyclePosition(x);
        return u < 0.5 ? 2.0 * u : 2.0 * (u - 1.0);
      });
    case kWavePulse:
      return use([](double x) { return cyclePosition(x) < 0.5 ? 1.0 : -1.0; });
    case kWaveQuadPulse:
      return use([](double x) { return cyclePosition(x) < 0.25 ? 1.0 : -1.0; });
    case kWaveOctPulse:
      return use([](double x) { return cyclePosition(x) < 0.125 ? 1.0 : -1.0; });
    case kWaveTriangle:
      return use([](double x) { return triangle(x); });
    case kWaveWhiteNoize:
      return use([&random](double) { return 2.0 * random.next() / 2147483647.0 - 1.0; });
    case kWaveWavescape:
      return use([](double x) {
        const double s = VectorMath::sin(ConstantsD::kPi * x);
        return s * s * VectorMath::sin(-4.0 * ConstantsD::kPi * x);
      });
    default: {
      const double* table = mTables[index];
      return use([table](double x) {
        // Truncation toward zero before the mask wraps negative phases into
        // the table; a non-finite phase reads entry 0.
        const double position = cyclePosition(x) * kWaveformSize;
        const int entry = position == position ? static_cast<int>(position) : 0;
        return table[entry & (kWaveformSize - 1)];
      });
    }
  }
}

inline double WaveformProvider::sample(int index, double phase, SeededRandom& random) const {
  return withShape(index, random, [phase](auto shape) { return shape(phase); });
}

}  // namespace Quillvane
