// The instrument's editor against its layout tables: the hand-transcribed
// fixture lists every control with its builder, class, rectangle, parameter,
// image and tab. Each builder is checked on its own (run once more on a
// built instrument, so one section that differs fails alone), then the whole
// editor in attach order with its two tab lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "graphics/BitmapControls.h"
#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/Pixel.h"
#include "lice/RectOps.h"
#include "tests/instrument/EditorLayout.h"
#include "tests/instrument/ThudrokkaProbe.h"

namespace {

using namespace Quillvane::Synth;

// The constructor's builders in their order, as the editor sequence gives it.
const char* const kBuilders[] = {
    "initEditor",        "initTabControls",   "initPitchEnvUnit", "initOsc1Unit",
    "initOsc2Unit",      "initOsc3Unit",      "initVolumeEnvUnit", "initFilterEnvUnit",
    "initUnisonUnit",    "initFmModulationUnit", "initGlobalTransposeUnit", "initBassLayerUnit",
    "initFilterUnit",    "initModFxUnit",     "initDistoUnit",    "initEqUnit",
    "initOutputUnit",    "initPresetUnit",    "initDisplayUnit",  "initDecorations",
    "initAboutTab"};

// Runs a builder once more on a built instrument.
class LayoutProbe : public ThudrokkaProbe {
 public:
  bool Run(const std::string& builder) {
    const std::map<std::string, void (Thudrokka::*)()> builders = {
        {"initTabControls", &LayoutProbe::initTabControls},
        {"initPitchEnvUnit", &LayoutProbe::initPitchEnvUnit},
        {"initOsc1Unit", &LayoutProbe::initOsc1Unit},
        {"initOsc2Unit", &LayoutProbe::initOsc2Unit},
        {"initOsc3Unit", &LayoutProbe::initOsc3Unit},
        {"initVolumeEnvUnit", &LayoutProbe::initVolumeEnvUnit},
        {"initFilterEnvUnit", &LayoutProbe::initFilterEnvUnit},
        {"initUnisonUnit", &LayoutProbe::initUnisonUnit},
        {"initFmModulationUnit", &LayoutProbe::initFmModulationUnit},
        {"initGlobalTransposeUnit", &LayoutProbe::initGlobalTransposeUnit},
        {"initBassLayerUnit", &LayoutProbe::initBassLayerUnit},
        {"initFilterUnit", &LayoutProbe::initFilterUnit},
        {"initModFxUnit", &LayoutProbe::initModFxUnit},
        {"initDistoUnit", &LayoutProbe::initDistoUnit},
        {"initEqUnit", &LayoutProbe::initEqUnit},
        {"initOutputUnit", &LayoutProbe::initOutputUnit},
        {"initPresetUnit", &LayoutProbe::initPresetUnit},
        {"initDisplayUnit", &LayoutProbe::initDisplayUnit},
        {"initDecorations", &LayoutProbe::initDecorations},
        {"initAboutTab", &LayoutProbe::initAboutTab}};
    const auto it = builders.find(builder);
    if (it == builders.end()) return false;
    (this->*(it->second))();
    return true;
  }
};

// The positions of a list's lines whose tab is the given one, offset by first.
std::vector<int> OnTab(const std::vector<layout::Control>& lines, const std::string& tab, int first) {
  std::vector<int> indices;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].tab == tab) indices.push_back(first + static_cast<int>(i));
  }
  return indices;
}

// Compares the controls from index first on with the lines, line by line;
// true when all match.
bool ExpectControls(IGraphics* editor, int first, const std::vector<layout::Control>& lines,
                    const layout::Images& images) {
  bool same = true;
  for (size_t i = 0; i < lines.size(); ++i) {
    const layout::Control& line = lines[i];
    std::string expected, error;
    IRECT rect;
    if (!layout::Expected(line, images, &expected, &rect, &error)) {
      ADD_FAILURE() << "fixture line " << line.line << ": " << error;
      return false;
    }
    IControl* c = editor->GetControl(first + static_cast<int>(i));
    if (!c) {
      ADD_FAILURE() << line.builder << " control " << i + 1 << " is missing";
      return false;
    }
    const std::string actual = layout::Actual(c, images);
    EXPECT_EQ(actual, expected) << line.builder << " control " << i + 1 << " (fixture line " << line.line << ")";
    same = same && actual == expected;
  }
  return same;
}

