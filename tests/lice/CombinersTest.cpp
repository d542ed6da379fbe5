#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "lice/Combiners.h"

// Every combiner against the reference results of
// fixtures/make_combiner_reference.py, over all destination and source bytes
// at the weights listed there; then the worked examples one by one.

namespace {

typedef void (*ChannelRule)(unsigned char*, int, int, int, int, int);
typedef void (*WordRule)(LICE_pixel*, LICE_pixel);

const std::map<std::string, ChannelRule>& ChannelCombiners() {
  static const std::map<std::string, ChannelRule> table = {
      {"ClobberNoClamp", &_LICE_CombinePixelsClobberNoClamp::doPix},
      {"ClobberClamp", &_LICE_CombinePixelsClobberClamp::doPix},
      {"CopyNoClamp", &_LICE_CombinePixelsCopyNoClamp::doPix},
      {"CopyClamp", &_LICE_CombinePixelsCopyClamp::doPix},
      {"HalfMixNoClamp", &_LICE_CombinePixelsHalfMixNoClamp::doPix},
      {"Add", &_LICE_CombinePixelsAdd::doPix},
      {"ColorDodge", &_LICE_CombinePixelsColorDodge::doPix},
      {"MulNoClamp", &_LICE_CombinePixelsMulNoClamp::doPix},
      {"MulClamp", &_LICE_CombinePixelsMulClamp::doPix},
      {"Overlay", &_LICE_CombinePixelsOverlay::doPix},
      {"HSVAdjust", &_LICE_CombinePixelsHSVAdjust::doPix},
      {"CopySourceAlphaIgnoreAlphaParmNoClamp", &_LICE_CombinePixelsCopySourceAlphaIgnoreAlphaParmNoClamp::doPix},
      {"CopySourceAlphaIgnoreAlphaParmClamp", &_LICE_CombinePixelsCopySourceAlphaIgnoreAlphaParmClamp::doPix},
      {"CopySourceAlphaNoClamp", &_LICE_CombinePixelsCopySourceAlphaNoClamp::doPix},
      {"CopySourceAlphaClamp", &_LICE_CombinePixelsCopySourceAlphaClamp::doPix},
      {"AddSourceAlpha", &_LICE_CombinePixelsAddSourceAlpha::doPix},
      {"ColorDodgeSourceAlpha", &_LICE_CombinePixelsColorDodgeSourceAlpha::doPix},
      {"MulSourceAlphaNoClamp", &_LICE_CombinePixelsMulSourceAlphaNoClamp::doPix},
      {"MulSourceAlphaClamp", &_LICE_CombinePixelsMulSourceAlphaClamp::doPix},
      {"OverlaySourceAlpha", &_LICE_CombinePixelsOverlaySourceAlpha::doPix},
      {"HSVAdjustSourceAlpha", &_LICE_CombinePixelsHSVAdjustSourceAlpha::doPix},
  };
  return table;
}

template <class C>
void PreparedWord(LICE_pixel* dest, LICE_pixel colour) {
  C::doPixWord(dest, C::prepareColor(colour));
}

const std::map<std::string, WordRule>& WordCombiners() {
  static const std::map<std::string, WordRule> table = {
      {"ClobberFAST", &PreparedWord<_LICE_CombinePixelsClobberFAST>},
      {"HalfMixFAST", &_LICE_CombinePixelsHalfMixFAST::doPixWord},
      {"HalfMix2FAST", &PreparedWord<_LICE_CombinePixelsHalfMix2FAST>},
      {"QuarterMix2FAST", &PreparedWord<_LICE_CombinePixelsQuarterMix2FAST>},
      {"ThreeQuarterMix2FAST", &PreparedWord<_LICE_CombinePixelsThreeQuarterMix2FAST>},
  };
  return table;
}

// The pixels the reference builds from a destination byte d and a source byte s.
LICE_pixel DestPixel(int d) { return LICE_MakePixel(d, (d * 7 + 3) & 255, 255 - d, (d * 3 + 1) & 255); }
void SourceChannels(int s, int* r, int* g, int* b, int* a) {
  *r = s, *g = (s * 11 + 5) & 255, *b = 255 - s, *a = (s * 5 + 7) & 255;
}

LICE_pixel Combine(ChannelRule rule, int d, int s, int weight) {
  LICE_pixel px = DestPixel(d);
  int r, g, b, a;
  SourceChannels(s, &r, &g, &b, &a);
  rule(reinterpret_cast<unsigned char*>(&px), r, g, b, a, weight);
  return px;
}

uint32_t Crc(const std::vector<unsigned char>& bytes) {
  return static_cast<uint32_t>(crc32(0L, bytes.data(), static_cast<uInt>(bytes.size())));
}

void Append(std::vector<unsigned char>* out, LICE_pixel px) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&px);
  out->insert(out->end(), bytes, bytes + 4);
}

struct Reference {
  std::string kind, name, weight;
  std::string crc;
};

std::vector<std::vector<std::string>> FixtureLines() {
  std::vector<std::vector<std::string>> lines;
  std::ifstream in("fixtures/combiners.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::vector<std::string> fields;
    for (std::string word; words >> word;) fields.push_back(word);
    lines.push_back(fields);
  }
  return lines;
}

