#pragma once

#include <atomic>

#include "framework/WDL_TypedBuf.h"

constexpr int MAX_PARAM_NAME_LEN = 32;
constexpr int MAX_PARAM_LABEL_LEN = 32;
constexpr int MAX_PARAM_GROUP_LEN = 32;
constexpr int MAX_PARAM_DISPLAY_LEN = 32;
constexpr int MAX_PARAM_DISPLAY_PRECISION = 6;

// One automatable parameter. It stores the plain value in its own range; the
// editor and the host see it through the normalised 0..1 form.
class IParam {
 public:
  enum EParamType { kTypeNone = 0, kTypeBool, kTypeInt, kTypeEnum, kTypeDouble };

  struct DisplayText {
    int mValue;
    char mText[MAX_PARAM_DISPLAY_LEN];
  };

  IParam();

  // Each initialiser fixes the type only while it is still none, so a
  // declaration may set the type first and then call a more general one.
  // Texts longer than their 31-character fields are cut.
  void InitBool(const char* name, bool defaultValue, const char* label = "", const char* group = "");
  void InitEnum(const char* name, int defaultValue, int nEnums, const char* label = "",
                const char* group = "");
  void InitInt(const char* name, int defaultValue, int minVal, int maxVal, const char* label = "",
               const char* group = "");
  void InitDouble(const char* name, double defaultValue, double minVal, double maxVal, double step,
                  const char* label = "", const char* group = "");

  // Every value from outside (host, editor, program and bank files, state,
  // presets) comes in through Set or SetNormalized: a value that is not a
  // finite number is refused and changes nothing, a finite one outside the
  // range is clamped to it. Both say whether they took the value.
  bool Set(double value);
  void SetDisplayText(int value, const char* text);
  // A shape of 0 is ignored.
  void SetShape(double shape);
  void SetCanAutomate(bool canAutomate) { mCanAutomate = canAutomate; }
  void NegateDisplay() { mNegateDisplay = true; }

  bool SetNormalized(double normalizedValue);
  // The plain value that SetNormalized stores for a normalised one in [0, 1].
  double FromNormalized(double normalizedValue) const;
  // A finite normalised value kept to [0, 1], as SetNormalized takes it.
  static double ClampNormalized(double normalizedValue);
  double GetNormalized() const;
  double GetNormalized(double nonNormalizedValue) const;

  double Value() const { return mValue; }
  bool Bool() const { return mValue >= 0.5; }
  int Int() const;
  double DBToAmp() const;

  EParamType Type() const { return mType; }
  double GetMin() const { return mMin; }
  double GetMax() const { return mMax; }
  void GetBounds(double* minVal, double* maxVal) const;
  double GetStep() const { return mStep; }
  double GetShape() const { return mShape; }
  double GetDefault() const { return mDefault; }
  int GetPrecision() const { return mDisplayPrecision; }
  bool GetCanAutomate() const { return mCanAutomate; }
  bool GetNegateDisplay() const { return mNegateDisplay; }

  // text must hold MAX_PARAM_DISPLAY_LEN characters.
  void GetDisplayForHost(char* text, bool useTexts = true) const {
    GetDisplayForHost(mValue, false, text, useTexts);
  }
  void GetDisplayForHost(double value, bool normalized, char* text, bool useTexts = true) const;
  const char* GetNameForHost() const { return mName; }
  const char* GetLabelForHost() const { return GetLabelForHost(mValue); }
  // The label, or "" when the plain value has a display text of its own.
  const char* GetLabelForHost(double value) const;
  const char* GetParamGroupForHost() const { return mParamGroup; }

  int GetNDisplayTexts() const { return mDisplayTexts.GetSize(); }
  const char* GetDisplayText(int value) const;
  // "" and value untouched when idx is outside the list.
  const char* GetDisplayTextAtIdx(int idx, int* value = nullptr) const;
  bool MapDisplayText(const char* text, int* value) const;

 private:
  EParamType mType = kTypeNone;
  // Written under the plug-in mutex; a host reads it without the mutex, so
  // that a read never waits for a thread that holds it.
  std::atomic<double> mValue{0.0};
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mShape = 1.0;
  double mDefault = 0.0;
  int mDisplayPrecision = 0;
  char mName[MAX_PARAM_NAME_LEN] = {};
  char mLabel[MAX_PARAM_LABEL_LEN] = {};
  char mParamGroup[MAX_PARAM_GROUP_LEN] = {};
  bool mNegateDisplay = false;
  bool mCanAutomate = true;
  WDL_TypedBuf<DisplayText> mDisplayTexts;
};
