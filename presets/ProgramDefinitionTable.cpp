// The factory presets, one definition per bank position. Lists hold only
// what a preset changes on top of its starting point.

#include "engine/ADSR.h"
#include "presets/ProgramDefinitions.h"

namespace Quillvane {

namespace {

using namespace Synth;

constexpr DefinitionKind kComplete = DefinitionKind::kComplete;
constexpr DefinitionKind kDerived = DefinitionKind::kDerived;
constexpr DefinitionKind kPartial = DefinitionKind::kPartial;

constexpr double kMinAttack = ADSR::kMinAttack;
constexpr double kKickRelease = ADSR::kDefaultKickRelease;
constexpr double kDecay = ADSR::kDefaultDecay;
constexpr double kSustain = ADSR::kDefaultSustain;
constexpr double kDuration = ADSR::kDefaultDuration;

// ---------------------------------------------------------------------------
// Basic bassdrums: clean sine kicks, lasers and oldschool drums.

constexpr Assignment kQV_Bassdrum[] = {
    wave1(kWaveSine),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {PitchAmount, 0.12}, {PitchDuration, 0.4}, {PitchPower, 0.62},
    distortionType(kDistortionLinear),
};

constexpr Assignment kQV_Basic_Bassdrum1[] = {
    wave1(kWaveSine),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 1},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvDecay, 0.4},
    {FilterDecay, 0.4},
    {PitchAmount, 0.15}, {PitchDuration, 0.35}, {PitchPower, 0.55},
};

constexpr Assignment kQV_Basic_Bassdrum2[] = {
    wave1(kWaveSine),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 1},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvDecay, 0.7},
    {FilterDecay, 0.7},
    {PitchAmount, 0.18}, {PitchDuration, 0.5}, {PitchPower, 0.5},
};

constexpr Assignment kQV_Basic_Bassdrum3[] = {
    wave1(kWaveSine),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 1},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvDecay, 0.5},
    {FilterDecay, 0.5},
    {BassLayerClick, 1},
    {PitchAmount, 0.14}, {PitchDuration, 0.45}, {PitchPower, 0.6},
};

constexpr Assignment kQV_Basic_Kickdrum1[] = {
    wave1(kWaveSine),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvDecay, 0.3},
    {FilterDecay, 0.3},
    {PitchAmount, 0.25}, {PitchDuration, 0.25}, {PitchPower, 0.75},
};

constexpr Assignment kQV_Basic_Kickdrum2[] = {
    wave1(kWaveSine),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvDecay, 0.35},
    {FilterDecay, 0.35},
    {BassLayerClick, 0.2},
    {PitchAmount, 0.3}, {PitchDuration, 0.2}, {PitchPower, 0.85},
};

constexpr Assignment kQV_Basic_Kickdrum3[] = {
    wave1(kWaveSine),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvDecay, 0.4},
    {FilterDecay, 0.4},
    {BassLayerClick, 1},
    {PitchAmount, 0.35}, {PitchDuration, 0.3}, {PitchPower, 1.0}, {PitchDown, 0.1},
};

constexpr Assignment kQV_Laser1[] = {
    wave1(kWaveSine),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0.001}, {EnvDecay, 0.45}, {EnvRelease, 0.001},
    {FilterAttack, 0.001}, {FilterDecay, 0.45}, {FilterRelease, 0.001},
    {PitchAmount, 1.0}, {PitchDuration, 0.3}, {PitchPower, 0.2},
    distortionType(kDistortionCompressor),
    {FilterType, 1}, {FilterCutoff, 0},
};

constexpr Assignment kQV_Laser2[] = {
    wave1(kWaveTriangle),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0.001}, {EnvDecay, 0.6}, {EnvRelease, 0.005},
    {FilterAttack, 0.001}, {FilterDecay, 0.6}, {FilterRelease, 0.005},
    {PitchAmount, 0.8}, {PitchDuration, 0.45}, {PitchPower, 0.25},
    distortionType(kDistortionFullClip),
    {FilterType, 1}, {FilterCutoff, 0},
};

constexpr Assignment kQV_LaserKick1[] = {
    wave1(kWavePulse), {OscVolume1, 0.7}, {OscFilterCutoff1, 0.3},
    wave2(kWaveSawtooth), {OscVolume2, 0.5}, {OscPitch2, 0.75}, {OscFilterCutoff2, 0.2},
    wave3(kWaveSine), {OscVolume3, 1},
    {EnvDecay, 0.35},
    {FilterDecay, 0.3}, {FilterSustain, 0.4},
    {BassLayerClick, 0.5},
    {PitchAmount, 0.6}, {PitchDuration, 0.25}, {PitchPower, 0.45},
    distortionType(kDistortionFuzzDrive1),
    {FilterType, 1}, {FilterCutoff, 0},
};

constexpr Assignment kQV_LaserKick2[] = {
    wave1(kWaveTriangle),
    wave2(kWavePulse), {OscVolume2, 0.45}, {OscFilterCutoff2, 0.25},
    wave3(kWaveSawtooth), {OscVolume3, 0.3}, {OscPitch3, 1}, {OscFilterCutoff3, 0.15},
    {EnvDecay, 0.3},
    {FilterDecay, 0.3}, {FilterSustain, 0.4},
    {BassLayerClick, 0.3},
    {PitchAmount, 0.997}, {PitchDuration, 0.2}, {PitchPower, 0.35},
    distortionType(kDistortionTubeDistort),
    {FilterType, 1}, {FilterCutoff, 0},
};

constexpr Assignment kQV_Pulse_Beat1[] = {
    wave1(kWavePulse), {OscVolume1, 0.8}, {OscFilterCutoff1, 0.4}, {OscFilterResonance1, 0.2},
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, kMinAttack}, {EnvDecay, 0.3}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, kDecay}, {FilterSustain, kSustain}, {FilterRelease, kKickRelease},
    {PitchAmount, 0.2}, {PitchDuration, 0.3}, {PitchPower, 0.6},
    distortionType(kDistortionFuzzDrive1), interpolation(kInterpolationHermite),
    {FilterType, 1}, {FilterCutoff, 0}, {FilterTransition, 0},
};

constexpr Assignment kQV_Pulse_Beat2[] = {
    wave1(kWavePulse), {OscFilterCutoff1, 0.35},
    wave2(kWaveQuadPulse), {OscVolume2, 0.5}, {OscPitch2, 1}, {OscFilterCutoff2, 0.25},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, kMinAttack}, {EnvDecay, 0.35}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.35}, {FilterSustain, 0.15}, {FilterRelease, kKickRelease},
    {BassLayerClick, 1},
    {PitchAmount, 0.22}, {PitchDuration, 0.28}, {PitchPower, 0.65},
    distortionType(kDistortionFuzzDrive1), interpolation(kInterpolationHermite),
    {FilterInputDrive, 0.15}, {FilterType, 1}, {FilterCutoff, 0}, {FilterTransition, 0},
};

constexpr Assignment kOldschoolBassdrum1[] = {
    wave1(kWavePulse), {OscVolume1, 0.7}, {OscFilterCutoff1, 0.5}, {OscModFrequency1, 0.1},
    {OscRingModAmount1, 0.1777}, {OscFiltModAmount1, 0.125},
    wave2(kWaveTriangle), {OscVolume2, 0.8}, {OscModFrequency2, 0.05}, {OscRingModAmount2, 0.2},
    {OscFiltModAmount2, 0.25},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, kMinAttack}, {EnvDecay, 0.5}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, kDecay}, {FilterSustain, kSustain}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.5},
    {PitchAmount, 0.16}, {PitchDuration, 0.4}, {PitchPower, 0.5},
    {Synth::Distortion, 0.5}, distortionType(kDistortionCompressor), interpolation(kInterpolationHermite),
    {FilterType, 0.8}, {FilterCutoff, 0.2}, {FilterTransition, 0},
};

constexpr Assignment kOldschoolBassdrum2[] = {
    wave1(kWavePyrokinesis), {OscVolume1, 0.9}, {OscSat1, 0.1}, {OscFilterCutoff1, 0.45},
    {OscModFrequency1, 0.15}, {OscRingModAmount1, 0.25}, {OscFiltModAmount1, 0.4},
    wave2(kWavePulse), {OscVolume2, 0.6}, {OscFilterCutoff2, 0.3}, {OscModFrequency2, 0.12},
    {OscRingModAmount2, 0.2}, {OscFiltModAmount2, 0.3},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, kMinAttack}, {EnvDecay, 0.6}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, kDecay}, {FilterSustain, kSustain}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.5},
    {PitchAmount, 0.2}, {PitchDuration, 0.45}, {PitchPower, 0.55},
    {Synth::Distortion, 0.5}, distortionType(kDistortionSoftTubeDistort), interpolation(kInterpolationHermite),
    {FilterType, 0.8}, {FilterCutoff, 0.2}, {FilterTransition, 0},
};

constexpr Assignment kOldschoolBassdrum3[] = {
    wave1(kWaveSawtooth), {OscVolume1, 0.8}, {OscSat1, 0.15}, {OscPan1, 0.55}, {OscFilterCutoff1, 0.4},
    {OscFilterResonance1, 0.15}, {OscModFrequency1, 0.08}, {OscRingModAmount1, 0.22}, {OscFiltModAmount1, 0.2},
    wave2(kWaveShikoku), {OscFreq2, 0.48}, {OscVolume2, 0.7}, {OscSat2, 0.2}, {OscPan2, 0.45}, {OscPitch2, 1},
    {OscFilterType2, 0.3}, {OscFilterResonance2, 0.2}, {OscInvertWaveform2, 1}, {OscModFrequency2, 0.2},
    {OscRingModAmount2, 0.18}, {OscFiltModAmount2, 0.35},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, kMinAttack}, {EnvDecay, 1.0}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, kDecay}, {FilterSustain, kSustain}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.5},
    {PitchAmount, 0.14}, {PitchDuration, 0.5}, {PitchPower, 0.45},
    {Synth::Distortion, 0.5}, distortionType(kDistortionVDRFuzz2), interpolation(kInterpolationHermite),
    {FilterType, 0.8}, {FilterCutoff, 0.2}, {FilterTransition, 0},
};

constexpr Assignment kOldschoolBassdrum4[] = {
    wave1(kWaveTriangle), {OscVolume1, 0.85},
    wave2(kWaveSine), {OscVolume2, 0.6}, {OscPitch2, 0},
    wave3(kWaveKIC8462852), {OscVolume3, 0.4}, {OscPitch3, 1}, {OscFilterCutoff3, 0.3},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.55}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.45}, {FilterSustain, 0.2}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.5},
    {PitchAmount, 0.24}, {PitchDuration, 0.35}, {PitchPower, 0.7},
    {Synth::Distortion, 0.5}, distortionType(kDistortionTransistor1), interpolation(kInterpolationHermite),
    {FilterType, 1}, {FilterCutoff, 0.2}, {FilterTransition, 0},
};

// Builds on "Oldschool Bassdrum 4": sets the oscillators, the envelopes, the
// bass layer, the pitch sweep, the distortion and the filter, nothing else.
constexpr Assignment kOldschoolBassdrum5[] = {
    {Osc1OnOff, 1}, wave1(kWavePulse), {OscFreq1, 0.5}, {OscVolume1, 0.9}, {OscSat1, 0.1}, {OscPan1, 0.5},
    {OscPitch1, 0.5}, {OscFilterType1, 0}, {OscFilterCutoff1, 0.45}, {OscFilterResonance1, 0.15},
    {OscInvertWaveform1, 0}, {OscModFrequency1, 0}, {OscRingModAmount1, 0}, {OscFreqModAmount1, 0},
    {OscFiltModAmount1, 0},
    {Osc2OnOff, 1}, wave2(kWaveQuadPulse), {OscFreq2, 0.5}, {OscVolume2, 0.5}, {OscSat2, 0}, {OscPan2, 0.5},
    {OscPitch2, 1}, {OscFilterType2, 0}, {OscFilterCutoff2, 0.3}, {OscFilterResonance2, 0},
    {OscInvertWaveform2, 0}, {OscModFrequency2, 0}, {OscRingModAmount2, 0}, {OscFreqModAmount2, 0},
    {OscFiltModAmount2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine), {OscFreq3, 0.5}, {OscVolume3, 0}, {OscSat3, 0}, {OscPan3, 0.5},
    {OscPitch3, 0.5}, {OscFilterType3, 0}, {OscFilterCutoff3, 1}, {OscFilterResonance3, 0},
    {OscInvertWaveform3, 0}, {OscModFrequency3, 0}, {OscRingModAmount3, 0}, {OscFreqModAmount3, 0},
    {OscFiltModAmount3, 0},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.45}, {EnvSustain, 0}, {EnvRelease, kKickRelease},
    {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.4}, {FilterSustain, 0.1}, {FilterRelease, kKickRelease},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.5}, {BassLayerSolo, 0}, {BassLayerToFilter, 0},
    {PitchAmount, 0.2}, {PitchDuration, 0.3}, {PitchPower, 0.65},
    {Synth::Distortion, 0.5}, distortionType(kDistortionHardcoreFuzz2), interpolation(kInterpolationHermite),
    {Quantization, 1}, {SampleRate, 1},
    {FilterType, 1}, {FilterCutoff, 0.2}, {FilterResonance, 0.1}, {FilterTransition, 0},
};

// ---------------------------------------------------------------------------
// Hardcore bassdrums: three oscillators into a hard distortion, the clean
// bass layer underneath.

constexpr Assignment kHardcoreSection[] = {
    wave1(kWaveTriangle),
    {EnvDecay, 0.7},
    {FilterDecay, 0.5},
    {PitchAmount, 0.3}, {PitchDuration, 0.4}, {PitchPower, 0.7},
};

constexpr Assignment kMainstream1[] = {
    {Osc1OnOff, 1}, wave1(kWaveTriangle), {OscSat1, 0.2},
    {Osc2OnOff, 1}, wave2(kWaveQuadPulse), {OscVolume2, 0.5}, {OscFilterCutoff2, 0.3},
    {OscFilterResonance2, 0.2},
    {Osc3OnOff, 1}, wave3(kWaveSawtooth), {OscVolume3, 0.4}, {OscFilterCutoff3, 0.25},
    {EnvAttack, 0.01}, {EnvDecay, 0.6}, {EnvSustain, 0.2}, {EnvRelease, 0.05}, {EnvDuration, 0.3},
    {FilterAttack, 0.01}, {FilterDecay, 0.5}, {FilterSustain, 0.3}, {FilterRelease, 0.05}, {FilterDuration, 0.3},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.3}, {PitchDuration, 0.35}, {PitchPower, 0.6},
    {UnisonVoices, 1}, {UnisonDetune, 0.2},
    {Synth::Distortion, 0.75}, distortionType(kDistortionIndustrialFuzz1), interpolation(kInterpolationHermite),
    {FilterInputDrive, 0.3}, {FilterType, 0.25}, {FilterCutoff, 0.25}, {FilterResonance, 0.2},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
    {LimitOutput, 1},
};

constexpr Assignment kMainstream2[] = {
    {Osc1OnOff, 1}, wave1(kWaveQuadPulse), {OscVolume1, 0.8}, {OscFilterCutoff1, 0.35},
    {Osc2OnOff, 1}, wave2(kWaveSine), {OscVolume2, 0.9}, {OscPitch2, 0},
    {Osc3OnOff, 1}, wave3(kWaveSawtooth), {OscVolume3, 0.35}, {OscFilterCutoff3, 0.2},
    {EnvAttack, 0.005}, {EnvDecay, 0.55}, {EnvSustain, 0.25}, {EnvRelease, 0.04},
    {FilterAttack, 0.01}, {FilterDecay, 0.45}, {FilterSustain, 0.2}, {FilterRelease, 0.04},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.35}, {PitchDuration, 0.3}, {PitchPower, 0.65},
    {UnisonVoices, 1}, {UnisonDetune, 0.2},
    {Synth::Distortion, 0.777}, distortionType(kDistortionHardcoreFuzz1), interpolation(kInterpolationHermite),
    {FilterInputDrive, 0.25}, {FilterType, 0.3}, {FilterCutoff, 0.22}, {FilterResonance, 0.25},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
    {LimitOutput, 1},
};

constexpr Assignment kMainstream3[] = {
    {Osc1OnOff, 1}, wave1(kWaveSine), {OscSat1, 0.15},
    {Osc2OnOff, 1}, wave2(kWaveSawtooth), {OscFreq2, 0.45}, {OscVolume2, 0.45}, {OscFilterCutoff2, 0.25},
    {Osc3OnOff, 1}, wave3(kWaveSawtooth), {OscFreq3, 0.55}, {OscVolume3, 0.45}, {OscFilterCutoff3, 0.25},
    {EnvAttack, 0.005}, {EnvDecay, 0.7}, {EnvSustain, 0.3}, {EnvRelease, 0.05},
    {FilterAttack, 0.005}, {FilterDecay, 0.5}, {FilterSustain, 0.25}, {FilterRelease, 0.05},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.4}, {PitchDuration, 0.33}, {PitchPower, 0.7},
    {UnisonVoices, 1}, {UnisonDetune, 0.3},
    {Synth::Distortion, 0.8}, distortionType(kDistortionNoizeFreakFuzz1), interpolation(kInterpolationHermite),
    {FilterInputDrive, 0.2}, {FilterType, 0.2}, {FilterCutoff, 0.24}, {FilterResonance, 0.3},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
    {LimitOutput, 1},
};

constexpr Assignment kMainstream4[] = {
    {Osc1OnOff, 1}, wave1(kWaveSawtooth), {OscFilterCutoff1, 0.4}, {OscFilterResonance1, 0.2},
    {Osc2OnOff, 1}, wave2(kWaveQuadPulse), {OscVolume2, 0.6}, {OscPitch2, 0}, {OscFilterCutoff2, 0.3},
    {Osc3OnOff, 1}, wave3(kWaveQuadPulse), {OscVolume3, 0.3}, {OscPitch3, 1}, {OscFilterCutoff3, 0.2},
    {EnvAttack, 0.002}, {EnvDecay, 0.8}, {EnvSustain, 0.35}, {EnvRelease, 0.05},
    {FilterAttack, 0.002}, {FilterDecay, 0.55}, {FilterSustain, 0.3}, {FilterRelease, 0.05},
    {Osc1InvertFilEnv, 0}, {Osc2InvertFilEnv, 0}, {Osc3InvertFilEnv, 1}, {BassLayerAmount, 0.777},
    {BassLayerToFilter, 1},
    {PitchAmount, 0.45}, {PitchDuration, 0.3}, {PitchPower, 0.75},
    {UnisonVoices, 1}, {UnisonDetune, 0.3},
    {Synth::Distortion, 0.7}, distortionType(kDistortionViciousViper), interpolation(kInterpolationHermite),
    {FilterInputDrive, 0.35}, {FilterType, 0.35}, {FilterCutoff, 0.26}, {FilterResonance, 0.2},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
    {LimitOutput, 1},
};

