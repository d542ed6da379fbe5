#pragma once

#include <cmath>

// Display names of the choices presets store, written out here so the
// checks do not lean on the code that names them.
namespace presetstest {

inline const char* const kWaveformNames[36] = {
    "Sine",        "Sawtooth",   "Pulse",      "QuadPulse",   "OctPulse",   "Triangle",   "WhiteNoize",
    "Noize",       "LQ Noize 1", "LQ Noize 2", "LQ Noize 3",  "Pyrokinesis", "S-Receptor", "D-Receptor",
    "Shikoku",     "KIC 8462852", "Synapsis",  "Brick-Breaker", "Wavescape", "Geo-Chirp",  "Wave-Garden",
    "User1",       "User2",      "User3",      "User4",       "User5",      "User6",      "User7",
    "User8",       "User9",      "User10",     "User11",      "User12",     "User13",     "User14",
    "User15"};

inline const char* const kDistortionNames[35] = {
    "Linear",           "Compressor",        "Hard-Overload",     "QVSigmoid1-Drive",  "QVSigmoid2-Drive",
    "QVSigmoid3-Drive", "Typhoon-Fuzz",      "Tovo-Fuzz",         "VDR-Fuzz 1",        "VDR-Fuzz 2",
    "Soft-Tube-Distort", "Tube-Distort",     "Transistor 1",      "Full-Clip",         "Fuzz-Drive1",
    "Hardcore-Fuzz1",   "Hardcore-Fuzz2",    "Hardcore-Fuzz3",    "Hardcore-Fuzz4",    "Industrial-Fuzz1",
    "Quillvane-Drive1", "Quillvane-Drive2",  "Quillvane-Drive3",  "Quillvane-Drive4",  "NoizeFreak-Fuzz 1",
    "NoizeFreak-Fuzz 2", "NoizeFreak-Fuzz 3", "Invert-and-Drive", "Big-Bad-Drive",     "Big-Fat-Drive",
    "ViciousViper",     "AssKicking",        "TigersBlood",       "MadDog",            "Noise-Gate 1"};

inline const char* const kInterpolationNames[5] = {"no interp.", "linear", "cosine", "cubic", "hermite"};
inline const char* const kFilterMode1Names[4] = {"RBJ-LP", "RBJ-HP", "RBJ-BP1", "RBJ-BS"};
inline const char* const kFilterMode2Names[4] = {"HP 12dB", "HP 24dB", "LP 12dB", "LP 24dB"};

// The entry a normalised selector over that many entries picks.
inline int choice(double x, int entries) { return static_cast<int>(std::floor(x * (entries - 1) + 0.5)); }

}  // namespace presetstest
