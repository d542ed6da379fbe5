#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "framework/Base64.h"
#include "framework/IPlugBase.h"
#include "framework/TextCopy.h"

namespace {
constexpr const char* kUserPresetName = "user preset";
// Marks a parameter that a named-parameter preset leaves at its current value.
constexpr double kUnsetParamMarker = 9.999e-08;
}  // namespace

IPreset* GetNextUninitializedPreset(WDL_PtrList<IPreset>* presets) {
  if (!presets) return nullptr;
  for (int i = 0; i < presets->GetSize(); ++i) {
    IPreset* preset = presets->Get(i);
    if (!preset->mInitialized) return preset;
  }
  return nullptr;
}

void MakeDefaultUserPresetName(WDL_PtrList<IPreset>* presets, char* name) {
  if (!presets || !name) return;
  int count = 0;
  for (int i = 0; i < presets->GetSize(); ++i) {
    if (std::strstr(presets->Get(i)->mName, kUserPresetName)) ++count;
  }
  std::snprintf(name, MAX_PRESET_NAME_LEN, "%s %d", kUserPresetName, count + 1);
}

IPreset* IPlugBase::TakeFreePreset(const char* name) {
  IPreset* preset = GetNextUninitializedPreset(&mPresets);
  if (!preset) return nullptr;
  preset->mInitialized = true;
  CopyValidText(preset->mName, name, sizeof(preset->mName));
  // Whatever a slot held before it became free is gone.
  preset->mChunk.Clear();
  return preset;
}

bool IPlugBase::SerializeParams(ByteChunk* chunk) {
  WDL_MutexLock lock(&mMutex);
  for (int i = 0; i < NParams(); ++i) {
    const double value = GetParam(i)->Value();
    chunk->Put(&value);
  }
  return true;
}

int IPlugBase::UnserializeParams(ByteChunk* chunk, int startPos) {
  WDL_MutexLock lock(&mMutex);
  int pos = startPos;
  for (int i = 0; i < NParams() && pos >= 0; ++i) {
    IParam* param = GetParam(i);
    double value = 0.0;
    pos = chunk ? chunk->Get(&value, pos) : -1;
    if (pos < 0) value = 0.0;
    // A stored NaN or infinity is refused: the parameter keeps its value.
    param->Set(value);
  }
  OnParamReset();
  return pos;
}

void IPlugBase::MakePreset(const char* name, ...) {
  IPreset* preset = TakeFreePreset(name);
  if (!preset) return;
  va_list values;
  va_start(values, name);
  for (int i = 0; i < NParams(); ++i) {
    const IParam::EParamType type = GetParam(i)->Type();
    double value;
    if (type == IParam::kTypeBool || type == IParam::kTypeInt || type == IParam::kTypeEnum) {
      value = static_cast<double>(va_arg(values, int));
    } else {
      value = va_arg(values, double);
    }
    preset->mChunk.Put(&value);
  }
  va_end(values);
}

void IPlugBase::MakePresetFromNamedParams(const char* name, int count, ...) {
  IPreset* preset = TakeFreePreset(name);
  if (!preset) return;

  const int n = NParams();
  WDL_TypedBuf<double> values;
  values.Resize(n);
  if (values.GetSize() != n) return;
  for (int i = 0; i < n; ++i) values.Get()[i] = kUnsetParamMarker;

  va_list args;
  va_start(args, count);
  for (int k = 0; k < count; ++k) {
    const int paramIdx = va_arg(args, int);
    IParam* param = GetParam(paramIdx);
    const IParam::EParamType type = param ? param->Type() : IParam::kTypeDouble;
    double value;
    if (type == IParam::kTypeBool || type == IParam::kTypeInt || type == IParam::kTypeEnum) {
      value = static_cast<double>(va_arg(args, int));
    } else {
      value = va_arg(args, double);
    }
    if (param) values.Get()[paramIdx] = value;
  }
  va_end(args);

  for (int i = 0; i < n; ++i) {
    double value = values.Get()[i];
    if (value == kUnsetParamMarker) value = GetParam(i)->Value();
    preset->mChunk.Put(&value);
  }
}

