#include <new>

#include "platform/mac/IPlugAU.h"
#include "platform/standin/AudioUnitCarbonView.h"

// The Carbon view component. Its instance storage is this record; the unit's
// plug-in is found through the audio unit's own instance storage.

namespace {

struct CarbonViewRecord {
  ComponentInstance mViewInstance;
  IPlugAU* mPlug;
};

}  // namespace

ComponentResult IPlugAU::IPlugAUCarbonViewEntry(ComponentParameters* params, void* storage) {
  if (!params) return badComponentSelector;
  CarbonViewRecord* record = static_cast<CarbonViewRecord*>(storage);
  switch (params->what) {
    case kComponentOpenSelect: {
      ComponentInstance view = reinterpret_cast<ComponentInstance>(params->params[0]);
      try {
        record = new CarbonViewRecord{view, nullptr};
      } catch (const std::bad_alloc&) {
        return kAudioUnitErr_FailedInitialization;
      }
      SetComponentInstanceStorage(view, reinterpret_cast<Handle>(record));
      return noErr;
    }
    case kAudioUnitCarbonViewCreateSelect: {
      if (!record) return badComponentSelector;
      // Words, last argument first: control out, size, location, parent control, window, audio unit.
      AudioUnit unit = reinterpret_cast<AudioUnit>(params->params[5]);
      record->mPlug = reinterpret_cast<IPlugAU*>(GetComponentInstanceStorage(unit));
      // Without a platform editor host in this build no Carbon window can open,
      // with or without an editor.
      return badComponentSelector;
    }
    case kComponentCloseSelect:
      if (record) SetComponentInstanceStorage(record->mViewInstance, nullptr);
      delete record;
      return noErr;
    default:
      return badComponentSelector;
  }
}
