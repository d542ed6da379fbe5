// Drives one instrument through the Audio Unit calls a host makes, in any
// order and with any values: parameters (NaN and out-of-range included),
// MIDI bytes, renders of any length, presets, slice sizes, sample rates,
// resets and state round trips. Whatever happens, the host must only ever
// receive finite samples within the limiter's widest bound.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/standin/CFBase.h"
#include "tests/support/FuzzBytes.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using testsupport::FuzzBytes;

constexpr long kMaxFramesPerInput = 20000;
constexpr int kMaxRender = 3000;
constexpr int kMaxSlice = 4096;

void check(const std::vector<float>& samples, int frames) {
  for (int i = 0; i < frames; ++i) {
    const float x = samples[static_cast<std::size_t>(i)];
    if (!std::isfinite(x) || std::fabs(x) > 3.16227f || std::fpclassify(x) == FP_SUBNORMAL) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const double kRates[] = {8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 192000.0};
  FuzzBytes in(data, size);
  InstrumentHost host;
  int slice = 1 + static_cast<int>(in.Value<uint16_t>() % kMaxSlice);
  if (host.open(kRates[in.Byte() % 6], slice) != noErr) return 0;
  standin::HostSession& session = host.session();
  std::vector<float> left(kMaxRender), right(kMaxRender);
  long rendered = 0;
  while (!in.Empty() && rendered < kMaxFramesPerInput) {
    switch (in.Byte() % 8) {
      case 0: session.SetParameter(in.Byte() % 110, in.Value<float>()); break;
      case 1: {
        const UInt8 status = in.Byte(), data1 = in.Byte(), data2 = in.Byte();
        session.SendMIDI(status, data1, data2, in.Value<uint16_t>());
        break;
      }
      case 2: {
        const int frames = 1 + static_cast<int>(in.Value<uint16_t>() % kMaxRender);
        if (host.render(frames, left.data(), right.data()) == noErr) {
          check(left, frames);
          check(right, frames);
        }
        rendered += frames;
        break;
      }
      case 3: host.selectPreset(in.Byte() % 130); break;
      case 4:
        slice = 1 + static_cast<int>(in.Value<uint16_t>() % kMaxSlice);
        session.SetMaxFramesPerSlice(static_cast<UInt32>(slice));
        break;
      case 5: session.SetSampleRate(kRates[in.Byte() % 6]); break;
      case 6: AudioUnitReset(session.Unit(), kAudioUnitScope_Global, 0); break;
      default: {
        CFPropertyListRef state = nullptr;
        if (session.GetState(&state) == noErr && state) {
          session.SetState(state);
          CFRelease(state);
        }
        break;
      }
    }
  }
  return 0;
}
