#pragma once

#include <string>

namespace Quillvane {

class QVSynthProgram;
class WaveformProvider;
class PitchEnvelope;

// What the voices need of the instrument that owns them: its live program
// record, waveform provider and pitch envelope, and a note display to tell
// about every note that starts. The voices keep the pointers they get here,
// so the three objects must live as long as the voices do.
class MasterSynth {
 public:
  virtual ~MasterSynth() = default;

  virtual QVSynthProgram* getSynthProgram() = 0;
  virtual WaveformProvider* getWaveformProvider() = 0;
  virtual PitchEnvelope* getPitchEnvelope() = 0;

  // Called on the render thread for each note that found a free voice, with
  // the note frequency before the global transpose and the note name.
  virtual void onNoteOn(double frequency, std::string name) = 0;
};

}  // namespace Quillvane
