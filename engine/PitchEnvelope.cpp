#include "engine/PitchEnvelope.h"

#include <algorithm>

namespace Quillvane {

void PitchEnvelope::getPitches(const double* t, double* out, int n) const {
  if (mBypass) {
    std::fill(out, out + n, 1.0);
    return;
  }
  constexpr int kPiece = 128;
  for (int start = 0; start < n; start += kPiece) {
    const int m = std::min(kPiece, n - start);
    double powers[kPiece];
    int falling = 0;
    for (int i = 0; i < m; ++i) {
      if (inFall(t[start + i])) powers[falling++] = fallBase(t[start + i]);
    }
    VectorMath::pow(powers, fallExponent(), powers, falling);
    for (int i = 0, f = 0; i < m; ++i) {
      const double x = t[start + i];
      out[start + i] = (inFall(x) ? fallPitch(powers[f++]) : sweep(x)) - bend(x);
    }
  }
}

void PitchEnvelope::updateGUIData(double* out, int n) const {
  if (n < 1 || out == nullptr) return;
  if (mBypass) {
    std::fill(out, out + n, 0.0);
    return;
  }
  for (int i = 0; i < n; ++i) out[i] = (mRiseTime + kMaxPitchDuration) * (static_cast<double>(i) / n);
  getPitches(out, out, n);
  for (int i = 0; i < n; ++i) {
    double v = out[i] - 1.0;
    if (v < 0.0) v *= mScale;
    out[i] = v / mScale;
  }
}

}  // namespace Quillvane
