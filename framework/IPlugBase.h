#pragma once

#include <atomic>

#include "framework/ByteChunk.h"
#include "framework/Hosts.h"
#include "framework/IPlugGUI.h"
#include "framework/IParam.h"
#include "framework/IPlugStructs.h"
#include "framework/IPreset.h"
#include "framework/WDL_Mutex.h"
#include "framework/WDL_PtrList.h"
#include "framework/WDL_String.h"
#include "framework/WDL_TypedBuf.h"

constexpr int MAX_EFFECT_NAME_LEN = 128;
constexpr int DEFAULT_SAMPLE_RATE = 44100;
// Room that the version texts need: "v-32768.255.255" and its terminator.
constexpr int MAX_VERSION_STR_LEN = 16;

// Versions are packed as 0xMMMMmmbb.
void GetVersionParts(int version, int* major, int* minor, int* revision);
int GetDecimalVersion(int version);
void GetVersionStr(int version, char* text);

// The host-neutral plug-in object. Host adapters derive from it and supply
// the host notifications; the instrument derives from the adapter and
// overrides the processing and parameter hooks. Every non-audio call is
// serialised by one recursive mutex; the processing glue takes no lock.
class IPlugBase {
 public:
  struct ChannelIO {
    int mIn;
    int mOut;
  };

  struct InChannel {
    bool mConnected = false;
    double** mSrc = nullptr;
    // Host buffer of the current single-precision render, kept so that a
    // render longer than the block size can be converted chunk by chunk.
    float* mFSrc = nullptr;
    WDL_TypedBuf<double> mScratchBuf;
    WDL_String mLabel;
  };

  struct OutChannel {
    bool mConnected = false;
    double** mDest = nullptr;
    float* mFDest = nullptr;
    WDL_TypedBuf<double> mScratchBuf;
    WDL_String mLabel;
  };

  IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
            const char* productName, const char* mfrName, int vendorVersion, int uniqueID,
            int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst,
            EAPI plugAPI);
  virtual ~IPlugBase();
  IPlugBase(const IPlugBase&) = delete;
  IPlugBase& operator=(const IPlugBase&) = delete;

  // ---- Virtual operations, in the order adapters and the instrument rely on.
  virtual void Reset();
  virtual void OnParamChange(int paramIdx);
  // Copies input i to output i where both exist and zeroes further outputs.
  virtual void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames);
  virtual void ProcessSingleReplacing(float** inputs, float** outputs, int nFrames);
  virtual void OnGUIOpen() {}
  virtual void OnGUIClose() {}
  // At every tick of the editor's timer, on the editor's thread, before the
  // editor collects what to redraw.
  virtual void OnIdle() {}
  virtual void OnActivate(bool active);
  virtual void ProcessMidiMsg(IMidiMsg* msg);
  virtual void ProcessSysEx(ISysEx*) {}
  virtual bool MidiNoteName(int noteNumber, char* text);
  virtual bool SerializeState(ByteChunk* chunk);
  virtual int UnserializeState(ByteChunk* chunk, int startPos);
  // data holds dataSize bytes of doubles; startPos counts doubles, not
  // bytes. Too few of them to cover every parameter compare as different.
  virtual bool CompareState(const unsigned char* data, int dataSize, int startPos);
  virtual void OnWindowResize() {}
  virtual bool HostRequestingAboutBox() { return false; }
  virtual void OnHostIdentified() {}
  virtual void PopupHostContextMenuForParam(int, int, int) {}
  // The one road by which a control changes a parameter.
  virtual void SetParameterFromGUI(int paramIdx, double normalizedValue);
  virtual void BeginInformHostOfParamChange(int paramIdx) = 0;
  virtual void InformHostOfParamChange(int paramIdx, double normalizedValue) = 0;
  virtual void EndInformHostOfParamChange(int paramIdx) = 0;
  virtual void InformHostOfProgramChange() = 0;
  virtual bool IsRenderingOffline() { return false; }
  virtual double GetSamplePos() = 0;
  // Beats per minute; a value <= 0 when none is known.
  virtual double GetTempo() = 0;
  virtual void GetTimeSig(int* numerator, int* denominator) = 0;
  virtual void GetTime(ITimeInfo* timeInfo) = 0;
  virtual EHost GetHost() { return mHost; }
  virtual EAPI GetAPI() { return mAPI; }
  virtual void ResizeGraphics(int width, int height) = 0;
  virtual void HostSpecificInit() {}
  // Takes ownership of the editor.
  virtual void AttachGraphics(IPlugGUI* graphics);
  virtual void SetLatency(int samples) { mLatency = samples; }
  virtual bool SendMidiMsg(IMidiMsg* msg) = 0;
  virtual bool SendSysEx(ISysEx*) { return false; }
  virtual void RedrawParamControls();
  virtual void DirtyPTCompareState() {}
  virtual void PresetsChangedByHost() {}
  virtual void SetBlockSize(int blockSize);
  // Whether the plug-in's processing runs at this rate: any finite positive
  // one unless the plug-in knows better. Adapters refuse the others.
  virtual bool IsSampleRateSupported(double sampleRate) const;
  // Every change of many parameters at once (a preset, a saved state, a
  // program or bank file, the initialising pass) runs between these two,
  // under the mutex, through ParamSetScope; a plug-in that hands its
  // parameters to the render thread hands such a set over whole at its end.
  virtual void BeginParamSet() {}
  virtual void EndParamSet() {}
  // Render thread, at every pass-through render (the host bypasses the
  // plug-in): a plug-in that takes work handed to its render thread takes
  // it here too, so that none piles up while it is bypassed.
  virtual void OnBypassedRender() {}

  // Holds the mutex and a parameter set open for its lifetime. Scopes inside
  // an open one belong to it: the outermost begins and ends the set.
  class ParamSetScope {
   public:
    explicit ParamSetScope(IPlugBase* plug);
    ~ParamSetScope();
    ParamSetScope(const ParamSetScope&) = delete;
    ParamSetScope& operator=(const ParamSetScope&) = delete;

   private:
    WDL_MutexLock mLock;
    IPlugBase* mPlug;
  };

  // ---- Identity, versions and host.
  const char* GetEffectName() const { return mEffectName; }
  const char* GetProductName() const { return mProductName; }
  const char* GetMfrName() const { return mMfrName; }
  int GetUniqueID() const { return mUniqueID; }
  int GetMfrID() const { return mMfrID; }
  int GetEffectVersion(bool decimal) const;
  void GetEffectVersionStr(char* text) const;
  int GetHostVersion(bool decimal);
  void GetHostVersionStr(char* text);
  void SetHost(const char* name, int version);
  const char* GetAPIString();
  const char* GetArchString() const { return "x86"; }
  bool IsInst() const { return mIsInst; }
  bool DoesStateChunks() const { return mStateChunks; }

  // ---- Parameters.
  IParam* GetParam(int paramIdx) const { return mParams.Get(paramIdx); }
  int NParams() const { return mParams.GetSize(); }
  IPlugGUI* GetGUI() const { return mGraphics; }
  WDL_Mutex* GetMutex() { return &mMutex; }
  void OnParamReset();
  void DirtyParameters();

  // ---- Audio settings and channels.
  double GetSampleRate() const { return mSampleRate; }
  void SetSampleRate(double sampleRate) { mSampleRate = sampleRate; }
  int GetBlockSize() const { return mBlockSize; }
  int GetLatency() const { return mLatency; }
  bool IsBypassed() const { return mBypassed; }
  double GetSamplesPerBeat();
  int NInChannels() const { return mInChannels.GetSize(); }
  int NOutChannels() const { return mOutChannels.GetSize(); }
  int NChannelIO() const { return mChannelIO.GetSize(); }
  const ChannelIO* GetChannelIO(int idx) const { return mChannelIO.Get(idx); }
  // Negative counts are wildcards.
  bool LegalIO(int nIn, int nOut) const;
  void LimitToStereoIO();
  void SetInputChannelConnections(int idx, int n, bool connected);
  void SetOutputChannelConnections(int idx, int n, bool connected);
  bool IsInChannelConnected(int chIdx) const;
  bool IsOutChannelConnected(int chIdx) const;
  void SetInputLabel(int idx, const char* label);
  void SetOutputLabel(int idx, const char* label);
  const char* GetInputLabel(int idx) const;
  const char* GetOutputLabel(int idx) const;
  // Bus labels exist for buses 0 and 1 only.
  void SetInputBusLabel(int idx, const char* label);
  void SetOutputBusLabel(int idx, const char* label);
  WDL_String* GetInputBusLabel(int idx) const { return mInputBusLabels.Get(idx); }
  WDL_String* GetOutputBusLabel(int idx) const { return mOutputBusLabels.Get(idx); }
  bool SendMidiMsgs(WDL_TypedBuf<IMidiMsg>* msgs);

  // ---- Processing glue, called by the adapter from the render thread.
  // A render longer than the block size runs as consecutive chunks of at most
  // the block size; a render before any block size outputs silence. Buffers
  // attached since the last render serve the next one only; the float input
  // attachment converts just the channels it attaches.
  void AttachInputBuffers(int idx, int n, double** buffers, int nFrames);
  void AttachInputBuffers(int idx, int n, float** buffers, int nFrames);
  void AttachOutputBuffers(int idx, int n, double** buffers);
  void AttachOutputBuffers(int idx, int n, float** buffers);
  void PassThroughBuffers(double sampleType, int nFrames);
  void PassThroughBuffers(float sampleType, int nFrames);
  void ProcessBuffers(double sampleType, int nFrames);
  void ProcessBuffers(float sampleType, int nFrames);
  void ProcessBuffersAccumulating(float sampleType, int nFrames);
  void ZeroScratchBuffers();

  // ---- State chunks and preset slots.
  bool SerializeParams(ByteChunk* chunk);
  // Position after the last value read, or -1 when the chunk ran short.
  int UnserializeParams(ByteChunk* chunk, int startPos);
  int NPresets() const { return mPresets.GetSize(); }
  int GetCurrentPresetIdx() const { return mCurrentPresetIdx; }
  const char* GetPresetName(int idx) const;
  // One value per parameter: an int for bool, int and enum parameters, a
  // double for the others.
  void MakePreset(const char* name, ...);
  // count pairs of parameter index and value; parameters not named keep
  // their current value.
  void MakePresetFromNamedParams(const char* name, int count, ...);
  void MakePresetFromChunk(const char* name, ByteChunk* chunk);
  void MakePresetFromBlob(const char* name, const char* blob, int size);
  void MakeDefaultPreset(const char* name = nullptr, int count = 1);
  void EnsureDefaultPreset();
  void PruneUninitializedPresets();
  bool RestorePreset(int idx);
  bool RestorePreset(const char* name);
  void ModifyCurrentPreset(const char* name = nullptr);
  bool SerializePresets(ByteChunk* chunk);
  int UnserializePresets(ByteChunk* chunk, int startPos);

  // ---- Program and bank files, preset source dumps.
  bool SaveProgramAsFXP(const char* defaultFileName = "");
  bool SaveBankAsFXB(const char* defaultFileName = "");
  bool LoadProgramFromFXP();
  bool LoadBankFromFXB();
  bool DumpPresetSrcCode(const char* fileName, const char** paramEnumNames);
  bool DumpPresetBlob(const char* fileName);

 protected:
  WDL_PtrList<ChannelIO> mChannelIO;
  // Also taken by const readers of what host threads change. A thread that
  // waits for a render call, of this unit or another, lets go of it meanwhile.
  mutable WDL_Mutex mMutex{WDL_Mutex::Kind::kPlugIn};
  char mEffectName[MAX_EFFECT_NAME_LEN];
  char mProductName[MAX_EFFECT_NAME_LEN];
  char mMfrName[MAX_EFFECT_NAME_LEN];
  int mUniqueID;
  int mMfrID;
  int mVersion;
  EAPI mAPI;
  EHost mHost = kHostUninit;
  int mHostVersion = 0;
  bool mStateChunks;
  bool mIsInst;
  // Set by a host thread, read by the render thread.
  std::atomic<bool> mBypassed{false};
  int mCurrentPresetIdx = 0;
  // Open ParamSetScopes, under the mutex.
  int mParamSetDepth = 0;
  double mSampleRate = DEFAULT_SAMPLE_RATE;
  int mBlockSize = 0;
  int mLatency;
  WDL_String mPreviousPath;
  WDL_PtrList<const char> mParamGroups;
  IPlugGUI* mGraphics = nullptr;
  WDL_PtrList<IParam> mParams;
  WDL_PtrList<IPreset> mPresets;
  WDL_TypedBuf<double*> mInData;
  WDL_TypedBuf<double*> mOutData;
  WDL_PtrList<InChannel> mInChannels;
  WDL_PtrList<OutChannel> mOutChannels;
  WDL_PtrList<WDL_String> mInputBusLabels;
  WDL_PtrList<WDL_String> mOutputBusLabels;

 private:
  // Chunk pointers of a double-precision render, sized with the channels so
  // the render path never allocates.
  WDL_TypedBuf<double*> mInChunkData;
  WDL_TypedBuf<double*> mOutChunkData;

  template <class ChunkFunc>
  void RenderInChunks(int nFrames, ChunkFunc renderChunk);
  void SilenceHostOutputs(double sampleType, int nFrames);
  void SilenceHostOutputs(float sampleType, int nFrames);
  void PassThroughDoubles(double** inputs, double** outputs, int nFrames);
  // Inputs first to end - 1: the host's samples where this render attached
  // a buffer, silence where it did not.
  void ConvertInputChunk(int first, int end, int offset, int nFrames);
  void ReleaseHostBuffers();
  void ConvertOutputChunk(int offset, int nFrames, bool accumulate);
  void ProcessFloatChunks(int nFrames, bool passThrough, bool accumulate);
  void ProcessDoubleChunks(int nFrames, bool passThrough);

  // The first free slot, made initialised with the name and an empty chunk;
  // null when none is free.
  IPreset* TakeFreePreset(const char* name);
  void StorePresetState(int idx, const char* name);
  int SerializedStateSize();
  // The file that the prompt names, read as every file from outside is (InputFile).
  bool ReadWholeFile(const char* extension, ByteChunk* data);
  bool WriteWholeFile(const char* defaultFileName, const char* extension, const ByteChunk& data);
  bool ApplyProgramFile(ByteChunk* file);
  bool ApplyBankFile(ByteChunk* file);
  void PutProgramRecord(ByteChunk* out, const char* name, const ByteChunk* state);
};

// Names every further free slot "user preset N", N one above the number of
// slots whose names already contain that text. name must hold
// MAX_PRESET_NAME_LEN characters.
void MakeDefaultUserPresetName(WDL_PtrList<IPreset>* presets, char* name);
IPreset* GetNextUninitializedPreset(WDL_PtrList<IPreset>* presets);
