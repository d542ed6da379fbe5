// A note sounds the same wherever the host's blocks begin and end: its
// envelopes start at the frame of its note-on, a key-off takes effect at its
// own frame, and a voice whose note ended inside a block can start its next
// note in that block as it would in blocks of one frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/engine/HeavyProgram.h"
#include "tests/support/SignalAnalysis.h"
#include "tests/engine/StandInSynth.h"

namespace {

using namespace Quillvane::Synth;
using testsupport::StandInSynth;

using Program = void (*)(StandInSynth&);
using Settings = std::vector<std::pair<eVstParameters, double>>;

void defaults(StandInSynth&) {}

// Short envelopes, so that voices end inside blocks and are taken again in
// the same block; FM, whose phases a voice keeps from note to note, and a
// click and a bass layer that sound without the envelopes' say.
const Settings kKick = {
    {EnvDuration, 0.02},    {EnvAttack, 0.01},     {EnvDecay, 0.3},       {EnvRelease, 0.05},
    {FilterDuration, 0.02}, {FilterRelease, 0.08}, {BassLayerClick, 0.7}, {KickTransposeMode, 1.0},
    {PitchAmount, 0.4},
};

Settings with(Settings settings, const Settings& more) {
  settings.insert(settings.end(), more.begin(), more.end());
  return settings;
}

struct NamedProgram {
  const char* name;
  Program base;
  Settings settings;
};

const NamedProgram kPrograms[] = {
    {"defaults", defaults, {}},
    {"heavy", testsupport::applyHeavyProgram, {}},
    {"full", testsupport::applyFullProgram, {}},
    // Slow attack and long release on both envelopes: a late start or an
    // early release is heard over the whole note.
    {"pad", testsupport::applyFullProgram,
     {{EnvDuration, 0.3}, {EnvAttack, 0.4}, {EnvRelease, 0.5},
      {FilterDuration, 0.3}, {FilterAttack, 0.7}, {FilterRelease, 0.3}}},
    {"kick", testsupport::applyHeavyProgram, kKick},
    // Every voice draws from one noise generator: the draws keep frame order.
    {"noise", testsupport::applyHeavyProgram, with(kKick, {{OscWaveform1, 6.0 / 35.0}, {OscWaveform3, 6.0 / 35.0}})},
};

struct NoteEvent {
  int note;
  int on;
  int off;  // -1: held to the end
};

// Starts and releases inside blocks, at block starts (0, 4096 and 8192, in
// blocks of 512 too), on a block's last frame, across blocks, a release one
// frame into the attack, two notes on one frame, and a voice whose short
// note ends and is struck again within one block of 512 and of 4096.
const NoteEvent kSchedule[] = {
    {36, 0, 3000},      {48, 1000, 4096},   {55, 4095, 9000},  {60, 8192, 8193},
    {64, 12300, 12310}, {65, 12700, 20000}, {40, 21000, 21500}, {43, 21000, 25000},
    {72, 26001, -1},
};
constexpr int kFrames = 40000;

struct Take {
  std::vector<double> left, right, bass;
};

Take render(const NamedProgram& program, const std::vector<int>& blocks) {
  auto synth = std::make_unique<StandInSynth>(44100.0, *std::max_element(blocks.begin(), blocks.end()));
  program.base(*synth);
  for (const auto& [parameter, value] : program.settings) synth->setParameter(parameter, value);
  for (const NoteEvent& e : kSchedule) {
    synth->queueNoteOn(e.note, 127, e.on);
    if (e.off >= 0) synth->queueNoteOff(e.note, e.off);
  }
  synth->render(kFrames, blocks);
  return {synth->left, synth->right, synth->bass};
}

// Largest difference and where it is.
std::string compare(const std::vector<double>& x, const std::vector<double>& reference, double* largest) {
  *largest = 0.0;
  std::size_t at = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double d = std::fabs(x[i] - reference[i]);
    if (d > *largest) {
      *largest = d;
      at = i;
    }
  }
  return "at frame " + std::to_string(at) + ": " + std::to_string(x[at]) + " against " +
         std::to_string(reference[at]);
}

TEST(NoteTiming, EveryBlockSizeSoundsAsBlocksOfOneFrame) {
  const std::vector<std::vector<int>> patterns = {{7}, {512}, {4096}, {17, 100, 5, 333}};
  for (const NamedProgram& program : kPrograms) {
    const Take reference = render(program, {1});
    ASSERT_LT(testsupport::firstNonZero(reference.left), reference.left.size()) << program.name;
    for (const auto& pattern : patterns) {
      const Take take = render(program, pattern);
      const std::vector<double>* channels[3][2] = {{&take.left, &reference.left},
                                                   {&take.right, &reference.right},
                                                   {&take.bass, &reference.bass}};
      for (const auto& [channel, expected] : channels) {
        double largest;
        const std::string where = compare(*channel, *expected, &largest);
        EXPECT_LE(largest, 1e-6) << program.name << ", blocks of " << pattern[0] << ", " << where;
      }
    }
  }
}

}  // namespace
