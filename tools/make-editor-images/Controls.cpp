// Knobs, switches, buttons and slider parts.

#include <algorithm>
#include <cmath>

#include "tools/make-editor-images/Artwork.h"

namespace art {

namespace {

// A knob frame: track ring around a metal body, indicator pointing at angle
// (degrees, 0 up, clockwise; the travel runs from -135 to +135).
struct KnobGeometry {
  float cx, cy, trackRadius, trackWidth, bodyRadius;
};

KnobGeometry GeometryOf(const Canvas& canvas) {
  const float size = static_cast<float>(canvas.width());
  return {size / 2, size / 2, size / 2 - size * 0.09f, size * 0.075f, size * 0.33f};
}

void KnobBody(Canvas& canvas, const KnobGeometry& g, float angle) {
  const float size = static_cast<float>(canvas.width());
  const float r = g.bodyRadius;
  canvas.Draw(Disc(g.cx, g.cy + size * 0.035f, r + 1.0f), Hex(0x000000, 0.45f));
  canvas.Draw(Disc(g.cx, g.cy, r), Vertical(Hex(0x626873), Hex(0x1d2025), g.cy - r, g.cy + r));
  canvas.Draw(Outline(Disc(g.cx, g.cy, r), 1.0f), Hex(0x0d0f12));
  const float cap = r * 0.74f;
  canvas.Draw(Disc(g.cx, g.cy, cap), Vertical(Hex(0x2a2e35), Hex(0x484d56), g.cy - cap, g.cy + cap));
  canvas.Draw(Arc(g.cx, g.cy, r - 1.3f, 1.0f, -50, 50), Hex(0xffffff, 0.16f));
  float x0, y0, x1, y1;
  Polar(g.cx, g.cy, r * 0.22f, angle, &x0, &y0);
  Polar(g.cx, g.cy, r * 0.92f, angle, &x1, &y1);
  canvas.Draw(Segment(x0, y0, x1, y1, std::max(1.7f, size * 0.055f)), Hex(0xf3f5f7));
}

// Button faces: raised when released, pressed in when lit.
void Face(Canvas& canvas, const Shape& face, bool lit) {
  const float top = face.top, bottom = face.bottom;
  if (lit) {
    canvas.Draw(face, Vertical(Hex(0x1a1d21), Hex(0x2a2e35), top, bottom));
  } else {
    canvas.Draw(face, Vertical(Hex(0x3b4048), Hex(0x23262b), top, bottom));
    canvas.Draw(Intersection(Segment(face.left + 3, top + 1.6f, face.right - 3, top + 1.6f, 1.0f), face),
                Hex(0xffffff, 0.10f));
  }
  canvas.Draw(Outline(face, 1.0f), Hex(style::kEdge));
}

}  // namespace

void DrawKnob(Canvas& canvas, float value, Colour accent) {
  const KnobGeometry g = GeometryOf(canvas);
  const float angle = -135 + 270 * value;
  canvas.Draw(Arc(g.cx, g.cy, g.trackRadius, g.trackWidth, -135, 135), Hex(0x2a2e35));
  if (value > 0) {
    canvas.Draw(Arc(g.cx, g.cy, g.trackRadius, g.trackWidth + 2.0f, -135, angle), WithAlpha(accent, 0.18f));
    canvas.Draw(Arc(g.cx, g.cy, g.trackRadius, g.trackWidth, -135, angle), accent);
  }
  KnobBody(canvas, g, angle);
}

void DrawStateKnob(Canvas& canvas, int state, int states, Colour accent) {
  const KnobGeometry g = GeometryOf(canvas);
  auto angleOf = [states](int i) { return (i - (states - 1) / 2.0f) * 60.0f; };
  for (int i = 0; i < states; ++i) {
    float x, y;
    Polar(g.cx, g.cy, g.trackRadius, angleOf(i), &x, &y);
    if (i == state) {
      canvas.Draw(Disc(x, y, g.trackWidth * 1.5f), WithAlpha(accent, 0.25f));
      canvas.Draw(Disc(x, y, g.trackWidth * 0.85f), accent);
    } else {
      canvas.Draw(Disc(x, y, g.trackWidth * 0.75f), Hex(0x3a3f47));
    }
  }
  KnobBody(canvas, g, angleOf(state));
}

void DrawPower(Canvas& canvas, bool lit) {
  const float c = canvas.width() / 2.0f, r = c - 1.0f;
  canvas.Draw(Disc(c, c, r), Vertical(Hex(0x50565f), Hex(0x1a1c20), c - r, c + r));
  canvas.Draw(Outline(Disc(c, c, r), 1.0f), Hex(style::kEdge));
  canvas.Draw(Disc(c, c, r * 0.64f), Hex(0x0f1113));
  const float lamp = r * 0.44f;
  if (lit) {
    canvas.Draw(Disc(c, c, r * 0.8f), Hex(style::kAmber, 0.3f));
    canvas.Draw(Disc(c, c, lamp), Vertical(Hex(0xffd79a), Hex(0xff8a12), c - lamp, c + lamp));
    canvas.Draw(Disc(c - lamp * 0.3f, c - lamp * 0.35f, lamp * 0.3f), Hex(0xffffff, 0.7f));
  } else {
    canvas.Draw(Disc(c, c, lamp), Vertical(Hex(0x5e3817), Hex(0x2b190a), c - lamp, c + lamp));
  }
}

void DrawArrow(Canvas& canvas, const std::string& direction, bool lit) {
  const float s = static_cast<float>(canvas.width()), c = s / 2, h = s * 0.22f;
  Face(canvas, RoundRect(1, 1, s - 1, s - 1, 3), lit);
  std::vector<float> corners;
  if (direction == "up") corners = {c, c - h, c + h * 1.2f, c + h * 0.7f, c - h * 1.2f, c + h * 0.7f};
  if (direction == "down") corners = {c - h * 1.2f, c - h * 0.7f, c + h * 1.2f, c - h * 0.7f, c, c + h};
  if (direction == "left") corners = {c - h, c, c + h * 0.7f, c - h * 1.2f, c + h * 0.7f, c + h * 1.2f};
  if (direction == "right") corners = {c - h * 0.7f, c - h * 1.2f, c + h, c, c - h * 0.7f, c + h * 1.2f};
  const Shape arrow = Polygon(corners);
  if (lit) {
    canvas.Draw(Grown(arrow, 1.2f), Hex(style::kAmber, 0.3f));
    canvas.Draw(arrow, Hex(style::kAmber));
  } else {
    canvas.Draw(arrow, Hex(style::kLabel));
  }
}

void DrawButton(Canvas& canvas, const std::string& label, bool lit) {
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  Face(canvas, RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 3.5f), lit);
  if (lit) canvas.Draw(Segment(6, 3, w - 6, 3, 1.4f), Hex(style::kAmber, 0.85f));
  const float textTop = lit ? 2.0f : 0.0f;
  CentredText(canvas, label, 0, textTop, w, h, 1, Hex(lit ? style::kAmber : style::kLabel), lit ? 0.28f : 0.0f);
}

