#include "framework/WDL_Mutex.h"
#include "instrument/Thudrokka.h"

namespace {
constexpr const char* kViewFactoryClassName = "Thudrokka_View";
}  // namespace

// Construction is serialised across the process with a lock of its own,
// apart from every instrument's mutex. An exception from the constructor
// passes on after the lock is released.
IPlugAU* MakePlug() {
  static WDL_Mutex sMutex;
  WDL_MutexLock lock(&sMutex);
  IPlugInstanceInfo info;
  info.mBundleID.Set(Thudrokka::kBundleID);
  info.mCocoaViewFactoryClassName.Set(kViewFactoryClassName);
  return new Thudrokka(info);
}
