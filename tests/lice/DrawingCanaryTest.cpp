#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "tests/lice/CanaryBitmap.h"
#include "tests/lice/DrawingCalls.h"
#include "tests/lice/RandomArgs.h"

// Every drawing entry point with random arguments (huge, negative, NaN and
// infinite coordinates, radii and tolerances, every mode and alpha) on
// bitmaps of either row order fenced by canary memory: nothing outside a
// bitmap's pixels may be read or written, and every call returns promptly.

namespace {

using licetest::CanaryBitmap;
using licetest::DrawingCall;
using licetest::Fuzz;

float Radius(Fuzz& fuzz) {
  if (fuzz.OneIn(400)) {
    const float huge[] = {1e6f, -1e6f, 1048576.0f, 1048577.0f, 3e7f};
    return huge[fuzz.Range(0, 4)];
  }
  if (fuzz.OneIn(12)) {
    const float special[] = {1.5f, 2, 2.5f, 3, 3.5f, 4, -0.5f, -1, 0, 700.25f};
    return special[fuzz.Range(0, 9)];
  }
  return fuzz.OneIn(4) ? fuzz.Real() : fuzz.Range(-20, 300) * 0.25f;
}

float Tolerance(Fuzz& fuzz) {
  if (fuzz.OneIn(20)) {
    const float special[] = {1e-30f, 1e-6f, 0, -1, 1e30f};
    return special[fuzz.Range(0, 4)];
  }
  return fuzz.OneIn(5) ? fuzz.Real() : fuzz.Range(1, 40) * 0.25f;
}

DrawingCall RandomCall(Fuzz& fuzz) {
  DrawingCall c;
  c.entry = static_cast<uint8_t>(fuzz.Range(0, DrawingCall::kEntries - 1));
  for (float& v : c.f) v = fuzz.Real();
  for (int32_t& v : c.i) v = fuzz.Coord();
  switch (c.entry) {
    case DrawingCall::kDashedLine:
      c.i[4] = fuzz.OneIn(8) ? fuzz.Coord() : fuzz.Range(-2, 5);
      c.i[5] = fuzz.OneIn(8) ? fuzz.Coord() : fuzz.Range(-2, 5);
      break;
    case DrawingCall::kCircle:
    case DrawingCall::kFillCircle:
    case DrawingCall::kArc:
      c.f[2] = Radius(fuzz);
      break;
    case DrawingCall::kRoundRect:
      c.i[0] = fuzz.OneIn(6) ? fuzz.Coord() : fuzz.Range(-2, 30);
      break;
    case DrawingCall::kDrawQBezier:
      c.f[6] = Tolerance(fuzz);
      break;
    case DrawingCall::kFillCBezier:
    case DrawingCall::kFillCBezierX:
      c.i[0] = fuzz.OneIn(6) ? fuzz.Coord() : fuzz.Range(-5, 45);
      c.f[8] = Tolerance(fuzz);
      break;
    case DrawingCall::kDrawCBezier:
      c.f[8] = Tolerance(fuzz);
      break;
    case DrawingCall::kFillConvexPolygon: {
      const int n = fuzz.OneIn(40) ? fuzz.Range(500, 700) : fuzz.Range(0, 9);
      for (int k = 0; k < 2 * n; ++k) c.points.push_back(fuzz.OneIn(10) ? fuzz.Coord() : fuzz.Range(-10, 50));
      break;
    }
    default:
      break;
  }
  c.color = fuzz.Pixel();
  c.alpha = fuzz.Alpha();
  c.mode = fuzz.Mode();
  c.aa = fuzz.OneIn(2);
  return c;
}

TEST(DrawingCanaryTest, RandomCallsStayInsideTheirBitmapsAndReturnPromptly) {
  for (unsigned int seed = 1; seed <= 6; ++seed) {
    Fuzz fuzz(seed);
    for (int round = 0; round < 250; ++round) {
      const int w = fuzz.OneIn(10) ? fuzz.Range(0, 1) : fuzz.Range(2, 41);
      const int h = fuzz.OneIn(10) ? fuzz.Range(0, 1) : fuzz.Range(2, 41);
      CanaryBitmap bm(w, h, fuzz.OneIn(2), static_cast<unsigned int>(fuzz.Engine()()));
      for (int k = 0; k < 20; ++k) {
        const DrawingCall call = RandomCall(fuzz);
        const auto start = std::chrono::steady_clock::now();
        licetest::Run(&bm, call);
        const auto took = std::chrono::steady_clock::now() - start;
        ASSERT_TRUE(bm.CanariesIntact()) << licetest::EntryName(call.entry) << " wrote outside its bitmap (seed "
                                         << seed << ", round " << round << ")";
        ASSERT_LT(took, std::chrono::seconds(2)) << licetest::EntryName(call.entry) << " (seed " << seed << ")";
      }
    }
  }
}

}  // namespace
