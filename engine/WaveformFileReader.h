#pragma once

#include <cstddef>
#include <vector>

namespace Quillvane {

// Decoders of the two waveform file formats, apart from file access so that
// they also run on bytes in memory. Each turns the leading bytes of a file
// into n table entries, stretching shorter data over the table, and writes
// the output only when at least one sample was read. scratch holds n doubles.
class WaveformFileReader {
 public:
  static constexpr std::size_t kWaveHeaderSize = 44;

  // Raw native doubles; non-finite values load as 0.0.
  static bool decodeRaw(const unsigned char* bytes, std::size_t size, double* out, int n, double* scratch);
  // 16-bit PCM RIFF/WAVE with its data at byte 44, mono or stereo.
  static bool decodeWave(const unsigned char* bytes, std::size_t size, double* out, int n, double* scratch);

  // Reads at most maxBytes from the start of the file; false when it cannot
  // be opened or read, or is not a regular file.
  static bool readFilePrefix(const char* path, std::size_t maxBytes, std::vector<unsigned char>& bytes);
};

}  // namespace Quillvane
