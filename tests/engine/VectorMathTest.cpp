#include "engine/VectorMath.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace VectorMath = Quillvane::VectorMath;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (a != a && b != b); }

// Phases as long notes reach them, both signs, zero, the limits and NaN.
const std::vector<double> kInputs = {0.0,  -0.0, 1e-300, 0.3,  -0.7, 1.5707963267948966, 3.141592653589793,
                                     100.25, -2e4, 1e9,  1e300, kInf, -kInf,             kNaN};

struct Function {
  const char* name;
  void (*array)(const double*, double*, int);
  double (*single)(double);
  double (*library)(double);
};

void powOfTwenty(const double* x, double* out, int n) { VectorMath::pow(x, 20.0, out, n); }

const Function kFunctions[] = {
    {"sin", VectorMath::sin, VectorMath::sin, std::sin},
    {"atan", VectorMath::atan, VectorMath::atan, std::atan},
    {"pow 20", powOfTwenty, [](double x) { return VectorMath::pow(x, 20.0); },
     [](double x) { return std::pow(x, 20.0); }},
};

// Every element gets the same result wherever it lies in an array, odd
// lengths and a last lone element included, and in place or not.
TEST(VectorMath, AnElementsResultDoesNotDependOnItsPlaceInTheArray) {
  for (const Function& f : kFunctions) {
    for (std::size_t start = 0; start < 3; ++start) {
      std::vector<double> in(kInputs.begin() + start, kInputs.end());
      std::vector<double> out(in.size());
      f.array(in.data(), out.data(), static_cast<int>(in.size()));
      std::vector<double> inPlace = in;
      f.array(inPlace.data(), inPlace.data(), static_cast<int>(inPlace.size()));
      for (std::size_t i = 0; i < in.size(); ++i) {
        EXPECT_TRUE(sameBits(out[i], f.single(in[i]))) << f.name << " of " << in[i] << " at " << i;
        EXPECT_TRUE(sameBits(inPlace[i], out[i])) << f.name << " of " << in[i] << " at " << i;
      }
    }
    double untouched = 7.0;
    f.array(kInputs.data(), &untouched, 0);
    EXPECT_EQ(untouched, 7.0) << f.name;
  }
}

// Against the scalar library: a few units in the last place where a result
// is meaningful, and the same special values.
TEST(VectorMath, AgreesWithTheScalarLibrary) {
  for (const Function& f : kFunctions) {
    for (double x : kInputs) {
      const double expected = f.library(x);
      const double got = f.single(x);
      if (!std::isfinite(expected)) {
        EXPECT_TRUE(sameBits(got, expected)) << f.name << " of " << x << ": " << got;
      } else {
        EXPECT_NEAR(got, expected, 8 * std::numeric_limits<double>::epsilon() * std::fabs(expected) + 1e-300)
            << f.name << " of " << x;
      }
    }
  }
}

}  // namespace
