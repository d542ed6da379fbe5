#include <cstring>

#include "engine/WaveformProvider.h"

namespace Quillvane {

namespace {

// Display names of waveforms 1..35; Sine is named apart.
const char* const kWaveformNames[WaveformProvider::kNumWaveforms - 1] = {
    "Sawtooth",    "Pulse",       "QuadPulse",   "OctPulse",      "Triangle",    "WhiteNoize",
    "Noize",       "LQ Noize 1",  "LQ Noize 2",  "LQ Noize 3",    "Pyrokinesis", "S-Receptor",
    "D-Receptor",  "Shikoku",     "KIC 8462852", "Synapsis",      "Brick-Breaker", "Wavescape",
    "Geo-Chirp",   "Wave-Garden", "User1",       "User2",         "User3",       "User4",
    "User5",       "User6",       "User7",       "User8",         "User9",       "User10",
    "User11",      "User12",      "User13",      "User14",        "User15"};

// Older program files name the formula waveforms by number.
struct Alias {
  const char* name;
  eWaveform waveform;
};
const Alias kAliases[] = {
    {"Form1", kWavePyrokinesis}, {"Form2", kWaveSReceptor},   {"Form3", kWaveDReceptor},
    {"Form4", kWaveShikoku},     {"Form5", kWaveKIC8462852},  {"Form6", kWaveSynapsis},
    {"Form7", kWaveBrickBreaker}, {"Form8", kWaveWavescape},  {"Form9", kWaveGeoChirp},
    {"Form10", kWaveWaveGarden}};

}  // namespace

const char* WaveformProvider::getWaveformText(double selector) {
  const int index = getWaveformIndex(selector);
  return index == kWaveSine ? "Sine" : kWaveformNames[index - 1];
}

eWaveform WaveformProvider::getWaveformType(const char* name) {
  if (name == nullptr) return kWaveSine;
  for (const Alias& alias : kAliases) {
    if (std::strcmp(name, alias.name) == 0) return alias.waveform;
  }
  for (int index = 1; index < kNumWaveforms; ++index) {
    if (std::strcmp(name, kWaveformNames[index - 1]) == 0) return static_cast<eWaveform>(index);
  }
  return kWaveSine;
}

}  // namespace Quillvane
