// The saved-state dictionary of the class-info property.

#include <cstring>
#include <string>
#include <vector>

#include "platform/standin/CFArray.h"
#include "platform/standin/CFData.h"
#include "platform/standin/CFDictionary.h"
#include "platform/standin/CFNumber.h"
#include "platform/standin/CFString.h"
#include "tests/platform/HostFixture.h"
#include "tests/support/RecordingGraphics.h"

namespace {

using testsupport::RecordingGraphics;

CFStringRef Str(const char* text) { return CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8); }

// Builds state dictionaries the way a host's saved project might hold them.
class StateBuilder {
 public:
  StateBuilder()
      : mDict(CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                                        &kCFTypeDictionaryValueCallBacks)) {
    Number("version", 0x10502);
    Number("type", static_cast<SInt32>(kAudioUnitType_MusicDevice));
    Number("subtype", static_cast<SInt32>(FourCC("3bti")));
    Number("manufacturer", static_cast<SInt32>(FourCC("QuVa")));
    String("name", "Kick");
  }
  ~StateBuilder() { CFRelease(mDict); }

  StateBuilder& Number(const char* key, SInt32 value) {
    return Put(key, CFNumberCreate(nullptr, kCFNumberSInt32Type, &value));
  }
  StateBuilder& String(const char* key, const char* value) { return Put(key, Str(value)); }
  StateBuilder& Data(const std::vector<double>& values) {
    return Put("data", CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(values.data()),
                                    static_cast<CFIndex>(values.size() * sizeof(double))));
  }
  StateBuilder& Put(const char* key, CFTypeRef value) {
    CFStringRef k = Str(key);
    CFDictionarySetValue(mDict, k, value);
    CFRelease(k);
    CFRelease(value);
    return *this;
  }
  // A copy without one key.
  CFMutableDictionaryRef Without(const char* missing) const {
    CFMutableDictionaryRef copy =
        CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
    for (const char* key : {"version", "type", "subtype", "manufacturer", "name", "data"}) {
      if (!std::strcmp(key, missing)) continue;
      CFStringRef k = Str(key);
      if (const void* value = CFDictionaryGetValue(mDict, k)) CFDictionarySetValue(copy, k, value);
      CFRelease(k);
    }
    return copy;
  }
  CFDictionaryRef Get() const { return mDict; }

 private:
  CFMutableDictionaryRef mDict;
};

const std::vector<double> kStoredValues = {0.125, 0.875, 2.0, -0.75, 0.0, 8.0};

class SavedStateTest : public HostTest {
 protected:
  std::vector<double> Values() const {
    std::vector<double> values;
    for (int i = 0; i < fake::kNumFakeParams; ++i) values.push_back(plug->GetParam(i)->Value());
    return values;
  }

  fake::FakePlug* plug = nullptr;
};

TEST_F(SavedStateTest, GetStateWritesIdentityPresetNameAndValues) {
  plug = Open();
  ASSERT_EQ(session.SetCurrentPreset(2), noErr);
  CFPropertyListRef state = nullptr;
  ASSERT_EQ(session.GetState(&state), noErr);
  CFDictionaryRef dict = static_cast<CFDictionaryRef>(state);
  EXPECT_EQ(CFDictionaryGetCount(dict), 6);

  const std::pair<const char*, SInt32> numbers[] = {{"version", 0x10502},
                                                    {"type", static_cast<SInt32>(FourCC("aumu"))},
                                                    {"subtype", static_cast<SInt32>(FourCC("3bti"))},
                                                    {"manufacturer", static_cast<SInt32>(FourCC("QuVa"))}};
  for (const auto& n : numbers) {
    CFStringRef key = Str(n.first);
    SInt32 value = 0;
    EXPECT_TRUE(CFNumberGetValue(static_cast<CFNumberRef>(CFDictionaryGetValue(dict, key)), kCFNumberSInt32Type,
                                 &value));
    EXPECT_EQ(value, n.second) << n.first;
    CFRelease(key);
  }
  CFStringRef nameKey = Str("name");
  EXPECT_EQ(standin::CFStringText(static_cast<CFStringRef>(CFDictionaryGetValue(dict, nameKey))), "Bass");
  CFRelease(nameKey);

  CFStringRef dataKey = Str("data");
  CFDataRef data = static_cast<CFDataRef>(CFDictionaryGetValue(dict, dataKey));
  CFRelease(dataKey);
  ASSERT_EQ(CFDataGetLength(data), static_cast<CFIndex>(fake::kNumFakeParams * sizeof(double)));
  std::vector<double> stored(fake::kNumFakeParams);
  std::memcpy(stored.data(), CFDataGetBytePtr(data), stored.size() * sizeof(double));
  EXPECT_EQ(stored, Values());
  CFRelease(state);
}