uint32_t Hex(const std::string& text) { return static_cast<uint32_t>(std::stoul(text, nullptr, 16)); }

TEST(CombinersTest, EveryCombinerMatchesTheReferenceOverAllBytesAndWeights) {
  const auto lines = FixtureLines();
  ASSERT_FALSE(lines.empty()) << "fixtures/combiners.txt missing";
  int checked = 0;
  for (const auto& f : lines) {
    if (f[0] == "sample" || f[0] == "wide" || f[1] == "word" || f[1] == "all") continue;
    const ChannelRule rule = ChannelCombiners().at(f[0]);
    const int weight = std::stoi(f[1]);
    std::vector<unsigned char> out;
    for (int d = 0; d < 256; ++d) {
      for (int s = 0; s < 256; ++s) Append(&out, Combine(rule, d, s, weight));
    }
    EXPECT_EQ(Crc(out), Hex(f[2])) << f[0] << " at weight " << weight;
    ++checked;
  }
  EXPECT_EQ(checked, static_cast<int>(ChannelCombiners().size()) * 10);
}

TEST(CombinersTest, SourceValuesBeyondAByteMatchTheReference) {
  const int wide[] = {-600, -256, -1, 256, 300, 511, 1000, 2048};
  for (const auto& f : FixtureLines()) {
    if (f[0] != "wide") continue;
    const ChannelRule rule = ChannelCombiners().at(f[1]);
    const int weight = std::stoi(f[2]);
    std::vector<unsigned char> out;
    for (int d = 0; d < 256; ++d) {
      for (int v : wide) {
        LICE_pixel px = DestPixel(d);
        rule(reinterpret_cast<unsigned char*>(&px), v, v, v, v, weight);
        Append(&out, px);
      }
    }
    EXPECT_EQ(Crc(out), Hex(f[3])) << f[1] << " at weight " << weight;
  }
}

TEST(CombinersTest, WordCombinersMatchTheReference) {
  int checked = 0;
  for (const auto& f : FixtureLines()) {
    if (f.size() < 3 || f[1] != "word") continue;
    const WordRule rule = WordCombiners().at(f[0]);
    std::vector<unsigned char> out;
    for (int d = 0; d < 256; ++d) {
      for (int s = 0; s < 256; ++s) {
        int r, g, b, a;
        SourceChannels(s, &r, &g, &b, &a);
        LICE_pixel px = DestPixel(d);
        rule(&px, LICE_MakePixel(r, g, b, a));
        Append(&out, px);
      }
    }
    EXPECT_EQ(Crc(out), Hex(f[2])) << f[0];
    ++checked;
  }
  EXPECT_EQ(checked, static_cast<int>(WordCombiners().size()));
}

TEST(CombinersTest, ListedSamplesMatchOneByOne) {
  for (const auto& f : FixtureLines()) {
    if (f[0] != "sample") continue;
    const LICE_pixel got = Combine(ChannelCombiners().at(f[1]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[2]));
    EXPECT_EQ(got, Hex(f[5])) << f[1] << " weight " << f[2] << " d " << f[3] << " s " << f[4];
  }
}

// One channel of a combiner: destination byte dst, source value src on all
// four channels, returning the red byte.
int Red(ChannelRule rule, int dst, int src, int weight, int srcAlpha = -1) {
  LICE_pixel px = LICE_MakePixel(dst, dst, dst, dst);
  rule(reinterpret_cast<unsigned char*>(&px), src, src, src, srcAlpha < 0 ? src : srcAlpha, weight);
  return LICE_PixelRed(px);
}

