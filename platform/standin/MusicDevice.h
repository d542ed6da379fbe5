// Stands in for the platform's music device interface (MusicDevice) on Linux.
#pragma once

#include "platform/standin/AUComponent.h"

typedef AudioUnit MusicDeviceComponent;
typedef UInt32 MusicDeviceInstrumentID;
typedef UInt32 MusicDeviceGroupID;
typedef UInt32 NoteInstanceID;

enum : SInt16 {
  kMusicDeviceMIDIEventSelect = 0x0101,
  kMusicDeviceSysExSelect = 0x0102,
  kMusicDevicePrepareInstrumentSelect = 0x0103,
  kMusicDeviceReleaseInstrumentSelect = 0x0104,
  kMusicDeviceStartNoteSelect = 0x0105,
  kMusicDeviceStopNoteSelect = 0x0106,
};

struct NoteParamsControlValue {
  AudioUnitParameterID mID;
  AudioUnitParameterValue mValue;
};

struct MusicDeviceNoteParams {
  UInt32 argCount;
  Float32 mPitch;
  Float32 mVelocity;
  NoteParamsControlValue mControls[1];
};

OSStatus MusicDeviceMIDIEvent(MusicDeviceComponent unit, UInt32 status, UInt32 data1, UInt32 data2,
                              UInt32 offsetSampleFrame);
OSStatus MusicDeviceSysEx(MusicDeviceComponent unit, const UInt8* data, UInt32 length);
OSStatus MusicDevicePrepareInstrument(MusicDeviceComponent unit, MusicDeviceInstrumentID instrument);
OSStatus MusicDeviceReleaseInstrument(MusicDeviceComponent unit, MusicDeviceInstrumentID instrument);
OSStatus MusicDeviceStartNote(MusicDeviceComponent unit, MusicDeviceInstrumentID instrument,
                              MusicDeviceGroupID group, NoteInstanceID* outNoteInstanceID,
                              UInt32 offsetSampleFrame, const MusicDeviceNoteParams* params);
OSStatus MusicDeviceStopNote(MusicDeviceComponent unit, MusicDeviceGroupID group, NoteInstanceID noteInstanceID,
                             UInt32 offsetSampleFrame);
