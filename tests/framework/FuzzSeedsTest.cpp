#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/framework/FuzzPlugs.h"
#include "tests/support/RecordingGraphics.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDirectory.h"

// The fuzzers' seed corpora are files the code itself writes. This test
// remakes them and checks the committed copies; run it with
// THUDROKKA_WRITE_SEEDS=1 to rewrite them after a layout change.

namespace {

using Bytes = std::vector<unsigned char>;

Bytes FromChunk(const ByteChunk& chunk) {
  return Bytes(chunk.GetBytes(), chunk.GetBytes() + chunk.Size());
}

Bytes SavedFile(bool stateChunks, bool bank) {
  auto plug = fwtest::MakeFuzzPlug(stateChunks);
  auto* gui = new testsupport::RecordingGraphics;
  plug->AttachGraphics(gui);
  const testsupport::TempDirectory dir;
  const std::string path = dir.path("saved");
  gui->mScriptedAnswers.push_back(path);
  EXPECT_TRUE(bank ? plug->SaveBankAsFXB() : plug->SaveProgramAsFXP());
  const std::string bytes = testsupport::readFile(path);
  return Bytes(bytes.begin(), bytes.end());
}

struct Seed {
  std::string file;
  Bytes bytes;
};

std::vector<Seed> MakeSeeds() {
  auto plug = fwtest::MakeFuzzPlug(false);
  ByteChunk state, tagged, presets;
  plug->SerializeState(&state);
  InitChunkWithIPlugVer(&tagged);
  plug->SerializeState(&tagged);
  plug->SerializePresets(&presets);
  return {
      {"corpus/framework_state_chunk_fuzzer/state", FromChunk(state)},
      {"corpus/framework_state_chunk_fuzzer/tagged_state", FromChunk(tagged)},
      {"corpus/framework_state_chunk_fuzzer/preset_list", FromChunk(presets)},
      {"corpus/framework_fx_files_fuzzer/program.fxp", SavedFile(false, false)},
      {"corpus/framework_fx_files_fuzzer/bank.fxb", SavedFile(false, true)},
      {"corpus/framework_fx_files_fuzzer/chunk_program.fxp", SavedFile(true, false)},
      {"corpus/framework_fx_files_fuzzer/chunk_bank.fxb", SavedFile(true, true)},
  };
}

TEST(FuzzSeeds, CommittedSeedsAreWhatTheCodeWrites) {
  const bool rewrite = std::getenv("THUDROKKA_WRITE_SEEDS") != nullptr;
  for (const Seed& seed : MakeSeeds()) {
    SCOPED_TRACE(seed.file);
    if (rewrite) {
      std::ofstream out(seed.file, std::ios::binary);
      out.write(reinterpret_cast<const char*>(seed.bytes.data()),
                static_cast<std::streamsize>(seed.bytes.size()));
    }
    std::ifstream in(seed.file, std::ios::binary);
    ASSERT_TRUE(in.good());
    const Bytes committed((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(committed, seed.bytes);
  }
}

}  // namespace
