#include <algorithm>
#include <cmath>
#include <mutex>

#include "engine/Constants.h"
#include "engine/WaveformProvider.h"

namespace Quillvane {

namespace {

enum GeneratedTable {
  kNoize,
  kLQNoize1,
  kLQNoize2,
  kLQNoize3,
  kPyrokinesis,
  kSReceptor,
  kDReceptor,
  kShikoku,
  kKIC8462852,
  kSynapsis,
  kBrickBreaker,
  kGeoChirp,
  kWaveGarden
};

// One noise value, a multiple of 0.001 in [-1, 0.999].
double draw(SeededRandom& random) { return ((random.next() % 2000) - 1000) / 1000.0; }

double clampTo(double v, double limit) { return std::min(limit, std::max(-limit, v)); }

}  // namespace

void WaveformProvider::fillGeneratedTables() {
  constexpr double pi = ConstantsD::kPi;
  // The noise tables depend on this exact order of draws.
  mRandom.seed(kRandomSeed);
  double lq1 = 0.0, lq2 = 0.0, lq3 = 0.0;
  for (int i = 0; i < kWaveformSize; ++i) {
    const double x = static_cast<double>(i) / kWaveformSize;
    const double s1 = std::sin(2.0 * pi * x);
    const double sh = std::sin(pi * x);
    const double sq = i < kWaveformSize / 2 ? 1.0 : -1.0;
    const double tri = triangle(x);
    auto entry = [&](GeneratedTable t) -> double& { return mGenerated[t][i]; };

    mSineTable[i] = s1;
    entry(kNoize) = draw(mRandom);
    if (i % 128 == 0) lq1 = draw(mRandom);
    if (i % 64 == 0) lq2 = draw(mRandom);
    if (i % 32 == 0) lq3 = draw(mRandom) * s1;
    entry(kLQNoize1) = lq1;
    entry(kLQNoize2) = lq2;
    entry(kLQNoize3) = lq3;

    double v = s1;
    if (s1 > 0.5) {
      v = s1 - tri;
    } else if (s1 < -0.5) {
      v = s1 + std::fabs(tri);
    }
    entry(kPyrokinesis) = -(v * sh);
    entry(kSReceptor) = clampTo(std::tan(pi * x), 4.0);
    entry(kDReceptor) = clampTo(std::tan(2.0 * pi * x), 4.0);
    entry(kShikoku) = (x >= 0.25 && x < 0.75) ? triangle(2.0 * (x - 0.25)) : 0.5 * triangle(2.0 * x);
    if (x < 0.5) {
      entry(kKIC8462852) = std::fmod(2.0 * x, 1.0) < 0.5 ? 1.0 : -1.0;
    } else {
      entry(kKIC8462852) = 0.5 * triangle(2.0 * (x - 0.5));
    }
    entry(kSynapsis) = clampTo(sq * 0.7 - sq * 0.4 * std::sin(16.0 * pi * x) * sh * sh, 1.0);
    if (x >= 0.1 && x < 0.3) {
      entry(kBrickBreaker) = 1.0;
    } else if (x >= 0.6 && x < 0.7) {
      entry(kBrickBreaker) = -1.0;
    } else {
      entry(kBrickBreaker) = 0.0;
    }
    entry(kGeoChirp) = std::cos(0.5 * pi * x) * triangle(60.0 * std::pow(1.0 - x, 15.0));
    entry(kWaveGarden) = std::pow(sh, 4.0) * std::sin(4.0 * pi * x) + 0.25 * (1.0 - sh) * std::sin(12.0 * pi * x);
  }
}

void WaveformProvider::makeWaveforms() {
  fillGeneratedTables();
  // The user tables are shared by every instance: read the start-up files
  // once, so a later instance cannot rewrite a table another one is playing.
  static std::once_flag startupLoad;
  std::call_once(startupLoad, [this] { LoadWaveforms(); });
  for (Table& table : mGenerated) normalizePeak(table.data(), kWaveformSize, kGeneratedPeak);
}

}  // namespace Quillvane