TEST(EditorLayout, TheFixtureListsTheBuildersInTheConstructorsOrder) {
  const layout::Fixture fixture = layout::Read();
  std::vector<std::string> order;
  for (const auto& c : fixture.controls) {
    if (order.empty() || order.back() != c.builder) order.push_back(c.builder);
  }
  EXPECT_EQ(order, std::vector<std::string>(std::begin(kBuilders), std::end(kBuilders)));
}

class EditorLayoutSection : public testing::TestWithParam<std::string> {};

// One builder run again appends its section: its controls in the fixture's
// order, each index on its tab's list.
TEST_P(EditorLayoutSection, TheBuilderAttachesTheControlsOfItsTable) {
  const layout::Fixture fixture = layout::Read();
  const std::vector<layout::Control> lines = fixture.Of(GetParam());
  ASSERT_FALSE(lines.empty());
  LayoutProbe plug;
  IGraphics* editor = plug.mEditor;
  const layout::Images images(editor, fixture);
  const int first = editor->NControls();
  const size_t synthBefore = plug.mSynthTabControls.size();
  const size_t aboutBefore = plug.mAboutTabControls.size();
  ASSERT_TRUE(plug.Run(GetParam()));
  const int count = editor->NControls() - first;
  EXPECT_EQ(count, static_cast<int>(lines.size())) << GetParam() << " attaches " << count << " controls";
  ExpectControls(editor, first, lines, images);
  EXPECT_EQ(std::vector<int>(plug.mSynthTabControls.begin() + static_cast<long>(synthBefore),
                             plug.mSynthTabControls.end()),
            OnTab(lines, "synth", first))
      << GetParam() << "'s controls on the synth tab's list";
  EXPECT_EQ(std::vector<int>(plug.mAboutTabControls.begin() + static_cast<long>(aboutBefore),
                             plug.mAboutTabControls.end()),
            OnTab(lines, "about", first))
      << GetParam() << "'s controls on the about tab's list";
}

std::vector<std::string> RerunnableBuilders() { return std::vector<std::string>(kBuilders + 1, std::end(kBuilders)); }

