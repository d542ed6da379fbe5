#pragma once

#include <cstdint>
#include <cstring>

namespace Gallant {

namespace detail {

// Every member-function pointer is squeezed into this many bytes so that
// delegates of different classes compare and copy alike.
constexpr std::size_t kMemberPointerBytes = 2 * sizeof(void*);

// Object pointer and member-function bytes: the part of a delegate that
// identifies it and gives the set order.
class BoundMember {
 public:
  bool operator<(const BoundMember& other) const {
    const auto self = reinterpret_cast<std::uintptr_t>(mObject);
    const auto that = reinterpret_cast<std::uintptr_t>(other.mObject);
    if (self != that) return self < that;
    return std::memcmp(mFunction, other.mFunction, kMemberPointerBytes) < 0;
  }
  bool operator==(const BoundMember& other) const {
    return mObject == other.mObject &&
           std::memcmp(mFunction, other.mFunction, kMemberPointerBytes) == 0;
  }

 protected:
  template <class T, class F>
  BoundMember(T* object, F function) : mObject(object) {
    static_assert(sizeof(F) <= kMemberPointerBytes, "member pointer too large");
    std::memcpy(mFunction, &function, sizeof(F));
  }

  template <class T, class F>
  F function() const {
    F f;
    std::memcpy(&f, mFunction, sizeof(F));
    return f;
  }

  void* mObject;
  unsigned char mFunction[kMemberPointerBytes] = {};
};

}  // namespace detail

// A member function bound to its object. A virtual function is resolved
// through the object at call time, as a plain member-pointer call does.
template <class A1, class A2, class R = void>
class Delegate2 : public detail::BoundMember {
 public:
  template <class T>
  Delegate2(T* object, R (T::*function)(A1, A2))
      : BoundMember(object, function), mInvoke(&invoke<T, R (T::*)(A1, A2)>) {}
  template <class T>
  Delegate2(const T* object, R (T::*function)(A1, A2) const)
      : BoundMember(const_cast<T*>(object), function),
        mInvoke(&invoke<const T, R (T::*)(A1, A2) const>) {}

  R operator()(A1 a1, A2 a2) const { return mInvoke(*this, a1, a2); }

 private:
  template <class T, class F>
  static R invoke(const Delegate2& d, A1 a1, A2 a2) {
    return (static_cast<T*>(d.mObject)->*d.template function<T, F>())(a1, a2);
  }

  R (*mInvoke)(const Delegate2&, A1, A2);
};

template <class A1, class A2, class A3, class R = void>
class Delegate3 : public detail::BoundMember {
 public:
  template <class T>
  Delegate3(T* object, R (T::*function)(A1, A2, A3))
      : BoundMember(object, function), mInvoke(&invoke<T, R (T::*)(A1, A2, A3)>) {}
  template <class T>
  Delegate3(const T* object, R (T::*function)(A1, A2, A3) const)
      : BoundMember(const_cast<T*>(object), function),
        mInvoke(&invoke<const T, R (T::*)(A1, A2, A3) const>) {}

  R operator()(A1 a1, A2 a2, A3 a3) const { return mInvoke(*this, a1, a2, a3); }

 private:
  template <class T, class F>
  static R invoke(const Delegate3& d, A1 a1, A2 a2, A3 a3) {
    return (static_cast<T*>(d.mObject)->*d.template function<T, F>())(a1, a2, a3);
  }

  R (*mInvoke)(const Delegate3&, A1, A2, A3);
};

}  // namespace Gallant
