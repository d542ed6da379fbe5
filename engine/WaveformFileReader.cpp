#include "engine/WaveformFileReader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "framework/InputFile.h"

namespace Quillvane {

namespace {

// Averages the two loaded samples around each table position. The table is
// one cycle, so the last positions pair up with the first sample.
void stretch(const double* loaded, long count, double* out, int n) {
  for (int i = 0; i < n; ++i) {
    const double pos = static_cast<double>(i) / n * static_cast<double>(count);
    const long lo = static_cast<long>(pos);
    long hi = static_cast<long>(std::floor(pos + 0.5));
    if (hi >= count) hi = 0;
    out[i] = (loaded[lo] + loaded[hi]) * 0.5;
  }
}

void finish(const double* loaded, long count, double* out, int n) {
  if (count >= n) {
    std::copy(loaded, loaded + n, out);
  } else {
    stretch(loaded, count, out, n);
  }
}

// Little-endian fields of the WAVE header; bytes past the end read as zero.
class Bytes {
 public:
  Bytes(const unsigned char* bytes, std::size_t size) : mBytes(bytes), mSize(size) {}
  unsigned at(std::size_t i) const { return i < mSize ? mBytes[i] : 0u; }
  uint16_t u16(std::size_t i) const { return static_cast<uint16_t>(at(i) | at(i + 1) << 8); }
  uint32_t u32(std::size_t i) const { return u16(i) | static_cast<uint32_t>(u16(i + 2)) << 16; }
  int16_t s16(std::size_t i) const { return static_cast<int16_t>(u16(i)); }
  bool matches(std::size_t i, const char* text) const {
    for (std::size_t k = 0; text[k] != '\0'; ++k) {
      if (at(i + k) != static_cast<unsigned char>(text[k])) return false;
    }
    return true;
  }

 private:
  const unsigned char* mBytes;
  std::size_t mSize;
};

}  // namespace

bool WaveformFileReader::decodeRaw(const unsigned char* bytes, std::size_t size, double* out, int n,
                                   double* scratch) {
  if (bytes == nullptr || out == nullptr || scratch == nullptr || n < 1) return false;
  const long count = static_cast<long>(std::min<std::size_t>(size / sizeof(double), static_cast<std::size_t>(n)));
  if (count == 0) return false;
  std::memcpy(scratch, bytes, static_cast<std::size_t>(count) * sizeof(double));
  finish(scratch, count, out, n);
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(out[i])) out[i] = 0.0;
  }
  return true;
}

bool WaveformFileReader::decodeWave(const unsigned char* bytes, std::size_t size, double* out, int n,
                                    double* scratch) {
  if (bytes == nullptr || out == nullptr || scratch == nullptr || n < 1) return false;
  const Bytes file(bytes, size);
  const unsigned channels = file.u16(22);
  if (!file.matches(0, "RIFF") || !file.matches(8, "WAVE") || (channels != 1 && channels != 2) ||
      file.u16(34) != 16) {
    return false;
  }
  const uint32_t announced = file.u32(40) / 2 / channels;
  const std::size_t frameBytes = 2 * channels;
  const std::size_t present = size > kWaveHeaderSize ? (size - kWaveHeaderSize) / frameBytes : 0;
  const long count = static_cast<long>(std::min<uint32_t>(announced, static_cast<uint32_t>(n)));
  if (count == 0 || present == 0) return false;
  for (long k = 0; k < count; ++k) {
    const std::size_t offset = kWaveHeaderSize + static_cast<std::size_t>(k) * frameBytes;
    const double left = file.s16(offset) / 32767.0;
    scratch[k] = channels == 1 ? left : left + 0.5 * (file.s16(offset + 2) / 32767.0);
  }
  finish(scratch, count, out, n);
  return true;
}

bool WaveformFileReader::readFilePrefix(const char* path, std::size_t maxBytes, std::vector<unsigned char>& bytes) {
  InputFile input;
  if (!input.open(path)) return false;
  std::FILE* file = input.stream();
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long end = ok ? std::ftell(file) : -1;
  ok = end >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(std::min(static_cast<std::size_t>(end), maxBytes));
    ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  return ok;
}

}  // namespace Quillvane
