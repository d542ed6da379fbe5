// Once the last voice has finished and the effects' tails have died away,
// the instrument gives exact zeros, whatever its settings: a curve that
// takes the least input to full scale must never find anything to amplify.
// And where it finds that nothing sounds any more, nothing does.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/instrument/ThudrokkaProbe.h"

namespace {

using namespace Quillvane::Synth;

constexpr int kBlock = 512;
constexpr int kNote = 48;
// The slowest of these tails, a 10 Hz high-pass after the distortion, is
// over within 1.7 seconds.
constexpr double kTailSeconds = 2.5;
constexpr double kSilentSeconds = 1.0;

struct Setting {
  int preset;
  std::vector<std::pair<int, double>> parameters;
};

std::string describe(const Setting& s) {
  std::string text = "preset " + std::to_string(s.preset);
  for (const auto& [p, v] : s.parameters) text += std::string(", ") + Quillvane::parameterInfo(static_cast<eVstParameters>(p)).keyName + " " + std::to_string(v);
  return text;
}

class Session {
 public:
  Session(const Setting& s, double rate) {
    mPlug.prepare(rate, kBlock);
    mPlug.RestorePreset(s.preset);
    mPlug.takeHandOvers();
    for (const auto& [p, v] : s.parameters) mPlug.set(p, v);
  }

  void note(bool on) {
    IMidiMsg msg;
    if (on) {
      msg.MakeNoteOnMsg(kNote, 127, 0);
    } else {
      msg.MakeNoteOffMsg(kNote, 0);
    }
    mPlug.ProcessMidiMsg(&msg);
  }

  // One block; true when any sample of it is not exactly zero.
  bool block() {
    double* out[2] = {mLeft.data(), mRight.data()};
    mPlug.ProcessDoubleReplacing(nullptr, out, kBlock);
    for (int i = 0; i < kBlock; ++i) {
      if (mLeft[i] != 0.0 || mRight[i] != 0.0) return true;
    }
    return false;
  }

  bool playing() const { return mPlug.isAnyVoicePlaying(); }
  bool nothingSounds() const { return mPlug.nothingSounds(); }

 private:
  ThudrokkaProbe mPlug;
  std::vector<double> mLeft = std::vector<double>(kBlock);
  std::vector<double> mRight = std::vector<double>(kBlock);
};

// A quarter-second note, then blocks until no voice plays; after that the
// output must turn to exact zeros within the tail time and stay there.
void expectSilenceAfterTheNote(const Setting& setting, double rate = 44100.0) {
  auto blocks = [rate](double seconds) { return static_cast<int>(seconds * rate / kBlock); };
  Session session(setting, rate);
  session.note(true);
  for (int b = 0; b < blocks(0.25); ++b) session.block();
  session.note(false);
  for (int b = 0; session.playing(); ++b) {
    ASSERT_LT(b, blocks(30.0)) << describe(setting) << ": the voice never finishes";
    session.block();
  }
  int lastSound = -1;
  const int total = blocks(kTailSeconds + kSilentSeconds);
  for (int b = 0; b < total; ++b) {
    if (session.block()) lastSound = b;
  }
  EXPECT_LT(lastSound, blocks(kTailSeconds))
      << describe(setting) << " at " << rate << " Hz: sound " << (lastSound + 1) * kBlock / rate
      << " s after the last voice";
}

// From the block at whose start the instrument finds that nothing sounds, a
// sound chosen then would jump onto the silence: without a new note every
// block is exact zeros. Presets whose effects ring long after the voice,
// and some whose filter unit keeps a low-pass's tail from the output.
TEST(SilenceAfterNotes, WhereNothingSoundsNothingDoes) {
  for (double rate : {44100.0, 96000.0}) {
    for (int preset : {13, 18, 23, 25, 40, 53, 56, 76, 116, 118, 119, 122}) {
      const Setting setting{preset, {}};
      auto blocks = [rate](double seconds) { return static_cast<int>(seconds * rate / kBlock); };
      Session session(setting, rate);
      session.note(true);
      for (int b = 0; b < blocks(0.3); ++b) session.block();
      session.note(false);
      int found = -1;
      for (int b = 0; b < blocks(20.0); ++b) {
        if (found < 0 && session.nothingSounds()) found = b;
        const bool sound = session.block();
        if (found >= 0) {
          ASSERT_FALSE(sound) << describe(setting) << " at " << rate << " Hz: sound " << (b - found) * kBlock / rate
                              << " s after nothing did";
        }
      }
      EXPECT_GE(found, 0) << describe(setting) << " at " << rate << " Hz: still sounding after 20 s";
    }
  }
}

TEST(SilenceAfterNotes, PresetsWhoseTailsOnceFedTheirDistortion) {
  const Setting settings[] = {
      {23, {}},
      {25, {}},
      {40, {}},
      {25, {{SampleRate, 0.5}}},
      {40, {{SampleRate, 0.5}}},
      {23, {{FilterType, 0.0}}},
      {25, {{FilterType, 0.0}}},
      {35, {{FilterType, 0.0}}},
  };
  for (double rate : {44100.0, 96000.0}) {
    for (const Setting& s : settings) expectSilenceAfterTheNote(s, rate);
  }
}

// Every curve at full amount, read with and without interpolation, behind
// the sample-rate reduction at even and odd hold lengths and without it.
TEST(SilenceAfterNotes, EveryDistortionCurveBehindEveryRateReduction) {
  for (int type = 0; type < 35; ++type) {
    for (double interpolation : {0.0, 1.0}) {
      for (double reduction : {1.0, 0.5, 0.1}) {
        expectSilenceAfterTheNote({25,
                                   {{DistortionOnOff, 1.0},
                                    {Distortion, 1.0},
                                    {DistortionType, type / 34.0},
                                    {DistortionInterpMode, interpolation},
                                    {SampleRate, reduction}}});
      }
    }
  }
}

}  // namespace
