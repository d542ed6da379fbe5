#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "engine/UserWaveformTables.h"
#include "engine/UserWaveforms.h"

// Keeps the shared user tables and puts them back on destruction, so a test
// that loads into them leaves the next test the tables it found: the tables
// the providers play, and the compiled-in ones that start-up files are read
// into.
class UserWaveformSnapshot {
 public:
  using Tables = Quillvane::UserWaveformTables;

  UserWaveformSnapshot() {
    for (int k = 0; k < Tables::kNumTables; ++k) {
      mPlayed[k].assign(mHolder.table(k), mHolder.table(k) + Tables::kTableSize);
      mCompiledIn[k].assign(Quillvane::gQvUserWaveforms[k], Quillvane::gQvUserWaveforms[k] + Tables::kTableSize);
    }
  }
  ~UserWaveformSnapshot() {
    mHolder.take();
    for (int k = 0; k < Tables::kNumTables; ++k) {
      std::copy(mCompiledIn[k].begin(), mCompiledIn[k].end(), Quillvane::gQvUserWaveforms[k]);
      if (!std::equal(mPlayed[k].begin(), mPlayed[k].end(), mHolder.table(k))) Tables::replace(k, mPlayed[k].data());
    }
  }
  UserWaveformSnapshot(const UserWaveformSnapshot&) = delete;
  UserWaveformSnapshot& operator=(const UserWaveformSnapshot&) = delete;

  // User table k, 0 to 14, as the providers played it.
  const std::vector<double>& table(int k) const { return mPlayed[k]; }

 private:
  Tables::Holder mHolder;
  std::array<std::vector<double>, Tables::kNumTables> mPlayed;
  std::array<std::vector<double>, Tables::kNumTables> mCompiledIn;
};
