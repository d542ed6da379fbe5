#include "platform/standin/CGDisplay.h"

namespace {

int gDisplayWidth = 1440;
int gDisplayHeight = 900;
int gHideCount = 0;
CGPoint gPointer = {0.0, 0.0};

}  // namespace

CGDirectDisplayID CGMainDisplayID() { return 1; }

size_t CGDisplayPixelsWide(CGDirectDisplayID display) {
  return display == CGMainDisplayID() ? static_cast<size_t>(gDisplayWidth) : 0;
}

size_t CGDisplayPixelsHigh(CGDirectDisplayID display) {
  return display == CGMainDisplayID() ? static_cast<size_t>(gDisplayHeight) : 0;
}

CGError CGDisplayHideCursor(CGDirectDisplayID) {
  ++gHideCount;
  return kCGErrorSuccess;
}

CGError CGDisplayShowCursor(CGDirectDisplayID) {
  if (gHideCount > 0) --gHideCount;
  return kCGErrorSuccess;
}

CGError CGDisplayMoveCursorToPoint(CGDirectDisplayID, CGPoint point) {
  gPointer = point;
  return kCGErrorSuccess;
}

CGPoint NSEventMouseLocation() { return CGPoint{gPointer.x, gDisplayHeight - gPointer.y}; }

void standin::SetMainDisplaySize(int width, int height) {
  gDisplayWidth = width;
  gDisplayHeight = height;
}

void standin::SetPointerPosition(double x, double y) { gPointer = CGPoint{x, y}; }

CGPoint standin::PointerPosition() { return gPointer; }

bool standin::CursorVisible() { return gHideCount == 0; }
