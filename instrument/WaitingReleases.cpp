#include "instrument/WaitingReleases.h"

#include <initializer_list>

namespace {

constexpr int kSoundOffSlot = WaitingReleases::kNumKeys;
constexpr int kNotesOffSlot = WaitingReleases::kNumKeys + 1;

int earliestCell(int slot) { return 2 * slot; }
int latestCell(int slot) { return 2 * slot + 1; }

bool isControl(const IMidiMsg& msg, int controller) {
  return msg.StatusMsg() == IMidiMsg::kControlChange && msg.ControlChangeIdx() == controller;
}

}  // namespace

int WaitingReleases::slotOf(const IMidiMsg& msg) {
  if (isControl(msg, IMidiMsg::kAllSoundOff)) return kSoundOffSlot;
  if (isControl(msg, IMidiMsg::kAllNotesOff)) return kNotesOffSlot;
  const IMidiMsg::EStatusMsg status = msg.StatusMsg();
  const bool release = status == IMidiMsg::kNoteOff || (status == IMidiMsg::kNoteOn && msg.Velocity() == 0);
  if (!release || msg.NoteNumber() < 0 || msg.NoteNumber() >= kNumKeys) return -1;
  return msg.NoteNumber();
}

int WaitingReleases::cellsBefore(const IMidiMsg& noteOn, int (&cells)[kMaxCellsBeforeNoteOn]) {
  int n = 0;
  for (int slot : {noteOn.NoteNumber(), kSoundOffSlot, kNotesOffSlot}) {
    if (slot < 0 || slot >= kNumSlots) continue;
    cells[n++] = earliestCell(slot);
    cells[n++] = latestCell(slot);
  }
  return n;
}

void WaitingReleases::post(const IMidiMsg& msg, uint32_t position) {
  const int slot = slotOf(msg);
  if (slot < 0) return;
  const uint64_t displaced =
      keep(earliestCell(slot), pack(msg), position, [](int32_t arriving, int32_t kept) { return arriving < kept; });
  if (displaced != 0) {
    keep(latestCell(slot), displaced, position, [](int32_t arriving, int32_t kept) { return arriving >= kept; });
  }
}

// A release that replaces another in its cell takes that one's position:
// no note-on of the slot went into the ring since, or it would have taken
// the cell out.
template <class Beats>
uint64_t WaitingReleases::keep(int index, uint64_t word, uint32_t position, Beats beats) {
  Cell& cell = mCells[index];
  uint64_t kept = cell.word.load(std::memory_order_acquire);
  for (;;) {
    if (kept == 0) {
      // Only the writers fill a cell: it stays empty until the store.
      ++cell.fills;
      cell.position.store(position, std::memory_order_relaxed);
      cell.word.store(withFill(word, cell.fills), std::memory_order_release);
      mWaiting.fetch_add(1, std::memory_order_release);
      return 0;
    }
    if (!beats(frameOf(word), frameOf(kept))) return word;
    if (cell.word.compare_exchange_weak(kept, withFill(word, fillOf(kept)), std::memory_order_acq_rel,
                                        std::memory_order_acquire)) {
      return kept;
    }
  }
}

bool WaitingReleases::takeOut(int cell, IMidiMsg* msg) {
  const uint64_t word = mCells[cell].word.exchange(0, std::memory_order_acq_rel);
  if (word == 0) return false;
  mWaiting.fetch_sub(1, std::memory_order_relaxed);
  *msg = unpack(word, cell);
  return true;
}

void WaitingReleases::discardAll() {
  IMidiMsg dropped;
  for (int cell = 0; cell < kNumCells; ++cell) takeOut(cell, &dropped);
}

int WaitingReleases::collect(uint32_t end, Waiting (&waiting)[kNumCells]) const {
  if (!any()) return 0;
  int n = 0;
  for (int cell = 0; cell < kNumCells; ++cell) {
    const uint64_t word = mCells[cell].word.load(std::memory_order_acquire);
    if (word == 0) continue;
    const uint32_t position = mCells[cell].position.load(std::memory_order_relaxed);
    if (static_cast<int32_t>(position - end) > 0) continue;
    // In position order; usually there are none or a few.
    int i = n++;
    for (; i > 0 && static_cast<int32_t>(waiting[i - 1].position - position) > 0; --i) waiting[i] = waiting[i - 1];
    waiting[i] = {position, cell, fillOf(word)};
  }
  return n;
}

bool WaitingReleases::take(const Waiting& waiting, IMidiMsg* msg) {
  Cell& cell = mCells[waiting.cell];
  uint64_t word = cell.word.load(std::memory_order_acquire);
  while (word != 0 && fillOf(word) == waiting.fill) {
    if (cell.word.compare_exchange_weak(word, 0, std::memory_order_acq_rel, std::memory_order_acquire)) {
      mWaiting.fetch_sub(1, std::memory_order_relaxed);
      *msg = unpack(word, waiting.cell);
      return true;
    }
  }
  return false;
}

uint64_t WaitingReleases::pack(const IMidiMsg& msg) {
  return uint64_t{msg.mStatus} << 40 | uint64_t{msg.mData2} << 32 |
         static_cast<uint32_t>(msg.mOffset);
}

IMidiMsg WaitingReleases::unpack(uint64_t word, int cell) {
  const int slot = cell / 2;
  const uint8_t data1 = slot < kNumKeys ? static_cast<uint8_t>(slot)
                                        : static_cast<uint8_t>(slot == kSoundOffSlot ? IMidiMsg::kAllSoundOff
                                                                                     : IMidiMsg::kAllNotesOff);
  return IMidiMsg(frameOf(word), static_cast<uint8_t>(word >> 40), data1, static_cast<uint8_t>(word >> 32));
}
