// An effect unit says that it holds no sound only where silence in gives
// exact silence out from then on; a tail that its settings keep from its
// output counts again once the settings let it out.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "effects/3BandEq.h"
#include "effects/Distortion.h"
#include "effects/DumpExpand.h"
#include "effects/FilterUnit.h"
#include "effects/Phaser.h"
#include "tests/effects/StereoBuffer.h"

namespace {

using effectstest::StereoBuffer;
using namespace Quillvane;

constexpr double kRate = 44100.0;
constexpr int kBlock = 128;

// A unit reached through the two calls this is about.
struct Driven {
  std::function<void(double**, int)> process;
  std::function<bool()> holdsSound;
};

template <class Unit>
Driven drive(const std::shared_ptr<Unit>& unit) {
  return {[unit](double** c, int n) { unit->process(c, n); }, [unit] { return unit->holdsSound(); }};
}

std::shared_ptr<FilterUnit> filterUnit() {
  auto unit = std::make_shared<FilterUnit>();
  unit->setSampleRate(kRate);
  unit->setBlockSize(kBlock);
  unit->setCutoff(0.3);
  unit->setRezo(0.8);
  unit->setFilterMix(0.5);
  unit->reset();
  return unit;
}

std::shared_ptr<Phaser> phaser() {
  auto unit = std::make_shared<Phaser>();
  unit->setSampleRate(kRate);
  unit->setDepth(0.8);
  unit->setFeedback(0.9);
  return unit;
}

std::shared_ptr<Equalizer> equalizer(double bass, double mid, double high) {
  auto unit = std::make_shared<Equalizer>();
  unit->setSampleRate(kRate);
  unit->setBlockSize(kBlock);
  unit->setBassAmount(bass);
  unit->setMidAmount(mid);
  unit->setHighAmount(high);
  unit->reset();
  return unit;
}

std::shared_ptr<DumpExpand> dumpExpand(double knob) {
  auto unit = std::make_shared<DumpExpand>();
  unit->setSampleRate(kRate);
  unit->setBlockSize(kBlock);
  unit->setDumpExpand(knob);
  unit->reset();
  return unit;
}

const struct UnitCase {
  const char* name;
  std::function<Driven()> make;
} kUnits[] = {
    {"filter unit", [] { return drive(filterUnit()); }},
    {"phaser", [] { return drive(phaser()); }},
    {"sample-rate reduction",
     [] {
       auto unit = std::make_shared<Distortion>();
       unit->setSampleRate(kRate);
       unit->setSampleRateConversion(0.5);
       return Driven{[unit](double** c, int n) { unit->applySampleRateConversion(c, n); },
                     [unit] { return unit->holdsSound(); }};
     }},
    {"equaliser, shelves", [] { return drive(equalizer(0.9, 0.5, 0.1)); }},
    // The shelves flat, so that only the band rings on.
    {"equaliser, band added", [] { return drive(equalizer(0.5, 0.9, 0.5)); }},
    {"equaliser, band taken away", [] { return drive(equalizer(0.5, 0.1, 0.5)); }},
    {"dump", [] { return drive(dumpExpand(0.2)); }},
    {"expand", [] { return drive(dumpExpand(0.8)); }},
};

bool silent(const StereoBuffer& b) {
  auto zero = [](double x) { return x == 0.0; };
  return std::all_of(b.left().begin(), b.left().end(), zero) && std::all_of(b.right().begin(), b.right().end(), zero);
}

// Sound through the unit, then silence: wherever the unit says it holds
// nothing, that block and every later one come out as exact zeros; and it
// does say so once its tail has rung out.
TEST(HeldSound, NothingHeldMeansSilenceOutFromThenOn) {
  for (const UnitCase& c : kUnits) {
    Driven unit = c.make();
    for (int b = 0; b < 16; ++b) {
      StereoBuffer sound = StereoBuffer::tones(kBlock, b * kBlock);
      unit.process(sound.channels(), kBlock);
    }
    EXPECT_TRUE(unit.holdsSound()) << c.name << ": holds nothing right after sound";
    int saidNothing = -1;
    for (int b = 0; b < static_cast<int>(20 * kRate) / kBlock; ++b) {
      if (saidNothing < 0 && !unit.holdsSound()) saidNothing = b;
      StereoBuffer silence(kBlock);
      unit.process(silence.channels(), kBlock);
      if (saidNothing >= 0) {
        ASSERT_TRUE(silent(silence)) << c.name << ": sound " << b - saidNothing << " blocks after it said it held none";
      }
    }
    EXPECT_GE(saidNothing, 0) << c.name << ": still holds sound after 20 s of silence";
  }
}

// What a unit keeps from its output as it is set is no sound; let out by a
// setting, it is.
TEST(HeldSound, ATailKeptFromTheOutputCountsOnceLetOut) {
  const struct {
    const char* name;
    std::function<Driven(std::function<void(bool)>&)> make;  // gives the switch that keeps the tail in
  } cases[] = {
      {"phaser without depth",
       [](std::function<void(bool)>& keep) {
         auto unit = phaser();
         keep = [unit](bool in) { unit->setDepth(in ? 0.0 : 0.8); };
         return drive(unit);
       }},
      {"filter unit running other designs",
       [](std::function<void(bool)>& keep) {
         auto unit = filterUnit();
         keep = [unit](bool in) {
           unit->setFilterMode1(in ? 1.0 : 0.0);
           unit->setFilterMode2(in ? 1.0 : 0.0);
         };
         return drive(unit);
       }},
      {"filter unit switched out",
       [](std::function<void(bool)>& keep) {
         auto unit = filterUnit();
         keep = [unit](bool in) { unit->setBypass(in); };
         return drive(unit);
       }},
  };
  for (const auto& c : cases) {
    std::function<void(bool)> keep;
    Driven unit = c.make(keep);
    StereoBuffer sound = StereoBuffer::tones(kBlock);
    unit.process(sound.channels(), kBlock);
    keep(true);
    // Past any crossfade.
    for (int b = 0; b < 4; ++b) {
      StereoBuffer silence(kBlock);
      unit.process(silence.channels(), kBlock);
    }
    EXPECT_FALSE(unit.holdsSound()) << c.name;
    StereoBuffer kept(kBlock);
    unit.process(kept.channels(), kBlock);
    EXPECT_TRUE(silent(kept)) << c.name;

    keep(false);
    EXPECT_TRUE(unit.holdsSound()) << c.name;
    StereoBuffer letOut(kBlock);
    unit.process(letOut.channels(), kBlock);
    EXPECT_FALSE(silent(letOut)) << c.name << ": nothing was kept";
  }
}

}  // namespace
