#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "tests/support/RecordingGraphics.h"
#include "tests/framework/TestHostPlug.h"

namespace {

using testsupport::RecordingGraphics;
using fwtest::TestHostPlug;

TEST(PlugBase, ConstructionSetsIdentityAndDefaults) {
  TestHostPlug plug;
  EXPECT_EQ(plug.NParams(), 105);
  EXPECT_EQ(plug.NPresets(), 128);
  EXPECT_STREQ(plug.GetPresetName(0), "empty");
  EXPECT_STREQ(plug.GetEffectName(), "Thudrokka");
  EXPECT_STREQ(plug.GetMfrName(), "Quillvane");
  EXPECT_EQ(plug.GetUniqueID(), fwtest::kTestUniqueID);
  EXPECT_EQ(plug.GetMfrID(), fwtest::kTestMfrID);
  EXPECT_EQ(plug.GetSampleRate(), 44100.0);
  EXPECT_EQ(plug.GetBlockSize(), 0);
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 0);
  EXPECT_EQ(plug.GetHost(), kHostUninit);
  EXPECT_EQ(plug.GetGUI(), nullptr);
  EXPECT_TRUE(plug.IsInst());
  EXPECT_FALSE(plug.DoesStateChunks());
  EXPECT_STREQ(plug.GetAPIString(), "AU");
  EXPECT_STREQ(plug.GetArchString(), "x86");
  EXPECT_EQ(plug.GetParam(105), nullptr);
}

TEST(PlugBase, LongNamesAreCutToTheirFields) {
  const std::string longName(300, 'n');
  class NamedPlug : public IPlugBase {
   public:
    explicit NamedPlug(const char* name)
        : IPlugBase(1, "0-2", 1, name, name, name, 0, 0, 0, 0, false, false, true, kAPIAU) {}
    void BeginInformHostOfParamChange(int) override {}
    void InformHostOfParamChange(int, double) override {}
    void EndInformHostOfParamChange(int) override {}
    void InformHostOfProgramChange() override {}
    double GetSamplePos() override { return 0; }
    double GetTempo() override { return 0; }
    void GetTimeSig(int*, int*) override {}
    void GetTime(ITimeInfo*) override {}
    void ResizeGraphics(int, int) override {}
    bool SendMidiMsg(IMidiMsg*) override { return false; }
  };
  NamedPlug plug(longName.c_str());
  const std::string cut(MAX_EFFECT_NAME_LEN - 1, 'n');
  EXPECT_EQ(plug.GetEffectName(), cut);
  EXPECT_EQ(plug.GetProductName(), cut);
  EXPECT_EQ(plug.GetMfrName(), cut);
}

struct ChannelCase {
  const char* io;
  int nIn;
  int nOut;
  int nConfigs;
};

TEST(PlugBase, ChannelConfigurationsFromTheIOString) {
  const ChannelCase cases[] = {
      {"0-1 0-2", 0, 2, 2},
      {"0-2", 0, 2, 1},
      {"1-1 2-2", 2, 2, 2},
      {nullptr, 0, 0, 0},
      {"x", 0, 0, 1},
  };
  for (const ChannelCase& c : cases) {
    SCOPED_TRACE(c.io ? c.io : "null");
    TestHostPlug plug(1, c.io, 1);
    EXPECT_EQ(plug.NInChannels(), c.nIn);
    EXPECT_EQ(plug.NOutChannels(), c.nOut);
    EXPECT_EQ(plug.NChannelIO(), c.nConfigs);
  }
}

TEST(PlugBase, LegalIOMatchesConfigurationsWithWildcards) {
  TestHostPlug plug(1, "0-1 0-2", 1);
  const struct {
    int in, out;
    bool legal;
  } cases[] = {{0, 1, true},  {0, 2, true},  {0, 3, false}, {2, 2, false},
               {-1, 2, true}, {-1, -1, true}, {1, -1, false}, {-1, 4, false}};
  for (const auto& c : cases) EXPECT_EQ(plug.LegalIO(c.in, c.out), c.legal) << c.in << "-" << c.out;

  TestHostPlug none(1, nullptr, 1);
  EXPECT_FALSE(none.LegalIO(-1, -1));
  EXPECT_FALSE(none.LegalIO(0, 0));
}

