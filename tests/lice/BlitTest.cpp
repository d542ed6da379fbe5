#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "lice/Blits.h"
#include "lice/CombinePixels.h"
#include "tests/lice/RasterFixture.h"

namespace {

using licetest::At;
using licetest::Bitmap;
using licetest::Distinct;
using licetest::Uniform;

TEST(BlitTest, SourceRectangleLeftOfTheSourceMovesTheDestination) {
  auto src = Bitmap(20, 10, Distinct);
  auto dest = Uniform(20, 10, 0);
  const RECT r = {-5, 0, 10, 10};
  LICE_Blit(dest.get(), src.get(), 0, 0, &r, 1.0f, 0);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      const LICE_pixel expected = x >= 5 && x < 15 ? Distinct(x - 5, y) : 0;
      ASSERT_EQ(At(dest.get(), x, y), expected) << x << "," << y;
    }
  }
}

TEST(BlitTest, NegativeDestinationSkipsSourceColumnsAndRows) {
  auto src = Bitmap(10, 10, Distinct);
  auto dest = Uniform(10, 10, 0);
  LICE_Blit(dest.get(), src.get(), -3, -2, 0, 0, 10, 10, 1.0f, 0);
  EXPECT_EQ(At(dest.get(), 0, 0), Distinct(3, 2));
  EXPECT_EQ(At(dest.get(), 6, 7), Distinct(9, 9));
  EXPECT_EQ(At(dest.get(), 7, 0), 0u);
  EXPECT_EQ(At(dest.get(), 0, 8), 0u);
}

TEST(BlitTest, HalfAlphaCopyAveragesWholeWords) {
  auto src = Uniform(3, 3, 0xff00ff00);
  auto dest = Uniform(3, 3, 0x00ff00ff);
  LICE_Blit(dest.get(), src.get(), 0, 0, nullptr, 0.5f, 0);
  EXPECT_EQ(At(dest.get(), 1, 1), 0x7f7f7f7fu);
}

TEST(BlitTest, ChannelCopyMovesOneByte) {
  auto src = Uniform(2, 2, LICE_MakePixel(1, 2, 3, 200));
  auto dest = Uniform(2, 2, LICE_MakePixel(10, 20, 30, 40));
  LICE_Blit(dest.get(), src.get(), 0, 0, nullptr, 0.1f, 0xf4);
  EXPECT_EQ(At(dest.get(), 1, 1), LICE_MakePixel(200, 20, 30, 40)) << "source alpha into destination red, unweighted";
}

TEST(BlitTest, OperationsAboveFiveDrawNothing) {
  auto src = Bitmap(8, 8, Distinct);
  const float grid[] = {0, 0, 8, 0, 0, 8, 8, 8};
  for (int mode : {6, 0x10006, 0x106, 200}) {
    auto dest = Uniform(8, 8, 0x12345678);
    LICE_Blit(dest.get(), src.get(), 0, 0, nullptr, 0.7f, mode);
    LICE_ScaledBlit(dest.get(), src.get(), 0, 0, 8, 8, 0, 0, 4, 4, 0.7f, mode);
    LICE_RotatedBlit(dest.get(), src.get(), 0, 0, 8, 8, 0, 0, 8, 8, 0.5f, false, 0.7f, mode, 0, 0);
    LICE_DeltaBlit(dest.get(), src.get(), 0, 0, 8, 8, 0, 0, 8, 8, 1, 0, 0, 1, 0, 0, false, 0.7f, mode);
    LICE_TransformBlit(dest.get(), src.get(), 0, 0, 8, 8, grid, 2, 2, 0.7f, mode);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(dest->getBits()[i / 8 * dest->getRowSpan() + i % 8], 0x12345678u) << mode;
  }
}

TEST(BlitTest, EveryModeOfTheBlitEqualsTheSinglePixelCombine) {
  auto src = Bitmap(16, 16, [](int x, int y) { return LICE_MakePixel(x * 16, y * 16, (x * y) & 255, (x + y) * 8); });
  const int modes[] = {0, 1, 2, 3, 4, 5, 0x10000, 0x10001, 0x10002, 0x10003, 0x10004, 0x10005};
  const float alphas[] = {1.0f, 0.5f, 0.25f, 0.75f, 0.3f, 1.2f, -0.5f};
  for (int mode : modes) {
    for (float alpha : alphas) {
      // A plain copy at exactly 0.5 takes the word half mix, which rounds each half down.
      if (mode == 0 && alpha == 0.5f) continue;
      auto dest = Bitmap(16, 16, [](int x, int y) { return LICE_MakePixel(255 - x * 16, y * 11, x * 5, 255 - y); });
      auto expected = Bitmap(16, 16, [&](int x, int y) {
        return LICE_CombinePixels(At(dest.get(), x, y), At(src.get(), x, y), alpha, mode);
      });
      LICE_Blit(dest.get(), src.get(), 0, 0, nullptr, alpha, mode);
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
          ASSERT_EQ(At(dest.get(), x, y), At(expected.get(), x, y)) << "mode " << mode << " alpha " << alpha;
        }
      }
    }
  }
}

