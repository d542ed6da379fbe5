// A preset, a saved state or a program file chosen while nothing sounds is
// heard at once: the next note is that sound from its first sample, as the
// same note struck a second later is. While a voice sounds or an effect's
// tail rings, the change glides, so that it does not click; it is heard at
// once from the first note after all that has died away.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "instrument/Thudrokka.h"
#include "program/VstParameters.h"
#include "tests/support/TempDirectory.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

constexpr double kRate = 44100.0;
constexpr int kBlock = 512;
constexpr int kNote = 48;
constexpr double kHeldSeconds = 0.25;
constexpr double kNoteSeconds = 0.4;  // and 0.15 s of the release

void openHost(InstrumentHost& host, double rate = kRate) { ASSERT_EQ(host.open(rate, kBlock), noErr); }

// Both channels, one after the other.
std::vector<float> render(InstrumentHost& host, int frames) {
  std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
  for (int done = 0; done < frames; done += kBlock) {
    const int n = std::min(kBlock, frames - done);
    EXPECT_EQ(host.render(n, left.data() + done, right.data() + done), noErr);
  }
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

int framesOf(const InstrumentHost& host, double seconds) {
  return static_cast<int>(std::lround(seconds * host.sampleRate()));
}

std::vector<float> playNote(InstrumentHost& host) {
  const int held = framesOf(host, kHeldSeconds);
  const int released = framesOf(host, kNoteSeconds) - held;
  EXPECT_EQ(host.noteOn(kNote, 127, 0), noErr);
  std::vector<float> first = render(host, held);
  EXPECT_EQ(host.noteOff(kNote, 0), noErr);
  const std::vector<float> rest = render(host, released);
  // Channel by channel again.
  std::vector<float> note(first.begin(), first.begin() + held);
  note.insert(note.end(), rest.begin(), rest.begin() + released);
  note.insert(note.end(), first.begin() + held, first.end());
  note.insert(note.end(), rest.begin() + released, rest.end());
  return note;
}

void renderSilence(InstrumentHost& host, double seconds) { render(host, framesOf(host, seconds)); }

float peak(const std::vector<float>& x) {
  float p = 0.0f;
  for (float v : x) p = std::max(p, std::fabs(v));
  return p;
}

float largestDifference(const std::vector<float>& a, const std::vector<float>& b) {
  float d = 0.0f;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) d = std::max(d, std::fabs(a[i] - b[i]));
  return d;
}

// One way a whole sound reaches an opened instrument.
struct SoundPath {
  const char* name;
  std::function<void(InstrumentHost& host, int preset)> apply;
};

// The state a host saves with preset slot `preset` current.
CFPropertyListRef savedState(int preset) {
  InstrumentHost source;
  EXPECT_EQ(source.open(kRate, kBlock), noErr);
  EXPECT_EQ(source.selectPreset(preset), noErr);
  CFPropertyListRef state = nullptr;
  EXPECT_EQ(source.session().GetState(&state), noErr);
  return state;
}

const SoundPath kHostPreset = {"the host's preset property",
                               [](InstrumentHost& host, int preset) {
                                 EXPECT_EQ(host.selectPreset(preset), noErr);
                               }};

const SoundPath kPaths[] = {
    kHostPreset,
    // What the editor's preset menu and its arrows call.
    {"the editor's preset menu", [](InstrumentHost& host, int preset) { host.instrument()->RestorePreset(preset); }},
    {"the host's state property",
     [](InstrumentHost& host, int preset) {
       CFPropertyListRef state = savedState(preset);
       ASSERT_NE(state, nullptr);
       EXPECT_EQ(host.session().SetState(state), noErr);
       CFRelease(state);
     }},
    {"a program file",
     [](InstrumentHost& host, int preset) {
       const testsupport::TempDirectory dir;
       const std::string path = dir.path("sound.txt");
       {
         InstrumentHost source;
         ASSERT_EQ(source.open(kRate, kBlock), noErr);
         ASSERT_EQ(source.selectPreset(preset), noErr);
         ASSERT_TRUE(source.instrument()->SaveProgramAsQV(path.c_str()));
       }
       ASSERT_TRUE(host.instrument()->LoadProgramAsQV(path.c_str()));
     }},
};

// The same note struck right after the sound was chosen, a second later,
// and once more a second after that.
struct ThreeNotes {
  std::vector<float> atOnce, later, again;
};

ThreeNotes playThreeNotes(const SoundPath& path, int preset) {
  ThreeNotes notes;
  {
    InstrumentHost host;
    openHost(host);
    // Another sound was playing before, and rang out.
    EXPECT_EQ(host.selectPreset(preset == 0 ? 1 : 0), noErr);
    render(host, kBlock);
    path.apply(host, preset);
    notes.atOnce = playNote(host);
  }
  InstrumentHost host;
  openHost(host);
  EXPECT_EQ(host.selectPreset(preset == 0 ? 1 : 0), noErr);
  render(host, kBlock);
  path.apply(host, preset);
  renderSilence(host, 1.0);
  notes.later = playNote(host);
  renderSilence(host, 1.0);
  notes.again = playNote(host);
  return notes;
}

