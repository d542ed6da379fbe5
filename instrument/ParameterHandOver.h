#pragma once

#include <atomic>
#include <cstdint>

// The latest value of each of N parameters, from the threads that change
// them (host calls and the editor, one at a time: the plug-in mutex
// serialises them) to the render thread, which takes them at the start of
// a block. Changes posted between two blocks reach it together: each
// parameter once, with its latest value, in index order.
//
// A set (a preset, a state, a program) is gathered while it is open and
// reaches the render thread whole, at one block start: the render thread
// never plays part of it with part of what it replaces. Closing a set
// publishes it under a sequence count that is odd while it is written; a
// block start that overlaps the writing puts back what it took and takes
// all of it at the next block, with the latest values then. The render
// thread learns whether what it took holds a set.
//
// A reset leaves it alone: parameters changed before a reset still apply.
template <int N>
class ParameterHandOver {
 public:
  void post(int index, double value) {
    if (index < 0 || index >= N) return;
    if (mSetOpen) {
      mSetValues[index] = value;
      mSetChanged[index / 64] |= uint64_t{1} << (index % 64);
      return;
    }
    mValues[index].store(value, std::memory_order_release);
    mChanged[index / 64].fetch_or(uint64_t{1} << (index % 64), std::memory_order_release);
  }

  // What is posted from openSet to closeSet is one set.
  void openSet() { mSetOpen = true; }
  void closeSet() {
    mSetOpen = false;
    const uint32_t sequence = mSetSequence.load(std::memory_order_relaxed);
    mSetSequence.store(sequence + 1, std::memory_order_relaxed);
    forEach(mSetChanged, [this](int index) { mValues[index].store(mSetValues[index], std::memory_order_release); });
    bool any = false;
    for (int word = 0; word < kWords; ++word) {
      if (mSetChanged[word] != 0) mChanged[word].fetch_or(mSetChanged[word], std::memory_order_release);
      any = any || mSetChanged[word] != 0;
      mSetChanged[word] = 0;
    }
    if (any) mSetWaiting.store(true, std::memory_order_relaxed);
    mSetSequence.store(sequence + 2, std::memory_order_release);
  }

  // Render thread: apply(index, value) for every parameter posted since the
  // last call, unless a set is being published right now. True when what
  // it applied holds a whole set.
  template <class Apply>
  bool take(Apply apply) {
    const uint32_t sequence = mSetSequence.load(std::memory_order_acquire);
    if (sequence & 1) return false;
    uint64_t taken[kWords] = {};
    bool any = false;
    for (int word = 0; word < kWords; ++word) {
      if (mChanged[word].load(std::memory_order_relaxed) == 0) continue;
      taken[word] = mChanged[word].exchange(0, std::memory_order_acquire);
      any = any || taken[word] != 0;
    }
    if (!any) return false;
    double values[N];
    forEach(taken, [&](int index) { values[index] = mValues[index].load(std::memory_order_acquire); });
    const bool set = mSetWaiting.exchange(false, std::memory_order_acquire);
    // The acquiring loads above keep this one after them.
    if (mSetSequence.load(std::memory_order_relaxed) != sequence) {
      for (int word = 0; word < kWords; ++word) {
        if (taken[word] != 0) mChanged[word].fetch_or(taken[word], std::memory_order_relaxed);
      }
      if (set) mSetWaiting.store(true, std::memory_order_relaxed);
      return false;
    }
    forEach(taken, [&](int index) { apply(index, values[index]); });
    return set;
  }

 private:
  static constexpr int kWords = (N + 63) / 64;

  template <class Each>
  static void forEach(const uint64_t (&bits)[kWords], Each each) {
    for (int word = 0; word < kWords; ++word) {
      for (uint64_t rest = bits[word]; rest != 0; rest &= rest - 1) each(word * 64 + __builtin_ctzll(rest));
    }
  }

  std::atomic<double> mValues[N] = {};
  std::atomic<uint64_t> mChanged[kWords] = {};
  std::atomic<uint32_t> mSetSequence{0};
  // A set was published since the render thread last took one.
  std::atomic<bool> mSetWaiting{false};
  // The open set, on the posting threads only.
  bool mSetOpen = false;
  double mSetValues[N] = {};
  uint64_t mSetChanged[kWords] = {};
};
