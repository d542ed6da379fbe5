#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/thudrokka/CommandLine.h"

class InstrumentHost;
namespace Quillvane {
class WaveFileWriter;
}

// How one note is rendered: which note, how long it is held, how long the
// tail after its release runs, and the host's rate, slice size and sample width.
struct NoteRenderSettings {
  int note = 48;
  int velocity = 127;
  double length = 1.0;
  double tail = 1.0;
  double rate = 44100.0;
  int block = 512;
  int bits = 24;

  int64_t noteFrames() const;
  int64_t totalFrames() const;
};

// The options that set NoteRenderSettings, with their defaults.
const std::vector<OptionSpec>& noteRenderOptions();
// False, with error set, when a value is out of range or the note would
// have no frames.
bool readNoteRenderSettings(CommandLine& line, NoteRenderSettings* settings, std::string* error);

// Plays the note from frame 0 on an opened host and writes every slice to
// file. False when the unit fails, with error set, or the file fails, with
// the file's error set.
bool renderNote(InstrumentHost& host, const NoteRenderSettings& settings, Quillvane::WaveFileWriter& file,
                std::string* error);
// Opens file at path for the note, its length in its header from the start,
// so that path may be a pipe: what can be known about the name is refused
// before anything renders. The exit status, with what went wrong said for
// command.
int openNoteFile(const NoteRenderSettings& settings, const std::string& path, const char* command,
                 Quillvane::WaveFileWriter* file);
// Renders the note into the opened file and completes it; the exit status,
// with what went wrong said for command, shown naming the file. clipped gets
// the samples the file holds at full scale because they exceeded it.
int renderNoteInto(InstrumentHost& host, const NoteRenderSettings& settings, Quillvane::WaveFileWriter& file,
                   const std::string& shown, const char* command, int64_t* clipped);
// Both, into a new WAVE file at path.
int renderNoteToFile(InstrumentHost& host, const NoteRenderSettings& settings, const std::string& path,
                     const char* command, int64_t* clipped);

// What a person can do about clipped samples.
constexpr const char* kKeepClippedSamples = "--bits 32 keeps them";
