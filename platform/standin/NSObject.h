// Stands in for the platform's object runtime (NSObject, reference counting, autorelease pools, classes made by name) on Linux.
#pragma once

#include <string>

// The root of the stand-in's objects. An object starts with one reference,
// its creator's; release() deletes it when the last one goes.
class NSObject {
 public:
  NSObject() = default;
  virtual ~NSObject() = default;
  NSObject(const NSObject&) = delete;
  NSObject& operator=(const NSObject&) = delete;

  // Subclasses chain to it; the result is the object to use.
  virtual NSObject* init() { return this; }
  virtual std::string description() { return "<NSObject>"; }

  void retain() { ++mRetainCount; }
  void release();
  // Releases the object once the pool drains (see DrainAutoreleasePool).
  void autorelease();
  int retainCount() const { return mRetainCount; }

 private:
  int mRetainCount = 1;
};

typedef const struct StandinObjCClass* Class;

// Null when no class of that name is registered.
Class NSClassFromString(const std::string& name);
// A new, not yet initialised instance (alloc); null for a null class.
NSObject* class_createInstance(Class cls);
const char* class_getName(Class cls);

namespace standin {

// Makes a class known by name, as loading the binary that defines it does;
// registering a name again replaces its allocator.
void RegisterClass(const char* name, NSObject* (*alloc)());

// Releases every object autoreleased so far. The run loop drains after each
// pass and the window system after each event it delivers, so objects given
// up while an event is handled live until that event is over.
void DrainAutoreleasePool();

// While one exists the pool is not drained by the window system's event
// delivery: nested deliveries drain only when the outermost one ends.
class EventDelivery {
 public:
  EventDelivery();
  ~EventDelivery();
  EventDelivery(const EventDelivery&) = delete;
  EventDelivery& operator=(const EventDelivery&) = delete;
};

}  // namespace standin
