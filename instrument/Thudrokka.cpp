#include "instrument/Thudrokka.h"

#include <new>

#include "graphics/IGraphics.h"
#include "presets/ThudrokkaFreePresets.h"

using namespace Quillvane::Synth;

Thudrokka::Thudrokka(IPlugInstanceInfo info)
    : IPlugAU(info, kNumParameters, "0-1 0-2", kNumPresets, "Thudrokka 1.5 FREE", "", "Quillvane", 0x10502,
              FourCC("3bti"), FourCC("QuVa"), 0, true, false, true, 0),
      mVolumeEnvelopeDisplay("Volume_Envelope"),
      mFilterEnvelopeDisplay("Filter Envelope") {
  mSynthProgram.init();
  mSynthProgram.initPro();
  allocateBuffers();
  mVoiceManager.setMasterSynth(this);
  mWaveformProvider.makeWaveforms();
  // Before this instance renders: from the tables its provider took now.
  makeUserWaveformCurves(mUserCurves);
  initEditor();
  initTabControls();
  initPitchEnvUnit();
  initOsc1Unit();
  initOsc2Unit();
  initOsc3Unit();
  initVolumeEnvUnit();
  initFilterEnvUnit();
  initUnisonUnit();
  initFmModulationUnit();
  initGlobalTransposeUnit();
  initBassLayerUnit();
  initFilterUnit();
  initModFxUnit();
  initDistoUnit();
  initEqUnit();
  initOutputUnit();
  initPresetUnit();
  initDisplayUnit();
  initDecorations();
  initAboutTab();
  for (int p = 0; p < kNumParameters; ++p) OnParamChange(p);
  // Nothing renders yet: the first pass reaches the record and the units now.
  applyHandOvers();
  AttachGraphics(mEditor);
  makeThudrokkaFreePresets();
  MakeDefaultPreset("-", kNumPresets);
  mMidiReceiver.noteOn.connect(&mVoiceManager, &VoiceManager::onNoteOn);
  mMidiReceiver.noteOff.connect(&mVoiceManager, &VoiceManager::onNoteOff);
  mMidiReceiver.controlChange.connect(this, &Thudrokka::onControlChange);
}

Thudrokka::~Thudrokka() { freeBuffers(); }

void Thudrokka::allocateBuffers() {
  const int frames = GetBlockSize();
  mBufferFrames = 0;
  if (frames <= 0) return;
  const std::size_t n = static_cast<std::size_t>(frames);
  for (auto& storage : mVoiceBufferStorage) storage.reset(new (std::nothrow) double[n]);
  mBassLayerBuffer.reset(new (std::nothrow) double[n]);
  mBassLayerBuffer2.reset(new (std::nothrow) double[n]);
  if (!mVoiceBufferStorage[0] || !mVoiceBufferStorage[1] || !mBassLayerBuffer || !mBassLayerBuffer2) {
    freeBuffers();
    return;
  }
  mVoiceBuffers[0] = mVoiceBufferStorage[0].get();
  mVoiceBuffers[1] = mVoiceBufferStorage[1].get();
  mBufferFrames = frames;
}

void Thudrokka::freeBuffers() {
  mBufferFrames = 0;
  mBassLayerBuffer.reset();
  mBassLayerBuffer2.reset();
  for (int c = 0; c < 2; ++c) {
    mVoiceBufferStorage[c].reset();
    mVoiceBuffers[c] = nullptr;
  }
}

void Thudrokka::prepareBlockSize(int blockSize) {
  if (blockSize != mBufferFrames) {
    freeBuffers();
    allocateBuffers();
  }
  mVoiceManager.setBlockSize(blockSize);
  for (Quillvane::FilterUnit* unit : {&mFilterUnit, &mBassFilterUnit}) unit->setBlockSize(blockSize);
  mEqualizer.setBlockSize(blockSize);
  for (Quillvane::DumpExpand* unit : {&mDumpExpand, &mBassDumpExpand}) unit->setBlockSize(blockSize);
  mPreparedBlockSize = blockSize;
}

void Thudrokka::makeThudrokkaFreePresets() {
  // Chunks of doubles, so no value travels through a variadic argument list.
  for (const Quillvane::FactoryPreset& preset : Quillvane::thudrokkaFreePresets()) {
    ByteChunk chunk;
    for (double v : preset.values) chunk.Put(&v);
    MakePresetFromChunk(preset.name, &chunk);
  }
}

// The receiver has released every key; all sound off does not wait for the
// releases, nor for the effects' tails.
void Thudrokka::onControlChange(int controller, double) {
  if (controller == IMidiMsg::kAllSoundOff) endAllSound();
}