TEST(BlitTest, CopyResizesTheDestination) {
  auto src = Bitmap(7, 5, Distinct);
  LICE_MemBitmap dest(2, 2, 4);
  LICE_Copy(&dest, src.get());
  ASSERT_EQ(dest.getWidth(), 7);
  ASSERT_EQ(dest.getHeight(), 5);
  EXPECT_EQ(At(&dest, 6, 4), Distinct(6, 4));
}

TEST(ScaledBlitTest, SameSizeAtWholeCoordinatesIsTheUnscaledBlit) {
  auto src = Bitmap(6, 6, Distinct);
  auto viaScaled = Uniform(6, 6, LICE_MakePixel(9, 9, 9, 9));
  auto viaBlit = Uniform(6, 6, LICE_MakePixel(9, 9, 9, 9));
  LICE_ScaledBlit(viaScaled.get(), src.get(), 1, 0, 4, 5, 1.0f, 1.0f, 4.0f, 5.0f, 1.0f, 0xf4);
  LICE_Blit(viaBlit.get(), src.get(), 1, 0, 1, 1, 4, 5, 1.0f, 0xf4);
  for (int i = 0; i < 36; ++i) ASSERT_EQ(At(viaScaled.get(), i % 6, i / 6), At(viaBlit.get(), i % 6, i / 6)) << i;

  // With the bilinear filter a half-pixel offset takes the scaled path.
  auto filtered = Uniform(6, 6, 0);
  LICE_ScaledBlit(filtered.get(), src.get(), 0, 0, 4, 4, 0.5f, 0.0f, 4.0f, 4.0f, 1.0f, 0x100);
  const LICE_pixel a = Distinct(0, 0), b = Distinct(1, 0);
  EXPECT_EQ(LICE_PixelRed(At(filtered.get(), 0, 0)), (LICE_PixelRed(a) + LICE_PixelRed(b)) / 2);
}

TEST(ScaledBlitTest, EqualNegativeSizesDrawNothing) {
  auto src = Bitmap(6, 6, Distinct);
  auto dest = Uniform(6, 6, 7);
  LICE_ScaledBlit(dest.get(), src.get(), 5, 5, -3, -3, 0, 0, -3, -3, 1.0f, 0);
  for (int i = 0; i < 36; ++i) ASSERT_EQ(At(dest.get(), i % 6, i / 6), 7u);
}

// A black 100 x 100 source with one white pixel at (spot, spot); the red
// byte of destination pixel (probe, probe) tells which sampling ran.
int ProbeScaled(int spot, int destW, int destH, int probeX, int probeY) {
  auto src = Bitmap(100, 100, [spot](int x, int y) { return x == spot && y == spot ? 0xffffffffu : 0xffu; });
  auto dest = Uniform(destW, destH, 0);
  LICE_ScaledBlit(dest.get(), src.get(), 0, 0, destW, destH, 0, 0, 100, 100, 1.0f, 0x100);
  return LICE_PixelRed(At(dest.get(), probeX, probeY));
}

TEST(ScaledBlitTest, FilterChoiceFollowsTheStep) {
  EXPECT_EQ(ProbeScaled(12, 10, 10, 1, 1), 255 / 25) << "step 10: 5 x 5 box around (10, 10)";
  EXPECT_EQ(ProbeScaled(6, 40, 40, 2, 2), 255 / 9) << "step 2.5: 3 x 3 box around (5, 5)";
  EXPECT_EQ(ProbeScaled(5, 80, 80, 4, 4), 255) << "step 1.25: bilinear, exactly on (5, 5)";
  EXPECT_EQ(ProbeScaled(6, 80, 80, 4, 4), 0) << "bilinear does not reach a pixel away";
  EXPECT_EQ(ProbeScaled(50, 10, 80, 5, 40), 255) << "one step below 1.7: bilinear";
}

