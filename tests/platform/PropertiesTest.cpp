// The Audio Unit properties, asked through the entry as a host asks them.

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/standin/CFArray.h"
#include "platform/standin/CFBundle.h"
#include "platform/standin/CFString.h"
#include "tests/platform/HostFixture.h"
#include "tests/support/RecordingGraphics.h"

namespace {

using testsupport::RecordingGraphics;

using standin::CFStringText;

struct InfoCase {
  AudioUnitPropertyID id;
  AudioUnitScope scope;
  AudioUnitElement element;
  OSStatus status;
  UInt32 size;  // written size, or what stays when nothing is written
  bool writable;
};

constexpr UInt32 kUntouched = 0xDEAD;
constexpr AudioUnitScope kGlobal = kAudioUnitScope_Global;
constexpr AudioUnitScope kInput = kAudioUnitScope_Input;
constexpr AudioUnitScope kOutput = kAudioUnitScope_Output;

class PropertiesTest : public HostTest {
 protected:
  void ExpectInfo(const InfoCase& c) {
    UInt32 size = kUntouched;
    Boolean writable = true;
    EXPECT_EQ(AudioUnitGetPropertyInfo(unit(), c.id, c.scope, c.element, &size, &writable), c.status)
        << "property " << c.id << " scope " << c.scope << " element " << c.element;
    EXPECT_EQ(size, c.size) << "property " << c.id;
    EXPECT_EQ(writable != 0, c.writable) << "property " << c.id;
  }

  template <class T>
  OSStatus Get(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element, T* value) {
    UInt32 size = sizeof(T);
    return AudioUnitGetProperty(unit(), id, scope, element, value, &size);
  }

  template <class T>
  OSStatus Set(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element, const T& value) {
    return AudioUnitSetProperty(unit(), id, scope, element, &value, sizeof(T));
  }

  AudioUnitParameterInfo ParameterInfo(int idx) {
    AudioUnitParameterInfo info;
    EXPECT_EQ(Get(kAudioUnitProperty_ParameterInfo, kGlobal, idx, &info), noErr);
    return info;
  }

  void ReleaseInfo(const AudioUnitParameterInfo& info) {
    if (info.cfNameString) CFRelease(info.cfNameString);
    if (info.unitName) CFRelease(info.unitName);
  }