void IPlugBase::MakePresetFromChunk(const char* name, ByteChunk* chunk) {
  IPreset* preset = TakeFreePreset(name);
  if (!preset) return;
  preset->mChunk.PutChunk(chunk);
}

void IPlugBase::MakePresetFromBlob(const char* name, const char* blob, int size) {
  if (size < 0) return;
  ByteChunk decoded;
  if (decoded.Resize(size) != size) return;
  Base64Decode(blob, decoded.GetBytes(), size);
  MakePresetFromChunk(name, &decoded);
}

void IPlugBase::MakeDefaultPreset(const char* name, int count) {
  for (int i = 0; i < count; ++i) {
    IPreset* preset = TakeFreePreset(name ? name : "Empty");
    if (!preset) return;
    SerializeState(&preset->mChunk);
  }
}

void IPlugBase::EnsureDefaultPreset() { MakeDefaultPreset("Empty", NPresets()); }

void IPlugBase::PruneUninitializedPresets() {
  for (int i = 0; i < mPresets.GetSize();) {
    if (mPresets.Get(i)->mInitialized) {
      ++i;
    } else {
      mPresets.Delete(i, true);
    }
  }
}

bool IPlugBase::RestorePreset(int idx) {
  IPreset* preset = mPresets.Get(idx);
  if (!preset) return false;
  ParamSetScope set(this);
  if (!preset->mInitialized) {
    preset->mInitialized = true;
    MakeDefaultUserPresetName(&mPresets, preset->mName);
    preset->mChunk.Clear();
    if (!SerializeState(&preset->mChunk)) return false;
  } else if (UnserializeState(&preset->mChunk, 0) < 1) {
    return false;
  }
  mCurrentPresetIdx = idx;
  PresetsChangedByHost();
  RedrawParamControls();
  return true;
}

bool IPlugBase::RestorePreset(const char* name) {
  if (!name || !name[0]) return false;
  for (int i = 0; i < NPresets(); ++i) {
    if (!std::strcmp(mPresets.Get(i)->mName, name)) return RestorePreset(i);
  }
  return false;
}

const char* IPlugBase::GetPresetName(int idx) const {
  const IPreset* preset = mPresets.Get(idx);
  return preset ? preset->mName : "";
}

void IPlugBase::StorePresetState(int idx, const char* name) {
  IPreset* preset = mPresets.Get(idx);
  if (!preset) return;
  preset->mChunk.Clear();
  SerializeState(&preset->mChunk);
  if (name && name[0]) CopyValidText(preset->mName, name, sizeof(preset->mName));
}

void IPlugBase::ModifyCurrentPreset(const char* name) { StorePresetState(mCurrentPresetIdx, name); }

bool IPlugBase::SerializePresets(ByteChunk* chunk) {
  for (int i = 0; i < NPresets(); ++i) {
    const IPreset* preset = mPresets.Get(i);
    chunk->PutStr(preset->mName);
    const unsigned char initialized = preset->mInitialized ? 1 : 0;
    chunk->Put(&initialized);
    if (preset->mInitialized) chunk->PutChunk(&preset->mChunk);
  }
  return true;
}

int IPlugBase::UnserializePresets(ByteChunk* chunk, int startPos) {
  // Each slot's state passes through the parameters; only the restored one is heard.
  ParamSetScope set(this);
  WDL_String name;
  int pos = startPos;
  for (int i = 0; i < NPresets() && pos >= 0; ++i) {
    IPreset* preset = mPresets.Get(i);
    // A record without a name repeats the previous record's name.
    pos = chunk->GetStr(&name, pos);
    CopyValidText(preset->mName, name.Get(), sizeof(preset->mName));
    unsigned char initialized = 0;
    pos = chunk->Get(&initialized, pos);
    if (pos >= 0) preset->mInitialized = initialized != 0;
    if (!preset->mInitialized) preset->mChunk.Clear();
    if (pos >= 0 && preset->mInitialized) {
      pos = UnserializeState(chunk, pos);
      if (pos > 0) {
        preset->mChunk.Clear();
        SerializeState(&preset->mChunk);
      }
    }
  }
  RestorePreset(mCurrentPresetIdx);
  return pos;
}

int IPlugBase::SerializedStateSize() {
  ByteChunk state;
  SerializeState(&state);
  return state.Size();
}
