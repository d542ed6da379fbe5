#include <cstdint>
#include <cstdio>
#include <limits>

#include "engine/WaveFileFormat.h"
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
  const uint64_t dataSize = static_cast<uint64_t>(frames) * static_cast<uint64_t>(waveBytesPerFrame(bits));
  if (dataSize + kWaveHeaderBytes - 8 > std::numeric_limits<uint32_t>::max()) return false;
  File file(path, "wb");
  std::FILE* out = file.get();
  if (!out) return false;

  unsigned char header[kWaveHeaderBytes];
  encodeWaveHeader(header, bits, static_cast<uint32_t>(sampleRate), static_cast<uint32_t>(dataSize));
  std::fwrite(header, 1, sizeof header, out);
  unsigned char frame[8];
  for (int k = 0; k < frames; ++k) {
    unsigned char* end = encodeWaveSample(encodeWaveSample(frame, left[k], bits), right[k], bits);
    std::fwrite(frame, 1, static_cast<std::size_t>(end - frame), out);
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
