#pragma once

#include "platform/standin/AUComponent.h"
#include "platform/standin/AudioUnitCarbonView.h"

extern "C" {
// The exported component entries of the unit and of its Carbon view.
ComponentResult Thudrokka_Entry(ComponentParameters* params, void* storage);
ComponentResult Thudrokka_ViewEntry(ComponentParameters* params, void* storage);
}

// The registered descriptions; on Linux they take the place of the bundle's
// component resources.
constexpr ComponentDescription kThudrokkaComponentDescription = {kAudioUnitType_MusicDevice, FourCC("3bti"),
                                                                  FourCC("QuVa"), 0, 0};
constexpr ComponentDescription kThudrokkaViewComponentDescription = {kAudioUnitCarbonViewComponentType, FourCC("3bti"),
                                                                      FourCC("QuVa"), 0, 0};

// Makes both entries known to the Component Manager and the Cocoa view
// factory class known by its name, once per process.
void RegisterThudrokkaComponents();
