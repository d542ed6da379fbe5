#pragma once

namespace Quillvane {

// Reduces the signal to a fractional bit depth between 2.5 and 64 bits by
// truncating towards zero; no dither.
class BitCrasher {
 public:
  static constexpr double kStartBit = 2.5;
  static constexpr double kMaxBit = 64.0;

  void setQuantization(double q);
  void setOff(bool off) { mOff = off; }
  double getBits() const { return mBits; }

  void process(double** channels, int n);

 private:
  bool mOff = false;
  double mQuantization = 1.0;
  double mBits = kMaxBit;
  double mScale = 9223372036854775808.0;  // 2^63
};

}  // namespace Quillvane
