#include "instrument/ThudrokkaControls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/Note.h"
#include "graphics/IGraphics.h"
#include "instrument/Thudrokka.h"

namespace {

constexpr int kCaptionLen = 32;
constexpr int kReadOutLen = 128;

}  // namespace

// ---- Curve.

IQvCurve::IQvCurve(IPlugBase* plug, IRECT rect, const double* values, int n, bool shade)
    : IControl(plug, rect),
      mShade(shade),
      mWidth(rect.W()),
      mGain(rect.H() / 2),
      mOffset(rect.H() / 2),
      mValues(static_cast<std::size_t>(std::max(n, 0)), 0.0),
      mNumValues(std::max(n, 0)),
      mHandOver(mValues) {
  if (values) std::copy(values, values + mNumValues, mValues.begin());
}

void IQvCurve::SetValuesFromPlug(const double* values) {
  if (!values) return;
  if (!OnEditorThread()) {
    std::copy(values, values + mNumValues, mHandOver.Back().begin());
    mHandOver.Publish();
    SignalHandOver();
    return;
  }
  // Points set here are newer than any still waiting from another thread.
  mHandOver.Take();
  std::copy(values, values + mNumValues, mValues.begin());
  SetDirty(false);
}

void IQvCurve::ApplyHandOver() {
  if (!mHandOver.Take()) return;
  mValues = mHandOver.Front();
  SetDirty(false);
}

double IQvCurve::Shown(double v) const {
  if (!std::isfinite(v)) return 0.0;
  return mClamp ? std::min(1.0, std::max(-1.0, v)) : v;
}

bool IQvCurve::Draw(IGraphics* g) {
  IColor colour = COLOR_WHITE;
  const int n = mNumValues;
  const float left = static_cast<float>(mRect.L);
  const float top = static_cast<float>(mRect.T);
  if (n > 0) {
    float x = left;
    float y = top + static_cast<float>(mOffset - Shown(mValues[0]) * mGain);
    // The phase runs in single precision, so the middle segment's grey
    // reaches 255.
    float phase = 0.0f;
    for (int i = 0; i < n; ++i) {
      if (mShade) {
        const int grey = static_cast<int>(std::sin(phase) * 155.0f) + 100;
        colour = IColor(255, grey, grey, grey);
      }
      const double t = static_cast<double>(i) / n;
      const float endX = left + static_cast<float>(mWidth * t);
      const float endY = top + static_cast<float>(mOffset - Shown(mValues[static_cast<std::size_t>(i)]) * mGain);
      g->DrawLine(&colour, x, y, endX, endY, nullptr, false);
      x = endX;
      y = endY;
      phase = static_cast<float>(t * 3.14159);
    }
  }
  if (mFrame) {
    const float right = static_cast<float>(mRect.R);
    const float bottom = static_cast<float>(mRect.B);
    g->DrawLine(&COLOR_BLUE, left, top, right, top);
    g->DrawLine(&COLOR_BLUE, left, bottom, right, bottom);
    g->DrawLine(&COLOR_BLUE, right, bottom, right, top);
    g->DrawLine(&COLOR_BLUE, left, bottom, left, top);
  }
  return true;
}

// ---- Value caption.

bool IQvCaptionControl::Draw(IGraphics* g) {
  IParam* param = GetParam();
  if (!param) return ITextControl::Draw(g);
  if (mCaptionMode >= kQvCaptionParamDisplay || mCaptionMode < kQvCaptionDecibels) {
    SetTextFromParam(param);
    return ITextControl::Draw(g);
  }
  const double v = param->FromNormalized(mValue);
  char text[kCaptionLen] = {};
  switch (mCaptionMode) {
    case kQvCaptionDecibels:
      if (v <= 0.0) {
        std::snprintf(text, sizeof(text), "-oodB");
      } else {
        std::snprintf(text, sizeof(text), "%3.1fdB", 20.0 * std::log10(v));
      }
      break;
    case kQvCaptionPercent: std::snprintf(text, sizeof(text), "%3.1f%%", v * 100.0); break;
    // The interval the oscillators play, not a straight line in the knob.
    case kQvCaptionSemitones:
      std::snprintf(text, sizeof(text), "%4.3f", 12.0 * std::log2(Quillvane::Note::octaveLaw(v)));
      break;
    case kQvCaptionBipolar: std::snprintf(text, sizeof(text), "%4.3f", 2.0 * v - 1.0); break;
    case kQvCaptionCentred: std::snprintf(text, sizeof(text), "%4.3f", v - 0.5); break;
    case kQvCaptionScaled: std::snprintf(text, sizeof(text), "%4.3f%s", v * mScale + mOffset, mUnit.c_str()); break;
    default: std::snprintf(text, sizeof(text), "%4.1f%s", v * mScale + mOffset, mUnit.c_str()); break;
  }
  mStr.Set(text);
  return ITextControl::Draw(g);
}

// ---- Read-outs.

IQvMaxLevelText::IQvMaxLevelText(Thudrokka* plug, IRECT rect, IText* text)
    : ITextControl(plug, rect, text, "MAX LEVEL: -oo dB"), mInstrument(plug) {}

void IQvMaxLevelText::OnGUIIdle() {
  if (mInstrument) UpdateMaxLevelText(mInstrument->GetMaxSampleValue());
}

void IQvMaxLevelText::UpdateMaxLevelText(double level) {
  char text[kReadOutLen] = {};
  if (level > 0.0) {
    const float db = static_cast<float>(20.0 * std::log10(level));
    std::snprintf(text, sizeof(text), "MAX LEVEL: %3.1f dB", static_cast<double>(db));
  } else {
    std::snprintf(text, sizeof(text), "MAX LEVEL: -oo dB");
  }
  const IColor colour = level > 1.0 ? COLOR_RED : COLOR_QV_SPRINGGREEN;
  // A change of colour alone must show too: a peak just above full scale
  // reads "0.0 dB" in either colour.
  if (colour != mText.mColor) {
    mText.mColor = colour;
    SetDirty(false);
  }
  SetTextFromPlug(text);
}

IQvHostInfoText::IQvHostInfoText(Thudrokka* plug, IRECT rect, IText* text)
    : ITextControl(plug, rect, text), mInstrument(plug) {
  UpdateHostInfoText(44100.0, 120.0);
}

void IQvHostInfoText::OnGUIIdle() {
  if (!mInstrument) return;
  double sampleRate, tempo;
  {
    // Host threads change both under the plug-in's lock.
    WDL_MutexLock lock(mInstrument->GetMutex());
    sampleRate = mInstrument->GetSampleRate();
    tempo = mInstrument->GetTempo();
  }
  UpdateHostInfoText(sampleRate, tempo);
}

void IQvHostInfoText::UpdateHostInfoText(double sampleRate, double tempo) {
  char text[kReadOutLen] = {};
  std::snprintf(text, sizeof(text), "HOST SAMPLE RATE: %6.1f Hz   TEMPO: %6.2f BPM", sampleRate, tempo);
  SetTextFromPlug(text);
}