TEST_F(SavedStateTest, RestoreSelectsThePresetByNameAndThenAppliesTheData) {
  plug = Open();
  RecordingGraphics* editor = new RecordingGraphics();
  plug->AttachGraphics(editor);
  editor->mSetCalls.clear();
  StateBuilder state;
  state.Number("version", 0x20000).Data(kStoredValues);
  ASSERT_EQ(session.SetState(state.Get()), noErr);
  EXPECT_EQ(plug->GetCurrentPresetIdx(), 1);
  EXPECT_EQ(Values(), kStoredValues);
  // The editor is refreshed from the restored values.
  ASSERT_GE(editor->mSetCalls.size(), static_cast<size_t>(fake::kNumFakeParams));
  const RecordingGraphics::SetCall& last = editor->mSetCalls.back();
  EXPECT_EQ(last.idx, fake::kSteps);
  EXPECT_EQ(last.value, 8.0);
  EXPECT_FALSE(last.normalized);
}

TEST_F(SavedStateTest, MissingOrMistypedKeysRestoreNothing) {
  plug = Open();
  StateBuilder good;
  good.Data(kStoredValues);
  const std::vector<double> before = Values();
  for (const char* key : {"version", "type", "subtype", "manufacturer", "name"}) {
    CFMutableDictionaryRef state = good.Without(key);
    EXPECT_EQ(session.SetState(state), kAudioUnitErr_InvalidPropertyValue) << key;
    CFRelease(state);

    StateBuilder mistyped;
    mistyped.Data(kStoredValues);
    if (!std::strcmp(key, "name")) {
      mistyped.Number("name", 1);
    } else {
      mistyped.String(key, "66818");
    }
    EXPECT_EQ(session.SetState(mistyped.Get()), kAudioUnitErr_InvalidPropertyValue) << key;
  }
  StateBuilder otherComponent;
  otherComponent.Number("subtype", static_cast<SInt32>(FourCC("xxxx"))).Data(kStoredValues);
  EXPECT_EQ(session.SetState(otherComponent.Get()), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(Values(), before);
  EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);

  CFMutableArrayRef notADictionary = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
  EXPECT_EQ(session.SetState(notADictionary), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(session.SetState(nullptr), kAudioUnitErr_InvalidPropertyValue);
  CFRelease(notADictionary);
}

// Not even the preset the name selects is restored.
TEST_F(SavedStateTest, MissingOrMistypedDataRestoresNothing) {
  plug = Open();
  for (bool mistyped : {false, true}) {
    ASSERT_EQ(session.SetCurrentPreset(0), noErr);
    const std::vector<double> before = Values();
    StateBuilder state;
    if (mistyped) state.String("data", "not data");
    EXPECT_EQ(session.SetState(state.Get()), kAudioUnitErr_InvalidPropertyValue);
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 0);
    EXPECT_EQ(Values(), before);
  }
}

TEST_F(SavedStateTest, UnknownOrOverlongNameLeavesTheCurrentPresetAndAppliesTheData) {
  plug = Open();
  ASSERT_EQ(session.SetCurrentPreset(2), noErr);
  for (const std::string& name : {std::string("Snare"), std::string(300, 'K')}) {
    StateBuilder state;
    state.String("name", name.c_str()).Data(kStoredValues);
    EXPECT_EQ(session.SetState(state.Get()), noErr);
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 2);
    EXPECT_EQ(Values(), kStoredValues);
  }
}

