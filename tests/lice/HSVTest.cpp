#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "lice/HSV.h"

namespace {

uint32_t ReferenceCrc(const std::string& name) {
  std::ifstream in("fixtures/combiners.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(name + " all ", 0) == 0) return static_cast<uint32_t>(std::stoul(line.substr(name.size() + 5), nullptr, 16));
  }
  ADD_FAILURE() << name << " missing from fixtures/combiners.txt";
  return 0;
}

uint32_t Crc(const std::vector<unsigned char>& bytes) {
  return static_cast<uint32_t>(crc32(0L, bytes.data(), static_cast<uInt>(bytes.size())));
}

TEST(HSVTest, ReciprocalTable) {
  EXPECT_EQ(_LICE_RGB2HSV_invtab[0], 0);
  EXPECT_EQ(_LICE_RGB2HSV_invtab[1], 65535);
  EXPECT_EQ(_LICE_RGB2HSV_invtab[2], 32767);
  EXPECT_EQ(_LICE_RGB2HSV_invtab[3], 21844);
  EXPECT_EQ(_LICE_RGB2HSV_invtab[255], 256);
}

TEST(HSVTest, EveryColourConvertsAsTheReference) {
  std::vector<unsigned char> out;
  out.reserve(256u * 256u * 256u * 4u);
  for (int r = 0; r < 256; ++r) {
    for (int g = 0; g < 256; ++g) {
      for (int b = 0; b < 256; ++b) {
        int h, s, v;
        LICE_RGB2HSV(r, g, b, &h, &s, &v);
        out.insert(out.end(), {static_cast<unsigned char>(h & 255), static_cast<unsigned char>(h >> 8),
                               static_cast<unsigned char>(s), static_cast<unsigned char>(v)});
      }
    }
  }
  EXPECT_EQ(Crc(out), ReferenceCrc("RGB2HSV"));

  out.clear();
  for (int h = 0; h < 384; ++h) {
    for (int s = 0; s < 256; ++s) {
      for (int v = 0; v < 256; ++v) {
        int r, g, b;
        LICE_HSV2RGB(h, s, v, &r, &g, &b);
        out.insert(out.end(), {static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                               static_cast<unsigned char>(b)});
      }
    }
  }
  EXPECT_EQ(Crc(out), ReferenceCrc("HSV2RGB"));
}

TEST(HSVTest, WorkedExamples) {
  struct Case {
    int r, g, b, h, s, v;
  } cases[] = {
      {255, 0, 0, 0, 255, 255},   {0, 255, 0, 128, 255, 255}, {0, 0, 255, 256, 255, 255},
      {255, 255, 0, 63, 255, 255}, {255, 0, 1, 383, 255, 255}, {200, 100, 50, 21, 191, 200},
      {0, 0, 0, 256, 0, 0},        {77, 77, 77, 256, 0, 77},
  };
  for (const Case& c : cases) {
    int h, s, v;
    LICE_RGB2HSV(c.r, c.g, c.b, &h, &s, &v);
    EXPECT_EQ(h, c.h) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(s, c.s) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(v, c.v) << c.r << "," << c.g << "," << c.b;
  }
  int r, g, b;
  LICE_HSV2RGB(21, 191, 200, &r, &g, &b);
  EXPECT_EQ(r * 65536 + g * 256 + b, 200 * 65536 + 99 * 256 + 50) << "there and back is not exact";
  LICE_HSV2RGB(63, 255, 255, &r, &g, &b);
  EXPECT_EQ(r * 65536 + g * 256 + b, 255 * 65536 + 251 * 256 + 0);
}

}  // namespace
