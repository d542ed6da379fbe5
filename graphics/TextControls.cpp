#include "graphics/TextControls.h"

#include <cstring>

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
    std::strncpy(slot.text, str, kMaxHandOverText);
    slot.text[kMaxHandOverText] = 0;
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