TEST(CombinersTest, WorkedExamplesOfTheRules) {
  struct Case {
    const char* what;
    ChannelRule rule;
    int dst, src, weight, srcAlpha, expected;
  } cases[] = {
      {"copy at 256 is the source", &_LICE_CombinePixelsCopyNoClamp::doPix, 17, 200, 256, -1, 200},
      {"copy 255 over 0 at 128", &_LICE_CombinePixelsCopyNoClamp::doPix, 0, 255, 128, -1, 128},
      {"copy 0 over 255 at 128", &_LICE_CombinePixelsCopyNoClamp::doPix, 255, 0, 128, -1, 127},
      {"add saturates", &_LICE_CombinePixelsAdd::doPix, 200, 200, 256, -1, 255},
      {"dodge by 255 turns non-zero to 255", &_LICE_CombinePixelsColorDodge::doPix, 3, 255, 256, -1, 255},
      {"dodge by 255 keeps 0", &_LICE_CombinePixelsColorDodge::doPix, 0, 255, 256, -1, 0},
      {"multiply 255 by 255", &_LICE_CombinePixelsMulNoClamp::doPix, 255, 255, 256, -1, 254},
      {"multiply at weight 0", &_LICE_CombinePixelsMulNoClamp::doPix, 77, 0, 0, -1, 77},
      {"overlay 100 with 200", &_LICE_CombinePixelsOverlay::doPix, 100, 200, 256, -1, 134},
      {"overlay 100 with 0", &_LICE_CombinePixelsOverlay::doPix, 100, 0, 256, -1, 39},
      {"overlay at weight 0", &_LICE_CombinePixelsOverlay::doPix, 100, 0, 0, -1, 100},
      {"clobber stores the low bits", &_LICE_CombinePixelsClobberNoClamp::doPix, 0, 300, 256, -1, 44},
      {"clamped clobber saturates", &_LICE_CombinePixelsClobberClamp::doPix, 0, 300, 256, -1, 255},
      {"half mix of 1 and 1", &_LICE_CombinePixelsHalfMixNoClamp::doPix, 1, 1, 0, -1, 1},
      {"source-alpha copy skips alpha 0", &_LICE_CombinePixelsCopySourceAlphaNoClamp::doPix, 10, 200, 256, 0, 10},
      {"source-alpha add skips alpha 0", &_LICE_CombinePixelsAddSourceAlpha::doPix, 10, 200, 256, 0, 10},
      {"source-alpha multiply skips alpha 0", &_LICE_CombinePixelsMulSourceAlphaNoClamp::doPix, 10, 200, 256, 0, 10},
      {"opaque source copy ignores the weight", &_LICE_CombinePixelsCopySourceAlphaIgnoreAlphaParmNoClamp::doPix, 10, 200, 1, 255, 200},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Red(c.rule, c.dst, c.src, c.weight, c.srcAlpha), c.expected) << c.what;
  }
}

TEST(CombinersTest, SourceAlphaCopiesRaiseTheDestinationAlpha) {
  LICE_pixel px = LICE_MakePixel(0, 0, 0, 200);
  _LICE_CombinePixelsCopySourceAlphaNoClamp::doPix(reinterpret_cast<unsigned char*>(&px), 9, 9, 9, 127, 256);
  EXPECT_EQ(LICE_PixelAlpha(px), 255) << "200 + 128 saturates";
  px = LICE_MakePixel(0, 0, 0, 10);
  _LICE_CombinePixelsCopySourceAlphaIgnoreAlphaParmNoClamp::doPix(reinterpret_cast<unsigned char*>(&px), 9, 9, 9, 255, 1);
  EXPECT_EQ(LICE_PixelAlpha(px), 255);
}

TEST(CombinersTest, HSVAdjustExamples) {
  auto adjust = [](LICE_pixel px, int r, int g, int b, int a, int weight) {
    _LICE_CombinePixelsHSVAdjust::doPix(reinterpret_cast<unsigned char*>(&px), r, g, b, a, weight);
    return px;
  };
  EXPECT_EQ(adjust(LICE_MakePixel(255, 0, 0, 255), 0, 128, 128, 255, 256), LICE_MakePixel(0, 255, 255, 255))
      << "red turned half a turn is cyan";
  EXPECT_EQ(adjust(LICE_MakePixel(255, 255, 0, 255), 128, 128, 128, 0, 256), LICE_MakePixel(255, 251, 0, 0))
      << "neutral adjustment keeps the conversion error and replaces alpha";
  EXPECT_EQ(adjust(LICE_MakePixel(128, 128, 128, 99), 128, 128, 128, 42, 0), LICE_MakePixel(128, 128, 128, 42))
      << "weight 0 still sets the alpha byte";
  LICE_pixel px = LICE_MakePixel(128, 128, 128, 99);
  _LICE_CombinePixelsHSVAdjustSourceAlpha::doPix(reinterpret_cast<unsigned char*>(&px), 128, 128, 128, 0, 256);
  EXPECT_EQ(LICE_PixelAlpha(px), 0) << "the source-alpha form runs even where the source alpha is 0";
  EXPECT_EQ(adjust(LICE_MakePixel(255, 0, 0, 0), 255, 128, 128, 0, 256), LICE_MakePixel(0, 255, 247, 0));
  EXPECT_EQ(adjust(LICE_MakePixel(200, 100, 50, 0), 128, 0, 128, 0, 256), LICE_MakePixel(200, 200, 200, 0));
  EXPECT_EQ(adjust(LICE_MakePixel(200, 100, 50, 0), 128, 128, 255, 0, 256), LICE_MakePixel(255, 127, 64, 0));
  EXPECT_EQ(adjust(LICE_MakePixel(255, 0, 0, 0), 255, 128, 128, 0, 128), LICE_MakePixel(131, 255, 0, 0));
  // At weight 1024 (alpha 4) the hue lands at -384, where the green ramp is
  // (16384 - 448 * 255) * 255 / 16384 = -1523.02: truncated, its low byte is 13.
  EXPECT_EQ(adjust(LICE_MakePixel(255, 0, 0, 0), 0, 128, 128, 0, 1024), LICE_MakePixel(255, 13, 0, 0));
}

TEST(CombinersTest, WordHalfMixRoundsEachHalfDown) {
  LICE_pixel px = 0x01010101;
  _LICE_CombinePixelsHalfMixFAST::doPixWord(&px, 0x01010101);
  EXPECT_EQ(px, 0u);
}

}  // namespace
