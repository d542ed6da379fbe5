#include "instrument/WaveFileWriter.h"

#include <limits>

#include "engine/WaveFileFormat.h"

namespace Quillvane {

bool WaveFileWriter::open(const char* path, int sampleRate, int bits) {
  mFile.discard();
  mOpen = false;
  if (!path || !isSupportedBits(bits) || sampleRate <= 0) return false;
  mBits = bits;
  mSampleRate = sampleRate;
  mFrames = 0;
  mClipped = 0;
  mOpen = mFile.open(path) && writeHeader(false);
  return mOpen;
}

bool WaveFileWriter::writeHeader(bool atStart) {
  const uint32_t dataBytes = static_cast<uint32_t>(mFrames * waveBytesPerFrame(mBits));
  unsigned char header[kWaveHeaderBytes];
  encodeWaveHeader(header, mBits, static_cast<uint32_t>(mSampleRate), dataBytes);
  return atStart ? mFile.writeAt(0, header, sizeof header) : mFile.write(header, sizeof header);
}

bool WaveFileWriter::write(const double* left, const double* right, int frames) {
  if (!mOpen || mFile.failed()) return false;
  if (frames <= 0) return true;
  const int64_t bytesPerFrame = waveBytesPerFrame(mBits);
  if ((mFrames + frames) * bytesPerFrame + kWaveHeaderBytes - 8 > std::numeric_limits<uint32_t>::max()) {
    mFile.fail("the file would pass the WAVE format's 4 GB limit");
    return false;
  }
  mBytes.resize(static_cast<std::size_t>(frames * bytesPerFrame));
  unsigned char* at = mBytes.data();
  for (int i = 0; i < frames; ++i) {
    at = encodeWaveSample(at, left[i], mBits);
    at = encodeWaveSample(at, right[i], mBits);
  }
  if (!isFloatWave(mBits)) {
    for (int i = 0; i < frames; ++i) mClipped += exceedsFullScale(left[i]) + exceedsFullScale(right[i]);
  }
  if (!mFile.write(mBytes.data(), mBytes.size())) return false;
  mFrames += frames;
  return true;
}

bool WaveFileWriter::close() {
  if (!mOpen) return false;
  mOpen = false;
  return writeHeader(true) && mFile.commit();
}

}  // namespace Quillvane
