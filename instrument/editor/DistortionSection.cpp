#include "graphics/BitmapControls.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"

using namespace Quillvane::Synth;

void Thudrokka::initDistoUnit() {
  IBitmap onOff = loadImage(201, "switches/QV_on_off_20px.png", 2);
  IBitmap amountKnob = loadImage(1002, "knobs/QV_Disto_Knob_40px.png", 128);
  IBitmap bitCrushKnob = loadImage(1020, "knobs/QV_Disto_BitCrash_30px.png", 128);
  IBitmap sampleRateKnob = loadImage(1021, "knobs/QV_Disto_SmpRate_30px.png", 128);
  IBitmap gateKnob = loadImage(1022, "knobs/QV_Disto_Gate_30px.png", 128);
  IBitmap previousArrow = loadImage(1204, "switches/Prev_up_18px.png", 2);
  IBitmap nextArrow = loadImage(1205, "switches/Next_down_18px.png", 2);
  IBitmap interpolationSwitch = loadImage(1208, "switches/disto_mode_on_off_48px_40px.png", 2);
  IBitmap loudnessSwitch = loadImage(1209, "switches/loud_on_off_48px_40px.png", 2);
  IBitmap sineDisplay = loadImage(1108, "displays/disto_display_110x38.png", 1);
  IBitmap curveDisplay = loadImage(1109, "displays/Distortion_Curve_Display_111x93.png", 1);

  // Declaring the quantisation also gives it its curved knob law.
  for (eVstParameters p : {DistortionOnOff, Distortion, DistortionType, DistortionInterpMode, DistortionLoudness,
                           Quantization, SampleRate, Gate}) {
    declareParameter(p);
  }

  attachSynthControl(new IBitmapControl(this, 669, 361, -1, &curveDisplay));
  attachSynthControl(new IBitmapControl(this, 481, 364, -1, &sineDisplay));

  // Nothing renders yet, so the unit can be read here; the curves are right
  // from the first draw.
  mDistortion.updateGUIData(mDistortionTransferCurve, kDistortionTransferCurvePoints, mDistortionWaveCurve,
                            kDistortionWaveCurvePoints);
  // Both curves inside their pictures' borders with two pixels to spare, 0
  // on the pictures' middle rows.
  mDistortionTransferCurveControl = attachSynthControl(new IQvCurve(
      this, IRECT(673, 365, 776, 450), mDistortionTransferCurve, kDistortionTransferCurvePoints, true));
  mDistortionWaveCurveControl = attachSynthControl(
      new IQvCurve(this, IRECT(487, 370, 585, 397), mDistortionWaveCurve, kDistortionWaveCurvePoints, false));

  addTitle(IRECT(678, 465, 786, 481), "Distortion Curve");
  // Wide enough for the longest type name, short of the amount title at x 612.
  mDistortionTypeText = attachSynthControl(new ITextControl(this, IRECT(486, 401, 610, 417), &mTextLeft, "distortion"));
  // Over the transfer curve and no further right: the picture ends at 780.
  mInterpolationText =
      attachSynthControl(new ITextControl(this, IRECT(683, 369, 776, 385), &mTextLeft, "interpolation"));
  addTitle(IRECT(612, 409, 672, 425), "Amount");
  addCaption(IRECT(612, 464, 672, 480), Distortion);
  // Knobs 44 pixels apart are too close for these two words centred over
  // them: each stands three pixels off its knob, away from the other.
  addTitle(IRECT(472, 420, 532, 436), "BitCrash");
  mBitsText = addTitle(IRECT(475, 464, 535, 480), "64 bit");
  addTitle(IRECT(522, 420, 582, 436), "SmpRate");
  mSampleRateText = addTitle(IRECT(519, 464, 579, 480), "44100 Hz");
  addTitle(IRECT(563, 420, 623, 436), "Gate");
  mGateText = addTitle(IRECT(563, 464, 623, 480), "-oo dB");

  addSwitch(488, 347, DistortionOnOff, &onOff);
  addKnob(622, 424, Distortion, &amountKnob);
  // The type stops at either end; the interpolation comes round again.
  const int types = Quillvane::Distortion::getNumberOfDistortions();
  attachSynthControl(new IQvModeSwitch(this, 589, 365, -1, DistortionType, types, &previousArrow, false,
                                       kQvSwitchDown));
  attachSynthControl(new IQvModeSwitch(this, 589, 382, -1, DistortionType, types, &nextArrow, false,
                                       kQvSwitchUp));
  attachSynthControl(new IQvModeSwitch(this, 618, 365, -1, DistortionInterpMode, Quillvane::kNumInterpolationTypes,
                                       &interpolationSwitch, true, kQvSwitchUp));
  addSwitch(618, 386, DistortionLoudness, &loudnessSwitch);
  addKnob(490, 434, Quantization, &bitCrushKnob);
  addKnob(534, 434, SampleRate, &sampleRateKnob);
  addKnob(578, 434, Gate, &gateKnob);
}