TEST(PlugBase, VersionsAndTexts) {
  TestHostPlug plug;
  EXPECT_EQ(plug.GetEffectVersion(false), 0x10502);
  EXPECT_EQ(plug.GetEffectVersion(true), 10502);
  char text[MAX_VERSION_STR_LEN];
  plug.GetEffectVersionStr(text);
  EXPECT_STREQ(text, "v1.5.2");
  GetVersionStr(-1, text);
  EXPECT_STREQ(text, "v-1.255.255");
  EXPECT_EQ(GetDecimalVersion(-1), 655350000 + 25500 + 255);

  plug.SetHost("Reaper64", 0x00050102);
  EXPECT_EQ(plug.GetHost(), kHostReaper);
  EXPECT_EQ(plug.GetHostVersion(true), 50102);
  plug.GetHostVersionStr(text);
  EXPECT_STREQ(text, "v5.1.2");
}

TEST(PlugBase, SamplesPerBeatFollowsTheHostTempo) {
  TestHostPlug plug;
  EXPECT_EQ(plug.GetSamplesPerBeat(), 22050.0);
  plug.mTempo = 0.0;
  EXPECT_EQ(plug.GetSamplesPerBeat(), 0.0);
  plug.mTempo = -5.0;
  EXPECT_EQ(plug.GetSamplesPerBeat(), 0.0);
}

TEST(PlugBase, SetParameterFromGUIStoresInformsAndApplies) {
  TestHostPlug plug(3);
  plug.GetParam(1)->InitInt("steps", 0, 0, 10);
  plug.SetParameterFromGUI(1, 0.55);
  EXPECT_EQ(plug.GetParam(1)->Value(), 6.0);
  ASSERT_EQ(plug.mInformedChanges.size(), 1u);
  EXPECT_EQ(plug.mInformedChanges[0].idx, 1);
  EXPECT_EQ(plug.mInformedChanges[0].value, 0.55) << "the value received, not the stored one";
  EXPECT_EQ(plug.mParamChangeCalls, std::vector<int>{1});

  plug.SetParameterFromGUI(3, 0.5);
  EXPECT_EQ(plug.mInformedChanges.size(), 1u) << "invalid index ignored";
}

TEST(PlugBase, SetParameterFromGUIRefusesWhatIsNotANumberAndClampsTheRest) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double given;
    bool taken;
    double stored;  // and told to the host
  } cases[] = {
      {std::nan(""), false, 0.25}, {inf, false, 0.25}, {-inf, false, 0.25},
      {1.5, true, 1.0},            {-0.5, true, 0.0},  {1e300, true, 1.0},
  };
  for (const auto& c : cases) {
    TestHostPlug plug(1);
    plug.InitUnitParams(0.25);
    plug.SetParameterFromGUI(0, c.given);
    EXPECT_EQ(plug.GetParam(0)->Value(), c.stored) << c.given;
    if (!c.taken) {
      EXPECT_TRUE(plug.mInformedChanges.empty()) << c.given;
      EXPECT_TRUE(plug.mParamChangeCalls.empty()) << c.given;
      continue;
    }
    ASSERT_EQ(plug.mInformedChanges.size(), 1u) << c.given;
    EXPECT_EQ(plug.mInformedChanges[0].value, c.stored) << c.given;
    EXPECT_EQ(plug.mParamChangeCalls, std::vector<int>{0}) << c.given;
  }
}

TEST(PlugBase, AttachGraphicsPushesNormalisedValuesThenPrepares) {
  int destroyed = 0;
  TestHostPlug plug(3);
  plug.InitUnitParams(0.25);
  plug.GetParam(2)->SetShape(2.0);
  plug.AttachGraphics(nullptr);
  EXPECT_EQ(plug.GetGUI(), nullptr);

  auto* gui = new RecordingGraphics(&destroyed);
  plug.AttachGraphics(gui);
  EXPECT_EQ(plug.GetGUI(), gui);
  ASSERT_EQ(gui->mSetCalls.size(), 3u);
  EXPECT_EQ(gui->mSetCallsBeforePrepDraw, 3);
  EXPECT_EQ(gui->mPrepDrawCalls, 1);
  EXPECT_TRUE(gui->mSetCalls[0].normalized);
  EXPECT_DOUBLE_EQ(gui->mSetCalls[2].value, 0.5);

  gui->mSetCalls.clear();
  plug.RedrawParamControls();
  ASSERT_EQ(gui->mSetCalls.size(), 3u);
  EXPECT_FALSE(gui->mSetCalls[2].normalized);
  EXPECT_DOUBLE_EQ(gui->mSetCalls[2].value, 0.25) << "plain value";

  plug.AttachGraphics(new RecordingGraphics(&destroyed));
  EXPECT_EQ(destroyed, 1) << "a replaced editor is deleted";
}

TEST(PlugBase, DestructorDeletesTheEditor) {
  int destroyed = 0;
  {
    TestHostPlug plug(1);
    plug.AttachGraphics(new RecordingGraphics(&destroyed));
  }
  EXPECT_EQ(destroyed, 1);
}

