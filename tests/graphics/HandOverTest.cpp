#include <gtest/gtest.h>

#include "graphics/HandOver.h"

namespace {

TEST(HandOver, TheReaderTakesOnlyTheNewestPublishedValue) {
  HandOver<int> value(-1);
  EXPECT_FALSE(value.Take());
  EXPECT_EQ(value.Front(), -1);
  for (int v : {1, 2, 3}) {
    value.Back() = v;
    value.Publish();
  }
  EXPECT_TRUE(value.Take());
  EXPECT_EQ(value.Front(), 3);
  EXPECT_FALSE(value.Take());
  EXPECT_EQ(value.Front(), 3);
  value.Back() = 4;
  value.Publish();
  EXPECT_TRUE(value.Take());
  EXPECT_EQ(value.Front(), 4);
}

}  // namespace
