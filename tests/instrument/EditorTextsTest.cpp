// Every text of the editor against its neighbours. Each text control is
// drawn alone onto a blank screen to find the pixels its text sets: that ink
// must not touch another text's ink, nor lie under what a control drawn
// after it paints. Read-outs change with what they show, so the synth tab is
// checked as built, with every factory preset and a note, and with every
// parameter at either end; the about tab as built.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "graphics/IGraphics.h"
#include "graphics/TextControls.h"
#include "instrument/ThudrokkaPresetControls.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/Pixel.h"
#include "lice/RectOps.h"
#include "tests/instrument/EditorLayout.h"
#include "tests/instrument/ThudrokkaProbe.h"

namespace {

using namespace Quillvane::Synth;

// No text draws this colour: not even its alpha is opaque.
constexpr LICE_pixel kBlank = 0x12345678;
// Ink is looked for this far round a text's rectangle, in case it leaves it.
constexpr int kMargin = 16;

struct Point {
  int x, y;
};

struct Text {
  int index;
  IControl* control;
  std::vector<Point> ink;
};

bool IsText(IControl* c) { return dynamic_cast<ITextControl*>(c) || dynamic_cast<IQvPresetMenu*>(c); }

// The control and what it shows, for a message.
std::string Describe(IControl* c) {
  std::string shown;
  if (auto* t = dynamic_cast<ITextControl*>(c)) shown = t->GetTextString();
  if (auto* m = dynamic_cast<IQvPresetMenu*>(c)) shown = m->GetDisplayString();
  std::replace(shown.begin(), shown.end(), '\n', ' ');
  return layout::ClassName(c) + " \"" + shown + "\" " + layout::RectText(*c->GetRECT());
}

// The pixels the control sets when it is drawn alone.
std::vector<Point> InkOf(IGraphics* editor, IControl* c) {
  LICE_IBitmap* screen = editor->GetDrawBitmap();
  const IRECT* r = c->GetRECT();
  const int l = std::max(0, r->L - kMargin), t = std::max(0, r->T - kMargin);
  const int right = std::min(editor->Width(), r->R + kMargin), b = std::min(editor->Height(), r->B + kMargin);
  LICE_FillRect(screen, l, t, right - l, b - t, kBlank, 1.0f, LICE_MODE_COPY);
  c->Draw(editor);
  std::vector<Point> ink;
  for (int y = t; y < b; ++y) {
    for (int x = l; x < right; ++x) {
      if (LICE_GetPixel(screen, x, y) != kBlank) ink.push_back({x, y});
    }
  }
  return ink;
}

// Lets the editor take what the instrument wrote for it, as its timer does,
// with the read-outs that poll on idle ticks.
void Refresh(IGraphics* editor) {
  IRECT dirty;
  editor->IsDirty(&dirty);
  editor->OnGUIIdle();
}

// Each fault once, keyed by the controls it names, with the first state
// that showed it.
using Faults = std::map<std::pair<int, int>, std::string>;

// Every visible text's ink against the other texts' ink and against what
// the controls drawn after it paint.
void CheckTexts(IGraphics* editor, const std::string& state, Faults* faults) {
  const int w = editor->Width(), h = editor->Height();
  // Drawing the whole editor once lets each control draw anywhere on it.
  IRECT all(0, 0, w, h);
  editor->Draw(&all);
  std::vector<Text> texts;
  for (int i = 0; i < editor->NControls(); ++i) {
    IControl* c = editor->GetControl(i);
    if (!c->IsHidden() && IsText(c)) texts.push_back({i, c, InkOf(editor, c)});
  }
  const auto fault = [&](int a, int b, const std::string& what) {
    faults->emplace(std::make_pair(a, b), what + " (first with " + state + ")");
  };

  // Letters a pixel apart, across or diagonally, read as one word.
  std::vector<int> owner(static_cast<size_t>(w * h), -1);
  for (size_t k = 0; k < texts.size(); ++k) {
    const Text& text = texts[k];
    std::vector<bool> touched(texts.size(), false);
    for (const Point& p : text.ink) {
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int x = p.x + dx, y = p.y + dy;
          if (x < 0 || y < 0 || x >= w || y >= h) continue;
          const int other = owner[static_cast<size_t>(y * w + x)];
          if (other >= 0) touched[static_cast<size_t>(other)] = true;
        }
      }
    }
    for (size_t other = 0; other < k; ++other) {
      if (touched[other]) {
        fault(texts[other].index, text.index,
              Describe(texts[other].control) + " touches " + Describe(text.control));
      }
    }
    for (const Point& p : text.ink) owner[static_cast<size_t>(p.y * w + p.x)] = static_cast<int>(k);
  }

  // A control drawn later hides the ink it paints over; only those whose
  // rectangle holds some earlier text's ink need drawing alone.
  LICE_IBitmap* screen = editor->GetDrawBitmap();
  for (int j = 0; j < editor->NControls(); ++j) {
    IControl* later = editor->GetControl(j);
    if (later->IsHidden() || IsText(later)) continue;
    const IRECT* r = later->GetRECT();
    bool drawn = false;
    for (const Text& text : texts) {
      if (text.index > j) break;
      bool under = false;
      for (const Point& p : text.ink) {
        if (!r->ContainsPoint(p.x, p.y)) continue;
        if (!drawn) {
          LICE_FillRect(screen, r->L, r->T, r->W(), r->H(), kBlank, 1.0f, LICE_MODE_COPY);
          later->Draw(editor);
          drawn = true;
        }
        if (LICE_GetPixel(screen, p.x, p.y) != kBlank) {
          under = true;
          break;
        }
      }
      if (under) {
        fault(text.index, j,
              Describe(text.control) + " lies under " + layout::ClassName(later) + " " + layout::RectText(*r));
      }
    }
  }
}

