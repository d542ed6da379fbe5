#include "framework/IPlugStructs.h"

#include <cmath>
#include <cstdio>

namespace {
uint8_t DataByte(int value) { return static_cast<uint8_t>(value); }
}  // namespace

void IMidiMsg::Clear() {
  mOffset = 0;
  mStatus = mData1 = mData2 = 0;
}

void IMidiMsg::MakeNoteOnMsg(int noteNumber, int velocity, int offset, int channel) {
  Clear();
  mStatus = static_cast<uint8_t>(0x90 | (channel & 0x0F));
  mData1 = DataByte(noteNumber);
  mData2 = DataByte(velocity);
  mOffset = offset;
}

void IMidiMsg::MakeNoteOffMsg(int noteNumber, int offset, int channel) {
  Clear();
  mStatus = static_cast<uint8_t>(0x80 | (channel & 0x0F));
  mData1 = DataByte(noteNumber);
  mOffset = offset;
}

void IMidiMsg::MakePitchWheelMsg(double value, int channel) {
  Clear();
  mStatus = static_cast<uint8_t>(0xE0 | (channel & 0x0F));
  // Clamping first keeps the integer conversion defined for any input.
  if (!(value > -1.0)) value = std::isnan(value) ? 0.0 : -1.0;
  if (value > 1.0) value = 1.0;
  int i = static_cast<int>(value * 8192.0) + 8192;
  if (i > 16383) i = 16383;
  mData1 = static_cast<uint8_t>(i & 127);
  mData2 = static_cast<uint8_t>(i >> 7);
}

void IMidiMsg::MakeControlChangeMsg(EControlChangeMsg idx, double value, int channel) {
  Clear();
  mStatus = static_cast<uint8_t>(0xB0 | (channel & 0x0F));
  mData1 = static_cast<uint8_t>(idx);
  if (!(value > 0.0)) value = 0.0;
  if (value > 1.0) value = 1.0;
  mData2 = static_cast<uint8_t>(value * 127.0);
}

int IMidiMsg::Channel() const { return mStatus & 0x0F; }

IMidiMsg::EStatusMsg IMidiMsg::StatusMsg() const {
  const unsigned kind = mStatus >> 4;
  if ((mStatus & 0x80) && kind != 0x0F) return static_cast<EStatusMsg>(kind);
  return kNone;
}

int IMidiMsg::NoteNumber() const {
  switch (StatusMsg()) {
    case kNoteOff:
    case kNoteOn:
    case kPolyAftertouch:
      return mData1;
    default:
      return -1;
  }
}

int IMidiMsg::Velocity() const {
  const EStatusMsg kind = StatusMsg();
  return (kind == kNoteOff || kind == kNoteOn) ? mData2 : -1;
}

int IMidiMsg::Program() const { return StatusMsg() == kProgramChange ? mData1 : -1; }

double IMidiMsg::PitchWheel() const {
  if (StatusMsg() != kPitchWheel) return 0.0;
  return (mData1 + 128 * mData2 - 8192) / 8192.0;
}

IMidiMsg::EControlChangeMsg IMidiMsg::ControlChangeIdx() const {
  return static_cast<EControlChangeMsg>(mData1);
}

double IMidiMsg::ControlChange(EControlChangeMsg idx) const {
  if (StatusMsg() == kControlChange && ControlChangeIdx() == idx) return mData2 / 127.0;
  return -1.0;
}

const char* IMidiMsg::StatusMsgStr(EStatusMsg msg) {
  switch (msg) {
    case kNone: return "none";
    case kNoteOff: return "noteoff";
    case kNoteOn: return "noteon";
    case kPolyAftertouch: return "aftertouch";
    case kControlChange: return "controlchange";
    case kProgramChange: return "programchange";
    case kChannelAftertouch: return "channelaftertouch";
    case kPitchWheel: return "pitchwheel";
    default: return "unknown";
  }
}

void ISysEx::Clear() {
  mOffset = mSize = 0;
  mData = nullptr;
}

void SysExStr(char* text, int maxLen, const uint8_t* data, int size) {
  if (!text || maxLen < 1) return;
  text[0] = '\0';
  if (!data || size <= 0) return;
  static const char kHex[] = "0123456789ABCDEF";
  // Each byte takes three characters, the last one's blank becoming the
  // terminator: n bytes fill exactly 3n characters, never more than maxLen.
  const int n = maxLen / 3 < size ? maxLen / 3 : size;
  char* out = text;
  for (int i = 0; i < n; ++i) {
    *out++ = kHex[data[i] >> 4];
    *out++ = kHex[data[i] & 0x0F];
    *out++ = ' ';
  }
  if (n > 0) out[-1] = '\0';
}
