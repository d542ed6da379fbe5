#pragma once

#include "framework/WDL_String.h"
#include "graphics/HandOver.h"
#include "graphics/IControl.h"

// A string drawn in a text style, bound to no parameter.
class ITextControl : public IControl {
 public:
  // Texts handed over from other threads keep at most this many characters.
  static constexpr int kMaxHandOverText = 255;

  ITextControl(IPlugBase* plug, IRECT rect, IText* text, const char* str = "");

  bool Draw(IGraphics* g) override;
  // Replaces the text and redraws only when it changed; never pushes to the
  // plug-in. From another thread the text is handed over and shown from the
  // editor's next tick.
  void SetTextFromPlug(const char* str);
  const char* GetTextString() const { return mStr.Get(); }

 protected:
  void ApplyHandOver() override;

  WDL_String mStr;

 private:
  struct TextSlot {
    char text[kMaxHandOverText + 1];
  };
  void ReplaceText(const char* str);

  HandOver<TextSlot> mHandOver{TextSlot{}};
};