std::vector<std::string> Listed(const Faults& faults) {
  std::vector<std::string> listed;
  for (const auto& f : faults) listed.push_back(f.second);
  return listed;
}

// A host's start, then the note and a few blocks of it.
void PlayNote(ThudrokkaProbe& plug, double rate, int note) {
  plug.prepare(rate, 512);
  plug.OnParamReset();
  IMidiMsg on;
  on.MakeNoteOnMsg(note, 100, 0);
  plug.ProcessMidiMsg(&on);
  std::vector<double> left(512), right(512);
  double* out[2] = {left.data(), right.data()};
  for (int b = 0; b < 8; ++b) plug.ProcessDoubleReplacing(nullptr, out, 512);
  Refresh(plug.mEditor);
}

TEST(EditorTexts, NoTextTouchesAnotherOrLiesUnderAControl) {
  Faults faults;
  {
    ThudrokkaProbe plug;
    Refresh(plug.mEditor);
    CheckTexts(plug.mEditor, "the editor as built", &faults);
    plug.OnAboutTab();
    Refresh(plug.mEditor);
    CheckTexts(plug.mEditor, "the about tab", &faults);
  }
  // Each preset with a note of its own, across the keyboard, so that the
  // note read-out shows short and long names and frequencies.
  for (int preset = 0; preset < Thudrokka::kNumPresets; ++preset) {
    ThudrokkaProbe plug;
    ASSERT_TRUE(plug.RestorePreset(preset));
    PlayNote(plug, 44100.0, 24 + preset % 84);
    CheckTexts(plug.mEditor, "preset " + std::to_string(preset), &faults);
  }
  // The ends of every range, the key mode either way, with the lowest and
  // the highest note, at a rate of six digits.
  for (double end : {0.0, 1.0}) {
    for (double keyMode : {0.0, 1.0}) {
      for (int note : {0, 127}) {
        ThudrokkaProbe plug;
        for (int p = 0; p < kNumParameters; ++p) plug.set(p, p == KickTransposeMode ? keyMode : end);
        PlayNote(plug, 192000.0, note);
        CheckTexts(plug.mEditor,
                   "every parameter at " + std::to_string(static_cast<int>(end)) + ", key mode " +
                       std::to_string(static_cast<int>(keyMode)) + ", note " + std::to_string(note),
                   &faults);
      }
    }
  }
  EXPECT_EQ(Listed(faults), std::vector<std::string>{});
}

}  // namespace
