#include "graphics/BitmapControls.h"
#include "graphics/KnobControls.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaButtons.h"
#include "instrument/ThudrokkaControls.h"

using namespace Quillvane::Synth;

// What differs between the three strips: the second and third are the first
// moved down, bound to their own oscillator's parameters.
struct Thudrokka::OscillatorStrip {
  int dy;
  // Added to oscillator 1's parameters, all but the filter envelope's invert.
  int paramOffset;
  eVstParameters invertFilterEnvelope;
  int displayId;
  const char* displayPath;
  IText* nameStyle;
  const char* namePlaceholder;
  ITextControl*& waveformText;
  IQvCurve*& curveControl;
  double* curve;
};

namespace {

constexpr int kWaveformChoices = 36;

}  // namespace

void Thudrokka::initOsc1Unit() {
  initOscUnit({0, 0, Osc1InvertFilEnv, 1101, "displays/Waveform_Display_80x35_osc1.png", &mTextOsc1, "waveform1",
               mOsc1WaveformText, mOsc1WaveformCurveControl, mOsc1WaveformCurve});
}

void Thudrokka::initOsc2Unit() {
  initOscUnit({145, 15, Osc2InvertFilEnv, 1102, "displays/Waveform_Display_80x35_osc2.png", &mTextOsc2, "waveform2",
               mOsc2WaveformText, mOsc2WaveformCurveControl, mOsc2WaveformCurve});
}

void Thudrokka::initOsc3Unit() {
  initOscUnit({290, 30, Osc3InvertFilEnv, 1103, "displays/Waveform_Display_80x35_osc3.png", &mTextOsc3, "waveform3",
               mOsc3WaveformText, mOsc3WaveformCurveControl, mOsc3WaveformCurve});
}

