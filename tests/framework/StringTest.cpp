#include <gtest/gtest.h>

#include <string>

#include "framework/WDL_String.h"
#include "tests/support/AllocationCounter.h"

namespace {

TEST(String, EmptyStringIsNeverNullAndSettingEmptyDoesNotAllocate) {
  WDL_String s;
  EXPECT_STREQ(s.Get(), "");
  testsupport::AllocationCounter counter;
  s.Set("");
  s.Set(nullptr);
  EXPECT_EQ(counter.count(), 0u);
  EXPECT_STREQ(s.Get(), "");
}

TEST(String, SetHonoursMaxLenAndTerminators) {
  WDL_String s;
  s.Set("abcdef", 3);
  EXPECT_STREQ(s.Get(), "abc");
  s.Set("ab\0cd", 5);
  EXPECT_STREQ(s.Get(), "ab");
  s.Set("");
  EXPECT_STREQ(s.Get(), "");
  EXPECT_EQ(s.GetLength(), 0);
}

TEST(String, AppendCutAndDelete) {
  WDL_String s("hello");
  s.Append(" world");
  EXPECT_STREQ(s.Get(), "hello world");
  s.Append(s.Get(), 5);
  EXPECT_STREQ(s.Get(), "hello worldhello");
  s.SetLen(5);
  EXPECT_STREQ(s.Get(), "hello");
  s.SetLen(50);
  EXPECT_STREQ(s.Get(), "hello");
  s.DeleteSub(1, 2);
  EXPECT_STREQ(s.Get(), "hlo");
  s.DeleteSub(2, 99);
  EXPECT_STREQ(s.Get(), "hl");
  s.DeleteSub(9, 1);
  EXPECT_STREQ(s.Get(), "hl");
}

TEST(String, SetFormattedStopsAtMaxLen) {
  WDL_String s;
  s.SetFormatted(5, "%d-%s", 42, "abcdef");
  EXPECT_STREQ(s.Get(), "42-ab");
  s.SetFormatted(32, "%.2f", 1.5);
  EXPECT_STREQ(s.Get(), "1.50");
  EXPECT_EQ(s.GetLength(), 4);
}

TEST(String, CopiesTakeTheirOwnText) {
  WDL_String a("first");
  WDL_String b(a);
  a.Set("second");
  EXPECT_STREQ(b.Get(), "first");
  b = a;
  EXPECT_STREQ(b.Get(), "second");
}

}  // namespace
