#include "platform/standin/AUComponent.h"

#include "platform/standin/AudioUnitCarbonView.h"

using standin::CallComponentSelector;
using standin::FloatWord;
using standin::PointerWord;

OSStatus AudioUnitInitialize(AudioUnit unit) { return CallComponentSelector(unit, kAudioUnitInitializeSelect, {}); }

OSStatus AudioUnitUninitialize(AudioUnit unit) {
  return CallComponentSelector(unit, kAudioUnitUninitializeSelect, {});
}

OSStatus AudioUnitGetPropertyInfo(AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope,
                                  AudioUnitElement element, UInt32* outDataSize, Boolean* outWritable) {
  return CallComponentSelector(unit, kAudioUnitGetPropertyInfoSelect,
                               {id, scope, element, PointerWord(outDataSize), PointerWord(outWritable)});
}

OSStatus AudioUnitGetProperty(AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element,
                              void* outData, UInt32* ioDataSize) {
  return CallComponentSelector(unit, kAudioUnitGetPropertySelect,
                               {id, scope, element, PointerWord(outData), PointerWord(ioDataSize)});
}

OSStatus AudioUnitSetProperty(AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element,
                              const void* inData, UInt32 inDataSize) {
  return CallComponentSelector(unit, kAudioUnitSetPropertySelect,
                               {id, scope, element, PointerWord(inData), inDataSize});
}

OSStatus AudioUnitGetParameter(AudioUnit unit, AudioUnitParameterID id, AudioUnitScope scope,
                               AudioUnitElement element, AudioUnitParameterValue* outValue) {
  return CallComponentSelector(unit, kAudioUnitGetParameterSelect, {id, scope, element, PointerWord(outValue)});
}

OSStatus AudioUnitSetParameter(AudioUnit unit, AudioUnitParameterID id, AudioUnitScope scope,
                               AudioUnitElement element, AudioUnitParameterValue value, UInt32 bufferOffsetInFrames) {
  return CallComponentSelector(unit, kAudioUnitSetParameterSelect,
                               {id, scope, element, FloatWord(value), bufferOffsetInFrames});
}

OSStatus AudioUnitReset(AudioUnit unit, AudioUnitScope scope, AudioUnitElement element) {
  return CallComponentSelector(unit, kAudioUnitResetSelect, {scope, element});
}

OSStatus AudioUnitAddPropertyListener(AudioUnit unit, AudioUnitPropertyID id, AudioUnitPropertyListenerProc proc,
                                      void* userData) {
  return CallComponentSelector(unit, kAudioUnitAddPropertyListenerSelect,
                               {id, PointerWord(proc), PointerWord(userData)});
}

OSStatus AudioUnitRemovePropertyListener(AudioUnit unit, AudioUnitPropertyID id, AudioUnitPropertyListenerProc proc) {
  return CallComponentSelector(unit, kAudioUnitRemovePropertyListenerSelect, {id, PointerWord(proc)});
}

OSStatus AudioUnitRemovePropertyListenerWithUserData(AudioUnit unit, AudioUnitPropertyID id,
                                                     AudioUnitPropertyListenerProc proc, void* userData) {
  return CallComponentSelector(unit, kAudioUnitRemovePropertyListenerWithUserDataSelect,
                               {id, PointerWord(proc), PointerWord(userData)});
}

OSStatus AudioUnitAddRenderNotify(AudioUnit unit, AURenderCallback proc, void* userData) {
  return CallComponentSelector(unit, kAudioUnitAddRenderNotifySelect, {PointerWord(proc), PointerWord(userData)});
}

OSStatus AudioUnitRemoveRenderNotify(AudioUnit unit, AURenderCallback proc, void* userData) {
  return CallComponentSelector(unit, kAudioUnitRemoveRenderNotifySelect,
                               {PointerWord(proc), PointerWord(userData)});
}

OSStatus AudioUnitRender(AudioUnit unit, AudioUnitRenderActionFlags* ioActionFlags, const AudioTimeStamp* timeStamp,
                         UInt32 outputBus, UInt32 numberFrames, AudioBufferList* ioData) {
  return CallComponentSelector(unit, kAudioUnitRenderSelect,
                               {PointerWord(ioActionFlags), PointerWord(timeStamp), outputBus, numberFrames,
                                PointerWord(ioData)});
}

OSStatus AudioUnitScheduleParameters(AudioUnit unit, const AudioUnitParameterEvent* events, UInt32 count) {
  return CallComponentSelector(unit, kAudioUnitScheduleParametersSelect, {PointerWord(events), count});
}

OSStatus AudioUnitCarbonViewCreate(AudioUnitCarbonView view, AudioUnit unit, WindowRef window,
                                   ControlRef parentControl, const Float32Point* location, const Float32Point* size,
                                   ControlRef* outControl) {
  return CallComponentSelector(view, kAudioUnitCarbonViewCreateSelect,
                               {PointerWord(unit), PointerWord(window), PointerWord(parentControl),
                                PointerWord(location), PointerWord(size), PointerWord(outControl)});
}
