#include "graphics/IControl.h"

#include "framework/IPlugBase.h"
#include "graphics/IGraphics.h"
#include "graphics/TextControls.h"

IControl::IControl(IPlugBase* plug, IRECT rect, int paramIdx, IChannelBlend blend)
    : mPlug(plug),
      mRect(rect),
      mTargetRect(rect),
      mParamIdx(paramIdx),
      mBlend(blend),
      mEditorThread(std::this_thread::get_id()) {}

IGraphics* IControl::GetGUI() { return mPlug ? dynamic_cast<IGraphics*>(mPlug->GetGUI()) : nullptr; }

void IControl::OnMouseDown(int, int, IMouseMod* mod) {
  if (mod && mod->R) PromptUserInput();
}

void IControl::OnMouseDblClick(int, int, IMouseMod*) {
  if (mDefaultValue >= 0.0) {
    mValue = mDefaultValue;
    SetDirty(true);
  }
}

void IControl::OnMouseWheel(int, int, IMouseMod* mod, int d) {
  const bool fine = mod && (mod->C || mod->S);
  mValue += d * (fine ? 0.001 : 0.01);
  SetDirty(true);
}

void IControl::SetValueFromPlug(double value) {
  if (mDefaultValue < 0.0) {
    mValue = mDefaultValue = value;
    return;
  }
  if (value != mValue) {
    mValue = value;
    SetDirty(false);
    mRedraw = true;
  }
}

void IControl::Hide(bool hide) {
  mHide = hide;
  mRedraw = true;
  SetDirty(false);
}

void IControl::GrayOut(bool gray) {
  mGrayed = gray;
  mBlend.mWeight = gray ? 0.25f : 1.0f;
  SetDirty(false);
}

void IControl::SetDirty(bool push) {
  // A NaN value ends at the upper bound.
  mValue = mClampLo > mValue ? mClampLo : (mValue < mClampHi ? mValue : mClampHi);
  mDirty = true;
  if (!push || !mPlug || mParamIdx < 0) return;
  mPlug->SetParameterFromGUI(mParamIdx, mValue);
  IParam* param = mPlug->GetParam(mParamIdx);
  if (!param) return;
  if (ITextControl* display = dynamic_cast<ITextControl*>(mValDisplayControl)) {
    char text[MAX_PARAM_DISPLAY_LEN];
    param->GetDisplayForHost(param->Value(), false, text, true);
    display->SetTextFromPlug(text);
  }
  if (ITextControl* name = dynamic_cast<ITextControl*>(mNameDisplayControl)) {
    name->SetTextFromPlug(param->GetNameForHost());
  }
}

void IControl::SetClean() {
  mDirty = mRedraw;
  mRedraw = false;
}

void IControl::SetAuxParamValueFromPlug(int auxParamIdx, double value) {
  AuxParam* aux = GetAuxParam(auxParamIdx);
  if (aux && aux->mValue != value) {
    aux->mValue = value;
    SetDirty(false);
    mRedraw = true;
  }
}

void IControl::SetValueFromUserInput(double value) {
  if (value != mValue) {
    mValue = value;
    SetDirty(true);
    mRedraw = true;
  }
}

void IControl::PromptUserInput() {
  if (mParamIdx < 0 || mDisablePrompt || !mPlug) return;
  IParam* param = mPlug->GetParam(mParamIdx);
  IGraphics* gui = GetGUI();
  if (!param || !gui) return;
  if (param->GetNDisplayTexts()) {
    gui->PromptUserInput(this, param, &mRect);
  } else {
    const int cx = static_cast<int>(static_cast<float>(mRect.L + mRect.R) * 0.5f);
    const int cy = static_cast<int>(static_cast<float>(mRect.T + mRect.B) * 0.5f);
    IRECT entry(cx - 15, cy - 8, cx + 15, cy + 8);
    gui->PromptUserInput(this, param, &entry);
  }
  mRedraw = true;
}

void IControl::PromptUserInput(IRECT* textRect) {
  if (mParamIdx < 0 || mDisablePrompt || !mPlug) return;
  IParam* param = mPlug->GetParam(mParamIdx);
  IGraphics* gui = GetGUI();
  if (!param || !gui) return;
  gui->PromptUserInput(this, param, textRect);
  mRedraw = true;
}

IControl::AuxParam* IControl::GetAuxParam(int idx) {
  return idx >= 0 && idx < mAuxParams.GetSize() ? mAuxParams.Get() + idx : nullptr;
}

int IControl::AuxParamIdx(int paramIdx) {
  for (int i = 0; i < mAuxParams.GetSize(); ++i) {
    if (mAuxParams.Get()[i].mParamIdx == paramIdx) return i;
  }
  return -1;
}

void IControl::AddAuxParam(int paramIdx) {
  if (mAuxParams.Add(AuxParam{0.0, paramIdx}) && mOwner) mOwner->ControlBindingsChanged();
}

void IControl::SetAllAuxParamsFromGUI() {
  if (!mPlug) return;
  for (int i = 0; i < mAuxParams.GetSize(); ++i) {
    const AuxParam aux = mAuxParams.Get()[i];
    mPlug->SetParameterFromGUI(aux.mParamIdx, aux.mValue);
  }
}
