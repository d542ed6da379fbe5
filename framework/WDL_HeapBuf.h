#pragma once

// Growable byte buffer shared by every container of the framework. Growth is
// by half the size again (at least the granularity), large buffers are kept
// in whole pages, and a failed allocation leaves the old contents in place.
class WDL_HeapBuf {
 public:
  static constexpr int kDefaultGranul = 4096;

  explicit WDL_HeapBuf(int granul = kDefaultGranul);
  WDL_HeapBuf(const WDL_HeapBuf& other);
  WDL_HeapBuf& operator=(const WDL_HeapBuf& other);
  ~WDL_HeapBuf();

  // Sets the used size; returns the storage, or null for a size of 0. On
  // failure the size stays as it was, so callers compare GetSize() with what
  // they asked for.
  void* Resize(int newSize, bool mayShrink = true);

  // Null whenever the size is 0, even when storage is kept for later.
  void* Get() const { return mSize > 0 ? mBuf : nullptr; }
  int GetSize() const { return mSize; }
  int GetAllocated() const { return mAlloc; }
  void SetMinAllocSize(int bytes) { mMinAlloc = bytes; }

 private:
  void* mBuf = nullptr;
  int mGranul;
  int mAlloc = 0;
  int mSize = 0;
  int mMinAlloc = 0;
};