TEST(PlugBase, DirtyParametersAndParamResetVisitEveryParameterInOrder) {
  TestHostPlug plug(4);
  plug.InitUnitParams(0.75);
  plug.DirtyParameters();
  ASSERT_EQ(plug.mInformedChanges.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(plug.mInformedChanges[i].idx, i);
    EXPECT_EQ(plug.mInformedChanges[i].value, 0.75);
  }
  plug.OnParamReset();
  EXPECT_EQ(plug.mParamChangeCalls, (std::vector<int>{0, 1, 2, 3}));
}

TEST(PlugBase, CompareStateWorksInSinglePrecision) {
  TestHostPlug plug(2);
  plug.InitUnitParams(0.5);
  const double close[3] = {99.0, 0.5 + 4e-6, 0.5 - 4e-6};
  EXPECT_TRUE(plug.CompareState(reinterpret_cast<const unsigned char*>(close), sizeof(close), 1));
  const double apart[3] = {99.0, 0.5, 0.5 + 3e-5};
  EXPECT_FALSE(plug.CompareState(reinterpret_cast<const unsigned char*>(apart), sizeof(apart), 1));
  TestHostPlug empty(0);
  EXPECT_TRUE(empty.CompareState(reinterpret_cast<const unsigned char*>(apart), sizeof(apart), 0));
}

// The caller's buffer is read only as far as it reaches.
TEST(PlugBase, CompareStateReadsNoFurtherThanTheData) {
  TestHostPlug plug(3);
  plug.InitUnitParams(0.5);
  const struct {
    int doubles, startPos;
    bool equal;
  } cases[] = {{3, 0, true}, {4, 1, true}, {2, 0, false}, {3, 1, false}, {0, 0, false}, {3, -1, false}};
  for (const auto& c : cases) {
    // Exactly as many bytes as stated, on the heap, so a read past them shows.
    std::unique_ptr<double[]> data(new double[static_cast<std::size_t>(c.doubles)]);
    for (int i = 0; i < c.doubles; ++i) data[static_cast<std::size_t>(i)] = 0.5;
    const int size = c.doubles * static_cast<int>(sizeof(double));
    EXPECT_EQ(plug.CompareState(reinterpret_cast<const unsigned char*>(data.get()), size, c.startPos), c.equal)
        << c.doubles << " doubles from " << c.startPos;
  }
  EXPECT_FALSE(plug.CompareState(nullptr, 0, 0));
}

TEST(PlugBase, BusLabelsOnlyForTheFirstTwoBuses) {
  TestHostPlug plug;
  plug.SetOutputBusLabel(0, "first");
  plug.SetOutputBusLabel(1, "second");
  plug.SetOutputBusLabel(0, "main");
  plug.SetOutputBusLabel(2, "third");
  ASSERT_NE(plug.GetOutputBusLabel(0), nullptr);
  ASSERT_NE(plug.GetOutputBusLabel(1), nullptr);
  EXPECT_STREQ(plug.GetOutputBusLabel(0)->Get(), "main");
  EXPECT_STREQ(plug.GetOutputBusLabel(1)->Get(), "second");
  EXPECT_EQ(plug.GetOutputBusLabel(2), nullptr);
  plug.SetInputBusLabel(-1, "none");
  EXPECT_EQ(plug.GetInputBusLabel(0), nullptr);

  plug.SetOutputLabel(1, "R");
  plug.SetOutputLabel(5, "ignored");
  EXPECT_STREQ(plug.GetOutputLabel(1), "R");
  EXPECT_STREQ(plug.GetOutputLabel(5), "");
}

TEST(PlugBase, DefaultHooks) {
  TestHostPlug plug;
  char name[8] = "x";
  EXPECT_FALSE(plug.MidiNoteName(60, name));
  EXPECT_STREQ(name, "");
  EXPECT_FALSE(plug.HostRequestingAboutBox());
  ISysEx sysex;
  EXPECT_FALSE(plug.SendSysEx(&sysex));

  IMidiMsg msg;
  msg.MakeNoteOnMsg(60, 1, 0);
  plug.ProcessMidiMsg(&msg);
  ASSERT_EQ(plug.mSentMidi.size(), 1u);

  WDL_TypedBuf<IMidiMsg> msgs;
  EXPECT_TRUE(plug.SendMidiMsgs(&msgs));
  msgs.Add(msg);
  msgs.Add(msg);
  plug.mAcceptMidi = false;
  EXPECT_FALSE(plug.SendMidiMsgs(&msgs));
  EXPECT_EQ(plug.mSentMidi.size(), 3u) << "every message is still sent";

  plug.SetLatency(64);
  EXPECT_EQ(plug.GetLatency(), 64);
}

}  // namespace
