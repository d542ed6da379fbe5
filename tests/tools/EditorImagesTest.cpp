#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lice/PNG.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDirectory.h"

// The images the build generates, against the image table transcribed in
// fixtures/editor_images.txt.

namespace {

namespace fs = std::filesystem;

const std::string kFolder = "resources/img/quillvane/";

struct Entry {
  int id;
  std::string path;
  int frames, width, height;
};

std::vector<Entry> Table() {
  std::vector<Entry> entries;
  std::ifstream in("fixtures/editor_images.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Entry e;
    fields >> e.id >> e.path >> e.frames >> e.width >> e.height;
    entries.push_back(e);
  }
  return entries;
}

std::unique_ptr<LICE_IBitmap> Load(const std::string& path) {
  return std::unique_ptr<LICE_IBitmap>(LICE_LoadPNGFromNamedResource((kFolder + path).c_str(), nullptr));
}

LICE_pixel Pixel(LICE_IBitmap* bm, int x, int y) { return bm->getBits()[y * bm->getRowSpan() + x]; }

TEST(EditorImagesTest, EveryImageLoadsAtItsSizeWithWholeFrames) {
  const auto table = Table();
  ASSERT_EQ(table.size(), 82u) << "ids in the table";
  for (const Entry& e : table) {
    auto bm = Load(e.path);
    ASSERT_NE(bm, nullptr) << e.id << " " << e.path;
    EXPECT_EQ(bm->getWidth(), e.width) << e.path;
    EXPECT_EQ(bm->getHeight(), e.height) << e.path;
    EXPECT_EQ(bm->getHeight() % e.frames, 0) << e.path;
  }
}

std::set<std::string> FilesBelow(const std::string& root) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file() && entry.path().extension() == ".png") {
      files.insert(fs::relative(entry.path(), root).generic_string());
    }
  }
  return files;
}

TEST(EditorImagesTest, AnotherRunWritesTheSameFilesByteForByte) {
  const testsupport::TempDirectory dir;
  const std::string command =
      std::string(THUDROKKA_IMAGE_GENERATOR) + " --output '" + dir.path() + "' --contact-sheet '" + dir.path("sheet.png") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::string built = LICE_ResourceRoot() + "/" + kFolder, again = dir.path(kFolder);
  const std::set<std::string> files = FilesBelow(again);
  std::set<std::string> expected;
  for (const Entry& e : Table()) expected.insert(e.path);
  EXPECT_EQ(files, expected) << "exactly the files of the table";
  EXPECT_EQ(FilesBelow(built), expected);
  for (const std::string& file : files) {
    EXPECT_TRUE(testsupport::readFile(built + file) == testsupport::readFile(again + file)) << file;
  }
  std::unique_ptr<LICE_IBitmap> sheet(LICE_LoadPNG(dir.path("sheet.png").c_str(), nullptr));
  EXPECT_NE(sheet, nullptr);
}

TEST(EditorImagesTest, AFullDiskLeavesEveryImageWholeOrAsItWas) {
  const testsupport::TempDirectory dir;
  const std::string built = LICE_ResourceRoot() + "/" + kFolder, again = dir.path(kFolder);
  const std::string previous = "the image drawn before";
  for (const Entry& e : Table()) {
    fs::create_directories(fs::path(again + e.path).parent_path());
    std::ofstream(again + e.path, std::ios::binary) << previous;
  }
  // Writes past two kilobytes fail, as on a full disk.
  const std::string full = "(trap '' XFSZ; ulimit -f 4; exec " + std::string(THUDROKKA_IMAGE_GENERATOR) +
                           " --output '" + dir.path() + "') 2>/dev/null";
  EXPECT_NE(std::system(full.c_str()), 0);
  int kept = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
    if (!entry.is_regular_file()) continue;
    const std::string file = fs::relative(entry.path(), again).generic_string();
    const std::string contents = testsupport::readFile(entry.path());
    kept += contents == previous;
    EXPECT_TRUE(contents == previous || contents == testsupport::readFile(built + file)) << file;
  }
  EXPECT_GT(kept, 0);
}

// The direction, in degrees from straight up, clockwise, in which the light
// indicator of a knob frame points: the centroid of its light pixels.
double IndicatorAngle(LICE_IBitmap* strip, int frame, int size) {
  const double c = size / 2.0, reach = size * 0.3;
  double sx = 0, sy = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const LICE_pixel p = Pixel(strip, x, frame * size + y);
      const double dx = x + 0.5 - c, dy = y + 0.5 - c;
      if (std::hypot(dx, dy) > reach) continue;
      // Weighted by how far the pixel is above the cap's brightness.
      const int lightest = std::min({LICE_PixelRed(p), LICE_PixelGreen(p), LICE_PixelBlue(p)});
      const double weight = std::max(0, lightest - 160);
      sx += dx * weight, sy += dy * weight;
    }
  }
  return std::atan2(sx, -sy) * 180 / M_PI;
}

TEST(EditorImagesTest, KnobIndicatorsSweepFromMinus135ToPlus135) {
  for (const Entry& e : Table()) {
    if (e.frames != 128) continue;
    auto strip = Load(e.path);
    ASSERT_NE(strip, nullptr);
    for (int frame : {0, 1, 32, 64, 100, 126, 127}) {
      const double expected = -135 + 270.0 * frame / 127;
      EXPECT_NEAR(IndicatorAngle(strip.get(), frame, e.width), expected, 2.0) << e.path << " frame " << frame;
    }
  }
}

TEST(EditorImagesTest, StraightAlphaAroundRoundParts) {
  for (const Entry& e : Table()) {
    if (e.path.rfind("knobs/", 0) != 0) continue;
    auto strip = Load(e.path);
    ASSERT_NE(strip, nullptr);
    const int size = e.width;
    EXPECT_EQ(LICE_PixelAlpha(Pixel(strip.get(), 0, 0)), 0) << e.path << ": transparent corner";
    EXPECT_EQ(LICE_PixelAlpha(Pixel(strip.get(), size / 2, size / 2)), 255) << e.path << ": opaque body";
  }
}

TEST(EditorImagesTest, EveryFrameDiffersFromTheOthers) {
  for (const Entry& e : Table()) {
    if (e.frames < 2 || e.frames > 5) continue;
    auto bm = Load(e.path);
    ASSERT_NE(bm, nullptr);
    const int h = e.height / e.frames;
    std::set<std::string> frames;
    for (int f = 0; f < e.frames; ++f) {
      std::string bytes;
      for (int y = 0; y < h; ++y) {
        bytes.append(reinterpret_cast<const char*>(bm->getBits() + (f * h + y) * bm->getRowSpan()), e.width * 4);
      }
      frames.insert(bytes);
    }
    EXPECT_EQ(frames.size(), static_cast<size_t>(e.frames)) << e.path;
  }
}

}  // namespace
