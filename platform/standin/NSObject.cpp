#include "platform/standin/NSObject.h"

#include <map>
#include <vector>

struct StandinObjCClass {
  std::string name;
  NSObject* (*alloc)();
};

namespace {

// Classes stay registered for the life of the process.
std::map<std::string, StandinObjCClass*>& Classes() {
  static auto* classes = new std::map<std::string, StandinObjCClass*>();
  return *classes;
}

int gDeliveryDepth = 0;

// Drained once more when the process ends, so that nothing given up is lost.
struct Pool {
  std::vector<NSObject*> objects;
  ~Pool() { standin::DrainAutoreleasePool(); }
};

Pool& ThePool() {
  static Pool pool;
  return pool;
}

}  // namespace

void NSObject::release() {
  if (--mRetainCount == 0) delete this;
}

void NSObject::autorelease() { ThePool().objects.push_back(this); }

Class NSClassFromString(const std::string& name) {
  auto it = Classes().find(name);
  return it == Classes().end() ? nullptr : it->second;
}

NSObject* class_createInstance(Class cls) { return cls ? cls->alloc() : nullptr; }

const char* class_getName(Class cls) { return cls ? cls->name.c_str() : "nil"; }

void standin::RegisterClass(const char* name, NSObject* (*alloc)()) {
  StandinObjCClass*& cls = Classes()[name];
  if (!cls) cls = new StandinObjCClass{name, alloc};
  cls->alloc = alloc;
}

void standin::DrainAutoreleasePool() {
  // Releasing may autorelease further objects; those go too.
  std::vector<NSObject*>& objects = ThePool().objects;
  while (!objects.empty()) {
    std::vector<NSObject*> batch;
    batch.swap(objects);
    for (NSObject* object : batch) object->release();
  }
}

standin::EventDelivery::EventDelivery() { ++gDeliveryDepth; }

standin::EventDelivery::~EventDelivery() {
  if (--gDeliveryDepth == 0) DrainAutoreleasePool();
}
