#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/Note.h"
#include "framework/TextCopy.h"
#include "instrument/Thudrokka.h"
#include "instrument/WaveFileWriter.h"
#include "program/RirARorurProgram.h"

using Quillvane::Note;
using namespace Quillvane::Synth;

namespace {

constexpr int kCaptionSize = 128;
constexpr int kRenderNote = 48;
constexpr int kRenderVelocity = 127;
constexpr int kRenderBits = 24;
// Presets below this index get longer envelopes when rendered.
constexpr int kLongEnvelopePresets = 20;
// The longest envelope tail lasts five seconds; anything still sounding after
// this long is let go.
constexpr double kMaxDrainSeconds = 10.0;

// Inverse of the voices' note names: "C%d" to "B%d" with the number divided
// by 12 as the octave; -1 for anything else.
int noteNumberFromName(const std::string& name) {
  static const int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A to G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
  int note = kSemitones[name[0] - 'A'];
  std::size_t pos = 1;
  if (name[pos] == '#') {
    ++note;
    ++pos;
  }
  if (pos >= name.size()) return -1;
  int octave = 0;
  for (; pos < name.size(); ++pos) {
    if (name[pos] < '0' || name[pos] > '9' || octave > 10) return -1;
    octave = octave * 10 + (name[pos] - '0');
  }
  note += 12 * octave;
  return note <= 127 ? note : -1;
}

}  // namespace

void Thudrokka::onNoteOn(double frequency, std::string noteName) {
  mLastNoteFrequency.store(frequency * Note::sGlobalTranspose.load(std::memory_order_relaxed),
                           std::memory_order_relaxed);
  mLastNoteNumber.store(noteNumberFromName(noteName), std::memory_order_relaxed);
}

std::string Thudrokka::GetNoteInfoString() const {
  std::string name;
  if (!Note::getNoteString(mLastNoteNumber.load(std::memory_order_relaxed), name)) return "";
  char text[kCaptionSize];
  std::snprintf(text, sizeof(text), "%3.1fHz [%s]", getLastNoteFrequency(), name.c_str());
  return text;
}

void Thudrokka::OnSyncModFx(double multiplier) {
  const double maxRate = Quillvane::RingModulator::kMaxRingRate;
  const double f = getLastNoteFrequency() * multiplier;
  const double x = f > 0.0 ? std::min(maxRate, f) / maxRate : 0.0;
  // The host may be changing parameters on its own thread meanwhile.
  WDL_MutexLock lock(&mMutex);
  IParam* param = GetParam(RingModulationFrequency);
  const double before = param->Value();
  mParameterHandOver.post(RingModulationFrequency, x);
  if (mGraphics) mGraphics->SetParameterFromPlug(RingModulationFrequency, x, true);
  param->SetNormalized(x);
  if (param->Value() != before) InformHostOfParamChange(RingModulationFrequency, param->GetNormalized());
}

bool Thudrokka::SaveProgramAsQV(const char* path, std::string* error, std::string* nameNote) {
  Quillvane::RirARorurProgram program;
  {
    WDL_MutexLock lock(&mMutex);
    program.setProgramName(GetPresetName(mCurrentPresetIdx));
    // The parameters hold what the live record holds, or is about to.
    Quillvane::QVSynthProgram& record = program.getSynthProgram();
    record = Quillvane::QVSynthProgram();
    for (int p = 0; p < kNumParameters; ++p) record[static_cast<eVstParameters>(p)] = GetParam(p)->Value();
  }
  if (nameNote) *nameNote = Quillvane::RirARorurProgram::nameInFileNote(program.getProgramName());
  // Written once the plug-in mutex is left, for the reason a load reads first.
  return program.saveProgram(path, error);
}

bool Thudrokka::LoadProgramAsQV(const char* path, std::string* error,
                                std::vector<Quillvane::ProgramLineProblem>* problems) {
  // Read before the plug-in mutex is taken: every host call and MIDI event
  // waits for it, and a file may be slow to read.
  Quillvane::RirARorurProgram program;
  if (!program.loadProgram(path, error, problems)) return false;
  ApplyProgram(program);
  return true;
}

