// The transfer curves of the table-driven distortion types. The recipe is
// exact down to the order of the random draws: presets were voiced on it.

#include <algorithm>
#include <cmath>

#include "effects/Distortion.h"
#include "engine/SeededRandom.h"

namespace Quillvane {

namespace {

constexpr double kPi = ConstantsD::kPi;
constexpr double kLn256 = 5.545177444479562;
constexpr double kFadeIn[5] = {0.0, 0.3090169943749474, 0.5877852522924731, 0.8090169943749473,
                               0.9510565162951535};

// ln(x) / ln(256) + 1, a log curve reaching 1 at full scale.
double logCurve(double x) { return (std::log(x) + kLn256) / kLn256; }

double square(double v) { return v * v; }

// Input magnitude of entry i; the power-of-two sizes multiply by 1/N.
template <int N>
double entryInput(int i) {
  if constexpr ((N & (N - 1)) == 0) {
    return i * (1.0 / N);
  } else {
    return static_cast<double>(i) / N;
  }
}

class CurveRandom {
 public:
  CurveRandom() : mRandom(1500) {}
  // One draw mapped to [-1, 1) in steps of 1/10000.
  double next() { return ((mRandom.next() % 20000) - 10000) / 10000.0; }

 private:
  SeededRandom mRandom;
};

template <int N, typename Curve>
void fillBoth(LookUp<N>& table, Curve curve) {
  for (int i = 0; i < N; ++i) table.positive()[i] = table.negative()[i] = curve(i, entryInput<N>(i));
}

template <int N>
void fadeIn(LookUp<N>& table) {
  for (int i = 0; i < 5; ++i) {
    table.positive()[i] *= kFadeIn[i];
    table.negative()[i] *= kFadeIn[i];
  }
}

template <int N>
void normaliseHalf(double* half) {
  double peak = 0.0;
  for (int i = 0; i < N; ++i) peak = std::max(peak, std::fabs(half[i]));
  if (peak == 0.0) return;
  for (int i = 0; i < N; ++i) half[i] /= peak;
}

template <int N>
void normalise(LookUp<N>& table) {
  normaliseHalf<N>(table.positive());
  normaliseHalf<N>(table.negative());
}

template <int N>
void clampTable(LookUp<N>& table, double low = -1.0, double high = 1.0) {
  for (double* half : {table.positive(), table.negative()}) {
    for (int i = 0; i < N; ++i) half[i] = std::max(low, std::min(high, half[i]));
  }
}

}  // namespace

void Distortion::createDistortions() {
  CurveRandom random;

  fillBoth(fullTable(kDistortionCompressor),
           [](int, double x) { return x < 0.5 ? x : x - 0.8 * (x - 0.5); });

  LookUp<256>& fuzzDrive = fullTable(kDistortionFuzzDrive1);
  fillBoth(fuzzDrive, [](int i, double x) { return i == 0 ? 0.0 : logCurve(x); });
  fadeIn(fuzzDrive);

  LookUp<256>& tovo = fullTable(kDistortionTovoFuzz);
  fillBoth(tovo, [](int i, double x) { return x + (1.0 - x) * ((i % 179) / 179.0 - 0.288); });
  fadeIn(tovo);

  LookUp<256>& typhoon = fullTable(kDistortionTyphoonFuzz);
  fillBoth(typhoon, [](int i, double x) {
    double y = x + 0.4777 * std::sin(-2.5 * kPi * x) + 0.144 * std::sin(25.0 * kPi * x) -
               0.1777 * std::cos(77.7 * kPi * x);
    if (i < 25) y += square(std::sin(i / 25.0 * kPi));
    return std::max(0.0, std::min(1.0, y));
  });
  fadeIn(typhoon);

  LookUp<256>& vdr1 = fullTable(kDistortionVDRFuzz1);
  LookUp<256>& vdr2 = fullTable(kDistortionVDRFuzz2);
  for (int i = 0; i < 256; ++i) {
    const double x = entryInput<256>(i);
    const double v = x + 0.35777 * std::sin(4.0 * kPi * x);
    vdr1.positive()[i] = vdr1.negative()[i] = vdr2.positive()[i] = v;
    vdr2.negative()[i] = v - 0.1777 * std::cos(3.0 * kPi * x);
  }
  fadeIn(vdr1);
  fadeIn(vdr2);

  fillBoth(fullTable(kDistortionTubeDistort), [](int i, double) {
    return i < 128 ? 0.97 * i / 128 : 0.7275 + 0.2425 * (1.0 - (i - 128) / 128.0);
  });

  fillBoth(fullTable(kDistortionSoftTubeDistort),
           [](int, double x) { return x + (1.0 - x) * std::sin(kPi * x); });

  LookUp<256>& sigmoid1 = fullTable(kDistortionQVSigmoid1Drive);
  LookUp<256>& sigmoid2 = fullTable(kDistortionQVSigmoid2Drive);
  LookUp<256>& sigmoid3 = fullTable(kDistortionQVSigmoid3Drive);
  for (int i = 0; i < 256; ++i) {
    const double x = entryInput<256>(i);
    const double w = 1.0 - x;
    double p = x + 0.4 * std::sin(2.0 * kPi * x) + 0.1 * w * std::sin(7.77 * kPi * x) +
               0.2 * w * std::cos(21.0 * kPi * x);
    p = std::max(0.0, std::min(1.0, p));
    const double q = x + 0.3777 * std::sin(2.0 * kPi * x - 1.0084512418023237) +
                     0.3 * w * std::cos(7.0 * kPi * x) + 0.15 * w * std::sin(-17.0 * kPi * x);
    sigmoid1.positive()[i] = sigmoid1.negative()[i] = p;
    sigmoid2.positive()[i] = sigmoid2.negative()[i] = q;
    sigmoid3.positive()[i] = p;
    sigmoid3.negative()[i] = q;
  }
  fadeIn(sigmoid1);
  fadeIn(sigmoid2);
  fadeIn(sigmoid3);

  // Three carried random walks; ra and rb keep the previous entry's shaped
  // values between their fresh draws.
  LookUp<64>& noize1 = noizeTable(kDistortionNoizeFreakFuzz1);
  LookUp<64>& noize2 = noizeTable(kDistortionNoizeFreakFuzz2);
  LookUp<64>& noize3 = noizeTable(kDistortionNoizeFreakFuzz3);
  double ra = 0.0;
  double rb = 0.0;
  for (int i = 0; i < 64; ++i) {
    const double x = entryInput<64>(i);
    const double w = 1.0 - x;
    if (i % 4 == 0) ra = random.next();
    if (i % 2 == 0) rb = random.next();
    const double rc = random.next();
    double a = 0.4 * ra + x;
    if (i <= 5) a += 0.5 * std::sin(i / 6.0 * kPi * 3.0);
    double b = 0.4 * rb + x;
    if (i <= 7) b += 0.5 * square(std::sin(2.0 * (i * 0.125 * kPi)));
    const double bw = b * w;
    const double c = 0.5 * rc + x + 0.5 * w * std::sin(10.0 * kPi * x);
    noize1.positive()[i] = a;
    noize1.negative()[i] = bw;
    noize2.positive()[i] = bw;
    noize2.negative()[i] = c;
    noize3.positive()[i] = c;
    noize3.negative()[i] = a;
    ra = a;
    rb = bw;
  }
  for (auto* table : {&noize1, &noize2, &noize3}) clampTable(*table);
  for (auto* table : {&noize1, &noize2, &noize3}) fadeIn(*table);

  LookUp<32>& bigBad = bigTable(kDistortionBigBadDrive);
  LookUp<32>& bigFat = bigTable(kDistortionBigFatDrive);
  for (int i = 0; i < 32; ++i) {
    const double r = random.next();
    const double x = entryInput<32>(i);
    const double w = 1.0 - x;
    const double s = std::sin(4.0 * kPi * x);
    bigFat.positive()[i] = bigFat.negative()[i] = 0.75 * x + (s > 0.0 ? w : 0.0) +
                                                  0.25 * std::cos(10.0 * kPi * x) +
                                                  0.25 * std::sin(-12.0 * kPi * x);
    bigBad.positive()[i] = bigBad.negative()[i] =
        x + s + 0.25 * std::sin(8.0 * kPi * x) + 0.25 * r;
  }
  normalise(bigBad);
  clampTable(bigBad);
  normalise(bigFat);
  clampTable(bigFat);
  fadeIn(bigBad);
  fadeIn(bigFat);

  LookUp<32>& viper = bigTable(kDistortionViciousViper);
  fillBoth(viper, [](int i, double x) { return x + ((i % 4) - 1.5) * (1.0 - x) / 3.0; });
  normalise(viper);

  double k = 0.5;
  for (int i = 0; i < 70; ++i) {
    const double x = entryInput<70>(i);
    const double w = 1.0 - x;
    mAssKicking.positive()[i] = x + 0.2 + w * k;
    mAssKicking.negative()[i] = x + w * k;
    if (i % 7 == 0) k = -k;
  }
  normalise(mAssKicking);

  k = 0.0;
  for (int i = 0; i < 80; ++i) {
    const double x = entryInput<80>(i);
    const double w = 1.0 - x;
    mTigersBlood.positive()[i] = x + k * w;
    mTigersBlood.negative()[i] = x + k * w * w;
    if (i % 4 == 0) k = -k;
    if (i == 4) k = 1.0;
  }
  normalise(mTigersBlood);

  for (int i = 0; i < 40; ++i) {
    const double x = entryInput<40>(i);
    const double w = 1.0 - x;
    mMadDog.positive()[i] = x + 1.25 * w * std::sin(4.0 * kPi * x);
    mMadDog.negative()[i] = x + 1.5 * w * w * std::sin(x * ConstantsD::k8_Pi);
  }
  clampTable(mMadDog);

  LookUp<256>& gate = fullTable(kDistortionNoiseGate1);
  for (int i = 0; i < 128; ++i) {
    const double x = entryInput<256>(i);
    gate.positive()[i] = gate.negative()[i] =
        x < 0.25 ? 0.0 : x * std::sin((x - 0.25) * 4.0 * kPi / 2.0);
  }

  fillBoth(fullTable(kDistortionTransistor1), [](int, double x) {
    return x < 0.8 ? x - 0.2 * std::pow(std::sin(x / 0.8 * kPi), 3.0) : x - 0.8 * (x - 0.8);
  });
}

void Distortion::createHardcoreDistortions() {
  constexpr int N = 256;
  double w1[N], w2[N], w3[N], w4[N], w5[N], w6[N], w7[N], w8[N];

  LookUp<256>& drive1 = fullTable(kDistortionQuillvaneDrive1);
  LookUp<256>& drive2 = fullTable(kDistortionQuillvaneDrive2);
  LookUp<256>& drive3 = fullTable(kDistortionQuillvaneDrive3);
  LookUp<256>& drive4 = fullTable(kDistortionQuillvaneDrive4);
  LookUp<256>& industrial = fullTable(kDistortionIndustrialFuzz1);

  double sign = -1.0;
  double p = 0.0, q = 0.0, dp = 0.04321, dq = 0.001;
  for (int i = 0; i < N; ++i) {
    const double x = entryInput<N>(i);
    const double w = 1.0 - x;
    const double s = std::sin(kPi * x);
    w1[i] = x + 0.2 * s + 0.1 * std::fabs(std::sin(4.0 * kPi * x));
    w2[i] = x + 0.25 * s + 0.15 * std::fabs(std::sin(6.0 * kPi * x));
    w3[i] = x + 0.25 * s + 0.15 * std::fabs(std::sin(10.0 * kPi * x));
    w4[i] = x + 0.2 * s + 0.25 * std::fabs(std::sin(8.0 * kPi * x));

    if (i % 42 == 0) sign = -sign;
    const double r = (i % 42) / 42.0 * sign * 1.5 * w;
    w5[i] = x - 0.2 * s + r;
    w6[i] = x - 0.1 * s + r;

    const double t = (i % 64) * (1.0 / 64) * 1.75 * w;
    w7[i] = x + 0.1 * std::sin(2.0 * kPi * x) + t;
    w8[i] = x + 0.2 * std::sin(2.0 * kPi * x) + t;

    drive1.positive()[i] = drive1.negative()[i] =
        x + w * (0.5 * std::cos(8.0 * kPi * x) + 0.5 * std::sin(16.0 * kPi * x));
    drive2.positive()[i] = drive2.negative()[i] =
        x + w * (0.5 * std::cos(6.0 * kPi * x) + 0.5 * std::sin(12.0 * kPi * x) +
                 0.5 * std::cos(24.0 * kPi * x));
    drive3.positive()[i] = drive3.negative()[i] =
        x + w * w *
                (0.5 * std::cos(5.0 * kPi * x) + 0.5 * std::sin(15.0 * kPi * x) +
                 0.5 * std::sin(25.0 * kPi * x));
    drive4.positive()[i] = drive4.negative()[i] =
        x + w * w *
                (0.5 * std::cos(4.0 * kPi * x) + 0.5 * std::sin(12.0 * kPi * x) +
                 0.5 * std::cos(16.0 * kPi * x) + 0.5 * std::cos(20.0 * kPi * x));

    // A bounded walk that turns back whenever it leaves [-0.2, 0.2].
    const double sp = (p > 0.2 || p < -0.2) ? -dp : dp;
    const double sq = (q > 0.2 || q < -0.2) ? -dq : dq;
    p += sp;
    q -= sq;
    dp = sp - 0.021;
    dq = sq - 0.002;
    industrial.positive()[i] = x + p;
    industrial.negative()[i] = x + q;
  }

  // Hand-placed plateaus. Entry 74 is read as it stands at each step, so the
  // ramp written over W3 continues from its own rewritten value.
  double ramp = 0.0;
  for (int j = 0; j < 100; ++j) {
    w1[55 + j] = w1[74];
    w3[55 + j] = w3[74] + ramp;
    ramp += 0.01;
    industrial.positive()[75 + j] *= 0.25;
  }
  ramp = 0.0;
  for (int j = 0; j < 50; ++j) {
    w1[5 + j] = 0.0;
    w3[25 + j] = ramp;
    ramp += 0.01;
    industrial.negative()[25 + j] *= 0.1;
  }
  for (int k = 0; k <= 16; ++k) {
    industrial.positive()[100 + k] *= 0.25;
    w1[100 + k] = 1.0;
  }
  for (int k = 0; k <= 16; ++k) {
    industrial.negative()[200 + k] *= 0.25;
    w1[200 + k] = 1.0;
    w2[200 + k] = 0.0;
    w2[180 + k] *= 0.0;
  }
  std::fill(w2 + 150, w2 + 200, 1.0);
  std::fill(w4 + 150, w4 + 200, 0.0);
  std::fill(w1 + 7, w1 + 44, 1.0);
  std::fill(w2 + 7, w2 + 44, 0.0);
  std::fill(w4 + 17, w4 + 54, 1.0);
  for (int i = 17; i <= 53; ++i) w3[i] *= 0.1;

  const struct {
    eDistortionType type;
    const double* positive;
    const double* negative;
  } hardcore[] = {{kDistortionHardcoreFuzz1, w1, w2},
                  {kDistortionHardcoreFuzz2, w3, w4},
                  {kDistortionHardcoreFuzz3, w5, w6},
                  {kDistortionHardcoreFuzz4, w7, w8}};
  for (const auto& h : hardcore) {
    LookUp<256>& table = fullTable(h.type);
    std::copy(h.positive, h.positive + N, table.positive());
    std::copy(h.negative, h.negative + N, table.negative());
  }

  LookUp<256>& fuzz1 = fullTable(kDistortionHardcoreFuzz1);
  LookUp<256>& fuzz2 = fullTable(kDistortionHardcoreFuzz2);
  LookUp<256>& fuzz3 = fullTable(kDistortionHardcoreFuzz3);
  LookUp<256>& fuzz4 = fullTable(kDistortionHardcoreFuzz4);
  clampTable(fuzz1);
  fadeIn(fuzz1);
  clampTable(fuzz2);
  fadeIn(fuzz2);
  normalise(fuzz3);
  fadeIn(fuzz3);
  normalise(fuzz4);
  fadeIn(fuzz4);
  for (auto* table : {&drive1, &drive2, &drive3, &drive4}) fadeIn(*table);
  clampTable(industrial);
  fadeIn(industrial);
}

}  // namespace Quillvane
