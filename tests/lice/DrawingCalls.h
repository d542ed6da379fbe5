#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "lice/Circles.h"
#include "lice/Curves.h"
#include "lice/Lines.h"
#include "lice/Polygons.h"
#include "tests/support/FuzzBytes.h"

namespace licetest {

// One call of a drawing entry point, as the randomised safety test draws
// them and as the fuzzer reads them from its input. Each entry point takes
// its arguments from the front of f and i in order.
struct DrawingCall {
  enum Entry : uint8_t {
    kLine,
    kFLine,
    kDashedLine,
    kClipLine,
    kClipFLine,
    kDrawRect,
    kBorderedRect,
    kFillTrapezoid,
    kFillConvexPolygon,
    kFillTriangle,
    kCircle,
    kFillCircle,
    kArc,
    kRoundRect,
    kDrawQBezier,
    kDrawCBezier,
    kFillCBezier,
    kFillCBezierX,
    kEntries
  };
  uint8_t entry = kLine;
  float f[9] = {};
  int32_t i[8] = {};
  uint32_t color = 0;
  float alpha = 1;
  int32_t mode = 0;
  uint8_t aa = 0;
  // x, y pairs of the polygon fill.
  std::vector<int32_t> points;
};

inline const char* EntryName(int entry) {
  static const char* const names[] = {"Line",     "FLine",       "DashedLine",  "ClipLine",          "ClipFLine",
                                      "DrawRect", "BorderedRect", "FillTrapezoid", "FillConvexPolygon",
                                      "FillTriangle", "Circle",   "FillCircle",  "Arc",               "RoundRect",
                                      "DrawQBezier", "DrawCBezier", "FillCBezier", "FillCBezierX"};
  return entry >= 0 && entry < DrawingCall::kEntries ? names[entry] : "?";
}

inline void Run(LICE_IBitmap* bm, const DrawingCall& c) {
  const float* f = c.f;
  const int32_t* i = c.i;
  const bool aa = c.aa & 1;
  switch (c.entry % DrawingCall::kEntries) {
    case DrawingCall::kLine: LICE_Line(bm, i[0], i[1], i[2], i[3], c.color, c.alpha, c.mode, aa); break;
    case DrawingCall::kFLine: LICE_FLine(bm, f[0], f[1], f[2], f[3], c.color, c.alpha, c.mode, aa); break;
    case DrawingCall::kDashedLine:
      LICE_DashedLine(bm, i[0], i[1], i[2], i[3], i[4], i[5], c.color, c.alpha, c.mode, aa);
      break;
    case DrawingCall::kClipLine: {
      int x1 = i[0], y1 = i[1], x2 = i[2], y2 = i[3];
      LICE_ClipLine(&x1, &y1, &x2, &y2, i[4], i[5], i[6], i[7]);
      break;
    }
    case DrawingCall::kClipFLine: {
      float x1 = f[0], y1 = f[1], x2 = f[2], y2 = f[3];
      LICE_ClipFLine(&x1, &y1, &x2, &y2, f[4], f[5], f[6], f[7]);
      break;
    }
    case DrawingCall::kDrawRect: LICE_DrawRect(bm, i[0], i[1], i[2], i[3], c.color, c.alpha, c.mode); break;
    case DrawingCall::kBorderedRect:
      LICE_BorderedRect(bm, i[0], i[1], i[2], i[3], c.color, static_cast<LICE_pixel>(i[4]), c.alpha, c.mode);
      break;
    case DrawingCall::kFillTrapezoid:
      LICE_FillTrapezoid(bm, i[0], i[1], i[2], i[3], i[4], i[5], c.color, c.alpha, c.mode);
      break;
    case DrawingCall::kFillConvexPolygon: {
      std::vector<int> x, y;
      for (size_t k = 0; k + 1 < c.points.size(); k += 2) x.push_back(c.points[k]), y.push_back(c.points[k + 1]);
      LICE_FillConvexPolygon(bm, x.data(), y.data(), static_cast<int>(x.size()), c.color, c.alpha, c.mode);
      break;
    }
    case DrawingCall::kFillTriangle:
      LICE_FillTriangle(bm, i[0], i[1], i[2], i[3], i[4], i[5], c.color, c.alpha, c.mode);
      break;
    case DrawingCall::kCircle: LICE_Circle(bm, f[0], f[1], f[2], c.color, c.alpha, c.mode, aa); break;
    case DrawingCall::kFillCircle: LICE_FillCircle(bm, f[0], f[1], f[2], c.color, c.alpha, c.mode, aa); break;
    case DrawingCall::kArc: LICE_Arc(bm, f[0], f[1], f[2], f[3], f[4], c.color, c.alpha, c.mode, aa); break;
    case DrawingCall::kRoundRect:
      LICE_RoundRect(bm, f[0], f[1], f[2], f[3], i[0], c.color, c.alpha, c.mode, aa);
      break;
    case DrawingCall::kDrawQBezier:
      LICE_DrawQBezier(bm, f[0], f[1], f[2], f[3], f[4], f[5], c.color, c.alpha, c.mode, aa, f[6]);
      break;
    case DrawingCall::kDrawCBezier:
      LICE_DrawCBezier(bm, f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], c.color, c.alpha, c.mode, aa, f[8]);
      break;
    case DrawingCall::kFillCBezier:
      LICE_FillCBezier(bm, f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], i[0], c.color, c.alpha, c.mode, f[8]);
      break;
    case DrawingCall::kFillCBezierX:
      LICE_FillCBezierX(bm, f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], i[0], c.color, c.alpha, c.mode, f[8]);
      break;
  }
}

// The fuzzer's input: the bitmap's width, height and row order, one byte
// each, then calls. A call is its fields in native byte order, then the
// polygon's point count over three (one byte) and the points.
struct DrawingInput {
  uint8_t width = 0, height = 0, flipped = 0;
  std::vector<DrawingCall> calls;
};

template <class T>
void AppendBytes(std::vector<uint8_t>* out, const T& value) {
  const auto* p = reinterpret_cast<const uint8_t*>(&value);
  out->insert(out->end(), p, p + sizeof(T));
}

inline std::vector<uint8_t> Encode(const DrawingInput& input) {
  std::vector<uint8_t> out = {input.width, input.height, input.flipped};
  for (const DrawingCall& c : input.calls) {
    AppendBytes(&out, c.entry);
    for (float v : c.f) AppendBytes(&out, v);
    for (int32_t v : c.i) AppendBytes(&out, v);
    AppendBytes(&out, c.color);
    AppendBytes(&out, c.alpha);
    AppendBytes(&out, c.mode);
    AppendBytes(&out, c.aa);
    AppendBytes(&out, static_cast<uint8_t>(c.points.size() / 6));
    for (size_t k = 0; k < c.points.size() / 6 * 6; ++k) AppendBytes(&out, c.points[k]);
  }
  return out;
}

inline DrawingCall DecodeCall(testsupport::FuzzBytes& in) {
  DrawingCall c;
  c.entry = in.Byte();
  for (float& v : c.f) v = in.Value<float>();
  for (int32_t& v : c.i) v = in.Value<int32_t>();
  c.color = in.Value<uint32_t>();
  c.alpha = in.Value<float>();
  c.mode = in.Value<int32_t>();
  c.aa = in.Byte();
  c.points.resize(static_cast<size_t>(in.Byte()) * 6);
  for (int32_t& v : c.points) v = in.Value<int32_t>();
  return c;
}

}  // namespace licetest
