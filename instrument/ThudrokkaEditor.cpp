#include "graphics/IGraphics.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaButtons.h"

namespace {

void ShowTab(IPlugGUI* gui, const std::vector<int>& shown, const std::vector<int>& hidden, IQvTabButton* otherButton) {
  IGraphics* editor = dynamic_cast<IGraphics*>(gui);
  if (!editor) return;
  for (int idx : hidden) {
    if (IControl* c = editor->GetControl(idx)) c->Hide(true);
  }
  for (int idx : shown) {
    if (IControl* c = editor->GetControl(idx)) c->Hide(false);
  }
  if (otherButton) otherButton->SetActive(false);
}

}  // namespace

void Thudrokka::OnSynthTab() { ShowTab(GetGUI(), mSynthTabControls, mAboutTabControls, mAboutTabButton); }

void Thudrokka::OnAboutTab() { ShowTab(GetGUI(), mAboutTabControls, mSynthTabControls, mSynthTabButton); }
