#include "instrument/ThudrokkaButtons.h"

#include <cmath>

#include "framework/IPlugBase.h"
#include "framework/TruncateToInt.h"
#include "graphics/IGraphics.h"
#include "instrument/Thudrokka.h"

namespace {

constexpr double kMaxSyncMultiplier = 32.0;
// Steps of an arrow clicked with the R modifier.
constexpr int kBigStep = 10;

double Limit01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

}  // namespace

// ---- Mode switch.

int IQvModeSwitch::Choice(double value) const {
  const int last = mNumStates - 1;
  const int k = TruncateToInt(std::floor(value * last + 0.5));
  return k < 0 ? 0 : (k > last ? last : k);
}

double IQvModeSwitch::ValueOf(int choice) const { return Limit01(static_cast<double>(choice) / (mNumStates - 1)); }

double IQvModeSwitch::getNextValue(double value) const {
  if (mNumStates < 2) return value;
  const int k = Choice(value);
  if (k == mNumStates - 1) return mWrap ? 0.0 : value;
  return ValueOf(k + 1);
}

double IQvModeSwitch::getPrevValue(double value) const {
  if (mNumStates < 2) return value;
  const int k = Choice(value);
  if (k == 0) return mWrap ? 1.0 : value;
  return ValueOf(k - 1);
}

double IQvModeSwitch::getNext10Value(double value) const {
  return mNumStates < 2 ? value : ValueOf(Choice(value) + kBigStep);
}

double IQvModeSwitch::getPrev10Value(double value) const {
  return mNumStates < 2 ? value : ValueOf(Choice(value) - kBigStep);
}

void IQvModeSwitch::OnMouseDown(int, int, IMouseMod* mod) {
  mValue = 1.0;
  IParam* target = mPlug ? mPlug->GetParam(mTargetParamIdx) : nullptr;
  if (!target || mNumStates < 2) {
    SetDirty(true);
    return;
  }
  double current;
  {
    WDL_MutexLock lock(mPlug->GetMutex());
    current = target->GetNormalized();
  }
  const bool big = mod && mod->R;
  double next;
  if (mSwitchDir == kQvSwitchUp) {
    next = big ? getNext10Value(current) : getNextValue(current);
  } else {
    next = big ? getPrev10Value(current) : getPrevValue(current);
  }
  SetDirty(true);
  mPlug->SetParameterFromGUI(mTargetParamIdx, next);
}

// ---- Preset arrows.

void IQvPresetSwitch::OnMouseDown(int, int, IMouseMod* mod) {
  const int step = mod && mod->R ? kBigStep : 1;
  mValue = 1.0;
  if (mPlug) {
    // Host threads restore presets under the same lock.
    WDL_MutexLock lock(mPlug->GetMutex());
    const int idx = mPlug->GetCurrentPresetIdx() + (mSwitchDir == kQvSwitchUp ? step : -step);
    if (idx >= 0 && idx < mPlug->NPresets()) mPlug->RestorePreset(idx);
    mPlug->InformHostOfProgramChange();
    mPlug->DirtyParameters();
  }
  SetDirty(true);
}

// ---- Tabs and sync.

IQvTabButton::IQvTabButton(Thudrokka* plug, int x, int y, int paramIdx, eQvTabs tab, IBitmap* bitmap)
    : ISwitchControl(plug, x, y, paramIdx, bitmap), mInstrument(plug), mTab(tab) {
  mValue = tab == kQvSynthTab ? 1.0 : 0.0;
}

void IQvTabButton::OnMouseDown(int, int, IMouseMod*) {
  mValue = 1.0;
  if (mInstrument) {
    if (mTab == kQvAboutTab) {
      mInstrument->OnAboutTab();
    } else {
      mInstrument->OnSynthTab();
    }
  }
  SetDirty(true);
}

void IQvTabButton::SetActive(bool active) {
  mValue = active ? 1.0 : 0.0;
  SetDirty(true);
}

IQvSyncButton::IQvSyncButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap)
    : ISwitchControl(plug, x, y, paramIdx, bitmap), mInstrument(plug) {}

void IQvSyncButton::OnMouseDown(int, int, IMouseMod*) {
  mValue = 1.0;
  mMultiplier = mMultiplier * 2.0 > kMaxSyncMultiplier ? 1.0 : mMultiplier * 2.0;
  if (mInstrument) mInstrument->OnSyncModFx(mMultiplier);
  SetDirty(true);
}

void IQvSyncButton::OnMouseUp(int, int, IMouseMod*) {
  mValue = 0.0;
  SetDirty(true);
}

void IQvSyncButton::SetActive(bool active) {
  mValue = active ? 1.0 : 0.0;
  SetDirty(true);
}

// ---- Momentary actions.

IQvResetButton::IQvResetButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap)
    : IContactControl(plug, x, y, paramIdx, bitmap), mInstrument(plug) {}

void IQvResetButton::OnMouseDown(int, int, IMouseMod*) {
  mValue = 1.0;
  SetDirty(true);
  if (mInstrument) mInstrument->ResetMaxLevels();
}

IQvRenderButton::IQvRenderButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap)
    : IContactControl(plug, x, y, paramIdx, bitmap), mInstrument(plug) {}

void IQvRenderButton::OnMouseDown(int, int, IMouseMod*) {
  mValue = 1.0;
  SetDirty(true);
  if (mInstrument) mInstrument->RenderToWave(0.0, nullptr, 0);
}

IQvPlayButton::IQvPlayButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap)
    : IContactControl(plug, x, y, paramIdx, bitmap), mInstrument(plug) {}

void IQvPlayButton::OnMouseDown(int, int, IMouseMod*) {
  mValue = 1.0;
  SetDirty(true);
  if (mInstrument) mInstrument->PlayNote(true);
}

// ---- Click switch and links.

bool IQvClickButton::Draw(IGraphics* g) {
  const int frame = mBitmap.N >= 2 && mValue > 0.0 ? mBitmap.N : 1;
  return g->DrawBitmap(&mBitmap, &mRect, frame, &mBlend);
}

IQvUrlButton::IQvUrlButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap, const char* url,
                           const char* backupURL, const char* errMsg)
    : IContactControl(plug, x, y, paramIdx, bitmap) {
  CopyURLText(mURL, url);
  CopyURLText(mBackupURL, backupURL);
  CopyURLText(mErrMsg, errMsg);
}

void IQvUrlButton::OnMouseDown(int, int, IMouseMod*) {
  mValue = 1.0;
  IURLControl::OpenURLOrBackup(GetGUI(), mURL, mBackupURL, mErrMsg);
  SetDirty(true);
}