constexpr Assignment kDarkcore1[] = {
    wave1(kWaveUser1), {OscVolume1, 0.9}, {OscSat1, 0.15}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.25},
    wave2(kWaveUser7), {OscVolume2, 0.5}, {OscPan2, 0.4}, {OscPitch2, 0}, {OscFilterCutoff2, 0.2},
    {OscFilterResonance2, 0.2},
    wave3(kWaveSine), {OscVolume3, 0.6}, {OscPan3, 0.6},
    {EnvDecay, 0.9}, {EnvSustain, 0.4}, {EnvDuration, kDuration},
    {FilterDecay, 0.6}, {FilterSustain, 0.2}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.5}, {PitchDuration, 0.4}, {PitchPower, 0.8},
    {UnisonVoices, 1}, {UnisonDetune, 0.1},
    {Synth::Distortion, 0.9}, distortionType(kDistortionFuzzDrive1), interpolation(kInterpolationHermite),
    {FilterType, 0.8}, {FilterCutoff, 0.2}, {FilterResonance, 0.3},
    {LimitOutput, 1},
};

constexpr Assignment kDarkcore2[] = {
    wave1(kWaveUser4), {OscSat1, 0.2}, {OscFilterCutoff1, 0.35},
    wave2(kWaveUser8), {OscFreq2, 0.47}, {OscVolume2, 0.6}, {OscFilterCutoff2, 0.25}, {OscFilterResonance2, 0.3},
    wave3(kWaveSine), {OscVolume3, 0.5}, {OscPitch3, 0},
    {EnvDecay, 1.0}, {EnvSustain, 0.5}, {EnvDuration, kDuration},
    {FilterDecay, 0.7}, {FilterSustain, 0.25}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.55}, {PitchDuration, 0.38}, {PitchPower, 0.85},
    {UnisonVoices, 1}, {UnisonDetune, 0.1},
    {Synth::Distortion, 1.0}, distortionType(kDistortionAssKicking), interpolation(kInterpolationHermite),
    {FilterType, 0.85}, {FilterCutoff, 0.22}, {FilterResonance, 0.35},
    {LimitOutput, 1},
};

constexpr Assignment kDarkcore3[] = {
    wave1(kWaveUser1), {OscVolume1, 0.85}, {OscSat1, 0.2}, {OscFilterCutoff1, 0.3},
    wave2(kWaveUser11), {OscVolume2, 0.55}, {OscPan2, 0.42}, {OscFilterCutoff2, 0.2}, {OscModFrequency2, 0.1},
    {OscFiltModAmount2, 0.3},
    wave3(kWaveBrickBreaker), {OscVolume3, 0.4}, {OscPan3, 0.58}, {OscFilterType3, 0.6},
    {OscFilterCutoff3, 0.05},
    {EnvDecay, 0.85}, {EnvSustain, 0.45}, {EnvDuration, kDuration},
    {FilterDecay, 0.6}, {FilterSustain, 0.2}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.6}, {PitchDuration, 0.42}, {PitchPower, 0.9},
    {UnisonVoices, 1}, {UnisonDetune, 0.1},
    {Synth::Distortion, 0.85}, distortionType(kDistortionTovoFuzz), interpolation(kInterpolationHermite),
    {FilterType, 0}, {FilterCutoff, 1}, {FilterResonance, 0},
    {LimitOutput, 1},
};

constexpr Assignment kVDRBassdrum1[] = {
    wave1(kWavePyrokinesis), {OscSat1, 0.2}, {OscFilterCutoff1, 0.4}, {OscFilterResonance1, 0.2},
    wave2(kWaveOctPulse), {OscFreq2, 0.48}, {OscVolume2, 0.5}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.25},
    wave3(kWaveLQNoize3), {OscVolume3, 0.3}, {OscPan3, 0.6}, {OscFilterType3, 1}, {OscFilterCutoff3, 0.08},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.5}, {EnvRelease, kKickRelease}, {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.4}, {FilterSustain, 0.1}, {FilterRelease, kKickRelease},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.25}, {PitchDuration, 0.3}, {PitchPower, 0.55},
    {Synth::Distortion, 0.6}, distortionType(kDistortionVDRFuzz1),
    {FilterType, 0.75}, {FilterCutoff, 0.25}, {FilterResonance, 0.1},
};

constexpr Assignment kVDRBassdrum2[] = {
    wave1(kWaveQuadPulse), {OscSat1, 0.15}, {OscFilterCutoff1, 0.35}, {OscFilterResonance1, 0.1},
    wave2(kWaveShikoku), {OscVolume2, 0.6}, {OscPan2, 0.45}, {OscFilterCutoff2, 0.3},
    wave3(kWaveWavescape), {OscVolume3, 0.4}, {OscPan3, 0.55}, {OscPitch3, 1}, {OscFilterCutoff3, 0.2},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.55}, {EnvSustain, 0.1}, {EnvRelease, kKickRelease},
    {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.45}, {FilterSustain, 0.1}, {FilterRelease, kKickRelease},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.28}, {PitchDuration, 0.32}, {PitchPower, 0.6},
    {Synth::Distortion, 0.65}, distortionType(kDistortionTovoFuzz),
    {FilterType, 0.7}, {FilterCutoff, 0.27}, {FilterResonance, 0.15},
};

constexpr Assignment kVDRBassdrum3[] = {
    wave1(kWaveUser12), {OscSat1, 0.2}, {OscFilterCutoff1, 0.3},
    wave2(kWaveUser7), {OscVolume2, 0.6}, {OscPan2, 0.35}, {OscFilterCutoff2, 0.3}, {OscFilterResonance2, 0.2},
    {OscModFrequency2, 0.1}, {OscFiltModAmount2, 0.2},
    wave3(kWaveGeoChirp), {OscVolume3, 0.35}, {OscPan3, 0.65}, {OscFilterCutoff3, 0.4},
    {EnvAttack, 0.01}, {EnvDecay, 0.6}, {EnvSustain, 0.15}, {EnvRelease, 0.03}, {EnvDuration, kDuration},
    {FilterAttack, 0.01}, {FilterDecay, 0.45}, {FilterSustain, 0.1}, {FilterRelease, 0.03},
    {FilterDuration, kDuration},
    {Osc1InvertFilEnv, 0}, {Osc2InvertFilEnv, 0}, {Osc3InvertFilEnv, 1}, {BassLayerAmount, 0.777},
    {PitchAmount, 0.3}, {PitchDuration, 0.35}, {PitchPower, 0.65},
    {Synth::Distortion, 0.7}, distortionType(kDistortionHardcoreFuzz2),
    {FilterType, 0.8}, {FilterCutoff, 0.23}, {FilterResonance, 0.2},
    {RingModulationAmount, 0}, {RingModulationFrequency, 0.1}, {PhaserDepth, 0}, {PhaserFeedback, 0.4},
    {PhaserRate, 0.2},
};

constexpr Assignment kVDRKickDrum1[] = {
    wave1(kWavePyrokinesis), {OscSat1, 0.301738}, {OscFilterCutoff1, 0.115792}, {OscFilterResonance1, 0.350976},
    wave2(kWaveOctPulse), {OscVolume2, 0.5}, {OscSat2, 0.1}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.2},
    wave3(kWaveWavescape), {OscFreq3, 0.52}, {OscVolume3, 0.35}, {OscPan3, 0.6}, {OscFilterCutoff3, 0.3},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.45}, {EnvRelease, kKickRelease}, {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.35}, {FilterRelease, kKickRelease}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.35}, {PitchDuration, 0.27}, {PitchPower, 0.7},
    {Synth::Distortion, 0.75}, distortionType(kDistortionTovoFuzz), interpolation(kInterpolationCubic),
    {FilterType, 0.8}, {FilterCutoff, 0.28}, {FilterResonance, 0.25},
};

constexpr Assignment kVDRKickDrum2[] = {
    wave1(kWavePyrokinesis), {OscSat1, 0.301738}, {OscFilterCutoff1, 0.2}, {OscFilterResonance1, 0.3},
    wave2(kWaveKIC8462852), {OscVolume2, 0.45}, {OscFilterCutoff2, 0.25},
    wave3(kWaveBrickBreaker), {OscVolume3, 0.3}, {OscFilterType3, 0.5}, {OscFilterCutoff3, 0.1},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.4}, {EnvSustain, 0.05}, {EnvRelease, kKickRelease},
    {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.35}, {FilterRelease, kKickRelease}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.38}, {PitchDuration, 0.25}, {PitchPower, 0.75},
    {Synth::Distortion, 0.8}, distortionType(kDistortionVDRFuzz1), interpolation(kInterpolationCubic),
    {FilterType, 0.85}, {FilterCutoff, 0.3}, {FilterResonance, 0.2},
};

constexpr Assignment kIndustrialBassdrum[] = {
    wave1(kWaveUser6), {OscVolume1, 0.776833}, {OscSat1, 0.727794}, {OscPan1, 0.45},
    {OscFilterCutoff1, 0.060075}, {OscFilterResonance1, 0.205524}, {OscModFrequency1, 0.1},
    {OscRingModAmount1, 0.1}, {OscFiltModAmount1, 0.15},
    wave2(kWaveUser7), {OscFreq2, 0.49}, {OscVolume2, 0.6}, {OscSat2, 0.282567}, {OscPan2, 0.4}, {OscPitch2, 1},
    {OscFilterType2, 0.770833}, {OscFilterCutoff2, 0.160605}, {OscFilterResonance2, 0.136555},
    {OscInvertWaveform2, 1}, {OscModFrequency2, 0.15}, {OscFiltModAmount2, 0.511158},
    wave3(kWaveSine), {OscFreq3, 0.51}, {OscVolume3, 0.5}, {OscSat3, 0.2}, {OscPan3, 0.6}, {OscFilterType3, 0.3},
    {OscFilterCutoff3, 0.4}, {OscFilterResonance3, 0.25}, {OscModFrequency3, 0.05}, {OscFiltModAmount3, 0.2},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.65}, {EnvSustain, 0.2}, {EnvRelease, kKickRelease},
    {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.5}, {FilterSustain, 0.1}, {FilterRelease, kKickRelease},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1}, {BassLayerClick, 1},
    {PitchAmount, 0.389143}, {PitchDuration, 0.428408}, {PitchPower, 0.661084},
    {Synth::Distortion, 0.8}, distortionType(kDistortionFuzzDrive1), interpolation(kInterpolationCubic),
    {FilterType, 0.9}, {FilterCutoff, 0.25}, {FilterResonance, 0.4},
};

constexpr Assignment kLowQBassdrum1[] = {
    wave1(kWaveLQNoize1), {OscSat1, 0.2}, {OscPan1, 0.524565}, {OscFilterCutoff1, 0.25},
    {OscFilterResonance1, 0.15},
    wave2(kWaveKIC8462852), {OscVolume2, 0.7}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.3},
    wave3(kWaveShikoku), {OscFreq3, 0.48}, {OscVolume3, 0.5}, {OscPan3, 0.6}, {OscPitch3, 1},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.5}, {EnvSustain, 0.1}, {EnvRelease, kKickRelease},
    {EnvDuration, kDuration},
    {FilterAttack, 0.05}, {FilterDecay, 0.4}, {FilterRelease, kKickRelease}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.3}, {PitchDuration, 0.3}, {PitchPower, 0.6},
    {Synth::Distortion, 0.5}, distortionType(kDistortionMadDog), interpolation(kInterpolationNone),
    {Quantization, 0.03},
    {FilterType, 0.7}, {FilterCutoff, 0.25}, {FilterResonance, 0.1},
};

constexpr Assignment kLowQBassdrum2[] = {
    wave1(kWaveUser10), {OscSat1, 0.25}, {OscFilterCutoff1, 0.3},
    wave2(kWaveWavescape), {OscVolume2, 0.5}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.35},
    wave3(kWaveShikoku), {OscVolume3, 0.6}, {OscPan3, 0.6}, {OscPitch3, 1}, {OscFilterCutoff3, 0.5},
    {OscFilterResonance3, 0.2},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.55}, {EnvSustain, 0.05}, {EnvRelease, kKickRelease},
    {EnvDuration, kDuration},
    {FilterAttack, 0.05}, {FilterDecay, 0.45}, {FilterRelease, kKickRelease}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.32}, {PitchDuration, 0.31}, {PitchPower, 0.62},
    {Synth::Distortion, 0.55}, distortionType(kDistortionViciousViper), interpolation(kInterpolationNone),
    {Quantization, 0.025},
    {FilterType, 0.75}, {FilterCutoff, 0.26}, {FilterResonance, 0.05},
};

constexpr Assignment kCrashBoomBeat[] = {
    wave1(kWaveWaveGarden), {OscVolume1, 0.999999}, {OscFilterType1, 0.791667}, {OscFilterCutoff1, 0.05},
    {OscFilterResonance1, 0.3},
    wave2(kWaveBrickBreaker), {OscVolume2, 0.6}, {OscSat2, 0.2}, {OscPan2, 0.6}, {OscFilterCutoff2, 0.3},
    {OscInvertWaveform2, 1},
    wave3(kWaveSine), {OscVolume3, 0.8}, {OscSat3, 0.1},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.75}, {EnvSustain, 0.3}, {EnvRelease, kKickRelease},
    {EnvDuration, kDuration},
    {FilterAttack, 0.05}, {FilterDecay, 0.55}, {FilterSustain, 0.15}, {FilterRelease, kKickRelease},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.45}, {PitchDuration, 0.35}, {PitchPower, 0.8},
    {Synth::Distortion, 0.9}, distortionType(kDistortionAssKicking),
    {FilterType, 0.6}, {FilterCutoff, 0.2}, {FilterResonance, 0.5},
};

constexpr Assignment kTovoDarkcoreKick1[] = {
    wave1(kWaveUser10), {OscFilterCutoff1, 0.4}, {OscModFrequency1, 0.05}, {OscFiltModAmount1, 0.489903},
    wave2(kWaveUser4), {OscVolume2, 0.6}, {OscFilterCutoff2, 0.35}, {OscModFrequency2, 0.08},
    {OscFiltModAmount2, 0.395182},
    wave3(kWaveSine), {OscVolume3, 0.5},
    {EnvAttack, 0.005}, {EnvDecay, 0.7}, {EnvSustain, 0.3}, {EnvRelease, 0.04}, {EnvDuration, kDuration},
    {FilterAttack, 0.005}, {FilterDecay, 0.5}, {FilterSustain, 0.2}, {FilterRelease, 0.04},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.5}, {PitchDuration, 0.36}, {PitchPower, 0.75},
    {Synth::Distortion, 0.85}, distortionType(kDistortionQuillvaneDrive2), interpolation(kInterpolationCubic),
    {FilterInputDrive, 0.1}, {FilterType, 0.3}, {FilterCutoff, 0.25}, {FilterResonance, 0.3},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass24dB),
};

constexpr Assignment kTovoDarkcoreKick2[] = {
    wave1(kWaveUser11), {OscFilterCutoff1, 0.35}, {OscModFrequency1, 0.04}, {OscFiltModAmount1, 0.489903},
    wave2(kWaveUser1), {OscVolume2, 0.55}, {OscFilterCutoff2, 0.3}, {OscModFrequency2, 0.06},
    {OscFiltModAmount2, 0.395182},
    wave3(kWaveUser2), {OscVolume3, 0.4}, {OscPitch3, 1},
    {EnvAttack, 0.005}, {EnvDecay, 0.75}, {EnvSustain, 0.35}, {EnvRelease, 0.04}, {EnvDuration, kDuration},
    {FilterAttack, 0.005}, {FilterDecay, 0.55}, {FilterSustain, 0.2}, {FilterRelease, 0.04},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.52}, {PitchDuration, 0.37}, {PitchPower, 0.8},
    {Synth::Distortion, 0.9}, distortionType(kDistortionTovoFuzz), interpolation(kInterpolationCubic),
    {FilterInputDrive, 0.2}, {FilterType, 0.5}, {FilterCutoff, 0.27}, {FilterResonance, 0.25},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
};

constexpr Assignment kDeepUndergroundBeat[] = {
    wave1(kWaveWaveGarden), {OscSat1, 0.1}, {OscFilterCutoff1, 0.25}, {OscFilterResonance1, 0.2},
    wave2(kWavePulse), {OscFreq2, 0.49}, {OscVolume2, 0.5}, {OscPan2, 0.45}, {OscPitch2, 0},
    {OscFilterCutoff2, 0.2},
    wave3(kWaveBrickBreaker), {OscVolume3, 0.3}, {OscPan3, 0.55}, {OscFilterCutoff3, 0.15},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.95}, {EnvSustain, 0.2}, {EnvRelease, kKickRelease},
    {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.7}, {FilterSustain, 0.1}, {FilterRelease, kKickRelease},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.23}, {PitchDuration, 0.4}, {PitchPower, 0.5},
    {Synth::Distortion, 0.6}, distortionType(kDistortionFuzzDrive1),
    {FilterType, 0.8}, {FilterCutoff, 0.2}, {FilterResonance, 0.15},
};

constexpr Assignment kHeavyBassBeat[] = {
    wave1(kWaveSynapsis), {OscSat1, 0.15}, {OscFilterCutoff1, 0.3},
    wave2(kWaveGeoChirp), {OscVolume2, 0.5}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.25},
    {OscFilterResonance2, 0.15},
    wave3(kWavePyrokinesis), {OscFreq3, 0.51}, {OscVolume3, 0.6}, {OscPitch3, 0}, {OscFilterCutoff3, 0.2},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.8}, {EnvSustain, 0.25}, {EnvRelease, kKickRelease},
    {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.6}, {FilterSustain, 0.15}, {FilterRelease, kKickRelease},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.27}, {PitchDuration, 0.38}, {PitchPower, 0.55},
    {Synth::Distortion, 0.25}, distortionType(kDistortionQVSigmoid1Drive),
    {FilterType, 0.75}, {FilterCutoff, 0.21}, {FilterResonance, 0.1},
};

constexpr Assignment kTerrorcoreBeat1[] = {
    wave1(kWaveWaveGarden), {OscSat1, 0.3}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.25},
    {OscInvertWaveform1, 1},
    wave2(kWaveKIC8462852), {OscVolume2, 0.6}, {OscSat2, 0.25}, {OscPan2, 0.35}, {OscPitch2, 1},
    {OscFilterCutoff2, 0.25},
    wave3(kWaveSine), {OscVolume3, 0.7}, {OscSat3, 0.2}, {OscPan3, 0.65}, {OscFilterCutoff3, 0.5},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.45}, {EnvRelease, kKickRelease}, {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.4}, {FilterRelease, kKickRelease}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.6}, {PitchDuration, 0.28}, {PitchPower, 0.9},
    {Synth::Distortion, 1.0}, distortionType(kDistortionInvertAndDrive), interpolation(kInterpolationNone),
    {FilterInputDrive, 0.1}, {FilterType, 0.8}, {FilterCutoff, 0.3}, {FilterResonance, 0.2},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
};