void Thudrokka::ApplyProgram(const Quillvane::RirARorurProgram& program) {
  ParamSetScope set(this);
  double before[kNumParameters];
  for (int p = 0; p < kNumParameters; ++p) before[p] = GetParam(p)->Value();
  for (int p = 0; p < kNumParameters; ++p) {
    IParam* param = GetParam(p);
    param->Set(program.getParameterValue(static_cast<eVstParameters>(p), true));
    if (mGraphics) mGraphics->SetParameterFromPlug(p, param->GetNormalized(), true);
    InternalParamChange(p);
  }
  // Stored after the parameters so the slot holds the loaded sound.
  ModifyCurrentPreset(program.getProgramName());
  PresetsChangedByHost();
  for (int p = 0; p < kNumParameters; ++p) {
    if (GetParam(p)->Value() != before[p]) InformHostOfParamChange(p, GetParam(p)->GetNormalized());
  }
}

bool Thudrokka::CanLoadWaveform() const {
  WDL_MutexLock lock(&mMutex);
  return mWaveformProvider.canLoadWaveform(GetParam(OscWaveform1)->Value());
}

bool Thudrokka::LoadWaveform(const char* path) {
  double selection;
  {
    WDL_MutexLock lock(&mMutex);
    if (!CanLoadWaveform()) return false;
    selection = GetParam(OscWaveform1)->Value();
  }
  // The file is read without the plug-in mutex, as a program file is.
  return mWaveformProvider.loadWaveformAction(selection, path);
}

std::string Thudrokka::GetCurrentPresetString() const {
  WDL_MutexLock lock(&mMutex);
  char number[16];
  std::snprintf(number, sizeof(number), "%02d: ", mCurrentPresetIdx + 1);
  char text[kCaptionSize];
  CopyText(text, (number + std::string(GetPresetName(mCurrentPresetIdx))).c_str(), sizeof(text));
  return text;
}

bool Thudrokka::RenderPresets(int first, int last, const char* path) {
  if (first < 0 || first >= last || last > NPresets() || !path) return false;
  if (!mReady.load(std::memory_order_acquire) || mBufferFrames <= 0) return false;
  const int rate = static_cast<int>(mSampleRate);
  Quillvane::WaveFileWriter file;
  if (!file.open(path, rate, kRenderBits)) return false;

  const int presetFrames = static_cast<int>(2.0 * mSampleRate) + 2;
  const int holdFrames = rate;
  const int maxDrainFrames = static_cast<int>(kMaxDrainSeconds * mSampleRate);
  const int blockFrames = mBufferFrames;
  std::vector<double> left(static_cast<std::size_t>(blockFrames));
  std::vector<double> right(left.size());
  double* block[2] = {left.data(), right.data()};
  for (int i = first; i < last; ++i) {
    // Each preset starts from silence: no voice of the one before, no
    // effect tail.
    for (int drained = 0; isAnyVoicePlaying() && drained < maxDrainFrames; drained += blockFrames) {
      ProcessDoubleReplacing(nullptr, block, blockFrames);
    }
    Reset();
    // A block size changed meanwhile leaves no room, or other room, for the
    // blocks this render makes.
    if (mBufferFrames != blockFrames) return false;
    RestorePreset(i);
    if (i < kLongEnvelopePresets) {
      const struct {
        eVstParameters p;
        double value;
      } longEnvelope[] = {{EnvDecay, 1.0}, {EnvRelease, 0.15}, {EnvDuration, 0.4}, {FilterRelease, 0.2}};
      for (const auto& setting : longEnvelope) {
        GetParam(setting.p)->Set(setting.value);
        OnParamChange(setting.p);
      }
    }
    IMidiMsg noteOn, noteOff;
    noteOn.MakeNoteOnMsg(kRenderNote, kRenderVelocity, 0);
    noteOff.MakeNoteOffMsg(kRenderNote, holdFrames);
    ProcessMidiMsg(&noteOn);
    ProcessMidiMsg(&noteOff);
    for (int done = 0; done < presetFrames;) {
      const int n = std::min(blockFrames, presetFrames - done);
      ProcessDoubleReplacing(nullptr, block, n);
      if (!file.write(left.data(), right.data(), n)) return false;
      done += n;
    }
  }
  return file.close();
}
