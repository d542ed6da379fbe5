// The stand-in CoreFoundation objects behave as the adapter and hosts rely on.

#include <gtest/gtest.h>

#include "platform/standin/CFData.h"
#include "platform/standin/CFDictionary.h"
#include "platform/standin/CFNumber.h"
#include "platform/standin/CFString.h"

namespace {

TEST(StandinCoreFoundation, StringsAreUtf8AndMeasuredInUtf16Units) {
  EXPECT_EQ(CFStringCreateWithCString(nullptr, "\xC3\x28", kCFStringEncodingUTF8), nullptr);
  EXPECT_EQ(CFStringCreateWithCString(nullptr, "\xED\xA0\x80", kCFStringEncodingUTF8), nullptr);
  EXPECT_EQ(CFStringCreateWithCString(nullptr, nullptr, kCFStringEncodingUTF8), nullptr);
  CFStringRef text = CFStringCreateWithCString(nullptr, "K\xC3\xBC\xF0\x9F\x8E\xB5", kCFStringEncodingUTF8);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(CFStringGetLength(text), 4);
  char small[7];
  EXPECT_FALSE(CFStringGetCString(text, small, sizeof(small), kCFStringEncodingUTF8));
  EXPECT_STREQ(small, "");
  char fits[8];
  EXPECT_TRUE(CFStringGetCString(text, fits, sizeof(fits), kCFStringEncodingUTF8));
  CFRelease(text);
}

TEST(StandinCoreFoundation, NumbersReportLossyConversions) {
  const double half = 2.5, whole = 7.0;
  const SInt64 big = SInt64(1) << 40;
  struct Case {
    CFNumberType type;
    const void* value;
    bool exactAsSInt32;
  };
  const Case cases[] = {
      {kCFNumberFloat64Type, &half, false}, {kCFNumberFloat64Type, &whole, true}, {kCFNumberSInt64Type, &big, false}};
  for (const Case& c : cases) {
    CFNumberRef number = CFNumberCreate(nullptr, c.type, c.value);
    SInt32 out = 0;
    EXPECT_EQ(CFNumberGetValue(number, kCFNumberSInt32Type, &out) != 0, c.exactAsSInt32);
    CFRelease(number);
  }
}

TEST(StandinCoreFoundation, DictionaryRetainsAndReleasesWhatItHolds) {
  const long live = standin::CFLiveObjectCount();
  CFMutableDictionaryRef dict =
      CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  CFStringRef key = CFStringCreateWithCString(nullptr, "data", kCFStringEncodingUTF8);
  CFStringRef sameKey = CFStringCreateWithCString(nullptr, "data", kCFStringEncodingUTF8);
  const UInt8 bytes[] = {1, 2, 3};
  CFDataRef first = CFDataCreate(nullptr, bytes, 3);
  CFDataRef second = CFDataCreate(nullptr, nullptr, 0);
  CFDictionarySetValue(dict, key, first);
  CFDictionarySetValue(dict, sameKey, second);
  EXPECT_EQ(CFDictionaryGetCount(dict), 1);
  EXPECT_EQ(CFDictionaryGetValue(dict, key), second);
  EXPECT_EQ(CFGetRetainCount(first), 1);
  EXPECT_EQ(CFDataGetBytePtr(second), nullptr);
  for (CFTypeRef object : {static_cast<CFTypeRef>(key), static_cast<CFTypeRef>(sameKey),
                           static_cast<CFTypeRef>(first), static_cast<CFTypeRef>(second)}) {
    CFRelease(object);
  }
  EXPECT_EQ(standin::CFLiveObjectCount(), live + 3);
  CFRelease(dict);
  EXPECT_EQ(standin::CFLiveObjectCount(), live);
}

}  // namespace
