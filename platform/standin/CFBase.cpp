#include "platform/standin/CFBase.h"

#include <cstdio>
#include <cstdlib>

#include "platform/standin/CFObject.h"
#include "platform/standin/CFString.h"

namespace standin {

namespace {
std::atomic<long> gLiveObjects{0};
std::atomic<int> gAllocationsBeforeFailure{-1};
}  // namespace

CFObject::CFObject(CFTypeID type) : typeID(type) {}

CFObject::~CFObject() {
  if (counted) --gLiveObjects;
}

void CFCountObject(CFObject* object) {
  object->counted = true;
  ++gLiveObjects;
}

void CFMakePermanent(CFTypeRef ref) {
  CFObject* object = const_cast<CFObject*>(CFObjectOf(ref));
  if (object && object->counted) {
    object->counted = false;
    --gLiveObjects;
  }
}

CFHashCode CFObject::hash() const { return reinterpret_cast<CFHashCode>(this); }

std::string CFObject::describe() const {
  char text[64];
  std::snprintf(text, sizeof(text), "<CFType %lu %p>", typeID, static_cast<const void*>(this));
  return text;
}

bool CFAllocationAllowed() {
  int left = gAllocationsBeforeFailure.load();
  while (left >= 0) {
    if (gAllocationsBeforeFailure.compare_exchange_weak(left, left - 1)) return left > 0;
  }
  return true;
}

long CFLiveObjectCount() { return gLiveObjects.load(); }

void CFFailAllocationAfter(int allocationsBeforeFailure) {
  gAllocationsBeforeFailure = allocationsBeforeFailure;
}

}  // namespace standin

const CFAllocatorRef kCFAllocatorDefault = nullptr;

void* CFAllocatorAllocate(CFAllocatorRef, CFIndex size, CFOptionFlags) {
  if (size <= 0 || !standin::CFAllocationAllowed()) return nullptr;
  return std::malloc(static_cast<size_t>(size));
}

void CFAllocatorDeallocate(CFAllocatorRef, void* ptr) { std::free(ptr); }

CFTypeRef CFRetain(CFTypeRef object) {
  if (object) ++const_cast<standin::CFObject*>(standin::CFObjectOf(object))->retainCount;
  return object;
}

void CFRelease(CFTypeRef object) {
  if (!object) return;
  standin::CFObject* obj = const_cast<standin::CFObject*>(standin::CFObjectOf(object));
  if (--obj->retainCount == 0) delete obj;
}

CFIndex CFGetRetainCount(CFTypeRef object) {
  return object ? standin::CFObjectOf(object)->retainCount.load() : 0;
}

CFTypeID CFGetTypeID(CFTypeRef object) { return object ? standin::CFObjectOf(object)->typeID : 0; }

Boolean CFEqual(CFTypeRef a, CFTypeRef b) {
  if (a == b) return true;
  if (!a || !b) return false;
  const standin::CFObject* x = standin::CFObjectOf(a);
  const standin::CFObject* y = standin::CFObjectOf(b);
  return x->typeID == y->typeID && x->equals(*y);
}

CFHashCode CFHash(CFTypeRef object) { return object ? standin::CFObjectOf(object)->hash() : 0; }

CFStringRef CFCopyDescription(CFTypeRef object) {
  if (!object) return nullptr;
  return standin::CFStringCreateFromStdString(standin::CFObjectOf(object)->describe());
}
