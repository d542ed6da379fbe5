#include "instrument/MidiHandOver.h"

namespace {

bool isNoteOn(const IMidiMsg& msg) { return msg.StatusMsg() == IMidiMsg::kNoteOn && msg.Velocity() > 0; }

}  // namespace

void MidiHandOver::send(const NoteEvent& event) {
  if (!event.preview && isNoteOn(event.msg) && mReleases.any()) {
    int cells[WaitingReleases::kMaxCellsBeforeNoteOn];
    const int n = WaitingReleases::cellsBefore(event.msg, cells);
    for (int i = 0; i < n; ++i) {
      if (!mReleases.holds(cells[i])) continue;
      if (!mRing.hasRoom()) return;
      NoteEvent release;
      if (mReleases.takeOut(cells[i], &release.msg)) mRing.push(release);
    }
  }
  if (mRing.push(event) || event.preview) return;
  mReleases.post(event.msg, mRing.end());
}

void MidiHandOver::discardAll() {
  mRing.discard();
  mReleases.discardAll();
}
