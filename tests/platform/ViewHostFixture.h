#pragma once

#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/CFBundle.h"
#include "platform/standin/NSObject.h"
#include "tests/platform/HostFixture.h"
#include "tests/platform/ViewTestSupport.h"

namespace viewtest {

constexpr const char* kFakeBundleID = "com.example.fakeplug";

// A host that opens fakes with the small test editor and asks them for views.
class ViewHostTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    standin::RegisterBundle(kFakeBundleID, "/opt/fake/Fake.component");
  }

  void TearDown() override {
    session.CloseCarbonView();
    standin::DrainAutoreleasePool();
    HostTest::TearDown();
    standin::SetBundleResourceFolder(kFakeBundleID, "");
  }

  static void AttachEditor(IPlugAU* plug) {
    plug->AttachGraphics(MakeTestEditor(plug, kFakeBundleID, fake::kVolume));
  }

  fake::FakePlug* OpenWithEditor(standin::HostSession* host) {
    fake::FakePlugConfig config;
    config.makeEditor = AttachEditor;
    return Open(host, config);
  }
  fake::FakePlug* OpenWithEditor() { return OpenWithEditor(&session); }

  static IGraphicsMac* Editor(fake::FakePlug* plug) { return static_cast<IGraphicsMac*>(plug->GetGUI()); }
};

}  // namespace viewtest
