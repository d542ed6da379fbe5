#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/thudrokka/InstrumentHost.h"

// What a host gets from the instrument it opened, for comparing takes.

inline float Peak(const std::vector<float>& samples) {
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  return peak;
}

// Both channels over frames, rendered in slices of the host's block size:
// each slice's left samples, then its right ones.
inline std::vector<float> RenderTake(InstrumentHost& host, int frames) {
  const int slice = host.blockSize();
  std::vector<float> take, left(static_cast<std::size_t>(slice)), right(left.size());
  for (int done = 0; done < frames; done += slice) {
    EXPECT_EQ(host.render(slice, left.data(), right.data()), noErr);
    take.insert(take.end(), left.begin(), left.end());
    take.insert(take.end(), right.begin(), right.end());
  }
  return take;
}
