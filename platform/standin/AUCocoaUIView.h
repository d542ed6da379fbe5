// Stands in for the platform's Cocoa view factory protocol of Audio Units (AUCocoaUIBase in AUCocoaUIView) on Linux.
#pragma once

#include "platform/standin/AUComponent.h"
#include "platform/standin/NSGeometry.h"

class NSView;

// What the factory class named by the Cocoa UI property adopts. A host makes
// an instance by name, asks it for the view and releases it; the view is the
// host's to place.
class AUCocoaUIBase {
 public:
  virtual unsigned interfaceVersion() = 0;
  virtual NSView* uiViewForAudioUnit(AudioUnit unit, NSSize preferredSize) = 0;

 protected:
  ~AUCocoaUIBase() = default;
};
