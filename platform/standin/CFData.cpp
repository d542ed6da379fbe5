#include "platform/standin/CFData.h"

#include <vector>

#include "platform/standin/CFObject.h"

struct StandinCFData : standin::CFObject {
  StandinCFData(const UInt8* b, CFIndex n) : CFObject(standin::kDataTypeID), bytes(b, b + n) {}
  bool equals(const CFObject& other) const override {
    return bytes == static_cast<const StandinCFData&>(other).bytes;
  }
  const std::vector<UInt8> bytes;
};

namespace {
const StandinCFData* AsData(CFDataRef ref) { return standin::CFCast<StandinCFData>(ref, standin::kDataTypeID); }
}  // namespace

CFTypeID CFDataGetTypeID() { return standin::kDataTypeID; }

CFDataRef CFDataCreate(CFAllocatorRef, const UInt8* bytes, CFIndex length) {
  if (length < 0 || (length > 0 && !bytes)) return nullptr;
  return standin::CFCreate<StandinCFData>(bytes, length);
}

CFIndex CFDataGetLength(CFDataRef data) {
  const StandinCFData* d = AsData(data);
  return d ? static_cast<CFIndex>(d->bytes.size()) : 0;
}

const UInt8* CFDataGetBytePtr(CFDataRef data) {
  const StandinCFData* d = AsData(data);
  return (d && !d->bytes.empty()) ? d->bytes.data() : nullptr;
}
