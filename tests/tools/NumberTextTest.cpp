// The one reading of numbers that every option of the commands and every
// argument of the editor's scripts goes through: plain decimals, a sign only
// where the range holds negatives, nothing around them.

#include <gtest/gtest.h>

#include <string>

#include "tools/thudrokka/NumberText.h"

namespace {

TEST(NumberText, WholeNumbersAreDecimalDigitsWithASignOnlyWhereNegativesAreAllowed) {
  const struct {
    const char* text;
    int min, max;
    bool ok;
    int value;
  } cases[] = {
      {"5", 0, 127, true, 5},
      {"007", 0, 127, true, 7},
      {"0", 0, 127, true, 0},
      {"127", 0, 127, true, 127},
      {"-12", -1000, 1000, true, -12},
      {"+12", -1000, 1000, true, 12},
      {"-0", -1000, 1000, true, 0},
      {"2147483647", 0, 2147483647, true, 2147483647},
      {"-2147483648", -2147483647 - 1, 0, true, -2147483647 - 1},
      {"128", 0, 127, false, 0},
      {"-1", 0, 127, false, 0},
      {"+5", 0, 127, false, 0},
      {"-0", 0, 127, false, 0},
      {" 5", 0, 127, false, 0},
      {"5 ", 0, 127, false, 0},
      {"\t5", 0, 127, false, 0},
      {"5\r", 0, 127, false, 0},
      {"0x10", 0, 127, false, 0},
      {"1e2", 0, 1000, false, 0},
      {"1.5", 0, 127, false, 0},
      {"5.0", 0, 127, false, 0},
      {"5.", 0, 127, false, 0},
      {"", 0, 127, false, 0},
      {"-", -10, 10, false, 0},
      {"+", -10, 10, false, 0},
      {"--5", -10, 10, false, 0},
      {"5-", -10, 10, false, 0},
      {"2147483648", 0, 2147483647, false, 0},
      {"99999999999999999999999", 0, 2147483647, false, 0},
      {"\xd9\xa5", 0, 127, false, 0},  // an Arabic-Indic five
  };
  for (const auto& c : cases) {
    int value = -99;
    std::string error;
    const bool ok = parseWholeNumber("--note", c.text, c.min, c.max, &value, &error);
    EXPECT_EQ(ok, c.ok) << "'" << c.text << "'";
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
      EXPECT_EQ(error, "") << c.text;
    } else {
      EXPECT_EQ(value, -99) << c.text;
    }
  }
}

TEST(NumberText, NumbersAreDecimalsWithOrWithoutAFraction) {
  const std::string huge = "1" + std::string(400, '0');
  const struct {
    std::string text;
    double min, max;
    bool ok;
    double value;
  } cases[] = {
      {"0.25", 0.0, 1.0, true, 0.25},
      {".25", 0.0, 1.0, true, 0.25},
      {"1", 0.0, 1.0, true, 1.0},
      {"1.", 0.0, 1.0, true, 1.0},
      {"44100", 8000.0, 384000.0, true, 44100.0},
      {"44100.5", 8000.0, 384000.0, true, 44100.5},
      {"0.000000000000000000000000000001", 0.0, 1.0, true, 1e-30},
      {"-0.5", -1.0, 1.0, true, -0.5},
      {"+0.5", -1.0, 1.0, true, 0.5},
      {"-0.5", 0.0, 1.0, false, 0.0},
      {"+0.5", 0.0, 1.0, false, 0.0},
      {"1.5", 0.0, 1.0, false, 0.0},
      {"0x2000", 8000.0, 384000.0, false, 0.0},
      {"0x1p-2", 0.0, 1.0, false, 0.0},
      {"1e-1", 0.0, 1.0, false, 0.0},
      {"1E4", 8000.0, 384000.0, false, 0.0},
      {"inf", 0.0, 1e308, false, 0.0},
      {"infinity", 0.0, 1e308, false, 0.0},
      {"nan", 0.0, 1.0, false, 0.0},
      {"-nan", -1.0, 1.0, false, 0.0},
      {" 0.5", 0.0, 1.0, false, 0.0},
      {"0.5 ", 0.0, 1.0, false, 0.0},
      {"0.5\r", 0.0, 1.0, false, 0.0},
      {"0,5", 0.0, 1.0, false, 0.0},
      {".", 0.0, 1.0, false, 0.0},
      {"", 0.0, 1.0, false, 0.0},
      {"1.2.3", 0.0, 10.0, false, 0.0},
      {huge, 0.0, 1e308, false, 0.0},
  };
  for (const auto& c : cases) {
    double value = -99.0;
    std::string error;
    const bool ok = parseNumber("--rate", c.text, c.min, c.max, &value, &error);
    EXPECT_EQ(ok, c.ok) << "'" << c.text << "'";
    if (c.ok) {
      EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    } else {
      EXPECT_EQ(value, -99.0) << c.text;
    }
  }
}

TEST(NumberText, ARefusalSaysWhatIsTakenAndShowsTheTextPrintably) {
  const struct {
    bool whole;
    const char* text;
    const char* message;
  } cases[] = {
      {true, "0x10", "--note takes a whole number from 0 to 127, not '0x10'"},
      {true, "5\r\r", "--note takes a whole number from 0 to 127, not '5?" "?'"},
      {true, "\x1b[31m5", "--note takes a whole number from 0 to 127, not '?[31m5'"},
      {false, "0x1p-2", "--rate takes a number from 0 to 1, not '0x1p-2'"},
      {false, "1\x9b" "2J", "--rate takes a number from 0 to 1, not '1?2J'"},
  };
  for (const auto& c : cases) {
    std::string error;
    int whole = 0;
    double number = 0.0;
    if (c.whole) {
      EXPECT_FALSE(parseWholeNumber("--note", c.text, 0, 127, &whole, &error));
    } else {
      EXPECT_FALSE(parseNumber("--rate", c.text, 0.0, 1.0, &number, &error));
    }
    EXPECT_EQ(error, c.message);
  }
}

}  // namespace
