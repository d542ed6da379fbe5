#include <cstddef>
#include <cstdint>

#include "lice/PNG.h"

// Inputs whose header announces more than 16M pixels are skipped: they are
// legal and would only make the fuzzer allocate gigabytes, which the loader
// attempts as any size up to INT_MAX bytes.
static bool Oversized(const uint8_t* data, size_t size) {
  if (size < 24) return false;
  auto word = [data](size_t at) {
    return (uint64_t(data[at]) << 24) | (uint64_t(data[at + 1]) << 16) | (uint64_t(data[at + 2]) << 8) | data[at + 3];
  };
  return word(16) * word(20) > (uint64_t(1) << 24);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20) || Oversized(data, size)) return 0;
  LICE_IBitmap* bm = LICE_LoadPNGFromMemory(data, static_cast<int>(size), nullptr);
  if (bm) {
    // Touch every pixel so that a short fill shows up under the sanitizers.
    volatile uint32_t sum = 0;
    for (int y = 0; y < bm->getHeight(); ++y) {
      for (int x = 0; x < bm->getWidth(); ++x) sum = sum + bm->getBits()[y * bm->getRowSpan() + x];
    }
  }
  delete bm;
  return 0;
}
