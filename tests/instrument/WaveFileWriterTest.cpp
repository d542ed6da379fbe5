#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "instrument/WaveFileWriter.h"
#include "tests/instrument/WaveFileReader.h"
#include "tests/support/FileContents.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/PipeCapture.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::FileSizeLimit;
using testsupport::PipeCapture;
using testsupport::readFile;
using testsupport::TempDirectory;

using Quillvane::WaveFileWriter;

TEST(WaveFileWriter, TwentyFourBitSamplesAreScaledTruncatedAndClamped) {
  const TempDirectory dir;
  const std::string file = dir.path("out.wav");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> left = {0.0, 0.5, -0.5, 1.0, -1.0, 2.0, -2.0, nan, 1e-9, 0.99999999};
  const std::vector<double> right(left.rbegin(), left.rend());
  WaveFileWriter writer;
  ASSERT_TRUE(writer.open(file.c_str(), 48000, 24));
  ASSERT_TRUE(writer.write(left.data(), right.data(), 4));
  ASSERT_TRUE(writer.write(left.data() + 4, right.data() + 4, 6));
  ASSERT_TRUE(writer.close());

  const WaveFile wave = WaveFile::read(file.c_str());
  ASSERT_TRUE(wave.valid);
  EXPECT_EQ(wave.format, 1);
  EXPECT_EQ(wave.rate, 48000);
  EXPECT_EQ(wave.bits, 24);
  EXPECT_EQ(wave.blockAlign, 6);
  EXPECT_EQ(wave.byteRate, 48000 * 6);
  EXPECT_EQ(wave.dataSize, 60u);
  EXPECT_EQ(wave.riffSize, 60u + 36u);
  const std::vector<int32_t> expected = {0, 4194303, -4194303, 8388607, -8388607, 8388607, -8388608, 0, 0, 8388606};
  EXPECT_EQ(wave.rawLeft, expected);
  EXPECT_EQ(wave.rawRight, std::vector<int32_t>(expected.rbegin(), expected.rend()));
}

TEST(WaveFileWriter, ThirtyTwoBitSamplesAreFloats) {
  const TempDirectory dir;
  const std::string file = dir.path("out.wav");
  const std::vector<double> left = {0.25, -1.5, 1e-3}, right = {0.0, 3.0, -0.125};
  WaveFileWriter writer;
  ASSERT_TRUE(writer.open(file.c_str(), 22050, 32));
  ASSERT_TRUE(writer.write(left.data(), right.data(), 3));
  ASSERT_TRUE(writer.close());
  const WaveFile wave = WaveFile::read(file.c_str());
  ASSERT_TRUE(wave.valid);
  EXPECT_EQ(wave.format, 3);
  EXPECT_EQ(wave.rate, 22050);
  EXPECT_EQ(wave.left, (std::vector<double>{0.25, -1.5, static_cast<float>(1e-3)}));
  EXPECT_EQ(wave.right, right);
}

TEST(WaveFileWriter, AnEmptyFileIsStillComplete) {
  const TempDirectory dir;
  const std::string file = dir.path("out.wav");
  WaveFileWriter writer;
  ASSERT_TRUE(writer.open(file.c_str(), 44100, 24));
  ASSERT_TRUE(writer.close());
  const WaveFile wave = WaveFile::read(file.c_str());
  ASSERT_TRUE(wave.valid);
  EXPECT_EQ(wave.frames(), 0);
  EXPECT_EQ(wave.riffSize, 36u);
}

TEST(WaveFileWriter, AFileAppearsOnlyWhenComplete) {
  const TempDirectory dir;
  const std::string file = dir.path("out.wav");
  const std::vector<double> silence(4096, 0.0);
  auto writeSeconds = [&](WaveFileWriter& writer, int blocks) {
    bool ok = writer.open(file.c_str(), 44100, 24);
    for (int i = 0; i < blocks && ok; ++i) ok = writer.write(silence.data(), silence.data(), 4096);
    return ok;
  };
  {
    WaveFileWriter writer;
    ASSERT_TRUE(writeSeconds(writer, 4));
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_TRUE(writer.close());
  }
  const std::string complete = readFile(file);
  ASSERT_EQ(WaveFile::read(file).frames(), 4 * 4096);

  // A render abandoned half way, or one that meets a full disk, leaves the
  // file written before as it was.
  {
    WaveFileWriter abandoned;
    ASSERT_TRUE(writeSeconds(abandoned, 2));
  }
  EXPECT_EQ(readFile(file), complete);
  {
    const FileSizeLimit limit(complete.size() / 2);
    WaveFileWriter writer;
    EXPECT_FALSE(writeSeconds(writer, 8) && writer.close());
    EXPECT_EQ(writer.error(), "cannot write '" + file + "': File too large");
  }
  EXPECT_EQ(readFile(file), complete);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.wav"});
}

