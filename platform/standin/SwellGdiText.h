// Stands in for the Windows GDI fonts and text calls (CreateFont, GetTextMetrics, DrawText) on Linux.
#pragma once

#include <string>

#include "platform/standin/SwellGdiObjects.h"

struct SWELL_Face;

// A font object's text attributes. Text drawing adds the colours and the
// paragraph style in place and keeps them for later calls.
struct SWELL_FontAttributes {
  SWELL_Face* font;  // null: no face could be found
  float pointSize;   // pixels
  bool hasObliqueness;
  float obliqueness;
  bool hasUnderline;
  bool hasStrokeWidth;
  float strokeWidth;  // percent of the point size, negative: stroke and fill
  bool hasForeground;
  int foreground;  // 0x00RRGGBB
  bool hasBackground;
  int background;
  bool hasParagraphStyle;
  int alignment;      // 0 left, 1 right, 2 centre
  int lineBreakMode;  // 2 clip, 4 truncate the tail
};

void SWELL_DeleteFontAttributes(SWELL_FontAttributes* attributes);

struct LOGFONT {
  int lfHeight;
  int lfWidth;
  int lfEscapement;
  int lfOrientation;
  int lfWeight;
  char lfItalic;
  char lfUnderline;
  char lfStrikeOut;
  char lfCharSet;
  char lfOutPrecision;
  char lfClipPrecision;
  char lfQuality;
  char lfPitchAndFamily;
  char lfFaceName[32];
};

struct TEXTMETRIC {
  int tmHeight;  // ascent + descent
  int tmAscent;
  int tmDescent;
  int tmInternalLeading;
  int tmAveCharWidth;
};

enum {
  DT_CALCRECT = 0x1,
  DT_VCENTER = 0x2,
  DT_CENTER = 0x4,
  DT_END_ELLIPSIS = 0x8,
  DT_BOTTOM = 0x10,
  DT_RIGHT = 0x20,
  DT_SINGLELINE = 0x40,
  DT_NOPREFIX = 0x80,
  DT_NOCLIP = 0x100,
};

enum { FW_NORMAL = 400, FW_BOLD = 700 };
enum { DEFAULT_QUALITY = 0, NONANTIALIASED_QUALITY = 3, ANTIALIASED_QUALITY = 4 };

// Never null. The height (else the width) gives the point size: 9.5 for
// sizes below 2 or above 8192, else 0.95 times the size; it is drawn as
// that many pixels.
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, char italic, char underline,
                 char strikeOut, char charSet, char outPrecision, char clipPrecision, char quality,
                 char pitchAndFamily, const char* faceName);
HFONT CreateFontIndirect(const LOGFONT* lf);
// Metrics of the selected font (the system font at 10 without one); false,
// with the defaults 16, 12, 4, 3, 10 left in tm, for a null or pooled context.
bool GetTextMetrics(HDC ctx, TEXTMETRIC* tm);
// Draws, or with DT_CALCRECT measures, UTF-8 text (length < 0: up to its
// end; else at most length bytes, cut on a character boundary) and returns
// its height in pixels; 0 when nothing was measured or drawn.
int SWELL_DrawText(HDC ctx, const char* text, int length, RECT* r, int flags);

// The file the font's face was found in; empty when it has none.
std::string SWELL_GetFontFile(HFONT font);
