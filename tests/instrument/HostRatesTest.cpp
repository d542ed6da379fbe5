// The sample rates a host gives the unit: the rate it reports is the rate it
// renders at, whichever property set it, and a rate the engine is not made
// for is refused before it reaches the voices.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tools/thudrokka/InstrumentHost.h"

namespace {

constexpr int kBlock = 512;
constexpr int kPreset = 5;
constexpr int kNote = 48;

double ReportedRate(InstrumentHost& host) {
  Float64 rate = 0.0;
  UInt32 size = sizeof rate;
  EXPECT_EQ(AudioUnitGetProperty(host.session().Unit(), kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0,
                                 &rate, &size),
            noErr);
  return rate;
}

// Both channels, block after block, of a note held for the given frames
// and released for as many again.
std::vector<float> PlayNote(InstrumentHost& host, int preset, int heldFrames) {
  EXPECT_EQ(host.selectPreset(preset), noErr);
  std::vector<float> take;
  std::vector<float> left(kBlock), right(kBlock);
  EXPECT_EQ(host.noteOn(kNote, 100, 0), noErr);
  for (int done = 0; done < 2 * heldFrames; done += kBlock) {
    if (done >= heldFrames && done < heldFrames + kBlock) {
      EXPECT_EQ(host.noteOff(kNote, 0), noErr);
    }
    if (host.render(kBlock, left.data(), right.data()) != noErr) {
      ADD_FAILURE() << "render failed at frame " << done;
      break;
    }
    take.insert(take.end(), left.begin(), left.end());
    take.insert(take.end(), right.begin(), right.end());
  }
  return take;
}

// A host moves a unit to a new rate by uninitialising it, setting the
// output format and initialising it again.
TEST(HostRates, ARateSetThroughTheStreamFormatIsTheRateRendered) {
  InstrumentHost moved;
  ASSERT_EQ(moved.open(44100.0, kBlock), noErr);
  standin::HostSession& session = moved.session();
  ASSERT_EQ(session.Uninitialize(), noErr);
  ASSERT_EQ(session.SetStreamFormat(kAudioUnitScope_Output, 0, 2, 96000.0), noErr);
  ASSERT_EQ(session.Initialize(), noErr);
  EXPECT_EQ(ReportedRate(moved), 96000.0);

  InstrumentHost opened;
  ASSERT_EQ(opened.open(96000.0, kBlock), noErr);
  EXPECT_EQ(PlayNote(moved, kPreset, 8 * kBlock), PlayNote(opened, kPreset, 8 * kBlock));
}

TEST(HostRates, RatesTheEngineIsNotMadeForAreRefused) {
  InstrumentHost host;
  ASSERT_EQ(host.open(44100.0, kBlock), noErr);
  standin::HostSession& session = host.session();
  const double refused[] = {0.0,     -44100.0, std::nan(""), std::numeric_limits<double>::infinity(),
                            7999.99, 768000.5, 1.1e10,       1e300};
  for (double rate : refused) {
    EXPECT_EQ(session.SetSampleRate(rate), kAudioUnitErr_InvalidPropertyValue) << rate;
    EXPECT_EQ(ReportedRate(host), 44100.0) << rate;
  }
  ASSERT_EQ(session.Uninitialize(), noErr);
  for (double rate : {7999.99, 768000.5, 1.1e10}) {
    EXPECT_EQ(session.SetStreamFormat(kAudioUnitScope_Output, 0, 2, rate), kAudioUnitErr_InvalidProperty) << rate;
    EXPECT_EQ(ReportedRate(host), 44100.0) << rate;
  }
  for (double rate : {8000.0, 768000.0}) {
    EXPECT_EQ(session.SetSampleRate(rate), noErr) << rate;
    EXPECT_EQ(ReportedRate(host), rate);
  }
}

// The sanitizing build shows any arithmetic that the edges of the range
// take past what its types hold.
TEST(HostRates, EveryPresetPlaysAtTheLowestAndHighestRate) {
  for (double rate : {8000.0, 768000.0}) {
    InstrumentHost host;
    ASSERT_EQ(host.open(rate, kBlock), noErr) << rate;
    for (int preset = 0; preset < 128; ++preset) {
      const std::vector<float> take = PlayNote(host, preset, static_cast<int>(rate / 20));
      for (float x : take) ASSERT_TRUE(std::isfinite(x)) << rate << " Hz, preset " << preset;
    }
  }
}

}  // namespace
