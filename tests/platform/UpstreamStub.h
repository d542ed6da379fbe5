#pragma once

#include "platform/standin/AUComponent.h"

// A bare upstream unit registered beside the fakes: it answers its output
// stream format and renders through the entry, but has no fast-dispatch
// procedures, so a unit connected to it has to pull with AudioUnitRender.
namespace upstream {

struct Stub {
  UInt32 channels = 2;
  float value = 0.5f;  // channel k renders value * (k + 1)
  OSStatus renderStatus = noErr;
  int renders = 0;
  float own[2][4096] = {};
};

extern const ComponentDescription kStubDescription;

void RegisterStub();
Stub* StubOf(AudioUnit unit);

}  // namespace upstream
