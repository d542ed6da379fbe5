#include "platform/standin/RunLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

struct standin::RunLoopTimer {
  int64_t due;
  int64_t interval;
  RunLoopProc proc;
  void* context;
  bool removed;
};

namespace {

// Nanoseconds, so that 25 ticks of 0.04 s make exactly one second.
int64_t gNow = 0;
std::vector<standin::RunLoopTimer*> gTimers;
std::vector<std::pair<standin::RunLoopProc, void*>> gObservers;

int64_t ToTicks(double seconds) { return static_cast<int64_t>(std::llround(seconds * 1e9)); }

void RunObservers() {
  // Observers may change the list while they run.
  const auto observers = gObservers;
  for (const auto& o : observers) o.first(o.second);
}

void PurgeRemoved() {
  gTimers.erase(std::remove_if(gTimers.begin(), gTimers.end(),
                               [](standin::RunLoopTimer* t) {
                                 if (!t->removed) return false;
                                 delete t;
                                 return true;
                               }),
                gTimers.end());
}

standin::RunLoopTimer* NextDue(int64_t until) {
  standin::RunLoopTimer* next = nullptr;
  for (standin::RunLoopTimer* t : gTimers) {
    if (!t->removed && t->due <= until && (!next || t->due < next->due)) next = t;
  }
  return next;
}

}  // namespace

standin::RunLoopTimer* standin::AddRunLoopTimer(double firstDelay, double interval, RunLoopProc proc,
                                                void* context) {
  RunLoopTimer* timer =
      new RunLoopTimer{gNow + std::max<int64_t>(0, ToTicks(firstDelay)), std::max<int64_t>(1000, ToTicks(interval)),
                       proc, context, false};
  gTimers.push_back(timer);
  return timer;
}

void standin::RemoveRunLoopTimer(RunLoopTimer* timer) {
  if (timer) timer->removed = true;
}

int standin::RunLoopTimerCount() {
  PurgeRemoved();
  return static_cast<int>(gTimers.size());
}

void standin::AddRunLoopObserver(RunLoopProc proc, void* context) { gObservers.emplace_back(proc, context); }

void standin::RemoveRunLoopObserver(RunLoopProc proc, void* context) {
  gObservers.erase(std::remove(gObservers.begin(), gObservers.end(), std::make_pair(proc, context)),
                   gObservers.end());
}

void standin::RunLoopAdvance(double seconds) {
  const int64_t until = gNow + std::max<int64_t>(0, ToTicks(seconds));
  while (RunLoopTimer* timer = NextDue(until)) {
    gNow = timer->due;
    timer->due += timer->interval;
    timer->proc(timer->context);
    RunObservers();
  }
  gNow = until;
  PurgeRemoved();
  RunObservers();
}

double standin::RunLoopNow() { return static_cast<double>(gNow) / 1e9; }
