#include "platform/standin/Components.h"

#include <algorithm>
#include <mutex>
#include <vector>

struct StandinComponentRecord {
  ComponentDescription description;
  ComponentRoutineProcPtr entry;
};

struct StandinComponentInstanceRecord {
  Component component;
  Handle storage;
};

namespace {

std::mutex gLock;
SInt32 gSystemVersion = 0x1090;

// Registered components live as long as the process; the lists are never
// destroyed so that no exit-time destructor drops them.
std::vector<Component>& Components() {
  static auto* components = new std::vector<Component>();
  return *components;
}

std::vector<ComponentInstance>& Instances() {
  static auto* instances = new std::vector<ComponentInstance>();
  return *instances;
}

bool Matches(OSType want, OSType have) { return want == 0 || want == have; }

// Handles are compared by address so a stale or foreign pointer is never followed.
ComponentInstance FindInstance(const void* handle) {
  for (ComponentInstance instance : Instances()) {
    if (static_cast<const void*>(instance) == handle) return instance;
  }
  return nullptr;
}

Component FindComponent(const void* handle) {
  for (Component component : Components()) {
    if (static_cast<const void*>(component) == handle) return component;
  }
  return nullptr;
}

ComponentResult CallEntry(ComponentRoutineProcPtr entry, SInt16 selector, ComponentInstance instance, Handle storage) {
  ComponentParameters params = {};
  params.what = selector;
  params.paramSize = sizeof(long);
  params.params[0] = standin::PointerWord(instance);
  params.params[1] = standin::PointerWord(instance);
  return entry(&params, storage);
}

}  // namespace

Component standin::RegisterComponent(const ComponentDescription& description, ComponentRoutineProcPtr entry) {
  std::lock_guard<std::mutex> lock(gLock);
  Component component = new StandinComponentRecord{description, entry};
  Components().push_back(component);
  return component;
}

void standin::SetSystemVersion(SInt32 version) {
  std::lock_guard<std::mutex> lock(gLock);
  gSystemVersion = version;
}

Component FindNextComponent(Component previous, const ComponentDescription* looking) {
  std::lock_guard<std::mutex> lock(gLock);
  auto it = Components().begin();
  if (previous) {
    it = std::find(Components().begin(), Components().end(), previous);
    if (it == Components().end()) return nullptr;
    ++it;
  }
  for (; it != Components().end(); ++it) {
    const ComponentDescription& d = (*it)->description;
    if (!looking || (Matches(looking->componentType, d.componentType) &&
                     Matches(looking->componentSubType, d.componentSubType) &&
                     Matches(looking->componentManufacturer, d.componentManufacturer))) {
      return *it;
    }
  }
  return nullptr;
}

OSStatus OpenAComponent(Component component, ComponentInstance* outInstance) {
  if (!outInstance) return paramErr;
  *outInstance = nullptr;
  ComponentInstance instance;
  {
    std::lock_guard<std::mutex> lock(gLock);
    if (!FindComponent(component)) return invalidComponentID;
    instance = new StandinComponentInstanceRecord{component, nullptr};
    Instances().push_back(instance);
  }
  ComponentResult result = CallEntry(component->entry, kComponentOpenSelect, instance, nullptr);
  if (result != noErr) {
    std::lock_guard<std::mutex> lock(gLock);
    Instances().erase(std::find(Instances().begin(), Instances().end(), instance));
    delete instance;
    return result;
  }
  *outInstance = instance;
  return noErr;
}

OSStatus CloseComponent(ComponentInstance instance) {
  ComponentRoutineProcPtr entry;
  Handle storage;
  {
    std::lock_guard<std::mutex> lock(gLock);
    if (!FindInstance(instance)) return badComponentInstance;
    entry = instance->component->entry;
    storage = instance->storage;
  }
  CallEntry(entry, kComponentCloseSelect, instance, storage);
  std::lock_guard<std::mutex> lock(gLock);
  Instances().erase(std::find(Instances().begin(), Instances().end(), instance));
  delete instance;
  return noErr;
}

OSErr GetComponentInfo(Component component, ComponentDescription* outDescription, Handle, Handle, Handle) {
  std::lock_guard<std::mutex> lock(gLock);
  Component found = FindComponent(component);
  if (!found) {
    ComponentInstance instance = FindInstance(component);
    if (!instance) return invalidComponentID;
    found = instance->component;
  }
  if (outDescription) *outDescription = found->description;
  return noErr;
}

void SetComponentInstanceStorage(ComponentInstance instance, Handle storage) {
  std::lock_guard<std::mutex> lock(gLock);
  if (FindInstance(instance)) instance->storage = storage;
}

Handle GetComponentInstanceStorage(ComponentInstance instance) {
  std::lock_guard<std::mutex> lock(gLock);
  return FindInstance(instance) ? instance->storage : nullptr;
}

ComponentResult CallComponentDispatch(ComponentParameters* params) {
  if (!params) return badComponentSelector;
  size_t words = params->paramSize / sizeof(long);
  if (words >= kComponentParametersMaxWords) return badComponentSelector;
  ComponentRoutineProcPtr entry;
  Handle storage;
  {
    std::lock_guard<std::mutex> lock(gLock);
    ComponentInstance instance = FindInstance(reinterpret_cast<const void*>(params->params[words]));
    if (!instance) return badComponentInstance;
    entry = instance->component->entry;
    storage = instance->storage;
  }
  return entry(params, storage);
}

ComponentResult standin::CallComponentSelector(ComponentInstance instance, SInt16 selector,
                                               std::initializer_list<long> args) {
  if (args.size() + 1 > kComponentParametersMaxWords) return badComponentSelector;
  ComponentParameters params = {};
  params.what = selector;
  params.paramSize = static_cast<UInt8>(args.size() * sizeof(long));
  size_t word = args.size();
  for (long arg : args) params.params[--word] = arg;
  params.params[args.size()] = PointerWord(instance);
  return CallComponentDispatch(&params);
}

ComponentResult ComponentFunctionImplemented(ComponentInstance instance, SInt16 selector) {
  return standin::CallComponentSelector(instance, kComponentCanDoSelect, {selector});
}

ComponentResult GetComponentVersion(ComponentInstance instance) {
  return standin::CallComponentSelector(instance, kComponentVersionSelect, {});
}

OSErr Gestalt(OSType selector, SInt32* response) {
  if (!response || selector != FourCC("sysv")) return static_cast<OSErr>(gestaltUndefSelectorErr);
  std::lock_guard<std::mutex> lock(gLock);
  *response = gSystemVersion;
  return noErr;
}
