// A whole set of parameters changed by a host thread (a factory preset, a
// saved state, a program file) reaches the render thread at one block start.
// A control bound to a parameter in the middle of the list renders a block
// each time the change shows it a value, as a render thread whose block
// starts at that moment would: the sound must then still be the old set
// whole, and at the next block after the change the new set whole.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "graphics/IControl.h"
#include "graphics/IGraphics.h"
#include "instrument/Thudrokka.h"
#include "platform/standin/CFBase.h"
#include "tests/instrument/ParameterValues.h"
#include "tests/support/TempDirectory.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using namespace Quillvane::Synth;

constexpr double kRate = 44100.0;
constexpr int kBlock = 64;
constexpr int kOldPreset = 3;
constexpr int kNewPreset = 43;
// Far enough into the list that parameters on both sides of it change.
constexpr int kWatched = 52;

// Runs its action every time the editor is given a value for its parameter.
class BlockStartControl : public IControl {
 public:
  BlockStartControl(IPlugBase* plug, std::function<void()> action)
      : IControl(plug, IRECT(0, 0, 1, 1), kWatched), mAction(std::move(action)) {}
  bool Draw(IGraphics*) override { return false; }
  void SetValueFromPlug(double value) override {
    IControl::SetValueFromPlug(value);
    if (mAction) mAction();
  }

 private:
  std::function<void()> mAction;
};

struct Road {
  const char* name;
  std::function<void(InstrumentHost& host, CFPropertyListRef state, const std::string& program)> change;
};

void PrintTo(const Road& road, std::ostream* os) { *os << road.name; }

class ParameterSets : public ::testing::TestWithParam<Road> {};

TEST_P(ParameterSets, ReachTheRenderThreadWholeAtOneBlockStart) {
  const testsupport::TempDirectory dir;
  InstrumentHost host;
  ASSERT_EQ(host.open(kRate, kBlock), noErr);
  Thudrokka* plug = host.instrument();
  std::vector<float> left(kBlock), right(kBlock);

  // The new set, kept as a saved state and a program file (which keeps
  // values in six digits).
  ASSERT_EQ(host.selectPreset(kNewPreset), noErr);
  const std::vector<double> newSet = ParameterValues(plug);
  CFPropertyListRef state = nullptr;
  ASSERT_EQ(host.session().GetState(&state), noErr);
  const std::string program = dir.path("new.qvp");
  ASSERT_TRUE(plug->SaveProgramAsQV(program.c_str()));

  ASSERT_EQ(host.selectPreset(kOldPreset), noErr);
  ASSERT_EQ(host.render(kBlock, left.data(), right.data()), noErr);
  const std::vector<double> oldSet = RecordValues(plug);
  ASSERT_EQ(oldSet, ParameterValues(plug));
  int differingBefore = 0, differingAfter = 0;
  for (int p = 0; p < kNumParameters; ++p) {
    if (oldSet[p] != newSet[p]) ++(p <= kWatched ? differingBefore : differingAfter);
  }
  ASSERT_GT(differingBefore, 0);
  ASSERT_GT(differingAfter, 0);

  std::vector<std::vector<double>> atBlockStarts;
  bool armed = false;
  auto* gui = dynamic_cast<IGraphics*>(plug->GetGUI());
  ASSERT_NE(gui, nullptr);
  gui->AttachControl(new BlockStartControl(plug, [&] {
    if (!armed) return;
    ASSERT_EQ(host.render(kBlock, left.data(), right.data()), noErr);
    atBlockStarts.push_back(RecordValues(plug));
  }));

  armed = true;
  GetParam().change(host, state, program);
  armed = false;
  CFRelease(state);

  ASSERT_FALSE(atBlockStarts.empty());
  for (std::size_t i = 0; i < atBlockStarts.size(); ++i) {
    for (int p = 0; p < kNumParameters; ++p) {
      ASSERT_EQ(atBlockStarts[i][p], oldSet[p]) << "block " << i << " during the change, parameter " << p;
    }
  }
  ASSERT_EQ(host.render(kBlock, left.data(), right.data()), noErr);
  EXPECT_EQ(RecordValues(plug), ParameterValues(plug));
}

const Road kRoads[] = {
    {"FactoryPresetFromTheProperty",
     [](InstrumentHost& host, CFPropertyListRef, const std::string&) {
       EXPECT_EQ(host.session().SetCurrentPreset(kNewPreset), noErr);
     }},
    {"SavedState",
     [](InstrumentHost& host, CFPropertyListRef state, const std::string&) {
       EXPECT_EQ(host.session().SetState(state), noErr);
     }},
    {"EditorPresetChoice",
     [](InstrumentHost& host, CFPropertyListRef, const std::string&) {
       EXPECT_TRUE(host.instrument()->RestorePreset(kNewPreset));
     }},
    {"ProgramFile",
     [](InstrumentHost& host, CFPropertyListRef, const std::string& program) {
       EXPECT_TRUE(host.instrument()->LoadProgramAsQV(program.c_str()));
     }},
};

INSTANTIATE_TEST_SUITE_P(HostThread, ParameterSets, ::testing::ValuesIn(kRoads),
                         [](const ::testing::TestParamInfo<Road>& info) { return info.param.name; });

}  // namespace
