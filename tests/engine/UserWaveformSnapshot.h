#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "engine/UserWaveforms.h"

// Keeps a copy of the shared user tables and puts it back on destruction, so
// a test that loads into them leaves the next test the tables it found.
class UserWaveformSnapshot {
 public:
  UserWaveformSnapshot() {
    for (int k = 0; k < 15; ++k) mTables[k].assign(Quillvane::gQvUserWaveforms[k], Quillvane::gQvUserWaveforms[k] + 4096);
  }
  ~UserWaveformSnapshot() {
    for (int k = 0; k < 15; ++k) std::copy(mTables[k].begin(), mTables[k].end(), Quillvane::gQvUserWaveforms[k]);
  }
  const std::vector<double>& table(int k) const { return mTables[k]; }

 private:
  std::array<std::vector<double>, 15> mTables;
};
