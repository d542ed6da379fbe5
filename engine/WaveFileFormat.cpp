#include "engine/WaveFileFormat.h"

#include <cmath>
#include <cstring>

namespace Quillvane {

namespace {

unsigned char* putLittleEndian(unsigned char* at, uint32_t value, int bytes) {
  for (int b = 0; b < bytes; ++b) *at++ = static_cast<unsigned char>((value >> (8 * b)) & 0xFF);
  return at;
}

unsigned char* putTag(unsigned char* at, const char* tag) {
  std::memcpy(at, tag, 4);
  return at + 4;
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

}  // namespace

void encodeWaveHeader(unsigned char* header, int bits, uint32_t sampleRate, uint32_t dataBytes) {
  const uint32_t bytesPerFrame = static_cast<uint32_t>(waveBytesPerFrame(bits));
  unsigned char* at = putTag(header, "RIFF");
  at = putLittleEndian(at, dataBytes + kWaveHeaderBytes - 8, 4);
  at = putTag(at, "WAVE");
  at = putTag(at, "fmt ");
  at = putLittleEndian(at, 16, 4);
  at = putLittleEndian(at, isFloatWave(bits) ? 3 : 1, 2);
  at = putLittleEndian(at, kWaveChannels, 2);
  at = putLittleEndian(at, sampleRate, 4);
  at = putLittleEndian(at, bytesPerFrame * sampleRate, 4);
  at = putLittleEndian(at, bytesPerFrame, 2);
  at = putLittleEndian(at, static_cast<uint32_t>(bits), 2);
  at = putTag(at, "data");
  putLittleEndian(at, dataBytes, 4);
}

unsigned char* encodeWaveSample(unsigned char* at, double sample, int bits) {
  if (isFloatWave(bits)) {
    const float value = static_cast<float>(sample);
    uint32_t word;
    std::memcpy(&word, &value, sizeof word);
    return putLittleEndian(at, word, 4);
  }
  return putLittleEndian(at, static_cast<uint32_t>(toPcm(sample, bits)), bits / 8);
}

}  // namespace Quillvane
