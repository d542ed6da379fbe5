#pragma once

#include <vector>

#include "framework/IPlugBase.h"
#include "platform/mac/RenderNotifications.h"
#include "platform/standin/AudioUnitProperties.h"
#include "platform/standin/CFArray.h"
#include "platform/standin/CFDictionary.h"
#include "platform/standin/MusicDevice.h"

// The Audio Unit adapter: one object is at once the plug-in, the framework's
// IPlugBase and the unit's component instance storage. Every static entry
// (component entry, fast-dispatch procedures, Carbon view entry) receives it
// as an untyped pointer.
class IPlugAU : public IPlugBase {
 public:
  struct BusChannels {
    bool mConnected;
    int mHostChannelCount;  // -1 until the host sets a stream format
    int mPlugChannelCount;
    int mFirstPlugChannel;
  };

  enum EAUInputType : int {
    eNotConnected = 0,
    eDirectFastProc,
    eDirectNoFastProc,
    eRenderCallback,
  };

  struct InputConnection {
    void* mUpstreamObject;
    AudioUnit mUpstreamUnit;
    AudioUnitElement mUpstreamElement;
    AudioUnitRenderProc mUpstreamRenderProc;
    AURenderCallbackStruct mRenderCallback;
    EAUInputType mInputType;
  };

  struct ListenerEntry {
    AudioUnitPropertyID mPropertyID;
    AudioUnitPropertyListenerProc mProc;
    void* mUserData;
  };

  IPlugAU(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
          const char* effectName, const char* productName, const char* mfrName, int version, int uniqueID,
          int mfrID, int latency, bool doesMidi, bool doesChunks, bool isInstrument, int nSideChainChannels);
  ~IPlugAU() override;

  void BeginInformHostOfParamChange(int idx) override;
  void InformHostOfParamChange(int idx, double normalizedValue) override;
  void EndInformHostOfParamChange(int idx) override;
  void InformHostOfProgramChange() override;
  bool IsRenderingOffline() override { return mOfflineRender; }
  // The host's sample position rounded to a whole frame.
  double GetSamplePos() override;
  double GetTempo() override;
  void GetTimeSig(int* numerator, int* denominator) override;
  void GetTime(ITimeInfo* timeInfo) override;
  EHost GetHost() override;
  void ResizeGraphics(int width, int height) override;
  void HostSpecificInit() override;
  void SetLatency(int samples) override;
  bool SendMidiMsg(IMidiMsg*) override { return false; }
  // A size the scratch buffers cannot hold leaves everything as it was.
  void SetBlockSize(int blockSize) override;

  static ComponentResult IPlugAUEntry(ComponentParameters* params, void* plug);
  static ComponentResult IPlugAUCarbonViewEntry(ComponentParameters* params, void* storage);

  static OSStatus GetParamProc(void* plug, AudioUnitParameterID id, AudioUnitScope scope, AudioUnitElement element,
                               AudioUnitParameterValue* outValue);
  static OSStatus SetParamProc(void* plug, AudioUnitParameterID id, AudioUnitScope scope, AudioUnitElement element,
                               AudioUnitParameterValue value, UInt32 bufferOffsetInFrames);
  static OSStatus RenderProc(void* plug, AudioUnitRenderActionFlags* ioActionFlags, const AudioTimeStamp* timeStamp,
                             UInt32 outputBus, UInt32 nFrames, AudioBufferList* ioData);

  static const char* AUInputTypeStr(EAUInputType type);
  static AudioChannelLayoutTag GetTagForNumChannels(int nChannels);

 protected:
  ComponentResult GetProperty(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element,
                              UInt32* dataSize, Boolean* writable, void* data);
  ComponentResult SetProperty(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element,
                              UInt32* dataSize, const void* data);
  ComponentResult GetState(CFPropertyListRef* outState);
  ComponentResult SetState(CFPropertyListRef state);

  // Answers the fast-dispatch property: the procedure of selector 6, 7 or 14.
  static OSStatus GetProc(AudioUnitElement selector, UInt32* ioSize, void* outProc);
  void InformListeners(AudioUnitPropertyID propID, AudioUnitScope scope);
  void ClearConnections();
  // Whether the host channel counts of all buses form a legal configuration.
  bool CheckLegalIO();
  // Whether giving that bus nChannels host channels keeps the unit legal.
  bool CheckLegalIO(AudioUnitScope scope, int element, int nChannels);
  void AssessInputConnections();
  static int NHostChannelsConnected(const WDL_PtrList<BusChannels>* buses, int excludeIdx);
  BusChannels* GetBus(AudioUnitScope scope, AudioUnitElement element) const;
  int GetChannelLayoutTags(AudioUnitScope scope, AudioUnitElement element, AudioChannelLayoutTag* outTag) const;