// Of the sounds whose note repeats (nothing runs free between two notes,
// and what a resonant tail leaves after a second is far below the note),
// the note at once is the note a second later.
void expectHeardAtOnce(const SoundPath& path, const std::vector<int>& presets) {
  int repeating = 0;
  for (int preset : presets) {
    const ThreeNotes notes = playThreeNotes(path, preset);
    const float loudest = peak(notes.later);
    ASSERT_GT(loudest, 0.0f) << "preset " << preset;
    if (largestDifference(notes.again, notes.later) > 1e-5f * loudest) continue;
    ++repeating;
    EXPECT_LE(largestDifference(notes.atOnce, notes.later), 1e-4f * loudest)
        << "preset " << preset << " through " << path.name;
  }
  EXPECT_GT(repeating, 0) << path.name;
}

TEST(SoundChosenInSilence, EveryPresetIsHeardFromTheFirstNote) {
  std::vector<int> all;
  for (int preset = 0; preset < Thudrokka::kNumPresets; ++preset) all.push_back(preset);
  expectHeardAtOnce(kHostPreset, all);
}

TEST(SoundChosenInSilence, EveryPathToASoundIsHeardFromTheFirstNote) {
  // Those the filter unit's, the smoothers' and the fades' glides changed most.
  for (const SoundPath& path : kPaths) expectHeardAtOnce(path, {22, 23, 36, 60, 116});
}

// A held sine whose output volume a program file halves: the level glides
// to half, as a knob's move does, instead of stepping.
TEST(SoundChosenInSilence, WhileANoteSoundsTheChangeGlides) {
  constexpr int kSine = 127;
  const testsupport::TempDirectory dir;
  const std::string quieter = dir.path("quieter.txt");
  {
    InstrumentHost source;
    openHost(source);
    ASSERT_EQ(source.selectPreset(kSine), noErr);
    const double volume = source.instrument()->GetParam(Quillvane::Synth::Volume)->Value();
    ASSERT_GT(volume, 0.0);
    ASSERT_EQ(source.session().SetParameter(Quillvane::Synth::Volume, static_cast<float>(0.5 * volume)), noErr);
    ASSERT_TRUE(source.instrument()->SaveProgramAsQV(quieter.c_str()));
  }
  auto heldNote = [&](bool change) {
    InstrumentHost host;
    openHost(host);
    EXPECT_EQ(host.selectPreset(kSine), noErr);
    EXPECT_EQ(host.noteOn(kNote, 127, 0), noErr);
    render(host, 20 * kBlock);
    if (change) {
      EXPECT_TRUE(host.instrument()->LoadProgramAsQV(quieter.c_str()));
    }
    return render(host, 20 * kBlock);
  };
  const std::vector<float> steady = heldNote(false);
  const std::vector<float> changed = heldNote(true);
  // The first frames after the change, where the sine is loud enough to tell.
  int compared = 0;
  for (int i = 0; i < 16; ++i) {
    if (std::fabs(steady[i]) < 0.01f) continue;
    ++compared;
    EXPECT_GT(changed[i] / steady[i], 0.9f) << "frame " << i << " after the change";
  }
  EXPECT_GT(compared, 0);
  // The last block, long after the glide.
  const std::vector<float> steadyEnd(steady.begin() + 19 * kBlock, steady.begin() + 20 * kBlock);
  const std::vector<float> changedEnd(changed.begin() + 19 * kBlock, changed.begin() + 20 * kBlock);
  EXPECT_NEAR(peak(changedEnd) / peak(steadyEnd), 0.5f, 0.01f);
}

// ---- After another sound: chosen over its tail, or once it has died away.

// Note 48 of preset `from`, held for `held` seconds; returns at its release.
void playAndRelease(InstrumentHost& host, int from, double held) {
  EXPECT_EQ(host.selectPreset(from), noErr);
  render(host, kBlock);
  EXPECT_EQ(host.noteOn(kNote, 127, 0), noErr);
  render(host, framesOf(host, held));
  EXPECT_EQ(host.noteOff(kNote, 0), noErr);
}

// Renders until the output has been exact zeros for `seconds`; false when
// it is not within a minute.
bool renderUntilSilentFor(InstrumentHost& host, double seconds) {
  int silent = 0;
  for (int done = 0; done < framesOf(host, 60.0); done += kBlock) {
    silent = peak(render(host, kBlock)) == 0.0f ? silent + kBlock : 0;
    if (silent >= framesOf(host, seconds)) return true;
  }
  return false;
}

