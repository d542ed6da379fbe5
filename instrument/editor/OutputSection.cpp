#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaControls.h"

using namespace Quillvane::Synth;

// Every read-out here formats its own parameter, so the instrument keeps none.
void Thudrokka::initOutputUnit() {
  IBitmap volumeKnob = loadImage(1036, "knobs/QV_Volume_Knob_50px.png", 128);
  IBitmap panKnob = loadImage(1038, "knobs/QV_Pan_Knob_35px.png", 128);
  IBitmap saturationKnob = loadImage(1039, "knobs/QV_Saturation_Knob_35px.png", 128);
  IBitmap dryWetKnob = loadImage(1037, "knobs/QV_Dry_Wet_Knob_35px.png", 128);
  IBitmap bypassButton = loadImage(1311, "buttons/bypass_fx_button_84x60.png", 2);

  for (eVstParameters p : {BypassFX, Volume, Saturation, DryWet, Pan}) declareParameter(p);

  const auto addValue = [this](IRECT rect, int paramIdx, eQvCaption mode) {
    attachSynthControl(new IQvCaptionControl(this, rect, paramIdx, &mTextValue, mode));
  };
  addSwitch(871, 483, BypassFX, &bypassButton);
  addKnob(748, 653, Pan, &panKnob);
  addTitle(IRECT(735, 639, 795, 655), "Pan");
  addValue(IRECT(735, 688, 795, 704), Pan, kQvCaptionCentred);
  addKnob(798, 653, Saturation, &saturationKnob);
  addTitle(IRECT(785, 639, 845, 655), "Sat");
  addValue(IRECT(785, 688, 845, 704), Saturation, kQvCaptionPercent);
  addKnob(848, 653, DryWet, &dryWetKnob);
  addTitle(IRECT(835, 639, 895, 655), "Dry/Wet");
  addValue(IRECT(835, 688, 895, 704), DryWet, kQvCaptionPercent);
  addKnob(898, 645, Volume, &volumeKnob);
  addTitle(IRECT(893, 628, 953, 644), "Volume");
  addValue(IRECT(893, 695, 953, 711), Volume, kQvCaptionDecibels);
}
