#include "platform/mac/RenderNotifications.h"

#include <algorithm>

namespace {

bool SameNotification(const AURenderCallbackStruct& a, const AURenderCallbackStruct& b) {
  return a.inputProc == b.inputProc && a.inputProcRefCon == b.inputProcRefCon;
}

}  // namespace

RenderNotifications::~RenderNotifications() {
  Free(mList.load(std::memory_order_relaxed));
  Free(mHeld);
}

void RenderNotifications::Free(List* chain) {
  while (chain) {
    List* next = chain->next;
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

RenderNotifications::List* RenderNotifications::TakeList() {
  const uint64_t renderCall = mRenderCalls.load(std::memory_order_seq_cst);
  for (List** link = &mHeld; *link; link = &(*link)->next) {
    List* list = *link;
    if (list->renderCall != 0 && list->renderCall == renderCall) continue;
    *link = list->next;
    list->next = nullptr;
    list->renderCall = 0;
    return list;
  }
  return new List;
}

void RenderNotifications::Hold(List* list, uint64_t renderCall) {
  list->renderCall = renderCall;
  list->next = mHeld;
  mHeld = list;
}

void RenderNotifications::FreeUnread() {
  const uint64_t renderCall = mRenderCalls.load(std::memory_order_seq_cst);
  List** link = &mHeld;
  while (*link) {
    List* list = *link;
    if (list->renderCall != 0 && list->renderCall == renderCall) {
      link = &list->next;
      continue;
    }
    *link = list->next;
    delete list;
  }
}

template <class Edit>
void RenderNotifications::Change(Edit edit, AURenderCallbackStruct removed) {
  uint64_t renderCall = 0;
  {
    WDL_MutexLock lock(&mChanging);
    List* old = mList.load(std::memory_order_relaxed);
    List* next = TakeList();
    if (old) {
      next->entries.assign(old->entries.begin(), old->entries.end());
    } else {
      next->entries.clear();
    }
    if (!edit(next->entries)) {
      Hold(next, 0);
      return;
    }
    mList.store(next, std::memory_order_seq_cst);
    renderCall = mRenderCalls.load(std::memory_order_seq_cst);
    const bool rendering = (renderCall & 1) != 0;
    const bool onRenderThread = mRenderThread.load(std::memory_order_relaxed) == std::this_thread::get_id();
    if (rendering && onRenderThread) {
      // From a notification or an input callback: the call goes on with its
      // list, which only this thread reads.
      List* notifying = mNotifying.load(std::memory_order_relaxed);
      if (old) Hold(old, old == notifying ? renderCall : 0);
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
    // Another thread's render call under way may have taken the old list.
    if (old) Hold(old, rendering ? renderCall : 0);
    if (onRenderThread) return;
    FreeUnread();
    // An addition leaves the old list to a later change to free.
    if (!rendering || !removed.inputProc) return;
  }
  {
    WDL_PlugMutexesRelease plugsUnlocked;
    while (mRenderCalls.load(std::memory_order_seq_cst) == renderCall) std::this_thread::yield();
  }
  WDL_MutexLock lock(&mChanging);
  FreeUnread();
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

int RenderNotifications::GetHeldLists() const {
  WDL_MutexLock lock(&mChanging);
  int n = 0;
  for (const List* list = mHeld; list; list = list->next) ++n;
  return n;
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
