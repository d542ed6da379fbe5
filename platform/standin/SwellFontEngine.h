#pragma once

#include <memory>
#include <string>
#include <vector>

// Faces found through fontconfig and drawn with FreeType, for the GDI
// emulation's fonts and text. Faces are opened once and kept for the
// process; every size is a pixel size (72 dpi), fractions kept.

struct SWELL_Face;

// The face fontconfig gives for a family name (a monospaced platform face
// asks for the monospace family); null when there is no font at all.
SWELL_Face* SWELL_FindFace(const char* family);
// The platform's system font face.
SWELL_Face* SWELL_SystemFace();
// The file the face was opened from.
std::string SWELL_FaceFile(const SWELL_Face* face);

// Unhinted metrics at a pixel size: the unscaled table values times size
// per unit of the em. Descender is negative below the baseline; line height
// is ascender - descender + line gap.
struct SWELL_FaceMetrics {
  double ascender;
  double descender;
  double lineHeight;
  double capHeight;
  double underlinePosition;  // negative below the baseline
  double underlineThickness;
};
SWELL_FaceMetrics SWELL_FaceMetricsAt(SWELL_Face* face, double size);

// Unhinted advance of a character, without kerning.
double SWELL_FaceAdvance(SWELL_Face* face, double size, unsigned int codepoint);
// Whether the face maps the character to a glyph of its own.
bool SWELL_FaceHasChar(SWELL_Face* face, unsigned int codepoint);

// Coverage of one glyph: width x height bytes, 0..255, top row first;
// (left, top) is the top-left pixel relative to the integer pen position.
struct SWELL_GlyphImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<unsigned char> coverage;
};

// A character rendered with its origin at the fractional offset (fx, fy)
// (y downwards) from an integer pixel; null when the face cannot render it.
// bold > 0 widens the outline by that many pixels; shear slants it to the
// right by that much per unit of height. Glyphs are rendered once and kept
// in a cache bounded in memory; an image stays valid while it is held.
std::shared_ptr<const SWELL_GlyphImage> SWELL_FaceGlyph(SWELL_Face* face, double size, unsigned int codepoint,
                                                        double fx, double fy, bool mono, double bold, double shear);
