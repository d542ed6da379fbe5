#include "instrument/WaveFileWriter.h"

#include <limits>

#include "engine/WaveFileFormat.h"

namespace Quillvane {

bool WaveFileWriter::open(const char* path, int sampleRate, int bits, int64_t frames) {
  mFile.discard();
  mOpen = false;
  if (!path || !isSupportedBits(bits) || sampleRate <= 0 || frames < kUnknownLength) return false;
  mBits = bits;
  mSampleRate = sampleRate;
  mFrames = 0;
  mHeaderFrames = frames == kUnknownLength ? 0 : frames;
  mClipped = 0;
  if (!mFile.open(path)) return false;
  if (frames == kUnknownLength && !mFile.seekable()) {
    mFile.fail("a WAVE file of unknown length cannot go to a pipe");
  } else if (!fitsTheFormat(mHeaderFrames)) {
    mFile.fail("the file would pass the WAVE format's 4 GB limit");
  }
  mOpen = !mFile.failed() && writeHeader(false);
  return mOpen;
}

bool WaveFileWriter::fitsTheFormat(int64_t frames) const {
  return frames <= (std::numeric_limits<uint32_t>::max() - (kWaveHeaderBytes - 8)) / waveBytesPerFrame(mBits);
}

bool WaveFileWriter::writeHeader(bool atStart) {
  const uint32_t dataBytes = static_cast<uint32_t>(mHeaderFrames * waveBytesPerFrame(mBits));
  unsigned char header[kWaveHeaderBytes];
  encodeWaveHeader(header, mBits, static_cast<uint32_t>(mSampleRate), dataBytes);
  return atStart ? mFile.writeAt(0, header, sizeof header) : mFile.write(header, sizeof header);
}

bool WaveFileWriter::write(const double* left, const double* right, int frames) {
  if (!mOpen || mFile.failed()) return false;
  if (frames <= 0) return true;
  if (!fitsTheFormat(mFrames + frames)) {
    mFile.fail("the file would pass the WAVE format's 4 GB limit");
    return false;
  }
  if (!mFile.seekable() && mFrames + frames > mHeaderFrames) {
    mFile.fail("more frames than its header gives");
    return false;
  }
  const int64_t bytesPerFrame = waveBytesPerFrame(mBits);
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
  if (mFrames != mHeaderFrames && !mFile.seekable()) {
    mFile.fail("the stream ended before the frames its header gives");
    return false;
  }
  if (mFrames == mHeaderFrames) return mFile.commit();
  mHeaderFrames = mFrames;
  return writeHeader(true) && mFile.commit();
}

}  // namespace Quillvane
