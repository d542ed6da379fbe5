#include "platform/standin/CarbonEvents.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <utility>

#include "platform/standin/NSObject.h"
#include "platform/standin/RunLoop.h"

struct OpaqueEventRef {
  struct Parameter {
    EventParamType type;
    std::vector<unsigned char> bytes;
  };
  UInt32 eventClass;
  UInt32 kind;
  int refs;
  std::map<EventParamName, Parameter> parameters;
};

struct OpaqueEventHandlerRef {
  EventTargetRef target;
  EventHandlerUPP proc;
  std::vector<EventTypeSpec> types;
  void* userData;
  bool removed;

  bool wants(const OpaqueEventRef* event) const {
    for (const EventTypeSpec& t : types) {
      if (t.eventClass == event->eventClass && t.eventKind == event->kind) return true;
    }
    return false;
  }
};

// Where a handler stands in its chain, so that it can call on the rest.
struct OpaqueEventHandlerCallRef {
  EventTargetRef target;
  std::vector<EventHandlerRef> chain;
  size_t next;
  OptionBits options;
};

struct OpaqueEventLoopRef {};

struct OpaqueEventLoopTimerRef {
  standin::RunLoopTimer* timer;
  EventLoopTimerUPP proc;
  void* userData;
  bool once;
};

namespace {

std::set<const OpaqueEventTargetRef*>& LiveTargets() {
  static auto* targets = new std::set<const OpaqueEventTargetRef*>();
  return *targets;
}

// Every handler record. A record outlives its target until it is removed, so
// that removing a handler from a target already gone stays harmless; the
// records left at the end of the process are freed with the registry.
struct HandlerRegistry {
  std::set<EventHandlerRef> records;
  ~HandlerRegistry() {
    for (EventHandlerRef h : records) delete h;
  }
};

HandlerRegistry& Handlers() {
  static HandlerRegistry registry;
  return registry;
}

// Removed handlers wait until no dispatch could still be walking over them.
int gDispatching = 0;
std::vector<EventHandlerRef> gRemovedHandlers;

void PurgeRemovedHandlers() {
  if (gDispatching) return;
  for (EventHandlerRef h : gRemovedHandlers) {
    Handlers().records.erase(h);
    delete h;
  }
  gRemovedHandlers.clear();
}

OSStatus Dispatch(EventTargetRef target, const std::vector<EventHandlerRef>& chain, size_t from, EventRef event,
                  OptionBits options) {
  for (size_t i = from; i < chain.size(); ++i) {
    EventHandlerRef h = chain[i];
    if (h->removed || !h->wants(event)) continue;
    OpaqueEventHandlerCallRef call{target, chain, i + 1, options};
    const OSStatus result = h->proc(&call, event, h->userData);
    if (result != eventNotHandledErr) return result;
  }
  // A handler may have disposed of the target.
  if (!LiveTargets().count(target)) return eventNotHandledErr;
  const OSStatus result = target->standardHandler(event);
  if (result != eventNotHandledErr || !LiveTargets().count(target) || (options & kEventTargetDontPropagate)) {
    return result;
  }
  if (EventTargetRef parent = target->parentTarget()) return SendEventToEventTarget(event, parent);
  return eventNotHandledErr;
}

void FireTimer(void* context) {
  auto* timer = static_cast<OpaqueEventLoopTimerRef*>(context);
  timer->proc(timer, timer->userData);
}

void FireOnce(void* context) {
  auto* timer = static_cast<OpaqueEventLoopTimerRef*>(context);
  EventLoopTimerUPP proc = timer->proc;
  void* userData = timer->userData;
  standin::RemoveRunLoopTimer(timer->timer);
  timer->timer = nullptr;
  proc(timer, userData);
}

}  // namespace

OpaqueEventTargetRef::OpaqueEventTargetRef() { LiveTargets().insert(this); }

OpaqueEventTargetRef::~OpaqueEventTargetRef() {
  LiveTargets().erase(this);
  for (EventHandlerRef h : handlers) h->target = nullptr;
}

OSStatus CreateEvent(CFAllocatorRef, UInt32 eventClass, UInt32 kind, EventTime, EventAttributes, EventRef* outEvent) {
  if (!outEvent) return paramErr;
  *outEvent = new OpaqueEventRef{eventClass, kind, 1, {}};
  return noErr;
}

