#include "engine/VoiceManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/engine/StandInSynth.h"

namespace {

using namespace Quillvane::Synth;
using testsupport::StandInSynth;

int playingVoices(const VoiceManager& vm) {
  int n = 0;
  for (int i = 0; i < VoiceManager::kNumVoices; ++i) n += vm.getNote(i).isPlaying() ? 1 : 0;
  return n;
}

int voiceOf(const VoiceManager& vm, int note) {
  for (int i = 0; i < VoiceManager::kNumVoices; ++i) {
    if (vm.getNote(i).isPlaying() && vm.getNote(i).getNote() == note) return i;
  }
  return -1;
}

class VoiceManagerTest : public ::testing::Test {
 protected:
  VoiceManagerTest() {
    // Short release so a released voice frees itself within a block.
    synth->setParameter(EnvRelease, 0.001);
    synth->setParameter(FilterRelease, 0.001);
  }
  std::unique_ptr<StandInSynth> synth = std::make_unique<StandInSynth>();
  VoiceManager& vm = synth->mVoiceManager;
};

TEST_F(VoiceManagerTest, SixtyFifthNoteIsDroppedUntilAVoiceFinishes) {
  for (int note = 0; note < 64; ++note) synth->queueNoteOn(note, 100, 0);
  synth->queueNoteOn(64, 100, 1);
  synth->render(512, {512});
  EXPECT_EQ(playingVoices(vm), 64);
  EXPECT_EQ(voiceOf(vm, 64), -1);
  EXPECT_EQ(synth->notesShown.size(), 64u);

  synth->queueNoteOff(5, 0);
  synth->render(512, {512});
  EXPECT_EQ(playingVoices(vm), 63);
  // The dropped key still counts as held, so pressing it again is swallowed.
  synth->queueNoteOn(64, 100, 0);
  synth->render(512, {512});
  EXPECT_EQ(voiceOf(vm, 64), -1);
  // Released and pressed again, it takes the lowest free voice.
  synth->queueNoteOff(64, 0);
  synth->queueNoteOn(64, 100, 1);
  synth->render(512, {512});
  EXPECT_EQ(voiceOf(vm, 64), 5);
  EXPECT_EQ(playingVoices(vm), 64);
}

TEST_F(VoiceManagerTest, OneNoteOffReleasesEveryVoiceOfThatKey) {
  vm.onNoteOn(60, 100, 0);
  vm.onNoteOn(60, 100, 0);
  vm.onNoteOn(61, 100, 0);
  EXPECT_EQ(playingVoices(vm), 3);
  vm.onNoteOff(60, 0);
  EXPECT_EQ(vm.getNote(0).getState(), Quillvane::kAdsrRelease);
  EXPECT_EQ(vm.getNote(1).getState(), Quillvane::kAdsrRelease);
  EXPECT_EQ(vm.getNote(2).getState(), Quillvane::kAdsrAttack);
  vm.onNoteOff(99, 0);
  EXPECT_EQ(vm.getNote(2).getState(), Quillvane::kAdsrAttack);
}

TEST_F(VoiceManagerTest, EndingAllVoicesFreesHeldAndReleasingOnesAtOnce) {
  vm.onNoteOn(60, 100, 0);
  vm.onNoteOn(61, 100, 0);
  vm.onNoteOff(61, 0);
  synth->render(2048, {512});
  ASSERT_GT(vm.getNote(0).getVolume(), 0.0);
  vm.endAllVoices();
  EXPECT_EQ(playingVoices(vm), 0);
  // The next note on the voice starts from silence, not from where the
  // ended one stood.
  EXPECT_EQ(vm.getNote(0).getVolume(), 0.0);
  vm.onNoteOn(62, 100, 0);
  EXPECT_EQ(voiceOf(vm, 62), 0);
}

// However short its release, and wherever its length falls between two
// samples, a released note ends at zero, as an ended one does: the voice's
// next note takes that level for its first frame.
TEST_F(VoiceManagerTest, AReleasedNoteEndsAtZero) {
  constexpr double kDurationSeconds = 1.0;  // the default duration setting, 0.2
  for (double samples : {0.5, 1.0, 1.2, 1.5, 1.99, 2.5, 40.5}) {
    synth->setParameter(EnvSustain, 1.0);
    synth->setParameter(EnvRelease, samples / (kDurationSeconds * 44100.0));
    // The filter envelope ends first, so the volume envelope ends the note.
    synth->setParameter(FilterRelease, 0.0);
    vm.onNoteOn(60, 127, 0);
    synth->render(4096, {512});
    ASSERT_GT(vm.getNote(0).getVolume(), 0.5) << samples;
    vm.onNoteOff(60, 0);
    synth->render(512, {512});
    EXPECT_FALSE(vm.getNote(0).isPlaying()) << samples;
    EXPECT_EQ(vm.getNote(0).getVolume(), 0.0) << samples << " samples";
  }
}

// A voice past its volume envelope plays on while its filter envelope runs,
// so that it is not taken for a new note, but holds no sound once its
// click's window has closed too: from then on it gives exact zeros.
TEST_F(VoiceManagerTest, AVoicePastItsVolumeEnvelopeHoldsNoSound) {
  for (double click : {0.0, 1.0}) {
    synth = std::make_unique<StandInSynth>();
    synth->setParameter(EnvRelease, 0.001);
    synth->setParameter(FilterRelease, 1.0);
    synth->setParameter(FilterDuration, 1.0);
    synth->setParameter(BassLayerAmount, 1.0);
    synth->setParameter(BassLayerClick, click);
    const VoiceManager& voices = synth->mVoiceManager;
    synth->queueNoteOn(48, 127, 0);
    synth->queueNoteOff(48, 2205);
    synth->render(512, {512});
    ASSERT_TRUE(voices.holdsSound());
    int silentFrom = -1;
    for (int frame = 512; frame < 44100; frame += 512) {
      if (silentFrom < 0 && !voices.holdsSound()) silentFrom = frame;
      synth->render(512, {512});
    }
    ASSERT_GT(silentFrom, 0) << "click " << click;
    EXPECT_TRUE(voices.getNote(0).isPlaying()) << "click " << click;
    // The click's window closes 0.2 s after it opened, 1 ms into the note.
    EXPECT_EQ(silentFrom >= 0.201 * 44100, click > 0.0) << "silent from frame " << silentFrom;
    for (const std::vector<double>* out : {&synth->left, &synth->right, &synth->bass}) {
      const auto last = std::find_if(out->rbegin(), out->rend(), [](double x) { return x != 0.0; });
      EXPECT_LE(out->rend() - last, silentFrom) << "click " << click;
    }
  }
}

TEST_F(VoiceManagerTest, ReportsEachStartedNoteWithFrequencyAndName) {
  synth->setParameter(GlobalTranspose, 1.0);
  vm.onNoteOn(69, 100, 0);
  vm.onNoteOn(61, 100, 0);
  vm.onNoteOn(-3, 100, 0);
  ASSERT_EQ(synth->notesShown.size(), 3u);
  EXPECT_EQ(synth->notesShown[0], std::make_pair(880.0, std::string("A5")));
  EXPECT_EQ(synth->notesShown[1].second, "C#5");
  EXPECT_EQ(synth->notesShown[2].second, "");
  EXPECT_EQ(vm.getNote(0).getCarrierFrequency(), 1760.0);
}

TEST_F(VoiceManagerTest, SettingsReachEveryVoice) {
  EXPECT_EQ(vm.getUnisonVoices(), 1);
  synth->setParameter(UnisonVoices, 0.7);
  synth->setParameter(UnisonDetune, 0.3);
  synth->setParameter(EnvSustain, 0.6);
  synth->setParameter(FilterDuration, 0.4);
  EXPECT_EQ(vm.getUnisonVoices(), 2);
  for (int i = 0; i < VoiceManager::kNumVoices; ++i) {
    const Quillvane::Note& note = vm.getNote(i);
    EXPECT_EQ(note.getUnisonVoices(), 2u);
    EXPECT_EQ(note.getUnisonDetune(), 0.3);
    EXPECT_EQ(note.getVolumeEnvelope().getSustain(), 0.6);
    EXPECT_EQ(note.getFilterEnvelope().getDuration(), 2.0);
  }
  EXPECT_EQ(vm.nextSample(), 0.0);
}

TEST(VoiceManagerWithoutMaster, StartsVoicesButRendersAndReportsNothing) {
  auto vm = std::make_unique<VoiceManager>();
  vm->setBlockSize(16);
  vm->onNoteOn(60, 100, 0);
  EXPECT_TRUE(vm->getNote(0).isPlaying());
  double left[16] = {}, right[16] = {}, bass[16] = {};
  double* outputs[2] = {left, right};
  for (int i = 0; i < 16; ++i) vm->nextSample();
  vm->process(outputs, bass, 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(left[i] + right[i] + bass[i], 0.0);
}

}  // namespace
