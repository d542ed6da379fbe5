#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "effects/Distortion.h"

namespace {

using Quillvane::Distortion;
using Quillvane::eDistortionType;

// Reads entry i of a type's table through the public curve: without
// interpolation an input of (i + 0.5) / (N - 1) lands on entry i.
class CurveReader {
 public:
  explicit CurveReader(Distortion& d) : mDistortion(d) { d.setInterpolation(0.0); }

  double entry(int type, int size, int i, bool negative) {
    mDistortion.setType(Distortion::getDistortionSel(static_cast<eDistortionType>(type)));
    const double x = (i + 0.5) / (size - 1);
    return negative ? -mDistortion.getDistortion(-x) : mDistortion.getDistortion(x);
  }

 private:
  Distortion& mDistortion;
};

class DistortionCurves : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { sDistortion = new Distortion(); }
  static void TearDownTestSuite() {
    delete sDistortion;
    sDistortion = nullptr;
  }
  static Distortion* sDistortion;
};

Distortion* DistortionCurves::sDistortion = nullptr;

// The fixture holds per-half signatures computed by
// fixtures/make_distortion_curves.py from the recipe alone.
TEST_F(DistortionCurves, EveryReadTableMatchesAnIndependentRecomputation) {
  std::ifstream in("fixtures/distortion_curves.txt");
  ASSERT_TRUE(in) << "missing fixtures/distortion_curves.txt";
  CurveReader reader(*sDistortion);
  std::string line;
  int checkedHalves = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int type = 0, size = 0;
    std::string half;
    double sum = 0, weighted = 0, squares = 0;
    fields >> type >> half >> size >> sum >> weighted >> squares;
    ASSERT_TRUE(fields) << line;
    double s = 0, ws = 0, sq = 0;
    for (int i = 0; i < size; ++i) {
      const double v = reader.entry(type, size, i, half == "neg");
      s += v;
      ws += (i + 1) * v;
      sq += v * v;
    }
    const std::string where = Distortion::getDistortionTypeText(type / 34.0) + (" " + half);
    EXPECT_NEAR(s, sum, 1e-9 * std::max(1.0, std::fabs(sum))) << where;
    EXPECT_NEAR(ws, weighted, 1e-9 * std::max(1.0, std::fabs(weighted))) << where;
    EXPECT_NEAR(sq, squares, 1e-9 * std::max(1.0, sq)) << where;
    ++checkedHalves;
  }
  // Each of the 31 table types has two halves.
  EXPECT_EQ(checkedHalves, 62);
}

TEST_F(DistortionCurves, SpotValuesOfTheRecipe) {
  CurveReader r(*sDistortion);
  using namespace Quillvane;
  EXPECT_DOUBLE_EQ(r.entry(kDistortionCompressor, 256, 255, false), 0.59921875);
  EXPECT_EQ(r.entry(kDistortionTubeDistort, 256, 128, false), 0.97);
  EXPECT_DOUBLE_EQ(r.entry(kDistortionTubeDistort, 256, 127, true), 0.97 * 127 / 128);
  EXPECT_NEAR(r.entry(kDistortionTransistor1, 256, 204, false), 0.8, 0.01);
  EXPECT_NEAR(r.entry(kDistortionTransistor1, 256, 205, false), 0.8, 0.01);

  // The bounded walk: P = 0.04321, 0.06542, 0.06663 and Q = -0.001, 0, 0.003,
  // faded in over the first entries.
  const double fade1 = 0.3090169943749474, fade2 = 0.5877852522924731;
  EXPECT_EQ(r.entry(kDistortionIndustrialFuzz1, 256, 0, false), 0.0);
  EXPECT_NEAR(r.entry(kDistortionIndustrialFuzz1, 256, 1, false), (1 / 256.0 + 0.06542) * fade1, 1e-12);
  EXPECT_NEAR(r.entry(kDistortionIndustrialFuzz1, 256, 2, false), (2 / 256.0 + 0.06663) * fade2, 1e-12);
  EXPECT_NEAR(r.entry(kDistortionIndustrialFuzz1, 256, 1, true), (1 / 256.0) * fade1, 1e-12);
  EXPECT_NEAR(r.entry(kDistortionIndustrialFuzz1, 256, 2, true), (2 / 256.0 + 0.003) * fade2, 1e-12);

  // Hardcore-Fuzz1's plateaus: 1.0 over 7..43 and 100..116 on the positive
  // half, 1.0 over 150..199 on the negative.
  for (int i : {7, 43, 100, 116, 200, 216}) EXPECT_EQ(r.entry(kDistortionHardcoreFuzz1, 256, i, false), 1.0) << i;
  for (int i : {5, 6, 44, 54}) EXPECT_EQ(r.entry(kDistortionHardcoreFuzz1, 256, i, false), 0.0) << i;
  for (int i : {150, 199}) EXPECT_EQ(r.entry(kDistortionHardcoreFuzz1, 256, i, true), 1.0) << i;
  for (int i : {7, 43, 200, 216}) EXPECT_EQ(r.entry(kDistortionHardcoreFuzz1, 256, i, true), 0.0) << i;
}

TEST_F(DistortionCurves, CurvesStartAtZeroWhereTheRecipeFadesThemIn) {
  CurveReader r(*sDistortion);
  using namespace Quillvane;
  for (int type = 0; type < kNumDistortionTypes; ++type) {
    const auto t = static_cast<eDistortionType>(type);
    if (t == kDistortionLinear || t == kDistortionHardOverload || t == kDistortionFullClip ||
        t == kDistortionInvertAndDrive || t == kDistortionViciousViper || t == kDistortionAssKicking ||
        t == kDistortionTigersBlood) {
      continue;
    }
    sDistortion->setType(Distortion::getDistortionSel(t));
    EXPECT_NEAR(sDistortion->getDistortion(1e-4), 0.0, 1e-3) << Distortion::getDistortionTypeText(type / 34.0);
    EXPECT_NEAR(sDistortion->getDistortion(-1e-4), 0.0, 1e-3) << Distortion::getDistortionTypeText(type / 34.0);
  }
  // Three curves are not faded: ViciousViper starts below zero, AssKicking
  // above, and TigersBlood begins as a plain ramp.
  EXPECT_LT(r.entry(kDistortionViciousViper, 32, 0, false), 0.0);
  EXPECT_GT(r.entry(kDistortionAssKicking, 70, 0, false), 0.0);
  const double tiger1 = r.entry(kDistortionTigersBlood, 80, 1, false);
  for (int i = 2; i <= 4; ++i) EXPECT_NEAR(r.entry(kDistortionTigersBlood, 80, i, false), i * tiger1, 1e-12);
}

}  // namespace
