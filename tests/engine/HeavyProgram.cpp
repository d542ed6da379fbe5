#include "tests/engine/HeavyProgram.h"

#include <utility>

namespace testsupport {

using namespace Quillvane::Synth;

namespace {

using Setting = std::pair<eVstParameters, double>;

template <std::size_t N>
void apply(StandInSynth& synth, const Setting (&settings)[N]) {
  for (const auto& [parameter, value] : settings) synth.setParameter(parameter, value);
}

}  // namespace

void applyHeavyProgram(StandInSynth& synth) {
  const Setting settings[] = {
      {OscWaveform1, 0.0},        {OscVolume1, 0.8},          {OscSat1, 0.3},
      {OscPan1, 0.3},             {OscFilterType1, 0.2},      {OscFilterCutoff1, 0.7},
      {OscFilterResonance1, 0.4}, {OscWaveform2, 1.0 / 35.0}, {OscFreq2, 0.6},
      {OscVolume2, 0.7},          {OscSat2, 0.5},             {OscFilterType2, 0.5},
      {OscFilterCutoff2, 0.5},    {OscFilterResonance2, 0.2}, {OscWaveform3, 5.0 / 35.0},
      {OscPitch3, 0.75},          {OscVolume3, 0.6},          {OscSat3, 0.2},
      {OscPan3, 0.7},             {OscFilterType3, 0.8},      {OscFilterCutoff3, 0.9},
      {OscFilterResonance3, 0.6}, {UnisonVoices, 1.0},        {UnisonDetune, 0.3},
      {FmAmount, 0.4},            {BassLayerAmount, 0.5},     {PitchOnOff, 1.0},
  };
  apply(synth, settings);
}

void applyFullProgram(StandInSynth& synth) {
  applyHeavyProgram(synth);
  const Setting settings[] = {
      {OscModFrequency1, 0.2},     {OscRingModAmount1, 0.2},  {OscFreqModAmount1, 0.1},
      {OscFiltModAmount1, 0.3},    {OscModFrequency2, 0.35},  {OscFreqModAmount2, 0.3},
      {OscFiltModAmount2, 0.2},    {OscWaveform3, 18.0 / 35.0}, {OscModFrequency3, 0.1},
      {OscRingModAmount3, 0.1},    {OscFiltModAmount3, 0.5},  {Osc2InvertFilEnv, 1.0},
      {BassLayerClick, 0.5},
  };
  apply(synth, settings);
}

}  // namespace testsupport
