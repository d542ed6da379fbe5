#pragma once

#include <atomic>

// A value that writers on other threads give to the editor's thread without
// a lock or an allocation: three slots, one being written, one being read and
// one between them that the two sides swap with. The reader always ends up
// with the newest value published; values published between two takes are
// skipped. Writers must not overlap one another (one thread, or a lock of
// their own), and only the editor's thread reads.
template <class T>
class HandOver {
 public:
  explicit HandOver(const T& initial = T()) : mSlots{initial, initial, initial} {}
  HandOver(const HandOver&) = delete;
  HandOver& operator=(const HandOver&) = delete;

  // Writer: fill the slot, then publish it.
  T& Back() { return mSlots[mBack]; }
  void Publish() { mBack = mMiddle.exchange(mBack | kFresh, std::memory_order_acq_rel) & kIndex; }

  // Reader: true when a newer value was published; Front() then holds it.
  bool Take() {
    if (!(mMiddle.load(std::memory_order_relaxed) & kFresh)) return false;
    mFront = mMiddle.exchange(mFront, std::memory_order_acq_rel) & kIndex;
    return true;
  }
  T& Front() { return mSlots[mFront]; }

 private:
  static constexpr int kIndex = 3;
  static constexpr int kFresh = 4;

  T mSlots[3];
  int mBack = 0;
  int mFront = 1;
  std::atomic<int> mMiddle{2};
};
