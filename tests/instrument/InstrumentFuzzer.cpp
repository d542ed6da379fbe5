// Drives the instrument through the Audio Unit calls a host makes, in any
// order and with any values: parameters (NaN and out-of-range included),
// MIDI bytes, renders, presets, slice sizes, sample rates, resets and state
// round trips. Whatever happens, the host must only ever receive finite
// samples within the limiter's widest bound.
//
// One unit serves every input, each input continuing the session of the one
// before, as a host's session goes on: building a unit costs as much as
// thousands of inputs. Each input ends its notes and gives the unit its
// opening rate and slice back before the next starts, so what carries over
// is the unit's other settings and its effect tails; a fault that needs
// them may take the inputs before it to show again. The calls come from a
// thread other than the one that built the unit and its editor, as from a
// host's automation thread: the editor is handed the values, and applying
// them on its own thread is left to the editor's tests.
//
// CTest runs it with libFuzzer's rare-feature threshold lowered (see
// CMakeLists.txt); a run by hand goes as fast with the same option.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tests/instrument/HostCalls.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

void check(const float* samples, int frames) {
  for (int i = 0; i < frames; ++i) {
    const float x = samples[i];
    if (!std::isfinite(x) || std::fabs(x) > 3.16227f || std::fpclassify(x) == FP_SUBNORMAL) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static hostcalls::Unit unit;
  static InstrumentHost* host = [] {
    auto* opened = new InstrumentHost;
    if (!hostcalls::open(*opened, unit)) std::abort();
    return opened;
  }();
  const hostcalls::BlockCheck checkBlock = [](const float* left, const float* right, int frames) {
    check(left, frames);
    check(right, frames);
  };
  hostcalls::play(*host, unit, data, size, checkBlock);
  hostcalls::endSession(*host, unit, checkBlock);
  return 0;
}
