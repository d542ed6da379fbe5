#include "dsp/Param.h"

#include <climits>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

#include "dsp/Constants.h"

namespace Dsp {

namespace {

const double kLn1_5 = 0.4054651081081644;

double log1_5(double value) {
  return std::log(value) / kLn1_5;
}

std::ostringstream makeStream() {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  return os;
}

std::string fixedText(double value, int digits, const char* suffix) {
  std::ostringstream os = makeStream();
  os << std::fixed << std::setprecision(digits) << value << suffix;
  return os.str();
}

}  // namespace

int truncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

ParamInfo::ParamInfo() {
  throw std::logic_error("invalid usage of ParamInfo");
}

ParamInfo::ParamInfo(ParamID id, const char* szLabel, const char* szName, double arg1, double arg2,
                     double defaultNativeValue, toControlValue_t toControlValueProc,
                     toNativeValue_t toNativeValueProc, toString_t toStringProc)
    : m_id(id),
      m_szLabel(szLabel),
      m_szName(szName),
      m_arg1(arg1),
      m_arg2(arg2),
      m_defaultNativeValue(defaultNativeValue),
      m_toControlValue(toControlValueProc),
      m_toNativeValue(toNativeValueProc),
      m_toString(toStringProc) {}

double ParamInfo::clamp(double nativeValue) const {
  const double lower = toNativeValue(0.0);
  const double upper = toNativeValue(1.0);
  if (lower > nativeValue) return lower;
  if (nativeValue > upper) return upper;
  return nativeValue;
}

double ParamInfo::Int_toControlValue(double nativeValue) const {
  return Real_toControlValue(nativeValue);
}

double ParamInfo::Int_toNativeValue(double controlValue) const {
  return std::floor((m_arg2 - m_arg1) * controlValue + m_arg1 + 0.5);
}

double ParamInfo::Real_toControlValue(double nativeValue) const {
  return (nativeValue - m_arg1) / (m_arg2 - m_arg1);
}

double ParamInfo::Real_toNativeValue(double controlValue) const {
  return (m_arg2 - m_arg1) * controlValue + m_arg1;
}

double ParamInfo::Log_toControlValue(double nativeValue) const {
  const double l0 = log1_5(m_arg1);
  return (log1_5(nativeValue) - l0) / (log1_5(m_arg2) - l0);
}

double ParamInfo::Log_toNativeValue(double controlValue) const {
  const double l0 = log1_5(m_arg1);
  return std::pow(1.5, (log1_5(m_arg2) - l0) * controlValue + l0);
}

double ParamInfo::Pow2_toControlValue(double nativeValue) const {
  return (std::log(nativeValue) / doubleLn2 - m_arg1) / (m_arg2 - m_arg1);
}

double ParamInfo::Pow2_toNativeValue(double controlValue) const {
  return std::exp2((m_arg2 - m_arg1) * controlValue + m_arg1);
}

std::string ParamInfo::Int_toString(double nativeValue) const {
  std::ostringstream os = makeStream();
  os << truncateToInt(nativeValue);
  return os.str();
}

std::string ParamInfo::Hz_toString(double nativeValue) const {
  std::ostringstream os = makeStream();
  os << truncateToInt(nativeValue) << " Hz";
  return os.str();
}

std::string ParamInfo::Real_toString(double nativeValue) const {
  return fixedText(nativeValue, 3, "");
}

std::string ParamInfo::Db_toString(double nativeValue) const {
  const double magnitude = std::fabs(nativeValue);
  const int digits = magnitude < 1 ? 3 : magnitude < 10 ? 2 : 1;
  return fixedText(nativeValue, digits, " dB");
}

ParamInfo ParamInfo::defaultSampleRateParam() {
  return ParamInfo(idSampleRate, "Fs", "Sample Rate", 11025, 192000, 44100,
                   &ParamInfo::Real_toControlValue, &ParamInfo::Real_toNativeValue,
                   &ParamInfo::Hz_toString);
}

ParamInfo ParamInfo::defaultCutoffFrequencyParam() {
  return ParamInfo(idFrequency, "Fc", "Cutoff Frequency", 10, 22040, 2000,
                   &ParamInfo::Log_toControlValue, &ParamInfo::Log_toNativeValue,
                   &ParamInfo::Hz_toString);
}

ParamInfo ParamInfo::defaultCenterFrequencyParam() {
  return ParamInfo(idFrequency, "Fc", "Center Frequency", 10, 22040, 2000,
                   &ParamInfo::Log_toControlValue, &ParamInfo::Log_toNativeValue,
                   &ParamInfo::Hz_toString);
}

ParamInfo ParamInfo::defaultQParam() {
  return ParamInfo(idQ, "Q", "Resonance", -4, 4, 1, &ParamInfo::Pow2_toControlValue,
                   &ParamInfo::Pow2_toNativeValue, &ParamInfo::Real_toString);
}

ParamInfo ParamInfo::defaultBandwidthParam() {
  return ParamInfo(idBandwidth, "BW", "Bandwidth (Octaves)", -4, 4, 1,
                   &ParamInfo::Pow2_toControlValue, &ParamInfo::Pow2_toNativeValue,
                   &ParamInfo::Real_toString);
}

ParamInfo ParamInfo::defaultBandwidthHzParam() {
  return ParamInfo(idBandwidthHz, "BW", "Bandwidth (Hz)", 10, 22040, 1720,
                   &ParamInfo::Log_toControlValue, &ParamInfo::Log_toNativeValue,
                   &ParamInfo::Hz_toString);
}

ParamInfo ParamInfo::defaultGainParam() {
  return ParamInfo(idGain, "Gain", "Gain", -24, 24, -6, &ParamInfo::Real_toControlValue,
                   &ParamInfo::Real_toNativeValue, &ParamInfo::Db_toString);
}

ParamInfo ParamInfo::defaultSlopeParam() {
  return ParamInfo(idSlope, "Slope", "Slope", -2, 2, 1, &ParamInfo::Pow2_toControlValue,
                   &ParamInfo::Pow2_toNativeValue, &ParamInfo::Real_toString);
}

ParamInfo ParamInfo::defaultRippleDbParam() {
  return ParamInfo(idRippleDb, "Ripple", "Ripple dB", 0.001, 12, 0.01,
                   &ParamInfo::Real_toControlValue, &ParamInfo::Real_toNativeValue,
                   &ParamInfo::Db_toString);
}

ParamInfo ParamInfo::defaultStopDbParam() {
  return ParamInfo(idStopDb, "Stop", "Stopband dB", 3, 60, 48, &ParamInfo::Real_toControlValue,
                   &ParamInfo::Real_toNativeValue, &ParamInfo::Db_toString);
}

ParamInfo ParamInfo::defaultRolloffParam() {
  return ParamInfo(idRolloff, "W", "Transition Width", -16, 4, 0,
                   &ParamInfo::Real_toControlValue, &ParamInfo::Real_toNativeValue,
                   &ParamInfo::Real_toString);
}

ParamInfo ParamInfo::defaultPoleRhoParam() {
  return ParamInfo(idPoleRho, "Pd", "Pole Distance", 0, 1, 0.5, &ParamInfo::Real_toControlValue,
                   &ParamInfo::Real_toNativeValue, &ParamInfo::Real_toString);
}

ParamInfo ParamInfo::defaultPoleThetaParam() {
  return ParamInfo(idPoleTheta, "Pa", "Pole Angle", 0, doublePi, doublePi / 2,
                   &ParamInfo::Real_toControlValue, &ParamInfo::Real_toNativeValue,
                   &ParamInfo::Real_toString);
}

ParamInfo ParamInfo::defaultZeroRhoParam() {
  return ParamInfo(idZeroRho, "Pd", "Zero Distance", 0, 1, 0.5, &ParamInfo::Real_toControlValue,
                   &ParamInfo::Real_toNativeValue, &ParamInfo::Real_toString);
}

ParamInfo ParamInfo::defaultZeroThetaParam() {
  return ParamInfo(idZeroTheta, "Pa", "Zero Angle", 0, doublePi, doublePi / 2,
                   &ParamInfo::Real_toControlValue, &ParamInfo::Real_toNativeValue,
                   &ParamInfo::Real_toString);
}

ParamInfo ParamInfo::defaultPoleRealParam() {
  return ParamInfo(idPoleReal, "A1", "Pole Real", -1, 1, 0.25, &ParamInfo::Real_toControlValue,
                   &ParamInfo::Real_toNativeValue, &ParamInfo::Real_toString);
}

ParamInfo ParamInfo::defaultZeroRealParam() {
  return ParamInfo(idZeroReal, "B1", "Zero Real", -1, 1, -0.25, &ParamInfo::Real_toControlValue,
                   &ParamInfo::Real_toNativeValue, &ParamInfo::Real_toString);
}

}  // namespace Dsp
