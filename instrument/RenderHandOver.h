#pragma once

#include <atomic>
#include <cstdint>

// Hand-overs from the threads that change the instrument (host calls, the
// editor) to the render thread, which applies them at the start of a block.
// Neither side waits, locks or allocates.

// The latest value of each of N parameters. Changes posted between two blocks
// reach the render thread together: each parameter once, with its latest
// value, in index order.
template <int N>
class ParameterHandOver {
 public:
  // Any thread.
  void post(int index, double value) {
    if (index < 0 || index >= N) return;
    mValues[index].store(value, std::memory_order_relaxed);
    mChanged[index / 64].fetch_or(uint64_t{1} << (index % 64), std::memory_order_release);
  }

  // Render thread: apply(index, value) for every parameter posted since the
  // last call.
  template <class Apply>
  void take(Apply apply) {
    for (int word = 0; word < kWords; ++word) {
      if (mChanged[word].load(std::memory_order_relaxed) == 0) continue;
      for (uint64_t bits = mChanged[word].exchange(0, std::memory_order_acquire); bits != 0; bits &= bits - 1) {
        const int index = word * 64 + __builtin_ctzll(bits);
        apply(index, mValues[index].load(std::memory_order_relaxed));
      }
    }
  }

 private:
  static constexpr int kWords = (N + 63) / 64;
  std::atomic<double> mValues[N] = {};
  std::atomic<uint64_t> mChanged[kWords] = {};
};

// A fixed ring of N items (N a power of two) from one producer to the render
// thread. Producers that share it must be serialised, as the plug-in mutex
// serialises every host and editor call.
template <class T, int N>
class HandOverRing {
  static_assert(N > 0 && (N & (N - 1)) == 0, "the ring size is a power of two");

 public:
  // False, and the item dropped, while the ring is full.
  bool push(const T& item) {
    const uint32_t tail = mTail.load(std::memory_order_relaxed);
    if (tail - mHead.load(std::memory_order_acquire) == static_cast<uint32_t>(N)) return false;
    mItems[tail % N] = item;
    mTail.store(tail + 1, std::memory_order_release);
    return true;
  }

  // Render thread: take(item) for every item pushed so far, oldest first.
  template <class Take>
  void takeAll(Take take) {
    const uint32_t tail = mTail.load(std::memory_order_acquire);
    uint32_t head = mHead.load(std::memory_order_relaxed);
    for (; head != tail; ++head) take(mItems[head % N]);
    mHead.store(head, std::memory_order_release);
  }

 private:
  T mItems[N] = {};
  std::atomic<uint32_t> mHead{0};
  std::atomic<uint32_t> mTail{0};
};
