#include "platform/standin/RunLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/standin/NSObject.h"

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
// Timers that fire at the moment, whose removal waits until they return.
int gFiring = 0;
// Scheduled timers live as long as the process, and so does their list.
std::vector<standin::RunLoopTimer*>& Timers() {
  static auto* timers = new std::vector<standin::RunLoopTimer*>();
  return *timers;
}
std::vector<std::pair<standin::RunLoopProc, void*>> gObservers;

struct PendingPerform {
  NSObject* target;
  std::function<void()> call;
  standin::RunLoopTimer* timer;
};
// Pending performs, like the timers they wait on, live as long as the process.
std::vector<PendingPerform*>& Performs() {
  static auto* performs = new std::vector<PendingPerform*>();
  return *performs;
}

void Forget(PendingPerform* perform) {
  std::vector<PendingPerform*>& performs = Performs();
  performs.erase(std::remove(performs.begin(), performs.end(), perform), performs.end());
  standin::RemoveRunLoopTimer(perform->timer);
}

void FirePerform(void* context) {
  auto* perform = static_cast<PendingPerform*>(context);
  Forget(perform);
  perform->call();
  perform->target->release();
  delete perform;
}

int64_t ToTicks(double seconds) { return static_cast<int64_t>(std::llround(seconds * 1e9)); }

void RunObservers() {
  standin::EventDelivery delivery;
  // Observers may change the list while they run.
  const auto observers = gObservers;
  for (const auto& o : observers) o.first(o.second);
}

void PurgeRemoved() {
  std::vector<standin::RunLoopTimer*>& timers = Timers();
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                               [](standin::RunLoopTimer* t) {
                                 if (!t->removed) return false;
                                 delete t;
                                 return true;
                               }),
                timers.end());
}

standin::RunLoopTimer* NextDue(int64_t until) {
  standin::RunLoopTimer* next = nullptr;
  for (standin::RunLoopTimer* t : Timers()) {
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
  Timers().push_back(timer);
  return timer;
}

void standin::RemoveRunLoopTimer(RunLoopTimer* timer) {
  if (!timer) return;
  timer->removed = true;
  if (!gFiring) PurgeRemoved();
}

int standin::RunLoopTimerCount() {
  int n = 0;
  for (const RunLoopTimer* t : Timers()) n += !t->removed;
  return n;
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
    ++gFiring;
    {
      standin::EventDelivery delivery;
      timer->proc(timer->context);
    }
    --gFiring;
    PurgeRemoved();
    RunObservers();
  }
  gNow = until;
  RunObservers();
}

double standin::RunLoopNow() { return static_cast<double>(gNow) / 1e9; }

void standin::PerformAfterDelay(NSObject* target, std::function<void()> call, double delay) {
  if (!target) return;
  target->retain();
  auto* perform = new PendingPerform{target, std::move(call), nullptr};
  // Fires once: it removes its timer first.
  perform->timer = AddRunLoopTimer(delay, 1.0, FirePerform, perform);
  Performs().push_back(perform);
}

void standin::CancelPreviousPerformRequests(NSObject* target) {
  const std::vector<PendingPerform*> performs = Performs();
  for (PendingPerform* perform : performs) {
    if (perform->target != target) continue;
    Forget(perform);
    target->release();
    delete perform;
  }
}
