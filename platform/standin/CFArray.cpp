#include "platform/standin/CFArray.h"

#include <vector>

#include "platform/standin/CFObject.h"
#include "platform/standin/CFString.h"

namespace {

const void* TypeRetain(CFAllocatorRef, const void* value) { return CFRetain(value); }
void TypeRelease(CFAllocatorRef, const void* value) { CFRelease(value); }

}  // namespace

const CFArrayCallBacks kCFTypeArrayCallBacks = {0, TypeRetain, TypeRelease, CFCopyDescription, CFEqual};

struct StandinCFArray : standin::CFObject {
  explicit StandinCFArray(const CFArrayCallBacks* cb) : CFObject(standin::kArrayTypeID) {
    if (cb) callBacks = *cb;
  }
  ~StandinCFArray() override {
    if (!callBacks.release) return;
    for (const void* value : values) callBacks.release(kCFAllocatorDefault, value);
  }
  std::string describe() const override {
    std::string text = "(";
    for (const void* value : values) {
      CFStringRef d = callBacks.copyDescription ? callBacks.copyDescription(value) : nullptr;
      text += (d ? standin::CFStringText(d) : std::string("<value>")) + ",";
      if (d) CFRelease(d);
    }
    return text + ")";
  }
  CFArrayCallBacks callBacks = {0, nullptr, nullptr, nullptr, nullptr};
  std::vector<const void*> values;
};

namespace {
const StandinCFArray* AsArray(CFArrayRef ref) { return standin::CFCast<StandinCFArray>(ref, standin::kArrayTypeID); }
}  // namespace

CFTypeID CFArrayGetTypeID() { return standin::kArrayTypeID; }

CFMutableArrayRef CFArrayCreateMutable(CFAllocatorRef, CFIndex capacity, const CFArrayCallBacks* callBacks) {
  StandinCFArray* array = standin::CFCreate<StandinCFArray>(callBacks);
  if (array && capacity > 0) array->values.reserve(static_cast<size_t>(capacity));
  return array;
}

void CFArrayAppendValue(CFMutableArrayRef array, const void* value) {
  if (!AsArray(array)) return;
  if (array->callBacks.retain) value = array->callBacks.retain(kCFAllocatorDefault, value);
  array->values.push_back(value);
}

CFIndex CFArrayGetCount(CFArrayRef array) {
  const StandinCFArray* a = AsArray(array);
  return a ? static_cast<CFIndex>(a->values.size()) : 0;
}

const void* CFArrayGetValueAtIndex(CFArrayRef array, CFIndex index) {
  const StandinCFArray* a = AsArray(array);
  if (!a || index < 0 || index >= static_cast<CFIndex>(a->values.size())) return nullptr;
  return a->values[static_cast<size_t>(index)];
}