EventRef RetainEvent(EventRef event) {
  if (event) ++event->refs;
  return event;
}

void ReleaseEvent(EventRef event) {
  if (event && --event->refs == 0) delete event;
}

UInt32 GetEventClass(EventRef event) { return event ? event->eventClass : 0; }

UInt32 GetEventKind(EventRef event) { return event ? event->kind : 0; }

OSStatus SetEventParameter(EventRef event, EventParamName name, EventParamType type, ByteCount size,
                           const void* data) {
  if (!event || (size && !data)) return paramErr;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  event->parameters[name] = OpaqueEventRef::Parameter{type, std::vector<unsigned char>(bytes, bytes + size)};
  return noErr;
}

OSStatus GetEventParameter(EventRef event, EventParamName name, EventParamType desiredType,
                           EventParamType* actualType, ByteCount bufferSize, ByteCount* actualSize, void* data) {
  if (!event) return paramErr;
  auto it = event->parameters.find(name);
  if (it == event->parameters.end()) return eventParameterNotFoundErr;
  const OpaqueEventRef::Parameter& p = it->second;
  if (desiredType != typeWildCard && desiredType != p.type) return errAECoercionFail;
  if (actualType) *actualType = p.type;
  if (actualSize) *actualSize = p.bytes.size();
  if (data && !p.bytes.empty()) std::memcpy(data, p.bytes.data(), std::min<size_t>(bufferSize, p.bytes.size()));
  return noErr;
}

OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler, ItemCount numTypes,
                             const EventTypeSpec* list, void* userData, EventHandlerRef* outRef) {
  if (!target || !handler || (numTypes && !list)) return paramErr;
  EventHandlerRef h =
      new OpaqueEventHandlerRef{target, handler, std::vector<EventTypeSpec>(list, list + numTypes), userData, false};
  Handlers().records.insert(h);
  target->handlers.insert(target->handlers.begin(), h);
  if (outRef) *outRef = h;
  return noErr;
}

OSStatus RemoveEventHandler(EventHandlerRef handler) {
  if (!handler || !Handlers().records.count(handler) || handler->removed) return paramErr;
  handler->removed = true;
  if (handler->target) {
    auto& list = handler->target->handlers;
    list.erase(std::remove(list.begin(), list.end(), handler), list.end());
  }
  gRemovedHandlers.push_back(handler);
  PurgeRemovedHandlers();
  return noErr;
}

OSStatus CallNextEventHandler(EventHandlerCallRef next, EventRef event) {
  if (!next || !event) return paramErr;
  ++gDispatching;
  const OSStatus result = Dispatch(next->target, next->chain, next->next, event, next->options);
  --gDispatching;
  return result;
}

OSStatus SendEventToEventTarget(EventRef event, EventTargetRef target) {
  return SendEventToEventTargetWithOptions(event, target, 0);
}

OSStatus SendEventToEventTargetWithOptions(EventRef event, EventTargetRef target, OptionBits options) {
  if (!event || !target || !LiveTargets().count(target)) return paramErr;
  standin::EventDelivery delivery;
  RetainEvent(event);
  ++gDispatching;
  const std::vector<EventHandlerRef> chain = target->handlers;
  const OSStatus result = Dispatch(target, chain, 0, event, options);
  --gDispatching;
  PurgeRemovedHandlers();
  ReleaseEvent(event);
  return result;
}

EventLoopRef GetMainEventLoop() {
  static OpaqueEventLoopRef mainLoop;
  return &mainLoop;
}

OSStatus InstallEventLoopTimer(EventLoopRef loop, EventTimerInterval fireDelay, EventTimerInterval interval,
                               EventLoopTimerUPP proc, void* userData, EventLoopTimerRef* outTimer) {
  if (loop != GetMainEventLoop() || !proc || !outTimer) return paramErr;
  const bool once = interval <= 0.0;
  auto* timer = new OpaqueEventLoopTimerRef{nullptr, proc, userData, once};
  timer->timer = standin::AddRunLoopTimer(fireDelay, once ? 1.0 : interval, once ? FireOnce : FireTimer, timer);
  *outTimer = timer;
  return noErr;
}

OSStatus RemoveEventLoopTimer(EventLoopTimerRef timer) {
  if (!timer) return paramErr;
  standin::RemoveRunLoopTimer(timer->timer);
  delete timer;
  return noErr;
}
