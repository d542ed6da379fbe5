#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "effects/3BandEq.h"
#include "effects/BitCrasher.h"
#include "effects/Distortion.h"
#include "effects/DumpExpand.h"
#include "effects/FilterUnit.h"
#include "effects/Phaser.h"
#include "effects/RingModulator.h"
#include "engine/ADSR.h"
#include "engine/MIDIReceiver.h"
#include "engine/MasterSynth.h"
#include "engine/OnePoleSmoother.h"
#include "engine/PitchEnvelope.h"
#include "engine/VoiceManager.h"
#include "engine/WaveformProvider.h"
#include "graphics/HandOver.h"
#include "graphics/IGraphicsStructs.h"
#include "instrument/DisplayUnits.h"
#include "instrument/MidiHandOver.h"
#include "instrument/ParameterHandOver.h"
#include "instrument/VersionInfo.h"
#include "platform/mac/IPlugAU.h"
#include "program/QVSynthProgram.h"
#include "program/VstParameters.h"

class IControl;
class IGraphics;
class ICaptionControl;
class IKnobMultiControl;
class IQvCurve;
class IQvHostInfoText;
class IQvSyncButton;
class IQvTabButton;
class ISwitchControl;
class ITextControl;
namespace Quillvane {
class RirARorurProgram;
struct ProgramLineProblem;
}

// The instrument: voices, effect chain and output stage behind the Audio Unit
// adapter, driven by the live program record that every parameter change
// updates. Heavy (64 voices and all units by value): keep it on the heap.
//
// Threads. Only the render thread (ProcessDoubleReplacing and
// OnBypassedRender, and RenderPresets, which renders itself) touches the
// voices, the effect units, the output stage, the live record, the MIDI
// receiver and the work buffers. Every other call, from a host thread or the
// editor's main thread, holds the plug-in mutex, changes only the parameters,
// the display copies and the editor, and hands the rest over; at the start
// of its next block the render thread applies a pending reset, then the
// latest value of every parameter changed since (a preset, state or program
// whole or not at all, and heard at once where nothing sounds), then the
// notes sent since, which keep their frame offsets. A reset drops the notes
// sent before it at once, on the thread that asks for it. The editor's
// read-outs therefore read the parameters and the editor's own display
// copies of the envelopes and units, never the units that sound; the note
// read-out is made at the editor's next tick from what the render thread
// leaves in atomics. Reset allocates only when the block size changes,
// which a host does only while it does not render.
class Thudrokka : public IPlugAU, public Quillvane::MasterSynth {
 public:
  // The bundle under which the editor's images are found.
  static constexpr const char* kBundleID = "com.quillvane.audiounit.Thudrokka";
  static constexpr int kNumPresets = 128;
  static constexpr int kOscCurvePoints = 78;
  static constexpr int kEnvelopeCurvePoints = 116;
  static constexpr int kPitchEnvelopeCurvePoints = 146;
  static constexpr int kDumpExpandCurvePoints = 30;
  static constexpr int kDistortionTransferCurvePoints = 108;
  static constexpr int kDistortionWaveCurvePoints = 98;
  static constexpr double kLimitOnBound = 0.99;
  // Kept with five decimals, not as the square root of 10.
  static constexpr double kLimitOffBound = 3.16227;
  // The dry/wet glide's pole at 44.1 kHz; the other output smoothers glide
  // with the engine's default smoothing factor.
  static constexpr double kDryWetSmoothFactor = 0.99;
  // How long the output stays exact zeros before what the effect units
  // still hold counts as kept from it for good. Longer than the gaps that a
  // gate, a coarse bit depth or a curve's dead zone leave between the
  // swings of the slowest tail the filters ring with, at 10 Hz.
  static constexpr double kSettledSilenceSeconds = 0.25;
  static constexpr int kEditorWidth = 1024;
  static constexpr int kEditorHeight = 760;

  explicit Thudrokka(IPlugInstanceInfo info);
  ~Thudrokka() override;

