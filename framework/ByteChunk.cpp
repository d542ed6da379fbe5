#include "framework/ByteChunk.h"

int ByteChunk::PutBytes(const void* data, int size) {
  const int oldSize = Size();
  if (!data || size <= 0) return oldSize;
  if (size > 0x7FFFFFFF - oldSize) return oldSize;
  mBytes.Resize(oldSize + size, false);
  if (Size() != oldSize + size) return oldSize;
  std::memcpy(mBytes.Get() + oldSize, data, static_cast<std::size_t>(size));
  return Size();
}

int ByteChunk::PutChunk(const ByteChunk* chunk) {
  if (!chunk || chunk == this) return Size();
  return PutBytes(chunk->GetBytes(), chunk->Size());
}

int ByteChunk::GetBytes(void* dest, int size, int startPos) const {
  const int total = Size();
  if (!dest || size < 0 || startPos < 0 || startPos > total || total - startPos < size) return -1;
  if (size > 0) std::memcpy(dest, mBytes.Get() + startPos, static_cast<std::size_t>(size));
  return startPos + size;
}

int ByteChunk::PutStr(const char* text) {
  if (!text) text = "";
  const int length = static_cast<int>(std::strlen(text));
  Put(&length);
  return PutBytes(text, length);
}

int ByteChunk::GetStr(WDL_String* str, int startPos) const {
  int length = 0;
  const int pos = Get(&length, startPos);
  if (pos < 0 || length < 0 || length > Size() - pos) return -1;
  if (length >= 1 && str) str->Set(reinterpret_cast<const char*>(mBytes.Get() + pos), length);
  return pos + length;
}

int ByteChunk::Resize(int newSize) {
  mBytes.Resize(newSize, false);
  return Size();
}

void InitChunkWithIPlugVer(ByteChunk* chunk) {
  if (!chunk) return;
  chunk->Clear();
  chunk->Put(&kIPlugChunkMagic);
  chunk->Put(&kIPlugChunkVersion);
}

int GetIPlugVerFromChunk(const ByteChunk* chunk, int* pos) {
  if (!chunk || !pos) return 0;
  int magic = 0;
  const int afterMagic = chunk->Get(&magic, *pos);
  if (afterMagic < 0 || magic != kIPlugChunkMagic) return 0;
  int version = 0;
  *pos = chunk->Get(&version, afterMagic);
  return *pos < 0 ? 0 : version;
}
