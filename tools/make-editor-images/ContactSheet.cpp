#include "tools/make-editor-images/ContactSheet.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "lice/Blits.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/PNG.h"
#include "lice/RectOps.h"
#include "tools/make-editor-images/DotFont.h"
#include "tools/make-editor-images/Manifest.h"
#include "tools/make-editor-images/PngFile.h"

namespace art {

namespace {

constexpr int kSheetWidth = 1840;
constexpr int kMargin = 16;
constexpr int kGap = 6;
constexpr int kLabelHeight = 12;

struct Tile {
  std::unique_ptr<LICE_IBitmap> image;
  const ImageSpec* spec;
  std::vector<int> frames;  // frames shown, left to right
  float scale;
  int frameHeight;
  int width() const { return static_cast<int>(frames.size()) * (Scaled(spec->width) + kGap) - kGap; }
  int height() const { return Scaled(frameHeight) + kLabelHeight; }
  int Scaled(int v) const { return static_cast<int>(std::lround(v * scale)); }
};

std::vector<int> FramesShown(const ImageSpec& spec) {
  if (spec.frames < 8) {
    std::vector<int> all(spec.frames);
    for (int i = 0; i < spec.frames; ++i) all[i] = i;
    return all;
  }
  std::vector<int> five;
  for (int i = 0; i <= 4; ++i) five.push_back(static_cast<int>(std::lround(i * (spec.frames - 1) / 4.0)));
  return five;
}

void Label(LICE_IBitmap* sheet, const std::string& text, int x, int y) {
  const std::vector<unsigned char> mask = TextMask(text);
  LICE_DrawGlyph(sheet, x, y, LICE_MakePixel(200, 206, 214, 255), mask.data(), TextWidth(text, 1), kGlyphHeight,
                 1.0f, LICE_MODE_COPY);
}

// A checkerboard so that transparent pixels show as such.
void Checkerboard(LICE_IBitmap* sheet) {
  LICE_Clear(sheet, LICE_MakePixel(52, 56, 62, 255));
  for (int y = 0; y < sheet->getHeight(); y += 8) {
    for (int x = (y / 8) % 2 * 8; x < sheet->getWidth(); x += 16) {
      LICE_FillRect(sheet, x, y, 8, 8, LICE_MakePixel(44, 48, 53, 255), 1.0f, LICE_MODE_COPY);
    }
  }
}

}  // namespace

bool WriteContactSheet(const std::string& root, const std::string& path, std::string* error) {
  std::vector<Tile> tiles;
  for (const ImageSpec& spec : EditorImages()) {
    const std::string file = root + "/" + kImageFolder + spec.path;
    std::unique_ptr<LICE_IBitmap> image(LICE_LoadPNG(file.c_str(), nullptr));
    if (!image) {
      *error = "cannot read back " + file;
      return false;
    }
    const int frameHeight = spec.height / spec.frames;
    const int longest = std::max(spec.width, frameHeight);
    const float scale = longest <= 64 ? 2.0f : longest > 500 ? 0.5f : 1.0f;
    tiles.push_back({std::move(image), &spec, FramesShown(spec), scale, frameHeight});
  }

  // Rows of tiles, left to right.
  std::vector<std::pair<int, int>> origins;
  int x = kMargin, y = kMargin, rowHeight = 0;
  for (const Tile& tile : tiles) {
    const int w = std::max(tile.width(), TextWidth(tile.spec->path, 1));
    if (x + w > kSheetWidth - kMargin) x = kMargin, y += rowHeight + kMargin, rowHeight = 0;
    origins.push_back({x, y});
    x += w + kMargin * 2;
    rowHeight = std::max(rowHeight, tile.height());
  }
  LICE_MemBitmap sheet(kSheetWidth, y + rowHeight + kMargin, 4);
  Checkerboard(&sheet);

  for (size_t i = 0; i < tiles.size(); ++i) {
    const Tile& tile = tiles[i];
    const int left = origins[i].first, top = origins[i].second;
    Label(&sheet, tile.spec->path, left, top);
    const int mode = LICE_MODE_SOURCE_ALPHA | (tile.scale < 1 ? LICE_MODE_BILINEAR : 0);
    for (size_t k = 0; k < tile.frames.size(); ++k) {
      const int dx = left + static_cast<int>(k) * (tile.Scaled(tile.spec->width) + kGap);
      LICE_ScaledBlit(&sheet, tile.image.get(), dx, top + kLabelHeight, tile.Scaled(tile.spec->width),
                      tile.Scaled(tile.frameHeight), 0, static_cast<float>(tile.frames[k] * tile.frameHeight),
                      static_cast<float>(tile.spec->width), static_cast<float>(tile.frameHeight), 1.0f, mode);
    }
  }
  return WritePng(&sheet, path, error);
}

}  // namespace art
