// The fast parameter procedures, as a host calls them after asking for them.

#include <cmath>
#include <limits>

#include "tests/platform/HostFixture.h"
#include "tests/support/RecordingGraphics.h"

namespace {

using testsupport::RecordingGraphics;

class ParameterProcsTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    plug = Open();
    UInt32 size = sizeof(getProc);
    ASSERT_EQ(AudioUnitGetProperty(unit(), kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global,
                                   kAudioUnitGetParameterSelect, &getProc, &size),
              noErr);
    size = sizeof(setProc);
    ASSERT_EQ(AudioUnitGetProperty(unit(), kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global,
                                   kAudioUnitSetParameterSelect, &setProc, &size),
              noErr);
    storage = GetComponentInstanceStorage(unit());
  }

  fake::FakePlug* plug = nullptr;
  AudioUnitGetParameterProc getProc = nullptr;
  AudioUnitSetParameterProc setProc = nullptr;
  void* storage = nullptr;
};

TEST_F(ParameterProcsTest, SetClampsIntoTheRangeWhileTheEditorSeesTheValueAsSent) {
  RecordingGraphics* editor = new RecordingGraphics();
  plug->AttachGraphics(editor);
  editor->mSetCalls.clear();

  struct Case {
    int param;
    float sent;
    double stored;
  };
  const Case cases[] = {{fake::kVolume, 1.5f, 1.0}, {fake::kDrive, -3.0f, -1.0}, {fake::kCutoff, 0.25f, 0.25}};
  for (const Case& c : cases) {
    plug->paramChanges.clear();
    ASSERT_EQ(setProc(storage, c.param, kAudioUnitScope_Global, 0, c.sent, 0), noErr);
    EXPECT_EQ(plug->GetParam(c.param)->Value(), c.stored) << c.param;
    EXPECT_EQ(plug->paramChanges, std::vector<int>{c.param});
    ASSERT_FALSE(editor->mSetCalls.empty());
    EXPECT_EQ(editor->mSetCalls.back().idx, c.param);
    EXPECT_EQ(editor->mSetCalls.back().value, static_cast<double>(c.sent));
    EXPECT_FALSE(editor->mSetCalls.back().normalized);
  }
  AudioUnitParameterValue value = 0.0f;
  ASSERT_EQ(getProc(storage, fake::kDrive, kAudioUnitScope_Global, 7, &value), noErr);
  EXPECT_EQ(value, -1.0f);
}

TEST_F(ParameterProcsTest, RequestsOutsideTheParametersChangeNothing) {
  RecordingGraphics* editor = new RecordingGraphics();
  plug->AttachGraphics(editor);
  editor->mSetCalls.clear();
  const float inf = std::numeric_limits<float>::infinity();

  struct Case {
    AudioUnitParameterID id;
    AudioUnitScope scope;
    float value;
    OSStatus status;
  };
  const Case cases[] = {{fake::kVolume, kAudioUnitScope_Output, 0.5f, kAudioUnitErr_InvalidProperty},
                        {fake::kNumFakeParams, kAudioUnitScope_Global, 0.5f, kAudioUnitErr_InvalidElement},
                        {0xFFFFFFFFu, kAudioUnitScope_Global, 0.5f, kAudioUnitErr_InvalidElement},
                        {fake::kVolume, kAudioUnitScope_Global, std::nanf(""), kAudioUnitErr_InvalidPropertyValue},
                        {fake::kVolume, kAudioUnitScope_Global, -inf, kAudioUnitErr_InvalidPropertyValue}};
  for (const Case& c : cases) {
    EXPECT_EQ(setProc(storage, c.id, c.scope, 0, c.value, 0), c.status) << c.id;
    AudioUnitParameterValue value = -9.0f;
    if (c.status != kAudioUnitErr_InvalidPropertyValue) {
      EXPECT_EQ(getProc(storage, c.id, c.scope, 0, &value), c.status) << c.id;
      EXPECT_EQ(value, -9.0f);
    }
  }
  EXPECT_EQ(plug->GetParam(fake::kVolume)->Value(), 0.5);
  EXPECT_TRUE(plug->paramChanges.empty());
  EXPECT_TRUE(editor->mSetCalls.empty());
  EXPECT_EQ(getProc(storage, fake::kVolume, kAudioUnitScope_Global, 0, nullptr), paramErr);
}

TEST_F(ParameterProcsTest, EntrySelectorsReachTheSameProcedures) {
  ASSERT_EQ(AudioUnitSetParameter(unit(), fake::kCutoff, kAudioUnitScope_Global, 0, 0.625f, 0), noErr);
  AudioUnitParameterValue value = 0.0f;
  ASSERT_EQ(AudioUnitGetParameter(unit(), fake::kCutoff, kAudioUnitScope_Global, 0, &value), noErr);
  EXPECT_EQ(value, 0.625f);
  EXPECT_EQ(AudioUnitSetParameter(unit(), fake::kCutoff, kAudioUnitScope_Input, 0, 0.5f, 0),
            kAudioUnitErr_InvalidProperty);
}

}  // namespace
