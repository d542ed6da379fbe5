#include "platform/mac/ThudrokkaView.h"

#include <mutex>

#include "platform/mac/IPlugAU.h"
#include "platform/mac/ToNSString.h"

NSObject* Thudrokka_View::init() {
  mPlug = nullptr;
  return NSObject::init();
}

NSView* Thudrokka_View::uiViewForAudioUnit(AudioUnit unit, NSSize) {
  IPlugAU* plug = reinterpret_cast<IPlugAU*>(GetComponentInstanceStorage(unit));
  mPlug = plug;
  if (!plug || !plug->GetGUI()) return nullptr;
  return static_cast<NSView*>(plug->GetGUI()->OpenWindow(nullptr));
}

std::string Thudrokka_View::description() { return ToNSString("Thudrokka 1.5 FREE View"); }

void RegisterThudrokkaViewClass() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    standin::RegisterClass("Thudrokka_View", []() -> NSObject* { return new Thudrokka_View(); });
  });
}