  std::string TakeString(CFStringRef string) {
    std::string text = CFStringText(string);
    if (string) CFRelease(string);
    return text;
  }
};

void CountingListener(void* userData, AudioUnit, AudioUnitPropertyID, AudioUnitScope, AudioUnitElement element) {
  static_cast<std::vector<AudioUnitElement>*>(userData)->push_back(element);
}

TEST_F(PropertiesTest, EveryPropertyAnswersItsStatusAndSizeOnThisMachine) {
  Open();
  const InfoCase cases[] = {
      {kAudioUnitProperty_ClassInfo, kOutput, 0, noErr, 8, true},
      {kAudioUnitProperty_MakeConnection, kGlobal, 0, noErr, 16, true},
      {kAudioUnitProperty_MakeConnection, kOutput, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_SampleRate, kInput, 3, noErr, 8, true},
      {kAudioUnitProperty_ParameterList, kGlobal, 0, noErr, 4 * fake::kNumFakeParams, false},
      {kAudioUnitProperty_ParameterList, kInput, 0, noErr, 0, false},
      {kAudioUnitProperty_ParameterInfo, kGlobal, 0, noErr, 104, false},
      {kAudioUnitProperty_ParameterInfo, kGlobal, fake::kNumFakeParams, kAudioUnitErr_InvalidElement, kUntouched,
       false},
      {kAudioUnitProperty_ParameterInfo, kOutput, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_FastDispatch, kGlobal, 14, noErr, 8, false},
      {kAudioUnitProperty_FastDispatch, kGlobal, 9, kAudioUnitErr_InvalidElement, kUntouched, false},
      {kAudioUnitProperty_StreamFormat, kOutput, 0, noErr, 40, true},
      {kAudioUnitProperty_StreamFormat, kGlobal, 0, noErr, 40, true},
      {kAudioUnitProperty_StreamFormat, kOutput, 1, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_StreamFormat, kInput, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_ElementCount, kInput, 0, noErr, 4, false},
      {kAudioUnitProperty_Latency, kGlobal, 0, noErr, 8, false},
      {kAudioUnitProperty_Latency, kOutput, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_SupportedNumChannels, kGlobal, 0, noErr, 8, false},
      {kAudioUnitProperty_MaximumFramesPerSlice, kGlobal, 0, noErr, 4, true},
      {kAudioUnitProperty_MaximumFramesPerSlice, kOutput, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_ParameterValueStrings, kGlobal, fake::kMode, noErr, 8, false},
      {kAudioUnitProperty_ParameterValueStrings, kGlobal, fake::kVolume, kAudioUnitErr_InvalidProperty, 0, false},
      {kAudioUnitProperty_ParameterValueStrings, kGlobal, 99, kAudioUnitErr_InvalidElement, kUntouched, false},
      {kAudioUnitProperty_GetUIComponentList, kGlobal, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_AudioChannelLayout, kOutput, 0, kAudioUnitErr_InvalidPropertyValue, kUntouched, false},
      {kAudioUnitProperty_TailTime, kGlobal, 0, noErr, 8, false},
      {kAudioUnitProperty_BypassEffect, kGlobal, 0, noErr, 4, true},
      {kAudioUnitProperty_LastRenderError, kGlobal, 0, noErr, 4, false},
      {kAudioUnitProperty_SetRenderCallback, kInput, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_FactoryPresets, kGlobal, 0, noErr, 8, false},
      {kAudioUnitProperty_HostCallbacks, kGlobal, 0, noErr, 32, true},
      {kAudioUnitProperty_CurrentPreset, kGlobal, 0, noErr, 16, true},
      {kAudioUnitProperty_ElementName, kOutput, 0, kAudioUnitErr_InvalidProperty, 8, false},
      {kAudioUnitProperty_CocoaUI, kGlobal, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_SupportedChannelLayoutTags, kOutput, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_ParameterStringFromValue, kInput, 0, noErr, 24, false},
      {kAudioUnitProperty_ParameterIDName, kGlobal, 0, noErr, 16, false},
      {kAudioUnitProperty_ParameterClumpName, kGlobal, 0, noErr, 16, false},
      {kAudioUnitProperty_PresentPreset, kGlobal, 0, noErr, 16, true},
      {kAudioUnitProperty_OfflineRender, kGlobal, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kAudioUnitProperty_ParameterValueFromString, kGlobal, 0, noErr, 24, false},
      {kAudioUnitProperty_AUHostIdentifier, kGlobal, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
      {kMusicDeviceProperty_InstrumentCount, kGlobal, 0, noErr, 4, false},
      {kMusicDeviceProperty_InstrumentCount, kInput, 0, kAudioUnitErr_InvalidProperty, kUntouched, false},
  };
  for (const InfoCase& c : cases) ExpectInfo(c);
  for (AudioUnitPropertyID id : {6u, 7u, 9u, 10u, 15u, 17u, 25u, 26u, 29u, 39u, 45u, 47u, 999u, 1001u}) {
    ExpectInfo({id, kGlobal, 0, kAudioUnitErr_InvalidProperty, kUntouched, false});
    const UInt32 value = 1;
    EXPECT_EQ(Set(id, kGlobal, 0, value), kAudioUnitErr_InvalidProperty) << id;
  }
}

// A record that would not fit: nothing is read or written, and the host's
// buffer, size and the unit's state stay as they were.
TEST_F(PropertiesTest, DataShorterThanTheRecordIsRefusedAndTouchesNothing) {
  fake::FakePlug* plug = Open();
  const struct {
    AudioUnitPropertyID id;
    AudioUnitScope scope;
    AudioUnitElement element;
    UInt32 recordSize;
  } gets[] = {
      {kAudioUnitProperty_ClassInfo, kGlobal, 0, sizeof(CFPropertyListRef)},
      {kAudioUnitProperty_SampleRate, kGlobal, 0, sizeof(Float64)},
      {kAudioUnitProperty_ParameterList, kGlobal, 0, 4 * fake::kNumFakeParams},
      {kAudioUnitProperty_ParameterInfo, kGlobal, 0, sizeof(AudioUnitParameterInfo)},
      {kAudioUnitProperty_FastDispatch, kGlobal, 14, sizeof(AudioUnitRenderProc)},
      {kAudioUnitProperty_StreamFormat, kOutput, 0, sizeof(AudioStreamBasicDescription)},
      {kAudioUnitProperty_SupportedNumChannels, kGlobal, 0, 2 * sizeof(AUChannelInfo)},
      {kAudioUnitProperty_MaximumFramesPerSlice, kGlobal, 0, sizeof(UInt32)},
      {kAudioUnitProperty_FactoryPresets, kGlobal, 0, sizeof(CFArrayRef)},
      {kAudioUnitProperty_CurrentPreset, kGlobal, 0, sizeof(AUPreset)},
      {kAudioUnitProperty_ParameterIDName, kGlobal, 0, sizeof(AudioUnitParameterNameInfo)},
  };
  for (const auto& c : gets) {
    std::vector<unsigned char> buffer(c.recordSize, 0xAB);
    UInt32 size = c.recordSize - 1;
    EXPECT_EQ(AudioUnitGetProperty(unit(), c.id, c.scope, c.element, buffer.data(), &size),
              kAudioUnitErr_InvalidPropertyValue)
        << "property " << c.id;
    EXPECT_EQ(size, c.recordSize - 1) << "property " << c.id;
    EXPECT_EQ(buffer, std::vector<unsigned char>(c.recordSize, 0xAB)) << "property " << c.id;
  }

  AudioStreamBasicDescription format = {};
  MakeDefaultASBD(&format, 48000.0, 1, false);
  const AUPreset preset = {2, nullptr};
  const UInt32 one = 1, frames = 64;
  const Float64 rate = 48000.0;
  const AURenderCallbackStruct callback = {nullptr, nullptr};
  const struct {
    AudioUnitPropertyID id;
    AudioUnitScope scope;
    const void* data;
    UInt32 recordSize;
  } sets[] = {
      {kAudioUnitProperty_SampleRate, kGlobal, &rate, sizeof(rate)},
      {kAudioUnitProperty_StreamFormat, kOutput, &format, sizeof(format)},
      {kAudioUnitProperty_MaximumFramesPerSlice, kGlobal, &frames, sizeof(frames)},
      {kAudioUnitProperty_BypassEffect, kGlobal, &one, sizeof(one)},
      {kAudioUnitProperty_OfflineRender, kGlobal, &one, sizeof(one)},
      {kAudioUnitProperty_CurrentPreset, kGlobal, &preset, sizeof(preset)},
      {kAudioUnitProperty_PresentPreset, kGlobal, &preset, sizeof(preset)},
      {kAudioUnitProperty_SetRenderCallback, kInput, &callback, sizeof(callback)},
  };
  auto state = [plug] {
    return std::vector<double>{plug->GetSampleRate(), double(plug->GetBlockSize()), double(plug->IsBypassed()),
                               double(plug->IsRenderingOffline()), double(plug->GetCurrentPresetIdx()),
                               double(plug->mOutputBuses.Get(0)->mHostChannelCount), double(plug->resets)};
  };
  const std::vector<double> before = state();
  for (const auto& c : sets) {
    EXPECT_EQ(AudioUnitSetProperty(unit(), c.id, c.scope, 0, c.data, c.recordSize - 1),
              kAudioUnitErr_InvalidPropertyValue)
        << "property " << c.id;
    EXPECT_EQ(state(), before) << "property " << c.id;
  }
}

TEST_F(PropertiesTest, EditorPropertiesAnswerOnceAnEditorIsAttached) {
  fake::FakePlug* plug = Open();
  plug->AttachGraphics(new RecordingGraphics());
  standin::RegisterBundle("com.example.fakeplug", "/opt/fake/Fake.component");
  ExpectInfo({kAudioUnitProperty_GetUIComponentList, kGlobal, 0, noErr, 20, false});
  ExpectInfo({kAudioUnitProperty_CocoaUI, kGlobal, 0, noErr, 16, false});

  ComponentDescription view;
  ASSERT_EQ(Get(kAudioUnitProperty_GetUIComponentList, kGlobal, 0, &view), noErr);
  EXPECT_EQ(view.componentType, FourCC("auvw"));
  EXPECT_EQ(view.componentSubType, FourCC("3bti"));
  EXPECT_EQ(view.componentManufacturer, FourCC("QuVa"));

  AudioUnitCocoaViewInfo info = {};
  ASSERT_EQ(Get(kAudioUnitProperty_CocoaUI, kGlobal, 0, &info), noErr);
  EXPECT_EQ(CFStringText(CFURLGetString(info.mCocoaAUViewBundleLocation)), "file:///opt/fake/Fake.component");
  EXPECT_EQ(TakeString(info.mCocoaAUViewClass[0]), "Thudrokka_View");
  CFRelease(info.mCocoaAUViewBundleLocation);

  standin::SetSystemVersion(0x1049);
  ExpectInfo({kAudioUnitProperty_CocoaUI, kGlobal, 0, kAudioUnitErr_InvalidProperty, kUntouched, false});
  standin::SetSystemVersion(0x1090);
}

TEST_F(PropertiesTest, ParameterInfoDescribesEachKindOfParameter) {
  fake::FakePlug* plug = Open();
  plug->GetParam(fake::kVolume)->Set(0.3);

  AudioUnitParameterInfo volume = ParameterInfo(fake::kVolume);
  EXPECT_STREQ(volume.name, "Osc1 volume");
  EXPECT_EQ(CFStringText(volume.cfNameString), "Osc1 volume");
  EXPECT_EQ(volume.flags, 0xC8000010u);
  EXPECT_EQ(volume.unit, kAudioUnitParameterUnit_Generic);
  EXPECT_EQ(volume.unitName, nullptr);
  EXPECT_EQ(volume.minValue, 0.0f);
  EXPECT_EQ(volume.maxValue, 1.0f);
  EXPECT_EQ(volume.defaultValue, 0.3f);  // the current value, not the declared default
  EXPECT_EQ(volume.clumpID, 0u);
  ReleaseInfo(volume);

  AudioUnitParameterInfo cutoff = ParameterInfo(fake::kCutoff);
  EXPECT_EQ(cutoff.unit, kAudioUnitParameterUnit_CustomUnit);
  EXPECT_EQ(CFStringText(cutoff.unitName), "Hz");
  EXPECT_EQ(cutoff.flags, 0xC8000010u | kAudioUnitParameterFlag_HasClump);
  ReleaseInfo(cutoff);

  const std::pair<int, AudioUnitParameterUnit> units[] = {{fake::kMode, kAudioUnitParameterUnit_Indexed},
                                                          {fake::kPower, kAudioUnitParameterUnit_Boolean},
                                                          {fake::kSteps, kAudioUnitParameterUnit_Indexed}};
  for (const auto& u : units) {
    AudioUnitParameterInfo info = ParameterInfo(u.first);
    EXPECT_EQ(info.unit, u.second) << u.first;
    ReleaseInfo(info);
  }
  AudioUnitParameterInfo steps = ParameterInfo(fake::kSteps);
  EXPECT_EQ(steps.flags & kAudioUnitParameterFlag_IsWritable, 0u);
  ReleaseInfo(steps);
}

TEST_F(PropertiesTest, ClumpIdsFollowTheOrderGroupsAreFirstAskedFor) {
  Open();
  const int askOrder[] = {fake::kCutoff, fake::kMode, fake::kCutoff, fake::kDrive};
  const UInt32 expectedClump[] = {1, 2, 1, 1};
  for (int i = 0; i < 4; ++i) {
    AudioUnitParameterInfo info = ParameterInfo(askOrder[i]);
    EXPECT_EQ(info.clumpID, expectedClump[i]) << i;
    ReleaseInfo(info);
  }
  const std::pair<UInt32, const char*> names[] = {{1, "B"}, {2, "A"}};
  for (const auto& n : names) {
    AudioUnitParameterNameInfo request = {n.first, kAudioUnitParameterName_Full, nullptr};
    ASSERT_EQ(Get(kAudioUnitProperty_ParameterClumpName, kGlobal, 0, &request), noErr);
    EXPECT_EQ(TakeString(request.outName), n.second);
  }
  for (UInt32 clump : {0u, 3u}) {
    AudioUnitParameterNameInfo request = {clump, kAudioUnitParameterName_Full, nullptr};
    EXPECT_EQ(Get(kAudioUnitProperty_ParameterClumpName, kGlobal, 0, &request), kAudioUnitErr_PropertyNotInUse);
    EXPECT_EQ(request.outName, nullptr);
  }
}

TEST_F(PropertiesTest, ParameterNamesCutToTheDesiredLength) {
  fake::FakePlug* plug = Open();
  const std::pair<SInt32, const char*> cases[] = {{4, "Osc1"}, {0, ""}, {-1, "Osc1 volume"}, {200, "Osc1 volume"}};
  for (const auto& c : cases) {
    AudioUnitParameterNameInfo request = {fake::kVolume, c.first, nullptr};
    ASSERT_EQ(Get(kAudioUnitProperty_ParameterIDName, kGlobal, 0, &request), noErr);
    EXPECT_EQ(TakeString(request.outName), c.second) << c.first;
  }
  // A cut never splits a character.
  plug->GetParam(fake::kSteps)->InitInt("\xC3\x9C" "ber volume", 3, 0, 10);
  const std::pair<SInt32, const char*> umlaut[] = {{1, ""}, {2, "\xC3\x9C"}, {3, "\xC3\x9C" "b"}};
  for (const auto& c : umlaut) {
    AudioUnitParameterNameInfo request = {fake::kSteps, c.first, nullptr};
    ASSERT_EQ(Get(kAudioUnitProperty_ParameterIDName, kGlobal, 0, &request), noErr);
    ASSERT_NE(request.outName, nullptr) << c.first;
    EXPECT_EQ(TakeString(request.outName), c.second) << c.first;
  }
  AudioUnitParameterNameInfo bad = {fake::kVolume, -2, nullptr};
  EXPECT_EQ(Get(kAudioUnitProperty_ParameterIDName, kGlobal, 0, &bad), kAudioUnitErr_InvalidPropertyValue);
  bad = {fake::kNumFakeParams, 4, nullptr};
  EXPECT_EQ(Get(kAudioUnitProperty_ParameterIDName, kGlobal, 0, &bad), kAudioUnitErr_InvalidElement);
  // Outside the global scope the request is accepted and left unanswered.
  AudioUnitParameterNameInfo other = {fake::kVolume, 4, nullptr};
  EXPECT_EQ(Get(kAudioUnitProperty_ParameterIDName, kOutput, 0, &other), noErr);
  EXPECT_EQ(other.outName, nullptr);
}

TEST_F(PropertiesTest, ParameterValuesConvertToAndFromText) {
  fake::FakePlug* plug = Open();
  struct ToText {
    int param;
    float value;
  };
  for (const ToText& c : {ToText{fake::kMode, 1.0f}, ToText{fake::kVolume, 0.5f}, ToText{fake::kDrive, 0.25f}}) {
    AudioUnitParameterStringFromValue request = {static_cast<UInt32>(c.param), &c.value, nullptr};
    ASSERT_EQ(Get(kAudioUnitProperty_ParameterStringFromValue, kGlobal, 0, &request), noErr);
    char expected[MAX_PARAM_DISPLAY_LEN];
    plug->GetParam(c.param)->GetDisplayForHost(c.value, false, expected, true);
    EXPECT_EQ(TakeString(request.outString), expected) << c.param;
  }
  // Without a value, the text of the current one.
  ASSERT_EQ(session.SetParameter(fake::kVolume, 0.75f), noErr);
  AudioUnitParameterStringFromValue current = {fake::kVolume, nullptr, nullptr};
  ASSERT_EQ(Get(kAudioUnitProperty_ParameterStringFromValue, kGlobal, 0, &current), noErr);
  char expected[MAX_PARAM_DISPLAY_LEN];
  plug->GetParam(fake::kVolume)->GetDisplayForHost(0.75, false, expected, true);
  EXPECT_EQ(TakeString(current.outString), expected);
  const float nan = std::nanf("");
  AudioUnitParameterStringFromValue notANumber = {fake::kVolume, &nan, nullptr};
  EXPECT_EQ(Get(kAudioUnitProperty_ParameterStringFromValue, kGlobal, 0, &notANumber),
            kAudioUnitErr_InvalidPropertyValue);

  struct FromText {
    int param;
    const char* text;
    float expected;
  };
  const FromText fromText[] = {{fake::kMode, "HP", 1.0f},
                               {fake::kMode, "XX", -7.0f},  // no match leaves the value as it was
                               {fake::kVolume, "0.25", 0.25f},
                               {fake::kDrive, "0.5", -0.5f}};
  for (const FromText& c : fromText) {
    CFStringRef text = CFStringCreateWithCString(nullptr, c.text, kCFStringEncodingUTF8);
    AudioUnitParameterValueFromString request = {static_cast<UInt32>(c.param), text, -7.0f};
    EXPECT_EQ(Get(kAudioUnitProperty_ParameterValueFromString, kGlobal, 0, &request), noErr);
    EXPECT_EQ(request.outValue, c.expected) << c.text;
    CFRelease(text);
  }
  AudioUnitParameterValueFromString noText = {fake::kVolume, nullptr, 0.0f};
  EXPECT_EQ(Get(kAudioUnitProperty_ParameterValueFromString, kGlobal, 0, &noText),
            kAudioUnitErr_InvalidPropertyValue);
}

TEST_F(PropertiesTest, ValueStringsListTheDisplayTexts) {
  Open();
  CFArrayRef texts = nullptr;
  ASSERT_EQ(Get(kAudioUnitProperty_ParameterValueStrings, kGlobal, fake::kMode, &texts), noErr);
  ASSERT_EQ(CFArrayGetCount(texts), 3);
  const char* expected[] = {"LP", "HP", "BP"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(CFStringText(static_cast<CFStringRef>(CFArrayGetValueAtIndex(texts, i))), expected[i]);
  }
  CFRelease(texts);
}

TEST_F(PropertiesTest, ElementNamesComeFromTheBusLabels) {
  Open();
  CFStringRef name = nullptr;
  ASSERT_EQ(Get(kAudioUnitProperty_ElementName, kOutput, 0, &name), noErr);
  EXPECT_EQ(TakeString(name), "output 1");
  EXPECT_EQ(Get(kAudioUnitProperty_ElementName, kGlobal, 0, &name), kAudioUnitErr_InvalidScope);
  EXPECT_EQ(Get(kAudioUnitProperty_ElementName, kOutput, 1, &name), kAudioUnitErr_InvalidElement);
  EXPECT_EQ(Get(kAudioUnitProperty_ElementName, kInput, 2, &name), kAudioUnitErr_InvalidElement);
  session.Close();

  fake::FakePlugConfig config;
  config.channelIO = "1-1 2-2";
  config.isInstrument = false;
  Open(config);
  const std::pair<AudioUnitElement, const char*> inputs[] = {{0, "input"}, {1, "aux input"}};
  for (const auto& input : inputs) {
    ASSERT_EQ(Get(kAudioUnitProperty_ElementName, kInput, input.first, &name), noErr);
    EXPECT_EQ(TakeString(name), input.second);
  }
  ASSERT_EQ(Get(kAudioUnitProperty_ElementName, kOutput, 0, &name), noErr);
  EXPECT_EQ(TakeString(name), "output");
}

TEST_F(PropertiesTest, StreamFormatsAreCheckedAgainstTheChannelConfigurations) {
  fake::FakePlug* plug = Open();
  EXPECT_EQ(session.SetStreamFormat(kOutput, 0, 3, 44100.0), kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(plug->mOutputBuses.Get(0)->mHostChannelCount, -1);
  EXPECT_EQ(session.SetStreamFormat(kOutput, 0, 2, 48000.0), noErr);
  EXPECT_EQ(plug->mOutputBuses.Get(0)->mHostChannelCount, 2);
  EXPECT_EQ(plug->GetSampleRate(), 48000.0);

  AudioStreamBasicDescription format;
  ASSERT_EQ(Get(kAudioUnitProperty_StreamFormat, kOutput, 0, &format), noErr);
  EXPECT_EQ(format.mSampleRate, 48000.0);
  EXPECT_EQ(format.mFormatID, kAudioFormatLinearPCM);
  EXPECT_EQ(format.mFormatFlags, 41u);
  EXPECT_EQ(format.mBytesPerPacket, 4u);
  EXPECT_EQ(format.mBytesPerFrame, 4u);
  EXPECT_EQ(format.mFramesPerPacket, 1u);
  EXPECT_EQ(format.mChannelsPerFrame, 2u);
  EXPECT_EQ(format.mBitsPerChannel, 32u);

  // A refused format leaves the bus as it was.
  for (UInt32 channels : {0u, 3u, 0x80000002u}) {
    AudioStreamBasicDescription f = format;
    f.mChannelsPerFrame = channels;
    EXPECT_EQ(Set(kAudioUnitProperty_StreamFormat, kOutput, 0, f), kAudioUnitErr_InvalidProperty) << channels;
    EXPECT_EQ(plug->mOutputBuses.Get(0)->mHostChannelCount, 2) << channels;
  }
  // A format without a rate keeps the unit's; one with a rate the plug-in
  // cannot run at is refused.
  for (double rate : {0.0, -1.0, std::nan("")}) {
    EXPECT_EQ(session.SetStreamFormat(kOutput, 0, 1, rate), noErr) << rate;
    EXPECT_EQ(plug->GetSampleRate(), 48000.0);
  }
  EXPECT_EQ(session.SetStreamFormat(kOutput, 0, 1, HUGE_VAL), kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(plug->GetSampleRate(), 48000.0);
}

// Only what the render path fills: the unit's own 32-bit floats, one buffer
// per channel. The rest is refused and leaves the bus as it was.
TEST_F(PropertiesTest, FormatsTheRenderCannotFillAreNotSupported) {
  fake::FakePlug* plug = Open();
  AudioStreamBasicDescription reported;
  ASSERT_EQ(Get(kAudioUnitProperty_StreamFormat, kOutput, 0, &reported), noErr);
  constexpr AudioFormatFlags kFloat = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked;
  constexpr AudioFormatFlags kInteger = kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked;
  struct Encoding {
    const char* what;
    AudioFormatID id;
    AudioFormatFlags flags;
    UInt32 bits;
    UInt32 bytesPerFrame;
  };
  const Encoding refused[] = {
      {"interleaved float", kAudioFormatLinearPCM, kFloat, 32, 8},
      {"16-bit integer", kAudioFormatLinearPCM, kInteger | kAudioFormatFlagIsNonInterleaved, 16, 2},
      {"32-bit integer", kAudioFormatLinearPCM, kInteger | kAudioFormatFlagIsNonInterleaved, 32, 4},
      {"64-bit float", kAudioFormatLinearPCM, kFloat | kAudioFormatFlagIsNonInterleaved, 64, 8},
      {"big-endian float", kAudioFormatLinearPCM,
       kFloat | kAudioFormatFlagIsNonInterleaved | kAudioFormatFlagIsBigEndian, 32, 4},
      {"not float", kAudioFormatLinearPCM, kAudioFormatFlagIsNonInterleaved, 32, 4},
      {"not linear PCM", FourCC("aac "), kFloat | kAudioFormatFlagIsNonInterleaved, 32, 4},
  };
  for (const Encoding& e : refused) {
    AudioStreamBasicDescription f = reported;
    f.mFormatID = e.id;
    f.mFormatFlags = e.flags;
    f.mBitsPerChannel = e.bits;
    f.mBytesPerFrame = f.mBytesPerPacket = e.bytesPerFrame;
    EXPECT_EQ(Set(kAudioUnitProperty_StreamFormat, kOutput, 0, f), kAudioUnitErr_FormatNotSupported) << e.what;
    EXPECT_EQ(plug->mOutputBuses.Get(0)->mHostChannelCount, -1) << e.what;
  }
  EXPECT_EQ(Set(kAudioUnitProperty_StreamFormat, kOutput, 0, reported), noErr);
  EXPECT_EQ(plug->mOutputBuses.Get(0)->mHostChannelCount, 2);
}

// Hosts read a format and set it back when they rebuild a graph, also when
// they never set one before initialising.
TEST_F(PropertiesTest, TheFormatReadBackIsTakenOnceInitialised) {
  fake::FakePlug* plug = Open();
  ASSERT_EQ(session.Initialize(), noErr);
  const int resets = plug->resets;
  AudioStreamBasicDescription format;
  ASSERT_EQ(Get(kAudioUnitProperty_StreamFormat, kOutput, 0, &format), noErr);
  EXPECT_EQ(Set(kAudioUnitProperty_StreamFormat, kOutput, 0, format), noErr);
  AudioStreamBasicDescription after;
  ASSERT_EQ(Get(kAudioUnitProperty_StreamFormat, kOutput, 0, &after), noErr);
  EXPECT_EQ(std::memcmp(&after, &format, sizeof(format)), 0);
  EXPECT_EQ(plug->resets, resets);
}

// The render thread works in the unit's slice buffers and reads its bus
// formats: an initialised unit keeps both, and takes what it has already.
TEST_F(PropertiesTest, SliceAndFormatChangeOnlyWhileUninitialised) {
  fake::FakePlug* plug = Open();
  ASSERT_EQ(session.SetStreamFormat(kOutput, 0, 2, 48000.0), noErr);
  ASSERT_EQ(session.SetMaxFramesPerSlice(256), noErr);
  ASSERT_EQ(session.Initialize(), noErr);
  const int resets = plug->resets;

  EXPECT_EQ(session.SetMaxFramesPerSlice(4096), kAudioUnitErr_Initialized);
  EXPECT_EQ(session.SetMaxFramesPerSlice(256), noErr);
  EXPECT_EQ(plug->GetBlockSize(), 256);
  struct Format {
    UInt32 channels;
    double rate;
    OSStatus status;
  };
  const Format formats[] = {{1, 48000.0, kAudioUnitErr_Initialized},
                            {2, 96000.0, kAudioUnitErr_Initialized},
                            {2, 48000.0, noErr},
                            {2, 0.0, noErr}};
  for (const Format& f : formats) {
    EXPECT_EQ(session.SetStreamFormat(kOutput, 0, f.channels, f.rate), f.status) << f.channels << " " << f.rate;
    EXPECT_EQ(plug->mOutputBuses.Get(0)->mHostChannelCount, 2);
    EXPECT_EQ(plug->GetSampleRate(), 48000.0);
  }
  EXPECT_EQ(plug->resets, resets);

  ASSERT_EQ(session.Uninitialize(), noErr);
  EXPECT_EQ(session.SetMaxFramesPerSlice(4096), noErr);
  EXPECT_EQ(plug->GetBlockSize(), 4096);
  EXPECT_EQ(session.SetStreamFormat(kOutput, 0, 1, 96000.0), noErr);
  EXPECT_EQ(plug->mOutputBuses.Get(0)->mHostChannelCount, 1);
  EXPECT_EQ(plug->GetSampleRate(), 96000.0);
  // Both reset the plug-in, the format because it brought a new rate.
  EXPECT_EQ(plug->resets, resets + 2);
}

TEST_F(PropertiesTest, SampleRateAndMaximumFramesResetThePlugIn) {
  fake::FakePlug* plug = Open();
  EXPECT_EQ(session.SetSampleRate(96000.0), noErr);
  EXPECT_EQ(plug->GetSampleRate(), 96000.0);
  EXPECT_EQ(session.SetMaxFramesPerSlice(512), noErr);
  EXPECT_EQ(plug->GetBlockSize(), 512);
  EXPECT_EQ(plug->resets, 2);
  UInt32 frames = 0;
  ASSERT_EQ(Get(kAudioUnitProperty_MaximumFramesPerSlice, kGlobal, 0, &frames), noErr);
  EXPECT_EQ(frames, 512u);

  for (double rate : {0.0, -44100.0, std::nan(""), HUGE_VAL}) {
    EXPECT_EQ(session.SetSampleRate(rate), kAudioUnitErr_InvalidPropertyValue) << rate;
  }
  EXPECT_EQ(plug->GetSampleRate(), 96000.0);
  // A size the unit cannot hold is refused and leaves the size it has.
  for (UInt32 refused : {0x7FFFFFFFu, 0x80000000u}) {
    EXPECT_EQ(session.SetMaxFramesPerSlice(refused), kAudioUnitErr_InvalidPropertyValue) << refused;
    ASSERT_EQ(Get(kAudioUnitProperty_MaximumFramesPerSlice, kGlobal, 0, &frames), noErr);
    EXPECT_EQ(frames, 512u) << refused;
  }
  EXPECT_EQ(plug->resets, 2);
  float* channels[2] = {nullptr, nullptr};
  EXPECT_EQ(session.Render(0, 512, channels, 2), noErr);
}

TEST_F(PropertiesTest, LatencyAndTailTimeAreZeroForAnInstrumentWithoutLatency) {
  Open();
  for (AudioUnitPropertyID id : {kAudioUnitProperty_Latency, kAudioUnitProperty_TailTime}) {
    Float64 seconds = -1.0;
    ASSERT_EQ(Get(id, kGlobal, 0, &seconds), noErr);
    EXPECT_EQ(seconds, 0.0);
  }
}

TEST_F(PropertiesTest, BypassReadsBackAsOneAndTellsListenersOnElementZero) {
  fake::FakePlug* plug = Open();
  std::vector<AudioUnitElement> heard;
  ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kAudioUnitProperty_BypassEffect, CountingListener, &heard), noErr);
  EXPECT_EQ(Set<UInt32>(kAudioUnitProperty_BypassEffect, kOutput, 3, 5), noErr);
  UInt32 bypassed = 0;
  ASSERT_EQ(Get(kAudioUnitProperty_BypassEffect, kGlobal, 0, &bypassed), noErr);
  EXPECT_EQ(bypassed, 1u);
  EXPECT_EQ(Set<UInt32>(kAudioUnitProperty_BypassEffect, kGlobal, 0, 0), noErr);
  EXPECT_EQ(heard, (std::vector<AudioUnitElement>{0, 0}));
  EXPECT_EQ(plug->activations, (std::vector<bool>{false, true}));
  EXPECT_EQ(plug->resets, 2);
}

TEST_F(PropertiesTest, SetWithoutDataFailsAfterTheListenersHeardOfIt) {
  Open();
  std::vector<AudioUnitElement> heard;
  ASSERT_EQ(AudioUnitAddPropertyListener(unit(), kAudioUnitProperty_SampleRate, CountingListener, &heard), noErr);
  EXPECT_EQ(AudioUnitSetProperty(unit(), kAudioUnitProperty_SampleRate, kGlobal, 0, nullptr, 8),
            kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(heard.size(), 1u);
}

TEST_F(PropertiesTest, PresetPropertiesSelectSlotsByNumber) {
  fake::FakePlug* plug = Open();
  EXPECT_EQ(session.SetCurrentPreset(2), noErr);
  standin::HostSession::Preset current;
  ASSERT_EQ(session.GetCurrentPreset(&current), noErr);
  EXPECT_EQ(current.number, 2);
  EXPECT_EQ(current.name, "Bass");
  EXPECT_EQ(plug->GetParam(fake::kSteps)->Value(), 10.0);

  EXPECT_EQ(session.SetCurrentPreset(99), noErr);
  ASSERT_EQ(session.GetCurrentPreset(&current), noErr);
  EXPECT_EQ(current.number, 2);
}

TEST_F(PropertiesTest, FailedFactoryPresetArrayReportsCoreFoundationError) {
  Open();
  CFArrayRef presets = nullptr;
  standin::CFFailAllocationAfter(0);
  EXPECT_EQ(Get(kAudioUnitProperty_FactoryPresets, kGlobal, 0, &presets), coreFoundationUnknownErr);
  standin::CFFailAllocationAfter(-1);
  EXPECT_EQ(presets, nullptr);
}

TEST_F(PropertiesTest, HostIdentifierIdentifiesTheHost) {
  fake::FakePlug* plug = Open();
  const int identifiedAtOpen = plug->hostIdentified;
  CFStringRef name = CFStringCreateWithCString(nullptr, "Logic Pro", kCFStringEncodingUTF8);
  AUHostIdentifier identifier = {name, {0, 0, 0x12, 9}};
  EXPECT_EQ(Set(kAudioUnitProperty_AUHostIdentifier, kGlobal, 0, identifier), noErr);
  CFRelease(name);
  EXPECT_EQ(plug->GetHost(), kHostLogic);
  EXPECT_EQ(plug->GetHostVersion(false), (9 << 16) | (1 << 8) | 2);
  EXPECT_EQ(plug->hostIdentified, identifiedAtOpen + 1);
}

TEST_F(PropertiesTest, OfflineRenderIsSetOnly) {
  fake::FakePlug* plug = Open();
  EXPECT_EQ(Set<UInt32>(kAudioUnitProperty_OfflineRender, kGlobal, 0, 1), noErr);
  EXPECT_TRUE(plug->IsRenderingOffline());
  UInt32 offline = 0;
  EXPECT_EQ(Get(kAudioUnitProperty_OfflineRender, kGlobal, 0, &offline), kAudioUnitErr_InvalidProperty);
}

TEST_F(PropertiesTest, ChannelLayoutTagsAnswerOnlyForSeveralOutputBuses) {
  fake::FakePlugConfig config;
  config.channelIO = "0-3";
  fake::FakePlug* plug = Open(config);
  ExpectInfo({kAudioUnitProperty_SupportedChannelLayoutTags, kOutput, 0, noErr, 4, true});
  ExpectInfo({kAudioUnitProperty_SupportedChannelLayoutTags, kInput, 0, kAudioUnitErr_InvalidProperty, kUntouched,
              false});
  const std::pair<AudioUnitElement, AudioChannelLayoutTag> tags[] = {{0, kAudioChannelLayoutTag_Stereo},
                                                                     {1, kAudioChannelLayoutTag_Mono}};
  for (const auto& t : tags) {
    AudioChannelLayoutTag tag = 0;
    ASSERT_EQ(Get(kAudioUnitProperty_SupportedChannelLayoutTags, kOutput, t.first, &tag), noErr);
    EXPECT_EQ(tag, t.second);
  }
  AudioChannelLayoutTag tag = 0;
  EXPECT_EQ(Get(kAudioUnitProperty_SupportedChannelLayoutTags, kOutput, 2, &tag), kAudioUnitErr_InvalidElement);
  EXPECT_EQ(IPlugAU::GetTagForNumChannels(3), kAudioChannelLayoutTag_Unknown);
  EXPECT_EQ(plug->GetChannelLayoutTags(kGlobal, 0, nullptr), 0);
}

}  // namespace
