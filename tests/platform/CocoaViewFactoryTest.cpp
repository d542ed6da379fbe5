// The Cocoa view factory a host makes by name, and what it hands out.

#include "platform/mac/IGraphicsCocoa.h"
#include "platform/mac/ThudrokkaView.h"
#include "tests/platform/ViewHostFixture.h"
#include "tests/support/RecordingGraphics.h"

namespace {

using testsupport::RecordingGraphics;

class CocoaViewFactoryTest : public viewtest::ViewHostTest {
 protected:
  // Made by name and initialised, as a host does.
  Thudrokka_View* MakeFactory() {
    Class cls = NSClassFromString("Thudrokka_View");
    EXPECT_NE(cls, nullptr);
    NSObject* object = class_createInstance(cls);
    return object ? dynamic_cast<Thudrokka_View*>(object->init()) : nullptr;
  }
};

TEST_F(CocoaViewFactoryTest, IsFoundByNameAndDescribesItself) {
  EXPECT_STREQ(class_getName(NSClassFromString("Thudrokka_View")), "Thudrokka_View");
  EXPECT_EQ(NSClassFromString("Thudrokka_Views"), nullptr);
  for (int i = 0; i < 2; ++i) {
    Thudrokka_View* factory = MakeFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_NE(dynamic_cast<AUCocoaUIBase*>(factory), nullptr);
    EXPECT_EQ(factory->interfaceVersion(), 0u);
    EXPECT_EQ(factory->description(), "Thudrokka 1.5 FREE View");
    EXPECT_EQ(factory->mPlug, nullptr);
    factory->release();
  }
}

TEST_F(CocoaViewFactoryTest, AnswersNullWithoutAPlugInOrAnEditor) {
  Thudrokka_View* factory = MakeFactory();
  EXPECT_EQ(factory->uiViewForAudioUnit(nullptr, NSSize{400, 300}), nullptr);
  EXPECT_EQ(factory->mPlug, nullptr);
  fake::FakePlug* plug = Open();
  EXPECT_EQ(factory->uiViewForAudioUnit(unit(), NSSize{400, 300}), nullptr);
  EXPECT_EQ(factory->mPlug, plug) << "the unit asked for is kept";
  plug->AttachGraphics(new RecordingGraphics());
  EXPECT_EQ(factory->uiViewForAudioUnit(unit(), NSSize{400, 300}), nullptr);
  EXPECT_EQ(factory->init(), factory);
  EXPECT_EQ(factory->mPlug, nullptr);
  factory->release();
  // Through the host the same: no editor, no view.
  EXPECT_EQ(session.OpenCocoaView(NSSize{400, 300}), nullptr);
}

TEST_F(CocoaViewFactoryTest, EverySizeGetsTheEditorsOwnView) {
  fake::FakePlug* plug = OpenWithEditor();
  IGraphicsMac* editor = Editor(plug);
  Thudrokka_View* factory = MakeFactory();
  for (NSSize size : {NSSize{0, 0}, NSSize{100, 50}, NSSize{4000, 3000}}) {
    NSView* view = factory->uiViewForAudioUnit(unit(), size);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view, editor->GetWindow());
    EXPECT_NE(dynamic_cast<IGraphicsCocoa_vThudrokka_au*>(view), nullptr);
    EXPECT_EQ(view->frame().size.width, viewtest::kEditorWidth);
    EXPECT_EQ(view->frame().size.height, viewtest::kEditorHeight);
    EXPECT_EQ(view->superview(), nullptr) << "the host places it";
    // The host puts it in a window, which frees it with itself.
    NSWindow window(NSMakeRect(0, 0, 500, 400));
    window.contentView()->addSubview(view);
  }
  EXPECT_FALSE(editor->WindowIsOpen());
  factory->release();
}

}  // namespace
