#include "engine/PitchEnvelope.h"

#include <cmath>

namespace Quillvane {

void PitchEnvelope::updateGUIData(double* out, int n) const {
  if (n < 1 || out == nullptr) return;
  for (int i = 0; i < n; ++i) {
    if (mBypass) {
      out[i] = 0.0;
      continue;
    }
    const double t = (mRiseTime + kMaxPitchDuration) * (static_cast<double>(i) / n);
    double v = sweep(t) - bend(t) - 1.0;
    if (v < 0.0) v *= mScale;
    out[i] = v / mScale;
  }
}

}  // namespace Quillvane
