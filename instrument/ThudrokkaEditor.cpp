#include "graphics/IGraphics.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaButtons.h"

void Thudrokka::OnSynthTab() { showTab(true); }

void Thudrokka::OnAboutTab() { showTab(false); }

void Thudrokka::showTab(bool synth) {
  mSynthTabShown = synth;
  for (int idx : synth ? mSynthTabControls : mAboutTabControls) {
    if (IControl* c = mEditor->GetControl(idx)) c->Hide(false);
  }
  for (int idx : synth ? mAboutTabControls : mSynthTabControls) {
    if (IControl* c = mEditor->GetControl(idx)) c->Hide(true);
  }
  // The pressed button made itself active already; a call from elsewhere
  // must not leave both or neither active.
  IQvTabButton* shown = synth ? mSynthTabButton : mAboutTabButton;
  IQvTabButton* other = synth ? mAboutTabButton : mSynthTabButton;
  if (other) other->SetActive(false);
  if (shown) shown->SetActive(true);
}
