// Stands in for the platform's Carbon view component interface (AudioUnitCarbonView) on Linux.
#pragma once

#include "platform/standin/Components.h"

enum : OSType { kAudioUnitCarbonViewComponentType = FourCC("auvw") };

enum : SInt16 { kAudioUnitCarbonViewCreateSelect = 0x0301 };
