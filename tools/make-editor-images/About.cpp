// The decorations and the pictures of the about tab. No third-party marks:
// the plug-in badge and the two link icons are neutral symbols.

#include <cmath>
#include <vector>

#include "tools/make-editor-images/Artwork.h"
#include "tools/make-editor-images/DotFont.h"

namespace art {

namespace {

// Lit LED text over its unlit matrix, with a glow.
void LedText(Canvas& canvas, const std::string& text, float x, float y, int scale) {
  canvas.Draw(TextMatrix(text, x, y, scale), Hex(0x24282e));
  canvas.Draw(Grown(Text(text, x, y, scale), 0.4f * scale), Hex(style::kAmber, 0.15f));
  canvas.Draw(Text(text, x, y, scale), Vertical(Hex(0xffc76a), Hex(0xff7a12), y, y + kGlyphHeight * scale));
}

// A polyline as one shape, for waveforms.
Shape Polyline(const std::vector<float>& xy, float width) {
  Shape line = Segment(xy[0], xy[1], xy[2], xy[3], width);
  for (size_t i = 2; i + 3 < xy.size(); i += 2) line = Union(line, Segment(xy[i], xy[i + 1], xy[i + 2], xy[i + 3], width));
  return line;
}

// A kick drum: a sine whose pitch falls and whose level decays.
std::vector<float> KickWave(float left, float right, float mid, float height, int points) {
  std::vector<float> xy;
  double phase = 0;
  for (int i = 0; i <= points; ++i) {
    const double t = double(i) / points;
    xy.push_back(static_cast<float>(left + (right - left) * t));
    xy.push_back(static_cast<float>(mid - height * std::exp(-3.2 * t) * std::sin(phase)));
    phase += 2 * 3.14159265358979 * (1.2 + 9.0 * std::exp(-6.0 * t)) / points * 2.2;
  }
  return xy;
}

}  // namespace

void DrawVersionBadge(Canvas& canvas) {
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  const Shape badge = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 6);
  canvas.Draw(badge, Vertical(Hex(0x1e2126), Hex(0x141619), 0, h));
  canvas.Draw(Outline(badge, 1.0f), Hex(0x3a4049));
  CentredText(canvas, "VERSION 1.5", 0, 8, w, 32, 2, Hex(style::kAmber), 0.22f);
  CentredText(canvas, "FREE EDITION", 0, 36, w, 50, 1, Hex(0x8d959f));
}

void DrawTagline(Canvas& canvas) {
  CentredText(canvas, "BASS KICK DESIGN TOOL", 0, 0, static_cast<float>(canvas.width()),
              static_cast<float>(canvas.height()), 2, Hex(0x5f6670));
}

void DrawLogo(Canvas& canvas) {
  const float w = static_cast<float>(canvas.width());
  const std::string name = "THUDROKKA";
  LedText(canvas, name, std::floor((w - TextWidth(name, 11)) / 2), 80, 11);
  canvas.Draw(Segment(70, 262.5f, w - 70, 262.5f, 1), Hex(0x2f353d));
  const Shape wave = Polyline(KickWave(90, w - 90, 262, 78, 220), 2.4f);
  canvas.Draw(Grown(wave, 3.0f), Hex(0x6fdcff, 0.12f));
  canvas.Draw(wave, Hex(0x6fdcff));
  CentredText(canvas, "BASS DRUM AND KICK SYNTHESIZER", 0, 360, w, 374, 2, Hex(0x8d959f));
}

void DrawEditionText(Canvas& canvas) {
  const float w = static_cast<float>(canvas.width());
  const std::string edition = "FREE EDITION";
  LedText(canvas, edition, std::floor((w - TextWidth(edition, 3)) / 2), 12, 3);
  CentredText(canvas, "VERSION 1.5", 0, 46, w, 62, 2, Hex(0x8d959f));
}

void DrawTeamText(Canvas& canvas) {
  CentredText(canvas, "MADE BY THE THUDROKKA TEAM", 0, 0, static_cast<float>(canvas.width()),
              static_cast<float>(canvas.height()), 2, Hex(0xa3abb5));
}

void DrawPluginBadge(Canvas& canvas) {
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  const Shape badge = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 8);
  canvas.Draw(badge, Hex(0x181b1f));
  canvas.Draw(Outline(badge, 1.0f), Hex(0x4a515b));
  canvas.Draw(Polyline(KickWave(9, 39, h / 2, 12, 40), 1.6f), Hex(style::kAmber));
  CentredText(canvas, "INSTRUMENT\nPLUG-IN", 44, 0, w - 6, h, 1, Hex(0xc3cad2));
}

void DrawWebIcon(Canvas& canvas) {
  // The caption lies over the top rows, so the globe keeps below it.
  const float cx = canvas.width() / 2.0f, cy = 46, r = 20;
  const Colour line = Hex(0x6fdcff);
  canvas.Draw(Disc(cx, cy, r), Hex(0x0e181d));
  const Shape inside = Disc(cx, cy, r - 1);
  canvas.Draw(Intersection(Outline(Ellipse(cx, cy, 9, r), 1.6f), inside), line);
  for (float y : {cy - 10, cy, cy + 10}) canvas.Draw(Intersection(Segment(cx - r, y, cx + r, y, 1.6f), inside), line);
  canvas.Draw(Outline(Disc(cx, cy, r), 2.0f), line);
}

void DrawSocialIcon(Canvas& canvas) {
  const Colour fill = Hex(0x2a2f36), edge = Hex(style::kAmber);
  const Shape bubble = Union(RoundRect(22, 26, 78, 62, 9), Polygon({32, 60, 46, 60, 30, 74}));
  canvas.Draw(Grown(bubble, 1.5f), edge);
  canvas.Draw(bubble, fill);
  for (float x : {38.0f, 50.0f, 62.0f}) canvas.Draw(Disc(x, 44, 3.5f), edge);
}

}  // namespace art
