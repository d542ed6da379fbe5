#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/RecordingGraphics.h"
#include "tests/framework/TestHostPlug.h"

namespace {

using fwtest::TestHostPlug;

ByteChunk ChunkOf(const std::vector<double>& values) {
  ByteChunk chunk;
  for (double v : values) chunk.Put(&v);
  return chunk;
}

std::vector<double> Ramp(int n) {
  std::vector<double> values;
  for (int i = 0; i < n; ++i) values.push_back(i / 104.0);
  return values;
}

TEST(StateChunk, HundredAndFiveParametersMake840BytesInParameterOrder) {
  TestHostPlug plug;
  plug.InitUnitParams();
  for (int i = 0; i < 105; ++i) plug.GetParam(i)->Set(i / 104.0);
  ByteChunk chunk;
  EXPECT_TRUE(plug.SerializeState(&chunk));
  ASSERT_EQ(chunk.Size(), 840);
  for (int i = 0; i < 105; ++i) {
    double v;
    std::memcpy(&v, chunk.GetBytes() + 8 * i, 8);
    ASSERT_EQ(v, i / 104.0) << i;
  }

  TestHostPlug other;
  other.InitUnitParams();
  EXPECT_EQ(other.UnserializeState(&chunk, 0), 840);
  EXPECT_EQ(other.Values(), Ramp(105));
  EXPECT_EQ(other.mParamChangeCalls.size(), 105u);
}

TEST(StateChunk, ShortChunkSetsTheFirstMissingParameterAndStops) {
  TestHostPlug plug;
  plug.InitUnitParams(0.5);
  plug.GetParam(2)->InitDouble("above zero", 0.5, 0.25, 1.0, 0.001);
  ByteChunk chunk = ChunkOf({0.1, 0.2});
  EXPECT_EQ(plug.UnserializeParams(&chunk, 0), -1);
  EXPECT_EQ(plug.GetParam(0)->Value(), 0.1);
  EXPECT_EQ(plug.GetParam(1)->Value(), 0.2);
  EXPECT_EQ(plug.GetParam(2)->Value(), 0.25) << "0.0 clamped to the minimum";
  for (int i = 3; i < 105; ++i) ASSERT_EQ(plug.GetParam(i)->Value(), 0.5);
  ASSERT_EQ(plug.mParamChangeCalls.size(), 105u);
  EXPECT_EQ(plug.mParamChangeCalls.back(), 104);

  plug.mParamChangeCalls.clear();
  EXPECT_EQ(plug.UnserializeParams(&chunk, -1), -1);
  EXPECT_EQ(plug.mParamChangeCalls.size(), 105u) << "applied even when nothing was read";
}

TEST(StateChunk, StoredValuesAreClampedAndNonFiniteOnesIgnored) {
  TestHostPlug plug(5);
  plug.InitUnitParams(0.5);
  const double inf = std::numeric_limits<double>::infinity();
  ByteChunk chunk = ChunkOf({1.7, -0.2, std::nan(""), inf, -inf});
  EXPECT_EQ(plug.UnserializeParams(&chunk, 0), 40);
  EXPECT_EQ(plug.Values(), (std::vector<double>{1.0, 0.0, 0.5, 0.5, 0.5}));
}

TEST(Presets, MakePresetStoresValuesAsPassedAndSkipsWhenFull) {
  TestHostPlug plug(3, "0-2", 2);
  plug.GetParam(0)->InitInt("int", 0, 0, 10);
  plug.GetParam(1)->InitDouble("dbl", 0.0, 0.0, 1.0, 0.001);
  plug.MakePreset("first", 12, 1.5, 0.25);
  plug.MakePreset("second", 1, 0.5, 0.75);
  plug.MakePreset("third", 2, 0.5, 0.75);
  EXPECT_STREQ(plug.GetPresetName(0), "first");
  EXPECT_STREQ(plug.GetPresetName(1), "second");
  EXPECT_STREQ(plug.GetPresetName(2), "");

  EXPECT_TRUE(plug.RestorePreset(0));
  EXPECT_EQ(plug.Values(), (std::vector<double>{10.0, 1.0, 0.25})) << "clamped on restore";
}

TEST(Presets, NamedParamsFillTheRestFromCurrentValues) {
  TestHostPlug plug(4, "0-2", 1);
  for (int i = 0; i < 3; ++i) plug.GetParam(i)->InitDouble("d", 0.5, 0.0, 1.0, 0.001);
  plug.GetParam(3)->InitBool("switch", false);
  plug.MakePresetFromNamedParams("named", 2, 1, 0.125, 3, 1);
  ASSERT_TRUE(plug.RestorePreset(0));
  EXPECT_EQ(plug.Values(), (std::vector<double>{0.5, 0.125, 0.5, 1.0}));
}

TEST(Presets, ChunkBlobAndDefaultPresets) {
  TestHostPlug plug(2, "0-2", 4);
  plug.InitUnitParams(0.5);
  ByteChunk chunk = ChunkOf({0.25, 0.75});
  plug.MakePresetFromChunk("chunk", &chunk);
  plug.MakePresetFromBlob("blob", "AAAA", 5);
  plug.MakeDefaultPreset(nullptr, 1);
  plug.MakeDefaultPreset("rest", 5);
  EXPECT_STREQ(plug.GetPresetName(2), "Empty");
  EXPECT_STREQ(plug.GetPresetName(3), "rest");

  ByteChunk all;
  plug.SerializePresets(&all);
  // blob slot: name length, "blob", flag, five zero bytes
  const int blobAt = 4 + 5 + 1 + 16;
  ASSERT_GE(all.Size(), blobAt + 4 + 4 + 1 + 5);
  const unsigned char zeros[5] = {};
  EXPECT_EQ(std::memcmp(all.GetBytes() + blobAt + 9, zeros, 5), 0);

  ASSERT_TRUE(plug.RestorePreset(0));
  EXPECT_EQ(plug.Values(), (std::vector<double>{0.25, 0.75}));
  EXPECT_TRUE(plug.RestorePreset("rest"));
  EXPECT_EQ(plug.Values(), (std::vector<double>{0.5, 0.5}));
}

TEST(Presets, SerializedPresetListLayout) {
  TestHostPlug plug(1, "0-2", 2);
  plug.InitUnitParams(0.5);
  plug.MakeDefaultPreset("A", 1);
  ByteChunk chunk;
  EXPECT_TRUE(plug.SerializePresets(&chunk));
  ASSERT_EQ(chunk.Size(), (4 + 1 + 1 + 8) + (4 + 5 + 1));
  int nameLength;
  std::memcpy(&nameLength, chunk.GetBytes(), 4);
  EXPECT_EQ(nameLength, 1);
  EXPECT_EQ(chunk.GetBytes()[4], 'A');
  EXPECT_EQ(chunk.GetBytes()[5], 1);
  EXPECT_EQ(std::memcmp(chunk.GetBytes() + 18, "empty", 5), 0);
  EXPECT_EQ(chunk.GetBytes()[23], 0);
}

TEST(Presets, UnserializedListReplacesSlotsAndRestoresCurrent) {
  TestHostPlug source(2, "0-2", 3);
  source.InitUnitParams(0.5);
  source.GetParam(0)->Set(0.125);
  source.MakeDefaultPreset("one", 1);
  source.GetParam(0)->Set(0.875);
  source.MakeDefaultPreset("two", 1);
  ByteChunk list;
  source.SerializePresets(&list);

  TestHostPlug target(2, "0-2", 3);
  target.InitUnitParams(0.5);
  EXPECT_EQ(target.UnserializePresets(&list, 0), list.Size());
  EXPECT_STREQ(target.GetPresetName(0), "one");
  EXPECT_STREQ(target.GetPresetName(1), "two");
  EXPECT_STREQ(target.GetPresetName(2), "empty");
  EXPECT_EQ(target.GetParam(0)->Value(), 0.125) << "slot 0 restored";
  EXPECT_TRUE(target.RestorePreset(1));
  EXPECT_EQ(target.GetParam(0)->Value(), 0.875);

  // A record with an empty name repeats the previous one.
  ByteChunk repeated;
  repeated.PutStr("same");
  const unsigned char no = 0;
  repeated.Put(&no);
  repeated.PutStr("");
  repeated.Put(&no);
  TestHostPlug third(1, "0-2", 2);
  third.UnserializePresets(&repeated, 0);
  EXPECT_STREQ(third.GetPresetName(1), "same");
}

// A slot that a preset list frees forgets its values, so a maker that then
// fills it stores only the new ones.
TEST(Presets, AFreedSlotIsRemadeFromAnEmptyChunk) {
  const struct {
    const char* maker;
    void (*make)(TestHostPlug&);
  } makers[] = {
      {"MakePreset", [](TestHostPlug& p) { p.MakePreset("new", 0.25, 0.75); }},
      {"MakePresetFromNamedParams", [](TestHostPlug& p) { p.MakePresetFromNamedParams("new", 2, 0, 0.25, 1, 0.75); }},
      {"MakePresetFromChunk",
       [](TestHostPlug& p) {
         ByteChunk chunk = ChunkOf({0.25, 0.75});
         p.MakePresetFromChunk("new", &chunk);
       }},
      {"MakeDefaultPreset",
       [](TestHostPlug& p) {
         p.GetParam(0)->Set(0.25);
         p.GetParam(1)->Set(0.75);
         p.MakeDefaultPreset("new", 1);
       }},
  };
  for (const auto& m : makers) {
    TestHostPlug plug(2, "0-2", 2);
    plug.InitUnitParams(0.5);
    plug.MakePreset("old", 0.125, 0.875);
    plug.MakePreset("other", 0.5, 0.5);
    ASSERT_TRUE(plug.RestorePreset(1));
    // The list keeps slot 1, which stays current, and marks slot 0 free.
    ByteChunk list;
    list.PutStr("freed");
    const unsigned char no = 0, yes = 1;
    list.Put(&no);
    list.PutStr("other");
    list.Put(&yes);
    ByteChunk values = ChunkOf({0.5, 0.5});
    list.PutChunk(&values);
    plug.UnserializePresets(&list, 0);

    m.make(plug);
    ASSERT_STREQ(plug.GetPresetName(0), "new") << m.maker;
    ByteChunk slots;
    plug.SerializePresets(&slots);
    EXPECT_EQ(slots.Size(), (4 + 3 + 1 + 16) + (4 + 5 + 1 + 16)) << m.maker;
    plug.GetParam(0)->Set(0.5);
    plug.GetParam(1)->Set(0.5);
    ASSERT_TRUE(plug.RestorePreset(0)) << m.maker;
    EXPECT_EQ(plug.Values(), (std::vector<double>{0.25, 0.75})) << m.maker;
  }
}

TEST(Presets, RestoringAFreeSlotMakesANumberedUserPreset) {
  TestHostPlug plug(1, "0-2", 5);
  plug.InitUnitParams(0.5);
  plug.MakeDefaultPreset("user preset 1", 1);
  plug.MakeDefaultPreset("user preset 2", 1);
  plug.MakeDefaultPreset("my user preset", 1);
  EXPECT_TRUE(plug.RestorePreset(4));
  EXPECT_STREQ(plug.GetPresetName(4), "user preset 4");
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 4);
  EXPECT_EQ(plug.mPresetsChangedCalls, 1);
  EXPECT_EQ(plug.mProgramChanges, 0) << "the host is not told here";
}

