#include "graphics/IBitmapMonoText.h"

#include <cstring>

#include "graphics/IGraphics.h"

void DrawBitmapedText(IGraphics* g, IBitmap* glyphs, IRECT* rect, IText* text, IChannelBlend* blend, const char* str,
                      bool vCenter, bool multiline, int charWidth, int charHeight) {
  // A glyph without size would divide by zero below.
  if (!str || !*str || charWidth < 1 || charHeight < 1) return;
  const int n = static_cast<int>(std::strlen(str));
  const int top = vCenter ? rect->T + (rect->B - (rect->T + charHeight)) / 2 : rect->T;
  const int offset = text->mAlign == IText::kAlignCenter ? (rect->R - (rect->L + n * charWidth)) / 2 : charWidth;
  const int left = rect->L + offset;
  const int usable = rect->R - rect->L - 2 * charWidth;
  int perRow = usable / charWidth;
  int rows = 1;
  if (multiline) {
    if (n * charWidth > usable) {
      if (perRow < 1) return;
      rows = n * charWidth / usable;
    } else {
      perRow = n;
    }
  }
  if (perRow < 1) return;
  for (int row = 0; row <= rows; ++row) {
    for (int k = 0; k < perRow; ++k) {
      const int i = row * perRow + k;
      if (i >= n) return;
      IRECT cell(left + k * charWidth, top + row * charHeight, left + (k + 1) * charWidth,
                 top + (row + 1) * charHeight);
      g->DrawBitmap(glyphs, &cell, static_cast<unsigned char>(str[i]) - 31, blend);
    }
  }
}
