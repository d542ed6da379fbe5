#include "engine/UserWaveforms.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/WaveformProvider.h"

namespace {

constexpr int kSize = 4096;

// The compiled-in tables as their source text gives them.
struct SourceTables {
  std::vector<std::vector<std::string>> texts;
  std::vector<std::vector<double>> values;
};

const SourceTables& sourceTables() {
  static const SourceTables tables = [] {
    SourceTables t;
    std::ifstream in("../../engine/UserWaveforms.cpp");
    std::string line;
    const std::regex opening(R"(^double gQvWaveform(\d\d)\[4096\] = \{$)");
    while (std::getline(in, line)) {
      if (!std::regex_match(line, opening)) continue;
      t.texts.emplace_back();
      while (std::getline(in, line) && line != "};") {
        std::istringstream fields(line);
        std::string field;
        while (fields >> field) t.texts.back().push_back(field.back() == ',' ? field.substr(0, field.size() - 1) : field);
      }
    }
    for (const auto& texts : t.texts) {
      t.values.emplace_back();
      for (const std::string& s : texts) t.values.back().push_back(std::stod(s));
    }
    return t;
  }();
  return tables;
}

int zeroCrossings(const std::vector<double>& v) {
  int first = 0, previous = 0, count = 0;
  for (double x : v) {
    const int sign = (x > 0) - (x < 0);
    if (sign == 0) continue;
    if (first == 0) first = sign;
    if (previous != 0 && sign != previous) ++count;
    previous = sign;
  }
  return count + (previous != 0 && previous != first);
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
  double ab = 0, aa = 0, bb = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    ab += a[i] * b[i];
    aa += a[i] * a[i];
    bb += b[i] * b[i];
  }
  return ab / std::sqrt(aa * bb);
}

TEST(UserWaveforms, SourceHoldsFifteenTablesOfSevenDecimalValuesTenALine) {
  const SourceTables& t = sourceTables();
  ASSERT_EQ(t.texts.size(), 15u);
  const std::regex value(R"(-?\d\.\d{7})");
  for (const auto& texts : t.texts) {
    ASSERT_EQ(texts.size(), static_cast<size_t>(kSize));
    for (const std::string& s : texts) ASSERT_TRUE(std::regex_match(s, value)) << s;
  }
  std::ifstream in("../../engine/UserWaveforms.cpp");
  std::string line;
  std::getline(in, line);
  EXPECT_NE(line.find("make-user-waveforms"), std::string::npos);
}

TEST(UserWaveforms, OpeningValuesOfTablesOneAndEleven) {
  const SourceTables& t = sourceTables();
  ASSERT_EQ(t.texts.size(), 15u);
  const std::vector<std::string> one = {"0.0000000", "0.0000187", "0.0001086", "0.0002761"};
  const std::vector<std::string> eleven = {"-0.0851166", "-0.3208127", "-0.6585881", "-0.8434877"};
  EXPECT_EQ(std::vector<std::string>(t.texts[0].begin(), t.texts[0].begin() + 4), one);
  EXPECT_EQ(std::vector<std::string>(t.texts[10].begin(), t.texts[10].begin() + 4), eleven);
}

TEST(UserWaveforms, PeakFadesAndZeroCrossings) {
  const SourceTables& t = sourceTables();
  ASSERT_EQ(t.values.size(), 15u);
  const double fades[6] = {0.1, 0.3777, 0.777, 0.777, 0.35, 0.1};
  const int fadeEntries[6] = {0, 1, 2, kSize - 3, kSize - 2, kSize - 1};
  for (int k = 0; k < 15; ++k) {
    const auto& v = t.values[k];
    double middlePeak = 0.0;
    for (int i = 3; i < kSize - 3; ++i) middlePeak = std::max(middlePeak, std::fabs(v[i]));
    EXPECT_EQ(middlePeak, 0.997) << "table " << k + 1;
    for (int e = 0; e < 6; ++e) EXPECT_LE(std::fabs(v[fadeEntries[e]]), fades[e] + 5e-8) << "table " << k + 1;
    const int crossings = zeroCrossings(v);
    if (k < 13) {
      EXPECT_GE(crossings, 3) << "table " << k + 1;
      EXPECT_LE(crossings, 37) << "table " << k + 1;
      double steepest = 0.0;
      for (int i = 4; i < kSize - 3; ++i) steepest = std::max(steepest, std::fabs(v[i] - v[i - 1]));
      EXPECT_LT(steepest, 0.05) << "table " << k + 1 << " is not smooth";
    } else {
      EXPECT_GT(crossings, 100) << "table " << k + 1;
    }
  }
}

TEST(UserWaveforms, ShapesDifferFromEachOtherAndFromTheComputedWaveforms) {
  const SourceTables& t = sourceTables();
  ASSERT_EQ(t.values.size(), 15u);
  Quillvane::WaveformProvider provider;
  std::vector<std::vector<double>> computed;
  for (int index : {0, 1, 2, 3, 4, 5, 18}) {
    computed.emplace_back();
    for (int i = 0; i < kSize; ++i) computed.back().push_back(provider.getWaveformSample(index / 35.0, i / 4096.0));
  }
  for (int a = 0; a < 15; ++a) {
    for (int b = a + 1; b < 15; ++b) EXPECT_LT(std::fabs(correlation(t.values[a], t.values[b])), 0.9) << a + 1 << " " << b + 1;
    for (const auto& c : computed) EXPECT_LT(std::fabs(correlation(t.values[a], c)), 0.9) << a + 1;
  }
}

// The arrays hold what the text says, up to the start-up rescaling.
TEST(UserWaveforms, CompiledTablesMatchTheirSourceText) {
  const SourceTables& t = sourceTables();
  ASSERT_EQ(t.values.size(), 15u);
  for (int k = 0; k < 15; ++k) {
    const double* table = Quillvane::gQvUserWaveforms[k];
    double peak = 0.0;
    for (int i = 0; i < kSize; ++i) peak = std::max(peak, std::fabs(table[i]));
    const double scale = peak / 0.997;
    for (int i = 0; i < kSize; ++i) ASSERT_NEAR(table[i], t.values[k][i] * scale, 1e-12) << k + 1 << " " << i;
  }
  EXPECT_EQ(Quillvane::gQvUserWaveforms[0], Quillvane::gQvWaveform01);
  EXPECT_EQ(Quillvane::gQvUserWaveforms[14], Quillvane::gQvWaveform15);
}

}  // namespace
