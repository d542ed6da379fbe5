// Every change of many parameters at once dispatches them inside one
// parameter set, which a plug-in hands to its render thread whole; a single
// parameter change opens none.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/framework/TestHostPlug.h"
#include "tests/support/RecordingGraphics.h"
#include "tests/support/TempDirectory.h"

namespace {

using fwtest::TestHostPlug;
using testsupport::RecordingGraphics;

struct Files {
  std::string program;
  std::string bank;
};

TEST(ParamSets, EveryChangeOfManyParametersDispatchesInsideOneSet) {
  const testsupport::TempDirectory dir;
  const struct {
    const char* road;
    int sets;
    std::function<void(TestHostPlug&, RecordingGraphics&, const Files&)> change;
  } roads[] = {
      {"preset by index", 1, [](TestHostPlug& p, RecordingGraphics&, const Files&) { p.RestorePreset(1); }},
      {"preset by name", 1, [](TestHostPlug& p, RecordingGraphics&, const Files&) { p.RestorePreset("b"); }},
      {"state",
       1,
       [](TestHostPlug& p, RecordingGraphics&, const Files&) {
         ByteChunk state;
         p.SerializeState(&state);
         p.UnserializeState(&state, 0);
       }},
      {"preset list",
       1,
       [](TestHostPlug& p, RecordingGraphics&, const Files&) {
         ByteChunk list;
         p.SerializePresets(&list);
         p.UnserializePresets(&list, 0);
       }},
      {"initialising pass", 1, [](TestHostPlug& p, RecordingGraphics&, const Files&) { p.OnParamReset(); }},
      {"program file",
       1,
       [](TestHostPlug& p, RecordingGraphics& gui, const Files& files) {
         gui.mScriptedAnswers.push_back(files.program);
         EXPECT_TRUE(p.LoadProgramFromFXP());
       }},
      {"bank file",
       1,
       [](TestHostPlug& p, RecordingGraphics& gui, const Files& files) {
         gui.mScriptedAnswers.push_back(files.bank);
         EXPECT_TRUE(p.LoadBankFromFXB());
       }},
      {"one parameter", 0, [](TestHostPlug& p, RecordingGraphics&, const Files&) { p.SetParameterFromGUI(2, 0.25); }},
  };
  for (const auto& road : roads) {
    SCOPED_TRACE(road.road);
    TestHostPlug plug(4, "0-2", 3);
    plug.InitUnitParams(0.5);
    plug.MakeDefaultPreset("a", 1);
    plug.GetParam(3)->Set(0.75);
    plug.MakeDefaultPreset("b", 1);
    auto* gui = new RecordingGraphics;
    plug.AttachGraphics(gui);
    const Files files{dir.path("set.fxp"), dir.path("set.fxb")};
    gui->mScriptedAnswers = {files.program, files.bank};
    ASSERT_TRUE(plug.SaveProgramAsFXP());
    ASSERT_TRUE(plug.SaveBankAsFXB());
    plug.mParamChangeCalls.clear();

    road.change(plug, *gui, files);
    EXPECT_FALSE(plug.mParamChangeCalls.empty());
    EXPECT_EQ(plug.mParamSetsBegun, road.sets);
    EXPECT_EQ(plug.mParamSetsEnded, road.sets);
    EXPECT_EQ(plug.mParamChangesOutsideSets, road.sets ? 0 : 1);
  }
}

}  // namespace