constexpr Assignment kTerrorcoreBeat2[] = {
    wave1(kWaveUser1), {OscSat1, 0.3}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.3},
    wave2(kWaveUser6), {OscVolume2, 0.7}, {OscSat2, 0.3}, {OscPan2, 0.3}, {OscPitch2, 1},
    {OscFilterCutoff2, 0.3}, {OscInvertWaveform2, 1},
    wave3(kWaveSine), {OscVolume3, 0.6}, {OscSat3, 0.2}, {OscPan3, 0.7}, {OscFilterCutoff3, 0.45},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.4}, {EnvRelease, kKickRelease}, {EnvDuration, kDuration},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.35}, {FilterRelease, kKickRelease}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.777}, {PitchDuration, 0.25}, {PitchPower, 1.0},
    {Synth::Distortion, 1.0}, distortionType(kDistortionFuzzDrive1), interpolation(kInterpolationNone),
    {FilterInputDrive, 0.2}, {FilterType, 0.7}, {FilterCutoff, 0.25}, {FilterResonance, 0.3},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
};

constexpr Assignment kKillerBeat1[] = {
    wave1(kWaveUser1), {OscSat1, 0.25}, {OscFilterCutoff1, 0.35}, {OscFilterResonance1, 0.2},
    {OscModFrequency1, 0.08}, {OscFiltModAmount1, 0.2},
    wave2(kWaveUser5), {OscFreq2, 0.48}, {OscVolume2, 0.6}, {OscSat2, 0.2}, {OscPan2, 0.4},
    {OscFilterCutoff2, 0.25},
    wave3(kWaveUser6), {OscVolume3, 0.5}, {OscSat3, 0.15}, {OscPan3, 0.6}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.3}, {OscFilterResonance3, 0.2},
    {EnvDecay, 0.6}, {EnvSustain, 0.2}, {EnvDuration, kDuration},
    {FilterDecay, 0.45}, {FilterSustain, 0.1}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.4}, {PitchDuration, 0.3}, {PitchPower, 0.7},
    {Synth::Distortion, 0.8}, distortionType(kDistortionFuzzDrive1),
    {FilterType, 0.8}, {FilterCutoff, 0.24}, {FilterResonance, 0.2},
};

constexpr Assignment kKillerBeat2[] = {
    wave1(kWaveUser3), {OscVolume1, 0.4}, {OscSat1, 0.3}, {OscFilterCutoff1, 0.4}, {OscFilterResonance1, 0.25},
    wave2(kWaveUser4), {OscVolume2, 0.8}, {OscSat2, 0.2}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.3},
    wave3(kWaveUser5), {OscFreq3, 0.52}, {OscVolume3, 0.6}, {OscSat3, 0.2}, {OscPan3, 0.6}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.35}, {OscInvertWaveform3, 1},
    {EnvDecay, 0.65}, {EnvSustain, 0.25}, {EnvDuration, kDuration},
    {FilterDecay, 0.5}, {FilterSustain, 0.15}, {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.42}, {PitchDuration, 0.32}, {PitchPower, 0.72},
    {Synth::Distortion, 0.85}, distortionType(kDistortionTigersBlood),
    {FilterType, 0.85}, {FilterCutoff, 0.25}, {FilterResonance, 0.25},
};

constexpr Assignment kDirtyBeat1[] = {
    wave1(kWaveUser5), {OscSat1, 0.25}, {OscFilterCutoff1, 0.3},
    wave2(kWaveUser8), {OscVolume2, 0.6}, {OscFilterCutoff2, 0.3}, {OscModFrequency2, 0.2},
    {OscRingModAmount2, 0.3},
    wave3(kWaveQuadPulse), {OscVolume3, 0.35}, {OscFilterCutoff3, 0.2},
    {EnvAttack, 0.05}, {EnvDecay, 0.5}, {EnvSustain, 0.15}, {EnvRelease, 0.002}, {EnvDuration, kDuration},
    {FilterAttack, 0.01}, {FilterDecay, 0.45}, {FilterSustain, 0.1}, {FilterRelease, 0.002},
    {FilterDuration, kDuration},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.35}, {PitchDuration, 0.33}, {PitchPower, 0.6},
    {Synth::Distortion, 0.7}, distortionType(kDistortionBigBadDrive), interpolation(kInterpolationHermite),
    {FilterType, 0.5}, {FilterCutoff, 0.25}, {FilterResonance, 0.2}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass12dB),
};

constexpr Assignment kSpeedcoreKick1[] = {
    wave1(kWaveUser1), {OscFilterCutoff1, 0.35},
    wave2(kWaveUser5), {OscVolume2, 0.5}, {OscFilterCutoff2, 0.3},
    wave3(kWaveUser6), {OscVolume3, 0.4}, {OscPitch3, 1}, {OscFilterCutoff3, 0.25},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.3}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, kDecay}, {FilterSustain, kSustain}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1}, {BassLayerClick, 1},
    {PitchAmount, 0.5}, {PitchDuration, 0.15}, {PitchPower, 0.8},
    {FmAmount, 0.15},
    {Synth::Distortion, 0.777}, distortionType(kDistortionTovoFuzz), interpolation(kInterpolationCubic),
    {FilterType, 0.5}, {FilterCutoff, 0.3}, {FilterResonance, 0.25}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass12dB),
};

constexpr Assignment kSpeedcoreKick2[] = {
    wave1(kWaveUser7), {OscSat1, 0.2}, {OscFilterCutoff1, 0.3},
    wave2(kWaveUser8), {OscFreq2, 0.52}, {OscVolume2, 0.55}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.35},
    wave3(kWaveUser10), {OscVolume3, 0.45}, {OscPan3, 0.6}, {OscFilterCutoff3, 0.25},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.32}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, kDecay}, {FilterSustain, kSustain}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1}, {BassLayerClick, 1},
    {PitchAmount, 0.55}, {PitchDuration, 0.16}, {PitchPower, 0.85},
    {Synth::Distortion, 0.75}, distortionType(kDistortionNoizeFreakFuzz2), interpolation(kInterpolationCubic),
    {FilterType, 0.75}, {FilterCutoff, 0.25}, {FilterResonance, 0.2}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass12dB),
};

constexpr Assignment kSpeedcoreKick3[] = {
    wave1(kWaveUser9), {OscFilterCutoff1, 0.3},
    wave2(kWaveUser10), {OscVolume2, 0.5}, {OscFilterCutoff2, 0.3},
    wave3(kWaveUser15), {OscVolume3, 0.4}, {OscPitch3, 1}, {OscFilterCutoff3, 0.3},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.35}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.35}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1}, {BassLayerClick, 1},
    {PitchAmount, 0.6}, {PitchDuration, 0.18}, {PitchPower, 0.75},
    {UnisonVoices, 1}, {UnisonDetune, 0.15},
    {Synth::Distortion, 0.8}, distortionType(kDistortionHardcoreFuzz2), interpolation(kInterpolationCubic),
    {FilterType, 0.8}, {FilterCutoff, 0.26}, {FilterResonance, 0.15},
};

constexpr Assignment kBounceKick1[] = {
    wave1(kWaveUser2), {OscFilterCutoff1, 0.4}, {OscFilterResonance1, 0.15},
    wave2(kWaveUser5), {OscVolume2, 0.5}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.3},
    wave3(kWaveQuadPulse), {OscVolume3, 0.3}, {OscPan3, 0.6}, {OscPitch3, 1}, {OscFilterCutoff3, 0.2},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.5}, {EnvSustain, 0.2}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, kDecay}, {FilterSustain, kSustain}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.3}, {PitchDuration, 0.3}, {PitchPower, 0.5},
    {FmAmount, 0.1},
    {Synth::Distortion, 0.1}, distortionType(kDistortionTubeDistort), interpolation(kInterpolationCubic),
    {FilterType, 0.7}, {FilterCutoff, 0.22}, {FilterResonance, 0.1},
};

constexpr Assignment kBounceKick2[] = {
    wave1(kWaveUser2), {OscSat1, 0.1}, {OscFilterCutoff1, 0.35},
    wave2(kWaveQuadPulse), {OscVolume2, 0.45}, {OscPan2, 0.45}, {OscFilterCutoff2, 0.25},
    wave3(kWavePulse), {OscVolume3, 0.35}, {OscPan3, 0.55}, {OscPitch3, 1}, {OscFilterCutoff3, 0.3},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.55}, {EnvSustain, 0.25}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, 0.5}, {FilterSustain, 0.2}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.32}, {PitchDuration, 0.32}, {PitchPower, 0.55},
    {FmAmount, 0.12},
    {Synth::Distortion, 0.65}, distortionType(kDistortionMadDog), interpolation(kInterpolationCubic),
    {FilterType, 0.75}, {FilterCutoff, 0.23}, {FilterResonance, 0.12},
};

constexpr Assignment kNoisecoreKick1[] = {
    wave1(kWaveLQNoize1), {OscSat1, 0.3}, {OscFilterCutoff1, 0.2}, {OscFilterResonance1, 0.2},
    {OscModFrequency1, 0.3}, {OscRingModAmount1, 0.2},
    wave2(kWaveLQNoize2), {OscVolume2, 0.5}, {OscSat2, 0.3}, {OscPan2, 0.3}, {OscFilterType2, 1},
    {OscFilterCutoff2, 0.06},
    wave3(kWaveSynapsis), {OscFreq3, 0.48}, {OscVolume3, 0.7}, {OscSat3, 0.25}, {OscPan3, 0.7},
    {EnvAttack, 0.005}, {EnvDecay, 0.6}, {EnvSustain, 0.3}, {EnvRelease, 0.05},
    {FilterAttack, 0.005}, {FilterDecay, 0.6}, {FilterSustain, 0.2}, {FilterRelease, 0.05},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.4}, {PitchDuration, 0.3}, {PitchPower, 0.7},
    {Synth::Distortion, 1.0}, distortionType(kDistortionNoizeFreakFuzz1),
    {FilterType, 1}, {FilterCutoff, 0.15}, {FilterResonance, 0.3},
};

constexpr Assignment kNoisecoreKick2[] = {
    wave1(kWaveLQNoize2), {OscSat1, 0.25}, {OscFilterCutoff1, 0.25}, {OscFilterResonance1, 0.2},
    wave2(kWaveLQNoize3), {OscVolume2, 0.45}, {OscPan2, 0.35}, {OscFilterType2, 1}, {OscFilterCutoff2, 0.08},
    wave3(kWaveSynapsis), {OscVolume3, 0.75}, {OscSat3, 0.2}, {OscPan3, 0.65}, {OscPitch3, 1},
    {EnvAttack, kMinAttack}, {EnvDecay, 0.5}, {EnvSustain, 0.2}, {EnvRelease, kKickRelease},
    {FilterAttack, kMinAttack}, {FilterDecay, kDecay}, {FilterSustain, 0.15}, {FilterRelease, kKickRelease},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.45}, {PitchDuration, 0.28}, {PitchPower, 0.75},
    {Synth::Distortion, 0.777}, distortionType(kDistortionNoizeFreakFuzz2),
    {FilterType, 0.85}, {FilterCutoff, 0.2}, {FilterResonance, 0.35},
};

constexpr Assignment kAmiga8bitPowerKick1[] = {
    wave1(kWavePulse), {OscSat1, 0.2}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.3},
    wave2(kWaveSynapsis), {OscFreq2, 0.53}, {OscVolume2, 0.4}, {OscPan2, 0.4}, {OscPitch2, 1},
    {OscFilterCutoff2, 0.25},
    wave3(kWaveTriangle), {OscVolume3, 0.7}, {OscPan3, 0.6}, {OscPitch3, 1}, {OscFilterCutoff3, 0.6},
    {OscInvertWaveform3, 1},
    {EnvDecay, 0.45}, {EnvSustain, 0.1},
    {FilterDecay, 0.4}, {FilterSustain, 0.1},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.35}, {PitchDuration, 0.25}, {PitchPower, 0.6},
    {Synth::Distortion, 0.75}, distortionType(kDistortionHardcoreFuzz1), interpolation(kInterpolationNone),
    {Quantization, 0.09}, {SampleRate, 0.8},
    {FilterType, 0.6}, {FilterCutoff, 0.22}, {FilterResonance, 0.11}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass12dB),
    {RingModulationFrequency, 0.1}, {PhaserRate, 0.1},
};

constexpr Assignment kAmiga8bitPowerKick2[] = {
    wave1(kWaveOctPulse), {OscSat1, 0.2}, {OscFilterCutoff1, 0.35}, {OscFilterResonance1, 0.25},
    wave2(kWaveShikoku), {OscVolume2, 0.5}, {OscPan2, 0.4}, {OscPitch2, 1}, {OscFilterCutoff2, 0.3},
    {OscFilterResonance2, 0.15},
    wave3(kWaveSawtooth), {OscFreq3, 0.48}, {OscVolume3, 0.3}, {OscPan3, 0.6}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.2},
    {EnvDecay, 0.5}, {EnvSustain, 0.15},
    {FilterDecay, 0.8}, {FilterSustain, 0.1},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.38}, {PitchDuration, 0.27}, {PitchPower, 0.65},
    {Synth::Distortion, 0.75}, distortionType(kDistortionHardcoreFuzz2), interpolation(kInterpolationNone),
    {Quantization, 0.1}, {SampleRate, 0.9},
    {FilterType, 0.7}, {FilterCutoff, 0.24}, {FilterResonance, 0.1},
    {RingModulationFrequency, 0.1}, {PhaserRate, 0.05},
};

constexpr Assignment kVovedidaKickdrum1[] = {
    wave1(kWaveSawtooth), {OscVolume1, 0.8}, {OscSat1, 0.2}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.2},
    wave2(kWaveUser11), {OscFreq2, 0.52}, {OscVolume2, 0.6}, {OscSat2, 0.2}, {OscPan2, 0.35},
    {OscFilterCutoff2, 0.3}, {OscFilterResonance2, 0.2},
    wave3(kWaveUser12), {OscFreq3, 0.48}, {OscVolume3, 0.5}, {OscSat3, 0.15}, {OscPan3, 0.65}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.4}, {OscModFrequency3, 0.1}, {OscFiltModAmount3, 0.25},
    {EnvDecay, 0.6}, {EnvSustain, 0.25},
    {FilterDecay, 0.5}, {FilterSustain, 0.2},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.42}, {PitchDuration, 0.35}, {PitchPower, 0.7},
    {Synth::Distortion, 0.777}, distortionType(kDistortionSoftTubeDistort), interpolation(kInterpolationNone),
    {FilterInputDrive, 0.2}, {FilterType, 0.2}, {FilterCutoff, 0.27}, {FilterResonance, 0.2},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
    {RingModulationFrequency, 0.1},
};

constexpr Assignment kVovedidaKickdrum2[] = {
    wave1(kWaveOctPulse), {OscSat1, 0.2}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.2},
    wave2(kWaveUser13), {OscVolume2, 0.55}, {OscSat2, 0.15}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.35},
    {OscInvertWaveform2, 1},
    wave3(kWaveUser14), {OscFreq3, 0.52}, {OscVolume3, 0.5}, {OscPan3, 0.6}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.2}, {OscFilterResonance3, 0.2},
    {EnvDecay, 0.65}, {EnvSustain, 0.3},
    {FilterDecay, 0.5}, {FilterSustain, 0.2},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.44}, {PitchDuration, 0.36}, {PitchPower, 0.72},
    {Synth::Distortion, 0.75}, distortionType(kDistortionMadDog), interpolation(kInterpolationHermite),
    {FilterType, 0.8}, {FilterCutoff, 0.25}, {FilterResonance, 0.15},
    {RingModulationFrequency, 0.1},
};

constexpr Assignment kVornKickdrum1[] = {
    wave1(kWaveUser12), {OscFreq1, 0.525}, {OscSat1, 0.2}, {OscFilterCutoff1, 0.35},
    wave2(kWaveUser13), {OscFreq2, 0.5125}, {OscVolume2, 0.6}, {OscSat2, 0.15}, {OscPan2, 0.4},
    {OscFilterType2, 0.5}, {OscFilterCutoff2, 0.2}, {OscFilterResonance2, 0.2},
    wave3(kWaveUser14), {OscFreq3, 0.5}, {OscVolume3, 0.45}, {OscPan3, 0.6}, {OscFilterCutoff3, 0.3},
    {EnvDecay, 0.7}, {EnvSustain, 0.35},
    {FilterDecay, 0.55}, {FilterSustain, 0.25},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.5}, {PitchDuration, 0.38}, {PitchPower, 0.75},
    {FmAmount, 0.2},
    {Synth::Distortion, 0.777}, distortionType(kDistortionIndustrialFuzz1), interpolation(kInterpolationCubic),
    {FilterInputDrive, 0.25}, {FilterType, 0.1}, {FilterCutoff, 0.3}, {FilterResonance, 0.25},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
};

constexpr Assignment kVornKickdrum2[] = {
    wave1(kWavePulse), {OscSat1, 0.2}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.15},
    wave2(kWaveUser12), {OscVolume2, 0.6}, {OscSat2, 0.2}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.3},
    {OscFilterResonance2, 0.15},
    wave3(kWaveUser14), {OscFreq3, 0.52}, {OscVolume3, 0.5}, {OscSat3, 0.1}, {OscPan3, 0.6}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.25},
    {EnvDecay, 0.75}, {EnvSustain, 0.4},
    {FilterDecay, 0.6}, {FilterSustain, 0.3},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.48}, {PitchDuration, 0.4}, {PitchPower, 0.8},
    {FmAmount, 0.25},
    {Synth::Distortion, 0.777}, distortionType(kDistortionTovoFuzz), interpolation(kInterpolationCubic),
    {FilterInputDrive, 0.25}, {FilterType, 0.25}, {FilterCutoff, 0.3}, {FilterResonance, 0.25},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
    {RingModulationFrequency, 0.1}, {PhaserRate, 0.1},
};

