#include "tools/make-editor-images/Artwork.h"

#include <cmath>
#include <sstream>
#include <vector>

#include "tools/make-editor-images/DotFont.h"

namespace art {

void CentredText(Canvas& canvas, const std::string& text, float left, float top, float right, float bottom,
                 int scale, Colour colour, float glow) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const int lineHeight = kGlyphHeight * scale, gap = 3 * scale;
  const int total = static_cast<int>(lines.size()) * lineHeight + (static_cast<int>(lines.size()) - 1) * gap;
  float y = std::floor(top + (bottom - top - total) / 2);
  for (const std::string& line : lines) {
    const float x = std::floor(left + (right - left - TextWidth(line, scale)) / 2);
    const Shape shape = Text(line, x, y, scale);
    if (glow > 0) canvas.Draw(Grown(shape, 1.0f * scale), WithAlpha(colour, glow));
    canvas.Draw(shape, colour);
    y += lineHeight + gap;
  }
}

void Screw(Canvas& canvas, float cx, float cy, float r, float slotAngle) {
  canvas.Draw(Disc(cx, cy + 0.8f, r + 0.6f), Hex(0x000000, 0.5f));
  canvas.Draw(Disc(cx, cy, r), Vertical(Hex(0x767d87), Hex(0x2a2d32), cy - r, cy + r));
  float x0, y0, x1, y1;
  Polar(cx, cy, r * 0.7f, slotAngle, &x0, &y0);
  Polar(cx, cy, r * 0.7f, slotAngle + 180, &x1, &y1);
  canvas.Draw(Segment(x0, y0, x1, y1, std::max(1.0f, r * 0.28f)), Hex(0x121417));
}

void DrawFrame(const ImageSpec& spec, int frame, Canvas& canvas) {
  const bool lit = frame == 1;
  const Colour accent = Hex(spec.accent);
  switch (spec.kind) {
    case Kind::Background: DrawBackground(canvas); break;
    case Kind::Panel: DrawPanel(canvas); break;
    case Kind::Knob: DrawKnob(canvas, frame / float(spec.frames - 1), accent); break;
    case Kind::StateKnob: DrawStateKnob(canvas, frame, spec.frames, accent); break;
    case Kind::Power: DrawPower(canvas, lit); break;
    case Kind::Arrow: DrawArrow(canvas, spec.label, lit); break;
    case Kind::Button: DrawButton(canvas, spec.label, lit); break;
    case Kind::Tab: DrawTab(canvas, spec.label, lit); break;
    case Kind::Display: DrawDisplay(canvas, std::string(spec.label) == "grid", accent); break;
    case Kind::SliderHandle: DrawSliderHandle(canvas); break;
    case Kind::SliderTrack: DrawSliderTrack(canvas); break;
    case Kind::VersionBadge: DrawVersionBadge(canvas); break;
    case Kind::Tagline: DrawTagline(canvas); break;
    case Kind::Logo: DrawLogo(canvas); break;
    case Kind::EditionText: DrawEditionText(canvas); break;
    case Kind::TeamText: DrawTeamText(canvas); break;
    case Kind::PluginBadge: DrawPluginBadge(canvas); break;
    case Kind::WebIcon: DrawWebIcon(canvas); break;
    case Kind::SocialIcon: DrawSocialIcon(canvas); break;
  }
}

}  // namespace art