// A host string must be UTF-8, so a preset name that is not would leave the
// project unsaved and the preset lists without a name.
TEST_F(SavedStateTest, ANameThatIsNotUtf8IsSavedAndListedAsLatin1) {
  plug = Open();
  const struct {
    const char* name;
    std::string read;
  } cases[] = {
      {"Caf\xe9 Kick", "Caf\xc3\xa9 Kick"},
      {"\xc0\xaf overlong", "\xc3\x80\xc2\xaf overlong"},
      {"\x80 alone", "\xc2\x80 alone"},
      {"\xed\xa0\x80 surrogate", "\xc3\xad\xc2\xa0\xc2\x80 surrogate"},
      {"\xff", "\xc3\xbf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.read);
    ASSERT_EQ(session.SetCurrentPreset(1), noErr);
    plug->ModifyCurrentPreset(c.name);

    AUPreset present = {};
    UInt32 size = sizeof(present);
    ASSERT_EQ(AudioUnitGetProperty(unit(), kAudioUnitProperty_PresentPreset, kAudioUnitScope_Global, 0, &present,
                                   &size),
              noErr);
    EXPECT_NE(present.presetName, nullptr);
    EXPECT_EQ(standin::CFStringText(present.presetName), c.read);
    if (present.presetName) CFRelease(present.presetName);

    std::vector<standin::HostSession::Preset> presets;
    ASSERT_EQ(session.GetFactoryPresets(&presets), noErr);
    ASSERT_EQ(presets.size(), 3u);
    EXPECT_EQ(presets[1].name, c.read);

    CFPropertyListRef state = nullptr;
    ASSERT_EQ(session.GetState(&state), noErr);
    CFStringRef nameKey = Str("name");
    EXPECT_EQ(standin::CFStringText(static_cast<CFStringRef>(
                  CFDictionaryGetValue(static_cast<CFDictionaryRef>(state), nameKey))),
              c.read);
    CFRelease(nameKey);
    ASSERT_EQ(session.SetCurrentPreset(0), noErr);
    ASSERT_EQ(session.SetState(state), noErr);
    EXPECT_EQ(plug->GetCurrentPresetIdx(), 1) << "the saved name finds its slot again";
    CFRelease(state);
  }
}

TEST_F(SavedStateTest, ShortOrLongDataRestoresWhatIsThere) {
  plug = Open();
  struct Case {
    std::vector<double> data;
    std::vector<double> expected;
  };
  // Values as the "Kick" preset named in the state leaves them, then the data.
  const std::vector<double> kick = {0.75, 0.5, 1.0, 0.5, 1.0, 7.0};
  const Case cases[] = {
      {{}, {0.0, 0.5, 1.0, 0.5, 1.0, 7.0}},
      {{0.25, 0.125}, {0.25, 0.125, 0.0, 0.5, 1.0, 7.0}},
      {{0.25, 0.125, 2.0, 5.0, -1.0, 99.0, 0.5, 0.5}, {0.25, 0.125, 2.0, 1.0, 0.0, 10.0}},
  };
  for (const Case& c : cases) {
    StateBuilder state;
    state.Data(c.data);
    EXPECT_EQ(session.SetState(state.Get()), noErr) << c.data.size();
    EXPECT_EQ(Values(), c.expected) << c.data.size();
  }
}

TEST_F(SavedStateTest, StateThatCannotBeBuiltIsReportedAndLeaksNothing) {
  plug = Open();
  int failures = 0;
  for (int allowed = 0; allowed < 20; ++allowed) {
    CFPropertyListRef state = nullptr;
    standin::CFFailAllocationAfter(allowed);
    const OSStatus status = session.GetState(&state);
    standin::CFFailAllocationAfter(-1);
    if (status == noErr) {
      CFRelease(state);
    } else {
      EXPECT_EQ(status, coreFoundationUnknownErr) << allowed;
      EXPECT_EQ(state, nullptr);
      ++failures;
    }
  }
  EXPECT_GT(failures, 5);
}

TEST(SavedStateOutsideAComponent, GetAndSetReportTheComponentFailure) {
  struct Unopened : fake::FakePlug {
    Unopened() : fake::FakePlug(fake::FakePlugConfig()) {}
    using IPlugAU::GetState;
    using IPlugAU::SetState;
  } plug;
  CFPropertyListRef state = nullptr;
  EXPECT_EQ(plug.GetState(&state), invalidComponentID);
  EXPECT_EQ(state, nullptr);
  StateBuilder good;
  good.Data(kStoredValues);
  EXPECT_EQ(plug.SetState(good.Get()), invalidComponentID);
}

TEST(StateDictionaryHelpers, StringsAreCutToTheBufferAndDataReplacesTheChunk) {
  StateBuilder state;
  state.String("name", "Hardcore Kick").Data({1.0, 2.0});
  char name[8] = "xxxxxxx";
  EXPECT_TRUE(GetStrFromDict(state.Get(), "name", name, sizeof(name)));
  EXPECT_STREQ(name, "Hardcor");
  // The cut keeps whole characters, so that what is kept is still a name.
  state.String("name", "Caf\xc3\xa9 Kick");
  char accented[5] = "xxxx";
  EXPECT_TRUE(GetStrFromDict(state.Get(), "name", accented, sizeof(accented)));
  EXPECT_STREQ(accented, "Caf");
  EXPECT_FALSE(GetStrFromDict(state.Get(), "missing", name, sizeof(name)));
  EXPECT_STREQ(name, "");
  EXPECT_FALSE(GetStrFromDict(state.Get(), "version", name, sizeof(name)));

  ByteChunk chunk;
  chunk.PutStr("old contents that are longer");
  EXPECT_TRUE(GetDataFromDict(state.Get(), "data", &chunk));
  EXPECT_EQ(chunk.Size(), 16);
  double second = 0.0;
  EXPECT_EQ(chunk.Get(&second, 8), 16);
  EXPECT_EQ(second, 2.0);
  EXPECT_FALSE(GetDataFromDict(state.Get(), "name", &chunk));
  EXPECT_EQ(chunk.Size(), 16);
}

}  // namespace
