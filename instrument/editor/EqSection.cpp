#include "graphics/BitmapControls.h"
#include "instrument/Thudrokka.h"

using namespace Quillvane::Synth;

// No dump/expand curve: its read-out is the only display of that stage.
void Thudrokka::initEqUnit() {
  IBitmap frequencyDisplay = loadImage(1112, "displays/EQ_Frequency_Display_217x20.png", 1);
  IBitmap bassKnob = loadImage(1034, "knobs/QV_EQ_Low_Knob_35px.png", 128);
  IBitmap midKnob = loadImage(1033, "knobs/QV_EQ_Mid_Knob_35px.png", 128);
  IBitmap highKnob = loadImage(1032, "knobs/QV_EQ_High_Knob_35px.png", 128);
  IBitmap dumpExpandKnob = loadImage(1035, "knobs/QV_DumpExp_Knob_35px.png", 128);

  // First, so that the value row draws over it.
  attachSynthControl(new IBitmapControl(this, 737, 591, -1, &frequencyDisplay));

  for (eVstParameters p : {BassAmount, MidAmount, HighAmount, DumpExpand}) declareParameter(p);

  addKnob(748, 558, BassAmount, &bassKnob);
  addTitle(IRECT(735, 544, 795, 560), "Bass");
  mBassGainText = addTitle(IRECT(735, 594, 795, 610), "0.0 dB");
  addKnob(798, 558, MidAmount, &midKnob);
  addTitle(IRECT(785, 544, 845, 560), "Mid");
  mMidGainText = addTitle(IRECT(785, 594, 845, 610), "0.0 dB");
  addKnob(848, 558, HighAmount, &highKnob);
  addTitle(IRECT(835, 544, 895, 560), "High");
  mHighGainText = addTitle(IRECT(835, 594, 895, 610), "0.0 dB");
  addKnob(905, 558, DumpExpand, &dumpExpandKnob);
  addTitle(IRECT(892, 544, 952, 560), "Dump/Exp.");
  mDumpExpandText = addTitle(IRECT(892, 594, 952, 610), "freq.");
}
