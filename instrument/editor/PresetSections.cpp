#include "graphics/BitmapControls.h"
#include "graphics/IGraphics.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"
#include "instrument/ThudrokkaPresetControls.h"

using namespace Quillvane::Synth;

namespace {

constexpr const char* kProgramExtensions = "qv bgp";
constexpr const char* kWebURL = "https://quillvane.test";
constexpr const char* kWebAddress = "quillvane.test";
constexpr const char* kSocialURL = "https://social.quillvane.test/thudrokka";
constexpr const char* kSocialAddress = "social.quillvane.test/thudrokka";
// The about tab's pictures are centred on this column.
constexpr int kAboutCentre = 512;

}  // namespace

void Thudrokka::initTabControls() {
  IBitmap synth = loadImage(1313, "buttons/tab_synth_85x50.png", 2);
  IBitmap about = loadImage(1312, "buttons/tab_about_85x50.png", 2);
  mAboutTabButton = new IQvTabButton(this, 512, 722, -1, kQvAboutTab, &about);
  mSynthTabButton = new IQvTabButton(this, 427, 722, -1, kQvSynthTab, &synth);
  // On neither tab's list: both stay visible on both tabs.
  mEditor->AttachControl(mSynthTabButton);
  mEditor->AttachControl(mAboutTabButton);
}

void Thudrokka::initPresetUnit() {
  // Its switch is made with the status bar.
  declareParameter(LimitOutput);
  IBitmap display = loadImage(1107, "displays/preset_display_185x20.png", 1);
  IBitmap previous = loadImage(1206, "switches/Prev_left_20px.png", 2);
  IBitmap next = loadImage(1207, "switches/Next_right_20px.png", 2);
  IBitmap load = loadImage(1307, "buttons/load_on_off_48x40.png", 2);
  IBitmap save = loadImage(1308, "buttons/save_on_off_48x40.png", 2);
  auto* loadButton = new IQvFileSelector(this, IRECT(707, 488, &load), -1, &load, kFileOpen, "", kProgramExtensions);
  auto* saveButton = new IQvFileSelector(this, IRECT(755, 488, &save), -1, &save, kFileSave, "", kProgramExtensions);
  attachSynthControl(new IBitmapControl(this, 500, 488, -1, &display));
  attachSynthControl(new IQvPresetSwitch(this, 483, 488, -1, 2, &previous, false, kQvSwitchDown));
  attachSynthControl(new IQvPresetSwitch(this, 682, 488, -1, 2, &next, false, kQvSwitchUp));
  attachSynthControl(loadButton);
  attachSynthControl(saveButton);
  // Over the display picture, so it takes the clicks there.
  attachSynthControl(new IQvPresetMenu(this, IRECT(500, 492, 682, 508), &mTextValue, COLOR_TRANSPARENT));
}

void Thudrokka::initDisplayUnit() {
  IBitmap display = loadImage(1111, "displays/info_display_540x30.png", 1);
  attachSynthControl(new IBitmapControl(this, 67, 660, -1, &display));
  // Up to the limiter switch at x 387: the text at the usual rates and
  // tempos fits, what is longer is cut there.
  mHostInfoText = attachSynthControl(new IQvHostInfoText(this, IRECT(87, 677, 387, 693), &mTextHostInfo));
  IBitmap limit = loadImage(1309, "buttons/limit_on_off_48x40.png", 2);
  IBitmap reset = loadImage(1310, "buttons/reset_on_off_48x40.png", 2);
  attachSynthControl(new IQvMaxLevelText(this, IRECT(490, 677, 610, 693), &mTextMaxLevel));
  addSwitch(387, 674, LimitOutput, &limit);
  attachSynthControl(new IQvResetButton(this, 435, 674, -1, &reset));
}

void Thudrokka::initAboutTab() {
  IBitmap logo = loadImage(2001, "Quillvane_logo_txt_740x450.png", 1);
  IBitmap edition = loadImage(2002, "QV_Free_Text.png", 1);
  IBitmap team = loadImage(2003, "QV_Team_Text.png", 1);
  IBitmap pluginLogo = loadImage(2006, "AU_Logo.png", 1);
  IBitmap web = loadImage(2008, "QV_URL_icon.png", 1);
  IBitmap social = loadImage(2009, "FB_URL_icon.png", 1);
  auto centred = [this](IBitmap* picture, int y) {
    return new IBitmapControl(this, kAboutCentre - picture->W / 2, y, -1, picture);
  };
  IControl* logoControl = centred(&logo, 35);
  IControl* editionControl = centred(&edition, 470);
  IControl* teamControl = centred(&team, 570);
  IControl* pluginLogoControl = centred(&pluginLogo, 625);
  IControl* webButton = new IQvUrlButton(this, 760, 615, -1, &web, kWebURL, kWebAddress, nullptr);
  IControl* socialButton = new IQvUrlButton(this, 850, 608, -1, &social, kSocialURL, kSocialAddress, nullptr);
  IControl* webCaption = new ITextControl(this, IRECT(760, 610, 760 + web.W, 626), &mTextValue, kWebAddress);
  IControl* socialCaption =
      new ITextControl(this, IRECT(850, 610, 850 + social.W, 626), &mTextValue, "Like us on FB!");
  for (IControl* c : {editionControl, teamControl, pluginLogoControl, logoControl, socialButton, webButton,
                      webCaption, socialCaption}) {
    mAboutTabControls.push_back(mEditor->AttachControl(c));
  }
  // The editor opens on the synth tab.
  for (int idx : mAboutTabControls) mEditor->GetControl(idx)->Hide(true);
}
