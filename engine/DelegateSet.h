#pragma once

#include <set>

#include "engine/Delegate.h"

namespace Gallant {

// A signal: an ordered set of delegates, each called once per emission.
// Connecting allocates a node, so owners connect before rendering starts.
template <class Delegate>
class DelegateSet {
 public:
  void connect(const Delegate& delegate) { mDelegates.insert(delegate); }
  void disconnect(const Delegate& delegate) { mDelegates.erase(delegate); }
  bool empty() const { return mDelegates.empty(); }

  template <class... Args>
  void emit(Args... args) const {
    // Step on before the call so a delegate may disconnect itself.
    for (auto it = mDelegates.begin(); it != mDelegates.end();) {
      const Delegate& current = *it++;
      current(args...);
    }
  }

 private:
  std::set<Delegate> mDelegates;
};

template <class A1, class A2>
class DelegateSet2 : public DelegateSet<Delegate2<A1, A2>> {
 public:
  using DelegateSet<Delegate2<A1, A2>>::connect;
  using DelegateSet<Delegate2<A1, A2>>::disconnect;
  template <class T, class F>
  void connect(T* object, F function) { connect(Delegate2<A1, A2>(object, function)); }
  template <class T, class F>
  void disconnect(T* object, F function) { disconnect(Delegate2<A1, A2>(object, function)); }
};

template <class A1, class A2, class A3>
class DelegateSet3 : public DelegateSet<Delegate3<A1, A2, A3>> {
 public:
  using DelegateSet<Delegate3<A1, A2, A3>>::connect;
  using DelegateSet<Delegate3<A1, A2, A3>>::disconnect;
  template <class T, class F>
  void connect(T* object, F function) { connect(Delegate3<A1, A2, A3>(object, function)); }
  template <class T, class F>
  void disconnect(T* object, F function) { disconnect(Delegate3<A1, A2, A3>(object, function)); }
};

}  // namespace Gallant
