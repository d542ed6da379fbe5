#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Reads back the plain 44-byte-header stereo files the instrument writes:
// 24-bit integer or 32-bit float samples, as doubles (integers scaled by
// 1 / (2^23 - 1)), with the raw 24-bit integers kept as well.
struct WaveFile {
  bool valid = false;
  uint32_t riffSize = 0, dataSize = 0;
  int format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
  std::vector<double> left, right;
  std::vector<int32_t> rawLeft, rawRight;

  int frames() const { return static_cast<int>(left.size()); }

  static WaveFile read(const std::string& path) {
    WaveFile wave;
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 44 || std::memcmp(bytes.data(), "RIFF", 4) || std::memcmp(bytes.data() + 8, "WAVEfmt ", 8) ||
        std::memcmp(bytes.data() + 36, "data", 4)) {
      return wave;
    }
    auto word = [&bytes](std::size_t at, int n) {
      uint32_t v = 0;
      for (int b = n - 1; b >= 0; --b) v = (v << 8) | bytes[at + static_cast<std::size_t>(b)];
      return v;
    };
    wave.riffSize = word(4, 4);
    wave.format = static_cast<int>(word(20, 2));
    wave.channels = static_cast<int>(word(22, 2));
    wave.rate = static_cast<int>(word(24, 4));
    wave.byteRate = static_cast<int>(word(28, 4));
    wave.blockAlign = static_cast<int>(word(32, 2));
    wave.bits = static_cast<int>(word(34, 2));
    wave.dataSize = word(40, 4);
    if (wave.channels != 2 || (wave.bits != 24 && wave.bits != 32) || 44 + wave.dataSize != bytes.size()) return wave;
    const std::size_t width = static_cast<std::size_t>(wave.bits / 8);
    for (std::size_t at = 44; at + 2 * width <= bytes.size(); at += 2 * width) {
      for (int c = 0; c < 2; ++c) {
        const uint32_t v = word(at + c * width, static_cast<int>(width));
        double sample;
        if (wave.bits == 32) {
          float f;
          std::memcpy(&f, &v, sizeof f);
          sample = f;
        } else {
          const int32_t raw = static_cast<int32_t>(v << 8) >> 8;
          (c ? wave.rawRight : wave.rawLeft).push_back(raw);
          sample = raw / 8388607.0;
        }
        (c ? wave.right : wave.left).push_back(sample);
      }
    }
    wave.valid = true;
    return wave;
  }
};
