#include "graphics/IGraphics.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/IPlugBase.h"
#include "framework/TruncateToInt.h"
#include "graphics/BitmapControls.h"
#include "graphics/IControl.h"
#include "graphics/IPopupMenu.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_SysBitmap.h"

IGraphics::IGraphics(IPlugBase* plug, int w, int h, int fps)
    : mPlug(plug), mWidth(w), mHeight(h), mFPS(fps < 1 ? 25 : fps), mEditorThread(std::this_thread::get_id()) {}

IGraphics::~IGraphics() {
  delete mKeyCatcher;
  DeleteControls();
  DeleteBitmaps();
}

void IGraphics::DeleteControls() {
  mControls.Empty(true);
  mParamControls.Invalidate();
}

void IGraphics::DeleteBitmaps() {
  delete mDrawBitmap;
  mDrawBitmap = nullptr;
  delete mTmpBitmap;
  mTmpBitmap = nullptr;
}

void* IGraphics::OpenWindow(void*, void*, short, short) { return nullptr; }

void IGraphics::PrepDraw() {
  // Bitmaps the editor already has would leak; Resize frees them first.
  DeleteBitmaps();
  mDrawBitmap = new LICE_SysBitmap(mWidth, mHeight);
  mTmpBitmap = new LICE_MemBitmap(0, 0, 4);
  if (!mPendingValues && mPlug && mPlug->NParams() > 0) {
    const int n = mPlug->NParams();
    mPendingValues.reset(new PendingValue[n]);
    mNPendingValues.store(n, std::memory_order_release);
  }
}

void IGraphics::Resize(int w, int h) {
  mWidth = w;
  mHeight = h;
  ReleaseMouseCapture();
  DeleteControls();
  PrepDraw();
  if (mPlug) mPlug->ResizeGraphics(w, h);
}

// ---- Controls.

void IGraphics::Adopt(IControl* control) {
  control->mOwner = this;
  mParamControls.Invalidate();
}

int IGraphics::AttachControl(IControl* control) {
  if (!mControls.Add(control)) {
    delete control;
    return -1;
  }
  Adopt(control);
  return mControls.GetSize() - 1;
}

void IGraphics::AttachBackground(int id, const char* name) {
  IBitmap bitmap = LoadIBitmap(id, name, 1, false);
  IControl* background = new IBitmapControl(mPlug, 0, 0, -1, &bitmap, IChannelBlend(IChannelBlend::kBlendClobber));
  if (mControls.Insert(0, background)) {
    Adopt(background);
  } else {
    delete background;
  }
}

void IGraphics::AttachPanelBackground(const IColor* color) {
  IControl* panel = new IPanelControl(mPlug, IRECT(0, 0, mWidth, mHeight), color);
  if (mControls.Insert(0, panel)) {
    Adopt(panel);
  } else {
    delete panel;
  }
}

void IGraphics::AttachKeyCatcher(IControl* control) {
  if (control != mKeyCatcher) delete mKeyCatcher;
  mKeyCatcher = control;
}

template <class F>
void IGraphics::ForEachBinding(int paramIdx, F f) {
  typedef ParamControlIndex::Binding Binding;
  const int nParams = mPlug ? mPlug->NParams() : 0;
  ParamControlIndex::Range range = mParamControls.Find(mControls, nParams, paramIdx);
  for (const Binding* b = range.first; b != range.last; ++b) {
    const unsigned changes = mParamControls.Changes();
    const Binding done = *b;
    f(done);
    if (mParamControls.Changes() == changes) continue;
    // The control changed the list: go on after it in the new index, unless it went.
    range = mParamControls.Find(mControls, nParams, paramIdx);
    b = std::find_if(range.first, range.last, [&done](const Binding& x) {
      return x.control == done.control && x.auxParamIdx == done.auxParamIdx;
    });
    if (b == range.last) return;
  }
}

