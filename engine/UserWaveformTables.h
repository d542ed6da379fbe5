#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace Quillvane {

// The fifteen user tables that every waveform provider in the process plays:
// at first the compiled-in tables, each replaced whole when a waveform is
// loaded into it. A provider holds the tables it took at its last block
// start until it takes them again, so no one reads a table while it is being
// written; a replaced table is freed once no provider holds it.
class UserWaveformTables {
 public:
  static constexpr int kNumTables = 15;
  static constexpr int kTableSize = 4096;

  // Any thread but a render thread (it locks and allocates): a copy of the
  // kTableSize values becomes table k, 0 to 14.
  static void replace(int k, const double* values);

  // The tables one provider reads.
  class Holder {
   public:
    // Registers and takes the tables as they are.
    Holder();
    ~Holder();
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

    // Whether a table was replaced since this holder last took them.
    bool changed() const;
    // Takes the tables as they are now, without a lock or an allocation.
    void take();
    const double* table(int k) const { return mHeld[k].load(std::memory_order_relaxed); }
    // Whether this holder holds the table, for freeing.
    bool holds(const double* table) const;

   private:
    std::array<std::atomic<const double*>, kNumTables> mHeld{};
    uint64_t mTakenGeneration = 0;
  };
};

}  // namespace Quillvane
