#include "instrument/WaveFileWriter.h"

#include <limits>

#include "engine/WaveFileFormat.h"

namespace Quillvane {

WaveFileWriter::~WaveFileWriter() { close(); }

bool WaveFileWriter::open(const char* path, int sampleRate, int bits) {
  close();
  if (!path || !isSupportedBits(bits) || sampleRate <= 0) return false;
  mFile = std::fopen(path, "wb");
  if (!mFile) return false;
  mBits = bits;
  mSampleRate = sampleRate;
  mFrames = 0;
  mFailed = !writeHeader();
  return !mFailed;
}

bool WaveFileWriter::writeHeader() {
  const uint32_t dataBytes = static_cast<uint32_t>(mFrames * waveBytesPerFrame(mBits));
  unsigned char header[kWaveHeaderBytes];
  encodeWaveHeader(header, mBits, static_cast<uint32_t>(mSampleRate), dataBytes);
  return std::fwrite(header, 1, sizeof(header), mFile) == sizeof(header);
}

bool WaveFileWriter::write(const double* left, const double* right, int frames) {
  if (!mFile || mFailed) return false;
  if (frames <= 0) return true;
  const int64_t bytesPerFrame = waveBytesPerFrame(mBits);
  if ((mFrames + frames) * bytesPerFrame + kWaveHeaderBytes - 8 > std::numeric_limits<uint32_t>::max()) {
    mFailed = true;
    return false;
  }
  mBytes.resize(static_cast<std::size_t>(frames * bytesPerFrame));
  unsigned char* at = mBytes.data();
  for (int i = 0; i < frames; ++i) {
    at = encodeWaveSample(at, left[i], mBits);
    at = encodeWaveSample(at, right[i], mBits);
  }
  mFailed = std::fwrite(mBytes.data(), 1, mBytes.size(), mFile) != mBytes.size();
  if (!mFailed) mFrames += frames;
  return !mFailed;
}

bool WaveFileWriter::close() {
  if (!mFile) return false;
  bool ok = !mFailed && std::fseek(mFile, 0, SEEK_SET) == 0 && writeHeader();
  ok = std::fclose(mFile) == 0 && ok;
  mFile = nullptr;
  return ok;
}

}  // namespace Quillvane
