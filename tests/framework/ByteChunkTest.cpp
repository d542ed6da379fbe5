#include <gtest/gtest.h>

#include "framework/ByteChunk.h"

namespace {

TEST(ByteChunk, ValuesRoundTripInNativeOrderWithoutPadding) {
  ByteChunk chunk;
  const double d = 0.25;
  const int i = -7;
  const unsigned char b = 9;
  EXPECT_EQ(chunk.Put(&d), 8);
  EXPECT_EQ(chunk.Put(&b), 9);
  EXPECT_EQ(chunk.Put(&i), 13);

  double d2 = 0;
  unsigned char b2 = 0;
  int i2 = 0;
  EXPECT_EQ(chunk.Get(&d2, 0), 8);
  EXPECT_EQ(chunk.Get(&b2, 8), 9);
  EXPECT_EQ(chunk.Get(&i2, 9), 13);
  EXPECT_EQ(d2, d);
  EXPECT_EQ(b2, b);
  EXPECT_EQ(i2, i);
}

TEST(ByteChunk, ReadsThatDoNotFitFailAndLeaveTheDestination) {
  ByteChunk chunk;
  const int i = 5;
  chunk.Put(&i);
  double d = 3.0;
  EXPECT_EQ(chunk.Get(&d, 0), -1);
  EXPECT_EQ(d, 3.0);
  int j = 1;
  for (int pos : {-1, 1, 4, 1 << 30}) EXPECT_EQ(chunk.Get(&j, pos), -1) << pos;
  EXPECT_EQ(j, 1);
}

TEST(ByteChunk, StringsCarryTheirLength) {
  ByteChunk chunk;
  EXPECT_EQ(chunk.PutStr("kick"), 8);
  WDL_String s("old");
  EXPECT_EQ(chunk.GetStr(&s, 0), 8);
  EXPECT_STREQ(s.Get(), "kick");

  ByteChunk zeroInside;
  const int len = 4;
  zeroInside.Put(&len);
  zeroInside.PutBytes("ab\0c", 4);
  EXPECT_EQ(zeroInside.GetStr(&s, 0), 8);
  EXPECT_STREQ(s.Get(), "ab");
}

TEST(ByteChunk, BadStringLengthsAreReadFailures) {
  struct Case {
    int length;
    int bytesAfter;
    int expected;
  };
  const Case cases[] = {
      {0, 0, 4},          // empty: string kept, position moves on
      {-1, 8, -1},        // negative length
      {5, 4, -1},         // runs past the data
      {0x7FFFFFFF, 4, -1} // would overflow the end position
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    ByteChunk chunk;
    chunk.Put(&c.length);
    chunk.PutBytes("xxxxxxxx", c.bytesAfter);
    WDL_String s("kept");
    EXPECT_EQ(chunk.GetStr(&s, 0), c.expected);
    EXPECT_STREQ(s.Get(), "kept");
  }
  ByteChunk shortChunk;
  shortChunk.PutBytes("ab", 2);
  WDL_String s;
  EXPECT_EQ(shortChunk.GetStr(&s, 0), -1);
}

TEST(ByteChunk, FrameworkVersionTag) {
  ByteChunk chunk;
  const int junk = 1;
  chunk.Put(&junk);
  InitChunkWithIPlugVer(&chunk);
  ASSERT_EQ(chunk.Size(), 8);
  const unsigned char expected[] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(std::memcmp(chunk.GetBytes(), expected, 8), 0);

  int pos = 0;
  EXPECT_EQ(GetIPlugVerFromChunk(&chunk, &pos), 0x00010000);
  EXPECT_EQ(pos, 8);
  EXPECT_EQ(GetIPlugVerFromChunk(&chunk, &pos), 0) << "fewer than 4 bytes left";
  EXPECT_EQ(pos, 8);
  pos = -1;
  EXPECT_EQ(GetIPlugVerFromChunk(&chunk, &pos), 0);
  EXPECT_EQ(pos, -1);
  pos = 4;
  EXPECT_EQ(GetIPlugVerFromChunk(&chunk, &pos), 0) << "no magic at 4";
  EXPECT_EQ(pos, 4);

  ByteChunk magicOnly;
  magicOnly.Put(&kIPlugChunkMagic);
  pos = 0;
  EXPECT_EQ(GetIPlugVerFromChunk(&magicOnly, &pos), 0);
  EXPECT_EQ(pos, -1);
}

}  // namespace
