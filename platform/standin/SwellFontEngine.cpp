#include "platform/standin/SwellFontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <cctype>
#include <cstdlib>
#include <cmath>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/standin/SwellGlyphCache.h"

struct SWELL_Face {
  FT_Face ft = nullptr;
  std::string file;
  double unitsPerEm = 1000.0;
  double ascender = 0.0, descender = 0.0, lineHeight = 0.0, capHeight = 0.0;
  double underlinePosition = 0.0, underlineThickness = 0.0;
  std::unordered_map<unsigned int, long> advances;  // font units
};

namespace {

// Far more than an editor's texts need at a few sizes.
constexpr size_t kGlyphCacheBytes = 4 << 20;

// Shared by every font; text is drawn on one thread at a time, but the
// lock keeps two callers from sharing a face's size state.
struct Engine {
  std::recursive_mutex lock;
  FT_Library library = nullptr;
  bool triedLibrary = false;
  std::map<std::string, SWELL_Face*> byName;
  std::map<std::string, SWELL_Face*> byFile;
  SWELL_GlyphCache glyphs{kGlyphCacheBytes};
};

Engine& TheEngine() {
  static Engine* engine = new Engine();
  return *engine;
}

std::string Lower(const char* s) {
  std::string out;
  for (; *s; ++s) out += static_cast<char>(std::tolower(static_cast<unsigned char>(*s)));
  return out;
}

// Monospaced faces of the platform that fontconfig does not know as such.
bool IsPlatformMonospace(const char* family) {
  static const char* const kNames[] = {"monaco", "menlo", "andale mono", "sf mono"};
  const std::string name = Lower(family);
  for (const char* known : kNames) {
    if (name == known) return true;
  }
  return false;
}

double CapHeightUnits(FT_Face ft) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
  if (os2 && os2->version >= 2 && os2->sCapHeight > 0) return os2->sCapHeight;
  const FT_UInt h = FT_Get_Char_Index(ft, 'H');
  if (h && FT_Load_Glyph(ft, h, FT_LOAD_NO_SCALE) == 0 && ft->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
    FT_BBox box;
    FT_Outline_Get_CBox(&ft->glyph->outline, &box);
    return static_cast<double>(box.yMax);
  }
  return 0.0;
}

SWELL_Face* OpenFile(Engine& engine, const std::string& file, int index) {
  const std::string key = file + "#" + std::to_string(index);
  auto found = engine.byFile.find(key);
  if (found != engine.byFile.end()) return found->second;
  FT_Face ft = nullptr;
  if (FT_New_Face(engine.library, file.c_str(), index, &ft) != 0) return nullptr;
  if (!FT_IS_SCALABLE(ft) || ft->units_per_EM == 0) {
    FT_Done_Face(ft);
    return nullptr;
  }
  auto* face = new SWELL_Face();
  face->ft = ft;
  face->file = file;
  face->unitsPerEm = ft->units_per_EM;
  face->ascender = ft->ascender;
  face->descender = ft->descender;
  face->lineHeight = ft->height;
  face->capHeight = CapHeightUnits(ft);
  face->underlinePosition = ft->underline_position;
  face->underlineThickness = ft->underline_thickness;
  engine.byFile[key] = face;
  return face;
}

SWELL_Face* Resolve(Engine& engine, const char* family) {
  if (!engine.triedLibrary) {
    engine.triedLibrary = true;
    if (FT_Init_FreeType(&engine.library) != 0) engine.library = nullptr;
    // fontconfig keeps its configuration and caches until told to let go.
    if (FcInit()) std::atexit(FcFini);
  }
  if (!engine.library) return nullptr;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return nullptr;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  if (IsPlatformMonospace(family)) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("monospace"));
  }
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  SWELL_Face* face = nullptr;
  if (match) {
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      FcPatternGetInteger(match, FC_INDEX, 0, &index);
      face = OpenFile(engine, reinterpret_cast<const char*>(file), index);
    }
    FcPatternDestroy(match);
  }
  return face;
}

long Size64(double size) {
  const long size64 = std::lround(size * 64.0);
  return size64 > 0 ? size64 : 1;
}