void IGraphics::HideControl(int paramIdx, bool hide) {
  ForEachBinding(paramIdx, [hide](const ParamControlIndex::Binding& b) {
    if (b.auxParamIdx < 0) b.control->Hide(hide);
  });
}

void IGraphics::GrayOutControl(int paramIdx, bool gray) {
  ForEachBinding(paramIdx, [gray](const ParamControlIndex::Binding& b) {
    if (b.auxParamIdx < 0) b.control->GrayOut(gray);
  });
}

void IGraphics::ClampControl(int paramIdx, double lo, double hi, bool normalized) {
  if (!normalized) {
    IParam* param = mPlug ? mPlug->GetParam(paramIdx) : nullptr;
    if (!param) return;
    lo = param->GetNormalized(lo);
    hi = param->GetNormalized(hi);
  }
  ForEachBinding(paramIdx, [lo, hi](const ParamControlIndex::Binding& b) {
    if (b.auxParamIdx < 0) b.control->Clamp(lo, hi);
  });
}

void IGraphics::SetStrictDrawing(bool strict) {
  mStrict = strict;
  SetAllControlsDirty();
}

void IGraphics::SetAllControlsDirty() {
  for (int i = 0; i < mControls.GetSize(); ++i) mControls.Get(i)->SetDirty(false);
}

void IGraphics::SetControlFromPlug(int controlIdx, double normalizedValue) {
  if (IControl* c = mControls.Get(controlIdx)) c->SetValueFromPlug(normalizedValue);
}

// ---- Parameter values from the plug-in.

void IGraphics::SetParameterFromPlug(int paramIdx, double value, bool normalized) {
  if (!normalized) {
    IParam* param = mPlug ? mPlug->GetParam(paramIdx) : nullptr;
    if (!param) return;
    value = param->GetNormalized(value);
  }
  if (OnEditorThread()) {
    // Newer than anything another thread left for this parameter.
    if (paramIdx >= 0 && paramIdx < mNPendingValues.load(std::memory_order_acquire)) {
      mPendingValues[paramIdx].pending.store(false, std::memory_order_relaxed);
    }
    ApplyParameter(paramIdx, value);
    return;
  }
  if (paramIdx < 0 || paramIdx >= mNPendingValues.load(std::memory_order_acquire)) return;
  PendingValue& slot = mPendingValues[paramIdx];
  slot.value.store(value, std::memory_order_relaxed);
  slot.pending.store(true, std::memory_order_release);
  mAnyPending.store(true, std::memory_order_release);
}

void IGraphics::ApplyParameter(int paramIdx, double normalizedValue) {
  ForEachBinding(paramIdx, [normalizedValue](const ParamControlIndex::Binding& b) {
    if (b.auxParamIdx < 0) {
      b.control->SetValueFromPlug(normalizedValue);
    } else {
      b.control->SetAuxParamValueFromPlug(b.auxParamIdx, normalizedValue);
    }
  });
}

void IGraphics::ApplyPendingParameters() {
  if (!mAnyPending.load(std::memory_order_acquire) || !mAnyPending.exchange(false, std::memory_order_acq_rel)) {
    return;
  }
  const int n = mNPendingValues.load(std::memory_order_acquire);
  for (int i = 0; i < n; ++i) {
    PendingValue& slot = mPendingValues[i];
    if (slot.pending.load(std::memory_order_acquire) && slot.pending.exchange(false, std::memory_order_acq_rel)) {
      ApplyParameter(i, slot.value.load(std::memory_order_relaxed));
    }
  }
}

// ---- Prompts.

