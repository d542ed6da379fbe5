#pragma once

#include <string>
#include <vector>

#include "graphics/HandOver.h"
#include "graphics/IControl.h"
#include "graphics/TextControls.h"

class Thudrokka;

// The instrument's own controls, its palette and the enumerations they
// share. The buttons and stepping switches are in ThudrokkaButtons.h, the
// preset menu and file selectors in ThudrokkaPresetControls.h.

constexpr IColor COLOR_QV_CYAN(255, 128, 255, 255);
constexpr IColor COLOR_QV_GREEN(255, 128, 255, 128);
constexpr IColor COLOR_QV_SPRINGGREEN(255, 128, 255, 0);
constexpr IColor COLOR_QV_LIME(255, 0, 255, 0);
constexpr IColor COLOR_QV_WF1(255, 160, 225, 255);
constexpr IColor COLOR_QV_WF2(255, 160, 255, 255);
constexpr IColor COLOR_QV_WF3(255, 160, 255, 225);
constexpr IColor COLOR_QV_YELLOW(255, 255, 255, 0);
constexpr IColor COLOR_QV_ORANGE(255, 255, 127, 0);
constexpr IColor COLOR_QV_RED(255, 255, 0, 0);

// Which way a stepping button moves: up to the next choice, or (any other
// value) down to the previous one.
enum eQvSwitchDir : int { kQvSwitchDown = 0, kQvSwitchUp = 1 };

enum eQvTabs : int { kQvSynthTab = 0, kQvAboutTab = 1 };

// Number formats of the value captions, of the parameter's value v; every
// int is a mode.
enum eQvCaption : int {
  kQvCaptionDecibels = 0,  // 20 log10 v, "-oodB" for v <= 0
  kQvCaptionPercent,       // 100 v
  kQvCaptionSemitones,     // 12 log2 of the octave law's ratio, -12..+12
  kQvCaptionBipolar,       // 2 v - 1
  kQvCaptionCentred,       // v - 0.5
  kQvCaptionScaled,        // v scale + offset and the unit, three decimals
  kQvCaptionScaledCoarse,  // the same with one decimal
  kQvCaptionParamDisplay   // this and above: the parameter's own display text
};

// A curve of values drawn as connected line segments across the rectangle:
// +1 at the top edge, -1 at the bottom edge, 0 in the middle, the last point
// one step short of the right edge. With shading the segments are grey,
// lightest in the middle. The control keeps its own copy of the points,
// which the instrument replaces from any thread; values that are not finite
// draw as 0.
class IQvCurve : public IControl {
 public:
  // values: the n first points, or null for zeros.
  IQvCurve(IPlugBase* plug, IRECT rect, const double* values, int n, bool shade);

  bool Draw(IGraphics* g) override;
  // Any thread: replaces all NumValues() points. From another thread they
  // are handed over and drawn from the editor's next tick; such writers must
  // not overlap one another.
  void SetValuesFromPlug(const double* values);
  int NumValues() const { return mNumValues; }
  const double* GetValues() const { return mValues.data(); }
  // Pixels per unit value, and how far below the top edge the value 0 lies.
  void SetGain(double gain, double offset) {
    mGain = gain;
    mOffset = offset;
    SetDirty(false);
  }
  // A blue frame around the rectangle.
  void SetFrame(bool frame) {
    mFrame = frame;
    SetDirty(false);
  }

 protected:
  void ApplyHandOver() override;
  // Where a value is drawn, in units of the gain.
  double Shown(double v) const;

  bool mShade;
  bool mFrame = false;
  bool mClamp = true;
  double mWidth;
  double mGain;
  double mOffset;
  std::vector<double> mValues;
  int mNumValues;

 private:
  HandOver<std::vector<double>> mHandOver;
};

// The bound parameter's value in one of the instrument's number formats;
// formats above kQvCaptionScaledCoarse show the parameter's display text.
class IQvCaptionControl : public ICaptionControl {
 public:
  IQvCaptionControl(IPlugBase* plug, IRECT rect, int paramIdx, IText* text, eQvCaption mode,
                    const std::string& unit = "", double scale = 1.0, double offset = 0.0)
      : ICaptionControl(plug, rect, paramIdx, text, false),
        mCaptionMode(mode),
        mScale(scale),
        mOffset(offset),
        mUnit(unit) {}
  bool Draw(IGraphics* g) override;

 protected:
  eQvCaption mCaptionMode;
  double mScale;
  double mOffset;
  std::string mUnit;
};

// The output's peak level since the last reset, in decibels, green up to
// full scale and red above it; polled on the editor's idle ticks.
class IQvMaxLevelText : public ITextControl {
 public:
  IQvMaxLevelText(Thudrokka* plug, IRECT rect, IText* text);
  void OnGUIIdle() override;
  // level: the peak magnitude, 1.0 being full scale.
  void UpdateMaxLevelText(double level);

 protected:
  Thudrokka* mInstrument;
};

// The host's sample rate and tempo, polled on the editor's idle ticks.
class IQvHostInfoText : public ITextControl {
 public:
  IQvHostInfoText(Thudrokka* plug, IRECT rect, IText* text);
  void OnGUIIdle() override;
  void UpdateHostInfoText(double sampleRate, double tempo);

 protected:
  Thudrokka* mInstrument;
};
