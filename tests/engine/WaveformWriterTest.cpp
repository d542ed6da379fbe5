#include "engine/WaveformProvider.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/SoundProcessor.h"
#include "tests/support/FileContents.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::FileSizeLimit;
using testsupport::readFile;
using testsupport::TempDirectory;

using Quillvane::WaveformProvider;
const std::string kFixtures = "fixtures/waveforms/";

uint32_t field(const std::string& bytes, size_t offset, int size) {
  uint32_t value = 0;
  for (int b = size - 1; b >= 0; --b) value = value << 8 | static_cast<unsigned char>(bytes[offset + b]);
  return value;
}

// The frames of the fixture script, some beyond full scale.
struct Frames {
  std::vector<double> left, right;
  Frames() {
    for (int k = 0; k < 64; ++k) {
      left.push_back((k - 32) * 0.0390625);
      right.push_back(-0.5 * left.back() + (k == 5 ? 0.75 : 0.0));
    }
  }
};

TEST(WaveformWriter, PcmFilesMatchAnIndependentWriterByteForByte) {
  TempDirectory dir;
  const Frames frames;
  for (int bits : {16, 24}) {
    const std::string path = dir.path("out" + std::to_string(bits) + ".wav");
    ASSERT_TRUE(WaveformProvider::saveWaveformWAVE(path.c_str(), frames.left.data(), frames.right.data(), 64, bits, 44100));
    const std::string written = readFile(path);
    EXPECT_EQ(written, readFile(kFixtures + "written" + std::to_string(bits) + ".wav")) << bits << " bits";
    EXPECT_EQ(field(written, 32, 2), 2u * bits / 8);
    EXPECT_EQ(field(written, 28, 4), 2u * bits / 8 * 44100);
  }
}

TEST(WaveformWriter, SixteenBitFileReadsBackThroughTheWaveReader) {
  TempDirectory dir;
  std::vector<double> left(4096), right(4096);
  for (int k = 0; k < 4096; ++k) {
    left[k] = (k % 512) / 512.0 - 0.5;
    right[k] = k < 2048 ? 0.25 : -0.25;
  }
  const std::string path = dir.path("round.wav");
  ASSERT_TRUE(WaveformProvider::saveWaveformWAVE(path.c_str(), left.data(), right.data(), 4096, 16, 44100));
  WaveformProvider provider;
  std::vector<double> table(4096, 7.0);
  ASSERT_TRUE(provider.LoadWaveformWAVE(path.c_str(), table.data(), 4096));
  for (int k = 0; k < 4096; ++k) {
    const double expected = static_cast<int>(left[k] * 32767) / 32767.0 + 0.5 * (static_cast<int>(right[k] * 32767) / 32767.0);
    ASSERT_EQ(table[k], expected) << k;
  }
}

