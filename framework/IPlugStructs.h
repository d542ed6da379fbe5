#pragma once

#include <cstdint>

#include "framework/WDL_String.h"

// Plug-in API a host adapter builds the plug-in for.
enum EAPI {
  kAPIVST2 = 0,
  kAPIVST3 = 1,
  kAPIAU = 2,
  kAPIRTAS = 3,
  kAPIAAX = 4,
  kAPISA = 5,
};

// What the adapter is given about its bundle when the host creates it.
struct IPlugInstanceInfo {
  WDL_String mBundleID;
  WDL_String mCocoaViewFactoryClassName;
};

// One short MIDI message, stamped with its frame offset in the current block.
struct IMidiMsg {
  enum EStatusMsg {
    kNone = 0,
    kNoteOff = 8,
    kNoteOn = 9,
    kPolyAftertouch = 10,
    kControlChange = 11,
    kProgramChange = 12,
    kChannelAftertouch = 13,
    kPitchWheel = 14,
  };

  // Controller number of a control-change message.
  enum EControlChangeMsg {
    kModWheel = 1,
    kBreathController = 2,
    kFootController = 4,
    kPortamentoTime = 5,
    kChannelVolume = 7,
    kBalance = 8,
    kPan = 10,
    kExpressionController = 11,
    kSustainOnOff = 64,
    kAllSoundOff = 120,
    kAllNotesOff = 123,
  };

  int mOffset;
  uint8_t mStatus;
  uint8_t mData1;
  uint8_t mData2;

  IMidiMsg(int offset = 0, uint8_t status = 0, uint8_t data1 = 0, uint8_t data2 = 0)
      : mOffset(offset), mStatus(status), mData1(data1), mData2(data2) {}

  void MakeNoteOnMsg(int noteNumber, int velocity, int offset, int channel = 0);
  void MakeNoteOffMsg(int noteNumber, int offset, int channel = 0);
  // value from -1 to +1.
  void MakePitchWheelMsg(double value, int channel = 0);
  // value from 0 to 1.
  void MakeControlChangeMsg(EControlChangeMsg idx, double value, int channel = 0);

  int Channel() const;
  EStatusMsg StatusMsg() const;
  int NoteNumber() const;
  int Velocity() const;
  int Program() const;
  double PitchWheel() const;
  EControlChangeMsg ControlChangeIdx() const;
  double ControlChange(EControlChangeMsg idx) const;

  static const char* StatusMsgStr(EStatusMsg msg);

  void Clear();
  void LogMsg() {}
};

// A system-exclusive message; the bytes belong to the sender.
struct ISysEx {
  int mOffset;
  int mSize;
  const uint8_t* mData;

  ISysEx(int offset = 0, const uint8_t* data = nullptr, int size = 0)
      : mOffset(offset), mSize(size), mData(data) {}

  void Clear();
  void LogMsg() {}
};

// Writes up to maxLen / 3 bytes of data as "%02X" separated by blanks.
void SysExStr(char* text, int maxLen, const uint8_t* data, int size);

// The host's transport and tempo.
struct ITimeInfo {
  double mTempo = 0.0;
  double mSamplePos = 0.0;
  double mPPQPos = 0.0;
  double mLastBar = 0.0;
  double mCycleStart = 0.0;
  double mCycleEnd = 0.0;
  int mNumerator = 0;
  int mDenominator = 0;
  bool mTransportIsRunning = false;
  bool mTransportLoopEnabled = false;
};
