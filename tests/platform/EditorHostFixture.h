#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/mac/IGraphicsCocoa.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/CFBundle.h"
#include "platform/standin/NSView.h"
#include "platform/standin/RunLoop.h"
#include "platform/standin/UserScript.h"
#include "tests/framework/TestHostPlug.h"

namespace hosttest {

constexpr const char* kBundleID = "com.quillvane.audiounit.Thudrokka";
constexpr const char* kBundleLocation = "/Library/Audio/Plug-Ins/Components/Thudrokka.component";

// A plug-in with its editor host attached, and a host window to open it in.
struct EditorHostFixture : testing::Test {
  explicit EditorHostFixture(int w = 200, int h = 100)
      : gui(new IGraphicsMac(&plug, w, h)), window(new NSWindow(NSMakeRect(300, 200, w, h))) {
    standin::ResetUserScript();
    standin::RegisterBundle(kBundleID, kBundleLocation);
    gui->SetBundleID(kBundleID);
    plug.InitUnitParams(0.5);
    plug.AttachGraphics(gui);
  }

  IGraphicsCocoa_vThudrokka_au* Open() {
    return static_cast<IGraphicsCocoa_vThudrokka_au*>(gui->OpenWindow(window->contentView()));
  }
  // One tick of the 25 Hz timer and the redraw that follows it.
  void Tick() { standin::RunLoopAdvance(0.04); }

  fwtest::TestHostPlug plug;
  IGraphicsMac* gui;
  std::unique_ptr<NSWindow> window;
};

}  // namespace hosttest
