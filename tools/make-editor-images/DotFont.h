#pragma once

#include <string>
#include <vector>

#include "tools/make-editor-images/Canvas.h"

// A 5 x 7 dot-matrix font of capitals, digits and a little punctuation
// (lower case prints as capitals). At scale 1 every dot is one pixel; larger
// scales draw round-cornered dots with a gap, like an LED matrix.

namespace art {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// Pixels the text takes at a scale: 6 per character less the last gap.
int TextWidth(const std::string& text, int scale);

// The lit dots of the text with its top-left corner at (x, y).
Shape Text(const std::string& text, float x, float y, int scale);
// Every dot of the matrix under the text, lit or not.
Shape TextMatrix(const std::string& text, float x, float y, int scale);

// Coverage bytes (255 for a lit dot) of the text at scale 1, row by row.
std::vector<unsigned char> TextMask(const std::string& text);

}  // namespace art