std::shared_ptr<const SWELL_GlyphImage> Render(const SWELL_GlyphKey& key) {
  FT_Face ft = key.face->ft;
  FT_Set_Char_Size(ft, 0, key.size64, 72, 72);
  if (FT_Load_Glyph(ft, FT_Get_Char_Index(ft, key.codepoint), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) {
    return nullptr;
  }
  FT_GlyphSlot slot = ft->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return nullptr;
  if (key.emboldened) FT_Outline_Embolden(&slot->outline, key.bold64);
  if (key.slanted) {
    FT_Matrix slant = {0x10000, key.shear16, 0, 0x10000};
    FT_Outline_Transform(&slot->outline, &slant);
  }
  FT_Outline_Translate(&slot->outline, key.fx64, -key.fy64);
  if (FT_Render_Glyph(slot, key.mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return nullptr;
  const FT_Bitmap& bm = slot->bitmap;
  auto out = std::make_shared<SWELL_GlyphImage>();
  out->left = slot->bitmap_left;
  out->top = -slot->bitmap_top;
  out->width = static_cast<int>(bm.width);
  out->height = static_cast<int>(bm.rows);
  out->coverage.assign(static_cast<size_t>(out->width) * out->height, 0);
  for (int y = 0; y < out->height; ++y) {
    const unsigned char* row = bm.buffer + static_cast<long>(y) * bm.pitch;
    unsigned char* dst = out->coverage.data() + static_cast<size_t>(y) * out->width;
    for (int x = 0; x < out->width; ++x) {
      if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
        dst[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      } else {
        dst[x] = row[x];
      }
    }
  }
  return out;
}

}  // namespace

SWELL_Face* SWELL_FindFace(const char* family) {
  Engine& engine = TheEngine();
  std::lock_guard<std::recursive_mutex> hold(engine.lock);
  const std::string name = family ? family : "";
  auto found = engine.byName.find(name);
  if (found != engine.byName.end()) return found->second;
  SWELL_Face* face = Resolve(engine, name.c_str());
  engine.byName[name] = face;
  return face;
}

SWELL_Face* SWELL_SystemFace() { return SWELL_FindFace("DejaVu Sans"); }

std::string SWELL_FaceFile(const SWELL_Face* face) { return face ? face->file : std::string(); }

SWELL_FaceMetrics SWELL_FaceMetricsAt(SWELL_Face* face, double size) {
  auto scaled = [&](double units) { return units * size / face->unitsPerEm; };
  return SWELL_FaceMetrics{scaled(face->ascender),          scaled(face->descender),
                           scaled(face->lineHeight),        scaled(face->capHeight),
                           scaled(face->underlinePosition), scaled(face->underlineThickness)};
}

double SWELL_FaceAdvance(SWELL_Face* face, double size, unsigned int codepoint) {
  Engine& engine = TheEngine();
  std::lock_guard<std::recursive_mutex> hold(engine.lock);
  auto found = face->advances.find(codepoint);
  long units = 0;
  if (found != face->advances.end()) {
    units = found->second;
  } else {
    FT_Fixed advance = 0;
    if (FT_Get_Advance(face->ft, FT_Get_Char_Index(face->ft, codepoint), FT_LOAD_NO_SCALE, &advance) == 0) {
      units = static_cast<long>(advance);
    }
    face->advances[codepoint] = units;
  }
  return units * size / face->unitsPerEm;
}

bool SWELL_FaceHasChar(SWELL_Face* face, unsigned int codepoint) {
  Engine& engine = TheEngine();
  std::lock_guard<std::recursive_mutex> hold(engine.lock);
  return FT_Get_Char_Index(face->ft, codepoint) != 0;
}

std::shared_ptr<const SWELL_GlyphImage> SWELL_FaceGlyph(SWELL_Face* face, double size, unsigned int codepoint,
                                                        double fx, double fy, bool mono, double bold, double shear) {
  Engine& engine = TheEngine();
  std::lock_guard<std::recursive_mutex> hold(engine.lock);
  const SWELL_GlyphKey key = {face,
                              Size64(size),
                              codepoint,
                              std::lround(fx * 64.0),
                              std::lround(fy * 64.0),
                              mono,
                              bold > 0.0,
                              bold > 0.0 ? std::lround(bold * 64.0) : 0,
                              shear != 0.0,
                              shear != 0.0 ? std::lround(shear * 65536.0) : 0};
  std::shared_ptr<const SWELL_GlyphImage> image;
  if (!engine.glyphs.Find(key, &image)) {
    image = Render(key);
    engine.glyphs.Add(key, image);
  }
  return image;
}
