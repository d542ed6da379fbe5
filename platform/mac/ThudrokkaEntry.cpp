#include "platform/mac/ThudrokkaEntry.h"

#include <mutex>

#include "platform/mac/IPlugAU.h"
#include "platform/mac/ThudrokkaView.h"

ComponentResult Thudrokka_Entry(ComponentParameters* params, void* storage) {
  return IPlugAU::IPlugAUEntry(params, storage);
}

ComponentResult Thudrokka_ViewEntry(ComponentParameters* params, void* storage) {
  return IPlugAU::IPlugAUCarbonViewEntry(params, storage);
}

void RegisterThudrokkaComponents() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    standin::RegisterComponent(kThudrokkaComponentDescription, Thudrokka_Entry);
    standin::RegisterComponent(kThudrokkaViewComponentDescription, Thudrokka_ViewEntry);
  });
  RegisterThudrokkaViewClass();
}