void DrawTab(Canvas& canvas, const std::string& label, bool lit) {
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  const Shape tab = RoundRect(1, 1, w - 1, h + 8, 5);
  canvas.Draw(tab, Vertical(Hex(lit ? 0x30343b : 0x202328), Hex(lit ? 0x24272c : 0x17191c), 1, h));
  canvas.Draw(Outline(tab, 1.0f), Hex(style::kEdge));
  if (lit) {
    const Shape bar = RoundRect(12, h - 5, w - 12, h - 2, 1.5f);
    canvas.Draw(Grown(bar, 1.5f), Hex(style::kAmber, 0.25f));
    canvas.Draw(bar, Hex(style::kAmber));
  }
  CentredText(canvas, label, 0, 0, w, h - 4, 1, Hex(lit ? 0xf2f4f6 : 0x8d959f));
}

void DrawSliderHandle(Canvas& canvas) {
  const float s = static_cast<float>(canvas.width());
  const Shape handle = RoundRect(0.5f, 0.5f, s - 0.5f, s - 0.5f, 3);
  canvas.Draw(handle, Vertical(Hex(0xb9c0ca), Hex(0x5d636c), 0, s));
  canvas.Draw(Outline(handle, 1.0f), Hex(0x0d0e10));
  canvas.Draw(Segment(s / 2, 3.5f, s / 2, s - 3.5f, 2.0f), Hex(style::kAmber));
}

void DrawSliderTrack(Canvas& canvas) {
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  const Shape slot = RoundRect(2, h / 2 - 2, w - 2, h / 2 + 2, 2);
  canvas.Draw(slot, Hex(0x08090b));
  canvas.Draw(Outline(slot, 1.0f), Hex(0x30343b));
  for (float x : {2.5f, std::floor(w / 2) + 0.5f, w - 2.5f}) {
    canvas.Draw(Segment(x, 0.5f, x, 3, 1), Hex(0x59606a));
    canvas.Draw(Segment(x, h - 3, x, h - 0.5f, 1), Hex(0x59606a));
  }
}

}  // namespace art
