#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "framework/InputFile.h"
#include "tests/support/RecordingGraphics.h"
#include "tests/framework/TestHostPlug.h"
#include "tests/support/Fifo.h"
#include "tests/support/FileContents.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDirectory.h"

namespace {

using testsupport::RecordingGraphics;
using fwtest::TestHostPlug;
using Bytes = std::vector<unsigned char>;

uint32_t BE(const Bytes& b, size_t at) {
  return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) |
         b[at + 3];
}

float BEFloat(const Bytes& b, size_t at) {
  const uint32_t bits = BE(b, at);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

void SetBE(Bytes* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b->at(at + i) = static_cast<unsigned char>(v >> (24 - 8 * i));
}

void SetBEFloat(Bytes* b, size_t at, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  SetBE(b, at, bits);
}

std::string Text(const Bytes& b, size_t at, size_t n) {
  return std::string(reinterpret_cast<const char*>(b.data()) + at, n);
}

class FxFiles : public testing::Test {
 protected:
  std::string Path(const char* name) const { return mTemp.path(name); }

  // A plug-in shaped like the instrument: 105 unit parameters, one shaped.
  static void Declare(TestHostPlug* plug) {
    plug->InitUnitParams(0.5);
    plug->GetParam(81)->SetShape(4.0);
  }

  static RecordingGraphics* Attach(TestHostPlug* plug) {
    auto* gui = new RecordingGraphics;
    plug->AttachGraphics(gui);
    return gui;
  }

  static Bytes Read(const std::string& path) {
    const std::string bytes = testsupport::readFile(path);
    return Bytes(bytes.begin(), bytes.end());
  }

  static void Write(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  testsupport::TempDirectory mTemp;
};

void CheckProgramRecord(const Bytes& b, size_t at, const std::string& name,
                        const std::vector<float>& values) {
  EXPECT_EQ(Text(b, at, 4), "CcnK");
  EXPECT_EQ(BE(b, at + 4), 0u);
  EXPECT_EQ(Text(b, at + 8, 4), "FxCk");
  EXPECT_EQ(BE(b, at + 12), 1u);
  EXPECT_EQ(Text(b, at + 16, 4), "3bti");
  EXPECT_EQ(BE(b, at + 20), 10502u);
  EXPECT_EQ(BE(b, at + 24), values.size());
  EXPECT_EQ(Text(b, at + 28, name.size()), name);
  for (size_t i = at + 28 + name.size(); i < at + 56; ++i) ASSERT_EQ(b[i], 0) << i;
  for (size_t i = 0; i < values.size(); ++i) {
    ASSERT_EQ(BEFloat(b, at + 56 + 4 * i), values[i]) << "value " << i;
  }
}

TEST_F(FxFiles, ProgramFileIs476BytesInTheParameterLayout) {
  TestHostPlug plug;
  Declare(&plug);
  for (int i = 0; i < 105; ++i) plug.GetParam(i)->Set(i / 128.0);
  plug.GetParam(81)->Set(0.0625);
  plug.MakeDefaultPreset("Deep Kick", 1);
  RecordingGraphics* gui = Attach(&plug);
  const std::string path = Path("p.fxp");
  gui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(plug.SaveProgramAsFXP("default"));
  ASSERT_EQ(gui->mPrompts.size(), 1u);
  EXPECT_EQ(gui->mPrompts[0].action, kFileSave);
  EXPECT_EQ(gui->mPrompts[0].prefilled, "default");
  EXPECT_EQ(gui->mPrompts[0].extensions, "fxp");

  const Bytes b = Read(path);
  ASSERT_EQ(b.size(), 476u);
  std::vector<float> expected;
  for (int i = 0; i < 105; ++i) expected.push_back(static_cast<float>(i / 128.0));
  expected[81] = 0.5f;  // normalised through the shape
  CheckProgramRecord(b, 0, "Deep Kick", expected);
}

TEST_F(FxFiles, BankFileIs61084BytesBuiltFromTheSlots) {
  TestHostPlug plug;
  Declare(&plug);
  std::vector<double> stored(105, 0.25);
  stored[0] = 1.5;   // out of range in a preset chunk
  stored[1] = -0.5;
  ByteChunk chunk;
  for (double v : stored) chunk.Put(&v);
  plug.MakePresetFromChunk("A very long preset name that will not fit", &chunk);
  ByteChunk shortChunk;
  const double one = 0.75;
  shortChunk.Put(&one);
  plug.MakePresetFromChunk("short", &shortChunk);
  plug.MakeDefaultPreset("Init", 126);
  plug.RestorePreset(2);
  RecordingGraphics* gui = Attach(&plug);
  const std::string path = Path("b.fxb");
  gui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(plug.SaveBankAsFXB());

  const Bytes b = Read(path);
  ASSERT_EQ(b.size(), 156u + 128u * 476u);
  ASSERT_EQ(b.size(), 61084u);
  EXPECT_EQ(Text(b, 0, 4), "CcnK");
  EXPECT_EQ(BE(b, 4), 0u);
  EXPECT_EQ(Text(b, 8, 4), "FxBk");
  EXPECT_EQ(BE(b, 12), 2u);
  EXPECT_EQ(Text(b, 16, 4), "3bti");
  EXPECT_EQ(BE(b, 20), 10502u);
  EXPECT_EQ(BE(b, 24), 128u);
  EXPECT_EQ(BE(b, 28), 2u);
  for (size_t i = 32; i < 156; ++i) ASSERT_EQ(b[i], 0) << i;

  std::vector<float> first(105, 0.25f);
  first[0] = 1.0f;
  first[1] = 0.0f;
  first[81] = static_cast<float>(std::pow(0.25, 0.25));
  CheckProgramRecord(b, 156, "A very long preset name tha", first);
  std::vector<float> second(105, 0.0f);
  second[0] = 0.75f;
  CheckProgramRecord(b, 156 + 476, "short", second);
  std::vector<float> init(105, 0.5f);
  init[81] = static_cast<float>(std::pow(0.5, 0.25));
  CheckProgramRecord(b, 156 + 127 * 476, "Init", init);
}

TEST_F(FxFiles, ProgramRoundTripUpdatesTheCurrentSlotAndTellsTheHost) {
  TestHostPlug plug;
  Declare(&plug);
  plug.MakeDefaultPreset("Init", 128);
  for (int i = 0; i < 105; ++i) plug.GetParam(i)->Set((i % 7) / 8.0);
  plug.ModifyCurrentPreset("Saved");
  RecordingGraphics* gui = Attach(&plug);
  const std::string path = Path("rt.fxp");
  gui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(plug.SaveProgramAsFXP());
  const std::vector<double> saved = plug.Values();

  ASSERT_TRUE(plug.RestorePreset(5));
  plug.mParamChangeCalls.clear();
  gui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(plug.LoadProgramFromFXP());
  EXPECT_EQ(gui->mPrompts.back().action, kFileOpen);
  const std::vector<double> loaded = plug.Values();
  for (int i = 0; i < 105; ++i) EXPECT_NEAR(loaded[i], saved[i], 1e-6) << i;
  EXPECT_STREQ(plug.GetPresetName(5), "Saved");
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 5);
  EXPECT_EQ(plug.mProgramChanges, 1);
  EXPECT_EQ(plug.mParamChangeCalls.size(), 105u) << "the loaded sound is applied";
}

TEST_F(FxFiles, RefusedProgramsChangeNothing) {
  TestHostPlug plug;
  Declare(&plug);
  plug.MakeDefaultPreset("Init", 128);
  RecordingGraphics* gui = Attach(&plug);
  const std::string good = Path("good.fxp");
  gui->mScriptedAnswers.push_back(good);
  for (int i = 0; i < 105; ++i) plug.GetParam(i)->Set(0.875);
  ASSERT_TRUE(plug.SaveProgramAsFXP());
  for (int i = 0; i < 105; ++i) plug.GetParam(i)->Set(0.5);
  const Bytes original = Read(good);

  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    size_t keep;
  };
  const Case cases[] = {
      {"other plug-in", 16, 0x41424344, 476},
      {"format version 2", 12, 2, 476},
      {"parameter count", 24, 104, 476},
      {"chunk magic", 0, 0x43636e4c, 476},
      {"program magic", 8, 0x46784378, 476},
      {"chunk form without chunks", 8, 0x46504368, 476},
      {"truncated values", 4, 0, 475},
      {"truncated header", 4, 0, 30},
      {"empty file", 4, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = original;
    SetBE(&bytes, c.at, c.value);
    bytes.resize(c.keep);
    const std::string path = Path("bad.fxp");
    Write(path, bytes);
    gui->mScriptedAnswers.push_back(path);
    plug.mParamChangeCalls.clear();
    EXPECT_FALSE(plug.LoadProgramFromFXP());
    EXPECT_EQ(plug.Values(), std::vector<double>(105, 0.5));
    EXPECT_TRUE(plug.mParamChangeCalls.empty());
    EXPECT_STREQ(plug.GetPresetName(0), "Init");
  }
  gui->mScriptedAnswers.push_back(Path("missing.fxp"));
  EXPECT_FALSE(plug.LoadProgramFromFXP());
  EXPECT_FALSE(plug.LoadProgramFromFXP()) << "cancelled dialog";
  EXPECT_EQ(plug.mProgramChanges, 0);

  TestHostPlug noEditor;
  EXPECT_FALSE(noEditor.LoadProgramFromFXP());
  EXPECT_FALSE(noEditor.SaveProgramAsFXP());
  EXPECT_FALSE(noEditor.SaveBankAsFXB());
}

// A pipe that nothing writes would hold a reader that waits for a writer for
// ever; a device or a folder holds no program or bank either.
TEST_F(FxFiles, OnlyRegularFilesAreRead) {
  TestHostPlug plug;
  Declare(&plug);
  plug.MakeDefaultPreset("Init", 128);
  RecordingGraphics* gui = Attach(&plug);
  const testsupport::Fifo fifo(Path("pipe.fxp"));
  ASSERT_TRUE(fifo.made());
  for (const std::string& path : {fifo.path(), std::string("/dev/null"), Path("")}) {
    bool loaded = true;
    gui->mScriptedAnswers.push_back(path);
    EXPECT_TRUE(fifo.returnsPromptly([&] { loaded = plug.LoadProgramFromFXP(); })) << path;
    EXPECT_FALSE(loaded) << path;
    gui->mScriptedAnswers.push_back(path);
    EXPECT_TRUE(fifo.returnsPromptly([&] { loaded = plug.LoadBankFromFXB(); })) << path;
    EXPECT_FALSE(loaded) << path;
  }
  EXPECT_EQ(plug.Values(), std::vector<double>(105, 0.5));
  EXPECT_EQ(plug.mProgramChanges, 0);
}

// Both are read as every file from outside is: whole, up to the reader's
// limit, and refused beyond it however well they start.
TEST_F(FxFiles, FilesAreReadUpToTheReadersLimit) {
  TestHostPlug plug;
  Declare(&plug);
  plug.MakeDefaultPreset("Init", 128);
  RecordingGraphics* gui = Attach(&plug);
  const std::string program = Path("padded.fxp"), bank = Path("padded.fxb");
  for (int i = 0; i < 105; ++i) plug.GetParam(i)->Set(0.875);
  gui->mScriptedAnswers.push_back(program);
  ASSERT_TRUE(plug.SaveProgramAsFXP());
  gui->mScriptedAnswers.push_back(bank);
  ASSERT_TRUE(plug.SaveBankAsFXB());
  for (const off_t size : {static_cast<off_t>(InputFile::kMaxBytes) + 1, static_cast<off_t>(InputFile::kMaxBytes)}) {
    SCOPED_TRACE(size);
    const bool taken = size <= static_cast<off_t>(InputFile::kMaxBytes);
    for (int i = 0; i < 105; ++i) plug.GetParam(i)->Set(0.5);
    // Padded with zeros that take no room on the disk.
    ASSERT_EQ(::truncate(program.c_str(), size), 0);
    ASSERT_EQ(::truncate(bank.c_str(), size), 0);
    gui->mScriptedAnswers.push_back(program);
    EXPECT_EQ(plug.LoadProgramFromFXP(), taken);
    EXPECT_EQ(plug.GetParam(0)->Value(), taken ? 0.875 : 0.5);
    gui->mScriptedAnswers.push_back(bank);
    EXPECT_EQ(plug.LoadBankFromFXB(), taken);
  }
}

TEST_F(FxFiles, ProgramValuesOutsideTheUnitRangeAreKeptSafe) {
  TestHostPlug plug;
  Declare(&plug);
  plug.MakeDefaultPreset("Init", 1);
  RecordingGraphics* gui = Attach(&plug);
  const std::string path = Path("odd.fxp");
  gui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(plug.SaveProgramAsFXP());
  Bytes bytes = Read(path);
  SetBEFloat(&bytes, 56 + 0, std::nanf(""));
  SetBEFloat(&bytes, 56 + 4, -0.5f);
  SetBEFloat(&bytes, 56 + 8, 7.0f);
  SetBEFloat(&bytes, 56 + 12, INFINITY);
  SetBEFloat(&bytes, 56 + 16, 0.25f);
  Write(path, bytes);
  for (int i = 0; i < 5; ++i) plug.GetParam(i)->Set(0.125);
  gui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(plug.LoadProgramFromFXP());
  const std::vector<double> v = plug.Values();
  EXPECT_EQ(v[0], 0.125) << "NaN keeps the current value";
  EXPECT_EQ(v[1], 0.0);
  EXPECT_EQ(v[2], 1.0);
  EXPECT_EQ(v[3], 0.125);
  EXPECT_EQ(v[4], 0.25);
}

TEST_F(FxFiles, BankRoundTripRestoresSlotsAndTheCurrentProgram) {
  TestHostPlug plug(3, "0-2", 4);
  plug.InitUnitParams(0.5);
  for (int s = 0; s < 4; ++s) {
    for (int i = 0; i < 3; ++i) plug.GetParam(i)->Set((s + 1) / 8.0 + i / 64.0);
    plug.MakeDefaultPreset((std::string("slot") + char('0' + s)).c_str(), 1);
  }
  plug.RestorePreset(2);
  RecordingGraphics* gui = Attach(&plug);
  const std::string path = Path("rt.fxb");
  gui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(plug.SaveBankAsFXB());

  TestHostPlug other(3, "0-2", 4);
  other.InitUnitParams(0.5);
  RecordingGraphics* otherGui = Attach(&other);
  otherGui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(other.LoadBankFromFXB());
  EXPECT_EQ(otherGui->mPrompts.back().extensions, "fxb");
  for (int s = 0; s < 4; ++s) EXPECT_EQ(std::string(other.GetPresetName(s)), "slot" + std::to_string(s));
  EXPECT_EQ(other.GetCurrentPresetIdx(), 2);
  EXPECT_NEAR(other.GetParam(1)->Value(), 3 / 8.0 + 1 / 64.0, 1e-6);
  EXPECT_EQ(other.mProgramChanges, 1);
  ASSERT_TRUE(other.RestorePreset(0));
  EXPECT_NEAR(other.GetParam(2)->Value(), 1 / 8.0 + 2 / 64.0, 1e-6);
}

// Files from elsewhere may carry names in other encodings.
TEST_F(FxFiles, NamesThatAreNotUtf8ReadAsLatin1) {
  TestHostPlug plug(3, "0-2", 2);
  plug.InitUnitParams(0.5);
  plug.MakeDefaultPreset("Init", 2);
  RecordingGraphics* gui = Attach(&plug);
  const std::string program = Path("latin.fxp"), bank = Path("latin.fxb");
  gui->mScriptedAnswers.assign({program, bank});
  ASSERT_TRUE(plug.SaveProgramAsFXP());
  ASSERT_TRUE(plug.SaveBankAsFXB());
  const std::string accents(27, '\xe9');
  Bytes programFile = Read(program), bankFile = Read(bank);
  std::memcpy(&programFile[28], "Caf\xe9", 4);
  std::memcpy(&bankFile[156 + 28], accents.data(), accents.size());
  Write(program, programFile);
  Write(bank, bankFile);

  gui->mScriptedAnswers.assign({program});
  ASSERT_TRUE(plug.LoadProgramFromFXP());
  EXPECT_EQ(std::string(plug.GetPresetName(0)), "Caf\xc3\xa9");
  gui->mScriptedAnswers.assign({bank});
  ASSERT_TRUE(plug.LoadBankFromFXB());
  std::string read;
  for (int i = 0; i < 27; ++i) read += "\xc3\xa9";
  EXPECT_EQ(std::string(plug.GetPresetName(0)), read);
}

TEST_F(FxFiles, BankWithMoreProgramsThanSlotsFillsOnlyTheSlots) {
  TestHostPlug big(2, "0-2", 6);
  big.InitUnitParams(0.5);
  for (int s = 0; s < 6; ++s) {
    big.GetParam(0)->Set(s / 8.0);
    big.MakeDefaultPreset((std::string("p") + char('0' + s)).c_str(), 1);
  }
  big.RestorePreset(5);
  RecordingGraphics* gui = Attach(&big);
  const std::string path = Path("big.fxb");
  gui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(big.SaveBankAsFXB());

  TestHostPlug small(2, "0-2", 4);
  small.InitUnitParams(0.5);
  small.MakeDefaultPreset("keep", 4);
  small.RestorePreset(1);
  RecordingGraphics* smallGui = Attach(&small);
  smallGui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(small.LoadBankFromFXB());
  for (int s = 0; s < 4; ++s) {
    ASSERT_TRUE(small.RestorePreset(s));
    EXPECT_EQ(small.GetParam(0)->Value(), s / 8.0) << s;
    EXPECT_EQ(std::string(small.GetPresetName(s)), "p" + std::to_string(s));
  }
  small.RestorePreset(3);
  smallGui->mScriptedAnswers.push_back(path);
  ASSERT_TRUE(small.LoadBankFromFXB());
  EXPECT_EQ(small.GetCurrentPresetIdx(), 3) << "program 5 has no slot: the previous one stays";
  EXPECT_EQ(small.GetParam(0)->Value(), 3 / 8.0);
}

TEST_F(FxFiles, MalformedBanksAreRefusedBeforeAnythingIsApplied) {
  TestHostPlug plug(2, "0-2", 3);
  plug.InitUnitParams(0.25);
  plug.MakeDefaultPreset("orig", 3);
  RecordingGraphics* gui = Attach(&plug);
  const std::string good = Path("good.fxb");
  gui->mScriptedAnswers.push_back(good);
  ASSERT_TRUE(plug.SaveBankAsFXB());
  const Bytes original = Read(good);
  const size_t record = 56 + 8;
  ASSERT_EQ(original.size(), 156 + 3 * record);

  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    size_t keep;
  };
  const Case cases[] = {
      {"other plug-in", 16, 1, original.size()},
      {"bank magic", 8, 0x46784278, original.size()},
      {"third record magic", 156 + 2 * record + 8, 0x41414141, original.size()},
      {"third record version", 156 + 2 * record + 12, 2, original.size()},
      {"second record count", 156 + record + 24, 3, original.size()},
      {"truncated last record", 4, 0, original.size() - 1},
      {"more programs than the file holds", 24, 4, original.size()},
      {"huge program count", 24, 0x7FFFFFFF, original.size()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = original;
    for (size_t i = 0; i < 3; ++i) SetBEFloat(&bytes, 156 + i * record + 56, 0.75f);
    SetBE(&bytes, c.at, c.value);
    bytes.resize(c.keep);
    const std::string path = Path("bad.fxb");
    Write(path, bytes);
    gui->mScriptedAnswers.push_back(path);
    EXPECT_FALSE(plug.LoadBankFromFXB());
    for (int s = 0; s < 3; ++s) {
      plug.RestorePreset(s);
      ASSERT_EQ(plug.GetParam(0)->Value(), 0.25) << s;
    }
  }
  EXPECT_EQ(plug.mProgramChanges, 0);
}

TEST_F(FxFiles, ChunkFormsCarryTheTaggedState) {
  TestHostPlug plug(3, "0-2", 2, true);
  plug.InitUnitParams(0.5);
  plug.GetParam(1)->Set(0.75);
  plug.MakeDefaultPreset("chunky", 2);
  RecordingGraphics* gui = Attach(&plug);
  const std::string fxp = Path("c.fxp");
  const std::string fxb = Path("c.fxb");
  gui->mScriptedAnswers.push_back(fxp);
  ASSERT_TRUE(plug.SaveProgramAsFXP());
  gui->mScriptedAnswers.push_back(fxb);
  ASSERT_TRUE(plug.SaveBankAsFXB());

  const Bytes p = Read(fxp);
  const uint32_t stateSize = 8 + 24;
  ASSERT_EQ(p.size(), 60 + stateSize);
  EXPECT_EQ(BE(p, 4), stateSize + 60);
  EXPECT_EQ(Text(p, 8, 4), "FPCh");
  EXPECT_EQ(BE(p, 56), stateSize);
  EXPECT_EQ(Text(p, 60, 4), "tffp") << "tag in native (little-endian) order";

  const Bytes b = Read(fxb);
  const uint32_t listSize = 8 + 2 * (4 + 6 + 1 + 24);
  ASSERT_EQ(b.size(), 160 + listSize);
  EXPECT_EQ(BE(b, 4), listSize + 160);
  EXPECT_EQ(Text(b, 8, 4), "FBCh");
  EXPECT_EQ(BE(b, 156), listSize);

  plug.GetParam(1)->Set(0.0);
  gui->mScriptedAnswers.push_back(fxp);
  ASSERT_TRUE(plug.LoadProgramFromFXP());
  EXPECT_EQ(plug.GetParam(1)->Value(), 0.75);
  gui->mScriptedAnswers.push_back(fxb);
  ASSERT_TRUE(plug.LoadBankFromFXB());

  Bytes cut = p;
  cut.resize(p.size() - 8);
  Write(fxp, cut);
  plug.GetParam(1)->Set(0.0);
  gui->mScriptedAnswers.push_back(fxp);
  EXPECT_FALSE(plug.LoadProgramFromFXP());
  EXPECT_EQ(plug.GetParam(1)->Value(), 0.0);
  Bytes shortState = b;
  SetBE(&shortState, 156, listSize - 8);
  shortState.resize(b.size() - 8);
  Write(fxb, shortState);
  gui->mScriptedAnswers.push_back(fxb);
  EXPECT_FALSE(plug.LoadBankFromFXB());
  EXPECT_EQ(plug.GetParam(1)->Value(), 0.0);
}

TEST_F(FxFiles, UnwritableFilesFail) {
  TestHostPlug plug(1, "0-2", 1);
  plug.MakeDefaultPreset("x", 1);
  RecordingGraphics* gui = Attach(&plug);
  const std::string nowhere = Path("no/such/dir/file");
  gui->mScriptedAnswers.push_back(nowhere);
  EXPECT_FALSE(plug.SaveProgramAsFXP());
  gui->mScriptedAnswers.push_back(nowhere);
  EXPECT_FALSE(plug.SaveBankAsFXB());
  EXPECT_FALSE(plug.SaveBankAsFXB()) << "cancelled dialog";
  EXPECT_FALSE(plug.DumpPresetSrcCode(nowhere.c_str(), nullptr));
  EXPECT_FALSE(plug.DumpPresetBlob(nowhere.c_str()));
}

TEST_F(FxFiles, AFullDiskKeepsThePreviousFile) {
  TestHostPlug plug(2, "0-2", 2);
  plug.InitUnitParams(0.5);
  plug.MakeDefaultPreset("first", 2);
  RecordingGraphics* gui = Attach(&plug);
  const char* names[] = {"kA", "kB"};
  const struct {
    const char* file;
    std::function<bool(const std::string&)> save;
  } writers[] = {
      {"program.fxp",
       [&](const std::string& path) {
         gui->mScriptedAnswers.push_back(path);
         return plug.SaveProgramAsFXP();
       }},
      {"bank.fxb",
       [&](const std::string& path) {
         gui->mScriptedAnswers.push_back(path);
         return plug.SaveBankAsFXB();
       }},
      {"named.txt", [&](const std::string& path) { return plug.DumpPresetSrcCode(path.c_str(), names); }},
      {"blob.txt", [&](const std::string& path) { return plug.DumpPresetBlob(path.c_str()); }},
  };
  for (const auto& w : writers) {
    const std::string path = Path(w.file);
    ASSERT_TRUE(w.save(path)) << w.file;
    const Bytes before = Read(path);
    plug.GetParam(0)->Set(0.25);
    {
      const testsupport::FileSizeLimit limit(16);
      EXPECT_FALSE(w.save(path)) << w.file;
    }
    EXPECT_EQ(Read(path), before) << w.file;
  }
  EXPECT_EQ(mTemp.entries(), (std::vector<std::string>{"bank.fxb", "blob.txt", "named.txt", "program.fxp"}));
}

TEST_F(FxFiles, SourceDumpRecreatesTheState) {
  TestHostPlug plug(4, "0-2", 1);
  plug.GetParam(0)->InitBool("on", true);
  plug.GetParam(1)->InitInt("steps", 7, 0, 10);
  plug.GetParam(2)->InitEnum("mode", 2, 4);
  plug.GetParam(3)->InitDouble("level", 0.3, 0.0, 1.0, 0.01);
  const char* names[] = {"kOn", "kSteps", "kMode", "kLevel"};
  const std::string path = Path("dump.txt");
  ASSERT_TRUE(plug.DumpPresetSrcCode(path.c_str(), names));
  const Bytes text = Read(path);
  EXPECT_EQ(std::string(text.begin(), text.end()),
            "  MakePresetFromNamedParams(\"name\", 4,\n"
            "    kOn, true,\n"
            "    kSteps, 7,\n"
            "    kMode, 2,\n"
            "    kLevel, 0.300000);\n");
}

TEST_F(FxFiles, BlobDumpIsPaddedBase64OfTheCurrentSlot) {
  const struct {
    std::vector<unsigned char> bytes;
    const char* expected;
  } cases[] = {
      {{1, 2, 3}, "MakePresetFromBlob(\"name\", \"AQID\", 3);\n"},
      {{0xFF}, "MakePresetFromBlob(\"name\", \"/w==\", 1);\n"},
      {{0xFB, 0xEF}, "MakePresetFromBlob(\"name\", \"++8=\", 2);\n"},
      {{}, "MakePresetFromBlob(\"name\", \"\", 0);\n"},
  };
  for (const auto& c : cases) {
    TestHostPlug plug(1, "0-2", 1);
    ByteChunk chunk;
    chunk.PutBytes(c.bytes.data(), static_cast<int>(c.bytes.size()));
    plug.MakePresetFromChunk("blob", &chunk);
    const std::string path = Path("blob.txt");
    ASSERT_TRUE(plug.DumpPresetBlob(path.c_str()));
    const Bytes text = Read(path);
    EXPECT_EQ(std::string(text.begin(), text.end()), c.expected);
  }
  TestHostPlug noSlots(1, "0-2", 0);
  EXPECT_FALSE(noSlots.DumpPresetBlob(Path("none.txt").c_str()));
}

}  // namespace
