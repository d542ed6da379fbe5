// Files the instrument reads and writes for the editor, with a host calling
// in from a thread of its own meanwhile: the host's calls take the plug-in
// mutex, so they must not wait for a file.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "instrument/Thudrokka.h"
#include "program/VstParameters.h"
#include "tests/support/OpenHook.h"
#include "tests/support/TempDirectory.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using namespace Quillvane::Synth;
using testsupport::OpenHook;
using testsupport::TempDirectory;

class FileThreads : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(host.open(44100.0, 512), noErr); }

  // Whether a parameter change and a MIDI event from a host thread, made
  // while call opens the named file, are done within a few seconds. The
  // call goes on either way, so a call that holds the mutex fails the test
  // instead of hanging it.
  bool hostCallsPassWhileOpening(const std::string& name, const std::function<void()>& call) {
    bool passed = false;
    std::future<void> calls;
    OpenHook hook(name, [&] {
      calls = std::async(std::launch::async, [&] {
        EXPECT_EQ(host.session().SetParameter(Volume, 0.25f), noErr);
        EXPECT_EQ(host.session().SendMIDI(0x90, 60, 100, 0), noErr);
      });
      passed = calls.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    });
    call();
    if (calls.valid()) calls.wait();
    EXPECT_EQ(hook.runs(), 1) << name;
    return passed;
  }

  TempDirectory dir;
  InstrumentHost host;
};

TEST_F(FileThreads, AProgramIsReadAndWrittenWithoutTheMutex) {
  Thudrokka* plug = host.instrument();
  const std::string file = dir.path("kick.qvp");
  ASSERT_TRUE(plug->SaveProgramAsQV(file.c_str()));
  bool loaded = false;
  EXPECT_TRUE(hostCallsPassWhileOpening("kick.qvp", [&] { loaded = plug->LoadProgramAsQV(file.c_str()); }));
  EXPECT_TRUE(loaded);
  bool saved = false;
  EXPECT_TRUE(hostCallsPassWhileOpening("kick.qvp", [&] { saved = plug->SaveProgramAsQV(file.c_str()); }));
  EXPECT_TRUE(saved);
}

TEST_F(FileThreads, AWaveformIsReadWithoutTheMutex) {
  Thudrokka* plug = host.instrument();
  const std::string file = dir.path("wave.raw");
  const std::vector<double> table(4096, 0.5);
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(table.data()), static_cast<std::streamsize>(table.size() * sizeof(double)));
  ASSERT_EQ(host.session().SetParameter(OscWaveform1, 1.0f), noErr);
  bool loaded = false;
  EXPECT_TRUE(hostCallsPassWhileOpening("wave.raw", [&] { loaded = plug->LoadWaveform(file.c_str()); }));
  EXPECT_TRUE(loaded);
}

}  // namespace
