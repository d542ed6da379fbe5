#pragma once

#include <atomic>
#include <cstdint>

#include "framework/IPlugStructs.h"

// The releases that found the note ring full, and the one place where a
// release waits: note-offs (a note-on at velocity 0 among them), all notes
// off and all sound off. A note-on that finds no room is dropped; a release
// never is. Each slot, a key or one of the two controls, keeps the earliest
// and the latest by frame of the releases sent to it, each at its own
// frame: the earliest ends what is held then, the latest what is struck
// until then. A release between them ends its notes at the latest's frame.
//
// Each release keeps the ring's end when it was sent: the render thread
// hands it on after the events sent before it and before those sent after
// it. A note-on of a key may not overtake the key's waiting releases, nor a
// waiting control: it takes them out into the ring before itself, or is
// dropped.
//
// Written by the threads that call in, one at a time (the plug-in mutex
// serialises them): post, takeOut, discardAll. Read and emptied by the
// render thread: collect, take. The render thread takes a release only once
// it has taken the events sent before it and can hand it on, so nothing is
// put back. A reset drops them all.
class WaitingReleases {
 public:
  static constexpr int kNumKeys = 128;
  // A slot per key, then all sound off and all notes off.
  static constexpr int kNumSlots = kNumKeys + 2;
  // Two per slot: the earliest, then the latest.
  static constexpr int kNumCells = 2 * kNumSlots;
  // The cells a note-on may not overtake: its key's and the controls'.
  static constexpr int kMaxCellsBeforeNoteOn = 6;

  // The slot of a release, -1 for any other message.
  static int slotOf(const IMidiMsg& msg);
  // The cells that hold releases a note-on must not overtake.
  static int cellsBefore(const IMidiMsg& noteOn, int (&cells)[kMaxCellsBeforeNoteOn]);

  // ---- Writers.
  // Keeps a release sent when the ring's end was position; anything else
  // is ignored.
  void post(const IMidiMsg& msg, uint32_t position);
  // Whether any release waits.
  bool any() const { return mWaiting.load(std::memory_order_acquire) > 0; }
  bool holds(int cell) const { return mCells[cell].word.load(std::memory_order_acquire) != 0; }
  // Empties the cell; true and the release in msg when it held one.
  bool takeOut(int cell, IMidiMsg* msg);
  void discardAll();

  // ---- Render thread.
  struct Waiting {
    uint32_t position;  // the ring's end when it was sent
    int cell;
    uint16_t fill;  // which of the cell's fills it is
  };
  // The releases sent at or before ring position end, in position order;
  // their number.
  int collect(uint32_t end, Waiting (&waiting)[kNumCells]) const;
  // Takes a release that collect found, true and the release in msg when
  // it still waits there: its frame may have moved earlier or later meanwhile,
  // never its position.
  bool take(const Waiting& waiting, IMidiMsg* msg);

 private:
  // A release in one word, with the count of the cell's fills, which tells
  // a release the writers took out and replaced from the one collected. The
  // status byte is never 0, nor therefore a filled word.
  struct Cell {
    std::atomic<uint64_t> word{0};
    // Written only while the word is 0.
    std::atomic<uint32_t> position{0};
    uint16_t fills = 0;  // the writers'
  };

  // The fill in the top 16 bits, the message below.
  static uint64_t pack(const IMidiMsg& msg);
  static IMidiMsg unpack(uint64_t word, int cell);
  static int32_t frameOf(uint64_t word) { return static_cast<int32_t>(static_cast<uint32_t>(word)); }
  static uint16_t fillOf(uint64_t word) { return static_cast<uint16_t>(word >> 48); }
  static uint64_t withFill(uint64_t word, uint16_t fill) {
    return (word & ((uint64_t{1} << 48) - 1)) | uint64_t{fill} << 48;
  }
  // Keeps word in the cell when the cell is empty, or when beats(arriving
  // frame, kept frame); returns the word it does not keep there, 0 when the
  // cell was empty.
  template <class Beats>
  uint64_t keep(int cell, uint64_t word, uint32_t position, Beats beats);

  Cell mCells[kNumCells];
  // The cells that are not empty.
  std::atomic<int> mWaiting{0};
};
