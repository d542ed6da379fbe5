#include "platform/standin/CFNumber.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/standin/CFObject.h"

struct StandinCFNumber : standin::CFObject {
  StandinCFNumber(bool isFloat, SInt64 i, double d)
      : CFObject(standin::kNumberTypeID), isFloat(isFloat), intValue(i), floatValue(d) {}
  bool equals(const CFObject& other) const override {
    const StandinCFNumber& o = static_cast<const StandinCFNumber&>(other);
    return isFloat == o.isFloat && (isFloat ? floatValue == o.floatValue : intValue == o.intValue);
  }
  const bool isFloat;
  const SInt64 intValue;
  const double floatValue;
};

CFTypeID CFNumberGetTypeID() { return standin::kNumberTypeID; }

CFNumberRef CFNumberCreate(CFAllocatorRef, CFNumberType type, const void* value) {
  if (!value) return nullptr;
  switch (type) {
    case kCFNumberSInt32Type: {
      SInt32 v;
      std::memcpy(&v, value, sizeof(v));
      return standin::CFCreate<StandinCFNumber>(false, v, 0.0);
    }
    case kCFNumberSInt64Type: {
      SInt64 v;
      std::memcpy(&v, value, sizeof(v));
      return standin::CFCreate<StandinCFNumber>(false, v, 0.0);
    }
    case kCFNumberFloat64Type: {
      double v;
      std::memcpy(&v, value, sizeof(v));
      return standin::CFCreate<StandinCFNumber>(true, 0, v);
    }
  }
  return nullptr;
}

Boolean CFNumberGetValue(CFNumberRef number, CFNumberType type, void* value) {
  const StandinCFNumber* n = standin::CFCast<StandinCFNumber>(number, standin::kNumberTypeID);
  if (!n || !value) return false;
  if (type == kCFNumberFloat64Type) {
    double v = n->isFloat ? n->floatValue : static_cast<double>(n->intValue);
    std::memcpy(value, &v, sizeof(v));
    const SInt64 exactLimit = SInt64(1) << 53;
    return n->isFloat || (n->intValue >= -exactLimit && n->intValue <= exactLimit);
  }
  SInt64 wide;
  bool exact = true;
  if (n->isFloat) {
    double d = n->floatValue;
    bool inRange = std::isfinite(d) && d >= -9.2e18 && d <= 9.2e18;
    wide = inRange ? static_cast<SInt64>(d) : 0;
    exact = inRange && static_cast<double>(wide) == d;
  } else {
    wide = n->intValue;
  }
  if (type == kCFNumberSInt64Type) {
    std::memcpy(value, &wide, sizeof(wide));
    return exact;
  }
  if (type == kCFNumberSInt32Type) {
    SInt32 narrow = static_cast<SInt32>(wide);
    std::memcpy(value, &narrow, sizeof(narrow));
    return exact && wide >= std::numeric_limits<SInt32>::min() && wide <= std::numeric_limits<SInt32>::max();
  }
  return false;
}
