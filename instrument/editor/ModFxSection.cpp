#include "effects/Phaser.h"
#include "effects/RingModulator.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"

using namespace Quillvane::Synth;

void Thudrokka::initModFxUnit() {
  IBitmap onOff = loadImage(201, "switches/QV_on_off_20px.png", 2);
  IBitmap rateKnob = loadImage(1018, "knobs/QV_ModFx_Knob_30px.png", 128);
  IBitmap amountKnob = loadImage(1019, "knobs/QV_ModFx_Amt_Knob_30px.png", 128);
  IBitmap waveformKnob = loadImage(1042, "knobs/QV_ModFx_Waveform_Knob_30px.png", 5);
  IBitmap syncButton = loadImage(1305, "buttons/sync_button_48x40.png", 2);

  for (eVstParameters p : {ModulationOnOff, RingModulationAmount, RingModulationFrequency, RingModulationWaveForm,
                           PhaserDepth, PhaserFeedback, PhaserRate}) {
    declareParameter(p);
  }

  mSyncButton = attachSynthControl(new IQvSyncButton(this, 810, 301, -1, &syncButton));

  // Ring modulator.
  addTitle(IRECT(735, 278, 795, 294), "Amount");
  addTitle(IRECT(715, 220, 775, 236), "Rate");
  addTitle(IRECT(765, 220, 825, 236), "Waveform");
  attachSynthControl(new IQvCaptionControl(this, IRECT(715, 263, 775, 279), RingModulationFrequency, &mTextValue,
                                           kQvCaptionScaledCoarse, "Hz", Quillvane::RingModulator::kMaxRingRate, 0.0));
  mRingWaveformText = addTitle(IRECT(765, 263, 825, 279), "ring form");

  // Phaser.
  addTitle(IRECT(870, 278, 930, 294), "Amount");
  addTitle(IRECT(850, 220, 910, 236), "Rate");
  addTitle(IRECT(900, 220, 960, 236), "Feedb.");
  addCaption(IRECT(870, 321, 930, 337), PhaserDepth);
  attachSynthControl(new IQvCaptionControl(this, IRECT(850, 263, 910, 279), PhaserRate, &mTextValue,
                                           kQvCaptionScaled, "Hz", Quillvane::Phaser::kMaxPhaserRate, 0.0));
  addCaption(IRECT(900, 263, 960, 279), PhaserFeedback);

  addSwitch(725, 201, ModulationOnOff, &onOff);
  addKnob(750, 291, RingModulationAmount, &amountKnob);
  addKnob(730, 233, RingModulationFrequency, &rateKnob);
  // One frame per waveform.
  addKnob(780, 233, RingModulationWaveForm, &waveformKnob);
  addKnob(885, 291, PhaserDepth, &amountKnob);
  addKnob(865, 233, PhaserRate, &rateKnob);
  addKnob(915, 233, PhaserFeedback, &rateKnob);
  addCaption(IRECT(735, 321, 795, 337), RingModulationAmount);
}
