#pragma once

namespace Quillvane::VectorMath {

// Array forms of the math library's functions, a few elements per call
// through glibc's vector math library where the processor has it. The
// results may differ from the scalar functions in the last bits, but not
// between runs or between calls: every element goes through the same code,
// whatever its position in the array. out may be the input array itself.
void sin(const double* x, double* out, int n);
void atan(const double* x, double* out, int n);
void pow(const double* base, double exponent, double* out, int n);

// One element through the same code as the arrays.
double sin(double x);
double atan(double x);
double pow(double base, double exponent);

}  // namespace Quillvane::VectorMath