void Thudrokka::initOscUnit(const OscillatorStrip& strip) {
  const auto param = [&](eVstParameters oscillator1) {
    return static_cast<eVstParameters>(oscillator1 + strip.paramOffset);
  };
  const int dy = strip.dy;
  const auto rect = [dy](int l, int t, int r, int b) { return IRECT(l, t + dy, r, b + dy); };

  for (eVstParameters p : {Osc1OnOff, OscWaveform1, OscPitch1, OscFreq1, OscModFrequency1, OscInvertWaveform1,
                           OscFilterCutoff1, OscFilterResonance1, OscPan1, OscSat1, OscVolume1, OscRingModAmount1,
                           OscFreqModAmount1, OscFiltModAmount1, OscFilterType1}) {
    declareParameter(param(p));
  }
  declareParameter(strip.invertFilterEnvelope);

  IBitmap onOff = loadImage(201, "switches/QV_on_off_20px.png", 2);
  IBitmap display = loadImage(strip.displayId, strip.displayPath, 1);
  IBitmap previous = loadImage(1201, "switches/Prev_WF_up_20px.png", 2);
  IBitmap next = loadImage(1202, "switches/Next_WF_down_20px.png", 2);
  IBitmap pitchKnob = loadImage(1003, "knobs/QV_Osc_Pitch_Tune_Knob_30px.png", 128);
  IBitmap tuneKnob = loadImage(1004, "knobs/QV_Osc_Pitch_Tune_Knob_30px.png", 128);
  IBitmap invert = loadImage(1301, "buttons/invert_button_48x40.png", 2);
  IBitmap invertFilterEnvelope = loadImage(1314, "buttons/invert_filter_envelope_80x40.png", 2);
  IBitmap cutoffKnob = loadImage(1005, "knobs/QV_Filter_Knob_40px.png", 128);
  IBitmap resonanceKnob = loadImage(1006, "knobs/QV_Resonance_Knob_40px.png", 128);
  IBitmap panKnob = loadImage(1007, "knobs/QV_Osc_Pan_Knob_30px.png", 128);
  IBitmap saturationKnob = loadImage(1008, "knobs/QV_Osc_Saturation_Knob_30px.png", 128);
  IBitmap volumeKnob = loadImage(1009, "knobs/QV_Osc_Volume_Knob_30px.png", 128);
  IBitmap lfoKnob = loadImage(1010, "knobs/QV_LFO_Knob_30px.png", 128);
  IBitmap sliderHandle = loadImage(1401, "slider_handle_14px_14px.png", 1);
  IBitmap sliderTrack = loadImage(1402, "slider_background_82px_14px.png", 1);

  strip.waveformText = new ITextControl(this, rect(88, 119, 188, 135), strip.nameStyle, strip.namePlaceholder);
  attachSynthControl(strip.waveformText);
  attachSynthControl(new IBitmapControl(this, 81, 75 + dy, -1, &display));
  // The cycle of the waveform the oscillator starts with, until the
  // parameters are next applied with the editor attached.
  const double waveform = GetParam(param(OscWaveform1))->Value();
  const bool fold = GetParam(param(OscInvertWaveform1))->Value() > 0.5;
  oscillatorCurve(waveform, fold, strip.curve);
  // Inside the picture's border with two pixels to spare, 0 on its middle
  // row.
  strip.curveControl = new IQvCurve(this, rect(85, 79, 157, 106), strip.curve, kOscCurvePoints, false);
  attachSynthControl(strip.curveControl);

  addTitle(rect(73, 132, 133, 148), "Pitch");
  attachSynthControl(new IQvCaptionControl(this, rect(73, 176, 133, 192), param(OscPitch1), &mTextValue,
                                           kQvCaptionSemitones));
  addTitle(rect(123, 132, 183, 148), "Tune");
  attachSynthControl(new IQvCaptionControl(this, rect(123, 176, 183, 192), param(OscFreq1), &mTextValue,
                                           kQvCaptionBipolar));
  addTitle(rect(188, 132, 248, 148), "LFO freq.");
  attachSynthControl(new IQvCaptionControl(this, rect(188, 176, 248, 192), param(OscModFrequency1), &mTextValue,
                                           kQvCaptionScaled, "Hz", 20.0, 0.0));
  addTitle(rect(238, 81, 298, 97), "Cutoff");
  addCaption(rect(238, 136, 298, 152), param(OscFilterCutoff1));
  addTitle(rect(293, 81, 353, 97), "Resonance");
  addCaption(rect(293, 136, 353, 152), param(OscFilterResonance1));
  attachSynthControl(new IBitmapControl(this, 253, 151 + dy, -1, &sliderTrack));
  attachSynthControl(
      new IFaderControl(this, 253, 151 + dy, sliderTrack.W, param(OscFilterType1), &sliderHandle, kHorizontal, false));
  addTitle(rect(338, 68, 398, 84), "Ampl.");
  addCaption(rect(338, 111, 398, 127), param(OscRingModAmount1));
  addTitle(rect(378, 68, 438, 84), "Freq.");
  addCaption(rect(378, 111, 438, 127), param(OscFreqModAmount1));
  addTitle(rect(418, 68, 478, 84), "Filter");
  addCaption(rect(418, 111, 478, 127), param(OscFiltModAmount1));
  addTitle(rect(338, 133, 398, 149), "Pan");
  attachSynthControl(
      new IQvCaptionControl(this, rect(338, 176, 398, 192), param(OscPan1), &mTextValue, kQvCaptionCentred));
  addTitle(rect(378, 133, 438, 149), "Sat");
  attachSynthControl(
      new IQvCaptionControl(this, rect(378, 176, 438, 192), param(OscSat1), &mTextValue, kQvCaptionPercent));
  addTitle(rect(418, 133, 478, 149), "Vol");
  attachSynthControl(
      new IQvCaptionControl(this, rect(418, 176, 478, 192), param(OscVolume1), &mTextValue, kQvCaptionDecibels));

  addSwitch(78, 56 + dy, param(Osc1OnOff), &onOff);
  attachSynthControl(new IQvModeSwitch(this, 173, 81 + dy, -1, param(OscWaveform1), kWaveformChoices, &previous,
                                       false, kQvSwitchDown));
  attachSynthControl(new IQvModeSwitch(this, 173, 100 + dy, -1, param(OscWaveform1), kWaveformChoices, &next,
                                       false, kQvSwitchUp));
  addKnob(88, 146 + dy, param(OscPitch1), &pitchKnob);
  addKnob(138, 146 + dy, param(OscFreq1), &tuneKnob);
  addKnob(203, 146 + dy, param(OscModFrequency1), &lfoKnob);
  addSwitch(193, 81 + dy, param(OscInvertWaveform1), &invert);
  addSwitch(254, 166 + dy, strip.invertFilterEnvelope, &invertFilterEnvelope);
  addKnob(248, 96 + dy, param(OscFilterCutoff1), &cutoffKnob);
  addKnob(303, 96 + dy, param(OscFilterResonance1), &resonanceKnob);
  addKnob(353, 146 + dy, param(OscPan1), &panKnob);
  addKnob(393, 146 + dy, param(OscSat1), &saturationKnob);
  addKnob(433, 146 + dy, param(OscVolume1), &volumeKnob);
  addKnob(353, 81 + dy, param(OscRingModAmount1), &lfoKnob);
  addKnob(393, 81 + dy, param(OscFreqModAmount1), &lfoKnob);
  addKnob(433, 81 + dy, param(OscFiltModAmount1), &lfoKnob);
}
