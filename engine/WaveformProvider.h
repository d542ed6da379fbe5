#pragma once

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "engine/SeededRandom.h"

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
// per provider and fifteen user tables shared by the whole process.
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
  static int getWaveformIndex(double selector);
  static double getWaveformSel(eWaveform e) { return static_cast<double>(e) / (kNumWaveforms - 1); }
  static const char* getWaveformText(double selector);
  // Display name or alias to waveform; anything unknown is Sine.
  static eWaveform getWaveformType(const char* name);
  // Triangle of one cycle, +1 at a quarter and -1 at three quarters.
  static double triangle(double x);
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
  double* getWaveform(double selector) { return mTables[getWaveformIndex(selector)]; }

  double getPrevWaveform(double selector) const;
  double getNextWaveform(double selector) const;
  float getPrevWaveform(float selector) const;
  float getNextWaveform(float selector) const;
  void getWaveformText(double selector, char* buffer, unsigned short size) const;
  void updateGUIData(double selector, bool fold, double* out, int n);

  // Run-time replacement of a user table: loadWaveformAction reads the file
  // on the caller's thread, updateLoadedWaveform installs it on the render
  // thread between blocks.
  bool canLoadWaveform(double selector) const { return getWaveformIndex(selector) >= kWaveUser1; }
  bool loadWaveformAction(double selector, const char* path);
  bool isLoadPending() const { return mLoadPending.load(std::memory_order_acquire); }
  void updateLoadedWaveform();

  // Start-up files and the two readers.
  void setWorkingDirectory(const char* path);
  const char* getWorkingDirectory() const { return mWorkingDirectory.c_str(); }
  void LoadWaveforms();
  bool LoadWaveform(const char* path, double* buffer, int n);
  bool LoadWaveformRAW(const char* path, double* buffer, int n);
  bool LoadWaveformWAVE(const char* path, double* buffer, int n);
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

  double sample(int index, double phase, SeededRandom& random) const;
  void fillGeneratedTables();

  std::string mFolderName = "waveforms";
  std::string mWorkingDirectory;
  Table mSineTable;
  std::array<Table, kNumGeneratedWaveforms> mGenerated;
  Table mScratch;
  Table mPendingBuffer;
  std::atomic<bool> mLoadPending{false};
  double mPendingSelector = 0.0;
  // Table read for each waveform index; the sine table for computed shapes.
  std::array<double*, kNumWaveforms> mTables{};
  SeededRandom mRandom{kRandomSeed};
  // The editor draws noise from its own generator, apart from the render thread's.
  SeededRandom mDisplayRandom{kRandomSeed};
};

}  // namespace Quillvane
