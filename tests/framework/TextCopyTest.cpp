#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/TextCopy.h"
#include "tests/support/CountedText.h"

namespace {

TEST(TextCopy, CutsOnlyOnCharacterBoundaries) {
  struct Case {
    std::string text;
    std::size_t size;  // of the field, terminator included
    std::string kept;
  } cases[] = {
      {"kick", 8, "kick"},
      {"kick", 5, "kick"},
      {"kick", 4, "kic"},
      {"kick", 1, ""},
      {"ab\xc3\xa9", 4, "ab"},                              // two bytes, the second cut off
      {"ab\xc3\xa9", 5, "ab\xc3\xa9"},
      {"a\xe2\x82\xac", 3, "a"},                            // three bytes, one kept
      {"a\xe2\x82\xac", 4, "a"},                            // three bytes, two kept
      {"\xf0\x9f\x8e\xb9z", 4, ""},                         // four bytes, three kept
      {"\xf0\x9f\x8e\xb9z", 5, "\xf0\x9f\x8e\xb9"},
      {"\xc3\xa9\xc3\xa9", 3, "\xc3\xa9"},
      // Bytes that are no text are cut where the limit falls.
      {"a\x80\x80\x80\x80\x80", 4, "a\x80\x80"},
      {"\xe9\xe9\xe9", 2, "\xe9"},
      {"\xc3(x", 2, "\xc3"},
      {"\xc3\xa9\x80", 3, "\xc3\xa9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " in " + std::to_string(c.size));
    char field[16];
    std::memset(field, '#', sizeof(field));
    CopyText(field, c.text.c_str(), c.size);
    EXPECT_EQ(std::string(field), c.kept);
    EXPECT_EQ(TextFitLength(c.text.c_str(), c.size - 1), c.kept.size());
  }
}

// A counted text ends at its count (or an earlier terminator) and is read
// no further; the count cuts before a character it would split.
TEST(TextCopy, CountedTextsEndOnCharacterBoundaries) {
  struct Case {
    std::string counted;  // the whole buffer, unterminated
    std::size_t kept;
  } cases[] = {
      {"", 0},
      {"kick", 4},
      {"ab\xc3", 2},
      {"ab\xc3\xa9", 4},
      {"a\xe2\x82", 1},
      {"\xf0\x9f\x8e", 0},
      {"\xf0\x9f\x8e\xb9", 4},
      {std::string("ab\0\xc3", 4), 2},
      // Bytes that are no text stay where the count falls.
      {"\xc3(", 2},
      {"a\x80\x80\x80\x80", 5},
      {"\xc3\xa9\x80", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.counted);
    const testsupport::CountedText text(c.counted);
    EXPECT_EQ(CountedTextLength(text.bytes.get(), text.size), c.kept);
  }
}

TEST(TextCopy, NullSourceEmptyFieldAndOverlap) {
  char field[4] = "xyz";
  CopyText(field, nullptr, sizeof(field));
  EXPECT_STREQ(field, "");
  CopyText(field, "abc", 0);
  EXPECT_STREQ(field, "") << "a field of no bytes is left alone";
  char text[8] = "abcdefg";
  CopyText(text, text + 2, sizeof(text));
  EXPECT_STREQ(text, "cdefg");
}

}  // namespace