// The values a host's choice of the preset gives every parameter.
std::vector<double> presetValues(int preset) {
  InstrumentHost source;
  openHost(source);
  EXPECT_EQ(source.selectPreset(preset), noErr);
  std::vector<double> values;
  for (int p = 0; p < Quillvane::Synth::kNumParameters; ++p) values.push_back(source.instrument()->GetParam(p)->Value());
  return values;
}

// The same values set one by one, as automation sets them: no whole set.
void setOneByOne(InstrumentHost& host, const std::vector<double>& values) {
  Thudrokka* plug = host.instrument();
  for (int p = 0; p < static_cast<int>(values.size()); ++p) {
    plug->GetParam(p)->Set(values[p]);
    plug->OnParamChange(p);
  }
}

struct LaterChoice {
  int from;
  int to;
  double held;  // seconds
  // Seconds after the release; below 0, a second after the output fell silent.
  double afterRelease;
};

std::string describe(const LaterChoice& c, double rate) {
  return std::to_string(c.from) + " -> " + std::to_string(c.to) + " chosen " +
         (c.afterRelease < 0.0 ? std::string("in silence") : std::to_string(c.afterRelease) + " s after the release") +
         " at " + std::to_string(static_cast<int>(rate)) + " Hz";
}

// Chosen while the voice has ended but the effect chain still rings: jumping
// the filters, gains and fades onto that tail would crack at full scale.
const LaterChoice kOverTails[] = {
    {18, 19, 0.3, 0.05}, {76, 77, 0.3, 0.14}, {122, 123, 0.3, 0.28}, {53, 54, 0.3, 0.05}, {56, 57, 0.3, 0.05}};

TEST(SoundChosenInSilence, OverARingingTailTheChoiceGlidesAsItsValuesOneByOneWould) {
  for (double rate : {44100.0, 96000.0}) {
    for (const LaterChoice& c : kOverTails) {
      const std::vector<double> values = presetValues(c.to);
      auto take = [&](bool wholeSet) {
        InstrumentHost host;
        openHost(host, rate);
        playAndRelease(host, c.from, c.held);
        const int before = framesOf(host, c.afterRelease);
        render(host, before - 64);
        EXPECT_GT(peak(render(host, 64)), 0.0f) << describe(c, rate) << ": nothing rings at the choice";
        if (wholeSet) {
          EXPECT_EQ(host.selectPreset(c.to), noErr);
        } else {
          setOneByOne(host, values);
        }
        return render(host, framesOf(host, 0.5));
      };
      const std::vector<float> glided = take(false);
      const std::vector<float> chosen = take(true);
      EXPECT_EQ(largestDifference(chosen, glided), 0.0f)
          << describe(c, rate) << ": peak " << peak(chosen) << ", one by one " << peak(glided);
    }
  }
}

// Once nothing sounds any more, whatever sounded before, the next note is
// the new sound's own: the same as that note struck a second later.
TEST(SoundChosenInSilence, AfterAnotherSoundTheNextNoteIsTheChoicesOwn) {
  const LaterChoice choices[] = {
      // Over a ringing tail: the choice glides, and its jump comes once the
      // tail has died away.
      {18, 19, 0.3, 0.05}, {76, 77, 0.3, 0.14}, {122, 123, 0.3, 0.28}, {53, 54, 0.3, 0.05},
      // In silence, where the filter unit still holds a low-pass's tail
      // that the sound before kept from the output (its mix, or a
      // distortion curve's dead zone), and the new sound would bring out.
      {13, 104, 1.0, -1.0}, {118, 104, 1.0, -1.0}, {119, 104, 1.0, -1.0}, {10, 104, 1.0, -1.0}};
  for (double rate : {44100.0, 96000.0}) {
    for (const LaterChoice& c : choices) {
      InstrumentHost host;
      openHost(host, rate);
      playAndRelease(host, c.from, c.held);
      if (c.afterRelease < 0.0) {
        ASSERT_TRUE(renderUntilSilentFor(host, 1.0)) << describe(c, rate);
        EXPECT_EQ(host.selectPreset(c.to), noErr);
      } else {
        render(host, framesOf(host, c.afterRelease));
        EXPECT_EQ(host.selectPreset(c.to), noErr);
        // No longer than it takes the units' tails to ring out to nothing.
        ASSERT_TRUE(renderUntilSilentFor(host, 0.1)) << describe(c, rate);
      }
      const std::vector<float> atOnce = playNote(host);
      renderSilence(host, 1.0);
      const std::vector<float> later = playNote(host);
      renderSilence(host, 1.0);
      const std::vector<float> again = playNote(host);
      const float loudest = peak(later);
      ASSERT_GT(loudest, 0.0f) << describe(c, rate);
      ASSERT_LE(largestDifference(again, later), 1e-5f * loudest) << describe(c, rate) << ": the note does not repeat";
      EXPECT_LE(largestDifference(atOnce, later), 1e-4f * loudest) << describe(c, rate);
    }
  }
}

}  // namespace
