#include "effects/FilterUti.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

using namespace Quillvane;

TEST(FilterUti, ModeTextsBySelector) {
  struct Case {
    double x;
    const char* mode1;
    const char* mode2;
  } cases[] = {{0.0, "RBJ-LP", "HP 12dB"}, {0.1, "RBJ-LP", "HP 12dB"}, {1.0 / 3, "RBJ-HP", "HP 24dB"},
               {0.5, "RBJ-BP1", "LP 12dB"}, {1.0, "RBJ-BS", "LP 24dB"}, {-0.2, "", ""},
               {1.2, "", ""}, {1e300, "", ""}, {std::numeric_limits<double>::quiet_NaN(), "RBJ-LP", "HP 12dB"}};
  for (const Case& c : cases) {
    EXPECT_STREQ(FilterUti::getFilterMode1Text(c.x), c.mode1) << c.x;
    EXPECT_STREQ(FilterUti::getFilterMode2Text(c.x), c.mode2) << c.x;
  }
  EXPECT_EQ(FilterUti::getFilterMode1(0.5), 2);
  EXPECT_EQ(FilterUti::getFilterMode2(-0.2), -1);
  EXPECT_EQ(FilterUti::getFilterMode1(1e300), std::numeric_limits<int>::max());
}

TEST(FilterUti, NamesRoundTripThroughSelectors) {
  for (int m = 0; m < kNumFilterModes1; ++m) {
    const float sel = FilterUti::getFilterMode1Sel(static_cast<eFilterMode1>(m));
    EXPECT_EQ(FilterUti::getFilterMode1(FilterUti::getFilterMode1Text(sel)), m);
  }
  for (int m = 0; m < kNumFilterModes2; ++m) {
    const float sel = FilterUti::getFilterMode2Sel(static_cast<eFilterMode2>(m));
    EXPECT_EQ(FilterUti::getFilterMode2(FilterUti::getFilterMode2Text(sel)), m);
  }
  EXPECT_EQ(FilterUti::getFilterMode1Sel(kRbjHighPass), 1.0f / 3.0f);
  EXPECT_STREQ(FilterUti::getFilterMode1Text(FilterUti::getFilterMode1Sel(kRbjHighPass)), "RBJ-HP");
}

TEST(FilterUti, NameLookupIsExactWithOneAlias) {
  EXPECT_EQ(FilterUti::getFilterMode1("RBJ-BP"), kRbjBandPass1);
  EXPECT_EQ(FilterUti::getFilterMode1("RBJ-BS"), kRbjBandStop);
  for (const char* unknown : std::initializer_list<const char*>{"rbj-lp", "", "RBJ-BS ", "HP 24dB", nullptr}) {
    EXPECT_EQ(FilterUti::getFilterMode1(unknown), kRbjLowPass);
  }
  EXPECT_EQ(FilterUti::getFilterMode2("LP 24dB"), kLowPass24dB);
  for (const char* unknown : std::initializer_list<const char*>{"", "lp 24db", "RBJ-LP", nullptr}) {
    EXPECT_EQ(FilterUti::getFilterMode2(unknown), kHighPass12dB);
  }
}

TEST(FilterUti, NextModeCycles) {
  EXPECT_EQ(FilterUti::getNextFilterMode2(1.0), 0.0);
  EXPECT_EQ(FilterUti::getNextFilterMode2(0.0), 1.0 / 3.0);
  EXPECT_EQ(FilterUti::getNextFilterMode1(0.5), 1.0);
  // The index saturates far outside 0..1; the next one must not overflow.
  EXPECT_EQ(FilterUti::getNextFilterMode1(1e300), (INT_MAX + 1.0) / 3.0);
}

}  // namespace
