#include <thread>

#include "tests/instrument/InstrumentFixture.h"
#include "tests/instrument/ThudrokkaProbe.h"

namespace {

using namespace Quillvane::Synth;

TEST_F(InstrumentTest, OpensThroughTheEntryWithItsIdentity) {
  openHost();
  EXPECT_STREQ(plug->GetEffectName(), "Thudrokka 1.5 FREE");
  EXPECT_STREQ(plug->GetProductName(), "");
  EXPECT_STREQ(plug->GetMfrName(), "Quillvane");
  EXPECT_EQ(plug->GetEffectVersion(false), 0x10502);
  EXPECT_EQ(plug->GetUniqueID(), 0x33627469);
  EXPECT_EQ(plug->GetMfrID(), static_cast<int>(FourCC("QuVa")));
  EXPECT_TRUE(plug->IsInst());
  EXPECT_FALSE(plug->DoesStateChunks());
  ASSERT_EQ(plug->NChannelIO(), 2);
  EXPECT_EQ(plug->GetChannelIO(0)->mIn, 0);
  EXPECT_EQ(plug->GetChannelIO(0)->mOut, 1);
  EXPECT_EQ(plug->GetChannelIO(1)->mIn, 0);
  EXPECT_EQ(plug->GetChannelIO(1)->mOut, 2);
  EXPECT_EQ(host.session().ParameterCount(), 105u);
}

TEST_F(InstrumentTest, EveryPresetSlotIsFilledSoNoneIsPruned) {
  openHost();
  const auto presets = host.presets();
  ASSERT_EQ(presets.size(), 128u);
  for (std::size_t i = 0; i < presets.size(); ++i) EXPECT_EQ(presets[i].number, static_cast<SInt32>(i));
  EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);
}

TEST(VersionInfo, TextsAndNumbers) {
  const Quillvane::VersionInfo info;
  EXPECT_EQ(info.mEdition, "Free Version");
  EXPECT_EQ(info.mVendor, "Quillvane");
  EXPECT_EQ(info.mProduct, "Thud::Rokka");
  EXPECT_EQ(info.mVersionText, "Thud-Rokka 1.5");
  EXPECT_EQ(info.mEditionVersionText, "Thud-Rokka 1.5 Free");
  EXPECT_EQ(info.mFullVersionText, "Quillvane Thud::Rokka Version 1.5 Free");
  EXPECT_EQ(info.mPluginCode, 0x33627469);
  EXPECT_EQ(info.getVendorVersion(), 1500);
}

TEST(Construction, AppliesEveryParameterToTheRecordBeforeAnyReset) {
  ThudrokkaProbe plug;
  for (int p = 0; p < kNumParameters; ++p) {
    EXPECT_EQ(plug.mSynthProgram[static_cast<eVstParameters>(p)], plug.GetParam(p)->GetDefault()) << p;
  }
  for (int slot : {72, 77, 78, 79, 80, 81, 82}) EXPECT_EQ(plug.mSynthProgram.slot(slot), 0.0) << slot;
}

TEST(Construction, PlayNoteWaitsForTheFirstReset) {
  ThudrokkaProbe plug;
  plug.PlayNote(true);
  plug.takeHandOvers();
  EXPECT_FALSE(plug.mVoiceManager.getNote(0).isPlaying());
  plug.prepare(44100.0, 64);
  plug.PlayNote(true);
  plug.takeHandOvers();
  EXPECT_TRUE(plug.mVoiceManager.getNote(0).isPlaying());
  EXPECT_EQ(plug.mVoiceManager.getNote(0).getNote(), 48);
  plug.PlayNote(false);
  plug.takeHandOvers();
  EXPECT_EQ(plug.mVoiceManager.getNote(0).getState(), Quillvane::kAdsrRelease);
}

TEST(Construction, ConcurrentFactoryCallsEachBuildAnInstrument) {
  IPlugAU* made[2] = {nullptr, nullptr};
  std::thread first([&] { made[0] = MakePlug(); });
  std::thread second([&] { made[1] = MakePlug(); });
  first.join();
  second.join();
  for (IPlugAU* plug : made) {
    ASSERT_NE(plug, nullptr);
    EXPECT_EQ(plug->NPresets(), 128);
    delete plug;
  }
}

}  // namespace
