#include <cstdint>
#include <limits>

#include "engine/WaveFileFormat.h"
#include "engine/WaveformProvider.h"
#include "framework/OutputFile.h"

namespace Quillvane {

bool WaveformProvider::saveWaveform(const char* path, const double* data, int n) {
  if (data == nullptr || n < 0) return false;
  OutputFile file;
  return file.open(path) && file.write(data, sizeof(double) * static_cast<std::size_t>(n)) && file.commit();
}

bool WaveformProvider::saveWaveformWAVE(const char* path, const double* left, const double* right, int frames,
                                        int bits, int sampleRate) {
  if (bits != 16 && bits != 24 && bits != 32) return false;
  if (left == nullptr || right == nullptr || frames < 0 || sampleRate < 0) return false;
  const uint64_t dataSize = static_cast<uint64_t>(frames) * static_cast<uint64_t>(waveBytesPerFrame(bits));
  if (dataSize + kWaveHeaderBytes - 8 > std::numeric_limits<uint32_t>::max()) return false;
  OutputFile file;
  if (!file.open(path)) return false;
  unsigned char header[kWaveHeaderBytes];
  encodeWaveHeader(header, bits, static_cast<uint32_t>(sampleRate), static_cast<uint32_t>(dataSize));
  file.write(header, sizeof header);
  unsigned char frame[8];
  for (int k = 0; k < frames && !file.failed(); ++k) {
    unsigned char* end = encodeWaveSample(encodeWaveSample(frame, left[k], bits), right[k], bits);
    file.write(frame, static_cast<std::size_t>(end - frame));
  }
  return file.commit();
}

bool WaveformProvider::saveWaveformToHeader(const char* path, const double* data, int n) {
  if (data == nullptr && n > 0) return false;
  OutputFile file;
  if (!file.open(path)) return false;
  file.print("namespace Quillvane\n{\n  double gQvWaveform[] = {\n  ");
  for (int i = 0; i < n && !file.failed(); ++i) {
    file.print("%8.7f", data[i]);
    if (i != n - 1) file.print(", ");
    if (i > 0 && (i + 1) % 10 == 0) file.print("\n  ");
  }
  file.print(" };\n} // namespace Quillvane\n");
  return file.commit();
}

}  // namespace Quillvane
