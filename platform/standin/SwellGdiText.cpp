#include "platform/standin/SwellGdiText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "framework/TextCopy.h"
#include "framework/TruncateToInt.h"
#include "platform/standin/SwellFontEngine.h"

namespace {

constexpr int kTextBufferBytes = 4096;
constexpr float kItalicShear = 0.33f;
constexpr unsigned int kEllipsis = 0x2026;

bool LiveContext(HDC ctx) { return ctx && !ctx->inFreeList; }

SWELL_FontAttributes* AttributesOf(HGDIOBJ font) {
  return SWELL_IsLiveObject(font) && font->type == kSwellObjectFont ? font->fontAttributes : nullptr;
}

// Used where a context has no usable font: the system font at 10.
SWELL_FontAttributes* DefaultAttributes() {
  static SWELL_FontAttributes* dd = [] {
    auto* a = new SWELL_FontAttributes();
    a->font = SWELL_SystemFace();
    a->pointSize = 10.0f;
    return a;
  }();
  return dd;
}

// The bytes that are drawn: prefixes resolved, carriage returns dropped,
// line feeds kept (or made spaces for one line), at most 4095 bytes that end
// on a character boundary, as does a length.
std::string DrawnBytes(const char* text, int length, int flags) {
  if (length >= 0) length = static_cast<int>(CountedTextLength(text, static_cast<std::size_t>(length)));
  std::string out;
  // One byte past the limit shows whether the cut would split a character.
  for (int i = 0; (length < 0 || i < length) && text[i] && static_cast<int>(out.size()) < kTextBufferBytes;) {
    char c = text[i++];
    if (c == '&' && !(flags & DT_NOPREFIX)) {
      if ((length >= 0 && i >= length) || !text[i]) break;
      out += text[i++];
      continue;
    }
    if (c == '\r') continue;
    if (c == '\n' && (flags & DT_SINGLELINE)) c = ' ';
    out += c;
  }
  out.resize(TextFitLength(out.c_str(), kTextBufferBytes - 1));
  return out;
}

// Strict UTF-8; false for anything else (the text is then not drawn).
bool DecodeUtf8(const std::string& bytes, std::vector<unsigned int>* out) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  for (size_t i = 0; i < n;) {
    const unsigned int b0 = s[i];
    int extra;
    unsigned int cp, min;
    if (b0 < 0x80) {
      extra = 0, cp = b0, min = 0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
      extra = 1, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      extra = 2, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      extra = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
      return false;
    }
    if (i + extra >= n) return false;
    for (int k = 1; k <= extra; ++k) {
      const unsigned int b = s[i + k];
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    out->push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}

struct Line {
  std::vector<unsigned int> chars;
  double width = 0.0;
};

double Advances(SWELL_Face* face, double size, const std::vector<unsigned int>& chars) {
  double w = 0.0;
  for (unsigned int c : chars) w += SWELL_FaceAdvance(face, size, c);
  return w;
}

std::vector<Line> SplitLines(const std::vector<unsigned int>& chars, SWELL_Face* face, double size) {
  std::vector<Line> lines(1);
  for (unsigned int c : chars) {
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back().chars.push_back(c);
    }
  }
  for (Line& line : lines) line.width = Advances(face, size, line.chars);
  return lines;
}

// Cuts the tail of a line to fit the width and ends it with an ellipsis.
void TruncateTail(Line* line, SWELL_Face* face, double size, double width) {
  const bool ownEllipsis = SWELL_FaceHasChar(face, kEllipsis);
  const std::vector<unsigned int> mark = ownEllipsis ? std::vector<unsigned int>{kEllipsis}
                                                     : std::vector<unsigned int>{'.', '.', '.'};
  const double markWidth = Advances(face, size, mark);
  while (!line->chars.empty() && line->width + markWidth > width) {
    line->width -= SWELL_FaceAdvance(face, size, line->chars.back());
    line->chars.pop_back();
  }
  line->chars.insert(line->chars.end(), mark.begin(), mark.end());
  line->width += markWidth;
}

unsigned char BlendChannel(int dst, int src, int coverage) {
  return static_cast<unsigned char>((dst * (255 - coverage) + src * coverage + 127) / 255);
}

struct Pen {
  SWELL_GfxTarget* target;
  SWELL_Face* face;
  double size;
  bool mono;
  double bold;
  double shear;
  int color;
};

// Blends one glyph's coverage into the target, clipped to its current clip.
void DrawGlyph(const Pen& pen, unsigned int cp, double x, double y) {
  const SWELL_GfxRect clip = SWELL_GfxClip(pen.target);
  const double reach = 2.0 * pen.size + pen.bold + 2.0;
  if (x + reach < clip.left || x - reach > clip.right || y + reach < clip.top || y - reach > clip.bottom) return;
  const double ix = std::floor(x), iy = std::floor(y);
  const auto image = SWELL_FaceGlyph(pen.face, pen.size, cp, x - ix, y - iy, pen.mono, pen.bold, pen.shear);
  if (!image) return;
  const SWELL_GlyphImage& glyph = *image;
  const int r = (pen.color >> 16) & 255, g = (pen.color >> 8) & 255, b = pen.color & 255;
  const long long left = static_cast<long long>(ix) + glyph.left, top = static_cast<long long>(iy) + glyph.top;
  for (int row = 0; row < glyph.height; ++row) {
    const long long py = top + row;
    if (py < clip.top || py >= clip.bottom) continue;
    for (int col = 0; col < glyph.width; ++col) {
      const long long px = left + col;
      const int cov = glyph.coverage[static_cast<size_t>(row) * glyph.width + col];
      if (cov == 0 || px < clip.left || px >= clip.right) continue;
      unsigned char* p = SWELL_GfxPixel(pen.target, static_cast<int>(px), static_cast<int>(py));
      p[1] = BlendChannel(p[1], r, cov);
      p[2] = BlendChannel(p[2], g, cov);
      p[3] = BlendChannel(p[3], b, cov);
      p[0] = 255;
    }
  }
}

int ToInt(double v) { return TruncateToInt<int>(v); }

}  // namespace

