#include "graphics/TextControls.h"

#include <cstring>

#include "framework/IPlugBase.h"
#include "framework/TextCopy.h"
#include "graphics/IBitmapMonoText.h"
#include "graphics/IGraphics.h"

ITextControl::ITextControl(IPlugBase* plug, IRECT rect, IText* text, const char* str) : IControl(plug, rect) {
  if (text) mText = *text;
  if (str && *str) mStr.Set(str);
}

bool ITextControl::Draw(IGraphics* g) {
  if (mStr.GetLength()) g->DrawIText(&mText, mStr.Get(), &mRect);
  return true;
}

void ITextControl::SetTextFromPlug(const char* str) {
  if (!str) str = "";
  if (!OnEditorThread()) {
    TextSlot& slot = mHandOver.Back();
    CopyText(slot.text, str, sizeof(slot.text));
    mHandOver.Publish();
    SignalHandOver();
    return;
  }
  // A text set here is newer than one still waiting from another thread.
  mHandOver.Take();
  ReplaceText(str);
}

void ITextControl::ApplyHandOver() {
  if (mHandOver.Take()) ReplaceText(mHandOver.Front().text);
}

void ITextControl::ReplaceText(const char* str) {
  if (std::strcmp(str, mStr.Get()) == 0) return;
  SetDirty(false);
  mStr.Set(str);
}

// ---- Captions.

IParam* ICaptionControl::GetParam() { return mPlug && mParamIdx >= 0 ? mPlug->GetParam(mParamIdx) : nullptr; }

void ICaptionControl::SetTextFromParam(IParam* param) {
  const double value = param->FromNormalized(mValue);
  char text[MAX_PARAM_DISPLAY_LEN];
  param->GetDisplayForHost(value, false, text, true);
  mStr.Set(text);
  if (mShowParamLabel) {
    mStr.Append(" ");
    mStr.Append(param->GetLabelForHost(value));
  }
}

void ICaptionControl::OnMouseDown(int, int, IMouseMod* mod) {
  if (mod && (mod->L || mod->R)) PromptUserInput();
}

void ICaptionControl::OnMouseDblClick(int, int, IMouseMod*) { PromptUserInput(); }

bool ICaptionControl::Draw(IGraphics* g) {
  if (IParam* param = GetParam()) SetTextFromParam(param);
  return ITextControl::Draw(g);
}

// ---- Glyph texts.

bool IBitmapTextControl::Draw(IGraphics* g) {
  if (mStr.GetLength()) {
    DrawBitmapedText(g, &mTextBitmap, &mRect, &mText, &mBlend, mStr.Get(), true, false, mCharWidth, mCharHeight);
  }
  return true;
}

// ---- Links.

void CopyURLText(char (&field)[IURLControl::kMaxURLLen + 1], const char* text) { CopyText(field, text, sizeof(field)); }

IURLControl::IURLControl(IPlugBase* plug, IRECT rect, const char* url, const char* backupURL, const char* errMsg)
    : IControl(plug, rect) {
  CopyURLText(mURL, url);
  CopyURLText(mBackupURL, backupURL);
  CopyURLText(mErrMsg, errMsg);
}

void IURLControl::OpenURLOrBackup(IGraphics* g, const char* url, const char* backupURL, const char* errMsg) {
  if (!g) return;
  if (url[0] && g->OpenURL(url, errMsg, nullptr, nullptr)) return;
  if (backupURL[0]) g->OpenURL(backupURL, errMsg, nullptr, nullptr);
}

void IURLControl::OnMouseDown(int, int, IMouseMod*) { OpenURLOrBackup(GetGUI(), mURL, mBackupURL, mErrMsg); }

// ---- File selectors.

IFileSelectorControl::IFileSelectorControl(IPlugBase* plug, IRECT rect, int paramIdx, IBitmap* bitmap,
                                           EFileAction action, const char* dir, const char* extensions)
    : IControl(plug, rect, paramIdx), mBitmap(*bitmap), mDir(dir), mExtensions(extensions), mFileAction(action) {}

void IFileSelectorControl::OnMouseDown(int, int, IMouseMod*) {
  IGraphics* gui = GetGUI();
  if (!gui) return;
  mState = kFileSelectBusy;
  SetDirty(false);
  gui->PromptForFile(&mFile, mFileAction, &mDir, mExtensions.Get());
  mValue += 1.0;
  if (mValue > 1.0) mValue = 0.0;
  mState = kFileSelectDone;
  SetDirty(true);
}

bool IFileSelectorControl::Draw(IGraphics* g) {
  if (mState == kFileSelectBusy) g->DrawBitmap(&mBitmap, &mRect, 0, 0, nullptr);
  return true;
}

bool IFileSelectorControl::IsDirty() {
  if (mDirty) return true;
  if (mState == kFileSelectDone) {
    mState = kFileSelectIdle;
    return true;
  }
  return false;
}
