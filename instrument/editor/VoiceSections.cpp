#include "graphics/BitmapControls.h"
#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"

using namespace Quillvane::Synth;

namespace {

// Left edge of a text of the given width centred on a knob whose left edge
// is at x, so that the texts follow the knob image's size.
int CentredOnKnob(int x, int textWidth, const IBitmap& knob) { return x - (textWidth - knob.W) / 2; }

// Height of one frame of a 128-frame knob strip.
int KnobFrameHeight(const IBitmap& knob) { return knob.H / 128; }

// Titles of two lines from y 514 need two lines of the read-out style, and
// stay clear of the knobs below them at y 554.
constexpr int kTwoLineTitleBottom = 543;

}  // namespace

void Thudrokka::initUnisonUnit() {
  declareParameter(UnisonVoices);
  declareParameter(UnisonDetune);

  IBitmap detuneKnob = loadImage(1013, "knobs/QV_Unison_Knob_40px.png", 128);
  IBitmap voicesKnob = loadImage(1014, "knobs/QV_Unison_Knob_2_states_40px.png", 2);

  mUnisonVoicesText = new ITextControl(this, IRECT(623, 594, 683, 610), &mTextValue, "voices");
  addTitle(IRECT(623, 514, 683, kTwoLineTitleBottom), "Unison\nVoices");
  attachSynthControl(mUnisonVoicesText);
  addTitle(IRECT(673, 514, 733, kTwoLineTitleBottom), "Unison\nDetune");
  addCaption(IRECT(673, 594, 733, 610), UnisonDetune);
  addKnob(633, 554, UnisonVoices, &voicesKnob);
  addKnob(683, 554, UnisonDetune, &detuneKnob);
}

void Thudrokka::initFmModulationUnit() {
  IBitmap knob = loadImage(1017, "knobs/QV_Fm_Modulation_Knob_40px.png", 128);
  declareParameter(FmAmount);

  const int left = CentredOnKnob(583, 60, knob);
  const int f = KnobFrameHeight(knob);
  addTitle(IRECT(left, 514, left + 60, kTwoLineTitleBottom), "FM\ncarrier");
  addCaption(IRECT(left, 554 + f, left + 60, 570 + f), FmAmount);
  addKnob(583, 554, FmAmount, &knob);
}

void Thudrokka::initGlobalTransposeUnit() {
  IBitmap knob = loadImage(1040, "knobs/QV_Global_Tune_Knob_50px.png", 128);
  IBitmap kickMode = loadImage(1306, "buttons/kick_mode_button_60x60.png", 2);
  declareParameter(GlobalTranspose);
  declareParameter(KickTransposeMode);

  const int left = CentredOnKnob(503, 90, knob);
  const int f = KnobFrameHeight(knob);
  addTitle(IRECT(left, 512, left + 90, 528), "Global Transpose");
  addTitle(IRECT(left, 529 + f, left + 90, 545 + f), "Note Base Freq.");
  addKnob(503, 529, GlobalTranspose, &knob);
  mNoteInfoText = addTitle(IRECT(left, 544 + f, left + 90, 560 + f), "0.0 Hz (-)");
  // Under the note read-out's rectangle, which it would otherwise cover.
  addSwitch(498, 610, KickTransposeMode, &kickMode);
}

void Thudrokka::initBassLayerUnit() {
  for (eVstParameters p : {BassLayerAmount, BassLayerToFilter, BassLayerSolo, BassLayerClick}) declareParameter(p);

  IBitmap knob = loadImage(1041, "knobs/QV_Bass-Layer_Knob_40px.png", 128);
  IBitmap filter = loadImage(1302, "buttons/filter_button_48x40.png", 2);
  IBitmap solo = loadImage(1303, "buttons/solo_button_48x40.png", 2);
  IBitmap click = loadImage(1304, "buttons/click_button_48x40.png", 2);

  addTitle(IRECT(623, 633, 683, 649), "Bass-Layer");
  attachSynthControl(
      new IQvCaptionControl(this, IRECT(623, 688, 683, 704), BassLayerAmount, &mTextValue, kQvCaptionDecibels));
  addKnob(633, 648, BassLayerAmount, &knob);
  addSwitch(685, 633, BassLayerToFilter, &filter);
  addSwitch(685, 654, BassLayerSolo, &solo);
  attachSynthControl(new IQvClickButton(this, 685, 675, BassLayerClick, &click));
}