void IGraphics::PromptUserInput(IControl* control, IParam* param, IRECT* textRect) {
  if (!control || !param || !textRect) return;
  const IParam::EParamType type = param->Type();
  const int nTexts = param->GetNDisplayTexts();
  char current[MAX_PARAM_DISPLAY_LEN];
  if (type == IParam::kTypeEnum || (type == IParam::kTypeBool && nTexts > 0)) {
    param->GetDisplayForHost(param->Value(), false, current, true);
    IPopupMenu menu;
    for (int i = 0; i < nTexts; ++i) {
      const char* text = param->GetDisplayTextAtIdx(i);
      menu.AddItem(text, -1, std::strcmp(text, current) == 0 ? IPopupMenuItem::kChecked : IPopupMenuItem::kNoFlags);
    }
    if (IPopupMenu* chosen = CreateIPopupMenu(&menu, textRect)) {
      control->SetValueFromUserInput(param->GetNormalized(static_cast<double>(chosen->mChosenItemIdx)));
    }
    return;
  }
  param->GetDisplayForHost(param->Value(), false, current, false);
  CreateTextEntry(control, control->GetText(), textRect, current, param);
}

void IGraphics::SetFromStringAfterPrompt(IControl* control, IParam* param, const char* text) {
  if (!control || !param || !text) return;
  double value;
  if (param->Type() == IParam::kTypeBool || param->Type() == IParam::kTypeEnum) {
    int mapped = 0;
    param->MapDisplayText(text, &mapped);
    value = mapped;
  } else {
    value = std::atof(text);
    if (param->GetNegateDisplay()) value = -value;
  }
  control->SetValueFromUserInput(param->GetNormalized(value));
}

// ---- Events.

void IGraphics::ReleaseMouseCapture() { mMouseCapture = mMouseX = mMouseY = -1; }

int IGraphics::GetMouseControlIdx(int x, int y, bool mouseOver) {
  if (mMouseCapture >= 0) return mMouseCapture;
  for (int i = mControls.GetSize() - 1; i >= 0; --i) {
    IControl* c = mControls.Get(i);
    const bool allowed = !c->IsGrayed() || (mouseOver && c->GetMOWhenGrayed());
    if (!c->IsHidden() && allowed && c->IsHit(x, y)) return i;
  }
  return -1;
}

void IGraphics::OnMouseDown(int x, int y, IMouseMod* mod) {
  ReleaseMouseCapture();
  const int idx = GetMouseControlIdx(x, y);
  if (idx < 0) return;
  mMouseCapture = idx;
  mMouseX = x;
  mMouseY = y;
  IControl* c = mControls.Get(idx);
  c->OnMouseDown(x, y, mod);
  // The control may have changed the list; ask for it again.
  c = mControls.Get(idx);
  if (c && c->ParamIdx() >= 0 && mPlug) mPlug->BeginInformHostOfParamChange(c->ParamIdx());
}

void IGraphics::OnMouseUp(int x, int y, IMouseMod* mod) {
  const int idx = GetMouseControlIdx(x, y);
  ReleaseMouseCapture();
  IControl* c = mControls.Get(idx);
  if (!c) return;
  c->OnMouseUp(x, y, mod);
  c = mControls.Get(idx);
  if (c && c->ParamIdx() >= 0 && mPlug) mPlug->EndInformHostOfParamChange(c->ParamIdx());
}

void IGraphics::OnMouseDrag(int x, int y, IMouseMod* mod) {
  IControl* c = mControls.Get(mMouseCapture);
  if (!c || (x == mMouseX && y == mMouseY)) return;
  const int dX = TruncateToInt(static_cast<double>(x) - mMouseX);
  const int dY = TruncateToInt(static_cast<double>(y) - mMouseY);
  mMouseX = x;
  mMouseY = y;
  c->OnMouseDrag(x, y, dX, dY, mod);
}

bool IGraphics::OnMouseDblClick(int x, int y, IMouseMod* mod) {
  ReleaseMouseCapture();
  const int idx = GetMouseControlIdx(x, y);
  IControl* c = mControls.Get(idx);
  if (!c) return false;
  if (c->GetDoubleClickAsSingle()) {
    mMouseCapture = idx;
    mMouseX = x;
    mMouseY = y;
    c->OnMouseDown(x, y, mod);
    return true;
  }
  c->OnMouseDblClick(x, y, mod);
  return false;
}

