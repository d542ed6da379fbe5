#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/Hosts.h"
#include "framework/Log.h"

namespace {

TEST(Hosts, LookUpFollowsTheSearchOrder) {
  const struct {
    const char* name;
    EHost host;
  } cases[] = {
      {"Live 9", kHostLive},
      {"Melodyne", kHostMelodyne},
      {"Cubase and Nuendo", kHostCubase},
      {"reaper live", kHostReaper},
      {"", kHostUnknown},
      {nullptr, kHostUnknown},
      {"Some Digital Performer", kHostDigitalPerformer},
      {"com.apple.logic10", kHostLogic},
      {"AU Lab", kHostUnknown},
      {"AULAB", kHostAULab},
      {"Studio One by PreSonus", kHostStudioOne},
      {"a standalone reaper", kHostReaper},
  };
  for (const auto& c : cases) EXPECT_EQ(LookUpHost(c.name), c.host) << (c.name ? c.name : "null");
}

TEST(Hosts, LongNamesAreSearchedInTheirFirst255Characters) {
  std::string name(300, 'x');
  name.replace(250, 5, "logic");
  EXPECT_EQ(LookUpHost(name.c_str()), kHostLogic);
  name.replace(250, 5, "xxxxx");
  name.replace(260, 5, "logic");
  EXPECT_EQ(LookUpHost(name.c_str()), kHostUnknown);
}

TEST(Hosts, DisplayNames) {
  const struct {
    int host;
    const char* name;
  } cases[] = {{1, "Reaper"},      {5, "Sonar"},       {6, "Vegas"},   {7, "FLStudio"},
               {10, "Unknown"},    {12, "Unknown"},    {19, "Unknown"}, {23, "DigitalPerformer"},
               {27, "VST3PluginTestHost"}, {29, "Renoise"}, {-1, "Unknown"}, {30, "Unknown"}};
  for (const auto& c : cases) {
    char name[32];
    GetHostNameStr(static_cast<EHost>(c.host), name);
    EXPECT_STREQ(name, c.name) << c.host;
  }
}

TEST(TextUtilities, LowerCaseAndWhitespace) {
  char lower[16];
  ToLower(lower, "MiXeD 42");
  EXPECT_STREQ(lower, "mixed 42");
  for (char c : {'\t', '\n', '\r', ' '}) EXPECT_TRUE(IsWhitespace(c)) << int(c);
  for (char c : {'\v', '\f', 'a', '\0'}) EXPECT_FALSE(IsWhitespace(c)) << int(c);
}

TEST(TextUtilities, CompileTimestamps) {
  WDL_String text;
  CompileTimestamp("Dec 18 2026", "12:34:56", &text);
  EXPECT_STREQ(text.Get(), "[Dec18 12:34]");
  CompileTimestamp("Dec  8 2026", "12:34:56", &text);
  EXPECT_STREQ(text.Get(), "[Dec 8 12:34]");
  EXPECT_STREQ(AppendTimestamp("Dec 18 2026", "12:34:56", "Thudrokka"), "Thudrokka [Dec18 12:34]");
}

class ZoneTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    mHadZone = tz != nullptr;
    if (tz) mZone = tz;
  }
  void TearDown() override {
    if (mHadZone) {
      setenv("TZ", mZone.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  static std::string TimeIn(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
    return CurrentTime();
  }
  bool mHadZone = false;
  std::string mZone;
};

TEST_F(ZoneTest, CurrentTimeEndsWithTheOffsetFromUTC) {
  const struct {
    const char* zone;
    const char* suffix;
  } cases[] = {{"XST+2", "-0200"}, {"XST-1", "+0100"}, {"UTC0", "+0000"},
               {"XST+3:30", "-0330"}, {"XST-13", "+1300"}, {"XST+11", "-1100"}};
  for (const auto& c : cases) {
    const std::string text = TimeIn(c.zone);
    ASSERT_EQ(text.size(), 20u) << text;
    EXPECT_EQ(text.substr(15), c.suffix) << c.zone;
    EXPECT_EQ(text[8], ' ');
    EXPECT_EQ(text[11], ':');
  }
}

TEST(TextUtilities, TimerFiresOnlyAfterTheInterval) {
  Timer timer;
  EXPECT_FALSE(timer.Every(1000.0));
  EXPECT_TRUE(timer.Every(-1.0));
}

}  // namespace
