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

  static constexpr int64_t kUnknownLength = -1;

  // False when the file cannot be created or the format is not supported.
  // A length given here goes into the header at once, so the file can go
  // to a pipe, which cannot take a header last: without one, a pipe is
  // refused before it gets a byte, and so is a length past the format's
  // 4 GB limit.
  bool open(const char* path, int sampleRate, int bits, int64_t frames = kUnknownLength);
  // False once anything failed, or when the file would outgrow the format's
  // 4 GB limit, or a pipe would get more frames than its header gives.
  bool write(const double* left, const double* right, int frames);
  // Completes the header, when the file's length is not the one it gives,
  // and puts the file in place; false when any step of the file failed.
  bool close();

  int64_t framesWritten() const { return mFrames; }
  // Samples written at full scale because they exceeded it; float files keep them all.
  int64_t clippedSamples() const { return mClipped; }
  // What failed, naming the file; empty while nothing did.
  const std::string& error() const { return mFile.error(); }

 private:
  bool writeHeader(bool atStart);
  bool fitsTheFormat(int64_t frames) const;

  OutputFile mFile;
  bool mOpen = false;
  int mBits = 24;
  int mSampleRate = 0;
  int64_t mFrames = 0;
  int64_t mHeaderFrames = 0;  // what the header says
  int64_t mClipped = 0;
  std::vector<unsigned char> mBytes;
};

}  // namespace Quillvane
