#pragma once

#include <string>

#include "platform/standin/AUCocoaUIView.h"
#include "platform/standin/NSObject.h"

class IPlugBase;

// The Cocoa view factory that hosts find by name through the Cocoa UI
// property. It builds no view itself: it opens the editor of the unit's
// plug-in as a Cocoa view and hands that over.
class Thudrokka_View : public NSObject, public AUCocoaUIBase {
 public:
  NSObject* init() override;
  // The editor's view at the editor's own size, or null without a plug-in
  // or an editor.
  NSView* uiViewForAudioUnit(AudioUnit unit, NSSize size) override;
  unsigned interfaceVersion() override { return 0; }
  std::string description() override;

  // The plug-in of the unit last asked for.
  IPlugBase* mPlug = nullptr;
};

// Makes the factory class known under its name, once per process.
void RegisterThudrokkaViewClass();
