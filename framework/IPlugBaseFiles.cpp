#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "framework/Base64.h"
#include "framework/IPlugBase.h"
#include "framework/InputFile.h"
#include "framework/OutputFile.h"
#include "framework/TextCopy.h"

// Program (fxp) and bank (fxb) files in the big-endian "CcnK" container, and
// the source-text dumps of the current preset.

namespace {
constexpr int kNameFieldLen = 28;
constexpr int kProgramHeaderLen = 56;
constexpr int kBankHeaderLen = 156;
constexpr int kBankReservedLen = 124;
constexpr int kProgramFormatVersion = 1;
constexpr int kBankFormatVersion = 2;

constexpr int32_t FourCC(const char (&code)[5]) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
                              (static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
                              (static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
                              static_cast<uint32_t>(static_cast<unsigned char>(code[3])));
}
constexpr int32_t kChunkMagic = FourCC("CcnK");
constexpr int32_t kProgramMagic = FourCC("FxCk");
constexpr int32_t kProgramChunkMagic = FourCC("FPCh");
constexpr int32_t kBankMagic = FourCC("FxBk");
constexpr int32_t kBankChunkMagic = FourCC("FBCh");

void PutBE(ByteChunk* out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  const unsigned char bytes[4] = {static_cast<unsigned char>(v >> 24),
                                  static_cast<unsigned char>(v >> 16),
                                  static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
  out->PutBytes(bytes, 4);
}

void PutBEFloat(ByteChunk* out, float value) {
  int32_t bits;
  std::memcpy(&bits, &value, sizeof(bits));
  PutBE(out, bits);
}

void PutName(ByteChunk* out, const char* name) {
  char field[kNameFieldLen] = {};
  CopyText(field, name, sizeof(field));
  out->PutBytes(field, kNameFieldLen);
}

// Reads at a fixed offset; a field past the end reads as `fallback`, which
// then fails whatever check the caller makes.
int32_t GetBE(const ByteChunk& data, int pos, int32_t fallback = 0) {
  unsigned char bytes[4];
  if (data.GetBytes(bytes, 4, pos) < 0) return fallback;
  return static_cast<int32_t>((static_cast<uint32_t>(bytes[0]) << 24) |
                              (static_cast<uint32_t>(bytes[1]) << 16) |
                              (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3]);
}

float GetBEFloat(const ByteChunk& data, int pos) {
  const int32_t bits = GetBE(data, pos);
  float value;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}

void GetName(const ByteChunk& data, int pos, char* name) {
  std::memset(name, 0, kNameFieldLen + 1);
  data.GetBytes(name, kNameFieldLen, pos);
}

long long ProgramRecordLen(int nParams) { return kProgramHeaderLen + 4LL * nParams; }
}  // namespace

void IPlugBase::PutProgramRecord(ByteChunk* out, const char* name, const ByteChunk* state) {
  PutBE(out, kChunkMagic);
  PutBE(out, 0);
  PutBE(out, kProgramMagic);
  PutBE(out, kProgramFormatVersion);
  PutBE(out, mUniqueID);
  PutBE(out, GetEffectVersion(true));
  PutBE(out, NParams());
  PutName(out, name);
  for (int i = 0; i < NParams(); ++i) {
    IParam* param = GetParam(i);
    double value = param->Value();
    if (state && state->Get(&value, i * static_cast<int>(sizeof(double))) < 0) value = 0.0;
    PutBEFloat(out, static_cast<float>(param->GetNormalized(value)));
  }
}

bool IPlugBase::WriteWholeFile(const char* defaultFileName, const char* extension,
                               const ByteChunk& data) {
  if (!mGraphics) return false;
  WDL_String fileName(defaultFileName);
  mGraphics->PromptForFile(&fileName, kFileSave, &mPreviousPath, extension);
  if (!fileName.GetLength()) return false;
  OutputFile file;
  return file.open(fileName.Get()) && file.write(data.GetBytes(), static_cast<std::size_t>(data.Size())) &&
         file.commit();
}

bool IPlugBase::ReadWholeFile(const char* extension, ByteChunk* data) {
  if (!mGraphics) return false;
  WDL_String fileName;
  mGraphics->PromptForFile(&fileName, kFileOpen, &mPreviousPath, extension);
  if (!fileName.GetLength()) return false;
  InputFile input;
  std::string bytes;
  if (!input.readWhole(fileName.Get(), &bytes)) return false;
  const int size = static_cast<int>(bytes.size());
  return data->PutBytes(bytes.data(), size) == size;
}

bool IPlugBase::SaveProgramAsFXP(const char* defaultFileName) {
  if (!mGraphics) return false;
  ByteChunk image;
  const char* name = GetPresetName(mCurrentPresetIdx);
  if (DoesStateChunks()) {
    ByteChunk state;
    InitChunkWithIPlugVer(&state);
    SerializeState(&state);
    PutBE(&image, kChunkMagic);
    PutBE(&image, state.Size() + 60);
    PutBE(&image, kProgramChunkMagic);
    PutBE(&image, kProgramFormatVersion);
    PutBE(&image, mUniqueID);
    PutBE(&image, GetEffectVersion(true));
    PutBE(&image, NParams());
    PutName(&image, name);
    PutBE(&image, state.Size());
    image.PutChunk(&state);
  } else {
    PutProgramRecord(&image, name, nullptr);
  }
  return WriteWholeFile(defaultFileName, "fxp", image);
}

bool IPlugBase::SaveBankAsFXB(const char* defaultFileName) {
  if (!mGraphics) return false;
  ByteChunk image;
  ByteChunk state;
  if (DoesStateChunks()) {
    InitChunkWithIPlugVer(&state);
    SerializePresets(&state);
  }
  PutBE(&image, kChunkMagic);
  PutBE(&image, DoesStateChunks() ? state.Size() + 160 : 0);
  PutBE(&image, DoesStateChunks() ? kBankChunkMagic : kBankMagic);
  PutBE(&image, kBankFormatVersion);
  PutBE(&image, mUniqueID);
  PutBE(&image, GetEffectVersion(true));
  PutBE(&image, NPresets());
  PutBE(&image, mCurrentPresetIdx);
  const char reserved[kBankReservedLen] = {};
  image.PutBytes(reserved, kBankReservedLen);
  if (DoesStateChunks()) {
    PutBE(&image, state.Size());
    image.PutChunk(&state);
  } else {
    for (int i = 0; i < NPresets(); ++i) {
      const IPreset* preset = mPresets.Get(i);
      PutProgramRecord(&image, preset->mName, &preset->mChunk);
    }
  }
  return WriteWholeFile(defaultFileName, "fxb", image);
}

bool IPlugBase::LoadProgramFromFXP() {
  ByteChunk data;
  return ReadWholeFile("fxp", &data) && ApplyProgramFile(&data);
}

bool IPlugBase::LoadBankFromFXB() {
  ByteChunk data;
  return ReadWholeFile("fxb", &data) && ApplyBankFile(&data);
}

namespace {
// Start of the state in a chunk-form file, past the optional framework tag,
// or -1 when the declared state does not fit in the file or holds less than
// the running program writes.
int ChunkStateStart(const ByteChunk& data, int sizePos, int minStateSize) {
  const int32_t stateSize = GetBE(data, sizePos, -1);
  const long long stateStart = sizePos + 4LL;
  if (stateSize < 0 || stateStart + stateSize > data.Size()) return -1;
  int pos = static_cast<int>(stateStart);
  int tagged = pos;
  if (GetIPlugVerFromChunk(&data, &tagged) && tagged > 0) pos = tagged;
  if (stateStart + stateSize - pos < minStateSize) return -1;
  return pos;
}
}  // namespace

bool IPlugBase::ApplyProgramFile(ByteChunk* file) {
  const ByteChunk& data = *file;
  const int32_t programMagic = GetBE(data, 8);
  if (GetBE(data, 0) != kChunkMagic || GetBE(data, 12) != kProgramFormatVersion ||
      GetBE(data, 16) != mUniqueID || GetBE(data, 24, -1) != NParams()) {
    return false;
  }
  char name[kNameFieldLen + 1];
  GetName(data, 28, name);
  ParamSetScope set(this);

  if (DoesStateChunks() && programMagic == kProgramChunkMagic) {
    const int pos = ChunkStateStart(data, kProgramHeaderLen, SerializedStateSize());
    if (pos < 0) return false;
    UnserializeState(file, pos);
    StorePresetState(mCurrentPresetIdx, name);
  } else if (programMagic == kProgramMagic) {
    if (data.Size() < ProgramRecordLen(NParams())) return false;
    for (int i = 0; i < NParams(); ++i) {
      GetParam(i)->SetNormalized(GetBEFloat(data, kProgramHeaderLen + 4 * i));
    }
    StorePresetState(mCurrentPresetIdx, name);
    // Without a slot to restore, the new values still have to reach the sound.
    if (!RestorePreset(mCurrentPresetIdx)) OnParamReset();
  } else {
    return false;
  }
  InformHostOfProgramChange();
  return true;
}

namespace {
// Walks a preset list without applying it: every record must be complete,
// each initialised one followed by a state of stateSize bytes.
bool PresetListFits(const ByteChunk& data, int pos, int nSlots, int stateSize) {
  WDL_String name;
  for (int i = 0; i < nSlots; ++i) {
    pos = data.GetStr(&name, pos);
    unsigned char initialized = 0;
    if (pos >= 0) pos = data.Get(&initialized, pos);
    if (pos < 0) return false;
    if (initialized) {
      if (data.Size() - pos < stateSize) return false;
      pos += stateSize;
    }
  }
  return true;
}

bool ProgramRecordValid(const ByteChunk& data, long long start, int nParams) {
  if (start + ProgramRecordLen(nParams) > data.Size()) return false;
  const int at = static_cast<int>(start);
  return GetBE(data, at) == kChunkMagic && GetBE(data, at + 8) == kProgramMagic &&
         GetBE(data, at + 12) == kProgramFormatVersion && GetBE(data, at + 24, -1) == nParams;
}
}  // namespace

bool IPlugBase::ApplyBankFile(ByteChunk* file) {
  const ByteChunk& data = *file;
  const int32_t bankMagic = GetBE(data, 8);
  if (GetBE(data, 0) != kChunkMagic || GetBE(data, 16) != mUniqueID) return false;
  const int32_t nPrograms = GetBE(data, 24);
  const int32_t currentProgram = GetBE(data, 28);

  if (DoesStateChunks() && bankMagic == kBankChunkMagic) {
    const int pos = ChunkStateStart(data, kBankHeaderLen, 0);
    if (pos < 0 || !PresetListFits(data, pos, NPresets(), SerializedStateSize())) return false;
    UnserializePresets(file, pos);
    InformHostOfProgramChange();
    return true;
  }
  if (bankMagic != kBankMagic) return false;

  const long long recordLen = ProgramRecordLen(NParams());
  for (int i = 0; i < nPrograms; ++i) {
    if (!ProgramRecordValid(data, kBankHeaderLen + i * recordLen, NParams())) return false;
  }
  // Each program passes through the parameters; only the current one is heard.
  ParamSetScope set(this);
  const int previousPreset = mCurrentPresetIdx;
  // Programs beyond the slots have nowhere to go.
  const int nApplied = nPrograms < NPresets() ? nPrograms : NPresets();
  for (int i = 0; i < nApplied; ++i) {
    const int start = static_cast<int>(kBankHeaderLen + i * recordLen);
    char name[kNameFieldLen + 1];
    GetName(data, start + 28, name);
    RestorePreset(i);
    for (int p = 0; p < NParams(); ++p) {
      GetParam(p)->SetNormalized(GetBEFloat(data, start + kProgramHeaderLen + 4 * p));
    }
    StorePresetState(i, name);
  }
  const bool validCurrent = currentProgram >= 0 && currentProgram < NPresets();
  if (!RestorePreset(validCurrent ? currentProgram : previousPreset)) OnParamReset();
  InformHostOfProgramChange();
  return true;
}

bool IPlugBase::DumpPresetSrcCode(const char* fileName, const char** paramEnumNames) {
  if (!fileName || !paramEnumNames) return false;
  OutputFile file;
  if (!file.open(fileName)) return false;
  file.print("  MakePresetFromNamedParams(\"name\", %d", NParams());
  for (int i = 0; i < NParams(); ++i) {
    const IParam* param = GetParam(i);
    char value[MAX_PARAM_DISPLAY_LEN * 2];
    switch (param->Type()) {
      case IParam::kTypeBool:
        std::snprintf(value, sizeof(value), "%s", param->Value() >= 0.5 ? "true" : "false");
        break;
      case IParam::kTypeInt:
      case IParam::kTypeEnum:
        std::snprintf(value, sizeof(value), "%d", param->Int());
        break;
      default:
        std::snprintf(value, sizeof(value), "%.6f", param->Value());
        break;
    }
    const char* enumName = paramEnumNames[i] ? paramEnumNames[i] : "";
    file.print(",\n    %s, %s", enumName, value);
  }
  file.print(");\n");
  return file.commit();
}

bool IPlugBase::DumpPresetBlob(const char* fileName) {
  const IPreset* preset = mPresets.Get(mCurrentPresetIdx);
  if (!fileName || !preset) return false;
  OutputFile file;
  if (!file.open(fileName)) return false;
  file.print("MakePresetFromBlob(\"name\", \"");
  Base64Write(file, preset->mChunk.GetBytes(), preset->mChunk.Size());
  file.print("\", %d);\n", preset->mChunk.Size());
  return file.commit();
}
