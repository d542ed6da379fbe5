// A setting that jumps from one end of its range to the other glides there
// without the filter ever blowing up: under a steady tone, no design's
// output during the glide and its ring-out rises above half as much again
// as the larger of its steady levels before and after, or of the tone's own
// level where both settings keep it out.
#include "effects/FilterUnit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/effects/StereoBuffer.h"

namespace {

using namespace Quillvane;
using namespace effectstest;

constexpr double kToneHz = 50.0;
constexpr double kToneLevel = 0.5;
constexpr int kBlock = 128;

struct Design {
  const char* name;
  double mode1, mode2, mix;
};

// Each of the eight, alone in the unit's output.
const Design kDesigns[] = {
    {"RBJ-LP", 0.0, 0.0, 0.0},       {"RBJ-HP", 1 / 3.0, 0.0, 0.0},   {"RBJ-BP1", 2 / 3.0, 0.0, 0.0},
    {"RBJ-BS", 1.0, 0.0, 0.0},       {"HP 12dB", 0.0, 0.0, 1.0},      {"HP 24dB", 0.0, 1 / 3.0, 1.0},
    {"LP 12dB", 0.0, 2 / 3.0, 1.0},  {"LP 24dB", 0.0, 1.0, 1.0},
};

struct Setting {
  double cutoff, resonance;
};

class Run {
 public:
  Run(double rate, const Design& design, const Setting& setting, double transition) {
    mUnit.setSampleRate(rate);
    mUnit.setBlockSize(kBlock);
    mUnit.setFilterMode1(design.mode1);
    mUnit.setFilterMode2(design.mode2);
    mUnit.setFilterMix(design.mix);
    mUnit.setFilterTransition(transition);
    apply(setting);
    mUnit.reset();
    mStep = 2 * M_PI * kToneHz / rate;
    mRate = rate;
  }

  void apply(const Setting& s) {
    mUnit.setCutoff(s.cutoff);
    mUnit.setRezo(s.resonance);
  }

  // The largest output over the given seconds of the tone.
  double peak(double seconds) {
    double largest = 0.0;
    StereoBuffer block(kBlock);
    for (int done = 0; done < seconds * mRate; done += kBlock) {
      for (int i = 0; i < kBlock; ++i) {
        block.left()[i] = block.right()[i] = kToneLevel * std::sin(mPhase);
        mPhase += mStep;
      }
      mUnit.process(block.channels(), kBlock);
      for (int i = 0; i < kBlock; ++i) largest = std::max(largest, std::fabs(block.left()[i]));
    }
    return largest;
  }

 private:
  FilterUnit mUnit;
  double mPhase = 0.0;
  double mStep = 0.0;
  double mRate = 0.0;
};

// The tone through a setting held still, once its onset has died away.
double steadyPeak(double rate, const Design& design, const Setting& setting) {
  Run run(rate, design, setting, 0.5);
  run.peak(4.0);
  return run.peak(0.5);
}

// The peak from the jump on: the glide and a second of ring-out after it.
double glidePeak(double rate, const Design& design, const Setting& from, const Setting& to, double transition) {
  Run run(rate, design, from, transition);
  run.peak(3.0);
  run.apply(to);
  return run.peak(1.0);
}

TEST(FilterUnitGlide, NoJumpBetweenExtremesBlowsUp) {
  // The cutoff jumps both ways at either end of the resonance, and the
  // resonance at either end of the cutoff.
  std::vector<std::pair<Setting, Setting>> jumps;
  for (double other : {0.0, 1.0}) {
    jumps.push_back({{0.0, other}, {1.0, other}});
    jumps.push_back({{1.0, other}, {0.0, other}});
    jumps.push_back({{other, 0.0}, {other, 1.0}});
    jumps.push_back({{other, 1.0}, {other, 0.0}});
  }
  for (double rate : {44100.0, 96000.0}) {
    for (const Design& design : kDesigns) {
      for (const auto& [from, to] : jumps) {
        const double before = steadyPeak(rate, design, from);
        const double after = steadyPeak(rate, design, to);
        const double bound = 1.5 * std::max({before, after, kToneLevel});
        // Slow, medium and fast.
        for (double transition : {0.0, 0.5, 1.0}) {
          const double peak = glidePeak(rate, design, from, to, transition);
          EXPECT_LE(peak, bound) << design.name << " at " << rate << " Hz, transition " << transition
                                 << ": cutoff " << from.cutoff << " -> " << to.cutoff << ", resonance "
                                 << from.resonance << " -> " << to.resonance << "; steady " << before << " and "
                                 << after;
        }
      }
    }
  }
}

}  // namespace
