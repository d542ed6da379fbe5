// Stands in for Carbon windows (WindowRef) on Linux: a window with its content bounds in global coordinates (origin at the top left of the main screen).
#pragma once

struct Rect {
  short top, left, bottom, right;
};

struct OpaqueWindowPtr {
  Rect contentBounds;
};
typedef OpaqueWindowPtr* WindowRef;
