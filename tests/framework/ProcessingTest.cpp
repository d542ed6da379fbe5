#include <gtest/gtest.h>

#include <vector>

#include "framework/IMidiQueue.h"
#include "tests/framework/TestHostPlug.h"
#include "tests/support/AllocationCounter.h"

namespace {

using fwtest::TestHostPlug;

// Writes a ramp that continues across calls, and delivers queued MIDI at
// its frame the way the instrument does, so chunked renders can be checked.
class RampPlug : public TestHostPlug {
 public:
  explicit RampPlug(const char* io = "0-1 0-2") : TestHostPlug(1, io, 1) {}

  void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) override {
    mCallFrames[mCalls++ % kMaxCalls] = nFrames;
    for (int s = 0; s < nFrames; ++s) {
      while (const IMidiMsg* msg = mQueue.Peek()) {
        if (msg->mOffset > s) break;
        mDeliveredAt[mDelivered++ % kMaxCalls] = mFramesDone + s;
        mQueue.Remove();
      }
      for (int ch = 0; ch < NOutChannels(); ++ch) {
        const double in = ch < NInChannels() && inputs[ch] ? inputs[ch][s] : 0.0;
        outputs[ch][s] = mFramesDone + s + 1000.0 * ch + in;
      }
    }
    mFramesDone += nFrames;
    mQueue.Flush(nFrames);
  }

  static constexpr int kMaxCalls = 16;
  IMidiQueue mQueue{16};
  int mCallFrames[kMaxCalls] = {};
  int mDeliveredAt[kMaxCalls] = {};
  int mCalls = 0;
  int mDelivered = 0;
  int mFramesDone = 0;
};

TEST(ProcessingGlue, FloatRenderConvertsToConnectedOutputs) {
  RampPlug plug;
  plug.SetBlockSize(8);
  std::vector<float> left(8, -1.0f), right(8, -1.0f);
  float* host[] = {left.data(), right.data()};
  plug.SetOutputChannelConnections(0, 2, true);
  plug.AttachInputBuffers(0, 0, static_cast<float**>(nullptr), 8);
  plug.AttachOutputBuffers(0, 2, host);
  plug.ProcessBuffers(0.0f, 8);
  for (int s = 0; s < 8; ++s) {
    EXPECT_EQ(left[s], s);
    EXPECT_EQ(right[s], 1000 + s);
  }
}

TEST(ProcessingGlue, DisconnectedOutputConsumesNoHostPointer) {
  RampPlug plug;
  plug.SetBlockSize(4);
  std::vector<float> only(4, -1.0f), untouched(4, -1.0f);
  float* host[] = {only.data(), untouched.data()};
  plug.SetOutputChannelConnections(0, 1, false);
  plug.SetOutputChannelConnections(1, 1, true);
  plug.AttachOutputBuffers(0, 2, host);
  plug.ProcessBuffers(0.0f, 4);
  for (int s = 0; s < 4; ++s) {
    EXPECT_EQ(only[s], 1000 + s) << "channel 1 took the first host pointer";
    EXPECT_EQ(untouched[s], -1.0f);
  }
  EXPECT_FALSE(plug.IsOutChannelConnected(0));
  EXPECT_TRUE(plug.IsOutChannelConnected(1));
  EXPECT_FALSE(plug.IsOutChannelConnected(2));
}

TEST(ProcessingGlue, PassThroughWithoutInputsZeroesOutputs) {
  RampPlug plug;
  plug.SetBlockSize(4);
  std::vector<float> left(4, 5.0f), right(4, 5.0f);
  float* host[] = {left.data(), right.data()};
  plug.SetOutputChannelConnections(0, 2, true);
  plug.AttachOutputBuffers(0, 2, host);
  plug.PassThroughBuffers(0.0f, 4);
  EXPECT_EQ(left, std::vector<float>(4, 0.0f));
  EXPECT_EQ(right, std::vector<float>(4, 0.0f));
  EXPECT_EQ(plug.mCalls, 0);
}

TEST(ProcessingGlue, InputsReachTheProcessAndPassThrough) {
  RampPlug plug("2-2");
  plug.SetBlockSize(4);
  std::vector<float> inL = {1, 2, 3, 4}, inR = {5, 6, 7, 8};
  std::vector<float> outL(4), outR(4);
  float* in[] = {inL.data(), inR.data()};
  float* out[] = {outL.data(), outR.data()};
  plug.SetInputChannelConnections(0, 2, true);
  plug.SetOutputChannelConnections(0, 2, true);
  plug.AttachInputBuffers(0, 2, in, 4);
  plug.AttachOutputBuffers(0, 2, out);
  plug.PassThroughBuffers(0.0f, 4);
  EXPECT_EQ(outL, inL);
  EXPECT_EQ(outR, inR);
  // Each render gets its buffers attached afresh, as a host attaches them.
  plug.AttachInputBuffers(0, 2, in, 4);
  plug.AttachOutputBuffers(0, 2, out);
  plug.ProcessBuffersAccumulating(0.0f, 4);
  EXPECT_EQ(outL[1], 2 + (1 + 2));
  EXPECT_EQ(outR[3], 8 + (1003 + 8));
}