constexpr Assignment kGabberKick1[] = {
    wave1(kWaveUser11), {OscVolume1, 0.75}, {OscSat1, 0.25}, {OscPan1, 0.75}, {OscFilterType1, 0.75},
    {OscFilterCutoff1, 0.1}, {OscFilterResonance1, 0.25}, {OscInvertWaveform1, 1}, {OscModFrequency1, 0.05},
    {OscFreqModAmount1, 0.1},
    wave2(kWaveUser13), {OscVolume2, 0.75}, {OscSat2, 0.25}, {OscPan2, 0.25}, {OscFilterType2, 0.05},
    {OscFilterCutoff2, 0.95}, {OscFilterResonance2, 0.1}, {OscInvertWaveform2, 1}, {OscModFrequency2, 0.1},
    {OscFreqModAmount2, 0.05},
    wave3(kWaveUser5), {OscFreq3, 0.475}, {OscVolume3, 0.85}, {OscSat3, 0.15}, {OscFilterResonance3, 0.3},
    {OscModFrequency3, 0.15}, {OscRingModAmount3, 0.1},
    {EnvAttack, 0.002}, {EnvDecay, 0.7}, {EnvSustain, 0.3}, {EnvRelease, 0.1},
    {FilterAttack, 0.01}, {FilterDecay, 0.5}, {FilterSustain, 0}, {FilterRelease, 0.03},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.3}, {PitchDuration, 0.35}, {PitchPower, 0.5},
    {Synth::Distortion, 0.5}, distortionType(kDistortionQuillvaneDrive1), interpolation(kInterpolationCubic),
    {FilterInputDrive, 0.25}, {FilterType, 0.1}, {FilterCutoff, 0.25}, {FilterResonance, 0.25},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
    {PhaserFeedback, 0.1}, {PhaserRate, 0.2},
    {LimitOutput, 1},
};

constexpr Assignment kGabberKick2[] = {
    wave1(kWaveUser13), {OscVolume1, 0.8}, {OscSat1, 0.2}, {OscPan1, 0.6}, {OscFilterCutoff1, 0.3},
    wave2(kWaveQuadPulse), {OscVolume2, 0.5}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.25},
    wave3(kWaveUser15), {OscVolume3, 0.7}, {OscFilterCutoff3, 0.4},
    {EnvAttack, 0.002}, {EnvDecay, 0.75}, {EnvSustain, 0.35}, {EnvRelease, 0.1},
    {FilterAttack, 0.01}, {FilterDecay, 0.55}, {FilterRelease, 0.03},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.32}, {PitchDuration, 0.36}, {PitchPower, 0.55},
    {Synth::Distortion, 0.777}, distortionType(kDistortionQuillvaneDrive2), interpolation(kInterpolationCubic),
    {FilterInputDrive, 0.3}, {FilterType, 0.15}, {FilterCutoff, 0.26}, {FilterResonance, 0.3},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
    {PhaserRate, 0.22},
    {LimitOutput, 1},
};

constexpr Assignment kGabberKick3[] = {
    wave1(kWaveUser1), {OscVolume1, 0.8}, {OscSat1, 0.2}, {OscFilterCutoff1, 0.35},
    wave2(kWaveUser13), {OscVolume2, 0.6}, {OscFilterCutoff2, 0.3},
    wave3(kWaveUser14), {OscVolume3, 0.6}, {OscPitch3, 1}, {OscFilterCutoff3, 0.35},
    {EnvAttack, 0.002}, {EnvDecay, 0.8}, {EnvSustain, 0.4}, {EnvRelease, 0.1},
    {FilterAttack, 0.01}, {FilterDecay, 0.6}, {FilterRelease, 0.03},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.35}, {PitchDuration, 0.38}, {PitchPower, 0.6},
    {Synth::Distortion, 0.8}, distortionType(kDistortionQuillvaneDrive3), interpolation(kInterpolationCubic),
    {FilterInputDrive, 0.2}, {FilterType, 0.2}, {FilterCutoff, 0.24}, {FilterResonance, 0.25},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass24dB),
    {PhaserRate, 0.05},
    {LimitOutput, 1},
};

constexpr Assignment kGabberKick4[] = {
    wave1(kWavePulse), {OscVolume1, 0.7}, {OscFilterCutoff1, 0.25}, {OscFilterResonance1, 0.2},
    wave2(kWaveUser11), {OscVolume2, 0.7}, {OscSat2, 0.2}, {OscFilterCutoff2, 0.35},
    wave3(kWaveUser12), {OscVolume3, 0.55}, {OscFilterCutoff3, 0.3},
    {EnvAttack, 0.002}, {EnvDecay, 0.85}, {EnvSustain, 0.45}, {EnvRelease, 0.1},
    {FilterAttack, 0.01}, {FilterDecay, 0.65}, {FilterRelease, 0.03},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.34}, {PitchDuration, 0.4}, {PitchPower, 0.58},
    {Synth::Distortion, 0.8}, distortionType(kDistortionQuillvaneDrive4), interpolation(kInterpolationCubic),
    {FilterInputDrive, 0.25}, {FilterType, 0.1}, {FilterCutoff, 0.25}, {FilterResonance, 0.3},
    filterMode1(kRbjBandPass1), filterMode2(kHighPass12dB),
    {PhaserRate, 0.05},
    {LimitOutput, 1},
};

constexpr Assignment kQuillvaneKickdrum1[] = {
    wave1(kWaveQuadPulse), {OscSat1, 0.2}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.2},
    wave2(kWaveLQNoize3), {OscVolume2, 0.35}, {OscPan2, 0.4}, {OscFilterType2, 1}, {OscFilterCutoff2, 0.1},
    wave3(kWaveKIC8462852), {OscFreq3, 0.51}, {OscVolume3, 0.6}, {OscPan3, 0.6}, {OscFilterCutoff3, 0.3},
    {EnvDecay, 0.6}, {EnvSustain, 0.2},
    {FilterDecay, 0.45}, {FilterSustain, 0.1},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.4}, {PitchDuration, 0.3}, {PitchPower, 0.65},
    {FmAmount, 0.1},
    {Synth::Distortion, 0.75}, distortionType(kDistortionQuillvaneDrive1), interpolation(kInterpolationNone),
    {FilterType, 0.3}, {FilterCutoff, 0.26}, {FilterResonance, 0.2}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass24dB),
    {RingModulationFrequency, 0.1}, {PhaserRate, 0.1},
};

constexpr Assignment kQuillvaneKickdrum2[] = {
    wave1(kWavePulse), {OscSat1, 0.25}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.2},
    wave2(kWaveUser1), {OscFreq2, 0.52}, {OscVolume2, 0.6}, {OscSat2, 0.2}, {OscPan2, 0.4},
    {OscFilterCutoff2, 0.35}, {OscFilterResonance2, 0.15},
    wave3(kWaveUser4), {OscVolume3, 0.5}, {OscSat3, 0.15}, {OscPan3, 0.6}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.5},
    {EnvDecay, 0.65}, {EnvSustain, 0.25},
    {FilterDecay, 0.5}, {FilterSustain, 0.15},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.42}, {PitchDuration, 0.32}, {PitchPower, 0.68},
    {Synth::Distortion, 0.75}, distortionType(kDistortionQuillvaneDrive2), interpolation(kInterpolationNone),
    {FilterType, 0.8}, {FilterCutoff, 0.25}, {FilterResonance, 0.15}, filterMode2(kHighPass24dB),
    {RingModulationFrequency, 0.1}, {PhaserRate, 0.1},
};

constexpr Assignment kQuillvaneKickdrum3[] = {
    wave1(kWaveSine), {OscSat1, 0.3}, {OscFilterCutoff1, 0.5}, {OscFilterResonance1, 0.2},
    wave2(kWaveUser3), {OscFreq2, 0.48}, {OscVolume2, 0.55}, {OscSat2, 0.2}, {OscPan2, 0.4},
    {OscFilterCutoff2, 0.3}, {OscFilterResonance2, 0.2},
    wave3(kWaveUser7), {OscVolume3, 0.45}, {OscSat3, 0.2}, {OscPan3, 0.6}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.25},
    {EnvDecay, 0.7}, {EnvSustain, 0.3},
    {FilterDecay, 0.5}, {FilterSustain, 0.2},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.44}, {PitchDuration, 0.34}, {PitchPower, 0.7},
    {FmAmount, 0.15},
    {Synth::Distortion, 0.777}, distortionType(kDistortionQuillvaneDrive3), interpolation(kInterpolationNone),
    {FilterType, 0.25}, {FilterCutoff, 0.24}, {FilterResonance, 0.25}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass24dB),
    {RingModulationFrequency, 0.1}, {PhaserRate, 0.1},
};

constexpr Assignment kQuillvaneKickdrum4[] = {
    wave1(kWavePulse), {OscSat1, 0.2}, {OscFilterCutoff1, 0.25}, {OscFilterResonance1, 0.2},
    wave2(kWaveUser5), {OscVolume2, 0.6}, {OscSat2, 0.25}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.3},
    wave3(kWaveUser6), {OscFreq3, 0.52}, {OscVolume3, 0.5}, {OscSat3, 0.1}, {OscPan3, 0.6}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.35},
    {EnvDecay, 0.75}, {EnvSustain, 0.35},
    {FilterDecay, 0.55}, {FilterSustain, 0.2},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.46}, {PitchDuration, 0.36}, {PitchPower, 0.72},
    {Synth::Distortion, 0.85}, distortionType(kDistortionQuillvaneDrive4), interpolation(kInterpolationNone),
    {FilterType, 0.2}, {FilterCutoff, 0.27}, {FilterResonance, 0.2}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass12dB),
    {RingModulationFrequency, 0.1}, {PhaserRate, 0.1},
};

constexpr Assignment kQuillvaneKickdrum5[] = {
    wave1(kWaveSawtooth), {OscVolume1, 0.85}, {OscSat1, 0.2}, {OscFilterCutoff1, 0.3},
    {OscFilterResonance1, 0.2},
    wave2(kWaveUser14), {OscVolume2, 0.6}, {OscSat2, 0.15}, {OscPan2, 0.4}, {OscFilterCutoff2, 0.3},
    wave3(kWaveUser15), {OscVolume3, 0.5}, {OscPan3, 0.6}, {OscFilterCutoff3, 0.3},
    {EnvDecay, 0.8}, {EnvSustain, 0.4},
    {FilterDecay, 0.6}, {FilterSustain, 0.25},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1},
    {PitchAmount, 0.5}, {PitchDuration, 0.38}, {PitchPower, 0.75},
    {Synth::Distortion, 0.777}, distortionType(kDistortionQuillvaneDrive3), interpolation(kInterpolationNone),
    {FilterType, 0.3}, {FilterCutoff, 0.25}, {FilterResonance, 0.25}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass24dB),
    {RingModulationFrequency, 0.1}, {PhaserRate, 0.1},
};

constexpr Assignment kHyperSchranz1[] = {
    wave1(kWaveSine), {OscFreq1, 0.45}, {OscSat1, 0.2},
    wave2(kWaveSine), {OscVolume2, 0.7}, {OscPan2, 0.35}, {OscPitch2, 1},
    wave3(kWaveSine), {OscFreq3, 0.55}, {OscVolume3, 0.5}, {OscPan3, 0.65}, {OscPitch3, 0.75},
    {EnvAttack, 0.05}, {EnvDecay, 1.0}, {EnvSustain, 0.5}, {EnvRelease, 0.2},
    {FilterAttack, 0.07}, {FilterDecay, 1.0}, {FilterSustain, 0.5}, {FilterRelease, 0.1},
    {BassLayerAmount, 0.777},
    {PitchAmount, 0.21}, {PitchDuration, 0.5}, {PitchPower, 0.3},
    {FmAmount, 0.2},
    {Synth::Distortion, 1.0}, distortionType(kDistortionBigFatDrive), interpolation(kInterpolationCubic),
    {FilterType, 0.9}, {FilterCutoff, 0.3}, {FilterResonance, 0.3},
    {RingModulationAmount, 0.545}, {RingModulationFrequency, 0.035}, {PhaserRate, 0.05},
};

constexpr Assignment kHyperSchranz2[] = {
    wave1(kWaveSine), {OscFreq1, 0.4},
    wave2(kWaveSine), {OscFreq2, 0.6}, {OscVolume2, 0.6}, {OscPitch2, 1},
    wave3(kWaveSine), {OscVolume3, 0.6}, {OscPitch3, 1},
    {EnvAttack, 0.07}, {EnvDecay, 0.9}, {EnvSustain, 0.45}, {EnvRelease, 0.15},
    {FilterAttack, 0.05}, {FilterDecay, 0.9}, {FilterSustain, 0.4}, {FilterRelease, 0.1},
    {BassLayerAmount, 0.777}, {BassLayerClick, 1},
    {PitchAmount, 0.25}, {PitchDuration, 0.45}, {PitchPower, 0.35},
    {FmAmount, 0.25},
    {Synth::Distortion, 0.9}, distortionType(kDistortionBigBadDrive), interpolation(kInterpolationCubic),
    {FilterType, 0.85}, {FilterCutoff, 0.28}, {FilterResonance, 0.25},
    {RingModulationAmount, 1.0}, {RingModulationFrequency, 0.02}, {PhaserRate, 0},
};

constexpr Assignment kIndustrialCrunch[] = {
    wave1(kWaveWaveGarden), {OscSat1, 0.5}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.3},
    wave2(kWaveTriangle), {OscVolume2, 0.6}, {OscSat2, 0.3}, {OscPan2, 0.4}, {OscPitch2, 1},
    {OscInvertWaveform2, 1},
    wave3(kWaveTriangle), {OscFreq3, 0.52}, {OscVolume3, 0.4}, {OscSat3, 0.3}, {OscPan3, 0.6}, {OscPitch3, 1},
    {OscFilterCutoff3, 0.5},
    {EnvDecay, 0.55}, {EnvSustain, 0.2},
    {FilterDecay, 0.45}, {FilterSustain, 0.1},
    {BassLayerAmount, 0.777}, {BassLayerClick, 1},
    {PitchAmount, 0.36}, {PitchDuration, 0.3}, {PitchPower, 0.6},
    {Synth::Distortion, 1.0}, distortionType(kDistortionLinear),
    {FilterType, 0.8}, {FilterCutoff, 0.22}, {FilterResonance, 0.4},
    {RingModulationFrequency, 0.1}, {PhaserRate, 0},
};

constexpr Assignment kTQuakeBassdrum1[] = {
    wave1(kWaveWavescape), {OscSat1, 0.2}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.25},
    {OscModFrequency1, 0.1}, {OscFiltModAmount1, 0.2},
    wave2(kWaveUser9), {OscFreq2, 0.52}, {OscVolume2, 0.6}, {OscSat2, 0.25}, {OscPan2, 0.35},
    {OscFilterCutoff2, 0.3}, {OscFilterResonance2, 0.2},
    wave3(kWaveSine), {OscVolume3, 0.7}, {OscSat3, 0.2}, {OscPan3, 0.65},
    {EnvDecay, 0.7}, {EnvSustain, 0.3},
    {FilterDecay, 0.5}, {FilterSustain, 0.2},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1}, {BassLayerClick, 1},
    {PitchAmount, 0.7}, {PitchDuration, 0.3}, {PitchPower, 1.0},
    {Synth::Distortion, 0.9}, distortionType(kDistortionHardcoreFuzz3), interpolation(kInterpolationCubic),
    {FilterType, 0.8}, {FilterCutoff, 0.25}, {FilterResonance, 0.3},
    {RingModulationFrequency, 1.0},
};

constexpr Assignment kTQuakeBassdrum2[] = {
    wave1(kWaveUser12), {OscSat1, 0.2}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.2},
    wave2(kWaveUser8), {OscFreq2, 0.48}, {OscVolume2, 0.6}, {OscSat2, 0.2}, {OscPan2, 0.4},
    {OscFilterCutoff2, 0.35},
    wave3(kWaveUser10), {OscVolume3, 0.5}, {OscPan3, 0.6}, {OscPitch3, 1}, {OscFilterCutoff3, 0.3},
    {EnvDecay, 0.65}, {EnvSustain, 0.25},
    {FilterDecay, 0.5}, {FilterSustain, 0.15},
    {BassLayerAmount, 0.777}, {BassLayerToFilter, 1}, {BassLayerClick, 1},
    {PitchAmount, 0.65}, {PitchDuration, 0.32}, {PitchPower, 0.95},
    {Synth::Distortion, 0.85}, distortionType(kDistortionHardcoreFuzz2), interpolation(kInterpolationCubic),
    {FilterType, 0.85}, {FilterCutoff, 0.26}, {FilterResonance, 0.25},
};

// ---------------------------------------------------------------------------
// Drums and effects: noise percussion and sound effects.

constexpr Assignment kDrumAndFxSection[] = {
    wave1(kWaveWhiteNoize), {OscVolume1, 0.5}, {OscPan1, 0.45},
    wave2(kWaveNoize), {OscVolume2, 0.5}, {OscPan2, 0.55}, {OscFilterType2, 1},
    wave3(kWaveNoize),
    {EnvAttack, 0.001}, {EnvDecay, 0.2}, {EnvSustain, 0}, {EnvRelease, 0.01}, {EnvDuration, 0.2},
    {FilterAttack, 0.001}, {FilterDecay, 0.2}, {FilterSustain, 0}, {FilterRelease, 0.01}, {FilterDuration, 0.2},
    {Osc2InvertFilEnv, 1},
    {GlobalTranspose, 1}, {KickTransposeMode, 1}, {PitchAmount, 0}, {PitchDuration, 0}, {PitchPower, 0},
    {PitchDown, 0},
    {FilterType, 0}, {FilterCutoff, 1}, {FilterResonance, 0},
};

constexpr Assignment kClosedHihat1[] = {
    wave1(kWaveWhiteNoize), {OscFilterType1, 1}, {OscFilterCutoff1, 0.33},
    wave2(kWaveNoize), {OscVolume2, 0.5}, {OscPan2, 0.4}, {OscFilterType2, 1}, {OscFilterCutoff2, 0.3},
    wave3(kWaveNoize), {OscVolume3, 0.5}, {OscPan3, 0.6}, {OscFilterType3, 0.8}, {OscFilterCutoff3, 0.4},
    {OscFilterResonance3, 0.2},
    {EnvAttack, 0}, {EnvDecay, 0.088}, {EnvSustain, 0}, {EnvRelease, 0}, {EnvDuration, kDuration},
    {FilterAttack, 0}, {FilterDecay, 0.088}, {FilterSustain, 0}, {FilterRelease, 0}, {FilterDuration, kDuration},
    {GlobalTranspose, 0.5}, {KickTransposeMode, 0}, {PitchAmount, 1}, {PitchDuration, 0.25}, {PitchPower, 1},
    {PitchDown, 0},
    {Synth::Distortion, 0}, distortionType(kDistortionLinear),
    {FilterType, 1}, {FilterCutoff, 0.303}, {FilterResonance, 0},
    {RingModulationFrequency, 0.1}, {PhaserRate, 0},
};

