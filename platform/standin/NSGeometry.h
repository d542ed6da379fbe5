// Stands in for Foundation's geometry records (NSPoint, NSSize, NSRect) on Linux.
#pragma once

// AppKit rectangles: origin at the bottom left, y growing upwards, unless a
// view is flipped.
struct NSPoint {
  double x, y;
};
struct NSSize {
  double width, height;
};
struct NSRect {
  NSPoint origin;
  NSSize size;
};
inline NSRect NSMakeRect(double x, double y, double w, double h) { return NSRect{{x, y}, {w, h}}; }
inline NSPoint NSMakePoint(double x, double y) { return NSPoint{x, y}; }
