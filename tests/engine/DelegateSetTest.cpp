#include "engine/DelegateSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Gallant::DelegateSet2;
using Gallant::DelegateSet3;

struct Listener {
  virtual ~Listener() = default;
  virtual void onPair(int a, int b) { log.push_back("base " + std::to_string(a + b)); }
  void onTriple(int a, int b, int c) { log.push_back("triple " + std::to_string(a * b * c)); }
  void other(int, int) { log.push_back("other"); }
  std::vector<std::string> log;
};

struct DerivedListener : Listener {
  void onPair(int a, int b) override { log.push_back("derived " + std::to_string(a - b)); }
};

TEST(DelegateSet, SameDelegateConnectedTwiceIsCalledOnce) {
  Listener listener;
  DelegateSet2<int, int> signal;
  signal.connect(&listener, &Listener::onPair);
  signal.connect(&listener, &Listener::onPair);
  signal.emit(2, 3);
  EXPECT_EQ(listener.log, std::vector<std::string>{"base 5"});
}

TEST(DelegateSet, DistinctFunctionsAndObjectsAreAllCalled) {
  Listener first;
  Listener second;
  DelegateSet2<int, int> signal;
  signal.connect(&first, &Listener::onPair);
  signal.connect(&first, &Listener::other);
  signal.connect(&second, &Listener::onPair);
  signal.emit(1, 1);
  EXPECT_EQ(first.log.size(), 2u);
  EXPECT_EQ(second.log, std::vector<std::string>{"base 2"});
}

TEST(DelegateSet, CallsInObjectAddressOrder) {
  std::vector<int> order;
  struct Recorder {
    std::vector<int>* order;
    int id;
    void call(int, int) { order->push_back(id); }
  };
  Recorder recorders[3] = {{&order, 0}, {&order, 1}, {&order, 2}};
  DelegateSet2<int, int> signal;
  signal.connect(&recorders[2], &Recorder::call);
  signal.connect(&recorders[0], &Recorder::call);
  signal.connect(&recorders[1], &Recorder::call);
  signal.emit(0, 0);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

TEST(DelegateSet, VirtualFunctionResolvesAtCallTime) {
  DerivedListener derived;
  Listener& asBase = derived;
  DelegateSet2<int, int> signal;
  signal.connect(&asBase, &Listener::onPair);
  signal.emit(7, 2);
  EXPECT_EQ(derived.log, std::vector<std::string>{"derived 5"});
}

TEST(DelegateSet, ThreeArgumentsAndDisconnect) {
  Listener listener;
  DelegateSet3<int, int, int> signal;
  signal.connect(&listener, &Listener::onTriple);
  signal.emit(2, 3, 4);
  signal.disconnect(&listener, &Listener::onTriple);
  signal.emit(2, 3, 4);
  EXPECT_EQ(listener.log, std::vector<std::string>{"triple 24"});
  EXPECT_TRUE(signal.empty());
}

TEST(DelegateSet, DelegateMayDisconnectItselfWhileCalled) {
  struct SelfRemover {
    DelegateSet2<int, int>* signal;
    int calls = 0;
    void call(int, int) {
      ++calls;
      signal->disconnect(this, &SelfRemover::call);
    }
  };
  DelegateSet2<int, int> signal;
  SelfRemover removers[3] = {{&signal}, {&signal}, {&signal}};
  for (auto& r : removers) signal.connect(&r, &SelfRemover::call);
  signal.emit(0, 0);
  signal.emit(0, 0);
  for (auto& r : removers) EXPECT_EQ(r.calls, 1);
}

}  // namespace
