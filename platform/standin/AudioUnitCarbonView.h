// Stands in for the platform's Carbon view component interface (AudioUnitCarbonView) on Linux.
#pragma once

#include "platform/standin/AUComponent.h"

struct OpaqueWindowPtr;
typedef OpaqueWindowPtr* WindowRef;
struct OpaqueControlRef;
typedef OpaqueControlRef* ControlRef;

typedef ComponentInstance AudioUnitCarbonView;

struct Float32Point {
  Float32 x, y;
};

enum : OSType { kAudioUnitCarbonViewComponentType = FourCC("auvw") };

enum : SInt16 { kAudioUnitCarbonViewCreateSelect = 0x0301 };

// Asks the view component to show the unit's editor in the window, inside
// the parent control; the control made comes back in outControl.
OSStatus AudioUnitCarbonViewCreate(AudioUnitCarbonView view, AudioUnit unit, WindowRef window,
                                   ControlRef parentControl, const Float32Point* location, const Float32Point* size,
                                   ControlRef* outControl);
