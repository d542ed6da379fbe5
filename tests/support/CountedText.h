#pragma once

#include <cstring>
#include <memory>
#include <string>

namespace testsupport {

// The bytes of a text in a buffer of their own size, unterminated, so that
// a read past the count is caught by the address sanitizer.
struct CountedText {
  explicit CountedText(const std::string& text) : size(static_cast<int>(text.size())), bytes(new char[text.size()]) {
    std::memcpy(bytes.get(), text.data(), text.size());
  }
  int size;
  std::unique_ptr<char[]> bytes;
};

}  // namespace testsupport
