// The Carbon view component entry of a unit without an editor host.

#include "platform/standin/AudioUnitCarbonView.h"
#include "tests/platform/HostFixture.h"
#include "tests/support/RecordingGraphics.h"

namespace {

using testsupport::RecordingGraphics;

class CarbonViewEntryTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    Component component = FindNextComponent(nullptr, &kThudrokkaViewComponentDescription);
    ASSERT_NE(component, nullptr);
    ASSERT_EQ(OpenAComponent(component, &view), noErr);
    ASSERT_NE(GetComponentInstanceStorage(view), nullptr);
  }

  void TearDown() override {
    if (view) {
      EXPECT_EQ(CloseComponent(view), noErr);
    }
    HostTest::TearDown();
  }

  ComponentResult Create(AudioUnit audioUnit) {
    long control = 0;
    return standin::CallComponentSelector(view, kAudioUnitCarbonViewCreateSelect,
                                          {standin::PointerWord(audioUnit), 0, 0, 0, 0, standin::PointerWord(&control)});
  }

  ComponentInstance view = nullptr;
};

TEST_F(CarbonViewEntryTest, CreateFailsWithoutPlugInOrEditor) {
  EXPECT_EQ(Create(nullptr), badComponentSelector);
  fake::FakePlug* plug = Open();
  EXPECT_EQ(Create(unit()), badComponentSelector);
  plug->AttachGraphics(new RecordingGraphics());
  EXPECT_EQ(Create(unit()), badComponentSelector);
}

TEST_F(CarbonViewEntryTest, OtherSelectorsAreRefusedAndCloseNeedsNoCreate) {
  for (SInt16 selector : std::initializer_list<SInt16>{kComponentCanDoSelect, kComponentVersionSelect, 0x302}) {
    EXPECT_EQ(standin::CallComponentSelector(view, selector, {}), badComponentSelector) << selector;
  }
  EXPECT_EQ(CloseComponent(view), noErr);
  view = nullptr;
}

}  // namespace
