// The Carbon view component entry: its record, the editor it opens and closes, the selectors it refuses.

#include <vector>

#include "platform/mac/IGraphicsCarbon.h"
#include "platform/standin/AudioUnitCarbonView.h"
#include "tests/platform/ViewHostFixture.h"
#include "tests/support/RecordingGraphics.h"

namespace {

using testsupport::RecordingGraphics;

class CarbonViewEntryTest : public viewtest::ViewHostTest {
 protected:
  void SetUp() override {
    ViewHostTest::SetUp();
    view = OpenView();
    ASSERT_NE(view, nullptr);
    const Rect bounds{100, 100, 400, 500};
    ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, kWindowCompositingAttribute, &bounds, &window), noErr);
  }

  void TearDown() override {
    for (ComponentInstance v : views) CloseComponent(v);
    session.Close();
    DisposeWindow(window);
    ViewHostTest::TearDown();
  }

  ComponentInstance OpenView() {
    Component component = FindNextComponent(nullptr, &kThudrokkaViewComponentDescription);
    ComponentInstance instance = nullptr;
    if (!component || OpenAComponent(component, &instance) != noErr) return nullptr;
    EXPECT_NE(GetComponentInstanceStorage(instance), nullptr);
    views.push_back(instance);
    return instance;
  }

  ComponentResult Close(ComponentInstance instance) {
    views.erase(std::remove(views.begin(), views.end(), instance), views.end());
    return CloseComponent(instance);
  }

  ComponentResult Create(ComponentInstance instance, AudioUnit audioUnit, ControlRef* control) {
    const Float32Point location = {10, 20}, size = {30, 40};
    return AudioUnitCarbonViewCreate(instance, audioUnit, window, nullptr, &location, &size, control);
  }

  ComponentInstance view = nullptr;
  std::vector<ComponentInstance> views;
  WindowRef window = nullptr;
};

TEST_F(CarbonViewEntryTest, CreateNeedsAPlugInWithAnEditor) {
  ControlRef control = nullptr;
  EXPECT_EQ(Create(view, nullptr, &control), badComponentSelector);
  fake::FakePlug* plug = Open();
  EXPECT_EQ(Create(view, unit(), &control), badComponentSelector);
  // An editor that cannot show itself in a window gives no control.
  plug->AttachGraphics(new RecordingGraphics());
  control = reinterpret_cast<ControlRef>(&control);
  EXPECT_EQ(Create(view, unit(), &control), noErr);
  EXPECT_EQ(control, nullptr);
}

TEST_F(CarbonViewEntryTest, CreateOpensTheEditorInTheWindowAndCloseClosesIt) {
  fake::FakePlug* plug = OpenWithEditor();
  IGraphicsMac* editor = Editor(plug);
  ControlRef control = nullptr;
  ASSERT_EQ(Create(view, unit(), &control), noErr);
  ASSERT_NE(control, nullptr);
  ASSERT_NE(editor->GetGraphicsCarbon(), nullptr);
  EXPECT_EQ(control, editor->GetGraphicsCarbon()->GetView());
  EXPECT_EQ(control->window(), window);
  // The location and size asked for are not used.
  EXPECT_EQ(control->frame().origin.x, 0);
  EXPECT_EQ(control->frame().size.width, viewtest::kEditorWidth);
  EXPECT_EQ(control->frame().size.height, viewtest::kEditorHeight);
  EXPECT_EQ(Close(view), noErr);
  EXPECT_FALSE(editor->WindowIsOpen());
  EXPECT_EQ(control->window(), window) << "the pane stays where it was";
}

TEST_F(CarbonViewEntryTest, CloseWithoutCreateLeavesTheEditorAlone) {
  fake::FakePlug* plug = OpenWithEditor();
  IGraphicsMac* editor = Editor(plug);
  ComponentInstance other = OpenView();
  ControlRef control = nullptr;
  ASSERT_EQ(Create(other, unit(), &control), noErr);
  EXPECT_EQ(Close(view), noErr);
  EXPECT_TRUE(editor->WindowIsOpen());
  EXPECT_EQ(Close(other), noErr);
  EXPECT_FALSE(editor->WindowIsOpen());
}

// A host may close the unit, and with it the plug-in and its editor, before
// the view component: closing the view then must not reach the plug-in.
TEST_F(CarbonViewEntryTest, TheViewMayCloseAfterItsUnit) {
  OpenWithEditor();
  ControlRef control = nullptr;
  ASSERT_EQ(Create(view, unit(), &control), noErr);
  ASSERT_EQ(session.Close(), noErr);
  EXPECT_EQ(control->window(), window);
  EXPECT_EQ(Close(view), noErr);
}

TEST_F(CarbonViewEntryTest, OtherSelectorsAreRefused) {
  for (SInt16 selector : std::initializer_list<SInt16>{kComponentCanDoSelect, kComponentVersionSelect, 0x302}) {
    EXPECT_EQ(standin::CallComponentSelector(view, selector, {}), badComponentSelector) << selector;
  }
}

}  // namespace
