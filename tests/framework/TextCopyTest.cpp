#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/TextCopy.h"
#include "tests/support/CountedText.h"
#include "tests/support/Utf8Check.h"

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

// Names come from files, hosts and people in whatever bytes they hold; each
// byte that does not start a well-formed character is read as Latin-1.
TEST(TextCopy, BytesThatAreNotUtf8ReadAsLatin1) {
  struct Case {
    const char* what;
    std::string text, valid;
  } cases[] = {
      {"plain", "Kick 909", "Kick 909"},
      {"empty", "", ""},
      {"well-formed", "\xc3\xbc \xe2\x82\xac \xed\x9f\xbf \xef\xbf\xbd \xf0\x9f\x8e\xb9 \xf4\x8f\xbf\xbf",
       "\xc3\xbc \xe2\x82\xac \xed\x9f\xbf \xef\xbf\xbd \xf0\x9f\x8e\xb9 \xf4\x8f\xbf\xbf"},
      {"Latin-1", "Caf\xe9 Kick", "Caf\xc3\xa9 Kick"},
      {"lone continuations", "\x80\xbf", "\xc2\x80\xc2\xbf"},
      {"overlong slash", "\xc0\xaf", "\xc3\x80\xc2\xaf"},
      {"overlong in three", "\xe0\x80\xaf", "\xc3\xa0\xc2\x80\xc2\xaf"},
      {"overlong in four", "\xf0\x8f\xbf\xbf", "\xc3\xb0\xc2\x8f\xc2\xbf\xc2\xbf"},
      {"surrogate", "\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80"},
      {"past the last code point", "\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xc2\x80\xc2\x80"},
      {"never in UTF-8", "\xfe\xff", "\xc3\xbe\xc3\xbf"},
      {"cut at the end", "Kick \xe2\x82", "Kick \xc3\xa2\xc2\x82"},
      {"cut before a letter", "\xc3(\xe2\x82x", "\xc3\x83(\xc3\xa2\xc2\x82x"},
      // The valid character after a broken one is kept whole.
      {"broken then whole", "\xe2\xc3\xa9", "\xc3\xa2\xc3\xa9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ValidText(c.text.c_str()), c.valid);
    EXPECT_EQ(ValidText(c.valid.c_str()), c.valid) << "valid text stays as it is";
    EXPECT_TRUE(testsupport::IsUtf8(c.valid));
    EXPECT_EQ(testsupport::IsUtf8(c.text), c.text == c.valid);
  }
  EXPECT_EQ(ValidText(nullptr), "");
}

TEST(TextCopy, ValidCopyCutsTheReadTextOnCharacterBoundaries) {
  struct Case {
    std::string text;
    std::size_t size;
    std::string kept;
  } cases[] = {
      {"Caf\xe9", 8, "Caf\xc3\xa9"},
      {"Caf\xe9", 6, "Caf\xc3\xa9"},
      {"Caf\xe9", 5, "Caf"},   // the read character takes two bytes
      {"\xe9\xe9\xe9", 6, "\xc3\xa9\xc3\xa9"},
      {"ab\xc3\xa9", 4, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " in " + std::to_string(c.size));
    char field[16];
    std::memset(field, '#', sizeof(field));
    CopyValidText(field, c.text.c_str(), c.size);
    EXPECT_EQ(std::string(field), c.kept);
  }
  char field[8] = "xyz";
  CopyValidText(field, nullptr, sizeof(field));
  EXPECT_STREQ(field, "");
  char text[16] = "ab\xe9" "cdefg";
  CopyValidText(text, text + 1, sizeof(text));
  EXPECT_STREQ(text, "b\xc3\xa9" "cdefg") << "a text may be read into itself";
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
