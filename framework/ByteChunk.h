#pragma once

#include <cstdint>
#include <cstring>

#include "framework/WDL_String.h"
#include "framework/WDL_TypedBuf.h"

// Growable byte buffer for serialised state. Values are appended in native
// byte order without padding; reads take a position and return the next one,
// or -1 when the value does not fit.
class ByteChunk {
 public:
  template <class T>
  int Put(const T* value) {
    return PutBytes(value, static_cast<int>(sizeof(T)));
  }

  template <class T>
  int Get(T* value, int startPos) const {
    const int size = Size();
    if (startPos < 0 || startPos > size || size - startPos < static_cast<int>(sizeof(T))) return -1;
    std::memcpy(value, mBytes.Get() + startPos, sizeof(T));
    return startPos + static_cast<int>(sizeof(T));
  }

  // int32 length, then the characters without terminator.
  int PutStr(const char* text);
  // A length of 0 leaves str as it was; a negative length or one that runs
  // past the data fails with -1.
  int GetStr(WDL_String* str, int startPos) const;

  // Returns the new size.
  int PutBytes(const void* data, int size);
  int PutChunk(const ByteChunk* chunk);
  // Copies size bytes at startPos; -1 and nothing copied when they do not fit.
  int GetBytes(void* dest, int size, int startPos) const;

  void Clear() { mBytes.Resize(0, false); }
  int Size() const { return mBytes.GetSize(); }
  // Returns the new size (the old one when growth failed).
  int Resize(int newSize);
  uint8_t* GetBytes() const { return mBytes.Get(); }

 private:
  WDL_TypedBuf<uint8_t> mBytes;
};

// The framework tag that program and bank files put in front of a state.
constexpr int kIPlugChunkMagic = 0x70666674;
constexpr int kIPlugChunkVersion = 0x00010000;

void InitChunkWithIPlugVer(ByteChunk* chunk);
// Returns the tagged version and moves pos past the tag; 0 and pos untouched
// when there is no tag, 0 and pos -1 when the version does not fit.
int GetIPlugVerFromChunk(const ByteChunk* chunk, int* pos);