TEST(Presets, RestoreRefusesBadIndicesAndNames) {
  TestHostPlug plug(1, "0-2", 3);
  plug.InitUnitParams(0.5);
  plug.MakeDefaultPreset("dup", 1);
  plug.GetParam(0)->Set(0.25);
  plug.MakeDefaultPreset("dup", 1);
  plug.RestorePreset(1);
  for (int idx : {-1, 3}) EXPECT_FALSE(plug.RestorePreset(idx)) << idx;
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 1);
  EXPECT_FALSE(plug.RestorePreset(""));
  EXPECT_FALSE(plug.RestorePreset(static_cast<const char*>(nullptr)));
  EXPECT_FALSE(plug.RestorePreset("missing"));
  EXPECT_TRUE(plug.RestorePreset("dup"));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 0) << "first of two equal names";
  EXPECT_EQ(plug.GetParam(0)->Value(), 0.5);
}

TEST(Presets, ModifyCurrentPresetAndPruning) {
  TestHostPlug plug(1, "0-2", 4);
  plug.InitUnitParams(0.5);
  plug.MakeDefaultPreset("a", 1);
  plug.MakeDefaultPreset("b", 1);
  plug.RestorePreset(1);
  plug.GetParam(0)->Set(0.75);
  plug.ModifyCurrentPreset("renamed");
  plug.ModifyCurrentPreset("");
  EXPECT_STREQ(plug.GetPresetName(1), "renamed");
  plug.GetParam(0)->Set(0.0);
  plug.RestorePreset(1);
  EXPECT_EQ(plug.GetParam(0)->Value(), 0.75);

  plug.PruneUninitializedPresets();
  EXPECT_EQ(plug.NPresets(), 2);
  EXPECT_STREQ(plug.GetPresetName(0), "a");
  EXPECT_STREQ(plug.GetPresetName(1), "renamed");
  plug.EnsureDefaultPreset();
  EXPECT_EQ(plug.NPresets(), 2);
}

