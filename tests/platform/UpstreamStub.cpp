#include "tests/platform/UpstreamStub.h"

#include <cstring>
#include <mutex>

#include "platform/standin/AudioUnitProperties.h"

namespace upstream {

const ComponentDescription kStubDescription = {FourCC("aufx"), FourCC("upst"), FourCC("Test"), 0, 0};

namespace {

ComponentResult StubEntry(ComponentParameters* params, void* storage) {
  Stub* stub = static_cast<Stub*>(storage);
  switch (params->what) {
    case kComponentOpenSelect:
      SetComponentInstanceStorage(reinterpret_cast<ComponentInstance>(params->params[0]),
                                  reinterpret_cast<Handle>(new Stub()));
      return noErr;
    case kComponentCloseSelect:
      delete stub;
      return noErr;
    case kAudioUnitGetPropertySelect: {
      const AudioUnitPropertyID id = static_cast<AudioUnitPropertyID>(params->params[4]);
      if (id != kAudioUnitProperty_StreamFormat) return kAudioUnitErr_InvalidProperty;
      AudioStreamBasicDescription format = {44100.0, kAudioFormatLinearPCM, 41, 4, 1, 4, stub->channels, 32, 0};
      std::memcpy(reinterpret_cast<void*>(params->params[1]), &format, sizeof(format));
      return noErr;
    }
    case kAudioUnitRenderSelect: {
      ++stub->renders;
      if (stub->renderStatus != noErr) return stub->renderStatus;
      AudioBufferList* list = reinterpret_cast<AudioBufferList*>(params->params[0]);
      const UInt32 frames = static_cast<UInt32>(params->params[1]);
      for (UInt32 k = 0; k < list->mNumberBuffers && k < 2; ++k) {
        if (!list->mBuffers[k].mData) list->mBuffers[k].mData = stub->own[k];
        float* samples = static_cast<float*>(list->mBuffers[k].mData);
        for (UInt32 i = 0; i < frames; ++i) samples[i] = stub->value * (k + 1);
      }
      return noErr;
    }
    default:
      return badComponentSelector;
  }
}

}  // namespace

void RegisterStub() {
  static std::once_flag registered;
  std::call_once(registered, [] { standin::RegisterComponent(kStubDescription, StubEntry); });
}

Stub* StubOf(AudioUnit unit) { return reinterpret_cast<Stub*>(GetComponentInstanceStorage(unit)); }

}  // namespace upstream
