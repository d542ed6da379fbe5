#pragma once

#include "graphics/IGraphicsStructs.h"

class IGraphics;

// Draws str from a strip of monospaced glyphs, character code c as frame
// c - 31 (the blank is frame 1), one charWidth x charHeight cell per
// character. The text starts one glyph in from the left edge, or is centred
// with kAlignCenter; vCenter centres one row vertically. Rows hold as many
// glyphs as fit between one-glyph margins; a longer text goes on to a second
// row, and with multiline to as many rows as it needs. Nothing is drawn for
// an empty text or when no glyph fits.
void DrawBitmapedText(IGraphics* g, IBitmap* glyphs, IRECT* rect, IText* text, IChannelBlend* blend, const char* str,
                      bool vCenter, bool multiline, int charWidth, int charHeight);
