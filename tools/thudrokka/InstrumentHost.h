#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/standin/HostSession.h"

class Thudrokka;

// Installs the instrument on this machine as a host would find it: its
// components registered, its bundle at the usual place with the editor's
// images as its resources. Once per process; later calls change nothing.
void InstallThudrokka();

// Opens the instrument through its component entry, as a host does, and
// drives it through the Audio Unit calls: stereo output, sample rate, slice
// size, initialisation, presets, MIDI and rendering.
class InstrumentHost {
 public:
  InstrumentHost();
  InstrumentHost(const InstrumentHost&) = delete;
  InstrumentHost& operator=(const InstrumentHost&) = delete;

  // Opens and initialises the unit for this rate and largest slice.
  OSStatus open(double sampleRate, int blockSize);
  // The object behind the unit, for what no Audio Unit call reaches
  // (program files); null before open.
  Thudrokka* instrument() const;
  standin::HostSession& session() { return mSession; }
  int blockSize() const { return mBlockSize; }
  double sampleRate() const { return mSampleRate; }

  std::vector<standin::HostSession::Preset> presets();
  OSStatus selectPreset(int number);
  OSStatus noteOn(int note, int velocity, int offset);
  OSStatus noteOff(int note, int offset);
  // Renders frames (at most the block size) into left and right.
  OSStatus render(int frames, float* left, float* right);
  // Plays a note as a host does: the note on at the first frame, whole
  // slices rendered while it is held, and the note off at its frame in the
  // slice where the hold ends. What the unit renders is not kept.
  OSStatus playNote(int note, int velocity, int64_t heldFrames);

 private:
  standin::HostSession mSession;
  int mBlockSize = 0;
  double mSampleRate = 0.0;
};
