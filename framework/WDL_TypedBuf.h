#pragma once

#include <climits>
#include <cstring>

#include "framework/WDL_HeapBuf.h"

// A WDL_HeapBuf seen as an array of T; sizes are counted in elements.
template <class T>
class WDL_TypedBuf {
 public:
  explicit WDL_TypedBuf(int granul = WDL_HeapBuf::kDefaultGranul) : mHB(granul) {}

  T* Resize(int count, bool mayShrink = true) {
    if (count < 0 || static_cast<long long>(count) * sizeof(T) > INT_MAX) return Get();
    return static_cast<T*>(mHB.Resize(count * static_cast<int>(sizeof(T)), mayShrink));
  }
  T* Get() const { return static_cast<T*>(mHB.Get()); }
  int GetSize() const { return mHB.GetSize() / static_cast<int>(sizeof(T)); }

  // Appends one element; null when the buffer could not grow.
  T* Add(const T& value) {
    const int n = GetSize();
    Resize(n + 1, false);
    if (GetSize() != n + 1) return nullptr;
    T* slot = Get() + n;
    std::memcpy(static_cast<void*>(slot), &value, sizeof(T));
    return slot;
  }

 private:
  WDL_HeapBuf mHB;
};
