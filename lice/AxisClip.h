#pragma once

#include <algorithm>

// Clipping one axis of a drawing or sampling area, shared by the blit and
// rectangle entry points. 64-bit arithmetic: sums of int arguments never
// overflow.

namespace lice_detail {

// [pos, pos + size) cut to [0, limit). skipped counts the pixels cut before
// 0, by which a caller advances whatever it reads alongside.
struct AxisClip {
  long long pos, size, skipped;
};

inline AxisClip ClipAxis(long long pos, long long size, long long limit) {
  const long long skipped = pos < 0 ? -pos : 0;
  pos += skipped;
  return {pos, std::min(size - skipped, limit - pos), skipped};
}

// A negative size mirrors: the area starts size pixels earlier and its
// source runs the other way, from srcPos + srcSize back by srcSize.
inline void MirrorAxis(long long* pos, long long* size, float* srcPos, float* srcSize) {
  if (*size >= 0) return;
  *pos += *size, *size = -*size;
  *srcPos += *srcSize, *srcSize = -*srcSize;
}

// An axis of a blit that keeps its steps the same way round: both sizes
// become positive, placed where the unmirrored blit has them. True when the
// axis is mirrored (one size negative, not both), so that the caller walks
// it backwards.
inline bool Unmirror(long long* pos, long long* size, float* srcPos, float* srcSize) {
  const bool mirrored = (*size < 0) != (*srcSize < 0);
  if (*size < 0) *pos += *size, *size = -*size;
  if (*srcSize < 0) *srcPos += *srcSize, *srcSize = -*srcSize;
  return mirrored;
}

}  // namespace lice_detail
