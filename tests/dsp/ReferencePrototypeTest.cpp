#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "dsp/Bessel.h"
#include "dsp/Butterworth.h"
#include "dsp/ChebyshevI.h"
#include "dsp/ChebyshevII.h"
#include "dsp/Elliptic.h"
#include "tests/dsp/AnalogPrototype.h"
#include "tests/dsp/ReferenceTable.h"

namespace {

using Dsp::complex_t;

const int kMaxOrder = 10;

struct Roots {
  std::vector<complex_t> poles;
  std::vector<complex_t> zeros;
};

// The finite poles and zeros of a layout.
Roots rootsOf(const Dsp::LayoutBase& layout) {
  Roots roots;
  for (int i = 0; i < (layout.getNumPoles() + 1) / 2; ++i) {
    const Dsp::PoleZeroPair& pair = layout[i];
    const bool single = pair.isSinglePole();
    roots.poles.push_back(pair.poles.first);
    if (!single) roots.poles.push_back(pair.poles.second);
    if (!Dsp::isInfinity(pair.zeros.first)) roots.zeros.push_back(pair.zeros.first);
    if (!single && !Dsp::isInfinity(pair.zeros.second)) roots.zeros.push_back(pair.zeros.second);
  }
  return roots;
}

Roots design(const std::string& family, int order, double arg1, double arg2) {
  if (family == "butterworth") {
    dsptest::AnalogPrototype<Dsp::Butterworth::AnalogLowPass, kMaxOrder> proto;
    proto.design(order);
    return rootsOf(proto);
  }
  if (family == "chebyshev1") {
    dsptest::AnalogPrototype<Dsp::ChebyshevI::AnalogLowPass, kMaxOrder> proto;
    proto.design(order, arg1);
    return rootsOf(proto);
  }
  if (family == "chebyshev2") {
    dsptest::AnalogPrototype<Dsp::ChebyshevII::AnalogLowPass, kMaxOrder> proto;
    proto.design(order, arg1);
    return rootsOf(proto);
  }
  if (family == "bessel") {
    Dsp::Bessel::Workspace<kMaxOrder> workspace;
    dsptest::AnalogPrototype<Dsp::Bessel::AnalogLowPass, kMaxOrder> proto;
    proto.design(order, &workspace);
    return rootsOf(proto);
  }
  dsptest::AnalogPrototype<Dsp::Elliptic::AnalogLowPass, kMaxOrder> proto;
  proto.design(order, arg1, arg2);
  return rootsOf(proto);
}

// Largest relative distance from each expected value to its own closest
// actual value; infinite when the counts differ.
double setDistance(const std::vector<complex_t>& expected, std::vector<complex_t> actual) {
  if (expected.size() != actual.size()) return INFINITY;
  double worst = 0;
  for (const complex_t& e : expected) {
    std::size_t best = 0;
    for (std::size_t j = 1; j < actual.size(); ++j) {
      if (std::abs(actual[j] - e) < std::abs(actual[best] - e)) best = j;
    }
    worst = std::max(worst, std::abs(actual[best] - e) / std::abs(e));
    actual.erase(actual.begin() + best);
  }
  return worst;
}

TEST(ReferencePrototype, AnalogPolesAndZerosMatchTheReferenceAsSets) {
  const auto table = dsptest::readReferenceTable("prototypes.csv");
  ASSERT_FALSE(table.empty());

  std::map<std::tuple<std::string, int, double, double>, Roots> expected;
  for (const auto& row : table) {
    ASSERT_EQ(row.size(), 7u);
    const auto key = std::make_tuple(row[0], std::stoi(row[1]), std::stod(row[2]), std::stod(row[3]));
    const complex_t value(std::stod(row[5]), std::stod(row[6]));
    (row[4] == "p" ? expected[key].poles : expected[key].zeros).push_back(value);
  }

  // Roots found by iteration carry a little more error than closed forms.
  const std::map<std::string, double> tolerance = {{"butterworth", 1e-14}, {"chebyshev1", 1e-14},
                                                   {"chebyshev2", 1e-14}, {"bessel", 1e-10},
                                                   {"elliptic", 1e-12}};
  std::map<std::string, double> worst;
  for (const auto& [key, roots] : expected) {
    const auto& [family, order, arg1, arg2] = key;
    SCOPED_TRACE(family + " order " + std::to_string(order) + " " + std::to_string(arg1) + " " +
                 std::to_string(arg2));
    const Roots actual = design(family, order, arg1, arg2);
    const double poles = setDistance(roots.poles, actual.poles);
    const double zeros = setDistance(roots.zeros, actual.zeros);
    EXPECT_LE(poles, tolerance.at(family));
    EXPECT_LE(zeros, tolerance.at(family));
    worst[family] = std::max({worst[family], poles, zeros});
  }
  for (const auto& [family, error] : worst) {
    std::ostringstream text;
    text << error;
    RecordProperty(family, text.str());
  }
  EXPECT_EQ(worst.size(), 5u);
}

}  // namespace
