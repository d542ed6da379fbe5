// Throughput of the raster library's commonest operations, in megapixels of
// destination per second: the editor's blits of images (copy and alpha
// blend), resized copies (nearest, bilinear and box-filtered) and fills.
#include <benchmark/benchmark.h>

#include <memory>

#include "lice/Blits.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/RectOps.h"

namespace {

constexpr int kSize = 512;

LICE_MemBitmap* Pattern(int w, int h) {
  auto* bm = new LICE_MemBitmap(w, h, 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) bm->getBits()[y * bm->getRowSpan() + x] = LICE_MakePixel(x, y, x ^ y, (x + y) & 255);
  }
  return bm;
}

void Report(benchmark::State& state, double pixelsPerIteration) {
  state.counters["pixels"] = benchmark::Counter(pixelsPerIteration * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_BlitCopy(benchmark::State& state) {
  LICE_MemBitmap dest(kSize, kSize, 4);
  std::unique_ptr<LICE_MemBitmap> src(Pattern(kSize, kSize));
  for (auto _ : state) {
    LICE_Blit(&dest, src.get(), 0, 0, nullptr, 1.0f, LICE_MODE_COPY);
    benchmark::ClobberMemory();
  }
  Report(state, kSize * kSize);
}

// Weight 0.7 through the copy combiner, plain and by source alpha as images draw.
void BM_BlitAlphaBlend(benchmark::State& state) {
  LICE_MemBitmap dest(kSize, kSize, 4);
  std::unique_ptr<LICE_MemBitmap> src(Pattern(kSize, kSize));
  const int mode = static_cast<int>(state.range(0));
  for (auto _ : state) {
    LICE_Blit(&dest, src.get(), 0, 0, nullptr, 0.7f, mode);
    benchmark::ClobberMemory();
  }
  Report(state, kSize * kSize);
}

// Upscaling 256 -> 512 (nearest or bilinear) and downscaling 1024 -> 512
// (box-filtered when bilinear).
void BM_ScaledBlit(benchmark::State& state) {
  const int from = static_cast<int>(state.range(0));
  const int mode = static_cast<int>(state.range(1));
  LICE_MemBitmap dest(kSize, kSize, 4);
  std::unique_ptr<LICE_MemBitmap> src(Pattern(from, from));
  for (auto _ : state) {
    LICE_ScaledBlit(&dest, src.get(), 0, 0, kSize, kSize, 0, 0, static_cast<float>(from), static_cast<float>(from),
                    1.0f, mode);
    benchmark::ClobberMemory();
  }
  Report(state, kSize * kSize);
}

void BM_FillRect(benchmark::State& state) {
  LICE_MemBitmap dest(kSize, kSize, 4);
  const float alpha = static_cast<float>(state.range(0)) / 256;
  for (auto _ : state) {
    LICE_FillRect(&dest, 0, 0, kSize, kSize, LICE_MakePixel(40, 80, 120, 255), alpha, LICE_MODE_COPY);
    benchmark::ClobberMemory();
  }
  Report(state, kSize * kSize);
}

BENCHMARK(BM_BlitCopy);
BENCHMARK(BM_BlitAlphaBlend)->ArgName("mode")->Arg(LICE_MODE_COPY)->Arg(LICE_MODE_COPY | LICE_MODE_SOURCE_ALPHA);
BENCHMARK(BM_ScaledBlit)
    ->ArgNames({"from", "mode"})
    ->Args({256, LICE_MODE_COPY})
    ->Args({256, LICE_MODE_BILINEAR})
    ->Args({1024, LICE_MODE_BILINEAR});
BENCHMARK(BM_FillRect)->ArgName("weight")->Arg(256)->Arg(128)->Arg(200);

}  // namespace
