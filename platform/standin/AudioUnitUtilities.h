// Stands in for the platform's Audio Unit utilities interface (AudioUnitUtilities) on Linux.
#pragma once

#include "platform/standin/AUComponent.h"

typedef UInt32 AudioUnitEventType;
enum : AudioUnitEventType {
  kAudioUnitEvent_ParameterValueChange = 0,
  kAudioUnitEvent_BeginParameterChangeGesture = 1,
  kAudioUnitEvent_EndParameterChangeGesture = 2,
};

struct AudioUnitParameter {
  AudioUnit mAudioUnit;
  AudioUnitParameterID mParameterID;
  AudioUnitScope mScope;
  AudioUnitElement mElement;
};

struct AudioUnitEvent {
  AudioUnitEventType mEventType;
  union {
    AudioUnitParameter mParameter;
  } mArgument;
};

typedef struct StandinAUEventListener* AUEventListenerRef;

OSStatus AUEventListenerNotify(AUEventListenerRef sendingListener, void* sendingObject, const AudioUnitEvent* event);

namespace standin {

// Hosts watch parameter events through sinks; every sink sees every event.
typedef void (*AUEventSink)(void* userData, const AudioUnitEvent& event);
void AddAUEventSink(AUEventSink sink, void* userData);
void RemoveAUEventSink(AUEventSink sink, void* userData);

}  // namespace standin
