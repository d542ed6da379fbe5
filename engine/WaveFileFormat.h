#pragma once

#include <cstdint>

namespace Quillvane {

// The two-channel WAVE files the writers produce: a plain 44-byte header,
// then each frame's left and right sample, little-endian. 16 and 24 bits
// are integer PCM, 32 bits IEEE float.
constexpr int kWaveHeaderBytes = 44;
constexpr int kWaveChannels = 2;

constexpr int waveBytesPerFrame(int bits) { return kWaveChannels * (bits / 8); }

void encodeWaveHeader(unsigned char* header, int bits, uint32_t sampleRate, uint32_t dataBytes);

// Writes one sample in bits / 8 bytes; returns the byte after it.
unsigned char* encodeWaveSample(unsigned char* at, double sample, int bits);

}  // namespace Quillvane
