// Stands in for Carbon events, their handlers and the event-loop timers (CarbonEvents) on Linux: events with typed parameters, handler chains on targets, timers on the manual run loop.
#pragma once

#include <vector>

#include "platform/standin/CFBase.h"

typedef struct OpaqueEventRef* EventRef;
typedef struct OpaqueEventTargetRef* EventTargetRef;
typedef struct OpaqueEventHandlerRef* EventHandlerRef;
typedef struct OpaqueEventHandlerCallRef* EventHandlerCallRef;
typedef struct OpaqueEventLoopRef* EventLoopRef;
typedef struct OpaqueEventLoopTimerRef* EventLoopTimerRef;
typedef OSType EventParamName;
typedef OSType EventParamType;
typedef unsigned long ByteCount;
typedef unsigned long ItemCount;
typedef double EventTime;
typedef double EventTimerInterval;
typedef UInt32 EventAttributes;

typedef OSStatus (*EventHandlerProcPtr)(EventHandlerCallRef next, EventRef event, void* userData);
typedef EventHandlerProcPtr EventHandlerUPP;
inline EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr proc) { return proc; }
typedef void (*EventLoopTimerProcPtr)(EventLoopTimerRef timer, void* userData);
typedef EventLoopTimerProcPtr EventLoopTimerUPP;
inline EventLoopTimerUPP NewEventLoopTimerUPP(EventLoopTimerProcPtr proc) { return proc; }

struct EventTypeSpec {
  UInt32 eventClass;
  UInt32 eventKind;
};

enum : UInt32 {
  kEventClassMouse = FourCC("mous"),
  kEventClassKeyboard = FourCC("keyb"),
  kEventClassWindow = FourCC("wind"),
  kEventClassControl = FourCC("cntl"),
};

enum : UInt32 {
  kEventMouseDown = 1,
  kEventMouseUp = 2,
  kEventMouseMoved = 5,
  kEventMouseDragged = 6,
  kEventMouseWheelMoved = 10,
  kEventRawKeyDown = 1,
  kEventRawKeyRepeat = 2,
  kEventWindowDeactivated = 6,
  kEventControlDraw = 4,
  kEventControlDispose = 1001,
};

enum : EventParamName {
  kEventParamDirectObject = FourCC("----"),
  kEventParamWindowMouseLocation = FourCC("wmou"),
  kEventParamKeyModifiers = FourCC("kmod"),
  kEventParamMouseButton = FourCC("mbtn"),
  kEventParamClickCount = FourCC("ccnt"),
  kEventParamMouseWheelAxis = FourCC("mwax"),
  kEventParamMouseWheelDelta = FourCC("mwdl"),
  kEventParamKeyCode = FourCC("kcod"),
  kEventParamKeyMacCharCodes = FourCC("kchr"),
  kEventParamCGContextRef = FourCC("cntx"),
  kEventParamGrafPort = FourCC("graf"),
  kEventParamRgnHandle = FourCC("rgnh"),
};

enum : EventParamType {
  typeWildCard = FourCC("****"),
  typeHIPoint = FourCC("hipt"),
  typeUInt32 = FourCC("magn"),
  typeSInt32 = FourCC("long"),
  typeMouseButton = FourCC("mbtn"),
  typeMouseWheelAxis = FourCC("mwax"),
  typeChar = FourCC("TEXT"),
  typeCGContextRef = FourCC("cntx"),
  typeGrafPtr = FourCC("grfp"),
  typeQDRgnHandle = FourCC("rgnh"),
  typeWindowRef = FourCC("wind"),
  typeControlRef = FourCC("ctrl"),
};

typedef UInt16 EventMouseButton;
typedef UInt16 EventMouseWheelAxis;
enum : EventMouseButton { kEventMouseButtonPrimary = 1, kEventMouseButtonSecondary = 2 };
enum : EventMouseWheelAxis { kEventMouseWheelAxisX = 0, kEventMouseWheelAxisY = 1 };
enum : UInt32 { cmdKey = 0x100, shiftKey = 0x200, optionKey = 0x800, controlKey = 0x1000 };

constexpr OSStatus eventNotHandledErr = -9874;
constexpr OSStatus eventParameterNotFoundErr = -9870;
constexpr OSStatus errAECoercionFail = -1700;

// The platform's event targets: each Carbon window and control is one.
// Handlers run most recently installed first; an event that none of them
// takes gets the target's standard handling, then goes to its parent.
struct OpaqueEventTargetRef {
  OpaqueEventTargetRef();
  virtual ~OpaqueEventTargetRef();
  OpaqueEventTargetRef(const OpaqueEventTargetRef&) = delete;
  OpaqueEventTargetRef& operator=(const OpaqueEventTargetRef&) = delete;

  // What the platform does with an event no handler took; answers as a handler does.
  virtual OSStatus standardHandler(EventRef) { return eventNotHandledErr; }
  virtual EventTargetRef parentTarget() const { return nullptr; }

  std::vector<EventHandlerRef> handlers;
};

OSStatus CreateEvent(CFAllocatorRef allocator, UInt32 eventClass, UInt32 kind, EventTime when,
                     EventAttributes flags, EventRef* outEvent);
EventRef RetainEvent(EventRef event);
void ReleaseEvent(EventRef event);
UInt32 GetEventClass(EventRef event);
UInt32 GetEventKind(EventRef event);
OSStatus SetEventParameter(EventRef event, EventParamName name, EventParamType type, ByteCount size,
                           const void* data);
// The parameter must have been set with the desired type (or typeWildCard is
// asked for); at most bufferSize bytes are copied, actualSize gets them all.
OSStatus GetEventParameter(EventRef event, EventParamName name, EventParamType desiredType,
                           EventParamType* actualType, ByteCount bufferSize, ByteCount* actualSize, void* data);

OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler, ItemCount numTypes,
                             const EventTypeSpec* list, void* userData, EventHandlerRef* outRef);
// A handler may remove itself, or another, while it runs.
OSStatus RemoveEventHandler(EventHandlerRef handler);
// Runs the rest of the chain the calling handler is in.
OSStatus CallNextEventHandler(EventHandlerCallRef next, EventRef event);
OSStatus SendEventToEventTarget(EventRef event, EventTargetRef target);
typedef UInt32 OptionBits;
// The event stays with the target: what it leaves goes no further.
enum : OptionBits { kEventTargetDontPropagate = 1 };
OSStatus SendEventToEventTargetWithOptions(EventRef event, EventTargetRef target, OptionBits options);

EventLoopRef GetMainEventLoop();
// The timer first fires after fireDelay seconds (0: at the next turn of the
// run loop), then every interval, or only once when the interval is 0.
OSStatus InstallEventLoopTimer(EventLoopRef loop, EventTimerInterval fireDelay, EventTimerInterval interval,
                               EventLoopTimerUPP proc, void* userData, EventLoopTimerRef* outTimer);
OSStatus RemoveEventLoopTimer(EventLoopTimerRef timer);
