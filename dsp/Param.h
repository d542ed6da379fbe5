#pragma once

#include <string>

namespace Dsp {

// The well-known quantities a filter parameter can stand for.
enum ParamID {
  idSampleRate = 0,
  idFrequency = 1,
  idQ = 2,
  idBandwidth = 3,
  idBandwidthHz = 4,
  idGain = 5,
  idSlope = 6,
  idOrder = 7,
  idRippleDb = 8,
  idStopDb = 9,
  idRolloff = 10,
  idPoleRho = 11,
  idPoleTheta = 12,
  idZeroRho = 13,
  idZeroTheta = 14,
  idPoleReal = 15,
  idZeroReal = 16
};

// A filter's parameter values in native units, slot i for parameter i.
struct Params {
  static constexpr int kMaxParameters = 8;

  double& operator[](int index) { return value[index]; }
  const double& operator[](int index) const { return value[index]; }

  double value[kMaxParameters] = {};
};

// Truncates toward zero like an int conversion, but saturates out-of-range
// values and maps NaN to 0 instead of invoking undefined behaviour.
int truncateToInt(double value);

// Describes one filter parameter: identity, texts, range and default, and how
// it maps to and from a 0..1 control value and to display text.
class ParamInfo {
 public:
  typedef double (ParamInfo::*toControlValue_t)(double) const;
  typedef double (ParamInfo::*toNativeValue_t)(double) const;
  typedef std::string (ParamInfo::*toString_t)(double) const;

  // What a design builds for a slot it has no parameter for: always throws.
  ParamInfo();
  ParamInfo(ParamID id, const char* szLabel, const char* szName, double arg1, double arg2,
            double defaultNativeValue, toControlValue_t toControlValueProc,
            toNativeValue_t toNativeValueProc, toString_t toStringProc);

  int getId() const { return m_id; }
  const char* getLabel() const { return m_szLabel; }
  const char* getName() const { return m_szName; }
  double getDefaultValue() const { return m_defaultNativeValue; }

  double toControlValue(double nativeValue) const { return (this->*m_toControlValue)(nativeValue); }
  double toNativeValue(double controlValue) const { return (this->*m_toNativeValue)(controlValue); }
  std::string toString(double nativeValue) const { return (this->*m_toString)(nativeValue); }

  // Limits to the native range of control values 0..1; NaN passes through.
  double clamp(double nativeValue) const;

  double Int_toControlValue(double nativeValue) const;
  double Int_toNativeValue(double controlValue) const;
  double Real_toControlValue(double nativeValue) const;
  double Real_toNativeValue(double controlValue) const;
  double Log_toControlValue(double nativeValue) const;
  double Log_toNativeValue(double controlValue) const;
  double Pow2_toControlValue(double nativeValue) const;
  double Pow2_toNativeValue(double controlValue) const;

  std::string Int_toString(double nativeValue) const;
  std::string Hz_toString(double nativeValue) const;
  std::string Real_toString(double nativeValue) const;
  std::string Db_toString(double nativeValue) const;

  static ParamInfo defaultSampleRateParam();
  static ParamInfo defaultCutoffFrequencyParam();
  static ParamInfo defaultCenterFrequencyParam();
  static ParamInfo defaultQParam();
  static ParamInfo defaultBandwidthParam();
  static ParamInfo defaultBandwidthHzParam();
  static ParamInfo defaultGainParam();
  static ParamInfo defaultSlopeParam();
  static ParamInfo defaultRippleDbParam();
  static ParamInfo defaultStopDbParam();
  static ParamInfo defaultRolloffParam();
  static ParamInfo defaultPoleRhoParam();
  static ParamInfo defaultPoleThetaParam();
  static ParamInfo defaultZeroRhoParam();
  static ParamInfo defaultZeroThetaParam();
  static ParamInfo defaultPoleRealParam();
  static ParamInfo defaultZeroRealParam();

 private:
  int m_id;
  const char* m_szLabel;
  const char* m_szName;
  double m_arg1;
  double m_arg2;
  double m_defaultNativeValue;
  toControlValue_t m_toControlValue;
  toNativeValue_t m_toNativeValue;
  toString_t m_toString;
};

// The "Order" descriptor of a pole-filter design of the given maximum order.
template <int MaxOrder>
ParamInfo orderParam() {
  return ParamInfo(idOrder, "Order", "Order", 1, MaxOrder, 2, &ParamInfo::Int_toControlValue,
                   &ParamInfo::Int_toNativeValue, &ParamInfo::Int_toString);
}

// A design's fixed parameter list, given as descriptor factories in index order.
template <ParamInfo (*... Factories)()>
struct DesignParams {
  static int getNumParams() { return static_cast<int>(sizeof...(Factories)); }

  static ParamInfo getParamInfo(int index) {
    static constexpr ParamInfo (*kFactories[])() = {Factories...};
    if (index < 0 || index >= getNumParams()) return ParamInfo();
    return kFactories[index]();
  }
};

}  // namespace Dsp
