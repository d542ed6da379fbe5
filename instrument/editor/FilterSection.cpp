#include "graphics/BitmapControls.h"
#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaButtons.h"

using namespace Quillvane::Synth;

void Thudrokka::initFilterUnit() {
  for (eVstParameters p : {FilterOnOff, FilterInputDrive, FilterCutoff, FilterResonance, FilterType, FilterMode1,
                           FilterMode2, FilterTransition}) {
    declareParameter(p);
  }

  IBitmap onOff = loadImage(201, "switches/QV_on_off_20px.png", 2);
  IBitmap modeSwitch = loadImage(1203, "switches/mode_on_off_48px_40px.png", 2);
  IBitmap sliderHandle = loadImage(1401, "slider_handle_14px_14px.png", 1);
  IBitmap sliderTrack = loadImage(1403, "slider_background_104px_14px.png", 1);
  IBitmap cutoffKnob = loadImage(1005, "knobs/QV_Filter_Knob_40px.png", 128);
  IBitmap resonanceKnob = loadImage(1006, "knobs/QV_Resonance_Knob_40px.png", 128);
  IBitmap driveKnob = loadImage(1043, "knobs/QV_Filter_InputDrive_Knob_30px.png", 128);
  IBitmap transitionKnob = loadImage(1044, "knobs/QV_Filter_Transition_Knob_30px.png", 3);

  addTitle(IRECT(486, 228, 546, 244), "In-Drive");
  addTitle(IRECT(541, 220, 601, 236), "Cutoff");
  addTitle(IRECT(596, 220, 656, 236), "Resonance");
  addTitle(IRECT(651, 228, 711, 244), "Transition");
  addKnob(501, 243, FilterInputDrive, &driveKnob);
  addKnob(551, 233, FilterCutoff, &cutoffKnob);
  addKnob(606, 233, FilterResonance, &resonanceKnob);
  // One frame per speed.
  addKnob(666, 243, FilterTransition, &transitionKnob);
  addSwitch(488, 201, FilterOnOff, &onOff);

  attachSynthControl(new IBitmapControl(this, 546, 292, -1, &sliderTrack));
  // The bank mix jumps to wherever the track is clicked.
  attachSynthControl(new IFaderControl(this, 546, 292, 104, FilterType, &sliderHandle, kHorizontal, false));
  // The arrows step the parameter, not themselves: their picture only shows
  // whether they are held.
  attachSynthControl(new IQvModeSwitch(this, 491, 289, -1, FilterMode1, 4, &modeSwitch, true, kQvSwitchUp));
  attachSynthControl(new IQvModeSwitch(this, 656, 289, -1, FilterMode2, 4, &modeSwitch, true, kQvSwitchUp));

  addCaption(IRECT(486, 273, 546, 289), FilterInputDrive);
  mCutoffText = addTitle(IRECT(541, 273, 601, 289), "cutoff");
  addCaption(IRECT(596, 273, 656, 289), FilterResonance);
  mFilterTransitionText = addTitle(IRECT(651, 273, 711, 289), "transition");
  mFilterMode1Text = addTitle(IRECT(485, 313, 545, 329), "fmode1");
  mFilterMode2Text = addTitle(IRECT(650, 313, 710, 329), "fmode2");
  mFilterMixText = addTitle(IRECT(546, 313, 650, 329), "type fader");
}
