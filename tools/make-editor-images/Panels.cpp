// The window background, the controls panel and the display windows.

#include <cmath>
#include <cstdint>

#include "tools/make-editor-images/Artwork.h"
#include "tools/make-editor-images/DotFont.h"

namespace art {

namespace {

// Where the panel sits in the editor: its drawing uses editor coordinates.
constexpr float kPanelLeft = 52, kPanelTop = 35;

// A fixed pseudo-random value in -0.5..0.5 per row: brushed metal.
float RowGrain(int row) {
  uint32_t h = static_cast<uint32_t>(row) * 2654435761u;
  h ^= h >> 15;
  h *= 2246822519u;
  h ^= h >> 13;
  return (h & 0xffff) / 65535.0f - 0.5f;
}

Paint Brushed(Colour top, Colour bottom, float y0, float y1, float depth) {
  return [=](float, float y) {
    const Colour c = Mix(top, bottom, (y - y0) / (y1 - y0));
    const float grain = RowGrain(static_cast<int>(y)) * depth;
    return Colour{c.r + grain, c.g + grain, c.b + grain, c.a};
  };
}

// A groove cut into the panel: a dark line over a faint light one.
void Groove(Canvas& canvas, float x0, float y0, float x1, float y1) {
  x0 -= kPanelLeft, x1 -= kPanelLeft, y0 -= kPanelTop, y1 -= kPanelTop;
  canvas.Draw(Segment(x0, y0, x1, y1, 1.0f), Hex(0x0c0d10, 0.9f));
  const float dx = y0 == y1 ? 0.0f : 1.0f, dy = y0 == y1 ? 1.0f : 0.0f;
  canvas.Draw(Segment(x0 + dx, y0 + dy, x1 + dx, y1 + dy, 1.0f), Hex(0xffffff, 0.045f));
}

void SectionLabel(Canvas& canvas, const char* text, float x, float y) {
  canvas.Draw(Text(text, x - kPanelLeft, y - kPanelTop, 1), Hex(style::kDimLabel));
}

}  // namespace

void DrawBackground(Canvas& canvas) {
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  canvas.Draw(RoundRect(0, 0, w, h, 0), Brushed(Hex(0x1c1f24), Hex(0x0d0f12), 0, h, 0.012f));
  canvas.Draw(Segment(0, 0.5f, w, 0.5f, 1), Hex(0xffffff, 0.06f));
  canvas.Draw(Text("THUDROKKA", 60, 11, 2), Hex(0x646b75));
  canvas.Draw(Text("1.5 FREE", w - 60 - TextWidth("1.5 FREE", 1), 15, 1), Hex(0x4c525b));
  for (float x : {22.0f, w - 22}) {
    for (float y : {18.0f, h - 18}) Screw(canvas, x, y, 5.0f, 30);
  }
}

void DrawPanel(Canvas& canvas) {
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  const Shape panel = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 10);
  canvas.Draw(panel, Brushed(Hex(0x272b31), Hex(0x1c1f23), 0, h, 0.008f));
  canvas.Draw(Outline(panel, 1.0f), Hex(0x3d434c));
  canvas.Draw(Outline(Grown(panel, -1.0f), 1.0f), Hex(0xffffff, 0.04f));

  // Rows and columns of the sections, in editor coordinates.
  for (float y : {197.0f, 342.0f, 484.0f}) Groove(canvas, 62, y, 962, y);
  Groove(canvas, 481, 45, 481, 342);
  Groove(canvas, 713, 197, 713, 342);
  Groove(canvas, 804, 342, 804, 484);
  Groove(canvas, 478, 484, 478, 650);
  Groove(canvas, 731, 511, 731, 716);

  SectionLabel(canvas, "OSC 1", 102, 61);
  SectionLabel(canvas, "OSC 2", 102, 206);
  SectionLabel(canvas, "OSC 3", 102, 351);
  SectionLabel(canvas, "PITCH ENV", 512, 58);  // clear of the display below
  SectionLabel(canvas, "FILTER", 512, 206);
  SectionLabel(canvas, "MOD FX", 749, 206);
  SectionLabel(canvas, "DISTORTION", 512, 352);
  SectionLabel(canvas, "VOLUME ENV", 76, 491);
  SectionLabel(canvas, "FILTER ENV", 281, 491);

  // The name in the free corner above the modulation effects, as an LED matrix.
  const std::string name = "THUDROKKA";
  const float nameLeft = std::floor(833 - TextWidth(name, 3) / 2.0f) - kPanelLeft, nameTop = 92 - kPanelTop;
  canvas.Draw(TextMatrix(name, nameLeft, nameTop, 3), Hex(0x2c3036));
  canvas.Draw(Grown(Text(name, nameLeft, nameTop, 3), 2.0f), Hex(style::kAmber, 0.16f));
  canvas.Draw(Text(name, nameLeft, nameTop, 3), Vertical(Hex(0xffc46a), Hex(0xff8a1c), nameTop, nameTop + 21));
  const std::string subtitle = "BASS DRUM SYNTHESIZER";
  canvas.Draw(Text(subtitle, std::floor(833 - TextWidth(subtitle, 1) / 2.0f) - kPanelLeft, 124 - kPanelTop, 1),
              Hex(0x7a828d));

  for (float x : {12.0f, w - 12}) {
    for (float y : {12.0f, h - 12}) Screw(canvas, x, y, 4.5f, -30);
  }
}

void DrawDisplay(Canvas& canvas, bool grid, Colour tint) {
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  const Shape glass = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 3);
  canvas.Draw(glass, Vertical(Hex(0x0a1115), Hex(0x0e181d), 0, h));
  if (grid) {
    const Shape inside = Grown(glass, -1.5f);
    for (float x = 10.5f; x < w - 2; x += 10) canvas.Draw(Intersection(Segment(x, 0, x, h, 1), inside), WithAlpha(tint, 0.07f));
    for (float y : {std::floor(h / 4) + 0.5f, std::floor(3 * h / 4) + 0.5f}) {
      canvas.Draw(Intersection(Segment(0, y, w, y, 1), inside), WithAlpha(tint, 0.07f));
    }
    const float mid = std::floor(h / 2) + 0.5f;
    canvas.Draw(Intersection(Segment(0, mid, w, mid, 1), inside), WithAlpha(tint, 0.16f));
  }
  canvas.Draw(Segment(2, 1.6f, w - 2, 1.6f, 1), Hex(0x000000, 0.55f));
  canvas.Draw(Outline(glass, 1.0f), Mix(Hex(0x242d33), tint, 0.35f));
}

}  // namespace art
