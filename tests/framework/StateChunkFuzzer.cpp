#include <cstddef>
#include <cstdint>

#include "tests/framework/FuzzPlugs.h"

// Feeds arbitrary bytes to the state-chunk readers.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto plug = fwtest::MakeFuzzPlug(false);
  ByteChunk chunk;
  chunk.PutBytes(data, static_cast<int>(size));

  int pos = 0;
  GetIPlugVerFromChunk(&chunk, &pos);
  if (pos < 0) pos = 0;
  WDL_String text;
  chunk.GetStr(&text, pos);

  const int afterParams = plug->UnserializeParams(&chunk, pos);
  if (afterParams > chunk.Size()) __builtin_trap();
  plug->UnserializePresets(&chunk, 0);
  if (plug->NPresets() != fwtest::kFuzzSlots || !fwtest::ParamsSane(*plug) || !fwtest::PresetNamesAreText(*plug)) {
    __builtin_trap();
  }
  return 0;
}
