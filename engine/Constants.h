#pragma once

namespace Quillvane {

// Shared numeric constants of the engine, the effects and the instrument.
template <typename T>
struct Constants {
  static constexpr T kPi = T(3.141592653589793);
  static constexpr T k2_Pi = T(6.283185307179586);
  static constexpr T k4_Pi = T(12.566370614359172);
  static constexpr T k8_Pi = T(25.132741228718345);
  static constexpr T kPi_2 = T(1.5707963267948966);
  static constexpr T kDefaultSampleRate = T(44100.0);
  // The rates the engine is made for, from telephone rate to eight times the
  // studio's 96 kHz.
  static constexpr T kMinSampleRate = T(8000.0);
  static constexpr T kMaxSampleRate = T(768000.0);
  static constexpr T kMaxLFOFrequency = T(20.0);
  static constexpr T kMaxFmModulatorFrequency = T(10000.0);
  static constexpr T kDefaultSmoothFactor = T(0.9877);
  static constexpr T kSaturationFactor = T(7.77);
  static constexpr T kGlobalSaturationFactor = T(4.44);
  static constexpr T kGlobalTransposeFactor = T(2.0);
  static constexpr T k12th_rt2 = T(1.059463094359);
  static constexpr T kFineTuneDelta = T(0.05946309435899999);
  static constexpr T kMaxSampleRateLevel = T(127.0);
};

using ConstantsD = Constants<double>;

}  // namespace Quillvane
