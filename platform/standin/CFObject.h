// Stands in for the platform's CoreFoundation object model on Linux: the
// reference-counted base that every stand-in object type derives from.
#pragma once

#include <atomic>
#include <new>
#include <string>
#include <utility>

#include "platform/standin/CFBase.h"

namespace standin {

enum CFTypeIDs : CFTypeID {
  kStringTypeID = 7,
  kNumberTypeID,
  kDataTypeID,
  kArrayTypeID,
  kDictionaryTypeID,
  kBundleTypeID,
  kURLTypeID,
};

struct CFObject {
  explicit CFObject(CFTypeID type);
  virtual ~CFObject();
  CFObject(const CFObject&) = delete;
  CFObject& operator=(const CFObject&) = delete;

  virtual bool equals(const CFObject& other) const { return this == &other; }
  virtual CFHashCode hash() const;
  virtual std::string describe() const;

  const CFTypeID typeID;
  std::atomic<long> retainCount{1};
  bool counted = false;
};

void CFCountObject(CFObject* object);

// True unless an armed allocation failure fires on this allocation.
bool CFAllocationAllowed();

// Every creation goes through here so the injected failure reaches all types.
template <class T, class... Args>
T* CFCreate(Args&&... args) {
  if (!CFAllocationAllowed()) return nullptr;
  try {
    T* object = new T(std::forward<Args>(args)...);
    CFCountObject(object);
    return object;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

inline const CFObject* CFObjectOf(CFTypeRef ref) { return static_cast<const CFObject*>(ref); }

// Takes a process-lifetime object out of the live count.
void CFMakePermanent(CFTypeRef ref);

// Null for a null reference or one of another type.
template <class T>
const T* CFCast(CFTypeRef ref, CFTypeID type) {
  const CFObject* obj = CFObjectOf(ref);
  return (obj && obj->typeID == type) ? static_cast<const T*>(obj) : nullptr;
}

}  // namespace standin