TEST(ProcessingGlue, LongRenderRunsInChunksWithExactMidiOffsets) {
  RampPlug plug("1-2");
  plug.SetBlockSize(64);
  std::vector<float> in(150), left(150), right(150);
  for (int s = 0; s < 150; ++s) in[s] = 0.5f;
  float* inPtrs[] = {in.data()};
  float* host[] = {left.data(), right.data()};
  for (int offset : {0, 63, 64, 100, 149}) {
    IMidiMsg msg;
    msg.MakeNoteOnMsg(60, 100, offset);
    plug.mQueue.Add(&msg);
  }
  plug.SetInputChannelConnections(0, 1, true);
  plug.SetOutputChannelConnections(0, 2, true);
  plug.AttachInputBuffers(0, 1, inPtrs, 150);
  plug.AttachOutputBuffers(0, 2, host);
  plug.ProcessBuffers(0.0f, 150);

  ASSERT_EQ(plug.mCalls, 3);
  EXPECT_EQ(plug.mCallFrames[0], 64);
  EXPECT_EQ(plug.mCallFrames[1], 64);
  EXPECT_EQ(plug.mCallFrames[2], 22);
  for (int s = 0; s < 150; ++s) {
    ASSERT_EQ(left[s], s + 0.5f) << s;
    ASSERT_EQ(right[s], 1000 + s) << s;
  }
  ASSERT_EQ(plug.mDelivered, 5);
  const int expected[] = {0, 63, 64, 100, 149};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(plug.mDeliveredAt[i], expected[i]);
}

TEST(ProcessingGlue, DoubleHostRendersInChunksIntoItsOwnBuffers) {
  RampPlug plug;
  plug.SetBlockSize(16);
  std::vector<double> left(40), right(40);
  double* host[] = {left.data(), right.data()};
  plug.SetOutputChannelConnections(0, 2, true);
  plug.AttachOutputBuffers(0, 2, host);
  plug.ProcessBuffers(0.0, 40);
  EXPECT_EQ(plug.mCalls, 3);
  for (int s = 0; s < 40; ++s) {
    ASSERT_EQ(left[s], s);
    ASSERT_EQ(right[s], 1000 + s);
  }
  plug.AttachOutputBuffers(0, 2, host);
  plug.PassThroughBuffers(0.0, 40);
  EXPECT_EQ(left, std::vector<double>(40, 0.0));
}

TEST(ProcessingGlue, RenderBeforeAnyBlockSizeIsSilent) {
  RampPlug plug;
  std::vector<float> left(32, 3.0f), right(32, 3.0f);
  float* host[] = {left.data(), right.data()};
  plug.SetOutputChannelConnections(0, 2, true);
  plug.AttachOutputBuffers(0, 2, host);
  plug.ProcessBuffers(0.0f, 32);
  EXPECT_EQ(plug.mCalls, 0);
  EXPECT_EQ(left, std::vector<float>(32, 0.0f));
  EXPECT_EQ(right, std::vector<float>(32, 0.0f));

  std::vector<double> dl(8, 3.0), dr(8, 3.0);
  double* dhost[] = {dl.data(), dr.data()};
  plug.AttachOutputBuffers(0, 2, dhost);
  plug.ProcessBuffers(0.0, 8);
  EXPECT_EQ(dl, std::vector<double>(8, 0.0));
}

TEST(ProcessingGlue, RenderPathDoesNotAllocate) {
  RampPlug plug("1-2");
  plug.SetBlockSize(64);
  std::vector<float> in(300), left(300), right(300);
  float* inPtrs[] = {in.data()};
  float* host[] = {left.data(), right.data()};
  testsupport::AllocationCounter counter;
  plug.SetInputChannelConnections(0, 1, true);
  plug.SetOutputChannelConnections(0, 2, true);
  plug.AttachInputBuffers(0, 1, inPtrs, 300);
  plug.AttachOutputBuffers(0, 2, host);
  plug.ProcessBuffers(0.0f, 300);
  plug.PassThroughBuffers(0.0f, 300);
  EXPECT_EQ(counter.count(), 0u);
}

