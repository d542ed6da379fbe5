#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using gfxtest::Log;
using gfxtest::LoggingPlug;
using gfxtest::TestGraphics;

// Writes the values it is given into a log, as "<name> <value>" for its own
// parameter and "<name> aux<position> <value>" for an extra binding.
class ValueProbe : public IControl {
 public:
  ValueProbe(IPlugBase* plug, int paramIdx, const char* name, Log* log)
      : IControl(plug, IRECT(0, 0, 10, 10), paramIdx), mName(name), mLog(log) {}
  void SetValueFromPlug(double value) override {
    mLog->push_back(mName + " " + std::to_string(value).substr(0, 4));
    IControl::SetValueFromPlug(value);
    if (mOnValue) mOnValue();
  }
  void SetAuxParamValueFromPlug(int auxIdx, double value) override {
    mLog->push_back(mName + " aux" + std::to_string(auxIdx) + " " + std::to_string(value).substr(0, 4));
    IControl::SetAuxParamValueFromPlug(auxIdx, value);
  }
  bool Draw(IGraphics*) override { return true; }

  std::function<void()> mOnValue;

 private:
  std::string mName;
  Log* mLog;
};

// Rebuilds its editor with one control on parameter 3, as a plug-in does
// after a resize.
struct RebuildingPlug : LoggingPlug {
  void ResizeGraphics(int, int) override {
    auto* gui = static_cast<IGraphics*>(GetGUI());
    gui->AttachControl(new ValueProbe(this, 3, "rebuilt", mValues));
  }
  Log* mValues = nullptr;
};

struct RoutingFixture : testing::Test {
  RoutingFixture() : gui(new TestGraphics(&plug, 100, 100)) {
    plug.mValues = &log;
    plug.AttachGraphics(gui);
  }
  ValueProbe* Add(int paramIdx, const char* name) {
    auto* c = new ValueProbe(&plug, paramIdx, name, &log);
    gui->AttachControl(c);
    return c;
  }
  // The log of one value pushed to one parameter.
  Log Push(int paramIdx, double value) {
    log.clear();
    gui->SetParameterFromPlug(paramIdx, value, true);
    return log;
  }

  Log log;
  RebuildingPlug plug;
  TestGraphics* gui;
};

TEST_F(RoutingFixture, ValuesReachTheBoundControlsInListOrder) {
  ValueProbe* a = Add(3, "a");
  ValueProbe* b = Add(-1, "b");
  ValueProbe* c = Add(3, "c");
  Add(5, "d");
  // Bound to a parameter the plug-in does not have.
  Add(400, "beyond")->AddAuxParam(3);
  b->AddAuxParam(3);
  // c's own binding first, then its first extra binding to each parameter.
  c->AddAuxParam(5);
  c->AddAuxParam(3);
  c->AddAuxParam(3);
  for (ValueProbe* p : {a, c}) p->SetValueFromPlug(0.0);
  EXPECT_EQ(Push(3, 0.25), (Log{"a 0.25", "b aux0 0.25", "c 0.25", "c aux1 0.25", "beyond aux0 0.25"}));
  EXPECT_EQ(Push(5, 0.5), (Log{"c aux0 0.50", "d 0.50"}));
  EXPECT_EQ(Push(4, 0.5), Log{});
  EXPECT_EQ(Push(400, 0.5), Log{});
  EXPECT_EQ(Push(-1, 0.5), Log{});
  EXPECT_EQ(Push(1 << 30, 0.5), Log{});
}

TEST_F(RoutingFixture, TheControlsOfAParameterFollowEveryChangeOfTheList) {
  ValueProbe* a = Add(3, "a");
  ValueProbe* b = Add(-1, "b");
  EXPECT_EQ(Push(3, 0.25), Log{"a 0.25"});
  // Attached after the parameter was last looked up.
  ValueProbe* e = Add(3, "e");
  const IColor grey = COLOR_GRAY;
  gui->AttachPanelBackground(&grey);
  gui->AttachBackground(2101, "no-image.png");
  EXPECT_EQ(Push(3, 0.5), (Log{"a 0.50", "e 0.50"}));
  // Bound after it was attached.
  b->AddAuxParam(7);
  EXPECT_EQ(Push(7, 0.75), Log{"b aux0 0.75"});
  // Hiding, greying and clamping go by the control's own parameter only.
  b->AddAuxParam(3);
  gui->HideControl(3, true);
  gui->GrayOutControl(3, true);
  gui->ClampControl(3, 0.25, 0.5, true);
  for (ValueProbe* p : {a, e}) {
    EXPECT_TRUE(p->IsHidden());
    EXPECT_TRUE(p->IsGrayed());
    EXPECT_EQ(p->GetClampHi(), 0.5);
  }
  EXPECT_FALSE(b->IsHidden());
  EXPECT_FALSE(b->IsGrayed());
  EXPECT_EQ(b->GetClampHi(), 1.0);
  // A resize deletes every control; the plug-in's new one is all there is.
  gui->Resize(120, 80);
  EXPECT_EQ(Push(3, 0.25), Log{"rebuilt 0.25"});
  EXPECT_EQ(Push(7, 0.25), Log{});
}

TEST_F(RoutingFixture, AControlAttachedWhileAValueArrivesTakesItToo) {
  ValueProbe* first = Add(3, "first");
  Add(3, "second");
  first->mOnValue = [&] {
    first->mOnValue = nullptr;
    Add(3, "third");
    // A look-up in between makes the index again from the longer list.
    gui->SetParameterFromPlug(8, 0.0, true);
  };
  first->SetValueFromPlug(0.0);
  EXPECT_EQ(Push(3, 0.25), (Log{"first 0.25", "second 0.25", "third 0.25"}));
}

}  // namespace