  WDL_String mBundleIdentifier;
  WDL_String mViewClassName;
  char mParamStringBuffer[MAX_PARAM_DISPLAY_LEN] = {};
  ComponentInstance mComponentInstance = nullptr;
  bool mInitialized = false;
  bool mOfflineRender = false;
  double mLastPullSampleTime = -1.0;
  double mCachedTempo = 120.0;
  HostCallbackInfo mHostCallbackInfo = {};
  WDL_TypedBuf<float> mInputScratch;
  // One block per output channel and a last one kept silent for host
  // buffers the unit has no channel for.
  WDL_TypedBuf<float> mOutputScratch;
  RenderNotifications mRenderNotifications;
  WDL_PtrList<BusChannels> mInputBuses;
  WDL_PtrList<BusChannels> mOutputBuses;
  WDL_PtrList<InputConnection> mInputConnections;
  WDL_PtrList<ListenerEntry> mListeners;

 private:
  static ComponentResult Open(ComponentParameters* params);
  static ComponentResult Close(IPlugAU* plug);
  ComponentResult DispatchSelector(ComponentParameters* params);
  ComponentResult Initialize();
  ComponentResult AddPropertyListener(AudioUnitPropertyID id, AudioUnitPropertyListenerProc proc, void* userData);
  // Removes the first listener with this id and procedure, and this user
  // data unless matchUserData is false.
  void RemovePropertyListener(AudioUnitPropertyID id, AudioUnitPropertyListenerProc proc, void* userData,
                              bool matchUserData);
  ComponentResult ScheduleParameters(const AudioUnitParameterEvent* events, UInt32 count);
  ComponentResult MIDIEvent(UInt32 status, UInt32 data1, UInt32 data2, UInt32 offset);
  ComponentResult SysEx(const UInt8* data, UInt32 length);
  ComponentResult StartNote(const MusicDeviceNoteParams* noteParams, UInt32 offset, UInt32* outNoteID);
  ComponentResult StopNote(UInt32 noteID, UInt32 offset);

  OSStatus Render(const AudioTimeStamp* timeStamp, UInt32 outputBus, UInt32 nFrames, AudioBufferList* ioData);
  OSStatus PullInputs(const AudioTimeStamp* timeStamp, UInt32 nFrames);
  void AttachOutputs(BusChannels* bus, UInt32 nFrames, AudioBufferList* ioData);
  int ProcessingBus() const;

  ComponentResult GetParameterInfo(int idx, AudioUnitParameterInfo* info);
  ComponentResult GetParameterValueStrings(int idx, UInt32* dataSize, void* data);
  ComponentResult GetFactoryPresets(CFArrayRef* outArray);
  ComponentResult GetElementName(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize,
                                 Boolean* writable, void* data);
  ComponentResult GetCocoaUI(UInt32* dataSize, void* data);
  ComponentResult GetSupportedChannelLayoutTags(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize,
                                                Boolean* writable, void* data);
  ComponentResult GetParameterStringFromValue(AudioUnitParameterStringFromValue* request);
  ComponentResult GetParameterIDName(AudioUnitParameterNameInfo* request);
  ComponentResult GetParameterClumpName(AudioUnitParameterNameInfo* request);
  ComponentResult GetParameterValueFromString(AudioUnitParameterValueFromString* request);
  ComponentResult SetConnection(AudioUnitScope scope, const AudioUnitConnection& connection);
  ComponentResult SetRenderCallback(AudioUnitScope scope, AudioUnitElement element,
                                    const AURenderCallbackStruct& callback);
  ComponentResult SetStreamFormat(AudioUnitScope scope, AudioUnitElement element,
                                  const AudioStreamBasicDescription& format);
  ComponentResult SetHostIdentifier(const AUHostIdentifier& identifier);

  // The listeners an InformListeners call under way has still to call. A
  // listener may add and remove listeners, itself among them: a removal
  // takes its entry out of every pass, so it is not called after it.
  struct ListenerPass {
    std::vector<ListenerEntry*> entries;
    ListenerPass* outer;
  };
  ListenerPass* mListenerPasses = nullptr;
};

AudioStreamBasicDescription* MakeDefaultASBD(AudioStreamBasicDescription* out, double sampleRate, int nChannels,
                                             bool interleaved);

// False when the strings cannot be made; nothing is set then.
bool PutStrInDict(CFMutableDictionaryRef dict, const char* key, const char* value);
// Copies at most outSize - 1 bytes of the text, whole characters only; false
// when the key is absent or holds no string.
bool GetStrFromDict(CFDictionaryRef dict, const char* key, char* out, int outSize);
// False when the key is absent, holds no data or the chunk cannot grow.
bool GetDataFromDict(CFDictionaryRef dict, const char* key, ByteChunk* chunk);

// The plug-in factory; the plug-in that links the adapter defines it.
IPlugAU* MakePlug();
