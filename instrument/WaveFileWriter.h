#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/OutputFile.h"

namespace Quillvane {

// Writes a stereo RIFF/WAVE file block by block, so a long render never has
// to be held in memory: 24-bit integer or 32-bit float samples. The file
// appears, or replaces one of the same name, only when close() completes
// it; a writer dropped before that leaves no file behind.
class WaveFileWriter {
 public:
  WaveFileWriter() = default;
  WaveFileWriter(const WaveFileWriter&) = delete;
  WaveFileWriter& operator=(const WaveFileWriter&) = delete;

  static bool isSupportedBits(int bits) { return bits == 24 || bits == 32; }

  // False when the file cannot be created or the format is not supported.
  bool open(const char* path, int sampleRate, int bits);
  // False once anything failed, or when the file would outgrow the format's
  // 4 GB limit.
  bool write(const double* left, const double* right, int frames);
  // Completes the header and puts the file in place; false when any step
  // of the file failed.
  bool close();

  int64_t framesWritten() const { return mFrames; }
  // Samples written at full scale because they exceeded it; float files keep them all.
  int64_t clippedSamples() const { return mClipped; }
  // What failed, naming the file; empty while nothing did.
  const std::string& error() const { return mFile.error(); }

 private:
  bool writeHeader(bool atStart);

  OutputFile mFile;
  bool mOpen = false;
  int mBits = 24;
  int mSampleRate = 0;
  int64_t mFrames = 0;
  int64_t mClipped = 0;
  std::vector<unsigned char> mBytes;
};

}  // namespace Quillvane
