#include "platform/standin/MusicDevice.h"

using standin::CallComponentSelector;
using standin::PointerWord;

OSStatus MusicDeviceMIDIEvent(MusicDeviceComponent unit, UInt32 status, UInt32 data1, UInt32 data2,
                              UInt32 offsetSampleFrame) {
  return CallComponentSelector(unit, kMusicDeviceMIDIEventSelect, {status, data1, data2, offsetSampleFrame});
}

OSStatus MusicDeviceSysEx(MusicDeviceComponent unit, const UInt8* data, UInt32 length) {
  return CallComponentSelector(unit, kMusicDeviceSysExSelect, {PointerWord(data), length});
}

OSStatus MusicDevicePrepareInstrument(MusicDeviceComponent unit, MusicDeviceInstrumentID instrument) {
  return CallComponentSelector(unit, kMusicDevicePrepareInstrumentSelect, {instrument});
}

OSStatus MusicDeviceReleaseInstrument(MusicDeviceComponent unit, MusicDeviceInstrumentID instrument) {
  return CallComponentSelector(unit, kMusicDeviceReleaseInstrumentSelect, {instrument});
}

OSStatus MusicDeviceStartNote(MusicDeviceComponent unit, MusicDeviceInstrumentID instrument,
                              MusicDeviceGroupID group, NoteInstanceID* outNoteInstanceID,
                              UInt32 offsetSampleFrame, const MusicDeviceNoteParams* params) {
  return CallComponentSelector(unit, kMusicDeviceStartNoteSelect,
                               {instrument, group, PointerWord(outNoteInstanceID), offsetSampleFrame,
                                PointerWord(params)});
}

OSStatus MusicDeviceStopNote(MusicDeviceComponent unit, MusicDeviceGroupID group, NoteInstanceID noteInstanceID,
                             UInt32 offsetSampleFrame) {
  return CallComponentSelector(unit, kMusicDeviceStopNoteSelect, {group, noteInstanceID, offsetSampleFrame});
}
