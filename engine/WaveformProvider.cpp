#include "engine/WaveformProvider.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/Constants.h"

namespace Quillvane {

namespace {

// Generated table behind each table waveform index, in their storage order.
int generatedSlot(int index) {
  if (index >= kWaveNoize && index <= kWaveBrickBreaker) return index - kWaveNoize;
  if (index == kWaveGeoChirp) return 11;
  if (index == kWaveWaveGarden) return 12;
  return -1;
}

}  // namespace

WaveformProvider::WaveformProvider() : mSineTable(kWaveformSize) {
  for (Table& table : mGenerated) table.assign(kWaveformSize, 0.0);
  for (int index = 0; index < kNumWaveforms; ++index) {
    const int slot = generatedSlot(index);
    if (slot >= 0) {
      mTables[index] = mGenerated[slot].data();
    } else if (index >= kWaveUser1) {
      mTables[index] = mUserTables.table(index - kWaveUser1);
    } else {
      mTables[index] = mSineTable.data();
    }
  }
}

void WaveformProvider::normalizePeak(double* table, int n, double level) {
  double peak = 0.0;
  for (int i = 0; i < n; ++i) {
    const double magnitude = std::fabs(table[i]);
    if (magnitude > peak) peak = magnitude;  // false for NaN
  }
  if (peak == 0.0) return;
  for (int i = 0; i < n; ++i) table[i] = table[i] / peak * level;
}

void WaveformProvider::getWaveformSamples(double selector, const double* phases, double* out, int n) {
  const int index = getWaveformIndex(selector);
  // The shapes made of sines take their sines an array at a time, each as
  // the single-sample law takes it.
  if (index == kWaveSine) {
    for (int i = 0; i < n; ++i) out[i] = ConstantsD::k2_Pi * phases[i];
    VectorMath::sin(out, out, n);
  } else if (index == kWaveWavescape) {
    constexpr int kPiece = 128;
    double halfRate[kPiece], doubleRate[kPiece];
    for (int start = 0; start < n; start += kPiece) {
      const int m = std::min(kPiece, n - start);
      for (int i = 0; i < m; ++i) {
        halfRate[i] = ConstantsD::kPi * phases[start + i];
        doubleRate[i] = -4.0 * ConstantsD::kPi * phases[start + i];
      }
      VectorMath::sin(halfRate, halfRate, m);
      VectorMath::sin(doubleRate, doubleRate, m);
      for (int i = 0; i < m; ++i) out[start + i] = halfRate[i] * halfRate[i] * doubleRate[i];
    }
  } else {
    withShape(index, mRandom, [phases, out, n](auto shape) {
      for (int i = 0; i < n; ++i) out[i] = shape(phases[i]);
    });
  }
}

double WaveformProvider::getPrevWaveform(double selector) const {
  return std::min(1.0, std::max(0.0, selector - 1.0 / (kNumWaveforms - 1)));
}

double WaveformProvider::getNextWaveform(double selector) const {
  return std::min(1.0, std::max(0.0, selector + 1.0 / (kNumWaveforms - 1)));
}

float WaveformProvider::getPrevWaveform(float selector) const {
  return static_cast<float>(getPrevWaveform(static_cast<double>(selector)));
}

float WaveformProvider::getNextWaveform(float selector) const {
  return static_cast<float>(getNextWaveform(static_cast<double>(selector)));
}

void WaveformProvider::getWaveformText(double selector, char* buffer, unsigned short size) const {
  if (buffer == nullptr || size == 0) return;
  std::snprintf(buffer, size, "%s", getWaveformText(selector));
}

void WaveformProvider::updateGUIData(double selector, bool fold, double* out, int n) {
  if (out == nullptr) return;
  const int index = getWaveformIndex(selector);
  for (int i = 0; i < n; ++i) {
    double v = sample(index, static_cast<double>(i) / n, mDisplayRandom);
    if (fold && v != 0.0) v = (v > 0.0 ? 1.0 : -1.0) - v;
    out[i] = v;
  }
}

bool WaveformProvider::loadWaveformAction(double selector, const char* path) {
  Table loaded(kWaveformSize, 0.0);
  if (!LoadWaveform(path, loaded.data(), kWaveformSize)) return false;
  normalizePeak(loaded.data(), kWaveformSize, kLoadedPeak);
  const int index = getWaveformIndex(selector);
  if (index < kWaveUser1) return true;
  UserWaveformTables::replace(index - kWaveUser1, loaded.data());
  mLoadPending.store(true, std::memory_order_release);
  return true;
}

bool WaveformProvider::updateLoadedWaveform() {
  // Cleared first: a load that lands from here on is taken now or next time,
  // and announced either way.
  const bool loaded = mLoadPending.exchange(false, std::memory_order_acquire);
  if (mUserTables.changed()) {
    mUserTables.take();
    for (int k = 0; k < kNumUserWaveforms; ++k) mTables[kWaveUser1 + k] = mUserTables.table(k);
  }
  return loaded;
}

void WaveformProvider::CopyQVWaveforms(double* destination, const double* source, int n) {
  if (destination == nullptr || source == nullptr) return;
  std::copy(source, source + std::clamp(n, 0, kWaveformSize), destination);
}

}  // namespace Quillvane