void SWELL_DeleteFontAttributes(SWELL_FontAttributes* attributes) { delete attributes; }

HFONT CreateFont(int height, int width, int, int, int weight, char italic, char underline, char, char, char, char,
                 char quality, char, const char* faceName) {
  HGDIOBJ font = GDP_OBJECT_NEW();
  if (!font) return nullptr;
  font->type = kSwellObjectFont;
  float s = static_cast<float>(height);
  if (s == 0.0f) s = static_cast<float>(width);
  s = std::fabs(s);
  const float size = s < 2.0f || s > 8192.0f ? 9.5f : static_cast<float>(s * 0.95);
  auto* a = new (std::nothrow) SWELL_FontAttributes();
  if (a) {
    a->font = SWELL_FindFace(faceName ? faceName : "");
    a->pointSize = size;
    if (italic) {
      a->hasObliqueness = true;
      a->obliqueness = kItalicShear;
    }
    a->hasUnderline = underline != 0;
    if (weight >= FW_BOLD) {
      a->hasStrokeWidth = true;
      a->strokeWidth = size < 15.0f ? -(size * 0.55f) : -8.25f;
    }
  }
  font->fontAttributes = a;
  font->quality = quality == 0 || quality == 3 || quality == 4 ? quality : 0;
  return font;
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return nullptr;
  char face[sizeof(lf->lfFaceName) + 1];
  std::memcpy(face, lf->lfFaceName, sizeof(lf->lfFaceName));
  face[sizeof(lf->lfFaceName)] = 0;
  return CreateFont(lf->lfHeight, lf->lfWidth, 0, lf->lfOrientation, lf->lfWeight, lf->lfItalic, lf->lfUnderline, 0, 0,
                    0, 0, lf->lfQuality, 0, face);
}

bool GetTextMetrics(HDC ctx, TEXTMETRIC* tm) {
  if (!tm) return false;
  *tm = TEXTMETRIC{16, 12, 4, 3, 10};
  if (!LiveContext(ctx)) return false;
  const SWELL_FontAttributes* a = AttributesOf(ctx->font);
  SWELL_Face* face = a && a->font ? a->font : SWELL_SystemFace();
  const double size = a && a->font ? a->pointSize : 10.0;
  if (!face) return true;
  const SWELL_FaceMetrics m = SWELL_FaceMetricsAt(face, size);
  tm->tmAscent = ToInt(m.ascender + 0.5);
  tm->tmDescent = ToInt(0.5 - m.descender);
  tm->tmHeight = tm->tmAscent + tm->tmDescent;
  tm->tmInternalLeading = std::max(0, ToInt(m.ascender - m.capHeight + 0.5));
  tm->tmAveCharWidth = ToInt(std::ceil(m.ascender - m.descender) * 0.55);
  return true;
}

