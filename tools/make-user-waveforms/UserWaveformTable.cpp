#include "UserWaveformTable.h"

#include <cmath>

#include "UserShapes.h"

namespace {

constexpr double kPeak = 0.997;
constexpr int kBlendLength = 48;
constexpr double kPi = 3.141592653589793;

double edgeFactor(int i) {
  switch (i) {
    case 0: return 0.1;
    case 1: return 0.3777;
    case 2: return 0.777;
    case kUserTableSize - 3: return 0.777;
    case kUserTableSize - 2: return 0.35;
    case kUserTableSize - 1: return 0.1;
    default: return kPeak;
  }
}

// Opening entries that existing sounds were made with, as compiled in.
struct Opening {
  int table;
  double entries[4];
};
constexpr Opening kOpenings[] = {
    {1, {0.0, 0.0000187, 0.0001086, 0.0002761}},
    {11, {-0.0851166, -0.3208127, -0.6585881, -0.8434877}},
};

// Puts the opening in front of the shape and blends from its slope into the
// shape over a few dozen entries, so the joint stays smooth.
void spliceOpening(std::vector<double>& unit, const Opening& opening) {
  double level[4];
  for (int i = 0; i < 4; ++i) level[i] = opening.entries[i] / edgeFactor(i);
  for (int i = 0; i < 4; ++i) unit[i] = level[i];
  const double slope = level[3] - level[2];
  for (int j = 1; j <= kBlendLength; ++j) {
    const int i = 3 + j;
    const double w = 0.5 + 0.5 * std::cos(kPi * j / kBlendLength);
    unit[i] = w * (level[3] + slope * j) + (1.0 - w) * unit[i];
  }
}

}  // namespace

std::vector<double> makeUserWaveformTable(int table) {
  std::vector<double> unit(kUserTableSize);
  double peak = 0.0;
  for (int i = 0; i < kUserTableSize; ++i) {
    unit[i] = userShape(table, static_cast<double>(i) / kUserTableSize);
    peak = std::fmax(peak, std::fabs(unit[i]));
  }
  for (double& v : unit) v /= peak;
  for (const Opening& opening : kOpenings) {
    if (opening.table == table) spliceOpening(unit, opening);
  }
  peak = 0.0;
  for (double v : unit) peak = std::fmax(peak, std::fabs(v));
  std::vector<double> out(kUserTableSize);
  for (int i = 0; i < kUserTableSize; ++i) out[i] = unit[i] / peak * edgeFactor(i);
  return out;
}
