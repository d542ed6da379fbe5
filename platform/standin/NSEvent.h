// Stands in for AppKit events (NSEvent) on Linux: mouse, wheel and key events that tests and tools make and hand to a window's sendEvent.
#pragma once

#include <string>

#include "platform/standin/NSGeometry.h"
#include "platform/standin/NSString.h"

enum NSEventType {
  NSLeftMouseDown = 1,
  NSLeftMouseUp = 2,
  NSRightMouseDown = 3,
  NSRightMouseUp = 4,
  NSMouseMoved = 5,
  NSLeftMouseDragged = 6,
  NSRightMouseDragged = 7,
  NSKeyDown = 10,
  NSApplicationDefined = 15,
  NSScrollWheel = 22,
};

enum : unsigned long {
  NSShiftKeyMask = 1ul << 17,
  NSControlKeyMask = 1ul << 18,
  NSAlternateKeyMask = 1ul << 19,
  NSCommandKeyMask = 1ul << 20,
};

// The characters of keys that type none.
enum : unichar {
  NSUpArrowFunctionKey = 0xF700,
  NSDownArrowFunctionKey = 0xF701,
  NSLeftArrowFunctionKey = 0xF702,
  NSRightArrowFunctionKey = 0xF703,
  NSDeleteFunctionKey = 0xF728,
};

// An event is a value here; the views take it by pointer as they would the
// platform's object. Locations are in the window's base coordinates.
class NSEvent {
 public:
  static NSEvent mouseEventWithType(NSEventType type, NSPoint location, unsigned long modifierFlags, int windowNumber,
                                    int clickCount) {
    NSEvent e(type, location, modifierFlags, windowNumber);
    e.mClickCount = clickCount;
    return e;
  }
  static NSEvent keyEventWithType(NSEventType type, NSPoint location, unsigned long modifierFlags, int windowNumber,
                                  const std::string& characters, const std::string& charactersIgnoringModifiers,
                                  unsigned short keyCode) {
    NSEvent e(type, location, modifierFlags, windowNumber);
    e.mCharacters = characters;
    e.mCharactersIgnoringModifiers = charactersIgnoringModifiers;
    e.mKeyCode = keyCode;
    return e;
  }
  static NSEvent otherEventWithType(NSEventType type, NSPoint location, unsigned long modifierFlags, double,
                                    int windowNumber, void*, short subtype, long, long) {
    NSEvent e(type, location, modifierFlags, windowNumber);
    e.mSubtype = subtype;
    return e;
  }
  // The platform makes wheel events only from the hardware; tests make them here.
  static NSEvent scrollWheelEvent(NSPoint location, unsigned long modifierFlags, int windowNumber, double deltaY) {
    NSEvent e(NSScrollWheel, location, modifierFlags, windowNumber);
    e.mDeltaY = deltaY;
    return e;
  }

  NSEventType type() const { return mType; }
  NSPoint locationInWindow() const { return mLocation; }
  unsigned long modifierFlags() const { return mModifierFlags; }
  int windowNumber() const { return mWindowNumber; }
  int clickCount() const { return mClickCount; }
  double deltaY() const { return mDeltaY; }
  short subtype() const { return mSubtype; }
  const std::string& characters() const { return mCharacters; }
  const std::string& charactersIgnoringModifiers() const { return mCharactersIgnoringModifiers; }
  unsigned short keyCode() const { return mKeyCode; }

 private:
  NSEvent(NSEventType type, NSPoint location, unsigned long modifierFlags, int windowNumber)
      : mType(type), mLocation(location), mModifierFlags(modifierFlags), mWindowNumber(windowNumber) {}

  NSEventType mType;
  NSPoint mLocation;
  unsigned long mModifierFlags;
  int mWindowNumber;
  int mClickCount = 0;
  double mDeltaY = 0.0;
  short mSubtype = 0;
  std::string mCharacters;
  std::string mCharactersIgnoringModifiers;
  unsigned short mKeyCode = 0;
};
