#pragma once

#include <string>

#include "tools/make-editor-images/Canvas.h"
#include "tools/make-editor-images/Manifest.h"

// The look of every kind of image: a dark hardware panel, metal knobs with a
// coloured value arc, buttons whose second frame lights up in amber.

namespace art {

// Frame `frame` (from 0) of an image, on a canvas of one frame's size.
void DrawFrame(const ImageSpec& spec, int frame, Canvas& canvas);

// Shared by the kinds.
namespace style {
constexpr unsigned int kAmber = 0xffa53a;
constexpr unsigned int kLabel = 0xa9b1bb;
constexpr unsigned int kDimLabel = 0x6d7580;
constexpr unsigned int kEdge = 0x0b0c0e;
}  // namespace style

// Text of one or more lines (split by '\n') centred in a box, crisp at scale 1.
void CentredText(Canvas& canvas, const std::string& text, float left, float top, float right, float bottom,
                 int scale, Colour colour, float glow = 0.0f);
// A round screw head.
void Screw(Canvas& canvas, float cx, float cy, float r, float slotAngle);

void DrawKnob(Canvas& canvas, float value, Colour accent);
void DrawStateKnob(Canvas& canvas, int state, int states, Colour accent);
void DrawPower(Canvas& canvas, bool lit);
void DrawArrow(Canvas& canvas, const std::string& direction, bool lit);
void DrawButton(Canvas& canvas, const std::string& label, bool lit);
void DrawTab(Canvas& canvas, const std::string& label, bool lit);
void DrawSliderHandle(Canvas& canvas);
void DrawSliderTrack(Canvas& canvas);

void DrawBackground(Canvas& canvas);
void DrawPanel(Canvas& canvas);
void DrawDisplay(Canvas& canvas, bool grid, Colour tint);

void DrawVersionBadge(Canvas& canvas);
void DrawTagline(Canvas& canvas);
void DrawLogo(Canvas& canvas);
void DrawEditionText(Canvas& canvas);
void DrawTeamText(Canvas& canvas);
void DrawPluginBadge(Canvas& canvas);
void DrawWebIcon(Canvas& canvas);
void DrawSocialIcon(Canvas& canvas);

}  // namespace art
