#include "engine/SoundProcessor.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Fifo.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::readFile;
using testsupport::TempDirectory;

void writeFloats(const std::string& path, const std::vector<float>& samples) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size() * sizeof(float)));
}

TEST(Raw2Code, AppendsAFadedPeakNormalisedFillFunction) {
  TempDirectory dir;
  std::vector<float> samples(4096, 0.25f);
  samples[7] = -0.5f;
  writeFloats(dir.path("user01.f32"), samples);
  const std::string in = dir.path("user%02d.f32"), out = dir.path("code.txt");
  ASSERT_TRUE(Quillvane::Raw2Code(in.c_str(), out.c_str()));
  ASSERT_TRUE(Quillvane::Raw2Code(in.c_str(), out.c_str()));
  const std::string text = readFile(out);
  const std::string head =
      "void WaveformProvider::GetUserData01(float *pWaveform, int size)\n{\n    if (size > 4096) return;\n\n";
  ASSERT_EQ(text.compare(0, head.size(), head), 0) << text.substr(0, 200);
  EXPECT_NE(text.find("    pWaveform[0] = 0.0500000;\n"), std::string::npos);
  EXPECT_NE(text.find("    pWaveform[1] = 0.1888500;\n"), std::string::npos);
  EXPECT_NE(text.find("    pWaveform[7] = -0.9970000;\n"), std::string::npos);
  EXPECT_NE(text.find("    pWaveform[4094] = 0.1750000;\n"), std::string::npos);
  EXPECT_NE(text.find("    pWaveform[4095] = 0.0500000;\n}\n\n"), std::string::npos);
  EXPECT_EQ(text.find(head, 1), text.size() / 2);
}

TEST(Raw2Code, ShortOrSilentInputWritesZerosWhereNothingWasRead) {
  TempDirectory dir;
  writeFloats(dir.path("in1.f32"), {});
  ASSERT_TRUE(Quillvane::Raw2Code(dir.path("in%d.f32").c_str(), dir.path("silent.txt").c_str()));
  const std::string text = readFile(dir.path("silent.txt"));
  EXPECT_NE(text.find("    pWaveform[2048] = 0.0000000;\n"), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);
}

TEST(Raw2Code, RefusesMissingInputAndUnsafePatterns) {
  TempDirectory dir;
  writeFloats(dir.path("in01.f32"), std::vector<float>(16, 0.5f));
  const std::string out = dir.path("out.txt");
  EXPECT_FALSE(Quillvane::Raw2Code(dir.path("missing%02d.f32").c_str(), out.c_str()));
  // A pipe that nothing writes would hold a reader that waits for a writer for ever.
  const testsupport::Fifo fifo(dir.path("pipe01.f32"));
  ASSERT_TRUE(fifo.made());
  bool written = true;
  const std::string pipes = dir.path("pipe%02d.f32");
  EXPECT_TRUE(fifo.returnsPromptly([&] { written = Quillvane::Raw2Code(pipes.c_str(), out.c_str()); }));
  EXPECT_FALSE(written);
  for (const std::string& pattern : {std::string("in%s.f32"), std::string("in%02d%d.f32"), std::string("in%n"),
                                     std::string("in%"), std::string("in%02.1f")}) {
    EXPECT_FALSE(Quillvane::Raw2Code(dir.path(pattern).c_str(), out.c_str())) << pattern;
  }
  EXPECT_FALSE(Quillvane::Raw2Code(dir.path("in%02d.f32").c_str(), dir.path("out%d.txt").c_str()));
  EXPECT_FALSE(Quillvane::Raw2Code(nullptr, out.c_str()));
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_TRUE(Quillvane::Raw2Code(dir.path("in%02d.f32").c_str(), dir.path("100%%.txt").c_str()));
  EXPECT_TRUE(std::filesystem::exists(dir.path("100%.txt")));
}

}  // namespace
