#include "platform/mac/RenderNotifications.h"

#include <algorithm>
#include <memory>

namespace {

bool SameNotification(const AURenderCallbackStruct& a, const AURenderCallbackStruct& b) {
  return a.inputProc == b.inputProc && a.inputProcRefCon == b.inputProcRefCon;
}

}  // namespace

RenderNotifications::~RenderNotifications() {
  Free(mList.load(std::memory_order_relaxed));
  Free(mRetired);
}

void RenderNotifications::Free(List* chain) {
  while (chain) {
    List* next = chain->retiredNext;
    delete chain;
    chain = next;
  }
}

void RenderNotifications::Add(AURenderCallback proc, void* userData) {
  Change(
      [&](std::vector<AURenderCallbackStruct>& entries) {
        entries.push_back({proc, userData});
        return true;
      },
      AURenderCallbackStruct{nullptr, nullptr});
}

void RenderNotifications::Remove(AURenderCallback proc, void* userData) {
  const AURenderCallbackStruct removed{proc, userData};
  Change(
      [&](std::vector<AURenderCallbackStruct>& entries) {
        auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const AURenderCallbackStruct& entry) { return SameNotification(entry, removed); });
        if (it == entries.end()) return false;
        entries.erase(it);
        return true;
      },
      removed);
}

template <class Edit>
void RenderNotifications::Change(Edit edit, AURenderCallbackStruct removed) {
  List* retired = nullptr;
  uint64_t renderCall = 0;
  {
    WDL_MutexLock lock(&mChanging);
    List* old = mList.load(std::memory_order_relaxed);
    std::unique_ptr<List> next(new List);
    if (old) next->entries = old->entries;
    if (!edit(next->entries)) return;
    mList.store(next.release(), std::memory_order_seq_cst);
    renderCall = mRenderCalls.load(std::memory_order_seq_cst);
    if (old) {
      old->retiredNext = mRetired;
      mRetired = old;
    }
    if ((renderCall & 1) && mRenderThread.load(std::memory_order_relaxed) == std::this_thread::get_id()) {
      // On the render thread within a render call (from a notification or an
      // input callback): the call goes on with its list, which only this
      // thread reads.
      List* notifying = mNotifying.load(std::memory_order_relaxed);
      if (removed.inputProc && notifying) {
        for (AURenderCallbackStruct& entry : notifying->entries) {
          if (SameNotification(entry, removed)) {
            entry.inputProc = nullptr;
            break;
          }
        }
      }
      return;
    }
    retired = mRetired;
    mRetired = nullptr;
  }
  // A render call under way may still notify the lists replaced.
  if (renderCall & 1) {
    while (mRenderCalls.load(std::memory_order_seq_cst) == renderCall) std::this_thread::yield();
  }
  Free(retired);
}

int RenderNotifications::GetSize() const {
  WDL_MutexLock lock(&mChanging);
  const List* list = mList.load(std::memory_order_relaxed);
  return list ? static_cast<int>(list->entries.size()) : 0;
}

AURenderCallbackStruct RenderNotifications::Get(int idx) const {
  WDL_MutexLock lock(&mChanging);
  const List* list = mList.load(std::memory_order_relaxed);
  if (!list || idx < 0 || idx >= static_cast<int>(list->entries.size())) return {};
  return list->entries[static_cast<std::size_t>(idx)];
}

RenderNotifications::RenderCall::RenderCall(RenderNotifications* notifications) : mNotifications(notifications) {
  mNotifications->mRenderThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
  mNotifications->mRenderCalls.fetch_add(1, std::memory_order_seq_cst);
  mNotifications->mNotifying.store(mNotifications->mList.load(std::memory_order_seq_cst),
                                   std::memory_order_relaxed);
}

RenderNotifications::RenderCall::~RenderCall() { mNotifications->mRenderCalls.fetch_add(1, std::memory_order_seq_cst); }

void RenderNotifications::RenderCall::Notify(AudioUnitRenderActionFlags flags, const AudioTimeStamp* timeStamp,
                                             UInt32 outputBus, UInt32 nFrames, AudioBufferList* ioData) {
  const List* list = mNotifications->mNotifying.load(std::memory_order_relaxed);
  if (!list) return;
  for (std::size_t i = 0; i < list->entries.size(); ++i) {
    const AURenderCallbackStruct entry = list->entries[i];
    if (!entry.inputProc) continue;
    AudioUnitRenderActionFlags actionFlags = flags;
    entry.inputProc(entry.inputProcRefCon, &actionFlags, timeStamp, outputBus, nFrames, ioData);
  }
}