TEST(WaveformWriter, FloatFilesCarryTheUnscaledSamples) {
  TempDirectory dir;
  const Frames frames;
  const std::string path = dir.path("out32.wav");
  ASSERT_TRUE(WaveformProvider::saveWaveformWAVE(path.c_str(), frames.left.data(), frames.right.data(), 64, 32, 48000));
  const std::string written = readFile(path);
  ASSERT_EQ(written.size(), 44u + 64 * 8);
  EXPECT_EQ(written.substr(0, 4), "RIFF");
  EXPECT_EQ(field(written, 4, 4), 64u * 8 + 36);
  EXPECT_EQ(written.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(field(written, 16, 4), 16u);
  EXPECT_EQ(field(written, 20, 2), 3u);
  EXPECT_EQ(field(written, 22, 2), 2u);
  EXPECT_EQ(field(written, 24, 4), 48000u);
  EXPECT_EQ(field(written, 28, 4), 8u * 48000);
  EXPECT_EQ(field(written, 32, 2), 8u);
  EXPECT_EQ(field(written, 34, 2), 32u);
  EXPECT_EQ(written.substr(36, 4), "data");
  EXPECT_EQ(field(written, 40, 4), 512u);
  EXPECT_EQ(written.substr(44), readFile(kFixtures + "written32.f32"));
}

TEST(WaveformWriter, TwoFramesOfSixteenBits) {
  TempDirectory dir;
  const double left[2] = {0.5, -0.5}, right[2] = {1.0, -1.0};
  ASSERT_TRUE(WaveformProvider::saveWaveformWAVE(dir.path("two.wav").c_str(), left, right, 2, 16, 22050));
  const std::string written = readFile(dir.path("two.wav"));
  ASSERT_EQ(written.size(), 52u);
  EXPECT_EQ(field(written, 44, 2), 16383u);
  EXPECT_EQ(field(written, 46, 2), 32767u);
  EXPECT_EQ(field(written, 48, 2), 0x10000u - 16383);
  EXPECT_EQ(field(written, 50, 2), 0x10000u - 32767);
}

TEST(WaveformWriter, RefusesWhatItCannotWrite) {
  TempDirectory dir;
  const double samples[2] = {0.0, 0.0};
  for (int bits : {8, 12, 20, 64, 0, -16}) {
    const std::string path = dir.path("bits" + std::to_string(bits) + ".wav");
    EXPECT_FALSE(WaveformProvider::saveWaveformWAVE(path.c_str(), samples, samples, 2, bits, 44100)) << bits;
    EXPECT_FALSE(std::filesystem::exists(path)) << bits;
  }
  EXPECT_FALSE(WaveformProvider::saveWaveformWAVE(dir.path("null.wav").c_str(), nullptr, samples, 2, 16, 44100));
  EXPECT_FALSE(WaveformProvider::saveWaveformWAVE(dir.path("x.wav").c_str(), samples, samples, -1, 16, 44100));
  EXPECT_FALSE(WaveformProvider::saveWaveformWAVE(dir.path("no/such/dir.wav").c_str(), samples, samples, 2, 16, 44100));
  EXPECT_FALSE(WaveformProvider::saveWaveform(dir.path("no/such/dir.raw").c_str(), samples, 2));
  EXPECT_FALSE(WaveformProvider::saveWaveformToHeader(dir.path("no/such/dir.h").c_str(), samples, 2));
  EXPECT_FALSE(WaveformProvider::saveWaveformToHeader(nullptr, samples, 2));
}

TEST(WaveformWriter, AFullDiskKeepsThePreviousFile) {
  TempDirectory dir;
  const Frames frames;
  const double* left = frames.left.data();
  const double* right = frames.right.data();
  {
    std::vector<float> samples(4096, 0.5f);
    std::ofstream(dir.path("in01.f32"), std::ios::binary)
        .write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 4));
  }
  const struct {
    const char* file;
    std::function<bool(const std::string&)> save;
  } writers[] = {
      {"table.raw", [&](const std::string& path) { return WaveformProvider::saveWaveform(path.c_str(), left, 64); }},
      {"note.wav",
       [&](const std::string& path) {
         return WaveformProvider::saveWaveformWAVE(path.c_str(), left, right, 64, 24, 44100);
       }},
      {"table.h",
       [&](const std::string& path) { return WaveformProvider::saveWaveformToHeader(path.c_str(), left, 64); }},
      {"tables.cpp",
       [&](const std::string& path) { return Quillvane::Raw2Code(dir.path("in%02d.f32").c_str(), path.c_str()); }},
  };
  for (const auto& w : writers) {
    const std::string path = dir.path(w.file);
    ASSERT_TRUE(w.save(path)) << w.file;
    const std::string before = readFile(path);
    {
      const FileSizeLimit limit(before.size() - 1);
      EXPECT_FALSE(w.save(path)) << w.file;
    }
    EXPECT_EQ(readFile(path), before) << w.file;
  }
  EXPECT_EQ(dir.entries(),
            (std::vector<std::string>{"in01.f32", "note.wav", "table.h", "table.raw", "tables.cpp"}));
}

TEST(WaveformWriter, RawFileMatchesAnIndependentWriter) {
  TempDirectory dir;
  std::vector<double> ramp;
  for (int k = 0; k < 4096; ++k) ramp.push_back((k - 2048) / 4096.0);
  ASSERT_TRUE(WaveformProvider::saveWaveform(dir.path("ramp.raw").c_str(), ramp.data(), 4096));
  EXPECT_EQ(readFile(dir.path("ramp.raw")), readFile(kFixtures + "raw_full.raw"));
}

TEST(WaveformWriter, SourceTextOfATable) {
  TempDirectory dir;
  const double three[3] = {0.5, -0.25, 1.0};
  ASSERT_TRUE(WaveformProvider::saveWaveformToHeader(dir.path("three.h").c_str(), three, 3));
  EXPECT_EQ(readFile(dir.path("three.h")),
            "namespace Quillvane\n{\n  double gQvWaveform[] = {\n  "
            "0.5000000, -0.2500000, 1.0000000 };\n} // namespace Quillvane\n");

  double twelve[12];
  for (int i = 0; i < 12; ++i) twelve[i] = i * 0.125;
  ASSERT_TRUE(WaveformProvider::saveWaveformToHeader(dir.path("twelve.h").c_str(), twelve, 12));
  EXPECT_EQ(readFile(dir.path("twelve.h")),
            "namespace Quillvane\n{\n  double gQvWaveform[] = {\n  "
            "0.0000000, 0.1250000, 0.2500000, 0.3750000, 0.5000000, 0.6250000, 0.7500000, 0.8750000, "
            "1.0000000, 1.1250000, \n  1.2500000, 1.3750000 };\n} // namespace Quillvane\n");

  double ten[10] = {};
  ASSERT_TRUE(WaveformProvider::saveWaveformToHeader(dir.path("ten.h").c_str(), ten, 10));
  const std::string text = readFile(dir.path("ten.h"));
  EXPECT_NE(text.find("0.0000000\n   };\n"), std::string::npos) << text;
}

}  // namespace
