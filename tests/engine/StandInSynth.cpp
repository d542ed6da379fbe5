#include "tests/engine/StandInSynth.h"

#include <algorithm>

#include "engine/Note.h"

namespace testsupport {

using Quillvane::Note;
using namespace Quillvane::Synth;

StandInSynth::StandInSynth(double sampleRate, int blockSize)
    : mSampleRate(sampleRate), mBlockSize(blockSize) {
  mSynthProgram.init();
  mWaveformProvider.makeWaveforms();
  mVoiceManager.setMasterSynth(this);
  for (int p = 0; p <= FmAmount; ++p) {
    setParameter(static_cast<eVstParameters>(p), Quillvane::kParameterTable[p].defaultValue);
  }
  mVoiceManager.setSampleRate(sampleRate);
  mPitchEnvelope.setSampleRate(sampleRate);
  mVoiceManager.setBlockSize(blockSize);
  mMidiReceiver.noteOn.connect(&mVoiceManager, &VoiceManager::onNoteOn);
  mMidiReceiver.noteOff.connect(&mVoiceManager, &VoiceManager::onNoteOff);
  for (auto& buffer : mVoiceBuffers) buffer.assign(static_cast<std::size_t>(blockSize), 0.0);
  mBassBuffer.assign(static_cast<std::size_t>(blockSize), 0.0);
}

void StandInSynth::onNoteOn(double frequency, std::string name) {
  notesShown.emplace_back(frequency, name);
}

void StandInSynth::setParameter(eVstParameters p, double v) {
  mSynthProgram[p] = v;
  VoiceManager& vm = mVoiceManager;
  switch (p) {
    case OscFreq1: Note::sFineTune1 = Note::fineTuneLaw(v); break;
    case OscFreq2: Note::sFineTune2 = Note::fineTuneLaw(v); break;
    case OscFreq3: Note::sFineTune3 = Note::fineTuneLaw(v); break;
    case OscPitch1: Note::sPitchFactor1 = Note::octaveLaw(v); break;
    case OscPitch2: Note::sPitchFactor2 = Note::octaveLaw(v); break;
    case OscPitch3: Note::sPitchFactor3 = Note::octaveLaw(v); break;
    case OscModFrequency1: vm.setModFrequency1(v); break;
    case OscModFrequency2: vm.setModFrequency2(v); break;
    case OscModFrequency3: vm.setModFrequency3(v); break;
    case EnvAttack: vm.setAttack(v); break;
    case EnvDecay: vm.setDecay(v); break;
    case EnvSustain: vm.setSustain(v); break;
    case EnvRelease: vm.setRelease(v); break;
    case EnvDuration: vm.setDuration(v); break;
    case FilterAttack: vm.setFilterAttack(v); break;
    case FilterDecay: vm.setFilterDecay(v); break;
    case FilterSustain: vm.setFilterSustain(v); break;
    case FilterRelease: vm.setFilterRelease(v); break;
    case FilterDuration: vm.setFilterDuration(v); break;
    case GlobalTranspose:
      Note::sGlobalTranspose = Note::octaveLaw(v);
      vm.updateCarrierFreq();
      break;
    case PitchOnOff: mPitchEnvelope.setBypass(v == 0.0); break;
    case PitchAmount: mPitchEnvelope.setPitchAmount(v); break;
    case PitchDuration: mPitchEnvelope.setPitchDuration(v); break;
    case PitchPower: mPitchEnvelope.setPitchPower(v); break;
    case PitchDown: mPitchEnvelope.setPitchDown(v); break;
    case UnisonVoices: vm.setUnisonVoices(v); break;
    case UnisonDetune: vm.setUnisonDetune(v); break;
    case FmAmount: vm.setFmAmount(Note::kCarrierFmOperator, v); break;
    default: break;
  }
}

void StandInSynth::queueNoteOn(int note, int velocity, int offset) {
  IMidiMsg msg;
  msg.MakeNoteOnMsg(note, velocity, offset);
  mMidiReceiver.onMessageReceived(&msg);
}

void StandInSynth::queueNoteOff(int note, int offset) {
  IMidiMsg msg;
  msg.MakeNoteOffMsg(note, offset);
  mMidiReceiver.onMessageReceived(&msg);
}

void StandInSynth::renderBlock(int frames) {
  for (auto& buffer : mVoiceBuffers) std::fill(buffer.begin(), buffer.end(), 0.0);
  std::fill(mBassBuffer.begin(), mBassBuffer.end(), 0.0);
  for (int i = 0; i < frames; ++i) {
    mMidiReceiver.advance();
    mVoiceManager.nextSample();
  }
  double* outputs[2] = {mVoiceBuffers[0].data(), mVoiceBuffers[1].data()};
  mVoiceManager.process(outputs, mBassBuffer.data(), frames);
  mMidiReceiver.flush(frames);
}

void StandInSynth::render(int total, const std::vector<int>& blockSizes) {
  for (std::size_t b = 0; total > 0; ++b) {
    const int frames = std::min(total, blockSizes[b % blockSizes.size()]);
    renderBlock(frames);
    left.insert(left.end(), mVoiceBuffers[0].begin(), mVoiceBuffers[0].begin() + frames);
    right.insert(right.end(), mVoiceBuffers[1].begin(), mVoiceBuffers[1].begin() + frames);
    bass.insert(bass.end(), mBassBuffer.begin(), mBassBuffer.begin() + frames);
    total -= frames;
  }
}

}  // namespace testsupport