  // ---- Framework operations.
  // Sizes the work buffers when the block size changed, discards every note
  // sent before and not played yet, and asks the render thread to prepare
  // the units for the sample rate and to end every voice and held key.
  void Reset() override;
  // The first activation prepares the unit as Reset does, if no Reset came before.
  void OnActivate(bool active) override;
  void OnParamChange(int paramIdx) override;
  // Within the rates the engine is made for.
  bool IsSampleRateSupported(double sampleRate) const override;
  // Render thread. Applies the hand-overs, then renders; silence until the
  // first Reset or activation. A render longer than the prepared block runs
  // as consecutive blocks, each with its own MIDI step.
  void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) override;
  // Render thread, while the host bypasses the unit: applies the hand-overs
  // and drops the notes, which nothing plays later.
  void OnBypassedRender() override;
  // Queues note messages, and all sound off and all notes off, for the next
  // block. Beyond the hand-over's room (NoteRing::kSize events between two
  // blocks) a note-on is dropped, while a release waits (WaitingReleases).
  void ProcessMidiMsg(IMidiMsg* msg) override;
  void PresetsChangedByHost() override {}
  // A set of parameter changes reaches the render thread whole, at one block start.
  void BeginParamSet() override { mParameterHandOver.openSet(); }
  void EndParamSet() override { mParameterHandOver.closeSet(); }
  // At every tick of the editor, on its thread: shows the last note the
  // render thread started and redraws the oscillator curves after a
  // waveform load.
  void OnIdle() override;

  // ---- What the voices need, on the render thread.
  Quillvane::QVSynthProgram* getSynthProgram() override { return &mSynthProgram; }
  Quillvane::WaveformProvider* getWaveformProvider() override { return &mWaveformProvider; }
  Quillvane::PitchEnvelope* getPitchEnvelope() override { return &mPitchEnvelope; }
  // Render thread: keeps the note for the sync button and the note display.
  void onNoteOn(double frequency, std::string noteName) override;

  // ---- Parameters. The editor sections declare theirs through
  // declareParameter; the dispatch runs engine, effects, then read-outs.
  void declareParameter(Quillvane::Synth::eVstParameters p);
  // The four dispatch steps for a caller that already holds the mutex.
  void InternalParamChange(int paramIdx);
  // Steps 1 and 2 hand the parameter's value over to the render thread,
  // which stores it in the live record and passes it to the engine and the
  // effect units.
  void OnSynthParamChange(int paramIdx);
  void OnFxParamChange(int paramIdx);
  void notifySynthGuiChange(int paramIdx);
  void notifyFxGuiChange(int paramIdx);
  // Render thread: all sound off ends all sound at once, as a reset does.
  void onControlChange(int controller, double value);

  // ---- Output stage and meters.
  void limitAndDetectMaxLevels(double** outputs, int nFrames);
  // The next block zeroes both peaks after metering.
  void ResetMaxLevels() { mResetPeaks.store(true, std::memory_order_relaxed); }
  double GetMaxSampleValue() const;
  // Note 48 at full velocity straight to the voices at the next block, once
  // Reset has run.
  void PlayNote(bool on);
  int RenderToWave(double, double**, int) { return 1; }

  // ---- Programs, sync, waveforms and captions. The sync and a program load
  // tell the host of every parameter they change.
  void OnSyncModFx(double multiplier);
  // Both report whether the file was written or read, and what failed in
  // error when given. Program and waveform files are read and written
  // without the plug-in mutex held, so host calls do not wait for them. A
  // save sets nameNote, when given, to what the file does to the preset's
  // name (see RirARorurProgram::nameInFileNote). A load appends the lines
  // that it did not read as they stand (see RirARorurProgram::readProgram)
  // to problems when given.
  bool SaveProgramAsQV(const char* path, std::string* error = nullptr, std::string* nameNote = nullptr);
  bool LoadProgramAsQV(const char* path, std::string* error = nullptr,
                       std::vector<Quillvane::ProgramLineProblem>* problems = nullptr);
  // What a load does once the file is read: every parameter takes the
  // program's value, and the current preset its name and the values.
  void ApplyProgram(const Quillvane::RirARorurProgram& program);
  bool CanLoadWaveform() const;
  bool LoadWaveform(const char* path);
  // "%02d: %s" of the one-based slot number and its name, at most 127 characters.
  std::string GetCurrentPresetString() const;
  // Main thread: "%3.1fHz [%s]" of the last started note, empty before any.
  std::string GetNoteInfoString() const;
  double getLastNoteFrequency() const { return mLastNoteFrequency.load(std::memory_order_relaxed); }
  // Plays note 48 for a second into a block of twice the sample rate plus two
  // frames per preset, first to last - 1, and writes them as one 24-bit
  // stereo WAVE file block by block. False for an empty range, slots that do
  // not exist, before the first Reset, without room for a block, or when the
  // file fails. It renders on the caller's thread, so never while a host
  // renders.
  bool RenderPresets(int first, int last, const char* path);

  const Quillvane::VersionInfo& getVersionInfo() const { return mVersionInfo; }

  // ---- Editor tabs, on the editor's thread. Each shows the controls listed
  // for its tab, hides those listed for the other one and leaves its own tab
  // button the only active one.
  void OnSynthTab();
  void OnAboutTab();
  bool IsSynthTabShown() const { return mSynthTabShown; }
  // The controls listed for each tab, by index in the editor, in attach order.
  const std::vector<int>& GetSynthTabControls() const { return mSynthTabControls; }
  const std::vector<int>& GetAboutTabControls() const { return mAboutTabControls; }

 protected:
  void allocateBuffers();
  void freeBuffers();
  // Work buffers, voices and units for a new block size.
  void prepareBlockSize(int blockSize);
  void makeThudrokkaFreePresets();

  // ---- The editor, built once by the constructor in this order; each
  // section declares its parameters before it makes its controls.
  // The editor object, background, images, text styles and controls panel.
  void initEditor();
  void initTabControls();
  void initPitchEnvUnit();
  void initOsc1Unit();
  void initOsc2Unit();
  void initOsc3Unit();
  void initVolumeEnvUnit();
  void initFilterEnvUnit();
  // The three oscillator strips are one design, and so are the two
  // envelope sections: each builder gives what differs.
  struct OscillatorStrip;
  struct EnvelopeSection;
  void initOscUnit(const OscillatorStrip& strip);
  void initEnvelopeUnit(const EnvelopeSection& section);
  void initUnisonUnit();
  void initFmModulationUnit();
  void initGlobalTransposeUnit();
  void initBassLayerUnit();
  void initFilterUnit();
  void initModFxUnit();
  void initDistoUnit();
  void initEqUnit();
  void initOutputUnit();
  void initPresetUnit();
  void initDisplayUnit();
  // Kept empty and never run: the edition has no bass enhancer.
  void initHcBassUnit() {}
  // The edition badge and the design-tool picture over the sections.
  void initDecorations();
  void initAboutTab();

  // What every section builder does the same way.
  // An image under the editor's image folder, by its path below it.
  IBitmap loadImage(int id, const char* path, int frames);
  // Attaches a control of the synth tab and lists it there.
  template <class Control>
  Control* attachSynthControl(Control* control) {
    attachToSynthTab(control);
    return control;
  }
  void attachToSynthTab(IControl* control);
  // A vertical-drag knob at (x, y) showing the frame of its value.
  IKnobMultiControl* addKnob(int x, int y, int paramIdx, IBitmap* image);
  // A two-frame switch at (x, y) stepping a step-1 parameter.
  ISwitchControl* addSwitch(int x, int y, int paramIdx, IBitmap* image);
  // A fixed text in the read-out style.
  ITextControl* addTitle(IRECT rect, const char* text);
  // The parameter's display text and unit in the read-out style.
  ICaptionControl* addCaption(IRECT rect, int paramIdx);
  // The read-outs and curves of one oscillator's waveform (0, 1 or 2), under
  // the mutex.
  void refreshOscillatorWaveform(int osc);
  // The curve of waveform w for an oscillator, folded or not, under the
  // mutex; user waveforms from the editor's own copy.
  void oscillatorCurve(double w, bool fold, double* points);
  // Shows the list's controls, hides the other's and leaves the button the
  // only active one.
  void showTab(bool synth);

  // Render thread: the reset, parameters and notes handed over since the
  // last block; the notes are played, or dropped while the host bypasses
  // the unit.
  enum class NoteFate { kPlay, kDrop };
  void applyHandOvers(NoteFate fate = NoteFate::kPlay);
  void applyParameter(int paramIdx, double value);
  void applySynthParameter(Quillvane::Synth::eVstParameters p, double v);
  void applyFxParameter(Quillvane::Synth::eVstParameters p, double v);
  void applyReset(double sampleRate);
  // Every glide of the voices, the effect units and the output stage ends on
  // its target at once.
  void settleGlides();
  // Ends every voice and held key and empties every effect unit: silence
  // from here on, and a next note that meets nothing of what came before.
  void endAllSound();
  // Every effect unit lets go of what it holds.
  void emptyEffectUnits();
  // Whether nothing sounds any more: no voice can, and no effect unit holds
  // anything that would reach the output as it is set now, or the output
  // has been exact zeros for kSettledSilenceSeconds, which keeps what they
  // still hold from it for good.
  bool nothingSounds() const;
  bool effectUnitsHoldSound() const;
  // Counts the frames of exact silence that the output ends with, across blocks.
  void countSilence(double** outputs, int nFrames);
  void renderBlock(double** outputs, int nFrames);
  void applyOutputStage(double** outputs, int nFrames);
  bool isAnyVoicePlaying() const;

  MIDIReceiver mMidiReceiver;
  VoiceManager mVoiceManager;
  Quillvane::QVSynthProgram mSynthProgram;
  // Their poles are set for the rate by every reset, which comes before
  // the first block.
  Quillvane::OnePoleSmoother mBassAmountSmoother;
  Quillvane::OnePoleSmoother mPanSmoother;
  Quillvane::OnePoleSmoother mSaturationSmoother;
  Quillvane::OnePoleSmoother mVolumeSmoother;
  Quillvane::OnePoleSmoother mDryWetSmoother;
  // The output smoothers settle on their targets where they next run;
  // pending from the start too, so that they begin at their first targets,
  // not at 0, from which a fresh instance's first note would fade in from
  // the left.
  bool mOutputSettlePending = true;
  bool mSaturationSettlePending = true;
  // A whole set arrived over sound: its glides jump to their targets, and
  // the effect units let go of what they hold, once nothing sounds.
  bool mWholeSetToSettle = false;
  // Output frames of exact silence since the last sound, up to a top; at it
  // before anything has sounded.
  static constexpr int64_t kSilentFramesTop = int64_t{1} << 40;
  int64_t mSilentFrames = kSilentFramesTop;
  // kSettledSilenceSeconds at the rate of the last reset, which comes before
  // the first block.
  int64_t mSettledSilenceFrames = 0;
  Quillvane::WaveformProvider mWaveformProvider;
  Quillvane::PitchEnvelope mPitchEnvelope;
  Quillvane::FilterUnit mFilterUnit;
  Quillvane::FilterUnit mBassFilterUnit;
  Quillvane::RingModulator mRingModulator;
  Quillvane::Phaser mPhaser;
  Quillvane::Distortion mDistortion;
  Quillvane::BitCrasher mBitCrasher;
  Quillvane::Equalizer mEqualizer;
  Quillvane::DumpExpand mDumpExpand;
  Quillvane::DumpExpand mBassDumpExpand;
  Quillvane::VersionInfo mVersionInfo;
  Quillvane::ADSR mVolumeEnvelopeDisplay;
  Quillvane::ADSR mFilterEnvelopeDisplay;
  DisplayUnits mDisplayUnits;

  // What the render thread applies at the start of its next block.
  ParameterHandOver<Quillvane::Synth::kNumParameters> mParameterHandOver;
  MidiHandOver mMidiHandOver;
  // The resets asked for.
  std::atomic<uint32_t> mResetRequests{0};
  // Render thread: the count of the last reset applied.
  uint32_t mResetsApplied = 0;
  std::atomic<double> mResetSampleRate{0.0};

  // Work buffers of the block size given at the last Reset that changed it.
  std::unique_ptr<double[]> mVoiceBufferStorage[2];
  double* mVoiceBuffers[2] = {nullptr, nullptr};
  std::unique_ptr<double[]> mBassLayerBuffer;
  std::unique_ptr<double[]> mBassLayerBuffer2;
  int mBufferFrames = 0;
  // Block size the voices and units were last sized for; -1 before the first Reset.
  int mPreparedBlockSize = -1;

  // Written on the render thread, read on the main thread.
  std::atomic<double> mLastNoteFrequency{0.0};
  std::atomic<int> mLastNoteNumber{-1};
  // The oscillator curve of every user waveform, plain and folded. The
  // editor draws them from a copy of its own: the tables are the process's,
  // and which of them the provider plays changes at the render thread's
  // block starts.
  struct UserWaveformCurves {
    double points[2][Quillvane::WaveformProvider::kNumUserWaveforms][kOscCurvePoints];
  };
  // From the tables the provider plays, on the thread that renders.
  void makeUserWaveformCurves(UserWaveformCurves& curves);
  // The render thread hands them over once it installed a loaded waveform;
  // the editor's next tick takes them and redraws the oscillator curves.
  HandOver<UserWaveformCurves> mUserCurvesHandOver;
  // The editor's copy, under the mutex.
  UserWaveformCurves mUserCurves{};
  // The note the read-out was last written from, on the editor's thread.
  int mShownNoteNumber = -1;
  double mShownNoteFrequency = 0.0;

  // Made by the constructor; the framework owns it once attached.
  IGraphics* mEditor = nullptr;
  // Text styles the sections copy into their controls: the read-outs',
  // the distortion names', each oscillator's waveform name's, and the
  // host and level read-outs'.
  IText mTextValue;
  IText mTextLeft;
  IText mTextOsc1;
  IText mTextOsc2;
  IText mTextOsc3;
  IText mTextHostInfo;
  IText mTextMaxLevel;
  // Indices of the editor's controls on each tab, and the tab buttons.
  std::vector<int> mSynthTabControls;
  std::vector<int> mAboutTabControls;
  IQvTabButton* mSynthTabButton = nullptr;
  IQvTabButton* mAboutTabButton = nullptr;
  bool mSynthTabShown = true;
  IQvHostInfoText* mHostInfoText = nullptr;

  IQvSyncButton* mSyncButton = nullptr;

  // The controls the read-outs rewrite, made and kept by the sections; null
  // until made. The editor owns them.
  ITextControl* mOsc1WaveformText = nullptr;
  ITextControl* mOsc2WaveformText = nullptr;
  ITextControl* mOsc3WaveformText = nullptr;
  IQvCurve* mOsc1WaveformCurveControl = nullptr;
  IQvCurve* mOsc2WaveformCurveControl = nullptr;
  IQvCurve* mOsc3WaveformCurveControl = nullptr;
  ITextControl* mVolumeAttackText = nullptr;
  ITextControl* mVolumeDecayText = nullptr;
  ITextControl* mVolumeReleaseText = nullptr;
  ITextControl* mFilterAttackText = nullptr;
  ITextControl* mFilterDecayText = nullptr;
  ITextControl* mFilterReleaseText = nullptr;
  IQvCurve* mVolumeEnvelopeCurveControl = nullptr;
  IQvCurve* mFilterEnvelopeCurveControl = nullptr;
  IQvCurve* mPitchEnvelopeCurveControl = nullptr;
  ITextControl* mUnisonVoicesText = nullptr;
  ITextControl* mBassGainText = nullptr;
  ITextControl* mMidGainText = nullptr;
  ITextControl* mHighGainText = nullptr;
  ITextControl* mDumpExpandText = nullptr;
  IQvCurve* mDumpExpandCurveControl = nullptr;
  ITextControl* mDistortionTypeText = nullptr;
  ITextControl* mInterpolationText = nullptr;
  ITextControl* mBitsText = nullptr;
  ITextControl* mSampleRateText = nullptr;
  ITextControl* mGateText = nullptr;
  IQvCurve* mDistortionTransferCurveControl = nullptr;
  IQvCurve* mDistortionWaveCurveControl = nullptr;
  ITextControl* mFilterMixText = nullptr;
  ITextControl* mCutoffText = nullptr;
  ITextControl* mFilterMode1Text = nullptr;
  ITextControl* mFilterMode2Text = nullptr;
  ITextControl* mFilterTransitionText = nullptr;
  ITextControl* mRingWaveformText = nullptr;
  ITextControl* mNoteInfoText = nullptr;

  // The point buffers the curves draw.
  double mOsc1WaveformCurve[kOscCurvePoints] = {};
  double mOsc2WaveformCurve[kOscCurvePoints] = {};
  double mOsc3WaveformCurve[kOscCurvePoints] = {};
  double mVolumeEnvelopeCurve[kEnvelopeCurvePoints] = {};
  double mFilterEnvelopeCurve[kEnvelopeCurvePoints] = {};
  double mPitchEnvelopeCurve[kPitchEnvelopeCurvePoints] = {};
  double mDumpExpandCurve[kDumpExpandCurvePoints] = {};
  double mDistortionTransferCurve[kDistortionTransferCurvePoints] = {};
  double mDistortionWaveCurve[kDistortionWaveCurvePoints] = {};

  std::atomic<double> mPeakLeft{0.0};
  std::atomic<double> mPeakRight{0.0};
  std::atomic<bool> mResetPeaks{false};
  std::atomic<bool> mReady{false};
};
