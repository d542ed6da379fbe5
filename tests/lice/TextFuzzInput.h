#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/FuzzBytes.h"

// The text fuzzer's input: which font, flags, rectangle, colour and combine
// mode, then the text bytes. Shared by the fuzzer and the test that writes
// its seeds, so that both read and write one layout.

namespace licetest {

struct TextFuzzInput {
  uint8_t font = 0;       // index into the fuzzer's fonts
  uint8_t fontFlags = 0;  // index into the fuzzer's font-flag sets
  uint32_t textFlags = 0;
  int16_t rect[4] = {0, 0, 0, 0};
  int16_t count = -1;  // bytes of text, negative: to its end
  uint8_t mode = 0;
  uint8_t alpha = 255;
  uint32_t color = 0xffffffff;
  std::string text;
};

inline TextFuzzInput DecodeTextFuzzInput(testsupport::FuzzBytes& in) {
  TextFuzzInput t;
  t.font = in.Byte();
  t.fontFlags = in.Byte();
  t.textFlags = in.Value<uint32_t>();
  for (int16_t& v : t.rect) v = in.Value<int16_t>();
  t.count = in.Value<int16_t>();
  t.mode = in.Byte();
  t.alpha = in.Byte();
  t.color = in.Value<uint32_t>();
  while (!in.Empty()) t.text += static_cast<char>(in.Byte());
  return t;
}

inline std::vector<uint8_t> EncodeTextFuzzInput(const TextFuzzInput& t) {
  std::vector<uint8_t> out;
  auto put = [&out](const void* p, size_t n) {
    out.insert(out.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
  };
  put(&t.font, 1);
  put(&t.fontFlags, 1);
  put(&t.textFlags, 4);
  for (const int16_t& v : t.rect) put(&v, 2);
  put(&t.count, 2);
  put(&t.mode, 1);
  put(&t.alpha, 1);
  put(&t.color, 4);
  put(t.text.data(), t.text.size());
  return out;
}

}  // namespace licetest