TEST(ScaledBlitTest, HalfWeightPlainCopyUsesTheWordHalfMix) {
  auto src = Uniform(4, 4, 0x01010101);
  auto plain = Uniform(8, 8, 0x01010101);
  auto filtered = Uniform(8, 8, 0x01010101);
  LICE_ScaledBlit(plain.get(), src.get(), 0, 0, 8, 8, 0, 0, 4, 4, 0.5f, 0);
  LICE_ScaledBlit(filtered.get(), src.get(), 0, 0, 8, 8, 0, 0, 4, 4, 0.5f, 0x100);
  EXPECT_EQ(At(plain.get(), 3, 3), 0u) << "word half mix rounds each half down";
  EXPECT_EQ(At(filtered.get(), 3, 3), 0x01010101u) << "channel copy";
}

TEST(ScaledBlitTest, NearestUpscaleAndMirror) {
  auto src = Bitmap(3, 2, Distinct);
  auto dest = Uniform(6, 4, 0);
  LICE_ScaledBlit(dest.get(), src.get(), 0, 0, 6, 4, 0, 0, 3, 2, 1.0f, 0);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) ASSERT_EQ(At(dest.get(), x, y), Distinct(x / 2, y / 2)) << x << "," << y;
  }
  // Mirrored, every source column lands once, the last one first.
  auto mirrored = Uniform(3, 2, 0);
  LICE_ScaledBlit(mirrored.get(), src.get(), 3, 0, -3, 2, 0, 0, 3, 2, 1.0f, 0);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) ASSERT_EQ(At(mirrored.get(), x, y), Distinct(2 - x, y)) << x << "," << y;
  }
}

// A blit whose width (height) is negated shows its unmirrored picture with
// the columns (rows) in reverse order; so does one whose source runs
// backwards. (dstx, dsty) is the top-left corner of the picture either way.
struct MirrorCase {
  int srcSize, destSize, dstx, dsty, mode;
  float alpha;
};

const MirrorCase kMirrorCases[] = {
    {3, 3, 0, 0, 0, 1.0f},     {3, 6, 0, 0, 0, 1.0f},     {6, 4, 0, 0, 0x100, 1.0f}, {5, 9, 1, 2, 0x100, 0.6f},
    {8, 4, 0, 0, 0x101, 1.0f}, {12, 5, 3, 0, 0x100, 1.0f}, {6, 12, -3, 2, 0, 0.5f},  {4, 8, 2, -4, 0x100, 1.0f},
};

enum Flip { kPlain, kMirrorX, kMirrorY, kMirrorBoth, kBackwardSource };

// The picture of case c flipped as asked, on a background of 7s, drawn at
// (offset + dstx, offset + dsty).
std::unique_ptr<LICE_MemBitmap> Picture(LICE_IBitmap* src, const MirrorCase& c, Flip flip, int canvas, int offset) {
  auto dest = Uniform(canvas, canvas, 7);
  const bool mx = flip == kMirrorX || flip == kMirrorBoth, my = flip == kMirrorY || flip == kMirrorBoth;
  const int x = offset + c.dstx, y = offset + c.dsty, n = c.destSize;
  const float size = static_cast<float>(c.srcSize);
  const bool back = flip == kBackwardSource;
  LICE_ScaledBlit(dest.get(), src, mx ? x + n : x, my ? y + n : y, mx ? -n : n, my ? -n : n, back ? size : 0, 0,
                  back ? -size : size, size, c.alpha, c.mode);
  return dest;
}

TEST(ScaledBlitTest, MirroredIsTheReversedPicture) {
  auto src = Bitmap(12, 12, Distinct);
  for (const MirrorCase& c : kMirrorCases) {
    // The unmirrored picture whole, away from every edge.
    const int far = 16;
    auto plain = Picture(src.get(), c, kPlain, 48, far);
    for (Flip flip : {kMirrorX, kMirrorY, kMirrorBoth, kBackwardSource}) {
      auto got = Picture(src.get(), c, flip, 12, 0);
      const bool mx = flip != kMirrorY, my = flip == kMirrorY || flip == kMirrorBoth;
      for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
          const int u = x - c.dstx, v = y - c.dsty, n = c.destSize;
          LICE_pixel expected = 7;
          if (u >= 0 && u < n && v >= 0 && v < n) {
            expected = At(plain.get(), far + c.dstx + (mx ? n - 1 - u : u), far + c.dsty + (my ? n - 1 - v : v));
          }
          ASSERT_EQ(At(got.get(), x, y), expected) << c.srcSize << " into " << c.destSize << " mode " << c.mode
                                                   << " flip " << flip << " at " << x << "," << y;
        }
      }
    }
  }
}