constexpr Assignment kOpenHihat1[] = {
    wave1(kWaveNoize), {OscVolume1, 0.55}, {OscFilterType1, 1}, {OscFilterCutoff1, 0.3},
    wave2(kWaveNoize), {OscVolume2, 0.45}, {OscPan2, 0.35}, {OscFilterType2, 1}, {OscFilterCutoff2, 0.28},
    wave3(kWaveNoize), {OscVolume3, 0.45}, {OscPan3, 0.65}, {OscFilterType3, 0.7}, {OscFilterCutoff3, 0.38},
    {OscFilterResonance3, 0.25},
    {EnvAttack, 0.01}, {EnvDecay, 0.3}, {EnvSustain, 0}, {EnvRelease, 0.05}, {EnvDuration, kDuration},
    {FilterAttack, 0.05}, {FilterDecay, 0.2}, {FilterSustain, 0}, {FilterRelease, 0.05},
    {FilterDuration, kDuration},
    {GlobalTranspose, 0.5}, {KickTransposeMode, 0}, {PitchAmount, 1}, {PitchDuration, 0.375}, {PitchPower, 0.25},
    {PitchDown, 0},
    {Synth::Distortion, 0}, distortionType(kDistortionLinear),
    {FilterType, 1}, {FilterCutoff, 0.303}, {FilterResonance, 0},
    {RingModulationFrequency, 0.1}, {PhaserRate, 0},
};

constexpr Assignment kSnareDrum1[] = {
    wave1(kWaveUser15), {OscVolume1, 0.8}, {OscPitch1, 1}, {OscFilterCutoff1, 0.5},
    wave2(kWaveWhiteNoize), {OscVolume2, 0.7}, {OscPan2, 0.45}, {OscFilterType2, 0.7}, {OscFilterCutoff2, 0.15},
    {OscFilterResonance2, 0.1},
    wave3(kWaveWhiteNoize), {OscVolume3, 0.5}, {OscPan3, 0.55}, {OscFilterType3, 1}, {OscFilterCutoff3, 0.25},
    {EnvAttack, 0.01}, {EnvDecay, 0.3}, {EnvSustain, 0}, {EnvRelease, 0.2}, {EnvDuration, kDuration},
    {FilterAttack, 0.075}, {FilterDecay, 0.2}, {FilterSustain, 0}, {FilterRelease, 0.2}, {FilterDuration, 0.2},
    {GlobalTranspose, 0.5}, {KickTransposeMode, 1}, {PitchAmount, 0.3}, {PitchDuration, 0.25}, {PitchPower, 1},
    {PitchDown, 0},
    {Synth::Distortion, 0}, distortionType(kDistortionLinear),
    {FilterType, 1}, {FilterCutoff, 0.3}, {FilterResonance, 0},
    {RingModulationFrequency, 0.1},
};

constexpr Assignment k8bitEnema[] = {
    wave1(kWaveUser1), {OscVolume1, 0.7},
    wave2(kWaveTriangle), {OscVolume2, 0.6}, {OscPitch2, 1}, {OscModFrequency2, 0.3}, {OscFreqModAmount2, 0.5},
    wave3(kWaveTriangle), {OscFreq3, 0.6}, {OscVolume3, 0.5},
    {EnvAttack, 0.01}, {EnvDecay, 0.5}, {EnvSustain, 0.25}, {EnvRelease, 0.1}, {EnvDuration, 0.2},
    {FilterAttack, 0.01}, {FilterDecay, 0.25}, {FilterSustain, 0.75}, {FilterRelease, 0.1},
    {FilterDuration, 0.2},
    {GlobalTranspose, 0.5}, {KickTransposeMode, 0}, {PitchAmount, 0.23}, {PitchDuration, 0.1725},
    {PitchPower, 0.12}, {PitchDown, 1},
    {Synth::Distortion, 0.5}, distortionType(kDistortionBigBadDrive), {Quantization, 0.1}, {SampleRate, 0.909},
    {FilterType, 0.7}, {FilterCutoff, 0.2}, {FilterResonance, 0.15},
};

constexpr Assignment kACoderAteMyPigeOn[] = {
    wave1(kWaveLQNoize3), {OscVolume1, 0.25}, {OscFilterCutoff1, 0.6},
    wave2(kWaveTriangle), {OscVolume2, 0.8}, {OscPitch2, 1}, {OscModFrequency2, 0.6}, {OscFreqModAmount2, 1},
    wave3(kWaveNoize), {OscVolume3, 0.3}, {OscFilterType3, 1}, {OscFilterCutoff3, 0.2},
    {EnvAttack, 0.02}, {EnvDecay, 1}, {EnvSustain, 0}, {EnvRelease, 0.2}, {EnvDuration, 0.2},
    {FilterAttack, 0.02}, {FilterDecay, 0.7}, {FilterSustain, 0}, {FilterRelease, 0.1}, {FilterDuration, 0.2},
    {GlobalTranspose, 1}, {KickTransposeMode, 1}, {PitchAmount, 0.5}, {PitchDuration, 0.8}, {PitchPower, 0.2},
    {PitchDown, 1},
    {UnisonDetune, 0},
    {Synth::Distortion, 0.1}, distortionType(kDistortionTransistor1),
    {FilterType, 0}, {FilterCutoff, 1}, {FilterResonance, 0},
};

constexpr Assignment kNeightboursNightmare[] = {
    wave1(kWaveUser10), {OscVolume1, 0.9}, {OscFilterCutoff1, 0.4}, {OscFilterResonance1, 0.3},
    wave2(kWaveWaveGarden), {OscFreq2, 0.45}, {OscVolume2, 0.6}, {OscModFrequency2, 0.05},
    {OscRingModAmount2, 0.5},
    wave3(kWaveLQNoize1), {OscVolume3, 0.4}, {OscFilterType3, 0.5}, {OscFilterCutoff3, 0.15},
    {EnvAttack, 0.01}, {EnvDecay, 0.999}, {EnvSustain, 0}, {EnvRelease, 0.05}, {EnvDuration, 0.2},
    {FilterAttack, 0.01}, {FilterDecay, 0.777}, {FilterSustain, 0}, {FilterRelease, 0.05}, {FilterDuration, 0.2},
    {BassLayerAmount, 0.777},
    {GlobalTranspose, 0.5}, {KickTransposeMode, 0}, {PitchAmount, 0.5}, {PitchDuration, 0.15}, {PitchPower, 0.5},
    {PitchDown, 0.5},
    {FmAmount, 0.25},
    {Synth::Distortion, 0.5}, distortionType(kDistortionBigFatDrive), interpolation(kInterpolationCubic),
    {FilterType, 0.708}, {FilterCutoff, 0.055}, {FilterResonance, 0.5},
    {PhaserRate, 0.1},
};

constexpr Assignment kUncontrolledDetonation[] = {
    wave1(kWaveLQNoize1), {OscVolume1, 1}, {OscFilterCutoff1, 0.5},
    wave2(kWaveSawtooth), {OscVolume2, 0.6}, {OscPitch2, 0}, {OscFilterCutoff2, 0.3},
    wave3(kWaveSawtooth), {OscFreq3, 0.45}, {OscVolume3, 0.6}, {OscFilterCutoff3, 0.3},
    {EnvAttack, 0.01}, {EnvDecay, 1}, {EnvSustain, 0}, {EnvRelease, 0.5}, {EnvDuration, 0.8},
    {FilterAttack, 0.01}, {FilterDecay, 1}, {FilterSustain, 0}, {FilterRelease, 0.5}, {FilterDuration, 0.8},
    {GlobalTranspose, 0.5}, {KickTransposeMode, 0}, {PitchAmount, 1}, {PitchDuration, 1}, {PitchPower, 1},
    {PitchDown, 1},
    {Synth::Distortion, 1}, distortionType(kDistortionVDRFuzz1),
    {FilterType, 0.85}, {FilterCutoff, 0.07}, {FilterResonance, 0.45},
};

constexpr Assignment kSilverSubmarine[] = {
    wave1(kWaveSawtooth), {OscVolume1, 1}, {OscSat1, 0.2}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.4},
    {OscModFrequency1, 0.02}, {OscFiltModAmount1, 0.3},
    wave2(kWaveShikoku), {OscVolume2, 1}, {OscSat2, 0.3}, {OscPan2, 0.3}, {OscPitch2, 0},
    wave3(kWaveDReceptor), {OscVolume3, 0.8}, {OscSat3, 0.3}, {OscPan3, 0.7}, {OscModFrequency3, 0.01},
    {OscRingModAmount3, 0.3},
    {EnvAttack, 0.5}, {EnvDecay, 0.5}, {EnvSustain, 1}, {EnvRelease, 1}, {EnvDuration, 0.5},
    {FilterAttack, 0.5}, {FilterDecay, 0.5}, {FilterSustain, 1}, {FilterRelease, 1}, {FilterDuration, 0.5},
    {GlobalTranspose, 0.5}, {KickTransposeMode, 0}, {PitchAmount, 0}, {PitchDuration, 0}, {PitchPower, 0},
    {PitchDown, 0},
    {FmAmount, 0.4},
    {Synth::Distortion, 0.03}, distortionType(kDistortionVDRFuzz1),
    {FilterType, 0.2}, {FilterCutoff, 0.12}, {FilterResonance, 0.44},
    {RingModulationFrequency, 0.05}, {PhaserDepth, 0.5}, {PhaserFeedback, 0.5}, {PhaserRate, 0.2},
};

// ---------------------------------------------------------------------------
// Basses. Positions 82 to 86 are played in bank order and pass on what they
// do not set.

constexpr Assignment kBassSection[] = {
    wave1(kWaveSine), {OscModFrequency1, 0.25},
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0}, {OscModFrequency2, 0.25}, {OscFreqModAmount2, 0.125},
    {Osc3OnOff, 0}, wave3(kWaveSine), {OscModFrequency3, 0.25}, {OscFreqModAmount3, 0.25},
    {EnvAttack, 0.01}, {EnvDecay, 0.25}, {EnvSustain, 0.75}, {EnvRelease, 0.1}, {EnvDuration, 0.1},
    {FilterAttack, 0.01}, {FilterDecay, 0.25}, {FilterSustain, 0.75}, {FilterRelease, 0.1},
    {FilterDuration, 0.1},
    {PitchDuration, 0.5},
    {DistortionOnOff, 0}, {Synth::Distortion, 0.5}, distortionType(kDistortionFuzzDrive1),
    interpolation(kInterpolationCubic),
    {FilterType, 1}, {FilterCutoff, 0},
};

constexpr Assignment kRawBassground[] = {
    {Osc1OnOff, 1}, wave1(kWaveSine), {OscFreq1, 0.5}, {OscVolume1, 1}, {OscSat1, 0.15}, {OscPan1, 0.5},
    {OscPitch1, 0.5}, {OscFilterType1, 0}, {OscFilterCutoff1, 0.8}, {OscFilterResonance1, 0.1},
    {OscInvertWaveform1, 0}, {OscModFrequency1, 0.25}, {OscRingModAmount1, 0}, {OscFreqModAmount1, 0},
    {OscFiltModAmount1, 0.05},
    {Osc2OnOff, 0}, wave2(kWaveTriangle), {OscFreq2, 0.5}, {OscVolume2, 0}, {OscSat2, 0}, {OscPan2, 0.5},
    {OscPitch2, 0.5}, {OscFilterType2, 0}, {OscFilterCutoff2, 1}, {OscFilterResonance2, 0},
    {OscInvertWaveform2, 0}, {OscModFrequency2, 0.25}, {OscRingModAmount2, 0}, {OscFreqModAmount2, 0.125},
    {OscFiltModAmount2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine), {OscInvertWaveform3, 0},
    {EnvAttack, 0.01}, {EnvDecay, 0.3}, {EnvSustain, 0.7}, {EnvRelease, 0.15}, {EnvDuration, 0.15},
    {FilterAttack, 0.01}, {FilterDecay, 0.3}, {FilterSustain, 0.6}, {FilterRelease, 0.15},
    {FilterDuration, 0.15},
    {PitchAmount, 0}, {PitchDuration, 0.3}, {PitchPower, 0.2}, {PitchDown, 0},
    {FmAmount, 0.25},
    {DistortionOnOff, 0}, {Synth::Distortion, 0.3}, distortionType(kDistortionTubeDistort),
    {DistortionLoudness, 0}, interpolation(kInterpolationCubic),
    {FilterOnOff, 1}, {FilterType, 1}, {FilterCutoff, 0}, {FilterResonance, 0}, filterMode1(kRbjLowPass),
    filterMode2(kHighPass12dB),
};

constexpr Assignment kTheShadowOutOfBass[] = {
    {Osc1OnOff, 1}, wave1(kWavePulse), {OscFreq1, 0.5}, {OscVolume1, 0.9}, {OscSat1, 0.1}, {OscPan1, 0.5},
    {OscPitch1, 0}, {OscFilterType1, 0}, {OscFilterCutoff1, 0.35}, {OscFilterResonance1, 0.2},
    {OscInvertWaveform1, 0}, {OscModFrequency1, 0.05}, {OscRingModAmount1, 0}, {OscFreqModAmount1, 0},
    {OscFiltModAmount1, 0.2},
    {Osc2OnOff, 1}, wave2(kWaveQuadPulse), {OscFreq2, 0.52}, {OscVolume2, 0.5}, {OscSat2, 0}, {OscPan2, 0.5},
    {OscPitch2, 0}, {OscFilterType2, 0}, {OscFilterCutoff2, 0.25}, {OscFilterResonance2, 0.1},
    {OscInvertWaveform2, 0}, {OscModFrequency2, 0.07}, {OscRingModAmount2, 0}, {OscFreqModAmount2, 0.1},
    {OscFiltModAmount2, 0.15},
    wave3(kWaveSine), {OscInvertWaveform3, 0},
    {EnvAttack, 0.005}, {EnvDecay, 0.35}, {EnvSustain, 0.6}, {EnvRelease, 0.1}, {EnvDuration, 0.2},
    {FilterAttack, 0.005}, {FilterDecay, 0.35}, {FilterSustain, 0.3}, {FilterRelease, 0.1},
    {FilterDuration, 0.2},
    {PitchAmount, 0}, {PitchDuration, 0}, {PitchPower, 0.8}, {PitchDown, 0},
    {FmAmount, 0.5},
    {DistortionOnOff, 1}, {Synth::Distortion, 0.1}, distortionType(kDistortionVDRFuzz1), {DistortionLoudness, 0},
    interpolation(kInterpolationCubic),
    {FilterOnOff, 1}, {FilterType, 0.8}, {FilterCutoff, 0.5}, {FilterResonance, 0.3}, filterMode1(kRbjHighPass),
    filterMode2(kLowPass12dB),
};

constexpr Assignment kUndergroundDubBass1[] = {
    {Osc1OnOff, 1}, wave1(kWaveSReceptor), {OscFreq1, 0.5}, {OscVolume1, 0.85}, {OscSat1, 0.2}, {OscPan1, 0.45},
    {OscPitch1, 0}, {OscFilterType1, 0}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.3},
    {OscInvertWaveform1, 0}, {OscModFrequency1, 0.1}, {OscRingModAmount1, 0}, {OscFreqModAmount1, 0},
    {OscFiltModAmount1, 0.3},
    {Osc2OnOff, 1}, wave2(kWaveWavescape), {OscFreq2, 0.48}, {OscVolume2, 0.6}, {OscSat2, 0}, {OscPan2, 0.55},
    {OscPitch2, 0}, {OscFilterType2, 0}, {OscFilterCutoff2, 0.3}, {OscFilterResonance2, 0.2},
    {OscInvertWaveform2, 0}, {OscModFrequency2, 0.15}, {OscRingModAmount2, 0}, {OscFreqModAmount2, 0.1},
    {OscFiltModAmount2, 0.2},
    wave3(kWaveSawtooth),
    {EnvAttack, 0.02}, {EnvDecay, 0.45}, {EnvSustain, 0.8}, {EnvRelease, 0.2}, {EnvDuration, 0.15},
    {FilterAttack, 0.02}, {FilterDecay, 0.45}, {FilterSustain, 0.5}, {FilterRelease, 0.2},
    {FilterDuration, 0.15},
    {Osc1InvertFilEnv, 0}, {Osc2InvertFilEnv, 0}, {Osc3InvertFilEnv, 0},
    {PitchAmount, 0}, {PitchDuration, 0.4}, {PitchPower, 0.5}, {PitchDown, 0},
    {UnisonVoices, 1}, {UnisonDetune, 0.25},
    {BassAmount, 0.5}, {MidAmount, 0.5}, {HighAmount, 0.5}, {DumpExpand, 0.5},
    {DistortionOnOff, 1}, {Synth::Distortion, 0.1}, distortionType(kDistortionHardcoreFuzz2),
    {DistortionLoudness, 0}, {DistortionInterpMode, 1.0}, {Quantization, 1}, {SampleRate, 1}, {Gate, 0},
    {FilterOnOff, 1}, {FilterType, 0}, {FilterCutoff, 0.35}, {FilterResonance, 0.4}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass12dB),
    {ModulationOnOff, 1}, {RingModulationAmount, 0}, {RingModulationFrequency, 0.1}, {PhaserDepth, 0},
    {PhaserFeedback, 0.5}, {PhaserRate, 0.5},
};

constexpr Assignment kTheSorceryOfBass[] = {
    {Osc1OnOff, 1}, wave1(kWaveSawtooth), {OscFreq1, 0.5}, {OscVolume1, 0.8}, {OscSat1, 0.1}, {OscPan1, 0.5},
    {OscPitch1, 0}, {OscFilterType1, 0}, {OscFilterCutoff1, 0.4}, {OscFilterResonance1, 0.35},
    {OscInvertWaveform1, 0}, {OscModFrequency1, 0.04}, {OscRingModAmount1, 0}, {OscFreqModAmount1, 0},
    {OscFiltModAmount1, 0.45},
    {Osc2OnOff, 1}, wave2(kWaveTriangle), {OscFreq2, 0.5}, {OscVolume2, 0.7}, {OscSat2, 0.2}, {OscPan2, 0.5},
    {OscPitch2, 0}, {OscFilterType2, 0}, {OscFilterCutoff2, 0.6}, {OscFilterResonance2, 0},
    {OscInvertWaveform2, 0}, {OscModFrequency2, 0}, {OscRingModAmount2, 0}, {OscFreqModAmount2, 0},
    {OscFiltModAmount2, 0},
    wave3(kWaveSReceptor), {OscInvertWaveform3, 0},
    {EnvAttack, 0.01}, {EnvDecay, 0.4}, {EnvSustain, 0.65}, {EnvRelease, 0.12}, {EnvDuration, 0.12},
    {FilterAttack, 0.01}, {FilterDecay, 0.4}, {FilterSustain, 0.4}, {FilterRelease, 0.12},
    {FilterDuration, 0.12},
    {PitchAmount, 0}, {PitchDuration, 0.2}, {PitchPower, 0.4}, {PitchDown, 0},
    {UnisonVoices, 1}, {UnisonDetune, 0.25},
    {DumpExpand, 0.5},
    {DistortionOnOff, 1}, {Synth::Distortion, 0.1}, distortionType(kDistortionQuillvaneDrive1),
    {DistortionLoudness, 0}, {DistortionInterpMode, 1.0},
    {FilterOnOff, 1}, {FilterType, 0.1}, {FilterCutoff, 0.4}, {FilterResonance, 0.5}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass12dB),
    {ModulationOnOff, 1}, {RingModulationAmount, 0}, {RingModulationFrequency, 0.1}, {PhaserDepth, 0},
    {PhaserFeedback, 0.4}, {PhaserRate, 0.5},
};