// A length given beforehand goes into the header at once: a pipe gets the
// whole file, and a writer that cannot keep to the length fails without
// sending more than the header announced.
TEST(WaveFileWriter, AFileOfKnownLengthGoesThroughAPipe) {
  const TempDirectory dir;
  const std::vector<double> left(16, 0.25), right(16, -0.5);
  // The file the writes give where the header can be completed last.
  const auto fileOf = [&](const std::vector<int>& writes) {
    const std::string path = dir.path("reference.wav");
    WaveFileWriter file;
    EXPECT_TRUE(file.open(path.c_str(), 8000, 24));
    for (int n : writes) EXPECT_TRUE(file.write(left.data(), right.data(), n));
    EXPECT_TRUE(file.close());
    return readFile(path);
  };
  const struct {
    const char* what;
    int64_t length;  // announced; -1 for none
    std::vector<int> writes;
    bool opens;
    const char* cause;
  } cases[] = {
      {"as announced", 10, {4, 6}, true, ""},
      {"nothing, as announced", 0, {}, true, ""},
      {"length unknown", -1, {4}, false, "a WAVE file of unknown length cannot go to a pipe"},
      {"more than announced", 10, {8, 4}, true, "more frames than its header gives"},
      {"fewer than announced", 10, {4, 2}, true, "the stream ended before the frames its header gives"},
      {"past the format's limit", int64_t{1} << 30, {4}, false, "the file would pass the WAVE format's 4 GB limit"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PipeCapture pipe;
    ASSERT_TRUE(pipe.made());
    WaveFileWriter writer;
    EXPECT_EQ(writer.open(pipe.path().c_str(), 8000, 24, c.length), c.opens);
    bool ok = true;
    for (int n : c.writes) ok = writer.write(left.data(), right.data(), n) && ok;
    ok = writer.close() && ok;
    EXPECT_EQ(ok, !*c.cause);
    EXPECT_EQ(writer.error(), *c.cause ? "cannot write '" + pipe.path() + "': " + c.cause : "");
    const std::string streamed = pipe.finish();
    if (!*c.cause) {
      EXPECT_EQ(streamed, fileOf(c.writes));
    } else if (!c.opens) {
      EXPECT_EQ(streamed, "");
    } else {
      EXPECT_LE(streamed.size(), 44u + 6u * static_cast<std::size_t>(c.length));
    }
  }

  // In a file, a length that turned out otherwise is mended at the end.
  for (const std::vector<int>& writes : {std::vector<int>{4, 2}, std::vector<int>{8, 4}}) {
    const std::string path = dir.path("announced.wav");
    WaveFileWriter file;
    ASSERT_TRUE(file.open(path.c_str(), 8000, 24, 10));
    for (int n : writes) ASSERT_TRUE(file.write(left.data(), right.data(), n));
    ASSERT_TRUE(file.close());
    EXPECT_EQ(readFile(path), fileOf(writes));
  }
  WaveFileWriter huge;
  EXPECT_FALSE(huge.open(dir.path("huge.wav").c_str(), 8000, 24, int64_t{1} << 30));
  EXPECT_EQ(huge.error(),
            "cannot write '" + dir.path("huge.wav") + "': the file would pass the WAVE format's 4 GB limit");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"announced.wav", "reference.wav"}));
}

TEST(WaveFileWriter, RefusesWhatItCannotWrite) {
  const TempDirectory dir;
  const std::string file = dir.path("out.wav");
  WaveFileWriter writer;
  EXPECT_FALSE(writer.open("/nonexistent/folder/out.wav", 44100, 24));
  EXPECT_FALSE(writer.write(nullptr, nullptr, 0));
  EXPECT_FALSE(writer.close());
  EXPECT_FALSE(writer.open(file.c_str(), 44100, 16));
  EXPECT_FALSE(writer.open(file.c_str(), 0, 24));
}

}  // namespace
