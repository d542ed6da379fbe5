#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/standin/RunLoop.h"

namespace {

struct Firing {
  std::string name;
  double at;
};

struct Recorder {
  std::vector<Firing>* log;
  std::string name;
  standin::RunLoopTimer* timer = nullptr;
  int removeAfter = -1;  // fires; -1 never
  int fired = 0;
};

void Record(void* context) {
  auto* r = static_cast<Recorder*>(context);
  r->log->push_back({r->name, standin::RunLoopNow()});
  if (++r->fired == r->removeAfter) standin::RemoveRunLoopTimer(r->timer);
}

TEST(StandinRunLoop, TimersFireInTimeOrderOnTheManualClock) {
  std::vector<Firing> log;
  const double start = standin::RunLoopNow();
  const int before = standin::RunLoopTimerCount();
  Recorder fast{&log, "fast"}, slow{&log, "slow"}, once{&log, "once"};
  fast.timer = standin::AddRunLoopTimer(0.04, 0.04, Record, &fast);
  slow.timer = standin::AddRunLoopTimer(0.0, 0.1, Record, &slow);
  once.removeAfter = 1;
  once.timer = standin::AddRunLoopTimer(0.05, 0.01, Record, &once);
  EXPECT_EQ(standin::RunLoopTimerCount(), before + 3);
  standin::RunLoopAdvance(0.12);
  std::vector<std::string> names;
  for (const Firing& f : log) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::string>{"slow", "fast", "once", "fast", "slow", "fast"}));
  EXPECT_NEAR(log.back().at - start, 0.12, 1e-12);
  EXPECT_EQ(standin::RunLoopTimerCount(), before + 2);
  standin::RemoveRunLoopTimer(fast.timer);
  standin::RemoveRunLoopTimer(slow.timer);
  standin::RemoveRunLoopTimer(nullptr);
  EXPECT_EQ(standin::RunLoopTimerCount(), before);
  // Twenty-five ticks of 0.04 s make exactly one second.
  Recorder tick{&log, "tick"};
  tick.timer = standin::AddRunLoopTimer(0.04, 0.04, Record, &tick);
  standin::RunLoopAdvance(1.0);
  EXPECT_EQ(tick.fired, 25);
  standin::RemoveRunLoopTimer(tick.timer);
}

}  // namespace