constexpr Assignment kDeadlySpellDBBass[] = {
    {Osc1OnOff, 1}, wave1(kWaveTriangle), {OscFreq1, 0.5}, {OscVolume1, 0.9}, {OscSat1, 0.3}, {OscPan1, 0.5},
    {OscPitch1, 0}, {OscFilterType1, 0}, {OscFilterCutoff1, 0.5}, {OscFilterResonance1, 0.2},
    {OscInvertWaveform1, 0}, {OscModFrequency1, 0.03}, {OscRingModAmount1, 0}, {OscFreqModAmount1, 0.15},
    {OscFiltModAmount1, 0.25},
    {Osc2OnOff, 1}, wave2(kWaveQuadPulse), {OscFreq2, 0.53}, {OscVolume2, 0.6}, {OscSat2, 0.1}, {OscPan2, 0.5},
    {OscPitch2, 0}, {OscFilterType2, 0}, {OscFilterCutoff2, 0.35}, {OscFilterResonance2, 0.25},
    {OscInvertWaveform2, 0}, {OscModFrequency2, 0.05}, {OscRingModAmount2, 0}, {OscFreqModAmount2, 0.15},
    {OscFiltModAmount2, 0.3},
    wave3(kWaveSawtooth), {OscInvertWaveform3, 0},
    {EnvAttack, 0.1}, {EnvDecay, 0.2}, {EnvSustain, 0.5}, {EnvRelease, 0.1}, {EnvDuration, 0.2},
    {FilterAttack, 0.1}, {FilterDecay, 0.3}, {FilterSustain, 0.5}, {FilterRelease, 0.1}, {FilterDuration, 0.2},
    {PitchAmount, 0}, {PitchDuration, 0.1}, {PitchPower, 0.3}, {PitchDown, 0},
    {FmAmount, 0.5},
    {DistortionOnOff, 1}, {Synth::Distortion, 0.2}, distortionType(kDistortionQuillvaneDrive2),
    {DistortionLoudness, 0}, interpolation(kInterpolationHermite),
    {FilterOnOff, 1}, {FilterType, 0.2}, {FilterCutoff, 0.3}, {FilterResonance, 0.3}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass12dB),
};

constexpr Assignment kFusionBass1[] = {
    wave1(kWaveQuadPulse), {OscVolume1, 0.7}, {OscPitch1, 0}, {OscFilterCutoff1, 0.4},
    {OscFilterResonance1, 0.2}, {OscModFrequency1, 0.25}, {OscFiltModAmount1, 0.1},
    wave2(kWaveSawtooth), {OscFreq2, 0.45}, {OscVolume2, 0.7}, {OscFilterCutoff2, 0.3}, {OscModFrequency2, 0.25},
    {OscFreqModAmount2, 0.1},
    wave3(kWaveSawtooth), {OscFreq3, 0.55}, {OscVolume3, 0.7}, {OscFilterCutoff3, 0.3}, {OscModFrequency3, 0.25},
    {OscFreqModAmount3, 0.1},
    {EnvAttack, 0.01}, {EnvDecay, 0.5}, {EnvSustain, 0.5}, {EnvRelease, 0.2}, {EnvDuration, 0.1},
    {FilterAttack, 0.01}, {FilterDecay, 0.5}, {FilterSustain, 0.5}, {FilterRelease, 0.2}, {FilterDuration, 0.1},
    {FmAmount, 0.4},
    {Synth::Distortion, 0}, distortionType(kDistortionLinear),
    {RingModulationFrequency, 0.1},
};

constexpr Assignment kFusionBass2[] = {
    wave1(kWaveOctPulse), {OscVolume1, 0.7}, {OscPitch1, 0}, {OscFilterCutoff1, 0.35},
    {OscFilterResonance1, 0.3}, {OscModFrequency1, 0.375}, {OscFiltModAmount1, 0.15},
    wave2(kWaveTriangle), {OscVolume2, 0.7}, {OscPitch2, 0}, {OscModFrequency2, 0.375}, {OscRingModAmount2, 0.1},
    wave3(kWaveSawtooth), {OscFreq3, 0.47}, {OscVolume3, 0.7}, {OscFilterCutoff3, 0.25},
    {OscModFrequency3, 0.375}, {OscFreqModAmount3, 0.15},
    {EnvAttack, 0.01}, {EnvDecay, 0.5}, {EnvSustain, 0.5}, {EnvRelease, 0.2}, {EnvDuration, 0.1},
    {FilterAttack, 0.01}, {FilterDecay, 0.5}, {FilterSustain, 0.5}, {FilterRelease, 0.2}, {FilterDuration, 0.1},
    {FmAmount, 0.2},
    {Synth::Distortion, 0}, distortionType(kDistortionLinear),
};

// ---------------------------------------------------------------------------
// Strings, brass and pads.

constexpr Assignment kStringSection[] = {
    wave1(kWaveSine), {OscVolume1, 0.4}, {OscFilterCutoff1, 0.25}, {OscFilterResonance1, 0.1},
    {OscModFrequency1, 0.4}, {OscFreqModAmount1, 0.2}, {OscFiltModAmount1, 0.1},
    wave2(kWaveSawtooth), {OscFreq2, 0.6}, {OscVolume2, 0.2}, {OscFilterCutoff2, 0.5},
    {OscFilterResonance2, 0.25}, {OscModFrequency2, 0.2}, {OscFreqModAmount2, 0.1}, {OscFiltModAmount2, 0.05},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {PitchOnOff, 0},
    {DistortionOnOff, 0},
};

constexpr Assignment kErichZahnViolin[] = {
    wave1(kWaveSawtooth), {OscVolume1, 0.7}, {OscFilterCutoff1, 0.75}, {OscFilterResonance1, 0.15},
    {OscModFrequency1, 0.28}, {OscFreqModAmount1, 0.3}, {OscFiltModAmount1, 0.05},
    wave2(kWaveTriangle), {OscFreq2, 0.6}, {OscVolume2, 0.3}, {OscPitch2, 1}, {OscFilterCutoff2, 0.63},
    {OscModFrequency2, 0.3}, {OscFreqModAmount2, 0.3}, {OscFiltModAmount2, 0.1},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0.02}, {EnvDecay, 1}, {EnvSustain, 1}, {EnvRelease, 0.3}, {EnvDuration, 0.4},
    {FilterAttack, 0.1}, {FilterDecay, 0.8}, {FilterSustain, 0.7}, {FilterRelease, 0.3}, {FilterDuration, 0.4},
    {PitchOnOff, 0},
    {DistortionOnOff, 0},
};

constexpr Assignment kVirtualCello[] = {
    wave1(kWaveOctPulse), {OscVolume1, 0.5}, {OscPitch1, 0}, {OscFilterCutoff1, 0.125},
    {OscFilterResonance1, 0.1}, {OscModFrequency1, 0.25}, {OscFreqModAmount1, 0.2}, {OscFiltModAmount1, 0.02},
    wave2(kWavePulse), {OscFreq2, 0.45}, {OscVolume2, 0.4}, {OscPitch2, 0}, {OscFilterCutoff2, 0.1},
    {OscModFrequency2, 0.22}, {OscFreqModAmount2, 0.2}, {OscFiltModAmount2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0.02}, {EnvDecay, 1}, {EnvSustain, 1}, {EnvRelease, 0.25}, {EnvDuration, 0.5},
    {FilterAttack, 0.15}, {FilterDecay, 0.8}, {FilterSustain, 0.8}, {FilterRelease, 0.25}, {FilterDuration, 0.5},
    {PitchOnOff, 0},
    {DistortionOnOff, 0},
};

constexpr Assignment kVirtualBanjo[] = {
    wave1(kWaveQuadPulse), {OscVolume1, 0.23}, {OscFilterCutoff1, 0.5}, {OscFilterResonance1, 0.2},
    wave2(kWaveOctPulse), {OscFreq2, 0.6}, {OscVolume2, 0.3}, {OscFilterCutoff2, 0.4},
    {OscFilterResonance2, 0.1},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0}, {EnvDecay, 0.67}, {EnvSustain, 0}, {EnvRelease, 0.04}, {EnvDuration, kDuration},
    {FilterAttack, 0}, {FilterDecay, 0.19}, {FilterSustain, 0}, {FilterRelease, 0.04},
    {FilterDuration, kDuration},
    {PitchOnOff, 0},
    {FmAmount, 0.25},
    {DistortionOnOff, 0},
};

constexpr Assignment kBrassSection[] = {
    wave1(kWaveSawtooth), {OscFilterType1, 0.1}, {OscFilterCutoff1, 0.2}, {OscFilterResonance1, 0.2},
    {Osc2OnOff, 0}, wave2(kWaveSine),
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0.01}, {EnvDecay, 0.777}, {EnvSustain, 0.4}, {EnvRelease, 0.04}, {EnvDuration, 0.4},
    {FilterAttack, 0}, {FilterDecay, 0.777}, {FilterSustain, 0.2}, {FilterRelease, 0.04}, {FilterDuration, 0.4},
    {PitchOnOff, 0},
    {DistortionOnOff, 0},
};

constexpr Assignment kVirtualHorn[] = {
    wave1(kWaveOctPulse), {OscFilterType1, 0.1}, {OscFilterCutoff1, 0.3}, {OscFilterResonance1, 0.2},
    {OscModFrequency1, 0.25}, {OscFreqModAmount1, 0.15},
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0.008}, {EnvDecay, 1}, {EnvSustain, 1}, {EnvRelease, 0.08}, {EnvDuration, 1},
    {FilterAttack, 0.02}, {FilterDecay, 0.6}, {FilterSustain, 0.5}, {FilterRelease, 0.08}, {FilterDuration, 1},
    {PitchOnOff, 0},
    {DistortionOnOff, 0},
};

constexpr Assignment kVirtualHarmonica[] = {
    wave1(kWaveOctPulse), {OscVolume1, 0.1}, {OscFilterCutoff1, 0.5}, {OscFilterResonance1, 0.2},
    {OscModFrequency1, 0.083}, {OscFreqModAmount1, 0.8},
    wave2(kWaveQuadPulse), {OscVolume2, 0.8}, {OscFilterCutoff2, 0.35}, {OscFilterResonance2, 0.15},
    {OscModFrequency2, 0.083}, {OscFreqModAmount2, 0.4},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0.01}, {EnvDecay, 1}, {EnvSustain, 0.8}, {EnvRelease, 0.008}, {EnvDuration, 0.6},
    {FilterAttack, 0.01}, {FilterDecay, 1}, {FilterSustain, 0.6}, {FilterRelease, 0.01}, {FilterDuration, 0.6},
    {PitchOnOff, 0},
    {DistortionOnOff, 0},
};

constexpr Assignment kPadSection[] = {
    wave1(kWaveQuadPulse), {OscFreq1, 0.475}, {OscVolume1, 0.75}, {OscPan1, 0.4}, {OscFilterType1, 0.5},
    {OscFilterCutoff1, 0.5}, {OscFilterResonance1, 0.1}, {OscModFrequency1, 0.5}, {OscRingModAmount1, 0.1},
    {OscFreqModAmount1, 0.1}, {OscFiltModAmount1, 0.1},
    wave2(kWaveSawtooth), {OscFreq2, 0.525}, {OscVolume2, 0.75}, {OscSat2, 0.5}, {OscPan2, 0.6}, {OscPitch2, 0},
    {OscFilterType2, 0.25}, {OscFilterCutoff2, 0.5}, {OscFilterResonance2, 0.2}, {OscModFrequency2, 0.25},
    {OscRingModAmount2, 0.2}, {OscFreqModAmount2, 0.2}, {OscFiltModAmount2, 0.2},
    wave3(kWaveSine),
    {UnisonVoices, 1}, {UnisonDetune, 0.1}, {FmAmount, 0.25},
    {DistortionOnOff, 0}, distortionType(kDistortionBigFatDrive), interpolation(kInterpolationHermite),
    {FilterMode1, 0}, {FilterMode2, 0},
    {ModulationOnOff, 1}, {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5}, {PhaserRate, 0.1},
};

constexpr Assignment kRelicPad[] = {
    wave1(kWaveShikoku), {OscFreq1, 0.48}, {OscVolume1, 0.8}, {OscPan1, 0.35}, {OscFilterType1, 0.6},
    {OscFilterCutoff1, 0.45}, {OscFilterResonance1, 0.15}, {OscModFrequency1, 0.1}, {OscFiltModAmount1, 0.15},
    wave2(kWaveSynapsis), {OscFreq2, 0.52}, {OscVolume2, 0.6}, {OscPan2, 0.65}, {OscPitch2, 0},
    {OscFilterType2, 0.3}, {OscFilterCutoff2, 0.4}, {OscModFrequency2, 0.15}, {OscRingModAmount2, 0.15},
    wave3(kWaveBrickBreaker), {OscVolume3, 0.4}, {OscPitch3, 1}, {OscFilterCutoff3, 0.3},
    {OscModFrequency3, 0.05}, {OscFreqModAmount3, 0.1},
    {UnisonVoices, 1}, {UnisonDetune, 0.2}, {FmAmount, 0.1},
    {DistortionOnOff, 0}, distortionType(kDistortionBigFatDrive), interpolation(kInterpolationHermite),
    {FilterMode1, 0}, {FilterMode2, 0},
    {ModulationOnOff, 1}, {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5}, {PhaserRate, 0.1},
};

constexpr Assignment kRawStructuredPad[] = {
    wave1(kWaveSawtooth), {OscFreq1, 0.46}, {OscSat1, 0.2}, {OscPan1, 0.3}, {OscFilterType1, 0.8},
    {OscFilterCutoff1, 0.15}, {OscFilterResonance1, 0.3}, {OscModFrequency1, 0.2}, {OscFiltModAmount1, 0.3},
    wave2(kWaveQuadPulse), {OscFreq2, 0.54}, {OscVolume2, 0.7}, {OscPan2, 0.7}, {OscPitch2, 0},
    {OscFilterType2, 0.5}, {OscFilterCutoff2, 0.35}, {OscFilterResonance2, 0.2}, {OscModFrequency2, 0.3},
    {OscFiltModAmount2, 0.25},
    {Osc3OnOff, 0}, wave3(kWaveSawtooth),
    {UnisonVoices, 1}, {UnisonDetune, 0.3},
    {DistortionOnOff, 0}, distortionType(kDistortionBigBadDrive), interpolation(kInterpolationHermite),
    {FilterMode1, 0}, {FilterMode2, 0},
    {ModulationOnOff, 1}, {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5}, {PhaserRate, 0.1},
};

constexpr Assignment kSpaceCutPad[] = {
    wave1(kWaveWavescape), {OscVolume1, 0.7}, {OscPan1, 0.25}, {OscFilterType1, 0.5}, {OscFilterCutoff1, 0.4},
    {OscFilterResonance1, 0.25}, {OscModFrequency1, 0.05}, {OscFiltModAmount1, 0.4},
    wave2(kWaveWaveGarden), {OscFreq2, 0.55}, {OscVolume2, 0.6}, {OscPan2, 0.75}, {OscPitch2, 0},
    {OscFilterType2, 0.25}, {OscFilterCutoff2, 0.5}, {OscModFrequency2, 0.08}, {OscFreqModAmount2, 0.15},
    {Osc3OnOff, 0}, wave3(kWaveSawtooth),
    {UnisonVoices, 1}, {UnisonDetune, 0.25}, {FmAmount, 0.15},
    {DistortionOnOff, 0}, distortionType(kDistortionNoizeFreakFuzz1), interpolation(kInterpolationHermite),
    {FilterMode1, 0}, {FilterMode2, 0},
    {ModulationOnOff, 1}, {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5}, {PhaserRate, 0.1},
};

constexpr Assignment kProphecyPad[] = {
    wave1(kWaveGeoChirp), {OscVolume1, 0.8}, {OscPan1, 0.4}, {OscFilterType1, 0.7}, {OscFilterCutoff1, 0.35},
    {OscFilterResonance1, 0.2}, {OscModFrequency1, 0.12}, {OscFiltModAmount1, 0.2},
    wave2(kWaveWavescape), {OscFreq2, 45.0}, {OscVolume2, 0.6}, {OscPan2, 0.6}, {OscPitch2, 0},
    {OscFilterType2, 0.4}, {OscFilterCutoff2, 0.45}, {OscModFrequency2, 0.06}, {OscFreqModAmount2, 0.1},
    wave3(kWaveDReceptor), {OscVolume3, 0.35}, {OscPitch3, 1}, {OscFilterCutoff3, 0.3},
    {UnisonVoices, 1}, {UnisonDetune, 0.15}, {FmAmount, 0.2},
    {DistortionOnOff, 0}, distortionType(kDistortionSoftTubeDistort), interpolation(kInterpolationHermite),
    {FilterMode1, 0}, {FilterMode2, 0},
    {ModulationOnOff, 1}, {RingModulationFrequency, 0.1}, {PhaserDepth, 0.2}, {PhaserFeedback, 0.4},
    {PhaserRate, 0.1},
};

constexpr Assignment kDeliriumPad[] = {
    wave1(kWaveKIC8462852), {OscVolume1, 0.9}, {OscPan1, 0.45}, {OscFilterType1, 0.65}, {OscFilterCutoff1, 0.4},
    {OscFilterResonance1, 0.2}, {OscModFrequency1, 0.3}, {OscRingModAmount1, 0.2},
    wave2(kWaveSynapsis), {OscFreq2, 4.0}, {OscVolume2, 0.5}, {OscPan2, 0.55}, {OscPitch2, 0},
    {OscFilterType2, 0.35}, {OscFilterCutoff2, 0.4}, {OscModFrequency2, 0.45}, {OscFreqModAmount2, 0.35},
    wave3(kWavePulse), {OscVolume3, 0.3}, {OscFilterCutoff3, 0.2}, {OscFilterResonance3, 0.3},
    {OscModFrequency3, 0.2}, {OscFiltModAmount3, 0.3},
    {UnisonVoices, 1}, {UnisonDetune, 0.2},
    {DistortionOnOff, 0}, distortionType(kDistortionSoftTubeDistort), interpolation(kInterpolationHermite),
    {FilterMode1, 0}, {FilterMode2, 0},
    {ModulationOnOff, 1}, {RingModulationFrequency, 0.1}, {PhaserRate, 0.05},
};

// ---------------------------------------------------------------------------
// Synth sounds: leads built on three saw leads, and keys, pitch effects.

constexpr Assignment kSynthSoundsSection[] = {
    wave2(kWaveOctPulse),
};

