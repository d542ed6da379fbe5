#pragma once

#include "framework/WDL_HeapBuf.h"

// A list of pointers in a WDL_HeapBuf. The list never owns its elements by
// itself: callers of Delete and Empty say whether the element goes with it.
template <class T>
class WDL_PtrList {
 public:
  using DeleteFunc = void (*)(void*);

  explicit WDL_PtrList(int granul = WDL_HeapBuf::kDefaultGranul) : mHB(granul) {}

  T** GetList() const { return static_cast<T**>(mHB.Get()); }
  int GetSize() const { return mHB.GetSize() / static_cast<int>(sizeof(T*)); }

  T* Get(int index) const {
    T** list = GetList();
    if (!list || index < 0 || index >= GetSize()) return nullptr;
    return list[index];
  }

  void Set(int index, T* item) {
    T** list = GetList();
    if (list && index >= 0 && index < GetSize()) list[index] = item;
  }

  // Returns the item, or null when the list could not grow (then unchanged).
  T* Add(T* item) {
    const int n = GetSize();
    if (!Grow(n)) return nullptr;
    GetList()[n] = item;
    return item;
  }

  T* Insert(int index, T* item) {
    const int n = GetSize();
    if (!Grow(n)) return nullptr;
    if (index < 0) index = 0;
    if (index > n) index = n;
    T** list = GetList();
    for (int i = n; i > index; --i) list[i] = list[i - 1];
    list[index] = item;
    return item;
  }

  void Delete(int index, bool wantDelete = false, DeleteFunc deleteFunc = nullptr) {
    const int n = GetSize();
    T** list = GetList();
    if (!list || index < 0 || index >= n) return;
    if (wantDelete) Dispose(list[index], deleteFunc);
    for (int i = index; i < n - 1; ++i) list[i] = list[i + 1];
    mHB.Resize((n - 1) * static_cast<int>(sizeof(T*)), false);
  }

  // Disposes from the last element to the first, so later elements may
  // still refer to earlier ones while they go.
  void Empty(bool wantDelete = false, DeleteFunc deleteFunc = nullptr) {
    if (wantDelete) {
      for (int i = GetSize() - 1; i >= 0; --i) {
        T* item = GetList()[i];
        if (item) Dispose(item, deleteFunc);
        mHB.Resize(i * static_cast<int>(sizeof(T*)), false);
      }
    }
    mHB.Resize(0, false);
  }

 private:
  bool Grow(int n) {
    const int bytes = (n + 1) * static_cast<int>(sizeof(T*));
    mHB.Resize(bytes, false);
    return mHB.GetSize() == bytes && mHB.Get();
  }

  static void Dispose(T* item, DeleteFunc deleteFunc) {
    if (deleteFunc) {
      deleteFunc(const_cast<void*>(static_cast<const void*>(item)));
    } else {
      delete item;
    }
  }

  WDL_HeapBuf mHB;
};
