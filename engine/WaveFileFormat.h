#pragma once

#include <cstdint>

namespace Quillvane {

// The two-channel WAVE files the writers produce: a plain 44-byte header,
// then each frame's left and right sample, little-endian. 16 and 24 bits
// are integer PCM, 32 bits IEEE float.
constexpr int kWaveHeaderBytes = 44;
constexpr int kWaveChannels = 2;

constexpr int waveBytesPerFrame(int bits) { return kWaveChannels * (bits / 8); }
constexpr bool isFloatWave(int bits) { return bits == 32; }

void encodeWaveHeader(unsigned char* header, int bits, uint32_t sampleRate, uint32_t dataBytes);

// Beyond what integer samples can hold: such a sample is written at full scale.
constexpr bool exceedsFullScale(double sample) { return sample > 1.0 || sample < -1.0; }

// Writes one sample in bits / 8 bytes; returns the byte after it.
unsigned char* encodeWaveSample(unsigned char* at, double sample, int bits);

}  // namespace Quillvane
