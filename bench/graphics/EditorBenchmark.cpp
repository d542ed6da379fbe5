// The editor's frame loop on an editor of the instrument's size (1024 x 760)
// with a background, 48 knob strips, 12 switches and 24 texts: a full redraw
// into the back buffer, the same through the editor host to a window's
// screen, and the idle tick that finds nothing dirty.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "graphics/BitmapControls.h"
#include "graphics/TextControls.h"
#include "lice/LICE_MemBitmap.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/NSView.h"
#include "platform/standin/RunLoop.h"
#include "tests/framework/TestHostPlug.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 760;

// Opaque or soft-edged images made here, kept as the cache would keep them.
LICE_MemBitmap* Image(int w, int h, bool softEdges) {
  auto* bm = new LICE_MemBitmap(w, h, 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int alpha = softEdges ? ((x * 7 + y * 3) & 255) : 255;
      bm->getBits()[y * bm->getRowSpan() + x] = LICE_MakePixel(x & 255, y & 255, (x ^ y) & 255, alpha);
    }
  }
  return bm;
}

struct Images {
  Images() : background(Image(kWidth, kHeight, false)), knob(Image(40, 40 * 128, true)), toggle(Image(20, 40, true)) {}
  std::unique_ptr<LICE_MemBitmap> background, knob, toggle;
};

Images& TheImages() {
  static Images images;
  return images;
}

// Fills an editor the way the instrument's sections do.
void Populate(IGraphics* gui, IPlugBase* plug) {
  Images& images = TheImages();
  IBitmap background(images.background.get(), kWidth, kHeight, 1);
  IBitmap knob(images.knob.get(), 40, 40 * 128, 128);
  IBitmap toggle(images.toggle.get(), 20, 40, 2);
  gui->AttachControl(new IBitmapControl(plug, 0, 0, -1, &background, IChannelBlend(IChannelBlend::kBlendClobber)));
  for (int i = 0; i < 48; ++i) {
    gui->AttachControl(new IBitmapControl(plug, 40 + (i % 12) * 80, 60 + (i / 12) * 150, i, &knob));
  }
  for (int i = 0; i < 12; ++i) gui->AttachControl(new IBitmapControl(plug, 50 + i * 80, 680, 48 + i, &toggle));
  static const IColor white = COLOR_WHITE;
  static IText style(13, &white, "Arial", IText::kStyleNormal, IText::kAlignNear, 0, IText::kQualityPlain);
  char text[32];
  for (int i = 0; i < 24; ++i) {
    std::snprintf(text, sizeof(text), "%3.1f dB", i * 0.7);
    const int x = 30 + (i % 12) * 80, y = 105 + (i / 12) * 300;
    gui->AttachControl(new ITextControl(plug, IRECT(x, y, x + 70, y + 16), &style, text));
  }
}

struct BenchPlug : fwtest::TestHostPlug {
  BenchPlug() : TestHostPlug(105) {
    InitUnitParams(0.5);
    mRecordParamChanges = false;
  }
};

// The core's redraw into the back buffer; the platform's copy is left out.
class BufferOnlyGraphics : public IGraphicsMac {
 public:
  using IGraphicsMac::IGraphicsMac;
  bool DrawScreen(IRECT*) override { return true; }
};

void BM_FullRedraw(benchmark::State& state) {
  BenchPlug plug;
  auto* gui = new BufferOnlyGraphics(&plug, kWidth, kHeight);
  Populate(gui, &plug);
  plug.AttachGraphics(gui);
  for (auto _ : state) {
    gui->SetAllControlsDirty();
    IRECT r;
    gui->IsDirty(&r);
    gui->Draw(&r);
    benchmark::ClobberMemory();
  }
  state.counters["frames"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Timer tick, invalidation, the window's redraw and the copy to its screen.
void BM_FullRedrawToScreen(benchmark::State& state) {
  BenchPlug plug;
  auto* gui = new IGraphicsMac(&plug, kWidth, kHeight);
  Populate(gui, &plug);
  plug.AttachGraphics(gui);
  NSWindow window(NSMakeRect(0, 0, kWidth, kHeight));
  gui->OpenWindow(window.contentView());
  for (auto _ : state) {
    gui->SetAllControlsDirty();
    standin::RunLoopAdvance(0.04);
    benchmark::ClobberMemory();
  }
  gui->CloseWindow();
  state.counters["frames"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Nothing dirty: one pass over the controls, and every fourth tick their idle calls.
void BM_IdleTick(benchmark::State& state) {
  BenchPlug plug;
  auto* gui = new BufferOnlyGraphics(&plug, kWidth, kHeight);
  Populate(gui, &plug);
  plug.AttachGraphics(gui);
  IRECT all(0, 0, kWidth, kHeight);
  gui->Draw(&all);
  for (auto _ : state) {
    IRECT r;
    benchmark::DoNotOptimize(gui->IsDirty(&r));
  }
}

BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRedrawToScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IdleTick)->Unit(benchmark::kNanosecond);

}  // namespace
