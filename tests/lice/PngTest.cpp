#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "lice/LICE_SysBitmap.h"
#include "lice/PNG.h"
#include "tests/lice/CanaryBitmap.h"
#include "tests/support/Fifo.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDirectory.h"

// The corpus and the pixels an independent decoder read from it are made by
// fixtures/make_png_corpus.py.

namespace {

namespace fs = std::filesystem;

const char* kCorpus = "corpus/lice_png_fuzzer";

std::vector<std::string> CorpusNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kCorpus)) names.push_back(entry.path().stem().string());
  return names;
}

std::string CorpusFile(const std::string& name) { return std::string(kCorpus) + "/" + name + ".png"; }

// The bitmap's pixels as bytes in memory order, row after row.
std::string PixelBytes(LICE_IBitmap* bm) {
  std::string bytes;
  for (int y = 0; y < bm->getHeight(); ++y) {
    const auto* row = reinterpret_cast<const char*>(bm->getBits() + y * bm->getRowSpan());
    bytes.append(row, static_cast<size_t>(bm->getWidth()) * 4);
  }
  return bytes;
}

LICE_IBitmap* FromMemory(const std::string& bytes, LICE_IBitmap* into = nullptr) {
  return LICE_LoadPNGFromMemory(bytes.data(), static_cast<int>(bytes.size()), into);
}

TEST(PngTest, EveryColourTypeAndDepthDecodesAsTheIndependentDecoder) {
  const auto names = CorpusNames();
  ASSERT_EQ(names.size(), 52u);
  for (const std::string& name : names) {
    const std::string expected = testsupport::readFile("fixtures/png_expected/" + name + ".argb");
    std::unique_ptr<LICE_IBitmap> fromFile(LICE_LoadPNG(CorpusFile(name).c_str(), nullptr));
    ASSERT_NE(fromFile, nullptr) << name;
    EXPECT_EQ(fromFile->getWidth(), 13) << name;
    EXPECT_EQ(fromFile->getHeight(), 11) << name;
    EXPECT_EQ(fromFile->getRowSpan(), 16) << name << ": memory bitmap with row alignment 4";
    EXPECT_TRUE(PixelBytes(fromFile.get()) == expected) << name;

    std::unique_ptr<LICE_IBitmap> fromMemory(FromMemory(testsupport::readFile(CorpusFile(name))));
    ASSERT_NE(fromMemory, nullptr) << name;
    EXPECT_TRUE(PixelBytes(fromMemory.get()) == expected) << name;
  }
}

TEST(PngTest, DecodesIntoTheCallersBitmap) {
  LICE_SysBitmap into(2, 2);
  const std::string name = "type6_depth16_adam7";
  EXPECT_EQ(LICE_LoadPNG(CorpusFile(name).c_str(), &into), &into);
  EXPECT_EQ(into.getWidth(), 13);
  EXPECT_EQ(into.getRowSpan(), 16);
  EXPECT_TRUE(PixelBytes(&into) == testsupport::readFile("fixtures/png_expected/" + name + ".argb"));

  licetest::CanaryBitmap fixed(4, 4, false, 1);
  EXPECT_EQ(LICE_LoadPNG(CorpusFile(name).c_str(), &fixed), nullptr) << "a bitmap that keeps its size";
  EXPECT_TRUE(fixed.CanariesIntact());
}

