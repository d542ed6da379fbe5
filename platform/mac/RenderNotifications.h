#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "framework/WDL_Mutex.h"
#include "platform/standin/AudioUnitProperties.h"

// The render notifications a host adds and removes on its threads while its
// render thread calls them. A change makes a whole new list and swaps it in,
// so each render call notifies, before and after, the list it found at its
// start, never a half-changed one; a render call takes no lock and
// allocates nothing. The list a change replaces is kept until no render
// call reads it. An addition never waits for a render call. A removal made
// while another thread renders waits for that render call to end before it
// returns: once a remove has returned, the notification is not called
// again. A change from inside a notification, on the render thread itself,
// takes effect from the next render call, and a notification it removes is
// not called again in this one either; the render thread frees no list, and
// reuses the lists it replaced once no render call reads them, so a
// notification that changes the list on every call allocates nothing after
// the first calls. Hosts make one render call at a time.
class RenderNotifications {
 public:
  RenderNotifications() = default;
  ~RenderNotifications();
  RenderNotifications(const RenderNotifications&) = delete;
  RenderNotifications& operator=(const RenderNotifications&) = delete;

  void Add(AURenderCallback proc, void* userData);
  // Removes the first notification with this procedure and user data. Made
  // while another thread renders, it returns once that render call has ended,
  // as the notification may be under way in it. It waits with every plug-in
  // mutex the caller holds let go, as the notification may call into any
  // unit. A caller that holds a lock of its own around the removal, which the
  // notification also takes, therefore deadlocks by the nature of that
  // guarantee.
  void Remove(AURenderCallback proc, void* userData);
  int GetSize() const;
  AURenderCallbackStruct Get(int idx) const;
  // Lists held besides the current one: replaced lists that a render call
  // may still notify, and those kept for reuse.
  int GetHeldLists() const;

  // Render thread: the notifications of one render call.
  class RenderCall {
   public:
    explicit RenderCall(RenderNotifications* notifications);
    ~RenderCall();
    RenderCall(const RenderCall&) = delete;
    RenderCall& operator=(const RenderCall&) = delete;

    void Notify(AudioUnitRenderActionFlags flags, const AudioTimeStamp* timeStamp, UInt32 outputBus, UInt32 nFrames,
                AudioBufferList* ioData);

   private:
    RenderNotifications* mNotifications;
  };

 private:
  struct List {
    std::vector<AURenderCallbackStruct> entries;
    // In the chain of held lists.
    List* next = nullptr;
    // The render call (an odd count) that may still notify it; 0 once none does.
    uint64_t renderCall = 0;
  };

  // edit changes the entries of the new list and tells whether it changed
  // anything; removed is the notification a removal takes out, with a null
  // procedure for an addition.
  template <class Edit>
  void Change(Edit edit, AURenderCallbackStruct removed);
  // Under mChanging: a held list for reuse, or a new one.
  List* TakeList();
  // Under mChanging: holds a replaced list, for reuse once renderCall has ended.
  void Hold(List* list, uint64_t renderCall);
  // Under mChanging, off the render thread: frees the held lists no render
  // call reads any more.
  void FreeUnread();
  static void Free(List* chain);

  // Serialises the changes.
  mutable WDL_Mutex mChanging;
  // Null while there is no notification.
  std::atomic<List*> mList{nullptr};
  // Odd while a render call is under way.
  std::atomic<uint64_t> mRenderCalls{0};
  std::atomic<std::thread::id> mRenderThread{};
  // The list the render call under way notifies.
  std::atomic<List*> mNotifying{nullptr};
  // Under mChanging.
  List* mHeld = nullptr;
};