constexpr Assignment kSawLead1[] = {
    wave1(kWaveSawtooth), {OscVolume1, 0.8}, {OscFilterCutoff1, 0.6}, {OscFilterResonance1, 0.25},
    {Osc2OnOff, 0}, wave2(kWaveSawtooth), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSawtooth),
    {Synth::Distortion, 0}, distortionType(kDistortionLinear),
    {ModulationOnOff, 0}, {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5},
};

constexpr Assignment kSawLead2[] = {
    wave1(kWaveSawtooth), {OscFreq1, 0.4}, {OscVolume1, 0.64}, {OscPan1, 0.25}, {OscModFrequency1, 0.3},
    {OscFreqModAmount1, 0.2},
    wave2(kWaveSawtooth), {OscFreq2, 0.6}, {OscVolume2, 0.64}, {OscPan2, 0.75}, {OscModFrequency2, 0.15},
    {OscFreqModAmount2, 0.1},
    {Osc3OnOff, 0}, wave3(kWaveSawtooth), {OscVolume3, 0.64},
    {Synth::Distortion, 0}, distortionType(kDistortionLinear),
    {ModulationOnOff, 0}, {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5},
};

constexpr Assignment kSawLead3[] = {
    wave1(kWaveSawtooth), {OscVolume1, 0.64}, {OscModFrequency1, 0.75}, {OscRingModAmount1, 0.25},
    {OscFreqModAmount1, 1.0},
    wave2(kWaveSawtooth), {OscFreq2, 0.45}, {OscVolume2, 0.64}, {OscPan2, 0.75}, {OscModFrequency2, 0.75},
    {OscFreqModAmount2, 1.0},
    wave3(kWaveSawtooth), {OscFreq3, 0.4}, {OscVolume3, 0.64}, {OscPan3, 0.25}, {OscModFrequency3, 0.75},
    {OscFreqModAmount3, 1.0},
    {Synth::Distortion, 0}, distortionType(kDistortionLinear),
    {ModulationOnOff, 0}, {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5},
};

constexpr Assignment kSuperSawLead1[] = {
    {UnisonVoices, 1.0}, {UnisonDetune, 0.3},
};

constexpr Assignment kSuperSawLead2[] = {
    {UnisonVoices, 1.0}, {UnisonDetune, 0.4},
};

constexpr Assignment kExothermicHardstyleLead[] = {
    {OscFreq1, 0.35}, {OscSat1, 0.25}, {OscPan1, 0.4}, {OscModFrequency1, 0.25}, {OscFreqModAmount1, 0.25},
    {OscFreq2, 0.65}, {OscSat2, 0.25}, {OscPan2, 0.6}, {OscModFrequency2, 0.25}, {OscFreqModAmount2, 0.25},
    wave3(kWaveSReceptor), {OscSat3, 0.25}, {OscPitch3, 0.0}, {OscModFrequency3, 0.5}, {OscFreqModAmount3, 0.1},
    {UnisonVoices, 1.0}, {UnisonDetune, 0.25},
};

constexpr Assignment kEndothermicHardcoreLead[] = {
    wave1(kWavePulse), {OscFreq1, 0.35}, {OscSat1, 0.25}, {OscPan1, 0.4}, {OscModFrequency1, 0.175},
    wave2(kWavePulse), {OscFreq2, 0.65}, {OscSat2, 0.25}, {OscPan2, 0.6}, {OscModFrequency2, 0.35},
    wave3(kWaveDReceptor), {OscSat3, 0.25}, {OscModFrequency3, 0.1875}, {OscFreqModAmount3, 0.3},
    {UnisonVoices, 1.0}, {UnisonDetune, 0.35},
};

constexpr Assignment kSquareLead1[] = {
    wave1(kWavePulse),
    wave2(kWavePulse),
    wave3(kWavePulse),
};

constexpr Assignment kSquareLead2[] = {
    wave1(kWavePulse), {OscFreq1, 0.45}, {OscModFrequency1, 0.25}, {OscRingModAmount1, 0.2},
    {OscFreqModAmount1, 0.1},
    wave2(kWavePulse), {OscFreq2, 0.55}, {OscModFrequency2, 0.375}, {OscRingModAmount2, 0.2},
    wave3(kWavePulse),
};

constexpr Assignment kSquareLead3[] = {
    wave1(kWavePulse), {OscModFrequency1, 0.5}, {OscRingModAmount1, 0.1},
    wave2(kWavePulse), {OscFreq2, 0.44}, {OscPan2, 0.25}, {OscModFrequency2, 0.5},
    wave3(kWavePulse), {OscFreq3, 0.37}, {OscPan3, 0.75}, {OscModFrequency3, 1.0},
};

constexpr Assignment kGlimmerkinSuviFmSynth[] = {
    wave1(kWaveQuadPulse), {OscFreq1, 0.5}, {OscVolume1, 0.5}, {OscPan1, 0.4777}, {OscPitch1, 0.0},
    {OscModFrequency1, 0.04}, {OscRingModAmount1, 0.2}, {OscFreqModAmount1, 0.8},
    {OscFreq2, 0.55}, {OscVolume2, 0.5}, {OscSat2, 0.5}, {OscPan2, 0.5777}, {OscModFrequency2, 0.28},
    {OscFreqModAmount2, 0.4}, {OscFiltModAmount2, 0.2016},
    {EnvAttack, 0.02016}, {EnvDecay, 0.4}, {EnvSustain, 0.0}, {EnvDuration, 0.28},
    {FilterAttack, 0.02016}, {FilterDecay, 0.4}, {FilterSustain, 0.0}, {FilterDuration, 0.28},
    {UnisonDetune, 0.1}, {FmAmount, 0.28},
};

constexpr Assignment kDarkPhutureLead[] = {
    wave1(kWaveQuadPulse), {OscVolume1, 0.7}, {OscFilterType1, 0.8}, {OscFilterCutoff1, 0.5},
    {OscFilterResonance1, 0.5}, {OscModFrequency1, 0.02}, {OscFiltModAmount1, 0.5},
    wave2(kWaveSawtooth), {OscFreq2, 0.45}, {OscVolume2, 0.6}, {OscFilterCutoff2, 0.4},
    {OscModFrequency2, 0.015}, {OscFreqModAmount2, 0.18}, {OscFiltModAmount2, 0.49},
    wave3(kWaveSawtooth), {OscFreq3, 0.55}, {OscVolume3, 0.6}, {OscPitch3, 0}, {OscModFrequency3, 0.04},
    {OscFreqModAmount3, 0.35},
    {EnvAttack, 0.005}, {EnvDecay, 0.4}, {EnvSustain, 0.6}, {EnvRelease, 0.15}, {EnvDuration, 0.25},
    {FilterAttack, 0.01}, {FilterDecay, 0.3}, {FilterSustain, 0.4}, {FilterRelease, 0.15},
    {FilterDuration, 0.25},
    {FmAmount, 0.2},
    {Synth::Distortion, 0.1}, distortionType(kDistortionVDRFuzz1),
};

constexpr Assignment kEventHorizonLead[] = {
    wave1(kWaveSawtooth), {OscFreq1, 0.45}, {OscVolume1, 0.7}, {OscPan1, 0.3}, {OscFilterCutoff1, 0.55},
    wave2(kWaveSawtooth), {OscFreq2, 0.55}, {OscVolume2, 0.7}, {OscPan2, 0.7}, {OscFilterCutoff2, 0.55},
    wave3(kWaveKIC8462852), {OscVolume3, 0.3}, {OscPitch3, 1}, {OscFilterCutoff3, 0.3},
    {EnvAttack, 0.01}, {EnvDecay, 1}, {EnvSustain, 0.7}, {EnvRelease, 0.2}, {EnvDuration, 0.25},
    {FilterAttack, 0.05}, {FilterDecay, 0.6}, {FilterSustain, 0.6}, {FilterRelease, 0.2}, {FilterDuration, 0.25},
    {Synth::Distortion, 0.3}, distortionType(kDistortionCompressor),
    {FilterType, 0.5}, {FilterCutoff, 0.55}, {FilterResonance, 0.2}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass24dB),
    {ModulationOnOff, 1}, {PhaserDepth, 0.25}, {PhaserFeedback, 0.5}, {PhaserRate, 0.25},
};

constexpr Assignment kHardDBLead1[] = {
    wave1(kWaveQuadPulse), {OscVolume1, 0.8}, {OscFilterType1, 0.8}, {OscFilterCutoff1, 0.5},
    {OscFilterResonance1, 0.5}, {OscModFrequency1, 0.02}, {OscFiltModAmount1, 0.5},
    wave2(kWaveKIC8462852), {OscVolume2, 0.4}, {OscModFrequency2, 0.015}, {OscFreqModAmount2, 0.18},
    {OscFiltModAmount2, 0.49},
    wave3(kWaveSawtooth), {OscFreq3, 0.52}, {OscVolume3, 0.6}, {OscModFrequency3, 0.04},
    {OscFreqModAmount3, 0.35},
    {EnvAttack, 0}, {EnvDecay, 0.3}, {EnvSustain, 0.7}, {EnvRelease, 0.1}, {EnvDuration, 0.2},
    {FilterAttack, 0}, {FilterDecay, 0.3}, {FilterSustain, 0.5}, {FilterRelease, 0.1}, {FilterDuration, 0.2},
    {Synth::Distortion, 0.1}, distortionType(kDistortionFuzzDrive1),
    {FilterType, 0.3}, {FilterCutoff, 0.6}, {FilterResonance, 0.3}, filterMode1(kRbjBandPass1),
    filterMode2(kHighPass24dB),
    {RingModulationFrequency, 0.1},
};

constexpr Assignment kCyberRealizm[] = {
    {OscFreq1, 0.49}, {OscVolume1, 0.7}, {OscSat1, 0.3}, {OscPan1, 0.4}, {OscPitch1, 0.0},
    {OscModFrequency1, 0.125}, {OscRingModAmount1, 0.0}, {OscFreqModAmount1, 0.2},
    {OscVolume2, 0.7}, {OscSat2, 0.3}, {OscPan2, 0.5}, {OscModFrequency2, 0.25}, {OscFreqModAmount2, 0.2},
    {OscFreq3, 0.51}, {OscVolume3, 0.7}, {OscSat3, 0.3}, {OscPan3, 0.6}, {OscPitch3, 1.0},
    {OscModFrequency3, 0.375}, {OscFreqModAmount3, 0.2},
    {PitchAmount, 0.1}, {PitchDuration, 1.0}, {PitchPower, 0.2}, {PitchDown, 0.15},
    {UnisonVoices, 1.0}, {UnisonDetune, 0.2},
};

constexpr Assignment kFilterSynth1[] = {
    wave1(kWaveUser1), {OscFilterCutoff1, 0.5}, {OscFilterResonance1, 0.6},
    wave2(kWaveSine), {OscVolume2, 0}, {OscFilterResonance2, 0.5},
    wave3(kWaveSine), {OscVolume3, 0.5}, {OscPitch3, 0}, {OscFilterCutoff3, 0.4}, {OscFilterResonance3, 0.7},
    {EnvAttack, 0}, {EnvDecay, 0.3}, {EnvSustain, 0.8}, {EnvRelease, 0.1}, {EnvDuration, 0.2},
    {FilterAttack, 0}, {FilterDecay, 0.4}, {FilterSustain, 0.2}, {FilterRelease, 0.1}, {FilterDuration, 0.2},
    {PitchOnOff, 0},
    {FmAmount, 0.5},
    {Synth::Distortion, 0.5}, distortionType(kDistortionFuzzDrive1),
    {FilterType, 0.8}, {FilterCutoff, 0},
    {RingModulationFrequency, 0.1},
};

constexpr Assignment kFilterSynth2[] = {
    wave1(kWaveSawtooth), {OscVolume1, 0.8}, {OscFilterCutoff1, 0.45}, {OscFilterResonance1, 0.55},
    {OscModFrequency1, 0.1}, {OscFiltModAmount1, 0.2},
    wave2(kWaveQuadPulse), {OscVolume2, 0.5}, {OscFilterCutoff2, 0.35}, {OscFilterResonance2, 0.65},
    wave3(kWaveSine), {OscVolume3, 0.5}, {OscPitch3, 0}, {OscFilterResonance3, 0.5},
    {EnvAttack, 0.005}, {EnvDecay, 0.35}, {EnvSustain, 0.7}, {EnvRelease, 0.1}, {EnvDuration, 0.2},
    {FilterAttack, 0.005}, {FilterDecay, 0.5}, {FilterSustain, 0.25}, {FilterRelease, 0.1},
    {FilterDuration, 0.2},
    {FmAmount, 0.3},
    {Synth::Distortion, 0.5}, distortionType(kDistortionCompressor),
    {FilterType, 0.7}, {FilterCutoff, 0},
    {RingModulationFrequency, 0.1},
};

constexpr Assignment kOiSynth1[] = {
    wave1(kWaveUser7), {OscFilterType1, 1}, {OscFilterCutoff1, 0.02}, {OscFilterResonance1, 1},
    {OscInvertWaveform1, 1},
    wave2(kWaveLQNoize2), {OscVolume2, 0}, {OscFilterResonance2, 0.24},
    wave3(kWaveSynapsis), {OscFreq3, 0.52}, {OscVolume3, 0.6}, {OscSat3, 0.777}, {OscPan3, 0.6}, {OscPitch3, 0},
    {OscFilterType3, 0.578}, {OscFilterCutoff3, 0.3},
    {EnvAttack, 1}, {EnvDecay, 0.16}, {EnvSustain, 0.92}, {EnvRelease, 0}, {EnvDuration, 0},
    {FilterAttack, 1}, {FilterDecay, 0.77}, {FilterSustain, 1}, {FilterRelease, 0}, {FilterDuration, 0},
    {Osc2InvertFilEnv, 1},
    {Synth::Distortion, 1.0}, distortionType(kDistortionFullClip), {SampleRate, 0.777},
    {FilterResonance, 0.325},
    {RingModulationAmount, 0.035}, {PhaserRate, 0.2},
};

constexpr Assignment kOiSynth2[] = {
    wave1(kWaveSine), {OscFilterType1, 1}, {OscFilterCutoff1, 0.03}, {OscFilterResonance1, 1},
    wave2(kWaveLQNoize1), {OscVolume2, 0}, {OscFilterResonance2, 0.24},
    wave3(kWaveLQNoize2), {OscVolume3, 0.5}, {OscSat3, 0.777}, {OscFilterType3, 0.578}, {OscFilterCutoff3, 0.25},
    {EnvAttack, 1}, {EnvDecay, 0.16}, {EnvSustain, 0.92}, {EnvRelease, 0}, {EnvDuration, 0},
    {FilterAttack, 1}, {FilterDecay, 0.77}, {FilterSustain, 1}, {FilterRelease, 0}, {FilterDuration, 0},
    {Synth::Distortion, 0.75}, distortionType(kDistortionHardOverload), {SampleRate, 0.823},
    {FilterResonance, 0.325},
    {RingModulationAmount, 0.035}, {PhaserRate, 0.2},
};

constexpr Assignment kBigPitcher[] = {
    wave1(kWaveTriangle), {OscFreq1, 0.45}, {OscVolume1, 0.8}, {OscPan1, 0.4},
    wave2(kWaveTriangle), {OscFreq2, 0.55}, {OscVolume2, 0.8}, {OscPan2, 0.6},
    wave3(kWaveSawtooth), {OscVolume3, 0.3}, {OscPitch3, 0}, {OscFilterCutoff3, 0.3},
    {EnvAttack, 0.01}, {EnvDecay, 0.6}, {EnvSustain, 0.5}, {EnvRelease, 0.2}, {EnvDuration, kDuration},
    {FilterAttack, 0.01}, {FilterDecay, 0.6}, {FilterSustain, 0.5}, {FilterRelease, 0.2},
    {FilterDuration, kDuration},
    {PitchAmount, 0.5}, {PitchDuration, 1}, {PitchPower, 0.1}, {PitchDown, 1},
    {Synth::Distortion, 0.2}, distortionType(kDistortionLinear),
    {FilterType, 1}, {FilterCutoff, 0},
};

constexpr Assignment kVibes1[] = {
    wave1(kWaveSine), {OscModFrequency1, 0.25}, {OscRingModAmount1, 0.3},
    wave2(kWaveSine), {OscVolume2, 0.4}, {OscPitch2, 1}, {OscModFrequency2, 0.25}, {OscRingModAmount2, 0.3},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0.001}, {EnvDecay, 0.5}, {EnvSustain, 0.1}, {EnvRelease, 0.1}, {EnvDuration, 0.2},
    {FilterAttack, 0.001}, {FilterDecay, 0.5}, {FilterSustain, 0.1}, {FilterRelease, 0.1}, {FilterDuration, 0.2},
    {DistortionOnOff, 0},
    {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5}, {PhaserRate, 0.25},
};

constexpr Assignment kVibes2[] = {
    wave1(kWaveSine),
    wave2(kWaveSine), {OscFreq2, 0.52}, {OscVolume2, 0.35}, {OscPitch2, 1},
    wave3(kWaveTriangle), {OscVolume3, 0.2}, {OscPitch3, 1}, {OscFilterCutoff3, 0.4},
    {EnvAttack, 0}, {EnvDecay, 0.7}, {EnvSustain, 0}, {EnvRelease, 0.05}, {EnvDuration, 0.2},
    {FilterAttack, 0}, {FilterDecay, 0.6}, {FilterSustain, 0}, {FilterRelease, 0.05}, {FilterDuration, 0.2},
    {DistortionOnOff, 0},
    {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5}, {PhaserRate, 0.25},
};

constexpr Assignment kVibes3[] = {
    wave1(kWaveSine), {OscModFrequency1, 0.3}, {OscRingModAmount1, 0.25},
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvAttack, 0.001}, {EnvDecay, 0.3}, {EnvSustain, 0.1}, {EnvRelease, 0.1}, {EnvDuration, 0.2},
    {FilterAttack, 0.001}, {FilterDecay, 0.3}, {FilterSustain, 0.1}, {FilterRelease, 0.1}, {FilterDuration, 0.2},
    {UnisonVoices, 1}, {UnisonDetune, 0.15},
    {DistortionOnOff, 0},
    {RingModulationFrequency, 0.1}, {PhaserFeedback, 0.5}, {PhaserRate, 0.25},
};

constexpr Assignment k1980GameVibe[] = {
    wave1(kWaveTriangle), {OscVolume1, 0.9},
    {Osc2OnOff, 0}, wave2(kWaveTriangle), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveTriangle),
    {EnvAttack, 0.001}, {EnvDecay, 0.4}, {EnvSustain, 0}, {EnvRelease, 0.05}, {EnvDuration, 0.2},
    {FilterAttack, 0.001}, {FilterDecay, 0.4}, {FilterSustain, 0}, {FilterRelease, 0.05}, {FilterDuration, 0.2},
    {UnisonVoices, 1}, {UnisonDetune, 0.3},
    {DistortionOnOff, 0},
    {RingModulationFrequency, 0.05}, {PhaserRate, 0.1},
};