TEST(PngTest, DamagedDataFailsCleanly) {
  const std::string good = testsupport::readFile(CorpusFile("type2_depth8_plain_trns"));
  ASSERT_FALSE(good.empty());
  // Up to the end of the last image data chunk every cut loses pixels.
  const size_t lastData = good.rfind("IEND") - 4;
  for (size_t cut = 0; cut < lastData; ++cut) {
    std::unique_ptr<LICE_IBitmap> bm(FromMemory(good.substr(0, cut)));
    EXPECT_EQ(bm, nullptr) << "cut at " << cut;
  }
  std::string badSignature = good;
  badSignature[1] = 'Q';
  EXPECT_EQ(FromMemory(badSignature), nullptr);
  for (size_t at : {size_t(20), good.find("IDAT") + 10}) {
    std::string crcError = good;
    crcError[at] ^= 0x40;
    EXPECT_EQ(FromMemory(crcError), nullptr) << "byte " << at;
  }
  EXPECT_EQ(LICE_LoadPNGFromMemory(nullptr, 100, nullptr), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(good.data(), -1, nullptr), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(good.data(), 7, nullptr), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(good.data(), 8, nullptr), nullptr);

  const std::string huge = testsupport::readFile("fixtures/png_bad/huge_header.png");
  ASSERT_FALSE(huge.empty());
  EXPECT_EQ(FromMemory(huge), nullptr) << "40000 x 40000 cannot be allocated";
  EXPECT_EQ(LICE_LoadPNG("fixtures/png_bad/huge_header.png", nullptr), nullptr);

  const testsupport::TempDirectory dir;
  std::ofstream(dir.path("cut.png"), std::ios::binary) << good.substr(0, good.size() / 2);
  EXPECT_EQ(LICE_LoadPNG(dir.path("cut.png").c_str(), nullptr), nullptr);
  std::ofstream(dir.path("text.png")) << "not an image at all";
  EXPECT_EQ(LICE_LoadPNG(dir.path("text.png").c_str(), nullptr), nullptr);
  EXPECT_EQ(LICE_LoadPNG(dir.path("missing.png").c_str(), nullptr), nullptr);
  EXPECT_EQ(LICE_LoadPNG(nullptr, nullptr), nullptr);
}

TEST(PngTest, LoaderRecordAndItsNameCheck) {
  bool listed = false;
  for (LICE_ImageLoaderRecord* r = LICE_ImageLoader_list; r; r = r->next) listed |= r->loadfunc == &LICE_PNGLoader::loadfunc;
  EXPECT_TRUE(listed);
  const char* list = LICE_PNGLoader::get_extlist();
  EXPECT_STREQ(list, "PNG files (*.PNG)");
  EXPECT_STREQ(list + std::strlen(list) + 1, "*.PNG");
  EXPECT_EQ(list[std::strlen(list) + 1 + 6], '\0');

  const testsupport::TempDirectory dir;
  const std::string image = testsupport::readFile(CorpusFile("type0_depth1_plain"));
  fs::create_directories(dir.path("folder.png"));
  for (const char* name : {"UPPER.PNG", "x.png.bak", "folder.png/plain", ".png"}) {
    std::ofstream(dir.path(name), std::ios::binary) << image;
  }
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  struct Case {
    const char* name;
    bool loads;
  } cases[] = {{"UPPER.PNG", true}, {"x.png.bak", false}, {"folder.png/plain", false}, {".png", true}};
  for (const Case& c : cases) {
    std::unique_ptr<LICE_IBitmap> bm(LICE_PNGLoader::loadfunc(c.name, true, nullptr));
    EXPECT_EQ(bm != nullptr, c.loads) << c.name;
    std::unique_ptr<LICE_IBitmap> unchecked(LICE_PNGLoader::loadfunc(c.name, false, nullptr));
    EXPECT_NE(unchecked, nullptr) << c.name;
  }
  fs::current_path(before);
}

TEST(PngTest, NamedResourcesResolveUnderTheResourceRoot) {
  const testsupport::TempDirectory dir;
  fs::create_directories(dir.path("resources/img"));
  std::ofstream(dir.path("resources/img/a.png"), std::ios::binary)
      << testsupport::readFile(CorpusFile("type3_depth4_plain_trns"));
  ASSERT_EQ(setenv("THUDROKKA_RESOURCES", dir.path().c_str(), 1), 0);
  EXPECT_EQ(LICE_ResourceRoot(), dir.path());
  std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNGFromNamedResource("resources/img/a.png", nullptr));
  EXPECT_NE(bm, nullptr);
  // A pipe that nothing writes would hold a reader that waits for a writer for ever.
  const testsupport::Fifo fifo(dir.path("resources/img/pipe.png"));
  ASSERT_TRUE(fifo.made());
  LICE_IBitmap* fromPipe = bm.get();
  const char* pipe = "resources/img/pipe.png";
  EXPECT_TRUE(fifo.returnsPromptly([&] { fromPipe = LICE_LoadPNGFromNamedResource(pipe, nullptr); }));
  EXPECT_EQ(fromPipe, nullptr);
  EXPECT_EQ(LICE_LoadPNGFromNamedResource(("resources/img/" + std::string(395, 'x')).c_str(), nullptr), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromNamedResource(nullptr, nullptr), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromResource(nullptr, 112, nullptr), nullptr);
  unsetenv("THUDROKKA_RESOURCES");
  EXPECT_NE(LICE_ResourceRoot(), dir.path());
}

}  // namespace
