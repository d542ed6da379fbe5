// Text from files, presets and the command line as messages print it: what
// would steer the terminal, or show the text other than it holds, as '?'.

#include "framework/PrintableText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PrintableText, WhatATerminalWouldNotShowAsItIsBecomesAQuestionMark) {
  const struct {
    const char* what;
    std::string text, printed;
  } cases[] = {
      {"plain text", "Deep Kick 2", "Deep Kick 2"},
      {"letters and signs past ASCII", "Caf\u00e9 \u20ac \u4e2d \U0001F941", "Caf\u00e9 \u20ac \u4e2d \U0001F941"},
      {"escape sequence", "a\x1b[2Jb", "a?[2Jb"},
      {"tab, line ends, DEL", "a\tb\nc\rd\x7f", "a?b?c?d?"},
      {"C1 control", "a\u009bb", "a?b"},
      {"right-to-left override", "abc\u202eFED", "abc?FED"},
      {"embeddings and marks", "\u202a\u202b\u202c\u202d\u200e\u200f\u061c", "???????"},
      {"isolates", "\u2066a\u2067b\u2068c\u2069", "?a?b?c?"},
      {"zero-width characters", "a\u200bb\u200cc\u200dd\u2060e", "a?b?c?d?e"},
      {"byte-order mark", "\ufeffname", "?name"},
      {"soft hyphen and other format characters", "a\u00adb\u0600c\U000E0041", "a?b?c?"},
      {"line and paragraph separators", "a\u2028b\u2029c", "a?b?c"},
      {"bytes that are not UTF-8", "a\xff" "b\xc0\xaf" "c\xed\xa0\x80", "a?b??c???"},
      {"a sequence cut short", "ab\xe2\x82", "ab??"},
  };
  for (const auto& c : cases) EXPECT_EQ(printableText(c.text), c.printed) << c.what;
}

}  // namespace