int SWELL_DrawText(HDC ctx, const char* text, int length, RECT* r, int flags) {
  if (!LiveContext(ctx) || !text || !r) return 0;
  const std::string bytes = DrawnBytes(text, length, flags);
  if (bytes.empty()) return 0;
  std::vector<unsigned int> chars;
  if (!DecodeUtf8(bytes, &chars)) return 0;

  SWELL_FontAttributes* a = AttributesOf(ctx->font);
  const int quality = a ? ctx->font->quality : 0;
  if (!a) a = DefaultAttributes();
  if (!a->font) return 0;

  if (ctx->backgroundMode == OPAQUE) {
    a->hasBackground = true;
    a->background = ctx->backgroundColor;
  } else {
    a->hasBackground = false;
  }
  if (ctx->hasTextColor) {
    a->hasForeground = true;
    a->foreground = ctx->textColor;
  }
  a->hasParagraphStyle = true;
  a->alignment = (flags & DT_RIGHT) ? 1 : (flags & DT_CENTER) ? 2 : 0;
  a->lineBreakMode = (flags & DT_END_ELLIPSIS) ? 4 : 2;

  const double size = a->pointSize;
  const SWELL_FaceMetrics m = SWELL_FaceMetricsAt(a->font, size);
  std::vector<Line> lines = SplitLines(chars, a->font, size);
  double tw = 0.0;
  for (const Line& line : lines) tw = std::max(tw, line.width);
  const double th = lines.size() * m.lineHeight;
  const int result = ToInt(std::ceil(th));
  TEXTMETRIC tm;
  GetTextMetrics(ctx, &tm);

  if (flags & DT_CALCRECT) {
    r->right = ToInt(r->left + std::ceil(tw) * 1.02);
    r->bottom = ToInt(r->top + std::ceil(th) * 1.02);
    return result;
  }
  SWELL_GfxTarget* target = ctx->cgContext;
  if (!target) return result;

  const double W = static_cast<double>(r->right) - r->left, H = static_cast<double>(r->bottom) - r->top;
  double y, h;
  if (flags & DT_BOTTOM) {
    y = r->top + (H - th), h = th;
  } else if (flags & DT_VCENTER) {
    const double k = std::trunc((H - th) / 2);
    y = r->top + k, h = H - 2 * k;
  } else {
    y = r->top, h = th;
  }
  double x = r->left, w = W;
  if (flags & DT_NOCLIP) {
    if (tw > W) {
      w = tw;
      if (flags & DT_RIGHT) {
        x -= tw - W;
      } else if (flags & DT_CENTER) {
        x -= (tw - W) / 2;
      }
    }
    if (th > h) {
      if (flags & DT_BOTTOM) {
        y -= th - h;
      } else if (flags & DT_VCENTER) {
        y -= (th - h) / 2;
      }
      h = th;
    }
  }
  // Glyphs draw inside the box; the first baseline lies the font's ascent
  // below its top, for one line and for several alike.
  const double baseline = y + tm.tmAscent;

  SWELL_GfxSaveState(target);
  // Without DT_NOCLIP nothing lands outside the rectangle, also where the
  // lines are taller than it.
  if (!(flags & DT_NOCLIP)) {
    SWELL_GfxClipToRect(target, static_cast<float>(r->left), static_cast<float>(r->top), static_cast<float>(W),
                        static_cast<float>(H));
  }
  SWELL_GfxClipToRect(target, static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                      static_cast<float>(h));
  const float ox = target->state.originX, oy = target->state.originY;
  const int color = a->hasForeground ? a->foreground : 0;
  const Pen pen{target,
                a->font,
                size,
                quality == NONANTIALIASED_QUALITY,
                a->hasStrokeWidth && a->strokeWidth < 0 ? -a->strokeWidth * size / 100.0 : 0.0,
                a->hasObliqueness ? a->obliqueness : 0.0,
                color};
  for (size_t i = 0; i < lines.size(); ++i) {
    Line& line = lines[i];
    if (a->lineBreakMode == 4 && line.width > w) TruncateTail(&line, a->font, size, w);
    const double lineX = a->alignment == 1 ? x + w - line.width : a->alignment == 2 ? x + (w - line.width) / 2 : x;
    const double lineBase = baseline + i * m.lineHeight;
    if (a->hasBackground) {
      float rgba[4];
      SWELL_ColorComponents(a->background, 1.0f, rgba);
      SWELL_GfxFillRect(target, static_cast<float>(lineX), static_cast<float>(lineBase - m.ascender),
                        static_cast<float>(line.width), static_cast<float>(m.lineHeight), rgba);
    }
    double penX = lineX;
    for (unsigned int c : line.chars) {
      DrawGlyph(pen, c, penX + ox, lineBase + oy);
      penX += SWELL_FaceAdvance(a->font, size, c);
    }
    if (a->hasUnderline) {
      float rgba[4];
      SWELL_ColorComponents(color, 1.0f, rgba);
      const double thickness = std::max(1.0, m.underlineThickness);
      SWELL_GfxFillRect(target, static_cast<float>(lineX), static_cast<float>(lineBase - m.underlinePosition),
                        static_cast<float>(line.width), static_cast<float>(thickness), rgba);
    }
  }
  SWELL_GfxRestoreState(target);
  return result;
}

std::string SWELL_GetFontFile(HFONT font) {
  const SWELL_FontAttributes* a = AttributesOf(font);
  return a ? SWELL_FaceFile(a->font) : std::string();
}
