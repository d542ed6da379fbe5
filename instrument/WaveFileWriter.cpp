#include "instrument/WaveFileWriter.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace Quillvane {

namespace {

constexpr int kChannels = 2;
constexpr int64_t kHeaderBytes = 44;

// Scales to 24 bits by 2^23 - 1, truncating toward zero and clamping instead
// of wrapping; NaN writes silence.
int32_t toPcm24(double sample) {
  constexpr double kTop = 8388607.0;
  const double scaled = sample * kTop;
  if (std::isnan(scaled)) return 0;
  if (scaled >= kTop) return static_cast<int32_t>(kTop);
  if (scaled <= -kTop - 1.0) return static_cast<int32_t>(-kTop - 1.0);
  return static_cast<int32_t>(scaled);
}

}  // namespace

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

void WaveFileWriter::putWord(uint32_t value, int bytes) {
  for (int b = 0; b < bytes; ++b) mBytes.push_back(static_cast<unsigned char>((value >> (8 * b)) & 0xFF));
}

void WaveFileWriter::putSample(double sample) {
  if (mBits == 32) {
    const float value = static_cast<float>(sample);
    uint32_t word;
    std::memcpy(&word, &value, sizeof word);
    putWord(word, 4);
  } else {
    putWord(static_cast<uint32_t>(toPcm24(sample)), 3);
  }
}

bool WaveFileWriter::writeHeader() {
  const uint32_t bytesPerFrame = static_cast<uint32_t>(kChannels * mBits / 8);
  const uint32_t dataBytes = static_cast<uint32_t>(mFrames * bytesPerFrame);
  unsigned char header[kHeaderBytes];
  unsigned char* at = header;
  auto tag = [&at](const char* text) {
    std::memcpy(at, text, 4);
    at += 4;
  };
  auto word = [&at](uint32_t value, int bytes) {
    for (int b = 0; b < bytes; ++b) *at++ = static_cast<unsigned char>((value >> (8 * b)) & 0xFF);
  };
  tag("RIFF");
  word(dataBytes + kHeaderBytes - 8, 4);
  tag("WAVE");
  tag("fmt ");
  word(16, 4);
  word(mBits == 32 ? 3 : 1, 2);
  word(kChannels, 2);
  word(static_cast<uint32_t>(mSampleRate), 4);
  word(bytesPerFrame * static_cast<uint32_t>(mSampleRate), 4);
  word(bytesPerFrame, 2);
  word(static_cast<uint32_t>(mBits), 2);
  tag("data");
  word(dataBytes, 4);
  return std::fwrite(header, 1, sizeof(header), mFile) == sizeof(header);
}

bool WaveFileWriter::write(const double* left, const double* right, int frames) {
  if (!mFile || mFailed) return false;
  if (frames <= 0) return true;
  const int64_t bytesPerFrame = kChannels * mBits / 8;
  if ((mFrames + frames) * bytesPerFrame + kHeaderBytes - 8 > std::numeric_limits<uint32_t>::max()) {
    mFailed = true;
    return false;
  }
  mBytes.clear();
  for (int i = 0; i < frames; ++i) {
    putSample(left[i]);
    putSample(right[i]);
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
