#pragma once

// The curve's y at a given x, for quadratic and cubic Bezier curves whose x
// grows from the first control point to the last.

#include <cmath>

namespace lice_detail {

// A cubic in power form, v(t) = a t^3 + b t^2 + c t + d: the differences of
// the control values in T, the rest in double.
struct CubicPowerForm {
  double a, b, c, d;

  template <class T>
  static CubicPowerForm Of(T v0, T v1, T v2, T v3) {
    CubicPowerForm p;
    p.c = 3.0 * static_cast<double>(static_cast<T>(v1 - v0));
    p.b = 3.0 * static_cast<double>(static_cast<T>(v2 - v1)) - p.c;
    p.a = static_cast<double>(static_cast<T>(v3 - v0)) - p.c - p.b;
    p.d = v0;
    return p;
  }

  double At(double t) const {
    const double t2 = t * t;
    return c * t + (b * t2 + a * t * t2) + d;
  }
};

}  // namespace lice_detail

// At or beyond the ends, the end's y (parameter 0 or 1); t, when given,
// receives the parameter.
template <class T>
T LICE_Bezier_GetY(T x1, T x2, T x3, T y1, T y2, T y3, T x, double* t) {
  double p;
  double y;
  if (x <= x1) {
    p = 0, y = y1;
  } else if (x >= x3) {
    p = 1, y = y3;
  } else {
    const double twiceMiddle = static_cast<T>(-2 * x2);
    const double a = x3 + (twiceMiddle + x1);
    if (a == 0) {
      if (x1 == x3) {
        p = 0, y = y1;
      } else {
        const T linear = (x - x1) / (x3 - x1);
        p = linear, y = y1 + (y3 - y1) * linear;
      }
    } else {
      const double b = static_cast<T>(2 * (x2 - x1));
      p = (std::sqrt(b * b - 4 * a * static_cast<double>(x1 - x)) - b) / (2 * a);
      y = y1 * (1 - p) * (1 - p) + y2 * 2 * (1 - p) * p + y3 * p * p;
    }
  }
  if (t) *t = p;
  return static_cast<T>(y);
}

// Brackets the parameter by eight halvings and interpolates y linearly across
// the bracket; nextX and slope give the bracket's upper x and the slope there
// so that a caller walking x can reuse them, tLow and tHigh its parameters.
template <class T>
T LICE_CBezier_GetY(T x1, T x2, T x3, T x4, T y1, T y2, T y3, T y4, T x, T* nextX, T* slope, double* tLow,
                    double* tHigh) {
  if (x < x1 || x >= x4) {
    if (nextX) *nextX = x < x1 ? x1 : x4;
    if (slope) *slope = 0;
    return x < x1 ? y1 : y4;
  }
  const auto X = lice_detail::CubicPowerForm::Of<T>(x1, x2, x3, x4);
  const auto Y = lice_detail::CubicPowerForm::Of<T>(y1, y2, y3, y4);
  double tLo = 0, tHi = 1, xLo = 0, xHi = 0;
  for (int i = 0; i < 8; ++i) {
    const double t = (tLo + tHi) / 2;
    const double xt = X.At(t);
    if (xt < x) {
      tLo = t, xLo = xt;
    } else if (xt > x) {
      tHi = t, xHi = xt;
    } else {
      tLo = t, xLo = xt;
      tHi = t + 0.00390625 < 1.0 ? t + 0.00390625 : 1.0;
      xHi = X.At(tHi);
      break;
    }
  }
  if (tLo == 0) xLo = X.At(0);
  if (tHi == 1) xHi = X.At(1);
  const double yLo = Y.At(tLo);
  const double dydx = xHi == xLo ? 0 : (Y.At(tHi) - yLo) / (xHi - xLo);
  if (nextX) *nextX = static_cast<T>(xHi);
  if (slope) *slope = static_cast<T>(dydx);
  if (tLow) *tLow = tLo;
  if (tHigh) *tHigh = tHi;
  return static_cast<T>(yLo + (x - xLo) * dydx);
}
