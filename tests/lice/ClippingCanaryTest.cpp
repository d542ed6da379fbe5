#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "lice/Blits.h"
#include "lice/RectOps.h"
#include "tests/lice/CanaryBitmap.h"
#include "tests/lice/RandomArgs.h"

// Every blit and rectangle entry point with random rectangles, sizes (zero,
// negative and extreme included), modes and alphas, on bitmaps fenced by
// canary memory: nothing outside a bitmap's pixels may be read or written.

namespace {

using licetest::CanaryBitmap;
using licetest::Fuzz;

std::unique_ptr<CanaryBitmap> RandomBitmap(Fuzz& fuzz) {
  const int w = fuzz.OneIn(8) ? 0 : fuzz.Range(1, 23);
  const int h = fuzz.OneIn(8) ? 0 : fuzz.Range(1, 23);
  return std::make_unique<CanaryBitmap>(w, h, fuzz.OneIn(3), static_cast<unsigned int>(fuzz.Engine()()));
}

void Invert(LICE_pixel* p, void*) { *p = ~*p; }

// One random call; returns its name for the failure message.
std::string RandomCall(Fuzz& fuzz, LICE_IBitmap* dest, LICE_IBitmap* src) {
  switch (fuzz.Range(0, 22)) {
    case 0:
      LICE_Copy(dest, src);
      return "Copy";
    case 1: {
      const RECT r = {fuzz.Coord(), fuzz.Coord(), fuzz.Coord(), fuzz.Coord()};
      LICE_Blit(dest, src, fuzz.Coord(), fuzz.Coord(), fuzz.OneIn(4) ? nullptr : &r, fuzz.Alpha(), fuzz.Mode());
      return "Blit rect";
    }
    case 2:
      LICE_Blit(dest, src, fuzz.Coord(), fuzz.Coord(), fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(),
                fuzz.Alpha(), fuzz.Mode());
      return "Blit";
    case 3:
      LICE_ScaledBlit(dest, src, fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(), fuzz.Real(), fuzz.Real(),
                      fuzz.Real(), fuzz.Real(), fuzz.Alpha(), fuzz.Mode());
      return "ScaledBlit";
    case 4:
      LICE_RotatedBlit(dest, src, fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(), fuzz.Real(), fuzz.Real(),
                       fuzz.Real(), fuzz.Real(), fuzz.Real(), fuzz.OneIn(2), fuzz.Alpha(), fuzz.Mode(), fuzz.Step(),
                       fuzz.Step());
      return "RotatedBlit";
    case 5:
      LICE_DeltaBlit(dest, src, fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(), fuzz.Real(), fuzz.Real(),
                     fuzz.Real(), fuzz.Real(), fuzz.Step(), fuzz.Step(), fuzz.Step(), fuzz.Step(), fuzz.Step() / 8,
                     fuzz.Step() / 8, fuzz.OneIn(2), fuzz.Alpha(), fuzz.Mode());
      return "DeltaBlit";
    case 6: {
      const int gw = fuzz.Range(-1, 5), gh = fuzz.Range(-1, 5);
      std::vector<float> points(gw > 0 && gh > 0 ? static_cast<size_t>(gw) * gh * 2 : 0);
      for (float& p : points) p = fuzz.OneIn(20) ? fuzz.Real() : fuzz.Range(-10, 30) + 0.37f;
      LICE_TransformBlit(dest, src, fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(),
                         points.empty() ? nullptr : points.data(), gw, gh, fuzz.Alpha(), fuzz.Mode());
      return "TransformBlit";
    }
    case 7:
      LICE_Blur(dest, src, fuzz.Coord(), fuzz.Coord(), fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size());
      return "Blur";
    case 8:
      LICE_Blur(dest, dest, fuzz.Coord(), fuzz.Coord(), fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size());
      return "Blur in place";
    case 9:
      LICE_HalveBlitAA(dest, src);
      return "HalveBlitAA";
    case 10:
      LICE_Clear(dest, fuzz.Pixel());
      return "Clear";
    case 11:
      LICE_ClearRect(dest, fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(), fuzz.Pixel(), fuzz.Pixel());
      return "ClearRect";
    case 12:
      LICE_FillRect(dest, fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(), fuzz.Pixel(), fuzz.Alpha(),
                    fuzz.Mode());
      return "FillRect";
    case 13:
      LICE_GradRect(dest, fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(), fuzz.Step(), fuzz.Step(), fuzz.Step(),
                    fuzz.Step(), fuzz.Step() / 16, fuzz.Step() / 16, fuzz.Step() / 16, fuzz.Step() / 16,
                    fuzz.Real(), fuzz.Step(), fuzz.Step(), fuzz.Step(), fuzz.Mode());
      return "GradRect";
    case 14:
      LICE_MultiplyAddRect(dest, fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(), fuzz.Real(), fuzz.Step(),
                           fuzz.Step(), fuzz.Step(), fuzz.Real(), fuzz.Step(), fuzz.Step(), fuzz.Step());
      return "MultiplyAddRect";
    case 15:
      LICE_ProcessRect(dest, fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(), &Invert, nullptr);
      return "ProcessRect";
    case 16: {
      const int x = fuzz.Coord(), y = fuzz.Coord();
      LICE_PutPixel(dest, x, y, LICE_GetPixel(src, y, x), fuzz.Alpha(), fuzz.Mode());
      return "GetPixel and PutPixel";
    }
    case 17:
      LICE_SetAlphaFromColorMask(dest, fuzz.Pixel() & 0xffffff00);
      return "SetAlphaFromColorMask";
    case 18:
      LICE_SimpleFill(dest, fuzz.Range(-2, 25), fuzz.Range(-2, 25), fuzz.Pixel(), fuzz.OneIn(2) ? 0 : 0xff000000,
                      fuzz.Pixel());
      return "SimpleFill";
    case 19: {
      const int gw = fuzz.OneIn(10) ? fuzz.Coord() : fuzz.Range(-2, 30);
      const int gh = fuzz.OneIn(10) ? fuzz.Coord() : fuzz.Range(-2, 30);
      const bool sized = gw > 0 && gh > 0 && gw <= 64 && gh <= 64;
      // Exactly the mask's bytes, so that any read past them is caught.
      std::unique_ptr<unsigned char[]> mask(new unsigned char[sized ? static_cast<size_t>(gw) * gh : 1]);
      for (int i = 0; i < (sized ? gw * gh : 1); ++i) mask[i] = static_cast<unsigned char>(fuzz.Range(0, 255));
      LICE_DrawGlyph(dest, fuzz.Coord(), fuzz.Coord(), fuzz.Pixel(), mask.get(), sized ? gw : std::min(gw, 1),
                     sized ? gh : std::min(gh, 1), fuzz.Alpha(), fuzz.Mode());
      return "DrawGlyph";
    }
    case 20: {
      int box[4];
      LICE_BitmapCmp(dest, src, fuzz.OneIn(2) ? box : nullptr);
      return "BitmapCmp";
    }
    case 21:
      LICE_Blit(dest, dest, fuzz.Coord(), fuzz.Coord(), fuzz.Coord(), fuzz.Coord(), fuzz.Size(), fuzz.Size(),
                fuzz.Alpha(), fuzz.Mode());
      return "Blit onto itself";
    default:
      LICE_ScaledBlit(dest, src, fuzz.Range(-5, 5), fuzz.Range(-5, 5), fuzz.Range(-30, 30), fuzz.Range(-30, 30),
                      fuzz.Range(-3, 20) * 0.5f, fuzz.Range(-3, 20) * 0.5f, fuzz.Range(-30, 30) * 0.75f,
                      fuzz.Range(-30, 30) * 0.75f, fuzz.Alpha(), fuzz.Mode());
      return "ScaledBlit near the source";
  }
}

TEST(ClippingCanaryTest, RandomCallsStayInsideTheirBitmaps) {
  for (unsigned int seed = 1; seed <= 16; ++seed) {
    Fuzz fuzz(seed);
    for (int round = 0; round < 400; ++round) {
      auto dest = RandomBitmap(fuzz);
      auto src = RandomBitmap(fuzz);
      for (int call = 0; call < 20; ++call) {
        const std::string what = RandomCall(fuzz, dest.get(), src.get());
        ASSERT_TRUE(dest->CanariesIntact()) << what << " wrote outside the destination (seed " << seed << ")";
        ASSERT_TRUE(src->CanariesIntact()) << what << " wrote outside the source (seed " << seed << ")";
      }
    }
  }
}

}  // namespace