TEST(Presets, LongPresetNamesAreCut) {
  TestHostPlug plug(1, "0-2", 2);
  const std::string longName(400, 'p');
  plug.MakeDefaultPreset(longName.c_str(), 1);
  plug.RestorePreset(0);
  plug.ModifyCurrentPreset(longName.c_str());
  EXPECT_EQ(std::string(plug.GetPresetName(0)), std::string(MAX_PRESET_NAME_LEN - 1, 'p'));

  ByteChunk list;
  list.PutStr(longName.c_str());
  const unsigned char yes = 1;
  const double value = 0.5;
  list.Put(&yes);
  list.Put(&value);
  plug.UnserializePresets(&list, 0);
  EXPECT_EQ(std::strlen(plug.GetPresetName(0)), static_cast<size_t>(MAX_PRESET_NAME_LEN - 1));
}

// Every way a name reaches a slot gives it a name a host can show: bytes
// that are not UTF-8 read as Latin-1, cut to whole characters.
TEST(Presets, NamesThatAreNotUtf8AreReadAsLatin1WhereverTheyEnter) {
  const struct {
    const char* entry;
    void (*name)(TestHostPlug&, const char*);
  } entries[] = {
      {"MakePreset", [](TestHostPlug& p, const char* n) { p.MakePreset(n, 0.25); }},
      {"MakePresetFromNamedParams", [](TestHostPlug& p, const char* n) { p.MakePresetFromNamedParams(n, 0); }},
      {"MakePresetFromChunk",
       [](TestHostPlug& p, const char* n) {
         ByteChunk chunk = ChunkOf({0.25});
         p.MakePresetFromChunk(n, &chunk);
       }},
      {"MakePresetFromBlob", [](TestHostPlug& p, const char* n) { p.MakePresetFromBlob(n, "AAAAAAAAAAA", 8); }},
      {"MakeDefaultPreset", [](TestHostPlug& p, const char* n) { p.MakeDefaultPreset(n, 1); }},
      {"ModifyCurrentPreset",
       [](TestHostPlug& p, const char* n) {
         p.MakeDefaultPreset("before", 1);
         p.ModifyCurrentPreset(n);
       }},
      {"UnserializePresets",
       [](TestHostPlug& p, const char* n) {
         ByteChunk list;
         list.PutStr(n);
         const unsigned char yes = 1;
         const double value = 0.25;
         list.Put(&yes);
         list.Put(&value);
         p.UnserializePresets(&list, 0);
       }},
  };
  const std::string filled(MAX_PRESET_NAME_LEN - 2, 'a');
  const struct {
    std::string name, read;
  } names[] = {
      {"Caf\xe9 Kick", "Caf\xc3\xa9 Kick"},
      {"\xc0\xaf\x80\xed\xa0\x80\xff", "\xc3\x80\xc2\xaf\xc2\x80\xc3\xad\xc2\xa0\xc2\x80\xc3\xbf"},
      {filled + "\xe9", filled},
  };
  for (const auto& e : entries) {
    for (const auto& n : names) {
      TestHostPlug plug(1, "0-2", 2);
      plug.InitUnitParams(0.5);
      e.name(plug, n.name.c_str());
      EXPECT_EQ(std::string(plug.GetPresetName(0)), n.read) << e.entry << " " << n.read.substr(0, 16);
    }
  }
}

TEST(Presets, BlobDecodingFillsExactlyTheRequestedSize) {
  struct Case {
    const char* blob;
    int size;
    std::vector<unsigned char> bytes;
  };
  const Case cases[] = {
      {"AAAA", 2, {0, 0}},
      {"AAAA", 5, {0, 0, 0, 0, 0}},
      {"AQID", 3, {1, 2, 3}},
      {"/w==", 3, {255, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.blob);
    TestHostPlug plug(1, "0-2", 1);
    plug.MakePresetFromBlob("b", c.blob, c.size);
    ByteChunk list;
    plug.SerializePresets(&list);
    ASSERT_EQ(list.Size(), 4 + 1 + 1 + c.size);
    EXPECT_EQ(std::vector<unsigned char>(list.GetBytes() + 6, list.GetBytes() + 6 + c.size),
              c.bytes);
  }
}

}  // namespace
