#include <cstddef>
#include <cstdint>

#include "tests/lice/CanaryBitmap.h"
#include "tests/lice/DrawingCalls.h"

// Runs the drawing calls of each input on a bitmap fenced by canary memory
// (layout in DrawingCalls.h); a write outside the pixels stops the run.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  testsupport::FuzzBytes in(data, size);
  const int w = in.Byte() % 48, h = in.Byte() % 48;
  licetest::CanaryBitmap bm(w, h, in.Byte() & 1, 7);
  for (int k = 0; k < 8 && !in.Empty(); ++k) {
    licetest::Run(&bm, licetest::DecodeCall(in));
    if (!bm.CanariesIntact()) __builtin_trap();
  }
  return 0;
}