// Cutting a scaled blit at the bitmap's edge leaves the rest as it was:
// the source rectangle stays where the caller put it, so the bilinear
// filter does not reach past it on the far side.
TEST(ScaledBlitTest, ClippedAtTheBitmapEdgeShowsTheSamePixels) {
  auto src = Bitmap(12, 12, Distinct);
  const int offsets[][2] = {{-4, 0}, {0, -4}, {-3, -5}};
  for (int mode : {0, 0x100}) {
    auto whole = Uniform(20, 20, 0);
    LICE_ScaledBlit(whole.get(), src.get(), 6, 6, 8, 8, 1, 1, 4, 4, 1.0f, mode);
    for (const auto& o : offsets) {
      auto cut = Uniform(8, 8, 0);
      LICE_ScaledBlit(cut.get(), src.get(), o[0], o[1], 8, 8, 1, 1, 4, 4, 1.0f, mode);
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
          const int u = x - o[0], v = y - o[1];
          const LICE_pixel expected = u < 8 && v < 8 ? At(whole.get(), 6 + u, 6 + v) : 0u;
          ASSERT_EQ(At(cut.get(), x, y), expected) << "mode " << mode << " offset " << o[0] << "," << o[1]
                                                   << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(ScaledBlitTest, FarEdgeSamplesWithinTheSourceAreDrawn) {
  // Source width 12 of a 10 pixel source into 20: steps of 0.6, so pixels
  // 15 and 16 sample columns 8 and 9 and the rest of the row lies beyond.
  auto row = Bitmap(10, 1, Distinct);
  auto wide = Uniform(20, 1, 0);
  LICE_ScaledBlit(wide.get(), row.get(), 0, 0, 20, 1, 0, 0, 12, 1, 1.0f, 0);
  auto column = Bitmap(1, 10, Distinct);
  auto tall = Uniform(1, 20, 0);
  LICE_ScaledBlit(tall.get(), column.get(), 0, 0, 1, 20, 0, 0, 1, 12, 1.0f, 0x100);
  for (int i = 0; i < 20; ++i) {
    const int sample = i * 39321 / 65536;  // the 16.16 step of 0.6f
    EXPECT_EQ(At(wide.get(), i, 0), i <= 16 ? Distinct(sample, 0) : 0u) << "column " << i;
    // Bilinear: rows between two source rows blend them, so only whether a row is drawn is told here.
    EXPECT_EQ(At(tall.get(), 0, i) != 0, i <= 16) << "row " << i;
  }
}

// The source position of destination pixel (x, y) of a rotated blit.
void RotatedSource(double x, double y, double w, double h, double srcx, double srcy, double srcw, double srch,
                   double angle, double* s, double* t) {
  const double c = std::cos(angle), sn = std::sin(angle), sx = srcw / w, sy = srch / h;
  const double cx = srcx + srcw / 2, cy = srcy + srch / 2;
  const double u = x - w / 2, v = y - h / 2;
  *s = cx + u * c * sx + v * sn * sx;
  *t = cy - u * sn * sy + v * c * sy;
}

TEST(RotatedBlitTest, EveryPixelSamplesTheTurnedSource) {
  auto src = Bitmap(20, 16, Distinct);
  const double angle = 0.3;
  auto dest = Uniform(24, 24, 0);
  LICE_RotatedBlit(dest.get(), src.get(), 2, 3, 20, 16, 0, 0, 20, 16, static_cast<float>(angle), true, 1.0f, 0, 0, 0);
  int compared = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 20; ++x) {
      double s, t;
      RotatedSource(x, y, 20, 16, 0, 0, 20, 16, angle, &s, &t);
      const double fs = s - std::floor(s), ft = t - std::floor(t);
      if (fs < 0.01 || fs > 0.99 || ft < 0.01 || ft > 0.99) continue;  // too near a pixel edge to call
      const LICE_pixel got = At(dest.get(), x + 2, y + 3);
      // Indices truncate toward zero, so positions just left of 0 still count.
      const bool inside = s > -1 && t > -1 && s < 20 && t < 16;
      EXPECT_EQ(got, inside ? Distinct(int(s), int(t)) : 0u) << x << "," << y;
      ++compared;
    }
  }
  EXPECT_GT(compared, 250);
}

// A rotated blit mirrored in x, y or both, or whose source runs backwards,
// draws the unmirrored picture at the same angle with its columns (rows)
// reversed, pixel for pixel; cut at the bitmap's edge along a mirrored axis
// it shows the rest of that picture.
struct TurnCase {
  int srcW, srcH, w, h;
  float angle;
  int mode;
  float offX, offY;
};

const TurnCase kTurnCases[] = {
    {4, 4, 4, 4, 0.0f, 0, 0, 0},          {4, 4, 4, 4, 1.5707964f, 0, 0, 0},   {4, 4, 4, 4, 3.1415927f, 0, 0, 0},
    {20, 16, 20, 16, 0.3f, 0, 0, 0},      {20, 16, 20, 16, -1.1f, 0x100, 0, 0}, {5, 3, 9, 7, 2.0f, 0x100, 1.5f, -0.5f},
    {12, 12, 6, 6, 4.7123890f, 0, 0, 0}, {6, 9, 13, 8, -2.6f, 0x10101, 0, 2},
};

// The picture of case c with its top-left corner at (x, y) on a background
// of 7s.
std::unique_ptr<LICE_MemBitmap> Turned(LICE_IBitmap* src, const TurnCase& c, Flip flip, int x, int y, int canvasW,
                                       int canvasH) {
  auto dest = Uniform(canvasW, canvasH, 7);
  const bool mx = flip == kMirrorX || flip == kMirrorBoth, my = flip == kMirrorY || flip == kMirrorBoth;
  const bool back = flip == kBackwardSource;
  const float sw = static_cast<float>(c.srcW), sh = static_cast<float>(c.srcH);
  LICE_RotatedBlit(dest.get(), src, mx ? x + c.w : x, my ? y + c.h : y, mx ? -c.w : c.w, my ? -c.h : c.h,
                   back ? sw : 0, 0, back ? -sw : sw, sh, c.angle, !back, 1.0f, c.mode, c.offX, c.offY);
  return dest;
}

TEST(RotatedBlitTest, MirroredIsTheUnmirroredPictureReversed) {
  auto row = Bitmap(3, 1, Distinct);
  auto three = Uniform(3, 1, 0);
  LICE_RotatedBlit(three.get(), row.get(), 3, 0, -3, 1, 0, 0, 3, 1, 0.0f, false, 1.0f, 0, 0, 0);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(At(three.get(), x, 0), Distinct(2 - x, 0)) << x;

  const int margin = 8;
  for (const TurnCase& c : kTurnCases) {
    auto src = Bitmap(c.srcW, c.srcH, Distinct);
    const int canvasW = c.w + 2 * margin, canvasH = c.h + 2 * margin;
    auto plain = Turned(src.get(), c, kPlain, margin, margin, canvasW, canvasH);
    for (Flip flip : {kMirrorX, kMirrorY, kMirrorBoth, kBackwardSource}) {
      const bool mx = flip != kMirrorY, my = flip == kMirrorY || flip == kMirrorBoth;
      for (bool cut : {false, true}) {
        const int px = cut && mx ? -3 : margin, py = cut && my ? -2 : margin;
        auto got = Turned(src.get(), c, flip, px, py, canvasW, canvasH);
        for (int y = 0; y < canvasH; ++y) {
          for (int x = 0; x < canvasW; ++x) {
            const int u = x - px, v = y - py;
            LICE_pixel expected = 7;
            if (u >= 0 && u < c.w && v >= 0 && v < c.h) {
              expected = At(plain.get(), margin + (mx ? c.w - 1 - u : u), margin + (my ? c.h - 1 - v : v));
            }
            ASSERT_EQ(At(got.get(), x, y), expected) << c.srcW << "x" << c.srcH << " into " << c.w << "x" << c.h
                                                     << " angle " << c.angle << " mode " << c.mode << " flip "
                                                     << flip << (cut ? " cut" : "") << " at " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(RotatedBlitTest, AngleZeroIsAScaledNearestCopy) {
  auto src = Bitmap(4, 4, Distinct);
  auto rotated = Uniform(8, 8, 0);
  LICE_RotatedBlit(rotated.get(), src.get(), 0, 0, 8, 8, 0, 0, 4, 4, 0.0f, false, 1.0f, 0, 0, 0);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(At(rotated.get(), i % 8, i / 8), Distinct(i % 8 / 2, i / 8 / 2)) << i;
}

TEST(TransformBlitTest, OneCellIsOneDeltaBlit) {
  auto src = Bitmap(10, 10, Distinct);
  const float grid[] = {1, 2, 9, 2, 1, 8, 9, 8};
  auto viaGrid = Uniform(12, 12, 0);
  auto viaDelta = Uniform(12, 12, 0);
  LICE_TransformBlit(viaGrid.get(), src.get(), 1, 1, 10, 10, grid, 2, 2, 0.8f, 0x100);
  LICE_DeltaBlit(viaDelta.get(), src.get(), 1, 1, 10, 10, 1, 2, 8, 6, 0.8, 0, 0, 0.6, 0, 0, false, 0.8f, 0x100);
  for (int i = 0; i < 144; ++i) ASSERT_EQ(At(viaGrid.get(), i % 12, i / 12), At(viaDelta.get(), i % 12, i / 12)) << i;
  EXPECT_NE(At(viaGrid.get(), 5, 5), 0u);
}

TEST(BlurTest, UniformAreasKeepOrLoseTheirRoundedTerms) {
  auto grey = Uniform(6, 5, 0x80808080);
  auto out = Uniform(6, 5, 0);
  LICE_Blur(out.get(), grey.get(), 0, 0, 0, 0, 6, 5);
  for (int i = 0; i < 30; ++i) ASSERT_EQ(At(out.get(), i % 6, i / 6), 0x80808080u) << i;

  auto white = Uniform(6, 5, 0xffffffff);
  LICE_Blur(white.get(), white.get(), 0, 0, 0, 0, 6, 5);
  EXPECT_EQ(At(white.get(), 0, 0), 0xfdfdfdfdu);
  EXPECT_EQ(At(white.get(), 5, 4), 0xfdfdfdfdu);
  EXPECT_EQ(At(white.get(), 2, 0), 0xfcfcfcfcu) << "first row";
  EXPECT_EQ(At(white.get(), 2, 4), 0xfcfcfcfcu) << "last row";
  EXPECT_EQ(At(white.get(), 0, 2), 0xfcfcfcfcu) << "ends of other rows";
  EXPECT_EQ(At(white.get(), 2, 2), 0xfbfbfbfbu);
}

TEST(BlurTest, InPlaceEqualsACopyAndThinAreasAreLeft) {
  auto src = Bitmap(9, 7, Distinct);
  auto copy = Bitmap(9, 7, Distinct);
  auto out = Uniform(9, 7, 0);
  LICE_Blur(out.get(), src.get(), 1, 1, 1, 1, 7, 5);
  LICE_Blur(copy.get(), copy.get(), 1, 1, 1, 1, 7, 5);
  for (int y = 1; y < 6; ++y) {
    for (int x = 1; x < 8; ++x) ASSERT_EQ(At(copy.get(), x, y), At(out.get(), x, y)) << x << "," << y;
  }
  EXPECT_EQ(At(copy.get(), 0, 0), Distinct(0, 0));

  auto thin = Bitmap(9, 7, Distinct);
  LICE_Blur(thin.get(), thin.get(), 0, 0, 0, 0, 1, 7);
  LICE_Blur(thin.get(), thin.get(), 0, 0, 0, 0, 9, 1);
  for (int i = 0; i < 63; ++i) ASSERT_EQ(At(thin.get(), i % 9, i / 9), Distinct(i % 9, i / 9)) << i;
}

TEST(HalveBlitTest, AveragesTwoByTwoTermByTerm) {
  auto src = Uniform(4, 5, 0xffffffff);
  At(src.get(), 2, 0) = 0x04040404;
  auto dest = Uniform(3, 3, 0);
  LICE_HalveBlitAA(dest.get(), src.get());
  EXPECT_EQ(At(dest.get(), 0, 0), 0xfcfcfcfcu);
  EXPECT_EQ(At(dest.get(), 1, 0), 0x3f3f3f3fu * 3 + 0x01010101u);
  EXPECT_EQ(At(dest.get(), 0, 1), 0xfcfcfcfcu);
  EXPECT_EQ(At(dest.get(), 2, 0), 0u) << "beyond half the source width";
  EXPECT_EQ(At(dest.get(), 0, 2), 0u) << "beyond half the source height";
}

}  // namespace
