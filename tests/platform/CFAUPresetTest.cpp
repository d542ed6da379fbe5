// The reference-counted factory preset record and its array callbacks.

#include <gtest/gtest.h>

#include "platform/mac/CFAUPreset.h"
#include "platform/standin/CFString.h"

namespace {

CFStringRef Str(const char* text) { return CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8); }

class CFAUPresetTest : public ::testing::Test {
 protected:
  void SetUp() override { mLiveAtStart = standin::CFLiveObjectCount(); }
  void TearDown() override { EXPECT_EQ(standin::CFLiveObjectCount(), mLiveAtStart); }
  long Live() const { return standin::CFLiveObjectCount() - mLiveAtStart; }

 private:
  long mLiveAtStart = 0;
};

TEST_F(CFAUPresetTest, RecordAndItsNameLiveUntilTheLastRelease) {
  CFStringRef name = Str("Kick");
  CFAUPresetRef preset = CFAUPresetCreate(kCFAllocatorDefault, 3, name);
  CFRelease(name);
  ASSERT_NE(preset, nullptr);
  EXPECT_EQ(Live(), 1);  // the record's own copy of the name
  EXPECT_EQ(preset->retainCount, 1);

  EXPECT_EQ(CFAUPresetRetain(preset), preset);
  CFAUPresetRelease(preset);
  EXPECT_EQ(Live(), 1);
  EXPECT_EQ(standin::CFStringText(preset->auPreset.presetName), "Kick");
  CFAUPresetRelease(preset);
  EXPECT_EQ(Live(), 0);

  EXPECT_EQ(CFAUPresetRetain(nullptr), nullptr);
  CFAUPresetRelease(nullptr);
  CFAUPresetRef unnamed = CFAUPresetCreate(kCFAllocatorDefault, 0, nullptr);
  ASSERT_NE(unnamed, nullptr);
  EXPECT_EQ(unnamed->auPreset.presetName, nullptr);
  CFAUPresetRelease(unnamed);
}

TEST_F(CFAUPresetTest, AllocatorFailureGivesNoRecord) {
  standin::CFFailAllocationAfter(0);
  CFAUPresetRef preset = CFAUPresetCreate(kCFAllocatorDefault, 1, nullptr);
  standin::CFFailAllocationAfter(-1);
  EXPECT_EQ(preset, nullptr);
}

TEST_F(CFAUPresetTest, DescriptionAndEquality) {
  CFStringRef kick = Str("Kick");
  CFStringRef kickAgain = Str("Kick");
  CFStringRef bass = Str("Bass");
  CFAUPresetRef a = CFAUPresetCreate(kCFAllocatorDefault, 3, kick);
  CFAUPresetRef same = CFAUPresetCreate(kCFAllocatorDefault, 3, kickAgain);
  CFAUPresetRef otherNumber = CFAUPresetCreate(kCFAllocatorDefault, 4, kick);
  CFAUPresetRef otherName = CFAUPresetCreate(kCFAllocatorDefault, 3, bass);

  CFStringRef description = CFAUPresetArrayCopyDescriptionCallBack(a);
  EXPECT_EQ(standin::CFStringText(description), "AUPreset:\npreset number = 3\npreset name = Kick");
  CFRelease(description);
  EXPECT_TRUE(CFAUPresetArrayEqualCallBack(a, same));
  EXPECT_FALSE(CFAUPresetArrayEqualCallBack(a, otherNumber));
  EXPECT_FALSE(CFAUPresetArrayEqualCallBack(a, otherName));

  for (CFAUPresetRef p : {a, same, otherNumber, otherName}) CFAUPresetRelease(p);
  for (CFStringRef s : {kick, kickAgain, bass}) CFRelease(s);
}

TEST_F(CFAUPresetTest, ArrayWithThePresetCallbacksOwnsItsRecords) {
  CFArrayCallBacks callbacks = {};
  EXPECT_EQ(CFAUPresetArrayCallBacks_Init(&callbacks), &callbacks);
  EXPECT_EQ(CFAUPresetArrayCallBacks_Init(nullptr), nullptr);
  EXPECT_EQ(callbacks.version, 0);
  EXPECT_EQ(callbacks.retain, kCFAUPresetArrayCallBacks.retain);
  EXPECT_EQ(callbacks.release, kCFAUPresetArrayCallBacks.release);
  EXPECT_EQ(callbacks.copyDescription, kCFAUPresetArrayCallBacks.copyDescription);
  EXPECT_EQ(callbacks.equal, kCFAUPresetArrayCallBacks.equal);

  CFMutableArrayRef array = CFArrayCreateMutable(kCFAllocatorDefault, 2, &callbacks);
  CFStringRef name = Str("Init");
  CFAUPresetRef preset = CFAUPresetCreate(kCFAllocatorDefault, 0, name);
  CFRelease(name);
  CFArrayAppendValue(array, preset);
  CFAUPresetRelease(preset);
  EXPECT_EQ(preset->retainCount, 1);
  EXPECT_EQ(static_cast<const AUPreset*>(CFArrayGetValueAtIndex(array, 0))->presetNumber, 0);
  CFRelease(array);
  EXPECT_EQ(Live(), 0);
}

}  // namespace
