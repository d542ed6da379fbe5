#include "engine/VectorMath.h"

#include <cmath>

#if defined(__x86_64__) && defined(__GLIBC__)
#include <emmintrin.h>

// glibc's two-lane SSE entries; each picks its SSE4.1 code or a scalar
// fallback when the library loads, so they run on any x86-64 processor.
extern "C" __m128d _ZGVbN2v_sin(__m128d);
extern "C" __m128d _ZGVbN2v_atan(__m128d);
extern "C" __m128d _ZGVbN2vv_pow(__m128d, __m128d);

namespace Quillvane::VectorMath {

namespace {

// A last odd element goes through the same two-lane code as the others,
// with a copy of itself beside it, so that no element's result depends on
// where it lies in the array.
template <class Lanes>
void map(const double* x, double* out, int n, Lanes lanes) {
  int i = 0;
  for (; i + 2 <= n; i += 2) _mm_storeu_pd(out + i, lanes(_mm_loadu_pd(x + i)));
  if (i < n) out[i] = _mm_cvtsd_f64(lanes(_mm_set1_pd(x[i])));
}

}  // namespace

void sin(const double* x, double* out, int n) { map(x, out, n, _ZGVbN2v_sin); }
double sin(double x) { return _mm_cvtsd_f64(_ZGVbN2v_sin(_mm_set1_pd(x))); }
double atan(double x) { return _mm_cvtsd_f64(_ZGVbN2v_atan(_mm_set1_pd(x))); }
double pow(double base, double exponent) {
  return _mm_cvtsd_f64(_ZGVbN2vv_pow(_mm_set1_pd(base), _mm_set1_pd(exponent)));
}
void atan(const double* x, double* out, int n) { map(x, out, n, _ZGVbN2v_atan); }

void pow(const double* base, double exponent, double* out, int n) {
  const __m128d exponents = _mm_set1_pd(exponent);
  map(base, out, n, [exponents](__m128d x) { return _ZGVbN2vv_pow(x, exponents); });
}

}  // namespace Quillvane::VectorMath

#else

namespace Quillvane::VectorMath {

void sin(const double* x, double* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = std::sin(x[i]);
}
double sin(double x) { return std::sin(x); }
double atan(double x) { return std::atan(x); }
double pow(double base, double exponent) { return std::pow(base, exponent); }
void atan(const double* x, double* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = std::atan(x[i]);
}
void pow(const double* base, double exponent, double* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = std::pow(base[i], exponent);
}

}  // namespace Quillvane::VectorMath

#endif