bool IGraphics::OnMouseOver(int x, int y, IMouseMod* mod) {
  if (!mHandleMouseOver) return false;
  const int idx = GetMouseControlIdx(x, y, true);
  IControl* c = mControls.Get(idx);
  if (c) {
    mMouseX = x;
    mMouseY = y;
    c->OnMouseOver(x, y, mod);
    if (mMouseOver >= 0 && mMouseOver != idx) {
      if (IControl* previous = mControls.Get(mMouseOver)) previous->OnMouseOut();
    }
    mMouseOver = idx;
  }
  return mHandleMouseOver;
}

void IGraphics::OnMouseOut() {
  for (int i = 0; i < mControls.GetSize(); ++i) mControls.Get(i)->OnMouseOut();
  mMouseOver = -1;
}

void IGraphics::OnMouseWheel(int x, int y, IMouseMod* mod, int d) {
  if (IControl* c = mControls.Get(GetMouseControlIdx(x, y))) c->OnMouseWheel(x, y, mod, d);
}

bool IGraphics::OnKeyDown(int x, int y, int key) {
  const int idx = GetMouseControlIdx(x, y);
  if (idx > 0) return mControls.Get(idx)->OnKeyDown(x, y, key);
  return mKeyCatcher ? mKeyCatcher->OnKeyDown(x, y, key) : false;
}

int IGraphics::GetParamIdxForPTAutomation(int x, int y) {
  const int idx = GetMouseControlIdx(x, y);
  mLastClickedParam = idx > 0 ? mControls.Get(idx)->ParamIdx() : -1;
  return mLastClickedParam;
}

int IGraphics::GetLastClickedParamForPTAutomation() {
  const int param = mLastClickedParam;
  mLastClickedParam = -1;
  return param;
}

// ---- Frame loop.

bool IGraphics::IsDirty(IRECT* r) {
  // What the plug-in makes for its editor at this tick is drawn at this tick,
  // however busy the editor is.
  if (mPlug) mPlug->OnIdle();
  ApplyPendingParameters();
  bool dirty = false;
  for (int i = 0; i < mControls.GetSize(); ++i) {
    IControl* c = mControls.Get(i);
    c->TakeHandOver();
    if (c->IsDirty()) {
      *r = r->UnionWith(c->GetRECT());
      dirty = true;
    }
  }
  if (dirty) {
    mIdleTicks = 0;
    return true;
  }
  if (mIdleTicks++ >= 3) {
    OnGUIIdle();
    mIdleTicks = 0;
  }
  return false;
}

void IGraphics::OnGUIIdle() {
  for (int i = 0; i < mControls.GetSize(); ++i) mControls.Get(i)->OnGUIIdle();
}

bool IGraphics::Draw(IRECT* r) {
  const int n = mControls.GetSize();
  if (!n) return true;
  if (mStrict) {
    mDrawRect = *r;
    for (int i = 0; i < n; ++i) {
      IControl* c = mControls.Get(i);
      if (!c->IsHidden() && r->Overlaps(c->GetRECT())) c->Draw(this);
    }
    for (int i = 0; i < n; ++i) mControls.Get(i)->SetClean();
  } else if (mControls.Get(0)->IsDirty()) {
    mDrawRect = *mControls.Get(0)->GetRECT();
    for (int i = 0; i < n; ++i) {
      IControl* c = mControls.Get(i);
      if (i == 0 || !c->IsHidden()) {
        c->Draw(this);
        c->SetClean();
      }
    }
  } else {
    for (int i = 1; i < n; ++i) {
      IControl* dirty = mControls.Get(i);
      if (!dirty->IsDirty()) continue;
      mDrawRect = *dirty->GetRECT();
      for (int j = 0; j < n; ++j) {
        IControl* c = mControls.Get(j);
        if (!c->IsHidden() && (j == i || c->GetRECT()->Overlaps(&mDrawRect))) c->Draw(this);
      }
      dirty->SetClean();
    }
  }
  return DrawScreen(r);
}
