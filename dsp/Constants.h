#pragma once

namespace Dsp {

// Written out as literals so every design computes with the same doubles.
const double doublePi = 3.141592653589793;
const double doublePi_2 = 1.5707963267948966;
const double doubleLn2 = 0.6931471805599453;
const double doubleLn10 = 2.302585092994046;
const double double2Pi = 6.283185307179586;

}  // namespace Dsp
