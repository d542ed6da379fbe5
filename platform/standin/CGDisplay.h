// Stands in for the Core Graphics display and cursor calls (CGMainDisplayID, CGDisplayHideCursor, ...) and the pointer position (NSEvent mouseLocation) on Linux.
#pragma once

#include "platform/standin/CGImage.h"
#include "platform/standin/MacTypes.h"

typedef UInt32 CGDirectDisplayID;
typedef SInt32 CGError;
constexpr CGError kCGErrorSuccess = 0;

CGDirectDisplayID CGMainDisplayID();
size_t CGDisplayPixelsWide(CGDirectDisplayID display);
size_t CGDisplayPixelsHigh(CGDirectDisplayID display);
// Hiding nests: the cursor shows again after as many shows as hides.
CGError CGDisplayHideCursor(CGDirectDisplayID display);
CGError CGDisplayShowCursor(CGDirectDisplayID display);
// Screen coordinates with the origin at the top left.
CGError CGDisplayMoveCursorToPoint(CGDirectDisplayID display, CGPoint point);

// The pointer in screen coordinates with the origin at the bottom left.
CGPoint NSEventMouseLocation();

namespace standin {

// The main screen is 1440 x 900 unless a test says otherwise.
void SetMainDisplaySize(int width, int height);
// Where the person puts the pointer, top-left origin.
void SetPointerPosition(double x, double y);
CGPoint PointerPosition();
bool CursorVisible();

}  // namespace standin
