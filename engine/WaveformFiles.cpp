#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/UserWaveforms.h"
#include "engine/WaveformFileReader.h"
#include "engine/WaveformProvider.h"

namespace Quillvane {

namespace {

constexpr const char* kWorkingDirectoryVariable = "QUILLVANE_BASSDRUM_ROKKA";

// The readers fill one table, or less of one; never more.
bool validTarget(const double* buffer, int n) {
  return buffer != nullptr && n >= 1 && n <= WaveformProvider::kWaveformSize;
}

}  // namespace

void WaveformProvider::setWorkingDirectory(const char* path) {
  if (path != nullptr) mWorkingDirectory = path;
  if (path == nullptr || mWorkingDirectory.empty()) {
    if (const char* fromEnvironment = std::getenv(kWorkingDirectoryVariable)) mWorkingDirectory = fromEnvironment;
  }
}

void WaveformProvider::LoadWaveforms() {
  std::string base = mWorkingDirectory.empty() ? std::string() : mWorkingDirectory + "/";
  base += mFolderName + "/";
  for (int k = 1; k <= kNumStartupFiles; ++k) {
    char name[16];
    std::snprintf(name, sizeof name, "user%02d.raw", k);
    LoadWaveform((base + name).c_str(), gQvUserWaveforms[k - 1], kWaveformSize);
  }
  for (int k = 0; k < kNumRescaledUserWaveforms; ++k) normalizePeak(gQvUserWaveforms[k], kWaveformSize, kStartupUserPeak);
}

bool WaveformProvider::LoadWaveform(const char* path, double* buffer, int n) const {
  if (path == nullptr || buffer == nullptr) return false;
  if (std::strstr(path, ".wav") != nullptr) return LoadWaveformWAVE(path, buffer, n);
  return LoadWaveformRAW(path, buffer, n);
}

bool WaveformProvider::LoadWaveformRAW(const char* path, double* buffer, int n) const {
  if (!validTarget(buffer, n)) return false;
  std::vector<unsigned char> bytes;
  if (!WaveformFileReader::readFilePrefix(path, static_cast<std::size_t>(n) * sizeof(double), bytes)) return false;
  std::vector<double> scratch(static_cast<std::size_t>(n));
  return WaveformFileReader::decodeRaw(bytes.data(), bytes.size(), buffer, n, scratch.data());
}

bool WaveformProvider::LoadWaveformWAVE(const char* path, double* buffer, int n) const {
  if (!validTarget(buffer, n)) return false;
  std::vector<unsigned char> bytes;
  const std::size_t limit = static_cast<std::size_t>(n) * 8 + WaveformFileReader::kWaveHeaderSize;
  if (!WaveformFileReader::readFilePrefix(path, limit, bytes)) return false;
  std::vector<double> scratch(static_cast<std::size_t>(n));
  return WaveformFileReader::decodeWave(bytes.data(), bytes.size(), buffer, n, scratch.data());
}

}  // namespace Quillvane
