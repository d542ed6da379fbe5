#include "engine/UserWaveformTables.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/UserWaveforms.h"

namespace Quillvane {

namespace {

using Holder = UserWaveformTables::Holder;
constexpr int kNumTables = UserWaveformTables::kNumTables;

// A holder publishes the table it is about to read, then checks that it is
// still the installed one; a replacer installs the new table, then looks at
// what the holders publish. Both in one order, so a table no holder
// publishes after it was replaced is read by no one.
struct Shared {
  // Replacing, and holders coming and going.
  std::mutex mutex;
  std::array<std::atomic<const double*>, kNumTables> current{};
  std::atomic<uint64_t> generation{0};
  // The loaded tables installed now; null where the compiled-in one is.
  std::array<std::unique_ptr<double[]>, kNumTables> owned;
  // Replaced tables that a holder may still read.
  std::vector<std::unique_ptr<double[]>> retired;
  std::vector<const Holder*> holders;

  Shared() {
    for (int k = 0; k < kNumTables; ++k) current[k].store(gQvUserWaveforms[k], std::memory_order_relaxed);
  }

  // Under the mutex.
  void freeUnheld() {
    retired.erase(std::remove_if(retired.begin(), retired.end(),
                                 [this](const std::unique_ptr<double[]>& table) {
                                   return std::none_of(holders.begin(), holders.end(), [&](const Holder* holder) {
                                     return holder->holds(table.get());
                                   });
                                 }),
                  retired.end());
  }
};

// Never destroyed: a provider may outlive the statics of its process.
Shared& shared() {
  static Shared* tables = new Shared;
  return *tables;
}

}  // namespace

void UserWaveformTables::replace(int k, const double* values) {
  if (k < 0 || k >= kNumTables || values == nullptr) return;
  std::unique_ptr<double[]> table(new double[kTableSize]);
  std::copy(values, values + kTableSize, table.get());
  Shared& s = shared();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.current[k].store(table.get(), std::memory_order_seq_cst);
  s.generation.fetch_add(1, std::memory_order_release);
  if (s.owned[k]) s.retired.push_back(std::move(s.owned[k]));
  s.owned[k] = std::move(table);
  s.freeUnheld();
}

UserWaveformTables::Holder::Holder() {
  Shared& s = shared();
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    s.holders.push_back(this);
  }
  take();
}

UserWaveformTables::Holder::~Holder() {
  Shared& s = shared();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.holders.erase(std::find(s.holders.begin(), s.holders.end(), this));
  s.freeUnheld();
}

bool UserWaveformTables::Holder::changed() const {
  return shared().generation.load(std::memory_order_acquire) != mTakenGeneration;
}

void UserWaveformTables::Holder::take() {
  Shared& s = shared();
  mTakenGeneration = s.generation.load(std::memory_order_acquire);
  for (int k = 0; k < kNumTables; ++k) {
    const double* table = s.current[k].load(std::memory_order_seq_cst);
    for (;;) {
      mHeld[k].store(table, std::memory_order_seq_cst);
      const double* installed = s.current[k].load(std::memory_order_seq_cst);
      if (installed == table) break;
      table = installed;
    }
  }
}

bool UserWaveformTables::Holder::holds(const double* table) const {
  return std::any_of(mHeld.begin(), mHeld.end(), [table](const std::atomic<const double*>& held) {
    return held.load(std::memory_order_seq_cst) == table;
  });
}

}  // namespace Quillvane
