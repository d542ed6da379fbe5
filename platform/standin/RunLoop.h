// Stands in for the main run loop and its timers (CFRunLoop, NSTimer, delayed performs) on Linux: a manual clock; objects autoreleased while a timer or observer runs are released once it returns.
#pragma once

#include <functional>

class NSObject;

namespace standin {

typedef void (*RunLoopProc)(void* context);
struct RunLoopTimer;

// A repeating timer: it fires first after firstDelay seconds, then every
// interval (at least a microsecond) until it is removed. Timers fire only
// inside RunLoopAdvance, on the thread that calls it.
RunLoopTimer* AddRunLoopTimer(double firstDelay, double interval, RunLoopProc proc, void* context);
// Null is ignored; a timer may remove itself, or another, while it fires.
void RemoveRunLoopTimer(RunLoopTimer* timer);
int RunLoopTimerCount();

// Work the run loop does at the end of every pass (after each timer that
// fires, and once at the end of an advance), as the platform redraws
// invalidated views then.
void AddRunLoopObserver(RunLoopProc proc, void* context);
void RemoveRunLoopObserver(RunLoopProc proc, void* context);

// Moves the clock on by seconds, firing every timer that falls due on the
// way in time order; a timer due several times fires several times.
void RunLoopAdvance(double seconds);
// Seconds since the clock started.
double RunLoopNow();

// performSelector:withObject:afterDelay: (with no object): call runs once,
// on the run loop after delay seconds; the target is retained until then.
void PerformAfterDelay(NSObject* target, std::function<void()> call, double delay);
template <class T, class Receiver>
void PerformSelectorAfterDelay(T* target, void (Receiver::*selector)(), double delay) {
  PerformAfterDelay(target, [target, selector] { (target->*selector)(); }, delay);
}
// cancelPreviousPerformRequestsWithTarget: the target's pending calls are
// dropped, and their retains released.
void CancelPreviousPerformRequests(NSObject* target);

}  // namespace standin
