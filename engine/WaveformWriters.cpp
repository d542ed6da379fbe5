#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "engine/WaveformProvider.h"

namespace Quillvane {

namespace {

class File {
 public:
  File(const char* path, const char* mode) : mFile(path ? std::fopen(path, mode) : nullptr) {}
  ~File() {
    if (mFile) std::fclose(mFile);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  std::FILE* get() const { return mFile; }

 private:
  std::FILE* mFile;
};

void putLittleEndian(std::FILE* file, uint32_t value, int bytes) {
  for (int b = 0; b < bytes; ++b) std::fputc(static_cast<int>((value >> (8 * b)) & 0xFF), file);
}

// Scales to the integer range of the width, truncating toward zero and
// clamping instead of wrapping; NaN writes silence.
int32_t toPcm(double sample, int bits) {
  const double top = std::ldexp(1.0, bits - 1);
  const double scaled = sample * (top - 1.0);
  if (std::isnan(scaled)) return 0;
  if (scaled >= top - 1.0) return static_cast<int32_t>(top - 1.0);
  if (scaled <= -top) return static_cast<int32_t>(-top);
  return static_cast<int32_t>(scaled);
}

void putSample(std::FILE* file, double sample, int bits) {
  if (bits == 32) {
    const float value = static_cast<float>(sample);
    uint32_t word;
    std::memcpy(&word, &value, sizeof word);
    putLittleEndian(file, word, 4);
  } else {
    putLittleEndian(file, static_cast<uint32_t>(toPcm(sample, bits)), bits / 8);
  }
}

}  // namespace

bool WaveformProvider::saveWaveform(const char* path, const double* data, int n) {
  if (data == nullptr || n < 0) return false;
  File file(path, "wb");
  if (!file.get()) return false;
  return std::fwrite(data, sizeof(double), static_cast<std::size_t>(n), file.get()) == static_cast<std::size_t>(n);
}

bool WaveformProvider::saveWaveformWAVE(const char* path, const double* left, const double* right, int frames,
                                        int bits, int sampleRate) {
  if (bits != 16 && bits != 24 && bits != 32) return false;
  if (left == nullptr || right == nullptr || frames < 0 || sampleRate < 0) return false;
  const uint32_t bytesPerSample = static_cast<uint32_t>(bits / 8);
  const uint64_t dataSize = 2ull * static_cast<uint64_t>(frames) * bytesPerSample;
  if (dataSize + 36 > std::numeric_limits<uint32_t>::max()) return false;
  File file(path, "wb");
  std::FILE* out = file.get();
  if (!out) return false;

  std::fputs("RIFF", out);
  putLittleEndian(out, static_cast<uint32_t>(dataSize + 36), 4);
  std::fputs("WAVEfmt ", out);
  putLittleEndian(out, 16, 4);
  putLittleEndian(out, bits == 32 ? 3 : 1, 2);
  putLittleEndian(out, 2, 2);
  putLittleEndian(out, static_cast<uint32_t>(sampleRate), 4);
  putLittleEndian(out, bytesPerSample * static_cast<uint32_t>(sampleRate) * 2, 4);
  putLittleEndian(out, 2 * bytesPerSample, 2);
  putLittleEndian(out, static_cast<uint32_t>(bits), 2);
  std::fputs("data", out);
  putLittleEndian(out, static_cast<uint32_t>(dataSize), 4);
  for (int k = 0; k < frames; ++k) {
    putSample(out, left[k], bits);
    putSample(out, right[k], bits);
  }
  return std::ferror(out) == 0;
}

bool WaveformProvider::saveWaveformToHeader(const char* path, const double* data, int n) {
  if (data == nullptr && n > 0) return false;
  File file(path, "w");
  std::FILE* out = file.get();
  if (!out) return false;
  std::fputs("namespace Quillvane\n{\n  double gQvWaveform[] = {\n  ", out);
  for (int i = 0; i < n; ++i) {
    std::fprintf(out, "%8.7f", data[i]);
    if (i != n - 1) std::fputs(", ", out);
    if (i > 0 && (i + 1) % 10 == 0) std::fputs("\n  ", out);
  }
  std::fputs(" };\n} // namespace Quillvane\n", out);
  return std::ferror(out) == 0;
}

}  // namespace Quillvane
