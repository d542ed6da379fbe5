// With its editor open in a host window and busy, the instrument renders as
// it does without one: no allocation and no lock inside a render call, while
// between the calls the host plays notes, automates parameters, loads a
// waveform and lets the editor's timer draw and run its idle pass.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "graphics/IGraphics.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "platform/standin/NSView.h"
#include "platform/standin/RunLoop.h"
#include "program/VstParameters.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/LockCounter.h"
#include "tests/support/UserWaveformSnapshot.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using namespace Quillvane::Synth;

constexpr int kBlock = 256;
constexpr int kBlocks = 400;

TEST(EditorOpen, RenderingNeitherAllocatesNorLocks) {
  // Declared first so that it outlives the instrument and its editor.
  std::unique_ptr<NSWindow> window(new NSWindow(NSMakeRect(100, 100, 1024, 760)));
  InstrumentHost host;
  ASSERT_EQ(host.open(44100.0, kBlock), noErr);
  NSView* view = host.session().OpenCocoaView(NSSize{1024, 760});
  ASSERT_NE(view, nullptr);
  window->contentView()->addSubview(view);
  Thudrokka* plug = host.instrument();
  // A user waveform, loaded halfway; the user slots are the process's, so
  // they are put back afterwards.
  const UserWaveformSnapshot keep;
  ASSERT_EQ(host.session().SetParameter(OscWaveform1, 1.0f), noErr);

  std::vector<float> left(kBlock), right(kBlock);
  std::size_t allocations = 0, locks = 0;
  for (int b = 0; b < kBlocks; ++b) {
    if (b % 40 == 0) {
      ASSERT_EQ(host.noteOn(36 + b / 40, 110, b % kBlock), noErr);
    }
    if (b % 40 == 30) {
      ASSERT_EQ(host.noteOff(36 + b / 40, 0), noErr);
    }
    const int p = (b * 37) % kNumParameters;
    if (p != OscWaveform1) {
      ASSERT_EQ(host.session().SetParameter(static_cast<AudioUnitParameterID>(p), static_cast<float>((b % 11) / 10.0)),
                noErr);
    }
    if (b == kBlocks / 2) {
      ASSERT_TRUE(plug->LoadWaveform("../engine/fixtures/waveforms/raw_full.raw"));
    }
    {
      testsupport::AllocationCounter allocating;
      testsupport::LockCounter locking;
      ASSERT_EQ(host.render(kBlock, left.data(), right.data()), noErr);
      allocations += allocating.count();
      locks += locking.count();
    }
    standin::RunLoopAdvance(0.04);
  }
  EXPECT_EQ(allocations, 0u);
  EXPECT_EQ(locks, 0u);
  // Idle passes wait for ticks with nothing to redraw.
  for (int tick = 0; tick < 8; ++tick) standin::RunLoopAdvance(0.04);
  // The editor took in what the render thread left: the note read-out at
  // (483, 594) shows the last note.
  auto* editor = dynamic_cast<IGraphics*>(plug->GetGUI());
  ASSERT_NE(editor, nullptr);
  std::string noteText;
  for (int i = 0; i < editor->NControls(); ++i) {
    IControl* c = editor->GetControl(i);
    if (typeid(*c) == typeid(ITextControl) && c->GetRECT()->ContainsPoint(500, 600)) {
      noteText = static_cast<ITextControl*>(c)->GetTextString();
    }
  }
  EXPECT_NE(plug->GetNoteInfoString(), "");
  EXPECT_EQ(noteText, plug->GetNoteInfoString());
}

}  // namespace