TEST(ProcessingGlue, BlockSizeClearsScratchOnlyOnChange) {
  struct ScratchPlug : RampPlug {
    double Scratch(int s) const { return mOutChannels.Get(0)->mScratchBuf.Get()[s]; }
  } plug;
  plug.SetBlockSize(4);
  std::vector<float> left(4), right(4);
  float* host[] = {left.data(), right.data()};
  plug.SetOutputChannelConnections(0, 2, true);
  plug.AttachOutputBuffers(0, 2, host);
  plug.ProcessBuffers(0.0f, 4);
  EXPECT_EQ(plug.Scratch(3), 3.0);
  plug.SetBlockSize(4);
  EXPECT_EQ(plug.Scratch(3), 3.0);
  plug.SetBlockSize(8);
  EXPECT_EQ(plug.Scratch(3), 0.0);
  plug.AttachOutputBuffers(0, 2, host);
  plug.ProcessBuffers(0.0f, 4);
  plug.ZeroScratchBuffers();
  EXPECT_EQ(plug.Scratch(3), 0.0);

  // Resizing moves the scratch; the glue must not keep rendering into the old one.
  plug.SetBlockSize(0);
  EXPECT_EQ(plug.GetBlockSize(), 0);
  plug.SetBlockSize(-3);
  EXPECT_EQ(plug.GetBlockSize(), 0);
  plug.SetBlockSize(4096);
  plug.AttachOutputBuffers(0, 2, host);
  plug.ProcessBuffers(0.0f, 4);
  EXPECT_EQ(left[3], 11.0f);
}

// A host that attaches only some channels for a render: the others are
// neither read through nor written to through buffers of an earlier render,
// which the host may have freed.
TEST(ProcessingGlue, OnlyBuffersAttachedForThisRenderAreReadAndWritten) {
  RampPlug plug("2-4");
  plug.SetBlockSize(8);
  plug.SetInputChannelConnections(0, 2, true);
  plug.SetOutputChannelConnections(0, 4, true);
  std::vector<float> inputs[2] = {std::vector<float>(8, 0.25f), std::vector<float>(8, 0.5f)};
  std::vector<float> outputs[4];
  for (auto& out : outputs) out.assign(8, -1.0f);
  float* in[] = {inputs[0].data(), inputs[1].data()};
  float* out[] = {outputs[0].data(), outputs[1].data(), outputs[2].data(), outputs[3].data()};
  plug.AttachInputBuffers(0, 2, in, 8);
  plug.AttachOutputBuffers(0, 4, out);
  plug.ProcessBuffers(0.0f, 8);
  EXPECT_EQ(outputs[1][0], 1000.5f);
  EXPECT_EQ(outputs[3][7], 3007.0f);

  // The next render attaches input 0 and outputs 0 and 1 only; the earlier
  // buffers of input 1 and outputs 2 and 3 now hold what a host left there.
  inputs[1].assign(8, 99.0f);
  for (int c : {2, 3}) outputs[c].assign(8, -7.0f);
  std::vector<float> fresh(8, 0.75f), left(8, -1.0f), right(8, -1.0f);
  float* in2[] = {fresh.data()};
  float* out2[] = {left.data(), right.data()};
  plug.AttachInputBuffers(0, 1, in2, 8);
  plug.AttachOutputBuffers(0, 2, out2);
  plug.ProcessBuffers(0.0f, 8);
  for (int s = 0; s < 8; ++s) {
    EXPECT_EQ(left[s], 8 + s + 0.75f) << s;
    EXPECT_EQ(right[s], 1000 + 8 + s) << s << ": input 1 attached for no render is silent";
    EXPECT_EQ(outputs[2][s], -7.0f) << s;
    EXPECT_EQ(outputs[3][s], -7.0f) << s;
  }
}

TEST(ProcessingGlue, LimitToStereoDisconnectsExtraInputs) {
  TestHostPlug plug(1, "4-4", 1);
  plug.SetInputChannelConnections(0, 4, true);
  plug.LimitToStereoIO();
  EXPECT_TRUE(plug.IsInChannelConnected(1));
  EXPECT_FALSE(plug.IsInChannelConnected(2));
  EXPECT_FALSE(plug.IsInChannelConnected(3));
  EXPECT_TRUE(plug.IsOutChannelConnected(2));
  EXPECT_TRUE(plug.IsOutChannelConnected(3));
  EXPECT_FALSE(plug.IsOutChannelConnected(0));
  plug.SetInputChannelConnections(0, 4, false);
  plug.SetInputChannelConnections(-2, 3, true);
  EXPECT_TRUE(plug.IsInChannelConnected(0));
  EXPECT_FALSE(plug.IsInChannelConnected(1));
}

}  // namespace
