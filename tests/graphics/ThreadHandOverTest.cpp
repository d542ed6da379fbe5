#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "graphics/BitmapControls.h"
#include "graphics/HandOver.h"
#include "graphics/TextControls.h"
#include "lice/LICE_MemBitmap.h"
#include "tests/graphics/GraphicsTestSupport.h"

// Threads meeting at the editor; the thread-sanitizing build runs these.

namespace {

using gfxtest::LoggingPlug;
using gfxtest::TestGraphics;

TEST(EditorThreads, AReaderOnAnotherThreadSeesValuesInOrderAndTheLastOne) {
  struct Pair {
    int a, b;
  };
  HandOver<Pair> value(Pair{0, 0});
  constexpr int kLast = 50000;
  // The writer keeps its last value back until the reader has taken one, so
  // that at least one take meets the writer at work; relaxed, so that it
  // orders nothing the hand-over must order itself.
  std::atomic<bool> took{false};
  std::thread writer([&] {
    for (int i = 1; i <= kLast; ++i) {
      if (i == kLast) {
        while (!took.load(std::memory_order_relaxed)) std::this_thread::yield();
      }
      value.Back() = Pair{i, -i};
      value.Publish();
    }
  });
  int seen = 0;
  bool torn = false, backwards = false;
  while (seen != kLast) {
    if (!value.Take()) continue;
    took.store(true, std::memory_order_relaxed);
    const Pair p = value.Front();
    torn |= p.a != -p.b;
    backwards |= p.a < seen;
    seen = p.a;
  }
  writer.join();
  EXPECT_FALSE(torn);
  EXPECT_FALSE(backwards);
}

// A value set on the editor's thread is newer than one another thread left.
TEST(EditorThreads, TextSetOnTheEditorThreadWinsOverAnOlderHandOver) {
  LoggingPlug plug(nullptr, 1);
  IText style;
  ITextControl text(&plug, IRECT(0, 0, 10, 10), &style, "start");
  std::thread([&] { text.SetTextFromPlug("from the host"); }).join();
  EXPECT_STREQ(text.GetTextString(), "start");
  text.SetTextFromPlug("from the editor");
  text.TakeHandOver();
  EXPECT_STREQ(text.GetTextString(), "from the editor");
  const std::string longText(400, 'x');
  std::thread([&] { text.SetTextFromPlug(longText.c_str()); }).join();
  text.SetClean();
  text.TakeHandOver();
  EXPECT_EQ(std::string(text.GetTextString()), std::string(ITextControl::kMaxHandOverText, 'x'));
  EXPECT_TRUE(text.IsDirty());
  // The cut keeps whole characters: 127 two-byte ones fit in 255 bytes.
  std::string accented;
  for (int i = 0; i < 200; ++i) accented += "\xc3\xa9";
  std::thread([&] { text.SetTextFromPlug(accented.c_str()); }).join();
  text.TakeHandOver();
  EXPECT_EQ(std::string(text.GetTextString()), accented.substr(0, 254));
}

// Bitmap controls bound to parameters and read-outs are drawn on this thread
// while another sets the parameters as a host does (under the plug-in's
// lock) and rewrites the read-outs; the other thread goes on until this one
// has drawn while it ran. After it stops, the next tick shows its last values.
TEST(EditorThreads, ParametersAndTextsFromAnotherThreadShowAfterTheNextTick) {
  constexpr int kControls = 16;
  LoggingPlug plug(nullptr, kControls);
  TestGraphics* gui = new TestGraphics(&plug, 320, 40);
  LICE_MemBitmap strip(8, 8 * 64);
  for (int i = 0; i < strip.getRowSpan() * strip.getHeight(); ++i) strip.getBits()[i] = 0xFF000000u | i;
  IBitmap frames(&strip, 8, 8 * 64, 64);
  IText style(10, &COLOR_WHITE, "DejaVu Sans", IText::kStyleNormal, IText::kAlignNear);
  std::vector<IControl*> knobs;
  std::vector<ITextControl*> texts;
  for (int i = 0; i < kControls; ++i) {
    knobs.push_back(new IBitmapControl(&plug, i * 20, 0, i, &frames));
    gui->AttachControl(knobs.back());
    texts.push_back(new ITextControl(&plug, IRECT(i * 20, 10, i * 20 + 20, 40), &style, "-"));
    gui->AttachControl(texts.back());
  }
  plug.AttachGraphics(gui);

  constexpr int kRounds = 3000;
  std::atomic<int> rounds{0};
  std::atomic<bool> editorDone{false};
  std::thread host([&] {
    char text[32];
    for (int round = 1;; ++round) {
      for (int i = 0; i < kControls; ++i) {
        const double v = ((round * 7 + i * 13) % 101) / 100.0;
        {
          WDL_MutexLock lock(plug.GetMutex());
          plug.GetParam(i)->Set(v);
          plug.GetGUI()->SetParameterFromPlug(i, v, false);
        }
        std::snprintf(text, sizeof(text), "%d", round * 100 + i);
        texts[static_cast<size_t>(i)]->SetTextFromPlug(text);
      }
      rounds.store(round, std::memory_order_relaxed);
      if (round >= kRounds && editorDone.load(std::memory_order_relaxed)) break;
    }
  });
  bool drawn = false;
  while (!drawn || rounds.load(std::memory_order_relaxed) < kRounds) {
    IRECT r;
    if (gui->IsDirty(&r)) {
      gui->Draw(&r);
      drawn = true;
    }
  }
  editorDone = true;
  host.join();
  const int lastRound = rounds.load();
  IRECT r;
  gui->IsDirty(&r);
  gui->Draw(&r);
  for (int i = 0; i < kControls; ++i) {
    EXPECT_DOUBLE_EQ(knobs[static_cast<size_t>(i)]->GetValue(), ((lastRound * 7 + i * 13) % 101) / 100.0) << i;
    EXPECT_EQ(std::string(texts[static_cast<size_t>(i)]->GetTextString()), std::to_string(lastRound * 100 + i));
  }
}

}  // namespace
