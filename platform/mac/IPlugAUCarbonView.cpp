#include <new>

#include "platform/mac/IPlugAU.h"
#include "platform/standin/AudioUnitCarbonView.h"

// The Carbon view component. Its instance storage is this record; the unit's
// plug-in is found through the audio unit's own instance storage.

namespace {

struct CarbonViewRecord {
  ComponentInstance mViewInstance;
  IPlugAU* mPlug;
  // The unit the plug-in came from. A host may close the unit, and so delete
  // the plug-in, before the view: closing then leaves the plug-in alone.
  AudioUnit mAudioUnit;
};

IPlugGUI* LiveEditor(const CarbonViewRecord* record) {
  if (!record->mPlug) return nullptr;
  if (reinterpret_cast<IPlugAU*>(GetComponentInstanceStorage(record->mAudioUnit)) != record->mPlug) return nullptr;
  return record->mPlug->GetGUI();
}

}  // namespace

ComponentResult IPlugAU::IPlugAUCarbonViewEntry(ComponentParameters* params, void* storage) {
  if (!params) return badComponentSelector;
  CarbonViewRecord* record = static_cast<CarbonViewRecord*>(storage);
  switch (params->what) {
    case kComponentOpenSelect: {
      ComponentInstance view = reinterpret_cast<ComponentInstance>(params->params[0]);
      try {
        record = new CarbonViewRecord{view, nullptr, nullptr};
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
      void* window = reinterpret_cast<void*>(params->params[4]);
      void* parentControl = reinterpret_cast<void*>(params->params[3]);
      ControlRef* outControl = reinterpret_cast<ControlRef*>(params->params[0]);
      record->mAudioUnit = unit;
      record->mPlug = reinterpret_cast<IPlugAU*>(GetComponentInstanceStorage(unit));
      IPlugGUI* editor = record->mPlug ? record->mPlug->GetGUI() : nullptr;
      if (!editor) return badComponentSelector;
      // The location and size asked for are not used: the editor has its own.
      void* control = editor->OpenWindow(window, parentControl, 0, 0);
      if (outControl) *outControl = static_cast<ControlRef>(control);
      return noErr;
    }
    case kComponentCloseSelect:
      if (record) {
        if (IPlugGUI* editor = LiveEditor(record)) editor->CloseWindow();
        SetComponentInstanceStorage(record->mViewInstance, nullptr);
      }
      delete record;
      return noErr;
    default:
      return badComponentSelector;
  }
}
