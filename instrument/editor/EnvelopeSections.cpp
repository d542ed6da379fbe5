#include "graphics/BitmapControls.h"
#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaControls.h"

using namespace Quillvane::Synth;

void Thudrokka::initPitchEnvUnit() {
  for (eVstParameters p : {PitchOnOff, PitchAmount, PitchDuration, PitchPower, PitchDown}) declareParameter(p);

  IBitmap display = loadImage(1104, "displays/Pitch_Display_150x50.png", 1);
  IBitmap onOff = loadImage(201, "switches/QV_on_off_20px.png", 2);
  IBitmap knob = loadImage(1001, "knobs/QV_Pitch_Knob_40px.png", 128);

  addTitle(IRECT(478, 130, 538, 146), "Amount");
  addCaption(IRECT(478, 176, 538, 192), PitchAmount);
  addTitle(IRECT(528, 130, 588, 146), "Duration");
  addCaption(IRECT(528, 176, 588, 192), PitchDuration);
  addTitle(IRECT(578, 130, 638, 146), "Power");
  addCaption(IRECT(578, 176, 638, 192), PitchPower);
  addTitle(IRECT(628, 130, 688, 146), "Down");
  addCaption(IRECT(628, 176, 688, 192), PitchDown);
  attachSynthControl(new IBitmapControl(this, 498, 68, -1, &display));
  mPitchEnvelope.updateGUIData(mPitchEnvelopeCurve, kPitchEnvelopeCurvePoints);
  // Inside the picture's border with two pixels to spare: 0 on the
  // picture's middle row, -1 on the rectangle's last.
  mPitchEnvelopeCurveControl = attachSynthControl(
      new IQvCurve(this, IRECT(502, 73, 644, 114), mPitchEnvelopeCurve, kPitchEnvelopeCurvePoints, false));
  addSwitch(488, 56, PitchOnOff, &onOff);
  addKnob(488, 139, PitchAmount, &knob);
  addKnob(538, 139, PitchDuration, &knob);
  addKnob(588, 139, PitchPower, &knob);
  addKnob(638, 139, PitchDown, &knob);
}

// What differs between the two envelope sections: the filter envelope's is
// the volume envelope's moved right, bound to its own parameters.
struct Thudrokka::EnvelopeSection {
  int dx;
  // Attack; decay, sustain, release and duration follow.
  eVstParameters attack;
  int knobId;
  const char* knobPath;
  int displayId;
  const char* displayPath;
  Quillvane::ADSR& envelope;
  double* curve;
  IQvCurve*& curveControl;
  ITextControl*& attackText;
  ITextControl*& decayText;
  ITextControl*& releaseText;
};

namespace {

constexpr const char* kTimePlaceholder = "0.0 s";

}  // namespace

void Thudrokka::initVolumeEnvUnit() {
  initEnvelopeUnit({0, EnvAttack, 1011, "knobs/QV_ADSR_Volume_Knob_30px.png", 1105,
                    "displays/Volume_Envelope_120x45.png", mVolumeEnvelopeDisplay, mVolumeEnvelopeCurve,
                    mVolumeEnvelopeCurveControl, mVolumeAttackText, mVolumeDecayText, mVolumeReleaseText});
}

void Thudrokka::initFilterEnvUnit() {
  initEnvelopeUnit({205, FilterAttack, 1012, "knobs/QV_ADSR_Filter_Knob_30px.png", 1106,
                    "displays/Filter_Envelope_120x45.png", mFilterEnvelopeDisplay, mFilterEnvelopeCurve,
                    mFilterEnvelopeCurveControl, mFilterAttackText, mFilterDecayText, mFilterReleaseText});
}

void Thudrokka::initEnvelopeUnit(const EnvelopeSection& section) {
  const auto param = [&](int fromAttack) { return static_cast<eVstParameters>(section.attack + fromAttack); };
  const eVstParameters decay = param(1), sustain = param(2), release = param(3), duration = param(4);
  const int dx = section.dx;
  const auto rect = [dx](int l, int t, int r, int b) { return IRECT(l + dx, t, r + dx, b); };

  for (eVstParameters p : {section.attack, decay, sustain, release, duration}) declareParameter(p);

  IBitmap knob = loadImage(section.knobId, section.knobPath, 128);
  IBitmap display = loadImage(section.displayId, section.displayPath, 1);

  attachSynthControl(new IBitmapControl(this, 76 + dx, 505, -1, &display));
  section.envelope.updateGUIData(section.curve, nullptr, kEnvelopeCurvePoints);
  // Inside the picture's border with two pixels to spare; the levels run
  // from 0 on the rectangle's last row to 1 on its first.
  const IRECT curveRect = rect(80, 509, 192, 546);
  section.curveControl = new IQvCurve(this, curveRect, section.curve, kEnvelopeCurvePoints, false);
  section.curveControl->SetGain(curveRect.H() - 1, curveRect.H() - 1);
  attachSynthControl(section.curveControl);

  section.attackText = new ITextControl(this, rect(72, 613, 132, 629), &mTextValue, kTimePlaceholder);
  section.decayText = new ITextControl(this, rect(118, 613, 178, 629), &mTextValue, kTimePlaceholder);
  section.releaseText = new ITextControl(this, rect(210, 613, 270, 629), &mTextValue, kTimePlaceholder);
  attachSynthControl(section.attackText);
  attachSynthControl(section.decayText);
  attachSynthControl(new IQvCaptionControl(this, rect(164, 613, 224, 629), sustain, &mTextValue, kQvCaptionPercent));
  attachSynthControl(section.releaseText);
  attachSynthControl(new IQvCaptionControl(this, rect(210, 549, 270, 565), duration, &mTextValue, kQvCaptionScaled,
                                           "s", Quillvane::ADSR::kMaxDuration, 0.0));

  addTitle(rect(72, 570, 132, 586), "Attack");
  addTitle(rect(118, 570, 178, 586), "Decay");
  addTitle(rect(164, 570, 224, 586), "Sustain");
  addTitle(rect(210, 570, 270, 586), "Release");
  addTitle(rect(210, 506, 270, 522), "Duration");
  addKnob(87 + dx, 583, section.attack, &knob);
  addKnob(133 + dx, 583, decay, &knob);
  addKnob(179 + dx, 583, sustain, &knob);
  addKnob(225 + dx, 583, release, &knob);
  addKnob(225 + dx, 519, duration, &knob);
}
