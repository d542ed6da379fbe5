#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lice/LICE_CachedFont.h"
#include "tests/lice/TextFuzzInput.h"

// The text fuzzer's seeds are files this test writes: it remakes them and
// checks the committed copies, and that each decodes back to what it holds.
// Run it with THUDROKKA_WRITE_SEEDS=1 to rewrite them after a layout change.

namespace {

using licetest::TextFuzzInput;

TextFuzzInput Input(uint8_t font, uint8_t fontFlags, uint32_t textFlags, const std::string& text) {
  TextFuzzInput t;
  t.font = font;
  t.fontFlags = fontFlags;
  t.textFlags = textFlags;
  t.rect[0] = 2, t.rect[1] = 3, t.rect[2] = 46, t.rect[3] = 22;
  t.text = text;
  return t;
}

struct Seed {
  std::string file;
  TextFuzzInput input;
};

std::vector<Seed> MakeSeeds() {
  const std::string dir = "corpus/lice_text_fuzzer/";
  TextFuzzInput alpha = Input(1, 1, LICE_TEXT_USE_ALPHA | DT_RIGHT | DT_BOTTOM, "A&&B\r\nc\xc3\xa9");
  alpha.color = 0x80ffffff;
  alpha.alpha = 150;
  alpha.mode = 0x81;
  TextFuzzInput counted = Input(2, 3, DT_CENTER | DT_VCENTER | DT_NOCLIP, "\xe2\x82\xac\xf0\x9f\x8e\xb9 x\xe9");
  counted.count = 4;
  TextFuzzInput whole = Input(0, 1, DT_SINGLELINE, "Kick\r\n");
  whole.count = 6;
  return {
      {dir + "native_plain", Input(0, 0, 0, "The quick brown fox 0123")},
      {dir + "native_calcrect_lines", Input(0, 0, DT_CALCRECT | DT_END_ELLIPSIS, "one\ntwo &File")},
      {dir + "cached_alpha_effects", alpha},
      {dir + "counted_utf8", counted},
      {dir + "counted_whole_text", whole},
      {dir + "vertical_flipped", Input(0, 6, DT_SINGLELINE | LICE_TEXT_NO_NATIVE, "Up\nDown")},
      {dir + "platform_only", Input(3, 0, DT_SINGLELINE | DT_NOPREFIX, "\xff invalid")},
  };
}

TEST(TextFuzzSeeds, CommittedSeedsAreWhatTheCodeWrites) {
  const bool rewrite = std::getenv("THUDROKKA_WRITE_SEEDS") != nullptr;
  for (const Seed& seed : MakeSeeds()) {
    SCOPED_TRACE(seed.file);
    const std::vector<uint8_t> bytes = licetest::EncodeTextFuzzInput(seed.input);
    if (rewrite) {
      std::ofstream out(seed.file, std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::ifstream in(seed.file, std::ios::binary);
    ASSERT_TRUE(in.good());
    const std::vector<uint8_t> committed((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(committed, bytes);
    testsupport::FuzzBytes reader(committed.data(), committed.size());
    const TextFuzzInput back = licetest::DecodeTextFuzzInput(reader);
    EXPECT_EQ(back.text, seed.input.text);
    EXPECT_EQ(back.textFlags, seed.input.textFlags);
    EXPECT_EQ(back.count, seed.input.count);
    EXPECT_EQ(back.color, seed.input.color);
  }
}

}  // namespace