constexpr Assignment kSine[] = {
    wave1(kWaveSine),
    {Osc2OnOff, 0}, wave2(kWaveSine), {OscVolume2, 0},
    {Osc3OnOff, 0}, wave3(kWaveSine),
    {EnvSustain, 0.5}, {EnvDuration, kDuration},
    {FilterSustain, 0.5}, {FilterDuration, kDuration},
    {DistortionOnOff, 0},
    {FilterOnOff, 0}, {FilterType, 1}, {FilterCutoff, 0},
};

constexpr EnvelopeRoutine kNoEnvelope = EnvelopeRoutine::kNone;
constexpr EnvelopeRoutine kKick = EnvelopeRoutine::kKick;
constexpr EnvelopeRoutine kLead1 = EnvelopeRoutine::kLead1;
constexpr EnvelopeRoutine kLead2 = EnvelopeRoutine::kLead2;
constexpr EnvelopeRoutine kLead3 = EnvelopeRoutine::kLead3;
constexpr EnvelopeRoutine kPad1 = EnvelopeRoutine::kPad1;
constexpr EnvelopeRoutine kPad2 = EnvelopeRoutine::kPad2;

// Bases of the derived definitions, by bank position.
constexpr int kQVBassdrumPosition = 1;
constexpr int kSawLead1Position = 103;
constexpr int kSawLead2Position = 104;
constexpr int kSawLead3Position = 105;

}  // namespace

const ProgramDefinition kProgramDefinitions[kNumProgramDefinitions] = {
    {"Init_BasicSection", "#BASIC BASSDRUMS#", kDerived, kQVBassdrumPosition, kNoEnvelope, {}},
    {"Init_QV_Bassdrum", "QV Bassdrum", kComplete, -1, kKick, kQV_Bassdrum},
    {"Init_QV_Basic_Bassdrum1", "QV Basic Bassdrum 1", kComplete, -1, kKick, kQV_Basic_Bassdrum1},
    {"Init_QV_Basic_Bassdrum2", "QV Basic Bassdrum 2", kComplete, -1, kKick, kQV_Basic_Bassdrum2},
    {"Init_QV_Basic_Bassdrum3", "QV Basic Bassdrum 3 (click)", kComplete, -1, kKick, kQV_Basic_Bassdrum3},
    {"Init_QV_Basic_Kickdrum1", "QV Basic Kickdrum 1", kComplete, -1, kKick, kQV_Basic_Kickdrum1},
    {"Init_QV_Basic_Kickdrum2", "QV Basic Kickdrum 2", kComplete, -1, kKick, kQV_Basic_Kickdrum2},
    {"Init_QV_Basic_Kickdrum3", "QV Basic Kickdrum 3", kComplete, -1, kKick, kQV_Basic_Kickdrum3},
    {"Init_QV_Laser1", "QV Laser 1", kComplete, -1, kKick, kQV_Laser1},
    {"Init_QV_Laser2", "QV Laser 2", kComplete, -1, kKick, kQV_Laser2},
    {"Init_QV_LaserKick1", "QV Laser Kick 1", kComplete, -1, kKick, kQV_LaserKick1},
    {"Init_QV_LaserKick2", "QV Laser Kick 2", kComplete, -1, kKick, kQV_LaserKick2},
    {"Init_QV_Pulse_Beat1", "QV Pulse Beat 1", kComplete, -1, kKick, kQV_Pulse_Beat1},
    {"Init_QV_Pulse_Beat2", "QV Pulse Beat 2", kComplete, -1, kKick, kQV_Pulse_Beat2},
    {"Init_OldschoolBassdrum1", "Oldschool Bassdrum 1", kComplete, -1, kKick, kOldschoolBassdrum1},
    {"Init_OldschoolBassdrum2", "Oldschool Bassdrum 2", kComplete, -1, kKick, kOldschoolBassdrum2},
    {"Init_OldschoolBassdrum3", "Oldschool Bassdrum 3", kComplete, -1, kKick, kOldschoolBassdrum3},
    {"Init_OldschoolBassdrum4", "Oldschool Bassdrum 4", kComplete, -1, kKick, kOldschoolBassdrum4},
    {"Init_OldschoolBassdrum5", "Oldschool Bassdrum 5", kPartial, -1, kNoEnvelope, kOldschoolBassdrum5},
    {"Init_HardcoreSection", "#HARDCORE BASSDRUMS#", kDerived, kQVBassdrumPosition, kNoEnvelope, kHardcoreSection},
    {"Init_Mainstream1", "Mainstream Bassdrum 1", kComplete, -1, kKick, kMainstream1},
    {"Init_Mainstream2", "Mainstream Bassdrum 2", kComplete, -1, kKick, kMainstream2},
    {"Init_Mainstream3", "Mainstream Bassdrum 3", kComplete, -1, kKick, kMainstream3},
    {"Init_Mainstream4", "Mainstream Bassdrum 4", kComplete, -1, kKick, kMainstream4},
    {"Init_Darkcore1", "Darkcore Bassdrum 1", kComplete, -1, kKick, kDarkcore1},
    {"Init_Darkcore2", "Darkcore Bassdrum 2", kComplete, -1, kKick, kDarkcore2},
    {"Init_Darkcore3", "Darkcore Bassdrum 3", kComplete, -1, kKick, kDarkcore3},
    {"Init_VDRBassdrum1", "VDR Bassdrum 1", kComplete, -1, kKick, kVDRBassdrum1},
    {"Init_VDRBassdrum2", "VDR Bassdrum 2", kComplete, -1, kKick, kVDRBassdrum2},
    {"Init_VDRBassdrum3", "VDR Bassdrum 3", kComplete, -1, kKick, kVDRBassdrum3},
    {"Init_VDRKickDrum1", "VDR Kickdrum 1", kComplete, -1, kKick, kVDRKickDrum1},
    {"Init_VDRKickDrum2", "VDR Kickdrum 2", kComplete, -1, kKick, kVDRKickDrum2},
    {"Init_IndustrialBassdrum", "Industrial Bassdrum", kComplete, -1, kKick, kIndustrialBassdrum},
    {"Init_LowQBassdrum1", "Low Q Bassdrum 1", kComplete, -1, kKick, kLowQBassdrum1},
    {"Init_LowQBassdrum2", "Low Q Bassdrum 2", kComplete, -1, kKick, kLowQBassdrum2},
    {"Init_CrashBoomBeat", "Crash-Boom-Beat", kComplete, -1, kKick, kCrashBoomBeat},
    {"Init_TovoDarkcoreKick1", "Tovo Darkcore-Kick 1", kComplete, -1, kKick, kTovoDarkcoreKick1},
    {"Init_TovoDarkcoreKick2", "Tovo Darkcore-Kick 2", kComplete, -1, kKick, kTovoDarkcoreKick2},
    {"Init_DeepUndergroundBeat", "Deep-Underground-Beat", kComplete, -1, kKick, kDeepUndergroundBeat},
    {"Init_HeavyBassBeat", "Heavy-Bass-Beat", kComplete, -1, kKick, kHeavyBassBeat},
    {"Init_TerrorcoreBeat1", "Terrorcore Beat 1", kComplete, -1, kKick, kTerrorcoreBeat1},
    {"Init_TerrorcoreBeat2", "Terrorcore Beat 2", kComplete, -1, kKick, kTerrorcoreBeat2},
    {"Init_KillerBeat1", "Killer Beat 1", kComplete, -1, kKick, kKillerBeat1},
    {"Init_KillerBeat2", "Killer Beat 2", kComplete, -1, kKick, kKillerBeat2},
    {"Init_DirtyBeat1", "Dirty Beat 1", kComplete, -1, kKick, kDirtyBeat1},
    {"Init_SpeedcoreKick1", "Speedcore Kick 1", kComplete, -1, kKick, kSpeedcoreKick1},
    {"Init_SpeedcoreKick2", "Speedcore Kick 2", kComplete, -1, kKick, kSpeedcoreKick2},
    {"Init_SpeedcoreKick3", "Speedcore Kick 3", kComplete, -1, kKick, kSpeedcoreKick3},
    {"Init_BounceKick1", "Bounce Kick 1", kComplete, -1, kKick, kBounceKick1},
    {"Init_BounceKick2", "Bounce Kick 2", kComplete, -1, kKick, kBounceKick2},
    {"Init_NoisecoreKick1", "NoiseCore Kick 1", kComplete, -1, kKick, kNoisecoreKick1},
    {"Init_NoisecoreKick2", "NoiseCore Kick 2", kComplete, -1, kKick, kNoisecoreKick2},
    {"Init_Amiga8bitPowerKick1", "Amiga 8-bit Powerkick 1", kComplete, -1, kKick, kAmiga8bitPowerKick1},
    {"Init_Amiga8bitPowerKick2", "Amiga 8-bit Powerkick 2", kComplete, -1, kKick, kAmiga8bitPowerKick2},
    {"Init_VovedidaKickdrum1", "Yarnesk Kickdrum 1", kComplete, -1, kKick, kVovedidaKickdrum1},
    {"Init_VovedidaKickdrum2", "Yarnesk Kickdrum 2", kComplete, -1, kKick, kVovedidaKickdrum2},
    {"Init_VornKickdrum1", "Vorn Kickdrum 1", kComplete, -1, kKick, kVornKickdrum1},
    {"Init_VornKickdrum2", "Vorn Kickdrum 2", kComplete, -1, kKick, kVornKickdrum2},
    {"Init_GabberKick1", "Gabber Kick 1", kComplete, -1, kKick, kGabberKick1},
    {"Init_GabberKick2", "Gabber Kick 2", kComplete, -1, kKick, kGabberKick2},
    {"Init_GabberKick3", "Gabber Kick 3", kComplete, -1, kKick, kGabberKick3},
    {"Init_GabberKick4", "Gabber Kick 4", kComplete, -1, kKick, kGabberKick4},
    {"Init_QuillvaneKickdrum1", "Quillvane Kickdrum 1", kComplete, -1, kKick, kQuillvaneKickdrum1},
    {"Init_QuillvaneKickdrum2", "Quillvane Kickdrum 2", kComplete, -1, kKick, kQuillvaneKickdrum2},
    {"Init_QuillvaneKickdrum3", "Quillvane Kickdrum 3", kComplete, -1, kKick, kQuillvaneKickdrum3},
    {"Init_QuillvaneKickdrum4", "Quillvane Kickdrum 4", kComplete, -1, kKick, kQuillvaneKickdrum4},
    {"Init_QuillvaneKickdrum5", "Quillvane Kickdrum 5", kComplete, -1, kKick, kQuillvaneKickdrum5},
    {"Init_HyperSchranz1", "Hyper Schranz 1", kComplete, -1, kKick, kHyperSchranz1},
    {"Init_HyperSchranz2", "Hyper Schranz 2", kComplete, -1, kKick, kHyperSchranz2},
    {"Init_IndustrialCrunch", "Industrial Crunch", kComplete, -1, kKick, kIndustrialCrunch},
    {"Init_TQuakeBassdrum1", "T.Quake Bassdrum 1", kComplete, -1, kKick, kTQuakeBassdrum1},
    {"Init_TQuakeBassdrum2", "T.Quake Bassdrum 2", kComplete, -1, kKick, kTQuakeBassdrum2},
    {"Init_DrumAndFxSection", "#DRUM AND FX SECTION#", kComplete, -1, kNoEnvelope, kDrumAndFxSection},
    {"Init_ClosedHihat1", "Closed Hihat", kComplete, -1, kNoEnvelope, kClosedHihat1},
    {"Init_OpenHihat1", "Open Hihat", kComplete, -1, kNoEnvelope, kOpenHihat1},
    {"Init_SnareDrum1", "Snare-Drum", kComplete, -1, kNoEnvelope, kSnareDrum1},
    {"Init_8bitEnema", "Eight-Bit Enema", kComplete, -1, kNoEnvelope, k8bitEnema},
    {"Init_ACoderAteMyPigeOn", "A Coder Ate My Pigeon", kComplete, -1, kNoEnvelope, kACoderAteMyPigeOn},
    {"Init_NeightboursNightmare", "Neightbours Nightmare", kComplete, -1, kNoEnvelope, kNeightboursNightmare},
    {"Init_UncontrolledDetonation", "Uncontrolled Detonation", kComplete, -1, kNoEnvelope, kUncontrolledDetonation},
    {"Init_SilverSubmarine", "Silver Submarine", kComplete, -1, kNoEnvelope, kSilverSubmarine},
    {"Init_BassSection", "#BASS SECTION#", kComplete, -1, kNoEnvelope, kBassSection},
    {"Init_RawBassground", "Raw Bassground", kPartial, -1, kNoEnvelope, kRawBassground},
    {"Init_TheShadowOutOfBass", "The shadow out of bass", kPartial, -1, kNoEnvelope, kTheShadowOutOfBass},
    {"Init_UndergroundDubBass1", "Underground Dub Bass 1", kPartial, -1, kNoEnvelope, kUndergroundDubBass1},
    {"Init_TheSorceryOfBass", "The Sorcery of D&B Bass", kPartial, -1, kNoEnvelope, kTheSorceryOfBass},
    {"Init_DeadlySpellDBBass", "Deadly Spell D&B Bass", kPartial, -1, kNoEnvelope, kDeadlySpellDBBass},
    {"Init_FusionBass1", "Fusion Bass 1", kComplete, -1, kNoEnvelope, kFusionBass1},
    {"Init_FusionBass2", "Fusion Bass 2", kComplete, -1, kNoEnvelope, kFusionBass2},
    {"Init_StringSection", "#STRING SECTION#", kComplete, -1, kPad2, kStringSection},
    {"Init_ErichZahnViolin", "Erich Zann's Violin", kComplete, -1, kNoEnvelope, kErichZahnViolin},
    {"Init_VirtualCello", "Virtual Cello", kComplete, -1, kNoEnvelope, kVirtualCello},
    {"Init_VirtualBanjo", "Virtual Banjo", kComplete, -1, kNoEnvelope, kVirtualBanjo},
    {"Init_BrassSection", "#BRASS SECTION#", kComplete, -1, kNoEnvelope, kBrassSection},
    {"Init_VirtualHorn", "Virtual Horn", kComplete, -1, kNoEnvelope, kVirtualHorn},
    {"Init_VirtualHarmonica", "Virtual Harmonica", kComplete, -1, kNoEnvelope, kVirtualHarmonica},
    {"Init_PadSection", "#PAD SECTION#", kComplete, -1, kPad1, kPadSection},
    {"Init_RelicPad", "Relic Pad", kComplete, -1, kPad1, kRelicPad},
    {"Init_RawStructuredPad", "Raw Structured Pad", kComplete, -1, kPad1, kRawStructuredPad},
    {"Init_SpaceCutPad", "Space-Cut Pad", kComplete, -1, kPad1, kSpaceCutPad},
    {"Init_ProphecyPad", "Prophecy Pad", kComplete, -1, kPad1, kProphecyPad},
    {"Init_DeliriumPad", "Delirium Pad", kComplete, -1, kPad1, kDeliriumPad},
    {"Init_SynthSoundsSection", "#SYNTH SOUNDS#", kDerived, kSawLead2Position, kNoEnvelope, kSynthSoundsSection},
    {"Init_SawLead1", "Saw Lead 1", kComplete, -1, kLead1, kSawLead1},
    {"Init_SawLead2", "Saw Lead 2 (detuned)", kComplete, -1, kLead1, kSawLead2},
    {"Init_SawLead3", "Saw Lead 3 (modulated)", kComplete, -1, kLead2, kSawLead3},
    {"Init_SuperSawLead1", "Super Saw Lead 1", kDerived, kSawLead1Position, kNoEnvelope, kSuperSawLead1},
    {"Init_SuperSawLead2", "Super Saw Lead 2", kDerived, kSawLead2Position, kNoEnvelope, kSuperSawLead2},
    {"Init_ExothermicHardstyleLead", "Exothermic Hardstyle Lead", kDerived, kSawLead2Position, kLead2,
     kExothermicHardstyleLead},
    {"Init_EndothermicHardcoreLead", "Endothermic Hardcore Lead", kDerived, kSawLead2Position, kLead2,
     kEndothermicHardcoreLead},
    {"Init_SquareLead1", "Square Lead 1", kDerived, kSawLead1Position, kNoEnvelope, kSquareLead1},
    {"Init_SquareLead2", "Square Lead 2 (detuned)", kDerived, kSawLead2Position, kNoEnvelope, kSquareLead2},
    {"Init_SquareLead3", "Square Lead 3 (mod.)", kDerived, kSawLead3Position, kNoEnvelope, kSquareLead3},
    {"Init_GlimmerkinSuviFmSynth", "Glimmerkin Suvi", kDerived, kSawLead2Position, kNoEnvelope,
     kGlimmerkinSuviFmSynth},
    {"Init_DarkPhutureLead", "Dark Phuture Lead", kComplete, -1, kNoEnvelope, kDarkPhutureLead},
    {"Init_EventHorizonLead", "Event Horizon Lead (phased)", kComplete, -1, kNoEnvelope, kEventHorizonLead},
    {"Init_HardDBLead1", "QV Hard-D&B-Lead 1", kComplete, -1, kNoEnvelope, kHardDBLead1},
    {"Init_CyberRealizm", "Cyber Realizm", kDerived, kSawLead3Position, kLead3, kCyberRealizm},
    {"Init_FilterSynth1", "QV Filter Synth 1", kComplete, -1, kNoEnvelope, kFilterSynth1},
    {"Init_FilterSynth2", "QV Filter Synth 2", kComplete, -1, kNoEnvelope, kFilterSynth2},
    {"Init_OiSynth1", "T.Quake Oi-Synth 1", kComplete, -1, kNoEnvelope, kOiSynth1},
    {"Init_OiSynth2", "T.Quake Oi-Synth 2", kComplete, -1, kNoEnvelope, kOiSynth2},
    {"Init_BigPitcher", "Big Pitcher", kComplete, -1, kNoEnvelope, kBigPitcher},
    {"Init_Vibes1", "QV Vibes 1", kComplete, -1, kNoEnvelope, kVibes1},
    {"Init_Vibes2", "QV Vibes 2", kComplete, -1, kNoEnvelope, kVibes2},
    {"Init_Vibes3", "QV Vibes 3", kComplete, -1, kNoEnvelope, kVibes3},
    {"Init_1980GameVibe", "1980 GaMe-ViBe", kComplete, -1, kNoEnvelope, k1980GameVibe},
    {"Init_Sine", "Basic Sine wave", kComplete, -1, kNoEnvelope, kSine},
};

}  // namespace Quillvane
