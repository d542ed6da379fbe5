// Drawing primitives per second at the editor's sizes: lines 20 and 200
// pixels long, circles of radius 5 and 50 (outlines and fills), polygons of
// 3 and 8 vertices about 60 pixels across, each aliased and anti-aliased or
// plain and blended, on a 1024 x 760 back buffer.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "lice/Circles.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/Lines.h"
#include "lice/Polygons.h"

namespace {

constexpr int kWidth = 1024, kHeight = 760, kShapes = 64;
constexpr LICE_pixel kColour = LICE_MakePixel(230, 180, 40, 255);

// Centres spread over the bitmap and directions all round.
struct Placement {
  float x, y, angle;
};

std::vector<Placement> Placements() {
  std::vector<Placement> p;
  for (int i = 0; i < kShapes; ++i) {
    p.push_back({100 + (i * 397) % (kWidth - 200) + 0.37f, 100 + (i * 211) % (kHeight - 200) + 0.61f,
                 i * 0.7853982f * 1.13f});
  }
  return p;
}

void Report(benchmark::State& state) {
  state.counters["shapes"] = benchmark::Counter(static_cast<double>(state.iterations()) * kShapes,
                                                benchmark::Counter::kIsRate);
}

// Arguments: length, anti-aliased, alpha in percent.
void BM_Line(benchmark::State& state) {
  LICE_MemBitmap bm(kWidth, kHeight, 4);
  const float length = static_cast<float>(state.range(0)), alpha = state.range(2) / 100.0f;
  const bool aa = state.range(1) != 0;
  std::vector<int> ends;
  for (const Placement& p : Placements()) {
    ends.insert(ends.end(), {static_cast<int>(p.x), static_cast<int>(p.y),
                             static_cast<int>(p.x + length * std::cos(p.angle)),
                             static_cast<int>(p.y + length * std::sin(p.angle))});
  }
  for (auto _ : state) {
    for (size_t i = 0; i < ends.size(); i += 4) {
      LICE_Line(&bm, ends[i], ends[i + 1], ends[i + 2], ends[i + 3], kColour, alpha, LICE_MODE_COPY, aa);
    }
    benchmark::ClobberMemory();
  }
  Report(state);
}

// Arguments: length, anti-aliased.
void BM_FLine(benchmark::State& state) {
  LICE_MemBitmap bm(kWidth, kHeight, 4);
  const float length = static_cast<float>(state.range(0));
  const bool aa = state.range(1) != 0;
  const auto places = Placements();
  for (auto _ : state) {
    for (const Placement& p : places) {
      LICE_FLine(&bm, p.x, p.y, p.x + length * std::cos(p.angle), p.y + length * std::sin(p.angle), kColour, 1.0f,
                 LICE_MODE_COPY, aa);
    }
    benchmark::ClobberMemory();
  }
  Report(state);
}

// Arguments: radius (tenths added so that no pattern is used), anti-aliased, filled.
void BM_Circle(benchmark::State& state) {
  LICE_MemBitmap bm(kWidth, kHeight, 4);
  const float radius = state.range(0) + 0.3f;
  const bool aa = state.range(1) != 0, filled = state.range(2) != 0;
  const auto places = Placements();
  for (auto _ : state) {
    for (const Placement& p : places) {
      (filled ? LICE_FillCircle : LICE_Circle)(&bm, p.x, p.y, radius, kColour, 1.0f, LICE_MODE_COPY, aa);
    }
    benchmark::ClobberMemory();
  }
  Report(state);
}

// Arguments: vertices, alpha in percent, mode.
void BM_Polygon(benchmark::State& state) {
  LICE_MemBitmap bm(kWidth, kHeight, 4);
  const int n = static_cast<int>(state.range(0)), mode = static_cast<int>(state.range(2));
  const float alpha = state.range(1) / 100.0f;
  std::vector<std::vector<int>> xs, ys;
  for (const Placement& p : Placements()) {
    std::vector<int> x, y;
    for (int k = 0; k < n; ++k) {
      const float a = p.angle + k * 6.2831853f / n;
      x.push_back(static_cast<int>(p.x + 30 * std::cos(a)));
      y.push_back(static_cast<int>(p.y + 30 * std::sin(a)));
    }
    xs.push_back(x), ys.push_back(y);
  }
  for (auto _ : state) {
    for (size_t i = 0; i < xs.size(); ++i) LICE_FillConvexPolygon(&bm, xs[i].data(), ys[i].data(), n, kColour, alpha, mode);
    benchmark::ClobberMemory();
  }
  Report(state);
}

BENCHMARK(BM_Line)->ArgsProduct({{20, 200}, {0, 1}, {100, 60}});
BENCHMARK(BM_FLine)->ArgsProduct({{20, 200}, {0, 1}});
BENCHMARK(BM_Circle)->ArgsProduct({{5, 50}, {0, 1}, {0, 1}});
BENCHMARK(BM_Polygon)->ArgsProduct({{3, 8}, {100, 60}, {LICE_MODE_COPY, LICE_MODE_ADD}});

}  // namespace
