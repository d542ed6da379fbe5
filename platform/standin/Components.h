// Stands in for the platform's Component Manager interface (Components) on Linux.
#pragma once

#include <cstring>
#include <initializer_list>

#include "platform/standin/MacTypes.h"

typedef struct StandinComponentRecord* Component;
typedef struct StandinComponentInstanceRecord* ComponentInstance;
typedef SInt32 ComponentResult;
typedef char** Handle;

struct ComponentDescription {
  OSType componentType;
  OSType componentSubType;
  OSType componentManufacturer;
  UInt32 componentFlags;
  UInt32 componentFlagsMask;
};

// The platform's record ends in an open array; this one has room for the
// longest call plus the trailing word that holds the instance. Each word is
// pointer-sized.
enum { kComponentParametersMaxWords = 8 };

struct ComponentParameters {
  UInt8 flags;
  UInt8 paramSize;  // bytes of argument words, not counting the instance word
  SInt16 what;
  long params[kComponentParametersMaxWords];
};

typedef ComponentResult (*ComponentRoutineProcPtr)(ComponentParameters* params, void* storage);

enum : SInt16 {
  kComponentOpenSelect = -1,
  kComponentCloseSelect = -2,
  kComponentCanDoSelect = -3,
  kComponentVersionSelect = -4,
};

constexpr OSStatus invalidComponentID = -3000;
constexpr OSStatus gestaltUndefSelectorErr = -5551;
constexpr OSStatus badComponentInstance = SInt32(0x80008001);
constexpr OSStatus badComponentSelector = SInt32(0x80008002);

// Zero fields of the description match anything.
Component FindNextComponent(Component previous, const ComponentDescription* looking);
// Runs the component's open selector; a failed open leaves no instance.
OSStatus OpenAComponent(Component component, ComponentInstance* outInstance);
// Runs the close selector and ends the instance whatever it answers.
OSStatus CloseComponent(ComponentInstance instance);
// Accepts a component or one of its instances, as the platform does.
OSErr GetComponentInfo(Component component, ComponentDescription* outDescription, Handle name, Handle info,
                       Handle icon);
void SetComponentInstanceStorage(ComponentInstance instance, Handle storage);
Handle GetComponentInstanceStorage(ComponentInstance instance);
// Sends a parameter block to the entry of the instance held in its trailing word.
ComponentResult CallComponentDispatch(ComponentParameters* params);
ComponentResult ComponentFunctionImplemented(ComponentInstance instance, SInt16 selector);
ComponentResult GetComponentVersion(ComponentInstance instance);
OSErr Gestalt(OSType selector, SInt32* response);

namespace standin {

// Builds the parameter block of one call (arguments in the call's order,
// without the instance) and dispatches it to the instance's entry.
ComponentResult CallComponentSelector(ComponentInstance instance, SInt16 selector, std::initializer_list<long> args);

template <class T>
long PointerWord(T* pointer) {
  return reinterpret_cast<long>(pointer);
}

// A 32-bit float travels as its bit pattern in the low half of a word.
inline long FloatWord(Float32 value) {
  UInt32 bits;
  std::memcpy(&bits, &value, sizeof(bits));
  return static_cast<long>(bits);
}

Component RegisterComponent(const ComponentDescription& description, ComponentRoutineProcPtr entry);
// What Gestalt answers for the system version ('sysv').
void SetSystemVersion(SInt32 version);

}  // namespace standin
