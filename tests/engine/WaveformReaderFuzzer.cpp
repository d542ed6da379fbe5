// Feeds arbitrary bytes to both waveform file decoders, as whole files and
// as the prefixes the provider reads.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/WaveformFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr int kSize = 4096;
  static std::vector<double> out(kSize), scratch(kSize);
  const int n = size > 0 ? 1 + data[0] % kSize : kSize;
  Quillvane::WaveformFileReader::decodeRaw(data, size, out.data(), kSize, scratch.data());
  Quillvane::WaveformFileReader::decodeWave(data, size, out.data(), kSize, scratch.data());
  Quillvane::WaveformFileReader::decodeRaw(data, size, out.data(), n, scratch.data());
  Quillvane::WaveformFileReader::decodeWave(data, size, out.data(), n, scratch.data());
  return 0;
}
