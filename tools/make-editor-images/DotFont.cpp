#include "tools/make-editor-images/DotFont.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace art {

namespace {

typedef std::vector<const char*> Rows;

const std::map<char, Rows>& Glyphs() {
  static const std::map<char, Rows> glyphs = {
      {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
      {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
      {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
      {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
      {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
      {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
      {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
      {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
      {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
      {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
      {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
      {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
      {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
      {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
      {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
      {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
      {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
      {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
      {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
      {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
      {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
      {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
      {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
      {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
      {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
      {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
      {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
      {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
      {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
      {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
      {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
      {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
      {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
      {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
      {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
      {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
      {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
      {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
      {',', {".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."}},
      {'-', {".....", ".....", ".....", ".###.", ".....", ".....", "....."}},
      {'_', {".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
      {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
      {'/', {".....", "....#", "...#.", "..#..", ".#...", "#....", "....."}},
      {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
      {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
      {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
      {'(', {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}},
      {')', {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}},
      {'&', {".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"}},
  };
  return glyphs;
}

bool Lit(char c, int column, int row) {
  const auto& glyphs = Glyphs();
  const auto found = glyphs.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  const Rows& rows = found != glyphs.end() ? found->second : glyphs.at('?');
  return rows[row][column] == '#';
}

// The dots of a text (every dot of its cells, or the lit ones) as one shape.
Shape Dots(const std::string& text, float x0, float y0, int scale, bool litOnly) {
  const float pitch = static_cast<float>(scale);
  // One pixel dots fill their pixel; larger ones keep a gap and round corners.
  const float half = scale == 1 ? 0.5f : pitch * 0.42f;
  const float round = scale == 1 ? 0.0f : pitch * 0.18f;
  const int columns = static_cast<int>(text.size()) * (kGlyphWidth + 1);
  return {[=](float x, float y) {
            const int cx = static_cast<int>(std::floor((x - x0) / pitch));
            const int cy = static_cast<int>(std::floor((y - y0) / pitch));
            float best = 1e9f;
            for (int gy = cy - 1; gy <= cy + 1; ++gy) {
              for (int gx = cx - 1; gx <= cx + 1; ++gx) {
                if (gx < 0 || gy < 0 || gy >= kGlyphHeight || gx >= columns) continue;
                const int column = gx % (kGlyphWidth + 1);
                if (column == kGlyphWidth || text[gx / (kGlyphWidth + 1)] == ' ') continue;
                if (litOnly && !Lit(text[gx / (kGlyphWidth + 1)], column, gy)) continue;
                const float dx = std::fabs(x - (x0 + (gx + 0.5f) * pitch)) - (half - round);
                const float dy = std::fabs(y - (y0 + (gy + 0.5f) * pitch)) - (half - round);
                const float d = std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f)) +
                                std::min(std::max(dx, dy), 0.0f) - round;
                best = std::min(best, d);
              }
            }
            return best;
          },
          x0, y0, x0 + TextWidth(text, scale), y0 + kGlyphHeight * pitch};
}

}  // namespace

int TextWidth(const std::string& text, int scale) {
  return text.empty() ? 0 : (static_cast<int>(text.size()) * (kGlyphWidth + 1) - 1) * scale;
}

Shape Text(const std::string& text, float x, float y, int scale) { return Dots(text, x, y, scale, true); }

Shape TextMatrix(const std::string& text, float x, float y, int scale) { return Dots(text, x, y, scale, false); }

std::vector<unsigned char> TextMask(const std::string& text) {
  const int width = TextWidth(text, 1);
  std::vector<unsigned char> mask(static_cast<size_t>(width) * kGlyphHeight, 0);
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int x = 0; x < width; ++x) {
      const int column = x % (kGlyphWidth + 1);
      if (column < kGlyphWidth && Lit(text[x / (kGlyphWidth + 1)], column, row)) mask[row * width + x] = 255;
    }
  }
  return mask;
}

}  // namespace art
