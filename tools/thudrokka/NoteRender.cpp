#include "tools/thudrokka/NoteRender.h"

#include <algorithm>
#include <cmath>

#include "instrument/WaveFileWriter.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/Subcommands.h"

namespace {
constexpr double kMaxSeconds = 600.0;
}  // namespace

int64_t NoteRenderSettings::noteFrames() const { return std::llround(length * rate); }

int64_t NoteRenderSettings::totalFrames() const { return noteFrames() + std::llround(tail * rate); }

const std::vector<OptionSpec>& noteRenderOptions() {
  static const std::vector<OptionSpec> options = {
      {"--note", "K", "48",
       "MIDI note number, 0 to 127; note 69 sounds at 932.33 Hz, the instrument's own tuning (a preset in kick "
       "transpose mode sounds alike on every note)"},
      {"--velocity", "V", "127", "velocity, 1 to 127"},
      {"--length", "SECONDS", "1", "how long the note is held"},
      {"--tail", "SECONDS", "1", "how long to render after the release"},
      {"--rate", "HZ", "44100", "sample rate, 8000 to 384000"},
      {"--block", "FRAMES", "512", "frames per render call, 1 to 8192"},
      {"--bits", "24|32", "24", "24-bit integer or 32-bit float samples"},
  };
  return options;
}

bool readNoteRenderSettings(CommandLine& line, NoteRenderSettings* s, std::string* error) {
  double rate = 0.0;
  if (!line.intValue("--note", 0, 127, &s->note) || !line.intValue("--velocity", 1, 127, &s->velocity) ||
      !line.doubleValue("--length", 0.0, kMaxSeconds, &s->length) ||
      !line.doubleValue("--tail", 0.0, kMaxSeconds, &s->tail) || !line.doubleValue("--rate", 8000.0, 384000.0, &rate) ||
      !line.intValue("--block", 1, 8192, &s->block) || !line.choiceValue("--bits", {24, 32}, &s->bits)) {
    *error = line.error();
    return false;
  }
  // The WAVE header holds a whole number of frames per second.
  s->rate = std::floor(rate);
  if (s->totalFrames() == 0) {
    *error = "--length and --tail give no frames to render at this rate";
    return false;
  }
  return true;
}

bool renderNote(InstrumentHost& host, const NoteRenderSettings& settings, Quillvane::WaveFileWriter& file,
                std::string* error) {
  const int64_t noteFrames = settings.noteFrames();
  const int64_t total = settings.totalFrames();
  std::vector<float> left(static_cast<std::size_t>(settings.block));
  std::vector<float> right(left.size());
  std::vector<double> leftOut(left.size());
  std::vector<double> rightOut(left.size());
  bool released = false;
  if (host.noteOn(settings.note, settings.velocity, 0) != noErr) {
    *error = "the instrument refused the note";
    return false;
  }
  for (int64_t position = 0; position < total;) {
    const int n = static_cast<int>(std::min<int64_t>(settings.block, total - position));
    if (!released && position + n > noteFrames) {
      host.noteOff(settings.note, static_cast<int>(noteFrames - position));
      released = true;
    }
    if (host.render(n, left.data(), right.data()) != noErr) {
      *error = "the instrument failed to render";
      return false;
    }
    std::copy(left.begin(), left.begin() + n, leftOut.begin());
    std::copy(right.begin(), right.begin() + n, rightOut.begin());
    if (!file.write(leftOut.data(), rightOut.data(), n)) return false;
    position += n;
  }
  return true;
}

int openNoteFile(const NoteRenderSettings& settings, const std::string& path, const char* command,
                 Quillvane::WaveFileWriter* file) {
  if (file->open(path.c_str(), static_cast<int>(settings.rate), settings.bits, settings.totalFrames())) return kExitOk;
  return fail(command, file->error().empty() ? "cannot write '" + path + "'" : file->error(), kExitFailure);
}

int renderNoteInto(InstrumentHost& host, const NoteRenderSettings& settings, Quillvane::WaveFileWriter& file,
                   const std::string& shown, const char* command, int64_t* clipped) {
  std::string error;
  if (!renderNote(host, settings, file, &error) || !file.close()) {
    if (!file.error().empty()) return fail(command, file.error(), kExitFailure);
    return fail(command, (error.empty() ? "cannot write" : error) + " " + shown, kExitFailure);
  }
  *clipped = file.clippedSamples();
  return kExitOk;
}

int renderNoteToFile(InstrumentHost& host, const NoteRenderSettings& settings, const std::string& path,
                     const char* command, int64_t* clipped) {
  Quillvane::WaveFileWriter file;
  const int status = openNoteFile(settings, path, command, &file);
  return status == kExitOk ? renderNoteInto(host, settings, file, "'" + path + "'", command, clipped) : status;
}
