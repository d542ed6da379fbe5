#pragma once

#include <memory>

#include "tests/framework/TestHostPlug.h"
#include "tests/support/Utf8Check.h"

namespace fwtest {

constexpr int kFuzzSlots = 8;

// The plug-ins the fuzzers feed and the seed files are made with: the
// instrument's 105 unit parameters (one shaped) and a few filled slots.
inline std::unique_ptr<TestHostPlug> MakeFuzzPlug(bool stateChunks) {
  auto plug = std::make_unique<TestHostPlug>(105, "0-1 0-2", kFuzzSlots, stateChunks);
  plug->mRecordParamChanges = false;
  plug->InitUnitParams(0.5);
  plug->GetParam(81)->SetShape(4.0);
  for (int s = 0; s < kFuzzSlots; ++s) {
    for (int i = 0; i < plug->NParams(); ++i) plug->GetParam(i)->Set(((s * 13 + i) % 17) / 16.0);
    const char* names[] = {"#BASIC#", "Kick", "", "A rather long preset name beyond 27"};
    plug->MakeDefaultPreset(names[s % 4], 1);
  }
  plug->RestorePreset(1);
  return plug;
}

// Every parameter must hold a finite value inside its range.
inline bool ParamsSane(const IPlugBase& plug) {
  for (int i = 0; i < plug.NParams(); ++i) {
    const IParam* p = plug.GetParam(i);
    if (!(p->Value() >= p->GetMin() && p->Value() <= p->GetMax())) return false;
  }
  return true;
}

// Every slot's name must be one a host can take, whatever bytes came in.
inline bool PresetNamesAreText(const IPlugBase& plug) {
  for (int i = 0; i < plug.NPresets(); ++i) {
    if (!testsupport::IsUtf8(plug.GetPresetName(i))) return false;
  }
  return true;
}

}  // namespace fwtest
