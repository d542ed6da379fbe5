#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/lice/DrawingCalls.h"
#include "tests/support/FileContents.h"

// The drawing fuzzer's seeds are written by Encode from the calls below:
// this test remakes them and checks the committed copies; run it with
// THUDROKKA_WRITE_SEEDS=1 to rewrite them after a change of layout.

namespace {

using licetest::DrawingCall;
using licetest::DrawingInput;

DrawingCall Call(DrawingCall::Entry entry, std::vector<float> f, std::vector<int32_t> i, int mode, bool aa,
                 float alpha = 1.0f) {
  DrawingCall c;
  c.entry = entry;
  for (size_t k = 0; k < f.size(); ++k) c.f[k] = f[k];
  for (size_t k = 0; k < i.size(); ++k) c.i[k] = i[k];
  c.color = 0xff8040c0;
  c.alpha = alpha;
  c.mode = mode;
  c.aa = aa;
  return c;
}

struct Seed {
  const char* name;
  DrawingInput input;
};

std::vector<Seed> Seeds() {
  DrawingCall polygon = Call(DrawingCall::kFillConvexPolygon, {}, {}, LICE_MODE_ADD, false, 0.6f);
  polygon.points = {2, 3, 30, 1, 35, 20, 12, 33, 4, 18, 15, 15};
  return {
      {"lines",
       {32, 24, 0,
        {Call(DrawingCall::kLine, {}, {-5, 3, 40, 20}, 0, false), Call(DrawingCall::kLine, {}, {1, 1, 20, 20}, 1, true),
         Call(DrawingCall::kFLine, {0.5f, 2.25f, 30.75f, 9.5f}, {}, 0, true, 0.5f),
         Call(DrawingCall::kDashedLine, {}, {2, 5, 29, 5, 3, 2}, 0, false)}}},
      {"flipped_shapes",
       {30, 30, 1,
        {Call(DrawingCall::kFillTrapezoid, {}, {2, 9, -4, 0, 28, 25}, 0, false, 0.25f),
         Call(DrawingCall::kFillTriangle, {}, {0, 0, 20, 3, 5, 29}, 4, false), polygon,
         Call(DrawingCall::kBorderedRect, {}, {3, 4, 20, 10, 0x10203040}, 0, false, 0.75f)}}},
      {"circles",
       {40, 40, 0,
        {Call(DrawingCall::kCircle, {20, 20, 12.5f}, {}, 0, true), Call(DrawingCall::kFillCircle, {5, 38, 9}, {}, 3, false),
         Call(DrawingCall::kCircle, {10, 10, 2.5f}, {}, 0, false),
         Call(DrawingCall::kArc, {20, 20, 15, -4, 2}, {}, 5, true, 0.7f),
         Call(DrawingCall::kRoundRect, {3, 3, 30, 20}, {6}, 0, true)}}},
      {"curves",
       {36, 28, 0,
        {Call(DrawingCall::kDrawQBezier, {-4, 20, 18, -10, 40, 25, 1}, {}, 0, true),
         Call(DrawingCall::kDrawCBezier, {2, 2, 10, 40, 25, -20, 33, 20, 0.5f}, {}, 2, false),
         Call(DrawingCall::kFillCBezier, {0, 10, 12, 25, 20, 0, 36, 15, 1}, {20}, 0, false, 0.5f),
         Call(DrawingCall::kFillCBezierX, {5, 0, 30, 10, 0, 18, 20, 28, 1}, {18}, 1, false)}}},
  };
}

TEST(DrawingFuzzSeeds, CommittedSeedsAreWhatTheCodeWrites) {
  const bool rewrite = std::getenv("THUDROKKA_WRITE_SEEDS") != nullptr;
  for (const Seed& seed : Seeds()) {
    const std::string path = std::string("corpus/lice_drawing_fuzzer/") + seed.name;
    const std::vector<uint8_t> bytes = licetest::Encode(seed.input);
    if (rewrite) std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::string committed = testsupport::readFile(path);
    EXPECT_EQ(std::vector<uint8_t>(committed.begin(), committed.end()), bytes) << path;
  }
}

}  // namespace
