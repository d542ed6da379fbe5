#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "framework/IPlugStructs.h"

namespace {

TEST(MidiMsg, BuildersSetStatusChannelAndData) {
  IMidiMsg msg;
  msg.MakeNoteOnMsg(60, 100, 12, 3);
  EXPECT_EQ(msg.mStatus, 0x93);
  EXPECT_EQ(msg.mOffset, 12);
  EXPECT_EQ(msg.StatusMsg(), IMidiMsg::kNoteOn);
  EXPECT_EQ(msg.Channel(), 3);
  EXPECT_EQ(msg.NoteNumber(), 60);
  EXPECT_EQ(msg.Velocity(), 100);
  EXPECT_EQ(msg.Program(), -1);

  msg.MakeNoteOffMsg(61, 7);
  EXPECT_EQ(msg.mStatus, 0x80);
  EXPECT_EQ(msg.NoteNumber(), 61);
  EXPECT_EQ(msg.Velocity(), 0);
  EXPECT_EQ(msg.mOffset, 7);

  msg.MakeControlChangeMsg(IMidiMsg::kModWheel, 0.5, 1);
  EXPECT_EQ(msg.mStatus, 0xB1);
  EXPECT_EQ(msg.mData2, 63);
  EXPECT_EQ(msg.mOffset, 0);
  EXPECT_DOUBLE_EQ(msg.ControlChange(IMidiMsg::kModWheel), 63 / 127.0);
  EXPECT_EQ(msg.ControlChange(IMidiMsg::kPan), -1.0);
  EXPECT_EQ(msg.NoteNumber(), -1);
}

TEST(MidiMsg, PitchWheelRoundTrip) {
  struct Case {
    double value;
    int channel;
    int status, data1, data2;
  };
  const Case cases[] = {
      {1.0, 0, 0xE0, 127, 127}, {-1.0, 0, 0xE0, 0, 0}, {0.0, 3, 0xE3, 0, 64},
      // Out of range and nonsense values stay on the wheel.
      {5.0, 0, 0xE0, 127, 127}, {-1e300, 0, 0xE0, 0, 0}, {std::nan(""), 0, 0xE0, 0, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    IMidiMsg msg;
    msg.MakePitchWheelMsg(c.value, c.channel);
    EXPECT_EQ(msg.mStatus, c.status);
    EXPECT_EQ(msg.mData1, c.data1);
    EXPECT_EQ(msg.mData2, c.data2);
  }
  IMidiMsg centre(0, 0xE0, 0, 64);
  EXPECT_EQ(centre.PitchWheel(), 0.0);
  IMidiMsg notWheel(0, 0x90, 0, 64);
  EXPECT_EQ(notWheel.PitchWheel(), 0.0);
}

TEST(MidiMsg, StatusKindsAndNames) {
  EXPECT_EQ(IMidiMsg(0, 0xF8).StatusMsg(), IMidiMsg::kNone);
  EXPECT_EQ(IMidiMsg(0, 0x45).StatusMsg(), IMidiMsg::kNone) << "running status";
  EXPECT_EQ(IMidiMsg(0, 0xC2, 5).Program(), 5);
  EXPECT_EQ(IMidiMsg(0, 0xA0, 40).NoteNumber(), 40);
  EXPECT_EQ(IMidiMsg(0, 0xA0, 40, 9).Velocity(), -1);

  EXPECT_STREQ(IMidiMsg::StatusMsgStr(IMidiMsg::kNone), "none");
  EXPECT_STREQ(IMidiMsg::StatusMsgStr(static_cast<IMidiMsg::EStatusMsg>(3)), "unknown");
  EXPECT_STREQ(IMidiMsg::StatusMsgStr(IMidiMsg::kNoteOff), "noteoff");
  EXPECT_STREQ(IMidiMsg::StatusMsgStr(IMidiMsg::kPolyAftertouch), "aftertouch");
  EXPECT_STREQ(IMidiMsg::StatusMsgStr(IMidiMsg::kChannelAftertouch), "channelaftertouch");
  EXPECT_STREQ(IMidiMsg::StatusMsgStr(IMidiMsg::kPitchWheel), "pitchwheel");
  EXPECT_STREQ(IMidiMsg::StatusMsgStr(static_cast<IMidiMsg::EStatusMsg>(15)), "unknown");

  IMidiMsg msg(9, 0x90, 1, 2);
  msg.Clear();
  EXPECT_EQ(msg.mOffset, 0);
  EXPECT_EQ(msg.mStatus, 0);
}

TEST(MidiMsg, SysExTextFitsTheBuffer) {
  const uint8_t data[] = {0xF0, 0x7E, 0x01, 0x02, 0xF7};
  char text[8];
  SysExStr(text, sizeof(text), data, 5);
  EXPECT_STREQ(text, "F0 7E");
  char wide[32];
  SysExStr(wide, sizeof(wide), data, 5);
  EXPECT_STREQ(wide, "F0 7E 01 02 F7");
  SysExStr(wide, 2, data, 5);
  EXPECT_STREQ(wide, "");
  SysExStr(wide, sizeof(wide), nullptr, 5);
  EXPECT_STREQ(wide, "");

  // Sizes that are multiples of three: the terminator takes the last blank's
  // place, never the byte after the buffer.
  for (int maxLen : {3, 6, 15}) {
    std::vector<char> buffer(static_cast<std::size_t>(maxLen) + 1, 'x');
    SysExStr(buffer.data(), maxLen, data, 5);
    EXPECT_EQ(std::string(buffer.data()), std::string("F0 7E 01 02 F7").substr(0, maxLen - 1)) << maxLen;
    EXPECT_EQ(buffer[static_cast<std::size_t>(maxLen)], 'x') << maxLen;
  }

  ISysEx sysex(3, data, 5);
  sysex.Clear();
  EXPECT_EQ(sysex.mData, nullptr);
  EXPECT_EQ(sysex.mSize, 0);
}

}  // namespace