INSTANTIATE_TEST_SUITE_P(Builders, EditorLayoutSection, testing::ValuesIn(RerunnableBuilders()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

// The editor object itself cannot be made twice: its background and panel
// are the first two controls of the built editor.
TEST(EditorLayout, TheBackgroundAndThePanelComeFirst) {
  const layout::Fixture fixture = layout::Read();
  ThudrokkaProbe plug;
  const layout::Images images(plug.mEditor, fixture);
  ExpectControls(plug.mEditor, 0, fixture.Of("initEditor"), images);
  ASSERT_FALSE(plug.mSynthTabControls.empty());
  EXPECT_EQ(plug.mSynthTabControls.front(), 1);
}

TEST(EditorLayout, TheBuiltEditorHoldsEveryControlOfTheTablesInAttachOrder) {
  const layout::Fixture fixture = layout::Read();
  ThudrokkaProbe plug;
  IGraphics* editor = plug.mEditor;
  const layout::Images images(editor, fixture);
  const int total = static_cast<int>(fixture.controls.size());
  EXPECT_EQ(editor->NControls(), total);
  // Section by section, so that a difference names its section; once one
  // differs the ones after it shift and are not compared.
  int first = 0;
  for (const char* builder : kBuilders) {
    const std::vector<layout::Control> lines = fixture.Of(builder);
    if (!ExpectControls(editor, first, lines, images)) break;
    first += static_cast<int>(lines.size());
  }
  EXPECT_EQ(plug.mSynthTabControls, OnTab(fixture.controls, "synth", 0));
  EXPECT_EQ(plug.mAboutTabControls, OnTab(fixture.controls, "about", 0));
  // The tab buttons and the background are on neither list.
  EXPECT_EQ(OnTab(fixture.controls, "-", 0), (std::vector<int>{0, 2, 3}));
}

TEST(EditorLayout, EveryControlLiesInsideTheEditorWithTheGeneratedImages) {
  ThudrokkaProbe plug;
  IGraphics* editor = plug.mEditor;
  ASSERT_EQ(editor->Width(), 1024);
  ASSERT_EQ(editor->Height(), 760);
  for (int i = 0; i < editor->NControls(); ++i) {
    IControl* c = editor->GetControl(i);
    const IRECT* r = c->GetRECT();
    EXPECT_TRUE(r->L >= 0 && r->T >= 0 && r->R <= 1024 && r->B <= 760 && r->L < r->R && r->T < r->B)
        << "control " << i << " (" << layout::ClassName(c) << ") at " << r->L << "," << r->T << "," << r->R << ","
        << r->B;
    if (const IBitmap* bitmap = layout::BitmapOf(c)) {
      EXPECT_NE(bitmap->mData, nullptr) << "control " << i << " has no image";
    }
  }
}

// The display pictures' border is two pixels wide; a curve keeps two more
// pixels off it so that no line touches it.
constexpr int kDisplayFrame = 2;
constexpr int kCurveMargin = 2;

// The smallest rectangle holding what the curve paints when drawn alone
// with these points; empty when it paints nothing.
IRECT PaintedBy(IGraphics* editor, IQvCurve* curve, const std::vector<double>& values) {
  constexpr LICE_pixel kUnpainted = 0x12345678;
  LICE_SysBitmap* screen = editor->GetDrawBitmap();
  LICE_Clear(screen, kUnpainted);
  curve->SetValuesFromPlug(values.data());
  curve->Draw(editor);
  IRECT painted;
  for (int y = 0; y < screen->getHeight(); ++y) {
    for (int x = 0; x < screen->getWidth(); ++x) {
      if (LICE_GetPixel(screen, x, y) == kUnpainted) continue;
      const IRECT pixel(x, y, x + 1, y + 1);
      painted = painted.IsEmpty() ? pixel : painted.UnionWith(&pixel);
    }
  }
  return painted;
}

bool Inside(const IRECT& inner, const IRECT& outer) {
  return inner.L >= outer.L && inner.T >= outer.T && inner.R <= outer.R && inner.B <= outer.B;
}

struct CurveCase {
  const char* what;
  IQvCurve* curve;
  int picture;
  int points;
  double lowest;
};

std::vector<CurveCase> Curves(ThudrokkaProbe& plug) {
  return {
      {"oscillator 1 waveform", plug.mOsc1WaveformCurveControl, 1101, 78, -1.0},
      {"oscillator 2 waveform", plug.mOsc2WaveformCurveControl, 1102, 78, -1.0},
      {"oscillator 3 waveform", plug.mOsc3WaveformCurveControl, 1103, 78, -1.0},
      {"pitch envelope", plug.mPitchEnvelopeCurveControl, 1104, 146, -1.0},
      {"volume envelope", plug.mVolumeEnvelopeCurveControl, 1105, 116, 0.0},
      {"filter envelope", plug.mFilterEnvelopeCurveControl, 1106, 116, 0.0},
      {"distortion transfer curve", plug.mDistortionTransferCurveControl, 1109, 108, -1.0},
      {"distorted sine", plug.mDistortionWaveCurveControl, 1108, 98, -1.0},
  };
}

// The index of the picture control showing the image, or -1.
int PictureIndex(IGraphics* editor, const layout::Images& images, int id) {
  for (int i = 0; i < editor->NControls(); ++i) {
    IControl* control = editor->GetControl(i);
    const IBitmap* bitmap = layout::BitmapOf(control);
    if (dynamic_cast<IBitmapControl*>(control) && bitmap && images.IdOf(bitmap->mData) == id) return i;
  }
  return -1;
}

// A display picture without its border and a curve's margin inside it.
IRECT ClearInside(const IRECT& picture) {
  const int inset = kDisplayFrame + kCurveMargin;
  return IRECT(picture.L + inset, picture.T + inset, picture.R - inset, picture.B - inset);
}

// Every curve of the editor lies inside the display picture attached under
// it, clear of the picture's border, with its own count of points and its
// values spread from the top row of its rectangle (the highest value) to the
// bottom row (the lowest the curve shows: -1, or 0 for an envelope's level).
TEST(EditorLayout, EveryCurveLiesInsideTheDisplayPictureUnderIt) {
  const layout::Fixture fixture = layout::Read();
  ThudrokkaProbe plug;
  IGraphics* editor = plug.mEditor;
  const layout::Images images(editor, fixture);
  std::vector<IControl*> listed;
  for (const CurveCase& c : Curves(plug)) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(c.curve, nullptr);
    listed.push_back(c.curve);
    ASSERT_EQ(c.curve->NumValues(), c.points);
    int curveIndex = -1;
    for (int i = 0; i < editor->NControls(); ++i) {
      if (editor->GetControl(i) == c.curve) curveIndex = i;
    }
    const int pictureIndex = PictureIndex(editor, images, c.picture);
    ASSERT_GE(pictureIndex, 0) << "no picture " << c.picture;
    EXPECT_LT(pictureIndex, curveIndex) << "the picture is attached under the curve";
    const IRECT picture = *editor->GetControl(pictureIndex)->GetRECT();
    const IRECT clear = ClearInside(picture);
    const IRECT rect = *c.curve->GetRECT();
    EXPECT_TRUE(Inside(rect, clear)) << "curve " << layout::RectText(rect) << " over picture "
                                     << layout::RectText(picture) << ", clear of its border inside "
                                     << layout::RectText(clear);

    // A flat curve is one row across the rectangle: its last point lies in
    // the last column, as no curve is wider than its count of points.
    const size_t n = static_cast<size_t>(c.points);
    for (const auto& flat : {std::make_pair(1.0, rect.T), std::make_pair(c.lowest, rect.B - 1)}) {
      const IRECT row = PaintedBy(editor, c.curve, std::vector<double>(n, flat.first));
      EXPECT_EQ(layout::RectText(row), layout::RectText(IRECT(rect.L, flat.second, rect.R, flat.second + 1)))
          << "every point at " << flat.first;
    }
    std::vector<double> alternating(n, 1.0);
    for (size_t i = 1; i < n; i += 2) alternating[i] = c.lowest;
    const IRECT painted = PaintedBy(editor, c.curve, alternating);
    EXPECT_TRUE(Inside(painted, clear)) << "drawn " << layout::RectText(painted) << ", clear of the border inside "
                                        << layout::RectText(clear);
  }
  for (int i = 0; i < editor->NControls(); ++i) {
    IControl* control = editor->GetControl(i);
    if (dynamic_cast<IQvCurve*>(control)) {
      EXPECT_NE(std::find(listed.begin(), listed.end(), control), listed.end()) << "curve " << i << " is not listed";
    }
  }
}

// A name shown over a curve belongs to its display: it stays on the
// picture, clear of the border as the curve is, whatever it comes to show.
TEST(EditorLayout, EveryTextOverACurveLiesInsideTheCurvesPicture) {
  const layout::Fixture fixture = layout::Read();
  ThudrokkaProbe plug;
  IGraphics* editor = plug.mEditor;
  const layout::Images images(editor, fixture);
  int over = 0;
  for (const CurveCase& c : Curves(plug)) {
    const int pictureIndex = PictureIndex(editor, images, c.picture);
    ASSERT_GE(pictureIndex, 0) << "no picture " << c.picture;
    const IRECT clear = ClearInside(*editor->GetControl(pictureIndex)->GetRECT());
    for (int i = 0; i < editor->NControls(); ++i) {
      auto* text = dynamic_cast<ITextControl*>(editor->GetControl(i));
      if (!text || !text->GetRECT()->Overlaps(c.curve->GetRECT())) continue;
      ++over;
      EXPECT_TRUE(Inside(*text->GetRECT(), clear))
          << "\"" << text->GetTextString() << "\" " << layout::RectText(*text->GetRECT()) << " over the " << c.what
          << ", outside " << layout::RectText(clear);
    }
  }
  // The interpolation name over the transfer curve, at least.
  EXPECT_GT(over, 0);
}

TEST(EditorLayout, TheAboutTabStartsHiddenAndTheSynthTabShown) {
  ThudrokkaProbe plug;
  for (int idx : plug.mAboutTabControls) EXPECT_TRUE(plug.mEditor->GetControl(idx)->IsHidden()) << idx;
  for (int idx : plug.mSynthTabControls) EXPECT_FALSE(plug.mEditor->GetControl(idx)->IsHidden()) << idx;
  EXPECT_TRUE(plug.IsSynthTabShown());
  EXPECT_EQ(plug.mSynthTabButton->GetValue(), 1.0);
  EXPECT_EQ(plug.mAboutTabButton->GetValue(), 0.0);
}

// Every opaque pixel of a knob's expected frame that no later control
// covers shows in the drawn editor.
void ExpectKnobFrames(ThudrokkaProbe& plug, const char* when) {
  IGraphics* editor = plug.mEditor;
  IRECT all(0, 0, 1024, 760);
  IRECT dirty;
  editor->IsDirty(&dirty);
  editor->Draw(&all);
  LICE_IBitmap* screen = editor->GetDrawBitmap();
  int knobs = 0;
  for (int i = 0; i < editor->NControls(); ++i) {
    auto* knob = dynamic_cast<IKnobMultiControl*>(editor->GetControl(i));
    if (!knob || knob->IsHidden()) continue;
    ++knobs;
    const IBitmap& strip = knob->GetBitmap();
    const IParam* param = plug.GetParam(knob->ParamIdx());
    ASSERT_NE(param, nullptr);
    const double v = param->GetNormalized();
    EXPECT_EQ(knob->GetValue(), v) << when << ": knob " << i << " holds its parameter's value";
    int frame = static_cast<int>((strip.N - 1) * v + 0.5) + 1;
    frame = frame < 1 ? 1 : (frame > strip.N ? strip.N : frame);
    const int frameH = strip.H / strip.N;
    const IRECT* r = knob->GetRECT();
    int compared = 0, differing = 0;
    for (int y = r->T; y < r->B; ++y) {
      for (int x = r->L; x < r->R; ++x) {
        bool covered = false;
        for (int j = i + 1; j < editor->NControls() && !covered; ++j) {
          IControl* later = editor->GetControl(j);
          covered = !later->IsHidden() && later->GetRECT()->ContainsPoint(x, y);
        }
        const LICE_pixel source = LICE_GetPixel(strip.mData, x - r->L, (frame - 1) * frameH + (y - r->T));
        if (covered || LICE_PixelAlpha(source) != 255) continue;
        ++compared;
        const LICE_pixel shown = LICE_GetPixel(screen, x, y);
        differing += (shown & 0xffffff00u) != (source & 0xffffff00u) ? 1 : 0;
      }
    }
    EXPECT_GT(compared, 0) << when << ": knob " << i;
    EXPECT_EQ(differing, 0) << when << ": knob " << i << " for parameter " << knob->ParamIdx() << " at " << v
                            << " does not show frame " << frame;
  }
  EXPECT_GT(knobs, 0) << when;
}

TEST(EditorLayout, EachKnobShowsTheFrameItsValueSelects) {
  ThudrokkaProbe plug;
  ExpectKnobFrames(plug, "defaults");
  std::mt19937 random(1701);
  for (int p = 0; p < kNumParameters; ++p) plug.set(p, std::uniform_real_distribution<double>(0.0, 1.0)(random));
  ExpectKnobFrames(plug, "changed values");
}

}  // namespace
