#pragma once

#include "framework/ByteChunk.h"

constexpr int MAX_PRESET_NAME_LEN = 256;

// One preset slot; it stays free until it is first filled.
struct IPreset {
  bool mInitialized = false;
  char mName[MAX_PRESET_NAME_LEN] = "empty";
  ByteChunk mChunk;
};
