#include "framework/IParam.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/TextCopy.h"
#include "framework/TruncateToInt.h"

namespace {
// Most parameters are linear: x to the power 1 is x, without the call.
double Shaped(double x, double exponent) { return exponent == 1.0 ? x : std::pow(x, exponent); }
double Clamped(double value, double lo, double hi) { return value < lo ? lo : (value > hi ? hi : value); }
}  // namespace

IParam::IParam() = default;

void IParam::InitBool(const char* name, bool defaultValue, const char* label, const char* group) {
  if (mType == kTypeNone) mType = kTypeBool;
  InitEnum(name, defaultValue ? 1 : 0, 2, label, group);
  SetDisplayText(0, "off");
  SetDisplayText(1, "on");
}

void IParam::InitEnum(const char* name, int defaultValue, int nEnums, const char* label,
                      const char* group) {
  if (mType == kTypeNone) mType = kTypeEnum;
  InitInt(name, defaultValue, 0, nEnums - 1, label, group);
}

void IParam::InitInt(const char* name, int defaultValue, int minVal, int maxVal, const char* label,
                     const char* group) {
  if (mType == kTypeNone) mType = kTypeInt;
  InitDouble(name, defaultValue, minVal, maxVal, 1.0, label, group);
}

void IParam::InitDouble(const char* name, double defaultValue, double minVal, double maxVal,
                        double step, const char* label, const char* group) {
  if (mType == kTypeNone) mType = kTypeDouble;
  CopyText(mName, name, sizeof(mName));
  CopyText(mLabel, label, sizeof(mLabel));
  CopyText(mParamGroup, group, sizeof(mParamGroup));
  mValue = mDefault = defaultValue;
  mMin = minVal;
  mMax = maxVal > minVal + step ? maxVal : minVal + step;
  mStep = step;

  double x = step;
  int p = 0;
  while (p < MAX_PARAM_DISPLAY_PRECISION && x != std::floor(x)) {
    ++p;
    x *= 10.0;
  }
  mDisplayPrecision = p;
}

void IParam::SetDisplayText(int value, const char* text) {
  DisplayText entry{};
  entry.mValue = value;
  CopyText(entry.mText, text, sizeof(entry.mText));
  mDisplayTexts.Add(entry);
}

void IParam::SetShape(double shape) {
  if (shape != 0.0) mShape = shape;
}

bool IParam::Set(double value) {
  if (!std::isfinite(value)) return false;
  mValue = Clamped(value, mMin, mMax);
  return true;
}

bool IParam::SetNormalized(double normalizedValue) {
  if (!std::isfinite(normalizedValue)) return false;
  mValue = FromNormalized(ClampNormalized(normalizedValue));
  return true;
}

double IParam::ClampNormalized(double normalizedValue) { return Clamped(normalizedValue, 0.0, 1.0); }

double IParam::FromNormalized(double normalizedValue) const {
  double value = mMin + (mMax - mMin) * Shaped(normalizedValue, mShape);
  if (mType != kTypeDouble) value = mStep * std::floor(value / mStep + 0.5);
  return value > mMax ? mMax : value;
}

double IParam::GetNormalized() const { return GetNormalized(mValue); }

double IParam::GetNormalized(double nonNormalizedValue) const {
  if (mMax == mMin) return 0.0;
  const double v = Clamped(nonNormalizedValue, mMin, mMax);
  return Shaped((v - mMin) / (mMax - mMin), 1.0 / mShape);
}

int IParam::Int() const { return TruncateToInt(mValue); }

double IParam::DBToAmp() const { return std::exp(mValue * 0.1151292546497); }

void IParam::GetBounds(double* minVal, double* maxVal) const {
  if (minVal) *minVal = mMin;
  if (maxVal) *maxVal = mMax;
}

void IParam::GetDisplayForHost(double value, bool normalized, char* text, bool useTexts) const {
  if (!text) return;
  if (normalized) value = mMin + (mMax - mMin) * Shaped(value, mShape);
  if (useTexts) {
    const char* displayText = GetDisplayText(TruncateToInt(value));
    if (displayText[0]) {
      CopyText(text, displayText, MAX_PARAM_DISPLAY_LEN);
      return;
    }
  }
  if (mNegateDisplay) value = -value;
  if (mDisplayPrecision == 0) {
    std::snprintf(text, MAX_PARAM_DISPLAY_LEN, "%d", TruncateToInt(value));
  } else {
    std::snprintf(text, MAX_PARAM_DISPLAY_LEN, "%.*f", mDisplayPrecision, value);
  }
}

const char* IParam::GetLabelForHost(double value) const {
  const char* displayText = GetDisplayText(TruncateToInt(value));
  return displayText[0] ? "" : mLabel;
}

const char* IParam::GetDisplayText(int value) const {
  const DisplayText* texts = mDisplayTexts.Get();
  for (int i = 0; i < mDisplayTexts.GetSize(); ++i) {
    if (texts[i].mValue == value) return texts[i].mText;
  }
  return "";
}

const char* IParam::GetDisplayTextAtIdx(int idx, int* value) const {
  if (idx < 0 || idx >= mDisplayTexts.GetSize()) return "";
  const DisplayText& entry = mDisplayTexts.Get()[idx];
  if (value) *value = entry.mValue;
  return entry.mText;
}

bool IParam::MapDisplayText(const char* text, int* value) const {
  if (!text) return false;
  const DisplayText* texts = mDisplayTexts.Get();
  for (int i = 0; i < mDisplayTexts.GetSize(); ++i) {
    if (!std::strcmp(texts[i].mText, text)) {
      if (value) *value = texts[i].mValue;
      return true;
    }
  }
  return false;
}
